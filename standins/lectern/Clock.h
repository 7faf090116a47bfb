#pragma once
// Time and session numbers of the transport's Windows side.

#include <winsock2.h>
#include <windows.h>

#include <cstdint>

namespace kq::lectern {

inline uint64_t NowMs()
{
    return GetTickCount64();
}

// A session number that differs between opens and between PCs; never 0.
inline uint32_t NewSessionNumber()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    uint64_t x = static_cast<uint64_t>(counter.QuadPart) ^ (uint64_t{GetCurrentProcessId()} << 32) ^ GetTickCount64();
    // splitmix64 finaliser: spreads nearby inputs over the whole range
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    x ^= x >> 31;
    const uint32_t session = static_cast<uint32_t>(x ^ (x >> 32));
    return session != 0 ? session : 1;
}

} // namespace kq::lectern
