#pragma once
// The record with which the student agent opens the command transport
// (LecternOpen on a student PC), filled by the agent's network start.

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr uint8_t kStudentInitConstant = 8; // the value at offset 24

#pragma pack(push, 1)
struct StudentInitRecord {
    uint32_t frameWindow;     // (uint32_t)(uintptr_t) of the agent's frame
    uint32_t reserved4;
    int32_t edition;          // [VER] version
    uint8_t perHost;          // 1 in per-host mode (system drive not fixed)
    uint8_t reserved13;
    uint16_t mainPort;
    uint32_t classroomGroup;  // network byte order
    uint32_t reserved20;
    uint8_t constant8;        // kStudentInitConstant
    uint16_t reserved25;
    char seatNumber[41];      // [STUDENTNUMBER] number, zero-terminated
    char lockBackground[260]; // [LOCKSTUDENT] backbmp, empty when absent
    uint16_t VersionID;
    uint16_t reserved330;
};
#pragma pack(pop)

static_assert(sizeof(StudentInitRecord) == 332);
static_assert(offsetof(StudentInitRecord, frameWindow) == 0);
static_assert(offsetof(StudentInitRecord, reserved4) == 4);
static_assert(offsetof(StudentInitRecord, edition) == 8);
static_assert(offsetof(StudentInitRecord, perHost) == 12);
static_assert(offsetof(StudentInitRecord, reserved13) == 13);
static_assert(offsetof(StudentInitRecord, mainPort) == 14);
static_assert(offsetof(StudentInitRecord, classroomGroup) == 16);
static_assert(offsetof(StudentInitRecord, reserved20) == 20);
static_assert(offsetof(StudentInitRecord, constant8) == 24);
static_assert(offsetof(StudentInitRecord, reserved25) == 25);
static_assert(offsetof(StudentInitRecord, seatNumber) == 27);
static_assert(offsetof(StudentInitRecord, lockBackground) == 68);
static_assert(offsetof(StudentInitRecord, VersionID) == 328);
static_assert(offsetof(StudentInitRecord, reserved330) == 330);

} // namespace kq
