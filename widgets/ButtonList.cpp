#include "widgets/ButtonList.h"

CButtonList::~CButtonList()
{
    RemoveAll();
}

BOOL CButtonList::AddButton(CWnd* parent, UINT id, int left, int top, int right, int bottom, UINT cursorId,
                            LPCSTR text, int style, UINT releasedFace, UINT pressedFace, UINT hoverFace,
                            UINT disabledFace)
{
    std::unique_ptr<CHoverButton> button(new CHoverButton);
    if (!button->Create(text, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(left, top, right, bottom), parent, id))
        return FALSE;
    if (text != nullptr)
        button->SetWindowText(text);
    // A cursor that does not load leaves the default one: the button works.
    button->SetFaces(style, releasedFace, pressedFace, hoverFace, cursorId, disabledFace);
    m_records.push_back(ButtonRecord{id, left, top, right, bottom, std::move(button)});
    return TRUE;
}

CHoverButton* CButtonList::FindById(UINT id) const
{
    for (const ButtonRecord& record : m_records) {
        if (record.id == id)
            return record.button.get();
    }
    return nullptr;
}

BOOL CButtonList::SetFrames(int hoverFrame, UINT id, int pressedFrame)
{
    CHoverButton* button = FindById(id);
    if (button == nullptr)
        return FALSE;
    button->SetFrames(hoverFrame, pressedFrame);
    return TRUE;
}

void CButtonList::SetAlternateFaces(UINT id, UINT pressedFace, UINT hoverFace, UINT unused, UINT releasedFace)
{
    if (CHoverButton* button = FindById(id))
        button->SetAlternateFaces(pressedFace, hoverFace, unused, releasedFace);
}

int CButtonList::RemoveAll()
{
    while (!m_records.empty())
        m_records.pop_front(); // the button's destructor destroys its window
    return 0;
}
