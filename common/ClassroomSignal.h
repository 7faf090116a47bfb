#pragma once
// ClassroomSignal: the 4 bytes the teacher station multicasts to 227.1.1.6,
// port 5999, to assign cloned student PCs their classroom. Read as one
// little-endian u32 it is command | classroom << 8 | sequence << 16.
//
// Two layouts share the 4 bytes. The first (byte 0 is 0 or 1) carries a
// command byte, the classroom and a sequence number; each signal is sent
// several times and receivers drop the repeats by the sequence number. Any
// other byte 0 is read as the second layout: a u16 command and a u16
// argument, without repeat check (the teacher station never sends it).

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr char kClassroomSignalGroup[] = "227.1.1.6";
inline constexpr uint16_t kClassroomSignalPort = 5999;
// Every signal goes out this many times, with this pause after each send.
inline constexpr int kClassroomSignalRepeats = 10;
inline constexpr unsigned kClassroomSignalPauseMs = 2;

// Commands of the first layout.
inline constexpr uint16_t kSignalClassroomNumber = 0; // argument: the classroom to take
inline constexpr uint16_t kSignalRestartInClassroom = 1; // argument: the classroom addressed
// Commands of the second layout.
inline constexpr uint16_t kSignalStopForVersion = 2;
inline constexpr uint16_t kSignalConfigVersion = 3;
inline constexpr uint16_t kSignalRefreshDesktop = 5;

#pragma pack(push, 1)
struct ClassroomSignal {
    uint8_t command;   // kSignalClassroomNumber or kSignalRestartInClassroom
    uint8_t classroom; // the sender's classroom number
    uint16_t sequence; // little-endian; the same for every repeat of one signal
};
#pragma pack(pop)

static_assert(sizeof(ClassroomSignal) == 4);
static_assert(offsetof(ClassroomSignal, classroom) == 1);
static_assert(offsetof(ClassroomSignal, sequence) == 2);

// The 4 bytes of a first-layout signal, in wire order.
void EncodeClassroomSignal(uint8_t command, uint8_t classroom, uint16_t sequence, uint8_t (&out)[4]);

struct DecodedClassroomSignal {
    bool firstLayout = false;
    uint16_t command = 0;
    uint16_t argument = 0; // first layout: the classroom
    uint16_t sequence = 0; // first layout only
};

// Decodes `length` received bytes; false unless exactly 4.
bool DecodeClassroomSignal(const uint8_t* data, size_t length, DecodedClassroomSignal& out);

// The receiver's side: decodes and drops the repeats of the first layout
// (one last sequence for both of its commands).
class ClassroomSignalFilter {
public:
    // True for a signal to carry out; false for anything else or a repeat.
    bool Accept(const uint8_t* data, size_t length, DecodedClassroomSignal& out);

private:
    int32_t lastSequence_ = -1; // none accepted yet
};

} // namespace kq
