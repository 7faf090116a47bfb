#include "teacher/PathSyntax.h"

#include "common/TextField.h"

#include <cstring>

namespace kq {

namespace {

constexpr size_t kMinPathLength = 3;
constexpr size_t kMaxPathLength = 259;
constexpr const char* kForbidden = "\"#%*,/:<>?@|";

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
    for (size_t i = 2; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsCp936LeadByte(c) && i + 1 < length) {
            ++i; // the trail byte belongs to this character
            continue;
        }
        if (std::strchr(kForbidden, c) != nullptr)
            return kPathBadCharacter;
    }
    return kPathValid;
}

} // namespace kq
