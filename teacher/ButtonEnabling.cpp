#include "teacher/ButtonEnabling.h"

#include "TeacherResources.h"

namespace kq {

namespace {

using namespace TeacherRes;

// Enabled only while the classroom is idle.
constexpr UINT kPanelAIdle[] = {501, 503, 505, 502, 506};
constexpr UINT kFunctionIdle[] = {308, 316, 309, 314, 315, 303, 306, 319, 320, 301, 307, 317, 318, 302, 310, 311, 313};
// Enabled while idle or in the state that the button itself started.
struct OwnState {
    UINT id;
    int state;
};
constexpr OwnState kFunctionOwnState[] = {{300, kActivityMedia}, {304, kActivityBlankScreen}, {305, kActivityScreenLock}};
constexpr UINT kChannelButtonId = 504;

// Panel C: idle only, or only while a test runs (adding time, aborting or
// ending with no test would send its command for nothing).
constexpr UINT kTestIdle[] = {602, 611, 613};
constexpr UINT kTestRunning[] = {608, 609, 610};
constexpr UINT kShowAnswersId = 612;

void Enable(CWnd* button, bool enabled)
{
    if (button != nullptr && button->GetSafeHwnd() != nullptr)
        button->EnableWindow(enabled ? TRUE : FALSE);
}

} // namespace

void ApplyTeachingButtonStates(int state, bool channelViewing, CCommandPanelA& panelA, CFunctionPanel& function,
                               CWnd* testPageButton)
{
    CToggleBitmapButton& channel = panelA.ChannelButton();
    if (channel.GetSafeHwnd() != nullptr) {
        if (channelViewing)
            channel.LoadBitmaps(IDB_VIDEO_CHANNEL_UP, IDB_VIDEO_CHANNEL_DOWN, IDB_VIDEO_CHANNEL_FOCUS);
        else
            channel.LoadBitmaps(IDB_VIDEO_UP, IDB_VIDEO_DOWN, IDB_VIDEO_FOCUS, IDB_VIDEO_DISABLED);
        channel.Invalidate();
        channel.UpdateWindow();
    }

    const bool idle = state == kActivityIdle;
    for (UINT id : kPanelAIdle)
        Enable(panelA.Button(id), idle);
    Enable(panelA.Button(kChannelButtonId), idle || state == kActivityVideo);
    for (UINT id : kFunctionIdle)
        Enable(function.Button(id), idle);
    for (const OwnState& own : kFunctionOwnState)
        Enable(function.Button(own.id), idle || state == own.state);
    Enable(testPageButton, idle);
}

void ApplyTestButtonStates(int state, bool answersAvailable, CCommandPanelC& panelC, CWnd* teachPageButton)
{
    const bool idle = state == kActivityIdle;
    for (UINT id : kTestIdle)
        Enable(panelC.Button(id), idle);
    for (UINT id : kTestRunning)
        Enable(panelC.Button(id), state == kActivityTest);
    Enable(panelC.Button(kShowAnswersId), answersAvailable);
    Enable(teachPageButton, idle);
}

} // namespace kq
