// Resource sources and DLLs: a DLL's application object, its own instance
// handle, and dialog templates loaded from a resource DLL.

#include "framework/tests/CoreTestSupport.h"
#include "framework/tests/sample/SampleResources.h"

#include <gtest/gtest.h>

namespace {

typedef void(CALLBACK* SampleDriver)(HWND hDialog);
typedef BOOL(WINAPI* AppInitialisedFn)();
typedef HINSTANCE(WINAPI* InstanceHandleFn)();
typedef INT_PTR(WINAPI* RunDialogFn)(SampleDriver, char*, int, int*);

constexpr int kNameSize = 64;

// What a user does in the sample dialog: types a name and a count, then OK.
void CALLBACK TypeAndConfirm(HWND hDialog)
{
    ::SetDlgItemTextA(hDialog, IDC_SAMPLE_NAME, "张三");
    ::SetDlgItemTextA(hDialog, IDC_SAMPLE_COUNT, "12");
    ::PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(hDialog, IDOK)));
}

class ResourceDllTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dll = ::LoadLibraryA("kqsample.dll");
        ASSERT_NE(nullptr, m_dll);
    }
    void TearDown() override
    {
        AfxSetResourceHandle(nullptr);
        if (m_dll != nullptr)
            ::FreeLibrary(m_dll);
    }
    template <class Fn>
    Fn Export(const char* name)
    {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m_dll, name)));
    }

    HMODULE m_dll = nullptr;
};

TEST_F(ResourceDllTest, TheDllHasItsOwnApplicationAndInstanceHandle)
{
    auto initialised = Export<AppInitialisedFn>("SampleAppInitialised");
    auto instance = Export<InstanceHandleFn>("SampleInstanceHandle");
    ASSERT_NE(nullptr, initialised);
    ASSERT_NE(nullptr, instance);
    EXPECT_TRUE(initialised());
    EXPECT_EQ(m_dll, instance());
    EXPECT_EQ(::GetModuleHandleA(nullptr), AfxGetInstanceHandle());
    EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle()); // until redirected
}

TEST_F(ResourceDllTest, TheDllsDialogLoadsFromTheDllWhateverTheHostRedirected)
{
    auto run = Export<RunDialogFn>("SampleRunDialog");
    ASSERT_NE(nullptr, run);
    // The host points its own resource source elsewhere (as programs do with
    // their resource modules): the DLL's copy of the library is unaffected.
    AfxSetResourceHandle(::GetModuleHandleA("kernel32.dll"));
    char name[kNameSize] = {};
    int count = 0;
    EXPECT_EQ(IDOK, run(TypeAndConfirm, name, kNameSize, &count));
    EXPECT_STREQ("张三", name);
    EXPECT_EQ(12, count);
}

TEST_F(ResourceDllTest, HostOpensATemplateFromTheResourceDllItMadeCurrent)
{
    class HostDialog : public CDialog {
    public:
        HostDialog() : CDialog(IDD_SAMPLE) {}
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            SetDlgItemText(IDC_SAMPLE_NAME, "typed");
            // Esc ends it with the cancel result; a button id ends it with its own.
            PostMessage(WM_COMMAND, MAKEWPARAM(IDC_SAMPLE_COUNT, BN_CLICKED));
            return TRUE;
        }
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
        {
            if (LOWORD(wParam) == IDC_SAMPLE_COUNT && HIWORD(wParam) == BN_CLICKED) {
                GetDlgItemText(IDC_SAMPLE_NAME, typed);
                EndDialog(IDC_SAMPLE_COUNT);
                return TRUE;
            }
            return CDialog::OnCommand(wParam, lParam);
        }
        CString typed;
    };

    // Without the DLL as resource source, the host has no such template.
    HostDialog missing;
    EXPECT_EQ(-1, missing.DoModal());

    AfxSetResourceHandle(m_dll);
    HostDialog dialog;
    EXPECT_EQ(IDC_SAMPLE_COUNT, dialog.DoModal());
    EXPECT_STREQ("typed", dialog.typed);
}

} // namespace
