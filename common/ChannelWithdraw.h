#pragma once
// ChannelWithdraw: the video channel server tells that a channel is gone.
//
//   0 kind (4) | 1 name, up to its first NUL or the datagram's end

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace kq {

inline constexpr uint8_t kChannelWithdrawKind = 4;

// The smallest withdrawal: the kind and one byte of name.
inline constexpr size_t kChannelWithdrawMinSize = 2;

// Writes the withdrawal of `name` with its NUL. Returns its length, or 0 when
// it does not fit `size` bytes.
inline size_t BuildChannelWithdraw(uint8_t* out, size_t size, const std::string& name)
{
    const size_t length = 1 + name.size() + 1;
    if (out == nullptr || length > size)
        return 0;
    out[0] = kChannelWithdrawKind;
    std::memcpy(out + 1, name.c_str(), name.size() + 1);
    return length;
}

// Reads a withdrawal of `length` bytes; false when it is not one.
inline bool ParseChannelWithdraw(const uint8_t* data, size_t length, std::string& name)
{
    if (data == nullptr || length < kChannelWithdrawMinSize || data[0] != kChannelWithdrawKind)
        return false;
    const char* text = reinterpret_cast<const char*>(data + 1);
    const void* nul = std::memchr(text, 0, length - 1);
    name.assign(text, nul ? static_cast<const char*>(nul) - text : length - 1);
    return true;
}

} // namespace kq
