// The group dialogs: moving seats between no group and a group, and naming
// the groups that have on-line members.

#include "teacher/dialogs/GroupAssignDlg.h"
#include "teacher/dialogs/GroupNameDlg.h"
#include "teacher/dialogs/tests/BoxWatcher.h"

#include "widgets/tests/LayoutCheck.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using kqtest::Click;
using kqtest::RunModal;
using kqtest::WarningCloser;

constexpr int kAssignCloseX = 447;
constexpr int kNameCloseX = 402;
constexpr int kCloseY = 4;

void ExpectLaidOut(CDialog& dialog, const char* shot)
{
    EXPECT_TRUE(kqtest::SaveScreenShot(dialog.m_hWnd, shot));
    for (const std::string& fault : kqtest::LayoutFaults(dialog.m_hWnd))
        ADD_FAILURE() << shot << ": " << fault;
}

// ---- Assignment ----

std::vector<std::string> Listed(CDialog& d, UINT id)
{
    CListBox* list = static_cast<CListBox*>(d.GetDlgItem(id));
    std::vector<std::string> names;
    for (int i = 0; i < list->GetCount(); ++i)
        names.push_back(static_cast<const char*>(list->GetItemDataPtr(i)));
    return names;
}

void SelectListed(CDialog& d, UINT id, const std::vector<int>& items)
{
    for (int i : items)
        d.GetDlgItem(id)->SendMessage(LB_SETSEL, TRUE, i);
}

