// SPDX-License-Identifier: MIT
// The log file.
#include "services/LogFile.h"

#include "services/FileUtils.h"
#include "services/OpenTextFile.h"

#include <cstdio>
#include <string>
#include <vector>

void LogFile::Write(const char* message)
{
    if (message == nullptr)
        return;
    // stdio rather than std::cout: <iostream> would set up the C++ locale at every start.
    std::printf("%s\n", message);
    std::fflush(stdout);
    // A log file that cannot be written is not reported: the console line is already out.
    OpenTextFile file("log.txt");
    const std::vector<std::string> line{message};
    if (FileUtils::FileEsistente("log.txt"))
        file.AppendContenuto(line);
    else
        file.SetContenuto(line);
}
