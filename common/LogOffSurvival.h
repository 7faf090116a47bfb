#pragma once
// The student-side programs run through log-offs. Windows 98 ends every
// process at log-off unless it registers as a service process.

namespace kq {

// On Windows 98 registers the running process as a service process; does
// nothing on any other system.
void SurviveLogOffOnWindows98();

} // namespace kq
