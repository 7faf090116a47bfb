#pragma once
// The teacher side of Lectern.dll as the test teachers use it: loaded from
// their own folder by ordinal, as Teacher.exe links it, and opened on the
// test classroom (HostReport.h) for their window.

#include "common/ClassroomGroup.h"
#include "common/CommandBlock.h"
#include "common/TeacherConfig.h"
#include "standins/lectern/tests/HostReport.h"

namespace kq::lectern::host {

struct TeacherLectern {
    using OpenFn = int (*)(const kq::TeacherConfig*);
    using CloseFn = void (*)();
    using SendFn = void (*)(const kq::CommandBlockWithTail*);
    static constexpr WORD kOpenOrdinal = 1;
    static constexpr WORD kCloseOrdinal = 2;
    static constexpr WORD kSendOrdinal = 3;

    HMODULE module = nullptr;
    OpenFn open = nullptr;
    CloseFn close = nullptr;
    SendFn send = nullptr;

    // Starts Winsock and loads Lectern.dll; reports and returns false when
    // the module or one of its ordinals is missing.
    bool Load()
    {
        WSADATA wsa;
        WSAStartup(MAKEWORD(2, 2), &wsa);
        module = LoadLibraryA("Lectern.dll");
        open = Ordinal<OpenFn>(module, kOpenOrdinal);
        close = Ordinal<CloseFn>(module, kCloseOrdinal);
        send = Ordinal<SendFn>(module, kSendOrdinal);
        if (open != nullptr && close != nullptr && send != nullptr)
            return true;
        Report("Lectern.dll or its ordinals missing");
        return false;
    }
};

// The configuration of the test classroom for `window`; callers add their
// screen settings before opening.
inline kq::TeacherConfig TestClassroomConfig(HWND window)
{
    kq::TeacherConfig config = {};
    config.mainWindow = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
    config.one = 1;
    config.MainPort = kMainPort;
    config.classroomGroup = kq::MakeClassroomGroup(inet_addr(kBaseAddress), kClassroom);
    config.VersionID = kVersion;
    return config;
}

// Opens the transport with `config`, runs the window's messages with the
// scenario timer until WM_QUIT and closes the transport; returns the quit
// code, 3 when the transport did not open.
inline int RunLesson(const TeacherLectern& lectern, const kq::TeacherConfig& config, HWND window)
{
    constexpr int kNotOpened = 3;
    if (!lectern.open(&config)) {
        Report("LecternOpen failed");
        return kNotOpened;
    }
    SetTimer(window, kScenarioTimer, kScenarioTickMs, nullptr);
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    lectern.close();
    return static_cast<int>(msg.wParam);
}

} // namespace kq::lectern::host
