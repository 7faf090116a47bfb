#include "common/ClassroomSignal.h"

namespace kq {

namespace {

constexpr uint8_t kLowByte = 0xFF;
constexpr int kByteBits = 8;

uint16_t ReadU16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | bytes[1] << kByteBits);
}

} // namespace

void EncodeClassroomSignal(uint8_t command, uint8_t classroom, uint16_t sequence, uint8_t (&out)[4])
{
    out[0] = command;
    out[1] = classroom;
    out[2] = static_cast<uint8_t>(sequence & kLowByte);
    out[3] = static_cast<uint8_t>(sequence >> kByteBits);
}

bool DecodeClassroomSignal(const uint8_t* data, size_t length, DecodedClassroomSignal& out)
{
    if (data == nullptr || length != sizeof(ClassroomSignal))
        return false;
    out = DecodedClassroomSignal{};
    if (data[0] == kSignalClassroomNumber || data[0] == kSignalRestartInClassroom) {
        out.firstLayout = true;
        out.command = data[0];
        out.argument = data[1];
        out.sequence = ReadU16(data + 2);
    } else {
        out.command = ReadU16(data);
        out.argument = ReadU16(data + 2);
    }
    return true;
}

bool ClassroomSignalFilter::Accept(const uint8_t* data, size_t length, DecodedClassroomSignal& out)
{
    if (!DecodeClassroomSignal(data, length, out))
        return false;
    if (!out.firstLayout)
        return true;
    if (out.sequence == lastSequence_)
        return false;
    lastSequence_ = out.sequence;
    return true;
}

} // namespace kq
