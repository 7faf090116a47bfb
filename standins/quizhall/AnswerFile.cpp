#include "standins/quizhall/AnswerFile.h"

#include <cstdio>

namespace quiz {

namespace {
constexpr char kSeatOpen[] = "==== 座位 ";
constexpr char kSeatClose[] = " ====";
constexpr char kLineEnd[] = "\r\n";
// A seat text goes into its line with its '=' and '%' bytes escaped, so that
// no seat text can close the line early or pass for another one. Neither
// byte is ever the trail byte of a CP936 character.
constexpr char kEscape = '%';
constexpr char kEscapedEquals[] = "%3D";
constexpr char kEscapedEscape[] = "%25";
constexpr size_t kEscapeLength = 3;

std::string EscapeSeat(const std::string& seat)
{
    std::string escaped;
    for (char c : seat) {
        if (c == '=')
            escaped += kEscapedEquals;
        else if (c == kEscape)
            escaped += kEscapedEscape;
        else
            escaped += c;
    }
    return escaped;
}

std::string UnescapeSeat(const std::string& text)
{
    std::string seat;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, kEscapeLength, kEscapedEquals) == 0) {
            seat += '=';
            i += kEscapeLength - 1;
        } else if (text.compare(i, kEscapeLength, kEscapedEscape) == 0) {
            seat += kEscape;
            i += kEscapeLength - 1;
        } else {
            seat += text[i];
        }
    }
    return seat;
}
} // namespace

std::string AnswerFileHeading(const std::string& textA, const std::string& textB, int minutes)
{
    return "[试卷] " + textA + " / " + textB + " / " + std::to_string(minutes) + " 分钟"
        + kLineEnd;
}

std::string AnswerBlock(const std::string& seat, const std::string& answers)
{
    // A student's own line that looks like a seat line is indented, so that
    // it cannot pass for another student's hand-in.
    std::string body = kLineEnd + answers;
    const std::string open = std::string(kLineEnd) + kSeatOpen;
    for (size_t at = body.find(open); at != std::string::npos; at = body.find(open, at + 3))
        body.insert(at + 2, " ");
    std::string block = kSeatOpen + EscapeSeat(seat) + kSeatClose + body;
    if (block.size() < 2 || block.compare(block.size() - 2, 2, kLineEnd) != 0)
        block += kLineEnd;
    return block;
}

std::vector<std::string> SeatsInAnswerFile(const std::string& text)
{
    std::vector<std::string> seats;
    const std::string open = std::string(kLineEnd) + kSeatOpen;
    const std::string padded = kLineEnd + text; // a block may open the file
    for (size_t at = padded.find(open); at != std::string::npos; at = padded.find(open, at + 1)) {
        const size_t start = at + open.size();
        const size_t end = padded.find(kSeatClose, start);
        const size_t lineEnd = padded.find(kLineEnd, start);
        if (end != std::string::npos && end < lineEnd)
            seats.push_back(UnescapeSeat(padded.substr(start, end - start)));
    }
    return seats;
}

std::string StatisticsText(const std::string& text)
{
    const std::vector<std::string> seats = SeatsInAnswerFile(text);
    std::string report = "共收到 " + std::to_string(seats.size()) + " 份答卷" + kLineEnd;
    for (const std::string& seat : seats)
        report += "座位 " + seat + kLineEnd;
    return report;
}

} // namespace quiz
