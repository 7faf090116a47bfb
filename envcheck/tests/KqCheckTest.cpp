// KqCheck.dll as the programs use it: CheckHost.exe runs from a folder of its
// own with the library's test build beside it (the drive type from
// KQ_TEST_DRIVE, the restart only traced) and calls one export on the
// fixture student.ini files; the test drives the windows it shows. Runs in
// the private network, whose two Ethernet addresses are 198.18.0.1 and
// 198.18.0.2, on a 1024 x 768 x 24 screen.

#include "common/PeerNames.h"
#include "standins/common/tests/StandinTestSupport.h"
#include "widgets/tests/LayoutCheck.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kq::standin::ChildProcess;
using kq::standin::ProgramFolder;
using kq::standin::TempFolder;

constexpr char kDisplayMessage[] = "当前的显示模式不是电子教室运行的最佳设置，建议您重新设置显示模式：色彩为16或24，"
                                   "分辨率设置为800×600！";
constexpr char kDirectXMessage[] = "检测到本机的DirectX版本太低，本套软件要求DirectX版本必须要5.0以上，请执行下面的"
                                   "DirectX5.0的安装程序。";
constexpr char kInstallerMissing[] = "无法定位安装程序，请从光盘直接安装。";
constexpr char kFirstAddress[] = "198.18.0.1";
constexpr char kSecondAddress[] = "198.18.0.2";

constexpr int kTextId = 14007;
constexpr int kOkId = 14021;
constexpr int kDirectXId = 14003;
constexpr int kWinsockId = 14005;
constexpr int kMessageLabelId = 15;
constexpr int kMessageOkId = 14;
constexpr int kAdapterComboId = 14011;

constexpr int kPassed = 0;
constexpr int kDisplayOrSound = -2;
constexpr int kFailed = -3;
constexpr int kClosed = -99;
constexpr int kNoPath = -100;

// Every requirement met on the test's screen and network. Mode 11 leaves
// the sound card out: the test PCs have none.
const char kPassingIni[] = "[NETADAPTER]\r\nIPADDRESS=198.18.0.1\r\n"
                           "[OS]\r\nOSmajorversion1=10\r\nOSminorversion1=0\r\nOSplatformid1=2\r\n"
                           "OSmajorversion2=6\r\nOSminorversion2=1\r\nOSplatformid2=2\r\n"
                           "OSmajorversion3=6\r\nOSminorversion3=2\r\nOSplatformid3=2\r\n"
                           "OSmajorversion4=6\r\nOSminorversion4=3\r\nOSplatformid4=2\r\n"
                           "OSmajorversion5=5\r\nOSminorversion5=1\r\nOSplatformid5=2\r\n"
                           "[DIRECTX]\r\nver=5\r\n"
                           "[DISPLAY]\r\ncolormin=16\r\ncolormax=32\r\nwidthmin=640\r\nwidthmax=3840\r\n"
                           "heightmin=480\r\nheightmax=2160\r\n"
                           "[STARTCOUNT]\r\nmaxcount=-1\r\n";
constexpr int kModeWithoutSound = 11;

bool WriteFileText(const std::string& path, const std::string& text)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    return written == text.size();
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A path as one argument of a command line: quoted, a trailing backslash
// doubled so that it does not escape the closing quote.
std::string Quoted(const std::string& path)
{
    return "\"" + path + (!path.empty() && path.back() == '\\' ? "\\" : "") + "\"";
}

