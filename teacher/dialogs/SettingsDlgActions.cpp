// CSettingsDlg: what its controls do at once, while the dialog is open.

#include "teacher/dialogs/SettingsDlg.h"

#include "common/HttpService.h"
#include "common/Ipv4Text.h"
#include "common/ProgramFolder.h"
#include "standins/lectern/LecternTeacher.h"
#include "teacher/SettingsEntries.h"
#include "widgets/BmpDialog.h"
#include "widgets/FolderPicker.h"
#include "teacher/dialogs/MessageBoxes.h"

#include "TeacherResources.h"

#include <objbase.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr WORD kCodeOneSeat = 35;
constexpr int kFirstClassroom = 1;
constexpr DWORD kServiceContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
constexpr char kFolderTitle[] = "请选择保存的路径";
constexpr char kBackgroundTitle[] = "请选择学生区背景图片";
constexpr char kLogoTitle[] = "请选择学校LOGO图片";
constexpr char kPictureFolder[] = "BackBmp\\";

// A CP936 text as a BSTR for one call.
class WideText {
public:
    explicit WideText(const CString& text)
    {
        const int length = ::MultiByteToWideChar(CP_ACP, 0, text.GetString(), text.GetLength(), nullptr, 0);
        std::vector<wchar_t> wide(static_cast<size_t>(length) + 1);
        ::MultiByteToWideChar(CP_ACP, 0, text.GetString(), text.GetLength(), wide.data(), length);
        m_text = ::SysAllocStringLen(wide.data(), static_cast<UINT>(length));
    }
    ~WideText() { ::SysFreeString(m_text); }
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;
    BSTR Get() const { return m_text; }

private:
    BSTR m_text = nullptr;
};

kq::IHttpService* CreateHttpService()
{
    CLSID classId = {};
    if (FAILED(::CLSIDFromProgID(kq::kHttpServiceProgIdW, &classId)))
        return nullptr;
    void* object = nullptr;
    if (FAILED(::CoCreateInstance(classId, nullptr, kServiceContext, kq::kIidHttpService, &object)))
        return nullptr;
    return static_cast<kq::IHttpService*>(object);
}

} // namespace

void CSettingsDlg::OnNoClassroom()
{
    m_classroomNumber.SetReadOnly(TRUE);
    m_classroomSpin.EnableWindow(FALSE);
}

void CSettingsDlg::OnClassroom()
{
    m_classroomNumber.SetReadOnly(FALSE);
    m_classroomSpin.EnableWindow(TRUE);
    CString number;
    number.Format("%d", m_options->ClassroomID != 0 ? m_options->ClassroomID : kFirstClassroom);
    m_classroomNumber.SetWindowText(number);
}

void CSettingsDlg::OnNoMonitoring()
{
    m_watchInterval.EnableWindow(FALSE);
    m_watchSpin.EnableWindow(FALSE);
}

void CSettingsDlg::OnMonitoring()
{
    CString interval;
    m_watchInterval.GetWindowText(interval);
    if (std::atoi(interval.GetString()) < kq::kShortestWatchInterval)
        m_watchSpin.SetPos32(kq::kShortestWatchInterval);
    m_watchInterval.EnableWindow(TRUE);
    m_watchSpin.EnableWindow(TRUE);
}

void CSettingsDlg::OnCompressionZero()
{
    m_quality.EnableWindow(TRUE);
    m_record.EnableWindow(TRUE);
    m_record.SetCheck(m_config->Record == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void CSettingsDlg::OnCompressionOne()
{
    m_quality.EnableWindow(FALSE);
    m_record.SetCheck(BST_UNCHECKED);
    m_record.EnableWindow(FALSE);
}

void CSettingsDlg::OnDirectAccess()
{
    EnableProxy(FALSE);
    m_queryProxy.EnableWindow(FALSE);
}

void CSettingsDlg::OnProxyAccess()
{
    EnableProxy(TRUE);
    m_queryProxy.EnableWindow(TRUE);
}

void CSettingsDlg::OnSound()
{
    ShowHits(m_sound.GetCheck() == BST_CHECKED);
}

void CSettingsDlg::OnChooseFolder()
{
    CFolderPicker picker;
    picker.m_title = kFolderTitle;
    if (picker.Browse(this))
        m_receiveFolder.SetWindowText(picker.m_path);
}

void CSettingsDlg::ChoosePicture(CEdit& field, const char* title)
{
    CBmpDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, this);
    const std::string folder = kq::GetProgramFolder() + kPictureFolder;
    dialog.m_ofn.lpstrTitle = title;
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    if (dialog.DoModal() == IDOK)
        field.SetWindowText(dialog.GetPathName());
}

void CSettingsDlg::OnChooseBackground()
{
    ChoosePicture(m_background, kBackgroundTitle);
}

void CSettingsDlg::OnChooseLogo()
{
    ChoosePicture(m_logo, kLogoTitle);
}

void CSettingsDlg::OnSendToSeat()
{
    if (m_hasTarget == 0) {
        kq::ShowWarning(TeacherRes::IDS_NO_SEAT_ONLINE);
        return;
    }
    kq::ClearCommand(m_command);
    m_command.block.code = kCodeOneSeat;
    m_command.block.targetCount = 1;
    kq::TargetSeats(m_command)[0] = m_firstTarget;
    LecternSendCommand(&m_command);
}

void CSettingsDlg::OnQueryProxy()
{
    CString password, user, port;
    m_proxyPassword.GetWindowText(password);
    m_proxyName.GetWindowText(user);
    m_proxyPort.GetWindowText(port);
    DWORD address = 0;
    m_proxyAddress.GetAddress(address);
    const std::string dotted = kq::FormatDottedIpv4(htonl(address));

    kq::IHttpService* service = CreateHttpService();
    if (service == nullptr) {
        kq::ShowWarning(TeacherRes::IDS_PROXY_SERVICE_MISSING);
        return;
    }
    long result = -1;
    const WideText addressText(dotted.c_str()), userText(user), passwordText(password);
    const HRESULT called = service->QueryProxy(addressText.Get(), static_cast<short>(std::atoi(port.GetString())),
                                               userText.Get(), passwordText.Get(), &result);
    // A failed call answers nothing about the proxy: it counts as no answer.
    if (FAILED(called))
        result = -1;
    kq::ShowWarning(result < 0 ? TeacherRes::IDS_PROXY_NOT_ANSWERING : TeacherRes::IDS_PROXY_ANSWERING);
    service->Release();
}
