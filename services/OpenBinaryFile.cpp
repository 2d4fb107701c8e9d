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
    std::ios::openmode mode = std::ios::in | std::ios::binary;
    if (read == 0 && write != 0)
        mode = std::ios::in | std::ios::out | std::ios::trunc | std::ios::binary;
    else if (read == 0 && append != 0)
        mode = std::ios::in | std::ios::out | std::ios::app | std::ios::binary;
    else if (read == 0)
        mode = std::ios::in | std::ios::out | std::ios::binary;
    stream = std::make_unique<std::fstream>();
    // A directory opens for reading here, yet every read of it fails: refuse it at once.
    if (FileUtils::UsablePath(path) && !FileUtils::IsDirectory(path))
        stream->open(path, mode);
    if (!stream->is_open() || !stream->good()) {
        stream.reset();
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
    if (errorFlag || closedFlag || !stream)
        return 0;
    // The stream's own state may still hold the end of an earlier read.
    stream->clear();
    endReached = false;
    stream->seekg(position);
    if (stream->fail() || count < 0 || (buffer == nullptr && count > 0)) {
        errorFlag = 1;
        return 0;
    }
    stream->read(buffer, count);
    const long read = static_cast<long>(stream->gcount());
    if (stream->eof()) {
        endReached = true;
        stream->clear();
    } else if (stream->fail()) {
        errorFlag = 1;
    }
    return read;
}

short OpenBinaryFile::SaveContenuto(long position, const char* buffer, long count)
{
    if (closedFlag || !stream)
        return 0;
    stream->clear();
    stream->seekp(position);
    if (stream->fail()) {
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
    stream->write(buffer, count);
    stream->flush();
    if (stream->fail()) {
        errorFlag = 1;
        return 0;
    }
    return 1;
}

short OpenBinaryFile::AppendContenuto(const char* buffer, long count)
{
    if (errorFlag || closedFlag || !stream)
        return 0;
    if (count < 0 || (buffer == nullptr && count > 0)) {
        errorFlag = 1;
        return 0;
    }
    stream->clear();
    stream->write(buffer, count);
    stream->flush();
    if (stream->fail()) {
        errorFlag = 1;
        return 0;
    }
    return 1;
}

short OpenBinaryFile::isEOF()
{
    if (errorFlag || closedFlag || !stream)
        return 0;
    return endReached ? 1 : 0;
}

void OpenBinaryFile::CloseFile()
{
    if (closedFlag || notFoundFlag || !stream)
        return;
    stream->close();
    stream.reset();
    closedFlag = 1;
}
