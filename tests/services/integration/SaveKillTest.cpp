// SPDX-License-Identifier: MIT
// The settings store under a program killed while saving: every value is found old or new,
// never torn or empty, and the next save takes away what the killed saves left.
#include "services/Enviroment.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int Values = 7;
constexpr int Kills = 60;

std::string Key(int i)
{
    return "v" + std::to_string(i);
}
// Old and new differ in length and bytes, so a torn or mixed file shows.
std::string OldValue(int i)
{
    return "old " + std::to_string(i);
}
std::string NewValue(int i)
{
    return std::string(3000 + 500 * static_cast<size_t>(i), static_cast<char>('a' + i));
}

// Saves every value, old and new in turn, until killed.
[[noreturn]] void SaveForEver()
{
    for (int round = 0;; ++round)
        for (int i = 0; i < Values; ++i)
            Enviroment::SetValueKey("kill", "test", Key(i), round % 2 == 0 ? NewValue(i) : OldValue(i));
}

int HiddenFiles(const std::string& directory)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        count += entry.path().filename().string()[0] == '.' ? 1 : 0;
    return count;
}

} // namespace

TEST(SaveKillTest, EveryValueIsOldOrNewAfterAKillAtAnyMoment)
{
    TempDirectory temp;
    ASSERT_TRUE(temp.Ok());
    CurrentDirectory inside(temp.Path());
    for (int i = 0; i < Values; ++i)
        ASSERT_EQ(Enviroment::SetValueKey("kill", "test", Key(i), OldValue(i)), 1);

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> pause(0, 20000); // microseconds
    int newSeen = 0;
    int killsLeavingTemporaries = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            SaveForEver();
        usleep(static_cast<useconds_t>(pause(random)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        killsLeavingTemporaries += HiddenFiles("Settings/kill/test") > 0 ? 1 : 0;
        for (int i = 0; i < Values; ++i) {
            const std::string value = Enviroment::GetValueKey("kill", "test", Key(i));
            const bool old = value == OldValue(i) + "\r\n";
            const bool fresh = value == NewValue(i) + "\r\n";
            ASSERT_TRUE(old || fresh) << "kill " << kill << ", value " << i << ": " << value.size() << " bytes";
            newSeen += fresh ? 1 : 0;
        }
    }
    EXPECT_GT(newSeen, 0); // the children did get saves through
    RecordProperty("KillsLeavingTemporaries", killsLeavingTemporaries);

    // One more save of each value clears what the killed saves left.
    for (int i = 0; i < Values; ++i)
        ASSERT_EQ(Enviroment::SetValueKey("kill", "test", Key(i), OldValue(i)), 1);
    EXPECT_EQ(HiddenFiles("Settings/kill/test"), 0);
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator("Settings/kill/test"), std::filesystem::directory_iterator()),
        Values);
}
