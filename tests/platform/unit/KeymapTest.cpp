// SPDX-License-Identifier: MIT
// MapRawKey with the default keymap: characters, qualifiers, sequences, dead keys, bad input.
#include "platform/keymap/Keymap.h"

#include <gtest/gtest.h>

#include <string>

using namespace amiga;

namespace {

InputEvent Key(UWORD code, UWORD qualifier = 0, APTR previous = nullptr)
{
    InputEvent event;
    event.ie_Class = IECLASS_RAWKEY;
    event.ie_Code = code;
    event.ie_Qualifier = qualifier;
    event.ie_EventAddress = previous;
    return event;
}

// The characters of a key, or "<n>" for a result that is not a count of characters.
std::string Map(UWORD code, UWORD qualifier = 0, APTR previous = nullptr, LONG length = 16)
{
    const InputEvent event = Key(code, qualifier, previous);
    char buffer[16] = {};
    const WORD n = MapRawKey(&event, buffer, length, nullptr);
    if (n < 0)
        return "<" + std::to_string(n) + ">";
    return std::string(buffer, static_cast<size_t>(n));
}

APTR After(UWORD code, UWORD qualifier)
{
    return PackPreviousKeys({static_cast<UBYTE>(code), static_cast<UBYTE>(qualifier), 0, 0});
}

} // namespace

TEST(KeymapTest, LettersFollowShiftCapsLockAndControl)
{
    EXPECT_EQ(Map(RAWKEY_A), "a");
    EXPECT_EQ(Map(RAWKEY_A, IEQUALIFIER_LSHIFT), "A");
    EXPECT_EQ(Map(RAWKEY_Z, IEQUALIFIER_RSHIFT), "Z");
    EXPECT_EQ(Map(RAWKEY_Q, IEQUALIFIER_CAPSLOCK), "Q");
    EXPECT_EQ(Map(RAWKEY_Q + 2, IEQUALIFIER_CAPSLOCK), "E"); // dead-key capable letters too
    EXPECT_EQ(Map(RAWKEY_A, IEQUALIFIER_CONTROL), "\x01");
    EXPECT_EQ(Map(RAWKEY_Z + 2, IEQUALIFIER_CONTROL | IEQUALIFIER_LSHIFT), "\x03");
    // Caps Lock is no Shift for digits and punctuation.
    EXPECT_EQ(Map(RAWKEY_1, IEQUALIFIER_CAPSLOCK), "1");
    EXPECT_EQ(Map(RAWKEY_1, IEQUALIFIER_LSHIFT), "!");
    EXPECT_EQ(Map(RAWKEY_0, IEQUALIFIER_LSHIFT), ")");
    EXPECT_EQ(Map(RAWKEY_SLASH, IEQUALIFIER_LSHIFT), "?");
    EXPECT_EQ(Map(RAWKEY_QUOTE), "'");
    EXPECT_EQ(Map(RAWKEY_A, IEQUALIFIER_LALT), "\xE6");
}

TEST(KeymapTest, ControlKeysAndKeypad)
{
    EXPECT_EQ(Map(RAWKEY_SPACE), " ");
    EXPECT_EQ(Map(RAWKEY_RETURN), "\r");
    EXPECT_EQ(Map(RAWKEY_KP_ENTER, IEQUALIFIER_NUMERICPAD), "\r");
    EXPECT_EQ(Map(RAWKEY_ESCAPE), "\x1B");
    EXPECT_EQ(Map(RAWKEY_DELETE), "\x7F");
    EXPECT_EQ(Map(RAWKEY_BACKSPACE), "\b");
    EXPECT_EQ(Map(RAWKEY_TAB), "\t");
    EXPECT_EQ(Map(RAWKEY_KP_0, IEQUALIFIER_NUMERICPAD), "0");
    EXPECT_EQ(Map(RAWKEY_KP_7, IEQUALIFIER_NUMERICPAD), "7");
    EXPECT_EQ(Map(0x1F, IEQUALIFIER_NUMERICPAD), "3");
    EXPECT_EQ(Map(RAWKEY_KP_MULTIPLY, IEQUALIFIER_NUMERICPAD), "*");
}

TEST(KeymapTest, CursorAndFunctionKeysSendSequences)
{
    EXPECT_EQ(Map(RAWKEY_UP), "\x9B"
                              "A");
    EXPECT_EQ(Map(RAWKEY_DOWN), "\x9B"
                                "B");
    EXPECT_EQ(Map(RAWKEY_RIGHT), "\x9B"
                                 "C");
    EXPECT_EQ(Map(RAWKEY_LEFT), "\x9B"
                                "D");
    EXPECT_EQ(Map(RAWKEY_LEFT, IEQUALIFIER_LSHIFT), "\x9B"
                                                    " A");
    EXPECT_EQ(Map(RAWKEY_F1), "\x9B"
                              "0~");
    EXPECT_EQ(Map(RAWKEY_F10, IEQUALIFIER_LSHIFT), "\x9B"
                                                   "19~");
    EXPECT_EQ(Map(RAWKEY_HELP), "\x9B"
                                "?~");
    EXPECT_EQ(Map(RAWKEY_TAB, IEQUALIFIER_LSHIFT), "\x9B"
                                                   "Z");
}

