// SPDX-License-Identifier: MIT
// Every #include of the tree against the layer rule: game -> toolkit -> services -> the
// platform's public headers, and inside the platform the directions platform/README.md
// states. Nothing else stops an upward include: every target sees the repository root.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kRoot = KESA_SOURCE_DIR;

// The platform's folders in the order in which each may include the public headers of those
// before it.
const std::vector<std::string> kPlatformOrder = {"common", "host",      "exec",     "timer",    "dos",
                                                 "audio",  "iffparse",  "graphics", "diskfont", "unavailable",
                                                 "keymap", "intuition", "gadtools", "testing",  "demo"};

const std::set<std::string> kPublicHeaders = {"platform/common/Types.h",
                                              "platform/common/InputEvent.h",
                                              "platform/exec/Exec.h",
                                              "platform/dos/Dos.h",
                                              "platform/timer/Timer.h",
                                              "platform/audio/Audio.h",
                                              "platform/iffparse/IffParse.h",
                                              "platform/graphics/Graphics.h",
                                              "platform/diskfont/DiskFont.h",
                                              "platform/intuition/Intuition.h",
                                              "platform/intuition/Images.h",
                                              "platform/intuition/Menus.h",
                                              "platform/intuition/Requesters.h",
                                              "platform/gadtools/GadTools.h",
                                              "platform/keymap/Keymap.h"};

// Whose private headers a platform folder may include, besides its own and common's.
const std::map<std::string, std::set<std::string>> kPrivateSeams = {
    {"host", {}},
    {"exec", {"host"}},
    {"timer", {"exec"}},
    {"dos", {"exec", "host"}},
    {"audio", {"exec", "host"}},
    {"iffparse", {}},
    {"graphics", {"exec"}},
    {"diskfont", {"graphics"}},
    {"unavailable", {"graphics"}},
    {"keymap", {}},
    {"intuition", {"host", "graphics"}},
    {"gadtools", {"intuition"}},
    {"testing",
     {"common", "host", "exec", "timer", "dos", "audio", "iffparse", "graphics", "diskfont", "keymap", "intuition",
      "gadtools"}},
    {"demo", {"testing"}},
};

struct Include {
    std::string target;
    bool quoted;
    int line;
};

std::vector<Include> IncludesOf(const fs::path& file)
{
    static const std::regex pattern(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> found;
    std::ifstream in(file);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        std::smatch match;
        if (std::regex_search(text, match, pattern))
            found.push_back({match[2].str(), match[1].str() == "\"", line});
    }
    return found;
}

