#pragma once
// The PC's Ethernet addresses and the adapter decision made from them at the
// start of the joiner and of the environment check.
//
// The tables come from the IP Helper library (ReadAdapterTables, Windows
// only); the list and the decision are portable so that every case can be
// tested without a network.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kq {

// One row of the IPv4 address table: the address in network byte order as it
// lies in memory, and the index of its interface.
struct AddressRow {
    uint32_t address = 0;
    uint32_t interfaceIndex = 0;
};

// One row of the interface table.
struct InterfaceRow {
    uint32_t index = 0;
    uint32_t type = 0;
};

inline constexpr uint32_t kEthernetInterfaceType = 6;

// What the read of the two tables gave.
enum class AdapterTablesStatus {
    Read,           // both tables read
    NoSizeRequired, // the size query of the address table succeeded outright
    Failed,         // a size query, allocation or read failed
};

struct AdapterTables {
    AdapterTablesStatus status = AdapterTablesStatus::Failed;
    std::vector<AddressRow> addresses;   // in the table's (sorted) order
    std::vector<InterfaceRow> interfaces; // in the table's (sorted) order
};

// For every Ethernet interface in table order, the texts of its addresses in
// table order, "0.0.0.0" left out. An address on two interfaces of the same
// index, or an interface with two addresses, counts once per pairing.
std::vector<std::string> EthernetAddressList(const AdapterTables& tables);

// What the check answers and, when the stored address must change, the text
// to write as [NETADAPTER] IPADDRESS.
struct AdapterDecision {
    // -1: the address table needed no buffer; 0: no table or no Ethernet
    // address; 1: the address is settled; 2 or more: the number of Ethernet
    // addresses, of which the user must pick one.
    int result = 0;
    std::optional<std::string> write;
};

// The decision for `tables` and the stored IPADDRESS text. A failed read
// answers 0 and writes nothing.
AdapterDecision DecideAdapter(const AdapterTables& tables, const std::string& stored);

#ifdef _WIN32
// Reads the sorted address and interface tables through the IP Helper
// library; any failed size query, allocation or read gives Failed with both
// tables empty.
AdapterTables ReadAdapterTables();
#endif

} // namespace kq
