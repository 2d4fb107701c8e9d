// SPDX-License-Identifier: MIT
// One sampled sound at a time from an IFF 8SVX file, on one audio channel held from
// construction to destruction. Failures are only logged; a refused request leaves a sound
// already playing alone.
//
// Every file is copied on its first play into a per-user scratch folder ("KesaPegline" in
// $XDG_RUNTIME_DIR, else "KesaPegline-<uid>" in the system's temporary folder, user-only),
// and later plays of a file of that name come from the copy. The copy is keyed by the name
// alone: two files of the same name in different folders share one copy, and the second
// plays the first one's sound. Copies are never deleted.
#pragma once

#include "platform/audio/Audio.h"
#include "platform/iffparse/IffParse.h"

#include <string>

// The iffparse library as opened by the last Sound constructed.
extern amiga::Library* IFFParseBase;

class Sound {
public:
    // The allocation map: the four channels, tried in this order.
    static amiga::UBYTE whichannel[4];

    Sound();
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Starts playing and returns at once; a nonzero loop repeats until stopped.
    void PlayFileSound(std::string path, short loop);
    // Plays once (whatever the flag) and returns when the sound has ended.
    void PlayFileSoundSync(std::string path, short flag);
    // Plays once on a Sound of its own and returns when done.
    static void PlayFileSound(std::string path);
    // Aborts a playback still in progress; a finished one is left alone.
    void StopPlay();
    // The scratch copy's path for that file (only computed).
    static std::string FileTemporaneo(std::string path);
    // Makes the scratch copy; a failed copy is not reported. Always 1.
    static short BufferizzaFile(std::string path);

private:
    // True when a playback was started.
    bool StartPlayback(const std::string& path, short loop);
    bool PlayBody(amiga::IFFHandle* iff, long fileSize, short loop);

    amiga::MsgPort* replyPort = nullptr;
    amiga::IOAudio* audioRequest = nullptr;
    amiga::UBYTE* sampleBuffer = nullptr;
    short deviceOpen = 0;
    short playing = 0;
    short libraryOpened = 0; // this object holds one opening of IFFParseBase
    // Once per Sound, as a device that will not open is logged once per Sound (by the
    // constructor): the game's one Sound says it once in its life, however often it plays.
    short noOutputLogged = 0;
};
