#include "standins/common/Trace.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace kq {

namespace {
std::mutex g_traceLock; // calls come from several threads of one process
}

void TraceV(const char* module, const char* format, va_list args)
{
    const char* path = std::getenv(kTraceVariable);
    if (path == nullptr || *path == '\0')
        return;
    std::lock_guard<std::mutex> hold(g_traceLock);
    // Opened per line and closed at once: several processes may append.
    FILE* file = std::fopen(path, "a");
    if (file == nullptr)
        return;
    std::fprintf(file, "%s ", module);
    std::vfprintf(file, format, args);
    std::fputc('\n', file);
    std::fclose(file);
}

void Trace(const char* module, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    TraceV(module, format, args);
    va_end(args);
}

} // namespace kq
