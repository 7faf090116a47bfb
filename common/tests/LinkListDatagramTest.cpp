#include "common/LinkListDatagram.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

using kq::ClassroomPortDatagram;

std::vector<uint8_t> Datagram(uint32_t kind, size_t length, const std::string& text = "")
{
    std::vector<uint8_t> bytes(length, 0);
    std::memcpy(bytes.data(), &kind, std::min<size_t>(4, length));
    if (length > 4)
        std::memcpy(bytes.data() + 4, text.data(), std::min(text.size(), length - 4));
    return bytes;
}

struct ClassifyCase {
    const char* name;
    std::vector<uint8_t> bytes;
    ClassroomPortDatagram expected;
};

TEST(ClassroomPort, ClassifiesWhatArrives)
{
    const ClassifyCase cases[] = {
        {"join notice", Datagram(0x01070003, 4), ClassroomPortDatagram::JoinNotice},
        {"request: 8 zero bytes", Datagram(kq::kLinkListRequest, 8), ClassroomPortDatagram::LinkListRequest},
        {"request with data in bytes 4-7", Datagram(kq::kLinkListRequest, 8, "abcd"),
         ClassroomPortDatagram::LinkListRequest},
        {"5 bytes", Datagram(0, 5), ClassroomPortDatagram::Other},
        {"kind 0 of 9 bytes", Datagram(0, 9), ClassroomPortDatagram::Other},
        {"the teacher's own kind 19", Datagram(kq::kLinkListClear, 8), ClassroomPortDatagram::Other},
        {"the teacher's own kind 18", Datagram(kq::kLinkListClose, 8), ClassroomPortDatagram::Other},
        {"the teacher's own kind 20", Datagram(kq::kLinkListAdd, 512, "http://a"), ClassroomPortDatagram::Other},
        {"3 bytes", Datagram(0, 3), ClassroomPortDatagram::Other},
        {"empty", {}, ClassroomPortDatagram::Other},
    };
    for (const ClassifyCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(kq::ClassifyClassroomPortDatagram(c.bytes.data(), c.bytes.size()), c.expected);
    }
}

struct ParseCase {
    const char* name;
    std::vector<uint8_t> bytes;
    bool valid;
    uint32_t kind;
    std::string text;
};

TEST(LinkListDatagram, ReceiverReadsTheKindsInTheirSizes)
{
    std::vector<uint8_t> full = Datagram(kq::kLinkListAdd, 512);
    std::memset(full.data() + 4, 'w', 508);
    const ParseCase cases[] = {
        {"close", Datagram(kq::kLinkListClose, 8), true, kq::kLinkListClose, ""},
        {"clear", Datagram(kq::kLinkListClear, 8), true, kq::kLinkListClear, ""},
        {"request", Datagram(kq::kLinkListRequest, 8), true, kq::kLinkListRequest, ""},
        {"entry of 512 bytes", Datagram(kq::kLinkListAdd, 512, "http://网址/"), true, kq::kLinkListAdd,
         "http://网址/"},
        {"entry shorter than 512", Datagram(kq::kLinkListAdd, 12, "abc"), true, kq::kLinkListAdd, "abc"},
        {"entry without a NUL kept to what arrived", Datagram(kq::kLinkListAdd, 9, "abcdefgh"), true,
         kq::kLinkListAdd, "abcde"},
        {"512-byte entry without a NUL", full, true, kq::kLinkListAdd, std::string(508, 'w')},
        {"longer than 512", Datagram(kq::kLinkListAdd, 513, "abc"), false, 0, ""},
        {"join notice", Datagram(kq::kLinkListClose, 4), false, 0, ""},
        {"clear of 9 bytes", Datagram(kq::kLinkListClear, 9), false, 0, ""},
        {"unknown kind", Datagram(21, 8), false, 0, ""},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        kq::LinkListMessage message;
        ASSERT_EQ(kq::ParseLinkListDatagram(c.bytes.data(), c.bytes.size(), message), c.valid);
        if (!c.valid)
            continue;
        EXPECT_EQ(message.kind, c.kind);
        EXPECT_EQ(message.text, c.text);
    }
}

TEST(LinkListDatagram, TeacherBuildsEightByteShortsAndFullEntries)
{
    const kq::LinkListShort close = kq::MakeLinkListShort(kq::kLinkListClose);
    uint8_t bytes[8];
    std::memcpy(bytes, &close, sizeof bytes);
    EXPECT_EQ(std::vector<uint8_t>(bytes, bytes + 8), (std::vector<uint8_t>{18, 0, 0, 0, 0, 0, 0, 0}));

    const std::string longText = std::string(507, 'a') + "网"; // the last character does not fit
    const kq::LinkListEntry entry = kq::MakeLinkListEntry(longText.c_str());
    EXPECT_EQ(entry.kind, kq::kLinkListAdd);
    EXPECT_EQ(std::string(entry.text), std::string(507, 'a')) << "cut before the double-byte character";

    kq::LinkListMessage message;
    ASSERT_TRUE(kq::ParseLinkListDatagram(reinterpret_cast<const uint8_t*>(&entry), sizeof entry, message));
    EXPECT_EQ(message.text, std::string(507, 'a'));
}

} // namespace
