// The joiner's notice box and its two number dialogs, driven by messages
// inside this test program, which carries the joiner's resources.

#include "joiner/ClassroomSetupDlg.h"
#include "joiner/JoinerLook.h"
#include "joiner/NoticeDlg.h"
#include "joiner/StudentNumberDlg.h"
#include "student/tests/StudentTestSupport.h"
#include "widgets/tests/LayoutCheck.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "common/StudentIni.h"
#include "standins/common/tests/ProgramInstall.h"
#include "standins/common/tests/StandinTestSupport.h"

#include "KqGhostResources.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using studenttest::ControlText;
using studenttest::ResourceText;

// The joiner's resources are this program's.
class OwnResources {
public:
    OwnResources() : m_previous(AfxGetResourceHandle()) { AfxSetResourceHandle(::GetModuleHandleA(nullptr)); }
    ~OwnResources() { AfxSetResourceHandle(m_previous); }

private:
    HINSTANCE m_previous;
};

HWND FindNotice()
{
    return kqtest::ThreadWindowWith(CNoticeDlg::kLabelId);
}

// While alive, closes the first notice that shows on this thread, noting
// its text (a timer runs inside the notice's own loop).
class NoticeWatcher {
public:
    NoticeWatcher() : m_timer(::SetTimer(nullptr, 0, kWatchMs, Tick)) { t_watcher = this; }
    ~NoticeWatcher()
    {
        ::KillTimer(nullptr, m_timer);
        t_watcher = nullptr;
    }
    bool seen = false;
    CString text;

private:
    static constexpr UINT kWatchMs = 10;
    static inline thread_local NoticeWatcher* t_watcher = nullptr;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        NoticeWatcher* watcher = t_watcher;
        const HWND box = FindNotice();
        if (watcher == nullptr || watcher->seen || box == nullptr)
            return;
        watcher->seen = true;
        watcher->text = ControlText(box, CNoticeDlg::kLabelId);
        ::PostMessageA(box, WM_CLOSE, 0, 0);
    }
    UINT_PTR m_timer;
};

// Runs `trigger`, which opens a notice; checks its text.
void ExpectNotice(UINT messageId, const std::function<void()>& trigger)
{
    NoticeWatcher watcher;
    trigger();
    EXPECT_TRUE(watcher.seen) << "notice " << messageId;
    EXPECT_EQ(watcher.text, ResourceText(messageId));
}

TEST(ResourceIds, TheCodeNamesTheTablesNumbers)
{
    EXPECT_EQ(CNoticeDlg::kTemplateId, KqGhostRes::IDD_NOTICE);
    EXPECT_EQ(CNoticeDlg::kBackgroundId, KqGhostRes::IDB_NOTICE);
    EXPECT_EQ(CSeatEntryDlg::kTemplateId, KqGhostRes::IDD_NUMBER);
    EXPECT_EQ(CClassroomSetupDlg::kBackgroundId, KqGhostRes::IDB_CLASSROOM_SETUP);
    EXPECT_EQ(CStudentNumberDlg::kBackgroundId, KqGhostRes::IDB_SEAT_NUMBER);
    EXPECT_EQ(kq::kNoticeAgentStartFailed, KqGhostRes::IDS_AGENT_START_FAILED);
    EXPECT_EQ(kq::kNoticeNoAdapter, KqGhostRes::IDS_NO_ADAPTER);
}

