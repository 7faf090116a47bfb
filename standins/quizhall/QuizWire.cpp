#include "standins/quizhall/QuizWire.h"

namespace quiz {

namespace {

void PutLittle(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t GetLittle(const uint8_t* in, int bytes)
{
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint32_t>(in[i]) << (8 * i);
    return value;
}

bool LengthAllowed(Kind kind, uint32_t length)
{
    switch (kind) {
    case Kind::Hello:
        return length >= 1 && length <= kMaxSeat;
    case Kind::Paper:
    case Kind::Answers:
        return length <= kMaxText;
    case Kind::Finish:
    case Kind::Abort:
        return length == 0;
    }
    return false; // not a kind of ours
}

} // namespace

std::vector<uint8_t> Encode(Kind kind, const std::string& payload)
{
    std::vector<uint8_t> frame;
    frame.reserve(kHeaderSize + payload.size());
    PutLittle(frame, kMagic, 4);
    PutLittle(frame, static_cast<uint16_t>(kind), 2);
    PutLittle(frame, static_cast<uint32_t>(payload.size()), 4);
    frame.insert(frame.end(), payload.begin(), payload.end());
    return frame;
}

void FrameReader::Feed(const uint8_t* data, size_t size)
{
    if (!m_broken)
        m_buffer.insert(m_buffer.end(), data, data + size);
}

FrameReader::Result FrameReader::Next(Kind& kind, std::string& payload)
{
    if (m_broken)
        return Result::Invalid;
    if (m_buffer.size() < kHeaderSize)
        return Result::NeedMore;
    const uint32_t magic = GetLittle(m_buffer.data(), 4);
    const auto candidate = static_cast<Kind>(GetLittle(m_buffer.data() + 4, 2));
    const uint32_t length = GetLittle(m_buffer.data() + 6, 4);
    if (magic != kMagic || !LengthAllowed(candidate, length)) {
        m_broken = true;
        m_buffer.clear();
        return Result::Invalid;
    }
    if (m_buffer.size() - kHeaderSize < length)
        return Result::NeedMore;
    kind = candidate;
    payload.assign(m_buffer.begin() + kHeaderSize, m_buffer.begin() + kHeaderSize + length);
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + kHeaderSize + length);
    if (kind == Kind::Hello) {
        for (unsigned char c : payload) {
            if (c < ' ') {
                m_broken = true; // a seat is one line of plain text
                return Result::Invalid;
            }
        }
    }
    return Result::Frame;
}

} // namespace quiz
