#include "teacher/dialogs/DelaySeconds.h"

namespace kq {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

bool ParseDelaySeconds(const char* text, int& seconds)
{
    if (text == nullptr) {
        seconds = 0;
        return true;
    }
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    int value = 0;
    bool digits = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        digits = true;
        value = value * 10 + (*p - '0');
        if (value > kMaxDelaySeconds)
            return false; // stops before the number could overflow
    }
    while (IsBlank(*p))
        ++p;
    if (*p != '\0')
        return false;
    seconds = digits ? value : 0;
    return true;
}

} // namespace kq
