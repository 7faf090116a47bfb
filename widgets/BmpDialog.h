#pragma once
// CBmpDialog: the open file dialog for bitmap files, with a preview pane
// beside the system's dialog: the picture fitted into a box, its width,
// height, colours and file size, and a "Show Preview" check box whose
// state the process keeps from one dialog to the next.
//
// The pane is a child template (widgets/BmpDialog.rc, id 5000) that the
// program opening the dialog carries in its own resources.

#include "framework/FileDialog.h"
#include "framework/Framework.h"

class CBmpDialog : public CFileDialog {
    DECLARE_DYNAMIC(CBmpDialog)
public:
    // As CFileDialog; the filter becomes bitmaps and all files.
    CBmpDialog(BOOL openFileDialog, LPCSTR defaultExtension = nullptr, LPCSTR fileName = nullptr,
               DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr, CWnd* parent = nullptr);

    // The process-wide "Show Preview" state (on at start).
    static BOOL IsPreviewShown();
    static void ShowPreview(BOOL show);

private:
    static UINT_PTR CALLBACK Hook(HWND pane, UINT message, WPARAM wParam, LPARAM lParam);

    CString m_unused; // the dialog's one string of its own, kept empty
};
