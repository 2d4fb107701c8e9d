// SPDX-License-Identifier: MIT
// A file held open as a byte stream for positioned reads and writes.
#pragma once

#include "services/OpenFile.h"

#include <cstdio>
#include <string>

class OpenBinaryFile : public OpenFile {
public:
    // Opens for reading only.
    explicit OpenBinaryFile(std::string path);
    // The first matching row decides: read -> read only; write -> created or emptied ("w+b");
    // append -> appending, created if missing ("a+b"); none -> read and write ("r+b").
    // A failed open (a directory included) sets the error, not-found and closed flags.
    OpenBinaryFile(std::string path, short read, short write);
    OpenBinaryFile(std::string path, short read, short write, short append);
    ~OpenBinaryFile();

    OpenBinaryFile(const OpenBinaryFile&) = delete;
    OpenBinaryFile& operator=(const OpenBinaryFile&) = delete;

    // Reads up to count bytes from the position; returns how many were read. Running into the
    // end is not an error (isEOF tells). Does nothing while the error flag is set.
    long GetContenuto(long position, char* buffer, long count);
    // Writes count bytes at the position; a successful seek clears the error flag first.
    short SaveContenuto(long position, const char* buffer, long count);
    // Writes count bytes at the current write position; refused while the error flag is set.
    short AppendContenuto(const char* buffer, long count);
    // 1 when the last read reached the end; 0 while the error flag is set or once closed.
    short isEOF();
    void CloseFile();

private:
    // Writes and flushes; false when either fails.
    bool Write(const char* buffer, long count);

    // stdio rather than a C++ stream, which would bring the whole C++ locale into the program.
    std::FILE* file = nullptr;
    short closedFlag = 0;
    bool endReached = false;
};
