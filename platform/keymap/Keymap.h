// SPDX-License-Identifier: MIT
// keymap.library: turning raw keys and qualifiers into characters through a keymap.
#pragma once

#include "platform/common/InputEvent.h"
#include "platform/common/Types.h"

namespace amiga {

// The platform's keymap layout: per raw key a type byte and an entry. Keys 0x00..0x3F are
// the "lo" keys, 0x40..0x77 the "hi" keys. For plain keys the entry holds up to four
// characters, the plain one in the lowest byte, then one per qualifier combination the type
// names (KCF_SHIFT = bit 0, KCF_ALT = bit 1, KCF_CONTROL = bit 2 of the combination); with
// KC_VANILLA, Control clears bits 5 and 6 of the character. For KCF_STRING and KCF_DEAD
// keys the entry points to a descriptor of (length, offset) or (flags, data) byte pairs,
// one pair per combination.
struct KeyMap {
    const UBYTE* km_LoKeyMapTypes;
    const IPTR* km_LoKeyMap;
    const UBYTE* km_LoCapsable; // one bit per key: Caps Lock acts as Shift
    const UBYTE* km_LoRepeatable;
    const UBYTE* km_HiKeyMapTypes;
    const IPTR* km_HiKeyMap;
    const UBYTE* km_HiCapsable;
    const UBYTE* km_HiRepeatable;
};

// Key types.
constexpr UBYTE KC_NOQUAL = 0x00;
constexpr UBYTE KCF_SHIFT = 0x01;
constexpr UBYTE KCF_ALT = 0x02;
constexpr UBYTE KCF_CONTROL = 0x04;
constexpr UBYTE KC_VANILLA = 0x07;
constexpr UBYTE KCF_DOWNUP = 0x08;
constexpr UBYTE KCF_DEAD = 0x20;
constexpr UBYTE KCF_STRING = 0x40;
constexpr UBYTE KCF_NOP = 0x80;

// Dead-key descriptor flags.
constexpr UBYTE DPF_MOD = 0x01;  // data: offset of a table, [0] alone, [n] after dead key n
constexpr UBYTE DPF_DEAD = 0x08; // data: this key is dead key number `data`

// The previous two key presses, as intuition keeps them in a raw key's event address (the
// bytes of the pointer value, in memory order).
struct InputEventDead {
    UBYTE ie_prev1DownCode;
    UBYTE ie_prev1DownQual; // the qualifier's low byte
    UBYTE ie_prev2DownCode;
    UBYTE ie_prev2DownQual;
};
APTR PackPreviousKeys(const InputEventDead& previous);
InputEventDead UnpackPreviousKeys(APTR eventAddress);

// The characters of a raw key event (class IECLASS_RAWKEY) under `keyMap` (null: the default
// US keymap), written to `buffer` without a terminating NUL. Returns their number: 0 for a
// key release, an unknown key or a dead key, several for keys that send a sequence (cursor
// and function keys: CSI 0x9B ...), or -1 when `length` is too small for them.
WORD MapRawKey(const InputEvent* event, STRPTR buffer, LONG length, const KeyMap* keyMap);
// The default keymap (the US one).
const KeyMap* AskKeyMapDefault();

} // namespace amiga
