#pragma once
// Dotted IPv4 text ("a.b.c.d": four decimal octets of one to three digits)
// and the 32-bit address in network byte order as it lies in memory, the
// form inet_addr gives and sockaddr_in holds. Portable.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kq {

// What inet_addr answers for a text that is no address; callers that follow
// it take this when ParseDottedIpv4 finds nothing.
inline constexpr uint32_t kIpv4None = 0xFFFFFFFF;

// The address written in `text`; nothing for an empty text, a missing or
// extra octet, an octet above 255 or of more than three digits, or any other
// character (spaces included).
std::optional<uint32_t> ParseDottedIpv4(std::string_view text);

// "a.b.c.d" of `address`.
std::string FormatDottedIpv4(uint32_t address);

} // namespace kq
