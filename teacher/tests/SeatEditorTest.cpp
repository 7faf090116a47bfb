// The seat editor in this process, on a seat grid of its own: the automatic
// fill, placing, renaming and clearing seats, dragging, typing a name, the
// wheel, and what apply, OK and cancel leave in the grid.

#include "teacher/SeatEditDlg.h"
#include "teacher/dialogs/tests/BoxWatcher.h"
#include "widgets/tests/LayoutCheck.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using kqtest::Click;
using kqtest::RunModal;
using kqtest::WarningCloser;

// Stands in for the seat map: keeps the counts that apply sends it.
class CountsReceiver : public CWnd {
public:
    std::vector<std::pair<WPARAM, LPARAM>> applied;
    bool CreateReceiver()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "counts", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr) != FALSE;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CSeatEditDlg::kApplyMessage)
            applied.emplace_back(wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

std::string LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text.GetString();
}

class SeatEditor : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(receiver.CreateReceiver()); }
    void TearDown() override { receiver.DestroyWindow(); }

    // Seats A1 .. C3 in three rows of three.
    void NineSeats()
    {
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                grid[r][c].name = std::string(1, static_cast<char>('A' + c)) + std::to_string(r + 1);
        seats = 9;
        rows = 3;
        columns = 3;
    }

    INT_PTR Run(const std::function<void(CDialog&)>& steps)
    {
        CSeatEditDlg dialog(seats, rows, columns, &grid, &receiver);
        const INT_PTR result = RunModal(dialog, [&](CDialog& d) {
            steps(d);
            // OK and cancel take the cells with them: otherwise cancel now.
            if (::GetDlgItem(GridOf(d), static_cast<int>(CSeatEditCell::IdOf(0, 0))) != nullptr)
                Click(d, CSeatEditDlg::kCancelId);
        });
        seats = dialog.SeatCount();
        rows = dialog.RowCount();
        columns = dialog.ColumnCount();
        kqtest::PumpFor(20);
        return result;
    }

    static HWND GridOf(CDialog& d) { return ::GetDlgItem(d.m_hWnd, CSeatEditDlg::kGridId); }
    static std::string CellText(CDialog& d, int row, int column)
    {
        char text[32] = {};
        ::GetWindowTextA(::GetDlgItem(GridOf(d), static_cast<int>(CSeatEditCell::IdOf(row, column))), text,
                         sizeof text);
        return text;
    }
    // The named cells, "A1@0,0 ..." in row-major order.
    static std::string Shown(CDialog& d)
    {
        std::string text;
        for (int r = 0; r < kq::kSeatGridRows; ++r)
            for (int c = 0; c < kq::kSeatGridColumns; ++c) {
                const std::string name = CellText(d, r, c);
                if (!name.empty())
                    text += name + "@" + std::to_string(r) + "," + std::to_string(c) + " ";
            }
        return text;
    }
    static void Set(CDialog& d, UINT id, const std::string& text) { d.SetDlgItemText(id, text.c_str()); }
    static std::string Get(CDialog& d, UINT id)
    {
        CString text;
        d.GetDlgItemText(id, text);
        return text.GetString();
    }
    static POINT CellCentre(int row, int column)
    {
        return {column * CSeatEditCell::kWidth + CSeatEditCell::kWidth / 2,
                row * CSeatEditCell::kHeight + CSeatEditCell::kHeight / 2};
    }
    static void Drag(CDialog& d, POINT from, POINT to)
    {
        HWND grid = GridOf(d);
        ::SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        ::SendMessageA(grid, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        ::SendMessageA(grid, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    }

    kq::SeatGrid grid{};
    int seats = 0;
    int rows = 0;
    int columns = 0;
    CountsReceiver receiver;
};

TEST_F(SeatEditor, FillsFortySeatsInSixColumnsAndOkGroupsThemByColumn)
{
    WarningCloser closer;
    std::string shown;
    const INT_PTR result = Run([&](CDialog& d) {
        Set(d, CSeatEditDlg::kSeatCountId, "40");
        Set(d, CSeatEditDlg::kColumnCountId, "6");
        Click(d, CSeatEditDlg::kFillId);
        shown = Shown(d);
        EXPECT_TRUE(kqtest::SaveScreenShot(d.m_hWnd, "seat-editor"));
        for (const std::string& fault : kqtest::LayoutFaults(d.m_hWnd))
            ADD_FAILURE() << fault;
        Click(d, CSeatEditDlg::kOkId);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(WarningCloser::Seen(), 0);
    EXPECT_EQ(shown.substr(0, 24), "A1@0,0 B1@0,1 C1@0,2 D1@");
    EXPECT_NE(shown.find("F6@5,5 A7@6,0 B7@6,1 C7@6,2 D7@6,3 "), std::string::npos) << shown;
    EXPECT_EQ(seats, 40);
    EXPECT_EQ(rows, 7);
    EXPECT_EQ(columns, 6);
    EXPECT_EQ(grid[6][3].name, "D7");
    EXPECT_EQ(grid[6][3].group, 4);
    EXPECT_EQ(grid[2][5].group, 6);
    EXPECT_EQ(grid[6][4].name, "");
}

TEST_F(SeatEditor, FillRefusals)
{
    NineSeats();
    const struct {
        const char* seats;
        const char* columns;
        std::string box; // empty: none
    } cases[] = {
        {"45", "2", "对不起：列数2 偏少，使行数23 大于20，建议列数为3"},
        {"40", "0", ""},
        {"", "6", ""},
        {"161", "9", LoadText(TeacherRes::IDS_SEAT_TOO_MANY)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.seats) + " in " + c.columns);
        WarningCloser closer;
        std::string before, after;
        Run([&](CDialog& d) {
            before = Shown(d);
            Set(d, CSeatEditDlg::kSeatCountId, c.seats);
            Set(d, CSeatEditDlg::kColumnCountId, c.columns);
            Click(d, CSeatEditDlg::kFillId);
            after = Shown(d);
        });
        EXPECT_EQ(after, before);
        EXPECT_EQ(WarningCloser::Seen(), c.box.empty() ? 0 : 1);
        EXPECT_EQ(WarningCloser::LastText(), c.box);
    }
}

TEST_F(SeatEditor, PlacingRenamingAndClearingOneSeat)
{
    NineSeats();
    const struct {
        const char* what;
        UINT button;
        const char* name;
        const char* row;
        const char* column;
        UINT box; // 0: none
        std::string changedCell; // "name@row,column" written, or empty
    } cases[] = {
        {"B3 on an existing seat", CSeatEditDlg::kPlaceId, "B3", "3", "2", TeacherRes::IDS_SEAT_CELL_TAKEN, ""},
        {"a name standing elsewhere", CSeatEditDlg::kPlaceId, "B2", "5", "5", TeacherRes::IDS_SEAT_NAME_EXISTS, ""},
        {"U1", CSeatEditDlg::kPlaceId, "U1", "5", "5", TeacherRes::IDS_SEAT_BAD_LETTER, ""},
        {"A21", CSeatEditDlg::kPlaceId, "A21", "5", "5", TeacherRes::IDS_SEAT_BAD_NUMBER, ""},
        {"an empty name", CSeatEditDlg::kPlaceId, "", "5", "5", 0, ""},
        {"row 0", CSeatEditDlg::kPlaceId, "E5", "0", "5", 0, ""},
        {"placed", CSeatEditDlg::kPlaceId, "E5", "5", "5", 0, "E5@4,4"},
        {"rename a bad name quietly", CSeatEditDlg::kRenameId, "Z1", "1", "1", 0, ""},
        {"rename without a click renames the fields' cell", CSeatEditDlg::kRenameId, "K1", "1", "1", 0, "K1@0,0"},
        {"rename with an empty name erases nothing", CSeatEditDlg::kRenameId, "", "1", "1", 0, ""},
        {"clear", CSeatEditDlg::kClearId, "", "2", "2", 0, "@1,1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WarningCloser closer;
        std::string before, after;
        Run([&](CDialog& d) {
            before = Shown(d);
            Set(d, CSeatEditDlg::kNameId, c.name);
            Set(d, CSeatEditDlg::kRowId, c.row);
            Set(d, CSeatEditDlg::kColumnId, c.column);
            const int typedBoxes = WarningCloser::Seen();
            Click(d, c.button);
            EXPECT_EQ(WarningCloser::Seen() - typedBoxes, c.box != 0 ? 1 : 0);
            after = Shown(d);
            if (!c.changedCell.empty()) {
                const size_t at = c.changedCell.find('@');
                const int row = c.changedCell[at + 1] - '0';
                const int column = c.changedCell[at + 3] - '0';
                EXPECT_EQ(CellText(d, row, column), c.changedCell.substr(0, at));
            }
        });
        if (c.box != 0) {
            EXPECT_EQ(WarningCloser::LastText(), LoadText(c.box));
        }
        if (c.changedCell.empty()) {
            EXPECT_EQ(after, before);
        } else {
            EXPECT_NE(after, before);
        }
    }
}

TEST_F(SeatEditor, AHundredAndSixtyFirstSeatIsRefused)
{
    WarningCloser closer;
    std::string after;
    Run([&](CDialog& d) {
        Set(d, CSeatEditDlg::kSeatCountId, "160");
        Set(d, CSeatEditDlg::kColumnCountId, "20");
        Click(d, CSeatEditDlg::kFillId);
        Set(d, CSeatEditDlg::kNameId, "A9");
        Set(d, CSeatEditDlg::kRowId, "9");
        Set(d, CSeatEditDlg::kColumnId, "1");
        Click(d, CSeatEditDlg::kPlaceId);
        after = CellText(d, 8, 0);
    });
    EXPECT_EQ(WarningCloser::LastText(), LoadText(TeacherRes::IDS_SEAT_FULL));
    EXPECT_EQ(after, "");
}

TEST_F(SeatEditor, TypingANameChecksItOrMovesTheFieldsToItsPlace)
{
    NineSeats();
    grid[0][2].name = "";
    grid[6][6].name = "C1"; // C1 stands away from where its name says
    rows = columns = 7;
    seats = 9;
    const struct {
        const char* typed;
        UINT box;
        const char* row;
        const char* column;
    } cases[] = {
        {"U", TeacherRes::IDS_SEAT_LETTER_TYPED, "1", "1"},
        {"A25", TeacherRes::IDS_SEAT_NUMBER_TYPED, "1", "1"},
        {"C1", 0, "7", "7"},
        {"D4", 0, "4", "4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        WarningCloser closer;
        std::string row, column;
        Run([&](CDialog& d) {
            Set(d, CSeatEditDlg::kNameId, c.typed);
            row = Get(d, CSeatEditDlg::kRowId);
            column = Get(d, CSeatEditDlg::kColumnId);
        });
        EXPECT_EQ(WarningCloser::Seen(), c.box != 0 ? 1 : 0);
        if (c.box != 0) {
            EXPECT_EQ(WarningCloser::LastText(), LoadText(c.box));
        }
        EXPECT_EQ(row, c.row);
        EXPECT_EQ(column, c.column);
    }
}

TEST_F(SeatEditor, DraggingMovesOrSwapsSeats)
{
    NineSeats();
    const struct {
        const char* what;
        POINT to;
        std::string a1Cell;   // what A1's cell then shows
        std::string target;   // what the cell under `to` then shows ("-": not a cell)
        int targetRow;
        int targetColumn;
    } cases[] = {
        {"onto an empty cell", CellCentre(5, 5), "", "A1", 5, 5},
        {"onto B1", CellCentre(0, 1), "B1", "A1", 0, 1},
        {"within its own cell", {20, 12}, "A1", "A1", 0, 0},
        {"outside the grid", {-40, -40}, "A1", "-", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string a1, target, clickedName;
        Run([&](CDialog& d) {
            Drag(d, CellCentre(0, 0), c.to);
            a1 = CellText(d, 0, 0);
            target = c.target == "-" ? "-" : CellText(d, c.targetRow, c.targetColumn);
            clickedName = Get(d, CSeatEditDlg::kNameId);
        });
        EXPECT_EQ(a1, c.a1Cell);
        EXPECT_EQ(target, c.target);
        EXPECT_EQ(clickedName, "A1") << "the click put the seat's name in the field";
    }
}

TEST_F(SeatEditor, OneWheelNotchScrollsOneRowOfCells)
{
    int position = -1;
    Run([&](CDialog& d) {
        RECT area;
        ::GetWindowRect(GridOf(d), &area);
        d.PostMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                      MAKELPARAM(area.left + 30, area.top + 30));
        kqtest::PumpFor(100);
        position = ::GetScrollPos(GridOf(d), SB_VERT);
    });
    EXPECT_EQ(position, CSeatEditCell::kHeight);
}

TEST_F(SeatEditor, ApplyStoresWithoutGroupsAndCancelKeepsIt)
{
    NineSeats();
    grid[0][0].group = 3;
    bool stayedOpen = false;
    const INT_PTR result = Run([&](CDialog& d) {
        Set(d, CSeatEditDlg::kNameId, "D1");
        Set(d, CSeatEditDlg::kRowId, "1");
        Set(d, CSeatEditDlg::kColumnId, "4");
        Click(d, CSeatEditDlg::kPlaceId);
        Click(d, CSeatEditDlg::kApplyId);
        kqtest::PumpFor(50);
        stayedOpen = ::IsWindowVisible(d.m_hWnd) != FALSE;
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(receiver.applied.size(), 1u);
    EXPECT_EQ(receiver.applied[0].first, 10u);
    EXPECT_EQ(receiver.applied[0].second, MAKELONG(3, 4));
    EXPECT_EQ(grid[0][3].name, "D1") << "cancel after apply keeps the applied arrangement";
    EXPECT_EQ(grid[0][0].group, 0);
    EXPECT_EQ(seats, 10);
}

TEST_F(SeatEditor, OkPastTheSixthColumnSaysSoAndOkWithoutSeatsEmptiesTheRoom)
{
    for (int c = 0; c < 8; ++c)
        grid[0][c].name = std::string(1, static_cast<char>('A' + c)) + "1";
    seats = 8;
    rows = 1;
    columns = 8;
    {
        WarningCloser closer;
        EXPECT_EQ(Run([](CDialog& d) { Click(d, CSeatEditDlg::kOkId); }), IDOK);
        EXPECT_EQ(WarningCloser::LastText(), LoadText(TeacherRes::IDS_SEAT_GROUPS_BY_COLUMN));
        const int groups[] = {1, 2, 3, 4, 5, 6, 6, 6};
        for (int c = 0; c < 8; ++c)
            EXPECT_EQ(grid[0][c].group, groups[c]) << c;
    }
    EXPECT_EQ(Run([](CDialog& d) {
                  Set(d, CSeatEditDlg::kSeatCountId, "1");
                  Set(d, CSeatEditDlg::kColumnCountId, "1");
                  Click(d, CSeatEditDlg::kFillId);
                  Set(d, CSeatEditDlg::kRowId, "1");
                  Set(d, CSeatEditDlg::kColumnId, "1");
                  Click(d, CSeatEditDlg::kClearId);
                  Click(d, CSeatEditDlg::kOkId);
              }),
              IDOK);
    EXPECT_EQ(seats, 0);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(columns, 0);
    EXPECT_EQ(grid[0][0].name, "");
}

} // namespace
