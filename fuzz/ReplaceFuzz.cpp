// SPDX-License-Identifier: MIT
// Fuzz target: StringUtils::Replace. Input: search length (1 byte, 0-7), replacement length
// (1 byte, 0-7), search, replacement, text. Small inputs are checked against the rule as
// documented, applied literally: find the first occurrence from the start, replace, again.
#include "fuzz/FuzzSupport.h"
#include "services/StringUtils.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// The documented rule, step by step; nothing when it has not settled within the bounds.
std::optional<std::string> Literally(std::string text, const std::string& search, const std::string& replacement)
{
    if (search.empty())
        return text;
    if (replacement.find(search) != std::string::npos) {
        // One left-to-right pass.
        std::string result;
        size_t from = 0;
        for (size_t at = text.find(search); at != std::string::npos; at = text.find(search, from)) {
            result.append(text, from, at - from).append(replacement);
            from = at + search.size();
        }
        return result.append(text, from, std::string::npos);
    }
    for (int step = 0; step < 2000 && text.size() <= 2048; ++step) {
        const size_t at = text.find(search);
        if (at == std::string::npos)
            return text;
        text.replace(at, search.size(), replacement);
    }
    return std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const std::string rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    const size_t searchLength = std::min<size_t>(data[0] % 8, rest.size());
    const size_t replacementLength = std::min<size_t>(data[1] % 8, rest.size() - searchLength);
    const std::string search = rest.substr(0, searchLength);
    const std::string replacement = rest.substr(searchLength, replacementLength);
    const std::string text = rest.substr(searchLength + replacementLength);

    const std::string result = StringUtils::Replace(text, search, replacement);
    const size_t scale = text.size() + replacement.size();
    FUZZ_REQUIRE(result.size() <= std::max(StringUtils::ReplaceSizeLimit, 16 * scale));
    if (text.size() <= 512) {
        if (const std::optional<std::string> expected = Literally(text, search, replacement))
            FUZZ_REQUIRE(result == *expected);
    }

    // The one-character form: NUL stands for the empty text.
    const char from = size > 2 ? static_cast<char>(data[2]) : 'a';
    const char to = size > 3 ? static_cast<char>(data[3]) : '\0';
    const std::string one = StringUtils::Replace(text, from, to);
    FUZZ_REQUIRE(one == StringUtils::Replace(text, from == '\0' ? std::string() : std::string(1, from),
                                             to == '\0' ? std::string() : std::string(1, to)));
    if (from != '\0' && from != to)
        FUZZ_REQUIRE(one.find(from) == std::string::npos);
    return 0;
}
