// Standard controls over the system's classes, owner drawing reflected from
// the parent, bitmap buttons, and the window device contexts.

#include "framework/BitmapButton.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/DC.h"
#include "framework/Edit.h"
#include "framework/ListBox.h"
#include "framework/MessagePump.h"
#include "framework/Static.h"
#include "framework/tests/gdi_res/GdiTestResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kUpGreen = RGB(0, 128, 0);
constexpr COLORREF kDownBlue = RGB(0, 0, 255);
constexpr COLORREF kFocusYellow = RGB(255, 255, 0);
constexpr COLORREF kDisabledGrey = RGB(128, 128, 128);
constexpr int kFaceWidth = 20;
constexpr int kFaceHeight = 12;

constexpr UINT kButtonId = 101;
constexpr UINT kListId = 102;

// A top-level window that counts the clicks of button kButtonId.
class ParentWnd : public CWnd {
public:
    ParentWnd()
    {
        // Hidden: a shown top-level window costs seconds to take down under
        // an X server without a window manager.
        CreateEx(0, AfxRegisterWndClass(0), "controls", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 320, 240, nullptr,
                 nullptr);
    }
    ~ParentWnd() override { DestroyWindow(); }

    int clicks = 0;

protected:
    afx_msg void OnButtonClicked() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ParentWnd, CWnd)
    ON_BN_CLICKED(kButtonId, OnButtonClicked)
END_MESSAGE_MAP()

RECT Rect(int left, int top, int right, int bottom)
{
    return RECT{left, top, right, bottom};
}

// Owner-draw request for `control` into `dc`, as its parent receives it.
DRAWITEMSTRUCT DrawRequest(CWnd& control, HDC dc, UINT state)
{
    DRAWITEMSTRUCT request = {};
    request.CtlType = ODT_BUTTON;
    request.CtlID = static_cast<UINT>(control.GetDlgCtrlID());
    request.itemAction = ODA_DRAWENTIRE;
    request.itemState = state;
    request.hwndItem = control.m_hWnd;
    request.hDC = dc;
    request.rcItem = Rect(0, 0, kFaceWidth, kFaceHeight);
    return request;
}

// A white memory canvas for owner drawing.
class Canvas {
public:
    Canvas()
    {
        CClientDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        m_bitmap.CreateCompatibleBitmap(&screen, kFaceWidth, kFaceHeight);
        m_previous = dc.SelectObject(&m_bitmap);
        dc.FillSolidRect(0, 0, kFaceWidth, kFaceHeight, kWhite);
    }
    ~Canvas() { dc.SelectObject(m_previous); }
    CDC dc;

private:
    CBitmap m_bitmap;
    CBitmap* m_previous;
};

TEST(Button, ChecksStatesAndStyles)
{
    ParentWnd parent;
    CButton check;
    ASSERT_TRUE(check.Create("check", BS_AUTO3STATE | WS_VISIBLE, Rect(0, 0, 80, 20), &parent, kButtonId));
    EXPECT_TRUE(check.GetStyle() & WS_CHILD);
    EXPECT_EQ(check.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_AUTO3STATE));

    for (int value : {BST_CHECKED, BST_UNCHECKED, BST_INDETERMINATE}) {
        check.SetCheck(value);
        EXPECT_EQ(check.GetCheck(), value);
    }
    check.SetCheck(BST_CHECKED);
    check.SetState(TRUE);
    EXPECT_EQ(check.GetState() & (BST_PUSHED | BST_CHECKED), static_cast<UINT>(BST_PUSHED | BST_CHECKED));
    check.SetState(FALSE);
    EXPECT_EQ(check.GetState() & BST_PUSHED, 0u);

    check.SetCheck(BST_UNCHECKED);
    check.Click();
    EXPECT_EQ(parent.clicks, 1) << "the parent's map heard the click";
    EXPECT_EQ(check.GetCheck(), BST_CHECKED) << "an automatic check box moves on with a click";

    check.SetButtonStyle(BS_PUSHBUTTON);
    EXPECT_EQ(check.GetButtonStyle() & BS_TYPEMASK, static_cast<UINT>(BS_PUSHBUTTON));

    CBitmap face;
    ASSERT_TRUE(face.LoadBitmap(IDB_TEST_UP));
    CButton picture;
    ASSERT_TRUE(picture.Create(nullptr, BS_BITMAP | WS_VISIBLE, Rect(0, 30, 40, 50), &parent, kButtonId + 1));
    EXPECT_EQ(picture.SetBitmap(face), nullptr);
    EXPECT_EQ(picture.GetBitmap(), static_cast<HBITMAP>(face));
}

