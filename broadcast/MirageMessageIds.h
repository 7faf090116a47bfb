#pragma once
// The engine's message, timer, hot-key and command numbers, in one place.

#include <cstdint>

// To the host window.
inline constexpr unsigned WM_MIRAGE_NOTIFY = 0x914;

// Low word of WM_MIRAGE_NOTIFY's wParam.
enum MirageNotice : uint16_t {
    MIRAGE_NOTICE_MODE_ENDED = 0,    // lParam 1: just before a switch request
    MIRAGE_NOTICE_NO_DATA = 1,
    MIRAGE_NOTICE_TO_TUTORING = 5,
    MIRAGE_NOTICE_TO_STUDENT_DEMO = 6,
    MIRAGE_NOTICE_TO_REVIEW = 7,
    MIRAGE_NOTICE_TO_TEACHER_DEMO = 8,
    MIRAGE_NOTICE_WATCHED = 9,       // lParam 1 watched, 0 no longer
    MIRAGE_NOTICE_WARN = 10,         // high word station, lParam the message text
    MIRAGE_NOTICE_LOCK = 11,
    MIRAGE_NOTICE_SOUND = 12,
    MIRAGE_NOTICE_POINTER = 13,
};

// The text that notices 10 and 11 point at.
inline constexpr unsigned kMirageNoticeTextSize = 102;

// Thread messages of the three user-interface threads. wParam carries the
// handshake's sequence number of a start, stop, open or close command.
inline constexpr unsigned MT_START_CURSOR = 0x8E4;
inline constexpr unsigned MT_STOP_CURSOR = 0x8E5;
inline constexpr unsigned MT_OPEN_VIEWER = 0x8E7;
inline constexpr unsigned MT_CLOSE_VIEWER = 0x8E8;
inline constexpr unsigned MT_START_SENDER = 0x8E9;
inline constexpr unsigned MT_STOP_SENDER = 0x8EA;
inline constexpr unsigned MT_QUIT_SENDER = 0x8B3;
inline constexpr unsigned MT_QUIT_CURSOR = 0x8B5;
inline constexpr unsigned MT_QUIT_VIEWER = 0x8BA;
inline constexpr unsigned WM_MIRAGE_WATCH = 0x8CB; // also a thread message of the viewer thread

// Window messages of the engine's own windows.
inline constexpr unsigned WM_MIRAGE_TAKE_SNAPSHOT = 0x8B0;
inline constexpr unsigned WM_MIRAGE_RESEND = 0x8B1;
inline constexpr unsigned WM_MIRAGE_CURSOR_SHAPE_CHANGED = 0x8B7;
inline constexpr unsigned WM_MIRAGE_HOOK_KEY = 0x8B8;
inline constexpr unsigned WM_MIRAGE_FRAME = 0x8BB;
inline constexpr unsigned WM_MIRAGE_CURSOR_SHAPE = 0x8BC;
inline constexpr unsigned WM_MIRAGE_POINTER = 0x8BD;
inline constexpr unsigned WM_MIRAGE_SEND_FRAME = 0x8CE;
inline constexpr unsigned WM_MIRAGE_NEXT = 0x8CF;
inline constexpr unsigned WM_MIRAGE_PREVIOUS = 0x8D0;
inline constexpr unsigned WM_MIRAGE_SHOW_VIEWS = 0x8D8;
inline constexpr unsigned WM_MIRAGE_RECORD = 0x8EB;
inline constexpr unsigned WM_MIRAGE_RECORD_OFF = 0x8EC;
inline constexpr unsigned WM_MIRAGE_CLEAR_CONFIRMED = 0x8EE;
// Ours: the decoder window lays the current view out again (size change,
// windowed flag), on the viewer thread.
inline constexpr unsigned WM_MIRAGE_RELAYOUT = 0x8F0;

// Timers.
inline constexpr unsigned kSendFrameTimer = 1;
inline constexpr unsigned kCursorPositionTimer = 0x8B4;
inline constexpr unsigned kNoDataTimer = 0x8BF;
inline constexpr unsigned kCyclingTimer = 0x8CC;
inline constexpr unsigned kWatchRepeatTimer = 0x8CD;
inline constexpr unsigned kFirstWatchTimer = 0x8D5;
inline constexpr unsigned kRecordBarExitTimer = 0x8D6;
inline constexpr unsigned kPlaybackTimer = 0x8ED;

// Hot key of the viewer: Ctrl+Q switches full screen and windowed.
inline constexpr int kViewSwitchHotKey = 0xC999;

// Commands of the viewer's menu.
inline constexpr unsigned ID_MIRAGE_NEXT_PAGE = 2240;
inline constexpr unsigned ID_MIRAGE_PREVIOUS_PAGE = 2241;
inline constexpr unsigned ID_MIRAGE_FULL_OR_HALF = 2242;
inline constexpr unsigned ID_MIRAGE_FLOATING = 2243;
inline constexpr unsigned ID_MIRAGE_TO_TUTORING = 2244;
inline constexpr unsigned ID_MIRAGE_TO_REVIEW = 2245;
inline constexpr unsigned ID_MIRAGE_TO_STUDENT_DEMO = 2246;
inline constexpr unsigned ID_MIRAGE_TO_TEACHER_DEMO = 2247;
inline constexpr unsigned ID_MIRAGE_EXIT = 2250;
inline constexpr unsigned ID_MIRAGE_ZOOM = 2263;
inline constexpr unsigned ID_MIRAGE_WARN = 2288;
inline constexpr unsigned ID_MIRAGE_LOCK = 2289;

// Commands of the tool window and the record bar.
inline constexpr unsigned ID_MIRAGE_TOOL_SOUND = 2290;
inline constexpr unsigned ID_MIRAGE_TOOL_POINTER = 2291;
inline constexpr unsigned ID_MIRAGE_TOOL_EXIT = 2292;
inline constexpr unsigned ID_MIRAGE_RECORD_START = 32771;
inline constexpr unsigned ID_MIRAGE_RECORD_STOP = 32772;
inline constexpr unsigned ID_MIRAGE_RECORD_PLAY = 32773;
inline constexpr unsigned ID_MIRAGE_RECORD_CLEAR = 32774;
inline constexpr unsigned ID_MIRAGE_RECORD_EXIT = 32775;
