#include "broadcast/DisplayMode.h"

namespace displaymode {

namespace {

DEVMODEA g_saved = {};
bool g_haveSaved = false;

DEVMODEA EmptyMode()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    return mode;
}

} // namespace

void Save()
{
    g_saved = EmptyMode();
    g_haveSaved = EnumDisplaySettingsA(nullptr, ENUM_REGISTRY_SETTINGS, &g_saved) != FALSE;
}

void Restore()
{
    if (!g_haveSaved)
        return;
    // Nothing to put back when the display is as remembered: a mode change
    // costs the display driver seconds.
    DEVMODEA current = EmptyMode();
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current) &&
        current.dmBitsPerPel == g_saved.dmBitsPerPel && current.dmPelsWidth == g_saved.dmPelsWidth &&
        current.dmPelsHeight == g_saved.dmPelsHeight)
        return;
    DEVMODEA mode = g_saved;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY);
}

bool SwitchTo(uint32_t bitsPerPixel, uint32_t width, uint32_t height)
{
    // The mode the driver says it runs: a driver that emulates a depth keeps
    // its device's own bits per pixel, and would be switched at every frame.
    DEVMODEA current = EmptyMode();
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current) && current.dmBitsPerPel == bitsPerPixel &&
        current.dmPelsWidth == width && current.dmPelsHeight == height)
        return true;
    DEVMODEA mode = EmptyMode();
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
        if (mode.dmBitsPerPel == bitsPerPixel && mode.dmPelsWidth == width && mode.dmPelsHeight == height) {
            mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
            return ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY) == DISP_CHANGE_SUCCESSFUL;
        }
        mode = EmptyMode();
    }
    return false;
}

} // namespace displaymode
