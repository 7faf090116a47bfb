// Where the command panels put their buttons for each button set, screen
// width, panel height and page, and how tall the main window makes them.

#include "teacher/PanelLayout.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

using kq::ButtonPlace;
using kq::TeacherConfig;

// Default tables; set 1 shows exactly the listed table entries.
TeacherConfig ConfigShowing(uint32_t buttonType, std::initializer_list<size_t> set1 = {})
{
    TeacherConfig config{};
    kq::SetDefaultButtonTables(config);
    for (uint32_t& flag : config.buttonFlags[0])
        flag = 0;
    for (size_t index : set1)
        config.buttonFlags[0][index] = 1;
    config.ButtonType = buttonType;
    return config;
}

// The table entries (relative to the panel's first) a layout shows.
template <size_t N>
std::vector<size_t> ShownEntries(const std::array<ButtonPlace, N>& places)
{
    std::vector<size_t> shown;
    for (size_t k = 0; k < N; ++k)
        if (places[k].shown)
            shown.push_back(k);
    return shown;
}

TEST(PanelLayout, SelectedSetOutsideTheTableShowsEveryButton)
{
    const struct {
        uint32_t buttonType;
        int set;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 0}, {1000, 0}, {0xFFFFFFFFu, 0}};
    for (const auto& c : cases) {
        TeacherConfig config = ConfigShowing(c.buttonType);
        EXPECT_EQ(c.set, kq::SelectedButtonSet(config)) << c.buttonType;
    }
    // With a bad value every panel lays out as with every button shown.
    const TeacherConfig bad = ConfigShowing(77);
    EXPECT_EQ(6u, ShownEntries(kq::LayoutPanelA(bad)).size());
    EXPECT_EQ(111, kq::ComputePanelHeights(bad).panelA);
    EXPECT_EQ(230, kq::ComputePanelHeights(bad).function);
    EXPECT_EQ(232, kq::ComputePanelHeights(bad).panelC);
}

TEST(PanelLayout, PanelAShowsEveryButtonInItsSlotOrClosesUp)
{
    const TeacherConfig all = ConfigShowing(0);
    const auto places = kq::LayoutPanelA(all);
    for (size_t k = 0; k < kq::kPanelACount; ++k) {
        EXPECT_TRUE(places[k].shown);
        EXPECT_EQ(kq::kPanelButtonPositions[k][0], places[k].x);
        EXPECT_EQ(kq::kPanelButtonPositions[k][1], places[k].y);
    }

    // Entries 1, 4 and 5 take slots 0, 1 and 2 in button order.
    const auto closed = kq::LayoutPanelA(ConfigShowing(1, {1, 4, 5}));
    EXPECT_EQ((std::vector<size_t>{1, 4, 5}), ShownEntries(closed));
    EXPECT_EQ(17, closed[1].x);
    EXPECT_EQ(6, closed[1].y);
    EXPECT_EQ(140, closed[4].x);
    EXPECT_EQ(6, closed[4].y);
    EXPECT_EQ(17, closed[5].x);
    EXPECT_EQ(37, closed[5].y);
}

TEST(PanelLayout, FunctionPanelOnLargeScreensIgnoresPages)
{
    const auto layout = kq::LayoutFunctionPanel(ConfigShowing(0), 1024, 230, 3);
    EXPECT_FALSE(layout.paging);
    for (size_t k = 0; k < kq::kFunctionCount; ++k) {
        EXPECT_TRUE(layout.buttons[k].shown);
        EXPECT_EQ(kq::kPanelButtonPositions[kq::kFunctionFirst + k][0] + 18, layout.buttons[k].x);
        EXPECT_EQ(kq::kPanelButtonPositions[kq::kFunctionFirst + k][1] + 15, layout.buttons[k].y);
    }
    // Set entries 6 + 2 and 6 + 20 close up into the first two slots.
    const auto closed = kq::LayoutFunctionPanel(ConfigShowing(1, {8, 26}), 800, 100, 1);
    EXPECT_EQ((std::vector<size_t>{2, 20}), ShownEntries(closed.buttons));
    EXPECT_EQ(18, closed.buttons[2].x);
    EXPECT_EQ(71 + 18, closed.buttons[20].x);
    EXPECT_EQ(15, closed.buttons[20].y);
}

