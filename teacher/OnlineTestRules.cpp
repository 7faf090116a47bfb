#include "teacher/OnlineTestRules.h"

#include <cctype>

namespace kq {

namespace {

// Seat names are listed one by one only for a few seats.
constexpr size_t kMaxNamedWithPrefix = 3;
constexpr char kMissingPrefix[] = "有个别学生(";
constexpr char kMissingSuffix[] = ")没有收到试卷";
constexpr char kNameSeparator[] = "、";

// The byte after the last "\" of a CP936 path: a trail byte 0x5C is part of
// its character, never a separator.
size_t FileNameStart(const std::string& path)
{
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (byte >= 0x81 && byte <= 0xFE) {
            ++i; // the trail byte
            continue;
        }
        if (byte == '\\')
            start = i + 1;
    }
    return start;
}

// Blanks (spaces, tabs, line ends) at both ends left out.
std::string TrimBlanks(const std::string& text)
{
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool AllDigits(const std::string& text)
{
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return !text.empty();
}

} // namespace

std::string NameWithoutExtension(const std::string& path)
{
    const std::string name = path.substr(FileNameStart(path));
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(0, dot);
}

std::string DefaultAnswerPath(const std::string& programFolder, const std::string& paperPath)
{
    const std::string name = paperPath.substr(FileNameStart(paperPath));
    const size_t dot = name.rfind('.');
    return programFolder + kAnswerFolder + (dot == std::string::npos ? name : name.substr(0, dot)) +
           kAnswerExtension;
}

std::string WithAnswerExtension(const std::string& answerPath)
{
    return answerPath.find('.') == std::string::npos ? answerPath + kAnswerExtension : answerPath;
}

int ParseTestLength(const std::string& text)
{
    const std::string digits = TrimBlanks(text);
    if (!AllDigits(digits) || digits.size() > 3)
        return 0;
    const int minutes = std::stoi(digits);
    return minutes >= kMinTestMinutes && minutes <= kMaxTestMinutes ? minutes : 0;
}

int ParseTimeChange(const std::string& text)
{
    const std::string digits = TrimBlanks(text);
    if (!AllDigits(digits) || digits.size() > static_cast<size_t>(kMaxTimeChangeDigits))
        return 0;
    return std::stoi(digits);
}

std::string MissingPapersText(const std::vector<std::string>& seatNames)
{
    std::string text = seatNames.size() <= kMaxNamedWithPrefix ? kMissingPrefix : "";
    for (size_t i = 0; i < seatNames.size(); ++i) {
        if (i > 0)
            text += kNameSeparator;
        text += seatNames[i];
    }
    return text + kMissingSuffix;
}

} // namespace kq
