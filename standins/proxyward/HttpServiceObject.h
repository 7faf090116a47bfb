#pragma once
// The web access control object. The server it controls is one per process:
// every object reports and changes the same running state and mode.

#include "common/HttpService.h"

#include <atomic>

class HttpServiceObject : public kq::IHttpService {
public:
    HttpServiceObject();
    virtual ~HttpServiceObject();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: the object is driven through its slots only.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
        EXCEPINFO*, UINT*) override;

    // IHttpService
    HRESULT STDMETHODCALLTYPE Start(BSTR reserved1, int sharePort, int mode, BSTR siteFile,
        BSTR reserved2, kq::HttpProxyRecord* proxy, int optionCount, int* options) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE QueryProxy(BSTR address, short port, BSTR userName,
        BSTR password, long* result) override;
    HRESULT STDMETHODCALLTYPE ReloadSites(int* siteCount) override;
    HRESULT STDMETHODCALLTYPE ChangeMode(int mode) override;
    HRESULT STDMETHODCALLTYPE IsRunning(int* running) override;

    // Objects alive in the process, for DllCanUnloadNow.
    static long LiveObjects();

private:
    std::atomic<ULONG> m_references{1};
};
