// SPDX-License-Identifier: MIT
// timer.device and the IO request machinery around it.
#include "platform/dos/Dos.h"
#include "platform/exec/Device.h"
#include "platform/common/Internal.h"
#include "platform/testing/Testing.h"
#include "platform/timer/Timer.h"

#include <gtest/gtest.h>

using namespace amiga;

namespace {

class Timer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlatform();
        port = CreateMsgPort();
        ASSERT_NE(port, nullptr);
        request = reinterpret_cast<timerequest*>(CreateExtIO(port, sizeof(timerequest)));
        ASSERT_NE(request, nullptr);
    }
    void TearDown() override
    {
        if (request->tr_node.io_Device != nullptr) {
            CloseDevice(&request->tr_node);
        }
        DeleteExtIO(&request->tr_node);
        DeleteMsgPort(port);
        ResetPlatform();
    }

    void Open(ULONG unit = UNIT_VBLANK) { ASSERT_EQ(OpenDevice(TIMERNAME, unit, &request->tr_node, 0), 0); }
    void Add(ULONG secs, ULONG micro)
    {
        request->tr_node.io_Command = TR_ADDREQUEST;
        request->tr_time.tv_secs = secs;
        request->tr_time.tv_micro = micro;
    }
    ULONG PortMask() const { return 1u << port->mp_SigBit; }
    BYTE SendAndWait()
    {
        SendIO(&request->tr_node);
        return WaitIO(&request->tr_node);
    }

    MsgPort* port = nullptr;
    timerequest* request = nullptr;
};

TEST_F(Timer, RequestCompletesAfterItsTimeAndIsRepliedToItsPort)
{
    for (ULONG unit : {UNIT_VBLANK, UNIT_MICROHZ}) {
        Open(unit);
        Add(0, 300000);
        const uint64_t start = internal::NowMicros();
        SendIO(&request->tr_node);
        EXPECT_EQ(CheckIO(&request->tr_node), nullptr) << "pending right after SendIO";

        EXPECT_EQ(Wait(PortMask()), PortMask());
        const uint64_t elapsed = internal::NowMicros() - start;
        EXPECT_GE(elapsed, 300000u) << "unit " << unit;
        EXPECT_LT(elapsed, 1000000u) << "unit " << unit;
        EXPECT_EQ(GetMsg(port), &request->tr_node.io_Message);
        EXPECT_EQ(CheckIO(&request->tr_node), &request->tr_node);
        EXPECT_EQ(request->tr_node.io_Error, 0);
        CloseDevice(&request->tr_node);
    }
}

TEST_F(Timer, SecondsAndMicrosecondsAddUp)
{
    Open();
    Add(1, 50000);
    const uint64_t start = internal::NowMicros();
    EXPECT_EQ(SendAndWait(), 0);
    EXPECT_GE(internal::NowMicros() - start, 1050000u);
    EXPECT_EQ(GetMsg(port), nullptr) << "WaitIO leaves nothing on the port";
}

TEST_F(Timer, EarlierRequestsCompleteFirst)
{
    Open();
    auto* late = reinterpret_cast<timerequest*>(CreateExtIO(port, sizeof(timerequest)));
    ASSERT_NE(late, nullptr);
    *late = *request;
    late->tr_node.io_Command = TR_ADDREQUEST;
    late->tr_time = {0, 80000};
    Add(0, 20000);
    SendIO(&late->tr_node);
    SendIO(&request->tr_node);

    Wait(PortMask());
    EXPECT_EQ(GetMsg(port), &request->tr_node.io_Message);
    EXPECT_EQ(CheckIO(&late->tr_node), nullptr);
    EXPECT_EQ(WaitIO(&late->tr_node), 0);
    CloseDevice(&late->tr_node);
    DeleteExtIO(&late->tr_node);
}

TEST_F(Timer, AbortRepliesAPendingRequestAtOnce)
{
    Open();
    Add(10, 0);
    SendIO(&request->tr_node);
    const uint64_t start = internal::NowMicros();
    EXPECT_EQ(AbortIO(&request->tr_node), 0);
    EXPECT_EQ(SetSignal(0, 0) & PortMask(), PortMask()) << "the reply signals the port";
    EXPECT_EQ(WaitIO(&request->tr_node), IOERR_ABORTED);
    EXPECT_LT(internal::NowMicros() - start, 100000u);
    EXPECT_EQ(request->tr_node.io_Error, IOERR_ABORTED);
    EXPECT_EQ(GetMsg(port), nullptr) << "WaitIO took the reply off the port";

    // Aborting a finished request changes nothing.
    AbortIO(&request->tr_node);
    EXPECT_EQ(request->tr_node.io_Error, IOERR_ABORTED);
    EXPECT_EQ(GetMsg(port), nullptr);
}

TEST_F(Timer, ClosingTheDeviceForgetsAPendingRequest)
{
    Open();
    Add(0, 1000);
    SendIO(&request->tr_node);
    CloseDevice(&request->tr_node);
    EXPECT_NE(CheckIO(&request->tr_node), nullptr) << "no longer in flight";
    EXPECT_EQ(request->tr_node.io_Error, IOERR_ABORTED);
    Delay(2); // past its time: nothing completes it any more
    EXPECT_EQ(GetMsg(port), nullptr);
}

