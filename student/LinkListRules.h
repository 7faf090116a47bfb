#pragma once
// The link list's datagrams and addresses: what a reply asks of the list and
// the address handed to the shell. (Rows are the same when
// kq::EqualIgnoringCase says so.)

#include "common/LinkListDatagram.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kq {

// 4 bytes are another program's join notice; shorter ones carry no code.
inline constexpr size_t kLinkListSmallestReply = 5;

enum class LinkReplyAction { Ignore, Add, Clear, Close };

struct LinkReply {
    LinkReplyAction action = LinkReplyAction::Ignore;
    std::string address; // for Add
};

// Reads `length` received bytes (at most kLinkListMaxSize) by the code in
// their first four; the address is taken up to its zero byte and never
// beyond the datagram, without a broken character at its end.
LinkReply ParseLinkListReply(const void* data, size_t length);

// The address to open: a text that names its scheme ("http://", "https://",
// "ftp://", ...; also "HTTP:\") opens unchanged, any other gets "http://".
std::string AddressToOpen(const std::string& text);

} // namespace kq
