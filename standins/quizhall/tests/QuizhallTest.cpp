#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/TestStartRecord.h"
#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr DWORD kWaitMs = 3000;
constexpr DWORD kCollectionWaitMs = 8000; // beyond the library's 5 s collection
constexpr char kPaperText[] = "一、选择题\r\n1. 1+1=?\r\n";

using kq::standin::Export;
using kq::standin::ReadBytes;

std::string WindowText(HWND window)
{
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

using Notice = std::pair<WPARAM, LPARAM>;

// The library as the teacher program and the student agent call it, both in
// this one process and thread, with a teacher window collecting the notices.
class QuizhallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        HMODULE library = LoadLibraryA("Quizhall.dll");
        ASSERT_NE(library, nullptr);
        T_InitTeacher = Export<int (*)(HWND)>(library, "T_InitTeacher");
        T_StartTest = Export<int (*)(const kq::TestStartRecord*, const char*, const char*, uint16_t)>(
            library, "T_StartTest");
        T_FinishTest = Export<int (*)()>(library, "T_FinishTest");
        T_AbortTest = Export<int (*)()>(library, "T_AbortTest");
        T_StatTest = Export<int (*)(char*)>(library, "T_StatTest");
        T_CommantPaper = Export<int (*)(const char*)>(library, "T_CommantPaper");
        T_OpenAndShowPaper = Export<int (*)(const char*)>(library, "T_OpenAndShowPaper");
        T_UnInitTeacher = Export<int (*)()>(library, "T_UnInitTeacher");
        S_InitStudent = Export<int (*)(HWND)>(library, "S_InitStudent");
        S_StartTest = Export<int (*)(int, const char*, uint32_t, uint16_t)>(library, "S_StartTest");
        S_LengthenTime = Export<int (*)(int)>(library, "S_LengthenTime");
        S_FinishTest = Export<int (*)()>(library, "S_FinishTest");
        S_AbortTest = Export<int (*)()>(library, "S_AbortTest");
        S_ShowPaperAndAnswer = Export<int (*)()>(library, "S_ShowPaperAndAnswer");
        S_UnInitStudent = Export<int (*)()>(library, "S_UnInitStudent");
        InstallClassroom();
        ASSERT_TRUE(T_InitTeacher && T_StartTest && T_FinishTest && T_AbortTest && T_StatTest
            && T_CommantPaper && T_OpenAndShowPaper && T_UnInitTeacher && S_InitStudent
            && S_StartTest && S_LengthenTime && S_FinishTest && S_AbortTest
            && S_ShowPaperAndAnswer && S_UnInitStudent);
    }

    // The teacher's install folder with a classroom of twelve seats named
    // "1" to "12" in one row: a student's seat name finds its number there.
    static void InstallClassroom()
    {
        const std::string folder = ::testing::TempDir() + "quiz-install";
        CreateDirectoryA(folder.c_str(), nullptr);
        std::ofstream ini(folder + "\\Teacher.ini", std::ios::binary);
        ini << "[SEAT]\r\nSeatCount=12\r\nColumnCount=12\r\nRowCount=1\r\n";
        for (int seat = 1; seat <= 12; ++seat)
            ini << seat << "=" << seat << "," << seat - 1 << ",0,0,\r\n";
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Quorvane\\Tutorium", 0, nullptr, 0,
                      KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
        RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
            static_cast<DWORD>(folder.size() + 1));
        RegCloseKey(key);
    }

    void SetUp() override
    {
        m_teacher = CreateWindowExA(0, "STATIC", "MainWnd", WS_POPUP, 0, 0, 10, 10, nullptr,
            nullptr, nullptr, nullptr);
        m_student = CreateWindowExA(0, "STATIC", "KqStudent", WS_POPUP, 0, 0, 10, 10, nullptr,
            nullptr, nullptr, nullptr);
        m_paper = ::testing::TempDir() + "quiz-paper.kqt";
        m_answers = ::testing::TempDir() + "quiz-answers.kqa";
        std::ofstream(m_paper, std::ios::binary) << kPaperText;
        std::remove(m_answers.c_str());
        T_InitTeacher(m_teacher);
        S_InitStudent(m_student);
    }

    void TearDown() override
    {
        S_UnInitStudent();
        T_UnInitTeacher();
        DestroyWindow(m_teacher);
        DestroyWindow(m_student);
        for (const char* title : {"试卷与答案", "考试统计"})
            if (HWND window = FindWindowA("QuizhallPaper", title))
                DestroyWindow(window);
        std::remove(m_paper.c_str());
        std::remove(m_answers.c_str());
    }

    int StartTeacher()
    {
        kq::TestStartRecord record = {};
        record.paperSize = static_cast<int32_t>(std::strlen(kPaperText));
        std::strcpy(record.textA, "期中考试");
        std::strcpy(record.textB, "数学");
        record.minutes = 60;
        return T_StartTest(&record, m_paper.c_str(), m_answers.c_str(), 2);
    }

    static int JoinAs(const char* seat, int port)
    {
        return S_StartTest(1, seat, inet_addr("127.0.0.1"), static_cast<uint16_t>(port));
    }

    // Pumps messages until the teacher window has `count` test notices.
    std::vector<Notice> WaitForNotices(size_t count, DWORD timeoutMs = kWaitMs)
    {
        const DWORD start = GetTickCount();
        while (m_notices.size() < count && GetTickCount() - start < timeoutMs) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.hwnd == m_teacher && msg.message == kq::kWmTestNotify)
                    m_notices.emplace_back(msg.wParam, msg.lParam);
                else
                    DispatchMessageA(&msg);
            }
            Sleep(5);
        }
        return m_notices;
    }

    static HWND TestWindow() { return FindWindowA("QuizhallTest", nullptr); }

    static HWND TestField(int index)
    {
        HWND field = FindWindowExA(TestWindow(), nullptr, "EDIT", nullptr);
        return index == 0 ? field : FindWindowExA(TestWindow(), field, "EDIT", nullptr);
    }

    // A raw connection that speaks the test's wire, as another PC would.
    static SOCKET RawClient(int port, const std::vector<uint8_t>& bytes)
    {
        SOCKET link = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in teacher = {};
        teacher.sin_family = AF_INET;
        teacher.sin_port = htons(static_cast<uint16_t>(port));
        teacher.sin_addr.s_addr = inet_addr("127.0.0.1");
        connect(link, reinterpret_cast<sockaddr*>(&teacher), sizeof teacher);
        send(link, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0);
        return link;
    }

    static std::vector<uint8_t> Hello(const std::string& seat)
    {
        std::vector<uint8_t> frame = {'Q', 'U', 'I', 'Z', 1, 0,
            static_cast<uint8_t>(seat.size()), 0, 0, 0};
        frame.insert(frame.end(), seat.begin(), seat.end());
        return frame;
    }

    HWND m_teacher = nullptr, m_student = nullptr;
    std::string m_paper, m_answers;
    std::vector<Notice> m_notices;

    static inline int (*T_InitTeacher)(HWND);
    static inline int (*T_StartTest)(const kq::TestStartRecord*, const char*, const char*, uint16_t);
    static inline int (*T_FinishTest)();
    static inline int (*T_AbortTest)();
    static inline int (*T_StatTest)(char*);
    static inline int (*T_CommantPaper)(const char*);
    static inline int (*T_OpenAndShowPaper)(const char*);
    static inline int (*T_UnInitTeacher)();
    static inline int (*S_InitStudent)(HWND);
    static inline int (*S_StartTest)(int, const char*, uint32_t, uint16_t);
    static inline int (*S_LengthenTime)(int);
    static inline int (*S_FinishTest)();
    static inline int (*S_AbortTest)();
    static inline int (*S_ShowPaperAndAnswer)();
    static inline int (*S_UnInitStudent)();
};

