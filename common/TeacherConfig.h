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

// The panel buttons in table order: panel A (0-5), the function panel
// (6-26), panel C (27-38).
inline constexpr uint32_t kPanelButtonIds[kPanelButtonCount] = {
    501, 503, 504, 505, 502, 506,
    300, 301, 302, 303, 304, 305, 306, 307, 308, 309, 310,
    311, 312, 313, 314, 315, 316, 317, 318, 319, 320,
    601, 602, 603, 608, 605, 606, 607, 610, 609, 612, 611, 613};

// Where each of those buttons sits on its panel, same order.
inline constexpr int32_t kPanelButtonPositions[kPanelButtonCount][2] = {
    {17, 6}, {140, 6}, {17, 37}, {140, 37}, {17, 68}, {140, 68},
    {0, 0}, {71, 0}, {142, 0}, {0, 29}, {71, 29}, {142, 29}, {0, 58}, {71, 58}, {142, 58},
    {0, 87}, {71, 87}, {142, 87}, {0, 116}, {71, 116}, {142, 116}, {0, 145}, {71, 145},
    {142, 145}, {0, 174}, {71, 174}, {142, 174},
    {17, 11}, {132, 11}, {17, 42}, {132, 42}, {17, 103}, {132, 103}, {17, 135}, {132, 135},
    {17, 167}, {132, 167}, {17, 199}, {132, 199}};

// Every set shows every button, with the fixed ids and positions.
inline void SetDefaultButtonTables(TeacherConfig& config)
{
    for (auto& set : config.buttonFlags)
        for (auto& flag : set)
            flag = 1;
    for (size_t i = 0; i < kPanelButtonCount; ++i) {
        config.buttonIds[i] = kPanelButtonIds[i];
        config.buttonPositions[i] = {kPanelButtonPositions[i][0], kPanelButtonPositions[i][1]};
    }
}

} // namespace kq
