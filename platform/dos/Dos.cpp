// SPDX-License-Identifier: MIT
// dos: Delay and Execute.
#include "platform/dos/Dos.h"
#include "platform/exec/State.h"
#include "platform/common/Internal.h"
#include "platform/dos/Internal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace amiga::internal {

namespace {

bool IsAddress(const std::string& line)
{
    for (const char* scheme : {"http://", "https://", "mailto:"}) {
        if (strncasecmp(line.c_str(), scheme, std::strlen(scheme)) == 0) {
            return true;
        }
    }
    return false;
}

// Starts the program and waits for it. posix_spawn keeps the shell out of the way for
// addresses, whose characters (& ? ;) a shell would interpret.
LONG RunArgv(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, args[0], nullptr, nullptr, args.data(), environ) != 0) {
        return 0;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return 0;
        }
    }
    // The command ran; a shell that could not find or run it answers 127 or 126.
    if (WIFEXITED(status) && (WEXITSTATUS(status) == 127 || WEXITSTATUS(status) == 126)) {
        return 0;
    }
    return DOSTRUE;
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
LONG SpawnDetached(const std::vector<std::string>& argv)
{
    const std::string program = FindInPath(argv[0]);
    if (program.empty()) {
        return 0;
    }
    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return 0;
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
        return 0;
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
    return forked && got == 0 ? DOSTRUE : 0;
}

} // namespace

std::vector<std::string> CommandArgv(const std::string& line)
{
    // Blanks around an address must not send it to the shell, where its & or ; would start
    // commands of their own.
    const size_t first = line.find_first_not_of(" \t\r\n");
    if (first != std::string::npos) {
        const std::string address = line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
        if (IsAddress(address)) {
            return {"xdg-open", address};
        }
    }
    return {"/bin/sh", "-c", line};
}

} // namespace amiga::internal

namespace amiga {

void Delay(LONG ticks)
{
    if (ticks <= 0) {
        return;
    }
    const uint64_t micros = static_cast<uint64_t>(ticks) * (1000000u / TICKS_PER_SECOND);
    internal::WaitUntilMicros(internal::NowMicros() + micros);
}

LONG Execute(CONST_STRPTR command, BPTR input, BPTR output)
{
    (void)input;
    (void)output;
    if (command == nullptr) {
        return 0;
    }
    auto& exec = internal::Exec();
    if (exec.executeRunner) {
        return exec.executeRunner(command);
    }
    const auto argv = internal::CommandArgv(command);
    if (argv.front() == "xdg-open") {
        return internal::SpawnDetached(argv);
    }
    return internal::RunArgv(argv);
}

} // namespace amiga
