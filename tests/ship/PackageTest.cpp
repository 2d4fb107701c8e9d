// SPDX-License-Identifier: MIT
// What `cmake --install` and `cpack -G DEB` make of this build tree: the files a player gets
// (and nothing for developers), the package's control fields and dependencies, a launcher
// that runs the game in the player's state folder, the menu entry and the icons.
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>
#include <png.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    std::string output; // standard output only
};

Result Shell(const std::string& command)
{
    Result result;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string Quote(const fs::path& path)
{
    return "'" + path.string() + "'";
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The package names of a Depends field, without versions; alternatives count each.
std::set<std::string> PackageNames(const std::string& depends)
{
    std::set<std::string> names;
    std::string name;
    bool inName = true;
    for (char c : depends + ",") {
        if (c == ',' || c == '|') {
            if (!name.empty())
                names.insert(name);
            name.clear();
            inName = true;
        } else if (c == ' ' || c == '(' || c == ':') {
            inName = inName && name.empty();
        } else if (inName) {
            name += c;
        }
    }
    return names;
}

// clang-format off
const std::set<std::string> ExpectedFiles = {
    "usr/bin/kesa-pegline",
    "usr/lib/kesa-pegline/kesa-pegline",
    "usr/share/applications/kesa-pegline.desktop",
    "usr/share/icons/hicolor/48x48/apps/kesa-pegline.png",
    "usr/share/icons/hicolor/128x128/apps/kesa-pegline.png",
    "usr/share/icons/hicolor/256x256/apps/kesa-pegline.png",
    "usr/share/man/man6/kesa-pegline.6.gz",
    "usr/share/doc/kesa-pegline/copyright",
};
// clang-format on

// One install into a temporary root and one package, shared by every test.
class Package : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        temp_ = std::make_unique<TempDirectory>();
        ASSERT_TRUE(temp_->Ok());
        work_ = temp_->Path();
        const Result install = Shell("DESTDIR=" + Quote(work_ / "root") + " " KESA_CMAKE_COMMAND " --install " +
                                     Quote(KESA_BINARY_DIR) + " --prefix /usr 2>&1");
        ASSERT_EQ(install.status, 0) << install.output;
        const Result pack =
            Shell("cd " + Quote(work_) + " && " KESA_CPACK_COMMAND " -G DEB --config " +
                  Quote(fs::path(KESA_BINARY_DIR) / "CPackConfig.cmake") + " -B " + Quote(work_ / "deb") + " 2>&1");
        ASSERT_EQ(pack.status, 0) << pack.output;
        for (const auto& entry : fs::directory_iterator(work_ / "deb"))
            if (entry.path().extension() == ".deb")
                deb_ = entry.path();
        ASSERT_FALSE(deb_.empty()) << pack.output;
    }

    static void TearDownTestSuite() { temp_.reset(); }

    static std::string Field(const std::string& name)
    {
        const Result field = Shell("dpkg-deb -f " + Quote(deb_) + " " + name);
        return field.status == 0 ? field.output.substr(0, field.output.find_last_not_of('\n') + 1) : "";
    }

    static fs::path Installed(const std::string& relative) { return work_ / "root" / relative; }

    static inline std::unique_ptr<TempDirectory> temp_;
    static inline fs::path work_;
    static inline fs::path deb_;
};

TEST_F(Package, TheInstallHoldsThePlayersFilesAndNothingForDevelopers)
{
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(work_ / "root"))
        if (!entry.is_directory())
            files.insert(fs::relative(entry.path(), work_ / "root").string());
    // An exact list: a header, a static library, a test or a benchmark showing up fails here.
    EXPECT_EQ(files, ExpectedFiles);

    const auto executable = fs::perms::owner_exec | fs::perms::others_exec;
    EXPECT_EQ(fs::status(Installed("usr/bin/kesa-pegline")).permissions() & executable, executable);
    EXPECT_EQ(fs::status(Installed("usr/lib/kesa-pegline/kesa-pegline")).permissions() & executable, executable);
    EXPECT_EQ(ReadBytes(Installed("usr/share/doc/kesa-pegline/copyright")),
              ReadBytes(fs::path(KESA_SOURCE_DIR) / "LICENSE"));
    const Result manPage = Shell("gzip -dc " + Quote(Installed("usr/share/man/man6/kesa-pegline.6.gz")));
    EXPECT_EQ(manPage.status, 0);
    for (const char* section : {".TH KESA-PEGLINE 6", ".SH NAME", ".SH SYNOPSIS", ".SH DESCRIPTION", ".SH FILES"})
        EXPECT_NE(manPage.output.find(section), std::string::npos) << section;
}