TEST(NoticeDlg, OkOpensTheMessagesHelpPageBesideTheProgramOnlyWhenItHasOne)
{
    OwnResources resources;
    studenttest::HelpRecording help;
    ASSERT_TRUE(help.Ready());
    // The shell opens only a page that exists: this program's folder has no
    // joiner help unless the test puts one there.
    const std::string helpFolder = kq::standin::ProgramFolder() + "help\\";
    const std::string page = helpFolder + "10.htm";
    ::CreateDirectoryA(helpFolder.c_str(), nullptr);
    const bool madePage = ::GetFileAttributesA(page.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (madePage)
        std::ofstream(page) << "<html></html>";

    {
        CNoticeDlg notice(kq::kNoticeCopyFailed);
        const INT_PTR result = kqtest::RunModal(notice, [](CDialog& d) {
            EXPECT_EQ(ControlText(d.m_hWnd, CNoticeDlg::kLabelId), ResourceText(kq::kNoticeCopyFailed));
            EXPECT_EQ(::GetWindow(d.m_hWnd, GW_OWNER), nullptr) << "no owner";
            d.GetDlgItem(CNoticeDlg::kOkId)->SendMessage(BM_CLICK);
        });
        EXPECT_EQ(result, IDOK);
    }
    {
        CNoticeDlg notice(kq::kNoticeAgentStartFailed);
        const INT_PTR result = kqtest::RunModal(notice, [](CDialog& d) {
            kqtest::ExpectFitsItsFrame(d, CNoticeDlg::kBackgroundId);
            EXPECT_EQ(kqtest::LayoutFaults(d.m_hWnd), std::vector<std::string>{});
            kqtest::SaveScreenShot(d.m_hWnd, "joiner-notice");
            d.GetDlgItem(CNoticeDlg::kOkId)->SendMessage(BM_CLICK);
        });
        EXPECT_EQ(result, IDOK);
    }
    {
        CNoticeDlg notice(kq::kNoticeRegistryFailed);
        const INT_PTR result = kqtest::RunModal(notice, [](CDialog& d) {
            d.GetDlgItem(kq::kJoinerSkinLook.closeId)->SendMessage(BM_CLICK);
        });
        EXPECT_EQ(result, IDCANCEL) << "the close button opens nothing";
    }
    EXPECT_TRUE(kq::standin::WaitFor([&] { return !help.Opened().empty(); }, kqtest::kPatienceMs));
    ::Sleep(500); // a page opened by mistake would be recorded by now
    EXPECT_EQ(help.Opened(), std::vector<std::string>{page});
    if (madePage)
        ::DeleteFileA(page.c_str());
    EXPECT_STREQ(kq::NoticeHelpPage(kq::kNoticeRegistryFailed), "8.htm");
    EXPECT_STREQ(kq::NoticeHelpPage(kq::kNoticeReceiveFailed), "1.htm");
    EXPECT_STREQ(kq::NoticeHelpPage(kq::kNoticeSocketFailed), "31.htm");
    EXPECT_EQ(kq::NoticeHelpPage(kq::kNoticeSeatEmpty), nullptr);
}

// Copies of student.ini for the dialogs, removed afterwards.
class NumberDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        local_ = kq::standin::UniqueTempPath("joiner-local", ".ini");
        working_ = kq::standin::UniqueTempPath("joiner-working", ".ini");
        backup_ = kq::standin::UniqueTempPath("joiner-backup", ".ini");
        for (const std::string* file : {&local_, &working_, &backup_})
            ::DeleteFileA(file->c_str());
    }
    void TearDown() override
    {
        for (const std::string* file : {&local_, &working_, &backup_})
            ::DeleteFileA(file->c_str());
    }
    static void Set(const std::string& file, const char* section, const char* key, const char* value)
    {
        kq::WriteIniText(file, section, key, value);
    }
    static std::string Get(const std::string& file, const char* section, const char* key)
    {
        return kq::ReadIniText(file, section, key, "(missing)", 64);
    }
    static void SetField(CDialog& d, UINT id, const char* text) { d.GetDlgItem(id)->SetWindowText(text); }
    static void ClickOk(CDialog& d) { d.GetDlgItem(CSeatEntryDlg::kOkId)->SendMessage(BM_CLICK); }
    static CString Text(CDialog& d, UINT id) { return ControlText(d.m_hWnd, id); }

    std::string local_, working_, backup_;
    OwnResources resources_;
};

