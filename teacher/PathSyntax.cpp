#include "teacher/PathSyntax.h"

#include "common/TextField.h"

#include <cstring>

namespace kq {

namespace {

constexpr size_t kMinPathLength = 3;
constexpr size_t kMaxPathLength = 259;
constexpr size_t kFirstCheckedCharacter = 2; // after the drive letter and its colon

} // namespace

int CheckPathSyntax(const char* path)
{
    if (path == nullptr || path[0] == '\0')
        return kPathEmpty;
    const size_t length = std::strlen(path);
    if (length < kMinPathLength || length > kMaxPathLength)
        return kPathBadLength;
    if (path[1] != ':' || path[2] != '\\')
        return kPathNoDrive;
    return ContainsCharacterOf(path, kFirstCheckedCharacter, kForbiddenNameCharacters) ? kPathBadCharacter
                                                                                         : kPathValid;
}

bool ContainsCharacterOf(const char* text, size_t from, const char* set)
{
    const size_t length = std::strlen(text);
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsCp936LeadByte(c) && i + 1 < length) {
            ++i; // the trail byte belongs to this character
            continue;
        }
        if (i >= from && std::strchr(set, c) != nullptr)
            return true;
    }
    return false;
}

bool EndsWithBackslash(const std::string& text)
{
    bool last = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsCp936LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            ++i;
            last = false;
        } else {
            last = text[i] == '\\';
        }
    }
    return last;
}

std::string WithTrailingBackslash(const std::string& folder)
{
    return EndsWithBackslash(folder) ? folder : folder + '\\';
}

} // namespace kq
