#include "standins/vidspool/ChannelHandOff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

using namespace kq;
using namespace kq::vidspool;

VodChannelBlock Block(const char* origin, const char* role)
{
    VodChannelBlock block{};
    std::memcpy(block.origin, origin, std::min(std::strlen(origin), sizeof block.origin));
    std::memcpy(block.role, role, std::min(std::strlen(role), sizeof block.role));
    return block;
}

TEST(ChannelHandOff, ReadsBothWritersForms)
{
    VodChannelBlock teacher = Block("电影", kVodRoleTeacher);
    teacher.channel = 3;
    teacher.port = kVodTeacherMark | (1 << 8);
    teacher.flag = 0x20;
    const ChannelHandOff fromTeacher = ReadHandOff(teacher);
    EXPECT_EQ(fromTeacher.caller, Caller::Teacher);
    EXPECT_EQ(fromTeacher.origin, "电影");
    EXPECT_EQ(fromTeacher.channel, 3u);
    EXPECT_EQ(Describe(fromTeacher), "正在播放频道 3：电影");

    VodChannelBlock receiver = Block("198.18.1.10", kVodRoleReceiver);
    receiver.channel = 5;
    receiver.port = 9705;
    receiver.flag = 7;
    const ChannelHandOff fromReceiver = ReadHandOff(receiver);
    EXPECT_EQ(fromReceiver.caller, Caller::Receiver);
    EXPECT_EQ(fromReceiver.port, 9705);
    EXPECT_EQ(fromReceiver.flag, 7);
    EXPECT_EQ(Describe(fromReceiver), "正在接收频道 5，服务器 198.18.1.10，端口 9705");
}

TEST(ChannelHandOff, ReadsTextsOnlyWithinTheirFields)
{
    const ChannelHandOff unterminated = ReadHandOff(Block("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0123456789xyz"));
    EXPECT_EQ(unterminated.origin, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(unterminated.caller, Caller::Unknown);
    EXPECT_EQ(Describe(unterminated), "没有可播放的频道");
}

} // namespace
