#pragma once
// The window messages of the command transport and the numbers they carry.
//
// Teacher side: WM_LECTERN_NOTIFY carries a LecternEvent in the low word of
// wParam and its value in lParam; WM_STUDENT_LOGON is sent with a
// StudentLogonRecord. Student side: WM_LECTERN_NOTIFY carries a
// StudentCommand in the low word of wParam, its sub-code in the high word and
// a value or a record in lParam. Both sides get WM_LECTERN_ERROR.

#include <cstdint>

inline constexpr unsigned WM_LECTERN_ERROR = 0x464;
inline constexpr unsigned WM_LECTERN_NOTIFY = 0x465;
inline constexpr unsigned WM_STUDENT_LOGON = 0x466;

namespace kq {

// wParam of WM_LECTERN_ERROR; lParam is a Windows error code.
enum LecternErrorKind : uint32_t {
    kLecternErrorReport = 1, // show the error
    kLecternErrorFatal = 2,  // show it and end the program
};

// Events of the teacher side, as the main window handles them.
enum LecternEvent : uint16_t {
    kEventSeatOffline = 1,    // lParam: seat
    kEventSeatOnline = 2,     // lParam: seat
    kEventHandUp = 3,         // lParam: seat
    kEventRequest = 4,        // lParam: seat
    kEventSeatText = 5,       // lParam: SeatTextRecord*
    kEventDiskless = 6,
    kEventNewerStudent = 7,   // lParam: the student's VersionID
    kEventUpdatePush = 8,     // lParam: the port to serve the update on
    kEventBusy = 9,           // lParam: seat
    kEventHandIn = 10,        // lParam: seat
    kEventStopAll = 11,
    kEventSoundFlag = 12,     // lParam: the new SoundOpenFlag in its low byte
    kEventWarning = 13,
    kEventActivityEnded = 14,
    kEventActivityEnded2 = 15,
};

inline constexpr uint16_t kFirstLecternEvent = 1;
inline constexpr uint16_t kLastLecternEvent = 15;

// Commands of the student side, as the student agent carries them out.
enum StudentCommand : uint16_t {
    kStudentDisable = 1,          // disable seat and hand-in buttons, abort test
    kStudentConnection = 2,       // lParam: log-on result (<0 refused, >=1 seat)
    kStudentToolbarRole = 3,      // lParam 0/1 toolbar; sub-code 1/2 role notice
    kStudentSwitches = 4,         // lParam: SwitchList*
    kStudentTeacherMessage = 5,   // lParam: TeacherMessage*
    kStudentTextNotice = 6,       // lParam: zero-terminated text
    kStudentRollCall = 7,
    kStudentCollectFile = 8,      // lParam: TransferParams*
    kStudentLinkList = 9,         // lParam: teacher address; sub-code: port
    kStudentReceiveDirectory = 10,// lParam: DirectoryReceiveRecord*
    kStudentDesktopShell = 11,    // lParam: 0 off, 1 on
    kStudentTalk = 12,
    kStudentMessage61519 = 13,
    kStudentRestartNotice = 14,   // lParam: seconds
    kStudentShutdownNotice = 15,  // lParam: seconds
    kStudentStartTest = 16,       // lParam: TransferParams*
    kStudentLengthenTest = 17,    // lParam: minutes
    kStudentFinishTest = 18,
    kStudentAbortTest = 19,
    kStudentShowAnswers = 20,
    kStudentHandInButton = 21,    // sub-code 0 off, else on; lParam: TransferParams*
    kStudentDesktopEditor = 22,
    kStudentConfigDirectory = 23, // lParam: DirectoryOrder*
    kStudentProgramUpdate = 24,   // lParam: UpdateOrder*
    kStudentHandUpButton = 25,    // lParam: 0/1
    kStudentHandOver = 26,
    kStudentMessage61501 = 27,
    kStudentEndRollCall = 28,
    kStudentChangeClassroom = 29, // lParam: classroom number
};

inline constexpr uint16_t kFirstStudentCommand = 1;
inline constexpr uint16_t kLastStudentCommand = 29;

} // namespace kq
