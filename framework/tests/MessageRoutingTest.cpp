// Message maps: lookup order, binding of handlers to the class that names
// them, command ranges, notifications, and reflection to child controls.

#include "framework/tests/CoreTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

constexpr UINT WM_TEST_BASE_ONLY = WM_APP + 1;
constexpr UINT WM_TEST_BOTH = WM_APP + 2;
constexpr UINT kFirstRangeId = 200;
constexpr UINT kLastRangeId = 205;
constexpr UINT kSingleCommandId = 300;
constexpr UINT kChildId = 400;
constexpr UINT kNotifyCode = 0x1234;
constexpr LRESULT kBaseResult = 11;
constexpr LRESULT kDerivedResult = 22;
constexpr LRESULT kRegisteredResult = 33;

UINT RegisteredTestMessage()
{
    static const UINT message = ::RegisterWindowMessageA("KqFrameworkRoutingTest");
    return message;
}
const UINT WM_TEST_REGISTERED = RegisteredTestMessage();

// ---------------------------------------------------------------- a base and a derived window

class BaseWnd : public CWnd {
public:
    explicit BaseWnd(Log& log) : m_log(log) {}
    BOOL CreateTop()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "routing", WS_POPUP, 0, 0, 100, 100, nullptr,
                        nullptr);
    }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg LRESULT OnBaseOnly(WPARAM, LPARAM) { m_log.push_back("base only"); return kBaseResult; }
    afx_msg LRESULT OnBoth(WPARAM, LPARAM) { m_log.push_back("base both"); return kBaseResult; }
    afx_msg void OnTimer(UINT_PTR) { m_log.push_back("base timer"); }
    afx_msg void OnRange(UINT nID) { m_log.push_back("range " + std::to_string(nID)); }
    afx_msg void OnSingle() { m_log.push_back("base single"); }
    Log& m_log;
};

BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_MESSAGE(WM_TEST_BASE_ONLY, OnBaseOnly)
    ON_MESSAGE(WM_TEST_BOTH, OnBoth)
    ON_WM_TIMER()
    ON_COMMAND_RANGE(kFirstRangeId, kLastRangeId, OnRange)
    ON_COMMAND(kSingleCommandId, OnSingle)
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
public:
    using BaseWnd::BaseWnd;

    // Same name as the base's handler but not in this class's map: the
    // base's entry must keep calling the base's handler.
    void OnTimer(UINT_PTR) { m_log.push_back("derived timer"); }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg LRESULT OnBoth(WPARAM, LPARAM) { m_log.push_back("derived both"); return kDerivedResult; }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM) { m_log.push_back("registered"); return kRegisteredResult + static_cast<LRESULT>(wParam); }
    afx_msg void OnSingle() { m_log.push_back("derived single"); }
};

BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    ON_MESSAGE(WM_TEST_BOTH, OnBoth)
    ON_REGISTERED_MESSAGE(WM_TEST_REGISTERED, OnRegistered)
    ON_COMMAND(kSingleCommandId, OnSingle)
END_MESSAGE_MAP()

TEST(MessageRouting, DerivedMapFirstBaseStillReachedAndHandlersBoundToTheirClass)
{
    Log log;
    DerivedWnd wnd(log);
    ASSERT_TRUE(wnd.CreateTop());

    struct Case {
        UINT message;
        WPARAM wParam;
        LRESULT result;
        const char* handler;
    } cases[] = {
        {WM_TEST_BOTH, 0, kDerivedResult, "derived both"},
        {WM_TEST_BASE_ONLY, 0, kBaseResult, "base only"},
        {WM_TIMER, 1, 0, "base timer"},
        {WM_TEST_REGISTERED, 2, kRegisteredResult + 2, "registered"},
    };
    for (const Case& c : cases) {
        log.clear();
        EXPECT_EQ(c.result, wnd.SendMessage(c.message, c.wParam, 0)) << c.handler;
        EXPECT_EQ(Log{c.handler}, log);
    }
    wnd.DestroyWindow();
}

TEST(MessageRouting, CommandRangeGivesTheIdAndSingleCommandsPreferTheDerivedMap)
{
    Log log;
    DerivedWnd wnd(log);
    ASSERT_TRUE(wnd.CreateTop());
    const UINT ids[] = {kFirstRangeId, kFirstRangeId + 3, kLastRangeId, kLastRangeId + 1,
                        kFirstRangeId - 1, kSingleCommandId};
    for (UINT id : ids)
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    // Accelerators (code 1) are commands too.
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kFirstRangeId + 1, 1), 0);
    EXPECT_EQ((Log{"range 200", "range 203", "range 205", "derived single", "range 201"}), log);
    wnd.DestroyWindow();
}

// ---------------------------------------------------------------- notifications and reflection

// A child that handles what is reflected to it when asked to.
class ReflectingChild : public CWnd {
public:
    ReflectingChild(Log& log, bool handles) : m_log(log), m_handles(handles) {}
    void DrawItem(LPDRAWITEMSTRUCT) override
    {
        if (m_handles)
            m_log.push_back("child DrawItem");
        else
            CWnd::DrawItem(nullptr);
    }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg BOOL OnClickedReflect()
    {
        m_log.push_back("child clicked");
        return m_handles;
    }
    afx_msg BOOL OnNotifyReflect(NMHDR*, LRESULT* pResult)
    {
        m_log.push_back("child notify");
        *pResult = 5;
        return m_handles;
    }
    afx_msg HBRUSH CtlColor(CDC*, UINT nCtlColor)
    {
        m_log.push_back("child colour " + std::to_string(nCtlColor));
        return m_handles ? static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)) : nullptr;
    }
    Log& m_log;
    bool m_handles;
};

