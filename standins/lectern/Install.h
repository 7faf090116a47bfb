#pragma once
// What the transport reads from the PC it runs on: its own module and folder
// (the install folder), the network adapter chosen in student.ini, the
// computer name and the adapter's hardware address.

#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "standins/common/StandinWindows.h"

namespace kq::lectern {

using standin::ThisModule;

// The folder of this module, without a trailing backslash.
std::string ModuleFolder();

// [NETADAPTER] IPADDRESS of student.ini in the install folder, network
// order; 0 (any adapter) when absent, "0.0.0.0", invalid, or when the folder
// is not on a fixed disk.
uint32_t ReadAdapterAddress();

std::string ComputerName();

// The hardware address of the adapter that reaches `peer` (network order);
// all zero when it cannot be found.
void AdapterAddressToward(uint32_t peer, uint16_t peerPort, uint8_t (&mac)[6]);

// "a.b.c.d" of a network-order address.
std::string Dotted(uint32_t address);

} // namespace kq::lectern
