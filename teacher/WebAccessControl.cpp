#include "teacher/WebAccessControl.h"

#include <objbase.h>

namespace kq {

namespace {

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

} // namespace

bool WebAccessControl::Create(const std::string& installFolder)
{
    Stop();
    m_service = CreateService(CLSCTX_INPROC_SERVER);
    if (m_service == nullptr) {
        // The class id is resolved again after the registration.
        RegisterServer(installFolder + "\\Proxyward.dll", kRegisterWaitMs);
        m_service = CreateService(CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER);
    }
    return m_service != nullptr;
}

void WebAccessControl::Stop()
{
    if (m_service == nullptr)
        return;
    m_service->Stop(); // a failed stop changes nothing here: the object goes anyway
    m_service->Release();
    m_service = nullptr;
}

} // namespace kq
