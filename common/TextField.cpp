#include "common/TextField.h"

#include <cctype>
#include <cstring>

namespace kq {

size_t CopyTextField(char* field, size_t fieldSize, const char* text)
{
    if (field == nullptr || fieldSize == 0)
        return 0;

    const size_t room = fieldSize - 1; // keep one byte for the terminator
    size_t n = 0;
    if (text != nullptr) {
        while (n < room && text[n] != '\0') {
            const unsigned char c = static_cast<unsigned char>(text[n]);
            if (IsCp936LeadByte(c)) {
                // A double-byte character goes in whole or not at all; a lead
                // byte without its trail byte is a broken text and ends it.
                if (n + 1 >= room || text[n + 1] == '\0')
                    break;
                n += 2;
            } else {
                n += 1;
            }
        }
        std::memcpy(field, text, n);
    }
    std::memset(field + n, 0, fieldSize - n);
    return n;
}

size_t TextFieldLength(const char* field, size_t fieldSize)
{
    if (field == nullptr)
        return 0;
    const void* end = std::memchr(field, '\0', fieldSize);
    return end ? static_cast<size_t>(static_cast<const char*>(end) - field) : fieldSize;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (IsCp936LeadByte(x) && i + 1 < a.size()) {
            if (x != y || a[i + 1] != b[i + 1])
                return false;
            ++i;
        } else if (std::tolower(x) != std::tolower(y)) {
            return false;
        }
    }
    return true;
}

} // namespace kq
