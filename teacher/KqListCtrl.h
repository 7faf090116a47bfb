#pragma once
// CKqListCtrl: the seat map, the main window's child that shows the classroom
// as up to 160 seat windows on a 20 x 20 grid. It keeps the arrangement in
// Teacher.ini [SEAT], the teacher's selection, and the state each seat shows;
// every command handler asks it whom to address. It opens the seat editor,
// the context menus and the group assignment, and selects seats by group.
// The rules live in CSeatArrangement, SeatQueries, SeatMenu and SeatGroups;
// this class is the window glue.

#include "framework/Framework.h"

#include "common/StudentLogonRecord.h"
#include "teacher/SeatArrangement.h"
#include "teacher/SeatItemWnd.h"
#include "teacher/SeatLookup.h"
#include "teacher/SeatMenu.h"
#include "teacher/SeatQueries.h"
#include "teacher/SeatStates.h"
#include "widgets/OwnerDrawMenu.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class CKqListCtrl : public CWnd, public kq::SeatLookup {
public:
    CKqListCtrl();
    ~CKqListCtrl() override;

    static constexpr UINT kWheelMessage = 0x432;
    static constexpr UINT kMapClickedMessage = 0x435;
    static constexpr UINT kSelectionClearedMessage = 0x438;
    static constexpr UINT kArrangementMessage = 0x463;
    static constexpr WORD kBackgroundSeat = 100;
    static constexpr WORD kBandEnd = 254;
    static constexpr int kStateCount = kq::kSeatStateCount;

    // `rect` null: the [ListPos] keys of Teacher.ini.
    BOOL Create(CWnd* parent, UINT id, const RECT* rect);
    void FreeSeats();

    bool LoadSeats(const std::string& iniPath);
    int SaveSeats(const std::string& iniPath, bool withHeader);
    void LayoutSeats();
    int SetBackground(const char* file);

    int GetSelectedSeats(uint16_t* count, uint8_t* list, int explicitList) const;
    int GetOnlineSeats(uint16_t* count, uint8_t* list) const;
    int GetSeatsInState(int state, uint16_t* count, uint8_t* list) const;
    int SetSeatState(int seat, int state);
    int GetSeatState(int seat) const;
    int GetSeatStateByName(const char* name) const override;
    CSeatItemWnd* FindSeatByNumber(int seat) const;
    CSeatItemWnd* FindSeatByName(const char* name) const;
    int GetSeatNumberByName(const char* name) const override;
    int GetSeatName(int seat, std::string* name) const;
    void SetSeatCaption(int seat, const char* text);
    void RestoreSeatCaptions();
    int LoginByName(kq::StudentLogonRecord* record, int unused, int* newly);
    void SelectOnly(int seat);
    void ToggleSeat(int seat);

    // ---- Seat editor, menus and groups ----
    // Opens the seat editor on the map's grid; after OK saves the new
    // arrangement and lays the seats out. Returns 1.
    int EditSeats();
    // Group 0: every seat; 1..6: the group's seats get `on`, seats without
    // a group are unselected, other groups keep their selection.
    void SelectGroup(int group, int on);
    // 1 when every on-line seat of the group (0: of the class) is selected;
    // 0 for a group outside 0..6.
    int IsGroupSelected(int group);
    // Opens the group assignment on a copy of the grid; after OK takes the
    // groups back and saves the seat lines.
    void AssignGroups();

    kq::CSeatArrangement& Arrangement() { return m_arrangement; }
    int SeatWindowCount() const { return static_cast<int>(m_seats.size()); }

protected:
    DECLARE_MESSAGE_MAP()
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg LRESULT OnWheel(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnArrangement(WPARAM wParam, LPARAM lParam);
    // A seat's right click: wParam MAKELONG(state, seat), lParam the screen point.
    afx_msg LRESULT ShowSeatMenu(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMeasureItem(int id, LPMEASUREITEMSTRUCT measure);

private:
    void BuildSeats();
    void DestroySeats();
    void UpdateScrollBars();
    void ScrollBy(int bar, int amount);
    void StartBand(CPoint point);
    void EndBand();
    void RepaintSeatArea(CSeatItemWnd* seat);
    std::vector<kq::SeatView> Views() const;
    void PostToParent(UINT message, WPARAM wParam);
    int WheelLines();
    // The menu for a seat in `state` (kq::kBackgroundMenuState: the
    // background) at a screen point; nothing while a menu is open.
    void ShowMenu(int state, POINT screen);

    kq::CSeatArrangement m_arrangement;
    int m_layoutWidth = 0;
    int m_layoutHeight = 0;
    RECT m_extent{};
    HFONT m_font = nullptr;
    bool m_dragging = false;
    POINT m_anchor{};
    RECT m_band{};
    HIMAGELIST m_images = nullptr;
    HBITMAP m_background = nullptr;
    std::string m_iniPath;
    // The [SEAT] keys SaveSeats wrote to m_iniPath since the last LoadSeats,
    // with their values. Code that writes [SEAT] otherwise must reload the
    // map: LoadSeats forgets them.
    std::map<std::string, std::string> m_written;
    std::vector<CSeatItemWnd*> m_seats;
    int m_wheelLines = 0; // 0: not asked yet
    COwnerDrawMenu m_menu;  // its handle is set only while a menu is open
    MenuItemRecord m_menuItems[kq::kSeatMenuCapacity];
};
