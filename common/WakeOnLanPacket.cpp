#include "common/WakeOnLanPacket.h"

#include <cstdio>
#include <cstring>

namespace kq {

namespace {

constexpr int kHexBase = 16;
// A letter counts from 10: "A" (65) gives 10, and later letters go on.
constexpr int kLetterBias = 'A' - 10;

// The digit rule of the seat map's MAC texts: lower case is made upper,
// anything from "A" upwards counts as a letter, "1"-"9" as digits and
// everything else as 0.
int DigitValue(unsigned char c)
{
    if (c >= 'a' && c <= 'z')
        c = static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 'A')
        return c - kLetterBias;
    if (c >= '1' && c <= '9')
        return c - '0';
    return 0;
}

} // namespace

bool MacTextToBytes(const char* text, uint8_t (&bytes)[kMacAddressBytes])
{
    // A hand-edited Teacher.ini may hold any text: never read past it.
    if (text == nullptr || std::strlen(text) != kMacTextLength)
        return false;
    const auto* digits = reinterpret_cast<const unsigned char*>(text);
    for (size_t i = 0; i < kMacAddressBytes; ++i)
        bytes[i] = static_cast<uint8_t>(DigitValue(digits[2 * i]) * kHexBase + DigitValue(digits[2 * i + 1]));
    return true;
}

bool BuildWakeOnLanPacket(const char* macText, WakeOnLanPacket& packet)
{
    uint8_t address[kMacAddressBytes];
    if (!MacTextToBytes(macText, address))
        return false;
    std::memset(&packet, 0, sizeof packet);
    std::memset(packet.sync, kWakeOnLanSyncByte, sizeof packet.sync);
    for (auto& copy : packet.addresses)
        std::memcpy(copy, address, sizeof address);
    return true;
}

std::string FormatWakeOnLanPacket(const WakeOnLanPacket& packet)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(&packet);
    std::string text;
    for (size_t line = 0; line < offsetof(WakeOnLanPacket, unused); line += kMacAddressBytes) {
        char row[32];
        std::snprintf(row, sizeof row, "%02X %02X %02X %02X %02X %02X\n", bytes[line], bytes[line + 1],
                      bytes[line + 2], bytes[line + 3], bytes[line + 4], bytes[line + 5]);
        text += row;
    }
    return text;
}

} // namespace kq
