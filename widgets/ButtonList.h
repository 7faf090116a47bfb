#pragma once
// CButtonList: the hover buttons of one panel or window, in the order they
// were added. The list creates the buttons, finds them by control id and
// deletes them (with their windows).

#include "widgets/HoverButton.h"

#include <list>
#include <memory>

// One button of the list and the rectangle it was created on (the parent's
// client coordinates).
struct ButtonRecord {
    UINT id;
    int left;
    int top;
    int right;
    int bottom;
    std::unique_ptr<CHoverButton> button;
};

class CButtonList {
public:
    CButtonList() = default;
    CButtonList(const CButtonList&) = delete;
    CButtonList& operator=(const CButtonList&) = delete;
    // Deletes every button.
    virtual ~CButtonList();

    // Creates a visible owner-drawn hover button with the text (may be
    // null), rectangle and id, gives it its faces and cursor and appends it.
    // FALSE, adding nothing, when the window cannot be created.
    BOOL AddButton(CWnd* parent, UINT id, int left, int top, int right, int bottom, UINT cursorId, LPCSTR text,
                   int style, UINT releasedFace, UINT pressedFace, UINT hoverFace, UINT disabledFace);
    // The first button added with this id, or null.
    CHoverButton* FindById(UINT id) const;
    // FALSE when no button has this id.
    BOOL SetFrames(int hoverFrame, UINT id, int pressedFrame);
    // Nothing when no button has this id.
    void SetAlternateFaces(UINT id, UINT pressedFace, UINT hoverFace, UINT unused, UINT releasedFace);
    // Deletes every button, first added first; returns 0.
    int RemoveAll();

private:
    std::list<ButtonRecord> m_records;
};
