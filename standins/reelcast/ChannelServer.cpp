#include "standins/reelcast/ChannelServer.h"

#include "common/ChannelAnnounce.h"
#include "common/ChannelQuery.h"
#include "common/ChannelWithdraw.h"
#include "common/TextField.h"
#include "common/VideoChannelCommand.h"
#include "common/VodCommandDatagram.h"
#include "standins/common/Trace.h"

#include <algorithm>
#include <cstring>

namespace kq::reelcast {

namespace {

constexpr char kModule[] = "Reelcast";

std::string FieldText(const char* field, size_t size)
{
    return std::string(field, TextFieldLength(field, size));
}

} // namespace

Datagram Announcement(const Channel& channel)
{
    ChannelAnnounceFields fields;
    fields.state = channel.state;
    fields.value = channel.value;
    fields.name = channel.name;
    fields.port = static_cast<uint16_t>(kPlayPortBase + channel.value);
    fields.flag = kPlayFlag;
    Datagram datagram(kChannelAnnounceMinSize + channel.name.size() + 1);
    datagram.resize(BuildChannelAnnounce(datagram.data(), datagram.size(), fields));
    return datagram;
}

Datagram Withdrawal(const Channel& channel)
{
    Datagram datagram(1 + channel.name.size() + 1);
    datagram.resize(BuildChannelWithdraw(datagram.data(), datagram.size(), channel.name));
    return datagram;
}

std::vector<Datagram> ChannelServer::OnCommandPort(const uint8_t* data, size_t length)
{
    VideoChannelCommand command;
    if (data == nullptr || length != sizeof command)
        return {};
    std::memcpy(&command, data, sizeof command);
    const std::string name = FieldText(command.name, sizeof command.name);
    const std::string file = FieldText(command.file, sizeof command.file);
    if (name.empty())
        return {};
    if (command.kind == kVideoChannelAdd)
        return Add(name, file);
    if (command.kind == kVideoChannelRemove)
        return Remove(name);
    return {};
}

std::vector<Datagram> ChannelServer::OnAnnouncePort(const uint8_t* data, size_t length)
{
    if (data == nullptr)
        return {};
    if (length == sizeof(ChannelQuery) && data[0] == kChannelQueryKind) {
        Trace(kModule, "query");
        std::vector<Datagram> all;
        for (const Channel& channel : channels_)
            all.push_back(Announcement(channel));
        return all;
    }
    VodCommandDatagram command;
    if (length != sizeof command)
        return {};
    std::memcpy(&command, data, sizeof command);
    if (command.kind != kVodCommandKind)
        return {};
    return Command(command.command, command.channel);
}

std::vector<Datagram> ChannelServer::WithdrawAll()
{
    std::vector<Datagram> all;
    for (const Channel& channel : channels_)
        all.push_back(Withdrawal(channel));
    channels_.clear();
    return all;
}

std::vector<Datagram> ChannelServer::Add(const std::string& name, const std::string& file)
{
    if (Channel* known = FindByName(name)) {
        known->file = file;
        Trace(kModule, "add name=%s file=%s value=%u", name.c_str(), file.c_str(), known->value);
        return {Announcement(*known)};
    }
    const uint32_t value = FreeValue();
    if (value == 0) {
        Trace(kModule, "add name=%s file=%s refused: all channels in use", name.c_str(), file.c_str());
        return {};
    }
    Channel channel{value, name, file, kChannelStopped};
    const auto place = std::find_if(channels_.begin(), channels_.end(),
                                    [value](const Channel& c) { return c.value > value; });
    channels_.insert(place, channel);
    Trace(kModule, "add name=%s file=%s value=%u", name.c_str(), file.c_str(), value);
    return {Announcement(channel)};
}

std::vector<Datagram> ChannelServer::Remove(const std::string& name)
{
    Channel* channel = FindByName(name);
    Trace(kModule, "remove name=%s%s", name.c_str(), channel ? "" : " (unknown)");
    if (channel == nullptr)
        return {};
    const Datagram withdrawal = Withdrawal(*channel);
    channels_.erase(channels_.begin() + (channel - channels_.data()));
    return {withdrawal};
}

std::vector<Datagram> ChannelServer::Command(int32_t command, int32_t value)
{
    Trace(kModule, "command value=%d command=%d", value, command);
    const uint32_t wanted = static_cast<uint32_t>(value) & 0xFFFF;
    auto channel = std::find_if(channels_.begin(), channels_.end(),
                                [wanted](const Channel& c) { return (c.value & 0xFFFF) == wanted; });
    if (channel == channels_.end())
        return {};
    if (command == kVodCommandPlay || command == kVodCommandStart)
        channel->state = kChannelPlaying;
    else if (command == kVodCommandStop)
        channel->state = kChannelStopped;
    else
        return {};
    return {Announcement(*channel)};
}

Channel* ChannelServer::FindByName(const std::string& name)
{
    for (Channel& channel : channels_)
        if (EqualIgnoringCase(channel.name, name))
            return &channel;
    return nullptr;
}

uint32_t ChannelServer::FreeValue() const
{
    for (uint32_t value = kFirstChannel; value <= kLastChannel; ++value) {
        const bool used = std::any_of(channels_.begin(), channels_.end(),
                                      [value](const Channel& c) { return c.value == value; });
        if (!used)
            return value;
    }
    return 0;
}

} // namespace kq::reelcast
