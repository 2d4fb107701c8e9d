// SPDX-License-Identifier: MIT
// Timer: an invisible child of a window that calls its callback periodically, on the program
// thread, through a request on the timer device that the event loop polls.
#pragma once

#include "platform/exec/Exec.h"
#include "platform/timer/Timer.h"
#include "toolkit/core/Child.h"

class Form;

class Timer : public Child {
public:
    Timer(Form* parentForm, unsigned int milliseconds);
    ~Timer();

    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Takes an ID when it has none and marks the timer loaded; starts nothing.
    void Load() override;

    // Opens the port, the request and the device, queues the first period and pauses a
    // tenth of a second. Nothing when already started.
    void Start();
    // Aborts the pending request and releases the device, request and port.
    void Stop();
    short IsStart() const { return started; }

    // Stores the period; a started timer restarts with it.
    void SetMillisecond(unsigned int milliseconds);
    unsigned int getMillisecond() const { return interval; }

    void SetOnTimer(void (*callback)(GUIElement*)) { timerCallback = callback; }

    // Takes one completed request from the port; false when none or not started.
    bool GetMSG();
    // One tick: the callback, then the next period unless the callback stopped the timer or a
    // request is already out (a restart in the callback, or a tick not taken by GetMSG).
    void OnTimer();
    // The port's signal mask while started, else 0.
    unsigned long mp_SigBit() const;

    // The request as queued last (for the event loop's diagnostics and tests); null when
    // stopped.
    const amiga::timerequest* GetRequest() const { return timerRequest; }

private:
    void QueueRequest();

    // While started the port, the request and its open device all exist; while stopped none.
    amiga::MsgPort* timerPort = nullptr;
    amiga::timerequest* timerRequest = nullptr;
    short requestPending = 0;
    short started = 0;
    unsigned int interval = 0;
    void (*timerCallback)(GUIElement*) = nullptr;
};
