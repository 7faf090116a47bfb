// Teacher.exe's web access control (buttons 319 and 320), its web site list,
// the link list it sends to the students and the restrictions (642), driven
// from outside and read back from the stand-ins' traces, the files on disk,
// the dialogs' controls and a datagram probe on the classroom group of the
// test's private network.

#include "teacher/tests/TeachingSession.h"

#include "common/LinkListDatagram.h"
#include "common/MulticastSocket.h"
#include "standins/common/tests/RemoteList.h"
#include "standins/common/tests/StandinTestSupport.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using kqtest::Selection;
using kqtest::SendLine;
using kqtest::TeachingSession;
using kqtest::WaitFor;
using kq::standin::RemoteList;

// The shipped settings: classroom 0 on 227.1.1.7, main port 2002, share port 8080.
constexpr char kClassroomGroup[] = "227.1.1.7";
constexpr uint16_t kLinkListPort = 2012;
constexpr char kSharePortArgs[] = "901f"; // 8080 as the u16 at 5

constexpr UINT kFunctionPanelId = 1000;
constexpr UINT kWebControl = 319;
constexpr UINT kWebShare = 320;
constexpr UINT kRestrictions = 642;

// Web site list and entry dialog.
constexpr int kListId = 717;
constexpr int kAddId = 707;
constexpr int kEditId = 709;
constexpr int kDeleteId = 711;
constexpr int kListCloseId = 710;
constexpr int kNameId = 701;
constexpr int kFileId = 718;
constexpr int kEntryOkId = 706;
constexpr int kEntryCloseId = 705;
constexpr int kBrowseId = 708;

// Restrictions dialog.
constexpr int kTabsId = 725;
constexpr int kOkId = 706;
constexpr int kCancelId = 705;
constexpr int kFirstSwitchId = 900;
constexpr int kSwitchCount = 28;

constexpr DWORD kQuietMs = 600;
constexpr DWORD kBoxPatienceMs = 800;
constexpr DWORD kNothingMs = 2000;

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// ---- The classroom group as a student PC hears it ----

struct Heard {
    uint32_t kind = 0;
    size_t size = 0;
    std::string text; // kind 20
};

class Probe {
public:
    Probe()
    {
        m_ready = m_socket.Create(inet_addr(kClassroomGroup), htons(kLinkListPort), nullptr, 1) == 1 &&
                  m_socket.JoinGroup(nullptr, 1) == 1;
    }
    bool Ready() const { return m_ready; }

    // Sent as a student PC does, from a port of its own.
    void Send(const void* data, int size)
    {
        sockaddr_in group = {};
        group.sin_family = AF_INET;
        group.sin_addr.s_addr = inet_addr(kClassroomGroup);
        group.sin_port = htons(kLinkListPort);
        SOCKET student = ::socket(AF_INET, SOCK_DGRAM, 0);
        ::sendto(student, static_cast<const char*>(data), size, 0, reinterpret_cast<const sockaddr*>(&group),
                 sizeof group);
        ::closesocket(student);
    }
    // A student's request for the list.
    void Request()
    {
        const kq::LinkListShort request = kq::MakeLinkListShort(kq::kLinkListRequest);
        Send(&request, sizeof request);
    }
    // What the teacher sent (from the classroom port) until the group stays
    // quiet for `quietMs`; what the probe sent itself is left out.
    std::vector<Heard> Drain(DWORD quietMs = kQuietMs)
    {
        std::vector<Heard> heard;
        char buffer[600];
        for (DWORD last = ::GetTickCount(); ::GetTickCount() - last < quietMs; ::Sleep(2)) {
            DWORD length = 0;
            while (m_socket.RecvFrom(buffer, sizeof buffer, &length)) {
                last = ::GetTickCount();
                if (length < sizeof(uint32_t) || m_socket.FromAddress().sin_port != htons(kLinkListPort))
                    continue;
                Heard h;
                std::memcpy(&h.kind, buffer, sizeof h.kind);
                h.size = length;
                if (h.kind == kq::kLinkListAdd)
                    h.text.assign(buffer + 4, ::strnlen(buffer + 4, length - 4));
                heard.push_back(h);
            }
        }
        return heard;
    }

private:
    CMulticastSocket m_socket;
    bool m_ready = false;
};

// The entries heard, in order (the notices between them left out).
std::vector<std::string> Texts(const std::vector<Heard>& heard)
{
    std::vector<std::string> texts;
    for (const Heard& h : heard) {
        if (h.kind != kq::kLinkListAdd)
            continue;
        EXPECT_EQ(h.size, sizeof(kq::LinkListEntry));
        texts.push_back(h.text);
    }
    return texts;
}

int CountKind(const std::vector<Heard>& heard, uint32_t kind, size_t size)
{
    int count = 0;
    for (const Heard& h : heard)
        count += h.kind == kind && h.size == size ? 1 : 0;
    return count;
}

// ---- Windows of Teacher.exe ----

// The visible top-level window of the teacher that holds control `id`.
HWND DialogWith(TeachingSession& session, int id, DWORD timeoutMs = 5000)
{
    return kq::standin::WaitForProcessWindow(
        session.Install().ProcessId(),
        [id](HWND window) { return ::IsWindowVisible(window) && ::GetDlgItem(window, id) != nullptr; }, timeoutMs);
}

