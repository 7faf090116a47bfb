#include "teacher/dialogs/SendFileRules.h"

#include "common/TextField.h"

#include <cstring>

namespace kq {

namespace {

// Characters the receiving folder must not hold after its drive.
constexpr char kForbidden[] = "\"*,/:<>?|";
constexpr int kWholePercent = 100;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsLead(const std::string& text, size_t i)
{
    return IsCp936LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
}

std::string Trimmed(const std::string& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Upper-cases the single-byte letters; double-byte characters stay as they are.
std::string UpperCased(std::string text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsLead(text, i))
            ++i;
        else if (text[i] >= 'a' && text[i] <= 'z')
            text[i] = static_cast<char>(text[i] - 'a' + 'A');
    }
    return text;
}

// A forbidden character, or a backslash followed by a full stop, from byte
// `from` on, where a character starts.
bool HasForbiddenPart(const std::string& text, size_t from)
{
    for (size_t i = from; i < text.size(); ++i) {
        if (IsLead(text, i)) {
            ++i;
            continue;
        }
        if (std::strchr(kForbidden, text[i]) != nullptr && text[i] != '\0')
            return true;
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '.')
            return true;
    }
    return false;
}

bool EndsWithBackslash(const std::string& text)
{
    bool last = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsLead(text, i)) {
            ++i;
            last = false;
        } else {
            last = text[i] == '\\';
        }
    }
    return last;
}

} // namespace

unsigned CheckReceivingFolder(const std::string& typed, std::string& folder)
{
    std::string text = UpperCased(Trimmed(typed));
    if (text.empty() || text.back() == '.')
        return kReceivingFolderEmpty;
    if (text.size() < kReceivingFolderMinBytes || text.size() > kReceivingFolderMaxBytes)
        return kReceivingFolderLength;
    if (text[1] != ':' || text[2] != '\\')
        return kReceivingFolderNoDrive;
    if (HasForbiddenPart(text, 2))
        return kReceivingFolderBadCharacter;
    if (!EndsWithBackslash(text))
        text += '\\';
    folder = text;
    return 0;
}

int SendProgressPercent(uint32_t sent, uint32_t total)
{
    if (sent == 0 || total == 0)
        return 0;
    const double percent = static_cast<double>(sent) * kWholePercent / total;
    return percent >= kWholePercent ? kWholePercent : static_cast<int>(percent);
}

} // namespace kq
