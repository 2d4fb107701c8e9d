// SPDX-License-Identifier: MIT
// The platform's basic types and tag lists. Everything the platform stand-in offers lives
// in namespace amiga, so that it never collides with the toolkit's own names or with libc.
#pragma once

#include <cstdint>

namespace amiga {

using BYTE = int8_t;
using UBYTE = uint8_t;
using WORD = int16_t;
using UWORD = uint16_t;
using LONG = int32_t;
using ULONG = uint32_t;
using BOOL = int16_t;
using APTR = void*;
using STRPTR = char*;
using CONST_STRPTR = const char*;
using IPTR = uintptr_t;
using Tag = ULONG;
using BPTR = IPTR;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct TagItem {
    Tag ti_Tag;
    IPTR ti_Data;
};

constexpr Tag TAG_DONE = 0;
constexpr Tag TAG_END = 0;
constexpr Tag TAG_IGNORE = 1;
constexpr Tag TAG_MORE = 2;
constexpr Tag TAG_SKIP = 3;
constexpr Tag TAG_USER = 0x80000000u;

// Finds a tag in a TAG_DONE-terminated list (following TAG_MORE, honouring TAG_IGNORE and
// TAG_SKIP); null when absent.
const TagItem* FindTagItem(Tag tag, const TagItem* list);
// The tag's data, or the default when the tag is absent.
IPTR GetTagData(Tag tag, IPTR defaultValue, const TagItem* list);

} // namespace amiga
