// SPDX-License-Identifier: MIT
// The built platform-demo under a real X server (Xvfb) through SDL's X11 driver: it must
// start, draw and save exactly the screen of the checked-in reference.
#include "tests/support/PngFile.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

int RunUnderXvfb(const std::string& environment, const fs::path& program)
{
    const std::string command =
        "xvfb-run -a -s '-screen 0 1024x768x24' env SDL_VIDEODRIVER=x11 " + environment + " '" + program.string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(PlatformDemo, DrawsTheReferenceScreenUnderX11)
{
    ASSERT_EQ(std::system("command -v xvfb-run >/dev/null"), 0) << "xvfb-run is not installed";
    TempDirectory dir;
    ASSERT_TRUE(dir.Ok());
    const fs::path shot = dir.Path("demo.png");
    const fs::path demo = fs::path(KESA_BINARY_DIR) / "platform" / "demo" / "platform-demo";

    ASSERT_EQ(RunUnderXvfb("KESA_SCREENSHOT='" + shot.string() + "'", demo), 0);

    testsupport::PngImage actual, expected;
    std::string error;
    ASSERT_TRUE(testsupport::LoadPNG(shot.c_str(), actual, &error)) << error;
    ASSERT_TRUE(testsupport::LoadPNG(KESA_TEST_DATA_DIR "/platform-demo.png", expected, &error)) << error;
    ASSERT_EQ(actual.width, 800);
    ASSERT_EQ(actual.height, 600);
    ASSERT_TRUE(actual.paletted);

    int differing = 0;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            differing += actual.ColorAt(x, y) != expected.ColorAt(x, y);
        }
    }
    if (differing != 0) {
        // Keep the actual picture beside the test run for whoever looks into the failure.
        fs::copy_file(shot, "platform-demo-actual.png", fs::copy_options::overwrite_existing);
    }
    EXPECT_EQ(differing, 0) << "pixels differ from tests/data/platform-demo.png; the actual "
                               "screen is saved as platform-demo-actual.png";
}
