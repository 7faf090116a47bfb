#pragma once
// The 12-byte control datagram for one video channel, sent by the teacher
// station to the video channel server at port 8600 plus the classroom number.

#include <cctype>
#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr int32_t kVodCommandKind = 6;

// Command numbers.
inline constexpr int32_t kVodCommandPlay = 1;  // "/play" and any other text
inline constexpr int32_t kVodCommandStop = 2;  // "/stop" and "/pause"
inline constexpr int32_t kVodCommandStart = 5; // "/start"

#pragma pack(push, 1)
struct VodCommandDatagram {
    int32_t kind;    // kVodCommandKind
    int32_t command; // one of the command numbers
    int32_t channel; // the channel value, zero-extended from 16 bits
};
#pragma pack(pop)

static_assert(sizeof(VodCommandDatagram) == 12);
static_assert(offsetof(VodCommandDatagram, command) == 4);
static_assert(offsetof(VodCommandDatagram, channel) == 8);

// The server listens on this port plus the classroom number.
inline constexpr uint16_t kVodCommandPortBase = 8600;
// Every command goes out this many times: a short pause after each send, a
// longer one after the last.
inline constexpr int kVodCommandRepeats = 5;
inline constexpr unsigned kVodCommandPauseMs = 1;
inline constexpr unsigned kVodCommandLastPauseMs = 100;

// A control word begins with this; any other text names a file to play.
inline constexpr char kVodControlPrefix = '/';
inline constexpr char kVodWordPlay[] = "/play";
inline constexpr char kVodWordStop[] = "/stop";

inline bool IsVodControlWord(const char* text)
{
    return text != nullptr && text[0] == kVodControlPrefix;
}

// The command number of `text`: the control words compared without regard
// to case; "/pause" is sent as a stop; any other text, a file name or null
// included, is a play.
inline int32_t VodCommandNumber(const char* text)
{
    struct Word {
        const char* word;
        int32_t command;
    };
    static constexpr Word kWords[] = {
        {kVodWordPlay, kVodCommandPlay},
        {"/start", kVodCommandStart},
        {kVodWordStop, kVodCommandStop},
        {"/pause", kVodCommandStop},
    };
    if (text == nullptr)
        return kVodCommandPlay;
    for (const Word& w : kWords) {
        size_t i = 0;
        while (w.word[i] != '\0' && std::tolower(static_cast<unsigned char>(text[i])) == w.word[i])
            ++i;
        if (w.word[i] == '\0' && text[i] == '\0')
            return w.command;
    }
    return kVodCommandPlay;
}

inline VodCommandDatagram MakeVodCommandDatagram(const char* text, uint16_t channel)
{
    return VodCommandDatagram{kVodCommandKind, VodCommandNumber(text), static_cast<int32_t>(channel)};
}

} // namespace kq
