#pragma once
// Which command buttons the teacher may press in each activity state of the
// classroom, and that rule applied to the panels' buttons.

#include "teacher/CommandPanelA.h"
#include "teacher/CommandPanelC.h"
#include "teacher/FunctionPanel.h"

namespace kq {

// The activity states the rules name.
inline constexpr int kActivityIdle = 0;
inline constexpr int kActivityVideo = 1;
inline constexpr int kActivityMedia = 2;
inline constexpr int kActivityScreenLock = 3;
inline constexpr int kActivityBlankScreen = 4;
inline constexpr int kActivityTest = 5;
inline constexpr int kActivityTextOverlay = 6; // the text overlay is on (in or out of a test)
inline constexpr int kActivityGroupWork = 7;
inline constexpr int kActivityInteract = 8;

// The teaching page's buttons (panel A, the function panel and the main
// window's button 522): enabled by `state`. The channel button 504 shows
// the channel faces while `channelViewing`.
void ApplyTeachingButtonStates(int state, bool channelViewing, CCommandPanelA& panelA, CFunctionPanel& function,
                               CWnd* testPageButton);
// The test page's buttons (panel C and the main window's button 521).
void ApplyTestButtonStates(int state, bool answersAvailable, CCommandPanelC& panelC, CWnd* teachPageButton);

} // namespace kq