std::string ControlText(HWND control)
{
    char text[4096] = {};
    ::SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string TitleOf(HWND window)
{
    char title[256] = {};
    ::GetWindowTextA(window, title, sizeof title);
    return title;
}

// Polls `condition` until it holds or 15 s pass.
template <typename Condition>
bool WaitUntil(Condition condition)
{
    for (DWORD waited = 0; waited < kq::standin::kProgramWaitMs; waited += 50) {
        if (condition())
            return true;
        ::Sleep(50);
    }
    return condition();
}

// A host program in a folder of its own, with the library, the DirectX
// setup stand-in and a student.ini that passes every check.
class CheckFolder {
public:
    explicit CheckFolder(const std::string& name) : m_folder("kqcheck-" + name)
    {
        const std::string bin = ProgramFolder();
        EXPECT_TRUE(::CopyFileA((bin + "CheckHost.exe").c_str(), (m_folder / "CheckHost.exe").c_str(), FALSE));
        EXPECT_TRUE(
            ::CopyFileA((bin + "envcheck-test\\KqCheck.dll").c_str(), (m_folder / "KqCheck.dll").c_str(), FALSE));
        EXPECT_TRUE(::CopyFileA((bin + "dsetup.dll").c_str(), (m_folder / "dsetup.dll").c_str(), FALSE));
        EXPECT_TRUE(WriteFileText(Ini(), kPassingIni));
    }

    std::string Path(const std::string& name) const { return m_folder / name; }
    std::string Folder() const { return m_folder.Path() + "\\"; }
    std::string Ini() const { return m_folder / "student.ini"; }

    void Set(const char* section, const char* key, const char* value, const std::string& file = {}) const
    {
        ::WritePrivateProfileStringA(section, key, value, (file.empty() ? Ini() : file).c_str());
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, (file.empty() ? Ini() : file).c_str());
    }
    std::string Get(const char* section, const char* key, const std::string& file = {}) const
    {
        char value[256] = {};
        ::GetPrivateProfileStringA(section, key, "(absent)", value, sizeof value,
                                   (file.empty() ? Ini() : file).c_str());
        return value;
    }

    // Starts CheckHost.exe with `arguments`.
    bool Start(const std::string& arguments)
    {
        return m_host.Start(Quoted(Path("CheckHost.exe")) + " " + arguments);
    }
    // KqTest on the folder's student.ini, as Teacher.exe and Student.exe call it.
    bool StartTest(int mode, const std::string& extra = {})
    {
        return Start("test " + Quoted(Ini()) + " " + std::to_string(mode) + extra);
    }
    // The host's result; STILL_ACTIVE's value when it did not end.
    int Result(DWORD timeoutMs = kq::standin::kProgramWaitMs)
    {
        return static_cast<int>(m_host.WaitForExit(timeoutMs));
    }
    DWORD ProcessId() const { return ::GetProcessId(m_host.Handle()); }

    // A top-level window of the host whose title is `title` (null: any).
    HWND WaitForWindow(const char* title, DWORD timeoutMs = kq::standin::kProgramWaitMs) const
    {
        const std::string wanted = title != nullptr ? title : "";
        return kq::standin::WaitForProcessWindow(
            ProcessId(), [&](HWND w) { return ::IsWindowVisible(w) && (title == nullptr || TitleOf(w) == wanted); },
            timeoutMs);
    }
    // A visible top-level window of the host holding control `id`.
    HWND WaitForWindowWith(int id) const
    {
        return kq::standin::WaitForProcessWindow(
            ProcessId(), [&](HWND w) { return ::IsWindowVisible(w) && ::GetDlgItem(w, id) != nullptr; });
    }

private:
    TempFolder m_folder;
    ChildProcess m_host;
};

std::string Block(const char* label, const char* message)
{
    return std::string(label) + "\r\n警告：" + message + "\r\n\r\n";
}

// ---- The exports ---------------------------------------------------------------

TEST(KqCheckExports, FourOrdinalsAndTheirNames)
{
    HMODULE library = ::LoadLibraryA((ProgramFolder() + "envcheck-test\\KqCheck.dll").c_str());
    ASSERT_NE(library, nullptr);
    const char* const names[] = {"KqTest", "KqDlg", "KqReboot", "KqComputerName"};
    for (WORD ordinal = 1; ordinal <= 4; ++ordinal) {
        SCOPED_TRACE(names[ordinal - 1]);
        const FARPROC byOrdinal = ::GetProcAddress(library, MAKEINTRESOURCEA(ordinal));
        EXPECT_NE(byOrdinal, nullptr);
        EXPECT_EQ(byOrdinal, ::GetProcAddress(library, names[ordinal - 1]));
    }
    ::FreeLibrary(library);
}

