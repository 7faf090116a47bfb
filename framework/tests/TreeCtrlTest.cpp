// The tree view: items under their parents, walking, visible items,
// selection heard by the parent, data and images.

#include "framework/ImageList.h"
#include "framework/TreeCtrl.h"
#include "framework/tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kTreeId = 401;

RECT Rect(int left, int top, int right, int bottom)
{
    return RECT{left, top, right, bottom};
}

// Hidden: a shown top-level window costs seconds to take down under an X
// server without a window manager.
class TreeParent : public CWnd {
public:
    TreeParent()
    {
        CreateEx(0, AfxRegisterWndClass(0), "tree parent", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr);
    }
    ~TreeParent() override { DestroyWindow(); }

    std::vector<std::string> selections; // the texts of the newly selected items

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnSelChanged(NMHDR* header, LRESULT*)
    {
        const auto* change = reinterpret_cast<NMTREEVIEWA*>(header);
        CTreeCtrl* tree = static_cast<CTreeCtrl*>(CWnd::FromHandlePermanent(change->hdr.hwndFrom));
        selections.push_back(tree->GetItemText(change->itemNew.hItem).GetString());
    }
};

BEGIN_MESSAGE_MAP(TreeParent, CWnd)
    ON_NOTIFY(TVN_SELCHANGED, kTreeId, OnSelChanged)
END_MESSAGE_MAP()

std::vector<std::string> VisibleTexts(const CTreeCtrl& tree)
{
    std::vector<std::string> texts;
    for (HTREEITEM item = tree.GetFirstVisibleItem(); item != nullptr; item = tree.GetNextVisibleItem(item))
        texts.push_back(tree.GetItemText(item).GetString());
    return texts;
}

TEST(TreeCtrl, ItemsLieUnderTheirParentsAndShowWhenExpanded)
{
    TreeParent parent;
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_VISIBLE,
                            Rect(0, 0, 280, 280), &parent, kTreeId));
    EXPECT_EQ(tree.GetRootItem(), nullptr);

    const HTREEITEM desktop = tree.InsertItem("晨星桌面");
    const HTREEITEM programs = tree.InsertItem("晨星程序");
    const HTREEITEM first = tree.InsertItem("记事本", desktop);
    const HTREEITEM last = tree.InsertItem("画图", desktop);
    const HTREEITEM front = tree.InsertItem("计算器", desktop, TVI_FIRST);
    ASSERT_TRUE(desktop && programs && first && last && front);
    EXPECT_EQ(tree.GetCount(), 5u);

    EXPECT_EQ(tree.GetRootItem(), desktop);
    EXPECT_EQ(tree.GetNextSiblingItem(desktop), programs);
    EXPECT_EQ(tree.GetNextSiblingItem(programs), nullptr);
    EXPECT_EQ(tree.GetChildItem(desktop), front) << "TVI_FIRST goes before the others";
    EXPECT_EQ(tree.GetNextSiblingItem(front), first);
    EXPECT_EQ(tree.GetNextItem(first, TVGN_NEXT), last);
    EXPECT_EQ(tree.GetParentItem(last), desktop);
    EXPECT_EQ(tree.GetChildItem(programs), nullptr);

    EXPECT_EQ(VisibleTexts(tree), (std::vector<std::string>{"晨星桌面", "晨星程序"})) << "collapsed";
    EXPECT_TRUE(tree.Expand(desktop, TVE_EXPAND));
    EXPECT_EQ(VisibleTexts(tree), (std::vector<std::string>{"晨星桌面", "计算器", "记事本", "画图", "晨星程序"}));
    tree.Expand(desktop, TVE_COLLAPSE);
    EXPECT_EQ(VisibleTexts(tree).size(), 2u);

    EXPECT_TRUE(tree.SetItemData(programs, 0xC0FFEE));
    EXPECT_EQ(tree.GetItemData(programs), 0xC0FFEEu);
    EXPECT_EQ(tree.GetItemData(desktop), 0u);
    EXPECT_TRUE(tree.SetItemText(last, "表\\格"));
    EXPECT_STREQ(tree.GetItemText(last), "表\\格");
    EXPECT_STREQ(tree.GetItemText(nullptr), "");

    EXPECT_TRUE(tree.DeleteItem(first));
    EXPECT_EQ(tree.GetNextSiblingItem(front), last);
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetCount(), 0u);
    EXPECT_EQ(tree.GetRootItem(), nullptr);
}

TEST(TreeCtrl, SelectionIsHeardByTheParentAndItemsKeepTheirImages)
{
    TreeParent parent;
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(TVS_HASLINES | WS_VISIBLE, Rect(0, 0, 280, 280), &parent, kTreeId));
    CImageList folders;
    ASSERT_TRUE(folders.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0));
    EXPECT_EQ(tree.SetImageList(&folders, TVSIL_NORMAL), nullptr);
    EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL), &folders);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL)), folders.m_hImageList);

    const HTREEITEM desktop = tree.InsertItem("晨星桌面", 0, 1);
    const HTREEITEM programs = tree.InsertItem("晨星程序", 0, 1);
    int image = -1;
    int selectedImage = -1;
    ASSERT_TRUE(tree.GetItemImage(programs, image, selectedImage));
    EXPECT_EQ(image, 0);
    EXPECT_EQ(selectedImage, 1);

    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_TRUE(tree.SelectItem(programs));
    EXPECT_EQ(tree.GetSelectedItem(), programs);
    EXPECT_TRUE(tree.SelectItem(desktop));
    EXPECT_EQ(parent.selections, (std::vector<std::string>{"晨星程序", "晨星桌面"}));
    tree.SetImageList(nullptr, TVSIL_NORMAL);
}

} // namespace
