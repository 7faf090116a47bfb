// The version dialog, the roll call and the teacher's message.

#include "student/MessageBoxDlg.h"
#include "student/RollCallDlg.h"
#include "student/TeacherMsgDlg.h"
#include "student/VersionDlg.h"
#include "student/tests/StudentTestSupport.h"
#include "widgets/StudentLook.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "SatchelResources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using studenttest::BoxWatcher;
using studenttest::ControlText;
using studenttest::ResourceText;

constexpr COLORREF kPanelColour = 0xF9E5AB;

TEST(VersionDlg, ShowsTheVersionFromTheIni)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string ini = std::string(temp) + "kq_version_test.ini";
    const struct {
        const char* value; // null: no VersionID
        const char* shown;
    } cases[] = {
        {nullptr, "700"},
        {"2002", "2002"},
        {"123456", "12345"},
        {"KQ", "700"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        ::DeleteFileA(ini.c_str());
        ::WritePrivateProfileStringA("VER", "VersionID", c.value, ini.c_str());
        CVersionDlg dialog;
        dialog.SetConfigPath(ini.c_str());
        const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
            EXPECT_EQ(ControlText(d.m_hWnd, CVersionDlg::kLabelId), CString(c.shown));
            EXPECT_NE(d.GetDlgItem(kq::kStudentSkinLook.closeId), nullptr);
            kqtest::ExpectFitsItsFrame(d, SatchelRes::IDB_VERSION_BACKGROUND);
            d.PostMessage(WM_KEYDOWN, VK_RETURN, 1);
        });
        EXPECT_EQ(result, IDOK);
    }
    ::DeleteFileA(ini.c_str());
}

TEST(RollCallDlg, AnEmptyAnswerIsRefusedAndOnlyTheEndOfTheRollCallCancels)
{
    CRollCallDlg dialog;
    bool boxSeen = false;
    BoxWatcher watcher([&](CWnd& box) {
        const HWND calling = ::FindWindowA(nullptr, CRollCallDlg::kTitle);
        EXPECT_TRUE(calling != nullptr && ::IsWindowVisible(calling)) << "Escape and WM_CLOSE did nothing";
        EXPECT_EQ(ControlText(box.m_hWnd, CMessageBoxDlg::kLabelId), ResourceText(57344));
        boxSeen = true;
        box.PostMessage(WM_CLOSE);
        ::PostMessageA(calling, CRollCallDlg::WM_END_ROLL_CALL, 0, 0);
    });
    const INT_PTR result = kqtest::RunModal(dialog, [](CDialog& d) {
        CString title;
        d.GetWindowText(title);
        EXPECT_EQ(title, CString(CRollCallDlg::kTitle));
        EXPECT_EQ(d.GetDlgItem(kq::kStudentSkinLook.closeId), nullptr) << "no close button";
        CWnd* field = d.GetDlgItem(CRollCallDlg::kFieldId);
        for (const char* k = "abcdefghij"; *k != '\0'; ++k)
            field->SendMessage(WM_CHAR, static_cast<unsigned char>(*k), 1);
        EXPECT_EQ(ControlText(d.m_hWnd, CRollCallDlg::kFieldId), CString("abcdefgh")) << "8 characters at most";
        field->SetWindowText("");
        d.PostMessage(WM_CLOSE);
        field->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        d.PostMessage(WM_COMMAND, MAKEWPARAM(CRollCallDlg::kOkId, BN_CLICKED),
                      reinterpret_cast<LPARAM>(d.GetDlgItem(CRollCallDlg::kOkId)->m_hWnd));
    });
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(dialog.m_answer.IsEmpty());
}

TEST(RollCallDlg, AnAnswerCloses)
{
    CRollCallDlg dialog;
    const INT_PTR result = kqtest::RunModal(dialog, [](CDialog& d) {
        kqtest::ExpectFitsItsFrame(d, SatchelRes::IDB_ROLL_CALL_BACKGROUND);
        d.GetDlgItem(CRollCallDlg::kFieldId)->SetWindowText("到");
        d.GetDlgItem(CRollCallDlg::kOkId)->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.m_answer, CString("到"));
}

TEST(TeacherMsgDlg, ComposedText)
{
    const CString text("下课前交作业");
    const struct {
        const char* signature;
        int spaces;
    } cases[] = {{"", 48}, {"张老师", 42}, {"a-signature-of-fifty-bytes-that-is-not-cut-at-all!", 0}};
    for (const auto& c : cases) {
        const CString shown = CTeacherMsgDlg::ComposeText(text, c.signature);
        EXPECT_EQ(shown, text + "\r\n\r\n" + CString(std::string(c.spaces, ' ').c_str()) + c.signature);
    }
}

TEST(TeacherMsgDlg, ShowsTheRecordOnItsColours)
{
    kq::TeacherMessage message = {};
    std::memset(message.title, 'T', sizeof message.title); // no zero byte
    std::strcpy(message.text, "第一行\r\n第二行");
    CTeacherMsgDlg dialog;
    dialog.SetMessage(message);
    EXPECT_EQ(dialog.m_title, CString(std::string(40, 'T').c_str()));

    const INT_PTR result = kqtest::RunModal(dialog, [](CDialog& d) {
        kqtest::ExpectFitsItsFrame(d, SatchelRes::IDB_TEACHER_MESSAGE_BACKGROUND);
        EXPECT_EQ(ControlText(d.m_hWnd, CTeacherMsgDlg::kTitleId), CString(std::string(40, 'T').c_str()));
        EXPECT_EQ(ControlText(d.m_hWnd, CTeacherMsgDlg::kTextId),
                  CString("第一行\r\n第二行\r\n\r\n") + CString(std::string(48, ' ').c_str()));
        CWnd* text = d.GetDlgItem(CTeacherMsgDlg::kTextId);
        EXPECT_NE(text->GetStyle() & ES_READONLY, 0u);
        CRect rect;
        text->GetClientRect(&rect);
        EXPECT_EQ(kqtest::ScreenPixel(*text, rect.right - 2, rect.bottom - 2), kPanelColour);

        kqtest::Canvas canvas(10, 10);
        const LRESULT brush = d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(canvas.dc.m_hDC),
                                            reinterpret_cast<LPARAM>(text->m_hWnd));
        EXPECT_NE(brush, 0);
        EXPECT_EQ(canvas.dc.GetBkColor(), kPanelColour);
        CRect window;
        d.GetWindowRect(&window);
        EXPECT_EQ(window.Size(), CSize(350, 240));
        d.GetDlgItem(CTeacherMsgDlg::kOkId)->SendMessage(BM_CLICK);
    });
    EXPECT_EQ(result, IDOK);
}

} // namespace