// Faces: up green, down blue, focused yellow, disabled grey.
struct FaceCase {
    const char* name;
    UINT state;
    COLORREF allFaces;
    COLORREF upOnly;
};

const FaceCase kFaceCases[] = {
    {"released", 0, kUpGreen, kUpGreen},
    {"pressed", ODS_SELECTED, kDownBlue, kUpGreen},
    {"focused", ODS_FOCUS, kFocusYellow, kUpGreen},
    {"pressed with focus", ODS_SELECTED | ODS_FOCUS, kDownBlue, kUpGreen},
    {"disabled", ODS_DISABLED, kDisabledGrey, kUpGreen},
};

TEST(BitmapButton, DrawsTheFaceOfItsStateThroughItsParent)
{
    ParentWnd parent;
    CBitmapButton full;
    CBitmapButton upOnly;
    ASSERT_TRUE(full.Create(nullptr, BS_OWNERDRAW | WS_VISIBLE, Rect(0, 0, 60, 40), &parent, kButtonId));
    ASSERT_TRUE(upOnly.Create(nullptr, BS_OWNERDRAW | WS_VISIBLE, Rect(0, 50, 60, 90), &parent, kButtonId + 1));
    ASSERT_TRUE(full.LoadBitmaps(IDB_TEST_UP, IDB_TEST_DOWN, IDB_TEST_FOCUS, IDB_TEST_DISABLED));
    ASSERT_TRUE(upOnly.LoadBitmaps(IDB_TEST_UP));

    for (const FaceCase& c : kFaceCases) {
        SCOPED_TRACE(c.name);
        for (CBitmapButton* button : {&full, &upOnly}) {
            Canvas canvas;
            DRAWITEMSTRUCT request = DrawRequest(*button, canvas.dc, c.state);
            parent.SendMessage(WM_DRAWITEM, request.CtlID, reinterpret_cast<LPARAM>(&request));
            EXPECT_EQ(canvas.dc.GetPixel(kFaceWidth - 1, kFaceHeight - 1), button == &full ? c.allFaces : c.upOnly);
        }
    }

    // The system's own paint request takes the same road.
    Canvas painted;
    full.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(painted.dc.m_hDC), PRF_CLIENT);
    EXPECT_EQ(painted.dc.GetPixel(5, 5), kUpGreen);

    full.SizeToContent();
    CRect window;
    full.GetWindowRect(&window);
    EXPECT_EQ(window.Width(), kFaceWidth);
    EXPECT_EQ(window.Height(), kFaceHeight);
}

TEST(BitmapButton, ReportsMissingFacesAndDrawsNothingWithoutAnUpFace)
{
    ParentWnd parent;
    CBitmapButton button;
    ASSERT_TRUE(button.Create(nullptr, BS_OWNERDRAW | WS_VISIBLE, Rect(0, 0, 60, 40), &parent, kButtonId));

    EXPECT_FALSE(button.LoadBitmaps(IDB_TEST_UP, IDB_TEST_MISSING)) << "a face asked for is missing";
    Canvas drawn;
    DRAWITEMSTRUCT request = DrawRequest(button, drawn.dc, ODS_SELECTED);
    button.DrawItem(&request);
    EXPECT_EQ(drawn.dc.GetPixel(1, 1), kUpGreen) << "the faces that loaded are kept";

    EXPECT_FALSE(button.LoadBitmaps(IDB_TEST_MISSING));
    EXPECT_FALSE(button.LoadBitmaps(0u));
    Canvas blank;
    request = DrawRequest(button, blank.dc, 0);
    button.DrawItem(&request);
    EXPECT_EQ(blank.dc.GetPixel(1, 1), kWhite);
}

