#pragma once
// CDialog: a dialog box from a template.
//
// DoModal does not use DialogBox: it creates the dialog modeless from its
// template and runs the library's own loop, so timers, socket notices,
// posted and thread messages keep flowing, and every message goes through
// the PreTranslateMessage chain. Enter and Esc reach OnOK and OnCancel even
// when the template has no such buttons; WM_CLOSE becomes IDCANCEL; a WM_QUIT
// ends the loop (DoModal returns -1) and is posted again for the loop outside.
//
// Owner: the parent given, else the calling thread's main window; the owner
// is disabled while the dialog runs and re-enabled and activated after. A
// main window of another thread is not used as owner: disabling it would
// block on that thread. Pass CWnd::GetDesktopWindow() for no owner at all.
//
// Templates come from the current resource source (AfxGetResourceHandle),
// else from this module: a DLL's dialogs use the DLL's own copy of the
// library, so they load from the DLL even inside a host that redirected its
// own resource source.

#include "framework/Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless.
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Modal.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
    virtual INT_PTR DoModal();
    // Ends the dialog: DoModal returns nResult (any value).
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnSetFont(CFont* pFont);
    virtual void OnOK();
    virtual void OnCancel();

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;

    LPCSTR m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
    UINT m_nIDHelp = 0;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);

    // The owner a modal dialog gets (see above); null for none.
    HWND ModalOwner() const;

private:
    BOOL CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndOwner, HINSTANCE hInst);
    void RunModalLoop();

    int m_nModalResult = -1;
    bool m_bModal = false;
    bool m_bContinueModal = false;
};
