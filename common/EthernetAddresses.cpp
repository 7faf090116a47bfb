#include "common/EthernetAddresses.h"

#include "common/Ipv4Text.h"
#include "common/StudentIniNetwork.h"
#include "common/TextField.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstddef>
#include <memory>
#include <new>
#endif

namespace kq {

std::vector<std::string> EthernetAddressList(const AdapterTables& tables)
{
    std::vector<std::string> list;
    for (const InterfaceRow& card : tables.interfaces) {
        if (card.type != kEthernetInterfaceType)
            continue;
        for (const AddressRow& row : tables.addresses) {
            if (row.interfaceIndex != card.index)
                continue;
            std::string text = FormatDottedIpv4(row.address);
            if (text != kAnyAdapterAddress)
                list.push_back(std::move(text));
        }
    }
    return list;
}

AdapterDecision DecideAdapter(const AdapterTables& tables, const std::string& stored)
{
    AdapterDecision decision;
    if (tables.status == AdapterTablesStatus::NoSizeRequired) {
        decision.result = -1;
        return decision;
    }
    if (tables.status != AdapterTablesStatus::Read)
        return decision; // 0, nothing written

    const std::vector<std::string> list = EthernetAddressList(tables);
    const int count = static_cast<int>(list.size());
    if (count == 0) {
        if (stored != kAnyAdapterAddress)
            decision.write = kAnyAdapterAddress;
        decision.result = 0;
        return decision;
    }
    if (count == 1) {
        const std::string& only = list.front();
        if (!EqualIgnoringCase(only, kAnyAdapterAddress) && !EqualIgnoringCase(only, stored))
            decision.write = only;
        decision.result = 1;
        return decision;
    }
    decision.result = count;
    if (stored == kAnyAdapterAddress)
        return decision;
    for (const std::string& address : list) {
        if (EqualIgnoringCase(address, stored)) {
            decision.result = 1;
            break;
        }
    }
    return decision;
}

#ifdef _WIN32

namespace {

struct FreeTable {
    void operator()(void* table) const { ::operator delete(table); }
};
using TableBuffer = std::unique_ptr<void, FreeTable>;

// A buffer of `size` bytes, or null when it cannot be had.
TableBuffer AllocateTable(ULONG size)
{
    return TableBuffer(::operator new(size, std::nothrow));
}

} // namespace

AdapterTables ReadAdapterTables()
{
    constexpr BOOL kSorted = TRUE;
    AdapterTables tables;

    ULONG addressSize = 0;
    const DWORD asked = GetIpAddrTable(nullptr, &addressSize, kSorted);
    if (asked == NO_ERROR) {
        tables.status = AdapterTablesStatus::NoSizeRequired;
        return tables;
    }
    if (asked != ERROR_INSUFFICIENT_BUFFER || addressSize < sizeof(DWORD))
        return tables;
    TableBuffer addressBuffer = AllocateTable(addressSize);
    if (!addressBuffer)
        return tables;
    auto* addressTable = static_cast<MIB_IPADDRTABLE*>(addressBuffer.get());
    if (GetIpAddrTable(addressTable, &addressSize, kSorted) != NO_ERROR)
        return tables;

    // The interface table's calls fail like the address table's: nothing is
    // read from a buffer the system did not fill.
    ULONG interfaceSize = 0;
    if (GetIfTable(nullptr, &interfaceSize, kSorted) != ERROR_INSUFFICIENT_BUFFER || interfaceSize < sizeof(DWORD))
        return tables;
    TableBuffer interfaceBuffer = AllocateTable(interfaceSize);
    if (!interfaceBuffer)
        return tables;
    auto* interfaceTable = static_cast<MIB_IFTABLE*>(interfaceBuffer.get());
    if (GetIfTable(interfaceTable, &interfaceSize, kSorted) != NO_ERROR)
        return tables;

    // The counts come from the system; the rows must still fit the buffers.
    const size_t addressRows = (addressSize - offsetof(MIB_IPADDRTABLE, table)) / sizeof(MIB_IPADDRROW);
    const size_t interfaceRows = (interfaceSize - offsetof(MIB_IFTABLE, table)) / sizeof(MIB_IFROW);
    if (addressTable->dwNumEntries > addressRows || interfaceTable->dwNumEntries > interfaceRows)
        return tables;

    for (DWORD i = 0; i < addressTable->dwNumEntries; ++i)
        tables.addresses.push_back({addressTable->table[i].dwAddr, addressTable->table[i].dwIndex});
    for (DWORD i = 0; i < interfaceTable->dwNumEntries; ++i)
        tables.interfaces.push_back({interfaceTable->table[i].dwIndex, interfaceTable->table[i].dwType});
    tables.status = AdapterTablesStatus::Read;
    return tables;
}

#endif

} // namespace kq
