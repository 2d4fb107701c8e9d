// SPDX-License-Identifier: MIT
// Fuzz target: StringUtils::Split. The first byte gives the separator's length (0-3), the
// next bytes the separator, the rest the text. Joining the pieces gives the text back, less
// one trailing separator, and no piece holds the separator.
#include "fuzz/FuzzSupport.h"
#include "services/StringUtils.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t length = std::min<size_t>(data[0] % 4, input.size());
    const std::string separator = input.substr(0, length);
    const std::string text = input.substr(length);

    const std::vector<std::string> pieces = StringUtils::Split(text, separator);
    if (text.empty() || separator.empty()) {
        FUZZ_REQUIRE(pieces.empty());
        return 0;
    }
    FUZZ_REQUIRE(!pieces.empty());
    std::string joined;
    for (size_t i = 0; i < pieces.size(); ++i) {
        FUZZ_REQUIRE(pieces[i].find(separator) == std::string::npos);
        joined += (i == 0 ? "" : separator) + pieces[i];
    }
    const bool trailing = text.size() >= separator.size() &&
                          text.compare(text.size() - separator.size(), separator.size(), separator) == 0 &&
                          joined.size() + separator.size() == text.size();
    FUZZ_REQUIRE(joined == text || (trailing && joined + separator == text));
    return 0;
}
