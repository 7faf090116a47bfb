// The student side's exports (Lectern.dll in the student's install folder).
// All calls come from the student agent's user-interface thread; close and
// requests are allowed while nothing is open.

#include <winsock2.h>
#include <windows.h>

#include <memory>

#include "common/StudentInitRecord.h"
#include "common/StudentRequest.h"
#include "standins/common/Trace.h"
#include "standins/lectern/StudentTransport.h"

namespace {

constexpr char kModule[] = "Lectern";
constexpr WORD kWinsockVersion = MAKEWORD(2, 2);

std::shared_ptr<kq::lectern::StudentTransport> g_transport;
bool g_winsockStarted = false;

void CloseTransport()
{
    // Released after Close: a delivery running inside the transport keeps its
    // own reference until the agent's handler returns.
    const auto transport = std::move(g_transport);
    if (transport)
        transport->Close();
    if (g_winsockStarted) {
        WSACleanup();
        g_winsockStarted = false;
    }
}

} // namespace

extern "C" int LecternOpen(const kq::StudentInitRecord* init)
{
    CloseTransport();
    if (init == nullptr) {
        kq::Trace(kModule, "LecternOpen refused: no record");
        return 0;
    }
    WSADATA wsa;
    g_winsockStarted = WSAStartup(kWinsockVersion, &wsa) == 0;
    if (!g_winsockStarted)
        return 0;
    g_transport = kq::lectern::StudentTransport::Open(*init);
    if (!g_transport)
        CloseTransport();
    return g_transport ? 1 : 0;
}

extern "C" void LecternClose()
{
    kq::Trace(kModule, "LecternClose called%s", g_transport ? "" : " with nothing open");
    CloseTransport();
}

extern "C" void LecternSendRequest(const kq::StudentRequest* request)
{
    if (request == nullptr || !g_transport) {
        kq::Trace(kModule, "LecternSendRequest ignored: %s", request ? "not open" : "no record");
        return;
    }
    g_transport->SendRequest(*request);
}
