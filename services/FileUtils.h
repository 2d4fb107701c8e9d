// SPDX-License-Identifier: MIT
// Operations on paths and whole files. The separator is "/"; ":" ends a volume name.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class FileUtils {
public:
    // Something (file or directory) exists at the path.
    static short FileEsistente(std::string path);
    static short DeleteFile(std::string path);
    // 1 when a directory already stands at the path or was created; 0 when anything else
    // (a plain file) stands there.
    static short MakeDir(std::string path);
    // Size in bytes; 0 when it cannot be read.
    static long GetFileLength(std::string path);
    // Directory part with its separator, "\" turned into "/" («a\b\c.iff» -> «a/b/»);
    // up to a volume's ":" when there is no "/"; empty when there is neither.
    static std::string GetPathName(std::string path);
    static std::string GetNameFromPathName(std::string path);
    static char GetDirSeparator();
    // Appends "/" unless the path is empty or ends in "/", ":" or "\".
    static std::string AddDirSeparator(std::string path);
    // Appends the suffix unless the name already ends in it (the name's side compared in
    // lower case).
    static std::string AddSuffix(std::string name, std::string suffix);
    // Copies a non-empty plain file (anything else, a pipe say, is refused at once); the
    // destination is replaced as by ReplaceFile, so a failed copy leaves it as it was.
    static short CopyFile(std::string source, std::string destination);
    // XOR of the file's bytes folded onto 16 bytes, as 32 upper-case hex digits.
    static std::string GetFileChecksum(std::string path);

    // Whole-file replacement: the bytes go to a temporary file beside the target, are synced,
    // and the temporary file is renamed over the target, so a crash or a full disk never
    // leaves a torn or empty file. A target that exists but is not a plain file is refused.
    // A target that already holds exactly these bytes is left alone (nothing written or
    // synced). Temporary files of this target left by a program killed while replacing it
    // are removed.
    enum class ReplaceResult { Done, NotOpened, WriteFailed };
    static ReplaceResult ReplaceFile(const std::string& path, const char* data, size_t size);

    // Opens a plain file for reading, or for appending (created when missing), as a C stream;
    // null at once for anything else (a pipe, a device, a directory), which could otherwise
    // keep the open or the reading waiting for ever.
    static std::FILE* OpenPlainFile(const std::string& path, bool append);

    // A directory exists at the path.
    static bool IsDirectory(const std::string& path);
    // A plain file (no directory, pipe or device) exists at the path.
    static bool IsPlainFile(const std::string& path);
    // A path the C library can be given as it is: not empty, no NUL byte inside (which would
    // silently cut it short and name another file).
    static bool UsablePath(const std::string& path);
};
