// SPDX-License-Identifier: MIT
// exec messages, ports and signals.
#include "platform/exec/State.h"
#include "platform/host/Host.h"

namespace amiga {

using internal::Exec;

namespace {

// Sets signals on the one task and wakes Wait when it sleeps for any of them.
void RaiseSignals(ULONG signals)
{
    auto& exec = Exec();
    exec.receivedSignals.fetch_or(signals);
    if ((exec.waitingSignals.load() & signals) != 0) {
        host::Wake();
    }
}

// Queues a message on a port and lets the port's owner know; caller holds messageLock. The
// signal goes out under the lock too: once the owner has seen the message (GetMsg, CheckIO,
// WaitIO all take the lock) it may delete the port, and a sender on another thread must not
// be reading the port after that.
void QueueLocked(MsgPort* port, Message* message)
{
    AddTail(&port->mp_MsgList, &message->mn_Node);
    if (port->mp_Flags == PA_SIGNAL && port->mp_SigTask != nullptr) {
        Signal(static_cast<Task*>(port->mp_SigTask), 1u << port->mp_SigBit);
    }
}

} // namespace

void PutMsg(MsgPort* port, Message* message)
{
    if (port == nullptr || message == nullptr) {
        return;
    }
    std::lock_guard lock(Exec().messageLock);
    message->mn_Node.ln_Type = NT_MESSAGE;
    QueueLocked(port, message);
}

Message* GetMsg(MsgPort* port)
{
    if (port == nullptr) {
        return nullptr;
    }
    std::lock_guard lock(Exec().messageLock);
    return reinterpret_cast<Message*>(RemHead(&port->mp_MsgList));
}

void ReplyMsg(Message* message)
{
    if (message == nullptr) {
        return;
    }
    std::lock_guard lock(Exec().messageLock);
    MsgPort* port = message->mn_ReplyPort;
    if (port == nullptr) {
        // Nobody waits for it: the sender only needs to see that it is free again.
        message->mn_Node.ln_Type = NT_FREEMSG;
        return;
    }
    message->mn_Node.ln_Type = NT_REPLYMSG;
    QueueLocked(port, message);
}

MsgPort* CreateMsgPort()
{
    auto& exec = Exec();
    if (exec.failNextPort) {
        exec.failNextPort = false;
        return nullptr;
    }
    const BYTE bit = AllocSignal(-1);
    if (bit < 0) {
        return nullptr;
    }
    auto* port = new MsgPort{};
    port->mp_Node.ln_Type = NT_MSGPORT;
    port->mp_Flags = PA_SIGNAL;
    port->mp_SigBit = static_cast<UBYTE>(bit);
    port->mp_SigTask = &exec.task;
    NewList(&port->mp_MsgList);
    port->mp_MsgList.lh_Type = NT_MESSAGE;
    return port;
}

void DeleteMsgPort(MsgPort* port)
{
    if (port == nullptr) {
        return;
    }
    // Under the lock, so that a message being queued on another thread is queued (and its
    // signal sent) wholly before the port goes.
    std::lock_guard lock(Exec().messageLock);
    FreeSignal(port->mp_SigBit);
    // Messages still queued belong to their senders; they are simply no longer reachable.
    port->mp_Node.ln_Type = 0xFF;
    delete port;
}

BYTE AllocSignal(LONG signalNum)
{
    Task& task = Exec().task;
    if (signalNum < 0) {
        for (LONG bit = 31; bit >= 16; --bit) {
            if ((task.tc_SigAlloc & (1u << bit)) == 0) {
                signalNum = bit;
                break;
            }
        }
        if (signalNum < 0) {
            return -1;
        }
    } else if (signalNum > 31 || (task.tc_SigAlloc & (1u << signalNum)) != 0) {
        return -1;
    }
    const ULONG mask = 1u << signalNum;
    task.tc_SigAlloc |= mask;
    Exec().receivedSignals.fetch_and(~mask);
    return static_cast<BYTE>(signalNum);
}

void FreeSignal(LONG signalNum)
{
    // The system's own bits are never given back; -1 is what a failed AllocSignal returned.
    if (signalNum < 16 || signalNum > 31) {
        return;
    }
    Exec().task.tc_SigAlloc &= ~(1u << signalNum);
}

void Signal(Task* task, ULONG signals)
{
    if (task == nullptr || signals == 0) {
        return;
    }
    RaiseSignals(signals);
}

ULONG SetSignal(ULONG newSignals, ULONG signalSet)
{
    auto& received = Exec().receivedSignals;
    ULONG old = received.load();
    while (!received.compare_exchange_weak(old, (old & ~signalSet) | (newSignals & signalSet))) {
    }
    if ((newSignals & signalSet & Exec().waitingSignals.load()) != 0) {
        host::Wake();
    }
    return old;
}

Task* FindTask(CONST_STRPTR name)
{
    Task& task = Exec().task;
    if (name == nullptr || std::string(name) == task.tc_Node.ln_Name) {
        return &task;
    }
    return nullptr;
}

} // namespace amiga
