#pragma once
// ConfigNotice: the datagram that tells the network's configuration service
// about a changed per-host configuration (227.1.1.6:5998, 364 bytes).
//
//   kind 1  a student.ini copy changed (host name, path of the file)
//   kind 2  the desktop folders changed (host name, "C:\<host>\config")
//   kind 3  the teacher station's update push (two 16-bit values)
//
// Every notice goes out seven times with one stamp; a receiver drops repeats
// by the stamp, so two notices in a row never share one.

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr char kConfigNoticeGroup[] = "227.1.1.6";
inline constexpr uint16_t kConfigNoticePort = 5998;
inline constexpr int kConfigNoticeCopies = 7;
inline constexpr unsigned kConfigNoticePauseMs = 20;

enum ConfigNoticeKind : uint8_t {
    kNoticeConfigFile = 1,
    kNoticeDesktopFolders = 2,
    kNoticeTeacherUpdate = 3,
};

inline constexpr size_t kNoticeHostSize = 100;
inline constexpr size_t kNoticePathSize = 261;

#pragma pack(push, 1)
struct ConfigNotice {
    uint8_t kind;                // ConfigNoticeKind
    char host[kNoticeHostSize];  // kinds 1, 2; kind 3: two u16 values
    char path[kNoticePathSize];  // kinds 1, 2
    uint16_t stamp;
};
#pragma pack(pop)

static_assert(sizeof(ConfigNotice) == 364);
static_assert(offsetof(ConfigNotice, host) == 1);
static_assert(offsetof(ConfigNotice, path) == 101);
static_assert(offsetof(ConfigNotice, stamp) == 362);

// Kind 1: `path` is the configuration file that changed.
ConfigNotice MakeConfigFileNotice(const char* host, const char* path);
// Kind 2: `folder` is the host's configuration folder.
ConfigNotice MakeDesktopFoldersNotice(const char* host, const char* folder);
// Kind 3: the teacher station's two values at offsets 1 and 3.
ConfigNotice MakeTeacherUpdateNotice(uint16_t first, uint16_t second);
// The two values of a kind-3 notice.
uint16_t TeacherUpdateValue(const ConfigNotice& notice, int index);

// How a sender stamps its notices.
enum class StampRule {
    Previous, // the number drawn at the previous notice (0 for the first)
    Fresh,    // a number drawn for this notice
};

// The stamps of one sending process. Each draw seeds the generator with the
// time's low 16 bits; a draw that equals the stamp just used is drawn again,
// so two notices in the same second still differ.
class NoticeStamps {
public:
    uint16_t Next(StampRule rule, uint32_t timeSeconds);

private:
    // Seeds with `timeSeconds`' low 16 bits and draws a number unequal to
    // `avoid` (-1: any number).
    static uint16_t Draw(uint32_t timeSeconds, int avoid);

    uint16_t m_drawn = 0; // what the next Previous notice carries
    uint16_t m_last = 0;  // the stamp of the last notice
    bool m_any = false;
};

} // namespace kq
