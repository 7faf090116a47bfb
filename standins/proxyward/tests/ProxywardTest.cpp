#include "common/HttpService.h"
#include "standins/common/tests/StandinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

constexpr int kSharePort = 8080;
constexpr DWORD kCreateAnyWay = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

// Runs a command line and waits for it; returns its exit code.
DWORD RunAndWait(const std::string& commandLine)
{
    kq::standin::ChildProcess process;
    if (!process.Start(commandLine))
        return static_cast<DWORD>(-1);
    return process.WaitForExit();
}

kq::IHttpService* Create()
{
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(kq::kHttpServiceProgIdW, &clsid)))
        return nullptr;
    void* object = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, kCreateAnyWay, kq::kIidHttpService, &object)))
        return nullptr;
    return static_cast<kq::IHttpService*>(object);
}

// The teacher's road: register with regsvr32, create by ProgID.
class ProxywardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CoInitialize(nullptr);
        ASSERT_EQ(RunAndWait("regsvr32.exe /s \"" + kq::standin::ProgramFolder() + "Proxyward.dll\""), 0u);
    }
    static void TearDownTestSuite() { CoUninitialize(); }

    void SetUp() override
    {
        m_sites = ::testing::TempDir() + "proxyward-sites.ini";
        std::ofstream(m_sites) << "[WebName]\n新闻=C:\\web\\news.htm\nmaths=C:\\web\\m.htm\n";
        m_service = Create();
        ASSERT_NE(m_service, nullptr);
    }

    void TearDown() override
    {
        if (m_service) {
            m_service->Stop();
            m_service->Release();
        }
        std::remove(m_sites.c_str());
    }

    HRESULT StartIn(int mode)
    {
        BSTR empty = SysAllocString(L"");
        BSTR file = SysAllocStringLen(nullptr, MAX_PATH);
        MultiByteToWideChar(CP_ACP, 0, m_sites.c_str(), -1, file, MAX_PATH);
        kq::HttpProxyRecord proxy = {1, SysAllocString(L"198.18.0.9"), 3128,
            SysAllocString(L"teacher"), SysAllocString(L"secret")};
        int three = 3;
        const HRESULT result =
            m_service->Start(empty, kSharePort, mode, file, empty, &proxy, 3, &three);
        for (BSTR text : {empty, file, proxy.address, proxy.userName, proxy.password})
            SysFreeString(text);
        return result;
    }

    int Running()
    {
        int running = -1;
        EXPECT_EQ(m_service->IsRunning(&running), S_OK);
        return running;
    }

    std::string m_sites;
    kq::IHttpService* m_service = nullptr;
};

TEST_F(ProxywardTest, StartChangeModeAndStopFollowTheServerState)
{
    EXPECT_EQ(Running(), 0);
    EXPECT_EQ(m_service->ChangeMode(1), S_FALSE); // nothing runs yet

    ASSERT_EQ(StartIn(1), S_OK);
    EXPECT_EQ(Running(), 1);
    EXPECT_EQ(m_service->ChangeMode(2), S_OK);
    EXPECT_EQ(m_service->ChangeMode(3), S_FALSE);

    // The server is the process's: a second object sees it running.
    kq::IHttpService* other = Create();
    ASSERT_NE(other, nullptr);
    int running = 0;
    EXPECT_EQ(other->IsRunning(&running), S_OK);
    EXPECT_EQ(running, 1);
    other->Release();

    EXPECT_EQ(m_service->Stop(), S_OK);
    EXPECT_EQ(Running(), 0);
}

TEST_F(ProxywardTest, RefusedStartsLeaveTheServerStopped)
{
    EXPECT_EQ(StartIn(3), S_FALSE);
    EXPECT_EQ(StartIn(-1), S_FALSE);
    EXPECT_EQ(m_service->Start(nullptr, kSharePort, 0, nullptr, nullptr, nullptr, 3, nullptr),
        S_FALSE);
    EXPECT_EQ(Running(), 0);
}

TEST_F(ProxywardTest, SlotsSitWhereTheTeacherCallsThem)
{
    // Slot 12 is "is running", called through the raw table as a client
    // built against the slot numbers would.
    using IsRunningSlot = HRESULT(STDMETHODCALLTYPE*)(void*, int*);
    void** table = *reinterpret_cast<void***>(m_service);
    ASSERT_EQ(StartIn(0), S_OK);
    int running = 0;
    EXPECT_EQ(reinterpret_cast<IsRunningSlot>(table[12])(m_service, &running), S_OK);
    EXPECT_EQ(running, 1);
}

