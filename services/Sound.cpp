// SPDX-License-Identifier: MIT
// Sound playback through audio.device, files read with iffparse.
#include "services/Sound.h"

#include "platform/dos/Dos.h"
#include "services/FileUtils.h"
#include "services/LogFile.h"
#include "services/StringUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

using namespace amiga;

Library* IFFParseBase = nullptr;
UBYTE Sound::whichannel[4] = {1, 2, 4, 8};

namespace {

constexpr LONG ID_8SVX = MAKE_ID('8', 'S', 'V', 'X');
constexpr LONG ID_VHDR = MAKE_ID('V', 'H', 'D', 'R');
constexpr LONG ID_BODY = MAKE_ID('B', 'O', 'D', 'Y');
constexpr LONG kVoiceHeaderSize = 20;

void Log(const std::string& message)
{
    LogFile::Write(message.c_str());
}

ULONG BigEndian32(const UBYTE* bytes)
{
    return (ULONG{bytes[0]} << 24) | (ULONG{bytes[1]} << 16) | (ULONG{bytes[2]} << 8) | ULONG{bytes[3]};
}

// The platform's RAM-disk temporary folder does not exist here; a per-user folder that lasts
// while the system runs stands in for it.
std::string ScratchDirectory()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/')
        return FileUtils::AddDirSeparator(runtime) + "KesaPegline";
    // $TMPDIR as std::filesystem would take it, without linking std::filesystem (and with it
    // the C++ locale) into the program.
    const char* temporary = std::getenv("TMPDIR");
    if (temporary == nullptr || temporary[0] != '/')
        temporary = "/tmp";
    return FileUtils::AddDirSeparator(temporary) + "KesaPegline-" + StringUtils::IntToStr(static_cast<int>(geteuid()));
}

// The folder is ours alone: a real directory (not a link) of this user that nobody else may
// enter, since its copies are played without question later. Created when asked to.
bool ScratchDirectoryUsable(bool create)
{
    const std::string directory = ScratchDirectory();
    if (create && mkdir(directory.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat info {};
    return lstat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & 077) == 0;
}

} // namespace

Sound::Sound()
{
    // Set only when the open succeeds, so that a failed one leaves other Sounds' handle alone.
    Library* library = OpenLibrary("iffparse.library", 37);
    if (library == nullptr) {
        Log("load iffparse.library fallita!");
        return;
    }
    IFFParseBase = library;
    libraryOpened = 1;
    replyPort = CreateMsgPort();
    if (replyPort == nullptr)
        return;
    audioRequest = reinterpret_cast<IOAudio*>(CreateExtIO(replyPort, sizeof(IOAudio)));
    if (audioRequest == nullptr)
        return;
    audioRequest->ioa_Request.io_Command = ADCMD_ALLOCATE;
    audioRequest->ioa_Request.io_Flags = ADIOF_NOWAIT;
    audioRequest->ioa_AllocKey = 0;
    audioRequest->ioa_Data = whichannel;
    audioRequest->ioa_Length = sizeof whichannel;
    if (OpenDevice(AUDIONAME, 0, &audioRequest->ioa_Request, 0) != 0) {
        Log("Errore opendevice audio.device");
        return;
    }
    deviceOpen = 1;
}

Sound::~Sound()
{
    if (playing)
        StopPlay();
    if (deviceOpen)
        CloseDevice(&audioRequest->ioa_Request);
    if (audioRequest != nullptr)
        DeleteExtIO(&audioRequest->ioa_Request);
    if (replyPort != nullptr)
        DeleteMsgPort(replyPort);
    if (sampleBuffer != nullptr)
        FreeVec(sampleBuffer);
    if (libraryOpened)
        CloseLibrary(IFFParseBase);
}

void Sound::StopPlay()
{
    if (audioRequest != nullptr && CheckIO(&audioRequest->ioa_Request) == nullptr) {
        AbortIO(&audioRequest->ioa_Request);
        WaitIO(&audioRequest->ioa_Request);
    }
}

std::string Sound::FileTemporaneo(std::string path)
{
    return FileUtils::AddDirSeparator(ScratchDirectory()) + FileUtils::GetNameFromPathName(path);
}

short Sound::BufferizzaFile(std::string path)
{
    // FileUtils::MakeDir would leave the folder open to others: it is made user-only here.
    if (!FileUtils::GetNameFromPathName(path).empty() && ScratchDirectoryUsable(true))
        FileUtils::CopyFile(path, FileTemporaneo(path));
    return 1;
}

void Sound::PlayFileSound(std::string path, short loop)
{
    StartPlayback(path, loop);
}

void Sound::PlayFileSoundSync(std::string path, short flag)
{
    (void)flag;
    // Only a playback this call started is waited for: an older looping one would never end.
    if (StartPlayback(path, 0)) {
        WaitIO(&audioRequest->ioa_Request);
        playing = 0;
    }
}

void Sound::PlayFileSound(std::string path)
{
    Sound sound;
    sound.PlayFileSoundSync(path, 0);
}

