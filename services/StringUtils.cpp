// SPDX-License-Identifier: MIT
// Text helpers of the toolkit.
#include "services/StringUtils.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <utility>

int32_t StringUtils::ita = 1;

namespace {

unsigned char Byte(char c)
{
    return static_cast<unsigned char>(c);
}

// For each prefix of the pattern, the length of its longest proper border (Knuth-Morris-Pratt),
// so that searching never steps back over the text: long and repetitive texts stay linear.
std::vector<uint32_t> Borders(const std::string& pattern)
{
    std::vector<uint32_t> border(pattern.size(), 0);
    const char* const p = pattern.data();
    uint32_t* const b = border.data();
    uint32_t k = 0;
    for (size_t i = 1; i < pattern.size(); ++i) {
        while (k > 0 && p[i] != p[k])
            k = b[k - 1];
        if (p[i] == p[k])
            ++k;
        b[i] = k;
    }
    return border;
}

// Position of the first occurrence at or after from, or npos. Raw pointers in the loop keep
// unoptimised (sanitizer) builds from paying a call per character.
size_t Find(const std::string& text, const std::string& pattern, const std::vector<uint32_t>& border, size_t from)
{
    const char* const t = text.data();
    const char* const p = pattern.data();
    const uint32_t* const b = border.data();
    const size_t n = text.size();
    const size_t m = pattern.size();
    uint32_t k = 0;
    for (size_t i = from; i < n; ++i) {
        while (k > 0 && t[i] != p[k])
            k = b[k - 1];
        if (t[i] == p[k])
            ++k;
        if (k == m)
            return i + 1 - k;
    }
    return std::string::npos;
}

std::string ReplaceOnePass(const std::string& text, const std::string& search, const std::string& replacement,
                           const std::vector<uint32_t>& border)
{
    std::string result;
    size_t from = 0;
    for (size_t at = Find(text, search, border, 0); at != std::string::npos; at = Find(text, search, border, from)) {
        result.append(text, from, at - from);
        result += replacement;
        from = at + search.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

// Same result as "find the first occurrence from the start, replace it, start again", without
// scanning again from the start: before the first occurrence there is none, so after a
// replacement at p the next one cannot start before p - (length of search - 1).
// The text is split into a finished part (no occurrence inside) and the part still to read,
// kept reversed so that putting characters back in front of it is cheap. Both are buffers
// with their own fill counts, written through raw pointers: long texts stay cheap in
// unoptimised builds too.
std::string ReplaceRescanning(const std::string& text, const std::string& search, const std::string& replacement,
                              const std::vector<uint32_t>& border)
{
    const size_t m = search.size();
    const size_t r = replacement.size();
    const char* const s = search.data();
    const char* const with = replacement.data();
    const uint32_t* const b = border.data();
    std::string pending(text.rbegin(), text.rend());
    size_t pendingCount = pending.size();
    std::string done(text.size(), '\0');
    // matched[i]: how much of the search text is matched up to done[i].
    std::vector<uint32_t> matched(text.size());
    size_t doneCount = 0;
    // A rule whose rewriting never settles (or only after an absurd amount of work) stops and
    // returns the text as rewritten so far; nothing in the system writes such a rule. Both the
    // text's size and the characters put back for reading again are bounded: a rule that
    // recreates its search text grows the text with every step, whatever the step count.
    const size_t scale = text.size() + r;
    const size_t sizeLimit = std::max(StringUtils::ReplaceSizeLimit, 16 * scale);
    size_t workBudget = std::max(StringUtils::ReplaceWorkLimit, 64 * scale);
    while (pendingCount > 0) {
        if (done.size() < doneCount + pendingCount) {
            done.resize(2 * (doneCount + pendingCount));
            matched.resize(done.size());
        }
        char* const d = done.data();
        uint32_t* const k = matched.data();
        const char* const p = pending.data();
        uint32_t state = doneCount > 0 ? k[doneCount - 1] : 0;
        while (pendingCount > 0 && state < m) {
            const char c = p[--pendingCount];
            while (state > 0 && s[state] != c)
                state = b[state - 1];
            if (s[state] == c)
                ++state;
            d[doneCount] = c;
            k[doneCount++] = state;
        }
        if (state < m)
            break;
        // done ends with the leftmost occurrence of the whole text: the replacement goes back
        // in front of what is left to read, with the m - 1 characters before it.
        const size_t back = std::min(m - 1, doneCount - m);
        if (doneCount + pendingCount - m + r > sizeLimit || r + back > workBudget)
            break;
        workBudget -= r + back;
        doneCount -= m;
        if (pending.size() < pendingCount + r + back)
            pending.resize(2 * (pendingCount + r + back));
        char* const q = pending.data();
        for (size_t i = r; i > 0; --i)
            q[pendingCount++] = with[i - 1];
        for (size_t i = 0; i < back; ++i)
            q[pendingCount++] = d[doneCount - 1 - i];
        doneCount -= back;
    }
    done.resize(doneCount);
    done.append(pending.rend() - static_cast<std::ptrdiff_t>(pendingCount), pending.rend());
    return done;
}

// Inserts thousands separators in three fixed steps (before the last 3, 7 and 11 characters),
// so twelve digits are grouped fully and further ones stay ungrouped at the front. A minus sign
// is kept in front and not counted.
std::string GroupThousands(std::string digits)
{
    std::string sign;
    if (!digits.empty() && digits[0] == '-') {
        sign = "-";
        digits.erase(0, 1);
    }
    const char separator = StringUtils::GetSepMigliaia();
    for (size_t step : {size_t{3}, size_t{7}, size_t{11}}) {
        if (digits.size() > step)
            digits.insert(digits.size() - step, 1, separator);
    }
    return sign + digits;
}

const char HexDigits[] = "0123456789abcdef";

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string StringUtils::ConvertToStr(std::string text)
{
    return text;
}

std::string StringUtils::ConvertToW(std::string text)
{
    return text;
}

std::string StringUtils::ToUpper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(Byte(c)));
    return text;
}

std::string StringUtils::ToLower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(Byte(c)));
    return text;
}

