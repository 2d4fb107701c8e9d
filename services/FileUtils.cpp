// SPDX-License-Identifier: MIT
// Operations on paths and whole files.
#include "services/FileUtils.h"

#include "services/OpenBinaryFile.h"
#include "services/StringUtils.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Everything up to and including the last "/" of the path as the file system sees it (no
// "\" turning), where a temporary file must go so that renaming it over the target is atomic.
std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

mode_t CurrentUmask()
{
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

bool WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// The temporary file's name for a target: hidden, and short enough to stay a valid name
// whatever the target's length; mkstemp replaces the six X.
std::string TemporaryPrefix(const std::string& path)
{
    std::string prefix = ".";
    prefix.append(path, DirectoryOf(path).size(), 200);
    prefix += '.';
    return prefix;
}

bool IsTemporarySuffix(const char* suffix)
{
    for (int i = 0; i < 6; ++i)
        if (!std::isalnum(static_cast<unsigned char>(suffix[i])))
            return false;
    return suffix[6] == '\0';
}

// A program killed between creating its temporary file and renaming it leaves the file
// behind; the next replacement of the same target takes them away.
void RemoveLeftoverTemporaries(const std::string& path)
{
    const std::string directory = DirectoryOf(path);
    const std::string prefix = TemporaryPrefix(path);
    DIR* entries = opendir(directory.empty() ? "." : directory.c_str());
    if (entries == nullptr)
        return;
    while (const dirent* entry = readdir(entries)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0 ||
            !IsTemporarySuffix(entry->d_name + prefix.size()))
            continue;
        const std::string leftover = directory + entry->d_name;
        struct stat info;
        if (lstat(leftover.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            unlink(leftover.c_str());
    }
    closedir(entries);
}

// The target already holds exactly these bytes (its size is known to match).
bool HoldsBytes(const std::string& path, const char* data, size_t size)
{
    std::FILE* file = FileUtils::OpenPlainFile(path, false);
    if (file == nullptr)
        return false;
    std::vector<char> stored(size + 1);
    const size_t read = std::fread(stored.data(), 1, stored.size(), file);
    std::fclose(file);
    return read == size && (size == 0 || std::memcmp(stored.data(), data, size) == 0);
}

} // namespace

short FileUtils::FileEsistente(std::string path)
{
    return UsablePath(path) && access(path.c_str(), F_OK) == 0 ? 1 : 0;
}

short FileUtils::DeleteFile(std::string path)
{
    return UsablePath(path) && std::remove(path.c_str()) == 0 ? 1 : 0;
}

short FileUtils::MakeDir(std::string path)
{
    if (IsDirectory(path))
        return 1;
    return UsablePath(path) && mkdir(path.c_str(), 0777) == 0 ? 1 : 0;
}

long FileUtils::GetFileLength(std::string path)
{
    struct stat info;
    if (!UsablePath(path) || stat(path.c_str(), &info) != 0)
        return 0;
    return static_cast<long>(info.st_size);
}

std::string FileUtils::GetPathName(std::string path)
{
    path = StringUtils::Replace(path, '\\', '/');
    size_t end = path.rfind('/');
    if (end == std::string::npos)
        end = path.rfind(':');
    if (end == std::string::npos)
        return std::string();
    return path.substr(0, end + 1);
}

std::string FileUtils::GetNameFromPathName(std::string path)
{
    const std::string directory = GetPathName(path);
    if (directory.empty())
        return path;
    return path.substr(directory.size());
}

char FileUtils::GetDirSeparator()
{
    return '/';
}

std::string FileUtils::AddDirSeparator(std::string path)
{
    if (path.empty())
        return path;
    const char last = path.back();
    if (last == '/' || last == ':' || last == '\\')
        return path;
    return path + GetDirSeparator();
}

std::string FileUtils::AddSuffix(std::string name, std::string suffix)
{
    if (suffix.empty() || name.empty())
        return name;
    if (suffix.size() >= name.size())
        return name + suffix;
    if (StringUtils::ToLower(name.substr(name.size() - suffix.size())) == suffix)
        return name;
    return name + suffix;
}

short FileUtils::CopyFile(std::string source, std::string destination)
{
    // Looked at before it is opened: opening a pipe waits for a writer.
    struct stat info;
    if (!UsablePath(source) || stat(source.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0)
        return 0;
    OpenBinaryFile input(source);
    // The whole file is held in memory and counted in 32 bits: larger files are refused.
    if (info.st_size > INT32_MAX || input.Errore())
        return 0;
    const long size = static_cast<long>(info.st_size);
    std::vector<char> buffer(static_cast<size_t>(size));
    const long read = input.GetContenuto(0, buffer.data(), size);
    input.CloseFile();
    if (input.Errore() || read <= 0)
        return 0;
    return ReplaceFile(destination, buffer.data(), static_cast<size_t>(read)) == ReplaceResult::Done ? 1 : 0;
}

std::string FileUtils::GetFileChecksum(std::string path)
{
    constexpr long BlockSize = 10240;
    unsigned char sum[16] = {};
    OpenBinaryFile file(path);
    if (!file.Errore()) {
        std::vector<char> block(BlockSize);
        long position = 0;
        while (true) {
            const long read = file.GetContenuto(position, block.data(), BlockSize);
            for (long k = 0; k < read; ++k)
                sum[k % 16] ^= static_cast<unsigned char>(block[static_cast<size_t>(k)]);
            // Nothing read means nothing more to read, even where no end was reported.
            if (file.Errore() || file.isEOF() || read <= 0)
                break;
            position += read;
        }
        file.CloseFile();
    }
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : sum) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0f];
    }
    return text;
}

