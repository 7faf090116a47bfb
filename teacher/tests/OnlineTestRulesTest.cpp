// The online test's portable rules: the suggested answer file, the typed
// test length and change of time, the missing-papers notice, and the
// exercise list's file and path check.

#include "teacher/ExerciseFile.h"
#include "teacher/OnlineTestRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(OnlineTestRules, AnswerFileOfAPaper)
{
    const struct {
        const char* paper;
        const char* answer;
    } cases[] = {
        {"D:\\p\\exam.kqt", "C:\\T\\test\\exam.kqa"},
        {"D:\\p\\a.b.kqt", "C:\\T\\test\\a.b.kqa"},
        {"D:\\p.q\\exam", "C:\\T\\test\\exam.kqa"},
        // 0xCE 0x5C is one character whose trail byte is a backslash.
        {"D:\\p\\\xCE\x5C" "a.kqt", "C:\\T\\test\\\xCE\x5C" "a.kqa"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kq::DefaultAnswerPath("C:\\T\\", c.paper), c.answer) << c.paper;
    EXPECT_EQ(kq::WithAnswerExtension("D:\\test\\math"), "D:\\test\\math.kqa");
    EXPECT_EQ(kq::WithAnswerExtension("D:\\t.x\\math"), "D:\\t.x\\math");
    EXPECT_EQ(kq::NameWithoutExtension("D:\\bin\\calc.exe"), "calc");
    EXPECT_EQ(kq::NameWithoutExtension("D:\\bin.x\\calc"), "");
}

TEST(OnlineTestRules, TypedNumbers)
{
    const struct {
        const char* text;
        int length;  // as the start dialog takes it
        int change;  // as the time dialog takes it
    } cases[] = {
        {"60", 60, 60},         {" 1 ", 1, 1},          {"150", 150, 150}, {"0", 0, 0},
        {"151", 0, 151},        {"999", 0, 999},        {"", 0, 0},        {"  ", 0, 0},
        {"99999", 0, 99999},    {"99999999999", 0, 0},  {"-5", 0, 0},      {"1a", 0, 0},
        {"+3", 0, 0},           {"1 2", 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kq::ParseTestLength(c.text), c.length) << '"' << c.text << '"';
        EXPECT_EQ(kq::ParseTimeChange(c.text), c.change) << '"' << c.text << '"';
    }
}

TEST(OnlineTestRules, MissingPapersNamesUpToThreeWithThePrefix)
{
    EXPECT_EQ(kq::MissingPapersText({"A1", "B1"}), "有个别学生(A1、B1)没有收到试卷");
    EXPECT_EQ(kq::MissingPapersText({"A1", "B1", "C1"}), "有个别学生(A1、B1、C1)没有收到试卷");
    EXPECT_EQ(kq::MissingPapersText({"A1", "B1", "C1", "D1"}), "A1、B1、C1、D1)没有收到试卷");
}

std::string FileBytes(int32_t count, const std::vector<kq::ExerciseRecord>& records, size_t extra = 0)
{
    std::string bytes(reinterpret_cast<const char*>(&count), sizeof count);
    for (const kq::ExerciseRecord& record : records)
        bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    return bytes + std::string(extra, 'x');
}

kq::ExerciseRecord Record(const char* name, const char* program)
{
    kq::ExerciseRecord record{};
    std::strcpy(record.name, name);
    std::strcpy(record.program, program);
    return record;
}

TEST(ExerciseFile, WrittenAndReadBackInOrder)
{
    const std::vector<kq::Exercise> list = {{"画图", "C:\\bin\\paint.exe"}, {"计算器", "C:\\bin\\calc.exe"}};
    const std::string bytes = kq::SerializeExercises(list);
    EXPECT_EQ(bytes, FileBytes(2, {Record("画图", "C:\\bin\\paint.exe"), Record("计算器", "C:\\bin\\calc.exe")}));
    const std::vector<kq::Exercise> back = kq::ParseExercises(bytes);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].name, "计算器");
    EXPECT_EQ(back[0].program, "C:\\bin\\paint.exe");
}

TEST(ExerciseFile, TheReaderTakesWholeRecordsOnly)
{
    const kq::ExerciseRecord one = Record("a", "C:\\a.exe");
    const kq::ExerciseRecord two = Record("b", "C:\\b.exe");
    const struct {
        const char* what;
        std::string bytes;
        size_t rows;
    } cases[] = {
        {"a count of 5 with 2 records", FileBytes(5, {one, two}), 2},
        {"a count of 1 with 2 records", FileBytes(1, {one, two}), 1},
        {"a record cut short", FileBytes(2, {one}, 200), 1},
        {"a negative count", FileBytes(-1, {one}), 0},
        {"no count", std::string("\x01\x00", 2), 0},
        {"an empty file", std::string(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kq::ParseExercises(c.bytes).size(), c.rows) << c.what;

    // Fields without their terminator end at the field's end.
    kq::ExerciseRecord full;
    std::memset(full.name, 'n', sizeof full.name);
    std::memset(full.program, 'p', sizeof full.program);
    const std::vector<kq::Exercise> read = kq::ParseExercises(FileBytes(1, {full}));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].name, std::string(100, 'n'));
    EXPECT_EQ(read[0].program, std::string(260, 'p'));
}

TEST(ExerciseFile, TextsLongerThanTheirFieldsAreCutOnACharacter)
{
    const std::string bytes = kq::SerializeExercises({{std::string(120, 'n'), "C:\\" + std::string(300, 'p')}});
    ASSERT_EQ(bytes.size(), 4u + sizeof(kq::ExerciseRecord));
    const std::vector<kq::Exercise> back = kq::ParseExercises(bytes);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].name.size(), 99u);
    EXPECT_EQ(back[0].program.size(), 259u);
}

TEST(ExerciseFile, PathCheck)
{
    const struct {
        std::string path;
        int result;
    } cases[] = {
        {"", kq::kExercisePathEmpty},
        {"C:", kq::kExercisePathBadLength},
        {"C:\\", kq::kExercisePathValid},
        {"C:\\" + std::string(256, 'a'), kq::kExercisePathValid},
        {"C:\\" + std::string(257, 'a'), kq::kExercisePathBadLength},
        {"C:\\a#b.exe", kq::kExercisePathBadCharacter},
        {"C:\\a b.exe", kq::kExercisePathValid},
        {"#:\\a.exe", kq::kExercisePathValid}, // the first two are not examined
        {"C::\\a.exe", kq::kExercisePathBadCharacter},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kq::CheckExercisePath(c.path), c.result) << c.path;
}

} // namespace
