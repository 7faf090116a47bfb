#include "standins/quizhall/AnswerFile.h"
#include "standins/quizhall/QuizWire.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

using quiz::FrameReader;
using quiz::Kind;

TEST(QuizWire, FramesSurviveAnyCuttingOfTheStream)
{
    std::vector<uint8_t> stream = quiz::Encode(Kind::Hello, "12");
    const std::vector<uint8_t> paper = quiz::Encode(Kind::Paper, std::string(5000, 'p'));
    const std::vector<uint8_t> finish = quiz::Encode(Kind::Finish, "");
    stream.insert(stream.end(), paper.begin(), paper.end());
    stream.insert(stream.end(), finish.begin(), finish.end());

    for (size_t piece : {size_t(1), size_t(7), size_t(4096), stream.size()}) {
        FrameReader reader;
        std::vector<std::pair<Kind, size_t>> frames;
        for (size_t at = 0; at < stream.size(); at += piece) {
            reader.Feed(stream.data() + at, std::min(piece, stream.size() - at));
            Kind kind;
            std::string payload;
            FrameReader::Result result;
            while ((result = reader.Next(kind, payload)) == FrameReader::Result::Frame)
                frames.emplace_back(kind, payload.size());
            ASSERT_EQ(result, FrameReader::Result::NeedMore) << piece;
        }
        EXPECT_EQ(frames, (std::vector<std::pair<Kind, size_t>>{
                              {Kind::Hello, 2}, {Kind::Paper, 5000}, {Kind::Finish, 0}}))
            << piece;
    }
}

TEST(QuizWire, BadFramesBreakTheConnection)
{
    auto withHeader = [](uint32_t magic, uint16_t kind, uint32_t length) {
        std::vector<uint8_t> frame;
        for (int i = 0; i < 4; ++i)
            frame.push_back(static_cast<uint8_t>(magic >> (8 * i)));
        frame.push_back(static_cast<uint8_t>(kind));
        frame.push_back(static_cast<uint8_t>(kind >> 8));
        for (int i = 0; i < 4; ++i)
            frame.push_back(static_cast<uint8_t>(length >> (8 * i)));
        frame.resize(frame.size() + (length < 64 ? length : 0), 'x');
        return frame;
    };
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"wrong magic", withHeader(0x12345678, 1, 2)},
        {"unknown kind", withHeader(quiz::kMagic, 9, 0)},
        {"empty seat", withHeader(quiz::kMagic, 1, 0)},
        {"seat too long", withHeader(quiz::kMagic, 1, quiz::kMaxSeat + 1)},
        {"paper too long", withHeader(quiz::kMagic, 2, quiz::kMaxText + 1)},
        {"finish with a payload", withHeader(quiz::kMagic, 4, 3)},
        {"seat with a zero byte", quiz::Encode(Kind::Hello, std::string("1\0" "2", 3))},
        {"seat with a line break", quiz::Encode(Kind::Hello, "1\r\n2")},
    };
    for (const Case& c : cases) {
        FrameReader reader;
        reader.Feed(c.bytes.data(), c.bytes.size());
        Kind kind;
        std::string payload;
        EXPECT_EQ(reader.Next(kind, payload), FrameReader::Result::Invalid) << c.what;
        // Nothing after a bad frame is trusted.
        const std::vector<uint8_t> good = quiz::Encode(Kind::Finish, "");
        reader.Feed(good.data(), good.size());
        EXPECT_EQ(reader.Next(kind, payload), FrameReader::Result::Invalid) << c.what;
    }
}

TEST(AnswerFile, StatisticsCountTheHandInsAndIgnoreLookalikeLines)
{
    const std::string file = quiz::AnswerFileHeading("期中", "数学", 60)
        + quiz::AnswerBlock("3", "1. A\r\n2. B") + quiz::AnswerBlock("12", "")
        + quiz::AnswerBlock("7", "==== 座位 99 ====\r\nmore\r\n==== 座位 98 ====");

    EXPECT_EQ(quiz::SeatsInAnswerFile(file), (std::vector<std::string>{"3", "12", "7"}));
    EXPECT_EQ(quiz::StatisticsText(file), "共收到 3 份答卷\r\n座位 3\r\n座位 12\r\n座位 7\r\n");
    EXPECT_EQ(quiz::StatisticsText(""), "共收到 0 份答卷\r\n");
}

TEST(AnswerFile, AnySeatTextReadsBackAsItWasHandedIn)
{
    const std::vector<std::string> seats = {"A1 ==== 座位 B2", "5 ====", "%3D", "=", "50%", "座位 ====x"};
    std::string file = quiz::AnswerFileHeading("a", "b", 1);
    for (const std::string& seat : seats)
        file += quiz::AnswerBlock(seat, "1. A");
    EXPECT_EQ(quiz::SeatsInAnswerFile(file), seats);
    EXPECT_NE(quiz::StatisticsText(file).find("座位 A1 ==== 座位 B2\r\n座位 5 ====\r\n"), std::string::npos);
}

} // namespace