FileUtils::ReplaceResult FileUtils::ReplaceFile(const std::string& path, const char* data, size_t size)
{
    if (!UsablePath(path) || path.back() == '/' || (data == nullptr && size > 0))
        return ReplaceResult::NotOpened;
    // Whatever refused a truncating open refuses the replacement too: a directory, a file we
    // may not write. So does anything that is not a plain file (a device, a pipe): renaming
    // over it would put a plain file in its place.
    struct stat info;
    const bool exists = stat(path.c_str(), &info) == 0;
    if (exists && (!S_ISREG(info.st_mode) || access(path.c_str(), W_OK) != 0))
        return ReplaceResult::NotOpened;
    const mode_t mode = exists ? (info.st_mode & 07777) : (0666 & ~CurrentUmask());

    RemoveLeftoverTemporaries(path);
    // Saving what is already stored costs nothing, not even a sync.
    if (exists && static_cast<size_t>(info.st_size) == size && HoldsBytes(path, data, size))
        return ReplaceResult::Done;

    std::string temporary = DirectoryOf(path) + TemporaryPrefix(path) + "XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return ReplaceResult::NotOpened;
    bool written = fchmod(fd, mode) == 0 && WriteAll(fd, data, size) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return ReplaceResult::WriteFailed;
    }
    // The directory is not synced: until its entry reaches the disk, a power cut brings back
    // the old file, whole (its data was on disk before), or the new one, synced above. Losing
    // the latest save that way is allowed; a sync per file was the whole cost of a save.
    return ReplaceResult::Done;
}

std::FILE* FileUtils::OpenPlainFile(const std::string& path, bool append)
{
    if (!UsablePath(path))
        return nullptr;
    // Without O_NONBLOCK, opening a pipe waits for its other end.
    const int use = append ? (O_WRONLY | O_APPEND | O_CREAT) : O_RDONLY;
    const int fd = open(path.c_str(), use | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    struct stat info;
    const int flags = fcntl(fd, F_GETFL);
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        close(fd);
        return nullptr;
    }
    std::FILE* file = fdopen(fd, append ? "ab" : "rb");
    if (file == nullptr)
        close(fd);
    return file;
}

bool FileUtils::IsDirectory(const std::string& path)
{
    struct stat info;
    return UsablePath(path) && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FileUtils::IsPlainFile(const std::string& path)
{
    struct stat info;
    return UsablePath(path) && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool FileUtils::UsablePath(const std::string& path)
{
    return !path.empty() && path.find('\0') == std::string::npos;
}