std::string Component(const std::string& path, size_t index)
{
    size_t start = 0;
    for (size_t i = 0; i < index; ++i) {
        start = path.find('/', start);
        if (start == std::string::npos)
            return "";
        ++start;
    }
    return path.substr(start, path.find('/', start) - start);
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsTestSide(const std::string& file)
{
    return StartsWith(file, "tests/") || StartsWith(file, "bench/");
}

// Why `file` may not include `target`; empty when it may.
std::string PlatformViolation(const std::string& file, const std::string& target)
{
    // The host's part of the testing library lives with the host but belongs to testing.
    const bool hostTesting = file.find("HostTesting.cpp") != std::string::npos;
    const std::string folder = hostTesting ? "testing" : Component(file, 1), wanted = Component(target, 1);
    if (folder == wanted || wanted == "common")
        return "";
    if (folder == "common")
        return "common includes nothing else";
    if (kPublicHeaders.count(target) != 0) {
        const auto order = [](const std::string& name) {
            return std::find(kPlatformOrder.begin(), kPlatformOrder.end(), name) - kPlatformOrder.begin();
        };
        return order(wanted) < order(folder) ? "" : "a public header of a folder built on this one";
    }
    const auto seams = kPrivateSeams.find(folder);
    if (seams == kPrivateSeams.end() || seams->second.count(wanted) == 0)
        return "a private header of " + wanted;
    return "";
}

// Why `file` may not include the quoted `target`; empty when it may.
std::string Violation(const std::string& file, const std::string& target)
{
    const std::string layer = Component(file, 0), wanted = Component(target, 0);
    // A host's own folder is its own: nothing outside it sees its headers.
    for (const char* host : {"platform/host/sdl/", "platform/host/web/"})
        if (StartsWith(target, host) && !StartsWith(file, host))
            return "a header of one host";
    if (StartsWith(target, "platform/testing/") && !IsTestSide(file) &&
        !(layer == "platform" && (Component(file, 1) == "testing" || Component(file, 1) == "demo")) &&
        file.find("HostTesting.cpp") == std::string::npos)
        return "a test hook in the program";
    if (IsTestSide(file) || layer == "fuzz")
        return "";
    if (layer == "platform")
        return wanted == "platform" ? PlatformViolation(file, target) : "the platform includes nothing above it";
    if (layer == "tools")
        return wanted == "tools" || StartsWith(target, "toolkit/data/") || kPublicHeaders.count(target) != 0 ||
                       target == "platform/common/Png.h"
                   ? ""
                   : "tools see the platform's public headers, Png.h and the built-in pictures";
    static const std::map<std::string, int> rank = {{"platform", 0}, {"services", 1}, {"toolkit", 2}, {"game", 3}};
    if (rank.count(wanted) == 0 || rank.at(wanted) > rank.at(layer))
        return "an include upwards";
    if (wanted == "platform" && kPublicHeaders.count(target) == 0)
        return "a private header of the platform";
    if (StartsWith(file, "toolkit/core/") && StartsWith(target, "toolkit/controls/") &&
        target != "toolkit/controls/Font.h" && target != "toolkit/controls/Drawing.h")
        return "toolkit/core sees only Font.h and Drawing.h of the controls";
    return "";
}

bool IsSdlHeader(const std::string& target)
{
    return StartsWith(target, "SDL") || StartsWith(target, "X11/");
}

std::vector<std::string> SourceFiles()
{
    std::vector<std::string> files;
    for (const char* top : {"game", "toolkit", "services", "platform", "tools", "tests", "bench", "fuzz"}) {
        for (const auto& entry : fs::recursive_directory_iterator(kRoot / top)) {
            const std::string extension = entry.path().extension().string();
            if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp" || extension == ".c"))
                files.push_back(fs::relative(entry.path(), kRoot).generic_string());
        }
    }
    return files;
}

} // namespace

TEST(IncludeRule, EveryIncludePointsTheWayTheLayersAllow)
{
    const std::vector<std::string> files = SourceFiles();
    ASSERT_GT(files.size(), 100u) << "the tree was not found at " << kRoot;
    for (const std::string& file : files) {
        for (const Include& include : IncludesOf(kRoot / file)) {
            if (!include.quoted) {
                const bool sdlAllowed = StartsWith(file, "platform/host/sdl/") || file == "bench/FloorWindow.cpp" ||
                                        file == "bench/MapWatch.c";
                EXPECT_TRUE(!IsSdlHeader(include.target) || sdlAllowed)
                    << file << ":" << include.line << " includes <" << include.target << ">: SDL only in the host";
                continue;
            }
            const fs::path resolved = kRoot / include.target;
            if (!fs::exists(resolved))
                continue; // a header beside the file, or generated into the build tree
            const std::string why = Violation(file, include.target);
            EXPECT_EQ(why, "") << file << ":" << include.line << " includes \"" << include.target << "\"";
        }
    }
}

TEST(IncludeRule, EveryFileThePlatformMapNamesExists)
{
    std::ifstream in(kRoot / "platform/README.md");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    static const std::regex named(R"(`([A-Za-z]+/[A-Za-z/]+\.(h|cpp))`)");
    int checked = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), named); it != std::sregex_iterator(); ++it) {
        const std::string path = (*it)[1].str();
        const fs::path inPlatform = kRoot / "platform" / path, fromRoot = kRoot / path;
        EXPECT_TRUE(fs::exists(inPlatform) || fs::exists(fromRoot)) << "platform/README.md names " << path;
        ++checked;
    }
    EXPECT_GT(checked, 10);
}