TEST(KqCheckExports, ComputerNameIsTheHostName)
{
    CheckFolder folder("name");
    ASSERT_TRUE(folder.Start("name " + Quoted(folder.Path("name.txt"))));
    EXPECT_EQ(folder.Result(), 0);
    char expected[256] = {};
    WSADATA data = {};
    ::WSAStartup(MAKEWORD(2, 2), &data);
    ASSERT_EQ(::gethostname(expected, sizeof expected), 0);
    ::WSACleanup();
    EXPECT_EQ(kq::standin::ReadBytes(folder.Path("name.txt")), expected);
}

TEST(KqCheckExports, RebootOnlyReachesItsSeam)
{
    CheckFolder folder("reboot");
    const kq::standin::TraceFile trace(folder.Path("trace.txt"));
    ASSERT_TRUE(folder.Start("reboot"));
    EXPECT_EQ(folder.Result(), 1);
    EXPECT_EQ(trace.Read(), "KqCheck RequestRestart flags=0x2\n");
}

// ---- KqTest: paths, counter, verdict -----------------------------------------

TEST(KqTest, NoPathIsRefusedAndNothingIsWritten)
{
    CheckFolder folder("nopath");
    ASSERT_TRUE(folder.Start("test - 1"));
    EXPECT_EQ(folder.Result(), kNoPath);
    EXPECT_EQ(kq::standin::ReadBytes(folder.Ini()), kPassingIni);
}

TEST(KqTest, TheCountRisesWithEachCall)
{
    CheckFolder folder("count");
    for (const char* expected : {"1", "2", "3"}) {
        ASSERT_TRUE(folder.StartTest(kModeWithoutSound));
        EXPECT_EQ(folder.Result(), kPassed);
        EXPECT_EQ(folder.Get("STARTCOUNT", "count"), expected);
    }
}

TEST(KqTest, ModeTenExaminesTheFolderStudentIni)
{
    CheckFolder folder("folder");
    ASSERT_TRUE(folder.Start("test " + Quoted(folder.Folder()) + " 10"));
    EXPECT_EQ(folder.Result(), kPassed);
    EXPECT_EQ(folder.Get("STARTCOUNT", "count"), "1");

    // Without its operating systems the same folder fails.
    folder.Set("OS", nullptr, nullptr);
    folder.Set("STARTCOUNT", "count", "6"); // past maxcount: no window
    ASSERT_TRUE(folder.Start("test " + Quoted(folder.Folder()) + " 10"));
    EXPECT_EQ(folder.Result(), kNoPath);
}

TEST(KqTest, PastMaxcountNoWindowOnlyTheVerdict)
{
    CheckFolder folder("maxcount");
    folder.Set("DIRECTX", "ver", "10"); // the stand-in reports DirectX 9
    folder.Set("STARTCOUNT", "count", "6");
    folder.Set("STARTCOUNT", "maxcount", "5");
    ASSERT_TRUE(folder.StartTest(kModeWithoutSound));
    EXPECT_EQ(folder.Result(), kFailed);
    EXPECT_EQ(folder.Get("STARTCOUNT", "count"), "7");
}

TEST(KqTest, NotAFixedDiskCountsInTheRegistryAndSkipsTheAdapters)
{
    CheckFolder folder("removable");
    folder.Set("NETADAPTER", "IPADDRESS", "0.0.0.0"); // would ask on a fixed disk
    folder.Set("DISPLAY", "widthmax", "800");          // fails, but no maxcount: never a window
    folder.Set("STARTCOUNT", "maxcount", nullptr);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "kqcheck");
    ::SetEnvironmentVariableA("KQ_TEST_DRIVE", "removable");
    DWORD counts[2] = {};
    for (DWORD& count : counts) {
        ASSERT_TRUE(folder.StartTest(kModeWithoutSound));
        EXPECT_EQ(folder.Result(), kDisplayOrSound);
        HKEY key = nullptr;
        ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "kqcheck", 0, KEY_READ, &key), ERROR_SUCCESS);
        DWORD size = sizeof count;
        EXPECT_EQ(::RegQueryValueExA(key, "count", nullptr, nullptr, reinterpret_cast<BYTE*>(&count), &size),
                  ERROR_SUCCESS);
        ::RegCloseKey(key);
    }
    ::SetEnvironmentVariableA("KQ_TEST_DRIVE", nullptr);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "kqcheck");
    EXPECT_EQ(counts[0], 1u);
    EXPECT_EQ(counts[1], 2u);
    EXPECT_EQ(folder.Get("STARTCOUNT", "count"), "(absent)");
    EXPECT_EQ(folder.Get("NETADAPTER", "IPADDRESS"), "0.0.0.0");
}

