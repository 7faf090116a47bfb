#pragma once
// CSettingsDlg: the station's run-time settings on four tab pages:
// broadcast and recording, bell and tips, homework and its receive folder,
// the classroom number, automatic monitoring and the multi-screen layout;
// compression, quality and speed; the background pictures; the web proxy
// and the share port. OK checks every entry first and writes the opener's
// records only when all pass; Cancel leaves them as they were. Two buttons
// act at once: 720 sends code 35 to one seat, 858 asks the web access
// control server whether the proxy answers.

#include "common/CommandBlock.h"
#include "common/TeacherConfig.h"
#include "teacher/TeacherOptions.h"
#include "widgets/KqTabCtrl.h"
#include "widgets/SkinDialog.h"

#include "framework/IPAddressCtrl.h"
#include "framework/SliderCtrl.h"
#include "framework/SpinButtonCtrl.h"

class CSettingsDlg : public CSkinDialog {
public:
    CSettingsDlg();

    // Set by the opener before DoModal.
    void SetRecords(kq::TeacherConfig* config, kq::TeacherOptions* options)
    {
        m_config = config;
        m_options = options;
    }
    void SetTarget(int hasTarget, uint8_t firstSeat)
    {
        m_hasTarget = hasTarget;
        m_firstTarget = firstSeat;
    }
    // After IDOK: the students' background picture changed.
    bool BackgroundChanged() const { return m_backgroundChanged; }

    BOOL OnInitDialog() override;

    // Controls the tests and the opener name.
    static constexpr UINT kOkId = 706;
    static constexpr UINT kCancelId = 705;
    static constexpr UINT kTabsId = 725;
    static constexpr UINT kFirstPageId = 721; // 721-724
    static constexpr int kPageCount = 4;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnNoClassroom();   // 793
    afx_msg void OnClassroom();     // 794
    afx_msg void OnNoMonitoring();  // 828
    afx_msg void OnMonitoring();    // 829
    afx_msg void OnCompressionZero(); // 732
    afx_msg void OnCompressionOne();  // 733
    afx_msg void OnDirectAccess();  // 734
    afx_msg void OnProxyAccess();   // 735
    afx_msg void OnSound();         // 826
    afx_msg void OnChooseFolder();  // 708
    afx_msg void OnChooseBackground(); // 835
    afx_msg void OnChooseLogo();    // 834
    afx_msg void OnSendToSeat();    // 720
    afx_msg void OnQueryProxy();    // 858

private:
    void CreateControls(CKqTab* const (&pages)[kPageCount]);
    void ShowValues();
    // 874 and 873 from the profile's Hits, enabled, or both disabled.
    void ShowHits(bool soundOn);
    void EnableProxy(BOOL on);
    // The picture file dialog for `field`, titled `title`.
    void ChoosePicture(CEdit& field, const char* title);
    // The first rejected entry's warning; false when one was shown.
    bool EntriesAccepted();
    void StoreValues();

    kq::TeacherConfig* m_config = nullptr;
    kq::TeacherOptions* m_options = nullptr;
    int m_hasTarget = 0;
    uint8_t m_firstTarget = 0;
    kq::CommandBlockWithTail m_command{};
    int m_classroomAtOpen = 0;
    int m_classroomNow = 0;
    bool m_backgroundChanged = false;

    CFont m_font;
    CBitmapButton m_ok;
    CBitmapButton m_cancel;
    CKqTabCtrl m_pages;
    // Page 721.
    CButton m_record, m_screenChange, m_enableTip, m_ring, m_chalkpad, m_sound;
    CButton m_hits8, m_hits16, m_homework, m_kqDesk;
    CEdit m_receiveFolder;
    CBitmapButton m_chooseFolder;
    CButton m_noClassroom, m_classroom;
    CEdit m_classroomNumber;
    CSpinButtonCtrl m_classroomSpin;
    CButton m_noMonitoring, m_monitoring;
    CEdit m_watchInterval;
    CSpinButtonCtrl m_watchSpin;
    CButton m_screens4, m_screens9, m_screens16;
    // Page 722.
    CButton m_compressionZero, m_compressionOne;
    CSliderCtrl m_quality, m_speed;
    // Page 723.
    CBitmapButton m_sendToSeat;
    CEdit m_background, m_logo;
    CBitmapButton m_chooseBackground, m_chooseLogo;
    // Page 724.
    CEdit m_sharePort;
    CButton m_direct, m_proxy;
    CIPAddressCtrl m_proxyAddress;
    CEdit m_proxyPort, m_proxyName, m_proxyPassword;
    CBitmapButton m_queryProxy;
};
