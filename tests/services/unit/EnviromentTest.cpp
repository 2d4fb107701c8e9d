// SPDX-License-Identifier: MIT
// Enviroment: random numbers and their seeding, commands, the beep, the settings store,
// well-known directories and the fixed values.
#include "services/Enviroment.h"

#include "platform/testing/InputTesting.h"
#include "platform/testing/Testing.h"
#include "services/FileUtils.h"
#include "services/OpenTextFile.h"

#include "ResourceLimits.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <set>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int syncCalls = 0;

} // namespace

// Every sync the store asks for is counted here on its way to the kernel.
extern "C" int fsync(int fd)
{
    ++syncCalls;
    return static_cast<int>(syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd)
{
    ++syncCalls;
    return static_cast<int>(syscall(SYS_fdatasync, fd));
}

namespace {

// Draws a few numbers after seeding with the given value, as Random reduces them.
std::vector<int> SeededDraws(unsigned seed, int count)
{
    std::srand(seed);
    std::vector<int> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(std::rand() % 1000);
    return draws;
}

std::vector<int> RandomDraws(int count)
{
    std::vector<int> draws;
    for (int i = 0; i < count; ++i)
        draws.push_back(Enviroment::Random(0, 999));
    return draws;
}

} // namespace

TEST(EnviromentRandomTest, DrawsStayInTheirRange)
{
    Enviroment::RandomizeFlag = 0;
    std::set<int> seen;
    for (int i = 0; i < 10000; ++i) {
        const int value = Enviroment::Random(0, 7);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 7);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 8u);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(Enviroment::Random(5, 5), 5);
        const int value = Enviroment::Random(-3, 3);
        EXPECT_GE(value, -3);
        EXPECT_LE(value, 3);
    }
    // The widest range and a reversed one neither overflow nor divide by zero.
    (void)Enviroment::Random(INT_MIN, INT_MAX);
    EXPECT_GE(Enviroment::Random(INT_MAX - 1, INT_MAX), INT_MAX - 1);
    EXPECT_EQ(Enviroment::Random(3, 1), 3);
    EXPECT_EQ(Enviroment::Random(0, -1), 0);
}

TEST(EnviromentRandomTest, SeedsFromTheClockOnlyWhenTheFlagIsClear)
{
    Enviroment::RandomizeFlag = 0;
    (void)Enviroment::Random(0, 7);
    EXPECT_EQ(Enviroment::RandomizeFlag, 1);

    // Flag set: the generator goes on where it is, no reseeding.
    const std::vector<int> expected = SeededDraws(12345, 5);
    std::srand(12345);
    EXPECT_EQ(RandomDraws(5), expected);
    EXPECT_EQ(Enviroment::RandomizeFlag, 1);

    // Flag cleared: the next draw reseeds, and two reseedings from the same generator state
    // within one second of the clock still draw differently.
    std::srand(12345);
    Enviroment::RandomizeFlag = 0;
    const std::vector<int> first = RandomDraws(5);
    EXPECT_EQ(Enviroment::RandomizeFlag, 1);
    std::srand(12345);
    Enviroment::RandomizeFlag = 0;
    EXPECT_NE(RandomDraws(5), first);
    EXPECT_NE(first, expected);
}

TEST(EnviromentShellTest, CommandLinesReachThePlatformUnchanged)
{
    std::vector<std::string> lines;
    amiga::SetExecuteRunner([&lines](const std::string& line) {
        lines.push_back(line);
        return 7;
    });
    EXPECT_EQ(Enviroment::Shell("x", "y"), 7);
    EXPECT_EQ(Enviroment::Shell("x", "y", 0), 7);
    EXPECT_EQ(Enviroment::Shell("x", "y", 1), 7);
    EXPECT_EQ(Enviroment::Shell("https://example.org/a b?c=\"d\""), 7);
    EXPECT_EQ(Enviroment::Shell(""), 7);
    // A NUL inside would run only the part before it: nothing runs.
    EXPECT_EQ(Enviroment::Shell(std::string("rm x\0y", 6)), 0);
    amiga::SetExecuteRunner({});
    EXPECT_EQ(lines, (std::vector<std::string>{"x y", "x y", "x y", "https://example.org/a b?c=\"d\"", ""}));
}

TEST(EnviromentBeepTest, BothBeepsFlashTheDisplay)
{
    const amiga::ULONG before = amiga::DisplayBeepCount();
    Enviroment::Beep();
    EXPECT_EQ(amiga::DisplayBeepCount(), before + 1);
    Enviroment::BeepError();
    EXPECT_EQ(amiga::DisplayBeepCount(), before + 2);
}

