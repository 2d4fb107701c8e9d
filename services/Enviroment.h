// SPDX-License-Identifier: MIT
// The window onto the operating system: random numbers, command execution, the beep, the
// settings store, well-known directories, memory figures and the system version.
//
// Settings store: the value of keys k1, k2, k3 is one text line, ended by a line feed, in the
// file Settings/k1/k2/k3 below the current directory. Keys are used verbatim as names.
// Standard output, when started from the desktop, goes to the console window ConsoleWindow
// describes; the platform's start-up code opens it, nothing here does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Enviroment {
public:
    static constexpr const char* ConsoleWindow = "CON:/30/400/100//AUTO/CLOSE";

    // The application's seeding flag, exposed to the toolkit as Application::Randomize:
    // 0 means the generator is seeded from the clock before the next draw, 1 that it has been.
    // The event dispatcher clears it before every input event.
    static short RandomizeFlag;

    // A number from a to b inclusive: a + rand() mod (b - a + 1), seeding first when
    // RandomizeFlag is 0, from the calendar clock to the nanosecond mixed with the
    // generator's last state: two seedings repeat their draws only by chance. b < a gives a.
    static int32_t Random(int32_t a, int32_t b);

    // Runs the command line through the platform; nonzero when it was run. The text goes
    // unchanged (no quoting); a text with a NUL inside is not run.
    static int32_t Shell(std::string command);
    // Shell(command + " " + arguments).
    static int32_t Shell(std::string command, std::string arguments);
    // As the two-text form; the flag has no effect.
    static int32_t Shell(std::string command, std::string arguments, short flag);

    // The display beep on all screens.
    static void Beep();
    static void BeepError();

    // Settings/k1/k2/k3; creates the directories on the way, not the file.
    static std::string GetFileSettings(std::string k1, std::string k2, std::string k3);
    // The stored line followed by "\r\n"; empty when nothing can be read, at once when the
    // settings file is not a plain file.
    static std::string GetValueKey(std::string k1, std::string k2, std::string k3);
    // Stores the value; the file is replaced whole, so a failed save keeps the old value. A
    // value longer than OpenTextFile::MaxLineLength is refused (0, the old value kept). A
    // value equal to the stored one is not written again.
    static short SetValueKey(std::string k1, std::string k2, std::string k3, std::string value);

    // Well-known directories, as relative names or volume names without a final separator.
    // Those that are plain names are created when missing (failures are not reported).
    static std::string PathTemp();
    static std::string PathDocuments();
    static std::string PathDesktop();
    static std::string PathPublicDesktop();
    static std::string PathDownloads();
    static std::string PathAppData();
    static std::string PathMusic();
    static std::string PathPictures();
    static std::string PathProgramData();
    static std::string PathProgramFiles();
    static std::string PathSystem();
    static std::string PathWindows();

    // The desktop library's version number; empty when it does not open.
    static std::string WindowsVer();

    // Memory in bytes, read from the platform at each call.
    static uint64_t MemoryTotal();
    static uint64_t MemoryFree();
    static uint64_t MemoryInUse();

    // Fixed values on this platform.
    static uint64_t MemoryVirtualTotal();
    static uint64_t MemoryVirtualFree();
    static uint64_t GetSpaceDrive(std::string volume);
    static uint64_t GetSpaceDriveFree(std::string volume);
    static std::vector<std::string> GetDrives();
    static std::string GetClipboardText();
    static short SetClipboardText(std::string text);
    static std::string GetLastErrorAsString();
    static std::string ComputerName();
    static std::string Username();
    static std::string CurrentDirerctory();
    static short Print(std::string text);
    static short SetCurrentDir(std::string directory);
};
