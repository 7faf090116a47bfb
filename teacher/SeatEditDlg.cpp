#include "teacher/SeatEditDlg.h"

#include "teacher/dialogs/MessageBoxes.h"
#include "teacher/dialogs/WarningDlg.h"

#include "TeacherResources.h"

#include <commctrl.h>

#include <cstdio>

namespace {

using namespace TeacherRes;

constexpr int kCloseX = 521;
constexpr int kCloseY = 4;

const CRect kSeatCountRect(470, 63, 509, 85);
const CRect kSeatSpinRect(509, 63, 527, 85);
const CRect kColumnCountRect(470, 99, 509, 120);
const CRect kColumnCountSpinRect(509, 99, 527, 120);
const CRect kRowRect(472, 250, 495, 272);
const CRect kRowSpinRect(495, 250, 513, 272);
const CRect kColumnRect(472, 285, 495, 307);
const CRect kColumnSpinRect(495, 285, 513, 307);
const CRect kNameRect(470, 215, 530, 236);
const CRect kGridRect(21, 37, 408, 426);

constexpr UINT kSeatSpinId = 2;
constexpr UINT kColumnCountSpinId = 4;
constexpr UINT kRowSpinId = 6;
constexpr UINT kColumnSpinId = 8;

constexpr DWORD kFieldStyle = WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kSpinStyle = WS_VISIBLE | UDS_ARROWKEYS;
constexpr DWORD kNameStyle = WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_UPPERCASE | ES_AUTOHSCROLL;

struct FieldSpec {
    CRect field;
    CRect spin;
    UINT fieldId;
    UINT spinId;
    float lowest;
    float highest;
};
const FieldSpec kSeatCountSpec = {kSeatCountRect, kSeatSpinRect, CSeatEditDlg::kSeatCountId, kSeatSpinId, 1,
                                  kq::kMaxSeats};
const FieldSpec kColumnCountSpec = {kColumnCountRect, kColumnCountSpinRect, CSeatEditDlg::kColumnCountId,
                                    kColumnCountSpinId, 1, kq::kSeatGridColumns};
const FieldSpec kRowSpec = {kRowRect, kRowSpinRect, CSeatEditDlg::kRowId, kRowSpinId, 1, kq::kSeatGridRows};
const FieldSpec kColumnSpec = {kColumnRect, kColumnSpinRect, CSeatEditDlg::kColumnId, kColumnSpinId, 0,
                               kq::kSeatGridColumns};

// The editor's buttons, by their top-left corner; the faces give the size.
struct ButtonSpec {
    UINT id;
    int x;
    int y;
    UINT normal;
    UINT hover;
    bool wide;
};
constexpr ButtonSpec kButtons[] = {
    {CSeatEditDlg::kFillId, 460, 138, IDB_FILL_UP, IDB_FILL_HOVER, true},
    {CSeatEditDlg::kPlaceId, 433, 325, IDB_ADD_UP, IDB_ADD_HOVER, false},
    {CSeatEditDlg::kRenameId, 487, 325, IDB_EDIT_UP, IDB_EDIT_HOVER, false},
    {CSeatEditDlg::kClearId, 433, 380, IDB_DELETE_UP, IDB_DELETE_HOVER, false},
    {CSeatEditDlg::kApplyId, 487, 380, IDB_APPLY_UP, IDB_APPLY_HOVER, true},
    {CSeatEditDlg::kOkId, 433, 405, IDB_OK_UP, IDB_OK_DOWN, false},
    {CSeatEditDlg::kCancelId, 487, 405, IDB_NO_UP, IDB_NO_DOWN, false},
};
const CSize kWideFace(64, 20);
const CSize kNarrowFace(43, 20);

constexpr char kTooFewColumns[] = "对不起：列数%d 偏少，使行数%d 大于20，建议列数为%d";
constexpr size_t kBoxTextSize = 128;

// The place button's refusals and their strings.
struct PlaceRefusal {
    int result;
    UINT text;
};
constexpr PlaceRefusal kPlaceRefusals[] = {
    {kq::kSeatEditFull, IDS_SEAT_FULL},           {kq::kSeatEditBadNumber, IDS_SEAT_BAD_NUMBER},
    {kq::kSeatEditBadLetter, IDS_SEAT_BAD_LETTER}, {kq::kSeatEditNameExists, IDS_SEAT_NAME_EXISTS},
    {kq::kSeatEditCellTaken, IDS_SEAT_CELL_TAKEN},
};

std::string TextOf(const CWnd& control)
{
    CString text;
    control.GetWindowText(text);
    return std::string(text.GetString());
}

} // namespace

