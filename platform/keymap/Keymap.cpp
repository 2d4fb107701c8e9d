// SPDX-License-Identifier: MIT
// keymap.library: the default US keymap, built in the platform's own table format, and
// MapRawKey, which reads any keymap in that format.
#include "platform/keymap/Keymap.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace amiga {

namespace {

constexpr int kLoKeys = 0x40;
constexpr int kHiKeys = 0x38; // 0x40..0x77
constexpr char kCsi = static_cast<char>(0x9B);

// Dead key numbers of the default keymap (Alt with F, G, H, J, K).
enum DeadKey : UBYTE { Acute = 1, Grave = 2, Circumflex = 3, Tilde = 4, Diaeresis = 5 };
constexpr int kDeadKeys = 5;

int QualifierCount(UBYTE type)
{
    return ((type & KCF_SHIFT) ? 1 : 0) + ((type & KCF_ALT) ? 1 : 0) + ((type & KCF_CONTROL) ? 1 : 0);
}

// The default keymap's tables. Descriptors of string and dead keys live in `descriptors`;
// the entries point into them, so the object is built once in place and never copied.
struct DefaultKeyMapTables {
    std::array<UBYTE, kLoKeys> loTypes{};
    std::array<IPTR, kLoKeys> loMap{};
    std::array<UBYTE, kLoKeys / 8> loCapsable{};
    std::array<UBYTE, kLoKeys / 8> loRepeatable{};
    std::array<UBYTE, kHiKeys> hiTypes{};
    std::array<IPTR, kHiKeys> hiMap{};
    std::array<UBYTE, kHiKeys / 8> hiCapsable{};
    std::array<UBYTE, kHiKeys / 8> hiRepeatable{};
    std::vector<std::vector<UBYTE>> descriptors;
    KeyMap keyMap{};

    DefaultKeyMapTables(const DefaultKeyMapTables&) = delete;
    DefaultKeyMapTables& operator=(const DefaultKeyMapTables&) = delete;

    DefaultKeyMapTables()
    {
        loTypes.fill(KCF_NOP);
        hiTypes.fill(KCF_NOP);
        descriptors.reserve(64); // entries point into these: never reallocate the outer vector
        Build();
        keyMap = {loTypes.data(), loMap.data(), loCapsable.data(), loRepeatable.data(),
                  hiTypes.data(), hiMap.data(), hiCapsable.data(), hiRepeatable.data()};
    }

    void SetKey(UWORD code, UBYTE type, IPTR entry, bool capsable)
    {
        const bool lo = code < kLoKeys;
        const auto index = static_cast<size_t>(lo ? code : code - kLoKeys);
        UBYTE* types = lo ? loTypes.data() : hiTypes.data();
        IPTR* map = lo ? loMap.data() : hiMap.data();
        UBYTE* repeat = lo ? loRepeatable.data() : hiRepeatable.data();
        UBYTE* caps = lo ? loCapsable.data() : hiCapsable.data();
        const auto bit = static_cast<UBYTE>(1u << (index % 8));
        types[index] = type;
        map[index] = entry;
        repeat[index / 8] = static_cast<UBYTE>(repeat[index / 8] | bit);
        if (capsable)
            caps[index / 8] = static_cast<UBYTE>(caps[index / 8] | bit);
    }

    // Up to four characters, the plain one first.
    void Chars(UWORD code, UBYTE type, std::initializer_list<UBYTE> chars, bool capsable = false)
    {
        IPTR entry = 0;
        int shift = 0;
        for (UBYTE c : chars) {
            entry |= static_cast<IPTR>(c) << shift;
            shift += 8;
        }
        SetKey(code, type, entry, capsable);
    }

    // One string per qualifier combination of the type.
    void Strings(UWORD code, UBYTE type, const std::vector<std::string>& strings)
    {
        const size_t pairs = size_t{1} << QualifierCount(type);
        std::vector<UBYTE> descriptor(pairs * 2);
        for (size_t i = 0; i < pairs; ++i) {
            const std::string& s = strings[i < strings.size() ? i : strings.size() - 1];
            descriptor[i * 2] = static_cast<UBYTE>(s.size());
            descriptor[i * 2 + 1] = static_cast<UBYTE>(descriptor.size());
            descriptor.insert(descriptor.end(), s.begin(), s.end());
        }
        descriptors.push_back(std::move(descriptor));
        SetKey(code, KCF_STRING | type, reinterpret_cast<IPTR>(descriptors.back().data()), false);
    }

