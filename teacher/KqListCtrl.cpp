#include "teacher/KqListCtrl.h"

#include "common/ProgramFolder.h"
#include "teacher/IniStore.h"
#include "teacher/InstallFolder.h"

#include <commctrl.h>

#include <cstring>
#include <iterator>

namespace {

constexpr char kIniName[] = "Teacher.ini";
constexpr char kWindowName[] = "KqListCtrl";
constexpr int kIconSize = 32;
constexpr int kImageGrowth = 4;
constexpr UINT kBackgroundTile = 479;
constexpr int kNoIcon = 0;
// Icon resource of each state; state 9 has none and shows an empty image.
constexpr int kStateIcons[CKqListCtrl::kStateCount] = {
    298, 355, 293, 294, 295, 354, 297, 299, 300, kNoIcon, 331, 342, 344, 345, 346,
    347, 348, 349, 350, 332, 333, 334, 335, 336, 337, 338, 339, 340, 341, 343};
constexpr int kFontHeight = 16;
constexpr int kFontWeight = 400;
constexpr BYTE kFontPitchAndFamily = 0x20;
constexpr size_t kNameField = sizeof(kq::StudentLogonRecord::seatName);

} // namespace

BEGIN_MESSAGE_MAP(CKqListCtrl, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_MESSAGE(CKqListCtrl::kWheelMessage, OnWheel)
    ON_MESSAGE(CKqListCtrl::kArrangementMessage, OnArrangement)
    ON_MESSAGE(CSeatItemWnd::kSeatMenuMessage, ShowSeatMenu)
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

CKqListCtrl::CKqListCtrl()
{
    for (MenuItemRecord& item : m_menuItems)
        item = MenuItemRecord{{}, COwnerDrawMenu::kNoIcon, COwnerDrawMenu::kNoIcon};
}

CKqListCtrl::~CKqListCtrl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_font != nullptr)
        ::DeleteObject(m_font);
}

BOOL CKqListCtrl::Create(CWnd* parent, UINT id, const RECT* rect)
{
    std::string folder;
    if (!kq::ReadInstallFolder(folder))
        return FALSE;
    m_iniPath = folder + "\\" + kIniName;
    RECT place{};
    if (rect != nullptr) {
        place = *rect;
    } else {
        CIniStore ini;
        ini.SetPath(m_iniPath);
        if (!ini.ReadFile())
            return FALSE;
        place.left = ini.GetValueInt("ListPos", "x");
        place.top = ini.GetValueInt("ListPos", "y");
        place.right = place.left + ini.GetValueInt("ListPos", "cx");
        place.bottom = place.top + ini.GetValueInt("ListPos", "cy");
    }
    m_layoutWidth = place.right - place.left;
    m_layoutHeight = place.bottom - place.top;
    LPCSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::Create(cls, kWindowName, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL, place,
                        parent, id);
}

int CKqListCtrl::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    m_images = ImageList_Create(kIconSize, kIconSize, ILC_MASK | ILC_COLOR8, kImageGrowth, kImageGrowth);
    ::ShowScrollBar(m_hWnd, SB_BOTH, FALSE);
    LoadSeats(m_iniPath);

    CIniStore ini;
    ini.SetPath(m_iniPath);
    std::string listBmp = ini.ReadFile() ? ini.GetValue("BackBmp", "ListBmp") : std::string();
    if (listBmp.empty() || !SetBackground(listBmp.c_str()))
        m_background = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kBackgroundTile));
    if (m_background == nullptr)
        return -1;

    // Index = state: every state gets an image, an empty one where it has no icon.
    // An all-transparent icon: AND mask set, XOR mask clear.
    BYTE andMask[kIconSize * kIconSize / 8];
    BYTE xorMask[kIconSize * kIconSize / 8];
    std::memset(andMask, 0xFF, sizeof andMask);
    std::memset(xorMask, 0, sizeof xorMask);
    HICON empty = ::CreateIcon(nullptr, kIconSize, kIconSize, 1, 1, andMask, xorMask);
    for (int icon : kStateIcons) {
        HICON h = icon != kNoIcon ? static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(icon),
                                                                      IMAGE_ICON, kIconSize, kIconSize, 0))
                                  : nullptr;
        ImageList_AddIcon(m_images, h != nullptr ? h : empty);
        if (h != nullptr)
            ::DestroyIcon(h);
    }
    if (empty != nullptr)
        ::DestroyIcon(empty);

    m_font = ::CreateFontA(kFontHeight, 0, 0, 0, kFontWeight, 0, 0, 0, 0, 0, 0, 0, kFontPitchAndFamily, "宋体");
    const kq::SeatLayout layout = m_arrangement.ComputeLayout(m_layoutWidth, m_layoutHeight);
    m_extent = RECT{0, 0, layout.extentWidth, layout.extentHeight};
    BuildSeats();
    return 0;
}

void CKqListCtrl::OnDestroy()
{
    FreeSeats();
    if (m_images != nullptr) {
        ImageList_Destroy(m_images);
        m_images = nullptr;
    }
    CWnd::OnDestroy();
}