BEGIN_MESSAGE_MAP(CSeatEditDlg, CSkinDialog)
    ON_WM_DESTROY()
    ON_BN_CLICKED(CSeatEditDlg::kFillId, OnFill)
    ON_BN_CLICKED(CSeatEditDlg::kPlaceId, OnPlace)
    ON_BN_CLICKED(CSeatEditDlg::kRenameId, OnRename)
    ON_BN_CLICKED(CSeatEditDlg::kClearId, OnClear)
    ON_BN_CLICKED(CSeatEditDlg::kApplyId, OnApply)
    ON_BN_CLICKED(CSeatEditDlg::kOkId, OnOK)
    ON_BN_CLICKED(CSeatEditDlg::kCancelId, OnCancel)
    ON_MESSAGE(CSeatGridWnd::kCellClickedMessage, OnCellClicked)
    ON_MESSAGE(CNumSpinCtrl::kStepped, OnSpinStepped)
END_MESSAGE_MAP()

CSeatEditDlg::CSeatEditDlg(int seatCount, int rowCount, int columnCount, kq::SeatGrid* grid, CWnd* seatMap)
    : CSkinDialog(IDD_MESSAGE_BOX, kCloseX, kCloseY, IDB_SEAT_EDIT_BACKGROUND, nullptr),
      m_rowCount(rowCount),
      m_columnCount(columnCount),
      m_seatCount(seatCount),
      m_seatMap(seatMap),
      m_grid(grid)
{
}

BOOL CSeatEditDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    return CreateControls() ? TRUE : FALSE;
}

bool CSeatEditDlg::CreateControls()
{
    CFont* font = GetFont();
    const struct {
        const FieldSpec& spec;
        CNumEdit& field;
        CNumSpinCtrl& spin;
        int start;
    } fields[] = {
        {kSeatCountSpec, m_seatField, m_seatSpin, m_seatCount},
        {kColumnCountSpec, m_columnCountField, m_columnCountSpin, m_columnCount},
        {kRowSpec, m_rowField, m_rowSpin, 1},
        {kColumnSpec, m_columnField, m_columnSpin, 1},
    };
    for (const auto& f : fields) {
        if (!f.field.Create(kFieldStyle, f.spec.field, this, f.spec.fieldId) ||
            !f.spin.Create(kSpinStyle, f.spec.spin, this, f.spec.spinId))
            return false;
        if (font != nullptr)
            f.field.SetFont(font);
        f.spin.SetBuddy(&f.field);
        f.spin.SetRange(f.spec.lowest, f.spec.highest);
        f.spin.SetPos(static_cast<float>(f.start));
    }
    if (!m_name.Create(kNameStyle, kNameRect, this, kNameId))
        return false;
    if (font != nullptr)
        m_name.SetFont(font);

    m_gridWnd.SetSource(m_grid, &m_seatCount, &m_rowCount, &m_columnCount);
    if (m_grid == nullptr || !m_gridWnd.CreateGrid(this, kGridId, kGridRect))
        return false;

    for (const ButtonSpec& b : kButtons) {
        const CSize size = b.wide ? kWideFace : kNarrowFace;
        if (!m_buttons.AddButton(this, b.id, b.x, b.y, b.x + size.cx, b.y + size.cy, 0, nullptr,
                                 CHoverButton::kHoverStyle, b.normal, 0, b.hover, 0))
            return false;
    }
    return true;
}

BOOL CSeatEditDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_MOUSEWHEEL && m_gridWnd.GetSafeHwnd() != nullptr) {
        const POINT at = {static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
        RECT grid;
        m_gridWnd.GetWindowRect(&grid);
        if (::PtInRect(&grid, at)) {
            m_gridWnd.PostMessage(CSeatGridWnd::kWheelMessage, msg->wParam, msg->lParam);
            return TRUE;
        }
    }
    return CSkinDialog::PreTranslateMessage(msg);
}

void CSeatEditDlg::ShowBox(UINT stringId)
{
    // A box opened under a pressed mouse button must get the mouse.
    ::ReleaseCapture();
    kq::ShowWarning(stringId);
}

BOOL CSeatEditDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kNameId && HIWORD(wParam) == EN_CHANGE && m_name.GetSafeHwnd() != nullptr) {
        const kq::TypedSeatName typed = kq::ReadTypedSeatName(m_gridWnd.Names(), TextOf(m_name));
        switch (typed.kind) {
        case kq::TypedSeatName::Kind::BadLetter:
            ShowBox(IDS_SEAT_LETTER_TYPED);
            m_name.SetSel(0, 1);
            m_name.SendMessage(EM_SCROLLCARET);
            return TRUE;
        case kq::TypedSeatName::Kind::BadNumber:
            ShowBox(IDS_SEAT_NUMBER_TYPED);
            m_name.SetSel(1, -1);
            m_name.SendMessage(EM_SCROLLCARET);
            return TRUE;
        case kq::TypedSeatName::Kind::Show:
            m_rowSpin.SetPos(static_cast<float>(typed.cell.row + 1));
            m_columnSpin.SetPos(static_cast<float>(typed.cell.column + 1));
            break;
        case kq::TypedSeatName::Kind::Nothing:
            break;
        }
    }
    return CSkinDialog::OnCommand(wParam, lParam);
}

