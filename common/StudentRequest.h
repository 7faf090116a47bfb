#pragma once
// The request record that the student agent lends to the command transport
// (LecternSendRequest) for one call: hand up, roll-call answer, request
// button, logged-on notice.

#include <cstddef>
#include <cstdint>

namespace kq {

enum StudentRequestType : uint16_t {
    kRequestHandUp = 1,
    kRequestRollCallAnswer = 3,
    kRequestButton = 4,
    kRequestLoggedOn = 10, // NT-family PC with a fixed system disk
};

inline constexpr size_t kRequestAnswerSize = 252;

#pragma pack(push, 1)
struct StudentRequest {
    uint16_t reserved0;
    uint16_t type;        // StudentRequestType
    uint8_t reserved4[8];
    char answer[kRequestAnswerSize]; // zero-terminated; type 3 only
};
#pragma pack(pop)

static_assert(sizeof(StudentRequest) == 264);
static_assert(offsetof(StudentRequest, type) == 2);
static_assert(offsetof(StudentRequest, reserved4) == 4);
static_assert(offsetof(StudentRequest, answer) == 12);

} // namespace kq
