#include "standins/quizhall/QuizStudent.h"

#include "common/TestStartRecord.h"
#include "standins/common/StandinWindows.h"
#include "standins/quizhall/PaperWindow.h"

#include <vector>

namespace {

constexpr UINT kWmSocket = WM_APP + 1;
constexpr int kHandInButton = 1;
constexpr int kWidth = 560;
constexpr int kHeight = 480;
constexpr int kMargin = 8;
constexpr int kButtonHeight = 26;
constexpr int kMaxExtraMinutes = 24 * 60;

using kq::standin::ThisModule;

bool ValidSeat(const char* seat)
{
    if (seat == nullptr || *seat == '\0')
        return false;
    size_t length = 0;
    for (const char* c = seat; *c != '\0'; ++c, ++length)
        if (static_cast<unsigned char>(*c) < ' ' || length >= quiz::kMaxSeat)
            return false;
    return true;
}

std::string TextOf(HWND field)
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(field)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(field, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

int QuizStudent::Start(const char* seat, uint32_t address, uint16_t port)
{
    if (m_link != nullptr)
        return kq::kStudentTestBusy;
    if (!ValidSeat(seat))
        return kq::kStudentTestRefused;
    if (!StartWinsock())
        return kq::kStudentTestNoTeacher;
    const SOCKET link = QuizConnection::Connect(address, port);
    if (link == INVALID_SOCKET)
        return kq::kStudentTestNoTeacher;
    Abort(); // a window left from an ended test goes
    m_link = std::make_unique<QuizConnection>(link);
    m_paper.clear();
    m_answers.clear();
    m_handedIn = false;
    m_extraMinutes = 0;
    if (!m_link->Send(quiz::Kind::Hello, seat) || !MakeWindow()
        || WSAAsyncSelect(link, m_window, kWmSocket, FD_READ | FD_CLOSE) != 0) {
        Abort();
        return kq::kStudentTestNoTeacher;
    }
    return kq::kStudentTestOk;
}

bool QuizStudent::MakeWindow()
{
    kq::standin::RegisterWindowClass(kClassName, &WindowProc, kq::standin::ColourBrush(COLOR_BTNFACE));
    m_window = CreateWindowExA(WS_EX_TOPMOST, kClassName, "在线考试",
        WS_OVERLAPPED | WS_CAPTION | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, kWidth,
        kHeight, m_owner, nullptr, ThisModule(), nullptr);
    if (m_window == nullptr)
        return false;
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    RECT client;
    GetClientRect(m_window, &client);
    const int width = client.right - 2 * kMargin;
    const int half = (client.bottom - kButtonHeight - 4 * kMargin) / 2;
    m_paperField = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "正在接收试卷……",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, kMargin, kMargin, width,
        half, m_window, nullptr, ThisModule(), nullptr);
    m_answerField = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
        kMargin, 2 * kMargin + half, width, half, m_window, nullptr, ThisModule(), nullptr);
    m_handInButton = CreateWindowExA(0, "BUTTON", "交卷", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
        kMargin, 3 * kMargin + 2 * half, 80, kButtonHeight, m_window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHandInButton)), ThisModule(), nullptr);
    ShowWindow(m_window, SW_SHOWNORMAL);
    return m_paperField && m_answerField && m_handInButton;
}

void QuizStudent::UpdateTitle(const char* state)
{
    std::string title = "在线考试";
    if (m_extraMinutes > 0)
        title += "（加时 " + std::to_string(m_extraMinutes) + " 分钟）";
    else if (m_extraMinutes < 0)
        title += "（减时 " + std::to_string(-m_extraMinutes) + " 分钟）";
    if (state != nullptr)
        title += std::string(" - ") + state;
    SetWindowTextA(m_window, title.c_str());
}

int QuizStudent::Lengthen(int minutes)
{
    // A negative change shortens the test; the changes together stay within
    // a day either way, so the sum cannot wrap round.
    if (m_link == nullptr || minutes == 0 || minutes > kMaxExtraMinutes - m_extraMinutes ||
        minutes < -kMaxExtraMinutes - m_extraMinutes)
        return -1;
    m_extraMinutes += minutes;
    UpdateTitle(nullptr);
    return 0;
}

bool QuizStudent::HandIn()
{
    if (m_link == nullptr || m_handedIn)
        return m_handedIn;
    m_answers = TextOf(m_answerField);
    if (m_answers.size() > quiz::kMaxText)
        m_answers.resize(quiz::kMaxText); // never more than the teacher takes
    if (!m_link->Send(quiz::Kind::Answers, m_answers))
        return false;
    m_handedIn = true;
    SendMessageA(m_answerField, EM_SETREADONLY, TRUE, 0);
    EnableWindow(m_handInButton, FALSE);
    UpdateTitle("已交卷");
    return true;
}

int QuizStudent::Finish() { return HandIn() ? 0 : kq::kStudentTestRefused; }

void QuizStudent::Abort()
{
    m_link.reset();
    if (m_window != nullptr && IsWindow(m_window))
        DestroyWindow(m_window);
    m_window = m_paperField = m_answerField = m_handInButton = nullptr;
}

int QuizStudent::ShowPaperAndAnswer()
{
    if (m_paper.empty())
        return -1;
    PaperWindow::Show("试卷与答案", m_paper + "\r\n\r\n---- 我的答案 ----\r\n" + m_answers);
    return 0;
}

void QuizStudent::OnSocket(WORD event)
{
    if (m_link == nullptr)
        return;
    const bool open = m_link->Receive() && event != FD_CLOSE;
    quiz::Kind kind;
    std::string payload;
    quiz::FrameReader::Result result = quiz::FrameReader::Result::NeedMore;
    while (m_link != nullptr
        && (result = m_link->Next(kind, payload)) == quiz::FrameReader::Result::Frame) {
        if (kind == quiz::Kind::Paper) {
            m_paper = payload;
            SetWindowTextA(m_paperField, m_paper.c_str());
        } else if (kind == quiz::Kind::Finish) {
            HandIn();
        } else if (kind == quiz::Kind::Abort) {
            Abort();
            return;
        }
    }
    if (!open || result == quiz::FrameReader::Result::Invalid) {
        // The teacher's side is gone: the test window stays for the student to read.
        m_link.reset();
        EnableWindow(m_handInButton, FALSE);
        UpdateTitle(m_handedIn ? "已交卷" : "考试已结束");
    }
}

LRESULT CALLBACK QuizStudent::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* student = reinterpret_cast<QuizStudent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (student != nullptr) {
        if (message == kWmSocket) {
            student->OnSocket(WSAGETSELECTEVENT(lParam));
            return 0;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == kHandInButton) {
            student->HandIn();
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
