// SPDX-License-Identifier: MIT
// Raw input as the platform describes it: the input event, raw key codes and qualifiers.
#pragma once

#include "platform/common/Types.h"

namespace amiga {

struct InputEvent {
    InputEvent* ie_NextEvent = nullptr;
    UBYTE ie_Class = 0;
    UBYTE ie_SubClass = 0;
    UWORD ie_Code = 0;
    UWORD ie_Qualifier = 0;
    APTR ie_EventAddress = nullptr; // for raw keys: the previous key codes (prev1DownCode...)
    ULONG ie_Seconds = 0;
    ULONG ie_Micros = 0;
};

constexpr UBYTE IECLASS_NULL = 0x00;
constexpr UBYTE IECLASS_RAWKEY = 0x01;
constexpr UBYTE IECLASS_RAWMOUSE = 0x02;

// Raw key codes (positions on the keyboard, US layout names).
constexpr UWORD RAWKEY_TILDE = 0x00;
constexpr UWORD RAWKEY_1 = 0x01; // 0x01..0x0A: 1..9, 0
constexpr UWORD RAWKEY_0 = 0x0A;
constexpr UWORD RAWKEY_MINUS = 0x0B;
constexpr UWORD RAWKEY_EQUAL = 0x0C;
constexpr UWORD RAWKEY_BACKSLASH = 0x0D;
constexpr UWORD RAWKEY_KP_0 = 0x0F;
constexpr UWORD RAWKEY_Q = 0x10; // 0x10..0x19: Q W E R T Y U I O P
constexpr UWORD RAWKEY_LBRACKET = 0x1A;
constexpr UWORD RAWKEY_RBRACKET = 0x1B;
constexpr UWORD RAWKEY_KP_1 = 0x1D; // 0x1D..0x1F: keypad 1 2 3
constexpr UWORD RAWKEY_A = 0x20;    // 0x20..0x28: A S D F G H J K L
constexpr UWORD RAWKEY_SEMICOLON = 0x29;
constexpr UWORD RAWKEY_QUOTE = 0x2A;
constexpr UWORD RAWKEY_KP_4 = 0x2D; // 0x2D..0x2F: keypad 4 5 6
constexpr UWORD RAWKEY_LESSGREATER = 0x30;
constexpr UWORD RAWKEY_Z = 0x31; // 0x31..0x37: Z X C V B N M
constexpr UWORD RAWKEY_COMMA = 0x38;
constexpr UWORD RAWKEY_PERIOD = 0x39;
constexpr UWORD RAWKEY_SLASH = 0x3A;
constexpr UWORD RAWKEY_KP_DECIMAL = 0x3C;
constexpr UWORD RAWKEY_KP_7 = 0x3D; // 0x3D..0x3F: keypad 7 8 9
constexpr UWORD RAWKEY_SPACE = 0x40;
constexpr UWORD RAWKEY_BACKSPACE = 0x41;
constexpr UWORD RAWKEY_TAB = 0x42;
constexpr UWORD RAWKEY_KP_ENTER = 0x43;
constexpr UWORD RAWKEY_RETURN = 0x44;
constexpr UWORD RAWKEY_ESCAPE = 0x45;
constexpr UWORD RAWKEY_DELETE = 0x46;
constexpr UWORD RAWKEY_KP_MINUS = 0x4A;
constexpr UWORD RAWKEY_UP = 0x4C;
constexpr UWORD RAWKEY_DOWN = 0x4D;
constexpr UWORD RAWKEY_RIGHT = 0x4E;
constexpr UWORD RAWKEY_LEFT = 0x4F;
constexpr UWORD RAWKEY_F1 = 0x50; // 0x50..0x59: F1..F10
constexpr UWORD RAWKEY_F10 = 0x59;
constexpr UWORD RAWKEY_KP_LPAREN = 0x5A;
constexpr UWORD RAWKEY_KP_RPAREN = 0x5B;
constexpr UWORD RAWKEY_KP_DIVIDE = 0x5C;
constexpr UWORD RAWKEY_KP_MULTIPLY = 0x5D;
constexpr UWORD RAWKEY_KP_PLUS = 0x5E;
constexpr UWORD RAWKEY_HELP = 0x5F;
constexpr UWORD RAWKEY_LSHIFT = 0x60;
constexpr UWORD RAWKEY_RSHIFT = 0x61;
constexpr UWORD RAWKEY_CAPSLOCK = 0x62;
constexpr UWORD RAWKEY_CONTROL = 0x63;
constexpr UWORD RAWKEY_LALT = 0x64;
constexpr UWORD RAWKEY_RALT = 0x65;
constexpr UWORD RAWKEY_LAMIGA = 0x66;
constexpr UWORD RAWKEY_RAMIGA = 0x67;

constexpr UWORD IECODE_UP_PREFIX = 0x80;
constexpr UWORD IECODE_KEY_CODE_FIRST = 0x00;
constexpr UWORD IECODE_KEY_CODE_LAST = 0x77;
constexpr UWORD IECODE_LBUTTON = 0x68;
constexpr UWORD IECODE_RBUTTON = 0x69;
constexpr UWORD IECODE_MBUTTON = 0x6A;
constexpr UWORD IECODE_NOBUTTON = 0xFF;

constexpr UWORD IEQUALIFIER_LSHIFT = 0x0001;
constexpr UWORD IEQUALIFIER_RSHIFT = 0x0002;
constexpr UWORD IEQUALIFIER_CAPSLOCK = 0x0004;
constexpr UWORD IEQUALIFIER_CONTROL = 0x0008;
constexpr UWORD IEQUALIFIER_LALT = 0x0010;
constexpr UWORD IEQUALIFIER_RALT = 0x0020;
constexpr UWORD IEQUALIFIER_LCOMMAND = 0x0040;
constexpr UWORD IEQUALIFIER_RCOMMAND = 0x0080;
constexpr UWORD IEQUALIFIER_NUMERICPAD = 0x0100;
constexpr UWORD IEQUALIFIER_REPEAT = 0x0200;
constexpr UWORD IEQUALIFIER_INTERRUPT = 0x0400;
constexpr UWORD IEQUALIFIER_MULTIBROADCAST = 0x0800;
constexpr UWORD IEQUALIFIER_MIDBUTTON = 0x1000;
constexpr UWORD IEQUALIFIER_RBUTTON = 0x2000;
constexpr UWORD IEQUALIFIER_LEFTBUTTON = 0x4000;
constexpr UWORD IEQUALIFIER_RELATIVEMOUSE = 0x8000;

} // namespace amiga
