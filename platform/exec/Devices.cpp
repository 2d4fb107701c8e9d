// SPDX-License-Identifier: MIT
// exec devices and IO requests. A request is in flight while its node type is NT_MESSAGE;
// completion marks it NT_REPLYMSG and, unless it finished quickly, replies it to its port.
#include "platform/exec/State.h"
#include "platform/common/Internal.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace amiga::internal {

namespace {

struct BuiltinDevice {
    const char* name;
    std::unique_ptr<DeviceDriver> (*create)();
};

// The devices the platform offers; a new device is one more line here.
constexpr BuiltinDevice kBuiltinDevices[] = {
    {"timer.device", &CreateTimerDevice},
    {"audio.device", &CreateAudioDevice},
};

DeviceFactory FindFactory(const char* name)
{
    for (const auto& builtin : kBuiltinDevices) {
        if (std::strcmp(builtin.name, name) == 0) {
            return builtin.create;
        }
    }
    for (const auto& [extraName, factory] : Exec().extraDevices) {
        if (extraName == name) {
            return factory;
        }
    }
    return {};
}

OpenedDevice* FindOpened(const Device* device)
{
    if (device == nullptr) {
        return nullptr;
    }
    for (auto& opened : Exec().devices) {
        if (&opened->device == device) {
            return opened.get();
        }
    }
    return nullptr;
}

OpenedDevice* FindOrCreate(const char* name)
{
    auto& exec = Exec();
    for (auto& opened : exec.devices) {
        if (opened->name == name) {
            return opened.get();
        }
    }
    DeviceFactory factory = FindFactory(name);
    if (!factory) {
        return nullptr;
    }
    auto created = std::make_unique<OpenedDevice>();
    created->name = name;
    created->driver = factory();
    if (!created->driver) {
        return nullptr;
    }
    created->device.dd_Library.lib_Node.ln_Type = NT_DEVICE;
    created->device.dd_Library.lib_Node.ln_Name = created->name.data();
    created->device.dd_Library.lib_Version = 41;
    exec.devices.push_back(std::move(created));
    return exec.devices.back().get();
}

APTR NewRequest(MsgPort* port, ULONG size)
{
    auto& exec = Exec();
    if (exec.failNextRequest) {
        exec.failNextRequest = false;
        return nullptr;
    }
    if (port == nullptr || size < sizeof(IORequest) || size > 0xFFFF) {
        return nullptr;
    }
    auto* request = static_cast<IORequest*>(std::calloc(1, size));
    if (request == nullptr) {
        return nullptr;
    }
    request->io_Message.mn_Node.ln_Type = NT_REPLYMSG; // not in flight: CheckIO says done
    request->io_Message.mn_ReplyPort = port;
    request->io_Message.mn_Length = static_cast<UWORD>(size);
    return request;
}

bool InFlight(IORequest* request)
{
    std::lock_guard lock(Exec().messageLock);
    return request->io_Message.mn_Node.ln_Type == NT_MESSAGE;
}

} // namespace

void CompleteIO(IORequest* request, BYTE error)
{
    {
        std::lock_guard lock(Exec().messageLock);
        request->io_Error = error;
        if ((request->io_Flags & IOF_QUICK) != 0) {
            request->io_Message.mn_Node.ln_Type = NT_REPLYMSG;
            return;
        }
    }
    ReplyMsg(&request->io_Message);
}

uint64_t ServiceDevices()
{
    const uint64_t now = NowMicros();
    uint64_t next = UINT64_MAX;
    for (auto& opened : Exec().devices) {
        opened->driver->Service(now);
        next = std::min(next, opened->driver->NextDeadlineMicros());
    }
    return next;
}

} // namespace amiga::internal