    // A letter of KC_VANILLA type as a dead-key descriptor: `deadNumber` makes Alt (with or
    // without Shift) dead key of that number; `lower`/`upper` tables (plain then one per dead
    // key) make the letter take accents.
    void DeadLetter(UWORD code, UBYTE letter, UBYTE alt, UBYTE altShift, UBYTE deadNumber,
                    const std::array<UBYTE, kDeadKeys + 1>* lower, const std::array<UBYTE, kDeadKeys + 1>* upper)
    {
        std::vector<UBYTE> descriptor(16);
        auto pair = [&](size_t combination, UBYTE flags, UBYTE data) {
            descriptor[combination * 2] = flags;
            descriptor[combination * 2 + 1] = data;
        };
        auto table = [&](const std::array<UBYTE, kDeadKeys + 1>& chars) {
            const auto offset = static_cast<UBYTE>(descriptor.size());
            descriptor.insert(descriptor.end(), chars.begin(), chars.end());
            return offset;
        };
        const auto upperLetter = static_cast<UBYTE>(letter - 0x20);
        const auto control = static_cast<UBYTE>(letter & 0x1F);
        if (lower != nullptr) {
            pair(0, DPF_MOD, table(*lower));
            pair(1, DPF_MOD, table(*upper));
        } else {
            pair(0, 0, letter);
            pair(1, 0, upperLetter);
        }
        if (deadNumber != 0) {
            pair(2, DPF_DEAD, deadNumber);
            pair(3, DPF_DEAD, deadNumber);
        } else {
            pair(2, 0, alt);
            pair(3, 0, altShift);
        }
        for (size_t combination = 4; combination < 8; ++combination)
            pair(combination, 0, control);
        descriptors.push_back(std::move(descriptor));
        SetKey(code, KCF_DEAD | KC_VANILLA, reinterpret_cast<IPTR>(descriptors.back().data()), true);
    }

