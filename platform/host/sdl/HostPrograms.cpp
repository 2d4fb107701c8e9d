// SPDX-License-Identifier: MIT
// The desktop host's programs: dos's Execute runs commands and opens addresses through these.
#include "platform/host/Host.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace amiga::host {

namespace {

// Starts the program and waits for it. posix_spawn keeps the shell out of the way for
// addresses, whose characters (& ? ;) a shell would interpret.
bool RunArgv(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, args[0], nullptr, nullptr, args.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    // The command ran; a shell that could not find or run it answers 127 or 126.
    if (WIFEXITED(status) && (WEXITSTATUS(status) == 127 || WEXITSTATUS(status) == 126)) {
        return false;
    }
    return true;
}

std::string FindInPath(const std::string& program)
{
    if (program.find('/') != std::string::npos) {
        return access(program.c_str(), X_OK) == 0 ? program : std::string();
    }
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) {
            end = dirs.size();
        }
        std::string dir = dirs.substr(start, end - start);
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

// Starts the opener without waiting for it: some desktops' openers stay until the browser
// closes, and the program must not freeze meanwhile. The opener is detached (double fork)
// so no zombie is left; a close-on-exec pipe tells whether it really started.
bool SpawnDetached(const std::vector<std::string>& argv)
{
    const std::string program = FindInPath(argv[0]);
    if (program.empty()) {
        return false;
    }
    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return false;
    }
    const pid_t child = fork();
    if (child == 0) {
        // Only async-signal-safe calls from here on: other threads may hold locks.
        const pid_t opener = fork();
        if (opener == 0) {
            setsid();
            execve(program.c_str(), args.data(), environ);
            const int error = errno;
            (void)!write(fds[1], &error, sizeof error);
            _exit(127);
        }
        _exit(opener < 0 ? 1 : 0);
    }
    close(fds[1]);
    if (child < 0) {
        close(fds[0]);
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int execError = 0;
    ssize_t got = 0;
    do {
        got = read(fds[0], &execError, sizeof execError);
    } while (got < 0 && errno == EINTR);
    close(fds[0]);
    const bool forked = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return forked && got == 0;
}

} // namespace

bool RunProgram(const std::vector<std::string>& argv)
{
    return !argv.empty() && RunArgv(argv);
}

bool OpenAddress(const std::string& address)
{
    return SpawnDetached({"xdg-open", address});
}

} // namespace amiga::host
