#include "teacher/dialogs/TestFileDialogs.h"

#include "common/ProgramFolder.h"
#include "framework/FileDialog.h"
#include "teacher/OnlineTestRules.h"

#include <string>

namespace kq {

namespace {

constexpr char kPaperFilter[] = "晨星试卷文件(*.kqt)|*.kqt|All Files (*.*)|*.*||";
constexpr char kAnswerFilter[] = "晨星试卷答案文件(*.kqa)|*.kqa|All Files (*.*)|*.*||";
constexpr char kAnswerDefaultExtension[] = "kqa";

bool Choose(CFileDialog& chooser, const char* subfolder, CString& path)
{
    const std::string folder = GetProgramFolder() + subfolder;
    chooser.m_ofn.lpstrInitialDir = folder.c_str();
    if (chooser.DoModal() != IDOK)
        return false;
    path = chooser.GetPathName();
    return true;
}

} // namespace

bool ChooseTestPaper(CWnd* parent, DWORD flags, CString& path)
{
    CFileDialog chooser(TRUE, nullptr, nullptr, flags, kPaperFilter, parent);
    return Choose(chooser, kPaperFolder, path);
}

bool ChooseAnswerFile(CWnd* parent, bool save, DWORD flags, CString& path)
{
    CFileDialog chooser(save ? FALSE : TRUE, save ? kAnswerDefaultExtension : nullptr, nullptr, flags, kAnswerFilter,
                        parent);
    return Choose(chooser, kAnswerFolder, path);
}

} // namespace kq
