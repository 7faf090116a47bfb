#pragma once
// The link list's datagrams and addresses: what a reply asks of the list,
// which rows count as the same, and the address handed to the shell.

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
// beyond the datagram.
LinkReply ParseLinkListReply(const void* data, size_t length);

// Equal but for the case of ASCII letters; double-byte characters compare
// byte for byte, so their trail bytes are never folded.
bool SameAddressIgnoringCase(const std::string& a, const std::string& b);

// The address to open: a text that names its scheme ("http://", "https://",
// "ftp://", ...; also "HTTP:\") opens unchanged, any other gets "http://".
std::string AddressToOpen(const std::string& text);

} // namespace kq
