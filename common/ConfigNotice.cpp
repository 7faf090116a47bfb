#include "common/ConfigNotice.h"

#include "common/TextField.h"

#include <cstring>

namespace kq {

namespace {

constexpr uint32_t kSeedMask = 0xFFFF;
// The classic C library generator: state * 214013 + 2531011, 15 bits out.
constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;
constexpr int kOutputShift = 16;
constexpr uint32_t kOutputMask = 0x7FFF;

ConfigNotice MakeHostNotice(ConfigNoticeKind kind, const char* host, const char* path)
{
    ConfigNotice notice;
    std::memset(&notice, 0, sizeof notice);
    notice.kind = kind;
    CopyTextField(notice.host, host);
    CopyTextField(notice.path, path);
    return notice;
}

} // namespace

ConfigNotice MakeConfigFileNotice(const char* host, const char* path)
{
    return MakeHostNotice(kNoticeConfigFile, host, path);
}

ConfigNotice MakeDesktopFoldersNotice(const char* host, const char* folder)
{
    return MakeHostNotice(kNoticeDesktopFolders, host, folder);
}

ConfigNotice MakeTeacherUpdateNotice(uint16_t first, uint16_t second)
{
    ConfigNotice notice;
    std::memset(&notice, 0, sizeof notice);
    notice.kind = kNoticeTeacherUpdate;
    std::memcpy(notice.host, &first, sizeof first);
    std::memcpy(notice.host + sizeof first, &second, sizeof second);
    return notice;
}

uint16_t TeacherUpdateValue(const ConfigNotice& notice, int index)
{
    uint16_t value = 0;
    std::memcpy(&value, notice.host + (index == 0 ? 0 : sizeof value), sizeof value);
    return value;
}

uint16_t NoticeStamps::Draw(uint32_t timeSeconds, int avoid)
{
    uint32_t state = timeSeconds & kSeedMask;
    for (;;) {
        state = state * kMultiplier + kIncrement;
        const auto value = static_cast<uint16_t>((state >> kOutputShift) & kOutputMask);
        if (static_cast<int>(value) != avoid)
            return value;
    }
}

uint16_t NoticeStamps::Next(StampRule rule, uint32_t timeSeconds)
{
    uint16_t stamp = 0;
    if (rule == StampRule::Previous) {
        stamp = m_drawn;
        m_drawn = Draw(timeSeconds, stamp);
    } else {
        stamp = Draw(timeSeconds, m_any ? m_last : -1);
    }
    m_last = stamp;
    m_any = true;
    return stamp;
}

} // namespace kq
