// SPDX-License-Identifier: MIT
// Timer: the requests it queues, ticks, restarts, stopping, and every failure on the way up.
#include "toolkit/core/Timer.h"

#include "ElementTestSupport.h"
#include "tests/support/TempDirectory.h"
#include "platform/dos/Dos.h"
#include "platform/exec/Exec.h"
#include "platform/testing/Testing.h"
#include "toolkit/core/Application.h"

#include <gtest/gtest.h>

#include <string>

using namespace amiga;

namespace {

ULONG AllocatedSignals()
{
    return FindTask(nullptr)->tc_SigAlloc;
}

// The timer's reply port holds no message and its list is intact (a message replied twice
// links to itself and leaves the header pointing at it).
bool ReplyPortIsEmpty(const Timer& timer)
{
    const List& list = timer.GetRequest()->tr_node.io_Message.mn_ReplyPort->mp_MsgList;
    return list.lh_Head == reinterpret_cast<const Node*>(&list.lh_Tail) &&
           list.lh_TailPred == reinterpret_cast<const Node*>(&list.lh_Head);
}

struct TickCounter {
    static inline int ticks = 0;
    static inline GUIElement* sender = nullptr;
    static void Count(GUIElement* e)
    {
        ++ticks;
        sender = e;
    }
    static void CountAndStop(GUIElement* e)
    {
        Count(e);
        static_cast<Timer*>(e)->Stop();
    }
    static void CountAndChangePeriod(GUIElement* e)
    {
        Count(e);
        static_cast<Timer*>(e)->SetMillisecond(20);
    }
};

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(workingDirectory.Ok());
        ResetPlatform();
        TickCounter::ticks = 0;
        TickCounter::sender = nullptr;
    }
    void TearDown() override
    {
        EXPECT_TRUE(Application::lstTimer.empty());
        ResetPlatform();
    }

    // Sleeps until the timer's request completes, then takes it.
    static void WaitForTick(Timer& timer)
    {
        ASSERT_NE(timer.mp_SigBit(), 0u);
        Wait(static_cast<ULONG>(timer.mp_SigBit()));
        ASSERT_TRUE(timer.GetMSG());
    }

    ScopedWorkingDirectory workingDirectory;
};

} // namespace

TEST_F(TimerTest, ConstructionRegistersButStartsNothing)
{
    const unsigned int before = GUIElement::countForm;
    Timer timer(nullptr, 250);
    ASSERT_EQ(Application::lstTimer.size(), 1u);
    EXPECT_EQ(Application::lstTimer[0], &timer);
    EXPECT_EQ(timer.GetKesaClassName(), "timer");
    EXPECT_EQ(timer.GetText(), "timer");
    EXPECT_EQ(timer.GetSize(), (tagPOINT{0, 0}));
    EXPECT_EQ(timer.getMillisecond(), 250u);
    EXPECT_EQ(timer.IsStart(), 0);
    EXPECT_EQ(timer.mp_SigBit(), 0u);
    EXPECT_FALSE(timer.GetMSG());
    timer.SetOnTimer(&TickCounter::Count);
    timer.OnTimer(); // not started: no tick
    EXPECT_EQ(TickCounter::ticks, 0);

    timer.Load();
    EXPECT_TRUE(timer.IsLoad());
    EXPECT_EQ(timer.GetID(), before + 1);
    EXPECT_EQ(timer.IsStart(), 0); // loading starts nothing either

    // A stopped timer only stores a new period.
    timer.SetMillisecond(300);
    EXPECT_EQ(timer.getMillisecond(), 300u);
    EXPECT_EQ(timer.IsStart(), 0);
    EXPECT_EQ(timer.GetRequest(), nullptr);
}

TEST_F(TimerTest, QueuesWholeSecondsAndMicrosecondsAndRestartsWithNewPeriod)
{
    const ULONG signalsBefore = AllocatedSignals();
    Timer timer(nullptr, 1500);
    timer.Start();
    ASSERT_EQ(timer.IsStart(), 1);
    EXPECT_NE(timer.GetID(), 0u);
    const timerequest* request = timer.GetRequest();
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->tr_node.io_Command, TR_ADDREQUEST);
    EXPECT_EQ(request->tr_time.tv_secs, 1u);
    EXPECT_EQ(request->tr_time.tv_micro, 500000u);
    EXPECT_NE(timer.mp_SigBit(), 0u);
    EXPECT_NE(AllocatedSignals() & timer.mp_SigBit(), 0u);

    timer.Start(); // already started: the same request stays queued
    EXPECT_EQ(timer.GetRequest(), request);

    timer.SetMillisecond(300); // started: stops and starts again with the new period
    EXPECT_EQ(timer.IsStart(), 1);
    ASSERT_NE(timer.GetRequest(), nullptr);
    EXPECT_EQ(timer.GetRequest()->tr_time.tv_secs, 0u);
    EXPECT_EQ(timer.GetRequest()->tr_time.tv_micro, 300000u);

    timer.Stop();
    EXPECT_EQ(timer.IsStart(), 0);
    EXPECT_EQ(timer.mp_SigBit(), 0u);
    EXPECT_EQ(timer.GetRequest(), nullptr);
    EXPECT_FALSE(timer.GetMSG());
    EXPECT_EQ(AllocatedSignals(), signalsBefore); // the port and its signal are gone
    timer.Stop();                                 // twice is harmless
    EXPECT_EQ(timer.IsStart(), 0);
}

