// SPDX-License-Identifier: MIT
// The window onto the operating system.
#include "services/Enviroment.h"

#include "platform/dos/Dos.h"
#include "platform/exec/Exec.h"
#include "platform/intuition/Intuition.h"
#include "services/FileUtils.h"
#include "services/OpenTextFile.h"
#include "services/StringUtils.h"

#include <chrono>
#include <cstdlib>

short Enviroment::RandomizeFlag = 0;

namespace {

std::string CreatedIfMissing(const std::string& directory)
{
    if (!FileUtils::FileEsistente(directory))
        FileUtils::MakeDir(directory);
    return directory;
}

} // namespace

int32_t Enviroment::Random(int32_t a, int32_t b)
{
    if (RandomizeFlag == 0) {
        // Whole seconds would deal the same numbers to every event of one second (two new
        // games in a row): the clock's nanoseconds and the generator's last state mix in.
        const auto now = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
        std::srand(static_cast<unsigned>(now ^ (now >> 32)) ^ static_cast<unsigned>(std::rand()));
        RandomizeFlag = 1;
    }
    // Counted in 64 bits so that the widest ranges neither overflow nor divide by zero; for
    // every range that fits in 32 bits the result is the plain 32-bit one.
    const int64_t span = static_cast<int64_t>(b) - a + 1;
    if (span <= 0)
        return a;
    return static_cast<int32_t>(a + std::rand() % span);
}

int32_t Enviroment::Shell(std::string command)
{
    // The platform takes a C string: a NUL inside would run only the part before it.
    if (command.find('\0') != std::string::npos)
        return 0;
    return amiga::Execute(command.c_str(), 0, 0);
}

int32_t Enviroment::Shell(std::string command, std::string arguments)
{
    return Shell(command + " " + arguments);
}

int32_t Enviroment::Shell(std::string command, std::string arguments, short /*flag*/)
{
    return Shell(command, arguments);
}

void Enviroment::Beep()
{
    amiga::DisplayBeep(nullptr);
}

void Enviroment::BeepError()
{
    Beep();
}

std::string Enviroment::GetFileSettings(std::string k1, std::string k2, std::string k3)
{
    std::string path = CreatedIfMissing("Settings");
    path = CreatedIfMissing(FileUtils::AddDirSeparator(path) + k1);
    path = CreatedIfMissing(FileUtils::AddDirSeparator(path) + k2);
    return FileUtils::AddDirSeparator(path) + k3;
}

std::string Enviroment::GetValueKey(std::string k1, std::string k2, std::string k3)
{
    OpenTextFile file(GetFileSettings(k1, k2, k3));
    return file.GetContenutoString();
}

short Enviroment::SetValueKey(std::string k1, std::string k2, std::string k3, std::string value)
{
    // A value GetValueKey could not read back is not stored.
    if (value.size() > OpenTextFile::MaxLineLength)
        return 0;
    OpenTextFile file(GetFileSettings(k1, k2, k3));
    file.SetContenuto({value});
    return file.Errore() ? 0 : 1;
}

std::string Enviroment::PathTemp()
{
    return "RAM:T";
}

std::string Enviroment::PathDocuments()
{
    return CreatedIfMissing("Documenti");
}

std::string Enviroment::PathDesktop()
{
    return CreatedIfMissing("Desktop");
}

std::string Enviroment::PathPublicDesktop()
{
    return PathDesktop();
}

std::string Enviroment::PathDownloads()
{
    return CreatedIfMissing("Download");
}

std::string Enviroment::PathAppData()
{
    return CreatedIfMissing("Data");
}

std::string Enviroment::PathMusic()
{
    return CreatedIfMissing("Musica");
}

std::string Enviroment::PathPictures()
{
    return CreatedIfMissing("Immagini");
}

std::string Enviroment::PathProgramData()
{
    return CreatedIfMissing("ProgramData");
}

std::string Enviroment::PathProgramFiles()
{
    return "c:";
}

std::string Enviroment::PathSystem()
{
    return "SYS:";
}

std::string Enviroment::PathWindows()
{
    return "SYS:";
}

std::string Enviroment::WindowsVer()
{
    amiga::Library* workbench = amiga::OpenLibrary("workbench.library", 0);
    if (workbench == nullptr)
        return std::string();
    const std::string version = StringUtils::IntToStr(workbench->lib_Version);
    amiga::CloseLibrary(workbench);
    return version;
}

uint64_t Enviroment::MemoryTotal()
{
    return amiga::AvailMem(amiga::MEMF_TOTAL);
}

uint64_t Enviroment::MemoryFree()
{
    return amiga::AvailMem(amiga::MEMF_ANY);
}

uint64_t Enviroment::MemoryInUse()
{
    // Two readings at different moments: never report less than nothing.
    const uint64_t total = MemoryTotal();
    const uint64_t available = MemoryFree();
    return total > available ? total - available : 0;
}

uint64_t Enviroment::MemoryVirtualTotal()
{
    return 0;
}

uint64_t Enviroment::MemoryVirtualFree()
{
    return 0;
}

uint64_t Enviroment::GetSpaceDrive(std::string /*volume*/)
{
    return 0;
}

uint64_t Enviroment::GetSpaceDriveFree(std::string /*volume*/)
{
    return 0;
}

std::vector<std::string> Enviroment::GetDrives()
{
    return {};
}

std::string Enviroment::GetClipboardText()
{
    return std::string();
}

short Enviroment::SetClipboardText(std::string /*text*/)
{
    return 1;
}

std::string Enviroment::GetLastErrorAsString()
{
    return std::string();
}

std::string Enviroment::ComputerName()
{
    return std::string();
}

std::string Enviroment::Username()
{
    return std::string();
}

std::string Enviroment::CurrentDirerctory()
{
    return std::string();
}

short Enviroment::Print(std::string /*text*/)
{
    return 0;
}

short Enviroment::SetCurrentDir(std::string /*directory*/)
{
    return 0;
}
