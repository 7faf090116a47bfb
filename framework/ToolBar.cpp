#include "framework/ToolBar.h"

#include "framework/ModuleState.h"

#include <commctrl.h>

#include <cstdint>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CWnd)

namespace {

constexpr WORD kToolBarType = 241; // RT_TOOLBAR
constexpr uint16_t kToolBarVersion = 1;

// The resource's head, followed by `count` u16 command ids.
struct ToolBarResource {
    uint16_t version;
    uint16_t width;
    uint16_t height;
    uint16_t count;
};

} // namespace

CToolBar::~CToolBar()
{
    DestroyWindow();
}

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&classes);
    const DWORD toolBarStyle = TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    if (!CreateEx(0, TOOLBARCLASSNAMEA, nullptr, style | toolBarStyle, 0, 0, 0, 0,
                  parent != nullptr ? parent->GetSafeHwnd() : nullptr, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId)
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(kToolBarType));
    HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    const auto* bytes = static_cast<const uint8_t*>(loaded != nullptr ? ::LockResource(loaded) : nullptr);
    const DWORD size = found != nullptr ? ::SizeofResource(module, found) : 0;
    ToolBarResource head = {};
    if (bytes == nullptr || size < sizeof head)
        return FALSE;
    std::memcpy(&head, bytes, sizeof head);
    if (head.version != kToolBarVersion || size < sizeof head + head.count * sizeof(uint16_t))
        return FALSE;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(head.width, head.height));
    TBADDBITMAP strip = {module, resourceId};
    int faces = 0;
    for (uint16_t i = 0; i < head.count; ++i) {
        uint16_t command = 0;
        std::memcpy(&command, bytes + sizeof head + i * sizeof command, sizeof command);
        faces += command != 0 ? 1 : 0;
    }
    if (SendMessage(TB_ADDBITMAP, faces, reinterpret_cast<LPARAM>(&strip)) < 0)
        return FALSE;
    std::vector<TBBUTTON> buttons(head.count);
    int face = 0;
    for (uint16_t i = 0; i < head.count; ++i) {
        uint16_t command = 0;
        std::memcpy(&command, bytes + sizeof head + i * sizeof command, sizeof command);
        TBBUTTON& b = buttons[i];
        b = {};
        if (command == 0) {
            b.fsStyle = BTNS_SEP;
        } else {
            b.iBitmap = face++;
            b.idCommand = command;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = BTNS_BUTTON;
        }
    }
    return SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

BOOL CToolBar::EnableButton(UINT commandId, BOOL enable)
{
    return SendMessage(TB_ENABLEBUTTON, commandId, MAKELPARAM(enable ? TRUE : FALSE, 0)) != 0;
}

BOOL CToolBar::IsButtonEnabled(UINT commandId) const
{
    return SendMessage(TB_ISBUTTONENABLED, commandId) != 0;
}

int CToolBar::GetButtonCount() const
{
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

BOOL CToolBar::GetItemRect(int index, RECT* rect) const
{
    return SendMessage(TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(rect)) != 0;
}
