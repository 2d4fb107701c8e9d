// SPDX-License-Identifier: MIT
// Fuzz target: the input is a text file's bytes. Reading gives the lines between line feeds,
// nothing lost and nothing added; writing those lines back and reading again gives them again.
#include "fuzz/FuzzSupport.h"
#include "services/OpenTextFile.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    FuzzEnterWorkingDirectory(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream("input", std::ios::binary | std::ios::trunc) << bytes;

    OpenTextFile file("input");
    const std::vector<std::string> lines = file.GetContenuto();
    FUZZ_REQUIRE(file.Errore() == 0);
    std::string joined;
    for (const std::string& line : lines) {
        FUZZ_REQUIRE(line.find('\n') == std::string::npos);
        joined += line;
        joined += '\n';
    }
    // Only a missing final line feed is added back.
    FUZZ_REQUIRE(joined == bytes || joined == bytes + "\n");

    const std::string text = file.GetContenutoString();
    size_t expected = 0;
    for (const std::string& line : lines)
        expected += line.size() + 2;
    FUZZ_REQUIRE(text.size() == expected);

    OpenTextFile copy("copy");
    FUZZ_REQUIRE(copy.SetContenuto(lines) == 1);
    FUZZ_REQUIRE(copy.GetContenuto() == lines);
    return 0;
}