TEST_F(Package, ThePackageHoldsTheSameFilesAsTheInstall)
{
    const Result listing = Shell("dpkg-deb -c " + Quote(deb_));
    ASSERT_EQ(listing.status, 0);
    std::set<std::string> files;
    for (const std::string& line : Lines(listing.output)) {
        if (line.empty() || line[0] == 'd')
            continue;
        const size_t path = line.find("./");
        ASSERT_NE(path, std::string::npos) << line;
        files.insert(line.substr(path + 2));
    }
    EXPECT_EQ(files, ExpectedFiles);
    // Stripped: the package carries no debugging information.
    const Result extract = Shell("dpkg-deb -x " + Quote(deb_) + " " + Quote(work_ / "extracted"));
    ASSERT_EQ(extract.status, 0);
    EXPECT_LT(fs::file_size(work_ / "extracted/usr/lib/kesa-pegline/kesa-pegline"),
              fs::file_size(Installed("usr/lib/kesa-pegline/kesa-pegline")));
}

TEST_F(Package, ControlFieldsNameTheGameItsMaintainerAndSection)
{
    EXPECT_EQ(deb_.filename().string().rfind("kesa-pegline_", 0), 0u) << deb_;
    EXPECT_EQ(Field("Package"), "kesa-pegline");
    EXPECT_EQ(Field("Section"), "games");
    EXPECT_EQ(Field("Maintainer"), "Kesa Pegline developers <kesa@kesa.example>");
    EXPECT_EQ(Field("Architecture"), Shell("dpkg --print-architecture | tr -d '\\n'").output);
    EXPECT_EQ(Field("Version").rfind("1.0", 0), 0u) << Field("Version");
    const std::string description = Field("Description");
    EXPECT_EQ(description.rfind("colour code-breaking game\n", 0), 0u) << description;
}

TEST_F(Package, DependsOnEveryLibraryTheProgramLinksAndOnItsFonts)
{
    const std::set<std::string> depends = PackageNames(Field("Depends"));
    for (const char* name :
         {"libsdl2-2.0-0", "libpng16-16", "libfreetype6", "libfontconfig1", "libc6", "fonts-liberation"})
        EXPECT_EQ(depends.count(name), 1u) << name << " missing from: " << Field("Depends");

    // Whatever the program comes to link, the package that ships that library is declared.
    const Result needed = Shell("objdump -p " + Quote(Installed("usr/lib/kesa-pegline/kesa-pegline")) +
                                " | awk '$1 == \"NEEDED\" { print $2 }'");
    ASSERT_EQ(needed.status, 0);
    ASSERT_FALSE(needed.output.empty());
    // This architecture's copy: other architectures' (lib32, i386) ship the same names.
    const std::string multiarch = Lines(Shell("dpkg-architecture -qDEB_HOST_MULTIARCH").output).at(0);
    for (const std::string& library : Lines(needed.output)) {
        const Result owner = Shell("dpkg -S '*/" + multiarch + "/" + library + "' 2>/dev/null | head -1 | cut -d: -f1");
        ASSERT_FALSE(owner.output.empty()) << "no package ships " << library;
        EXPECT_EQ(depends.count(Lines(owner.output)[0]), 1u) << library << " comes from " << owner.output;
    }
}

TEST_F(Package, TheLauncherRunsTheProgramInThePlayersStateFolder)
{
    // The installed launcher, beside a stand-in program that tells where it ran and with what.
    const fs::path tree = work_ / "launcher";
    fs::create_directories(tree / "bin");
    fs::create_directories(tree / "lib/kesa-pegline");
    fs::copy_file(Installed("usr/bin/kesa-pegline"), tree / "bin/kesa-pegline");
    std::ofstream(tree / "lib/kesa-pegline/kesa-pegline") << "#!/bin/sh\necho \"$PWD|$*\"\n";
    fs::permissions(tree / "lib/kesa-pegline/kesa-pegline", fs::perms::owner_all);
    // Started through a link, as from a games folder on the PATH.
    fs::create_directories(tree / "games");
    fs::create_symlink("../bin/kesa-pegline", tree / "games/kesa-pegline");

    const fs::path home = work_ / "home";
    fs::create_directories(home);
    const Result byHome = Shell("cd / && env -u XDG_STATE_HOME HOME=" + Quote(home) + " " +
                                Quote(tree / "games/kesa-pegline") + " one 'two words'");
    ASSERT_EQ(byHome.status, 0) << byHome.output;
    EXPECT_EQ(byHome.output, (home / ".local/state/kesa-pegline").string() + "|one two words\n");

    const fs::path state = work_ / "state";
    const Result byXdg = Shell("cd / && XDG_STATE_HOME=" + Quote(state) + " HOME=" + Quote(home) + " " +
                               Quote(tree / "bin/kesa-pegline"));
    ASSERT_EQ(byXdg.status, 0) << byXdg.output;
    EXPECT_EQ(byXdg.output, (state / "kesa-pegline").string() + "|\n");
}

