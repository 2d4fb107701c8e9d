// SPDX-License-Identifier: MIT
// audio.device: four channels of signed 8-bit samples, allocated by map and key.
#pragma once

#include "platform/exec/Exec.h"

namespace amiga {

constexpr const char* AUDIONAME = "audio.device";

constexpr int ADHARD_CHANNELS = 4;
constexpr BYTE ADALLOC_MINPREC = -128;
constexpr BYTE ADALLOC_MAXPREC = 127;

// A sample plays at AUDIO_CLOCK / period samples per second.
constexpr ULONG AUDIO_CLOCK = 3579545;

constexpr UWORD ADCMD_FREE = CMD_NONSTD + 0;
constexpr UWORD ADCMD_SETPREC = CMD_NONSTD + 1;
constexpr UWORD ADCMD_FINISH = CMD_NONSTD + 2;
constexpr UWORD ADCMD_PERVOL = CMD_NONSTD + 3;
constexpr UWORD ADCMD_LOCK = CMD_NONSTD + 4;
constexpr UWORD ADCMD_WAITCYCLE = CMD_NONSTD + 5;
constexpr UWORD ADCMD_ALLOCATE = 32;

constexpr UBYTE ADIOB_PERVOL = 4;
constexpr UBYTE ADIOF_PERVOL = 1 << ADIOB_PERVOL;
constexpr UBYTE ADIOB_SYNCCYCLE = 5;
constexpr UBYTE ADIOF_SYNCCYCLE = 1 << ADIOB_SYNCCYCLE;
constexpr UBYTE ADIOB_NOWAIT = 6;
constexpr UBYTE ADIOF_NOWAIT = 1 << ADIOB_NOWAIT;
constexpr UBYTE ADIOB_WRITEMESSAGE = 7;
constexpr UBYTE ADIOF_WRITEMESSAGE = 1 << ADIOB_WRITEMESSAGE;

constexpr BYTE ADIOERR_NOALLOCATION = -10;
constexpr BYTE ADIOERR_ALLOCFAILED = -11;
constexpr BYTE ADIOERR_CHANNELSTOLEN = -12;

// ADCMD_ALLOCATE (also done by OpenDevice when ioa_Length is nonzero) takes the first mask
// of the ioa_Data map whose channels are all free, puts it in io_Unit and the key in
// ioa_AllocKey. CMD_WRITE plays ioa_Length bytes of ioa_Data on the lowest channel of io_Unit,
// ioa_Cycles times (0: until aborted), at ioa_Period and ioa_Volume (0..64) when ADIOF_PERVOL
// is set, else at the channel's last ones; the request is replied when its last cycle ends.
struct IOAudio {
    IORequest ioa_Request;
    WORD ioa_AllocKey = 0;
    UBYTE* ioa_Data = nullptr;
    ULONG ioa_Length = 0;
    UWORD ioa_Period = 0;
    UWORD ioa_Volume = 0;
    UWORD ioa_Cycles = 0;
    Message ioa_WriteMsg;
};

} // namespace amiga