class EnviromentSettingsTest : public TempDirectoryTest {
protected:
    CurrentDirectory inside{temp.Path()};
};

TEST_F(EnviromentSettingsTest, ValuesAreOneLineFilesAndReadBackWithCarriageReturn)
{
    EXPECT_EQ(Enviroment::SetValueKey("a", "b", "c", "3"), 1);
    EXPECT_EQ(ReadBytes("Settings/a/b/c"), "3\n");
    EXPECT_EQ(Enviroment::GetValueKey("a", "b", "c"), "3\r\n");
    EXPECT_EQ(Enviroment::SetValueKey("a", "b", "c", ""), 1);
    EXPECT_EQ(ReadBytes("Settings/a/b/c"), "\n");
    EXPECT_EQ(Enviroment::GetValueKey("a", "b", "c"), "\r\n");
    // A value stored with a carriage return keeps it: the reader's Trim takes both off.
    WriteBytes("Settings/a/b/c", "3\r\n");
    EXPECT_EQ(Enviroment::GetValueKey("a", "b", "c"), "3\r\r\n");
    EXPECT_EQ(temp.EntryCount(), 1u);

    // Never written: empty, with the directories made on the way and no file.
    EXPECT_EQ(Enviroment::GetFileSettings("x", "y", "z"), "Settings/x/y/z");
    EXPECT_EQ(Enviroment::GetValueKey("k1", "k2", "k3"), "");
    EXPECT_TRUE(FileUtils::IsDirectory("Settings/k1/k2"));
    EXPECT_FALSE(FileUtils::FileEsistente("Settings/k1/k2/k3"));
    EXPECT_FALSE(FileUtils::FileEsistente("Settings/x/y/z"));
}

// Mended with the text files: a play history longer than 255 characters read back empty.
TEST_F(EnviromentSettingsTest, LongValuesReadBackWhole)
{
    std::string history = "012312";
    for (int i = 0; i < 200; ++i)
        history += ";321021";
    ASSERT_EQ(Enviroment::SetValueKey("game", "state", "proposte", history), 1);
    EXPECT_EQ(Enviroment::GetValueKey("game", "state", "proposte"), history + "\r\n");
}

TEST_F(EnviromentSettingsTest, AFailedSaveKeepsTheOldValue)
{
    ASSERT_EQ(Enviroment::SetValueKey("a", "b", "c", "old"), 1);
    {
        FileSizeLimit fullDisk(1024);
        ASSERT_TRUE(fullDisk.Active());
        EXPECT_EQ(Enviroment::SetValueKey("a", "b", "c", std::string(4096, 'n')), 0);
    }
    EXPECT_EQ(Enviroment::GetValueKey("a", "b", "c"), "old\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("Settings/a/b"), std::filesystem::directory_iterator()),
              1);
}

TEST_F(EnviromentSettingsTest, UnusableSettingsGiveEmptyValuesAndFalse)
{
    // The value's place is a directory.
    ASSERT_TRUE(std::filesystem::create_directories("Settings/a/b/c"));
    EXPECT_EQ(Enviroment::GetValueKey("a", "b", "c"), "");
    EXPECT_EQ(Enviroment::SetValueKey("a", "b", "c", "1"), 0);
    // A key directory is a plain file.
    WriteBytes("Settings/f", "plain");
    EXPECT_EQ(Enviroment::GetValueKey("f", "b", "c"), "");
    EXPECT_EQ(Enviroment::SetValueKey("f", "b", "c", "1"), 0);
    EXPECT_EQ(ReadBytes("Settings/f"), "plain");
    // Empty keys name a directory, not a file.
    EXPECT_EQ(Enviroment::GetValueKey("", "", ""), "");
    EXPECT_EQ(Enviroment::SetValueKey("", "", "", "1"), 0);
    EXPECT_TRUE(FileUtils::IsDirectory("Settings"));
}

TEST(EnviromentSettingsPlainFileTest, SettingsAsAPlainFileGivesEmptyValuesAndFalse)
{
    TempDirectory temp;
    ASSERT_TRUE(temp.Ok());
    CurrentDirectory inside(temp.Path());
    WriteBytes("Settings", "not a directory");
    EXPECT_EQ(Enviroment::GetValueKey("a", "b", "c"), "");
    EXPECT_EQ(Enviroment::SetValueKey("a", "b", "c", "3"), 0);
    EXPECT_EQ(ReadBytes("Settings"), "not a directory");
}

