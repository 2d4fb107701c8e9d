// SPDX-License-Identifier: MIT
// FileUtils: path texts, existence and directories, copying, checksums, bad paths.
#include "services/FileUtils.h"

#include "ResourceLimits.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace std::string_literals;

using FileUtilsTest = TempDirectoryTest;

TEST(FileUtilsPathTest, DirectoryAndNameParts)
{
    EXPECT_EQ(FileUtils::GetPathName("file"), "");
    EXPECT_EQ(FileUtils::GetPathName("Work:file"), "Work:");
    EXPECT_EQ(FileUtils::GetPathName("/"), "/");
    EXPECT_EQ(FileUtils::GetPathName("a\\b\\c.iff"), "a/b/");
    EXPECT_EQ(FileUtils::GetPathName("Work:Sounds/x.iff"), "Work:Sounds/");
    EXPECT_EQ(FileUtils::GetPathName(""), "");
    EXPECT_EQ(FileUtils::GetNameFromPathName("Work:Sounds/x.iff"), "x.iff");
    EXPECT_EQ(FileUtils::GetNameFromPathName("Work:x.iff"), "x.iff");
    EXPECT_EQ(FileUtils::GetNameFromPathName("x.iff"), "x.iff");
    EXPECT_EQ(FileUtils::GetNameFromPathName("dir/"), "");
    EXPECT_EQ(FileUtils::GetNameFromPathName("a\\b\\c.iff"), "c.iff");
    EXPECT_EQ(FileUtils::GetDirSeparator(), '/');
}

TEST(FileUtilsPathTest, SeparatorsAndSuffixes)
{
    EXPECT_EQ(FileUtils::AddDirSeparator(""), "");
    EXPECT_EQ(FileUtils::AddDirSeparator("a/"), "a/");
    EXPECT_EQ(FileUtils::AddDirSeparator("Work:"), "Work:");
    EXPECT_EQ(FileUtils::AddDirSeparator("a\\"), "a\\");
    EXPECT_EQ(FileUtils::AddDirSeparator("RAM:T"), "RAM:T/");
    EXPECT_EQ(FileUtils::AddSuffix(".iff", ".iff"), ".iff.iff");
    EXPECT_EQ(FileUtils::AddSuffix("A.IFF", ".iff"), "A.IFF");
    EXPECT_EQ(FileUtils::AddSuffix("a.iff", ".IFF"), "a.iff.IFF");
    EXPECT_EQ(FileUtils::AddSuffix("a", ".iff"), "a.iff");
    EXPECT_EQ(FileUtils::AddSuffix("", ".iff"), "");
    EXPECT_EQ(FileUtils::AddSuffix("a", ""), "a");
}

TEST_F(FileUtilsTest, ExistenceDeletionDirectoriesAndLength)
{
    const std::string file = temp.Path("f");
    const std::string dir = temp.Path("d");
    EXPECT_EQ(FileUtils::FileEsistente(file), 0);
    EXPECT_EQ(FileUtils::GetFileLength(file), 0);
    WriteBytes(file, "12345");
    EXPECT_EQ(FileUtils::FileEsistente(file), 1);
    EXPECT_EQ(FileUtils::GetFileLength(file), 5);
    EXPECT_EQ(FileUtils::MakeDir(dir), 1);
    EXPECT_EQ(FileUtils::MakeDir(dir), 1);
    EXPECT_EQ(FileUtils::FileEsistente(dir), 1);
    EXPECT_TRUE(FileUtils::IsDirectory(dir));
    EXPECT_EQ(FileUtils::MakeDir(file), 0); // a plain file stands there: no directory
    EXPECT_FALSE(FileUtils::IsDirectory(file));
    EXPECT_EQ(FileUtils::MakeDir(temp.Path("no/such")), 0);
    EXPECT_EQ(FileUtils::DeleteFile(file), 1);
    EXPECT_EQ(FileUtils::DeleteFile(file), 0);
    EXPECT_EQ(FileUtils::FileEsistente(file), 0);
}

TEST_F(FileUtilsTest, CopyReplacesTheDestinationWhole)
{
    const std::string source = temp.Path("src");
    const std::string destination = temp.Path("dst");
    std::string bytes;
    for (int i = 0; i < 30000; ++i)
        bytes += static_cast<char>(i * 7);
    WriteBytes(source, bytes);
    WriteBytes(destination, std::string(50000, 'o'));
    EXPECT_EQ(FileUtils::CopyFile(source, destination), 1);
    EXPECT_TRUE(ReadBytes(destination) == bytes);
    EXPECT_EQ(temp.EntryCount(), 2u);
    EXPECT_EQ(FileUtils::CopyFile(source, source), 1);
    EXPECT_TRUE(ReadBytes(source) == bytes);
}

// Mended: the destination was truncated first, so a failed write left it torn.
TEST_F(FileUtilsTest, AFailedCopyLeavesTheDestinationAsItWas)
{
    const std::string source = temp.Path("src");
    const std::string destination = temp.Path("dst");
    WriteBytes(source, std::string(20000, 's'));
    WriteBytes(destination, "keep");
    {
        FileSizeLimit fullDisk(8192);
        ASSERT_TRUE(fullDisk.Active());
        EXPECT_EQ(FileUtils::CopyFile(source, destination), 0);
    }
    EXPECT_EQ(ReadBytes(destination), "keep");
    EXPECT_EQ(temp.EntryCount(), 2u);
}