TEST(PanelLayout, FunctionPanelPagesOnSmallScreens)
{
    // Panel height 84: two rows of three a page, pages step one row.
    const struct {
        int page;
        size_t first, last;
        bool previous, next;
    } pages[] = {
        {1, 0, 5, false, true},
        {2, 3, 8, true, true},
        {6, 15, 20, true, false},
    };
    const TeacherConfig all = ConfigShowing(0);
    for (const auto& p : pages) {
        const auto layout = kq::LayoutFunctionPanel(all, 640, 84, p.page);
        std::vector<size_t> expected;
        for (size_t k = p.first; k <= p.last; ++k)
            expected.push_back(k);
        EXPECT_EQ(expected, ShownEntries(layout.buttons)) << "page " << p.page;
        EXPECT_TRUE(layout.paging);
        EXPECT_EQ(p.previous, layout.showPrevious) << "page " << p.page;
        EXPECT_EQ(p.next, layout.showNext) << "page " << p.page;
        // The page's first button takes slot 0 at (18, 12).
        EXPECT_EQ(18, layout.buttons[p.first].x);
        EXPECT_EQ(12, layout.buttons[p.first].y);
        EXPECT_EQ(142 + 18, layout.buttons[p.first + 5].x);
        EXPECT_EQ(29 + 12, layout.buttons[p.first + 5].y);
    }

    // Pages count only the set's buttons: 7 shown, page 2 holds the last 4.
    const auto set = kq::LayoutFunctionPanel(ConfigShowing(1, {6, 8, 10, 12, 14, 16, 18}), 640, 84, 2);
    EXPECT_EQ((std::vector<size_t>{6, 8, 10, 12}), ShownEntries(set.buttons));
    EXPECT_TRUE(set.showPrevious);
    EXPECT_FALSE(set.showNext);

    // Everything fits: no paging.
    const auto tall = kq::LayoutFunctionPanel(all, 640, 230, 1);
    EXPECT_FALSE(tall.paging);
    EXPECT_EQ(21u, ShownEntries(tall.buttons).size());

    // Too low for one row: nothing shows, and there is a next page.
    const auto low = kq::LayoutFunctionPanel(all, 640, 0, 1);
    EXPECT_TRUE(ShownEntries(low.buttons).empty());
    EXPECT_TRUE(low.showNext);
}

TEST(PanelLayout, PanelCGroupsAndTheirOffsets)
{
    const auto all = kq::LayoutPanelC(ConfigShowing(0));
    EXPECT_EQ(12u, ShownEntries(all).size());
    EXPECT_EQ(11, all[0].y);   // first group in its slots
    EXPECT_EQ(103 - 10, all[4].y); // second group 10 higher
    EXPECT_EQ(132, all[11].x);
    EXPECT_EQ(199 - 10, all[11].y);

    const struct {
        std::initializer_list<size_t> set;
        std::vector<size_t> shown;
        size_t probe;
        int x, y;
    } cases[] = {
        // Two of the first group (one row): second group 32 - 72 from its slots.
        {{27, 29, 31, 33}, {0, 2, 4, 6}, 6, 132, 103 - 40},
        // Three of the first group (two rows): 64 - 72.
        {{27, 28, 29, 38}, {0, 1, 2, 11}, 11, 17, 103 - 8},
        // First group empty: a further 18 up.
        {{34, 35}, {7, 8}, 8, 132, 103 - 72 - 18},
        // Only the first group: its slots, nothing of the second.
        {{30}, {3}, 3, 17, 11},
    };
    for (const auto& c : cases) {
        const auto places = kq::LayoutPanelC(ConfigShowing(1, c.set));
        EXPECT_EQ(c.shown, ShownEntries(places));
        EXPECT_EQ(c.x, places[c.probe].x);
        EXPECT_EQ(c.y, places[c.probe].y);
    }
}