TEST(KeymapTest, TooSmallBufferAsksForMore)
{
    // The event loop starts with two bytes and doubles until the characters fit.
    EXPECT_EQ(Map(RAWKEY_F1, 0, nullptr, 2), "<-1>");
    EXPECT_EQ(Map(RAWKEY_F1, 0, nullptr, 3), "\x9B"
                                             "0~");
    EXPECT_EQ(Map(RAWKEY_UP, 0, nullptr, 1), "<-1>");
    EXPECT_EQ(Map(RAWKEY_A, 0, nullptr, 0), "<-1>");
    EXPECT_EQ(Map(RAWKEY_A, 0, nullptr, 1), "a");
}

TEST(KeymapTest, ReleasesUnknownKeysAndOtherEventsGiveNothing)
{
    EXPECT_EQ(Map(RAWKEY_A | IECODE_UP_PREFIX), "");
    EXPECT_EQ(Map(RAWKEY_RETURN | IECODE_UP_PREFIX), "");
    EXPECT_EQ(Map(RAWKEY_LSHIFT, IEQUALIFIER_LSHIFT), "");
    EXPECT_EQ(Map(0x0E), "");
    EXPECT_EQ(Map(0x77), "");
    EXPECT_EQ(Map(0x78), "");
    EXPECT_EQ(Map(0x7F), "");
    EXPECT_EQ(Map(0xFFFF, 0xFFFF), "");
    InputEvent mouse = Key(IECODE_LBUTTON);
    mouse.ie_Class = IECLASS_RAWMOUSE;
    char buffer[4] = {};
    EXPECT_EQ(MapRawKey(&mouse, buffer, 4, nullptr), 0);
    EXPECT_EQ(MapRawKey(nullptr, buffer, 4, nullptr), 0);
}

TEST(KeymapTest, DeadKeysAccentTheNextLetter)
{
    const UWORD f = RAWKEY_A + 3, k = RAWKEY_A + 7, n = RAWKEY_Z + 5, e = RAWKEY_Q + 2;
    EXPECT_EQ(Map(f, IEQUALIFIER_LALT), ""); // the dead key itself says nothing
    EXPECT_EQ(Map(e, 0, After(f, IEQUALIFIER_LALT)), "\xE9");
    EXPECT_EQ(Map(e, IEQUALIFIER_LSHIFT, After(f, IEQUALIFIER_RALT)), "\xC9");
    EXPECT_EQ(Map(RAWKEY_A, 0, After(k, IEQUALIFIER_LALT)), "\xE4");
    EXPECT_EQ(Map(n, 0, After(RAWKEY_A + 6, IEQUALIFIER_LALT)), "\xF1");
    // Without a dead key before, or with a plain letter before, the letter is plain.
    EXPECT_EQ(Map(e, 0, After(f, 0)), "e");
    EXPECT_EQ(Map(e, 0, After(RAWKEY_A, IEQUALIFIER_LALT)), "e");
    // A letter the accent does not fit stays plain; the plain "f" is not dead.
    EXPECT_EQ(Map(RAWKEY_Q, 0, After(f, IEQUALIFIER_LALT)), "q");
    EXPECT_EQ(Map(f), "f");
    EXPECT_EQ(Map(f, IEQUALIFIER_LSHIFT), "F");
}

TEST(KeymapTest, PreviousKeysRoundTripThroughTheEventAddress)
{
    const InputEventDead previous{0x23, 0x10, 0x12, 0x01};
    const InputEventDead back = UnpackPreviousKeys(PackPreviousKeys(previous));
    EXPECT_EQ(back.ie_prev1DownCode, 0x23);
    EXPECT_EQ(back.ie_prev1DownQual, 0x10);
    EXPECT_EQ(back.ie_prev2DownCode, 0x12);
    EXPECT_EQ(back.ie_prev2DownQual, 0x01);
}

TEST(KeymapTest, ReadsAKeymapOfItsOwn)
{
    // One vanilla key and one string key in the platform's layout.
    UBYTE loTypes[0x40];
    IPTR loMap[0x40] = {};
    for (auto& t : loTypes)
        t = KCF_NOP;
    static const UBYTE descriptor[] = {2, 4, 1, 6, 'x', 'y', 'z'};
    loTypes[RAWKEY_A] = KC_VANILLA;
    loMap[RAWKEY_A] = 'q' | ('Q' << 8) | (0xE5 << 16) | (0xC5 << 24);
    loTypes[RAWKEY_A + 1] = KCF_STRING | KCF_SHIFT;
    loMap[RAWKEY_A + 1] = reinterpret_cast<IPTR>(descriptor);
    const UBYTE capsable[8] = {};
    const KeyMap map{loTypes, loMap, capsable, capsable, nullptr, nullptr, nullptr, nullptr};
    char buffer[8] = {};
    InputEvent event = Key(RAWKEY_A, IEQUALIFIER_LALT | IEQUALIFIER_LSHIFT);
    ASSERT_EQ(MapRawKey(&event, buffer, 8, &map), 1);
    EXPECT_EQ(static_cast<UBYTE>(buffer[0]), 0xC5);
    event = Key(RAWKEY_A + 1);
    ASSERT_EQ(MapRawKey(&event, buffer, 8, &map), 2);
    EXPECT_EQ(std::string(buffer, 2), "xy");
    event = Key(RAWKEY_A + 1, IEQUALIFIER_RSHIFT);
    ASSERT_EQ(MapRawKey(&event, buffer, 8, &map), 1);
    EXPECT_EQ(buffer[0], 'z');
    event = Key(RAWKEY_SPACE); // no hi tables at all
    EXPECT_EQ(MapRawKey(&event, buffer, 8, &map), 0);
}
