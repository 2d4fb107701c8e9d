// SPDX-License-Identifier: MIT
// dos: Delay, Execute and file handles.
#include "platform/dos/Dos.h"
#include "platform/dos/Internal.h"
#include "platform/common/Internal.h"
#include "platform/testing/Testing.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace amiga;

namespace {

class Dos : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetPlatform();
        ASSERT_TRUE(dir.Ok());
    }
    void TearDown() override { ResetPlatform(); }
    std::string Path(const char* name) const { return dir.Path(name); }

    TempDirectory dir;
};

TEST_F(Dos, DelayWaitsItsTicks)
{
    const uint64_t start = internal::NowMicros();
    Delay(5);
    const uint64_t elapsed = internal::NowMicros() - start;
    EXPECT_GE(elapsed, 100000u);
    EXPECT_LT(elapsed, 1000000u);

    const uint64_t again = internal::NowMicros();
    Delay(0);
    Delay(-3);
    EXPECT_LT(internal::NowMicros() - again, 50000u);
}

TEST_F(Dos, AddressesGoToTheOpenerAndEverythingElseToTheShell)
{
    using Argv = std::vector<std::string>;
    EXPECT_EQ(internal::CommandArgv("https://example.org/a?b=1&c=2"),
              (Argv{"xdg-open", "https://example.org/a?b=1&c=2"}));
    EXPECT_EQ(internal::CommandArgv("http://example.org"), (Argv{"xdg-open", "http://example.org"}));
    EXPECT_EQ(internal::CommandArgv("mailto:someone@example.org"), (Argv{"xdg-open", "mailto:someone@example.org"}));
    EXPECT_EQ(internal::CommandArgv("HTTPS://EXAMPLE.ORG"), (Argv{"xdg-open", "HTTPS://EXAMPLE.ORG"}));
    EXPECT_EQ(internal::CommandArgv("echo http://x; true"), (Argv{"/bin/sh", "-c", "echo http://x; true"}));
    EXPECT_EQ(internal::CommandArgv("ftp://example.org"), (Argv{"/bin/sh", "-c", "ftp://example.org"}));
    // Blanks around an address do not hand its & to a shell.
    EXPECT_EQ(internal::CommandArgv(" https://example.org/?a=1&touch x\n"),
              (Argv{"xdg-open", "https://example.org/?a=1&touch x"}));
    EXPECT_EQ(internal::CommandArgv("  "), (Argv{"/bin/sh", "-c", "  "}));
}

TEST_F(Dos, TheRunnerSeesEveryLineAndItsResultComesBack)
{
    std::vector<std::string> lines;
    SetExecuteRunner([&lines](const std::string& line) {
        lines.push_back(line);
        return LONG{7};
    });
    EXPECT_EQ(Execute("mailto:a@b.c", 0, 0), 7);
    EXPECT_EQ(Execute("ls -l", 0, 0), 7);
    EXPECT_EQ(Execute(nullptr, 0, 0), 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"mailto:a@b.c", "ls -l"}));
}

TEST_F(Dos, TheShellRunsCommandsAndReportsOnesItCannotRun)
{
    const std::string marker = Path("ran");
    EXPECT_NE(Execute(("touch '" + marker + "'").c_str(), 0, 0), 0);
    EXPECT_TRUE(std::filesystem::exists(marker));
    EXPECT_EQ(Execute("kesa-no-such-command-here 2>/dev/null", 0, 0), 0);
}

TEST_F(Dos, FilesWriteReadAndSeek)
{
    const std::string path = Path("data.bin");
    BPTR file = Open(path.c_str(), MODE_NEWFILE);
    ASSERT_NE(file, 0u);
    EXPECT_EQ(Write(file, "FORM0123456789", 14), 14);
    EXPECT_EQ(Seek(file, 4, OFFSET_BEGINNING), 14) << "Seek answers the previous position";
    char buffer[32] = {};
    EXPECT_EQ(Read(file, buffer, 3), 3);
    EXPECT_STREQ(buffer, "012");
    EXPECT_EQ(Seek(file, -2, OFFSET_END), 7);
    EXPECT_EQ(Read(file, buffer, 32), 2);
    EXPECT_EQ(std::string(buffer, 2), "89");
    EXPECT_EQ(Read(file, buffer, 32), 0) << "end of file";
    EXPECT_EQ(Seek(file, 5, OFFSET_END), -1) << "no seeking past the end";
    EXPECT_EQ(Seek(file, -20, OFFSET_CURRENT), -1);
    EXPECT_EQ(Close(file), DOSTRUE);

    file = Open(path.c_str(), MODE_OLDFILE);
    ASSERT_NE(file, 0u);
    EXPECT_EQ(Read(file, buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "FORM");
    EXPECT_EQ(Close(file), DOSTRUE);

    file = Open(path.c_str(), MODE_READWRITE);
    ASSERT_NE(file, 0u);
    EXPECT_EQ(Seek(file, 0, OFFSET_END), 0);
    EXPECT_EQ(Seek(file, 0, OFFSET_CURRENT), 14) << "read-write keeps the contents";
    EXPECT_EQ(Close(file), DOSTRUE);
}

TEST_F(Dos, BadNamesAndHandlesFailCleanly)
{
    EXPECT_EQ(Open(Path("missing").c_str(), MODE_OLDFILE), 0u);
    EXPECT_EQ(Open(dir.Path().c_str(), MODE_OLDFILE), 0u) << "a directory is not a file";
    EXPECT_EQ(Open(nullptr, MODE_OLDFILE), 0u);
    EXPECT_EQ(Open(Path("x").c_str(), 1234), 0u);

    char buffer[4];
    EXPECT_EQ(Read(12345, buffer, 4), -1);
    EXPECT_EQ(Write(12345, buffer, 4), -1);
    EXPECT_EQ(Seek(12345, 0, OFFSET_BEGINNING), -1);
    EXPECT_EQ(Close(12345), DOSFALSE);

    BPTR file = Open(Path("once").c_str(), MODE_NEWFILE);
    ASSERT_NE(file, 0u);
    EXPECT_EQ(Close(file), DOSTRUE);
    EXPECT_EQ(Close(file), DOSFALSE) << "a closed handle is refused";
}

} // namespace
