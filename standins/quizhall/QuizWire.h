#pragma once
// The online test's own wire between the teacher's library and each
// student's: length-prefixed frames over one TCP connection per student.
// A frame is u32 magic, u16 kind, u32 payload length (little-endian), then
// the payload. Portable.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quiz {

inline constexpr uint32_t kMagic = 0x5A495551; // "QUIZ"
inline constexpr size_t kHeaderSize = 10;
inline constexpr uint32_t kMaxText = 256 * 1024; // a paper or a set of answers
inline constexpr size_t kMaxSeat = 31;

enum class Kind : uint16_t {
    Hello = 1,   // student -> teacher: the seat number as text
    Paper = 2,   // teacher -> student: the paper's text
    Answers = 3, // student -> teacher: the answers' text
    Finish = 4,  // teacher -> student: hand in now
    Abort = 5,   // teacher -> student: the test is called off
};

std::vector<uint8_t> Encode(Kind kind, const std::string& payload);

// Collects received bytes and cuts them into checked frames.
class FrameReader {
public:
    enum class Result { NeedMore, Frame, Invalid };

    void Feed(const uint8_t* data, size_t size);
    // The next whole frame. Invalid (and every later call too) for a bad
    // magic, an unknown kind or a length the kind does not allow.
    Result Next(Kind& kind, std::string& payload);

private:
    std::vector<uint8_t> m_buffer;
    bool m_broken = false;
};

} // namespace quiz
