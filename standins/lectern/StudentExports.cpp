// The student side's exports (Lectern.dll in the student's install folder).
// All calls come from the student agent's user-interface thread; close and
// requests are allowed while nothing is open.

#include "common/StudentInitRecord.h"
#include "common/StudentRequest.h"
#include "standins/common/Trace.h"
#include "standins/lectern/StudentTransport.h"
#include "standins/lectern/TransportSlot.h"

namespace {

constexpr char kModule[] = "Lectern";

kq::lectern::TransportSlot<kq::lectern::StudentTransport> g_transport;

} // namespace

extern "C" int LecternOpen(const kq::StudentInitRecord* init)
{
    g_transport.Close();
    if (init == nullptr) {
        kq::Trace(kModule, "LecternOpen refused: no record");
        return 0;
    }
    return g_transport.Open(*init) ? 1 : 0;
}

extern "C" void LecternClose()
{
    kq::Trace(kModule, "LecternClose called%s", g_transport ? "" : " with nothing open");
    g_transport.Close();
}

extern "C" void LecternSendRequest(const kq::StudentRequest* request)
{
    if (request == nullptr || !g_transport) {
        kq::Trace(kModule, "LecternSendRequest ignored: %s", request ? "not open" : "no record");
        return;
    }
    g_transport->SendRequest(*request);
}
