#pragma once
// The transfer library's own wire format (not seen by the rest of the system).
//
// A multicast send: the sender repeats a TransferOffer on its first group; a
// receiver that wants it connects over TCP to the offer's sender and port and
// pulls the stream. Folder serving and the homework upload use the same
// stream over TCP, without an offer.
//
// Stream, after the connecting side's opening record (StreamHello; for an
// upload an UploadHeader, which the server first answers with one status
// byte: kStatusStored to go on, kStatusFailed to refuse):
//   StreamStart, then per entry an EntryHeader, the entry's relative path
//   (nameLength bytes, CP936, '\' between folders) and, for a file, `size`
//   bytes of data; an EntryHeader of type kEntryEnd closes it. The receiving
//   side answers with one status byte (kStatusStored or a failure).

#include <cstddef>
#include <cstdint>

namespace kq::transmit {

inline constexpr uint32_t kOfferMagic = 0x4F54514B;  // "KQTO"
inline constexpr uint32_t kHelloMagic = 0x4854514B;  // "KQTH"
inline constexpr uint32_t kUploadMagic = 0x5554514B; // "KQTU"

inline constexpr uint8_t kOfferFile = 0;
inline constexpr uint8_t kOfferFolder = 1;

inline constexpr uint8_t kEntryEnd = 0;
inline constexpr uint8_t kEntryFolder = 1;
inline constexpr uint8_t kEntryFile = 2;

inline constexpr uint8_t kStatusStored = 0;
inline constexpr uint8_t kStatusFailed = 1;

// Longest relative path, and longest destination path, of an entry.
inline constexpr size_t kMaxPath = 259;
// Most entries one stream may announce.
inline constexpr uint32_t kMaxEntries = 100000;

#pragma pack(push, 1)
struct TransferOffer {
    uint32_t magic;        // kOfferMagic
    uint32_t session;      // changes with every send
    uint16_t tcpPort;      // where the sender listens, host order
    uint8_t kind;          // kOfferFile or kOfferFolder
    uint8_t reserved;
    uint64_t totalBytes;   // sum of the file sizes
    char folder[260];      // receiving folder on the receiver's PC, NUL-terminated
    char name[260];        // the file's or folder's own name, NUL-terminated
};

struct StreamHello {
    uint32_t magic;        // kHelloMagic
    uint32_t session;      // the offer's session; 0 for a served folder
};

struct UploadHeader {
    uint32_t magic;        // kUploadMagic
    int32_t kind;          // the caller's kind, kept for the trace
    char seat[16];         // the student's seat number text, NUL-terminated
};

struct StreamStart {
    uint64_t totalBytes;   // sum of the sizes of the file entries
    uint32_t entries;      // number of entries before kEntryEnd
};

struct EntryHeader {
    uint8_t type;          // kEntryFolder, kEntryFile or kEntryEnd
    uint16_t nameLength;   // bytes of relative path that follow
    uint64_t size;         // file size; 0 for other types
};
#pragma pack(pop)

static_assert(sizeof(TransferOffer) == 540);
static_assert(sizeof(StreamHello) == 8);
static_assert(sizeof(UploadHeader) == 24);
static_assert(sizeof(StreamStart) == 12);
static_assert(sizeof(EntryHeader) == 11);

} // namespace kq::transmit
