// A DLL built on the library, as the broadcast engine and the check library
// are: an application object started by the library's DllMain, and a dialog
// whose template lives in the DLL itself.

#include "framework/Framework.h"
#include "framework/tests/sample/SampleResources.h"

namespace {

class CSampleApp : public CWinApp {
public:
    BOOL initialised = FALSE;
    BOOL InitInstance() override
    {
        initialised = TRUE;
        return TRUE;
    }
};

CSampleApp theSampleApp;

typedef void(CALLBACK* SampleDriver)(HWND hDialog);

class CSampleDlg : public CDialog {
public:
    explicit CSampleDlg(SampleDriver driver) : CDialog(IDD_SAMPLE), m_driver(driver) {}
    CString m_name = "sample";
    int m_count = 1;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (m_driver != nullptr)
            m_driver(m_hWnd);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_SAMPLE_NAME, m_name);
        DDX_Text(pDX, IDC_SAMPLE_COUNT, m_count);
    }

private:
    SampleDriver m_driver;
};

} // namespace

extern "C" {

BOOL WINAPI SampleAppInitialised()
{
    return AfxGetApp() == &theSampleApp && theSampleApp.initialised;
}

HINSTANCE WINAPI SampleInstanceHandle()
{
    return AfxGetInstanceHandle();
}

// Runs the DLL's dialog; the driver gets its window from OnInitDialog.
INT_PTR WINAPI SampleRunDialog(SampleDriver driver, char* name, int nameSize, int* count)
{
    CSampleDlg dialog(driver);
    const INT_PTR result = dialog.DoModal();
    if (name != nullptr && nameSize > 0)
        lstrcpynA(name, dialog.m_name, nameSize);
    if (count != nullptr)
        *count = dialog.m_count;
    return result;
}

} // extern "C"
