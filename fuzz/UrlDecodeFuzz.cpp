// SPDX-License-Identifier: MIT
// Fuzz target: StringUtils::UrlDecode of any text never grows it, leaves a text without "%"
// alone, and undoes UrlEncode for every text without NUL.
#include "fuzz/FuzzSupport.h"
#include "services/StringUtils.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string decoded = StringUtils::UrlDecode(text);
    FUZZ_REQUIRE(decoded.size() <= text.size());
    if (text.find('%') == std::string::npos)
        FUZZ_REQUIRE(decoded == text);
    // "%" and two characters become at most one, everything else stays one for one.
    size_t percents = 0;
    for (char c : text)
        percents += c == '%';
    FUZZ_REQUIRE(decoded.size() + 3 * percents >= text.size());

    const std::string encoded = StringUtils::UrlEncode(text);
    if (text.find('\0') == std::string::npos)
        FUZZ_REQUIRE(StringUtils::UrlDecode(encoded) == text);
    return 0;
}