void ChooseGroup(CDialog& d, int group)
{
    d.GetDlgItem(CGroupAssignDlg::kGroupBoxId)->SendMessage(CB_SETCURSEL, group - 1);
    d.SendMessage(WM_COMMAND, MAKEWPARAM(CGroupAssignDlg::kGroupBoxId, CBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(d.GetDlgItem(CGroupAssignDlg::kGroupBoxId)->m_hWnd));
}

struct AssignFixture {
    // A10 and A2 ungrouped, B1 in group 1, C1 stored with 9, D1 with -1.
    AssignFixture()
    {
        grid[0][0] = {"A10", 0, "001122334455"};
        grid[0][1] = {"B1", 1, ""};
        grid[0][2] = {"C1", 9, ""};
        grid[0][3] = {"D1", -1, ""};
        grid[1][0] = {"A2", 0, ""};
    }
    INT_PTR Run(const std::function<void(CDialog&)>& steps)
    {
        CGroupAssignDlg dialog(TeacherRes::IDD_MESSAGE_BOX, kAssignCloseX, kCloseY,
                               TeacherRes::IDB_GROUP_ASSIGN_BACKGROUND, nullptr);
        dialog.Grid() = grid;
        const INT_PTR result = RunModal(dialog, steps);
        grid = dialog.Grid();
        return result;
    }
    kq::SeatGrid grid{};
};

TEST(GroupAssignDlg, ListsSortedLetterThenNumberWithStoredGroupsCorrected)
{
    AssignFixture fixture;
    std::vector<std::string> ungrouped, groupOne, groupSix;
    const INT_PTR result = fixture.Run([&](CDialog& d) {
        ExpectLaidOut(d, "group-assign");
        ungrouped = Listed(d, CGroupAssignDlg::kUngroupedListId);
        groupOne = Listed(d, CGroupAssignDlg::kMemberListId);
        ChooseGroup(d, 6);
        groupSix = Listed(d, CGroupAssignDlg::kMemberListId);
        Click(d, CGroupAssignDlg::kConfirmId);
    });
    EXPECT_EQ(ungrouped, (std::vector<std::string>{"A2", "A10", "D1"}));
    EXPECT_EQ(groupOne, (std::vector<std::string>{"B1"}));
    EXPECT_EQ(groupSix, (std::vector<std::string>{"C1"}));
    EXPECT_EQ(result, IDCANCEL) << "confirming without a move changes nothing";
    EXPECT_EQ(fixture.grid[0][2].group, 6);
    EXPECT_EQ(fixture.grid[0][3].group, 0);
}

TEST(GroupAssignDlg, MovesSeatsIntoAndOutOfTheChosenGroup)
{
    AssignFixture fixture;
    std::vector<std::string> members, left;
    const INT_PTR moved = fixture.Run([&](CDialog& d) {
        ChooseGroup(d, 3);
        SelectListed(d, CGroupAssignDlg::kUngroupedListId, {0, 2}); // A2 and D1
        Click(d, CGroupAssignDlg::kAddSelectedId);
        members = Listed(d, CGroupAssignDlg::kMemberListId);
        left = Listed(d, CGroupAssignDlg::kUngroupedListId);
        Click(d, CGroupAssignDlg::kConfirmId);
    });
    EXPECT_EQ(moved, IDOK);
    EXPECT_EQ(members, (std::vector<std::string>{"A2", "D1"}));
    EXPECT_EQ(left, (std::vector<std::string>{"A10"}));
    EXPECT_EQ(fixture.grid[1][0].group, 3);
    EXPECT_EQ(fixture.grid[0][3].group, 3);
    EXPECT_EQ(fixture.grid[0][0].group, 0);
    EXPECT_EQ(fixture.grid[0][0].mac, "001122334455");

    // Everything in and out again still counts as a change.
    const INT_PTR back = fixture.Run([&](CDialog& d) {
        ChooseGroup(d, 2);
        Click(d, CGroupAssignDlg::kAddAllId);
        EXPECT_TRUE(Listed(d, CGroupAssignDlg::kUngroupedListId).empty());
        Click(d, CGroupAssignDlg::kRemoveAllId);
        members = Listed(d, CGroupAssignDlg::kMemberListId);
        Click(d, CGroupAssignDlg::kRemoveSelectedId); // nothing selected: nothing
        Click(d, CGroupAssignDlg::kConfirmId);
    });
    EXPECT_EQ(back, IDOK);
    EXPECT_TRUE(members.empty());
    EXPECT_EQ(fixture.grid[0][0].group, 0);
    EXPECT_EQ(fixture.grid[1][0].group, 3);

    const INT_PTR cancelled = fixture.Run([&](CDialog& d) {
        Click(d, CGroupAssignDlg::kAddAllId);
        Click(d, CGroupAssignDlg::kCancelId);
    });
    EXPECT_EQ(cancelled, IDCANCEL);
}

// ---- Naming ----

class FakeSeats : public kq::SeatLookup {
public:
    std::map<std::string, std::pair<int, int>> seats; // name -> state, number
    int GetSeatStateByName(const char* name) const override
    {
        auto it = seats.find(name);
        return it == seats.end() ? -1 : it->second.first;
    }
    int GetSeatNumberByName(const char* name) const override
    {
        auto it = seats.find(name);
        return it == seats.end() ? 0 : it->second.second;
    }
};

struct NameFixture {
    // Group 2: A1 and B1 on line, C1 off line; group 5: A2 on line.
    NameFixture()
    {
        grid[0][0] = {"A1", 2, ""};
        grid[0][1] = {"B1", 2, ""};
        grid[0][2] = {"C1", 2, ""};
        grid[1][0] = {"A2", 5, ""};
        seats.seats = {{"A1", {1, 1}}, {"B1", {8, 2}}, {"C1", {0, 3}}, {"A2", {1, 4}}};
    }
    INT_PTR Run(const std::function<void(CDialog&)>& steps)
    {
        CGroupNameDlg dialog(TeacherRes::IDD_MESSAGE_BOX, kNameCloseX, kCloseY, TeacherRes::IDB_GROUP_NAME_BACKGROUND,
                             nullptr);
        dialog.SetSeats(&seats, grid, 3, 2);
        const INT_PTR result = RunModal(dialog, steps);
        records = dialog.Records();
        numbers.assign(dialog.SeatNumbers(), dialog.SeatNumbers() + kq::kMaxTargetSeats);
        count = dialog.SeatNumberCount();
        return result;
    }
    kq::SeatGrid grid{};
    FakeSeats seats;
    std::array<kq::GroupRecord, kq::kGroupCount> records{};
    std::vector<uint8_t> numbers;
    int count = 0;
};

void SetName(CDialog& d, int group, const std::string& name)
{
    d.GetDlgItem(CGroupNameDlg::kFirstNameId + group - 1)->SetWindowText(name.c_str());
}

TEST(GroupNameDlg, NamesTheGroupsWithOnLineMembers)
{
    NameFixture fixture;
    std::vector<int> memberCounts;
    std::string wide;
    for (int i = 0; i < 30; ++i)
        wide += "组";
    const INT_PTR result = fixture.Run([&](CDialog& d) {
        ExpectLaidOut(d, "group-names");
        for (int k = 0; k < kq::kGroupCount; ++k)
            memberCounts.push_back(static_cast<int>(
                d.GetDlgItem(CGroupNameDlg::kFirstMemberBoxId + k)->SendMessage(CB_GETCOUNT)));
        SetName(d, 2, " " + wide + " ");
        SetName(d, 5, "五组");
        d.GetDlgItem(CGroupNameDlg::kFirstMemberBoxId + 1)->SendMessage(CB_SETCURSEL, 1); // B1
        Click(d, CGroupNameDlg::kConfirmId);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(memberCounts, (std::vector<int>{0, 2, 0, 0, 1, 0}));
    EXPECT_EQ(fixture.count, 3);
    EXPECT_EQ(std::vector<uint8_t>(fixture.numbers.begin(), fixture.numbers.begin() + 4),
              (std::vector<uint8_t>{1, 2, 4, 0}));
    const kq::GroupRecord& two = fixture.records[1];
    EXPECT_EQ(two.group, 2);
    EXPECT_EQ(two.memberCount, 2);
    EXPECT_EQ(two.chosenSeat, 2);
    EXPECT_EQ(std::string(two.name), wide.substr(0, 30)) << "cut inside the name field";
    EXPECT_EQ(two.name[30], '\0');
    EXPECT_EQ(std::string(fixture.records[4].name), "五组");
    EXPECT_EQ(fixture.records[4].chosenSeat, 4);
    EXPECT_EQ(fixture.records[0].group, 0);
    EXPECT_EQ(std::string(fixture.records[0].name), "");
}

TEST(GroupNameDlg, AGroupWithMembersNeedsAName)
{
    NameFixture fixture;
    WarningCloser closer;
    HWND focused = nullptr;
    HWND fifthName = nullptr;
    const INT_PTR result = fixture.Run([&](CDialog& d) {
        SetName(d, 2, "二组");
        SetName(d, 5, "   ");
        Click(d, CGroupNameDlg::kConfirmId);
        kqtest::PumpFor(100);
        focused = ::GetFocus();
        fifthName = d.GetDlgItem(CGroupNameDlg::kFirstNameId + 4)->m_hWnd;
        Click(d, CGroupNameDlg::kCancelId);
    });
    EXPECT_EQ(WarningCloser::Seen(), 1);
    EXPECT_NE(WarningCloser::LastText().find("组名"), std::string::npos) << WarningCloser::LastText();
    EXPECT_EQ(focused, fifthName);
    EXPECT_EQ(result, IDCANCEL);
}

TEST(GroupNameDlg, NoGroupOnLineConfirmsToCancel)
{
    NameFixture fixture;
    for (auto& seat : fixture.seats.seats)
        seat.second.first = 0;
    const INT_PTR result = fixture.Run([&](CDialog& d) { Click(d, CGroupNameDlg::kConfirmId); });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(fixture.count, 0);
}

} // namespace
