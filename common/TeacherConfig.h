#pragma once
// The teacher program's configuration block, built from Teacher.ini at start
// and lent to the command transport at open (LecternOpen) and on change
// (LecternSetConfig); the command panels read its button tables.

#include <cstddef>
#include <cstdint>

namespace kq {

inline constexpr size_t kButtonSetCount = 3;
inline constexpr size_t kPanelButtonCount = 39;

// Values of the mode field.
inline constexpr uint32_t kTeacherModeNormal = 0;
inline constexpr uint32_t kTeacherModeDiskless = 10;

#pragma pack(push, 1)
struct ButtonPosition {
    int32_t x;
    int32_t y;
};

struct TeacherConfig {
    uint32_t mainWindow;        // (uint32_t)(uintptr_t) of the main window
    uint32_t one;               // always 1
    uint32_t mode;              // 0, or 10/11 for diskless student PCs
    uint8_t SoundOpenFlag;
    uint8_t StudentRunChalkpad;
    uint16_t MainPort;
    uint32_t classroomGroup;    // network byte order
    uint8_t DelaySon;
    uint8_t DelayMon;
    uint8_t CompressMethord;
    uint8_t ScreenChange;
    uint8_t Hits;
    uint8_t Quality;
    uint8_t KqDesk;
    char MixerName[40];
    uint8_t Record;
    uint8_t AutoSound;
    uint8_t reserved69[259];
    uint16_t VersionID;
    uint8_t MediaType;
    uint8_t reserved331;
    uint32_t ButtonType;
    char DefineFilePath[260];
    uint32_t buttonFlags[kButtonSetCount][kPanelButtonCount];
    uint32_t buttonIds[kPanelButtonCount];
    ButtonPosition buttonPositions[kPanelButtonCount];
};
#pragma pack(pop)

static_assert(sizeof(ButtonPosition) == 8);
static_assert(sizeof(TeacherConfig) == 1532);
static_assert(offsetof(TeacherConfig, mainWindow) == 0);
static_assert(offsetof(TeacherConfig, one) == 4);
static_assert(offsetof(TeacherConfig, mode) == 8);
static_assert(offsetof(TeacherConfig, SoundOpenFlag) == 12);
static_assert(offsetof(TeacherConfig, StudentRunChalkpad) == 13);
static_assert(offsetof(TeacherConfig, MainPort) == 14);
static_assert(offsetof(TeacherConfig, classroomGroup) == 16);
static_assert(offsetof(TeacherConfig, DelaySon) == 20);
static_assert(offsetof(TeacherConfig, DelayMon) == 21);
static_assert(offsetof(TeacherConfig, CompressMethord) == 22);
static_assert(offsetof(TeacherConfig, ScreenChange) == 23);
static_assert(offsetof(TeacherConfig, Hits) == 24);
static_assert(offsetof(TeacherConfig, Quality) == 25);
static_assert(offsetof(TeacherConfig, KqDesk) == 26);
static_assert(offsetof(TeacherConfig, MixerName) == 27);
static_assert(offsetof(TeacherConfig, Record) == 67);
static_assert(offsetof(TeacherConfig, AutoSound) == 68);
static_assert(offsetof(TeacherConfig, reserved69) == 69);
static_assert(offsetof(TeacherConfig, VersionID) == 328);
static_assert(offsetof(TeacherConfig, MediaType) == 330);
static_assert(offsetof(TeacherConfig, ButtonType) == 332);
static_assert(offsetof(TeacherConfig, DefineFilePath) == 336);
static_assert(offsetof(TeacherConfig, buttonFlags) == 596);
static_assert(offsetof(TeacherConfig, buttonIds) == 1064);
static_assert(offsetof(TeacherConfig, buttonPositions) == 1220);

} // namespace kq
