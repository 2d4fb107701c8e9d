// SPDX-License-Identifier: MIT
// The log file.
#include "services/LogFile.h"

#include "services/FileUtils.h"
#include "services/OpenTextFile.h"

#include <iostream>
#include <string>
#include <vector>

void LogFile::Write(const char* message)
{
    if (message == nullptr)
        return;
    std::cout << message << std::endl;
    // A log file that cannot be written is not reported: the console line is already out.
    OpenTextFile file("log.txt");
    const std::vector<std::string> line{message};
    if (FileUtils::FileEsistente("log.txt"))
        file.AppendContenuto(line);
    else
        file.SetContenuto(line);
}
