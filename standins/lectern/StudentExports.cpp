// The student side's exports (Lectern.dll in the student's install folder).
// All calls come from the student agent's user-interface thread; close and
// requests are allowed while nothing is open.

#include "common/StudentInitRecord.h"
#include "common/StudentRequest.h"
#include "standins/common/Trace.h"
#include "standins/lectern/StudentTransport.h"
#include "standins/lectern/TransportSlot.h"

#include <cstring>

namespace {

constexpr char kModule[] = "Lectern";

kq::lectern::TransportSlot<kq::lectern::StudentTransport> g_transport;

// Every field of the record the agent lends, as it arrived.
void TraceRecord(const kq::StudentInitRecord& init)
{
    const auto* group = reinterpret_cast<const unsigned char*>(&init.classroomGroup);
    char seat[sizeof init.seatNumber + 1] = {};
    char lock[sizeof init.lockBackground + 1] = {};
    std::memcpy(seat, init.seatNumber, sizeof init.seatNumber);
    std::memcpy(lock, init.lockBackground, sizeof init.lockBackground);
    kq::Trace(kModule,
              "LecternOpen record size=%u edition=%d perhost=%u port=%u group=%u.%u.%u.%u at24=%u seat=%s "
              "lock=[%s] version=%u",
              static_cast<unsigned>(sizeof init), init.edition, init.perHost, init.mainPort, group[0], group[1],
              group[2], group[3], init.constant8, seat, lock, init.VersionID);
}

} // namespace

extern "C" int LecternOpen(const kq::StudentInitRecord* init)
{
    g_transport.Close();
    if (init == nullptr) {
        kq::Trace(kModule, "LecternOpen refused: no record");
        return 0;
    }
    TraceRecord(*init);
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
