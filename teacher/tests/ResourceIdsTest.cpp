// Every resource the teacher's start-up, main window and version box load
// lies in resource.dll with the kind it is loaded as.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "common/ProgramFolder.h"

#include "TeacherResources.h"

#include <gtest/gtest.h>

namespace {

using namespace TeacherRes;

enum class Kind { String, Bitmap, Icon, Dialog, Accelerators };

struct LoadedId {
    Kind kind;
    UINT id;
};

constexpr LoadedId kLoaded[] = {
    // Start-up and close.
    {Kind::Icon, IDI_PROGRAM}, {Kind::Icon, IDI_MAIN_WINDOW}, {Kind::Icon, IDI_TRAY},
    {Kind::Accelerators, IDR_MAIN_WINDOW}, {Kind::String, IDS_TRAY_TIP}, {Kind::Dialog, IDD_ABOUT},
    {Kind::String, IDS_CONFIG_UNREADABLE}, {Kind::String, IDS_ENVIRONMENT_CHECK_FAILED},
    {Kind::String, IDS_CHILD_WINDOWS_FAILED}, {Kind::String, IDS_WEB_CONTROL_UNAVAILABLE},
    {Kind::String, IDS_TRANSPORT_OPEN_FAILED}, {Kind::String, IDS_CLOSE_QUESTION},
    {Kind::String, IDS_CLOSE_DURING_TEST}, {Kind::String, IDS_BUTTON_SET_MISSING},
    {Kind::Dialog, IDD_MESSAGE_BOX}, {Kind::Bitmap, IDB_WARNING_BACKGROUND},
    // Background.
    {Kind::Bitmap, IDB_MAIN_BACKGROUND_640}, {Kind::Bitmap, IDB_MAIN_FRAME_LEFT}, {Kind::Bitmap, IDB_MAIN_FRAME_TOP},
    {Kind::Bitmap, IDB_MAIN_FRAME_BOTTOM}, {Kind::Bitmap, IDB_MAIN_RIGHT_PART},
    // Children and their tips.
    {Kind::Bitmap, IDB_CLOSE_UP}, {Kind::Bitmap, IDB_CLOSE_DOWN}, {Kind::Bitmap, IDB_CLOSE_HOVER},
    {Kind::Bitmap, IDB_MINIMIZE_UP}, {Kind::Bitmap, IDB_HELP_UP}, {Kind::Bitmap, IDB_SHUTDOWN_UP},
    {Kind::Bitmap, IDB_RESTART_UP}, {Kind::Bitmap, IDB_POWER_ON_UP}, {Kind::Bitmap, IDB_HAND_UP_FORBIDDEN},
    {Kind::Bitmap, IDB_HAND_UP_ALLOWED}, {Kind::Bitmap, IDB_HAND_UP_DISABLED}, {Kind::Bitmap, IDB_TEACH_PAGE_DOWN},
    {Kind::Bitmap, IDB_TEACH_PAGE_UP}, {Kind::Bitmap, IDB_TEST_PAGE_UP}, {Kind::Bitmap, IDB_TEST_PAGE_DOWN},
    {Kind::Bitmap, IDB_TAB_CLASS_UP}, {Kind::Bitmap, IDB_TAB_GROUP6_FOCUS}, {Kind::Bitmap, IDB_SETTINGS_UP},
    {Kind::Bitmap, IDB_RESTRICT_UP}, {Kind::Bitmap, IDB_TOOLS_UP}, {Kind::Bitmap, IDB_VERSION_BUTTON},
    {Kind::String, IDS_TIP_SHUTDOWN}, {Kind::String, IDS_TIP_RESTART}, {Kind::String, IDS_TIP_POWER_ON},
    {Kind::String, IDS_TIP_RESTRICT}, {Kind::String, IDS_TIP_TOOLS},
    // Version box.
    {Kind::Bitmap, IDB_VERSION_BACKGROUND},
};

TEST(TeacherResources, EveryLoadedIdIsInTheModule)
{
    HMODULE module = ::LoadLibraryExA((kq::GetProgramFolder() + "resource.dll").c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    for (const LoadedId& loaded : kLoaded) {
        SCOPED_TRACE(loaded.id);
        switch (loaded.kind) {
        case Kind::String: {
            char text[8] = {};
            EXPECT_GT(::LoadStringA(module, loaded.id, text, sizeof text), 0);
            break;
        }
        case Kind::Bitmap:
            EXPECT_NE(::FindResourceA(module, MAKEINTRESOURCEA(loaded.id), RT_BITMAP), nullptr);
            break;
        case Kind::Icon:
            EXPECT_NE(::FindResourceA(module, MAKEINTRESOURCEA(loaded.id), RT_GROUP_ICON), nullptr);
            break;
        case Kind::Dialog:
            EXPECT_NE(::FindResourceA(module, MAKEINTRESOURCEA(loaded.id), RT_DIALOG), nullptr);
            break;
        case Kind::Accelerators:
            EXPECT_NE(::FindResourceA(module, MAKEINTRESOURCEA(loaded.id), RT_ACCELERATOR), nullptr);
            break;
        }
    }
    // The version box's background holds its label and close button.
    HBITMAP background = ::LoadBitmapA(module, MAKEINTRESOURCEA(IDB_VERSION_BACKGROUND));
    BITMAP picture = {};
    ::GetObjectA(background, sizeof picture, &picture);
    ::DeleteObject(background);
    EXPECT_GE(picture.bmWidth, 285);
    EXPECT_GE(picture.bmHeight, 75);
    ::FreeLibrary(module);
}

} // namespace
