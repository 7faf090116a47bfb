// The online test library's exports: T_ functions for the teacher program,
// S_ functions for the student agent. Each is called on its program's
// user-interface thread.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/ProgramFolder.h"
#include "common/TestStartRecord.h"
#include "standins/common/ScriptedResult.h"
#include "standins/common/Trace.h"
#include "standins/quizhall/AnswerFile.h"
#include "standins/quizhall/PaperWindow.h"
#include "standins/quizhall/QuizStudent.h"
#include "standins/quizhall/QuizTeacher.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr char kModule[] = "Quizhall";
constexpr int kFailed = -1;
constexpr int kEditorFailed = -4;
constexpr int kMaxNewPapers = 1000;
constexpr char kPaperTemplate[] =
    "试卷标题：\r\n\r\n一、选择题\r\n1. \r\n\r\n二、填空题\r\n1. \r\n";

QuizTeacher g_teacher;
QuizStudent g_student;

const char* Text(const char* text) { return text != nullptr ? text : "(null)"; }

unsigned HandleText(HWND window) { return static_cast<unsigned>(reinterpret_cast<uintptr_t>(window)); }

bool ReadFile(const char* path, std::string& text)
{
    if (path == nullptr)
        return false;
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return static_cast<bool>(in) || in.eof();
}

// A test's scripted result of `function` (KQ_QUIZHALL_<function>).
bool ScriptedResult(const char* function, int& result)
{
    return kq::ScriptedResult(kModule, function, result);
}

} // namespace

extern "C" int T_InitTeacher(HWND window)
{
    kq::Trace(kModule, "T_InitTeacher window=%08x", HandleText(window));
    g_teacher.SetWindow(window);
    return 0;
}

// Makes a new, numbered paper from a template in the program's paper folder
// and opens it in the text editor.
extern "C" int T_CreatePaper()
{
    kq::Trace(kModule, "T_CreatePaper");
    int scripted = 0;
    if (ScriptedResult("T_CreatePaper", scripted))
        return scripted;
    const std::string program = kq::GetProgramFolder(); // beside the program
    if (program.empty())
        return kFailed;
    const std::string folder = program + "paper\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string path;
    for (int number = 1; number <= kMaxNewPapers && path.empty(); ++number) {
        const std::string candidate = folder + "新试卷" + std::to_string(number) + ".kqt";
        if (GetFileAttributesA(candidate.c_str()) == INVALID_FILE_ATTRIBUTES)
            path = candidate;
    }
    if (path.empty() || !(std::ofstream(path, std::ios::binary) << kPaperTemplate))
        return kFailed;
    std::string commandLine = "notepad.exe \"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION editor = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
            &startup, &editor))
        return kEditorFailed;
    CloseHandle(editor.hThread);
    CloseHandle(editor.hProcess);
    return 0;
}

extern "C" int T_OpenAndShowPaper(const char* path)
{
    kq::Trace(kModule, "T_OpenAndShowPaper path=%s", Text(path));
    std::string paper;
    if (!ReadFile(path, paper))
        return kFailed;
    return PaperWindow::Show(path, paper) != nullptr ? 0 : kFailed;
}

extern "C" int T_StartTest(const kq::TestStartRecord* record, const char* paperPath,
    const char* answerPath, uint16_t targetCount)
{
    if (record == nullptr || paperPath == nullptr || answerPath == nullptr) {
        kq::Trace(kModule, "T_StartTest record=%s paper=%s answer=%s targets=%u",
            record ? "set" : "null", Text(paperPath), Text(answerPath), targetCount);
        return kq::kTestStartFailed;
    }
    kq::Trace(kModule, "T_StartTest paperSize=%d minutes=%u options=%d,%d paper=%s answer=%s targets=%u",
        record->paperSize, record->minutes, record->optionA, record->optionB, paperPath,
        answerPath, targetCount);
    int scripted = 0;
    if (ScriptedResult("T_StartTest", scripted))
        return scripted;
    return g_teacher.Start(*record, paperPath, answerPath);
}

extern "C" int T_StatTest(char* answerPath)
{
    kq::Trace(kModule, "T_StatTest answer=%s", Text(answerPath));
    std::string answers;
    if (!ReadFile(answerPath, answers))
        return kFailed;
    return PaperWindow::Show("考试统计", quiz::StatisticsText(answers)) != nullptr ? 0 : kFailed;
}

// Shows the paper while the teacher comments on it; returns when its window
// has been closed.
extern "C" int T_CommantPaper(const char* path)
{
    kq::Trace(kModule, "T_CommantPaper path=%s", Text(path));
    std::string paper;
    if (!ReadFile(path, paper))
        return kFailed;
    PaperWindow::ShowModal(path, paper);
    return 0;
}

extern "C" int T_FinishTest()
{
    kq::Trace(kModule, "T_FinishTest");
    int scripted = 0;
    if (ScriptedResult("T_FinishTest", scripted))
        return scripted; // the collection is left to the test
    g_teacher.Finish();
    return 0;
}

extern "C" int T_AbortTest()
{
    kq::Trace(kModule, "T_AbortTest");
    g_teacher.Abort();
    return 0;
}

extern "C" int T_UnInitTeacher()
{
    kq::Trace(kModule, "T_UnInitTeacher");
    g_teacher.Abort();
    g_teacher.SetWindow(nullptr);
    return 0;
}

extern "C" int S_InitStudent(HWND window)
{
    kq::Trace(kModule, "S_InitStudent window=%08x", HandleText(window));
    g_student.SetOwner(window);
    return 0;
}

// As the transport delivers them: the teacher's address in network byte
// order, the port (the test id) as a number.
extern "C" int S_StartTest(int kind, const char* seat, uint32_t address, uint16_t port)
{
    in_addr teacher = {};
    teacher.s_addr = address;
    char dotted[INET_ADDRSTRLEN] = "?";
    inet_ntop(AF_INET, &teacher, dotted, sizeof dotted);
    kq::Trace(kModule, "S_StartTest kind=%d seat=%s address=%s port=%u", kind, Text(seat), dotted,
        port);
    int scripted = 0;
    if (ScriptedResult("S_StartTest", scripted))
        return scripted;
    return g_student.Start(seat, address, port);
}

extern "C" int S_ShowPaperAndAnswer()
{
    kq::Trace(kModule, "S_ShowPaperAndAnswer");
    int scripted = 0;
    if (ScriptedResult("S_ShowPaperAndAnswer", scripted))
        return scripted;
    return g_student.ShowPaperAndAnswer();
}

extern "C" int S_LengthenTime(int minutes)
{
    kq::Trace(kModule, "S_LengthenTime minutes=%d", minutes);
    int scripted = 0;
    if (ScriptedResult("S_LengthenTime", scripted))
        return scripted;
    return g_student.Lengthen(minutes);
}

extern "C" int S_FinishTest()
{
    kq::Trace(kModule, "S_FinishTest");
    int scripted = 0;
    if (ScriptedResult("S_FinishTest", scripted))
        return scripted;
    return g_student.Finish();
}

extern "C" int S_AbortTest()
{
    kq::Trace(kModule, "S_AbortTest");
    g_student.Abort();
    return 0;
}

extern "C" int S_UnInitStudent()
{
    kq::Trace(kModule, "S_UnInitStudent");
    g_student.Abort();
    g_student.SetOwner(nullptr);
    return 0;
}
