// The seat map's context menu: the items offered for each activity of the
// classroom, state of the seat under the pointer and page of panels.

#include "teacher/SeatMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kq::SeatMenuItem;
using Items = std::vector<SeatMenuItem>;

std::string Show(const Items& items)
{
    std::string text;
    for (const SeatMenuItem& item : items)
        text += std::to_string(item.textId) + "/" + std::to_string(item.command) + "/" +
                std::to_string(item.iconId) + " ";
    return text;
}

const Items kTestEnd = {{57414, 610, 510}, {57415, 609, 518}};
const Items kNoticeAndMonitor = {{57404, 303, 505}, {57402, 502, 507}};
const Items kIdleSeat = {{57399, 501, 508}, {57425, 505, 500}, {57400, 503, 502}, {57401, 301, 515},
                         {57402, 502, 507}, {57404, 303, 505}, {57405, 304, 520}, {57408, 512, 519},
                         {57409, 511, 501}, {57410, 309, 517}};
const Items kHandUp = {{57406, 309, 516}, {57407, 868, 521}, {57402, 502, 507}, {57425, 505, 500},
                       {57410, 309, 517}};
const Items kOffLine = {{57397, 317, 577}, {57398, 513, 519}};

TEST(SeatMenu, ItemsByActivitySeatStateAndPage)
{
    const int background = kq::kBackgroundMenuState;
    const struct {
        int activity;
        int state;
        int firstPanel;
        Items items;
    } cases[] = {
        // Video broadcast: only a seat watching a channel can be ended.
        {1, 10, 1, {{57418, 872, 581}}},
        {1, 29, 1, {{57418, 872, 581}}},
        {1, 1, 1, {}},
        {1, 30, 1, {}},
        {1, background, 1, {}},
        // The media broadcast offers nothing.
        {2, 1, 1, {}},
        {2, background, 0, {}},
        {3, 7, 1, {{57424, 305, 503}}},
        {3, background, 1, {{57424, 305, 503}}},
        {4, 1, 1, {{57405, 304, 520}}},
        {4, 6, 1, {{57411, 304, 582}}},
        {4, background, 1, {{57411, 304, 582}}},
        // Online test: the background gets the two ending items.
        {5, 1, 0, kNoticeAndMonitor},
        {5, 8, 0, {{57414, 610, 510}, {57415, 609, 518}, {57416, 606, 511}, {57404, 303, 505},
                   {57402, 502, 507}}},
        {5, 0, 0, kTestEnd},
        {5, background, 0, kTestEnd},
        {6, 1, 0, {{57405, 606, 520}}},
        {6, 8, 0, {{57405, 606, 520}}},
        {6, 0, 0, {{57426, 606, 504}}},
        {6, background, 0, {{57426, 606, 504}}},
        // Any other activity: by the seat.
        {0, 1, 1, kIdleSeat},
        {7, 1, 1, kIdleSeat},
        {10, 1, 1, kIdleSeat},
        {0, 1, 0, kNoticeAndMonitor},
        {8, 2, 1, kHandUp},
        {0, 2, 0, kHandUp},
        {0, 0, 1, kOffLine},
        {0, background, 1, kOffLine},
        {0, 7, 1, kOffLine},
        {-3, 1, 1, kIdleSeat},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("activity " + std::to_string(c.activity) + ", state " + std::to_string(c.state) +
                     ", first panel " + std::to_string(c.firstPanel));
        const Items items = kq::SeatMenuItems(c.activity, c.state, c.firstPanel);
        EXPECT_EQ(Show(items), Show(c.items));
        EXPECT_LE(items.size(), static_cast<size_t>(kq::kSeatMenuCapacity));
    }
}

} // namespace
