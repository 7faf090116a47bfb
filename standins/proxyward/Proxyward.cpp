// The in-process COM server of the web access control object: class
// object, unload check and the registration that "Regsvr32.exe /s" runs.

#include "common/HttpService.h"
#include "standins/common/StandinWindows.h"
#include "standins/common/Trace.h"
#include "standins/proxyward/HttpServiceObject.h"
#include "standins/proxyward/ServiceFactory.h"

#include <olectl.h>

#include <string>

namespace {

constexpr char kModule[] = "Proxyward";
constexpr char kDescription[] = "Proxyward HttpService";

// {1F905CED-B3CE-40AB-8B87-9F744666D81C}: this server's class.
constexpr CLSID kClsidHttpService = {
    0x1F905CED, 0xB3CE, 0x40AB, {0x8B, 0x87, 0x9F, 0x74, 0x46, 0x66, 0xD8, 0x1C}};
constexpr char kClsidText[] = "{1F905CED-B3CE-40AB-8B87-9F744666D81C}";

ServiceFactory g_factory;

using kq::standin::ThisModule;

bool SetText(const std::string& key, const char* name, const std::string& value)
{
    return RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
               static_cast<DWORD>(value.size() + 1))
        == ERROR_SUCCESS;
}

} // namespace

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    kq::Trace(kModule, "DllGetClassObject");
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, kClsidHttpService))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return HttpServiceObject::LiveObjects() == 0 && ServiceFactory::Locks() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(ThisModule(), path, sizeof path);
    kq::Trace(kModule, "DllRegisterServer");
    if (length == 0 || length >= sizeof path)
        return SELFREG_E_CLASS;
    const std::string progId = kq::kHttpServiceProgId;
    const std::string classKey = std::string("CLSID\\") + kClsidText;
    const bool written = SetText(progId, nullptr, kDescription)
        && SetText(progId + "\\CLSID", nullptr, kClsidText)
        && SetText(classKey, nullptr, kDescription)
        && SetText(classKey + "\\ProgID", nullptr, progId)
        && SetText(classKey + "\\InprocServer32", nullptr, path)
        && SetText(classKey + "\\InprocServer32", "ThreadingModel", "Apartment");
    return written ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    kq::Trace(kModule, "DllUnregisterServer");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kq::kHttpServiceProgId);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + kClsidText).c_str());
    return S_OK;
}
