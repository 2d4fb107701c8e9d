// SPDX-License-Identifier: MIT
// The program entry in process: the old log goes, the libraries open in order with their
// exact log lines, the run ends through the quit question, and what cannot start says so.
#include "game/Program.h"
#include "platform/intuition/Intuition.h"
#include "platform/testing/InputTesting.h"
#include "platform/testing/RequesterTesting.h"
#include "platform/testing/Testing.h"
#include "toolkit/core/Application.h"

#include "tests/support/ToolkitFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

class ProgramEntry : public ToolkitFixture {
protected:
    // Runs the whole program. Close requests arrive from outside every 200 ms (one that
    // comes before the window exists finds nothing to close), and the quit question is
    // answered yes with Return.
    int RunProgram()
    {
        amiga::AnswerNextRequesterWithKey(0x44);
        std::atomic<bool> finished{false};
        std::thread closer([&finished] {
            while (!finished) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                amiga::internal::HostEvent close;
                close.kind = amiga::internal::HostEvent::Kind::CloseRequest;
                if (!finished)
                    amiga::InjectHostEvent(close);
            }
        });
        const int status = Program::Main();
        finished = true;
        closer.join();
        return status;
    }
};

} // namespace

TEST_F(ProgramEntry, AWholeRunStartsWithAFreshLogAndClosesWhatItOpened)
{
    std::ofstream("log.txt") << "left by the previous run\n";
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(ReadLog().find("left by the previous run"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists("Settings/KesaPegline.exe/dati/Pegline_Code"));
    for (amiga::Library* handle : {IntuitionBase, GfxBase, GadToolsBase, LocaleBase, KeymapBase, DiskfontBase, AslBase})
        EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(amiga::FrontScreen(), nullptr) << "the screen is closed";
    EXPECT_EQ(Program::Title(), "Kesa Pegline - http://www.kesa.example (c) 2026 the Kesa "
                                "Pegline developers");
}

TEST_F(ProgramEntry, MissingLibrariesAreLoggedInOrderAndOnlyTheNeededOnesStopTheRun)
{
    // Without diskfont and asl the game still runs; both are logged, diskfont first.
    amiga::SetLibraryMissing("diskfont.library", true);
    amiga::SetLibraryMissing("asl.library", true);
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_EQ(ReadLog().rfind("Can't open  diskfont.library \nCan't open  asl.library!\n", 0), 0u) << ReadLog();

    // Without intuition there is no screen: every missing library is logged, then the
    // reason, and nothing is left open.
    amiga::SetLibraryMissing("intuition.library", true);
    EXPECT_EQ(Program::Main(), 1);
    EXPECT_EQ(ReadLog(), "Can't open intuition.library \nCan't open  diskfont.library \n"
                         "Can't open  asl.library!\nLibrerie mancanti: il gioco non parte\n");
    EXPECT_EQ(amiga::FrontScreen(), nullptr);
    EXPECT_EQ(GfxBase, nullptr);
}

TEST_F(ProgramEntry, TheSystemsRequestsToEndEndTheBuiltProgramAtOnceWithoutAsking)
{
    const std::string program = KESA_BINARY_DIR "/game/kesa-pegline";
    const std::filesystem::path code = "Settings/KesaPegline.exe/dati/Pegline_Code";
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        std::filesystem::remove_all("Settings");
        const pid_t child = fork();
        if (child == 0) {
            execl(program.c_str(), program.c_str(), nullptr);
            _exit(127);
        }
        ASSERT_GT(child, 0);
        // Up once the new game is saved, its colours last.
        for (int i = 0; i < 1000 && !std::filesystem::exists(code.parent_path() / "col4"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const std::string saved = ReadBytes(code);
        kill(child, signal);
        int status = 0;
        pid_t ended = 0;
        for (int i = 0; i < 500 && ended == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            ended = waitpid(child, &status, WNOHANG);
        }
        if (ended == 0) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
        }
        EXPECT_EQ(ended, child) << "still running 5 s later: asking?";
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
        EXPECT_EQ(ReadBytes(code), saved);
        EXPECT_EQ(saved.size(), 5u);
    }
}
