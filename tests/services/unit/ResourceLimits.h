// SPDX-License-Identifier: MIT
// Bounds a services test puts on itself: a time limit and a full disk.
#pragma once

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

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
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
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
