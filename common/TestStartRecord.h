#pragma once
// The record with which the teacher starts an online test in the online test
// library (T_StartTest), and the notification the library posts back to the
// window given to T_InitTeacher.

#include <cstddef>
#include <cstdint>

namespace kq {

#pragma pack(push, 1)
struct TestStartRecord {
    int32_t paperSize;      // length of the paper file in bytes
    char textA[41];         // zero-terminated, at most 40 bytes
    char textB[41];         // zero-terminated, at most 40 bytes
    uint16_t minutes;       // test length, 1-150
    int32_t optionA;        // 1 when the first option box is ticked
    int32_t optionB;        // 1 when the second option box is ticked
};
#pragma pack(pop)

static_assert(sizeof(TestStartRecord) == 96);
static_assert(offsetof(TestStartRecord, paperSize) == 0);
static_assert(offsetof(TestStartRecord, textA) == 4);
static_assert(offsetof(TestStartRecord, textB) == 45);
static_assert(offsetof(TestStartRecord, minutes) == 86);
static_assert(offsetof(TestStartRecord, optionA) == 88);
static_assert(offsetof(TestStartRecord, optionB) == 92);

// Posted by the online test library to the teacher's window:
// wParam = one of TestNotice, lParam = the seat number for the first two
// (WM_TEST_NOTIFY).
inline constexpr unsigned kWmTestNotify = 0x7E9;

enum TestNotice : int {
    kTestSeatEntered = 1,
    kTestSeatLeft = 2,
    kTestCollected = 3,            // every paper came back
    kTestCollectedWithMissing = 4, // some seats handed nothing in
    kTestRestartWanted = 5,
};

// T_StartTest failures the teacher reports; a positive result is the test id.
enum TestStartResult : int {
    kTestStartFailed = -1,
    kTestStartNoPaper = -2,
    kTestStartNoAnswerFile = -3,
    kTestStartNoNetwork = -5,
};

// S_StartTest results the student agent reports.
enum StudentTestResult : int {
    kStudentTestOk = 0,
    kStudentTestNoTeacher = -1,
    kStudentTestRefused = -2,
    kStudentTestBusy = -100,
};

} // namespace kq
