#include "standins/vidspool/ChannelHandOff.h"

#include "common/TextField.h"

#include <cstring>

namespace kq::vidspool {

namespace {

std::string FieldText(const char* field, size_t size)
{
    return std::string(field, TextFieldLength(field, size));
}

} // namespace

ChannelHandOff ReadHandOff(const VodChannelBlock& block)
{
    ChannelHandOff handOff;
    const std::string role = FieldText(block.role, sizeof block.role);
    if (role == kVodRoleTeacher)
        handOff.caller = Caller::Teacher;
    else if (role == kVodRoleReceiver)
        handOff.caller = Caller::Receiver;
    handOff.origin = FieldText(block.origin, sizeof block.origin);
    handOff.channel = block.channel;
    handOff.port = block.port;
    handOff.flag = block.flag;
    return handOff;
}

std::string Describe(const ChannelHandOff& handOff)
{
    const std::string number = std::to_string(handOff.channel);
    switch (handOff.caller) {
    case Caller::Teacher:
        return "正在播放频道 " + number + "：" + handOff.origin;
    case Caller::Receiver:
        return "正在接收频道 " + number + "，服务器 " + handOff.origin + "，端口 " + std::to_string(handOff.port);
    default:
        return "没有可播放的频道";
    }
}

} // namespace kq::vidspool
