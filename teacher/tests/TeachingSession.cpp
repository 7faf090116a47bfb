#include "teacher/tests/TeachingSession.h"

#include "common/LecternMessages.h"
#include "common/ProgramFolder.h"
#include "teacher/SeatItemWnd.h"

#include <fstream>
#include <sstream>

namespace kqtest {

namespace {

constexpr UINT kSeatMapId = 1234;
constexpr DWORD kSettleMs = 5000;
constexpr DWORD kPostedHeadStartMs = 100;
constexpr char kSendPrefix[] = "Lectern send ";
constexpr const char* kMainTitle = "晨星电子教室";

// Three seats in one row; the rest of the shipped Teacher.ini stays.
constexpr const char* kSeats[][2] = {
    {"SeatCount", "3"}, {"ColumnCount", "3"}, {"RowCount", "1"},
    {"1", "A1,0,0,0,"}, {"2", "B1,1,0,0,"},  {"3", "C1,2,0,0,"},
};

void SendMouse(HWND window, UINT message, POINT at)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(at.x, at.y),
                          SMTO_NORMAL, kSettleMs, &result);
}

// Keeps the real pointer off the teacher's windows, so that the moves and
// hovers the system makes up when windows come and go reach none of them.
void ParkPointer()
{
    ::SetCursorPos(0, ::GetSystemMetrics(SM_CYSCREEN) - 1);
}

POINT CentreInMap(HWND map, int seat)
{
    RECT rect = {};
    ::GetWindowRect(::GetDlgItem(map, seat + CSeatItemWnd::kIdBase), &rect);
    ::MapWindowPoints(nullptr, map, reinterpret_cast<POINT*>(&rect), 2);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

} // namespace

TeachingSession::TeachingSession(const std::vector<IniValue>& ini, const std::vector<std::string>& environment,
                                 bool failingVideo)
{
    const std::string bin = kq::GetProgramFolder() + "teacher-recorder\\";
    ::CopyFileA((bin + "Lectern.dll").c_str(), m_install.PathOf("Lectern.dll").c_str(), FALSE);
    if (failingVideo)
        ::CopyFileA((bin + "KqVideoS.dll").c_str(), m_install.PathOf("KqVideoS.dll").c_str(), FALSE);
    for (const auto& seat : kSeats)
        m_install.SetIniValue("SEAT", seat[0], seat[1]);
    for (const IniValue& value : ini)
        m_install.SetIniValue(value.section, value.key, value.value);
    ParkPointer();
    if (m_install.Start(environment))
        m_main = m_install.FindWindowOf(kMainTitle);
    Settle();
    // What the start itself sent (the homework settings) is not the tests'.
    NewSends();
}

TeachingSession::~TeachingSession()
{
    if (m_main != nullptr && ::IsWindow(m_main))
        ::PostMessageA(m_main, WM_CLOSE, 0, 0);
    m_install.WaitForExit();
}

void TeachingSession::Settle()
{
    // A sent message overtakes posted ones that still wait: give those a
    // moment to be taken up first, then wait for the window.
    ::Sleep(kPostedHeadStartMs);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, kSettleMs, &result);
}

void TeachingSession::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    ::PostMessageA(m_main, message, wParam, lParam);
    Settle();
}

void TeachingSession::Event(int event, intptr_t value)
{
    Post(WM_LECTERN_NOTIFY, static_cast<WPARAM>(event), static_cast<LPARAM>(value));
}

