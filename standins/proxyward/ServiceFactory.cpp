#include "standins/proxyward/ServiceFactory.h"

#include "standins/proxyward/HttpServiceObject.h"

#include <atomic>
#include <new>

namespace {
std::atomic<long> g_locks{0};
}

HRESULT STDMETHODCALLTYPE ServiceFactory::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// The factory is a static object: its life is the module's.
ULONG STDMETHODCALLTYPE ServiceFactory::AddRef() { return 2; }
ULONG STDMETHODCALLTYPE ServiceFactory::Release() { return 1; }

HRESULT STDMETHODCALLTYPE ServiceFactory::CreateInstance(IUnknown* outer, REFIID iid,
    void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    auto* service = new (std::nothrow) HttpServiceObject;
    if (service == nullptr)
        return E_OUTOFMEMORY;
    const HRESULT result = service->QueryInterface(iid, object);
    service->Release();
    return result;
}

HRESULT STDMETHODCALLTYPE ServiceFactory::LockServer(BOOL lock)
{
    if (lock)
        ++g_locks;
    else
        --g_locks;
    return S_OK;
}

long ServiceFactory::Locks() { return g_locks; }
