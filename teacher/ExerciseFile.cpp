#include "teacher/ExerciseFile.h"

#include "common/TextField.h"
#include "teacher/PathSyntax.h"

#include <cstring>

namespace kq {

namespace {

constexpr size_t kMinPathBytes = 3;
// The first two characters of a path (drive and colon) are not examined.
constexpr size_t kUncheckedPrefixBytes = 2;

std::string FieldText(const char* field, size_t size)
{
    return std::string(field, TextFieldLength(field, size));
}

} // namespace

std::vector<Exercise> ParseExercises(const std::string& bytes)
{
    std::vector<Exercise> exercises;
    if (bytes.size() < kExerciseCountSize)
        return exercises;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const int32_t count = static_cast<int32_t>(static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
                                               static_cast<uint32_t>(data[2]) << 16 |
                                               static_cast<uint32_t>(data[3]) << 24);
    const size_t whole = (bytes.size() - kExerciseCountSize) / sizeof(ExerciseRecord);
    for (size_t k = 0; count > 0 && k < static_cast<size_t>(count) && k < whole; ++k) {
        ExerciseRecord record;
        std::memcpy(&record, bytes.data() + kExerciseCountSize + k * sizeof record, sizeof record);
        exercises.push_back({FieldText(record.name, sizeof record.name),
                             FieldText(record.program, sizeof record.program)});
    }
    return exercises;
}

std::string SerializeExercises(const std::vector<Exercise>& exercises)
{
    const auto count = static_cast<uint32_t>(exercises.size());
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<char>((count >> shift) & 0xFF));
    for (const Exercise& exercise : exercises) {
        ExerciseRecord record{};
        CopyTextField(record.name, exercise.name.c_str());
        CopyTextField(record.program, exercise.program.c_str());
        bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    }
    return bytes;
}

int CheckExercisePath(const std::string& path)
{
    if (path.empty())
        return kExercisePathEmpty;
    if (path.size() < kMinPathBytes || path.size() > kMaxExerciseProgramBytes)
        return kExercisePathBadLength;
    if (ContainsCharacterOf(path.c_str(), kUncheckedPrefixBytes, kForbiddenNameCharacters))
        return kExercisePathBadCharacter;
    return kExercisePathValid;
}

} // namespace kq