void CKqListCtrl::FreeSeats()
{
    if (m_background != nullptr) {
        ::DeleteObject(m_background);
        m_background = nullptr;
    }
    DestroySeats();
    if (m_images != nullptr)
        ImageList_RemoveAll(m_images);
}

void CKqListCtrl::DestroySeats()
{
    for (CSeatItemWnd* seat : m_seats)
        delete seat; // its destructor destroys the window
    m_seats.clear();
}

bool CKqListCtrl::LoadSeats(const std::string& iniPath)
{
    m_arrangement.Grid() = kq::SeatGrid{};
    m_arrangement.SetCounts(0, 0, 0);
    m_written.clear();
    CIniStore ini;
    ini.SetPath(iniPath);
    if (!ini.ReadFile())
        return false;
    m_arrangement.Load(ini);
    return true;
}

int CKqListCtrl::SaveSeats(const std::string& iniPath, bool withHeader)
{
    // Each key on its own: the rest of Teacher.ini stays as it is. Every key
    // written rewrites the whole file, so a key this map already wrote there
    // with the same value is not written again: after the first save, a
    // log-on writes its own line, not the whole class.
    const bool own = iniPath == m_iniPath;
    for (const auto& [name, value] : m_arrangement.SaveLines(withHeader)) {
        if (own) {
            const auto written = m_written.find(name);
            if (written != m_written.end() && written->second == value)
                continue;
        }
        if (::WritePrivateProfileStringA(kq::CSeatArrangement::kSection, name.c_str(), value.c_str(),
                                         iniPath.c_str()) && own)
            m_written[name] = value;
    }
    return 1;
}

void CKqListCtrl::BuildSeats()
{
    const kq::SeatLayout layout = m_arrangement.ComputeLayout(m_layoutWidth, m_layoutHeight);
    m_extent.right = m_extent.left + layout.extentWidth;
    m_extent.bottom = m_extent.top + layout.extentHeight;
    for (const kq::SeatPlace& place : m_arrangement.NumberSeats()) {
        const auto [x, y] = kq::CSeatArrangement::CellOrigin(layout, place.row, place.column);
        const RECT rect = {m_extent.left + x, m_extent.top + y, m_extent.left + x + kq::kSeatWidth,
                           m_extent.top + y + kq::kSeatHeight};
        auto* seat = new CSeatItemWnd;
        seat->SetImageList(m_images);
        if (!seat->CreateSeat(m_arrangement.Grid()[place.row][place.column].name,
                              place.number + CSeatItemWnd::kIdBase, this, rect, m_font)) {
            delete seat;
            break;
        }
        m_seats.push_back(seat);
    }
}

void CKqListCtrl::LayoutSeats()
{
    ScrollBy(SB_HORZ, -::GetScrollPos(m_hWnd, SB_HORZ));
    ScrollBy(SB_VERT, -::GetScrollPos(m_hWnd, SB_VERT));
    m_extent.left = m_extent.top = 0;
    DestroySeats();
    const kq::SeatLayout layout = m_arrangement.ComputeLayout(m_layoutWidth, m_layoutHeight);
    m_extent = RECT{0, 0, layout.extentWidth, layout.extentHeight};
    UpdateScrollBars();
    BuildSeats();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
}

LRESULT CKqListCtrl::OnArrangement(WPARAM wParam, LPARAM lParam)
{
    m_arrangement.SetCounts(static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam));
    SaveSeats(m_iniPath, true);
    LayoutSeats();
    return 0;
}

int CKqListCtrl::SetBackground(const char* file)
{
    const std::string path = kq::PathInProgramFolder(file != nullptr ? file : "");
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (bitmap == nullptr)
        return 0;
    if (m_background != nullptr)
        ::DeleteObject(m_background);
    m_background = bitmap;
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 1;
}

std::vector<kq::SeatView> CKqListCtrl::Views() const
{
    std::vector<kq::SeatView> views;
    views.reserve(m_seats.size());
    for (const CSeatItemWnd* seat : m_seats)
        views.push_back({seat->GetSeatNumber(), seat->GetState(), seat->IsSelected() != 0, seat->GetAddress()});
    return views;
}

int CKqListCtrl::GetSelectedSeats(uint16_t* count, uint8_t* list, int explicitList) const
{
    return kq::GetSelectedSeats(Views(), count, list, explicitList);
}

int CKqListCtrl::GetOnlineSeats(uint16_t* count, uint8_t* list) const
{
    return kq::GetOnlineSeats(Views(), count, list);
}

int CKqListCtrl::GetSeatsInState(int state, uint16_t* count, uint8_t* list) const
{
    return kq::GetSeatsInState(Views(), state, count, list);
}

CSeatItemWnd* CKqListCtrl::FindSeatByNumber(int seat) const
{
    for (CSeatItemWnd* s : m_seats)
        if (s->GetSeatNumber() == seat)
            return s;
    return nullptr;
}

