#pragma once
// student.ini: every section and key that a student-side program reads or
// writes, with the default each reader passes to mean "not set".
//
// The file is a private-profile file: names match without regard to case,
// and every writer ends with a flush (a write with no section, key or value).

#include <cstdint>

namespace kq::studentini {

inline constexpr char kFileName[] = "student.ini";

// The "absent" defaults.
inline constexpr char kAbsentText[] = "kq";
inline constexpr int32_t kAbsentNumber = 2002;
inline constexpr int32_t kAbsentAtStart = -1;

// The seat that has not been assigned yet.
inline constexpr char kUnassignedSeat[] = "NULL";
inline constexpr char kUnassignedSeatLower[] = "null";
// The seat text holds at most 4 characters (valid seats have at most 3).
inline constexpr int kSeatMaxChars = 4;

inline constexpr char kNetAdapter[] = "NETADAPTER";
inline constexpr char kIpAddress[] = "IPADDRESS";
inline constexpr char kAnyAdapter[] = "0.0.0.0";
inline constexpr int kIpAddressMaxChars = 49;

inline constexpr char kVer[] = "VER";
inline constexpr char kClassroomId[] = "ClassRoomID";
inline constexpr char kVersionId[] = "VersionID";
inline constexpr char kEdition[] = "version";
inline constexpr int32_t kEditionRefused = 2;

inline constexpr char kStudentNumber[] = "STUDENTNUMBER";
inline constexpr char kNumber[] = "number";

inline constexpr char kNetwork[] = "NETWORK";
inline constexpr char kMainPort[] = "MainPort";
inline constexpr char kMulticastBase[] = "MULti_MainIp";
inline constexpr int kMulticastBaseMaxChars = 19;
inline constexpr char kDefaultMulticastBase[] = "227.1.1.7";
inline constexpr uint16_t kDefaultMainPort = 6000;

inline constexpr char kDesktopType[] = "DESKTOPTYPE";
inline constexpr char kType[] = "type";
inline constexpr int32_t kDesktopTypeAbsent = 2;
inline constexpr int32_t kDesktopShell = 1;

inline constexpr char kPosition[] = "POSITION";
inline constexpr char kPx[] = "px";
inline constexpr char kPy[] = "py";
inline constexpr int32_t kPositionDefault = 0;
inline constexpr int32_t kPositionTopRight = -1;

inline constexpr char kLockStudent[] = "LOCKSTUDENT";
inline constexpr char kBackBmp[] = "backbmp";
inline constexpr int kBackBmpMaxChars = 259;

inline constexpr char kTransmit[] = "KQTRANSMIT";
inline constexpr char kSendGroupIp[] = "sendgroupip";
inline constexpr char kRecvGroupIp[] = "recvgroupip";
inline constexpr char kGroupPort[] = "groupport";
inline constexpr char kDefaultSendGroup[] = "234.6.7.8";
inline constexpr char kDefaultRecvGroup[] = "234.5.6.7";
inline constexpr int32_t kGroupPortAbsent = 1;
inline constexpr int32_t kDefaultGroupPort = 6001;

inline constexpr char kClassCount[] = "CLASSCOUNT";
inline constexpr char kMax[] = "Max";
inline constexpr char kMin[] = "Min";

inline constexpr char kOs[] = "OS";
inline constexpr char kOsMajorVersion1[] = "OSmajorversion1";
inline constexpr char kOsMajorVersionPrefix[] = "OSmajorversion";
inline constexpr char kOsMinorVersionPrefix[] = "OSminorversion";
inline constexpr char kOsPlatformIdPrefix[] = "OSplatformid";
inline constexpr char kOsNt4PackVersion[] = "OSnt4packversion";

inline constexpr char kDirectX[] = "DIRECTX";
inline constexpr char kDirectXVer[] = "ver";

inline constexpr char kDisplay[] = "DISPLAY";
inline constexpr char kColorMin[] = "colormin";
inline constexpr char kColorMax[] = "colormax";
inline constexpr char kWidthMin[] = "widthmin";
inline constexpr char kWidthMax[] = "widthmax";
inline constexpr char kHeightMin[] = "heightmin";
inline constexpr char kHeightMax[] = "heightmax";

inline constexpr char kStartCount[] = "STARTCOUNT";
inline constexpr char kMaxCount[] = "maxcount";
inline constexpr char kCount[] = "count";

} // namespace kq::studentini
