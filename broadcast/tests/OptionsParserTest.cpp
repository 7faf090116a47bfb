// The mode exports' state: option floors and bounds, the rows of the mode
// table, DoReSetOption and DoExecScreen's dispatch.

#include "broadcast/OptionsParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// Options as a host fills them: a window, a group, a port.
std::unique_ptr<MirageOptions> HostOptions()
{
    auto o = std::make_unique<MirageOptions>();
    std::memset(o.get(), 0, sizeof *o);
    o->hostWindow = 0x1234;
    o->ownId = 5;
    std::strcpy(o->groupAddress, "234.5.6.7");
    o->port = 6020;
    o->burstPause = 3;
    o->burstLength = 4;
    o->jpegQuality = 60;
    o->cyclingPeriod = 8000;
    return o;
}

std::unique_ptr<MirageEngineState> FreshState()
{
    return std::make_unique<MirageEngineState>();
}

TEST(OptionsParser, FloorsAndBounds)
{
    const struct {
        const char* name;
        void (*change)(MirageOptions&);
        void (*check)(const MirageEngineState&);
    } cases[] = {
        {"quality 0 becomes 10", [](MirageOptions& o) { o.jpegQuality = 0; },
         [](const MirageEngineState& s) { EXPECT_EQ(s.jpegQuality, 10); }},
        {"quality 50 stays", [](MirageOptions& o) { o.jpegQuality = 50; },
         [](const MirageEngineState& s) { EXPECT_EQ(s.jpegQuality, 50); }},
        {"pause and burst 0 become 1", [](MirageOptions& o) { o.burstPause = 0; o.burstLength = 0; },
         [](const MirageEngineState& s) { EXPECT_EQ(s.burstPause, 1); EXPECT_EQ(s.burstLength, 1); }},
        {"period 1000 becomes 5000", [](MirageOptions& o) { o.cyclingPeriod = 1000; },
         [](const MirageEngineState& s) { EXPECT_EQ(s.cyclingPeriod, 5000u); }},
        {"200 ids become 160", [](MirageOptions& o) { o.idCount = 200; std::memset(o.ids, 7, sizeof o.ids); },
         [](const MirageEngineState& s) { EXPECT_EQ(s.idCount, 160); }},
        {"40 views become 16", [](MirageOptions& o) { o.recordBarOrViews = 40; },
         [](const MirageEngineState& s) { EXPECT_EQ(s.maxViews, 16); }},
        {"9 views stay", [](MirageOptions& o) { o.recordBarOrViews = 9; },
         [](const MirageEngineState& s) { EXPECT_EQ(s.maxViews, 9); }},
        {"no views given: 4", [](MirageOptions& o) { o.recordBarOrViews = 0; },
         [](const MirageEngineState& s) { EXPECT_EQ(s.maxViews, 4); }},
        {"lossless selects zlib", [](MirageOptions& o) { o.lossless = 2; },
         [](const MirageEngineState& s) { EXPECT_EQ(s.compression, MIRAGE_COMPRESSION_ZLIB); }},
        {"windowed only when exactly 1", [](MirageOptions& o) { o.windowed = 2; },
         [](const MirageEngineState& s) { EXPECT_EQ(s.windowedFlag, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto options = HostOptions();
        c.change(*options);
        auto state = FreshState();
        ApplyModeOptions(ModeRow(MirageMode::TeacherMultiMonitor), *options, *state);
        c.check(*state);
    }
}

TEST(OptionsParser, StationListAndTexts)
{
    auto o = HostOptions();
    o->idCount = 6;
    const uint8_t ids[] = {3, 4, 5, 6, 0, 255};
    std::memcpy(o->ids, ids, sizeof ids);
    std::memset(o->names[0], 'n', kMirageNameSize);           // unterminated
    std::strcpy(o->names[5], "\xB3\xBF\xD0\xC7");             // a CP936 name for id 255
    std::memset(o->groupAddress, '1', kMirageGroupTextSize);  // unterminated
    auto s = FreshState();

    const OptionsWarnings warnings = ApplyModeOptions(ModeRow(MirageMode::TeacherMultiMonitor), *o, *s);
    EXPECT_TRUE(warnings.zeroStationId);
    EXPECT_FALSE(warnings.nullHostWindow);
    EXPECT_EQ(s->idCount, 6);
    EXPECT_EQ(s->visibleCount, 4);
    EXPECT_EQ(s->pagePos, 3);
    EXPECT_EQ(s->visibleIds[3], 6);
    EXPECT_EQ(std::strlen(s->names[3]), kMirageNameSize - 1);
    EXPECT_STREQ(s->names[255], "\xB3\xBF\xD0\xC7");
    EXPECT_EQ(std::strlen(s->groupAddress), kMirageGroupTextSize);
    EXPECT_EQ(s->groupNumeric, 0xFFFFFFFFu) << "not an address";

    // Modes without a station list read none of it.
    auto t = FreshState();
    ApplyModeOptions(ModeRow(MirageMode::TeacherTeacherDemo), *o, *t);
    EXPECT_EQ(t->idCount, 0);
    EXPECT_EQ(t->names[3][0], '\0');
}

TEST(OptionsParser, RowsSetTheirFieldsAndClearTheOthers)
{
    auto o = HostOptions();
    o->windowed = 1;
    o->recordBarOrViews = 1;
    o->modeFlag = 1;

    auto s = FreshState();
    s->inputRole = 9;
    s->keyRole = 9;
    s->monitorNotice = 1;
    ApplyModeOptions(ModeRow(MirageMode::StudentTeacherDemo), *o, *s);
    EXPECT_EQ(s->side, 1);
    EXPECT_EQ(s->viewState, 3);
    EXPECT_EQ(s->inputRole, 0);
    EXPECT_EQ(s->keyRole, 0);
    EXPECT_EQ(s->monitorNotice, 0);
    EXPECT_EQ(s->showRemoteCursor, 1);
    EXPECT_EQ(s->windowedView, 1) << "windowed pair";
    EXPECT_EQ(s->lockSystemKeys, 0);
    EXPECT_EQ(s->recordBarOn, 1) << "as the options say";
    EXPECT_EQ(s->studentDemoView, 1);
    EXPECT_EQ(s->ownId, 5) << "students keep their id";
    EXPECT_EQ(s->groupNumeric, 0x070605EAu) << "234.5.6.7 in network order";
    EXPECT_EQ(s->portNetworkOrder, 0x8417);
    EXPECT_STREQ(s->modeText, "教学演示，快捷键为Ctrl+1，结束为Ctrl+←");

    ApplyModeOptions(ModeRow(MirageMode::TeacherTeacherHandle), *o, *s);
    EXPECT_EQ(s->ownId, 0) << "teacher stations send as 0";
    EXPECT_EQ(s->recordBarOn, 0);
    EXPECT_EQ(s->reviewFlag, 1);
    EXPECT_EQ(s->toolSoundState, 8000u);
    EXPECT_STREQ(s->modeText, "教师讲评，快捷键为Ctrl+2，结束为Ctrl+←");

    o->windowed = 0;
    ApplyModeOptions(ModeRow(MirageMode::StudentPlay), *o, *s);
    EXPECT_EQ(s->recordBarOn, 1);
    EXPECT_EQ(s->windowedView, 0);
    EXPECT_EQ(s->lockSystemKeys, 1);
    EXPECT_STREQ(s->modeText, "");

    o->hostWindow = 0;
    EXPECT_TRUE(ApplyModeOptions(ModeRow(MirageMode::StudentMonitor), *o, *s).nullHostWindow);
}

TEST(OptionsParser, ReceiveOnlyStationsSendNothingOfTheirOwn)
{
    auto o = HostOptions();
    auto s = FreshState();
    s->openMode = MIRAGE_OPEN_RECEIVE_ONLY;
    ApplyModeOptions(ModeRow(MirageMode::TeacherTeacherHandle), *o, *s);
    EXPECT_EQ(s->showRemoteCursor, 0);
    ApplyModeOptions(ModeRow(MirageMode::StudentTeacherHandle), *o, *s);
    EXPECT_EQ(s->inputRole, 0);
    EXPECT_EQ(s->pointerRole, 1) << "arriving input is still replayed";
}

TEST(OptionsParser, ResetOptions)
{
    auto s = FreshState();
    ApplyResetOptions({1, 0, 0, 1, 1}, *s);
    EXPECT_EQ(s->losslessChanged, 1);
    EXPECT_EQ(s->losslessPending, 1);
    EXPECT_EQ(s->burstPause, 1);
    EXPECT_EQ(s->burstLength, 1);
    EXPECT_EQ(s->sendRecordBar, 1);
    EXPECT_EQ(s->sendWindowed, 1);
    ApplyResetOptions({0, 20, 8, 0, 0}, *s);
    EXPECT_EQ(s->burstPause, 20);
    EXPECT_EQ(s->burstLength, 8);
}

TEST(ModeTable, ExecScreenDispatch)
{
    using M = MirageMode;
    const struct { int side, other, kind; std::optional<M> mode; } cases[] = {
        {0, 0, 1, M::TeacherTeacherDemo}, {1, 0, 1, M::StudentTeacherDemo},
        {0, 0, 2, M::TeacherTeacherHandle}, {1, 1, 2, M::StudentTeacherHandle},
        {0, 1, 3, M::TeacherTeacherHandle}, {1, 1, 3, M::StudentTeacherHandleOther}, {1, 0, 3, M::StudentTeacherHandle},
        {0, 0, 4, M::TeacherStudentDemo}, {1, 1, 4, M::StudentStudentDemoOther}, {1, 0, 4, M::StudentStudentDemo},
        {0, 0, 5, M::TeacherMonitor}, {1, 0, 5, M::StudentMonitor},
        {0, 0, 6, M::TeacherMultiMonitor}, {1, 0, 6, M::StudentMultiMonitor},
        {0, 0, 7, std::nullopt}, {1, 0, 0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExecScreenMode(c.side, c.other, c.kind), c.mode) << c.side << c.other << c.kind;
    for (size_t i = 0; i < kMirageModeCount; ++i)
        EXPECT_EQ(ModeRow(static_cast<M>(i)).mode, static_cast<M>(i)) << "row order";
}

} // namespace
