#include "envcheck/DirectXRequirement.h"

#include "envcheck/CheckIds.h"

namespace kq {

namespace {
constexpr uint32_t kVersionMask = 0xFFFF;
}

int RequiredDirectX(int readVersion, bool nt4)
{
    if (nt4)
        return kNt4DirectX;
    return readVersion == kDirectXKeyAbsent ? kDefaultDirectX : readVersion;
}

int CheckDirectXVersion(bool queried, uint32_t version, int required)
{
    if (!queried || (version & kVersionMask) < static_cast<uint32_t>(required))
        return check::kDirectXTooOld;
    return check::kPassed;
}

} // namespace kq
