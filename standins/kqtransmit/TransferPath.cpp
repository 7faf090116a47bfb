#include "standins/kqtransmit/TransferPath.h"

#include "common/TextField.h"
#include "standins/kqtransmit/TransferWire.h"

#include <algorithm>
#include <cstring>

namespace kq::transmit {

namespace {

constexpr char kSeparator = '\\';
constexpr char kForbidden[] = "/:*?\"<>|";
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

bool IsBadSingleByte(unsigned char c)
{
    return c < kFirstPrintable || c == kDelete || std::strchr(kForbidden, c) != nullptr;
}

// "." and "..", and names that Windows would change by dropping their
// trailing dots or blanks ("...", "a.").
bool IsUnsafeName(std::string_view name)
{
    return name.empty() || name.back() == '.' || name.back() == ' ';
}

} // namespace

std::vector<size_t> SeparatorPositions(std::string_view path)
{
    std::vector<size_t> positions;
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsCp936LeadByte(c) && i + 1 < path.size())
            ++i; // the trail byte may look like '\'
        else if (c == kSeparator)
            positions.push_back(i);
    }
    return positions;
}

bool IsSafeRelativePath(std::string_view path)
{
    if (path.empty() || path.size() > kMaxPath)
        return false;
    size_t nameStart = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsCp936LeadByte(c)) {
            if (i + 1 >= path.size() || path[i + 1] == '\0')
                return false; // a double-byte character cut in half
            ++i;
            continue;
        }
        if (c == kSeparator) {
            const std::string_view name = path.substr(nameStart, i - nameStart);
            if (IsUnsafeName(name))
                return false;
            nameStart = i + 1;
            continue;
        }
        if (IsBadSingleByte(c))
            return false;
    }
    const std::string_view last = path.substr(nameStart);
    return !IsUnsafeName(last);
}

bool IsSafeName(std::string_view name)
{
    return IsSafeRelativePath(name) && SeparatorPositions(name).empty();
}

bool IsAbsoluteFolder(std::string_view path)
{
    constexpr size_t kRootLength = 3; // "X:\"
    if (path.size() < kRootLength || path.size() > kMaxPath)
        return false;
    const unsigned char drive = static_cast<unsigned char>(path[0]);
    const bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    if (!letter || path[1] != ':' || path[2] != kSeparator)
        return false;
    const std::string rest = StripTrailingSeparators(path.substr(kRootLength));
    return rest.empty() || IsSafeRelativePath(rest);
}

std::string StripTrailingSeparators(std::string_view path)
{
    const std::vector<size_t> separators = SeparatorPositions(path);
    size_t end = path.size();
    for (auto it = separators.rbegin(); it != separators.rend() && *it + 1 == end; ++it)
        end = *it;
    return std::string(path.substr(0, end));
}

std::string WithTrailingSeparator(std::string_view path)
{
    std::string result = StripTrailingSeparators(path);
    result += kSeparator;
    return result;
}

std::string LastName(std::string_view path)
{
    const std::string stripped = StripTrailingSeparators(path);
    const std::vector<size_t> separators = SeparatorPositions(stripped);
    const size_t start = separators.empty() ? 0 : separators.back() + 1;
    std::string name = stripped.substr(start);
    if (separators.empty() && name.size() == 2 && name[1] == ':')
        return ""; // "C:" of a drive root
    return name;
}

std::string FirstName(std::string_view path)
{
    const std::vector<size_t> separators = SeparatorPositions(path);
    return std::string(separators.empty() ? path : path.substr(0, separators.front()));
}

void ScaleProgress(uint64_t total, uint64_t done, uint32_t& totalOut, uint32_t& doneOut)
{
    done = std::min(done, total);
    while (total > UINT32_MAX) {
        total >>= 1;
        done >>= 1;
    }
    totalOut = static_cast<uint32_t>(total);
    doneOut = static_cast<uint32_t>(done);
}

} // namespace kq::transmit