BEGIN_MESSAGE_MAP(ReflectingChild, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClickedReflect)
    ON_NOTIFY_REFLECT_EX(kNotifyCode, OnNotifyReflect)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class ParentWnd : public CWnd {
public:
    explicit ParentWnd(Log& log) : m_log(log) {}

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnChildClicked() { m_log.push_back("parent clicked"); }
    afx_msg void OnChildChanged() { m_log.push_back("parent changed"); }
    afx_msg void OnChildNotify(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_log.push_back("parent notify " + std::to_string(pNMHDR->idFrom));
        *pResult = 7;
    }
    afx_msg void OnNotifyRange(UINT nID, NMHDR*, LRESULT*) { m_log.push_back("parent range " + std::to_string(nID)); }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { m_log.push_back("parent colour"); return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)); }
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT) { m_log.push_back("parent DrawItem " + std::to_string(nIDCtl)); }
    Log& m_log;
};

BEGIN_MESSAGE_MAP(ParentWnd, CWnd)
    ON_BN_CLICKED(kChildId, OnChildClicked)
    ON_EN_CHANGE(kChildId, OnChildChanged)
    ON_NOTIFY(kNotifyCode, kChildId, OnChildNotify)
    ON_NOTIFY_RANGE(kNotifyCode, kChildId + 1, kChildId + 9, OnNotifyRange)
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

struct Family {
    Log log;
    ParentWnd parent{log};
    ReflectingChild child;
    Family(bool childHandles) : child(log, childHandles)
    {
        parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 200, 200, nullptr,
                        nullptr);
        child.Create(nullptr, "child", 0, CRect(0, 0, 50, 50), &parent, kChildId);
    }
    LRESULT Command(UINT code) { return parent.SendMessage(WM_COMMAND, MAKEWPARAM(kChildId, code), reinterpret_cast<LPARAM>(child.m_hWnd)); }
    LRESULT Notify(HWND from, UINT id)
    {
        NMHDR header = {from, id, kNotifyCode};
        return parent.SendMessage(WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
    }
    LRESULT CtlColor()
    {
        HDC hDC = ::GetDC(child.m_hWnd);
        LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(child.m_hWnd));
        ::ReleaseDC(child.m_hWnd, hDC);
        return brush;
    }
    void DrawItem()
    {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = kChildId;
        dis.hwndItem = child.m_hWnd;
        parent.SendMessage(WM_DRAWITEM, kChildId, reinterpret_cast<LPARAM>(&dis));
    }
};

TEST(MessageRouting, ReflectedNotificationsReachTheChildFirstAndStopThere)
{
    Family family(true);
    ASSERT_NE(nullptr, family.child.m_hWnd);
    family.Command(BN_CLICKED);
    EXPECT_EQ(5, family.Notify(family.child.m_hWnd, kChildId));
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH)), family.CtlColor());
    family.DrawItem();
    EXPECT_EQ((Log{"child clicked", "child notify", "child colour 6", "child DrawItem"}),
              family.log);
}

TEST(MessageRouting, NotificationsTheChildDeclinesReachTheParent)
{
    Family family(false);
    ASSERT_NE(nullptr, family.child.m_hWnd);
    family.Command(BN_CLICKED);
    family.Command(EN_CHANGE); // no reflect entry: straight to the parent
    EXPECT_EQ(7, family.Notify(family.child.m_hWnd, kChildId));
    EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH)), family.CtlColor());
    family.DrawItem();
    EXPECT_EQ((Log{"child clicked", "parent clicked", "parent changed", "child notify",
                   "parent notify 400", "child colour 6", "parent colour", "parent DrawItem 400"}),
              family.log);
}

TEST(MessageRouting, ACommandRelayedFromAGrandchildIsNotReflected)
{
    // A panel between the window and the control passes the control's
    // click on with the control's handle: the window handles it itself.
    Log log;
    ParentWnd parent(log);
    parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr);
    CWnd panel;
    panel.Create(nullptr, "panel", WS_CHILD, CRect(0, 0, 100, 100), &parent, kChildId + 1);
    ReflectingChild button(log, true);
    button.Create(nullptr, "button", WS_CHILD, CRect(0, 0, 50, 50), &panel, kChildId);
    ASSERT_NE(nullptr, button.m_hWnd);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(kChildId, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(Log{"parent clicked"}, log);
    // From its own parent the button's click is still reflected first.
    log.clear();
    panel.SendMessage(WM_COMMAND, MAKEWPARAM(kChildId, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(Log{"child clicked"}, log);
    parent.DestroyWindow();
}

TEST(MessageRouting, NotifyRangeGetsTheSenderId)
{
    Family family(false);
    family.Notify(nullptr, kChildId + 4);
    family.Notify(nullptr, kChildId + 10); // outside every entry
    EXPECT_EQ(Log{"parent range 404"}, family.log);
}

// ---------------------------------------------------------------- run-time classes

class DynamicThing : public CObject {
    DECLARE_DYNCREATE(DynamicThing)
};
IMPLEMENT_DYNCREATE(DynamicThing, CObject)

TEST(RuntimeClass, KindsAndDynamicCreation)
{
    std::unique_ptr<CObject> made(RUNTIME_CLASS(DynamicThing)->CreateObject());
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(DynamicThing)));
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_STREQ("DynamicThing", made->GetRuntimeClass()->m_lpszClassName);

    CDialog dialog;
    EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(dialog.IsKindOf(RUNTIME_CLASS(CFrameWnd)));
    // Classes without DECLARE_DYNCREATE cannot be made from their record.
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CDialog)->CreateObject());
}

} // namespace
