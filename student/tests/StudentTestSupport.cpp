#include "student/tests/StudentTestSupport.h"

#include "common/ProgramFolder.h"
#include "student/MessageBoxDlg.h"

#include <fstream>

namespace studenttest {

namespace {

constexpr UINT kWatchMs = 10;
constexpr const char* kExtension = ".htm";
constexpr const char* kProgId = "KqStudentTestHelpPage";

thread_local BoxWatcher* t_watcher = nullptr;

BOOL CALLBACK CollectBox(HWND window, LPARAM found)
{
    if (::IsWindowVisible(window) && ::GetDlgItem(window, CMessageBoxDlg::kLabelId) != nullptr) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

bool SetClassValue(const std::string& key, const std::string& value)
{
    return ::RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size())) ==
           ERROR_SUCCESS;
}

} // namespace

HWND FindMessageBox()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

CString ControlText(HWND window, UINT id)
{
    CString text;
    CWnd* control = CWnd::FromHandle(window)->GetDlgItem(id);
    if (control != nullptr)
        control->GetWindowText(text);
    return text;
}

CString ResourceText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

BoxWatcher::BoxWatcher(std::function<void(CWnd&)> script) : m_script(std::move(script))
{
    t_watcher = this;
    m_timer = ::SetTimer(nullptr, 0, kWatchMs, Tick);
}

BoxWatcher::~BoxWatcher()
{
    ::KillTimer(nullptr, m_timer);
    t_watcher = nullptr;
}

void CALLBACK BoxWatcher::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    BoxWatcher* watcher = t_watcher;
    if (watcher == nullptr || watcher->m_ran)
        return;
    const HWND box = FindMessageBox();
    if (box == nullptr)
        return;
    watcher->m_ran = true;
    watcher->m_script(*CWnd::FromHandle(box));
}

HelpRecording::HelpRecording()
{
    char temp[MAX_PATH] = {};
    if (::GetTempPathA(MAX_PATH, temp) == 0)
        return;
    m_record = std::string(temp) + "kq_student_help_record.txt";
    ::DeleteFileA(m_record.c_str());

    char previous[MAX_PATH] = {};
    LONG size = sizeof previous;
    m_hadAssociation = ::RegQueryValueA(HKEY_CLASSES_ROOT, kExtension, previous, &size) == ERROR_SUCCESS;
    m_previous = previous;
    const std::string command = "\"" + kq::GetProgramFolder() + "HelpRecorder.exe\" \"" + m_record + "\" \"%1\"";
    m_ready = SetClassValue(kExtension, kProgId) &&
              SetClassValue(std::string(kProgId) + "\\shell\\open\\command", command);
}

HelpRecording::~HelpRecording()
{
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
    if (m_hadAssociation)
        SetClassValue(kExtension, m_previous);
    else
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kExtension);
    ::DeleteFileA(m_record.c_str());
}

std::vector<std::string> HelpRecording::Opened() const
{
    std::vector<std::string> pages;
    std::ifstream record(m_record);
    for (std::string line; std::getline(record, line);)
        pages.push_back(line);
    return pages;
}

} // namespace studenttest
