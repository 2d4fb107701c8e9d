// SPDX-License-Identifier: MIT
// exec's state and its waiting loop, private to exec and the libraries built on it: one
// object a test can throw away.
#pragma once

#include "platform/exec/Exec.h"
#include "platform/exec/Device.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace amiga::internal {

struct OpenedDevice {
    std::string name;
    Device device;
    std::unique_ptr<DeviceDriver> driver;
    int openCount = 0;
};

struct ExecState {
    // Guards message lists and request states: replies may come from other threads.
    std::mutex messageLock;

    Task task;
    std::atomic<ULONG> receivedSignals{0};
    // The signals Wait is sleeping for, so that Signal from another thread knows to wake it.
    std::atomic<ULONG> waitingSignals{0};

    std::map<std::string, std::unique_ptr<Library>> libraries;
    std::set<std::string> missingLibraries;

    std::vector<std::unique_ptr<OpenedDevice>> devices;
    std::vector<std::pair<std::string, DeviceFactory>> extraDevices;

    bool failNextAllocation = false;
    bool failNextPort = false;
    bool failNextRequest = false;
    bool failNextDeviceOpen = false;

    std::function<LONG(const std::string&)> executeRunner;
    // dos file handles: handle -> host file descriptor.
    std::map<BPTR, int> files;
    BPTR nextFile = 1;
    // System time = monotonic clock + this offset (microseconds since 1 January 1978).
    int64_t systemTimeOffsetMicros = 0;
    // When graphics' WaitTOF last returned (monotonic microseconds; 0 before the first).
    uint64_t lastBlankMicros = 0;

    ExecState();
    ~ExecState();
    ExecState(const ExecState&) = delete;
    ExecState& operator=(const ExecState&) = delete;
};

ExecState& Exec();
// Where Exec() keeps the state; the testing library drops it to start afresh.
std::unique_ptr<ExecState>& ExecHolder();

// Completes what is due on every open device; returns the earliest next deadline.
uint64_t ServiceDevices();

// Blocks as the platform's blocking calls do (presents the screen, handles host input, keeps
// timer requests completing) until the monotonic clock reaches `deadlineMicros`.
// graphics' WaitTOF uses it to pace its vertical blanks.
void WaitUntilMicros(uint64_t deadlineMicros);
// Hands every queued host event to intuition without blocking.
void PumpHostEvents();

} // namespace amiga::internal
