#pragma once
// KqCheck.dll: the environment check the programs run at start.
//
//   KqTest (ordinal 1)          checks the PC against the student.ini `path`
//                               names (a folder for modes 0 and 10); blocks
//                               until the check, and any dialog it shows, is
//                               done.
//   KqDlg (2)                   the mode chooser: classroom and edition.
//   KqReboot (3)                restarts the PC.
//   KqComputerName (4)          the PC's host name.

namespace kq {

// Results of KqTest.
inline constexpr int kCheckPassed = 0;
inline constexpr int kCheckDisplayOrSound = -2; // only display mode or sound card failed
inline constexpr int kCheckFailed = -3;         // adapter, Winsock, DirectX or browser failed
inline constexpr int kCheckClosed = -99;        // the result window was closed by request
inline constexpr int kCheckNoPath = -100;       // no path, or the operating system failed

// What KqDlg adds for the edition in mode 3.
inline constexpr int kEditionMultimedia = 20;
inline constexpr int kEditionDigital = 10;

// KqComputerName's buffer holds at least this many bytes.
inline constexpr int kComputerNameSize = 260;

} // namespace kq

extern "C" int KqTest(const char* path, int mode);
extern "C" int KqDlg(int mode);
extern "C" int KqReboot();
extern "C" int KqComputerName(char* buffer);
