// Every skinned dialog of the teacher program shows as its background
// bitmap, without a system caption, with all its controls inside. The test
// runs on the usual screen and once more on a 640 x 480 one.

#include "teacher/dialogs/KqWaitTimeDlg.h"
#include "teacher/dialogs/KqYesNoDlg.h"
#include "teacher/dialogs/ShutdownDelayDlg.h"
#include "teacher/dialogs/VersionDlg.h"
#include "teacher/dialogs/WarningDlg.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr int kCloseX = 269;
constexpr int kCloseY = 4;

TEST(DialogFrames, EverySkinnedDialogFitsItsBackground)
{
    const struct {
        const char* name;
        UINT background;
        std::function<std::unique_ptr<CDialog>()> make;
    } dialogs[] = {
        {"warning", TeacherRes::IDB_WARNING_BACKGROUND,
         [] {
             auto box = std::make_unique<CWarningDlg>(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY,
                                                      TeacherRes::IDB_WARNING_BACKGROUND, nullptr);
             box->LoadMessage(57459);
             return box;
         }},
        {"yes or no", TeacherRes::IDB_NOTICE_BACKGROUND,
         [] {
             return std::make_unique<CKqYesNoDlg>(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY,
                                                  TeacherRes::IDB_NOTICE_BACKGROUND, nullptr);
         }},
        {"wait", TeacherRes::IDB_WAIT_PAPERS_BACKGROUND,
         [] {
             return std::make_unique<CKqWaitTimeDlg>(TeacherRes::IDD_WAIT_BOX, 0, 0,
                                                     TeacherRes::IDB_WAIT_PAPERS_BACKGROUND, 0, nullptr);
         }},
        {"version", TeacherRes::IDB_VERSION_BACKGROUND,
         [] {
             return std::make_unique<CVersionDlg>(TeacherRes::IDD_MESSAGE_BOX, kCloseX, kCloseY,
                                                  TeacherRes::IDB_VERSION_BACKGROUND, nullptr);
         }},
        {"shutdown delay", TeacherRes::IDB_NOTICE_BACKGROUND,
         [] {
             auto dialog = std::make_unique<CShutdownDelayDlg>();
             dialog->SetPrompt("是否确定远程关闭学生机？");
             dialog->SetDelayLabel("延时关机");
             dialog->SetUnitLabel("秒");
             return dialog;
         }},
    };
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.name);
        std::unique_ptr<CDialog> dialog = d.make();
        bool checked = false;
        kqtest::RunModal(*dialog, [&](CDialog& shown) {
            kqtest::ExpectFitsItsFrame(shown, d.background);
            checked = true;
            shown.EndDialog(IDCANCEL);
        });
        EXPECT_TRUE(checked) << "the dialog did not show";
    }
}

} // namespace
