// The teacher side's exports (Lectern.dll in the teacher's install folder).
// All calls come from the teacher program's user-interface thread.

#include <winsock2.h>
#include <windows.h>

#include <memory>

#include "common/BroadcastOptions.h"
#include "common/CommandBlock.h"
#include "common/TeacherConfig.h"
#include "standins/common/Trace.h"
#include "standins/lectern/TeacherTransport.h"

namespace {

constexpr char kModule[] = "Lectern";
constexpr WORD kWinsockVersion = MAKEWORD(2, 2);

std::shared_ptr<kq::lectern::TeacherTransport> g_transport;
bool g_winsockStarted = false;

void CloseTransport()
{
    // Released after Close: a message handler running inside the transport
    // keeps its own reference until it returns.
    const auto transport = std::move(g_transport);
    if (transport)
        transport->Close();
    if (g_winsockStarted) {
        WSACleanup();
        g_winsockStarted = false;
    }
}

} // namespace

extern "C" int LecternOpen(const kq::TeacherConfig* config)
{
    CloseTransport();
    if (config == nullptr) {
        kq::Trace(kModule, "LecternOpen refused: no configuration");
        return 0;
    }
    WSADATA wsa;
    g_winsockStarted = WSAStartup(kWinsockVersion, &wsa) == 0;
    if (!g_winsockStarted)
        return 0;
    g_transport = kq::lectern::TeacherTransport::Open(*config);
    if (!g_transport)
        CloseTransport();
    return g_transport ? 1 : 0;
}

extern "C" void LecternClose()
{
    kq::Trace(kModule, "LecternClose called%s", g_transport ? "" : " with nothing open");
    CloseTransport();
}

// The block is the main window's, followed by its 16-bit word that holds the
// 160th target seat.
extern "C" void LecternSendCommand(const kq::CommandBlockWithTail* block)
{
    if (block == nullptr || !g_transport) {
        kq::Trace(kModule, "LecternSendCommand ignored: %s", block ? "not open" : "no block");
        return;
    }
    g_transport->SendCommand(*block);
}

extern "C" void LecternSetConfig(const kq::TeacherConfig* config)
{
    if (config != nullptr && g_transport)
        g_transport->SetConfig(*config);
    else
        kq::Trace(kModule, "LecternSetConfig ignored");
}

extern "C" void LecternSetOptions(const kq::BroadcastOptions* options)
{
    if (options != nullptr && g_transport)
        g_transport->SetOptions(*options);
    else
        kq::Trace(kModule, "LecternSetOptions ignored");
}