std::string StringUtils::Replace(std::string text, std::string search, std::string replacement)
{
    if (search.empty())
        return text;
    const std::vector<uint32_t> border = Borders(search);
    if (Find(text, search, border, 0) == std::string::npos)
        return text;
    // A replacement holding the search text is applied in one pass (rescanning would never
    // end). A one-character search that the replacement does not hold is never produced
    // anew, so one pass gives what rescanning would, at a fraction of its cost.
    if (search.size() == 1 || Find(replacement, search, border, 0) != std::string::npos)
        return ReplaceOnePass(text, search, replacement, border);
    return ReplaceRescanning(text, search, replacement, border);
}

std::string StringUtils::Replace(std::string text, char search, char replacement)
{
    const std::string searchText = search == '\0' ? std::string() : std::string(1, search);
    const std::string replacementText = replacement == '\0' ? std::string() : std::string(1, replacement);
    return Replace(std::move(text), searchText, replacementText);
}

std::string StringUtils::Trim(std::string text)
{
    return RTrim(LTrim(std::move(text)));
}

std::string StringUtils::LTrim(std::string text)
{
    size_t count = 0;
    while (count < text.size() && std::isspace(Byte(text[count])))
        ++count;
    text.erase(0, count);
    return text;
}

std::string StringUtils::RTrim(std::string text)
{
    size_t keep = text.size();
    while (keep > 0 && std::isspace(Byte(text[keep - 1])))
        --keep;
    text.resize(keep);
    return text;
}

