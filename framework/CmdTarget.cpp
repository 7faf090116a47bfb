#include "framework/CmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

namespace {

bool EntryMatches(const AFX_MSGMAP_ENTRY& entry, UINT nMessage, UINT nCode, UINT nID)
{
    if (entry.pnRegistered != nullptr)
        return *entry.pnRegistered != 0 && *entry.pnRegistered == nMessage;
    return entry.nMessage == nMessage && entry.nCode == nCode && entry.nID <= nID &&
           nID <= entry.nLastID;
}

} // namespace

BOOL CCmdTarget::DispatchMessageMap(UINT nMessage, UINT nCode, UINT nID, AfxMsgCall& call)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn != nullptr; ++entry) {
            if (EntryMatches(*entry, nMessage, nCode, nID) && entry->pfn(this, call))
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, void*)
{
    AfxMsgCall local = {WM_COMMAND, MAKEWPARAM(nID, nCode), 0, nID, 0};
    AfxMsgCall& call = pExtra != nullptr ? *static_cast<AfxMsgCall*>(pExtra) : local;
    call.nID = nID;
    return DispatchMessageMap(WM_COMMAND, static_cast<UINT>(nCode), nID, call);
}
