#include "common/LinkListDatagram.h"

#include "common/ChannelJoinNotice.h"
#include "common/TextField.h"

#include <cstring>

namespace kq {

namespace {

constexpr size_t kKindSize = sizeof(uint32_t);

uint32_t ReadKind(const uint8_t* data)
{
    uint32_t kind;
    std::memcpy(&kind, data, sizeof kind);
    return kind; // little-endian on every host this runs on
}

} // namespace

LinkListShort MakeLinkListShort(uint32_t kind)
{
    return LinkListShort{kind, 0};
}

LinkListEntry MakeLinkListEntry(const char* text)
{
    LinkListEntry entry{};
    entry.kind = kLinkListAdd;
    CopyTextField(entry.text, text);
    return entry;
}

bool ParseLinkListDatagram(const uint8_t* data, size_t length, LinkListMessage& message)
{
    if (data == nullptr || length <= kKindSize || length > kLinkListMaxSize)
        return false;
    const uint32_t kind = ReadKind(data);
    switch (kind) {
    case kLinkListRequest:
    case kLinkListClose:
    case kLinkListClear:
        if (length != sizeof(LinkListShort))
            return false;
        message.kind = kind;
        message.text.clear();
        return true;
    case kLinkListAdd: {
        const char* text = reinterpret_cast<const char*>(data + kKindSize);
        message.kind = kind;
        message.text.assign(text, TextFieldLength(text, length - kKindSize));
        return true;
    }
    default:
        return false;
    }
}

ClassroomPortDatagram ClassifyClassroomPortDatagram(const uint8_t* data, size_t length)
{
    if (data == nullptr)
        return ClassroomPortDatagram::Other;
    if (length == sizeof(ChannelJoinNotice))
        return ClassroomPortDatagram::JoinNotice;
    if (length == sizeof(LinkListShort) && ReadKind(data) == kLinkListRequest)
        return ClassroomPortDatagram::LinkListRequest;
    return ClassroomPortDatagram::Other;
}

} // namespace kq
