#pragma once
// The web access control server's COM interface, as the teacher program
// drives it: created by its ProgID, used through the slots below in this
// order (after IUnknown's three and IDispatch's four), released at the end.
// Windows only: the interface lives in-process.

#ifdef _WIN32

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <oaidl.h>

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr char kHttpServiceProgId[] = "Proxyward.HttpService";
inline constexpr wchar_t kHttpServiceProgIdW[] = L"Proxyward.HttpService";

// {1430BCBF-6E25-48D2-B31E-BC98CD895A8F}
inline constexpr IID kIidHttpService = {
    0x1430BCBF, 0x6E25, 0x48D2, {0xB3, 0x1E, 0xBC, 0x98, 0xCD, 0x89, 0x5A, 0x8F}};

// The upstream proxy, lent to Start for the one call. Holds BSTRs, so its
// layout is the platform's natural one (20 bytes on 32-bit Windows).
struct HttpProxyRecord {
    int32_t direct;    // 1 when the students go out directly, 0 through the proxy
    BSTR address;      // dotted text
    int32_t port;
    BSTR userName;
    BSTR password;
};
static_assert(sizeof(void*) != 4 || sizeof(HttpProxyRecord) == 20);
static_assert(sizeof(void*) != 4 || offsetof(HttpProxyRecord, port) == 8);

// Server modes of Start and ChangeMode.
inline constexpr int kHttpModeCount = 3;

// Every method returns S_OK on success; S_FALSE means the call was refused
// (the caller treats any result but S_OK as a failure).
struct IHttpService : public IDispatch {
    // slot 7
    virtual HRESULT STDMETHODCALLTYPE Start(BSTR reserved1, int sharePort, int mode,
        BSTR siteFile, BSTR reserved2, HttpProxyRecord* proxy, int optionCount,
        int* options) = 0;
    // slot 8
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;
    // slot 9: checks that the proxy answers; *result < 0 when it does not
    virtual HRESULT STDMETHODCALLTYPE QueryProxy(BSTR address, short port, BSTR userName,
        BSTR password, long* result) = 0;
    // slot 10: the web site file changed; *siteCount receives its entries
    virtual HRESULT STDMETHODCALLTYPE ReloadSites(int* siteCount) = 0;
    // slot 11
    virtual HRESULT STDMETHODCALLTYPE ChangeMode(int mode) = 0;
    // slot 12
    virtual HRESULT STDMETHODCALLTYPE IsRunning(int* running) = 0;
};

} // namespace kq

#endif // _WIN32