TEST(BitmapButton, AutoLoadFindsTheFacesByCaption)
{
    ParentWnd parent;
    const struct {
        const char* caption;
        bool loads;
    } cases[] = {{"PLAY", true}, {"NOPE", false}};
    UINT id = kButtonId;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        ++id;
        ASSERT_NE(::CreateWindowExA(0, "BUTTON", c.caption, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 50, 50,
                                    parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
                                    nullptr),
                  nullptr);
        CBitmapButton button;
        EXPECT_EQ(bool(button.AutoLoad(id, &parent)), c.loads);
        if (!c.loads)
            continue;
        EXPECT_EQ(CWnd::FromHandlePermanent(button.m_hWnd), &button);
        CRect window;
        button.GetWindowRect(&window);
        EXPECT_EQ(window.Size(), CSize(kFaceWidth, kFaceHeight));

        Canvas canvas;
        DRAWITEMSTRUCT request = DrawRequest(button, canvas.dc, ODS_DISABLED);
        parent.SendMessage(WM_DRAWITEM, id, reinterpret_cast<LPARAM>(&request));
        EXPECT_EQ(canvas.dc.GetPixel(3, 3), kDisabledGrey);
    }
}

TEST(Static, ShowsTextOrAnImage)
{
    ParentWnd parent;
    CStatic label;
    ASSERT_TRUE(label.Create("晨星", SS_CENTER | WS_VISIBLE, Rect(0, 0, 80, 20), &parent));
    EXPECT_EQ(label.GetDlgCtrlID(), 0xFFFF);
    CString text;
    label.GetWindowText(text);
    EXPECT_STREQ(text, "晨星");

    CBitmap face;
    ASSERT_TRUE(face.LoadBitmap(IDB_TEST_RED));
    CStatic picture;
    ASSERT_TRUE(picture.Create(nullptr, SS_BITMAP | WS_VISIBLE, Rect(0, 30, 10, 40), &parent, 7));
    EXPECT_EQ(picture.SetBitmap(face), nullptr);
    EXPECT_EQ(picture.GetBitmap(), static_cast<HBITMAP>(face));

    CStatic symbol;
    ASSERT_TRUE(symbol.Create(nullptr, SS_ICON | WS_VISIBLE, Rect(0, 50, 32, 82), &parent, 8));
    HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    symbol.SetIcon(icon);
    EXPECT_EQ(symbol.GetIcon(), icon);
}

TEST(Edit, ReadsLinesWithinTheCallersBuffer)
{
    ParentWnd parent;
    CEdit edit;
    ASSERT_TRUE(edit.Create(ES_MULTILINE | WS_VISIBLE, Rect(0, 0, 200, 100), &parent, 5));
    edit.SetWindowText("one\r\ntwo\r\n晨星");
    EXPECT_EQ(edit.GetLineCount(), 3);

    const struct {
        int line;
        int size;
        std::string expected;
        bool terminated;
    } cases[] = {
        {1, 16, "two", true},
        {2, 16, "晨星", true},
        {0, 3, "one", false},
        {0, 2, "on", false},
        {0, 1, "o", false},
        {9, 16, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "line " << c.line << ", buffer " << c.size);
        std::vector<char> buffer(c.size + 4, '#');
        const int copied = edit.GetLine(c.line, buffer.data(), c.size);
        EXPECT_EQ(copied, static_cast<int>(c.expected.size()));
        EXPECT_EQ(std::string(buffer.data(), copied), c.expected);
        EXPECT_EQ(buffer[c.size], '#') << "nothing written past the buffer";
        if (c.terminated) {
            EXPECT_EQ(buffer[copied], '\0');
        }
    }
    EXPECT_EQ(edit.GetLine(0, nullptr, 8), 0);
}