TEST_F(QuizhallTest, AStudentTakesTheTestAndItsAnswersAreCollected)
{
    const int testId = StartTeacher();
    ASSERT_GT(testId, 0);
    ASSERT_EQ(JoinAs("12", testId), kq::kStudentTestOk);

    // The seat enters the test and receives the paper.
    EXPECT_EQ(WaitForNotices(1), (std::vector<Notice>{{kq::kTestSeatEntered, 12}}));
    ASSERT_NE(TestWindow(), nullptr);
    EXPECT_EQ(WindowText(TestField(0)), kPaperText);

    EXPECT_EQ(S_LengthenTime(10), 0);
    EXPECT_NE(WindowText(TestWindow()).find("10"), std::string::npos);
    // A negative change shortens.
    EXPECT_EQ(S_LengthenTime(-4), 0);
    EXPECT_NE(WindowText(TestWindow()).find("加时 6 "), std::string::npos);
    EXPECT_EQ(S_LengthenTime(0), -1);

    SetWindowTextA(TestField(1), "1. 2");
    EXPECT_EQ(T_FinishTest(), 0);
    EXPECT_EQ(WaitForNotices(2).back(), Notice(kq::kTestCollected, 0));

    const std::string answers = ReadBytes(m_answers);
    EXPECT_NE(answers.find("期中考试"), std::string::npos);
    EXPECT_NE(answers.find("==== 座位 12 ====\r\n1. 2\r\n"), std::string::npos);

    // Afterwards the student sees the paper with its answers.
    EXPECT_EQ(S_ShowPaperAndAnswer(), 0);
    HWND shown = FindWindowA("QuizhallPaper", "试卷与答案");
    ASSERT_NE(shown, nullptr);
    const std::string text = WindowText(FindWindowExA(shown, nullptr, "EDIT", nullptr));
    EXPECT_NE(text.find("1+1=?"), std::string::npos);
    EXPECT_NE(text.find("1. 2"), std::string::npos);

    // The statistics count the one hand-in.
    std::vector<char> path(m_answers.begin(), m_answers.end());
    path.push_back('\0');
    EXPECT_EQ(T_StatTest(path.data()), 0);
    HWND statistics = FindWindowA("QuizhallPaper", "考试统计");
    ASSERT_NE(statistics, nullptr);
    EXPECT_EQ(WindowText(FindWindowExA(statistics, nullptr, "EDIT", nullptr)),
        "共收到 1 份答卷\r\n座位 12\r\n");
}