TEST_F(NumberDialogs, ClassroomSetupWritesSeatAndClassroomAndRefusesBadInput)
{
    Set(local_, "STUDENTNUMBER", "number", "kq");
    Set(local_, "VER", "ClassRoomID", "4");
    CClassroomSetupDlg dialog;
    dialog.SetPaths(local_, working_, "");
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
        kqtest::ExpectFitsItsFrame(d, CClassroomSetupDlg::kBackgroundId);
        EXPECT_EQ(kqtest::LayoutFaults(d.m_hWnd), std::vector<std::string>{});
        kqtest::SaveScreenShot(d.m_hWnd, "joiner-classroom-setup");
        EXPECT_EQ(Text(d, CSeatEntryDlg::kSeatFieldId), CString("NULL")) << "a stored kq shows as NULL";
        EXPECT_EQ(Text(d, CClassroomSetupDlg::kClassroomFieldId), CString("4"));
        EXPECT_EQ(d.IsDlgButtonChecked(CClassroomSetupDlg::kSeveralRadioId), static_cast<UINT>(BST_CHECKED));
        int lower = 0, upper = 0;
        ::SendMessageA(::GetDlgItem(d.m_hWnd, CClassroomSetupDlg::kSpinId), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower),
                       reinterpret_cast<LPARAM>(&upper));
        EXPECT_EQ(lower, 1) << "no [CLASSCOUNT]";
        EXPECT_EQ(upper, 99);

        const struct {
            const char* seat;
            const char* classroom;
            UINT notice;
        } refused[] = {
            {"A0", "4", kq::kNoticeSeatInvalid},
            {"", "4", kq::kNoticeSeatEmpty},
            {"A1", "0", kq::kNoticeClassroomInvalid},
            {"A1", "", kq::kNoticeClassroomInvalid},
        };
        for (const auto& c : refused) {
            SCOPED_TRACE(std::string(c.seat) + "/" + c.classroom);
            SetField(d, CSeatEntryDlg::kSeatFieldId, c.seat);
            SetField(d, CClassroomSetupDlg::kClassroomFieldId, c.classroom);
            ExpectNotice(c.notice, [&] { ClickOk(d); });
            EXPECT_TRUE(d.IsWindowVisible()) << "the dialog stays open";
            const UINT field = c.notice == kq::kNoticeClassroomInvalid ? CClassroomSetupDlg::kClassroomFieldId
                                                                       : CSeatEntryDlg::kSeatFieldId;
            DWORD start = 0, end = 0;
            d.GetDlgItem(field)->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                             reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(start, 0u);
            EXPECT_EQ(end, strlen(field == CSeatEntryDlg::kSeatFieldId ? c.seat : c.classroom)) << "selected";
            EXPECT_EQ(Get(local_, "STUDENTNUMBER", "number"), "kq") << "nothing written";
        }
        SetField(d, CSeatEntryDlg::kSeatFieldId, "A1");
        SetField(d, CClassroomSetupDlg::kClassroomFieldId, "99");
        ClickOk(d);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Get(local_, "STUDENTNUMBER", "number"), "A1");
    EXPECT_EQ(Get(local_, "VER", "ClassRoomID"), "99");
}

TEST_F(NumberDialogs, SingleClassroomWritesZeroAndOneDialogAtATimeIsTheFramesJob)
{
    Set(local_, "STUDENTNUMBER", "number", "B2");
    Set(local_, "VER", "ClassRoomID", "0");
    Set(local_, "CLASSCOUNT", "Min", "3");
    Set(local_, "CLASSCOUNT", "Max", "12");
    CClassroomSetupDlg dialog;
    dialog.SetPaths(local_, working_, "");
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
        EXPECT_EQ(d.IsDlgButtonChecked(CClassroomSetupDlg::kSingleRadioId), static_cast<UINT>(BST_CHECKED));
        EXPECT_FALSE(d.GetDlgItem(CClassroomSetupDlg::kClassroomFieldId)->IsWindowEnabled());
        EXPECT_FALSE(d.GetDlgItem(CClassroomSetupDlg::kSpinId)->IsWindowEnabled());
        EXPECT_EQ(Text(d, CClassroomSetupDlg::kClassroomFieldId), CString("3")) << "starts at Min";
        // Several classrooms, then back to one: the field's 0 does not count.
        d.GetDlgItem(CClassroomSetupDlg::kSeveralRadioId)->SendMessage(BM_CLICK);
        EXPECT_TRUE(d.GetDlgItem(CClassroomSetupDlg::kClassroomFieldId)->IsWindowEnabled());
        SetField(d, CClassroomSetupDlg::kClassroomFieldId, "0");
        d.GetDlgItem(CClassroomSetupDlg::kSingleRadioId)->SendMessage(BM_CLICK);
        EXPECT_FALSE(d.GetDlgItem(CClassroomSetupDlg::kClassroomFieldId)->IsWindowEnabled());
        ClickOk(d);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Get(local_, "STUDENTNUMBER", "number"), "B2");
    EXPECT_EQ(Get(local_, "VER", "ClassRoomID"), "0");
}

