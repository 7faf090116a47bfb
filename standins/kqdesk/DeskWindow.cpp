#include "standins/kqdesk/DeskWindow.h"

#include "common/KqDeskInput.h"
#include "standins/common/StandinWindows.h"

#include <algorithm>
#include <utility>

namespace {

constexpr char kClassName[] = "KqDeskShell";
constexpr char kTitle[] = "KqDesk";
constexpr char kStudentKey[] = "SOFTWARE\\Quorvane\\Tutorium\\Student";
constexpr char kDesktopFolder[] = "\\config\\晨星桌面\\";
constexpr char kProgramFolder[] = "\\config\\晨星程序\\";
constexpr int kWidth = 200;
constexpr int kMargin = 8;
constexpr int kButtonHeight = 26;
constexpr int kListId = 200;
constexpr int kRequestEdition = 0; // the only edition with a request button

struct Button {
    int id; // the button number reported to the frame
    const char* caption;
};
constexpr Button kButtons[] = {
    {kq::kDeskHandUp, "举手"},
    {kq::kDeskRequest, "请求"},
    {kq::kDeskHandIn, "交作业"},
    {kq::kDeskVersion, "版本"},
    {kq::kDeskLogOff, "注销"},
    {kq::kDeskShutDown, "关机"},
};

using kq::standin::ThisModule;

// The student install folder, or empty when it is not registered.
std::string InstallFolder()
{
    char path[MAX_PATH] = {};
    DWORD size = sizeof path - 1; // leaves room for a terminator the registry may omit
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kStudentKey, "Path", RRF_RT_REG_SZ, nullptr, path, &size)
        != ERROR_SUCCESS)
        return {};
    return path;
}

// The files of one folder as (name without extension, full path), sorted.
std::vector<std::pair<std::string, std::string>> FolderEntries(const std::string& folder)
{
    std::vector<std::pair<std::string, std::string>> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        std::string name = found.cFileName;
        const size_t dot = name.rfind('.');
        entries.emplace_back(dot == std::string::npos ? name : name.substr(0, dot),
            folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(entries.begin(), entries.end());
    return entries;
}

} // namespace

bool DeskWindow::Open(HWND frame, int edition)
{
    Close();
    if (!kq::standin::RegisterWindowClass(kClassName, &WindowProc, kq::standin::ColourBrush(COLOR_BTNFACE)))
        return false;

    const int height = GetSystemMetrics(SM_CYSCREEN);
    m_frame = frame;
    m_window = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, kTitle, WS_POPUP | WS_BORDER, 0, 0,
        kWidth, height, nullptr, nullptr, ThisModule(), nullptr);
    if (m_window == nullptr)
        return false;
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    const int inner = kWidth - 2 * kMargin;
    int y = kMargin;
    for (const Button& button : kButtons) {
        if (button.id == kq::kDeskRequest && edition != kRequestEdition)
            continue; // as on the agent's own toolbar
        CreateWindowExA(0, "BUTTON", button.caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kMargin,
            y, inner, kButtonHeight, m_window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)), ThisModule(), nullptr);
        y += kButtonHeight + kMargin / 2;
    }
    y += kMargin;
    m_list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kMargin, y, inner,
        height - y - kMargin, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)),
        ThisModule(), nullptr);
    Refresh();
    ShowWindow(m_window, SW_SHOWNOACTIVATE);
    return true;
}

void DeskWindow::Close()
{
    if (IsOpen()) {
        kq::standin::CloseFromAnyThread(m_window);
    }
    m_window = m_list = m_frame = nullptr;
    m_paths.clear();
}

void DeskWindow::Refresh()
{
    if (!IsOpen())
        return;
    SendMessageA(m_list, LB_RESETCONTENT, 0, 0);
    m_paths.clear();
    const std::string install = InstallFolder();
    if (install.empty())
        return;
    for (const char* folder : {kDesktopFolder, kProgramFolder}) {
        for (const auto& [name, path] : FolderEntries(install + folder)) {
            SendMessageA(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            m_paths.push_back(path);
        }
    }
}

void DeskWindow::OpenEntry(int index)
{
    if (index >= 0 && static_cast<size_t>(index) < m_paths.size())
        ShellExecuteA(m_window, "open", m_paths[index].c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void DeskWindow::OnCommand(int id, int code)
{
    if (id == kListId) {
        if (code == LBN_DBLCLK)
            OpenEntry(static_cast<int>(SendMessageA(m_list, LB_GETCURSEL, 0, 0)));
        return;
    }
    if (code == BN_CLICKED && id >= kq::kDeskHandUp && id <= kq::kDeskShutDown)
        PostMessageA(m_frame, kq::kWmDeskButton, kq::kDeskButtonPressed, id);
}

LRESULT CALLBACK DeskWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* desk = reinterpret_cast<DeskWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_COMMAND:
        if (desk != nullptr)
            desk->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
