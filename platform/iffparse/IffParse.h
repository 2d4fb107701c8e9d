// SPDX-License-Identifier: MIT
// iffparse.library: reading IFF files (FORM, LIST, CAT, PROP) from dos file handles.
#pragma once

#include "platform/exec/Exec.h"

namespace amiga {

constexpr LONG MAKE_ID(char a, char b, char c, char d)
{
    return static_cast<LONG>(
        (static_cast<ULONG>(static_cast<UBYTE>(a)) << 24) | (static_cast<ULONG>(static_cast<UBYTE>(b)) << 16) |
        (static_cast<ULONG>(static_cast<UBYTE>(c)) << 8) | static_cast<ULONG>(static_cast<UBYTE>(d)));
}

constexpr LONG ID_FORM = MAKE_ID('F', 'O', 'R', 'M');
constexpr LONG ID_LIST = MAKE_ID('L', 'I', 'S', 'T');
constexpr LONG ID_CAT = MAKE_ID('C', 'A', 'T', ' ');
constexpr LONG ID_PROP = MAKE_ID('P', 'R', 'O', 'P');
constexpr LONG ID_NULL = MAKE_ID(' ', ' ', ' ', ' ');

// Error codes of ParseIFF and friends; 0 is success.
constexpr LONG IFFERR_EOF = -1;     // the outermost chunk has ended
constexpr LONG IFFERR_EOC = -2;     // a context has ended (IFFPARSE_STEP)
constexpr LONG IFFERR_NOSCOPE = -3; // no FORM or LIST to hold a property
constexpr LONG IFFERR_NOMEM = -4;
constexpr LONG IFFERR_READ = -5;
constexpr LONG IFFERR_WRITE = -6;
constexpr LONG IFFERR_SEEK = -7;
constexpr LONG IFFERR_MANGLED = -8; // sizes that do not fit, a file cut short
constexpr LONG IFFERR_SYNTAX = -9;  // a chunk where the grammar allows none
constexpr LONG IFFERR_NOTIFF = -10;
constexpr LONG IFFERR_NOHOOK = -11;
constexpr LONG IFF_RETURN2CLIENT = -12;

constexpr LONG IFFF_READ = 0;
constexpr LONG IFFF_WRITE = 1;
constexpr LONG IFFF_RWBITS = IFFF_READ | IFFF_WRITE;
constexpr LONG IFFF_FSEEK = 1 << 1;
constexpr LONG IFFF_RSEEK = 1 << 2;

constexpr LONG IFFPARSE_SCAN = 0;    // runs until a stop chunk or the end
constexpr LONG IFFPARSE_STEP = 1;    // returns at every chunk entered and (IFFERR_EOC) left
constexpr LONG IFFPARSE_RAWSTEP = 2; // as STEP, without running the property handlers

struct IFFHandle {
    IPTR iff_Stream = 0; // the dos file handle (InitIFFasDOS)
    ULONG iff_Flags = 0;
    LONG iff_Depth = 0; // chunks entered
};

struct ContextNode {
    MinNode cn_Node;
    LONG cn_ID = 0;
    LONG cn_Type = 0; // the group's type; for a data chunk, the type of the group holding it
    LONG cn_Size = 0; // of the data, without the header and the pad byte
    LONG cn_Scan = 0; // bytes of the data read so far
};

struct StoredProperty {
    LONG sp_Size = 0;
    APTR sp_Data = nullptr;
};

IFFHandle* AllocIFF();             // null when out of memory
void FreeIFF(IFFHandle* iff);      // closes it first when still open
void InitIFFasDOS(IFFHandle* iff); // iff_Stream is then a dos file handle the caller opened
// 0, or IFFERR_NOTIFF when the stream does not start with FORM, LIST or CAT. Write mode is
// not offered: IFFERR_WRITE.
LONG OpenIFF(IFFHandle* iff, LONG rwMode);
void CloseIFF(IFFHandle* iff); // leaves the stream open
// Data chunks `id` inside groups of `type`: PropChunk keeps their contents for FindProp,
// StopChunk makes ParseIFF return with the chunk current. Declared before or after OpenIFF,
// they last until CloseIFF. 0, or IFFERR_NOMEM.
LONG PropChunk(IFFHandle* iff, LONG type, LONG id);
LONG StopChunk(IFFHandle* iff, LONG type, LONG id);
LONG ParseIFF(IFFHandle* iff, LONG control);
// The property in scope at the current chunk: the innermost FORM's own, else one from a
// PROP of the enclosing LISTs. Null when none.
StoredProperty* FindProp(IFFHandle* iff, LONG type, LONG id);
// Reads up to numBytes of the current chunk's data, never beyond it: the count read (0 at
// its end), or a negative IFFERR_ code.
LONG ReadChunkBytes(IFFHandle* iff, APTR buf, LONG numBytes);
ContextNode* CurrentChunk(IFFHandle* iff); // null outside any chunk
ContextNode* ParentChunk(ContextNode* contextNode);

} // namespace amiga
