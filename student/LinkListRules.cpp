#include "student/LinkListRules.h"

#include "common/TextField.h"

#include <cctype>
#include <cstring>

namespace kq {

namespace {

constexpr size_t kCodeSize = sizeof(uint32_t);
constexpr char kWebScheme[] = "http://";
constexpr char kSchemeMark[] = "://";
constexpr char kBackslashedHttp[] = "HTTP:\\";

uint32_t LittleEndian32(const unsigned char* b)
{
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
           static_cast<uint32_t>(b[3]) << 24;
}

bool StartsWithIgnoringCase(const std::string& text, const char* prefix)
{
    const size_t n = std::strlen(prefix);
    if (text.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::toupper(static_cast<unsigned char>(text[i])) != std::toupper(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

// scheme = letter *(letter / digit / "+" / "-" / ".") followed by "://".
bool NamesItsScheme(const std::string& text)
{
    const size_t mark = text.find(kSchemeMark);
    if (mark == std::string::npos || mark == 0 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    for (size_t i = 1; i < mark; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

} // namespace

LinkReply ParseLinkListReply(const void* data, size_t length)
{
    LinkReply reply;
    if (data == nullptr || length < kLinkListSmallestReply || length > kLinkListMaxSize)
        return reply;
    const auto* bytes = static_cast<const unsigned char*>(data);
    switch (LittleEndian32(bytes)) {
    case kLinkListAdd: {
        const char* text = reinterpret_cast<const char*>(bytes + kCodeSize);
        // A lead byte without its trail byte at the end is no character: the
        // list would not show it, and the same address would come as new.
        reply.address = WholeCharacters(std::string_view(text, TextFieldLength(text, length - kCodeSize)));
        reply.action = LinkReplyAction::Add;
        break;
    }
    case kLinkListClear:
        reply.action = LinkReplyAction::Clear;
        break;
    case kLinkListClose:
        reply.action = LinkReplyAction::Close;
        break;
    default:
        break;
    }
    return reply;
}

std::string AddressToOpen(const std::string& text)
{
    if (StartsWithIgnoringCase(text, kBackslashedHttp) || NamesItsScheme(text))
        return text;
    return kWebScheme + text;
}

} // namespace kq
