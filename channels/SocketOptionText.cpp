#include "channels/SocketOptionText.h"

namespace kq {

namespace {

struct ErrorText {
    int code;
    const char* text;
};

constexpr ErrorText kTexts[] = {
    {10014, "lpOptionValue is not in a valid part of the process address space."},
    {10022, "nLevel is not valid, or the information in lpOptionValue is not valid."},
    {10036, "A blocking Windows Sockets operation is in progress."},
    {10038, "The descriptor is not a socket"},
    {10042, "The option is unknown or unsupported. In particular, SO_BROADCAST is not supported on sockets of "
            "type SOCK_STREAM, while SO_DONTLINGER, SO_KEEPALIVE, SO_LINGER, and SO_OOBINLINE are not supported "
            "on sockets of type SOCK_DGRAM."},
    {10050, "The Windows Sockets implementation detected that the network subsystem failed."},
    {10052, "Connection has timed out when SO_KEEPALIVE is set."},
    {10057, "Connection has been reset when SO_KEEPALIVE is set."},
    {10093, "A successful AfxSocketInit must occur before using this API."},
};

} // namespace

const char* SocketOptionErrorText(int code)
{
    for (const ErrorText& entry : kTexts) {
        if (entry.code == code)
            return entry.text;
    }
    return nullptr;
}

} // namespace kq