bool Gone(HWND window)
{
    return WaitFor([window] { return !::IsWindow(window) || !::IsWindowVisible(window); }, 5000);
}

void Click(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void SetText(HWND dialog, int id, const std::string& text)
{
    ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// How many pixels of the button's middle row differ from face `faceId`.
int FaceMismatches(TeachingSession& session, UINT button, UINT faceId)
{
    HWND panel = ::GetDlgItem(session.Main(), kFunctionPanelId);
    HWND window = ::GetDlgItem(panel, button);
    HMODULE resources = ::LoadLibraryExA(session.Install().PathOf("resource.dll").c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE);
    HBITMAP face = ::LoadBitmapA(resources, MAKEINTRESOURCEA(faceId));
    BITMAP info = {};
    ::GetObjectA(face, sizeof info, &info);
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(memory, face);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    session.Settle();
    // The screen's pixels: another process's window shows only there.
    POINT origin = {0, 0};
    ::ClientToScreen(window, &origin);
    HDC screen = ::GetDC(nullptr);
    const int row = info.bmHeight / 2;
    int mismatches = face == nullptr || window == nullptr ? -1 : 0;
    for (int x = 0; mismatches >= 0 && x < info.bmWidth; ++x)
        mismatches += ::GetPixel(screen, origin.x + x, origin.y + row) != ::GetPixel(memory, x, row) ? 1 : 0;
    ::ReleaseDC(nullptr, screen);
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::DeleteObject(face);
    ::FreeLibrary(resources);
    return mismatches;
}

// Every visible child of `window` (and of its children) lies inside its
// client area: nothing is cut off by the dialog's edge.
void ExpectControlsInside(HWND window)
{
    RECT client = {};
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    struct Check {
        RECT client;
        int outside = 0;
        std::string names;
    } check{client, 0, {}};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            auto* c = reinterpret_cast<Check*>(param);
            RECT rect = {};
            ::GetWindowRect(child, &rect);
            if (::IsWindowVisible(child) && (rect.left < c->client.left || rect.top < c->client.top ||
                                             rect.right > c->client.right || rect.bottom > c->client.bottom)) {
                ++c->outside;
                c->names += std::to_string(::GetDlgCtrlID(child)) + " ";
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&check));
    EXPECT_EQ(check.outside, 0) << "controls outside: " << check.names;
}

// The window as it is on the screen, as a bitmap file, when KQ_SHOTS names
// a folder (for a person to look at).
void KeepPicture(HWND window, const char* name)
{
    char folder[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("KQ_SHOTS", folder, sizeof folder) == 0)
        return;
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    constexpr DWORD kPaintedMs = 500;
    ::Sleep(kPaintedMs);
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP picture = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, picture);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER header = {0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) +
                                                          stride * height),
                               0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::ofstream file(std::string(folder) + "\\" + name + ".bmp", std::ios::binary);
    file.write(reinterpret_cast<const char*>(&header), sizeof header);
    file.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    file.write(static_cast<const char*>(bits), stride * height);
    ::SelectObject(memory, previous);
    ::DeleteObject(picture);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

// ---- A teacher with a web site file of its own ----

class WebSession {
public:
    explicit WebSession(const std::vector<std::string>& environment = {},
                        const std::vector<TeachingSession::IniValue>& ini = {})
        : session(ini, environment)
    {
    }

    // The install's web site file with the given "name=file" pairs; each
    // file made in the install folder (a file ending in "!" is left out).
    void WriteSites(const std::vector<std::string>& pairs, const std::string& siteFile = "WebSites.ini")
    {
        std::string text = "[WebName]\r\n";
        for (const std::string& pair : pairs)
            text += pair.substr(0, pair.find('=') + 1) + Html(pair.substr(pair.find('=') + 1)) + "\r\n";
        WriteFileBytes(session.Install().PathOf(siteFile), text);
    }
    // The full path of an HTML file in the install folder, made when missing.
    std::string Html(const std::string& file)
    {
        const std::string path = session.Install().PathOf(file);
        if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            WriteFileBytes(path, "<html></html>");
        return path;
    }
    std::string SitesFile() { return ReadFileBytes(session.Install().PathOf("WebSites.ini")); }

    // Proxyward's calls since the last look, without the class factory's.
    std::vector<std::string> ServiceCalls()
    {
        session.Settle();
        std::vector<std::string> calls;
        std::istringstream lines(session.Install().Trace());
        std::string line;
        size_t index = 0;
        while (std::getline(lines, line)) {
            if (line.rfind("Proxyward ", 0) != 0 || line.find("Dll") != std::string::npos)
                continue;
            if (index++ < m_seenCalls)
                continue;
            while (!line.empty() && line.back() == '\r')
                line.pop_back();
            calls.push_back(line.substr(sizeof "Proxyward " - 1));
        }
        m_seenCalls = index;
        return calls;
    }
    std::string StartCall(int mode, const std::string& siteFile = "WebSites.ini")
    {
        return "Start sharePort=8080 mode=" + std::to_string(mode) + " siteFile=" + session.Install().PathOf(siteFile) +
               " direct=1 proxy=0.0.0.0:8080 user= password=empty options=3";
    }

