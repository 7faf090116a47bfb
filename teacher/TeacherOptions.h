#pragma once
// The teacher's settings that stay inside the program, read from Teacher.ini
// beside TeacherConfig and saved back at exit.

#include <cstddef>
#include <cstdint>

namespace kq {

#pragma pack(push, 1)
struct TeacherOptions {
    uint8_t ClassroomID;
    uint8_t WatchInterval;
    uint8_t Access;
    uint32_t ProxyIp; // network byte order
    uint16_t ProxyPort;
    uint8_t Ring;
    uint8_t Homework;
    uint8_t Handup;
    uint8_t EnableTip;
    uint8_t AutoMonitor;
    uint16_t SharePort;
    char ProxyName[56];
    char ProxyPassword[16];
    char Database[260];
    char ListBmp[260];
    char LogoBmp[260];
    char RecvPath[260];
    char schoolname[125];
    uint8_t Ablity;
    uint8_t StuNoDisk;
    uint8_t MultiSrnCount;
};
#pragma pack(pop)

static_assert(offsetof(TeacherOptions, ProxyIp) == 3);
static_assert(offsetof(TeacherOptions, ProxyName) == 16);
static_assert(offsetof(TeacherOptions, schoolname) == 1128);
static_assert(sizeof(TeacherOptions) == 1256);

} // namespace kq
