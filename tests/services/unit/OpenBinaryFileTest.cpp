// SPDX-License-Identifier: MIT
// OpenBinaryFile: open modes, positioned reads and writes, the end of the file, the flags.
#include "services/OpenBinaryFile.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

using OpenBinaryFileTest = TempDirectoryTest;

TEST_F(OpenBinaryFileTest, ReadsRunIntoTheEndWithoutError)
{
    const std::string path = temp.Path("data");
    WriteBytes(path, "0123456789");
    OpenBinaryFile file(path);
    ASSERT_EQ(file.Errore(), 0);
    char buffer[100] = {};
    EXPECT_EQ(file.GetContenuto(0, buffer, 100), 10);
    EXPECT_EQ(std::string(buffer, 10), "0123456789");
    EXPECT_EQ(file.Errore(), 0);
    EXPECT_EQ(file.isEOF(), 1);

    // Reading again after the end works, and the end is reported afresh.
    EXPECT_EQ(file.GetContenuto(5, buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "567");
    EXPECT_EQ(file.isEOF(), 0);
    EXPECT_EQ(file.GetContenuto(10, buffer, 1), 0);
    EXPECT_EQ(file.isEOF(), 1);
    EXPECT_EQ(file.GetContenuto(500, buffer, 4), 0);
    EXPECT_EQ(file.Errore(), 0);

    // A read-only file refuses writes through the error flag; reads then stop too.
    EXPECT_EQ(file.SaveContenuto(0, "x", 1), 0);
    EXPECT_EQ(file.Errore(), 1);
    EXPECT_EQ(file.GetContenuto(0, buffer, 1), 0);
    EXPECT_EQ(file.isEOF(), 0);
    EXPECT_EQ(file.AppendContenuto("x", 1), 0);
    EXPECT_EQ(ReadBytes(path), "0123456789");
}

TEST_F(OpenBinaryFileTest, OpenModesFollowTheFlags)
{
    const std::string path = temp.Path("modes");
    WriteBytes(path, "abcdef");
    {
        OpenBinaryFile readWrite(path, 0, 0, 0); // "r+b": keeps the contents
        ASSERT_EQ(readWrite.Errore(), 0);
        EXPECT_EQ(readWrite.SaveContenuto(2, "XY", 2), 1);
        char buffer[6];
        EXPECT_EQ(readWrite.GetContenuto(0, buffer, 6), 6);
        EXPECT_EQ(std::string(buffer, 6), "abXYef");
        EXPECT_EQ(readWrite.AppendContenuto("!", 1), 1);
    }
    EXPECT_EQ(ReadBytes(path), "abXYef!");
    {
        OpenBinaryFile appending(path, 0, 0, 1); // "a+b": writes go to the end
        EXPECT_EQ(appending.AppendContenuto("gh", 2), 1);
        EXPECT_EQ(appending.SaveContenuto(0, "ij", 2), 1);
    }
    EXPECT_EQ(ReadBytes(path), "abXYef!ghij");
    {
        OpenBinaryFile truncating(path, 0, 1); // "w+b": emptied
        EXPECT_EQ(truncating.Errore(), 0);
        char buffer[4];
        EXPECT_EQ(truncating.GetContenuto(0, buffer, 4), 0);
        EXPECT_EQ(truncating.isEOF(), 1);
        EXPECT_EQ(truncating.SaveContenuto(3, "\0z"s.data(), 2), 1);
    }
    EXPECT_EQ(ReadBytes(path), "\0\0\0\0z"s);

    OpenBinaryFile created(temp.Path("new"), 0, 1);
    EXPECT_EQ(created.Errore(), 0);
    OpenBinaryFile createdByAppend(temp.Path("new2"), 0, 0, 1);
    EXPECT_EQ(createdByAppend.Errore(), 0);
    OpenBinaryFile notCreated(temp.Path("new3"), 0, 0, 0);
    EXPECT_EQ(notCreated.NoFound(), 1);
}

TEST_F(OpenBinaryFileTest, ASuccessfulSeekOfAWriteClearsTheError)
{
    const std::string path = temp.Path("err");
    WriteBytes(path, "abc");
    OpenBinaryFile file(path, 0, 0);
    char buffer[3];
    EXPECT_EQ(file.GetContenuto(-1, buffer, 1), 0);
    EXPECT_EQ(file.Errore(), 1);
    EXPECT_EQ(file.GetContenuto(0, buffer, 1), 0); // refused while the flag is set
    EXPECT_EQ(file.SaveContenuto(1, "B", 1), 1);
    EXPECT_EQ(file.Errore(), 0);
    EXPECT_EQ(file.GetContenuto(0, buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "aBc");
    // Nonsense counts and buffers are errors, not crashes.
    EXPECT_EQ(file.GetContenuto(0, buffer, -5), 0);
    EXPECT_EQ(file.Errore(), 1);
    EXPECT_EQ(file.SaveContenuto(0, nullptr, 2), 0);
    EXPECT_EQ(file.Errore(), 1);
    EXPECT_EQ(file.SaveContenuto(0, "A", 1), 1);
    EXPECT_EQ(file.AppendContenuto(nullptr, 3), 0);
    EXPECT_EQ(file.Errore(), 1);
}

TEST_F(OpenBinaryFileTest, ClosedFilesRefuseEverythingAndCloseTwiceHarmlessly)
{
    const std::string path = temp.Path("closed");
    WriteBytes(path, "abc");
    OpenBinaryFile file(path, 0, 0);
    file.CloseFile();
    file.CloseFile();
    char buffer[3];
    EXPECT_EQ(file.GetContenuto(0, buffer, 3), 0);
    EXPECT_EQ(file.SaveContenuto(0, "x", 1), 0);
    EXPECT_EQ(file.AppendContenuto("x", 1), 0);
    EXPECT_EQ(file.isEOF(), 0);
    EXPECT_EQ(ReadBytes(path), "abc");
}

TEST_F(OpenBinaryFileTest, BadPathsOpenNothing)
{
    ASSERT_TRUE(std::filesystem::create_directory(temp.Path("dir")));
    WriteBytes(temp.Path("plain"), "p");
    const std::string missing = temp.Path("missing");
    for (const std::string& path :
         {missing, std::string(), temp.Path("dir"), temp.Path("plain/x"), temp.Path("plain") + "\0x"s}) {
        SCOPED_TRACE(path);
        for (short write : {0, 1}) {
            if (write && path == missing)
                continue; // writing creates it
            OpenBinaryFile file(path, 0, write);
            EXPECT_EQ(file.Errore(), 1);
            EXPECT_EQ(file.NoFound(), 1);
            char buffer[4];
            EXPECT_EQ(file.GetContenuto(0, buffer, 4), 0);
            EXPECT_EQ(file.SaveContenuto(0, "x", 1), 0);
            EXPECT_EQ(file.AppendContenuto("x", 1), 0);
            EXPECT_EQ(file.isEOF(), 0);
            file.CloseFile();
        }
    }
    EXPECT_EQ(ReadBytes(temp.Path("plain")), "p");
    EXPECT_FALSE(std::filesystem::exists(temp.Path("missing")));

    WriteBytes(temp.Path("empty"), "");
    OpenBinaryFile empty(temp.Path("empty"));
    char buffer[4];
    EXPECT_EQ(empty.GetContenuto(0, buffer, 4), 0);
    EXPECT_EQ(empty.Errore(), 0);
    EXPECT_EQ(empty.isEOF(), 1);
}
