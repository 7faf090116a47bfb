#pragma once
// CFileDialog: the system's open or save file dialog (GetOpenFileName /
// GetSaveFileName). The filter is written "Text|*.txt|All|*.*||". A derived
// dialog may change m_ofn (template, hook, flags) before DoModal.

#include "framework/Object.h"
#include "framework/String.h"

#include <commdlg.h>

#include <string>

class CWnd;

class CFileDialog : public CObject {
    DECLARE_DYNAMIC(CFileDialog)
public:
    CFileDialog(BOOL openFileDialog, LPCSTR defaultExtension = nullptr, LPCSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr,
                CWnd* parent = nullptr);

    OPENFILENAMEA m_ofn = {};

    // IDOK with a file chosen, IDCANCEL otherwise. The owner (the parent, or
    // the main window) is disabled meanwhile.
    virtual INT_PTR DoModal();
    CString GetPathName() const;
    CString GetFileName() const;

protected:
    // Replaces the filter ("|" separated, ending in "||").
    void SetFilter(LPCSTR filter);

private:
    BOOL m_openFileDialog;
    CWnd* m_parent;
    CString m_defaultExtension;
    std::string m_filter; // with the separators turned into zeros
    char m_file[MAX_PATH] = {};
    char m_title[MAX_PATH] = {};
};
