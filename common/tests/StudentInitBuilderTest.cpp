#include "common/StudentInitBuilder.h"
#include "common/tests/TestAddress.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using kq::StudentNetworkValues;
using kqtest::Address;

StudentNetworkValues Configured()
{
    StudentNetworkValues values;
    values.frameWindow = 0x00010234;
    values.edition = 1;
    values.mainPort = 6000;
    values.multicastBase = "227.1.1.7";
    values.seatNumber = "B3";
    values.versionId = 700;
    values.classroomId = 3;
    values.lockBackground = "C:\\lock.bmp";
    return values;
}

TEST(StudentInitBuilder, FillsEveryFieldOfTheRecord)
{
    const kq::StudentInitResult result = kq::BuildStudentInitRecord(Configured());
    ASSERT_EQ(result.refusal, 0u);
    const kq::StudentInitRecord& r = result.record;
    EXPECT_EQ(r.frameWindow, 0x00010234u);
    EXPECT_EQ(r.reserved4, 0u);
    EXPECT_EQ(r.edition, 1);
    EXPECT_EQ(r.perHost, 0);
    EXPECT_EQ(r.mainPort, 6000);
    EXPECT_EQ(r.classroomGroup, Address(227, 1, 4, 7));
    EXPECT_EQ(r.constant8, 8);
    EXPECT_STREQ(r.seatNumber, "B3");
    EXPECT_STREQ(r.lockBackground, "C:\\lock.bmp");
    EXPECT_EQ(r.VersionID, 700);
    EXPECT_EQ(r.reserved330, 0);
}

struct RuleCase {
    const char* name;
    void (*change)(StudentNetworkValues&);
    void (*check)(const kq::StudentInitResult&);
};

const RuleCase kRules[] = {
    {"kq base in any case is 227.1.1.7, classroom 300 wraps to 45",
     [](StudentNetworkValues& v) { v.multicastBase = "kQ"; v.classroomId = 300; },
     [](const kq::StudentInitResult& r) { EXPECT_EQ(r.record.classroomGroup, Address(227, 1, 45, 7)); }},
    {"MainPort 65536 has low bits 0: 6000",
     [](StudentNetworkValues& v) { v.mainPort = 65536; },
     [](const kq::StudentInitResult& r) { EXPECT_EQ(r.record.mainPort, 6000); }},
    {"MainPort 0: 6000", [](StudentNetworkValues& v) { v.mainPort = 0; },
     [](const kq::StudentInitResult& r) { EXPECT_EQ(r.record.mainPort, 6000); }},
    {"a missing MainPort stays 2002", [](StudentNetworkValues& v) { v.mainPort = 2002; },
     [](const kq::StudentInitResult& r) { EXPECT_EQ(r.record.mainPort, 2002); }},
    {"lock path KQ becomes empty", [](StudentNetworkValues& v) { v.lockBackground = "KQ"; },
     [](const kq::StudentInitResult& r) { EXPECT_STREQ(r.record.lockBackground, ""); }},
    {"NULL seat passes unchanged", [](StudentNetworkValues& v) { v.seatNumber = "NULL"; },
     [](const kq::StudentInitResult& r) { EXPECT_STREQ(r.record.seatNumber, "NULL"); }},
    {"per-host flag", [](StudentNetworkValues& v) { v.perHost = true; },
     [](const kq::StudentInitResult& r) { EXPECT_EQ(r.record.perHost, 1); }},
    {"VersionID 2002 refuses with 61463", [](StudentNetworkValues& v) { v.versionId = 2002; },
     [](const kq::StudentInitResult& r) { EXPECT_EQ(r.refusal, 61463u); }},
    {"VersionID whose low 16 bits are 2002 refuses", [](StudentNetworkValues& v) { v.versionId = 65536 + 2002; },
     [](const kq::StudentInitResult& r) { EXPECT_EQ(r.refusal, 61463u); }},
    {"ClassroomID 2002 refuses with 61461", [](StudentNetworkValues& v) { v.classroomId = 2002; },
     [](const kq::StudentInitResult& r) { EXPECT_EQ(r.refusal, 61461u); }},
};

TEST(StudentInitBuilder, AppliesTheConfigurationRules)
{
    for (const RuleCase& c : kRules) {
        SCOPED_TRACE(c.name);
        StudentNetworkValues values = Configured();
        c.change(values);
        c.check(kq::BuildStudentInitRecord(values));
    }
}

TEST(StudentInitBuilder, LongTextsAreCutAndTerminated)
{
    StudentNetworkValues values = Configured();
    values.seatNumber = std::string(100, 'S');
    values.lockBackground = std::string(400, 'L');
    const kq::StudentInitResult result = kq::BuildStudentInitRecord(values);
    EXPECT_EQ(std::strlen(result.record.seatNumber), sizeof result.record.seatNumber - 1);
    EXPECT_EQ(std::strlen(result.record.lockBackground), sizeof result.record.lockBackground - 1);
    EXPECT_EQ(result.record.VersionID, 700); // nothing spilled over it
}

TEST(StudentInitBuilder, SeatStates)
{
    EXPECT_EQ(kq::ClassifySeat(""), kq::SeatState::Absent);
    EXPECT_EQ(kq::ClassifySeat("Kq"), kq::SeatState::Absent);
    EXPECT_EQ(kq::ClassifySeat("NULL"), kq::SeatState::Unassigned);
    EXPECT_EQ(kq::ClassifySeat("null"), kq::SeatState::Unassigned);
    EXPECT_EQ(kq::ClassifySeat("Null"), kq::SeatState::Assigned);
    EXPECT_EQ(kq::ClassifySeat("A1"), kq::SeatState::Assigned);
}

} // namespace

#include "common/StudentIni.h"

namespace {

TEST(StudentIni, TheAbsentTextInAnyCase)
{
    const struct {
        const char* text;
        bool absent;
    } cases[] = {{"kq", true}, {"KQ", true}, {"Kq", true}, {"kQ", true},   {"", false},
                 {"k", false}, {"kqq", false}, {" kq", false}, {"kq\r", false}};
    for (const auto& c : cases)
        EXPECT_EQ(kq::IsAbsentText(c.text), c.absent) << c.text;
}

TEST(StudentIniPaths, PerHostCopiesAndTheMasterFile)
{
    const kq::PerHostPaths paths = kq::MakePerHostPaths("D:\\Tutorium\\Student", "PC07");
    EXPECT_EQ(paths.working, "D:\\Tutorium\\Student\\PC07.ini");
    EXPECT_EQ(paths.local, "C:\\PC07\\PC07.ini");
    EXPECT_EQ(paths.folder, "C:\\PC07\\config");
    EXPECT_EQ(kq::StudentIniIn("D:\\Tutorium\\Student"), "D:\\Tutorium\\Student\\student.ini");
}

} // namespace
