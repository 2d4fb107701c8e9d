// SPDX-License-Identifier: MIT
// dos: delays in ticks, command execution and file handles over the host's file system.
#pragma once

#include "platform/common/Types.h"

namespace amiga {

constexpr LONG TICKS_PER_SECOND = 50;

constexpr ULONG SIGBREAKB_CTRL_C = 12;
constexpr ULONG SIGBREAKB_CTRL_D = 13;
constexpr ULONG SIGBREAKB_CTRL_E = 14;
constexpr ULONG SIGBREAKB_CTRL_F = 15;
constexpr ULONG SIGBREAKF_CTRL_C = 1u << SIGBREAKB_CTRL_C;
constexpr ULONG SIGBREAKF_CTRL_D = 1u << SIGBREAKB_CTRL_D;
constexpr ULONG SIGBREAKF_CTRL_E = 1u << SIGBREAKB_CTRL_E;
constexpr ULONG SIGBREAKF_CTRL_F = 1u << SIGBREAKB_CTRL_F;

constexpr LONG MODE_READWRITE = 1004; // an existing file, or a new one; read and write
constexpr LONG MODE_OLDFILE = 1005;   // an existing file, read and write from its start
constexpr LONG MODE_NEWFILE = 1006;   // a new, empty file (truncating an existing one)

constexpr LONG OFFSET_BEGINNING = -1;
constexpr LONG OFFSET_CURRENT = 0;
constexpr LONG OFFSET_END = 1;

constexpr LONG DOSTRUE = -1;
constexpr LONG DOSFALSE = 0;

// Waits ticks / 50 s, presenting the screen first and handling input meanwhile.
void Delay(LONG ticks);
// Runs a command line: web and mailto addresses go to the desktop's opener, anything else to
// the shell. Nonzero when the command was run. Input and output handles are ignored.
LONG Execute(CONST_STRPTR command, BPTR input, BPTR output);

// File handles (0 when the file cannot be opened).
BPTR Open(CONST_STRPTR name, LONG accessMode);
LONG Close(BPTR file);                                  // DOSTRUE, or DOSFALSE when a write failed
LONG Read(BPTR file, APTR buffer, LONG length);         // bytes read, 0 at the end, -1 on error
LONG Write(BPTR file, const void* buffer, LONG length); // bytes written, -1 on error
LONG Seek(BPTR file, LONG position, LONG mode);         // the previous position, -1 on error

} // namespace amiga
