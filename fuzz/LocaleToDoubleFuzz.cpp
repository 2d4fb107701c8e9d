// SPDX-License-Identifier: MIT
// Fuzz target: StringUtils::LocaleToDouble of any text under both conventions, and the way
// back from IntToStrLocale: a number formatted with grouping reads back as its two-decimal
// value. The first 8 bytes are the number, the rest is the text.
#include "fuzz/FuzzSupport.h"
#include "services/StringUtils.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    double number = 0;
    if (size >= sizeof number)
        std::memcpy(&number, data, sizeof number);
    const std::string text(reinterpret_cast<const char*>(data), size);
    const int32_t saved = StringUtils::ita;
    for (const int32_t ita : {0, 1}) {
        StringUtils::ita = ita;
        volatile double sink = StringUtils::LocaleToDouble(text);
        (void)sink;

        const double back = StringUtils::LocaleToDouble(StringUtils::IntToStrLocale(number));
        const double expected = std::atof(StringUtils::DoubleToStr(number).c_str());
        if (std::isnan(number))
            FUZZ_REQUIRE(std::isnan(back));
        else
            FUZZ_REQUIRE(back == expected);
    }
    StringUtils::ita = saved;
    return 0;
}