CSeatItemWnd* CKqListCtrl::FindSeatByName(const char* name) const
{
    for (CSeatItemWnd* s : m_seats)
        if (CIniStore::EqualNoCase(s->GetName(), name))
            return s;
    return nullptr;
}

int CKqListCtrl::GetSeatNumberByName(const char* name) const
{
    CSeatItemWnd* seat = FindSeatByName(name);
    return seat != nullptr ? seat->GetSeatNumber() : 0;
}

int CKqListCtrl::GetSeatName(int seat, std::string* name) const
{
    CSeatItemWnd* s = FindSeatByNumber(seat);
    if (s == nullptr)
        return 0;
    *name = s->GetName();
    return 1;
}

int CKqListCtrl::GetSeatState(int seat) const
{
    CSeatItemWnd* s = FindSeatByNumber(seat);
    return s != nullptr ? s->GetState() : -1;
}

int CKqListCtrl::GetSeatStateByName(const char* name) const
{
    CSeatItemWnd* s = FindSeatByName(name);
    return s != nullptr ? s->GetState() : -1;
}

int CKqListCtrl::SetSeatState(int seat, int state)
{
    CSeatItemWnd* s = seat > 0 ? FindSeatByNumber(seat) : nullptr;
    if (s == nullptr)
        return kq::kLogonUnknownName;
    if (state < 0)
        s->RestoreState();
    else
        s->SetState(state, 0);
    RepaintSeatArea(s);
    return 0;
}

void CKqListCtrl::RepaintSeatArea(CSeatItemWnd* seat)
{
    RECT area;
    ::GetWindowRect(seat->m_hWnd, &area);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    ::InvalidateRect(m_hWnd, &area, TRUE);
    ::InvalidateRect(seat->m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
    ::UpdateWindow(seat->m_hWnd);
}

void CKqListCtrl::SetSeatCaption(int seat, const char* text)
{
    if (CSeatItemWnd* s = FindSeatByNumber(seat)) {
        s->SetCaption(text);
        RepaintSeatArea(s);
    }
}

void CKqListCtrl::RestoreSeatCaptions()
{
    for (CSeatItemWnd* s : m_seats)
        s->RestoreCaption();
}

int CKqListCtrl::LoginByName(kq::StudentLogonRecord* record, int, int* newly)
{
    *newly = 0;
    // Another PC filled the name in: read within its bytes only.
    const std::string name = kq::BoundedName(record->seatName, kNameField);
    CSeatItemWnd* seat = FindSeatByName(name.c_str());
    kq::SeatView view;
    if (seat != nullptr)
        view = {seat->GetSeatNumber(), seat->GetState(), seat->IsSelected() != 0, seat->GetAddress()};
    switch (kq::DecideLogon(seat != nullptr ? &view : nullptr, record->senderAddress)) {
    case kq::LogonOutcome::UnknownName:
        record->result = kq::kLogonUnknownName;
        return kq::kLogonUnknownName;
    case kq::LogonOutcome::NameTaken:
        record->result = kq::kLogonNameTaken;
        return kq::kLogonNameTaken;
    case kq::LogonOutcome::NewlyOnline:
        *newly = 1;
        seat->SetState(1, record->senderAddress);
        record->result = seat->GetSeatNumber();
        RepaintSeatArea(seat);
        if (m_arrangement.RecordAdapter(name, record->adapterAddress))
            SaveSeats(m_iniPath, false);
        return seat->GetSeatNumber();
    case kq::LogonOutcome::AlreadyOnline:
        break;
    }
    record->result = seat->GetSeatNumber();
    SetSeatState(seat->GetSeatNumber(), kq::kSeatLoggedOn);
    return seat->GetSeatNumber();
}

void CKqListCtrl::SelectOnly(int seat)
{
    for (CSeatItemWnd* s : m_seats) {
        if (seat != 0 && s->GetSeatNumber() == seat)
            s->SetSelected(1, TRUE);
        else if (s->IsSelected())
            s->SetSelected(0, TRUE);
    }
    if (seat == 0)
        PostToParent(kSelectionClearedMessage, 0);
}

void CKqListCtrl::ToggleSeat(int seat)
{
    if (CSeatItemWnd* s = FindSeatByNumber(seat))
        s->SetSelected(!s->IsSelected(), TRUE);
}

void CKqListCtrl::PostToParent(UINT message, WPARAM wParam)
{
    if (HWND parent = ::GetParent(m_hWnd))
        ::PostMessageA(parent, message, wParam, 0);
}

BOOL CKqListCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    constexpr int kLastSeatId = 229;
    if (code == CSeatItemWnd::kClickCode && id >= 1 && id <= kLastSeatId) {
        if (::GetKeyState(VK_CONTROL) < 0)
            ToggleSeat(id);
        else
            SelectOnly(id);
        return TRUE;
    }
    if (code == 0) {
        if (HWND parent = ::GetParent(m_hWnd))
            ::PostMessageA(parent, WM_COMMAND, wParam, lParam);
    }
    return CWnd::OnCommand(wParam, lParam);
}