TEST(Edit, TakesTypedDoubleByteCharactersWhole)
{
    ParentWnd parent;
    CEdit edit;
    ASSERT_TRUE(edit.Create(ES_AUTOHSCROLL | WS_VISIBLE, Rect(0, 0, 200, 20), &parent, 5));
    // As typed: the wide characters read from the queue reach the ANSI
    // window as byte pairs.
    for (WCHAR typed : {L'L', L'\x674E', L'\x660E'})
        ::PostMessageW(edit.m_hWnd, WM_CHAR, typed, 1);
    MSG msg;
    while (AfxPeekMessage(&msg, edit.m_hWnd, WM_CHAR, WM_CHAR, PM_REMOVE))
        AfxDispatchMessage(&msg);
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString("L李明"));

    // Sent byte by byte; a pair that is no character is dropped.
    for (BYTE byte : {0xC8, 0xFD, 0x81, 0x20})
        edit.SendMessage(WM_CHAR, byte, 1);
    edit.GetWindowText(text);
    EXPECT_EQ(text, CString("L李明三"));
}

TEST(Edit, EditsTheSelectionAndKeepsItsLimits)
{
    ParentWnd parent;
    CEdit edit;
    ASSERT_TRUE(edit.Create(ES_AUTOHSCROLL | WS_VISIBLE, Rect(0, 0, 200, 20), &parent, 5));
    edit.SetWindowText("abcdef");

    edit.SetSel(1, 3);
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);
    EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(1, 3)));

    edit.ReplaceSel("XY", TRUE);
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "aXYdef");
    EXPECT_TRUE(edit.CanUndo());
    EXPECT_TRUE(edit.Undo());
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "abcdef");

    edit.SetSel(0, 1);
    edit.Clear();
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "bcdef");

    edit.SetLimitText(6);
    EXPECT_EQ(edit.GetLimitText(), 6u);
    const int length = edit.GetWindowTextLength();
    edit.SetSel(length, length);
    edit.ReplaceSel("123456");
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "bcdef1") << "typing stops at the limit";

    EXPECT_TRUE(edit.SetReadOnly());
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    edit.SetModify(FALSE);
    EXPECT_FALSE(edit.GetModify());
}