TEST_F(EnviromentSettingsTest, UnwritableSettingsDirectoryGivesFalse)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root; plain files in the way cover it";
    ASSERT_EQ(Enviroment::SetValueKey("a", "b", "c", "old"), 1);
    ASSERT_EQ(chmod("Settings/a/b", 0500), 0);
    EXPECT_EQ(Enviroment::SetValueKey("a", "b", "c", "new"), 0);
    EXPECT_EQ(Enviroment::GetValueKey("a", "b", "c"), "old\r\n");
    ASSERT_EQ(chmod("Settings/a/b/c", 0), 0);
    EXPECT_EQ(Enviroment::GetValueKey("a", "b", "c"), "");
    chmod("Settings/a/b/c", 0600);
    chmod("Settings/a/b", 0700);
}

TEST_F(EnviromentSettingsTest, ASettingsFileThatIsNotAPlainFileIsRefusedAtOnce)
{
    Enviroment::GetFileSettings("a", "b", "c");
    ASSERT_EQ(mkfifo("Settings/a/b/c", 0600), 0); // nothing will ever write to it
    Deadline deadline(10);
    EXPECT_EQ(Enviroment::GetValueKey("a", "b", "c"), "");
    EXPECT_EQ(Enviroment::SetValueKey("a", "b", "c", "1"), 0);
    struct stat info;
    ASSERT_EQ(stat("Settings/a/b/c", &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(EnviromentSettingsTest, AValueTooLongToReadBackIsRefused)
{
    ASSERT_EQ(Enviroment::SetValueKey("a", "b", "c", "old"), 1);
    EXPECT_EQ(Enviroment::SetValueKey("a", "b", "c", std::string(OpenTextFile::MaxLineLength + 1, 'x')), 0);
    EXPECT_EQ(Enviroment::GetValueKey("a", "b", "c"), "old\r\n");
    // The longest readable value is stored and read back whole.
    const std::string longest(OpenTextFile::MaxLineLength, 'y');
    EXPECT_EQ(Enviroment::SetValueKey("a", "b", "c", longest), 1);
    EXPECT_TRUE(Enviroment::GetValueKey("a", "b", "c") == longest + "\r\n");
}

TEST_F(EnviromentSettingsTest, TemporaryFilesOfAKilledSaveGoWithTheNextSaveOfTheValue)
{
    ASSERT_EQ(Enviroment::SetValueKey("a", "b", "c", "1"), 1);
    // What a save killed between creating and renaming its temporary file leaves behind...
    const std::vector<std::string> leftovers = {".c.Ab12Cd", ".c.ZZZZZZ", ".c.000000"};
    // ...and names that only look alike, which belong to something else.
    const std::vector<std::string> others = {".c.Ab12C", ".c.Ab12Cde", ".d.Ab12Cd",
                                             "c.Ab12Cd", ".c.Ab-2Cd",  ".cc.Ab12Cd"};
    for (const bool sameValue : {false, true}) {
        SCOPED_TRACE(sameValue ? "the value saved again unchanged" : "a new value");
        for (const std::string& name : leftovers)
            WriteBytes("Settings/a/b/" + name, "2\n");
        for (const std::string& name : others)
            WriteBytes("Settings/a/b/" + name, "o\n");
        ASSERT_TRUE(std::filesystem::create_directory("Settings/a/b/.c.Dir123"));
        const std::string value = sameValue ? "1" : "3";
        ASSERT_EQ(Enviroment::SetValueKey("a", "b", "c", value), 1);
        EXPECT_EQ(Enviroment::GetValueKey("a", "b", "c"), value + "\r\n");
        for (const std::string& name : leftovers)
            EXPECT_FALSE(FileUtils::FileEsistente("Settings/a/b/" + name)) << name;
        for (const std::string& name : others)
            EXPECT_EQ(ReadBytes("Settings/a/b/" + name), "o\n") << name;
        EXPECT_TRUE(FileUtils::IsDirectory("Settings/a/b/.c.Dir123"));
        std::filesystem::remove("Settings/a/b/.c.Dir123");
        ASSERT_EQ(Enviroment::SetValueKey("a", "b", "c", "1"), 1);
    }
}

TEST_F(EnviromentSettingsTest, ASaveOfSevenValuesWithOneChangedSyncsAtMostTwice)
{
    const auto save = [](int changed, const std::string& value) {
        for (int i = 0; i < 7; ++i)
            ASSERT_EQ(
                Enviroment::SetValueKey("game", "state", std::to_string(i), i == changed ? value : std::to_string(i)),
                1);
    };
    save(-1, "");
    struct stat before;
    ASSERT_EQ(stat("Settings/game/state/2", &before), 0);

    syncCalls = 0;
    save(3, "changed");
    EXPECT_LE(syncCalls, 2);
    EXPECT_GE(syncCalls, 1); // the new value itself reaches the disk before it replaces the old
    EXPECT_EQ(Enviroment::GetValueKey("game", "state", "3"), "changed\r\n");

    // Nothing changed: nothing written, nothing synced, the files untouched.
    syncCalls = 0;
    save(3, "changed");
    EXPECT_EQ(syncCalls, 0);
    struct stat after;
    ASSERT_EQ(stat("Settings/game/state/2", &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Enviroment::GetValueKey("game", "state", std::to_string(i)),
                  (i == 3 ? "changed" : std::to_string(i)) + "\r\n");
    // A value of the same length but other bytes is still written.
    save(3, "chang3d");
    EXPECT_EQ(Enviroment::GetValueKey("game", "state", "3"), "chang3d\r\n");
}

TEST_F(EnviromentSettingsTest, WellKnownDirectories)
{
    EXPECT_EQ(Enviroment::PathTemp(), "RAM:T");
    EXPECT_EQ(Enviroment::PathProgramFiles(), "c:");
    EXPECT_EQ(Enviroment::PathSystem(), "SYS:");
    EXPECT_EQ(Enviroment::PathWindows(), "SYS:");
    EXPECT_FALSE(FileUtils::FileEsistente("RAM:T"));
    const std::pair<std::string (*)(), const char*> created[] = {
        {Enviroment::PathDocuments, "Documenti"},   {Enviroment::PathDesktop, "Desktop"},
        {Enviroment::PathPublicDesktop, "Desktop"}, {Enviroment::PathDownloads, "Download"},
        {Enviroment::PathAppData, "Data"},          {Enviroment::PathMusic, "Musica"},
        {Enviroment::PathPictures, "Immagini"},     {Enviroment::PathProgramData, "ProgramData"}};
    for (const auto& [path, name] : created) {
        EXPECT_EQ(path(), name);
        EXPECT_TRUE(FileUtils::IsDirectory(name)) << name;
    }
    // Something else in the way: the name comes back all the same.
    ASSERT_TRUE(std::filesystem::remove("Musica"));
    WriteBytes("Musica", "x");
    EXPECT_EQ(Enviroment::PathMusic(), "Musica");
    EXPECT_EQ(ReadBytes("Musica"), "x");
}

TEST(EnviromentSystemTest, VersionMemoryAndFixedValues)
{
    EXPECT_EQ(Enviroment::WindowsVer(), "45");
    amiga::SetLibraryMissing("workbench.library", true);
    EXPECT_EQ(Enviroment::WindowsVer(), "");
    amiga::SetLibraryMissing("workbench.library", false);
    EXPECT_EQ(Enviroment::WindowsVer(), "45");

    const uint64_t total = Enviroment::MemoryTotal();
    EXPECT_GT(total, 0u);
    EXPECT_LE(Enviroment::MemoryFree(), total);
    EXPECT_LE(Enviroment::MemoryInUse(), total);

    EXPECT_EQ(Enviroment::MemoryVirtualTotal(), 0u);
    EXPECT_EQ(Enviroment::MemoryVirtualFree(), 0u);
    EXPECT_EQ(Enviroment::GetSpaceDrive("SYS:"), 0u);
    EXPECT_EQ(Enviroment::GetSpaceDriveFree("SYS:"), 0u);
    EXPECT_TRUE(Enviroment::GetDrives().empty());
    EXPECT_EQ(Enviroment::GetClipboardText(), "");
    EXPECT_EQ(Enviroment::SetClipboardText("x"), 1);
    EXPECT_EQ(Enviroment::GetClipboardText(), "");
    EXPECT_EQ(Enviroment::GetLastErrorAsString(), "");
    EXPECT_EQ(Enviroment::ComputerName(), "");
    EXPECT_EQ(Enviroment::Username(), "");
    EXPECT_EQ(Enviroment::CurrentDirerctory(), "");
    EXPECT_EQ(Enviroment::Print("x"), 0);
    const auto before = std::filesystem::current_path();
    EXPECT_EQ(Enviroment::SetCurrentDir("/"), 0);
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_STREQ(Enviroment::ConsoleWindow, "CON:/30/400/100//AUTO/CLOSE");
}
