#include "teacher/PanelLayout.h"

#include <algorithm>

namespace kq {

namespace {

constexpr int kButtonSetMax = static_cast<int>(kButtonSetCount);

// The function panel's slots sit inside its frame.
constexpr int kFunctionOffsetX = 18;
constexpr int kFunctionOffsetY = 15;
constexpr int kFunctionPagedOffsetY = 12;
// Paging on the small screen: three buttons a row, 29 pixels a row, and
// 26 pixels of the panel's height for its frame and page buttons.
constexpr int kButtonsPerRow = 3;
constexpr int kRowPitch = 29;
constexpr int kPagingReserve = 26;

// Panel C's second group moves up or down with the rows of the first.
constexpr int kGroupRowPitch = 32;
constexpr int kSecondGroupShift = 72;
constexpr int kSecondGroupAloneShift = 18;
constexpr int kSecondGroupDefaultShift = 10;
// A frame's band: one row pitch per pair of buttons, less this.
constexpr int kFrameBandTrim = 10;

// Panel heights for the selected sets.
constexpr int kPanelAFullHeight = 111;
constexpr int kPanelAFrameExtra = 15;
constexpr int kFunctionFullHeight = 230;
constexpr int kFunctionFrameExtra = 27;
constexpr int kPanelCFullHeight = 232;
constexpr int kPanelCGroupExtra = 20;

// The scrolled second group: left buttons at x 17, right ones at x 132.
constexpr int kPairLeftX = 17;
constexpr int kPairRightX = 132;
constexpr int kScrollRowY[] = {100, 132, 164};

int FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Closes the shown entries of a table range up into its first slots.
template <size_t N>
void CloseUp(const TeacherConfig& config, size_t first, int dx, int dy, std::array<ButtonPlace, N>& places,
             size_t at = 0, size_t count = N)
{
    size_t slot = 0;
    for (size_t k = 0; k < count; ++k) {
        ButtonPlace& place = places[at + k];
        if (!IsButtonShown(config, first + k)) {
            place = {};
            continue;
        }
        const ButtonPosition& p = config.buttonPositions[first + slot];
        place = {true, p.x + dx, p.y + dy};
        ++slot;
    }
}

int GroupBand(int shown)
{
    return kGroupRowPitch * ((shown + 1) / 2) - kFrameBandTrim;
}

} // namespace

int SelectedButtonSet(const TeacherConfig& config)
{
    const uint32_t set = config.ButtonType;
    return set <= static_cast<uint32_t>(kButtonSetMax) ? static_cast<int>(set) : 0;
}

bool IsButtonShown(const TeacherConfig& config, size_t index)
{
    if (index >= kPanelButtonCount)
        return false;
    const int set = SelectedButtonSet(config);
    return set == 0 || config.buttonFlags[set - 1][index] != 0;
}

int CountShown(const TeacherConfig& config, size_t first, size_t count)
{
    int shown = 0;
    for (size_t k = 0; k < count; ++k)
        shown += IsButtonShown(config, first + k) ? 1 : 0;
    return shown;
}

std::array<ButtonPlace, kPanelACount> LayoutPanelA(const TeacherConfig& config)
{
    std::array<ButtonPlace, kPanelACount> places{};
    CloseUp(config, kPanelAFirst, 0, 0, places);
    return places;
}

FunctionPanelLayout LayoutFunctionPanel(const TeacherConfig& config, int screenWidth, int panelHeight, int page)
{
    FunctionPanelLayout layout;
    if (screenWidth != kSmallScreenWidth) {
        CloseUp(config, kFunctionFirst, kFunctionOffsetX, kFunctionOffsetY, layout.buttons);
        return layout;
    }
    const int rows = FloorDiv(panelHeight - kPagingReserve, kRowPitch);
    const int first = kButtonsPerRow * page - kButtonsPerRow;
    const int last = kButtonsPerRow * page + kButtonsPerRow * rows - (kButtonsPerRow + 1);
    int counted = 0;
    size_t slot = 0;
    for (size_t k = 0; k < kFunctionCount; ++k) {
        if (!IsButtonShown(config, kFunctionFirst + k))
            continue;
        const int n = counted++;
        if (n < first || n > last)
            continue;
        const ButtonPosition& p = config.buttonPositions[kFunctionFirst + slot++];
        layout.buttons[k] = {true, p.x + kFunctionOffsetX, p.y + kFunctionPagedOffsetY};
    }
    const bool more = last + 1 < counted;
    layout.paging = more || first > 0;
    layout.showNext = layout.paging && more;
    layout.showPrevious = layout.paging && first > 0;
    return layout;
}

std::array<ButtonPlace, kPanelCCount> LayoutPanelC(const TeacherConfig& config)
{
    std::array<ButtonPlace, kPanelCCount> places{};
    if (SelectedButtonSet(config) == 0) {
        for (size_t k = 0; k < kPanelCCount; ++k) {
            const ButtonPosition& p = config.buttonPositions[kPanelCFirst + k];
            const int shift = k < kPanelCFirstGroupCount ? 0 : kSecondGroupDefaultShift;
            places[k] = {true, p.x, p.y - shift};
        }
        return places;
    }
    CloseUp(config, kPanelCFirst, 0, 0, places, 0, kPanelCFirstGroupCount);
    const int j = CountShown(config, kPanelCFirst, kPanelCFirstGroupCount);
    const int dy = kGroupRowPitch * ((j + 1) / 2) - kSecondGroupShift - (j == 0 ? kSecondGroupAloneShift : 0);
    size_t slot = 0;
    for (size_t k = kPanelCFirstGroupCount; k < kPanelCCount; ++k) {
        if (!IsButtonShown(config, kPanelCFirst + k)) {
            places[k] = {};
            continue;
        }
        const ButtonPosition& p = config.buttonPositions[kPanelCFirst + kPanelCFirstGroupCount + slot++];
        places[k] = {true, p.x, p.y + dy};
    }
    return places;
}

bool ScrollSecondGroupPlaces(int row, std::array<ButtonPlace, kPanelCSecondGroupCount>& places)
{
    if (row != 0 && row != 1)
        return false;
    // Pair p holds second-group entries 2p (left) and 2p + 1 (right); the
    // row's first pair goes to the first scroll row.
    const size_t firstPair = static_cast<size_t>(row);
    for (size_t pair = 0; pair < kPanelCSecondGroupCount / 2; ++pair) {
        const bool shown = pair >= firstPair && pair < firstPair + std::size(kScrollRowY);
        const int y = shown ? kScrollRowY[pair - firstPair] : 0;
        places[2 * pair] = {shown, kPairLeftX, y};
        places[2 * pair + 1] = {shown, kPairRightX, y};
    }
    return true;
}

bool SinglePanelFrame(int height, PanelFrame& frame)
{
    if (height < kFrameMinHeight)
        return false;
    frame = {0, height - kFrameMinHeight};
    return true;
}

int PanelCFrames(const TeacherConfig& config, std::array<PanelFrame, 2>& frames)
{
    const int first = CountShown(config, kPanelCFirst, kPanelCFirstGroupCount);
    const int second = CountShown(config, kPanelCFirst + kPanelCFirstGroupCount, kPanelCSecondGroupCount);
    int count = 0;
    int top = 0;
    if (first > 0) {
        frames[count++] = {0, GroupBand(first)};
        top = GroupBand(first) + kFrameMinHeight;
    }
    if (second > 0)
        frames[count++] = {top, GroupBand(second)};
    return count;
}

PanelHeights ComputePanelHeights(const TeacherConfig& config)
{
    if (SelectedButtonSet(config) == 0)
        return {kPanelAFullHeight, kFunctionFullHeight, kPanelCFullHeight};
    PanelHeights heights;
    const int a = CountShown(config, kPanelAFirst, kPanelACount);
    heights.panelA = a == 0 ? 0 : (a + 1) / 2 * kGroupRowPitch + kPanelAFrameExtra;
    const int f = CountShown(config, kFunctionFirst, kFunctionCount);
    heights.function = f == 0 ? 0 : (f + 2) / kButtonsPerRow * kRowPitch + kFunctionFrameExtra;
    const int c1 = CountShown(config, kPanelCFirst, kPanelCFirstGroupCount);
    const int c2 = CountShown(config, kPanelCFirst + kPanelCFirstGroupCount, kPanelCSecondGroupCount);
    heights.panelC = (c1 == 0 ? 0 : (c1 + 1) / 2 * kGroupRowPitch + kPanelCGroupExtra) +
                     (c2 == 0 ? 0 : (c2 + 1) / 2 * kGroupRowPitch + kPanelCGroupExtra);
    return heights;
}

PanelRects PlacePanels(int screenWidth, const PanelHeights& heights)
{
    constexpr int kPanelWidth = 241;
    constexpr int kPanelCWidth = 235;
    constexpr int kPanelTop = 124;
    constexpr int kFunctionTop = 126; // below panel A
    constexpr int kSmallX = 383;
    constexpr int kLargeX = 545;
    constexpr int kLargePanelCTop = 126;

    PanelRects rects;
    if (screenWidth == kSmallScreenWidth) {
        rects.panelA = {kSmallX, kPanelTop, kPanelWidth, heights.panelA};
        int function = heights.function;
        const int top = kFunctionTop + heights.panelA;
        if (top + function > kSmallScreenPanelBottom)
            function = std::max(0, kSmallScreenPanelBottom - top);
        rects.function = {kSmallX, top, kPanelWidth, function};
        rects.panelC = {kSmallX, kPanelTop, kPanelCWidth, heights.panelC};
        return rects;
    }
    rects.panelA = {kLargeX, kPanelTop, kPanelWidth, heights.panelA};
    rects.function = {kLargeX, kFunctionTop + heights.panelA, kPanelWidth, heights.function};
    rects.panelC = {kLargeX, kLargePanelCTop, kPanelCWidth, heights.panelC};
    return rects;
}

} // namespace kq
