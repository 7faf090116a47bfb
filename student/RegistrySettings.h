#pragma once
// The registry values the teacher sets on a student PC: the restriction
// switches that the student register.ini names, and the browser's proxy.

#include <cstdint>
#include <string>

namespace kq {

// Section `number` (decimal) of `registerIni` names a key path under
// HKEY_CURRENT_USER ("path") and a DWORD value ("key"); on (1) writes 1,
// anything else 0. A section without "path" or "key" writes nothing.
void ApplyRegistrySwitch(const std::string& registerIni, int number, int value);

// "Internet Settings" of HKEY_CURRENT_USER: ProxyServer "a.b.c.d:port",
// ProxyEnable 1, no AutoConfigURL. `address` in network byte order.
void SetIeProxy(uint32_t address, int port);

} // namespace kq