TEST(ListBox, KeepsItemsTextsDataAndSelection)
{
    ParentWnd parent;
    CListBox list;
    ASSERT_TRUE(list.Create(LBS_NOTIFY | WS_VISIBLE | WS_VSCROLL, Rect(0, 0, 120, 60), &parent, kListId));

    EXPECT_EQ(list.AddString("beta"), 0);
    EXPECT_EQ(list.AddString("晨星"), 1);
    EXPECT_EQ(list.InsertString(0, "alpha"), 0);
    EXPECT_EQ(list.AddString("alphabet"), 3);
    EXPECT_EQ(list.GetCount(), 4);

    const struct {
        int index;
        const char* text;
    } texts[] = {{0, "alpha"}, {1, "beta"}, {2, "晨星"}, {3, "alphabet"}, {4, ""}, {-1, ""}};
    for (const auto& t : texts) {
        SCOPED_TRACE(t.index);
        CString text("stale");
        list.GetText(t.index, text);
        EXPECT_STREQ(text, t.text);
    }
    EXPECT_EQ(list.GetTextLen(2), 4) << "two double-byte characters";
    EXPECT_EQ(list.GetTextLen(9), LB_ERR);

    EXPECT_EQ(list.FindString(-1, "alp"), 0);
    EXPECT_EQ(list.FindString(0, "alp"), 3) << "the search starts after the given item";
    EXPECT_EQ(list.FindStringExact(-1, "ALPHABET"), 3) << "exact but without regard to case";
    EXPECT_EQ(list.FindStringExact(-1, "alp"), LB_ERR);

    int payload = 42;
    EXPECT_NE(list.SetItemData(1, 0xBEEF), LB_ERR);
    EXPECT_NE(list.SetItemDataPtr(2, &payload), LB_ERR);
    EXPECT_EQ(list.GetItemData(1), 0xBEEFu);
    EXPECT_EQ(list.GetItemDataPtr(2), &payload);

    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.SelectString(-1, "晨"), 2);
    EXPECT_EQ(list.GetCurSel(), 2);

    for (int i = 0; i < 20; ++i)
        list.AddString("more");
    EXPECT_NE(list.SetTopIndex(10), LB_ERR);
    EXPECT_EQ(list.GetTopIndex(), 10);

    EXPECT_EQ(list.DeleteString(0), 23) << "the items left";
    EXPECT_EQ(list.DeleteString(99), LB_ERR);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(ListBox, SelectsSeveralItemsInAMultipleSelectionList)
{
    ParentWnd parent;
    CListBox list;
    ASSERT_TRUE(list.Create(LBS_EXTENDEDSEL | WS_VISIBLE, Rect(0, 0, 120, 100), &parent, kListId));
    for (const char* text : {"a", "b", "c", "d"})
        list.AddString(text);
    list.SetSel(1);
    list.SetSel(3);
    list.SetSel(0, FALSE);
    EXPECT_EQ(list.GetSelCount(), 2);
    EXPECT_GT(list.GetSel(3), 0);
    EXPECT_EQ(list.GetSel(0), 0);
    int chosen[4] = {-1, -1, -1, -1};
    EXPECT_EQ(list.GetSelItems(4, chosen), 2);
    EXPECT_EQ(chosen[0], 1);
    EXPECT_EQ(chosen[1], 3);
    EXPECT_EQ(list.GetSelItems(1, chosen), 1) << "no more than the caller has room for";

    EXPECT_NE(list.SetItemHeight(0, 25), LB_ERR);
    EXPECT_EQ(list.GetItemHeight(0), 25);
}

// An owner-drawn list without strings of its own: rows 30 pixels high,
// sorted by their item data.
class NumberList : public CListBox {
public:
    static constexpr UINT kRowHeight = 30;
    void MeasureItem(LPMEASUREITEMSTRUCT measure) override { measure->itemHeight = kRowHeight; }
    int CompareItem(LPCOMPAREITEMSTRUCT compare) override
    {
        ++comparisons;
        return compare->itemData1 < compare->itemData2 ? -1 : compare->itemData1 > compare->itemData2 ? 1 : 0;
    }
    void DrawItem(LPDRAWITEMSTRUCT) override {}
    int comparisons = 0;
};

TEST(ListBox, OwnerDrawnListsAreMeasuredAndSortedByTheListItself)
{
    ParentWnd parent;
    NumberList list;
    ASSERT_TRUE(list.Create(LBS_OWNERDRAWFIXED | LBS_SORT | WS_VISIBLE, Rect(0, 0, 120, 100), &parent, kListId));
    EXPECT_EQ(list.GetItemHeight(0), static_cast<int>(NumberList::kRowHeight));

    for (DWORD_PTR value : {30, 10, 20})
        list.AddString(reinterpret_cast<LPCSTR>(value));
    EXPECT_GT(list.comparisons, 0);
    EXPECT_EQ(list.GetItemData(0), 10u);
    EXPECT_EQ(list.GetItemData(1), 20u);
    EXPECT_EQ(list.GetItemData(2), 30u);

}

