// The student agent's portable rules: countdown texts, hand-in paths, the
// receiver's port and progress, and the link list's replies and addresses.

#include "common/StudentIniKeys.h"
#include "student/CountdownText.h"
#include "student/HandInPath.h"
#include "student/LinkListRules.h"
#include "student/ReceiveSettings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(CountdownText, OneAndThreeDigitNumbersGetASpace)
{
    const struct {
        long seconds;
        const char* shown;
    } cases[] = {{5, " 5"}, {30, "30"}, {120, " 120"}, {1000, "1000"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(kq::RestartCountdownText(c.seconds),
                  std::string("现在使用了远程重启功能，您的计算机将在") + c.shown + "秒后重新启动，请立刻保存程序。");
        EXPECT_EQ(kq::ShutdownCountdownText(c.seconds),
                  std::string("现在使用了远程关机功能，您的计算机将在") + c.shown + "秒后关闭，请立刻保存程序。");
    }
}

TEST(HandInPath, SyntaxChecks)
{
    // 0x95 0x5C and 0x95 0x7C are characters whose trail bytes are "\" and "|".
    const std::string longest = "C:\\" + std::string(256, 'a');
    const struct {
        std::string path;
        unsigned message;
    } cases[] = {
        {"C:\\a", 0},
        {"C:\\x.y\\z.txt", 0},
        {"C:\\作业\\第一次.doc", 0},
        {"C:\\\x95\x5C" "a.txt", 0},
        {"C:\\a\x95\x5C\\b", 0},
        {"C:\\\x95\x7C" "a", 0},
        {"C:\\a b.txt", 0},
        {longest, 0},
        {longest + "a", kq::kHandInBadPath},
        {"C:\\", kq::kHandInBadPath},
        {"C:\\x\\\\y.txt", kq::kHandInBadPath},
        {"C:\\x\\.y", kq::kHandInBadPath},
        {"C:\\\\x", kq::kHandInBadPath},
        {"C:a.txt", kq::kHandInNotFullPath},
        {"C:\\a:b", kq::kHandInBadCharacter},
        {"C:\\a,b", kq::kHandInBadCharacter},
        {"C:\\a|b", kq::kHandInBadCharacter},
        {"C:\\a\"b", kq::kHandInBadCharacter},
        {"C:\\a/b", kq::kHandInBadCharacter},
        {"C:\\a?", kq::kHandInBadCharacter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(kq::CheckHandInPathSyntax(c.path.c_str()), c.message);
    }
}

TEST(ReceiveSettings, PortGroupsAndProgress)
{
    const struct {
        long classroom;
        long groupPort;
        uint16_t port;
    } ports[] = {
        {3, 1, 6004}, {2002, 7000, 7000}, {3, 65537, 6004}, {0, 6001, 6001}, {1, 65535, 0}, {2002, 1, 6001},
    };
    for (const auto& p : ports) {
        SCOPED_TRACE(std::to_string(p.classroom) + " " + std::to_string(p.groupPort));
        EXPECT_EQ(kq::ReceivePort(p.classroom, p.groupPort), p.port);
    }

    EXPECT_EQ(kq::GroupAddressText("", kq::studentini::kDefaultSendGroup), "234.6.7.8");
    EXPECT_EQ(kq::GroupAddressText("KQ", kq::studentini::kDefaultRecvGroup), "234.5.6.7");
    EXPECT_EQ(kq::GroupAddressText("239.1.2.3", kq::studentini::kDefaultSendGroup), "239.1.2.3");

    const struct {
        uint32_t received;
        uint32_t total;
        int position;
    } bars[] = {{0, 0, 0}, {50, 0, 0}, {50, 200, 25}, {199, 200, 99}, {200, 200, 100},
                {0xFFFFFFFFu, 0xFFFFFFFFu, 100}};
    for (const auto& b : bars)
        EXPECT_EQ(kq::ProgressPosition(b.received, b.total), b.position) << b.received << " of " << b.total;
}

std::vector<unsigned char> Datagram(uint32_t code, const std::string& text = {}, size_t length = 0)
{
    std::vector<unsigned char> bytes(4 + text.size());
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(code >> (8 * i));
    std::memcpy(bytes.data() + 4, text.data(), text.size());
    if (length != 0)
        bytes.resize(length);
    return bytes;
}

TEST(LinkListRules, RepliesAsTheListReadsThem)
{
    using Action = kq::LinkReplyAction;
    const std::string zeroEnded = std::string("www.a.cn") + '\0' + "junk";
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
        Action action;
        std::string address;
    } cases[] = {
        {"add", Datagram(20, zeroEnded), Action::Add, "www.a.cn"},
        {"add without a zero byte stops at the datagram's end", Datagram(20, "www.b.cn"), Action::Add, "www.b.cn"},
        {"a lead byte without its trail byte is left out", Datagram(20, "e.cn\xB3"), Action::Add, "e.cn"},
        {"a whole double-byte character stays", Datagram(20, "\xB3\xBF.cn\xB3\xBF"), Action::Add,
         "\xB3\xBF.cn\xB3\xBF"},
        {"clear", Datagram(19, std::string(4, '\0')), Action::Clear, ""},
        {"close", Datagram(18, std::string(4, '\0')), Action::Close, ""},
        {"another student's request", Datagram(0, std::string(4, '\0')), Action::Ignore, ""},
        {"an unknown code", Datagram(21, "x"), Action::Ignore, ""},
        {"4 bytes are a join notice", Datagram(19), Action::Ignore, ""},
        {"shorter than a code", Datagram(19, "", 3), Action::Ignore, ""},
        {"empty", {}, Action::Ignore, ""},
        {"longer than a reply", Datagram(19, std::string(600, 'x')), Action::Ignore, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const kq::LinkReply reply = kq::ParseLinkListReply(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(reply.action, c.action);
        EXPECT_EQ(reply.address, c.address);
    }
}

TEST(LinkListRules, TheAddressToOpen)
{
    const struct {
        const char* text;
        const char* opened;
    } cases[] = {
        {"www.x.cn", "http://www.x.cn"},
        {"http://www.x.cn", "http://www.x.cn"},
        {"HtTp://www.x.cn", "HtTp://www.x.cn"},
        {"HTTP:\\\\www.x.cn", "HTTP:\\\\www.x.cn"},
        {"HTTPS://x.cn", "HTTPS://x.cn"},
        {"ftp://files.x.cn", "ftp://files.x.cn"},
        {"www.x.cn/go?to=http://y.cn", "http://www.x.cn/go?to=http://y.cn"},
        {"://x.cn", "http://://x.cn"},
        {"1a://x.cn", "http://1a://x.cn"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kq::AddressToOpen(c.text), c.opened) << c.text;
}

} // namespace
