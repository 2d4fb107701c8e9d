// SPDX-License-Identifier: MIT
// The built game under a real X server, played with xdotool as a person would (see
// play-game.sh): its screens match the checked-in references pen for pen, it exits 0 when
// the player says yes, and the next start finds the same game.
#include "tests/support/PngFile.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Pen numbers of a paletted PNG; empty when it cannot be read.
std::vector<amiga::UBYTE> Pens(const fs::path& path)
{
    testsupport::PngImage image;
    if (!testsupport::LoadPNG(path.c_str(), image) || !image.paletted)
        return {};
    return image.indices;
}

} // namespace

TEST(GamePlay, APlayerPlaysAWholeGameUnderX11)
{
    ASSERT_EQ(std::system("command -v xvfb-run >/dev/null && command -v xdotool >/dev/null"), 0)
        << "xvfb-run and xdotool are needed";
    TempDirectory temp;
    ASSERT_TRUE(temp.Ok());
    const fs::path work = temp.Path();
    // A game in progress with one proposal, so that every step but the give-up is known.
    const fs::path dati = work / "Settings" / "KesaPegline.exe" / "dati";
    for (const auto& [key, value] : {std::pair<const char*, const char*>{"stato", "0"},
                                     {"Pegline_Bag", "012312"},
                                     {"Pegline_Code", "0215"},
                                     {"col1", "0"},
                                     {"col2", "0"},
                                     {"col3", "0"},
                                     {"col4", "0"}})
        Write(dati / key, std::string(value) + "\n");

    const fs::path game = fs::path(KESA_BINARY_DIR) / "game" / "kesa-pegline";
    const std::string command = "xvfb-run -a -s '-screen 0 1024x768x24' '" KESA_SOURCE_DIR
                                "/tests/game/e2e/play-game.sh' '" +
                                game.string() + "' '" + work.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);

    EXPECT_EQ(ReadBytes(work / "status"), "exit 0\nexit 0\n") << ReadBytes(work / "stdout.txt");
    // The last game was given up, then the program was left twice without a change.
    EXPECT_EQ(ReadBytes(dati / "stato"), "1\n");
    EXPECT_EQ(ReadBytes(dati / "Pegline_Bag"), "\n");

    const fs::path shots = work / "shots";
    // Screen 10 shows the random hidden code of a game given up (no control has the focus
    // rectangle: CANCEL is disabled); the next start must show that game again.
    const auto givenUp = Pens(shots / "screen-010.png");
    ASSERT_FALSE(givenUp.empty());
    EXPECT_EQ(Pens(shots / "screen-011.png"), givenUp) << "the next start shows the same game";

    const bool update = std::getenv("KESA_REGENERATE_GOLDEN") != nullptr;
    for (const char* step : {"001", "002", "003", "004", "005", "006", "007", "008", "009"}) {
        const fs::path actual = shots / ("screen-" + std::string(step) + ".png");
        const fs::path reference =
            fs::path(KESA_SOURCE_DIR) / "tests" / "data" / "game" / ("play-" + std::string(step) + ".png");
        if (update)
            fs::copy_file(actual, reference, fs::copy_options::overwrite_existing);
        const auto pens = Pens(actual);
        ASSERT_FALSE(pens.empty()) << actual;
        if (pens != Pens(reference)) {
            fs::copy_file(actual, "play-" + std::string(step) + "-actual.png", fs::copy_options::overwrite_existing);
            ADD_FAILURE() << "screen " << step << " differs from " << reference
                          << "; the actual screen is saved beside the test";
        }
    }
}

TEST(GamePlay, WithoutADisplayItSaysSoOnceAndExitsWithAFailure)
{
    const fs::path game = fs::path(KESA_BINARY_DIR) / "game" / "kesa-pegline";
    // Asked for X11 by name, and left to find a display itself (SDL would fall back on a
    // driver that shows nothing).
    for (const char* driver : {"SDL_VIDEODRIVER=x11", "-u SDL_VIDEODRIVER"}) {
        SCOPED_TRACE(driver);
        TempDirectory temp;
        ASSERT_TRUE(temp.Ok());
        const fs::path work = temp.Path();
        const std::string command = "cd '" + work.string() + "' && timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY " +
                                    driver + " XDG_RUNTIME_DIR='" + work.string() + "' '" + game.string() +
                                    "' >stdout.txt 2>stderr.txt";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 1);
        const std::string errors = ReadBytes(work / "stderr.txt");
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_NE(errors.find("no display"), std::string::npos) << errors;
        EXPECT_NE(ReadBytes(work / "log.txt").find("Apertura screen non riuscita: "), std::string::npos);
        EXPECT_FALSE(fs::exists(work / "Settings")) << "no game was started";
    }
}
