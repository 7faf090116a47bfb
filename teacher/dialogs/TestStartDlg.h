#pragma once
// CTestStartDlg: names the paper and the answer file of an online test, its
// two texts, its length and two options, and starts it in the online test
// library. Every entry is checked first; a problem is reported and the
// dialog stays open. IDOK once the library took the start (see OnStart).

#include "common/CommandBlock.h"
#include "common/TestStartRecord.h"
#include "widgets/SkinDialog.h"

#include "framework/SpinButtonCtrl.h"

class CTestStartDlg : public CSkinDialog {
public:
    CTestStartDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);

    // The caller's block: only its target count is read.
    void SetCommandBlock(const kq::CommandBlock* block) { m_block = block; }
    void SetInitialPaper(const CString& path) { m_initialPaper = path; }

    uint16_t GetTestMinutes() const { return m_record.minutes; }
    CString GetAnswerFile() const { return m_answerPath; }
    int32_t GetTestId() const { return m_testId; }
    // The record lent to the library at the last start.
    const kq::TestStartRecord& Record() const { return m_record; }

    BOOL OnInitDialog() override;

    static constexpr UINT kPaperId = 802;
    static constexpr UINT kAnswerId = 803;
    static constexpr UINT kTextAId = 804;
    static constexpr UINT kMinutesId = 805;
    static constexpr UINT kTextBId = 806;
    static constexpr UINT kOptionAId = 807;
    static constexpr UINT kOptionBId = 808;
    static constexpr UINT kStartId = 809;
    static constexpr UINT kCancelId = 705;
    static constexpr UINT kBrowsePaperId = 810;
    static constexpr UINT kBrowseAnswerId = 811;
    static constexpr UINT kSpinId = 812;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    afx_msg void OnStart();
    afx_msg void OnCancelButton();
    afx_msg void OnBrowsePaper();
    afx_msg void OnBrowseAnswer();

private:
    // The entries checked in order; false after the warning of the first
    // problem.
    bool ReadEntries();
    // The length of the paper file; the file error is reported and the size
    // stays as it was when the file cannot be opened.
    void ReadPaperSize();
    // Shows what a failed start means; true when the result ends the dialog.
    bool AcceptStartResult(int result);
    CString Entry(const CEdit& edit, bool trimmed) const;

    const kq::CommandBlock* m_block = nullptr;
    CString m_initialPaper;
    CFont m_font;
    kq::TestStartRecord m_record{};
    int32_t m_testId = 0;
    int32_t m_paperSize = 0;
    int m_minutes = 0;
    CSpinButtonCtrl m_spin;
    CButton m_optionA;
    CButton m_optionB;
    CBitmapButton m_browsePaper;
    CBitmapButton m_browseAnswer;
    CBitmapButton m_start;
    CBitmapButton m_cancel;
    CEdit m_answerEdit;
    CEdit m_textAEdit;
    CEdit m_minutesEdit;
    CEdit m_textBEdit;
    CEdit m_paperEdit;
    CString m_paperPath;
    CString m_answerPath;
    CString m_minutesText;
    CString m_textB;
    CString m_textA;
};
