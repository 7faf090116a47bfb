#include "common/TalkRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using kq::MakeTalkLine;
using kq::ParseTalkRecord;
using kq::TalkMessage;
using kq::TalkRecord;

const std::string kStudent = kq::kTalkStudentPrefix; // 6 bytes in CP936
const std::string kChinese = "中";                     // 2 bytes in CP936

std::string LineOf(const TalkRecord& record)
{
    return std::string(record.text, strnlen(record.text, sizeof record.text));
}

bool TailIsZero(const TalkRecord& record, size_t from)
{
    for (size_t i = from; i < sizeof record.text; ++i)
        if (record.text[i] != '\0')
            return false;
    return true;
}

TEST(TalkRecord, LinesAreComposedAndCutToFitWithTheirLineEnd)
{
    std::string chinese178;
    for (int i = 0; i < 178; ++i)
        chinese178 += kChinese;
    const std::string ascii178(178, 'a');
    const std::string ascii199(199, 'b');
    // 6 + 2 + 1 bytes of the 199 are taken: 190 are left for the typed text.
    const struct {
        const char* name;
        std::string typed;
        std::string line;
    } cases[] = {
        {"empty input", "", kStudent + "\r\n"},
        {"a short line", "hello", kStudent + "hello\r\n"},
        {"178 ASCII characters fit whole", ascii178, kStudent + ascii178 + "\r\n"},
        {"178 Chinese characters are cut to 95", chinese178, kStudent + chinese178.substr(0, 190) + "\r\n"},
        {"an overlong ASCII line is cut to 190 bytes", ascii199, kStudent + ascii199.substr(0, 190) + "\r\n"},
        {"never half a character", "a" + chinese178, kStudent + "a" + chinese178.substr(0, 188) + "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TalkRecord record = MakeTalkLine(kq::kTalkStudentPrefix, c.typed.c_str());
        EXPECT_EQ(record.kind, kq::kTalkLine);
        EXPECT_EQ(LineOf(record), c.line);
        EXPECT_TRUE(TailIsZero(record, c.line.size())) << "the rest of the record is zero";
    }
    EXPECT_EQ(LineOf(MakeTalkLine(kq::kTalkTeacherPrefix, "ok")), std::string(kq::kTalkTeacherPrefix) + "ok\r\n");
}

TEST(TalkRecord, ReceivedDatagramsGiveTheirKindAndText)
{
    TalkRecord line = MakeTalkLine(kq::kTalkTeacherPrefix, "下课");
    TalkRecord full = {};
    full.kind = kq::kTalkLine;
    std::memset(full.text, 'x', sizeof full.text); // no zero byte at all
    const uint8_t teacherEnded = kq::kTalkTeacherEnded;
    const uint8_t studentEnded = kq::kTalkStudentEnded;
    const struct {
        const char* name;
        const void* data;
        size_t length;
        uint8_t kind;
        std::string text;
    } cases[] = {
        {"a line", &line, sizeof line, kq::kTalkLine, std::string(kq::kTalkTeacherPrefix) + "下课\r\n"},
        {"a record without a zero byte shows its 199 bytes", &full, sizeof full, kq::kTalkLine,
         std::string(199, 'x')},
        {"a short datagram is read only as far as it goes", &full, 11, kq::kTalkLine, std::string(10, 'x')},
        {"the teacher's end", &teacherEnded, 1, kq::kTalkTeacherEnded, ""},
        {"another student's end", &studentEnded, 1, kq::kTalkStudentEnded, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A copy of exactly the received length, so the sanitizers see any over-read.
        std::vector<unsigned char> received(static_cast<const unsigned char*>(c.data),
                                            static_cast<const unsigned char*>(c.data) + c.length);
        TalkMessage message;
        ASSERT_TRUE(ParseTalkRecord(received.data(), received.size(), message));
        EXPECT_EQ(message.kind, c.kind);
        EXPECT_EQ(message.text, c.text);
    }
    TalkMessage message;
    EXPECT_FALSE(ParseTalkRecord(&line, 0, message)) << "nothing received";
}

} // namespace
