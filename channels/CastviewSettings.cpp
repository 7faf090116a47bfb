#include "channels/CastviewSettings.h"

#include "common/Ipv4Text.h"
#include "common/LinkListDatagram.h"
#include "common/StudentInitBuilder.h"
#include "common/StudentIniKeys.h"

#include <cctype>
#include <cstdlib>

namespace kq {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A decimal number as the ini readers take it: leading digits, else 0.
int64_t DecimalOf(const std::string& text)
{
    return std::strtoll(text.c_str(), nullptr, 10);
}

} // namespace

CastviewCommandLine ParseCastviewCommandLine(const char* line)
{
    CastviewCommandLine parsed;
    if (line == nullptr)
        return parsed;
    while (IsBlank(*line))
        ++line;
    char* afterNumber = nullptr;
    const long seat = std::strtol(line, &afterNumber, 10);
    if (afterNumber == line)
        return parsed; // no number: no name either
    parsed.seat = static_cast<int>(seat);
    line = afterNumber;
    while (IsBlank(*line))
        ++line;
    const char* end = line;
    // CP936 trail bytes are never blanks, so the word ends at an ASCII blank.
    while (*end != '\0' && !IsBlank(*end))
        ++end;
    parsed.channelName.assign(line, end);
    return parsed;
}

CastviewNetwork ResolveCastviewNetwork(const CastviewIniValues& values, bool automatic)
{
    // An empty key is an absent one: the agent's own defaults then apply.
    const int64_t mainPort = values.mainPort.empty() ? studentini::kAbsentNumber : DecimalOf(values.mainPort);
    const std::string base = values.multicastBase.empty() ? studentini::kAbsentText : values.multicastBase;
    const int64_t classroom = values.classroomId.empty() ? 0 : DecimalOf(values.classroomId);
    const ClassroomEndpoint endpoint = ResolveClassroomEndpoint(mainPort, base, classroom);

    CastviewNetwork network;
    network.noticeGroup = endpoint.group;
    network.noticePort = static_cast<uint16_t>(endpoint.mainPort + kClassroomPortOffset);
    if (automatic) {
        network.channelGroup = FormatDottedIpv4(endpoint.group);
        network.channelPort = static_cast<uint16_t>(kChannelPortBase + classroom);
    } else {
        network.channelGroup = kFixedChannelGroup;
        network.channelPort = kChannelPortBase;
    }
    return network;
}

} // namespace kq
