#include "framework/Menu.h"

#include "framework/HandleMap.h"
#include "framework/ModuleState.h"
#include "framework/ThreadState.h"
#include "framework/WinThread.h"
#include "framework/Wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

CHandleMap<HMENU, CMenu>& PermanentMenus()
{
    static CHandleMap<HMENU, CMenu> map;
    return map;
}

bool HoldsItem(HMENU hMenu, UINT nItemID)
{
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        if (::GetMenuItemID(hMenu, i) == nItemID)
            return true;
    }
    return false;
}

} // namespace

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    return hMenu == nullptr ? nullptr : PermanentMenus().Lookup(hMenu);
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == nullptr)
        return nullptr;
    if (CMenu* permanent = FromHandlePermanent(hMenu))
        return permanent;
    auto& slot = AfxGetThreadState().tempMenus[hMenu];
    if (!slot) {
        slot = std::make_unique<CMenu>();
        slot->m_hMenu = hMenu;
    }
    return slot.get();
}

void CMenu::DeleteTempMap()
{
    auto& temps = AfxGetThreadState().tempMenus;
    for (auto& entry : temps)
        entry.second->m_hMenu = nullptr; // a wrapper never destroys the menu
    temps.clear();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr)
        return FALSE;
    m_hMenu = hMenu;
    PermanentMenus().SetAt(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr)
        PermanentMenus().RemoveIf(hMenu, this);
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName)
{
    return Attach(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    HMENU hMenu = Detach();
    return ::DestroyMenu(hMenu);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::ModifyMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }
int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }

int CMenu::GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const
{
    return ::GetMenuStringA(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }

BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos)
{
    return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    AfxInstallMessageFilter();
    AfxThreadState& state = AfxGetThreadState();
    const HMENU previous = state.hTrackingMenu;
    state.hTrackingMenu = m_hMenu;
    const BOOL result = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
    state.hTrackingMenu = previous;
    return result;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

CMenu* CMenu::FindItemOwner(UINT nItemID)
{
    HMENU hTracking = AfxGetThreadState().hTrackingMenu;
    if (hTracking != nullptr && HoldsItem(hTracking, nItemID)) {
        if (CMenu* pMenu = FromHandlePermanent(hTracking))
            return pMenu;
    }
    return PermanentMenus().FindIf(
        [nItemID](HMENU hMenu, CMenu*) { return HoldsItem(hMenu, nItemID); });
}