TEST(PanelLayout, PanelCFramesFollowTheShownGroups)
{
    std::array<kq::PanelFrame, 2> frames{};
    ASSERT_EQ(2, kq::PanelCFrames(ConfigShowing(0), frames));
    EXPECT_EQ(0, frames[0].top);
    EXPECT_EQ(54, frames[0].bandHeight);
    EXPECT_EQ(84, frames[1].top);
    EXPECT_EQ(118, frames[1].bandHeight);

    // No second-group button: one frame only.
    ASSERT_EQ(1, kq::PanelCFrames(ConfigShowing(1, {27, 28, 29}), frames));
    EXPECT_EQ(54, frames[0].bandHeight);
    // No first-group button: the second frame starts at the top.
    ASSERT_EQ(1, kq::PanelCFrames(ConfigShowing(1, {31}), frames));
    EXPECT_EQ(0, frames[0].top);
    EXPECT_EQ(22, frames[0].bandHeight);
    EXPECT_EQ(0, kq::PanelCFrames(ConfigShowing(1, {0, 6}), frames));

    kq::PanelFrame single;
    EXPECT_FALSE(kq::SinglePanelFrame(29, single));
    ASSERT_TRUE(kq::SinglePanelFrame(111, single));
    EXPECT_EQ(81, single.bandHeight);
}

TEST(PanelLayout, ScrollingTheSecondGroup)
{
    std::array<ButtonPlace, kq::kPanelCSecondGroupCount> places{};
    ASSERT_TRUE(kq::ScrollSecondGroupPlaces(0, places));
    EXPECT_EQ((std::vector<size_t>{0, 1, 2, 3, 4, 5}), ShownEntries(places));
    EXPECT_EQ(100, places[1].y);
    EXPECT_EQ(132, places[1].x);
    EXPECT_EQ(164, places[4].y);

    ASSERT_TRUE(kq::ScrollSecondGroupPlaces(1, places));
    EXPECT_EQ((std::vector<size_t>{2, 3, 4, 5, 6, 7}), ShownEntries(places));
    EXPECT_EQ(100, places[2].y);
    EXPECT_EQ(164, places[7].y);
    EXPECT_EQ(17, places[6].x);

    EXPECT_FALSE(kq::ScrollSecondGroupPlaces(2, places));
    EXPECT_FALSE(kq::ScrollSecondGroupPlaces(-1, places));
}

TEST(PanelLayout, PanelHeightsCountTheSetsButtons)
{
    const struct {
        std::initializer_list<size_t> set;
        int a, function, c;
    } cases[] = {
        {{}, 0, 0, 0},
        {{0}, 47, 0, 0},
        {{0, 1, 2}, 79, 0, 0},
        {{6, 7, 8, 9}, 0, 85, 0},
        {{6}, 0, 56, 0},
        {{27, 31}, 0, 0, 52 + 52},
        {{27, 28, 29, 30}, 0, 0, 84},
        {{32, 33, 34, 35, 36}, 0, 0, 116},
    };
    for (const auto& c : cases) {
        const auto heights = kq::ComputePanelHeights(ConfigShowing(1, c.set));
        EXPECT_EQ(c.a, heights.panelA);
        EXPECT_EQ(c.function, heights.function);
        EXPECT_EQ(c.c, heights.panelC);
    }
}

TEST(PanelLayout, PanelPlacesPerScreenWidth)
{
    const auto large = kq::PlacePanels(1024, {111, 230, 232});
    EXPECT_EQ(545, large.panelA.x);
    EXPECT_EQ(124, large.panelA.y);
    EXPECT_EQ(126 + 111, large.function.y);
    EXPECT_EQ(230, large.function.height);
    EXPECT_EQ(126, large.panelC.y);
    EXPECT_EQ(235, large.panelC.width);

    // On 640 pixels the function panel is cut to end at y 350.
    const struct {
        int a, function;
        int height;
    } small[] = {{111, 230, 224 - 111}, {0, 230, 224}, {47, 56, 56}, {47, 200, 224 - 47}};
    for (const auto& s : small) {
        const auto rects = kq::PlacePanels(640, {s.a, s.function, 232});
        EXPECT_EQ(383, rects.function.x);
        EXPECT_EQ(126 + s.a, rects.function.y);
        EXPECT_EQ(s.height, rects.function.height);
        EXPECT_LE(rects.function.y + rects.function.height, 350);
    }
    EXPECT_EQ(124, kq::PlacePanels(640, {0, 0, 232}).panelC.y);
}

} // namespace
