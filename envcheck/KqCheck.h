#pragma once
// KqCheck.dll: the environment check the programs run at start (ordinal 1).
// `path` names the student.ini of the requirements (a folder for modes 0 and
// 10); the call blocks until the check, and any dialog it shows, is done.

namespace kq {

// Results of KqTest.
inline constexpr int kCheckPassed = 0;
inline constexpr int kCheckDisplayOrSound = -2; // only display mode or sound card failed
inline constexpr int kCheckFailed = -3;         // adapter, Winsock, DirectX or browser failed
inline constexpr int kCheckClosed = -99;        // the result window was closed by request
inline constexpr int kCheckNoPath = -100;       // no path, or the operating system failed

} // namespace kq

extern "C" int KqTest(const char* path, int mode);
