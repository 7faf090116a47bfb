#include "framework/ItemList.h"

#include <vector>

IMPLEMENT_DYNAMIC(CItemList, CWnd)

static_assert(LB_ERR == CItemList::kError && CB_ERR == CItemList::kError);

BOOL CItemList::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create(m_windowClass, nullptr, style | WS_CHILD, rect, parent, id);
}

int CItemList::AddString(LPCSTR text)
{
    return static_cast<int>(SendMessage(m_messages.addString, 0, reinterpret_cast<LPARAM>(text)));
}

int CItemList::InsertString(int index, LPCSTR text)
{
    return static_cast<int>(
        SendMessage(m_messages.insertString, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

int CItemList::DeleteString(UINT index)
{
    return static_cast<int>(SendMessage(m_messages.deleteString, index));
}

void CItemList::ResetContent()
{
    SendMessage(m_messages.resetContent);
}

int CItemList::GetCount() const
{
    return static_cast<int>(SendMessage(m_messages.getCount));
}

int CItemList::ItemText(int index, LPSTR buffer) const
{
    return static_cast<int>(
        SendMessage(m_messages.getText, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}

void CItemList::ItemText(int index, CString& text) const
{
    const int length = ItemTextLength(index);
    if (length == kError) {
        text.Empty();
        return;
    }
    // A control without strings of its own hands out the item's data
    // instead, so the buffer holds at least that much.
    const size_t size = static_cast<size_t>(length) > sizeof(ULONG_PTR) ? length : sizeof(ULONG_PTR);
    std::vector<char> buffer(size + 1, '\0');
    const int copied = ItemText(index, buffer.data());
    text = copied == kError ? CString() : CString(buffer.data(), length);
}

int CItemList::ItemTextLength(int index) const
{
    return static_cast<int>(SendMessage(m_messages.getTextLen, static_cast<WPARAM>(index)));
}

int CItemList::FindString(int startAfter, LPCSTR prefix) const
{
    return static_cast<int>(
        SendMessage(m_messages.findString, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(prefix)));
}

int CItemList::FindStringExact(int startAfter, LPCSTR text) const
{
    return static_cast<int>(
        SendMessage(m_messages.findStringExact, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(text)));
}

DWORD_PTR CItemList::GetItemData(int index) const
{
    return static_cast<DWORD_PTR>(SendMessage(m_messages.getItemData, static_cast<WPARAM>(index)));
}

int CItemList::SetItemData(int index, DWORD_PTR data)
{
    return static_cast<int>(
        SendMessage(m_messages.setItemData, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}

void* CItemList::GetItemDataPtr(int index) const
{
    return reinterpret_cast<void*>(GetItemData(index));
}

int CItemList::SetItemDataPtr(int index, void* data)
{
    return SetItemData(index, reinterpret_cast<DWORD_PTR>(data));
}

int CItemList::GetCurSel() const
{
    return static_cast<int>(SendMessage(m_messages.getCurSel));
}

int CItemList::SetCurSel(int index)
{
    return static_cast<int>(SendMessage(m_messages.setCurSel, static_cast<WPARAM>(index)));
}

int CItemList::SelectString(int startAfter, LPCSTR prefix)
{
    return static_cast<int>(
        SendMessage(m_messages.selectString, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(prefix)));
}

int CItemList::SetItemHeight(int index, UINT height)
{
    return static_cast<int>(
        SendMessage(m_messages.setItemHeight, static_cast<WPARAM>(index), MAKELPARAM(height, 0)));
}

int CItemList::GetItemHeight(int index) const
{
    return static_cast<int>(SendMessage(m_messages.getItemHeight, static_cast<WPARAM>(index)));
}

int CItemList::GetTopIndex() const
{
    return static_cast<int>(SendMessage(m_messages.getTopIndex));
}

int CItemList::SetTopIndex(int index)
{
    return static_cast<int>(SendMessage(m_messages.setTopIndex, static_cast<WPARAM>(index)));
}
