// SPDX-License-Identifier: MIT
// exec memory: the host's heap. Chip memory is ordinary memory here.
#include "platform/exec/State.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <unistd.h>

namespace amiga {

namespace {

bool TakeAllocationFailure()
{
    auto& exec = internal::Exec();
    if (exec.failNextAllocation) {
        exec.failNextAllocation = false;
        return true;
    }
    return false;
}

// A field of /proc/meminfo in bytes; 0 when it cannot be read. Read through stdio: a C++
// stream would set up the whole of the C++ locale, pages the program otherwise never touches.
uint64_t MemInfoBytes(const std::string& field)
{
    std::FILE* file = std::fopen("/proc/meminfo", "r");
    if (file == nullptr) {
        return 0;
    }
    const std::string wanted = field + ":";
    char line[256];
    uint64_t bytes = 0;
    while (std::fgets(line, sizeof line, file) != nullptr) {
        if (std::strncmp(line, wanted.c_str(), wanted.size()) == 0) {
            bytes = std::strtoull(line + wanted.size(), nullptr, 10) * 1024;
            break;
        }
    }
    std::fclose(file);
    return bytes;
}

uint64_t SysconfBytes(int pagesName)
{
    const long pages = sysconf(pagesName);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) {
        return 0;
    }
    return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
}

// Memory blocks of AllocVec remember their size just before the caller's pointer, with the
// header kept at the strictest alignment so the caller's block stays aligned too.
constexpr size_t kVecHeader = alignof(std::max_align_t);

} // namespace

APTR AllocMem(ULONG byteSize, ULONG requirements)
{
    if (byteSize == 0 || TakeAllocationFailure()) {
        return nullptr;
    }
    if ((requirements & MEMF_CLEAR) != 0) {
        return std::calloc(1, byteSize);
    }
    return std::malloc(byteSize);
}

void FreeMem(APTR memoryBlock, ULONG byteSize)
{
    (void)byteSize;
    std::free(memoryBlock);
}

APTR AllocVec(ULONG byteSize, ULONG requirements)
{
    if (byteSize == 0 || TakeAllocationFailure()) {
        return nullptr;
    }
    const size_t total = kVecHeader + byteSize;
    auto* block =
        static_cast<unsigned char*>((requirements & MEMF_CLEAR) != 0 ? std::calloc(1, total) : std::malloc(total));
    if (block == nullptr) {
        return nullptr;
    }
    const size_t size = byteSize;
    std::memcpy(block, &size, sizeof size);
    return block + kVecHeader;
}

void FreeVec(APTR memoryBlock)
{
    if (memoryBlock == nullptr) {
        return;
    }
    std::free(static_cast<unsigned char*>(memoryBlock) - kVecHeader);
}

IPTR AvailMem(ULONG requirements)
{
    uint64_t bytes = 0;
    if ((requirements & MEMF_TOTAL) != 0) {
        bytes = MemInfoBytes("MemTotal");
        if (bytes == 0) {
            bytes = SysconfBytes(_SC_PHYS_PAGES);
        }
    } else {
        // MEMF_LARGEST: the host has no fragmentation worth reporting; its free memory is
        // the largest block it can hand out.
        bytes = MemInfoBytes("MemAvailable");
        if (bytes == 0) {
            bytes = SysconfBytes(_SC_AVPHYS_PAGES);
        }
    }
    return static_cast<IPTR>(std::min<uint64_t>(bytes, std::numeric_limits<IPTR>::max()));
}

} // namespace amiga
