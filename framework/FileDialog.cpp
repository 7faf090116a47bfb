#include "framework/FileDialog.h"

#include "framework/AfxCore.h"
#include "framework/Wnd.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CObject)

CFileDialog::CFileDialog(BOOL openFileDialog, LPCSTR defaultExtension, LPCSTR fileName, DWORD flags, LPCSTR filter,
                         CWnd* parent)
    : m_openFileDialog(openFileDialog), m_parent(parent)
{
    if (fileName != nullptr)
        lstrcpynA(m_file, fileName, sizeof m_file);
    if (defaultExtension != nullptr)
        m_defaultExtension = defaultExtension;
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_file;
    m_ofn.nMaxFile = sizeof m_file;
    m_ofn.lpstrFileTitle = m_title;
    m_ofn.nMaxFileTitle = sizeof m_title;
    m_ofn.lpstrDefExt = defaultExtension != nullptr ? m_defaultExtension.GetString() : nullptr;
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.hInstance = AfxGetInstanceHandle();
    SetFilter(filter);
}

void CFileDialog::SetFilter(LPCSTR filter)
{
    m_filter.clear();
    m_ofn.lpstrFilter = nullptr;
    if (filter == nullptr)
        return;
    // Two more zeros close the list even without a trailing "||".
    m_filter = std::string(filter) + "||";
    for (char& c : m_filter) {
        if (c == '|')
            c = '\0';
    }
    m_ofn.lpstrFilter = m_filter.c_str();
}

INT_PTR CFileDialog::DoModal()
{
    CWnd* owner = m_parent != nullptr ? m_parent : AfxGetMainWnd();
    const HWND ownerWindow = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    m_ofn.hwndOwner = ownerWindow;
    const BOOL wasEnabled = ownerWindow != nullptr && ::IsWindowEnabled(ownerWindow);
    const BOOL chosen = m_openFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    if (wasEnabled)
        ::EnableWindow(ownerWindow, TRUE);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    return CString(m_file);
}

CString CFileDialog::GetFileName() const
{
    return CString(m_title);
}
