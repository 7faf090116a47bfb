#pragma once
// CSeatItemWnd: one seat on the seat map, a 72 x 48 child window showing the
// state icon at the top and the seat name (or a caption) below it. Its shape
// is the icon and the text only, so presses between them reach the map. It
// turns clicks into messages for the map and the main window and keeps the
// seat's state; the map repaints.

#include "framework/Framework.h"

#include <cstdint>
#include <string>

class CSeatItemWnd : public CWnd {
public:
    CSeatItemWnd() = default;
    ~CSeatItemWnd() override;

    static constexpr int kIdBase = 200;
    static constexpr int kWidth = 72;
    static constexpr int kHeight = 48;
    // Notification code of a seat's WM_COMMAND to the map.
    static constexpr WORD kClickCode = 2;
    static constexpr UINT kSeatMenuMessage = 0x434;
    static constexpr UINT kSeatClickedMessage = 0x435;

    BOOL CreateSeat(const std::string& name, int id, CWnd* parent, const RECT& rect, HFONT font);
    void SetImageList(HIMAGELIST list) { m_imageList = list; }

    int GetSeatNumber() const { return m_id - kIdBase; }
    const std::string& GetName() const { return m_name; }
    int GetState() const { return m_state; }
    int IsSelected() const { return m_selected; }
    uint32_t GetAddress() const { return m_address; }

    void SetState(int state, uint32_t address);
    void RestoreState();
    void SetSelected(int flag, BOOL repaint);
    int SetCaption(const std::string& text);
    int RestoreCaption();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int BuildShape(const std::string& text);
    // The rectangle `text` takes in the caption band, centred.
    RECT MeasureCaption(HDC dc, const std::string& text, const RECT& band) const;
    void Paint(HDC dc);
    // True when the state has an image in the list (callers may set any state).
    bool HasImage(int state) const;
    void RepaintOnMap();

    int m_previousState = 0;
    uint32_t m_address = 0;
    std::string m_name;
    int m_id = 0;
    int m_selected = 0;
    int m_state = 0;
    HFONT m_font = nullptr;
    HIMAGELIST m_imageList = nullptr;
};