TEST_F(NumberDialogs, WithABackupCopyBothDialogsReadAndWriteThereOnly)
{
    Set(local_, "STUDENTNUMBER", "number", "C3");
    Set(local_, "VER", "ClassRoomID", "6");
    Set(working_, "STUDENTNUMBER", "number", "C3");
    Set(backup_, "STUDENTNUMBER", "number", "D4");
    Set(backup_, "VER", "ClassRoomID", "8");
    {
        CClassroomSetupDlg dialog;
        dialog.SetPaths(local_, working_, backup_);
        kqtest::RunModal(dialog, [&](CDialog& d) {
            EXPECT_EQ(Text(d, CSeatEntryDlg::kSeatFieldId), CString("D4"));
            EXPECT_EQ(Text(d, CClassroomSetupDlg::kClassroomFieldId), CString("8"));
            SetField(d, CSeatEntryDlg::kSeatFieldId, "E5");
            ClickOk(d);
        });
    }
    EXPECT_EQ(Get(backup_, "STUDENTNUMBER", "number"), "E5");
    EXPECT_EQ(Get(backup_, "VER", "ClassRoomID"), "8");
    {
        CStudentNumberDlg dialog;
        dialog.SetPaths(local_, working_, backup_);
        const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
            EXPECT_EQ(Text(d, CStudentNumberDlg::kCurrentSeatId), CString("E5"));
            SetField(d, CSeatEntryDlg::kSeatFieldId, "T20");
            ClickOk(d);
        });
        EXPECT_EQ(result, IDOK);
    }
    EXPECT_EQ(Get(backup_, "STUDENTNUMBER", "number"), "T20");
    EXPECT_EQ(Get(local_, "STUDENTNUMBER", "number"), "C3");
    EXPECT_EQ(Get(local_, "VER", "ClassRoomID"), "6");
    EXPECT_EQ(Get(working_, "STUDENTNUMBER", "number"), "C3");
}

TEST_F(NumberDialogs, SeatNumberShowsTheWorkingSeatAndWritesTheLocalCopy)
{
    Set(working_, "STUDENTNUMBER", "number", "kq");
    CStudentNumberDlg dialog;
    dialog.SetPaths(local_, working_, "");
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
        kqtest::ExpectFitsItsFrame(d, CStudentNumberDlg::kBackgroundId);
        EXPECT_EQ(kqtest::LayoutFaults(d.m_hWnd), std::vector<std::string>{});
        kqtest::SaveScreenShot(d.m_hWnd, "joiner-seat-number");
        EXPECT_EQ(Text(d, CStudentNumberDlg::kCurrentSeatId), CString("NULL"));
        EXPECT_EQ(Text(d, CSeatEntryDlg::kSeatFieldId), CString(""));
        CWnd* field = d.GetDlgItem(CSeatEntryDlg::kSeatFieldId);
        for (const char* k = "b3x"; *k != '\0'; ++k)
            field->SendMessage(WM_CHAR, static_cast<unsigned char>(*k), 1);
        EXPECT_EQ(Text(d, CSeatEntryDlg::kSeatFieldId), CString("B3X")) << "capitals, three at most";
        ExpectNotice(kq::kNoticeSeatInvalid, [&] { ClickOk(d); });
        SetField(d, CSeatEntryDlg::kSeatFieldId, "B3");
        ClickOk(d);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Get(local_, "STUDENTNUMBER", "number"), "B3");
    EXPECT_EQ(Get(working_, "STUDENTNUMBER", "number"), "kq");

    CStudentNumberDlg cancelled;
    cancelled.SetPaths(local_, working_, "");
    EXPECT_EQ(kqtest::RunModal(cancelled, [](CDialog& d) { d.GetDlgItem(CSeatEntryDlg::kCancelId)->SendMessage(BM_CLICK); }),
              IDCANCEL);
    EXPECT_EQ(Get(local_, "STUDENTNUMBER", "number"), "B3");
}

} // namespace