// ---- The result window ----------------------------------------------------------

TEST(CheckResultDlg, ListsTheDisplayFailureAndEndsOnTheCloseRequest)
{
    CheckFolder folder("display");
    folder.Set("DISPLAY", "widthmax", "800");
    ASSERT_TRUE(folder.StartTest(kModeWithoutSound, " worker"));
    HWND window = folder.WaitForWindow(kq::kCheckTitle);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ControlText(::GetDlgItem(window, kTextId)), Block("显示模式：", kDisplayMessage));

    // Winsock and DirectX passed: their buttons are disabled and do nothing.
    for (int id : {kDirectXId, kWinsockId}) {
        HWND button = ::GetDlgItem(window, id);
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(::IsWindowEnabled(button));
        ::SendMessageA(button, BM_CLICK, 0, 0);
    }
    EXPECT_EQ(folder.WaitForWindow(nullptr, 0), window); // no message box

    const std::vector<std::string> faults = kqtest::LayoutFaults(window);
    EXPECT_TRUE(faults.empty()) << faults.front();
    EXPECT_TRUE(kqtest::SaveScreenShot(window, "kqcheck-result"));

    // 0x401 with other parameters is DM_SETDEFID: the window stays.
    ::PostMessageA(window, WM_CHECK_CLOSE, 1, 0);
    EXPECT_EQ(folder.Result(500), static_cast<int>(STILL_ACTIVE));
    ::PostMessageA(window, WM_CHECK_CLOSE, 0, 0);
    EXPECT_EQ(folder.Result(), kClosed);
}

TEST(CheckResultDlg, OkGivesTheVerdict)
{
    CheckFolder folder("display-ok");
    folder.Set("DISPLAY", "widthmax", "800");
    ASSERT_TRUE(folder.StartTest(kModeWithoutSound));
    HWND window = folder.WaitForWindow(kq::kCheckTitle);
    ASSERT_NE(window, nullptr);
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(kOkId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, kOkId)));
    EXPECT_EQ(folder.Result(), kDisplayOrSound);
    EXPECT_EQ(folder.Get("STARTCOUNT", "count"), "1");
}

// The DirectX requirement fails (the stand-in reports DirectX 9): its
// installer button starts the installer, which a probe records.
struct InstallerCase {
    const char* what;
    int mode;
    bool folderPath;         // KqTest gets the folder (modes 0 and 10) or the ini file
    const char* installer;   // where the probe lies; null for none
};

class Installers : public ::testing::TestWithParam<InstallerCase> {};

