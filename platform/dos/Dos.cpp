// SPDX-License-Identifier: MIT
// dos: Delay and Execute.
#include "platform/dos/Dos.h"
#include "platform/exec/State.h"
#include "platform/common/Internal.h"
#include "platform/dos/Internal.h"
#include "platform/host/Host.h"

#include <cstring>
#include <strings.h>

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
    // Starting programs is the host system's business: a browser opens addresses and runs
    // nothing else.
    const auto argv = internal::CommandArgv(command);
    if (argv.front() == "xdg-open") {
        return host::OpenAddress(argv[1]) ? DOSTRUE : 0;
    }
    return host::RunProgram(argv) ? DOSTRUE : 0;
}

} // namespace amiga
