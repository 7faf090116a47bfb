#include "teacher/SeatMenu.h"

namespace kq {

namespace {

// What the classroom is doing (ActivityState) as the menu tells it apart.
constexpr int kVideoBroadcast = 1;
constexpr int kMediaBroadcast = 2;
constexpr int kRollCall = 3;
constexpr int kBlankScreen = 4;
constexpr int kOnlineTest = 5;
constexpr int kPaperCollection = 6;

// Seat states the menu tells apart.
constexpr int kLoggedOn = 1;
constexpr int kHandUp = 2;
constexpr int kInTest = 8;
constexpr int kFirstChannelState = 10;
constexpr int kLastChannelState = 29;

// Every item the menu offers: text / command / icon.
constexpr SeatMenuItem kClassroom = {57397, 317, 577};
constexpr SeatMenuItem kPowerOn = {57398, 513, 519};
constexpr SeatMenuItem kBroadcast = {57399, 501, 508};
constexpr SeatMenuItem kDemonstrate = {57400, 503, 502};
constexpr SeatMenuItem kTutor = {57401, 301, 515};
constexpr SeatMenuItem kMonitor = {57402, 502, 507};
constexpr SeatMenuItem kNotice = {57404, 303, 505};
constexpr SeatMenuItem kBlankScreenOn = {57405, 304, 520};
constexpr SeatMenuItem kAnswerHand = {57406, 309, 516};
constexpr SeatMenuItem kEndSeatActivity = {57407, 868, 521};
constexpr SeatMenuItem kRestart = {57408, 512, 519};
constexpr SeatMenuItem kShutdown = {57409, 511, 501};
constexpr SeatMenuItem kChat = {57410, 309, 517};
constexpr SeatMenuItem kBlankScreenOff = {57411, 304, 582};
constexpr SeatMenuItem kEndTest = {57414, 610, 510};
constexpr SeatMenuItem kAbortTest = {57415, 609, 518};
constexpr SeatMenuItem kTestOverlay = {57416, 606, 511};
constexpr SeatMenuItem kEndVideoView = {57418, 872, 581};
constexpr SeatMenuItem kEndRollCall = {57424, 305, 503};
constexpr SeatMenuItem kRemoteControl = {57425, 505, 500};
constexpr SeatMenuItem kOverlayOn = {57405, 606, 520};
constexpr SeatMenuItem kOverlayOff = {57426, 606, 504};

} // namespace

std::vector<SeatMenuItem> SeatMenuItems(int activityState, int seatState, int firstPanelShown)
{
    switch (activityState) {
    case kVideoBroadcast:
        if (seatState >= kFirstChannelState && seatState <= kLastChannelState)
            return {kEndVideoView};
        return {};
    case kMediaBroadcast:
        return {};
    case kRollCall:
        return {kEndRollCall};
    case kBlankScreen:
        return {seatState == kLoggedOn ? kBlankScreenOn : kBlankScreenOff};
    case kOnlineTest:
        if (seatState == kLoggedOn)
            return {kNotice, kMonitor};
        if (seatState == kInTest)
            return {kEndTest, kAbortTest, kTestOverlay, kNotice, kMonitor};
        return {kEndTest, kAbortTest};
    case kPaperCollection:
        if (seatState == kLoggedOn || seatState == kInTest)
            return {kOverlayOn};
        return {kOverlayOff};
    default:
        break;
    }
    if (seatState == kLoggedOn && firstPanelShown == 1)
        return {kBroadcast, kRemoteControl, kDemonstrate, kTutor, kMonitor,
                kNotice, kBlankScreenOn, kRestart, kShutdown, kChat};
    if (seatState == kLoggedOn)
        return {kNotice, kMonitor};
    if (seatState == kHandUp)
        return {kAnswerHand, kEndSeatActivity, kMonitor, kRemoteControl, kChat};
    return {kClassroom, kPowerOn};
}

} // namespace kq