LRESULT CSeatEditDlg::OnCellClicked(WPARAM wParam, LPARAM lParam)
{
    const UINT id = static_cast<UINT>(lParam);
    m_rowSpin.SetPos(static_cast<float>(CSeatEditCell::RowOfId(id) + 1));
    m_columnSpin.SetPos(static_cast<float>(CSeatEditCell::ColumnOfId(id) + 1));
    m_name.SetWindowText(reinterpret_cast<const char*>(wParam));
    return 0;
}

LRESULT CSeatEditDlg::OnSpinStepped(WPARAM, LPARAM)
{
    return 0; // the fields are read when a button is pressed
}

void CSeatEditDlg::OnFill()
{
    kq::SeatNames names = m_gridWnd.Names();
    const kq::SeatFillResult result = kq::FillSeatNames(names, TextOf(m_seatField), TextOf(m_columnCountField));
    switch (result.kind) {
    case kq::SeatFillResult::Kind::Filled:
        m_gridWnd.ShowNames(names);
        break;
    case kq::SeatFillResult::Kind::TooManySeats:
        ShowBox(IDS_SEAT_TOO_MANY);
        break;
    case kq::SeatFillResult::Kind::TooFewColumns: {
        char text[kBoxTextSize];
        std::snprintf(text, sizeof text, kTooFewColumns, result.columns, result.rows, result.suggestedColumns);
        CWarningDlg box(IDD_MESSAGE_BOX, 269, 4, IDB_WARNING_BACKGROUND, nullptr);
        box.SetMessage(text);
        box.DoModal();
        break;
    }
    case kq::SeatFillResult::Kind::Nothing:
        break;
    }
}

int CSeatEditDlg::FieldOrOne(CNumEdit& field) const
{
    const std::string text = TextOf(field);
    return text.empty() ? 1 : kq::ReadFieldNumber(text);
}

void CSeatEditDlg::EditSeat(kq::SeatEditAction action)
{
    kq::SeatNames names = m_gridWnd.Names();
    kq::SeatCell changed;
    const int result = kq::EditSeatName(names, action, TextOf(m_name), FieldOrOne(m_rowField),
                                        FieldOrOne(m_columnField), m_gridWnd.CurrentCell(), &changed);
    if (result == kq::kSeatEditDone) {
        if (CSeatEditCell* cell = m_gridWnd.CellAt(changed.row, changed.column))
            cell->SetName(names[changed.row][changed.column]);
        return;
    }
    if (action != kq::SeatEditAction::Place)
        return; // rename and clear refuse without a word
    for (const PlaceRefusal& refusal : kPlaceRefusals)
        if (refusal.result == result)
            ShowBox(refusal.text);
}

void CSeatEditDlg::OnPlace() { EditSeat(kq::SeatEditAction::Place); }
void CSeatEditDlg::OnRename() { EditSeat(kq::SeatEditAction::Rename); }
void CSeatEditDlg::OnClear() { EditSeat(kq::SeatEditAction::Clear); }

kq::SeatNameCounts CSeatEditDlg::WriteBack(kq::SeatGrouping grouping)
{
    const kq::SeatNameCounts counts = kq::WriteSeatNames(m_gridWnd.Names(), *m_grid, grouping);
    m_seatCount = counts.seatCount;
    m_rowCount = counts.rowCount;
    m_columnCount = counts.columnCount;
    return counts;
}

void CSeatEditDlg::OnApply()
{
    if (!m_gridWnd.HasCells())
        return;
    WriteBack(kq::SeatGrouping::None);
    if (m_seatMap != nullptr)
        m_seatMap->PostMessage(kApplyMessage, static_cast<WPARAM>(m_seatCount), MAKELONG(m_rowCount, m_columnCount));
}

void CSeatEditDlg::OnOK()
{
    if (!m_gridWnd.HasCells())
        return;
    const kq::SeatNameCounts counts = WriteBack(kq::SeatGrouping::ByColumn);
    m_gridWnd.DestroyCells();
    if (counts.pastSixthColumn)
        ShowBox(IDS_SEAT_GROUPS_BY_COLUMN);
    EndDialog(IDOK);
}

void CSeatEditDlg::OnCancel()
{
    m_gridWnd.DestroyCells();
    EndDialog(IDCANCEL);
}

void CSeatEditDlg::OnDestroy()
{
    m_gridWnd.DestroyCells();
    CSkinDialog::OnDestroy();
}
