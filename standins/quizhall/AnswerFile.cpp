#include "standins/quizhall/AnswerFile.h"

#include <cstdio>

namespace quiz {

namespace {
constexpr char kSeatOpen[] = "==== 座位 ";
constexpr char kSeatClose[] = " ====";
constexpr char kLineEnd[] = "\r\n";
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
    std::string block = kSeatOpen + seat + kSeatClose + body;
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
            seats.push_back(padded.substr(start, end - start));
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
