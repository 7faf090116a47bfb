#include "teacher/WebAccessControl.h"

#include <objbase.h>

#include <vector>

namespace kq {

namespace {

// Start's third option argument: the number of options, pointed at too.
constexpr int kStartOptions = 3;

IHttpService* CreateService(DWORD context)
{
    CLSID classId = {};
    if (FAILED(::CLSIDFromProgID(kHttpServiceProgIdW, &classId)))
        return nullptr;
    void* object = nullptr;
    if (FAILED(::CoCreateInstance(classId, nullptr, context, kIidHttpService, &object)))
        return nullptr;
    return static_cast<IHttpService*>(object);
}

// Runs "Regsvr32.exe /s "<path>"" and waits for it to finish.
void RegisterServer(const std::string& dllPath, DWORD waitMs)
{
    std::string command = "Regsvr32.exe /s \"" + dllPath + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return;
    ::WaitForSingleObject(process.hProcess, waitMs);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

// A CP936 text as a BSTR for the one call; freed with the object.
class Text {
public:
    explicit Text(const std::string& text)
    {
        const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::vector<wchar_t> wide(static_cast<size_t>(length) + 1);
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
        m_text = ::SysAllocStringLen(wide.data(), static_cast<UINT>(length));
    }
    ~Text() { ::SysFreeString(m_text); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    BSTR Get() const { return m_text; }

private:
    BSTR m_text = nullptr;
};

// The object's slots as the switch calls them.
class ServicePort : public WebServicePort {
public:
    ServicePort(IHttpService& service, const WebStartSettings& settings) : m_service(service), m_settings(settings) {}

    long IsRunning(int& running) override { return m_service.IsRunning(&running); }
    long ChangeMode(int mode) override { return m_service.ChangeMode(mode); }
    long Stop() override { return m_service.Stop(); }
    long Start(int mode) override
    {
        const Text empty(""), siteFile(m_settings.siteFile), address(m_settings.proxyAddress),
            name(m_settings.proxyName), password(m_settings.proxyPassword);
        HttpProxyRecord proxy = {m_settings.direct ? 1 : 0, address.Get(), m_settings.proxyPort, name.Get(),
                                 password.Get()};
        int options = kStartOptions;
        return m_service.Start(empty.Get(), m_settings.sharePort, mode, siteFile.Get(), empty.Get(), &proxy,
                               kStartOptions, &options);
    }

private:
    IHttpService& m_service;
    const WebStartSettings& m_settings;
};

} // namespace

bool WebAccessControl::Create(const std::string& installFolder)
{
    Release();
    m_service = CreateService(CLSCTX_INPROC_SERVER);
    if (m_service == nullptr) {
        // The class id is resolved again after the registration.
        RegisterServer(installFolder + "\\Proxyward.dll", kRegisterWaitMs);
        m_service = CreateService(CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER);
    }
    return m_service != nullptr;
}

void WebAccessControl::Release()
{
    if (m_service == nullptr)
        return;
    m_service->Stop(); // a failed stop changes nothing here: the object goes anyway
    m_service->Release();
    m_service = nullptr;
}

WebSwitchResult WebAccessControl::SwitchTo(int mode, const WebStartSettings& settings, bool mayStart)
{
    if (m_service == nullptr)
        return WebSwitchResult::Off;
    ServicePort port(*m_service, settings);
    return m_switch.SwitchTo(port, mode, mayStart);
}

void WebAccessControl::StopService()
{
    if (m_service == nullptr)
        return;
    const WebStartSettings none;
    ServicePort port(*m_service, none);
    m_switch.Stop(port);
}

} // namespace kq