TEST_F(TimerTest, TicksCallTheCallbackAndQueueTheNextPeriod)
{
    Timer timer(nullptr, 20);
    timer.SetOnTimer(&TickCounter::Count);
    timer.Start();
    WaitForTick(timer);
    timer.OnTimer();
    EXPECT_EQ(TickCounter::ticks, 1);
    EXPECT_EQ(TickCounter::sender, &timer);
    WaitForTick(timer); // the next period was queued after the tick
    timer.OnTimer();
    EXPECT_EQ(TickCounter::ticks, 2);
    EXPECT_FALSE(timer.GetMSG()); // one completion per period
    timer.Stop();
}

// Exactly one request per timer may be out: a request sent twice is replied twice, and the
// second reply corrupts the port's list (it then hands out the same message for ever).
TEST_F(TimerTest, OneRequestIsOutWhateverTheTickDoes)
{
    struct Case {
        const char* name;
        void (*callback)(GUIElement*);
        bool takeTheTickFirst; // false: OnTimer while the request is still out
    };
    const Case cases[] = {
        {"callback changes the period", &TickCounter::CountAndChangePeriod, true},
        {"tick while the request is out", &TickCounter::Count, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TickCounter::ticks = 0;
        Timer timer(nullptr, 20);
        timer.SetOnTimer(c.callback);
        timer.Start();
        if (c.takeTheTickFirst)
            WaitForTick(timer);
        timer.OnTimer();
        EXPECT_EQ(TickCounter::ticks, 1);
        ASSERT_EQ(timer.IsStart(), 1);

        // Several periods later exactly one reply is on the port, and after the next tick
        // again exactly one. (The device completes requests while the program waits, so
        // every request that is due is replied by this Wait.)
        for (int period = 0; period < 2; ++period) {
            Delay(3);
            Wait(static_cast<ULONG>(timer.mp_SigBit()));
            int replies = 0;
            while (replies < 4 && timer.GetMSG())
                ++replies;
            EXPECT_EQ(replies, 1);
            EXPECT_TRUE(ReplyPortIsEmpty(timer));
            if (HasFailure())
                break;
            timer.OnTimer();
        }
        EXPECT_EQ(TickCounter::ticks, 3);
        timer.Stop();
    }
}

TEST_F(TimerTest, CallbackThatStopsTheTimerGetsNoFurtherTicks)
{
    const ULONG signalsBefore = AllocatedSignals();
    Timer timer(nullptr, 20);
    timer.SetOnTimer(&TickCounter::CountAndStop);
    timer.Start();
    WaitForTick(timer);
    timer.OnTimer();
    EXPECT_EQ(TickCounter::ticks, 1);
    EXPECT_EQ(timer.IsStart(), 0);
    EXPECT_EQ(timer.GetRequest(), nullptr);
    EXPECT_FALSE(timer.GetMSG());
    timer.OnTimer();
    EXPECT_EQ(TickCounter::ticks, 1);
    EXPECT_EQ(AllocatedSignals(), signalsBefore);
}

TEST_F(TimerTest, DestroyingAStartedTimerReleasesEverything)
{
    const ULONG signalsBefore = AllocatedSignals();
    {
        Timer timer(nullptr, 1000);
        timer.Start();
        ASSERT_EQ(timer.IsStart(), 1);
        EXPECT_NE(AllocatedSignals(), signalsBefore);
    }
    EXPECT_EQ(AllocatedSignals(), signalsBefore);
    EXPECT_TRUE(Application::lst.empty());
}

TEST_F(TimerTest, FailuresOnTheWayUpAreLoggedAndLeaveNothingBehind)
{
    const ULONG signalsBefore = AllocatedSignals();
    Timer timer(nullptr, 100);

    FailNextPortCreation();
    timer.Start();
    EXPECT_EQ(timer.IsStart(), 0);
    EXPECT_EQ(ReadLog(), "Errore Creazione timerPort\n");

    FailNextRequestCreation();
    timer.Start();
    EXPECT_EQ(timer.IsStart(), 0);
    EXPECT_EQ(AllocatedSignals(), signalsBefore); // the port went with the failed request
    EXPECT_EQ(ReadLog(), "Errore Creazione timerPort\nErrore Creazione TimerIO\n");

    // A device that did not open gets no request: the timer stays stopped, so the event
    // loop neither polls it nor waits on its port.
    FailNextDeviceOpen();
    timer.Start();
    EXPECT_EQ(timer.IsStart(), 0);
    EXPECT_EQ(timer.GetRequest(), nullptr);
    EXPECT_EQ(timer.mp_SigBit(), 0u);
    EXPECT_EQ(AllocatedSignals(), signalsBefore);
    EXPECT_EQ(ReadLog(), "Errore Creazione timerPort\nErrore Creazione TimerIO\nErrore OpenDevice\n");

    // Nothing is stuck: the next start works.
    timer.Start();
    EXPECT_EQ(timer.IsStart(), 1);
    timer.Stop();
}
