#include "standins/quizhall/QuizTeacher.h"

#include "common/TextField.h"
#include "standins/common/StandinWindows.h"
#include "standins/quizhall/AnswerFile.h"
#include "teacher/IniStore.h"
#include "teacher/InstallFolder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

namespace {

constexpr char kNoticeClass[] = "QuizhallTeacherNotices";
constexpr UINT kWmListener = WM_APP + 1;
constexpr UINT kWmStudent = WM_APP + 2;
constexpr UINT_PTR kDeadlineTimer = 1;
// Students hand in the moment they are asked; one that has not answered by
// then is counted as missing.
constexpr UINT kCollectionMs = 5000;

using kq::standin::ThisModule;

// The whole file, or false when it cannot be read or is too large to send.
bool ReadPaper(const char* path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad() && text.size() <= quiz::kMaxText;
}

std::string FieldText(const char* field, size_t size)
{
    return std::string(field, kq::TextFieldLength(field, size));
}

} // namespace

bool QuizTeacher::MakeNoticeWindow()
{
    if (m_notices != nullptr && IsWindow(m_notices))
        return true;
    kq::standin::RegisterWindowClass(kNoticeClass, &NoticeProc);
    m_notices = CreateWindowExA(0, kNoticeClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
        ThisModule(), nullptr);
    if (m_notices != nullptr)
        SetWindowLongPtrA(m_notices, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return m_notices != nullptr;
}

int QuizTeacher::Start(const kq::TestStartRecord& record, const char* paperPath,
    const char* answerPath)
{
    Abort();
    LoadSeats();
    std::string paper;
    if (!ReadPaper(paperPath, paper))
        return kq::kTestStartNoPaper;
    {
        std::ofstream answers(answerPath, std::ios::binary | std::ios::trunc);
        answers << quiz::AnswerFileHeading(FieldText(record.textA, sizeof record.textA),
            FieldText(record.textB, sizeof record.textB), record.minutes);
        if (!answers)
            return kq::kTestStartNoAnswerFile;
    }
    if (!StartWinsock() || !MakeNoticeWindow())
        return kq::kTestStartNoNetwork;

    m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    int size = sizeof local;
    if (m_listener == INVALID_SOCKET
        || bind(m_listener, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0
        || listen(m_listener, SOMAXCONN) != 0
        || getsockname(m_listener, reinterpret_cast<sockaddr*>(&local), &size) != 0
        || WSAAsyncSelect(m_listener, m_notices, kWmListener, FD_ACCEPT) != 0) {
        CloseAll();
        return kq::kTestStartNoNetwork;
    }
    m_paper = std::move(paper);
    m_answerPath = answerPath;
    return ntohs(local.sin_port);
}

void QuizTeacher::Finish()
{
    if (m_listener == INVALID_SOCKET) {
        // No test runs: say so at once, so that a teacher waiting for the
        // end of collection is never left waiting.
        Notify(kq::kTestCollected, 0);
        return;
    }
    m_collecting = true;
    for (Student& student : m_students)
        if (!student.seat.empty() && !student.handedIn)
            student.link->Send(quiz::Kind::Finish, "");
    SetTimer(m_notices, kDeadlineTimer, kCollectionMs, nullptr);
    CheckCollection();
}

void QuizTeacher::Abort()
{
    for (Student& student : m_students)
        student.link->Send(quiz::Kind::Abort, "");
    CloseAll();
}

void QuizTeacher::CloseAll()
{
    m_students.clear();
    if (m_listener != INVALID_SOCKET)
        closesocket(m_listener);
    m_listener = INVALID_SOCKET;
    if (m_notices != nullptr)
        KillTimer(m_notices, kDeadlineTimer);
    m_collecting = false;
}

void QuizTeacher::LoadSeats()
{
    // The students name their seats; the teacher's seat map numbers them as
    // the [SEAT] section of its Teacher.ini does.
    m_seats = kq::CSeatArrangement();
    std::string folder;
    if (!kq::ReadInstallFolder(folder))
        return;
    CIniStore ini;
    ini.SetPath(folder + "\\Teacher.ini");
    if (ini.ReadFile())
        m_seats.Load(ini);
}

void QuizTeacher::NotifySeat(int notice, const std::string& seatName)
{
    const int seat = m_seats.SeatNumberOf(seatName);
    if (seat != 0) // a seat the classroom does not hold has no number to report
        Notify(notice, seat);
}

void QuizTeacher::Notify(int notice, LPARAM seat)
{
    PostMessageA(m_window, kq::kWmTestNotify, static_cast<WPARAM>(notice), seat);
}

void QuizTeacher::OnAccept()
{
    SOCKET link = accept(m_listener, nullptr, nullptr);
    if (link == INVALID_SOCKET)
        return;
    if (WSAAsyncSelect(link, m_notices, kWmStudent, FD_READ | FD_CLOSE) != 0) {
        closesocket(link);
        return;
    }
    Student student;
    student.link = std::make_unique<QuizConnection>(link);
    m_students.push_back(std::move(student));
}

QuizTeacher::Student* QuizTeacher::Find(SOCKET socket)
{
    for (Student& student : m_students)
        if (student.link->Socket() == socket)
            return &student;
    return nullptr;
}

void QuizTeacher::OnStudent(SOCKET socket, WORD event)
{
    Student* student = Find(socket);
    if (student == nullptr)
        return;
    const bool open = student->link->Receive() && event != FD_CLOSE;
    std::vector<std::pair<quiz::Kind, std::string>> frames;
    quiz::Kind kind;
    std::string payload;
    quiz::FrameReader::Result result;
    while ((result = student->link->Next(kind, payload)) == quiz::FrameReader::Result::Frame)
        frames.emplace_back(kind, std::move(payload));
    for (const auto& [frameKind, text] : frames) {
        student = Find(socket); // a frame may have ended the test
        if (student == nullptr)
            return;
        OnFrame(*student, frameKind, text);
    }
    if (!open || result == quiz::FrameReader::Result::Invalid)
        Drop(socket);
}

void QuizTeacher::OnFrame(Student& student, quiz::Kind kind, const std::string& payload)
{
    if (kind == quiz::Kind::Hello && student.seat.empty()) {
        student.seat = payload;
        student.link->Send(quiz::Kind::Paper, m_paper);
        NotifySeat(kq::kTestSeatEntered, payload);
    } else if (kind == quiz::Kind::Answers && !student.seat.empty() && !student.handedIn) {
        std::ofstream(m_answerPath, std::ios::binary | std::ios::app)
            << quiz::AnswerBlock(student.seat, payload);
        student.handedIn = true;
        CheckCollection();
    }
    // Anything else from a student is not for the teacher: ignored.
}

void QuizTeacher::Drop(SOCKET socket)
{
    Student* student = Find(socket);
    if (student == nullptr)
        return;
    const std::string seat = student->seat;
    const bool leftEarly = !seat.empty() && !student->handedIn;
    m_students.erase(m_students.begin() + (student - m_students.data()));
    if (leftEarly)
        NotifySeat(kq::kTestSeatLeft, seat);
    CheckCollection();
}

void QuizTeacher::CheckCollection()
{
    if (!m_collecting)
        return;
    const bool allIn = std::all_of(m_students.begin(), m_students.end(),
        [](const Student& s) { return s.seat.empty() || s.handedIn; });
    if (allIn)
        EndCollection(kq::kTestCollected);
}

void QuizTeacher::EndCollection(int notice)
{
    CloseAll(); // the test is over
    Notify(notice, 0);
}

LRESULT CALLBACK QuizTeacher::NoticeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* teacher = reinterpret_cast<QuizTeacher*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (teacher == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case kWmListener:
        if (static_cast<SOCKET>(wParam) == teacher->m_listener)
            teacher->OnAccept();
        return 0;
    case kWmStudent:
        teacher->OnStudent(static_cast<SOCKET>(wParam), WSAGETSELECTEVENT(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kDeadlineTimer && teacher->m_collecting)
            teacher->EndCollection(kq::kTestCollectedWithMissing);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