TEST_F(Timer, WaitIOAfterGetMsgDoesNotTouchThePortAgain)
{
    Open();
    Add(0, 1000);
    SendIO(&request->tr_node);
    Wait(PortMask());
    ASSERT_EQ(GetMsg(port), &request->tr_node.io_Message);
    EXPECT_EQ(WaitIO(&request->tr_node), 0);
    EXPECT_EQ(GetMsg(port), nullptr);
}

TEST_F(Timer, SystemTimeGoesForwardFromTheWallClock)
{
    Open(UNIT_MICROHZ);
    request->tr_node.io_Command = TR_GETSYSTIME;
    EXPECT_EQ(SendAndWait(), 0);
    const amiga::timeval first = request->tr_time;
    // Seconds since 1978: well past 2020 (1.33e9 s after 1978) on any sane machine.
    EXPECT_GT(first.tv_secs, 1330000000u);
    EXPECT_LT(first.tv_micro, 1000000u);

    amiga::timeval second;
    GetSysTime(&second);
    EXPECT_GE(uint64_t{second.tv_secs} * 1000000u + second.tv_micro,
              uint64_t{first.tv_secs} * 1000000u + first.tv_micro)
        << "second is not earlier";
}

TEST_F(Timer, WaitUntilCompletesAtAnAbsoluteTime)
{
    Open(UNIT_WAITUNTIL);
    amiga::timeval when;
    GetSysTime(&when);
    const uint64_t due = uint64_t{when.tv_secs} * 1000000u + when.tv_micro + 100000u;
    request->tr_node.io_Command = TR_ADDREQUEST;
    request->tr_time = {static_cast<ULONG>(due / 1000000u), static_cast<ULONG>(due % 1000000u)};
    const uint64_t start = internal::NowMicros();
    EXPECT_EQ(SendAndWait(), 0);
    EXPECT_GE(internal::NowMicros() - start, 90000u);
}

TEST_F(Timer, UnknownCommandsFailQuickly)
{
    Open();
    request->tr_node.io_Command = CMD_READ;
    EXPECT_EQ(SendAndWait(), IOERR_NOCMD);
}

TEST_F(Timer, OpeningFailsForBadUnitsSmallRequestsUnknownDevicesAndOnRequest)
{
    EXPECT_EQ(OpenDevice(TIMERNAME, 99, &request->tr_node, 0), IOERR_OPENFAIL);
    EXPECT_EQ(request->tr_node.io_Device, nullptr);
    EXPECT_EQ(OpenDevice("nonexistent.device", 0, &request->tr_node, 0), IOERR_OPENFAIL);

    IORequest* small = CreateExtIO(port, sizeof(IORequest));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(OpenDevice(TIMERNAME, UNIT_VBLANK, small, 0), IOERR_OPENFAIL);
    DeleteExtIO(small);

    FailNextDeviceOpen();
    EXPECT_EQ(OpenDevice(TIMERNAME, UNIT_VBLANK, &request->tr_node, 0), IOERR_OPENFAIL);
    EXPECT_EQ(request->tr_node.io_Error, IOERR_OPENFAIL);
    Open();
    EXPECT_EQ(request->tr_node.io_Device->dd_Library.lib_OpenCnt, 1);
}

TEST_F(Timer, RequestCreationRefusesBadInputAndFailsOnceWhenAsked)
{
    EXPECT_EQ(CreateExtIO(nullptr, sizeof(timerequest)), nullptr);
    EXPECT_EQ(CreateExtIO(port, 4), nullptr);
    FailNextRequestCreation();
    EXPECT_EQ(CreateIORequest(port, sizeof(timerequest)), nullptr);
    APTR created = CreateIORequest(port, sizeof(timerequest));
    ASSERT_NE(created, nullptr);
    EXPECT_NE(CheckIO(static_cast<IORequest*>(created)), nullptr) << "a fresh request is not in flight";
    DeleteIORequest(created);
}

// A device registered for the test: completes CMD_WRITE at once, holds CMD_READ until aborted.
class EchoDevice final : public internal::DeviceDriver {
public:
    BYTE Open(ULONG, IORequest*, ULONG) override { return 0; }
    void BeginIO(IORequest* request) override
    {
        if (request->io_Command == CMD_WRITE) {
            internal::CompleteIO(request, 0);
        } else {
            request->io_Flags &= static_cast<UBYTE>(~IOF_QUICK);
            held = request;
        }
    }
    void AbortIO(IORequest* request) override
    {
        if (held == request) {
            held = nullptr;
            internal::CompleteIO(request, IOERR_ABORTED);
        }
    }
    IORequest* held = nullptr;
};

TEST_F(Timer, QuickCompletionLeavesNoReplyAndHeldRequestsReplyOnAbort)
{
    EchoDevice* device = nullptr;
    internal::RegisterDevice("echo.device", [&device] {
        auto created = std::make_unique<EchoDevice>();
        device = created.get();
        return created;
    });
    IORequest* io = CreateExtIO(port, sizeof(IOStdReq));
    ASSERT_EQ(OpenDevice("echo.device", 0, io, 0), 0);
    io->io_Command = CMD_WRITE;
    io->io_Flags = IOF_QUICK;
    BeginIO(io);
    EXPECT_EQ(WaitIO(io), 0);
    EXPECT_EQ(GetMsg(port), nullptr) << "quick IO is not replied";

    io->io_Command = CMD_READ;
    SendIO(io);
    EXPECT_EQ(CheckIO(io), nullptr);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->held, io);
    AbortIO(io);
    EXPECT_EQ(WaitIO(io), IOERR_ABORTED);
    CloseDevice(io);
    DeleteExtIO(io);
}

} // namespace
