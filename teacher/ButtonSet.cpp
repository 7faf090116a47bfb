#include "teacher/ButtonSet.h"

namespace kq {

void ParseButtonSet(const std::string& text, uint32_t (&flags)[kPanelButtonCount])
{
    for (auto& flag : flags)
        flag = 0;

    std::string list;
    for (char c : text)
        if (c != '\r' && c != '\n')
            list.push_back(c);
    const size_t end = list.find_first_not_of("0123456789,");
    if (end != std::string::npos)
        list.resize(end);
    if (list.empty() || list.back() != ',')
        list.push_back(',');

    size_t start = 0;
    for (size_t comma = list.find(','); comma != std::string::npos; comma = list.find(',', start)) {
        const std::string piece = list.substr(start, comma - start);
        start = comma + 1;
        if (piece.empty())
            continue;
        // Only digits remain; counting stops once the number is past the table.
        size_t index = 0;
        for (char digit : piece) {
            index = index * 10 + static_cast<size_t>(digit - '0');
            if (index >= kPanelButtonCount)
                break;
        }
        if (index < kPanelButtonCount)
            flags[index] = 1;
    }
}

} // namespace kq
