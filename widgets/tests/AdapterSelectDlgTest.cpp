// The adapter check and dialog on the test's private network, whose two
// Ethernet addresses are 198.18.0.1 and 198.18.0.2. The dialog carries the
// test program's own resources, as each program passes its own.

#include "widgets/AdapterSelectDlg.h"
#include "widgets/tests/LayoutCheck.h"
#include "widgets/tests/WidgetTestSupport.h"

#include "common/EthernetAddresses.h"
#include "common/StudentIni.h"

#include "HandCursorResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

namespace Res = HandCursorRes;

// The template's controls (HandCursor.tsv).
constexpr UINT kComboId = 912;
constexpr UINT kCloseId = 911;

const AdapterSelectIds kIds = {Res::IDD_ADAPTER_SELECT, Res::IDB_ADAPTER_BACK, kComboId,
                               kCloseId, Res::IDC_TEST_HAND};
const std::vector<std::string> kNetworkAddresses = {"198.18.0.1", "198.18.0.2"};
constexpr char kUnset[] = "(unset)";

class OwnResources {
public:
    OwnResources() : m_previous(AfxGetResourceHandle()) { AfxSetResourceHandle(::GetModuleHandleA(nullptr)); }
    ~OwnResources() { AfxSetResourceHandle(m_previous); }

private:
    HINSTANCE m_previous;
};

class AdapterSelect : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(sizeof temp, temp);
        ini_ = std::string(temp) + "adapter-select-" + std::to_string(::GetCurrentProcessId()) + ".ini";
        ::DeleteFileA(ini_.c_str());
        std::vector<std::string> found = kq::EthernetAddressList(kq::ReadAdapterTables());
        std::sort(found.begin(), found.end());
        ASSERT_EQ(found, kNetworkAddresses) << "runs on the test's private network";
    }
    void TearDown() override { ::DeleteFileA(ini_.c_str()); }

    void Store(const char* address) { kq::WriteIniText(ini_, "NETADAPTER", "IPADDRESS", address); }
    std::string Stored() const { return kq::ReadIniText(ini_, "NETADAPTER", "IPADDRESS", kUnset, 49); }

    std::string ini_;
    OwnResources resources_;
};

TEST_F(AdapterSelect, TheCheckSettlesAKnownAddressAndCountsOtherwise)
{
    const struct {
        const char* stored;
        int result;
        const char* after;
    } cases[] = {
        {"0.0.0.0", 2, "0.0.0.0"},
        {"198.18.0.2", 1, "198.18.0.2"},
        {"198.18.0.1", 1, "198.18.0.1"},
        {"192.168.7.7", 2, "192.168.7.7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Store(c.stored);
        CAdapterSelectDlg dialog(kIds, nullptr, ini_);
        EXPECT_EQ(dialog.CheckAdapters(), c.result);
        EXPECT_EQ(Stored(), c.after);
    }
    ::DeleteFileA(ini_.c_str());
    CAdapterSelectDlg dialog(kIds, nullptr, ini_);
    EXPECT_EQ(dialog.CheckAdapters(), 2) << "no file reads as any adapter";
}

std::vector<std::string> ComboTexts(CComboBox& combo)
{
    std::vector<std::string> texts;
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString text;
        combo.GetLBText(i, text);
        texts.emplace_back(text);
    }
    return texts;
}

void TypeAndOk(CDialog& dialog, const char* text)
{
    dialog.GetDlgItem(static_cast<int>(kComboId))->SetWindowText(text);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDOK)->GetSafeHwnd()));
}

TEST_F(AdapterSelect, ListsTheAddressesSortedAndWritesOnlyAnAddress)
{
    Store("0.0.0.0");
    CAdapterSelectDlg dialog(kIds, nullptr, ini_);
    bool stillOpenAfterTypo = false;
    std::string storedAfterTypo;
    DWORD selectionAfterTypo = 0;
    const INT_PTR result = kqtest::RunModal(dialog, [&](CDialog& d) {
        auto* combo = static_cast<CComboBox*>(d.GetDlgItem(static_cast<int>(kComboId)));
        EXPECT_EQ(ComboTexts(*combo), kNetworkAddresses);
        EXPECT_EQ(combo->GetCurSel(), 0) << "the lowest address selected";
        CString shown;
        combo->GetWindowText(shown);
        EXPECT_STREQ(shown, "198.18.0.1");

        kqtest::ExpectFitsItsFrame(d, Res::IDB_ADAPTER_BACK);
        EXPECT_EQ(kqtest::LayoutFaults(d.GetSafeHwnd()), std::vector<std::string>{});
        kqtest::SaveScreenShot(d.GetSafeHwnd(), "adapter-select");
        CRect comboRect;
        combo->GetWindowRect(&comboRect);
        d.ScreenToClient(&comboRect);
        EXPECT_EQ(comboRect.TopLeft(), CPoint(CAdapterSelectDlg::kComboX, CAdapterSelectDlg::kComboY));

        TypeAndOk(d, "abc");
        stillOpenAfterTypo = d.IsWindowVisible() != FALSE;
        storedAfterTypo = Stored();
        selectionAfterTypo = combo->GetEditSel();
        TypeAndOk(d, "198.18.0.2");
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(stillOpenAfterTypo) << "a text that is no address keeps the dialog open";
    EXPECT_EQ(storedAfterTypo, "0.0.0.0");
    EXPECT_EQ(selectionAfterTypo, static_cast<DWORD>(MAKELONG(0, 3))) << "the typed text selected";
    EXPECT_EQ(Stored(), "198.18.0.2");
}

TEST_F(AdapterSelect, CloseAndEscapeWriteNothing)
{
    Store("192.168.7.7");
    {
        CAdapterSelectDlg dialog(kIds, nullptr, ini_);
        const INT_PTR result = kqtest::RunModal(dialog, [](CDialog& d) {
            CWnd* close = d.GetDlgItem(static_cast<int>(kCloseId));
            CRect rect;
            close->GetWindowRect(&rect);
            d.ScreenToClient(&rect);
            EXPECT_EQ(rect, CRect(269, 4, 269 + 16, 4 + 14));
            close->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
            close->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        });
        EXPECT_EQ(result, IDOK) << "the close button ends with OK";
    }
    EXPECT_EQ(Stored(), "192.168.7.7");
    {
        CAdapterSelectDlg dialog(kIds, nullptr, ini_);
        const INT_PTR result = kqtest::RunModal(dialog, [](CDialog& d) {
            d.GetDlgItem(static_cast<int>(kComboId))->SetWindowText("198.18.0.2");
            d.SendMessage(WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(result, IDCANCEL);
    }
    EXPECT_EQ(Stored(), "192.168.7.7");
}

} // namespace