    // Opens the web site list with 320 and returns it (null when none came).
    HWND OpenList()
    {
        session.Command(kWebShare);
        return DialogWith(session, kListId);
    }
    void CloseList(HWND list)
    {
        Click(list, kListCloseId);
        EXPECT_TRUE(Gone(list));
        session.Settle();
    }
    // Opens the entry dialog with `button` of the list, fills it, presses
    // OK; the text of the box that comes up (empty when none) and whether
    // the entry dialog closed.
    std::string Enter(HWND list, int button, const std::string& name, const std::string& file)
    {
        Click(list, button);
        HWND entry = DialogWith(session, kBrowseId);
        if (entry == nullptr)
            return "(no entry dialog)";
        SetText(entry, kNameId, name);
        SetText(entry, kFileId, file);
        Click(entry, kEntryOkId);
        const std::string box = session.TakeBox("Warning", kBoxPatienceMs);
        if (::IsWindow(entry) && ::IsWindowVisible(entry)) {
            Click(entry, kEntryCloseId);
            Gone(entry);
        }
        session.Settle();
        return box;
    }

    TeachingSession session;

private:
    size_t m_seenCalls = 0;
};

bool Has(const std::string& box, TeachingSession& session, UINT id)
{
    return !box.empty() && box.find(session.String(id)) != std::string::npos;
}

// ---- 319 and 320 ----

struct Press {
    UINT button;
    std::vector<std::string> calls; // Proxyward's, in order
    bool filterOn, sitesOn;         // the faces of 319 and 320 afterwards
    bool sends38;
    bool opensList;
    int closes; // kind-18 datagrams
};

TEST(WebAccess, PressesFromEachState)
{
    Probe probe;
    ASSERT_TRUE(probe.Ready());
    WebSession web;
    ASSERT_TRUE(web.session.Started());
    web.WriteSites({"新闻=news.htm", "Maths=maths.htm"});
    web.ServiceCalls();
    web.session.NewSends();

    const Press presses[] = {
        // 0 -> 319 -> 319: the filter on and off again.
        {kWebControl, {"IsRunning", web.StartCall(2)}, true, false, false, false, 0},
        {kWebControl, {"Stop"}, false, false, false, false, 0},
        // 0 -> 320: sites shared; the students' browsers are pointed at the proxy.
        {kWebShare, {"IsRunning", web.StartCall(1)}, false, true, true, true, 0},
        // 2 -> 319 -> 3; 3 -> 319 -> 2.
        {kWebControl, {"IsRunning", "ChangeMode mode=0"}, true, true, false, false, 0},
        {kWebControl, {"IsRunning", "ChangeMode mode=1"}, false, true, false, false, 0},
        // 2 -> 320: off; the students' link lists close.
        {kWebShare, {"Stop"}, false, false, false, false, 10},
        // 0 -> 319 -> 1; 1 -> 320 -> 3; 3 -> 320 -> 1.
        {kWebControl, {"IsRunning", web.StartCall(2)}, true, false, false, false, 0},
        {kWebShare, {"IsRunning", "ChangeMode mode=0"}, true, true, true, true, 0},
        {kWebShare, {"IsRunning", "ChangeMode mode=2"}, true, false, false, false, 0},
    };
    int step = 0;
    for (const Press& press : presses) {
        SCOPED_TRACE("press " + std::to_string(++step) + " of " + std::to_string(press.button));
        web.session.Command(press.button);
        if (press.opensList) {
            HWND list = DialogWith(web.session, kListId);
            ASSERT_NE(list, nullptr);
            web.CloseList(list);
        }
        EXPECT_EQ(web.ServiceCalls(), press.calls);
        const std::vector<std::string> sends = web.session.NewSends();
        if (press.sends38) {
            ASSERT_EQ(sends.size(), 1u) << Joined(sends);
            EXPECT_EQ(sends[0], SendLine(38, 0, 0, "") + " args=" + kSharePortArgs);
        } else {
            EXPECT_TRUE(sends.empty()) << Joined(sends);
        }
        const std::vector<Heard> heard = probe.Drain();
        EXPECT_EQ(CountKind(heard, kq::kLinkListClose, sizeof(kq::LinkListShort)), press.closes);
        EXPECT_EQ(FaceMismatches(web.session, kWebControl,
                                 press.filterOn ? TeacherRes::IDB_WEB_CONTROL_ON_UP : TeacherRes::IDB_WEB_CONTROL_UP),
                  0);
        EXPECT_EQ(FaceMismatches(web.session, kWebShare,
                                 press.sitesOn ? TeacherRes::IDB_WEB_SHARE_ON_UP : TeacherRes::IDB_WEB_SHARE_UP),
                  0);
    }
}