namespace amiga {

using namespace internal;

IORequest* CreateExtIO(MsgPort* port, LONG ioSize)
{
    if (ioSize <= 0) {
        return nullptr;
    }
    return static_cast<IORequest*>(NewRequest(port, static_cast<ULONG>(ioSize)));
}

void DeleteExtIO(IORequest* ioReq)
{
    DeleteIORequest(ioReq);
}

APTR CreateIORequest(MsgPort* port, ULONG size)
{
    return NewRequest(port, size);
}

void DeleteIORequest(APTR ioReq)
{
    if (ioReq == nullptr) {
        return;
    }
    // Poison the node so that a request used after deletion is noticed sooner.
    auto* request = static_cast<IORequest*>(ioReq);
    request->io_Message.mn_Node.ln_Type = 0xFF;
    request->io_Device = nullptr;
    std::free(ioReq);
}

BYTE OpenDevice(CONST_STRPTR devName, ULONG unitNumber, IORequest* ioRequest, ULONG flags)
{
    if (ioRequest == nullptr) {
        return IOERR_OPENFAIL;
    }
    auto& exec = Exec();
    ioRequest->io_Device = nullptr;
    ioRequest->io_Unit = nullptr;
    OpenedDevice* opened = nullptr;
    if (exec.failNextDeviceOpen) {
        exec.failNextDeviceOpen = false;
    } else if (devName != nullptr) {
        opened = FindOrCreate(devName);
    }
    if (opened == nullptr) {
        ioRequest->io_Error = IOERR_OPENFAIL;
        return IOERR_OPENFAIL;
    }
    ioRequest->io_Device = &opened->device;
    const BYTE error = opened->driver->Open(unitNumber, ioRequest, flags);
    if (error != 0) {
        ioRequest->io_Device = nullptr;
        ioRequest->io_Unit = nullptr;
        ioRequest->io_Error = error;
        return error;
    }
    ++opened->openCount;
    ++opened->device.dd_Library.lib_OpenCnt;
    ioRequest->io_Error = 0;
    return 0;
}

void CloseDevice(IORequest* ioRequest)
{
    if (ioRequest == nullptr) {
        return;
    }
    OpenedDevice* opened = FindOpened(ioRequest->io_Device);
    if (opened == nullptr) {
        return;
    }
    opened->driver->Close(ioRequest);
    --opened->openCount;
    --opened->device.dd_Library.lib_OpenCnt;
    ioRequest->io_Device = nullptr;
    ioRequest->io_Unit = nullptr;
}

void BeginIO(IORequest* ioRequest)
{
    if (ioRequest == nullptr) {
        return;
    }
    {
        std::lock_guard lock(Exec().messageLock);
        ioRequest->io_Message.mn_Node.ln_Type = NT_MESSAGE;
        ioRequest->io_Error = 0;
    }
    OpenedDevice* opened = FindOpened(ioRequest->io_Device);
    if (opened == nullptr) {
        CompleteIO(ioRequest, IOERR_NOCMD);
        return;
    }
    opened->driver->BeginIO(ioRequest);
}

void SendIO(IORequest* ioRequest)
{
    if (ioRequest == nullptr) {
        return;
    }
    ioRequest->io_Flags = 0;
    BeginIO(ioRequest);
}

LONG AbortIO(IORequest* ioRequest)
{
    if (ioRequest == nullptr) {
        return IOERR_NOCMD;
    }
    OpenedDevice* opened = FindOpened(ioRequest->io_Device);
    if (opened == nullptr) {
        return IOERR_NOCMD;
    }
    if (InFlight(ioRequest)) {
        opened->driver->AbortIO(ioRequest);
    }
    return 0;
}

BYTE WaitIO(IORequest* ioRequest)
{
    if (ioRequest == nullptr) {
        return IOERR_NOCMD;
    }
    MsgPort* port = ioRequest->io_Message.mn_ReplyPort;
    while (InFlight(ioRequest)) {
        if (port != nullptr) {
            Wait(1u << port->mp_SigBit);
        } else {
            // Without a reply port nothing signals the end; sleep until the next deadline.
            const uint64_t next = ServiceDevices();
            if (InFlight(ioRequest)) {
                WaitUntilMicros(std::min(next, NowMicros() + 20000));
            }
        }
    }
    std::lock_guard lock(Exec().messageLock);
    if (port != nullptr && ioRequest->io_Message.mn_Node.ln_Type == NT_REPLYMSG) {
        // Take the reply off the port unless the caller already did with GetMsg.
        for (Node* node = port->mp_MsgList.lh_Head; node->ln_Succ != nullptr; node = node->ln_Succ) {
            if (node == &ioRequest->io_Message.mn_Node) {
                Remove(node);
                break;
            }
        }
    }
    return ioRequest->io_Error;
}

IORequest* CheckIO(IORequest* ioRequest)
{
    if (ioRequest == nullptr) {
        return nullptr;
    }
    return InFlight(ioRequest) ? nullptr : ioRequest;
}

} // namespace amiga
