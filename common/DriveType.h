#pragma once
// The type of the drive with root `root` ("C:\"), as GetDriveTypeA answers
// it (DRIVE_FIXED, DRIVE_REMOTE, ...). A program links one of two
// libraries: kqdrive asks the system; kqdrive_test, for test builds, answers
// what the environment variable KQ_TEST_DRIVE names for every root
// ("network", "removable" or "fixed"; unset or anything else: the system's
// answer). Wine reads its drive types once, when the prefix starts, so a
// test cannot change them otherwise.

namespace kq {

// Environment variable steering the test build's answer.
inline constexpr char kTestDriveVariable[] = "KQ_TEST_DRIVE";

unsigned DriveType(const char* root);

} // namespace kq
