#include "student/HandInPath.h"

#include "common/TextField.h"

#include <cstring>
#include <vector>

namespace kq {

namespace {

constexpr size_t kShortestPath = 4;  // "C:\a"
constexpr size_t kLongestPath = 259; // 260 bytes and more are refused
constexpr char kForbidden[] = "\"*,/:<>?|";

// The characters of a text: each one's first byte and length (1 or 2).
struct Character {
    size_t at;
    size_t length;
};

std::vector<Character> Characters(const char* text, size_t length)
{
    std::vector<Character> characters;
    for (size_t i = 0; i < length;) {
        const bool doubleByte = IsCp936LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length;
        characters.push_back({i, doubleByte ? 2u : 1u});
        i += doubleByte ? 2 : 1;
    }
    return characters;
}

bool IsSingle(const char* text, const Character& c, char wanted)
{
    return c.length == 1 && text[c.at] == wanted;
}

} // namespace

unsigned CheckHandInPathSyntax(const char* path)
{
    const size_t length = path != nullptr ? std::strlen(path) : 0;
    if (length < kShortestPath || length > kLongestPath)
        return kHandInBadPath;
    const std::vector<Character> characters = Characters(path, length);
    if (characters.size() < 3 || !IsSingle(path, characters[1], ':') || !IsSingle(path, characters[2], '\\'))
        return kHandInNotFullPath;
    for (size_t i = 2; i < characters.size(); ++i) {
        const Character& c = characters[i];
        if (c.length != 1)
            continue;
        if (std::strchr(kForbidden, path[c.at]) != nullptr)
            return kHandInBadCharacter;
        if (path[c.at] == '\\' && i + 1 < characters.size() &&
            (IsSingle(path, characters[i + 1], '\\') || IsSingle(path, characters[i + 1], '.')))
            return kHandInBadPath;
    }
    return 0;
}

} // namespace kq
