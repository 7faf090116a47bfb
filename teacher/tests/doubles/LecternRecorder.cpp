// Test double of the teacher's Lectern.dll that opens without a network and
// writes every command block it is lent to the trace in full: code, target
// count, parameter, extra, the seat bytes and the parameter bytes. With
// KQ_RECORDER_REOPEN_FAILS set, every open after the first fails. When the
// seat texts are switched on (code 29) it answers, as students would, with
// two seat texts (event 5): one for seat 2 whose text fills its field
// without a terminator, and one for seat 99, which no map holds.

#include "common/LecternMessages.h"
#include "common/SeatTextRecord.h"
#include "standins/common/Trace.h"
#include "standins/lectern/LecternTeacher.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

int g_opens = 0;
HWND g_window = nullptr;

constexpr uint16_t kSeatTextsOn = 29;

// Records that outlive the posts; text that would be read past the field
// shows up as "OVERRUN".
struct GuardedText {
    kq::SeatTextRecord record;
    char after[8];
};
GuardedText g_fullText;
GuardedText g_unknownSeat;

void AnswerSeatTexts()
{
    g_fullText.record.seat = 2;
    std::memset(g_fullText.record.text, 'Q', sizeof g_fullText.record.text);
    std::memcpy(g_fullText.after, "OVERRUN", sizeof g_fullText.after);
    g_unknownSeat.record.seat = 99;
    std::memcpy(g_unknownSeat.record.text, "nobody", 7);
    for (GuardedText* text : {&g_fullText, &g_unknownSeat})
        ::PostMessageA(g_window, WM_LECTERN_NOTIFY, kq::kEventSeatText, reinterpret_cast<LPARAM>(&text->record));
}

std::string SeatList(const kq::CommandBlockWithTail& block)
{
    const uint8_t* seats = kq::TargetSeats(block);
    std::string text;
    for (size_t i = 0; i < kq::kMaxTargetSeats; ++i) {
        // A count of 0 may still come with the list filled: show what is there.
        if (block.block.targetCount != 0 ? i >= block.block.targetCount : seats[i] == 0)
            break;
        text += (text.empty() ? "" : ",") + std::to_string(seats[i]);
    }
    return text;
}

std::string ArgBytes(const kq::CommandBlockWithTail& block)
{
    size_t end = sizeof block.block.args;
    while (end > 0 && block.block.args[end - 1] == 0)
        --end;
    static const char kHex[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < end; ++i) {
        text += kHex[block.block.args[i] >> 4];
        text += kHex[block.block.args[i] & 0xF];
    }
    return text;
}

} // namespace

extern "C" int LecternOpen(const kq::TeacherConfig* config)
{
    ++g_opens;
    if (g_opens > 1 && ::GetEnvironmentVariableA("KQ_RECORDER_REOPEN_FAILS", nullptr, 0) > 0) {
        kq::Trace("Lectern", "LecternOpen refused on reopening");
        return 0;
    }
    kq::Trace("Lectern", "LecternOpen window=%08x", config ? config->mainWindow : 0);
    if (config != nullptr)
        g_window = reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(config->mainWindow)));
    return config != nullptr ? 1 : 0;
}

extern "C" void LecternClose() { kq::Trace("Lectern", "LecternClose"); }

extern "C" void LecternSendCommand(const kq::CommandBlockWithTail* block)
{
    if (block == nullptr)
        return;
    kq::Trace("Lectern", "send code=%u count=%u param=%u extra=%u seats=%s args=%s", block->block.code,
              block->block.targetCount, block->block.param, block->block.extra, SeatList(*block).c_str(),
              ArgBytes(*block).c_str());
    if (block->block.code == kSeatTextsOn)
        AnswerSeatTexts();
}

// The fields of the configuration that the teacher's settings change.
extern "C" void LecternSetConfig(const kq::TeacherConfig* config)
{
    if (config != nullptr)
        kq::Trace("Lectern",
                  "config sound=%u chalkpad=%u delaySon=%u delayMon=%u compress=%u screenChange=%u hits=%u "
                  "quality=%u kqDesk=%u record=%u",
                  config->SoundOpenFlag, config->StudentRunChalkpad, config->DelaySon, config->DelayMon,
                  config->CompressMethord, config->ScreenChange, config->Hits, config->Quality, config->KqDesk,
                  config->Record);
}
extern "C" void LecternSetOptions(const kq::BroadcastOptions* options)
{
    if (options != nullptr)
        kq::Trace("Lectern", "options compress=%u delaySon=%u delayMon=%u record=%u screenChange=%u",
                  options->CompressMethord, options->DelaySon, options->DelayMon, options->Record,
                  options->ScreenChange);
}
