#pragma once
// A view "SCREENRECEIVER": a top-level popup that shows the received screen
// full screen, in a cell of the screen grid (windowed) or as one of the
// multi-view's tiles. In remote control it sends the teacher's mouse and
// keys; in the monitoring modes it carries a title strip and a context menu.
// Views live on the viewer thread; they are drawn only by DrawFrame,
// DrawPointer and DrawWaitingText.

#include "broadcast/IconPopupMenu.h"
#include "broadcast/KqToolWnd.h"
#include "broadcast/PresetMessageDlg.h"
#include "broadcast/TextTipWnd.h"
#include "broadcast/ViewGeometry.h"

#include "framework/Framework.h"

class CScreenReceiverWnd : public CWnd {
public:
    void SetCell(int cell) { m_cell = cell; }
    int Cell() const { return m_cell; }
    void SetIndex(int index) { m_index = index; }
    int Index() const { return m_index; }
    void SetStationId(uint8_t id) { m_stationId = id; }
    uint8_t StationId() const { return m_stationId; }
    CTextTipWnd& Title() { return m_title; }
    const ViewRect& Rect() const { return m_rect; }

    bool CreateView();
    void DestroyView();
    void LayoutView();
    void DrawFrame();
    void DrawPointer();
    void DrawWaitingText();
    // Shows or hides the view with its title strip.
    void ShowWithTitle(bool show);
    // A cell of the multi-screen grid without a station: shown in the
    // viewer's background colour, without a title strip.
    void ShowEmpty();
    // The cursor drawn at the received position (the standard arrow, or the
    // sender's shape).
    void SetCursorShape(HCURSOR cursor, bool ownShape);

protected:
    afx_msg void OnHotKey(UINT id, UINT, UINT);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnMButtonDown(UINT flags, CPoint point);
    afx_msg void OnMButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    LRESULT OnHookKey(WPARAM virtualKey, LPARAM keyFlags);
    afx_msg void OnNextPage();
    afx_msg void OnPreviousPage();
    afx_msg void OnFullOrHalf();
    afx_msg void OnFloating();
    afx_msg void OnToTutoring();
    afx_msg void OnToReview();
    afx_msg void OnToStudentDemo();
    afx_msg void OnToTeacherDemo();
    afx_msg void OnExit();
    afx_msg void OnZoom();
    afx_msg void OnWarn();
    afx_msg void OnLock();
    DECLARE_MESSAGE_MAP()

private:
    void SendInputEvent(uint32_t mouseFlags, CPoint point, int32_t data, uint32_t keyState);
    void ShowMenu(CPoint point);
    void RequestSwitch(uint16_t notice, uint8_t station);
    void PlaceTitle();
    void SwitchFullAndWindowed();
    bool FullScreenLayout() const;
    void DrawRows(HDC dc, uint32_t firstRow, uint32_t rows);
    void FillBackground(HDC dc);
    void DrawCursorAndPointer(HDC dc, bool stretched);
    POINT CursorCorner(bool stretched) const;
    POINT PointerCorner(bool stretched) const;

    int m_cell = 0;
    int m_index = 0;
    uint8_t m_stationId = 0;
    bool m_empty = false; // an empty grid cell, painted with the background
    CTextTipWnd m_title;
    CPresetMessageDlg m_preset; // monitoring modes of a teacher station
    CKqToolWnd m_tool;          // remote control and student demonstration
    ViewRect m_rect;
    HCURSOR m_cursor = nullptr;
    bool m_ownCursor = false;
    HCURSOR m_pointer = nullptr;
    POINT m_lastCorner = {-1, -1};
    POINT m_lastPointer = {-1, -1};
    DWORD m_lastDraw = 0;
    bool m_hotKey = false;
    bool m_keyHook = false;
};

// The sixteen views of the viewer.
inline constexpr int kViewCount = 16;
CScreenReceiverWnd& View(int index);
CScreenReceiverWnd& CurrentView();
// Lets the current view redraw itself: the waiting text until a frame came,
// else the frame.
void RedrawCurrentView();
