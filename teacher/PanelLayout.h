#pragma once
// Where the command panels put their buttons and how tall the main window
// makes each panel, worked out from the selected button set, its show
// flags, the panel height and the screen width. No Win32: the panels and
// the main window apply these places to their windows.

#include "common/TeacherConfig.h"

#include <array>
#include <cstddef>

namespace kq {

// Table ranges of the three panels in the configuration's button tables.
inline constexpr size_t kPanelAFirst = 0;
inline constexpr size_t kPanelACount = 6;
inline constexpr size_t kFunctionFirst = 6;
inline constexpr size_t kFunctionCount = 21;
inline constexpr size_t kPanelCFirst = 27;
inline constexpr size_t kPanelCFirstGroupCount = 4;
inline constexpr size_t kPanelCSecondGroupCount = 8;
inline constexpr size_t kPanelCCount = kPanelCFirstGroupCount + kPanelCSecondGroupCount;

// Button sizes on the panels.
inline constexpr int kLargeButtonWidth = 82;
inline constexpr int kLargeButtonHeight = 29;
inline constexpr int kFunctionButtonWidth = 63;
inline constexpr int kFunctionButtonHeight = 21;

// The screen width on which the main window uses its compact layout.
inline constexpr int kSmallScreenWidth = 640;

// One button's place: its top-left corner in the panel, and whether it shows.
struct ButtonPlace {
    bool shown = false;
    int x = 0;
    int y = 0;
};

// The set whose flags decide (1-3), or 0 when every button shows. A value
// outside 0-3 (Teacher.ini is not checked) counts as 0.
int SelectedButtonSet(const TeacherConfig& config);
// Whether table entry `index` is shown by the selected set.
bool IsButtonShown(const TeacherConfig& config, size_t index);
// How many of `count` entries from `first` the selected set shows.
int CountShown(const TeacherConfig& config, size_t first, size_t count);

std::array<ButtonPlace, kPanelACount> LayoutPanelA(const TeacherConfig& config);

struct FunctionPanelLayout {
    std::array<ButtonPlace, kFunctionCount> buttons{};
    bool paging = false;       // the page buttons exist and show as below
    bool showPrevious = false;
    bool showNext = false;
};
// `page` is 1-based. On a screen other than 640 wide the page is ignored.
FunctionPanelLayout LayoutFunctionPanel(const TeacherConfig& config, int screenWidth, int panelHeight, int page);

// Panel C, first group then second group in table order.
std::array<ButtonPlace, kPanelCCount> LayoutPanelC(const TeacherConfig& config);

// The second group scrolled to row 0 or 1: the eight second-group buttons in
// table order (605, 606, 607, 610, 609, 612, 611, 613). Empty for other rows.
bool ScrollSecondGroupPlaces(int row, std::array<ButtonPlace, kPanelCSecondGroupCount>& places);

// One skinned frame on a panel: 13 rows of top, a band, 17 rows of bottom.
struct PanelFrame {
    int top = 0;
    int bandHeight = 0;
};
inline constexpr int kFrameTopRows = 13;
inline constexpr int kFrameBottomRows = 17;
inline constexpr int kFrameMinHeight = kFrameTopRows + kFrameBottomRows;

// Panel A's and the function panel's frame for a panel `height` high; false
// when the panel is too low to paint one.
bool SinglePanelFrame(int height, PanelFrame& frame);
// Panel C's frames, one per group that shows a button; returns how many.
int PanelCFrames(const TeacherConfig& config, std::array<PanelFrame, 2>& frames);

// The panels' heights as the main window sizes them.
struct PanelHeights {
    int panelA = 0;
    int function = 0;
    int panelC = 0;
};
PanelHeights ComputePanelHeights(const TeacherConfig& config);

} // namespace kq

namespace kq {

struct PanelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
struct PanelRects {
    PanelRect panelA;
    PanelRect function;
    PanelRect panelC;
};
// Where the main window puts its three panels. On a 640-pixel screen the
// function panel is cut short so that it ends at y 350 at the latest.
PanelRects PlacePanels(int screenWidth, const PanelHeights& heights);
inline constexpr int kSmallScreenPanelBottom = 350;

} // namespace kq
