#include "widgets/FolderPicker.h"

#include <shlobj.h>

BOOL CFolderPicker::Browse(CWnd* owner)
{
    IMalloc* allocator = nullptr;
    if (FAILED(::SHGetMalloc(&allocator)) || allocator == nullptr)
        return FALSE;

    LPITEMIDLIST root = nullptr;
    if (!m_root.IsEmpty()) {
        IShellFolder* desktop = nullptr;
        if (FAILED(::SHGetDesktopFolder(&desktop)) || desktop == nullptr) {
            allocator->Release();
            return FALSE;
        }
        WCHAR wide[MAX_PATH] = {};
        ::MultiByteToWideChar(CP_ACP, 0, m_root, -1, wide, MAX_PATH);
        const HRESULT parsed = desktop->ParseDisplayName(nullptr, nullptr, wide, nullptr, &root, nullptr);
        desktop->Release();
        if (FAILED(parsed)) {
            allocator->Release();
            return FALSE;
        }
    }

    char display[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    info.pidlRoot = root;
    info.pszDisplayName = display;
    info.lpszTitle = m_title.IsEmpty() ? kDefaultTitle : m_title.GetString();
    info.ulFlags = m_flags;
    LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);

    BOOL result = FALSE;
    if (chosen != nullptr) {
        m_image = info.iImage;
        char path[MAX_PATH] = {};
        result = ::SHGetPathFromIDListA(chosen, path);
        if (result)
            m_path = path;
        allocator->Free(chosen);
    }
    if (root != nullptr)
        allocator->Free(root);
    allocator->Release();
    return result;
}
