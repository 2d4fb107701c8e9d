// SPDX-License-Identifier: MIT
// The system's requests to end the program (SIGTERM from a session that ends, SIGINT from a
// terminal, SIGHUP) become a Break host event, never the window's close request: nobody is
// there to answer a question. A handler may do next to nothing, so it only writes to a pipe;
// a thread of ours reads it and queues the event, which also wakes a wait in progress.
#include "platform/host/sdl/HostState.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <thread>
#include <unistd.h>

namespace amiga::host {

namespace {

constexpr int Signals[] = {SIGTERM, SIGINT, SIGHUP};

std::atomic<int> writeEnd{-1};

void OnSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(writeEnd.load(), &byte, 1);
    errno = saved;
}

struct Watch {
    int readEnd = -1;
    std::thread reader;
    struct sigaction previous[std::size(Signals)] = {};

    ~Watch() { Stop(); }

    void Start()
    {
        int ends[2];
        if (reader.joinable() || pipe2(ends, O_CLOEXEC) != 0) {
            return;
        }
        readEnd = ends[0];
        writeEnd = ends[1];
        reader = std::thread([fd = readEnd] {
            for (;;) {
                char byte = 0;
                const ssize_t got = read(fd, &byte, 1);
                if (got < 0 && errno == EINTR) {
                    continue;
                }
                if (got != 1 || byte == 0) {
                    return;
                }
                internal::HostEvent event;
                event.kind = internal::HostEvent::Kind::Break;
                PushEvent(event);
            }
        });
        struct sigaction action = {};
        action.sa_handler = OnSignal;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < std::size(Signals); ++i) {
            sigaction(Signals[i], &action, &previous[i]);
        }
    }

    void Stop()
    {
        if (!reader.joinable()) {
            return;
        }
        for (size_t i = 0; i < std::size(Signals); ++i) {
            sigaction(Signals[i], &previous[i], nullptr);
        }
        const char stop = 0;
        [[maybe_unused]] const ssize_t written = write(writeEnd.load(), &stop, 1);
        reader.join();
        close(readEnd);
        close(writeEnd.exchange(-1));
        readEnd = -1;
    }
};

Watch& Watcher()
{
    static Watch watch;
    return watch;
}

} // namespace

void CatchTermination()
{
    Watcher().Start();
}

void ReleaseTermination()
{
    Watcher().Stop();
}

} // namespace amiga::host
