#pragma once
// CWinsockUse: one object's use of Windows Sockets. Start calls WSAStartup
// once; Stop, or the destructor, calls the matching WSACleanup only when that
// start succeeded. Header-only, so that code linked without the library
// (common/, the stand-ins) keeps its starts and ends paired the same way.

#include <winsock2.h>

class CWinsockUse {
public:
    static constexpr WORD kVersion22 = MAKEWORD(2, 2);
    static constexpr WORD kVersion11 = MAKEWORD(1, 1);

    CWinsockUse() = default;
    ~CWinsockUse() { Stop(); }
    CWinsockUse(const CWinsockUse&) = delete;
    CWinsockUse& operator=(const CWinsockUse&) = delete;

    // 0 when Windows Sockets is started for this object (now or before),
    // else WSAStartup's error.
    int Start(WORD version = kVersion22)
    {
        if (m_started)
            return 0;
        WSADATA data;
        const int result = ::WSAStartup(version, &data);
        m_started = result == 0;
        return result;
    }
    void Stop()
    {
        if (m_started)
            ::WSACleanup();
        m_started = false;
    }
    bool Started() const { return m_started; }

private:
    bool m_started = false;
};
