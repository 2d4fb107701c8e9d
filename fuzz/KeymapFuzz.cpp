// SPDX-License-Identifier: MIT
// Fuzz target: raw key events of any code, qualifier and previous keys through MapRawKey with
// the default keymap, into buffers of every length. Each event is 8 bytes: code (2),
// qualifier (2), the two previous keys and their qualifiers (4).
#include "fuzz/FuzzSupport.h"
#include "platform/keymap/Keymap.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

using namespace amiga;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (size_t at = 0; at + 8 <= size; at += 8) {
        const uint8_t* e = data + at;
        InputEvent event;
        event.ie_Class = IECLASS_RAWKEY;
        event.ie_Code = static_cast<UWORD>(e[0] << 8 | e[1]);
        event.ie_Qualifier = static_cast<UWORD>(e[2] << 8 | e[3]);
        event.ie_EventAddress = PackPreviousKeys({e[4], e[5], e[6], e[7]});

        char all[255];
        const WORD count = MapRawKey(&event, all, sizeof all, nullptr);
        FUZZ_REQUIRE(count >= 0);
        FUZZ_REQUIRE(MapRawKey(&event, all, sizeof all, AskKeyMapDefault()) == count);
        if ((event.ie_Code & IECODE_UP_PREFIX) != 0 || event.ie_Code > IECODE_KEY_CODE_LAST)
            FUZZ_REQUIRE(count == 0);
        // Buffers exactly as long as asked for, so that a write past one shows under ASan.
        const auto exact = std::make_unique<char[]>(static_cast<size_t>(count));
        FUZZ_REQUIRE(MapRawKey(&event, exact.get(), count, nullptr) == count);
        FUZZ_REQUIRE(std::memcmp(exact.get(), all, static_cast<size_t>(count)) == 0);
        if (count > 0) {
            const auto shorter = std::make_unique<char[]>(static_cast<size_t>(count) - 1);
            FUZZ_REQUIRE(MapRawKey(&event, shorter.get(), count - 1, nullptr) == -1);
        }

        event.ie_Class = static_cast<UBYTE>(e[0] | 0x02); // never IECLASS_RAWKEY
        FUZZ_REQUIRE(MapRawKey(&event, all, sizeof all, nullptr) == 0);
    }
    return 0;
}