    void Build()
    {
        // Digits row: plain, Shift.
        const char* digits = "1234567890";
        const char* shiftedDigits = "!@#$%^&*()";
        for (int i = 0; i < 10; ++i)
            Chars(static_cast<UWORD>(RAWKEY_1 + i), KCF_SHIFT,
                  {static_cast<UBYTE>(digits[i]), static_cast<UBYTE>(shiftedDigits[i])});
        struct Punctuation {
            UWORD code;
            char plain;
            char shifted;
        };
        const Punctuation punctuation[] = {
            {RAWKEY_TILDE, '`', '~'},      {RAWKEY_MINUS, '-', '_'},    {RAWKEY_EQUAL, '=', '+'},
            {RAWKEY_BACKSLASH, '\\', '|'}, {RAWKEY_LBRACKET, '[', '{'}, {RAWKEY_RBRACKET, ']', '}'},
            {RAWKEY_SEMICOLON, ';', ':'},  {RAWKEY_QUOTE, '\'', '"'},   {RAWKEY_LESSGREATER, '<', '>'},
            {RAWKEY_COMMA, ',', '<'},      {RAWKEY_PERIOD, '.', '>'},   {RAWKEY_SLASH, '/', '?'},
        };
        for (const auto& p : punctuation)
            Chars(p.code, KCF_SHIFT, {static_cast<UBYTE>(p.plain), static_cast<UBYTE>(p.shifted)});

        // Letters: plain, Shift, Alt, Shift+Alt; Control gives the control code. Alt with
        // F, G, H, J, K is a dead key (acute, grave, circumflex, tilde, diaeresis) that
        // accents the vowels, N and Y typed after it.
        struct Letter {
            UWORD code;
            char letter;
            UBYTE alt;
            UBYTE altShift;
        };
        const Letter letters[] = {
            {0x10, 'q', 0xE5, 0xC5}, {0x11, 'w', 0xB0, 0xB0}, {0x12, 'e', 0xA9, 0xA9}, {0x13, 'r', 0xAE, 0xAE},
            {0x14, 't', 0xFE, 0xDE}, {0x15, 'y', 0xA4, 0xA5}, {0x16, 'u', 0xB5, 0xB5}, {0x17, 'i', 0xA1, 0xA6},
            {0x18, 'o', 0xF8, 0xD8}, {0x19, 'p', 0xB6, 0xB6}, {0x20, 'a', 0xE6, 0xC6}, {0x21, 's', 0xDF, 0xA7},
            {0x22, 'd', 0xF0, 0xD0}, {0x23, 'f', 0, 0},       {0x24, 'g', 0, 0},       {0x25, 'h', 0, 0},
            {0x26, 'j', 0, 0},       {0x27, 'k', 0, 0},       {0x28, 'l', 0xA3, 0xA3}, {0x31, 'z', 0xB1, 0xAC},
            {0x32, 'x', 0xD7, 0xF7}, {0x33, 'c', 0xE7, 0xC7}, {0x34, 'v', 0xAA, 0xAA}, {0x35, 'b', 0xBA, 0xBA},
            {0x36, 'n', 0xAD, 0xAF}, {0x37, 'm', 0xB8, 0xBF},
        };
        using Accents = std::array<UBYTE, kDeadKeys + 1>; // alone, acute, grave, circumflex, tilde, diaeresis
        struct Accented {
            char letter;
            Accents lower;
            Accents upper;
        };
        const Accented accented[] = {
            {'a', {'a', 0xE1, 0xE0, 0xE2, 0xE3, 0xE4}, {'A', 0xC1, 0xC0, 0xC2, 0xC3, 0xC4}},
            {'e', {'e', 0xE9, 0xE8, 0xEA, 'e', 0xEB}, {'E', 0xC9, 0xC8, 0xCA, 'E', 0xCB}},
            {'i', {'i', 0xED, 0xEC, 0xEE, 'i', 0xEF}, {'I', 0xCD, 0xCC, 0xCE, 'I', 0xCF}},
            {'o', {'o', 0xF3, 0xF2, 0xF4, 0xF5, 0xF6}, {'O', 0xD3, 0xD2, 0xD4, 0xD5, 0xD6}},
            {'u', {'u', 0xFA, 0xF9, 0xFB, 'u', 0xFC}, {'U', 0xDA, 0xD9, 0xDB, 'U', 0xDC}},
            {'y', {'y', 0xFD, 'y', 'y', 'y', 0xFF}, {'Y', 0xDD, 'Y', 'Y', 'Y', 'Y'}},
            {'n', {'n', 'n', 'n', 'n', 0xF1, 'n'}, {'N', 'N', 'N', 'N', 0xD1, 'N'}},
        };
        const char* deadLetters = "fghjk";
        for (const auto& l : letters) {
            const auto letter = static_cast<UBYTE>(l.letter);
            const char* dead = std::strchr(deadLetters, l.letter);
            const Accented* accents = nullptr;
            for (const auto& a : accented)
                if (a.letter == l.letter)
                    accents = &a;
            if (dead != nullptr || accents != nullptr) {
                DeadLetter(
                    l.code, letter, l.alt, l.altShift, dead != nullptr ? static_cast<UBYTE>(dead - deadLetters + 1) : 0,
                    accents != nullptr ? &accents->lower : nullptr, accents != nullptr ? &accents->upper : nullptr);
            } else {
                Chars(l.code, KC_VANILLA, {letter, static_cast<UBYTE>(letter - 0x20), l.alt, l.altShift}, true);
            }
        }

        Chars(RAWKEY_SPACE, KCF_ALT, {' ', 0xA0});
        Chars(RAWKEY_BACKSPACE, KC_NOQUAL, {8});
        Strings(RAWKEY_TAB, KCF_SHIFT, {"\t", std::string{kCsi, 'Z'}});
        Chars(RAWKEY_RETURN, KC_NOQUAL, {13});
        Chars(RAWKEY_KP_ENTER, KC_NOQUAL, {13});
        Chars(RAWKEY_ESCAPE, KC_NOQUAL, {27});
        Chars(RAWKEY_DELETE, KC_NOQUAL, {127});

        // Keypad.
        const UWORD keypadDigits[] = {RAWKEY_KP_0, 0x1D, 0x1E, 0x1F, 0x2D, 0x2E, 0x2F, 0x3D, 0x3E, 0x3F};
        for (int i = 0; i < 10; ++i)
            Chars(keypadDigits[i], KC_NOQUAL, {static_cast<UBYTE>('0' + i)});
        Chars(RAWKEY_KP_DECIMAL, KC_NOQUAL, {'.'});
        Chars(RAWKEY_KP_MINUS, KC_NOQUAL, {'-'});
        Chars(RAWKEY_KP_LPAREN, KC_NOQUAL, {'('});
        Chars(RAWKEY_KP_RPAREN, KC_NOQUAL, {')'});
        Chars(RAWKEY_KP_DIVIDE, KC_NOQUAL, {'/'});
        Chars(RAWKEY_KP_MULTIPLY, KC_NOQUAL, {'*'});
        Chars(RAWKEY_KP_PLUS, KC_NOQUAL, {'+'});

        // Cursor, function and help keys send CSI sequences.
        auto csi = [](const std::string& rest) { return std::string{kCsi} + rest; };
        Strings(RAWKEY_UP, KCF_SHIFT, {csi("A"), csi("T")});
        Strings(RAWKEY_DOWN, KCF_SHIFT, {csi("B"), csi("S")});
        Strings(RAWKEY_RIGHT, KCF_SHIFT, {csi("C"), csi(" @")});
        Strings(RAWKEY_LEFT, KCF_SHIFT, {csi("D"), csi(" A")});
        for (int i = 0; i < 10; ++i)
            Strings(static_cast<UWORD>(RAWKEY_F1 + i), KCF_SHIFT,
                    {csi(std::to_string(i) + "~"), csi(std::to_string(10 + i) + "~")});
        Strings(RAWKEY_HELP, KC_NOQUAL, {csi("?~")});
    }
};

const DefaultKeyMapTables& DefaultTables()
{
    // Constant data built once; nothing in it changes after construction.
    static const DefaultKeyMapTables tables;
    return tables;
}

struct KeyEntry {
    UBYTE type = KCF_NOP;
    IPTR entry = 0;
    bool capsable = false;
};

KeyEntry LookUp(const KeyMap* keyMap, UWORD code)
{
    if (code > IECODE_KEY_CODE_LAST)
        return {};
    const bool lo = code < kLoKeys;
    const int index = lo ? code : code - kLoKeys;
    const UBYTE* types = lo ? keyMap->km_LoKeyMapTypes : keyMap->km_HiKeyMapTypes;
    const IPTR* map = lo ? keyMap->km_LoKeyMap : keyMap->km_HiKeyMap;
    const UBYTE* caps = lo ? keyMap->km_LoCapsable : keyMap->km_HiCapsable;
    if (types == nullptr || map == nullptr)
        return {};
    KeyEntry key;
    key.type = types[index];
    key.entry = map[index];
    key.capsable = caps != nullptr && (caps[index / 8] & (1u << (index % 8))) != 0;
    return key;
}

struct Held {
    bool shift;
    bool alt;
    bool control;
};

Held HeldQualifiers(UWORD qualifier, bool capsable)
{
    return {(qualifier & (IEQUALIFIER_LSHIFT | IEQUALIFIER_RSHIFT)) != 0 ||
                (capsable && (qualifier & IEQUALIFIER_CAPSLOCK) != 0),
            (qualifier & (IEQUALIFIER_LALT | IEQUALIFIER_RALT)) != 0, (qualifier & IEQUALIFIER_CONTROL) != 0};
}

// The combination number of the held qualifiers among those the key's type names.
size_t Combination(UBYTE type, const Held& held)
{
    size_t combination = 0;
    int bit = 0;
    if (type & KCF_SHIFT)
        combination |= static_cast<size_t>(held.shift) << bit++;
    if (type & KCF_ALT)
        combination |= static_cast<size_t>(held.alt) << bit++;
    if (type & KCF_CONTROL)
        combination |= static_cast<size_t>(held.control) << bit++;
    return combination;
}

// The dead key number a key press makes, 0 when it is not a dead key.
UBYTE DeadNumber(const KeyMap* keyMap, UWORD code, UWORD qualifier)
{
    const KeyEntry key = LookUp(keyMap, code);
    if (!(key.type & KCF_DEAD) || (key.type & KCF_NOP) || key.entry == 0)
        return 0;
    const auto* descriptor = reinterpret_cast<const UBYTE*>(key.entry);
    const size_t combination = Combination(key.type, HeldQualifiers(qualifier, key.capsable));
    return descriptor[combination * 2] == DPF_DEAD ? descriptor[combination * 2 + 1] : 0;
}

} // namespace

