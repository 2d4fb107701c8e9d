// SPDX-License-Identifier: MIT
// Binary files as byte streams with positioned access.
#include "services/OpenBinaryFile.h"

#include "services/FileUtils.h"

#include <utility>

OpenBinaryFile::OpenBinaryFile(std::string path) : OpenBinaryFile(std::move(path), 1, 0, 0) {}

OpenBinaryFile::OpenBinaryFile(std::string path, short read, short write)
    : OpenBinaryFile(std::move(path), read, write, 0)
{
}

OpenBinaryFile::OpenBinaryFile(std::string path, short read, short write, short append)
{
    const char* mode = "rb";
    if (read == 0 && write != 0)
        mode = "w+b";
    else if (read == 0 && append != 0)
        mode = "a+b";
    else if (read == 0)
        mode = "r+b";
    // A directory opens for reading here, yet every read of it fails: refuse it at once.
    if (FileUtils::UsablePath(path) && !FileUtils::IsDirectory(path))
        file = std::fopen(path.c_str(), mode);
    if (file == nullptr) {
        errorFlag = 1;
        notFoundFlag = 1;
        closedFlag = 1;
    }
}

OpenBinaryFile::~OpenBinaryFile()
{
    CloseFile();
}

long OpenBinaryFile::GetContenuto(long position, char* buffer, long count)
{
    if (errorFlag || closedFlag || file == nullptr)
        return 0;
    // The file's own state may still hold the end of an earlier read.
    std::clearerr(file);
    endReached = false;
    if (position < 0 || fseeko(file, position, SEEK_SET) != 0 || count < 0 || (buffer == nullptr && count > 0)) {
        errorFlag = 1;
        return 0;
    }
    const long read = count > 0 ? static_cast<long>(std::fread(buffer, 1, static_cast<size_t>(count), file)) : 0;
    if (std::feof(file)) {
        endReached = true;
        std::clearerr(file);
    } else if (std::ferror(file)) {
        errorFlag = 1;
    }
    return read;
}

short OpenBinaryFile::SaveContenuto(long position, const char* buffer, long count)
{
    if (closedFlag || file == nullptr)
        return 0;
    std::clearerr(file);
    if (position < 0 || fseeko(file, position, SEEK_SET) != 0) {
        errorFlag = 1;
        return 0;
    }
    errorFlag = 0;
    endReached = false;
    if (count < 0 || (buffer == nullptr && count > 0)) {
        errorFlag = 1;
        return 0;
    }
    // Flushed here so that a full disk shows now, not at some later call.
    if (!Write(buffer, count)) {
        errorFlag = 1;
        return 0;
    }
    return 1;
}

short OpenBinaryFile::AppendContenuto(const char* buffer, long count)
{
    if (errorFlag || closedFlag || file == nullptr)
        return 0;
    if (count < 0 || (buffer == nullptr && count > 0)) {
        errorFlag = 1;
        return 0;
    }
    std::clearerr(file);
    // stdio asks for a positioning call between a read and a write; this one stays put.
    if (fseeko(file, 0, SEEK_CUR) != 0 || !Write(buffer, count)) {
        errorFlag = 1;
        return 0;
    }
    return 1;
}

bool OpenBinaryFile::Write(const char* buffer, long count)
{
    const size_t size = static_cast<size_t>(count);
    return (size == 0 || std::fwrite(buffer, 1, size, file) == size) && std::fflush(file) == 0;
}

short OpenBinaryFile::isEOF()
{
    if (errorFlag || closedFlag || file == nullptr)
        return 0;
    return endReached ? 1 : 0;
}

void OpenBinaryFile::CloseFile()
{
    if (closedFlag || notFoundFlag || file == nullptr)
        return;
    std::fclose(file);
    file = nullptr;
    closedFlag = 1;
}