TEST_F(FileUtilsTest, CopyRefusesEmptyMissingDirectoryAndPipePaths)
{
    const std::string empty = temp.Path("empty");
    const std::string source = temp.Path("src");
    const std::string dir = temp.Path("dir");
    WriteBytes(empty, "");
    WriteBytes(source, "abc");
    ASSERT_TRUE(FileUtils::MakeDir(dir));
    ASSERT_EQ(mkfifo(temp.Path("pipe").c_str(), 0600), 0);
    EXPECT_EQ(FileUtils::CopyFile(temp.Path("pipe"), temp.Path("out")), 0); // without waiting for a writer
    EXPECT_EQ(FileUtils::CopyFile(empty, temp.Path("out")), 0);
    EXPECT_EQ(FileUtils::CopyFile(temp.Path("missing"), temp.Path("out")), 0);
    EXPECT_EQ(FileUtils::CopyFile(dir, temp.Path("out")), 0);
    EXPECT_EQ(FileUtils::CopyFile("", temp.Path("out")), 0);
    EXPECT_FALSE(FileUtils::FileEsistente(temp.Path("out")));
    EXPECT_EQ(FileUtils::CopyFile(source, dir), 0);
    EXPECT_TRUE(FileUtils::IsDirectory(dir));
    EXPECT_EQ(FileUtils::CopyFile(source, temp.Path("nodir/out")), 0);
    EXPECT_EQ(FileUtils::CopyFile(source, ""), 0);
    EXPECT_EQ(FileUtils::CopyFile(source, temp.Path("out") + "\0x"s), 0);
    EXPECT_EQ(FileUtils::CopyFile(source, dir + "/"), 0);
    EXPECT_FALSE(FileUtils::FileEsistente(temp.Path("out")));
    EXPECT_EQ(temp.EntryCount(), 4u);
}

TEST_F(FileUtilsTest, ChecksumFoldsTheBytesOntoSixteen)
{
    const std::string path = temp.Path("sum");
    WriteBytes(path, "\x01\x23\x45\x67\x89\xab\xcd\xef\x00\x11\x22\x33\x44\x55\x66\xff"s);
    EXPECT_EQ(FileUtils::GetFileChecksum(path), "0123456789ABCDEF00112233445566FF");
    WriteBytes(path, "\x01\x23\x45\x67\x89\xab\xcd\xef\x00\x11\x22\x33\x44\x55\x66\xff"
                     "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10"s);
    EXPECT_EQ(FileUtils::GetFileChecksum(path), "002146638CADCAE7091B293F495B69EF");

    // Across the reader's blocks, the fold still follows the offset within the file.
    std::string bytes(10240 * 2 + 5, '\0');
    bytes[0] = 0x11;
    bytes[10240 + 16] = 0x22;
    bytes[20480 + 1] = 0x33;
    bytes[20480 + 4] = 0x44;
    WriteBytes(path, bytes);
    EXPECT_EQ(FileUtils::GetFileChecksum(path), "3333000044" + std::string(22, '0'));
    const std::string zeros(32, '0');
    WriteBytes(path, "");
    EXPECT_EQ(FileUtils::GetFileChecksum(path), zeros);
    EXPECT_EQ(FileUtils::GetFileChecksum(temp.Path("missing")), zeros);
    EXPECT_EQ(FileUtils::GetFileChecksum(temp.Path()), zeros);
    EXPECT_EQ(FileUtils::GetFileChecksum(""), zeros);
}

TEST_F(FileUtilsTest, BadPathsGiveFailuresNotSurprises)
{
    WriteBytes(temp.Path("plain"), "p");
    // A path with a NUL inside must not act on the shorter name before it.
    const std::string cut = temp.Path("plain") + "\0tail"s;
    for (const std::string& path : {std::string(), cut, temp.Path("plain/x")}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(FileUtils::FileEsistente(path), 0);
        EXPECT_EQ(FileUtils::DeleteFile(path), 0);
        EXPECT_EQ(FileUtils::MakeDir(path), 0);
        EXPECT_EQ(FileUtils::GetFileLength(path), 0);
        EXPECT_FALSE(FileUtils::IsDirectory(path));
        EXPECT_EQ(FileUtils::GetFileChecksum(path), std::string(32, '0'));
    }
    EXPECT_EQ(ReadBytes(temp.Path("plain")), "p");
    // A directory is something that exists; deleting an empty one succeeds as C remove does.
    ASSERT_TRUE(FileUtils::MakeDir(temp.Path("d")));
    EXPECT_EQ(FileUtils::FileEsistente(temp.Path("d")), 1);
    EXPECT_EQ(FileUtils::DeleteFile(temp.Path()), 0); // not empty
    EXPECT_EQ(FileUtils::DeleteFile(temp.Path("d")), 1);
    // Binary and huge path texts only fail.
    const std::string binary = "\x01\xff\x7f/\x80"s;
    EXPECT_EQ(FileUtils::FileEsistente(binary), 0);
    EXPECT_EQ(FileUtils::FileEsistente(std::string(100000, 'x')), 0);
    EXPECT_EQ(FileUtils::MakeDir(std::string(100000, 'x')), 0);
    EXPECT_EQ(FileUtils::GetPathName(std::string(100000, '\\')).size(), 100000u);
}
