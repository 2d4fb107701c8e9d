// SPDX-License-Identifier: MIT
// What the fuzz targets share: a property that must hold, and a scratch working directory.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// A property of the code under test; a failure stops the run so that libFuzzer keeps the input.
#define FUZZ_REQUIRE(condition)                                                                                        \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);                      \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// A fresh temporary directory made the current one for the whole run, removed at exit; the
// targets that touch files do so only below it. Call it through FuzzEnterWorkingDirectory.
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

// For LLVMFuzzerInitialize, which libFuzzer lets rewrite the arguments before it reads them:
// corpus folders and inputs become absolute, crash inputs stay where the run started (unless
// -artifact_prefix says otherwise), then the run moves into the scratch directory.
inline void FuzzEnterWorkingDirectory(int* argc, char*** argv)
{
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    const std::filesystem::path started = std::filesystem::current_path();
    bool prefixGiven = false;
    for (int i = 0; i < *argc; ++i) {
        std::string argument = (*argv)[i];
        if (i > 0 && !argument.empty() && argument[0] != '-')
            argument = std::filesystem::absolute(argument).string();
        prefixGiven = prefixGiven || argument.rfind("-artifact_prefix=", 0) == 0;
        arguments.push_back(argument);
    }
    if (!prefixGiven)
        arguments.push_back("-artifact_prefix=" + (started / "").string());
    for (std::string& argument : arguments)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    *argc = static_cast<int>(arguments.size());
    *argv = pointers.data();
    FuzzWorkingDirectory();
}
