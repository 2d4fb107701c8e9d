// SPDX-License-Identifier: MIT
// What the fuzz targets share: a property that must hold, and a scratch working directory.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

// A property of the code under test; a failure stops the run so that libFuzzer keeps the input.
#define FUZZ_REQUIRE(condition)                                                                  \
    do {                                                                                         \
        if (!(condition)) {                                                                      \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                        \
        }                                                                                        \
    } while (false)

// A fresh temporary directory made the current one for the whole run, removed at exit; the
// targets that touch files do so only below it.
inline const std::filesystem::path& FuzzWorkingDirectory()
{
    static const std::filesystem::path directory = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "kesa-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::filesystem::current_path(pattern);
        std::atexit([] {
            std::error_code ignored;
            const std::filesystem::path inside = std::filesystem::current_path(ignored);
            std::filesystem::current_path(inside.parent_path(), ignored);
            std::filesystem::remove_all(inside, ignored);
        });
        return std::filesystem::path(pattern);
    }();
    return directory;
}