TEST(WebAccess, TheLinkListGoesOutOnRequestWhileSitesAreShared)
{
    Probe probe;
    ASSERT_TRUE(probe.Ready());
    WebSession web;
    ASSERT_TRUE(web.session.Started());
    web.WriteSites({"新闻=news.htm", "Maths=maths.htm", "美术=art.htm"});
    const std::vector<std::string> sites = {"新闻", "Maths", "美术"};

    // State 0 and state 1 answer nothing.
    probe.Request();
    EXPECT_TRUE(probe.Drain().empty());
    web.session.Command(kWebControl);
    probe.Request();
    EXPECT_TRUE(probe.Drain().empty());

    // State 3 (filter and sites), then state 2.
    HWND list = web.OpenList();
    ASSERT_NE(list, nullptr);
    web.CloseList(list);
    probe.Drain();
    for (int state : {3, 2}) {
        SCOPED_TRACE(state);
        if (state == 2)
            web.session.Command(kWebControl);
        probe.Request();
        EXPECT_EQ(Texts(probe.Drain()), sites);
    }

    // The teacher's own kinds looped back start nothing.
    const kq::LinkListShort clear = kq::MakeLinkListShort(kq::kLinkListClear);
    const kq::LinkListEntry entry = kq::MakeLinkListEntry("looped back");
    probe.Send(&clear, sizeof clear);
    probe.Send(&entry, sizeof entry);
    EXPECT_TRUE(probe.Drain(kNothingMs).empty());
}

TEST(WebAccess, RequestsWhileTheListChangesGetWholeRoundsAndClosingEndsCleanly)
{
    Probe probe;
    ASSERT_TRUE(probe.Ready());
    WebSession web;
    ASSERT_TRUE(web.session.Started());
    web.WriteSites({"a=a.htm", "b=b.htm"});
    HWND list = web.OpenList();
    ASSERT_NE(list, nullptr);
    probe.Drain();

    // Thirty requests spread over the time the sites are added.
    std::atomic<bool> asking{true};
    std::thread students([&] {
        for (int i = 0; i < 30 && asking; ++i) {
            probe.Request();
            ::Sleep(100);
        }
    });
    for (const char* name : {"c", "d", "e"})
        EXPECT_EQ(web.Enter(list, kAddId, name, web.Html(std::string(name) + ".htm")), "") << name;
    asking = false;
    students.join();
    probe.Request();
    const std::vector<std::string> order = {"a", "b", "c", "d", "e"};
    // Every round is the list as it was at some moment: a, b, ... up to
    // where it had grown, never a part of one or a mix.
    const std::vector<std::string> texts = Texts(probe.Drain());
    ASSERT_FALSE(texts.empty());
    size_t lastLength = 0;
    for (size_t at = 0; at < texts.size();) {
        size_t length = 0;
        while (at + length < texts.size() && length < order.size() && texts[at + length] == order[length] &&
               (length == 0 || texts[at + length] != order[0]))
            ++length;
        ASSERT_GE(length, 2u) << "a round cut short at " << at << ":\n" << Joined(texts);
        ASSERT_GE(length, lastLength) << Joined(texts);
        lastLength = length;
        at += length;
    }
    EXPECT_EQ(lastLength, order.size());
    web.CloseList(list);

    // Closing while requests keep coming: the program ends by itself.
    asking = true;
    std::thread more([&] {
        for (int i = 0; i < 100 && asking; ++i) {
            probe.Request();
            ::Sleep(5);
        }
    });
    ::Sleep(100);
    ::PostMessageA(web.session.Main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(web.session.Install().WaitForExit());
    asking = false;
    more.join();
    DWORD code = 1;
    EXPECT_TRUE(web.session.Install().ExitCode(code));
    EXPECT_EQ(code, 0u);
}

// ---- The web site list ----

TEST(WebSiteList, OpeningListsTheFileAndEveryChangeReachesFileServiceAndStudents)
{
    Probe probe;
    ASSERT_TRUE(probe.Ready());
    WebSession web;
    ASSERT_TRUE(web.session.Started());
    web.WriteSites({"新闻=news.htm", "Maths=maths.htm"});
    const std::string news = web.Html("news.htm");
    const std::string maths = web.Html("maths.htm");
    const std::string art = web.Html("art.htm");

    web.session.Command(kWebShare);
    HWND dialog = DialogWith(web.session, kListId);
    ASSERT_NE(dialog, nullptr);
    KeepPicture(dialog, "web-site-list");
    ExpectControlsInside(dialog);
    RemoteList list(::GetDlgItem(dialog, kListId));
    EXPECT_EQ(list.Rows(2), (std::vector<std::string>{"新闻=" + news, "Maths=" + maths}));
    // Opening empties the students' lists: four notices and nothing else.
    const std::vector<Heard> opened = probe.Drain();
    EXPECT_EQ(CountKind(opened, kq::kLinkListClear, sizeof(kq::LinkListShort)), 4);
    EXPECT_EQ(opened.size(), 4u);
    web.ServiceCalls();

    struct Change {
        const char* name;
        std::function<void()> make;
        std::vector<std::string> rows; // afterwards
        std::string file;              // afterwards
    };
    const std::string head = "[WebName]\r\n";
    const Change changes[] = {
        {"add", [&] { EXPECT_EQ(web.Enter(dialog, kAddId, " 美术 ", art), ""); },
         {"新闻=" + news, "Maths=" + maths, "美术=" + art},
         head + "新闻=" + news + "\r\nMaths=" + maths + "\r\n美术=" + art + "\r\n\r\n"},
        {"edit the file of Maths",
         [&] {
             list.Select(1);
             EXPECT_EQ(web.Enter(dialog, kEditId, "Maths", news), "");
         },
         {"新闻=" + news, "Maths=" + news, "美术=" + art},
         head + "新闻=" + news + "\r\n美术=" + art + "\r\nMaths=" + news + "\r\n\r\n"},
        {"rename in place, ended with Enter",
         [&] {
             list.Select(0);
             HWND edit = reinterpret_cast<HWND>(::SendMessageA(list.Handle(), LVM_EDITLABELA, 0, 0));
             ASSERT_NE(edit, nullptr);
             ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("要闻"));
             ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
             ::PostMessageA(edit, WM_KEYUP, VK_RETURN, 0);
             web.session.Settle();
             EXPECT_EQ(DialogWith(web.session, kBrowseId, 500), nullptr) << "Enter opened the add dialog";
         },
         {"要闻=" + news, "Maths=" + news, "美术=" + art},
         head + "美术=" + art + "\r\nMaths=" + news + "\r\n要闻=" + news + "\r\n\r\n"},
        {"delete",
         [&] {
             list.Select(1);
             Click(dialog, kDeleteId);
         },
         {"要闻=" + news, "美术=" + art}, head + "美术=" + art + "\r\n要闻=" + news + "\r\n\r\n"},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.name);
        change.make();
        web.session.Settle();
        EXPECT_EQ(list.Rows(2), change.rows);
        EXPECT_EQ(web.SitesFile(), change.file);
        EXPECT_EQ(web.ServiceCalls(), std::vector<std::string>{"ReloadSites"});
        EXPECT_EQ(CountKind(probe.Drain(), kq::kLinkListClear, sizeof(kq::LinkListShort)), 4);
        // A student asking now gets the list as the rows show it.
        probe.Request();
        std::vector<std::string> names;
        for (const std::string& row : change.rows)
            names.push_back(row.substr(0, row.find('=')));
        EXPECT_EQ(Texts(probe.Drain()), names);
    }

    // Names that differ only in letter case are the same site.
    EXPECT_EQ(web.Enter(dialog, kAddId, "Art", maths), "");
    EXPECT_TRUE(Has(web.Enter(dialog, kAddId, "ART", news), web.session, TeacherRes::IDS_SITE_ALREADY_LISTED));
    list.Select(0);
    EXPECT_TRUE(Has(web.Enter(dialog, kEditId, "art", news), web.session, TeacherRes::IDS_SITE_NAME_TAKEN));
    // A row may change the case of its own name.
    list.Select(2);
    EXPECT_EQ(web.Enter(dialog, kEditId, "ART", news), "");
    EXPECT_EQ(list.Text(2, 0), "ART");
    EXPECT_EQ(web.SitesFile(), head + "美术=" + art + "\r\n要闻=" + news + "\r\nART=" + news + "\r\n\r\n");
    web.CloseList(dialog);
}

