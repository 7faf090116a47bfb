#include "broadcast/OptionsParser.h"

#include "common/Ipv4Text.h"
#include "common/TextField.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr uint16_t kMinBurst = 1;
constexpr uint16_t kMinQuality = 10;
constexpr uint32_t kMinCyclingPeriod = 5000;
constexpr uint8_t kViewsThreshold = 1; // byte 41008 above this counts views

enum ModeKinds : int32_t {
    KIND_TEACHING_DEMO = 0,
    KIND_TUTORING = 1,
    KIND_OTHERS_DURING_TUTORING = 2,
    KIND_STUDENT_DEMO = 3,
    KIND_MONITOR = 4,
    KIND_MULTI_MONITOR = 5,
};

// Copies a fixed field that may lack its terminator into another one, cut on
// a CP936 character boundary and terminated.
void CopyBoundedText(char* target, size_t targetSize, const char* source, size_t sourceSize)
{
    const std::string text(source, kq::TextFieldLength(source, sourceSize));
    kq::CopyTextField(target, targetSize, text.c_str());
}

void ApplyRowFields(const MirageModeRow& row, MirageEngineState& s)
{
    s.currentView = 0;
    s.dataSeen = 0;
    s.side = row.side;
    s.modeKind = row.modeKind;
    s.viewState = row.viewState;
    s.inputRole = row.inputRole;
    s.showRemoteCursor = row.showRemoteCursor;
    s.pointerRole = row.pointerRole;
    s.keyRole = row.keyRole;
    s.windowedView = row.windowedView;
    s.lockSystemKeys = row.lockSystemKeys;
    s.dodgeView = row.dodgeView;
    s.idListMode = row.idListMode;
    s.viewMenu = row.viewMenu;
    s.monitorNotice = row.monitorNotice;
    s.studentDemoView = 0;
}

void ParseStationList(const MirageOptions& o, MirageEngineState& s, OptionsWarnings& warnings)
{
    s.idCount = 0;
    if (s.idListMode == 1 || s.idListMode == 2) {
        s.idCount = std::min<uint16_t>(o.idCount, kMirageMaxIds);
        for (uint16_t i = 0; i < s.idCount; ++i) {
            s.ids[i] = o.ids[i];
            if (o.ids[i] == 0)
                warnings.zeroStationId = true; // copied anyway
            CopyBoundedText(s.names[o.ids[i]], kMirageNameSize, o.names[i], kMirageNameSize);
        }
    }
    s.visibleCount = std::min<int32_t>(s.idCount, s.maxViews);
    for (int32_t i = 0; i < s.visibleCount; ++i)
        s.visibleIds[i] = s.ids[i];
    s.pagePos = s.visibleCount - 1;
    s.cyclePos = 0;
}

void ParseOptions(const MirageOptions& o, MirageEngineState& s, OptionsWarnings& warnings)
{
    s.hostWindow = o.hostWindow;
    warnings.nullHostWindow = o.hostWindow == 0;
    s.ownId = o.ownId;
    CopyBoundedText(s.groupAddress, kMirageGroupAddressSize, o.groupAddress, kMirageGroupTextSize);
    s.groupNumeric = kq::ParseDottedIpv4(s.groupAddress).value_or(kq::kIpv4None); // as inet_addr answers
    s.port = o.port;
    s.portNetworkOrder = static_cast<uint16_t>((o.port >> 8) | (o.port << 8));
    s.windowedFlag = o.windowed == 1;
    s.sendWindowed = static_cast<uint8_t>(s.windowedFlag);
    s.burstPause = std::max(o.burstPause, kMinBurst);
    s.burstLength = std::max(o.burstLength, kMinBurst);
    s.compression = o.lossless != 0 ? MIRAGE_COMPRESSION_ZLIB : MIRAGE_COMPRESSION_JPEG;
    s.jpegQuality = std::max<uint16_t>(o.jpegQuality, kMinQuality);

    const bool review = s.modeKind == KIND_OTHERS_DURING_TUTORING || (s.modeKind == KIND_TUTORING && o.modeFlag != 0);
    s.reviewFlag = review ? 1 : 0;
    s.cyclingOn = o.modeFlag == 0;
    s.cyclingPeriod = std::max(o.cyclingPeriod, kMinCyclingPeriod);
    if (s.modeKind == KIND_TUTORING || s.modeKind == KIND_OTHERS_DURING_TUTORING)
        s.toolSoundState = o.cyclingPeriod;
    s.watchedId = o.watchedId;

    if (o.recordBarOrViews > kViewsThreshold)
        s.maxViews = std::min<uint16_t>(o.recordBarOrViews, kMirageMaxViews);
    else
        s.recordBarOn = o.recordBarOrViews;
    ParseStationList(o, s, warnings);

    s.controlSendDelay = kMirageControlSendDelayMs;
    s.modeText = ModeBanner(s.modeKind, review);
    std::memset(s.rectTable, 0, sizeof s.rectTable);
}

void ApplyPostParse(const MirageModeRow& row, MirageEngineState& s)
{
    if (row.side == 0)
        s.ownId = 0; // teacher stations send as 0
    switch (row.recordBar) {
    case RecordBarRule::Off:
        s.recordBarOn = 0;
        break;
    case RecordBarRule::On:
        s.recordBarOn = 1;
        break;
    case RecordBarRule::AsOptions:
        break;
    }
    s.studentDemoView = row.studentDemoView;
    if (row.windowedPair) {
        s.windowedView = s.windowedFlag ? 1 : 0;
        s.lockSystemKeys = s.windowedFlag ? 0 : 1;
    }
    if (row.clearsGridMode)
        s.gridMode = 0;
    if (s.openMode == MIRAGE_OPEN_RECEIVE_ONLY) {
        // Without sender threads nothing of this station is sent.
        if (row.mode == MirageMode::TeacherTeacherHandle)
            s.showRemoteCursor = 0;
        if (row.mode == MirageMode::StudentTeacherHandle)
            s.inputRole = 0;
    }
}

} // namespace

OptionsWarnings ApplyModeOptions(const MirageModeRow& row, const MirageOptions& options, MirageEngineState& state)
{
    OptionsWarnings warnings;
    ApplyRowFields(row, state);
    ParseOptions(options, state, warnings);
    ApplyPostParse(row, state);
    return warnings;
}

void ApplyResetOptions(const MirageResetOptions& options, MirageEngineState& state)
{
    state.losslessPending = options.lossless;
    state.burstPause = std::max<uint16_t>(options.burstPause, kMinBurst);
    state.burstLength = std::max<uint16_t>(options.burstLength, kMinBurst);
    state.sendRecordBar = options.recordBar;
    state.sendWindowed = options.windowed;
    state.losslessChanged = 1; // last: the sender reads losslessPending after seeing it
}

const char* ModeBanner(int32_t modeKind, bool review)
{
    switch (modeKind) {
    case KIND_TEACHING_DEMO:
        return "教学演示，快捷键为Ctrl+1，结束为Ctrl+←";
    case KIND_TUTORING:
    case KIND_OTHERS_DURING_TUTORING:
        return review ? "教师讲评，快捷键为Ctrl+2，结束为Ctrl+←" : "个别辅导，快捷键为Ctrl+3，结束为Ctrl+←";
    case KIND_STUDENT_DEMO:
        return "学生示范，快捷键为Ctrl+X，结束为Ctrl+←";
    case KIND_MONITOR:
        return "屏幕查看，快捷键为Ctrl+4，结束为Ctrl+←";
    case KIND_MULTI_MONITOR:
        return "多屏查看，快捷键为Ctrl+5，结束为Ctrl+←";
    default:
        return "";
    }
}