TEST_P(Installers, DirectXButtonStartsTheInstallerOrSaysItIsMissing)
{
    const InstallerCase& c = GetParam();
    CheckFolder folder(std::string("installer-") + std::to_string(c.mode) + (c.installer ? "" : "-missing"));
    folder.Set("DIRECTX", "ver", "10");
    std::string probe;
    if (c.installer != nullptr) {
        probe = folder.Path(c.installer);
        ::CreateDirectoryA(folder.Path("DirectX").c_str(), nullptr);
        ASSERT_TRUE(::CopyFileA((ProgramFolder() + "InstallerProbe.exe").c_str(), probe.c_str(), FALSE));
    }
    const std::string path = c.folderPath ? folder.Folder() : folder.Ini();
    ASSERT_TRUE(folder.Start("test " + Quoted(path) + " " + std::to_string(c.mode)));
    HWND window = folder.WaitForWindow(kq::kCheckTitle);
    ASSERT_NE(window, nullptr);
    const std::string text = ControlText(::GetDlgItem(window, kTextId));
    EXPECT_NE(text.find(Block("检测DIRECTX：", kDirectXMessage)), std::string::npos) << text;
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, kWinsockId)));

    HWND directX = ::GetDlgItem(window, kDirectXId);
    ASSERT_TRUE(::IsWindowEnabled(directX));
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(kDirectXId, BN_CLICKED), reinterpret_cast<LPARAM>(directX));
    if (c.installer != nullptr) {
        EXPECT_TRUE(WaitUntil([&] { return FileExists(probe + ".started"); })) << probe;
    } else {
        HWND message = folder.WaitForWindowWith(kMessageLabelId);
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(ControlText(::GetDlgItem(message, kMessageLabelId)), kInstallerMissing);
        EXPECT_TRUE(kqtest::LayoutFaults(message).empty());
        EXPECT_TRUE(kqtest::SaveScreenShot(message, "kqcheck-installer-missing"));
        ::PostMessageA(message, WM_COMMAND, MAKEWPARAM(kMessageOkId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(message, kMessageOkId)));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(message); }));
    }
    // The window stays until OK.
    EXPECT_TRUE(::IsWindowVisible(window));
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(kOkId, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, kOkId)));
    EXPECT_EQ(folder.Result(), kFailed);
}

INSTANTIATE_TEST_SUITE_P(
    KqTest, Installers,
    ::testing::Values(InstallerCase{"mode 0: the folder's Setup.exe", 0, true, "Setup.exe"},
                      InstallerCase{"mode 10: the DirectX subfolder", 10, true, "DirectX\\Setup.exe"},
                      InstallerCase{"mode 1: beside the ini file", 1, false, "DirectX\\Setup.exe"},
                      InstallerCase{"mode 1, no installer", 1, false, nullptr}),
    [](const ::testing::TestParamInfo<InstallerCase>& info) {
        return "Mode" + std::to_string(info.param.mode) + (info.param.installer ? "" : "Missing");
    });

// ---- The adapter choice -----------------------------------------------------------