APTR PackPreviousKeys(const InputEventDead& previous)
{
    APTR address = nullptr;
    static_assert(sizeof(APTR) >= sizeof(InputEventDead));
    std::memcpy(&address, &previous, sizeof previous);
    return address;
}

InputEventDead UnpackPreviousKeys(APTR eventAddress)
{
    InputEventDead previous{};
    std::memcpy(&previous, &eventAddress, sizeof previous);
    return previous;
}

const KeyMap* AskKeyMapDefault()
{
    return &DefaultTables().keyMap;
}

WORD MapRawKey(const InputEvent* event, STRPTR buffer, LONG length, const KeyMap* keyMap)
{
    if (event == nullptr || event->ie_Class != IECLASS_RAWKEY)
        return 0;
    if (keyMap == nullptr)
        keyMap = AskKeyMapDefault();
    // Only presses produce characters: no key of these keymaps is KCF_DOWNUP.
    if (event->ie_Code & IECODE_UP_PREFIX)
        return 0;
    const UWORD code = event->ie_Code;
    const KeyEntry key = LookUp(keyMap, code);
    if (key.type & KCF_NOP)
        return 0;
    const Held held = HeldQualifiers(event->ie_Qualifier, key.capsable);

    char out[255];
    int count = 0;
    if (key.type & KCF_STRING) {
        if (key.entry == 0)
            return 0;
        const auto* descriptor = reinterpret_cast<const UBYTE*>(key.entry);
        const size_t combination = Combination(key.type, held);
        count = descriptor[combination * 2];
        std::memcpy(out, descriptor + descriptor[combination * 2 + 1], static_cast<size_t>(count));
    } else if (key.type & KCF_DEAD) {
        if (key.entry == 0)
            return 0;
        const auto* descriptor = reinterpret_cast<const UBYTE*>(key.entry);
        const size_t combination = Combination(key.type, held);
        const UBYTE flags = descriptor[combination * 2];
        const UBYTE data = descriptor[combination * 2 + 1];
        if (flags & DPF_DEAD)
            return 0; // a dead key alone says nothing; it changes the next key
        if (flags & DPF_MOD) {
            const InputEventDead previous = UnpackPreviousKeys(event->ie_EventAddress);
            const UBYTE dead = DeadNumber(keyMap, previous.ie_prev1DownCode, previous.ie_prev1DownQual);
            out[0] = static_cast<char>(descriptor[data + dead]);
        } else {
            out[0] = static_cast<char>(data);
        }
        count = 1;
    } else {
        const UBYTE type = key.type & KC_VANILLA;
        size_t index;
        if (type == KC_VANILLA)
            index = static_cast<size_t>(held.shift) | static_cast<size_t>(held.alt) << 1;
        else
            index = Combination(type, held);
        auto c = static_cast<UBYTE>(key.entry >> (index * 8));
        if (type == KC_VANILLA && held.control)
            c = static_cast<UBYTE>(c & 0x9F);
        out[0] = static_cast<char>(c);
        count = 1;
    }
    if (count > length)
        return -1;
    if (count > 0)
        std::memcpy(buffer, out, static_cast<size_t>(count));
    return static_cast<WORD>(count);
}

} // namespace amiga
