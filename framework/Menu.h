#pragma once
// CMenu: a menu handle. Menus created or attached through this class are
// entered in a process-wide map, so owner-drawn items reach the object's
// DrawItem and MeasureItem by the menu handle.

#include "framework/Object.h"

class CWnd;

class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu() = default;
    // Destroys the menu it still holds.
    ~CMenu() override;

    HMENU m_hMenu = nullptr;

    operator HMENU() const { return GetSafeHmenu(); }
    HMENU GetSafeHmenu() const { return kq::IsNullThis(this) ? nullptr : m_hMenu; }

    static CMenu* FromHandle(HMENU hMenu);
    static CMenu* FromHandlePermanent(HMENU hMenu);
    static void DeleteTempMap();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    // From the current resource source (AfxGetResourceHandle).
    BOOL LoadMenu(UINT nIDResource);
    BOOL LoadMenu(LPCSTR lpszResourceName);
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCSTR lpszNewItem = nullptr);
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCSTR lpszNewItem = nullptr);
    BOOL DeleteMenu(UINT nPosition, UINT nFlags);
    BOOL RemoveMenu(UINT nPosition, UINT nFlags);
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int nPos) const;
    int GetMenuString(UINT nIDItem, LPSTR lpString, int nMaxCount, UINT nFlags) const;
    CMenu* GetSubMenu(int nPos) const;
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);

    // Shows the popup and runs its modal loop; the chosen command is sent to
    // pWnd (or returned with TPM_RETURNCMD).
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

    // Owner-drawn items (MFT_OWNERDRAW) of this menu.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    // The permanent menu object holding command nItemID itself (not in a
    // submenu), the menu being tracked first; null when there is none.
    static CMenu* FindItemOwner(UINT nItemID);
};
