#include "standins/proxyward/HttpServiceObject.h"

#include "standins/common/ScriptedResult.h"
#include "standins/common/Trace.h"

#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr char kModule[] = "Proxyward";
constexpr char kSiteSection[] = "WebName";
constexpr DWORD kSectionBytes = 64 * 1024;
constexpr long kQueryTimeoutSeconds = 2;
constexpr long kProxyAnswers = 0;
constexpr long kProxyInvalid = -1;
constexpr long kProxySilent = -2;

std::atomic<long> g_objects{0};

// The one server of the process.
struct ServerState {
    std::mutex lock;
    bool running = false;
    int mode = 0;
    std::string siteFile;
};
ServerState g_server;

std::string Narrow(BSTR text)
{
    if (text == nullptr)
        return {};
    const int length = static_cast<int>(SysStringLen(text));
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, narrow.data(), bytes, nullptr, nullptr);
    return narrow;
}

// A result a test chose for the next call of `function` (KQ_PROXYWARD_<function>).
bool Scripted(const char* function, HRESULT& result)
{
    int value = 0;
    if (!kq::ScriptedResult(kModule, function, value))
        return false;
    result = static_cast<HRESULT>(value);
    return true;
}

bool ValidMode(int mode) { return mode >= 0 && mode < kq::kHttpModeCount; }

// The number of site entries in the web site file.
int CountSites(const std::string& file)
{
    if (file.empty())
        return 0;
    std::vector<char> section(kSectionBytes);
    const DWORD length = GetPrivateProfileSectionA(kSiteSection, section.data(), kSectionBytes,
        file.c_str());
    int count = 0;
    for (DWORD at = 0; at < length && section[at] != '\0';) {
        const std::string entry(&section[at]);
        if (entry.find('=') != std::string::npos)
            ++count;
        at += static_cast<DWORD>(entry.size()) + 1;
    }
    return count;
}

// Whether something accepts TCP connections at address:port within the time-out.
long ProbeProxy(const std::string& address, unsigned short port)
{
    in_addr host = {};
    if (port == 0 || inet_pton(AF_INET, address.c_str(), &host) != 1)
        return kProxyInvalid;
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return kProxySilent;
    long result = kProxySilent;
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (probe != INVALID_SOCKET) {
        u_long nonBlocking = 1;
        ioctlsocket(probe, FIONBIO, &nonBlocking);
        sockaddr_in target = {};
        target.sin_family = AF_INET;
        target.sin_port = htons(port);
        target.sin_addr = host;
        connect(probe, reinterpret_cast<sockaddr*>(&target), sizeof target);
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(probe, &writable);
        FD_SET(probe, &failed);
        timeval timeout = {kQueryTimeoutSeconds, 0};
        if (select(0, nullptr, &writable, &failed, &timeout) > 0 && FD_ISSET(probe, &writable))
            result = kProxyAnswers;
        closesocket(probe);
    }
    WSACleanup();
    return result;
}

} // namespace

HttpServiceObject::HttpServiceObject() { ++g_objects; }
HttpServiceObject::~HttpServiceObject() { --g_objects; }
long HttpServiceObject::LiveObjects() { return g_objects; }

HRESULT STDMETHODCALLTYPE HttpServiceObject::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)
        || IsEqualIID(iid, kq::kIidHttpService)) {
        *object = static_cast<kq::IHttpService*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE HttpServiceObject::AddRef() { return ++m_references; }

ULONG STDMETHODCALLTYPE HttpServiceObject::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT STDMETHODCALLTYPE HttpServiceObject::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HttpServiceObject::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE HttpServiceObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
    DISPID*)
{
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE HttpServiceObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*,
    VARIANT*, EXCEPINFO*, UINT*)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE HttpServiceObject::Start(BSTR, int sharePort, int mode, BSTR siteFile,
    BSTR, kq::HttpProxyRecord* proxy, int optionCount, int* options)
{
    const std::string file = Narrow(siteFile);
    if (proxy == nullptr) {
        kq::Trace(kModule, "Start sharePort=%d mode=%d siteFile=%s proxy=null", sharePort, mode,
            file.c_str());
        return S_FALSE;
    }
    kq::Trace(kModule,
        "Start sharePort=%d mode=%d siteFile=%s direct=%d proxy=%s:%d user=%s password=%s "
        "options=%d",
        sharePort, mode, file.c_str(), proxy->direct, Narrow(proxy->address).c_str(),
        proxy->port, Narrow(proxy->userName).c_str(),
        SysStringLen(proxy->password) > 0 ? "set" : "empty", optionCount);
    if (HRESULT scripted; Scripted("Start", scripted))
        return scripted;
    if (!ValidMode(mode) || sharePort <= 0 || sharePort > 0xFFFF || options == nullptr)
        return S_FALSE;
    std::lock_guard<std::mutex> hold(g_server.lock);
    g_server.running = true;
    g_server.mode = mode;
    g_server.siteFile = file;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HttpServiceObject::Stop()
{
    kq::Trace(kModule, "Stop");
    std::lock_guard<std::mutex> hold(g_server.lock);
    g_server.running = false;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HttpServiceObject::QueryProxy(BSTR address, short port, BSTR userName,
    BSTR password, long* result)
{
    const std::string host = Narrow(address);
    const auto portNumber = static_cast<unsigned short>(port);
    kq::Trace(kModule, "QueryProxy address=%s port=%u user=%s password=%s", host.c_str(),
        portNumber, Narrow(userName).c_str(), SysStringLen(password) > 0 ? "set" : "empty");
    if (result == nullptr)
        return E_POINTER;
    if (HRESULT scripted; Scripted("QueryProxy", scripted))
        return scripted;
    *result = ProbeProxy(host, portNumber);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HttpServiceObject::ReloadSites(int* siteCount)
{
    kq::Trace(kModule, "ReloadSites");
    if (HRESULT scripted; Scripted("ReloadSites", scripted))
        return scripted;
    if (siteCount == nullptr)
        return E_POINTER;
    std::string file;
    {
        std::lock_guard<std::mutex> hold(g_server.lock);
        file = g_server.siteFile;
    }
    *siteCount = CountSites(file);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HttpServiceObject::ChangeMode(int mode)
{
    kq::Trace(kModule, "ChangeMode mode=%d", mode);
    if (HRESULT scripted; Scripted("ChangeMode", scripted))
        return scripted;
    std::lock_guard<std::mutex> hold(g_server.lock);
    if (!g_server.running || !ValidMode(mode))
        return S_FALSE;
    g_server.mode = mode;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE HttpServiceObject::IsRunning(int* running)
{
    kq::Trace(kModule, "IsRunning");
    if (HRESULT scripted; Scripted("IsRunning", scripted))
        return scripted;
    if (running == nullptr)
        return E_POINTER;
    std::lock_guard<std::mutex> hold(g_server.lock);
    *running = g_server.running ? 1 : 0;
    return S_OK;
}