bool Sound::StartPlayback(const std::string& path, short loop)
{
    if (!deviceOpen)
        return false;
    std::string file = path;
    const std::string copy = FileTemporaneo(path);
    if (!FileUtils::GetNameFromPathName(path).empty() && ScratchDirectoryUsable(false) &&
        FileUtils::FileEsistente(copy))
        file = copy;
    else
        BufferizzaFile(path);
    if (!FileUtils::FileEsistente(file)) {
        Log(file + " non trovato.");
        return false;
    }
    const long fileSize = FileUtils::GetFileLength(file);
    IFFHandle* iff = AllocIFF();
    if (iff == nullptr) {
        Log("AlloIFF fallita");
        return false;
    }
    // Only a plain file is opened: a pipe would open and then keep OpenIFF's first read
    // waiting for ever. Anything else fails as a file that cannot be opened does.
    const BPTR stream = FileUtils::IsPlainFile(file) ? Open(file.c_str(), MODE_OLDFILE) : 0;
    iff->iff_Stream = stream;
    InitIFFasDOS(iff);
    bool started = false;
    if (OpenIFF(iff, IFFF_READ) != 0) {
        Log("OpenIFF fallita");
    } else {
        started = PlayBody(iff, fileSize, loop);
        CloseIFF(iff);
    }
    if (stream != 0)
        Close(stream);
    FreeIFF(iff);
    return started;
}

bool Sound::PlayBody(IFFHandle* iff, long fileSize, short loop)
{
    if (PropChunk(iff, ID_8SVX, ID_VHDR) != 0) {
        Log("VHDR non trovato");
        return false;
    }
    if (StopChunk(iff, ID_8SVX, ID_BODY) != 0) {
        Log("Errore StopChunk");
        return false;
    }
    if (ParseIFF(iff, IFFPARSE_SCAN) != 0) {
        Log("Errore ParseIFF");
        return false;
    }
    const StoredProperty* header = FindProp(iff, ID_8SVX, ID_VHDR);
    if (header == nullptr || header->sp_Size < kVoiceHeaderSize) {
        Log("BODY senza VHDR completo: nessun suono riprodotto");
        return false;
    }
    const auto* fields = static_cast<const UBYTE*>(header->sp_Data);
    const ULONG oneShot = BigEndian32(fields);
    const ULONG repeat = BigEndian32(fields + 4);
    const ULONG rate = (ULONG{fields[12]} << 8) | fields[13];
    const UBYTE octaves = fields[14];
    const UBYTE compression = fields[15];
    if (compression != 0 || octaves > 1) {
        Log("E' supportato solo audio IFF senza compressione e con una ottava");
        return false;
    }
    if (rate == 0) {
        Log("VHDR con frequenza 0: nessun suono riprodotto");
        return false;
    }
    ULONG length = oneShot != 0 ? oneShot : repeat;
    if (static_cast<LONG>(length) < 0 || static_cast<long>(length) > fileSize)
        length = static_cast<ULONG>(std::min<long>(fileSize, 0x7FFFFFFF));
    if (length == 0) {
        Log("VHDR con lunghezza 0: nessun suono riprodotto");
        return false;
    }

    if (playing) {
        StopPlay();
        // Takes a finished request's reply off the port before the request is sent again.
        WaitIO(&audioRequest->ioa_Request);
    }
    if (sampleBuffer != nullptr) {
        FreeVec(sampleBuffer);
        sampleBuffer = nullptr;
    }
    sampleBuffer = static_cast<UBYTE*>(AllocVec(length, MEMF_CHIP | MEMF_CLEAR));
    if (sampleBuffer == nullptr) {
        Log("Allocazione memoria fallita");
        return false;
    }
    const LONG got = ReadChunkBytes(iff, sampleBuffer, static_cast<LONG>(length));
    if (got < 1) {
        Log("Lettura data non completata.");
        return false;
    }
    IORequest& request = audioRequest->ioa_Request;
    request.io_Command = CMD_WRITE;
    request.io_Flags = ADIOF_PERVOL;
    audioRequest->ioa_Data = sampleBuffer;
    audioRequest->ioa_Length = static_cast<ULONG>(got);
    // Rates below 55 Hz would not fit the 16-bit period: they play at the slowest there is.
    audioRequest->ioa_Period = static_cast<UWORD>(std::min<ULONG>(AUDIO_CLOCK / rate, 0xFFFF));
    audioRequest->ioa_Volume = 64;
    audioRequest->ioa_Cycles = loop != 0 ? 0 : 1;
    BeginIO(&request);
    // The host's sound output starts with the first sound; when it cannot (no sound card, no
    // sound server) the write comes straight back with an error.
    if (CheckIO(&request) != nullptr && WaitIO(&request) != 0) {
        if (!noOutputLogged)
            Log("Errore opendevice audio.device");
        noOutputLogged = 1;
        return false;
    }
    playing = 1;
    return true;
}
