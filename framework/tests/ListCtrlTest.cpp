// The list view: report view with columns, texts, data and selection; the
// parent's map hearing clicks, keys and changes, a derived list hearing its
// own; in-place label editing; icon view with an image list.

#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr UINT kListId = 301;
constexpr int kIconSize = 32;

RECT Rect(int left, int top, int right, int bottom)
{
    return RECT{left, top, right, bottom};
}

// What the parent heard from its list, one line per notification.
class ListParent : public CWnd {
public:
    // Hidden unless a test needs the focus: a shown top-level window costs
    // seconds to take down under an X server without a window manager.
    explicit ListParent(bool shown = false)
    {
        CreateEx(0, AfxRegisterWndClass(0), "list parent", WS_POPUP | (shown ? WS_VISIBLE : 0), 0, 0, 400, 300,
                 nullptr, nullptr);
    }
    ~ListParent() override { DestroyWindow(); }

    std::vector<std::string> heard;
    bool refuseEdit = false;
    std::string editedText;
    bool editCancelled = false;

protected:
    DECLARE_MESSAGE_MAP()

    afx_msg void OnClick(NMHDR* header, LRESULT*)
    {
        heard.push_back("click " + std::to_string(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem));
    }
    afx_msg void OnDoubleClick(NMHDR* header, LRESULT*)
    {
        heard.push_back("double " + std::to_string(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem));
    }
    afx_msg void OnItemChanged(NMHDR* header, LRESULT*)
    {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)
            heard.push_back((change->uNewState & LVIS_SELECTED ? "selected " : "deselected ") +
                            std::to_string(change->iItem));
    }
    afx_msg void OnKeyDown(NMHDR* header, LRESULT*)
    {
        heard.push_back("key " + std::to_string(reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey));
    }
    afx_msg void OnBeginEdit(NMHDR*, LRESULT* result)
    {
        heard.push_back("begin edit");
        *result = refuseEdit;
    }
    afx_msg void OnEndEdit(NMHDR* header, LRESULT* result)
    {
        const LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
        editCancelled = item.pszText == nullptr;
        editedText = editCancelled ? "" : item.pszText;
        // Only a non-empty name is kept.
        *result = !editedText.empty();
    }
};

BEGIN_MESSAGE_MAP(ListParent, CWnd)
    ON_NOTIFY(NM_CLICK, kListId, OnClick)
    ON_NOTIFY(NM_DBLCLK, kListId, OnDoubleClick)
    ON_NOTIFY(LVN_ITEMCHANGED, kListId, OnItemChanged)
    ON_NOTIFY(LVN_KEYDOWN, kListId, OnKeyDown)
    ON_NOTIFY(LVN_BEGINLABELEDIT, kListId, OnBeginEdit)
    ON_NOTIFY(LVN_ENDLABELEDIT, kListId, OnEndEdit)
END_MESSAGE_MAP()

// A list that hears its own selection changes.
class SelfWatchingList : public CListCtrl {
public:
    int changes = 0;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnItemChanged(NMHDR*, LRESULT*) { ++changes; }
};

BEGIN_MESSAGE_MAP(SelfWatchingList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, OnItemChanged)
END_MESSAGE_MAP()

std::vector<int> SelectedItems(const CListCtrl& list)
{
    std::vector<int> items;
    for (POSITION at = list.GetFirstSelectedItemPosition(); at != nullptr;)
        items.push_back(list.GetNextSelectedItem(at));
    return items;
}

