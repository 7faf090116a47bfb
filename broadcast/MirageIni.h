#pragma once
// Mirage.ini: 24 lines of user-interface texts and three settings, in the
// host program's folder, read line by line. A file that cannot be opened
// gives the defaults; a file that opens is used as read, a missing line being
// an empty text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr size_t kMirageIniLineCount = 24;

// Line numbers, counted from 1 as in the file.
enum MirageIniLine : int {
    MIRAGE_INI_FRAME_CLASS = 1,
    MIRAGE_INI_LISTENING = 2,
    MIRAGE_INI_PREVIOUS_PAGE = 3,
    MIRAGE_INI_NEXT_PAGE = 4,
    MIRAGE_INI_FULL_OR_HALF = 5,
    MIRAGE_INI_FLOATING = 6,
    MIRAGE_INI_TO_TUTORING = 7,
    MIRAGE_INI_TO_REVIEW = 8,
    MIRAGE_INI_TO_STUDENT_DEMO = 9,
    MIRAGE_INI_TO_TEACHER_DEMO = 10,
    MIRAGE_INI_END = 11,
    MIRAGE_INI_RECORD = 12,
    MIRAGE_INI_STOP = 13,
    MIRAGE_INI_PLAY = 14,
    MIRAGE_INI_CLEAR = 15,
    MIRAGE_INI_EXIT = 16,
    MIRAGE_INI_WAITING = 17,
    MIRAGE_INI_FULL_OR_MULTI = 18,
    MIRAGE_INI_NOTHING_RECORDED = 19,
    MIRAGE_INI_CLEAR_QUESTION = 20,
    MIRAGE_INI_CLEAR_CONFIRM = 21,
    MIRAGE_INI_CLEAR_CANCEL = 22,
    MIRAGE_INI_CAPTURE_SWITCH = 23,
    MIRAGE_INI_THREAD_PRIORITY = 24,
};

class CMirageIni {
public:
    // The defaults (also what the installed Mirage.ini holds).
    CMirageIni();

    // The lines of a file's content, line ends removed.
    static CMirageIni FromContent(const std::string& content);
    // Reads the file; the defaults when it cannot be opened.
    static CMirageIni Load(const std::string& path);

    const std::string& Line(MirageIniLine line) const { return m_lines[static_cast<size_t>(line) - 1]; }

private:
    std::array<std::string, kMirageIniLineCount> m_lines;
};

// Frame classes: 1 = 640 x 480, 3 = 1024 x 768, any other 800 x 600.
struct MirageFrameClass {
    int number;
    uint32_t width;
    uint32_t height;
    uint32_t bufferSize; // width x height x 3 + 131,072
};

// The class of line 1, lowered to 2 for a host folder off a fixed disk (from
// class 3 up) and whenever the open mode's tens digit is set.
MirageFrameClass ChooseFrameClass(const std::string& line1, bool hostOnFixedDisk, int openModeArgument);
MirageFrameClass FrameClassGeometry(int number);

// The sender threads' priority from line 24: index 0..6 from time-critical to
// idle; anything else counts as 3 (normal). Returns the platform's value.
int ThreadPriorityFromLine(const std::string& line24);

// The capture switch: 0 when the OS kind is 5 to 7 and line 23 is "25".
int32_t CaptureSwitchFromLine(uint16_t osKind, const std::string& line23);

// The number a line starts with, as the C library's atoi reads it.
int LeadingNumber(const std::string& text);
