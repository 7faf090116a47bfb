// The teacher side's exports (Lectern.dll in the teacher's install folder).
// All calls come from the teacher program's user-interface thread.

#include "common/BroadcastOptions.h"
#include "common/CommandBlock.h"
#include "common/TeacherConfig.h"
#include "standins/common/Trace.h"
#include "standins/lectern/LecternTeacher.h"
#include "standins/lectern/TeacherTransport.h"
#include "standins/lectern/TransportSlot.h"

namespace {

constexpr char kModule[] = "Lectern";

kq::lectern::TransportSlot<kq::lectern::TeacherTransport> g_transport;

} // namespace

extern "C" int LecternOpen(const kq::TeacherConfig* config)
{
    g_transport.Close();
    if (config == nullptr) {
        kq::Trace(kModule, "LecternOpen refused: no configuration");
        return 0;
    }
    return g_transport.Open(*config) ? 1 : 0;
}

extern "C" void LecternClose()
{
    kq::Trace(kModule, "LecternClose called%s", g_transport ? "" : " with nothing open");
    g_transport.Close();
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