TEST(WebSiteList, EntryChecksAndRenamesInPlaceAreChecked)
{
    WebSession web;
    ASSERT_TRUE(web.session.Started());
    web.WriteSites({"Maths=maths.htm", "美术=art.htm"});
    const std::string html = web.Html("page.htm");
    const std::string folder = web.session.Install().Folder();
    HWND dialog = web.OpenList();
    ASSERT_NE(dialog, nullptr);
    const std::string before = web.SitesFile();

    struct Case {
        std::string name, file;
        UINT box;
    };
    std::vector<Case> cases = {
        {"", html, TeacherRes::IDS_SITE_NAME_EMPTY},
        {"   ", html, TeacherRes::IDS_SITE_NAME_EMPTY},
        {std::string(51, 'n'), html, TeacherRes::IDS_SITE_NAME_TOO_LONG},
        {"a", "page.htm", TeacherRes::IDS_PATH_REJECTED},
        {"a", folder, TeacherRes::IDS_FILE_MISSING},
        {"a", folder + "\\none.htm", TeacherRes::IDS_FILE_MISSING},
    };
    for (const char forbidden : std::string("\"#%*,/:<>?@|="))
        cases.push_back({std::string("a") + forbidden + "b", html, TeacherRes::IDS_SITE_NAME_BAD_CHARACTER});
    // One entry dialog for the whole table: a refused entry keeps it open.
    Click(dialog, kAddId);
    HWND entry = DialogWith(web.session, kBrowseId);
    ASSERT_NE(entry, nullptr);
    KeepPicture(entry, "web-site-entry");
    ExpectControlsInside(entry);
    for (const Case& c : cases) {
        SCOPED_TRACE("name '" + c.name + "' file '" + c.file + "'");
        SetText(entry, kNameId, c.name);
        SetText(entry, kFileId, c.file);
        Click(entry, kEntryOkId);
        EXPECT_TRUE(Has(web.session.TakeBox(), web.session, c.box));
        EXPECT_TRUE(::IsWindowVisible(entry));
    }
    Click(entry, kEntryCloseId);
    EXPECT_TRUE(Gone(entry));
    EXPECT_EQ(web.SitesFile(), before);

    // The same name checks on a rename in place; the label keeps its name.
    RemoteList list(::GetDlgItem(dialog, kListId));
    for (const auto& [name, box] : std::vector<std::pair<std::string, UINT>>{
             {std::string(51, 'n'), TeacherRes::IDS_SITE_NAME_TOO_LONG},
             {"a=b", TeacherRes::IDS_SITE_NAME_BAD_CHARACTER},
             {"a|b", TeacherRes::IDS_SITE_NAME_BAD_CHARACTER},
             {"美术", TeacherRes::IDS_SITE_NAME_TAKEN}}) {
        SCOPED_TRACE(name);
        list.Select(0);
        HWND edit = reinterpret_cast<HWND>(::SendMessageA(list.Handle(), LVM_EDITLABELA, 0, 0));
        ASSERT_NE(edit, nullptr);
        ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_TRUE(Has(web.session.TakeBox(), web.session, box));
        EXPECT_EQ(list.Text(0, 0), "Maths");
    }
    EXPECT_EQ(web.SitesFile(), before);
    web.CloseList(dialog);
}

