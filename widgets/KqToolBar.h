#pragma once
// CKqToolBar: a small topmost tool window with a bitmap background and a row
// of CToolBarButtons, kept in the order they were added. It is dragged by
// any point that is not a button, ignores Alt+F4, and forwards every button
// click to its owner window as WM_COMMAND while that window exists.
//
// The look names the window (the teacher's "KqToolBar", the student agent's
// none).

#include "framework/Framework.h"
#include "widgets/SkinLook.h"
#include "widgets/ToolBarButton.h"

#include <memory>
#include <vector>

class CKqToolBar : public CWnd {
public:
    // The teacher's toolbar.
    CKqToolBar();
    explicit CKqToolBar(const kq::SkinLook& look);
    ~CKqToolBar() override;

    static constexpr int kButtonWidth = 32;
    static constexpr int kButtonHeight = 22;

    // The window, with its tooltip; FALSE when the window cannot be made.
    BOOL Create(UINT backgroundId, HWND owner, DWORD style, int width, int height, int x, int y);
    // A 32 x 22 button at (x, y); null when its window cannot be made. A
    // face that does not load does not stop the button.
    CToolBarButton* AddButton(UINT face, int x, int y, UINT id, UINT disabledFace, int textMode, LPCSTR text);
    BOOL AddButtonTip(CWnd* button, LPCSTR tip);

    // The button at `index` in the order of adding, or null.
    CToolBarButton* FindButton(int index) const;
    // Enables (nonzero) or disables the button at `index`: 1, or 0 when
    // there is no such button (nothing changes then).
    int SetButtonState(int index, int enabled);

    // Deletes the buttons, then destroys the window.
    BOOL DestroyWindow() override;

    HWND GetToolTipHwnd() const { return m_toolTip; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    DECLARE_MESSAGE_MAP()
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);

private:
    struct ButtonRecord {
        UINT id;
        int x;
        int y;
        std::unique_ptr<CToolBarButton> button;
    };

    kq::SkinLook m_look;
    HWND m_toolTip = nullptr;
    int m_x = 0;
    int m_y = 0;
    HWND m_owner = nullptr;
    UINT m_backgroundId = 0;
    std::vector<ButtonRecord> m_buttons;
};
