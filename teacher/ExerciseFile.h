#pragma once
// kqexer.dat, the teacher's list of exercises beside the program: an int32
// count, then one 360-byte record per exercise {name char[100]; program
// char[260]}, little-endian, CP936. The reader takes whole records only and
// never trusts the count; the entry checks of the exercise list. Portable.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kq {

inline constexpr char kExerciseFileName[] = "kqexer.dat";

#pragma pack(push, 1)
struct ExerciseRecord {
    char name[100];    // zero-terminated when shorter than the field
    char program[260]; // zero-terminated when shorter than the field
};
#pragma pack(pop)
static_assert(sizeof(ExerciseRecord) == 360);
static_assert(offsetof(ExerciseRecord, name) == 0);
static_assert(offsetof(ExerciseRecord, program) == 100);

inline constexpr size_t kExerciseCountSize = sizeof(int32_t);
// The entry dialog takes names of at most this many bytes.
inline constexpr size_t kMaxExerciseNameBytes = 50;
// The longest program path that fits its field with the terminator.
inline constexpr size_t kMaxExerciseProgramBytes = sizeof(ExerciseRecord::program) - 1;

struct Exercise {
    std::string name;
    std::string program;
};

// The exercises of the file's bytes: at most `count` of them, and only the
// records the bytes hold whole. A text ends at its field's first zero byte
// or at the field's end.
std::vector<Exercise> ParseExercises(const std::string& bytes);

// The file's bytes for `exercises`, in their order; texts longer than their
// field are cut there on a character boundary, terminated.
std::string SerializeExercises(const std::vector<Exercise>& exercises);

// Results of CheckExercisePath.
inline constexpr int kExercisePathValid = 0;
inline constexpr int kExercisePathEmpty = -1;
inline constexpr int kExercisePathBadLength = -2;   // not 3..259 bytes
inline constexpr int kExercisePathBadCharacter = -4; // " # % * , / : < > ? @ | after the first two

// The program path check of a new exercise; the first two characters (a
// drive and its colon) are not examined.
int CheckExercisePath(const std::string& path);

} // namespace kq
