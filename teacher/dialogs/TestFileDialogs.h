#pragma once
// The file dialogs of the online test: papers (*.kqt) from the program's
// paper folder and answer files (*.kqa) in its test folder.

#include "framework/Framework.h"

namespace kq {

// Flags of the open dialogs the main window shows, and of the start
// dialog's own paper chooser.
inline constexpr DWORD kOpenTestFileFlags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
inline constexpr DWORD kBrowsePaperFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
// The start dialog names a new answer file with a save dialog.
inline constexpr DWORD kSaveAnswerFlags = OFN_CREATEPROMPT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

// An open dialog for a paper; true with its full path on OK.
bool ChooseTestPaper(CWnd* parent, DWORD flags, CString& path);
// An answer file: an open dialog, or a save dialog with the default
// extension "kqa"; true with its full path on OK.
bool ChooseAnswerFile(CWnd* parent, bool save, DWORD flags, CString& path);

} // namespace kq