// ---- A missing, an unreadable web site file; failing calls; no object ----

TEST(WebSiteList, AMissingFileIsMadeByAddingAndAnUnreadableOneIsNeverWritten)
{
    WebSession web({}, {{"Other", "Database", "Missing.ini"}});
    ASSERT_TRUE(web.session.Started());
    const std::string missing = web.session.Install().PathOf("Missing.ini");
    web.ServiceCalls();

    web.session.Command(kWebShare);
    EXPECT_TRUE(Has(web.session.TakeBox(), web.session, TeacherRes::IDS_WEB_SITE_FILE_MISSING));
    HWND dialog = DialogWith(web.session, kListId);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(RemoteList(::GetDlgItem(dialog, kListId)).Count(), 0);
    EXPECT_EQ(web.Enter(dialog, kAddId, "Maths", web.Html("maths.htm")), "");
    web.CloseList(dialog);
    EXPECT_EQ(ReadFileBytes(missing), "[WebName]\r\nMaths=" + web.Html("maths.htm") + "\r\n\r\n");
    std::vector<std::string> calls = web.ServiceCalls();
    EXPECT_EQ(calls, (std::vector<std::string>{"IsRunning", "ReloadSites"}));
    EXPECT_TRUE(web.session.NewSends().empty());

    // Now the file is there: the next 320 starts the sharing.
    dialog = web.OpenList();
    ASSERT_NE(dialog, nullptr);
    web.CloseList(dialog);
    EXPECT_EQ(web.ServiceCalls(), (std::vector<std::string>{"IsRunning", web.StartCall(1, "Missing.ini")}));
    EXPECT_EQ(web.session.NewSends(), std::vector<std::string>{SendLine(38, 0, 0, "") + " args=" + kSharePortArgs});

    // A file that exists but cannot be read: every change is refused.
    const std::string bytes = ReadFileBytes(missing);
    HANDLE locked = ::CreateFileA(missing.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    web.session.Command(kWebShare); // 2 -> 0
    dialog = web.OpenList();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Has(web.Enter(dialog, kAddId, "Art", web.Html("art.htm")), web.session,
                    TeacherRes::IDS_WEB_SITE_FILE_MISSING));
    web.CloseList(dialog);
    ::CloseHandle(locked);
    EXPECT_EQ(ReadFileBytes(missing), bytes);
}

TEST(WebAccess, FailingCallsTurnTheControlOffAndTheProgramGoesOn)
{
    Probe probe;
    ASSERT_TRUE(probe.Ready());
    WebSession web({"KQ_PROXYWARD_Start=1,-2147467259", "KQ_PROXYWARD_ChangeMode=1",
                    "KQ_PROXYWARD_ReloadSites=-2147467259"});
    ASSERT_TRUE(web.session.Started());
    web.WriteSites({"Maths=maths.htm"});
    web.ServiceCalls();
    web.session.NewSends();
    const auto expectOff = [&] {
        EXPECT_EQ(FaceMismatches(web.session, kWebControl, TeacherRes::IDB_WEB_CONTROL_UP), 0);
        EXPECT_EQ(FaceMismatches(web.session, kWebShare, TeacherRes::IDB_WEB_SHARE_UP), 0);
        EXPECT_TRUE(web.session.NewSends().empty());
        probe.Request();
        EXPECT_TRUE(Texts(probe.Drain()).empty());
    };

    // A refused start (S_FALSE).
    web.session.Command(kWebControl);
    EXPECT_EQ(web.ServiceCalls(),
              (std::vector<std::string>{"IsRunning", web.StartCall(2), "Start scripted result=1"}));
    expectOff();

    // A failed start (a negative result): no code 38, but the list opens;
    // a failing reload changes nothing that shows.
    HWND dialog = web.OpenList();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(web.Enter(dialog, kAddId, "Art", web.Html("art.htm")), "");
    EXPECT_EQ(RemoteList(::GetDlgItem(dialog, kListId)).Count(), 2);
    web.CloseList(dialog);
    std::vector<std::string> calls = web.ServiceCalls();
    EXPECT_EQ(calls, (std::vector<std::string>{"IsRunning", web.StartCall(1), "Start scripted result=-2147467259",
                                               "ReloadSites", "ReloadSites scripted result=-2147467259"}));
    probe.Drain();
    expectOff();

    // A failing mode change stops the service.
    web.session.Command(kWebControl);
    web.ServiceCalls();
    dialog = web.OpenList();
    ASSERT_NE(dialog, nullptr);
    web.CloseList(dialog);
    EXPECT_EQ(web.ServiceCalls(),
              (std::vector<std::string>{"IsRunning", "ChangeMode mode=0", "ChangeMode scripted result=1", "Stop"}));
    probe.Drain();
    expectOff();
    EXPECT_TRUE(web.session.Install().Running());
}

