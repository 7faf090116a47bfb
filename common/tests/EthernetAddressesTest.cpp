// The Ethernet address list and the adapter decision, from tables as the IP
// Helper library gives them.

#include "common/EthernetAddresses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using kq::AdapterTables;
using kq::AdapterTablesStatus;

constexpr uint32_t kEthernet = kq::kEthernetInterfaceType;
constexpr uint32_t kLoopback = 24;
constexpr uint32_t kDialUp = 23;

uint32_t Address(uint8_t a, uint8_t b, uint8_t c, uint8_t d)
{
    const uint8_t octets[4] = {a, b, c, d};
    uint32_t address = 0;
    std::memcpy(&address, octets, sizeof address);
    return address;
}

AdapterTables Read(std::vector<kq::InterfaceRow> interfaces, std::vector<kq::AddressRow> addresses)
{
    AdapterTables tables;
    tables.status = AdapterTablesStatus::Read;
    tables.interfaces = std::move(interfaces);
    tables.addresses = std::move(addresses);
    return tables;
}

TEST(EthernetAddressList, EthernetAddressesInInterfaceOrderWithoutTheAnyAddress)
{
    const AdapterTables tables = Read(
        {{1, kLoopback}, {7, kEthernet}, {3, kEthernet}, {4, kDialUp}, {5, kEthernet}},
        {{Address(127, 0, 0, 1), 1},
         {Address(10, 0, 0, 9), 3},
         {Address(192, 168, 1, 20), 7},
         {Address(172, 16, 0, 2), 7},
         {Address(10, 1, 1, 1), 4},
         {Address(0, 0, 0, 0), 5}});
    EXPECT_EQ(kq::EthernetAddressList(tables),
              (std::vector<std::string>{"192.168.1.20", "172.16.0.2", "10.0.0.9"}));
}

struct DecisionCase {
    const char* name;
    AdapterTables tables;
    const char* stored;
    int result;
    std::optional<std::string> write;
};

TEST(DecideAdapter, SettlesTheStoredAddressOrAsksWhenItCannot)
{
    const AdapterTables one = Read({{2, kEthernet}}, {{Address(192, 168, 1, 20), 2}});
    const AdapterTables two = Read({{2, kEthernet}, {3, kEthernet}},
                                   {{Address(198, 18, 0, 2), 2}, {Address(198, 18, 0, 1), 3}});
    const AdapterTables twoOnOneCard = Read({{2, kEthernet}}, {{Address(10, 0, 0, 1), 2}, {Address(10, 0, 0, 2), 2}});
    const AdapterTables noEthernet =
        Read({{1, kLoopback}, {4, kDialUp}, {5, kEthernet}},
             {{Address(127, 0, 0, 1), 1}, {Address(10, 1, 1, 1), 4}, {Address(0, 0, 0, 0), 5}});
    AdapterTables failed = two;
    failed.status = AdapterTablesStatus::Failed; // e.g. the interface table could not be read
    AdapterTables noSize;
    noSize.status = AdapterTablesStatus::NoSizeRequired;

    const DecisionCase cases[] = {
        {"one card, any adapter stored: its address is written", one, "0.0.0.0", 1, "192.168.1.20"},
        {"one card, an old address stored: its address is written", one, "10.9.9.9", 1, "192.168.1.20"},
        {"one card already stored: nothing written", one, "192.168.1.20", 1, std::nullopt},
        {"two cards, the second stored: settled", two, "198.18.0.1", 1, std::nullopt},
        {"two cards, any adapter stored: the user picks", two, "0.0.0.0", 2, std::nullopt},
        {"two cards, a vanished address stored: the user picks", two, "192.168.5.5", 2, std::nullopt},
        {"two addresses on one card count twice", twoOnOneCard, "0.0.0.0", 2, std::nullopt},
        {"no Ethernet address: reset to any adapter", noEthernet, "192.168.1.20", 0, "0.0.0.0"},
        {"no Ethernet address, any adapter stored: nothing written", noEthernet, "0.0.0.0", 0, std::nullopt},
        {"no card at all", Read({}, {}), "1.2.3.4", 0, "0.0.0.0"},
        {"a failed table read writes nothing", failed, "198.18.0.1", 0, std::nullopt},
        {"an address table that needs no buffer", noSize, "0.0.0.0", -1, std::nullopt},
    };
    for (const DecisionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const kq::AdapterDecision decision = kq::DecideAdapter(c.tables, c.stored);
        EXPECT_EQ(decision.result, c.result);
        EXPECT_EQ(decision.write, c.write);
    }
}

} // namespace