TEST_F(QuizhallTest, TheStudentsOwnFinishHandsInAndLeavingIsReported)
{
    const int testId = StartTeacher();
    ASSERT_GT(testId, 0);
    ASSERT_EQ(JoinAs("3", testId), kq::kStudentTestOk);
    WaitForNotices(1);
    EXPECT_EQ(JoinAs("3", testId), kq::kStudentTestBusy); // one test at a time

    SetWindowTextA(TestField(1), "B");
    EXPECT_EQ(S_FinishTest(), 0);
    WaitForNotices(2, 300); // nothing is reported for a hand-in
    EXPECT_NE(ReadBytes(m_answers).find("==== 座位 3 ====\r\nB\r\n"), std::string::npos);

    // A second student leaves without handing in.
    S_AbortTest();
    ASSERT_EQ(JoinAs("4", testId), kq::kStudentTestOk);
    S_AbortTest();
    // A seat the teacher's classroom does not hold is not reported.
    ASSERT_EQ(JoinAs("A9", testId), kq::kStudentTestOk);
    S_AbortTest();
    EXPECT_EQ(WaitForNotices(3),
        (std::vector<Notice>{{kq::kTestSeatEntered, 3}, {kq::kTestSeatEntered, 4},
            {kq::kTestSeatLeft, 4}}));
    EXPECT_EQ(S_FinishTest(), kq::kStudentTestRefused); // no test any more
}

TEST_F(QuizhallTest, ASilentStudentMakesTheCollectionEndWithSeatsMissing)
{
    const int testId = StartTeacher();
    ASSERT_GT(testId, 0);
    SOCKET silent = RawClient(testId, Hello("7"));
    ASSERT_EQ(WaitForNotices(1), (std::vector<Notice>{{kq::kTestSeatEntered, 7}}));

    T_FinishTest();
    EXPECT_EQ(WaitForNotices(2, kCollectionWaitMs).back(),
        Notice(kq::kTestCollectedWithMissing, 0));
    closesocket(silent);

    // Finishing again, with no test left, still ends the teacher's wait.
    T_FinishTest();
    EXPECT_EQ(WaitForNotices(3).back(), Notice(kq::kTestCollected, 0));
}

TEST_F(QuizhallTest, BrokenFramesAreDroppedWithoutANotice)
{
    const int testId = StartTeacher();
    ASSERT_GT(testId, 0);
    std::vector<uint8_t> badMagic = Hello("8");
    badMagic[0] = 'X';
    std::vector<uint8_t> lineBreak = Hello("8\n9");
    std::vector<uint8_t> hugeSeat = {'Q', 'U', 'I', 'Z', 1, 0, 0xFF, 0xFF, 0xFF, 0x7F};
    SOCKET links[] = {RawClient(testId, badMagic), RawClient(testId, lineBreak),
        RawClient(testId, hugeSeat)};
    EXPECT_TRUE(WaitForNotices(1, 500).empty());
    for (SOCKET link : links) {
        char byte;
        EXPECT_EQ(recv(link, &byte, 1, 0), 0) << "the teacher should have closed it";
        closesocket(link);
    }
}

TEST_F(QuizhallTest, StartFailuresGiveTheirCodes)
{
    kq::TestStartRecord record = {};
    EXPECT_EQ(T_StartTest(nullptr, m_paper.c_str(), m_answers.c_str(), 1), kq::kTestStartFailed);
    EXPECT_EQ(T_StartTest(&record, "C:\\no-such-paper.kqt", m_answers.c_str(), 1),
        kq::kTestStartNoPaper);
    EXPECT_EQ(T_StartTest(&record, m_paper.c_str(), "C:\\no-such-folder\\a.kqa", 1),
        kq::kTestStartNoAnswerFile);

    // Nobody listens: the student cannot reach the teacher.
    const int testId = StartTeacher();
    ASSERT_GT(testId, 0);
    T_AbortTest();
    EXPECT_EQ(JoinAs("5", testId), kq::kStudentTestNoTeacher);
    EXPECT_EQ(S_StartTest(1, "", inet_addr("127.0.0.1"), 1), kq::kStudentTestRefused);
    EXPECT_EQ(S_StartTest(1, nullptr, inet_addr("127.0.0.1"), 1), kq::kStudentTestRefused);
    EXPECT_EQ(S_LengthenTime(5), -1);
    EXPECT_EQ(S_ShowPaperAndAnswer(), -1);
}

