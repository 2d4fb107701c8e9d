// SPDX-License-Identifier: MIT
// Timer: one request on the timer device at a time, queued again after every tick.
#include "toolkit/core/Timer.h"

#include "platform/dos/Dos.h"
#include "toolkit/core/Application.h"
#include "toolkit/core/Form.h"

using namespace amiga;

namespace {
// The pause Start() makes before returning: a tenth of a second.
constexpr LONG StartPauseTicks = 5;
} // namespace

Timer::Timer(Form* parentForm, unsigned int milliseconds) : Child(parentForm), interval(milliseconds)
{
    width = 0;
    height = 0;
    className = "timer";
    text = "timer";
    Application::AddTimer(this);
}

Timer::~Timer()
{
    Stop();
}

void Timer::Load()
{
    if (loaded)
        return;
    if (id == 0)
        id = ++GUIElement::countForm;
    loaded = true;
}

void Timer::Start()
{
    if (started)
        return;
    Load();

    timerPort = CreateMsgPort();
    if (!timerPort) {
        Application::Log("Errore Creazione timerPort");
        return;
    }
    timerRequest = reinterpret_cast<timerequest*>(CreateExtIO(timerPort, sizeof(timerequest)));
    if (!timerRequest) {
        Application::Log("Errore Creazione TimerIO");
        // The port would otherwise stay allocated, with its signal bit, until the program ends.
        DeleteMsgPort(timerPort);
        timerPort = nullptr;
        return;
    }
    if (OpenDevice(TIMERNAME, UNIT_VBLANK, &timerRequest->tr_node, 0) != 0) {
        Application::Log("Errore OpenDevice");
        // No request may go to a device that is not open; the timer stays stopped (and may be
        // started again later), so the event loop neither polls it nor waits on its port.
        DeleteExtIO(&timerRequest->tr_node);
        timerRequest = nullptr;
        DeleteMsgPort(timerPort);
        timerPort = nullptr;
        return;
    }

    QueueRequest();
    Delay(StartPauseTicks);
    started = 1;
}

void Timer::QueueRequest()
{
    timerRequest->tr_node.io_Command = TR_ADDREQUEST;
    timerRequest->tr_time.tv_secs = interval / 1000;
    timerRequest->tr_time.tv_micro = (interval % 1000) * 1000;
    SendIO(&timerRequest->tr_node);
    requestPending = 1;
}

void Timer::Stop()
{
    if (!started)
        return;
    if (timerRequest) {
        if (requestPending) {
            // Abort, then take the reply off the port so that the port can go.
            if (!CheckIO(&timerRequest->tr_node))
                AbortIO(&timerRequest->tr_node);
            WaitIO(&timerRequest->tr_node);
            requestPending = 0;
        }
        CloseDevice(&timerRequest->tr_node);
        DeleteExtIO(&timerRequest->tr_node);
        timerRequest = nullptr;
    }
    if (timerPort) {
        DeleteMsgPort(timerPort);
        timerPort = nullptr;
    }
    started = 0;
}

void Timer::SetMillisecond(unsigned int milliseconds)
{
    interval = milliseconds;
    if (started) {
        Stop();
        Start();
    }
}

bool Timer::GetMSG()
{
    if (!started || !timerPort)
        return false;
    if (!GetMsg(timerPort))
        return false;
    // The reply is off the port: nothing is left for Stop() to abort or wait for.
    requestPending = 0;
    return true;
}

void Timer::OnTimer()
{
    if (!started)
        return;
    if (timerCallback) {
        timerCallback(this);
        if (!started)
            return;
    }
    // One request per timer: a callback that restarted the timer has queued it already, and a
    // tick delivered while the request is still out must not send it a second time.
    if (!requestPending)
        QueueRequest();
}

unsigned long Timer::mp_SigBit() const
{
    if (!started || !timerPort)
        return 0;
    return 1ul << timerPort->mp_SigBit;
}
