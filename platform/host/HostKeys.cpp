// SPDX-License-Identifier: MIT
// Key positions (USB HID usage ids, which SDL reports as scan codes) to the platform's raw
// key codes. Both describe where a key sits, not what it types, so the mapping holds for
// every keyboard layout; the keymap turns raw keys into characters later.
//
// The platform's two Amiga keys are the host's Super keys and its left Alt key, so that
// Alt+E works as a menu command key on keyboards with a window manager that takes Super.
// Right Alt (AltGr) stays the platform's Alt, which types the extra characters of
// international layouts on both systems.
#include "platform/common/InputEvent.h"
#include "platform/host/Host.h"

#include <array>

namespace amiga::host {

namespace {

constexpr UWORD kNone = 0xFF;

constexpr std::array<UWORD, 232> BuildTable()
{
    std::array<UWORD, 232> table{};
    for (auto& entry : table) {
        entry = kNone;
    }
    // Letters A..Z (usages 4..29) by their place on the keyboard.
    constexpr UWORD letters[26] = {0x20, 0x35, 0x33, 0x22, 0x12, 0x23, 0x24, 0x25, 0x17, 0x26, 0x27, 0x28, 0x37,
                                   0x36, 0x18, 0x19, 0x10, 0x13, 0x21, 0x14, 0x16, 0x34, 0x11, 0x32, 0x15, 0x31};
    for (int i = 0; i < 26; ++i) {
        table[4 + i] = letters[i];
    }
    for (int i = 0; i < 10; ++i) { // 1..9, 0 (usages 30..39)
        table[30 + i] = static_cast<UWORD>(RAWKEY_1 + i);
    }
    table[40] = RAWKEY_RETURN;
    table[41] = RAWKEY_ESCAPE;
    table[42] = RAWKEY_BACKSPACE;
    table[43] = RAWKEY_TAB;
    table[44] = RAWKEY_SPACE;
    table[45] = RAWKEY_MINUS;
    table[46] = RAWKEY_EQUAL;
    table[47] = RAWKEY_LBRACKET;
    table[48] = RAWKEY_RBRACKET;
    table[49] = RAWKEY_BACKSLASH;
    table[50] = 0x2B; // the international key beside Return
    table[51] = RAWKEY_SEMICOLON;
    table[52] = RAWKEY_QUOTE;
    table[53] = RAWKEY_TILDE;
    table[54] = RAWKEY_COMMA;
    table[55] = RAWKEY_PERIOD;
    table[56] = RAWKEY_SLASH;
    table[57] = RAWKEY_CAPSLOCK;
    for (int i = 0; i < 10; ++i) { // F1..F10 (usages 58..67)
        table[58 + i] = static_cast<UWORD>(RAWKEY_F1 + i);
    }
    table[68] = 0x4B; // F11 and F12, and the navigation block, where later keyboards put them
    table[69] = 0x6F;
    table[73] = 0x47; // Insert
    table[74] = 0x70; // Home
    table[75] = 0x48; // Page Up
    table[76] = RAWKEY_DELETE;
    table[77] = 0x71; // End
    table[78] = 0x49; // Page Down
    table[79] = RAWKEY_RIGHT;
    table[80] = RAWKEY_LEFT;
    table[81] = RAWKEY_DOWN;
    table[82] = RAWKEY_UP;
    table[84] = RAWKEY_KP_DIVIDE;
    table[85] = RAWKEY_KP_MULTIPLY;
    table[86] = RAWKEY_KP_MINUS;
    table[87] = RAWKEY_KP_PLUS;
    table[88] = RAWKEY_KP_ENTER;
    constexpr UWORD keypadDigits[10] = {RAWKEY_KP_1,     RAWKEY_KP_1 + 1, RAWKEY_KP_1 + 2, RAWKEY_KP_4,
                                        RAWKEY_KP_4 + 1, RAWKEY_KP_4 + 2, RAWKEY_KP_7,     RAWKEY_KP_7 + 1,
                                        RAWKEY_KP_7 + 2, RAWKEY_KP_0};
    for (int i = 0; i < 10; ++i) { // keypad 1..9, 0 (usages 89..98)
        table[89 + i] = keypadDigits[i];
    }
    table[99] = RAWKEY_KP_DECIMAL;
    table[100] = RAWKEY_LESSGREATER;
    table[117] = RAWKEY_HELP;
    table[224] = RAWKEY_CONTROL; // left Control
    table[225] = RAWKEY_LSHIFT;
    table[226] = RAWKEY_LAMIGA;  // left Alt
    table[227] = RAWKEY_LAMIGA;  // left Super
    table[228] = RAWKEY_CONTROL; // right Control
    table[229] = RAWKEY_RSHIFT;
    table[230] = RAWKEY_RALT;   // right Alt (AltGr)
    table[231] = RAWKEY_RAMIGA; // right Super
    return table;
}

constexpr auto kTable = BuildTable();

} // namespace

UWORD RawKeyFromUsbUsage(int usage)
{
    if (usage < 0 || usage >= static_cast<int>(kTable.size())) {
        return kNone;
    }
    return kTable[static_cast<size_t>(usage)];
}

UWORD ModifierQualifiers(unsigned held)
{
    // Usages 224..231: LCtrl, LShift, LAlt, LGUI, RCtrl, RShift, RAlt, RGUI.
    constexpr UWORD qualifierOf[8] = {IEQUALIFIER_CONTROL,  IEQUALIFIER_LSHIFT,  IEQUALIFIER_LCOMMAND,
                                      IEQUALIFIER_LCOMMAND, IEQUALIFIER_CONTROL, IEQUALIFIER_RSHIFT,
                                      IEQUALIFIER_RALT,     IEQUALIFIER_RCOMMAND};
    UWORD qualifiers = 0;
    for (unsigned i = 0; i < 8; ++i) {
        if ((held & (1u << i)) != 0) {
            qualifiers |= qualifierOf[i];
        }
    }
    return qualifiers;
}

bool IsKeypad(UWORD raw)
{
    return raw == RAWKEY_KP_0 || (raw >= RAWKEY_KP_1 && raw <= RAWKEY_KP_1 + 2) ||
           (raw >= RAWKEY_KP_4 && raw <= RAWKEY_KP_4 + 2) || (raw >= RAWKEY_KP_7 && raw <= RAWKEY_KP_7 + 2) ||
           raw == RAWKEY_KP_DECIMAL || raw == RAWKEY_KP_ENTER || raw == RAWKEY_KP_MINUS ||
           (raw >= RAWKEY_KP_LPAREN && raw <= RAWKEY_KP_PLUS);
}

} // namespace amiga::host
