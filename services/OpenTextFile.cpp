// SPDX-License-Identifier: MIT
// Text files as lists of lines.
#include "services/OpenTextFile.h"

#include "services/FileUtils.h"

#include <cstdio>
#include <cstring>
#include <utility>

OpenTextFile::OpenTextFile(const char* name) : fileName(name ? name : "") {}

OpenTextFile::OpenTextFile(std::string name) : fileName(std::move(name)) {}

short OpenTextFile::SetContenuto(const std::vector<std::string>& lines)
{
    errorFlag = 0;
    notFoundFlag = 0;
    std::string contents;
    for (const std::string& line : lines) {
        contents += line;
        contents += '\n';
    }
    switch (FileUtils::ReplaceFile(fileName, contents.data(), contents.size())) {
    case FileUtils::ReplaceResult::Done:
        return 1;
    case FileUtils::ReplaceResult::NotOpened:
        notFoundFlag = 1;
        break;
    case FileUtils::ReplaceResult::WriteFailed:
        break;
    }
    errorFlag = 1;
    return 0;
}

short OpenTextFile::AppendContenuto(const std::vector<std::string>& lines)
{
    errorFlag = 0;
    notFoundFlag = 0;
    std::FILE* file = FileUtils::OpenPlainFile(fileName, true);
    if (file == nullptr) {
        errorFlag = 1;
        notFoundFlag = 1;
        return 0;
    }
    for (const std::string& line : lines) {
        if (std::fwrite(line.data(), 1, line.size(), file) != line.size() || std::fputc('\n', file) == EOF ||
            std::fflush(file) != 0) {
            errorFlag = 1;
            break;
        }
    }
    if (std::fclose(file) != 0)
        errorFlag = 1;
    return errorFlag ? 0 : 1;
}

std::vector<std::string> OpenTextFile::GetContenuto()
{
    errorFlag = 0;
    notFoundFlag = 0;
    std::vector<std::string> lines;
    std::FILE* file = FileUtils::OpenPlainFile(fileName, false);
    if (file == nullptr) {
        errorFlag = 1;
        notFoundFlag = 1;
        return lines;
    }
    // Read in blocks and cut at line feeds, so lines of any length (and NUL bytes) survive.
    char block[65536];
    std::string line;
    size_t read;
    while ((read = std::fread(block, 1, sizeof block, file)) > 0) {
        size_t start = 0;
        while (true) {
            const void* found = std::memchr(block + start, '\n', read - start);
            const size_t end = found ? static_cast<size_t>(static_cast<const char*>(found) - block) : read;
            line.append(block + start, end - start);
            if (line.size() > MaxLineLength) {
                errorFlag = 1;
                std::fclose(file);
                return lines;
            }
            if (found == nullptr)
                break;
            lines.push_back(std::move(line));
            line.clear();
            start = end + 1;
        }
    }
    if (std::ferror(file))
        errorFlag = 1;
    else if (!line.empty())
        lines.push_back(std::move(line));
    std::fclose(file);
    return lines;
}

std::string OpenTextFile::GetContenutoString()
{
    const std::vector<std::string> lines = GetContenuto();
    std::string text;
    if (errorFlag)
        return text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}
