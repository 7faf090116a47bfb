#include "widgets/CellLineBreaking.h"

#include "common/TextField.h"

#include <algorithm>

namespace kq {

namespace {

constexpr char kLineFeed = '\n';
// Lines are cut after an even number of cells, and the line keeps one pair
// of cells to spare.
constexpr int kCellsPerPair = 2;
// Fewer cells than this on a line would make no progress.
constexpr int kFewestCells = 2;

bool IsLead(char c) { return IsCp936LeadByte(static_cast<unsigned char>(c)); }

// How many bytes of `line` a cut after `wanted` bytes takes: one less when
// the cut would fall between a lead byte and its trail byte.
size_t CutOnCharacter(std::string_view line, size_t wanted)
{
    size_t i = 0;
    while (i < wanted)
        i += IsLead(line[i]) && i + 1 < line.size() ? 2 : 1;
    return i > wanted ? wanted - 1 : wanted;
}

} // namespace

size_t FirstCharacterBytes(std::string_view text)
{
    if (text.empty())
        return 0;
    return IsLead(text[0]) && text.size() > 1 ? 2 : 1;
}

int CellWidth(int firstCharacterWidth, size_t firstCharacterBytes)
{
    if (firstCharacterBytes == 0)
        return 1;
    return std::max(1, firstCharacterWidth / static_cast<int>(firstCharacterBytes));
}

std::string BreakIntoCells(std::string_view text, int cellWidth, int textWidth, int clientWidth)
{
    cellWidth = std::max(1, cellWidth);
    int cells = clientWidth / cellWidth;
    cells -= cells % kCellsPerPair == 0 ? kCellsPerPair : 1;
    if (cells < kFewestCells)
        return std::string(text);

    const size_t perLine = static_cast<size_t>(cells);
    std::string done;
    std::string_view rest = text;
    long long width = textWidth;
    while (width > clientWidth && !rest.empty()) {
        const size_t cut = rest.size() > perLine ? CutOnCharacter(rest, perLine) : rest.size();
        const std::string_view line = rest.substr(0, cut);
        size_t taken = 0;
        const size_t feed = line.find(kLineFeed);
        if (feed != std::string_view::npos) {
            taken = feed + 1;
            done.append(rest.substr(0, taken));
        } else if (rest.size() <= perLine) {
            break; // what is left is one line
        } else {
            taken = cut;
            done.append(line);
            done.push_back(kLineFeed);
        }
        rest.remove_prefix(taken);
        width -= static_cast<long long>(cellWidth) * static_cast<long long>(taken);
    }
    done.append(rest);
    return done;
}

} // namespace kq
