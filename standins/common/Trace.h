#pragma once
// The call trace of the stand-ins: when the environment variable KQ_TRACE
// names a file, every call a stand-in receives appends one line to it, so
// tests can see what the system asked of the component.

#include <cstdarg>

namespace kq {

// Environment variable naming the trace file.
inline constexpr char kTraceVariable[] = "KQ_TRACE";

// Appends one line, printf-style, prefixed by the module name and a space:
// "Lectern LecternOpen port=1234". Does nothing when KQ_TRACE is unset.
void Trace(const char* module, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
void TraceV(const char* module, const char* format, va_list args);

} // namespace kq
