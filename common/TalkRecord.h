#pragma once
// The talk datagram between the teacher's chat and the students' talk
// windows, on the classroom group at the main port + 11.
//
// A line is a 200-byte record: kind 1, then prefix + text + "\r\n",
// zero-terminated, code page 936. The end notices are one byte long: 0 when
// the teacher ends the talk, 100 when a student closes its window.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kq {

enum TalkKind : uint8_t {
    kTalkTeacherEnded = 0,
    kTalkLine = 1,
    kTalkStudentEnded = 100,
};

inline constexpr size_t kTalkRecordSize = 200;
inline constexpr size_t kTalkEndNoticeSize = 1;
inline constexpr char kTalkTeacherPrefix[] = "教师：";
inline constexpr char kTalkStudentPrefix[] = "学生：";
inline constexpr char kTalkLineEnd[] = "\r\n";

#pragma pack(push, 1)
struct TalkRecord {
    uint8_t kind;
    char text[kTalkRecordSize - 1]; // zero-terminated line
};
#pragma pack(pop)

static_assert(sizeof(TalkRecord) == kTalkRecordSize);
static_assert(offsetof(TalkRecord, kind) == 0);
static_assert(offsetof(TalkRecord, text) == 1);

// A zeroed line record holding prefix + typed + "\r\n". The typed text is cut
// on a character boundary so that the prefix, the line end and the
// terminator always fit; a prefix too long for the record gives an empty line.
TalkRecord MakeTalkLine(const char* prefix, const char* typed);

// One received datagram as a talk window reads it.
struct TalkMessage {
    uint8_t kind = kTalkTeacherEnded;
    std::string text; // the line; the one-byte end notices carry none
};

// Reads `length` received bytes. False for an empty datagram. The text is
// taken only from the bytes received, up to the first zero byte or the end
// of the record's text field, whichever comes first.
bool ParseTalkRecord(const void* data, size_t length, TalkMessage& message);

} // namespace kq
