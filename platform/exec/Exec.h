// SPDX-License-Identifier: MIT
// exec: lists, messages and ports, signals, memory, libraries and devices.
//
// One task runs the program. Its signal word is atomic: other threads (audio completion) may
// set signals and reply messages; everything else happens on the program's thread.
#pragma once

#include "platform/common/Types.h"

namespace amiga {

// Node types.
constexpr UBYTE NT_UNKNOWN = 0;
constexpr UBYTE NT_TASK = 1;
constexpr UBYTE NT_INTERRUPT = 2;
constexpr UBYTE NT_DEVICE = 3;
constexpr UBYTE NT_MSGPORT = 4;
constexpr UBYTE NT_MESSAGE = 5;
constexpr UBYTE NT_FREEMSG = 6;
constexpr UBYTE NT_REPLYMSG = 7;
constexpr UBYTE NT_RESOURCE = 8;
constexpr UBYTE NT_LIBRARY = 9;
constexpr UBYTE NT_MEMORY = 10;

// A list header doubles as its own head and tail nodes, so nodes and headers are read through
// each other: may_alias keeps the compiler from assuming they never overlap.
struct __attribute__((may_alias)) Node {
    Node* ln_Succ = nullptr;
    Node* ln_Pred = nullptr;
    UBYTE ln_Type = NT_UNKNOWN;
    BYTE ln_Pri = 0;
    char* ln_Name = nullptr;
};

struct __attribute__((may_alias)) MinNode {
    MinNode* mln_Succ = nullptr;
    MinNode* mln_Pred = nullptr;
};

// An empty list has lh_Head pointing at &lh_Tail and lh_TailPred pointing at the list itself;
// a walk ends at the node whose ln_Succ is null.
struct List {
    Node* lh_Head = nullptr;
    Node* lh_Tail = nullptr;
    Node* lh_TailPred = nullptr;
    UBYTE lh_Type = NT_UNKNOWN;
    UBYTE l_pad = 0;
};

void NewList(List* list);
void AddTail(List* list, Node* node);
Node* RemHead(List* list); // null when empty
void Remove(Node* node);

struct Task {
    Node tc_Node;
    ULONG tc_SigAlloc = 0; // allocated signal bits (0..15 reserved by the system)
    APTR tc_UserData = nullptr;
};

struct MsgPort;

struct Message {
    Node mn_Node;
    MsgPort* mn_ReplyPort = nullptr;
    UWORD mn_Length = 0;
};

constexpr UBYTE PA_SIGNAL = 0;
constexpr UBYTE PA_SOFTINT = 1;
constexpr UBYTE PA_IGNORE = 2;

struct MsgPort {
    Node mp_Node;
    UBYTE mp_Flags = PA_SIGNAL;
    UBYTE mp_SigBit = 0;
    APTR mp_SigTask = nullptr; // the Task to signal
    List mp_MsgList;
};

struct Library {
    Node lib_Node;
    UBYTE lib_Flags = 0;
    UBYTE lib_pad = 0;
    UWORD lib_NegSize = 0;
    UWORD lib_PosSize = 0;
    UWORD lib_Version = 0;
    UWORD lib_Revision = 0;
    APTR lib_IdString = nullptr;
    ULONG lib_Sum = 0;
    UWORD lib_OpenCnt = 0;
};

struct Device {
    Library dd_Library;
};

struct Unit {
    MsgPort unit_MsgPort;
    UBYTE unit_flags = 0;
    UBYTE unit_pad = 0;
    UWORD unit_OpenCnt = 0;
};

struct IORequest {
    Message io_Message;
    Device* io_Device = nullptr;
    Unit* io_Unit = nullptr;
    UWORD io_Command = 0;
    UBYTE io_Flags = 0;
    BYTE io_Error = 0;
};

// The standard request: the common header followed by the transfer fields.
struct IOStdReq : IORequest {
    ULONG io_Actual = 0;
    ULONG io_Length = 0;
    APTR io_Data = nullptr;
    ULONG io_Offset = 0;
};

// Standard device commands.
constexpr UWORD CMD_INVALID = 0;
constexpr UWORD CMD_RESET = 1;
constexpr UWORD CMD_READ = 2;
constexpr UWORD CMD_WRITE = 3;
constexpr UWORD CMD_UPDATE = 4;
constexpr UWORD CMD_CLEAR = 5;
constexpr UWORD CMD_STOP = 6;
constexpr UWORD CMD_START = 7;
constexpr UWORD CMD_FLUSH = 8;
constexpr UWORD CMD_NONSTD = 9;

constexpr UBYTE IOB_QUICK = 0;
constexpr UBYTE IOF_QUICK = 1 << IOB_QUICK;

constexpr BYTE IOERR_OPENFAIL = -1;
constexpr BYTE IOERR_ABORTED = -2;
constexpr BYTE IOERR_NOCMD = -3;
constexpr BYTE IOERR_BADLENGTH = -4;
constexpr BYTE IOERR_BADADDRESS = -5;
constexpr BYTE IOERR_UNITBUSY = -6;
constexpr BYTE IOERR_SELFTEST = -7;

// Memory requirements.
constexpr ULONG MEMF_ANY = 0;
constexpr ULONG MEMF_PUBLIC = 1 << 0;
constexpr ULONG MEMF_CHIP = 1 << 1;
constexpr ULONG MEMF_FAST = 1 << 2;
constexpr ULONG MEMF_LOCAL = 1 << 8;
constexpr ULONG MEMF_24BITDMA = 1 << 9;
constexpr ULONG MEMF_KICK = 1 << 10;
constexpr ULONG MEMF_CLEAR = 1 << 16;
constexpr ULONG MEMF_LARGEST = 1 << 17;
constexpr ULONG MEMF_REVERSE = 1 << 18;
constexpr ULONG MEMF_TOTAL = 1 << 19;

// Signals 0..15 belong to the system; these are the ones it defines.
constexpr ULONG SIGB_ABORT = 0;
constexpr ULONG SIGB_CHILD = 1;
constexpr ULONG SIGB_BLIT = 4;
constexpr ULONG SIGB_SINGLE = 4;
constexpr ULONG SIGB_INTUITION = 5;
constexpr ULONG SIGB_DOS = 8;
constexpr ULONG SIGF_ABORT = 1u << SIGB_ABORT;
constexpr ULONG SIGF_CHILD = 1u << SIGB_CHILD;
constexpr ULONG SIGF_SINGLE = 1u << SIGB_SINGLE;
constexpr ULONG SIGF_INTUITION = 1u << SIGB_INTUITION;
constexpr ULONG SIGF_DOS = 1u << SIGB_DOS;

// Messages and ports. ReplyMsg of a message without reply port only marks it free.
void PutMsg(MsgPort* port, Message* message);
Message* GetMsg(MsgPort* port); // null when the port is empty
void ReplyMsg(Message* message);
MsgPort* CreateMsgPort(); // null when no signal bit is free
void DeleteMsgPort(MsgPort* port);

// Signals. AllocSignal(-1) hands out a free bit of 16..31 and returns -1 when none is left.
BYTE AllocSignal(LONG signalNum);
void FreeSignal(LONG signalNum);
void Signal(Task* task, ULONG signals);             // safe from any thread
ULONG SetSignal(ULONG newSignals, ULONG signalSet); // returns the old signals
// Returns the signals of the mask that are set, clearing them; sleeps (presenting the screen,
// handling input, completing timer requests) until one is.
ULONG Wait(ULONG signalSet);
Task* FindTask(CONST_STRPTR name); // null name: the running task

// Memory. MEMF_CHIP is ordinary memory; MEMF_CLEAR zeroes it.
APTR AllocMem(ULONG byteSize, ULONG requirements);
void FreeMem(APTR memoryBlock, ULONG byteSize);
APTR AllocVec(ULONG byteSize, ULONG requirements);
void FreeVec(APTR memoryBlock);
// In bytes; IPTR wide as on the 64-bit platform, so large host memories are not cut short.
IPTR AvailMem(ULONG requirements);

// Libraries this program opens, each with its version; null when the version asked for is
// newer or the library is missing.
Library* OpenLibrary(CONST_STRPTR libName, ULONG version);
void CloseLibrary(Library* library);

// IO requests and devices.
IORequest* CreateExtIO(MsgPort* port, LONG ioSize); // null when port is null or size too small
void DeleteExtIO(IORequest* ioReq);
APTR CreateIORequest(MsgPort* port, ULONG size);
void DeleteIORequest(APTR ioReq);
BYTE OpenDevice(CONST_STRPTR devName, ULONG unitNumber, IORequest* ioRequest, ULONG flags); // 0 on success
void CloseDevice(IORequest* ioRequest);
void BeginIO(IORequest* ioRequest);
void SendIO(IORequest* ioRequest);
LONG AbortIO(IORequest* ioRequest);
BYTE WaitIO(IORequest* ioRequest);
IORequest* CheckIO(IORequest* ioRequest); // the request when complete, null while in progress

} // namespace amiga
