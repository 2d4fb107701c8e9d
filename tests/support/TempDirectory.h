// SPDX-License-Identifier: MIT
// A fresh temporary directory for one test, removed with everything in it afterwards, the
// same as the working directory for a scope, and whole files read and written.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempDirectory {
public:
    TempDirectory()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kesa-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            path = pattern;
    }
    ~TempDirectory()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    bool Ok() const { return !path.empty(); }
    std::string Path() const { return path; }
    std::string Path(const std::string& name) const { return path + "/" + name; }
    // Names in the directory, hidden ones included.
    size_t EntryCount() const
    {
        size_t count = 0;
        for (auto it = std::filesystem::directory_iterator(path); it != std::filesystem::directory_iterator(); ++it)
            ++count;
        return count;
    }

private:
    std::string path;
};

// A test with a temporary directory of its own.
class TempDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp.Ok()); }
    TempDirectory temp;
};

// Runs the scope with the directory as the current directory.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& directory)
    {
        saved = std::filesystem::current_path(ignored);
        std::filesystem::current_path(directory, ignored);
    }
    ~CurrentDirectory() { std::filesystem::current_path(saved, ignored); }

private:
    std::error_code ignored;
    std::filesystem::path saved;
};

// A temporary directory that is the working directory for the object's lifetime, so that
// "log.txt" and the saved game land there.
class ScopedWorkingDirectory : public TempDirectory {
    CurrentDirectory current{Path()};
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// What the program has logged in the working directory.
inline std::string ReadLog()
{
    return ReadBytes("log.txt");
}
