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

namespace {

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string_view WholeCharacters(std::string_view text)
{
    size_t i = 0;
    while (i < text.size())
        i += IsCp936LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i > text.size() ? text.substr(0, text.size() - 1) : text;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (IsCp936LeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
            continue;
        }
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

size_t TextFieldLength(const char* field, size_t fieldSize)
{
    if (field == nullptr)
        return 0;
    const void* end = std::memchr(field, '\0', fieldSize);
    return end ? static_cast<size_t>(static_cast<const char*>(end) - field) : fieldSize;
}

size_t Cp936CharacterCount(const char* text)
{
    size_t count = 0;
    for (size_t i = 0; text != nullptr && text[i] != '\0'; ++count)
        i += IsCp936LeadByte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0' ? 2 : 1;
    return count;
}

} // namespace kq
