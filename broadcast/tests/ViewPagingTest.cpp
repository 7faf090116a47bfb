// Which stations a monitoring viewer shows and asks for, page by page.

#include "broadcast/ViewPaging.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

MiragePaging Paging(uint16_t mode, int idCount, uint16_t maxViews)
{
    MiragePaging p;
    p.idListMode = mode;
    p.idCount = static_cast<uint16_t>(idCount);
    p.maxViews = maxViews;
    for (int i = 0; i < idCount; ++i)
        p.ids[i] = static_cast<uint8_t>(i + 1); // ids 1, 2, 3, ...
    StartPaging(p);
    return p;
}

std::vector<int> Page(const MiragePaging& p)
{
    return std::vector<int>(p.visibleIds, p.visibleIds + p.visibleCount);
}

using Pages = std::vector<std::vector<int>>;

Pages Walk(MiragePaging p, bool forward, int steps)
{
    Pages pages;
    for (int i = 0; i < steps; ++i) {
        EXPECT_TRUE(forward ? PageNext(p) : PagePrevious(p));
        pages.push_back(Page(p));
        EXPECT_EQ(p.pagePos, p.currentView);
        EXPECT_EQ(p.visibleCount - 1, p.pagePos);
    }
    return pages;
}

TEST(ViewPaging, OneStationCyclesThroughTheIdsBothWays)
{
    MiragePaging p = Paging(1, 3, 4);
    EXPECT_EQ(1, p.watchedId);
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(PageNext(p));
        seen.push_back(p.watchedId);
        EXPECT_EQ(p.watchedId, p.viewStationIds[0]);
    }
    EXPECT_EQ((std::vector<int>{2, 3, 1, 2}), seen);
    seen.clear();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(PagePrevious(p));
        seen.push_back(p.watchedId);
    }
    EXPECT_EQ((std::vector<int>{1, 3, 2}), seen);
    ASSERT_TRUE(NextWatchRequest(p, true));
    EXPECT_EQ(2, p.watchedId); // the request asks for the station shown
}

TEST(ViewPaging, MultiViewPagesForwardAndBackByWholePages)
{
    const struct {
        int ids;
        uint16_t views;
        bool forward;
        Pages pages;
    } cases[] = {
        {10, 4, true, {{5, 6, 7, 8}, {9, 10}, {1, 2, 3, 4}}},
        {10, 4, false, {{9, 10}, {5, 6, 7, 8}, {1, 2, 3, 4}, {9, 10}}},
        {8, 4, false, {{5, 6, 7, 8}, {1, 2, 3, 4}}},
        {8, 4, true, {{5, 6, 7, 8}, {1, 2, 3, 4}}},
        {20, 9, false, {{19, 20}, {10, 11, 12, 13, 14, 15, 16, 17, 18}, {1, 2, 3, 4, 5, 6, 7, 8, 9}}},
        {32, 16, false, {{17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32},
                         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}}},
        {3, 4, true, {{1, 2, 3}, {1, 2, 3}}},
    };
    for (const auto& c : cases) {
        const MiragePaging start = Paging(2, c.ids, c.views);
        const std::string name = std::to_string(c.ids) + " ids, " + std::to_string(c.views) + " views " +
                                 (c.forward ? "next" : "previous");
        EXPECT_EQ(c.pages, Walk(start, c.forward, static_cast<int>(c.pages.size()))) << name;
    }
    // Views past the page are empty.
    MiragePaging p = Paging(2, 10, 4);
    PagePrevious(p);
    EXPECT_EQ(9, p.viewStationIds[0]);
    EXPECT_EQ(0, p.viewStationIds[2]);
    EXPECT_EQ(0, p.viewStationIds[3]);
}

TEST(ViewPaging, ZoomedStepsViewByViewAndTurnsThePage)
{
    MiragePaging p = Paging(2, 10, 4);
    p.zoomed = true;
    p.pagePos = p.currentView = 0;
    std::vector<int> watched;
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(PageNext(p));
        watched.push_back(p.watchedId);
        EXPECT_EQ(p.pagePos, p.currentView);
    }
    EXPECT_EQ((std::vector<int>{2, 3, 4, 5, 6, 7}), watched);
    watched.clear();
    p = Paging(2, 10, 4);
    p.zoomed = true;
    p.pagePos = p.currentView = 0;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(PagePrevious(p));
        watched.push_back(p.watchedId);
    }
    EXPECT_EQ((std::vector<int>{10, 9, 8}), watched); // back onto the last page {9, 10}, then 5-8

    // One page only: zoomed paging wraps within it.
    p = Paging(2, 3, 9);
    p.zoomed = true;
    p.pagePos = p.currentView = 0;
    PagePrevious(p);
    EXPECT_EQ(3, p.watchedId);
    PageNext(p);
    EXPECT_EQ(1, p.watchedId);
}

TEST(ViewPaging, WatchRequestsPollThePageAndAskAgainWithoutAdvancing)
{
    MiragePaging p = Paging(2, 3, 4);
    ASSERT_TRUE(NextWatchRequest(p, false)); // the first request, 500 ms after open
    EXPECT_EQ(1, p.watchedId);
    EXPECT_EQ(0, p.currentView);
    std::vector<int> asked;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(NextWatchRequest(p, true));
        asked.push_back(p.watchedId);
        EXPECT_EQ(p.pagePos, p.currentView);
    }
    EXPECT_EQ((std::vector<int>{2, 3, 1, 2}), asked);
    p.zoomed = true;
    ASSERT_TRUE(NextWatchRequest(p, true));
    EXPECT_EQ(2, p.watchedId); // zoomed: the same station again
}

TEST(ViewPaging, NoIdsAsksForNothingAndDoesNotPage)
{
    for (const uint16_t mode : {1, 2}) {
        for (const bool zoomed : {false, true}) {
            MiragePaging p = Paging(mode, 0, 4);
            p.zoomed = zoomed;
            EXPECT_FALSE(NextWatchRequest(p, true));
            EXPECT_FALSE(PageNext(p));
            EXPECT_FALSE(PagePrevious(p));
            EXPECT_EQ(0, p.watchedId);
            EXPECT_EQ(0, p.visibleCount);
        }
    }
}

} // namespace
