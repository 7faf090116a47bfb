#pragma once
// WakeOnLanPacket: the 512-byte magic packet that switches a student PC on,
// broadcast to 255.255.255.255. Six bytes 0xFF, then the six bytes of the
// target adapter's address 20 times; the rest carries no data (zeros).

#include <cstddef>
#include <cstdint>
#include <string>

namespace kq {

inline constexpr size_t kMacAddressBytes = 6;
inline constexpr size_t kMacTextLength = 12; // two hex digits per byte
inline constexpr size_t kWakeOnLanAddressRepeats = 20;
inline constexpr uint8_t kWakeOnLanSyncByte = 0xFF;

// The sender stores the port field value 3399 into its socket addresses
// unconverted, so the wire port (and the port it binds) is 18189.
inline constexpr uint16_t kWakeOnLanPortField = 3399;
inline constexpr uint16_t kWakeOnLanWirePort = 18189;
static_assert(kWakeOnLanWirePort == ((kWakeOnLanPortField & 0xFF) << 8 | kWakeOnLanPortField >> 8));
inline constexpr char kWakeOnLanGroup[] = "229.99.99.99";
inline constexpr int kWakeOnLanTimeToLive = 8;

#pragma pack(push, 1)
struct WakeOnLanPacket {
    uint8_t sync[kMacAddressBytes];
    uint8_t addresses[kWakeOnLanAddressRepeats][kMacAddressBytes];
    uint8_t unused[386];
};
#pragma pack(pop)

static_assert(sizeof(WakeOnLanPacket) == 512);
static_assert(offsetof(WakeOnLanPacket, addresses) == 6);
static_assert(offsetof(WakeOnLanPacket, unused) == 126);

// The six bytes of a MAC text of exactly 12 digits, high digit first (see
// the .cpp for the digit rule). False for a null text or any other length.
bool MacTextToBytes(const char* text, uint8_t (&bytes)[kMacAddressBytes]);

// The packet for the adapter `macText`; false (packet untouched) when the
// text is not 12 characters long.
bool BuildWakeOnLanPacket(const char* macText, WakeOnLanPacket& packet);

// The packet's first 126 bytes as 21 lines of six "%02X" bytes each.
std::string FormatWakeOnLanPacket(const WakeOnLanPacket& packet);

} // namespace kq