void TeachingSession::Select(Selection selection)
{
    HWND map = ::GetDlgItem(m_main, kSeatMapId);
    RECT client = {};
    ::GetClientRect(map, &client);
    const POINT corner = {2, 2};
    ParkPointer();
    switch (selection) {
    case Selection::None:
        SendMouse(map, WM_LBUTTONDOWN, corner);
        SendMouse(map, WM_LBUTTONUP, corner);
        break;
    case Selection::One:
        SelectSeat(2);
        break;
    case Selection::Two:
    case Selection::All: {
        // A band from the top left corner to the middle of the last seat it takes.
        const POINT end = CentreInMap(map, selection == Selection::Two ? 2 : 3);
        // The map captures the mouse during the band: moves that the real
        // pointer makes meanwhile must land where the band ends.
        POINT screen = end;
        ::ClientToScreen(map, &screen);
        ::SetCursorPos(screen.x, screen.y);
        SendMouse(map, WM_LBUTTONDOWN, corner);
        SendMouse(map, WM_MOUSEMOVE, end);
        SendMouse(map, WM_LBUTTONUP, end);
        break;
    }
    }
    Settle();
    ParkPointer();
}

void TeachingSession::SelectSeat(int seat)
{
    ParkPointer();
    HWND window = ::GetDlgItem(::GetDlgItem(m_main, kSeatMapId), seat + CSeatItemWnd::kIdBase);
    SendMouse(window, WM_LBUTTONDOWN, {10, 10});
    SendMouse(window, WM_LBUTTONUP, {10, 10});
    Settle();
}

void TeachingSession::Command(UINT id)
{
    ParkPointer();
    Post(WM_COMMAND, id, 0);
}

std::vector<std::string> TeachingSession::NewSends()
{
    Settle();
    std::vector<std::string> sends;
    std::istringstream lines(m_install.Trace());
    std::string line;
    size_t index = 0;
    while (std::getline(lines, line)) {
        if (line.rfind(kSendPrefix, 0) != 0)
            continue;
        if (index++ >= m_seenSends) {
            while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
                line.pop_back();
            sends.push_back(line.substr(sizeof kSendPrefix - 1));
        }
    }
    m_seenSends = index;
    return sends;
}

std::string TeachingSession::TakeBox(const char* title, DWORD timeoutMs)
{
    HWND box = m_install.FindWindowOf(title, timeoutMs);
    if (box == nullptr)
        return {};
    const std::string text = ChildTexts(box);
    ::PostMessageA(box, WM_CLOSE, 0, 0);
    WaitFor([&] { return !::IsWindow(box); }, kSettleMs);
    Settle();
    return text.empty() ? std::string(" ") : text;
}

std::string TeachingSession::String(UINT id)
{
    HMODULE resources =
        ::LoadLibraryExA(m_install.PathOf("resource.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char text[1024] = {};
    ::LoadStringA(resources, id, text, sizeof text);
    ::FreeLibrary(resources);
    return text;
}

std::string TeachingSession::OnlineSeats()
{
    NewSends();
    Select(Selection::None);
    Command(502);
    TakeBox("Warning", 500);
    for (const std::string& send : NewSends()) {
        const size_t at = send.find("seats=");
        if (send.rfind("code=2 ", 0) == 0 && at != std::string::npos)
            return send.substr(at + 6, send.find(' ', at) - at - 6);
    }
    return {};
}

std::string SendLine(int code, int count, int param, const std::string& seats)
{
    return "code=" + std::to_string(code) + " count=" + std::to_string(count) + " param=" + std::to_string(param) +
           " extra=0 seats=" + seats;
}

HWND TeachingSession::DialogWith(UINT id, DWORD timeoutMs)
{
    struct Search {
        UINT id;
        DWORD process;
        HWND found;
    } search = {id, m_install.ProcessId(), nullptr};
    WaitFor(
        [&] {
            ::EnumWindows(
                [](HWND w, LPARAM data) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(data);
                    DWORD owner = 0;
                    ::GetWindowThreadProcessId(w, &owner);
                    if (owner == s->process && ::IsWindowVisible(w) &&
                        ::GetDlgItem(w, static_cast<int>(s->id)) != nullptr) {
                        s->found = w;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

void TeachingSession::Press(HWND dialog, UINT id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, static_cast<int>(id))));
    Settle();
}

void TeachingSession::SetText(HWND dialog, UINT id, const std::string& text)
{
    ::SendMessageA(::GetDlgItem(dialog, static_cast<int>(id)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace kqtest