TEST(ListCtrl, ReportViewKeepsColumnsTextsAndData)
{
    ListParent parent;
    CListCtrl list;
    ASSERT_TRUE(list.Create(LVS_REPORT | WS_VISIBLE, Rect(0, 0, 380, 280), &parent, kListId));
    EXPECT_EQ(CWnd::FromHandlePermanent(list.m_hWnd), &list);

    EXPECT_EQ(list.InsertColumn(0, "网站名称", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.InsertColumn(1, "地址", LVCFMT_LEFT, 200), 1);
    EXPECT_EQ(list.GetColumnWidth(1), 200);
    EXPECT_TRUE(list.SetColumnWidth(1, 150));
    EXPECT_EQ(list.GetColumnWidth(1), 150);

    const DWORD before = list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    EXPECT_EQ(before & LVS_EX_FULLROWSELECT, 0u);
    EXPECT_EQ(list.GetExtendedStyle() & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
              static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));

    const std::string longAddress = "http://" + std::string(600, 'x') + ".cn/";
    const struct {
        const char* name;
        std::string address;
        DWORD_PTR data;
    } rows[] = {
        {"晨星", "http://kq.cn/", 7},
        {"表\\格", longAddress, 0xBEEF}, // 0x5C as a trail byte
        {"", "", 0},
    };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.InsertItem(i, rows[i].name), i);
        EXPECT_TRUE(list.SetItemText(i, 1, rows[i].address.c_str()));
        EXPECT_TRUE(list.SetItemData(i, rows[i].data));
    }
    ASSERT_EQ(list.GetItemCount(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_STREQ(list.GetItemText(i, 0), rows[i].name);
        EXPECT_EQ(std::string(list.GetItemText(i, 1).GetString()), rows[i].address) << "any length";
        EXPECT_EQ(list.GetItemData(i), rows[i].data);
    }
    char small[4] = {'?', '?', '?', '?'};
    EXPECT_EQ(list.GetItemText(0, 1, small, sizeof small), 3) << "cut to the caller's buffer";
    EXPECT_STREQ(small, "htt");
    EXPECT_EQ(list.GetItemText(0, 0, small, sizeof small), 2) << "never half a character";
    EXPECT_STREQ(small, "晨");
    EXPECT_STREQ(list.GetItemText(3, 0), "") << "no such item";

    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = "表\\格";
    EXPECT_EQ(list.FindItem(&find), 1);
    EXPECT_TRUE(list.EnsureVisible(2, FALSE));

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_STREQ(list.GetItemText(0, 0), "表\\格") << "the next item moved up";
    EXPECT_EQ(list.GetItemData(0), 0xBEEFu);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST(ListCtrl, SelectionIsSetWalkedAndHeardByTheParentOrTheListItself)
{
    ListParent parent;
    CListCtrl plain;
    SelfWatchingList watching;
    ASSERT_TRUE(plain.Create(LVS_REPORT | LVS_SHOWSELALWAYS | WS_VISIBLE, Rect(0, 0, 380, 140), &parent, kListId));
    ASSERT_TRUE(watching.Create(LVS_REPORT | WS_VISIBLE, Rect(0, 150, 380, 290), &parent, kListId + 1));
    for (CListCtrl* list : {static_cast<CListCtrl*>(&plain), static_cast<CListCtrl*>(&watching)}) {
        list->InsertColumn(0, "名称", LVCFMT_LEFT, 100);
        for (int i = 0; i < 4; ++i)
            list->InsertItem(i, ("项" + std::to_string(i)).c_str());
    }

    EXPECT_TRUE(plain.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_TRUE(plain.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(plain.GetSelectedCount(), 2u);
    EXPECT_EQ(SelectedItems(plain), (std::vector<int>{0, 2}));
    EXPECT_EQ(plain.GetItemState(0, LVIS_FOCUSED | LVIS_SELECTED), static_cast<UINT>(LVIS_FOCUSED | LVIS_SELECTED));
    EXPECT_EQ(plain.GetItemState(1, LVIS_SELECTED), 0u);
    EXPECT_EQ(plain.GetNextItem(-1, LVNI_FOCUSED), 0);
    EXPECT_EQ(plain.GetNextItem(0, LVNI_SELECTED), 2);
    EXPECT_EQ(parent.heard, (std::vector<std::string>{"selected 0", "selected 2"}));

    EXPECT_TRUE(plain.SetItemState(-1, 0, LVIS_SELECTED));
    EXPECT_TRUE(SelectedItems(plain).empty());
    EXPECT_EQ(plain.GetFirstSelectedItemPosition(), nullptr);

    parent.heard.clear();
    watching.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(watching.changes, 1);
    EXPECT_TRUE(parent.heard.empty()) << "a reflected notification stays with the list";
}

TEST(ListCtrl, ClicksDoubleClicksAndKeysReachTheParent)
{
    ListParent parent;
    CListCtrl list;
    ASSERT_TRUE(list.Create(LVS_REPORT | LVS_SINGLESEL | WS_VISIBLE, Rect(0, 0, 380, 280), &parent, kListId));
    list.InsertColumn(0, "名称", LVCFMT_LEFT, 200);
    for (int i = 0; i < 3; ++i)
        list.InsertItem(i, "项");

    CRect second;
    ASSERT_TRUE(list.GetItemRect(1, &second, LVIR_LABEL));
    const CPoint middle = second.CenterPoint();
    EXPECT_EQ(list.HitTest(middle), 1);
    EXPECT_EQ(list.HitTest(CPoint(5, 270)), -1) << "below the items";

    const LPARAM at = MAKELPARAM(middle.x, middle.y);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    list.SendMessage(WM_LBUTTONUP, 0, at);
    kqtest::PumpPending();
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    list.SendMessage(WM_LBUTTONUP, 0, at);
    list.SendMessage(WM_KEYDOWN, VK_DELETE, 1);
    kqtest::PumpPending();

    auto heardOnce = [&](const std::string& line) {
        return std::count(parent.heard.begin(), parent.heard.end(), line) >= 1;
    };
    EXPECT_TRUE(heardOnce("selected 1"));
    EXPECT_TRUE(heardOnce("click 1"));
    EXPECT_TRUE(heardOnce("double 1"));
    EXPECT_TRUE(heardOnce("key " + std::to_string(VK_DELETE)));
    EXPECT_EQ(SelectedItems(list), std::vector<int>{1});
}

TEST(ListCtrl, LabelsAreEditedInPlaceAndKeptWhenTheParentAgrees)
{
    ListParent parent(true); // the list needs the focus to edit
    CListCtrl list;
    ASSERT_TRUE(list.Create(LVS_REPORT | LVS_EDITLABELS | WS_VISIBLE, Rect(0, 0, 380, 280), &parent, kListId));
    list.InsertColumn(0, "名称", LVCFMT_LEFT, 200);
    list.InsertItem(0, "旧名字");
    list.SetFocus();

    struct Case {
        const char* name;
        const char* typed; // the edit's text; null: the edit is cancelled with Esc
        const char* label; // the label afterwards
    };
    const Case cases[] = {
        {"a Chinese name is kept byte for byte", "新网站", "新网站"},
        {"an empty name is refused", "", "新网站"},
        {"Esc cancels", nullptr, "新网站"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CEdit* edit = list.EditLabel(0);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(list.GetEditControl(), edit);
        CString shown;
        edit->GetWindowText(shown);
        EXPECT_STREQ(shown, list.GetItemText(0, 0)) << "the edit starts with the label";
        if (c.typed != nullptr) {
            // The text as the user left it in the field (CP936 bytes).
            edit->SetWindowText(c.typed);
            edit->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
        } else {
            edit->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        }
        kqtest::PumpPending();
        EXPECT_EQ(list.GetEditControl(), nullptr) << "the edit ended";
        if (c.typed == nullptr) {
            EXPECT_TRUE(parent.editCancelled);
        } else if (*c.typed != '\0') {
            EXPECT_FALSE(parent.editCancelled);
            EXPECT_EQ(parent.editedText, c.typed);
        }
        EXPECT_STREQ(list.GetItemText(0, 0), c.label);
    }

    parent.refuseEdit = true;
    EXPECT_EQ(list.EditLabel(0), nullptr) << "the parent refused to begin";
    EXPECT_EQ(std::count(parent.heard.begin(), parent.heard.end(), "begin edit"), 4);
}

TEST(ListCtrl, IconViewShowsTheImagesOfItsImageList)
{
    ListParent parent;
    CListCtrl list;
    ASSERT_TRUE(list.Create(LVS_ICON | LVS_AUTOARRANGE | WS_VISIBLE, Rect(0, 0, 380, 280), &parent, kListId));
    CImageList icons;
    CImageList others;
    ASSERT_TRUE(icons.Create(kIconSize, kIconSize, ILC_COLOR24 | ILC_MASK, 2, 2));
    ASSERT_TRUE(others.Create(kIconSize, kIconSize, ILC_COLOR24 | ILC_MASK, 1, 1));
    HICON application = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(icons.Add(application), 0);
    EXPECT_EQ(icons.Add(application), 1);

    EXPECT_EQ(list.SetImageList(&others, LVSIL_NORMAL), nullptr);
    EXPECT_EQ(list.SetImageList(&icons, LVSIL_NORMAL), &others) << "the list set before";
    EXPECT_EQ(list.GetImageList(LVSIL_NORMAL), &icons);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(list.SendMessage(LVM_GETIMAGELIST, LVSIL_NORMAL)), icons.m_hImageList);

    EXPECT_EQ(list.InsertItem(0, "记事本", 1), 0);
    EXPECT_EQ(list.InsertItem(1, "画图", 0), 1);
    EXPECT_EQ(list.GetItemImage(0), 1);
    EXPECT_TRUE(list.SetItemImage(1, 1));
    EXPECT_EQ(list.GetItemImage(1), 1);

    CRect icon;
    ASSERT_TRUE(list.GetItemRect(0, &icon, LVIR_ICON));
    EXPECT_GE(icon.Width(), kIconSize) << "laid out as an icon";
    EXPECT_GE(icon.Height(), kIconSize);
    list.SetImageList(nullptr, LVSIL_NORMAL);
}

} // namespace
