// SPDX-License-Identifier: MIT
// dos file handles over the host's file system. A handle is a small number mapped to a
// host descriptor, so a stale or made-up handle is refused instead of crashing.
#include "platform/dos/Dos.h"
#include "platform/exec/State.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace amiga {

namespace {

// The descriptor of a handle; -1 for a handle that is not open.
int DescriptorOf(BPTR file)
{
    auto& files = internal::Exec().files;
    const auto it = files.find(file);
    return it == files.end() ? -1 : it->second;
}

} // namespace

BPTR Open(CONST_STRPTR name, LONG accessMode)
{
    auto& exec = internal::Exec();
    if (name == nullptr || name[0] == '\0') {
        return 0;
    }
    int flags = O_CLOEXEC;
    switch (accessMode) {
    case MODE_OLDFILE:
        flags |= O_RDWR;
        break;
    case MODE_NEWFILE:
        flags |= O_RDWR | O_CREAT | O_TRUNC;
        break;
    case MODE_READWRITE:
        flags |= O_RDWR | O_CREAT;
        break;
    default:
        return 0;
    }
    int fd = open(name, flags, 0666);
    if (fd < 0 && accessMode == MODE_OLDFILE && (errno == EACCES || errno == EROFS || errno == EISDIR)) {
        // A file we may only read still opens for reading, as on the platform.
        fd = open(name, O_RDONLY | O_CLOEXEC);
    }
    if (fd < 0) {
        return 0;
    }
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        close(fd);
        return 0;
    }
    const BPTR handle = exec.nextFile++;
    exec.files[handle] = fd;
    return handle;
}

LONG Close(BPTR file)
{
    auto& files = internal::Exec().files;
    const auto it = files.find(file);
    if (it == files.end()) {
        return DOSFALSE;
    }
    const int result = close(it->second);
    files.erase(it);
    return result == 0 ? DOSTRUE : DOSFALSE;
}

LONG Read(BPTR file, APTR buffer, LONG length)
{
    const int fd = DescriptorOf(file);
    if (fd < 0 || buffer == nullptr || length < 0) {
        return -1;
    }
    auto* bytes = static_cast<char*>(buffer);
    LONG total = 0;
    while (total < length) {
        const ssize_t got = read(fd, bytes + total, static_cast<size_t>(length - total));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<LONG>(got);
    }
    return total;
}

LONG Write(BPTR file, const void* buffer, LONG length)
{
    const int fd = DescriptorOf(file);
    if (fd < 0 || buffer == nullptr || length < 0) {
        return -1;
    }
    const auto* bytes = static_cast<const char*>(buffer);
    LONG total = 0;
    while (total < length) {
        const ssize_t put = write(fd, bytes + total, static_cast<size_t>(length - total));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        total += static_cast<LONG>(put);
    }
    return total;
}

LONG Seek(BPTR file, LONG position, LONG mode)
{
    const int fd = DescriptorOf(file);
    if (fd < 0) {
        return -1;
    }
    const off_t current = lseek(fd, 0, SEEK_CUR);
    struct stat info {};
    if (current < 0 || fstat(fd, &info) != 0) {
        return -1;
    }
    off_t base = 0;
    switch (mode) {
    case OFFSET_BEGINNING:
        base = 0;
        break;
    case OFFSET_CURRENT:
        base = current;
        break;
    case OFFSET_END:
        base = info.st_size;
        break;
    default:
        return -1;
    }
    // The platform refuses positions outside the file rather than leaving a hole.
    const off_t target = base + position;
    if (target < 0 || target > info.st_size || lseek(fd, target, SEEK_SET) < 0) {
        return -1;
    }
    if (current > 0x7FFFFFFF) {
        return -1;
    }
    return static_cast<LONG>(current);
}

} // namespace amiga