std::string StringUtils::DoubleToStr(double value)
{
    // Measured first: the largest doubles print over 300 digits.
    const int length = std::snprintf(nullptr, 0, "%.2f", value);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.2f", value);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::string StringUtils::PaddingString(std::string text, char pad, int32_t width)
{
    if (width > 0 && text.size() < static_cast<size_t>(width))
        text.append(static_cast<size_t>(width) - text.size(), pad);
    return text;
}

std::string StringUtils::LeftPaddingString(std::string text, char pad, int32_t width)
{
    if (width > 0 && text.size() < static_cast<size_t>(width))
        text.insert(0, static_cast<size_t>(width) - text.size(), pad);
    return text;
}

std::string StringUtils::IntToStr(long value, char pad, int32_t width)
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%ld", value);
    return LeftPaddingString(digits, pad, width);
}

std::string StringUtils::IntToStr(long value)
{
    return IntToStr(value, '0', 0);
}

std::string StringUtils::CharToHex(unsigned char value)
{
    return std::string{HexDigits[value >> 4], HexDigits[value & 0x0f]};
}

// Both escaping directions write through raw pointers into a buffer of the largest possible
// size, trimmed at the end: megabyte texts stay cheap in unoptimised builds too.
std::string StringUtils::UrlEncode(std::string text)
{
    std::string result(3 * text.size(), '\0');
    char* out = result.data();
    for (const char c : text) {
        if (std::isalnum(Byte(c)) || c == '-' || c == '.' || c == '_' || c == '~') {
            *out++ = c;
        } else {
            *out++ = '%';
            *out++ = HexDigits[Byte(c) >> 4];
            *out++ = HexDigits[Byte(c) & 0x0f];
        }
    }
    result.resize(static_cast<size_t>(out - result.data()));
    return result;
}

std::string StringUtils::UrlDecode(std::string text)
{
    std::string result(text.size(), '\0');
    char* out = result.data();
    const char* in = text.data();
    const char* const last = in + text.size();
    while (in < last) {
        if (*in != '%') {
            *out++ = *in++;
            continue;
        }
        // At most the two characters after "%", fewer at the end of the text; the value ends at
        // the first that is not a hexadecimal digit. A sign or white space counts as no digit.
        const char* const end = last - in < 3 ? last : in + 3;
        int value = 0;
        for (++in; in < end && HexDigitValue(*in) >= 0; ++in)
            value = value * 16 + HexDigitValue(*in);
        if (value > 0)
            *out++ = static_cast<char>(value);
        in = end;
    }
    result.resize(static_cast<size_t>(out - result.data()));
    return result;
}

std::string StringUtils::IntToStrLocale(long value)
{
    return GroupThousands(IntToStr(value));
}

std::string StringUtils::IntToStrLocale(int value)
{
    return IntToStrLocale(static_cast<long>(value));
}

std::string StringUtils::IntToStrLocale(double value)
{
    // Integer digits and decimals both come from the rounded text, so they always agree
    // (1234.999 gives «1.235,00», -0.5 gives «-0,50»), and huge values need no conversion to
    // long. Not-a-number and the infinities have no decimal point and come back as printed.
    const std::string text = DoubleToStr(value);
    const size_t point = text.find('.');
    if (point == std::string::npos)
        return text;
    return GroupThousands(text.substr(0, point)) + GetSepDecimal() + text.substr(point + 1);
}

double StringUtils::LocaleToDouble(std::string text)
{
    text = Replace(text, GetSepMigliaia(), '\0');
    if (ita != 0)
        text = Replace(text, ',', '.');
    return std::atof(text.c_str());
}

char StringUtils::GetSepDecimal()
{
    return ita != 0 ? ',' : '.';
}

char StringUtils::GetSepMigliaia()
{
    return ita != 0 ? '.' : ',';
}

std::vector<std::string> StringUtils::Split(std::string text, std::string separator)
{
    std::vector<std::string> pieces;
    if (text.empty() || separator.empty())
        return pieces;
    const std::vector<uint32_t> border = Borders(separator);
    size_t from = 0;
    while (true) {
        const size_t at = Find(text, separator, border, from);
        if (at == std::string::npos) {
            if (from < text.size())
                pieces.push_back(text.substr(from));
            return pieces;
        }
        pieces.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
}
