#include "framework/tests/CoreTestSupport.h"

#include "framework/tests/QueuedInput.h"

#include <mutex>

// The tests' application object: AfxGetApp, the main-window owner of
// dialogs and the profile calls need one.
CWinApp theTestApp("FrameworkTests");

namespace kqtest {

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    return PumpMessagesUntil(done, timeoutMs);
}

void PumpPending()
{
    while (PumpOneMessage()) {
    }
}

bool TakeQuit(int* code)
{
    MSG msg;
    if (!::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        return false;
    if (code != nullptr)
        *code = static_cast<int>(msg.wParam);
    return true;
}

// ---------------------------------------------------------------- templates

DialogTemplate::DialogTemplate(const char* title, DWORD style, short cx, short cy)
{
    DLGTEMPLATE header = {};
    header.style = style;
    header.cx = cx;
    header.cy = cy;
    const WORD* raw = reinterpret_cast<const WORD*>(&header);
    m_words.assign(raw, raw + sizeof(header) / sizeof(WORD));
    m_countIndex = offsetof(DLGTEMPLATE, cdit) / sizeof(WORD);
    m_words.push_back(0); // no menu
    m_words.push_back(0); // the system's dialog class
    AddText(title);
}

DialogTemplate& DialogTemplate::Add(Item kind, WORD id, DWORD style, short x, short y, short cx,
                                    short cy, const char* text)
{
    Align();
    DLGITEMTEMPLATE item = {};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    const WORD* raw = reinterpret_cast<const WORD*>(&item);
    m_words.insert(m_words.end(), raw, raw + sizeof(item) / sizeof(WORD));
    m_words.push_back(0xFFFF); // class by atom
    m_words.push_back(static_cast<WORD>(kind));
    AddText(text);
    m_words.push_back(0); // no creation data
    ++m_words[m_countIndex];
    return *this;
}

void DialogTemplate::Align()
{
    if (m_words.size() % 2 != 0)
        m_words.push_back(0);
}

void DialogTemplate::AddText(const char* text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    for (wchar_t ch : wide)
        m_words.push_back(static_cast<WORD>(ch));
}

// ---------------------------------------------------------------- message boxes

namespace {

struct BoxSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<BoxSearch*>(lParam);
    char className[16] = {};
    char title[256] = {};
    ::GetClassNameA(hWnd, className, sizeof(className));
    ::GetWindowTextA(hWnd, title, sizeof(title));
    if (lstrcmpA(className, "#32770") == 0 && lstrcmpA(title, search->caption) == 0 &&
        ::IsWindowVisible(hWnd)) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

struct PendingAnswer {
    DWORD threadId;
    std::string caption;
    int answer;
    UINT_PTR timer;
};

std::mutex g_answersLock;
std::vector<PendingAnswer> g_answers;
constexpr UINT kAnswerPollMs = 20;

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR timer, DWORD)
{
    std::lock_guard<std::mutex> lock(g_answersLock);
    for (auto it = g_answers.begin(); it != g_answers.end(); ++it) {
        if (it->timer != timer)
            continue;
        HWND hBox = FindThreadDialog(it->threadId, it->caption.c_str());
        if (hBox == nullptr)
            return;
        ::PostMessageA(hBox, WM_COMMAND, static_cast<WPARAM>(it->answer), 0);
        ::KillTimer(nullptr, timer);
        g_answers.erase(it);
        return;
    }
}

} // namespace

HWND FindThreadDialog(DWORD threadId, const char* caption)
{
    BoxSearch search = {caption, nullptr};
    ::EnumThreadWindows(threadId, FindDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void AnswerNextMessageBox(DWORD threadId, const char* caption, int answer)
{
    // A thread timer of the calling thread (which must be the box's thread):
    // message boxes dispatch it from their own loop.
    std::lock_guard<std::mutex> lock(g_answersLock);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kAnswerPollMs, AnswerTimer);
    g_answers.push_back({threadId, caption, answer, timer});
}

} // namespace kqtest
