// SPDX-License-Identifier: MIT
// A named text file read or written as a list of lines in one call; no handle is kept open.
#pragma once

#include "services/OpenFile.h"

#include <cstddef>
#include <string>
#include <vector>

class OpenTextFile : public OpenFile {
public:
    // Longest line GetContenuto accepts; a longer one sets the error flag.
    static constexpr size_t MaxLineLength = size_t{1} << 20;

    explicit OpenTextFile(const char* name);
    explicit OpenTextFile(std::string name);

    // Replaces the file by the lines, each followed by a line feed. The new contents are
    // written beside the file and renamed over it: on failure the old contents stay.
    // Returns 1 on success; a file that cannot be created sets both flags, a failed write
    // the error flag.
    short SetContenuto(const std::vector<std::string>& lines);
    // Adds the lines at the end, each followed by a line feed; creates a missing file. Only a
    // plain file is read or added to: anything else sets both flags at once.
    short AppendContenuto(const std::vector<std::string>& lines);
    // The file's lines without their line feeds (a carriage return stays). A file that cannot
    // be read gives no lines and both flags; a line longer than MaxLineLength ends the
    // reading with the error flag set.
    std::vector<std::string> GetContenuto();
    // Every line followed by "\r\n"; empty when GetContenuto failed.
    std::string GetContenutoString();

private:
    std::string fileName;
};
