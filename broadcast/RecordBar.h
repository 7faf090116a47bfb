#pragma once
// The record bar "DoBar": a small floating tool window with five buttons
// (record, stop, play, clear, exit) that post their codes to the decoder
// window as WM_MIRAGE_RECORD. It belongs to the viewer thread; the receive
// thread shows and hides it by the frame ends' record-bar byte.

#include "broadcast/ClearRecordDlg.h"
#include "broadcast/RecordBarStates.h"

#include "framework/Framework.h"
#include "framework/ToolBar.h"
#include "framework/ToolTipCtrl.h"

#include <memory>

class CRecordBar : public CWnd {
public:
    BOOL CreateBar(CWnd* owner, bool live, CWnd* parent);
    void DestroyBar();
    // Back to idle (as stop does) and code 1 to the owner.
    void Refresh();
    const RecordBarStates& States() const { return m_states; }

protected:
    afx_msg void OnRecord();
    afx_msg void OnStop();
    afx_msg void OnPlay();
    afx_msg void OnClear();
    afx_msg void OnExit();
    LRESULT OnClearConfirmed(WPARAM, LPARAM);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnNcLButtonDown(UINT hitTest, CPoint point);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    RecordBarFacts Facts() const;
    void Apply(const RecordBarStates& states);
    void Post(WPARAM code);
    // The line-19 text in the view, and exit five seconds later.
    void ShowNothingRecorded();

    CWnd* m_owner = nullptr;
    bool m_live = false;
    std::unique_ptr<CToolBar> m_toolBar;
    CToolTipCtrl m_tips;
    CClearRecordDlg m_clearDlg;
    HBITMAP m_picture = nullptr;
    RecordBarStates m_states;
};

// The viewer's one record bar.
CRecordBar& RecordBar();