TEST(WebAccess, WithoutTheObjectBothButtonsWarn)
{
    // Neither registered nor installed: the object cannot be had.
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "Proxyward.HttpService");
    kqtest::TeacherInstall install;
    install.CopyIn("teacher-recorder\\Lectern.dll", "Lectern.dll");
    ::DeleteFileA(install.PathOf("Proxyward.dll").c_str());
    char unavailable[512] = {};
    HMODULE resources = ::LoadLibraryExA(install.PathOf("resource.dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ::LoadStringA(resources, TeacherRes::IDS_WEB_CONTROL_UNAVAILABLE, unavailable, sizeof unavailable);
    ::FreeLibrary(resources);
    ASSERT_NE(unavailable[0], 0);
    const auto takeBox = [&install] {
        HWND box = install.FindWindowOf("Warning", 5000);
        if (box == nullptr)
            return std::string();
        const std::string text = kqtest::ChildTexts(box);
        ::PostMessageA(box, WM_CLOSE, 0, 0);
        WaitFor([box] { return !::IsWindow(box); }, 5000);
        return text;
    };

    ASSERT_TRUE(install.Start());
    // The start warns and goes on.
    EXPECT_NE(takeBox().find(unavailable), std::string::npos);
    HWND main = install.FindWindowOf("晨星电子教室");
    ASSERT_NE(main, nullptr);
    for (UINT button : {kWebControl, kWebShare}) {
        SCOPED_TRACE(button);
        ::PostMessageA(main, WM_COMMAND, button, 0);
        EXPECT_NE(takeBox().find(unavailable), std::string::npos);
        EXPECT_EQ(kq::standin::WaitForProcessWindow(
                      install.ProcessId(),
                      [](HWND w) { return ::IsWindowVisible(w) && ::GetDlgItem(w, kListId) != nullptr; }, 300),
                  nullptr);
    }
    EXPECT_FALSE(install.Traced("send code=38"));
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(install.WaitForExit());
}

// ---- Restrictions ----

class Restrictions : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(web.session.Started());
        registerIni = web.session.Install().PathOf("register.ini");
    }
    void BringOnline()
    {
        for (int seat = 1; seat <= 3; ++seat)
            web.session.Online(seat);
        web.session.NewSends();
    }
    HWND Open()
    {
        web.session.Command(kRestrictions);
        return DialogWith(web.session, kTabsId);
    }
    // Switch i's check box: a child of its page.
    HWND Switch(HWND dialog, int i)
    {
        struct Find {
            int id;
            HWND found = nullptr;
        } find{kFirstSwitchId + i};
        ::EnumChildWindows(
            dialog,
            [](HWND child, LPARAM param) -> BOOL {
                auto* f = reinterpret_cast<Find*>(param);
                if (::GetDlgCtrlID(child) == f->id)
                    f->found = child;
                return f->found == nullptr;
            },
            reinterpret_cast<LPARAM>(&find));
        return find.found;
    }
    std::string Pairs(const std::string& states)
    {
        std::string args = "1c00";
        static const char kHex[] = "0123456789abcdef";
        for (int i = 0; i < kSwitchCount; ++i)
            args += std::string{kHex[i >> 4], kHex[i & 15], '0', states[i]};
        while (args.size() > 2 && args.compare(args.size() - 2, 2, "00") == 0)
            args.resize(args.size() - 2); // the trace shows the parameters up to their last non-zero byte
        return args;
    }

    WebSession web;
    std::string registerIni;
};

