// The IP address control: the address in host order, the number of
// filled fields, clearing.

#include "framework/Framework.h"
#include "framework/IPAddressCtrl.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kAddressId = 402;

TEST(IPAddressCtrl, SetsAndReadsTheAddressInHostOrder)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "address parent", WS_POPUP, 0, 0, 200, 50, nullptr,
                                nullptr));
    CIPAddressCtrl address;
    ASSERT_TRUE(address.Create(WS_VISIBLE, RECT{0, 0, 150, 22}, &parent, kAddressId));
    EXPECT_TRUE(address.IsBlank());
    DWORD value = 0xFFFFFFFF;
    EXPECT_EQ(address.GetAddress(value), 0) << "no field filled";
    EXPECT_EQ(value, 0u);

    address.SetAddress(0xC6120001); // 198.18.0.1
    EXPECT_FALSE(address.IsBlank());
    EXPECT_EQ(address.GetAddress(value), 4);
    EXPECT_EQ(value, 0xC6120001u);
    BYTE fields[4] = {};
    EXPECT_EQ(address.GetAddress(fields[0], fields[1], fields[2], fields[3]), 4);
    EXPECT_EQ(std::vector<int>(fields, fields + 4), (std::vector<int>{198, 18, 0, 1}));

    address.SetAddress(10, 1, 2, 254);
    EXPECT_EQ(address.GetAddress(value), 4);
    EXPECT_EQ(value, 0x0A0102FEu);
    CString text;
    address.GetWindowText(text);
    EXPECT_STREQ(text, "10.1.2.254");

    address.ClearAddress();
    EXPECT_TRUE(address.IsBlank());
    EXPECT_EQ(address.GetAddress(value), 0);
}

} // namespace
