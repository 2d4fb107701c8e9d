// SPDX-License-Identifier: MIT
// Time and sync calls of the game's save, seven values of which one changed, on an idle disk
// and while another process keeps writing to the same disk. A plain program: it works in a
// fresh directory below the current one, so run it from a directory on the disk to measure.
#include "services/Enviroment.h"
#include "services/FileUtils.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

int syncCalls = 0;

template <typename Function> Function Next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

// Counted here, then passed on to the C library.
extern "C" int fsync(int fd)
{
    ++syncCalls;
    static const auto real = Next<int (*)(int)>("fsync");
    return real(fd);
}

extern "C" int fdatasync(int fd)
{
    ++syncCalls;
    static const auto real = Next<int (*)(int)>("fdatasync");
    return real(fd);
}

namespace {

constexpr int Values = 7;
constexpr int Batches = 200;

// One save as the game makes it after a click: every value written, exactly one of them new.
void SaveBatch(int round)
{
    static int changes[Values] = {};
    ++changes[round % Values];
    for (int i = 0; i < Values; ++i) {
        std::string value = std::to_string(i);
        value += ' ';
        value += std::to_string(changes[i]);
        Enviroment::SetValueKey("KesaPegline", "Partita", std::to_string(i), value);
    }
}

// Another program writing to the same disk: 1 MiB blocks into a 64 MiB file, synced every
// 16 MiB, until it is killed.
pid_t StartDiskWriter()
{
    const pid_t child = fork();
    if (child != 0)
        return child;
    const int fd = open("writer.bin", O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char> block(1 << 20, 'x');
    for (long written = 0;; ++written) {
        if (write(fd, block.data(), block.size()) < 0)
            _exit(1);
        if (written % 16 == 15)
            fdatasync(fd);
        if (written % 64 == 63)
            lseek(fd, 0, SEEK_SET);
    }
}

void Measure(const char* label)
{
    SaveBatch(0); // every value exists before timing starts
    std::vector<double> millis;
    const int syncsBefore = syncCalls;
    for (int round = 1; round <= Batches; ++round) {
        const auto start = std::chrono::steady_clock::now();
        SaveBatch(round);
        const auto end = std::chrono::steady_clock::now();
        millis.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(millis.begin(), millis.end());
    std::printf("%-34s median %7.2f ms   p90 %7.2f ms   max %7.2f ms   syncs/save %.1f\n", label,
                millis[millis.size() / 2], millis[millis.size() * 9 / 10], millis.back(),
                static_cast<double>(syncCalls - syncsBefore) / Batches);
}

} // namespace

int main()
{
    char directory[] = "savebench.XXXXXX";
    if (mkdtemp(directory) == nullptr || chdir(directory) != 0) {
        std::perror("savebench");
        return 1;
    }
    std::printf("%d saves of %d values, one changed per save\n", Batches, Values);
    Measure("idle disk");
    const pid_t writer = StartDiskWriter();
    usleep(500000); // let the writer fill the queue first
    Measure("concurrent writer on the same disk");
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    if (chdir("..") != 0 || std::system((std::string("rm -rf ") + directory).c_str()) != 0)
        return 1;
    return 0;
}