TEST_F(Restrictions, RefusedWhenNobodyIsOnLineDisklessOrBusy)
{
    web.session.Command(kRestrictions);
    EXPECT_TRUE(Has(web.session.TakeBox(), web.session, TeacherRes::IDS_NO_SEAT_ONLINE));
    BringOnline();
    web.session.Event(6, 0); // diskless classroom
    web.session.TakeBox("Warning", 500);
    web.session.NewSends();
    web.session.Command(kRestrictions);
    EXPECT_TRUE(Has(web.session.TakeBox(), web.session, TeacherRes::IDS_DISKLESS_REFUSED));
    web.session.Event(9, 1); // a student that ignores switches logged on
    web.session.Command(kRestrictions);
    EXPECT_TRUE(Has(web.session.TakeBox(), web.session, TeacherRes::IDS_RESTRICT_REFUSED));
    EXPECT_EQ(DialogWith(web.session, kTabsId, 300), nullptr);
    EXPECT_TRUE(web.session.NewSends().empty());
    EXPECT_EQ(::GetFileAttributesA(registerIni.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Restrictions, OkStoresEverySwitchAndSendsThemAllCancelChangesNothing)
{
    BringOnline();
    WriteFileBytes(registerIni, "[28]\r\nlastchange=1\r\n");
    web.session.Select(Selection::One);

    // Cancel, Esc and the close button: nothing written, nothing sent.
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        HWND dialog = Open();
        ASSERT_NE(dialog, nullptr);
        ::SendMessageA(Switch(dialog, 0), BM_CLICK, 0, 0);
        if (way == 0)
            Click(dialog, kCancelId);
        else if (way == 1)
            ::PostMessageA(Switch(dialog, 0), WM_KEYDOWN, VK_ESCAPE, 0);
        else
            ::PostMessageA(dialog, WM_CLOSE, 0, 0);
        EXPECT_TRUE(Gone(dialog));
        EXPECT_TRUE(web.session.NewSends().empty());
        EXPECT_EQ(ReadFileBytes(registerIni), "[28]\r\nlastchange=1\r\n");
    }

    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    KeepPicture(dialog, "restrictions-first-page");
    ExpectControlsInside(dialog);
    // Section 28 is switch 27, on the second page.
    for (int i = 0; i < kSwitchCount; ++i)
        EXPECT_EQ(::SendMessageA(Switch(dialog, i), BM_GETCHECK, 0, 0), i == 27 ? BST_CHECKED : BST_UNCHECKED) << i;
    EXPECT_TRUE(::IsWindowVisible(Switch(dialog, 0)));
    EXPECT_FALSE(::IsWindowVisible(Switch(dialog, 27)));
    // The second page's ear.
    HWND second = ::GetParent(Switch(dialog, 27));
    ::SendMessageA(second, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(130, 10));
    ::SendMessageA(second, WM_LBUTTONUP, 0, MAKELPARAM(130, 10));
    web.session.Settle();
    EXPECT_TRUE(::IsWindowVisible(Switch(dialog, 27)));
    EXPECT_FALSE(::IsWindowVisible(Switch(dialog, 0)));
    KeepPicture(dialog, "restrictions-second-page");
    ExpectControlsInside(dialog);

    // OK without a change: the notice while the dialog is still open, then
    // all 28 sections and the command with all 28 pairs to the whole class.
    Click(dialog, kOkId);
    HWND box = web.session.Install().FindWindowOf("Warning", 3000);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(::IsWindow(dialog));
    EXPECT_TRUE(web.session.NewSends().empty());
    EXPECT_TRUE(Has(web.session.TakeBox(), web.session, TeacherRes::IDS_RESTRICT_STORED));
    EXPECT_TRUE(Gone(dialog));
    std::string states(kSwitchCount, '0');
    states[27] = '1';
    EXPECT_EQ(web.session.NewSends(), std::vector<std::string>{SendLine(30, 0, 0, "2") + " args=" + Pairs(states)});
    for (int i = 0; i < kSwitchCount; ++i)
        EXPECT_EQ(::GetPrivateProfileIntA(std::to_string(i + 1).c_str(), "lastchange", -1, registerIni.c_str()),
                  i == 27 ? 1 : 0)
            << i;

    // A missing file shows every switch clear; ticking one and OK makes it.
    ::DeleteFileA(registerIni.c_str());
    dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::SendMessageA(Switch(dialog, 27), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ::SendMessageA(Switch(dialog, 0), BM_CLICK, 0, 0);
    Click(dialog, kOkId);
    EXPECT_TRUE(Has(web.session.TakeBox(), web.session, TeacherRes::IDS_RESTRICT_STORED));
    states = std::string(kSwitchCount, '0');
    states[0] = '1';
    EXPECT_EQ(web.session.NewSends(), std::vector<std::string>{SendLine(30, 0, 0, "2") + " args=" + Pairs(states)});
    EXPECT_EQ(::GetPrivateProfileIntA("1", "lastchange", -1, registerIni.c_str()), 1);
    EXPECT_EQ(::GetPrivateProfileIntA("28", "lastchange", -1, registerIni.c_str()), 0);

    // A file that cannot be written (held open by another program; a
    // read-only one is written all the same by an administrator): a warning
    // that names it, and the command still goes out.
    const std::string bytes = ReadFileBytes(registerIni);
    dialog = Open();
    ASSERT_NE(dialog, nullptr);
    HANDLE held = ::CreateFileA(registerIni.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ::SendMessageA(Switch(dialog, 5), BM_CLICK, 0, 0);
    Click(dialog, kOkId);
    const std::string warning = web.session.TakeBox();
    EXPECT_NE(warning.find("register.ini"), std::string::npos) << warning;
    EXPECT_FALSE(Has(warning, web.session, TeacherRes::IDS_RESTRICT_STORED));
    states[5] = '1';
    EXPECT_EQ(web.session.NewSends(), std::vector<std::string>{SendLine(30, 0, 0, "2") + " args=" + Pairs(states)});
    ::CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(registerIni), bytes);

    // Without the install folder the dialog ends at once: nothing written or sent.
    web.session.Install().ForgetRegistryPath();
    web.session.Command(kRestrictions);
    EXPECT_EQ(DialogWith(web.session, kTabsId, 500), nullptr);
    EXPECT_TRUE(web.session.NewSends().empty());
    EXPECT_EQ(ReadFileBytes(registerIni), bytes);
}

} // namespace
