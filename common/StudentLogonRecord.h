#pragma once
// The record that the command transport lends to the teacher's main window
// with WM_STUDENT_LOGON when a student PC logs on. The seat map reads the
// result, sender and name fields; the handler writes the reply fields.

#include <cstddef>
#include <cstdint>

namespace kq {

#pragma pack(push, 1)
struct StudentLogonRecord {
    uint32_t reserved0;
    uint32_t reserved4;
    int32_t result;            // the seat map's log-on result
    uint8_t reserved12[101];
    uint8_t handUpAllowed;     // reply: hand-up permission
    uint8_t homeworkActive;    // reply: 1 when the homework server runs
    uint16_t homeworkPort;     // reply: its port (unaligned)
    uint8_t reserved117[95];
    uint32_t senderAddress;    // the student PC's IPv4 address, network order
    char seatName[40];         // zero-terminated
    uint8_t adapterAddress[6]; // the student PC's network adapter (MAC)
    uint16_t reserved262;
};
#pragma pack(pop)

static_assert(sizeof(StudentLogonRecord) == 264);
static_assert(offsetof(StudentLogonRecord, result) == 8);
static_assert(offsetof(StudentLogonRecord, handUpAllowed) == 113);
static_assert(offsetof(StudentLogonRecord, homeworkActive) == 114);
static_assert(offsetof(StudentLogonRecord, homeworkPort) == 115);
static_assert(offsetof(StudentLogonRecord, senderAddress) == 212);
static_assert(offsetof(StudentLogonRecord, seatName) == 216);
static_assert(offsetof(StudentLogonRecord, adapterAddress) == 256);

} // namespace kq