TEST_F(QuizhallTest, TestsChooseTheResultsOfTheStudentCalls)
{
    // Each listed value answers one call, in turn; then the call works again.
    SetEnvironmentVariableA("KQ_QUIZHALL_S_StartTest", "-100,-2");
    SetEnvironmentVariableA("KQ_QUIZHALL_S_FinishTest", "-2");
    EXPECT_EQ(S_StartTest(1, "A1", inet_addr("127.0.0.1"), 1), -100);
    EXPECT_EQ(S_StartTest(1, "A1", inet_addr("127.0.0.1"), 1), -2);
    EXPECT_EQ(S_StartTest(1, "", inet_addr("127.0.0.1"), 1), kq::kStudentTestRefused);
    EXPECT_EQ(S_FinishTest(), -2);
    EXPECT_EQ(S_FinishTest(), kq::kStudentTestRefused);

    // A new list starts from its first value.
    SetEnvironmentVariableA("KQ_QUIZHALL_S_StartTest", "-1");
    EXPECT_EQ(S_StartTest(1, "A1", inet_addr("127.0.0.1"), 1), -1);
    SetEnvironmentVariableA("KQ_QUIZHALL_S_StartTest", nullptr);
    SetEnvironmentVariableA("KQ_QUIZHALL_S_FinishTest", nullptr);
    EXPECT_EQ(S_StartTest(1, "", inet_addr("127.0.0.1"), 1), kq::kStudentTestRefused);
}

TEST_F(QuizhallTest, CommentingReturnsWhenThePaperWindowCloses)
{
    // Close the commentary window from a timer, as the teacher would by hand.
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR, DWORD) {
        if (HWND window = FindWindowA("QuizhallPaper", nullptr))
            PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(T_CommantPaper(m_paper.c_str()), 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(FindWindowA("QuizhallPaper", nullptr), nullptr);

    EXPECT_LT(T_CommantPaper("C:\\no-such-paper.kqt"), 0);
    EXPECT_EQ(T_OpenAndShowPaper(m_paper.c_str()), 0);
    HWND shown = FindWindowA("QuizhallPaper", m_paper.c_str());
    ASSERT_NE(shown, nullptr);
    DestroyWindow(shown);
}

TEST_F(QuizhallTest, CreatingAPaperOpensANewPaperFileInTheEditor)
{
    HMODULE library = GetModuleHandleA("Quizhall.dll");
    auto createPaper = Export<int (*)()>(library, "T_CreatePaper");
    ASSERT_NE(createPaper, nullptr);
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string folder = exe;
    folder = folder.substr(0, folder.rfind('\\') + 1) + "paper\\";
    auto papers = [&] {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*.kqt").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                names.push_back(found.cFileName);
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        return names;
    };
    const std::vector<std::string> before = papers();

    ASSERT_EQ(createPaper(), 0);
    std::vector<std::string> added;
    for (const std::string& name : papers())
        if (std::find(before.begin(), before.end(), name) == before.end())
            added.push_back(name);
    ASSERT_EQ(added.size(), 1u);
    const std::string created = folder + added.front();
    EXPECT_NE(ReadBytes(created).find("试卷标题"), std::string::npos);

    HWND editor = nullptr;
    for (int tries = 0; tries < 100 && editor == nullptr; ++tries, Sleep(50))
        editor = FindWindowA("Notepad", nullptr);
    EXPECT_NE(editor, nullptr) << "the editor did not open";
    if (editor != nullptr)
        PostMessageA(editor, WM_CLOSE, 0, 0);
    Sleep(200);
    DeleteFileA(created.c_str());
}

TEST_F(QuizhallTest, TracesEveryCall)
{
    std::string text;
    {
        const kq::standin::TraceFile trace(kq::standin::UniqueTempPath("quizhall-trace", ".txt"));
        S_LengthenTime(5);
        S_StartTest(2, "", inet_addr("198.18.0.1"), 6100);
        T_FinishTest();
        T_AbortTest();
        text = trace.Read();
    }
    EXPECT_EQ(text,
        "Quizhall S_LengthenTime minutes=5\n"
        "Quizhall S_StartTest kind=2 seat= address=198.18.0.1 port=6100\n"
        "Quizhall T_FinishTest\n"
        "Quizhall T_AbortTest\n");
}

} // namespace
