#pragma once
// The online test's texts and numbers that the test page and its dialogs
// work out without Win32: the answer file a paper suggests, the test length
// and the change of time typed by the teacher, and the notice of papers
// that did not come back. Portable.

#include <string>
#include <vector>

namespace kq {

// The test length the start dialog accepts, in minutes.
inline constexpr int kMinTestMinutes = 1;
inline constexpr int kMaxTestMinutes = 150;
inline constexpr int kDefaultTestMinutes = 60;
// The change of time is typed with at most this many digits.
inline constexpr int kMaxTimeChangeDigits = 5;

inline constexpr char kAnswerExtension[] = ".kqa";
inline constexpr char kAnswerFolder[] = "test\\";
inline constexpr char kPaperFolder[] = "paper\\";

// "<program folder>test\<paper file name without its last extension>.kqa".
// `programFolder` ends with its backslash.
std::string DefaultAnswerPath(const std::string& programFolder, const std::string& paperPath);

// The answer path with ".kqa" appended when it holds no "." at all.
std::string WithAnswerExtension(const std::string& answerPath);

// A file's name without its folder and its last extension ("D:\p\a.b.exe"
// gives "a.b"); a name without "." gives an empty text.
std::string NameWithoutExtension(const std::string& path);

// The minutes of a typed length, or 0 when it is no number from 1 to 150.
int ParseTestLength(const std::string& text);

// The number of a typed change of time: blanks at both ends are ignored;
// anything but 1 to kMaxTimeChangeDigits digits counts as empty (0).
int ParseTimeChange(const std::string& text);

// The notice of seats whose papers did not come back: the names joined by
// "、", introduced only when there are at most three of them.
std::string MissingPapersText(const std::vector<std::string>& seatNames);

} // namespace kq
