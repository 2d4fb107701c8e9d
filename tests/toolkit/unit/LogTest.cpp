// SPDX-License-Identifier: MIT
// The log: one line on standard output and one line appended to "log.txt".
#include "ElementTestSupport.h"
#include "tests/support/TempDirectory.h"

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(LogTest, CreatesTheFileThenAppendsOneLinePerMessage)
{
    ScopedWorkingDirectory directory;
    ASSERT_TRUE(directory.Ok());

    testing::internal::CaptureStdout();
    Application::Log("x");
    EXPECT_EQ(ReadLog(), "x\n");
    Application::Log(std::string("second line"));
    Application::Log("");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "x\nsecond line\n\n");
    EXPECT_EQ(ReadLog(), "x\nsecond line\n\n");
}

TEST(LogTest, KeepsWhatTheFileAlreadyHeld)
{
    ScopedWorkingDirectory directory;
    ASSERT_TRUE(directory.Ok());
    {
        std::ofstream out("log.txt", std::ios::binary);
        out << "earlier\n";
    }
    testing::internal::CaptureStdout();
    Application::Log("now");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(ReadLog(), "earlier\nnow\n");
}

TEST(LogTest, AnUnwritableFileStillLeavesTheConsoleLine)
{
    ScopedWorkingDirectory directory;
    ASSERT_TRUE(directory.Ok());
    // A directory where the file should be: no user, not even root, can write it as a file.
    std::filesystem::create_directory("log.txt");

    testing::internal::CaptureStdout();
    Application::Log("still here");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "still here\n");
    EXPECT_TRUE(std::filesystem::is_directory("log.txt"));
}

TEST(LogTest, APipeInPlaceOfTheFileIsNotWaitedFor)
{
    ScopedWorkingDirectory directory;
    ASSERT_TRUE(directory.Ok());
    // Nothing reads the pipe: appending to it would wait for ever.
    ASSERT_EQ(mkfifo("log.txt", 0600), 0);
    alarm(10);
    testing::internal::CaptureStdout();
    Application::Log("not stuck");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "not stuck\n");
    alarm(0);
    EXPECT_TRUE(std::filesystem::is_fifo("log.txt"));
}

} // namespace
