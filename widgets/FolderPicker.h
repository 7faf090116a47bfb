#pragma once
// CFolderPicker: the system's folder chooser. Set the root folder (empty:
// the whole desktop) and the title (empty: "Open"), call Browse, and read
// the chosen path.

#include "framework/Framework.h"

#include <shlobj.h>

class CFolderPicker {
public:
    CFolderPicker() = default;
    virtual ~CFolderPicker() = default;

    // TRUE with a file-system folder chosen; FALSE when cancelled, when the
    // choice has no file-system path, or when the root cannot be read.
    BOOL Browse(CWnd* owner = nullptr);

    CString m_path;   // result
    CString m_root;   // input
    CString m_title;  // input
    int m_image = 0;  // result: the chosen folder's image index
    // input: what may be chosen; add BIF_BROWSEINCLUDEFILES to offer files too
    UINT m_flags = kFolderFlags;

    static constexpr UINT kFolderFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;

    static constexpr const char* kDefaultTitle = "Open";
};