TEST(AdapterCheck, TwoAddressesAndNoneStoredAskAndWriteBesideTheHost)
{
    CheckFolder folder("adapters");
    // The file under examination lies elsewhere: the choice goes beside the host.
    ::CreateDirectoryA(folder.Path("exam").c_str(), nullptr);
    const std::string examined = folder.Path("exam\\student.ini");
    ASSERT_TRUE(WriteFileText(examined, kPassingIni));
    folder.Set("NETADAPTER", "IPADDRESS", "0.0.0.0");
    folder.Set("NETADAPTER", "IPADDRESS", "0.0.0.0", examined);

    ASSERT_TRUE(folder.Start("test " + Quoted(examined) + " 11 worker"));
    HWND dialog = folder.WaitForWindowWith(kAdapterComboId);
    ASSERT_NE(dialog, nullptr);
    HWND combo = ::GetDlgItem(dialog, kAdapterComboId);
    ASSERT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    // The items through the edit field: an item's text read from another
    // process arrives in the wrong character width.
    EXPECT_EQ(::SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ControlText(combo), kFirstAddress);
    ::SendMessageA(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(ControlText(combo), kSecondAddress);
    ::SendMessageA(combo, CB_SETCURSEL, 0, 0);
    EXPECT_TRUE(kqtest::LayoutFaults(dialog).empty());
    EXPECT_TRUE(kqtest::SaveScreenShot(dialog, "kqcheck-adapter"));

    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    EXPECT_EQ(folder.Result(), kPassed);
    EXPECT_EQ(folder.Get("NETADAPTER", "IPADDRESS"), kFirstAddress);
    EXPECT_EQ(folder.Get("NETADAPTER", "IPADDRESS", examined), "0.0.0.0");
}

TEST(AdapterCheck, AStoredAddressOfThePcAsksNothing)
{
    CheckFolder folder("adapter-known");
    folder.Set("NETADAPTER", "IPADDRESS", kSecondAddress);
    ASSERT_TRUE(folder.StartTest(kModeWithoutSound));
    EXPECT_EQ(folder.Result(), kPassed);
    EXPECT_EQ(folder.Get("NETADAPTER", "IPADDRESS"), kSecondAddress);
}

// ---- KqDlg ------------------------------------------------------------------------

constexpr int kSingleId = 14005;
constexpr int kMultipleId = 14006;
constexpr int kListId = 14007;
constexpr int kDigitalId = 14008;
constexpr int kMultimediaId = 14009;

struct ChooserCase {
    const char* what;
    int mode;
    bool multiple;
    int classroomIndex; // the list's item, when multiple
    int edition;        // the edition button to click; 0 for none
    bool ok;
    int result;
};

class ModeChooser : public ::testing::TestWithParam<ChooserCase> {};

TEST_P(ModeChooser, ReturnsEditionAndClassroom)
{
    const ChooserCase& c = GetParam();
    CheckFolder folder("chooser");
    ASSERT_TRUE(folder.Start("dlg " + std::to_string(c.mode)));
    HWND chooser = folder.WaitForWindow("选择");
    ASSERT_NE(chooser, nullptr);
    HWND list = ::GetDlgItem(chooser, kListId);
    EXPECT_EQ(::SendMessageA(list, CB_GETCOUNT, 0, 0), 9);
    EXPECT_FALSE(::IsWindowEnabled(list));
    const bool fixedEdition = c.mode == 1 || c.mode == 2;
    EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(chooser, kDigitalId)) != FALSE, !fixedEdition);
    EXPECT_EQ(::SendMessageA(::GetDlgItem(chooser, kMultimediaId), BM_GETCHECK, 0, 0),
              c.mode == 2 ? BST_CHECKED : BST_UNCHECKED);

    if (c.multiple) {
        ::SendMessageA(::GetDlgItem(chooser, kMultipleId), BM_CLICK, 0, 0);
        EXPECT_TRUE(::IsWindowEnabled(list));
        ::SendMessageA(list, CB_SETCURSEL, c.classroomIndex, 0);
    }
    if (c.edition != 0)
        ::SendMessageA(::GetDlgItem(chooser, c.edition), BM_CLICK, 0, 0);
    if (c.ok)
        ::PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(chooser, IDOK)));
    else
        ::PostMessageA(chooser, WM_CLOSE, 0, 0);
    EXPECT_EQ(folder.Result(), c.result);
}

INSTANTIATE_TEST_SUITE_P(
    KqDlg, ModeChooser,
    ::testing::Values(ChooserCase{"three, digital", 3, true, 2, kDigitalId, true, 13},
                      ChooserCase{"nine, multimedia", 3, true, 8, kMultimediaId, true, 29},
                      ChooserCase{"closed without OK", 3, true, 4, kDigitalId, false, 20},
                      ChooserCase{"single classroom", 1, false, 0, 0, true, 0},
                      ChooserCase{"mode 2: the classroom only", 2, true, 1, 0, true, 2}),
    [](const ::testing::TestParamInfo<ChooserCase>& info) { return "Case" + std::to_string(info.index); });

TEST(ModeChooserLook, FitsItsDialog)
{
    CheckFolder folder("chooser-look");
    ASSERT_TRUE(folder.Start("dlg 3"));
    HWND chooser = folder.WaitForWindow("选择");
    ASSERT_NE(chooser, nullptr);
    const std::vector<std::string> faults = kqtest::LayoutFaults(chooser);
    EXPECT_TRUE(faults.empty()) << faults.front();
    EXPECT_TRUE(kqtest::SaveScreenShot(chooser, "kqcheck-chooser"));
    ::PostMessageA(chooser, WM_CLOSE, 0, 0);
    EXPECT_EQ(folder.Result(), 20);
}

} // namespace
