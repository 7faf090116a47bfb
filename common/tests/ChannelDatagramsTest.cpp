// The video channel datagrams as the teacher station reads them.

#include "common/ChannelAnnounce.h"
#include "common/ChannelJoinNotice.h"
#include "common/ChannelWithdraw.h"
#include "common/VideoChannelCommand.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(ChannelJoinNotice, OnlyExactlyFourBytes)
{
    const uint8_t bytes[5] = {1, 0, 7, 1, 0};
    kq::ChannelJoinNotice notice{};
    EXPECT_FALSE(kq::ParseChannelJoinNotice(bytes, 3, notice));
    EXPECT_FALSE(kq::ParseChannelJoinNotice(bytes, 5, notice));
    EXPECT_TRUE(kq::ParseChannelJoinNotice(bytes, 4, notice));
}

TEST(ChannelJoinNotice, BuiltAsTheReceiverSendsIt)
{
    const kq::ChannelJoinNotice join = kq::MakeChannelJoinNotice(0x10003, 300, true);
    uint8_t bytes[4];
    std::memcpy(bytes, &join, sizeof bytes);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 4), (std::vector<uint8_t>{3, 0, 44, 1}));
}

// An announcement of `length` bytes: head, `name` (unterminated unless it
// carries its NUL), padding to the length, then port 9703 and flag 5.
std::vector<uint8_t> Announce(const std::string& name, size_t length)
{
    std::vector<uint8_t> bytes(length, 'x');
    bytes[0] = kq::kChannelAnnounceKind;
    bytes[1] = static_cast<uint8_t>(kq::kChannelPlaying);
    const uint32_t value = 0x00020003;
    std::memcpy(&bytes[2], &value, 4);
    std::memcpy(&bytes[6], name.data(), name.size());
    bytes[length - 3] = 0xE7;
    bytes[length - 2] = 0x25;
    bytes[length - 1] = 5;
    return bytes;
}

struct AnnounceCase {
    const char* name;
    std::vector<uint8_t> bytes;
    bool valid;
    std::string channelName;
};

TEST(ChannelAnnounce, ReadsTheNameOnlyWithinTheDatagram)
{
    const std::string twenty(20, 'N');
    const AnnounceCase cases[] = {
        {"eight bytes", Announce("", 8), false, ""},
        {"nine bytes: empty field", Announce("", 9), true, ""},
        {"name with its NUL", Announce(std::string("电影\0", 5), 14), true, "电影"},
        {"name without a NUL runs to the tail", Announce("abc", 12), true, "abc"},
        {"20-byte name with its NUL", Announce(twenty + '\0', 30), true, twenty},
        {"20-byte name without its NUL", Announce(twenty, 29), true, twenty},
        {"1,024 bytes without a NUL", Announce("", 1024), true, std::string(1015, 'x')},
    };
    for (const AnnounceCase& c : cases) {
        SCOPED_TRACE(c.name);
        kq::ChannelAnnounceFields fields;
        ASSERT_EQ(kq::ParseChannelAnnounce(c.bytes.data(), c.bytes.size(), fields), c.valid);
        if (!c.valid)
            continue;
        EXPECT_EQ(fields.name, c.channelName);
        EXPECT_EQ(fields.state, kq::kChannelPlaying);
        EXPECT_EQ(fields.value, 0x00020003u);
        EXPECT_EQ(fields.port, 9703);
        EXPECT_EQ(fields.flag, 5);
    }
    std::vector<uint8_t> wrongKind = Announce("a", 10);
    wrongKind[0] = kq::kChannelWithdrawKind;
    kq::ChannelAnnounceFields fields;
    EXPECT_FALSE(kq::ParseChannelAnnounce(wrongKind.data(), wrongKind.size(), fields));
}

TEST(ChannelAnnounce, BuiltAnnouncementReadsBack)
{
    kq::ChannelAnnounceFields sent;
    sent.state = kq::kChannelPaused;
    sent.value = 7;
    sent.name = "第七频道";
    sent.port = 9707;
    sent.flag = 1;
    uint8_t bytes[64];
    const size_t length = kq::BuildChannelAnnounce(bytes, sizeof bytes, sent);
    ASSERT_EQ(length, 9 + sent.name.size() + 1);
    kq::ChannelAnnounceFields read;
    ASSERT_TRUE(kq::ParseChannelAnnounce(bytes, length, read));
    EXPECT_EQ(read.name, sent.name);
    EXPECT_EQ(read.port, 9707);
    EXPECT_EQ(kq::BuildChannelAnnounce(bytes, 12, sent), 0u) << "does not fit";
}

TEST(ChannelWithdraw, NeedsAtLeastOneNameByte)
{
    const uint8_t one[] = {kq::kChannelWithdrawKind};
    const uint8_t two[] = {kq::kChannelWithdrawKind, 'A'};
    const uint8_t terminated[] = {kq::kChannelWithdrawKind, 'A', 'b', 0, 'z'};
    std::string name = "unchanged";
    EXPECT_FALSE(kq::ParseChannelWithdraw(one, sizeof one, name));
    EXPECT_EQ(name, "unchanged");
    ASSERT_TRUE(kq::ParseChannelWithdraw(two, sizeof two, name));
    EXPECT_EQ(name, "A");
    ASSERT_TRUE(kq::ParseChannelWithdraw(terminated, sizeof terminated, name));
    EXPECT_EQ(name, "Ab");
    const uint8_t announce[] = {kq::kChannelAnnounceKind, 'A'};
    EXPECT_FALSE(kq::ParseChannelWithdraw(announce, sizeof announce, name));
}

TEST(VideoChannelCommand, NameAndPathCutOnACharacterBoundaryInsideTheirFields)
{
    const std::string wide = "\xB3\xBF"; // one double-byte character
    std::string sixty;
    for (int i = 0; i < 60; ++i)
        sixty += wide;
    const struct {
        const char* name;
        std::string channel;
        std::string file;
        std::string keptChannel;
        std::string keptFile;
    } cases[] = {
        {"thirty typed characters", sixty.substr(0, 60), "C:\\v.mpg", sixty.substr(0, 60), "C:\\v.mpg"},
        {"a long file name", std::string(300, 'n'), std::string(259, 'p'), std::string(99, 'n'),
         std::string(259, 'p')},
        {"double-byte name cut before a half character", sixty, "", sixty.substr(0, 98), ""},
        {"odd double-byte name", "a" + sixty, "", "a" + sixty.substr(0, 98), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const kq::VideoChannelCommand command =
            kq::MakeVideoChannelCommand(kq::kVideoChannelAdd, c.channel.c_str(), c.file.c_str());
        EXPECT_EQ(command.kind, kq::kVideoChannelAdd);
        EXPECT_EQ(std::string(command.name), c.keptChannel);
        EXPECT_EQ(command.name[sizeof command.name - 1], '\0');
        EXPECT_EQ(std::string(command.file), c.keptFile);
    }
    const kq::VideoChannelCommand removal = kq::MakeVideoChannelCommand(kq::kVideoChannelRemove, "Movie", nullptr);
    const char zeros[sizeof removal.file] = {};
    EXPECT_EQ(std::memcmp(removal.file, zeros, sizeof zeros), 0) << "a removal's path is zero bytes";
}

} // namespace
