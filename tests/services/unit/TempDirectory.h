// SPDX-License-Identifier: MIT
// A fresh temporary directory for one test, removed with everything in it afterwards, and
// small helpers to read and write whole files in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <csignal>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

class TempDirectory {
public:
    TempDirectory() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/kesa-services-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr)
            path = pattern;
    }
    ~TempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    bool Ok() const { return !path.empty(); }
    std::string Path() const { return path; }
    std::string Path(const std::string& name) const { return path + "/" + name; }
    // Names in the directory, hidden ones included.
    size_t EntryCount() const {
        size_t count = 0;
        for (auto it = std::filesystem::directory_iterator(path);
             it != std::filesystem::directory_iterator(); ++it)
            ++count;
        return count;
    }

private:
    std::string path;
};

// Runs the test's scope with the directory as the current directory.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& directory) {
        saved = std::filesystem::current_path(ignored);
        std::filesystem::current_path(directory, ignored);
    }
    ~CurrentDirectory() { std::filesystem::current_path(saved, ignored); }

private:
    std::error_code ignored;
    std::filesystem::path saved;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Ends the test program (a failure) when the scope is not left within the seconds given,
// rather than letting a call that waits for ever hang the run.
class Deadline {
public:
    explicit Deadline(unsigned seconds) { alarm(seconds); }
    ~Deadline() { alarm(0); }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;
};

// Caps the size of any file this process writes, as a full disk would: writes beyond the cap
// fail (the signal that would end the process is ignored meanwhile). Root is bound too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Active() const { return active; }

private:
    rlimit saved{};
    void (*previousHandler)(int) = SIG_DFL;
    bool active = false;
};
