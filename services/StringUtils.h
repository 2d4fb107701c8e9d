// SPDX-License-Identifier: MIT
// Text helpers: number conversion and padding, trimming, case, replace, split, URL escaping
// and number formatting with Italian or English separators. Texts are 8-bit byte strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class StringUtils {
public:
    // Language flag: nonzero selects Italian number conventions ("," decimal, "." thousands),
    // zero English. Starts at 1.
    static int32_t ita;

    static std::string ConvertToStr(std::string text);
    static std::string ConvertToW(std::string text);

    static std::string ToUpper(std::string text);
    static std::string ToLower(std::string text);

    // Replaces every occurrence, searching again from the start after each replacement, so
    // text that a replacement produces is replaced too («aaaa», «aa» -> «a» gives «a»).
    // An empty search text leaves the text unchanged; a replacement that contains the search
    // text is applied in one left-to-right pass (rescanning would never end).
    // A rule that keeps rewriting is stopped, and the text comes back as rewritten so far
    // (occurrences left in it), before a replacement would make the text longer than
    // max(ReplaceSizeLimit, 16 × (text + replacement)) characters, or once
    // max(ReplaceWorkLimit, 64 × (text + replacement)) characters have been put back for
    // reading again (each replacement puts back its own length plus search − 1).
    static std::string Replace(std::string text, std::string search, std::string replacement);
    static constexpr size_t ReplaceSizeLimit = size_t{1} << 20;
    static constexpr size_t ReplaceWorkLimit = size_t{1} << 26;
    // One-character form; a NUL character stands for the empty text (a NUL replacement
    // deletes every occurrence).
    static std::string Replace(std::string text, char search, char replacement);

    static std::string Trim(std::string text);
    static std::string LTrim(std::string text);
    static std::string RTrim(std::string text);

    // "%.2f" of the value, with "." whatever ita says.
    static std::string DoubleToStr(double value);

    static std::string PaddingString(std::string text, char pad, int32_t width);
    static std::string LeftPaddingString(std::string text, char pad, int32_t width);

    // Decimal text left-padded to the width, the sign included in what is padded («00-5»).
    static std::string IntToStr(long value, char pad, int32_t width);
    static std::string IntToStr(long value);

    // Two lower-case hexadecimal digits.
    static std::string CharToHex(unsigned char value);

    // Letters, digits and «-._~» stay; everything else becomes "%" and two hex digits.
    static std::string UrlEncode(std::string text);
    // "%" and the two characters after it are consumed; their hex value (1..255) is
    // appended, 0 or no hex digit appends nothing. «+» stays «+».
    static std::string UrlDecode(std::string text);

    static std::string IntToStrLocale(long value);
    static std::string IntToStrLocale(int value);
    // Grouped integer part, decimal separator, two decimals (1234.5 -> «1.234,50»).
    static std::string IntToStrLocale(double value);
    static double LocaleToDouble(std::string text);

    static char GetSepDecimal();
    static char GetSepMigliaia();

    // Pieces between separators; empty pieces stay except after a trailing separator.
    // An empty text or separator gives no pieces.
    static std::vector<std::string> Split(std::string text, std::string separator);
};
