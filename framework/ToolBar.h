#pragma once
// CToolBar: the system's toolbar control as a child window, its buttons and
// their faces loaded from a toolbar resource (type 241: version, button
// width and height, count, command ids with 0 for a separator) and the
// bitmap strip of the same id, from the current resource source.

#include "framework/Wnd.h"

class CToolBar : public CWnd {
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar() = default;
    ~CToolBar() override;

    // A child toolbar of `parent` (flat, tooltips, visible unless `style`
    // says otherwise) that neither sizes nor places itself.
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE, UINT id = 0xE800);
    BOOL LoadToolBar(UINT resourceId);
    BOOL EnableButton(UINT commandId, BOOL enable);
    BOOL IsButtonEnabled(UINT commandId) const;
    int GetButtonCount() const;
    // The rectangle of button `index` in the toolbar's client coordinates.
    BOOL GetItemRect(int index, RECT* rect) const;
};
