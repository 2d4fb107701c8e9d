// SPDX-License-Identifier: MIT
// OpenTextFile: lines in and out, whole-file replacement, appending, bad paths.
#include "services/FileUtils.h"
#include "services/OpenTextFile.h"

#include "ResourceLimits.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace std::string_literals;
using Lines = std::vector<std::string>;

using OpenTextFileTest = TempDirectoryTest;

TEST_F(OpenTextFileTest, LinesRoundTripWithLineFeeds)
{
    const std::string path = temp.Path("t.txt");
    OpenTextFile file(path);
    EXPECT_EQ(file.SetContenuto({"a", ""}), 1);
    EXPECT_EQ(ReadBytes(path), "a\n\n");
    EXPECT_EQ(file.GetContenuto(), (Lines{"a", ""}));
    EXPECT_EQ(file.GetContenutoString(), "a\r\n\r\n");
    EXPECT_EQ(file.Errore(), 0);
    EXPECT_EQ(file.NoFound(), 0);

    // A carriage return stays part of its line; a last line without line feed still counts.
    WriteBytes(path, "x\r\ny\0z\nlast"s);
    EXPECT_EQ(file.GetContenuto(), (Lines{"x\r", "y\0z"s, "last"}));

    // An empty list still creates, or empties, the file.
    EXPECT_EQ(file.SetContenuto({}), 1);
    EXPECT_TRUE(FileUtils::FileEsistente(path));
    EXPECT_EQ(ReadBytes(path), "");
    EXPECT_EQ(file.GetContenuto(), Lines{});
    EXPECT_EQ(file.GetContenutoString(), "");
    EXPECT_EQ(file.Errore(), 0);

    OpenTextFile fromCharPointer(path.c_str());
    EXPECT_EQ(fromCharPointer.SetContenuto({"3"}), 1);
    EXPECT_EQ(fromCharPointer.GetContenutoString(), "3\r\n");
}

// Mended: a line longer than 255 characters ended the reading silently.
TEST_F(OpenTextFileTest, LinesOfAnyLengthAreRead)
{
    const std::string path = temp.Path("long.txt");
    OpenTextFile file(path);
    WriteBytes(path, std::string(300, 'x'));
    EXPECT_EQ(file.GetContenuto(), Lines{std::string(300, 'x')});
    EXPECT_EQ(file.Errore(), 0);

    // A play history of a thousand proposals is one line of 6999 characters.
    std::string history = "012312";
    for (int i = 1; i < 1000; ++i)
        history += ";321021";
    ASSERT_EQ(file.SetContenuto({"1", history, "0"}), 1);
    EXPECT_EQ(file.GetContenuto(), (Lines{"1", history, "0"}));
    EXPECT_EQ(file.GetContenutoString(), "1\r\n" + history + "\r\n0\r\n");

    // Lines crossing the reader's block boundaries come back whole.
    const std::string big(OpenTextFile::MaxLineLength, 'b');
    ASSERT_EQ(file.SetContenuto({"a", big, "c"}), 1);
    EXPECT_EQ(file.GetContenuto(), (Lines{"a", big, "c"}));
    EXPECT_EQ(file.Errore(), 0);
}

TEST_F(OpenTextFileTest, ALineBeyondTheCapIsAnErrorNotASilentEnd)
{
    const std::string path = temp.Path("huge.txt");
    WriteBytes(path, "first\n" + std::string(OpenTextFile::MaxLineLength + 1, 'h') + "\nlast\n");
    OpenTextFile file(path);
    EXPECT_EQ(file.GetContenuto(), Lines{"first"});
    EXPECT_EQ(file.Errore(), 1);
    EXPECT_EQ(file.NoFound(), 0);
    EXPECT_EQ(file.GetContenutoString(), "");
    EXPECT_EQ(file.Errore(), 1);
}

// Mended: the file was truncated in place, so a failed write left it torn or empty.
TEST_F(OpenTextFileTest, AFailedReplacementKeepsTheOldContents)
{
    const std::string path = temp.Path("saved");
    OpenTextFile file(path);
    ASSERT_EQ(file.SetContenuto({"old"}), 1);
    ASSERT_EQ(temp.EntryCount(), 1u); // no temporary file left behind
    {
        FileSizeLimit fullDisk(4096);
        ASSERT_TRUE(fullDisk.Active());
        EXPECT_EQ(file.SetContenuto({std::string(3000, 'n'), std::string(3000, 'n')}), 0);
        EXPECT_EQ(file.Errore(), 1);
        EXPECT_EQ(file.NoFound(), 0);
    }
    EXPECT_EQ(ReadBytes(path), "old\n");
    EXPECT_EQ(temp.EntryCount(), 1u);
    EXPECT_EQ(file.SetContenuto({"new"}), 1);
    EXPECT_EQ(file.Errore(), 0);
    EXPECT_EQ(ReadBytes(path), "new\n");
}