TEST_F(ProxywardTest, ReloadCountsTheSitesOfTheWebSiteFile)
{
    ASSERT_EQ(StartIn(0), S_OK);
    int sites = -1;
    EXPECT_EQ(m_service->ReloadSites(&sites), S_OK);
    EXPECT_EQ(sites, 2);

    std::ofstream(m_sites, std::ios::app) << "art=C:\\web\\art.htm\n";
    EXPECT_EQ(m_service->ReloadSites(&sites), S_OK);
    EXPECT_EQ(sites, 3);
}

TEST_F(ProxywardTest, QueryTellsWhetherTheProxyAnswers)
{
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    int size = sizeof local;
    getsockname(listener, reinterpret_cast<sockaddr*>(&local), &size);
    const short port = static_cast<short>(ntohs(local.sin_port));

    BSTR address = SysAllocString(L"127.0.0.1");
    BSTR user = SysAllocString(L"teacher");
    BSTR password = SysAllocString(L"");
    long result = 99;
    EXPECT_EQ(m_service->QueryProxy(address, port, user, password, &result), S_OK);
    EXPECT_EQ(result, 0);

    closesocket(listener);
    EXPECT_EQ(m_service->QueryProxy(address, port, user, password, &result), S_OK);
    EXPECT_LT(result, 0);

    BSTR garbage = SysAllocString(L"not an address");
    EXPECT_EQ(m_service->QueryProxy(garbage, port, user, password, &result), S_OK);
    EXPECT_LT(result, 0);

    for (BSTR text : {address, user, password, garbage})
        SysFreeString(text);
    WSACleanup();
}

TEST_F(ProxywardTest, TracesCallsWithoutThePassword)
{
    const kq::standin::TraceFile traceFile(kq::standin::UniqueTempPath("proxyward-trace", ".txt"));
    ASSERT_EQ(StartIn(2), S_OK);
    m_service->ChangeMode(0);
    m_service->Stop();
    const std::string trace = traceFile.Read();
    EXPECT_EQ(trace,
        "Proxyward Start sharePort=8080 mode=2 siteFile=" + m_sites
            + " direct=1 proxy=198.18.0.9:3128 user=teacher password=set options=3\n"
              "Proxyward ChangeMode mode=0\n"
              "Proxyward Stop\n");
    EXPECT_EQ(trace.find("secret"), std::string::npos);
}

TEST_F(ProxywardTest, ScriptedResultsComeFirstThenTheCallsWorkAgain)
{
    const char* const variables[] = {"KQ_PROXYWARD_Start", "KQ_PROXYWARD_ChangeMode", "KQ_PROXYWARD_IsRunning",
                                     "KQ_PROXYWARD_ReloadSites"};
    SetEnvironmentVariableA(variables[0], "1,-2147467259");
    EXPECT_EQ(StartIn(1), S_FALSE);
    EXPECT_EQ(StartIn(1), E_FAIL);
    EXPECT_EQ(Running(), 0); // a scripted start starts nothing
    ASSERT_EQ(StartIn(1), S_OK);

    SetEnvironmentVariableA(variables[1], "1");
    SetEnvironmentVariableA(variables[2], "-2147467259");
    SetEnvironmentVariableA(variables[3], "1");
    int value = -1;
    EXPECT_EQ(m_service->ChangeMode(0), S_FALSE);
    EXPECT_EQ(m_service->IsRunning(&value), E_FAIL);
    EXPECT_EQ(m_service->ReloadSites(&value), S_FALSE);
    EXPECT_EQ(m_service->ChangeMode(0), S_OK);
    EXPECT_EQ(Running(), 1);
    EXPECT_EQ(m_service->ReloadSites(&value), S_OK);
    EXPECT_EQ(value, 2);
    for (const char* variable : variables)
        SetEnvironmentVariableA(variable, nullptr);
}

// Last: undoes the registration the suite relies on.
TEST_F(ProxywardTest, UnregisteringRemovesTheProgId)
{
    HMODULE library = LoadLibraryA("Proxyward.dll");
    auto unregister = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllUnregisterServer")));
    ASSERT_NE(unregister, nullptr);
    EXPECT_EQ(unregister(), S_OK);
    CLSID clsid;
    EXPECT_FALSE(SUCCEEDED(CLSIDFromProgID(kq::kHttpServiceProgIdW, &clsid)));
    FreeLibrary(library);
}

} // namespace