TEST_F(Package, TheMenuEntryStartsTheLauncherWithTheIcon)
{
    std::map<std::string, std::string> entry;
    for (const std::string& line : Lines(ReadBytes(Installed("usr/share/applications/kesa-pegline.desktop"))))
        if (const size_t equals = line.find('='); equals != std::string::npos)
            entry[line.substr(0, equals)] = line.substr(equals + 1);
    EXPECT_EQ(entry["Type"], "Application");
    EXPECT_EQ(entry["Name"], "Kesa Pegline");
    EXPECT_EQ(entry["Exec"], "kesa-pegline");
    EXPECT_TRUE(fs::exists(Installed("usr/bin/" + entry["Exec"])));
    EXPECT_EQ(entry["Icon"], "kesa-pegline");
    EXPECT_EQ(entry["Categories"], "Game;LogicGame;");
    const Result valid =
        Shell("desktop-file-validate " + Quote(Installed("usr/share/applications/kesa-pegline.desktop")) + " 2>&1");
    EXPECT_EQ(valid.status, 0) << "desktop-file-validate (desktop-file-utils): " << valid.output;
}

struct Rgba {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels; // 4 bytes a pixel

    unsigned Red(int x, int y) const { return pixels[(static_cast<size_t>(y) * width + x) * 4]; }
    unsigned Green(int x, int y) const { return pixels[(static_cast<size_t>(y) * width + x) * 4 + 1]; }
    unsigned Blue(int x, int y) const { return pixels[(static_cast<size_t>(y) * width + x) * 4 + 2]; }
    unsigned Alpha(int x, int y) const { return pixels[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
};

bool LoadRgba(const fs::path& path, Rgba& picture, bool& hasAlpha)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = PNG_FORMAT_RGBA;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.pixels.resize(PNG_IMAGE_SIZE(image));
    return png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr) != 0;
}

TEST_F(Package, TheIconsAreTheLogoOnItsBlueGroundAtEachSize)
{
    for (int size : {48, 128, 256}) {
        SCOPED_TRACE(size);
        Rgba icon;
        bool hasAlpha = false;
        ASSERT_TRUE(LoadRgba(Installed("usr/share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) +
                                       "/apps/kesa-pegline.png"),
                             icon, hasAlpha));
        EXPECT_EQ(icon.width, size);
        EXPECT_EQ(icon.height, size);
        EXPECT_TRUE(hasAlpha);
        // A tile with rounded corners: the corners clear, the edges' middles solid.
        EXPECT_EQ(icon.Alpha(0, 0), 0u);
        EXPECT_EQ(icon.Alpha(size - 1, size - 1), 0u);
        EXPECT_EQ(icon.Alpha(size / 2, 0), 255u);
        EXPECT_EQ(icon.Alpha(0, size / 2), 255u);
        // The logo's ground runs from 0000FF at its top to a darker blue at its bottom.
        const int middle = size / 2, low = size - size / 8;
        EXPECT_EQ(icon.Red(middle, size / 8) + icon.Green(middle, size / 8), 0u);
        EXPECT_EQ(icon.Blue(middle, size / 8), 0xFFu);
        EXPECT_EQ(icon.Red(middle, low) + icon.Green(middle, low), 0u);
        EXPECT_LT(icon.Blue(middle, low), 0xC0u);
        // The yellow lettering survives the scaling where there is room for it.
        int yellow = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                yellow += icon.Red(x, y) > 0xC0 && icon.Green(x, y) > 0xC0 && icon.Blue(x, y) < 0x60;
        if (size >= 128) {
            EXPECT_GT(yellow, size * size / 200);
        }
    }
}

} // namespace
