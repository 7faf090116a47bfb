#pragma once
// The decoder window "DoDecompressWnd": a hidden window on the viewer thread
// between the receive thread and the views. It draws each composed frame
// into the current view, holds the received cursor shape, and in the
// teacher's monitoring modes asks the students for their screens in turn,
// pages through the stations and repeats a request nobody answered.

#include "broadcast/RecordPlayer.h"
#include "broadcast/ViewPaging.h"

#include "framework/Framework.h"

class CDecompressWnd : public CWnd {
public:
    // 0, or -1 when the window could not be created.
    int Create();
    void Destroy();
    // The multi-view's views shown or hidden for the page (or the zoom).
    void ApplyVisibility();

protected:
    LRESULT OnFrame(WPARAM, LPARAM);
    LRESULT OnCursorShape(WPARAM shapeOn, LPARAM);
    LRESULT OnPointer(WPARAM, LPARAM);
    LRESULT OnWatch(WPARAM again, LPARAM);
    LRESULT OnNext(WPARAM, LPARAM);
    LRESULT OnPrevious(WPARAM, LPARAM);
    LRESULT OnShowViews(WPARAM, LPARAM);
    LRESULT OnRecordOff(WPARAM, LPARAM);
    LRESULT OnRelayout(WPARAM, LPARAM);
    LRESULT OnRecord(WPARAM code, LPARAM);
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    void Page(bool forward);
    void ArmWatchRepeat();
    void StartRecording();
    void StartPlayback();
    void PlaybackStep();
    void EndPlayback();
    // A message box of the recording commands; false when the viewer closed
    // while it was up.
    bool Tell(const char* text);
    bool m_answered = false;
    CRecordPlayer m_player;
    bool m_framePending = false; // a played frame is composed, not yet drawn
};

// The library's one decoder window.
CDecompressWnd& DecompressWnd();

// The paging fields of the engine state, and back.
MiragePaging LoadPaging();
void StorePaging(const MiragePaging& paging);
