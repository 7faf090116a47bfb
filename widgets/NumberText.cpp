#include "widgets/NumberText.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kq {

namespace {

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

const char* SkipDigits(const char* p)
{
    while (IsDigit(*p))
        ++p;
    return p;
}

// Where the number that starts at `p` ends, or null when none starts there.
const char* NumberEnd(const char* p)
{
    if (*p == '+' || *p == '-')
        ++p;
    const char* wholeEnd = SkipDigits(p);
    bool digits = wholeEnd != p;
    p = wholeEnd;
    if (*p == '.') {
        const char* fractionEnd = SkipDigits(p + 1);
        digits = digits || fractionEnd != p + 1;
        p = fractionEnd;
    }
    if (!digits)
        return nullptr;
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '+' || *exponent == '-')
            ++exponent;
        const char* exponentEnd = SkipDigits(exponent);
        if (exponentEnd == exponent)
            return nullptr; // "1e" is not a number
        p = exponentEnd;
    }
    return p;
}

// The number within `text` with only blanks around it, as [start, end).
bool FindLoneNumber(const char* text, const char** start, const char** end)
{
    if (text == nullptr)
        return false;
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    const char* numberEnd = NumberEnd(p);
    if (numberEnd == nullptr)
        return false;
    const char* rest = numberEnd;
    while (IsBlank(*rest))
        ++rest;
    if (*rest != '\0')
        return false;
    *start = p;
    *end = numberEnd;
    return true;
}

} // namespace

int CheckNumberText(const char* text, float minimum, float maximum)
{
    if (text != nullptr && (std::strcmp(text, "+") == 0 || std::strcmp(text, "-") == 0))
        return kNumberLoneSign;
    const char* start = nullptr;
    const char* end = nullptr;
    if (!FindLoneNumber(text, &start, &end))
        return kNumberNotANumber;
    const float value = std::strtof(start, nullptr);
    if (value > maximum || !(value >= minimum))
        return kNumberOutOfRange;
    return kNumberValid;
}

float NumberTextValue(const char* text)
{
    const char* start = nullptr;
    const char* end = nullptr;
    if (!FindLoneNumber(text, &start, &end))
        return 0.0f;
    return std::strtof(start, nullptr);
}

int ShortFormDecimals(float value)
{
    char shortForm[32] = {};
    std::snprintf(shortForm, sizeof shortForm, "%G", static_cast<double>(value));
    const char* point = std::strchr(shortForm, '.');
    if (point == nullptr)
        return 0;
    return static_cast<int>(SkipDigits(point + 1) - (point + 1));
}

std::string FormatNumber(float value, int decimals)
{
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, static_cast<double>(value));
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", decimals, static_cast<double>(value));
    text.resize(static_cast<size_t>(length));
    return text;
}

} // namespace kq