TEST(ComboBox, ListsItemsAndEditsItsField)
{
    ParentWnd parent;
    CComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWN | WS_VISIBLE | WS_VSCROLL, Rect(10, 10, 150, 150), &parent, 9));

    for (const char* text : {"first", "second", "晨星"})
        combo.AddString(text);
    EXPECT_EQ(combo.InsertString(0, "zero"), 0);
    EXPECT_EQ(combo.GetCount(), 4);

    CString text("stale");
    combo.GetLBText(3, text);
    EXPECT_STREQ(text, "晨星");
    EXPECT_EQ(combo.GetLBTextLen(3), 4);
    combo.GetLBText(7, text);
    EXPECT_TRUE(text.IsEmpty());

    EXPECT_EQ(combo.FindString(-1, "sec"), 2);
    EXPECT_EQ(combo.FindStringExact(-1, "FIRST"), 1);
    EXPECT_EQ(combo.FindStringExact(-1, "fir"), CB_ERR);
    EXPECT_NE(combo.SetItemData(2, 7), CB_ERR);
    EXPECT_EQ(combo.GetItemData(2), 7u);

    EXPECT_EQ(combo.SetCurSel(2), 2);
    combo.GetWindowText(text);
    EXPECT_STREQ(text, "second") << "the field shows the chosen item";
    EXPECT_EQ(combo.SelectString(-1, "晨"), 3);
    EXPECT_EQ(combo.GetCurSel(), 3);

    combo.SetWindowText("abcdef");
    EXPECT_TRUE(combo.SetEditSel(2, 4));
    EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELONG(2, 4)));
    combo.LimitText(3);
    HWND field = ::GetWindow(combo.m_hWnd, GW_CHILD);
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(::SendMessageA(field, EM_GETLIMITTEXT, 0, 0), 3);

    combo.ShowDropDown();
    EXPECT_TRUE(combo.GetDroppedState());
    combo.ShowDropDown(FALSE);
    EXPECT_FALSE(combo.GetDroppedState());

    EXPECT_EQ(combo.DeleteString(0), 3);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

// Paints itself red through a CPaintDC and notes what the paint saw.
class PaintedWnd : public CWnd {
public:
    PaintedWnd()
    {
        // Shown, so that it is really painted (taking it down costs Wine a
        // couple of seconds without a window manager).
        CreateEx(0, AfxRegisterWndClass(0), "painted", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr);
    }
    ~PaintedWnd() override { DestroyWindow(); }

    int paints = 0;
    RECT paintRect = {};
    bool hadContext = false;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        hadContext = dc.GetSafeHdc() != nullptr;
        paintRect = dc.m_ps.rcPaint;
        dc.FillSolidRect(&dc.m_ps.rcPaint, kRed);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintedWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(WindowDC, PaintClientAndWholeWindowContexts)
{
    PaintedWnd window;
    ASSERT_NE(window.m_hWnd, nullptr);
    window.UpdateWindow();
    window.paints = 0;

    const RECT dirty = {5, 5, 15, 15};
    window.InvalidateRect(&dirty, FALSE);
    window.UpdateWindow();
    EXPECT_EQ(window.paints, 1);
    EXPECT_TRUE(window.hadContext);
    EXPECT_TRUE(::EqualRect(&window.paintRect, &dirty));
    EXPECT_FALSE(::GetUpdateRect(window.m_hWnd, nullptr, FALSE)) << "the paint context validated the window";

    {
        CClientDC client(&window);
        EXPECT_EQ(::WindowFromDC(client), window.m_hWnd);
        EXPECT_EQ(client.GetWindow(), &window);
        RECT box = {};
        client.GetClipBox(&box);
        EXPECT_EQ(box.right - box.left, 40);
    }
    {
        CWindowDC whole(&window);
        EXPECT_EQ(::WindowFromDC(whole), window.m_hWnd);
    }
    CClientDC screen(nullptr);
    EXPECT_EQ(screen.GetDeviceCaps(HORZRES), ::GetSystemMetrics(SM_CXSCREEN));
}

} // namespace