TEST_F(OpenTextFileTest, ReplacementKeepsTheFileModeAndRefusesWhatIsNotAPlainFile)
{
    const std::string path = temp.Path("mode");
    WriteBytes(path, "x\n");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    OpenTextFile file(path);
    ASSERT_EQ(file.SetContenuto({"y"}), 1);
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    ASSERT_TRUE(FileUtils::MakeDir(temp.Path("dir")));
    OpenTextFile directory(temp.Path("dir"));
    EXPECT_EQ(directory.SetContenuto({"z"}), 0);
    EXPECT_EQ(directory.Errore(), 1);
    EXPECT_EQ(directory.NoFound(), 1);
    EXPECT_TRUE(FileUtils::IsDirectory(temp.Path("dir")));

    // A pipe (or a device) stays what it is: renaming over it would replace it by a plain file.
    const std::string pipe = temp.Path("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(OpenTextFile(pipe).SetContenuto({"z"}), 0);
    WriteBytes(temp.Path("src"), "s");
    EXPECT_EQ(FileUtils::CopyFile(temp.Path("src"), pipe), 0);
    ASSERT_EQ(stat(pipe.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(OpenTextFileTest, AppendingAddsAtTheEndAndCreatesAMissingFile)
{
    // The log's pattern: create the file with the first line, append the others.
    const std::string path = temp.Path("log.txt");
    OpenTextFile log(path);
    ASSERT_FALSE(FileUtils::FileEsistente(path));
    EXPECT_EQ(log.SetContenuto({"one"}), 1);
    ASSERT_TRUE(FileUtils::FileEsistente(path));
    EXPECT_EQ(log.AppendContenuto({"two"}), 1);
    EXPECT_EQ(log.AppendContenuto({"three", ""}), 1);
    EXPECT_EQ(ReadBytes(path), "one\ntwo\nthree\n\n");

    OpenTextFile fresh(temp.Path("fresh.txt"));
    EXPECT_EQ(fresh.AppendContenuto({}), 1);
    EXPECT_TRUE(FileUtils::FileEsistente(temp.Path("fresh.txt")));

    // Appending grows the same file rather than replacing it.
    struct stat before, after;
    ASSERT_EQ(stat(path.c_str(), &before), 0);
    EXPECT_EQ(log.AppendContenuto({"four"}), 1);
    ASSERT_EQ(stat(path.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(OpenTextFileTest, BadPathsFailWithBothFlags)
{
    ASSERT_TRUE(FileUtils::MakeDir(temp.Path("dir")));
    WriteBytes(temp.Path("plain"), "p\n");
    const std::string missing = temp.Path("missing");
    for (const std::string& path : {missing, std::string(), temp.Path("dir"), temp.Path("nodir/file"),
                                    temp.Path("plain/file"), temp.Path("plain") + "\0x"s}) {
        SCOPED_TRACE(path);
        OpenTextFile file(path);
        EXPECT_EQ(file.GetContenuto(), Lines{});
        EXPECT_EQ(file.Errore(), 1);
        EXPECT_EQ(file.NoFound(), 1);
        EXPECT_EQ(file.GetContenutoString(), "");
        if (path == missing)
            continue; // writing creates it
        EXPECT_EQ(file.SetContenuto({"x"}), 0);
        EXPECT_EQ(file.Errore(), 1);
        EXPECT_EQ(file.NoFound(), 1);
        EXPECT_EQ(file.AppendContenuto({"x"}), 0);
        EXPECT_EQ(file.Errore(), 1);
        EXPECT_EQ(file.NoFound(), 1);
    }
    EXPECT_EQ(ReadBytes(temp.Path("plain")), "p\n");
    EXPECT_FALSE(FileUtils::FileEsistente(temp.Path("nodir")));

    // An empty file has no lines and no error.
    WriteBytes(temp.Path("empty"), "");
    OpenTextFile empty(temp.Path("empty"));
    EXPECT_EQ(empty.GetContenuto(), Lines{});
    EXPECT_EQ(empty.Errore(), 0);
    EXPECT_EQ(empty.NoFound(), 0);

    OpenTextFile nullName(static_cast<const char*>(nullptr));
    EXPECT_EQ(nullName.GetContenuto(), Lines{});
    EXPECT_EQ(nullName.NoFound(), 1);
}

TEST_F(OpenTextFileTest, WhatIsNotAPlainFileIsRefusedAtOnce)
{
    // A pipe without a writer (or reader) would keep the open waiting for ever; a device
    // could be read without end.
    const std::string pipe = temp.Path("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string device = temp.Path("device");
    ASSERT_EQ(symlink("/dev/zero", device.c_str()), 0);
    Deadline deadline(10);
    for (const std::string& path : {pipe, device}) {
        SCOPED_TRACE(path);
        OpenTextFile file(path);
        EXPECT_EQ(file.GetContenuto(), Lines{});
        EXPECT_EQ(file.Errore(), 1);
        EXPECT_EQ(file.NoFound(), 1);
        EXPECT_EQ(file.GetContenutoString(), "");
        EXPECT_EQ(file.AppendContenuto({"x"}), 0);
        EXPECT_EQ(file.Errore(), 1);
        EXPECT_EQ(file.NoFound(), 1);
    }
    struct stat info;
    ASSERT_EQ(stat(pipe.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(OpenTextFileTest, UnreadableFileFailsWithBothFlags)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root; the directory cases above cover it";
    const std::string path = temp.Path("secret");
    WriteBytes(path, "s\n");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    OpenTextFile file(path);
    EXPECT_EQ(file.GetContenuto(), Lines{});
    EXPECT_EQ(file.NoFound(), 1);
    EXPECT_EQ(file.SetContenuto({"x"}), 0);
    EXPECT_EQ(file.AppendContenuto({"x"}), 0);
    chmod(path.c_str(), 0600);
    EXPECT_EQ(ReadBytes(path), "s\n");
}
