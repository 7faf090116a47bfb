#include "teacher/TeacherSettings.h"

#include "common/ClassroomGroup.h"
#include "common/Ipv4Text.h"
#include "common/TextField.h"

#include <cstring>

namespace kq {

namespace {

constexpr uint32_t kAlwaysOne = 1;

// Integers go into byte and word fields by truncation.
uint8_t Byte(int value) { return static_cast<uint8_t>(value); }
uint16_t Word(int value) { return static_cast<uint16_t>(value); }

template <size_t N>
void CopyText(char (&field)[N], const std::string& text)
{
    CopyTextField(field, text.c_str());
}

// An empty or invalid dotted address reads as 0 (and is saved as "0.0.0.0").
uint32_t AddressOrZero(const std::string& text)
{
    return ParseDottedIpv4(text).value_or(0);
}

} // namespace

void ReadTeacherSettings(CIniStore& file, const ProfileValues& profile, uint32_t mainWindow,
                         TeacherSettings& settings)
{
    const int stuNoDisk = file.GetValueInt("Ver", "StuNoDisk");
    settings.enableTip = file.GetValueInt("Other", "EnableTip") == 1;
    settings.logoFile = file.GetValue("BackBmp", "LogoBmp");

    TeacherConfig& c = settings.config;
    std::memset(&c, 0, sizeof c);
    CopyText(c.MixerName, file.GetValue("Other", "MixerName"));

    settings.classroomId = file.GetValueInt("Ver", "ClassroomID");
    settings.stuNoDisk = stuNoDisk == 1;
    c.mainWindow = mainWindow;
    c.one = kAlwaysOne;
    c.mode = settings.stuNoDisk ? kTeacherModeDiskless : kTeacherModeNormal;
    c.SoundOpenFlag = Byte(file.GetValueInt("Setup", "SoundOpenFlag"));
    c.StudentRunChalkpad = Byte(file.GetValueInt("Setup", "StudentRunChalkpad"));
    c.MainPort = Word(file.GetValueInt("NetWork", "MainPort"));
    c.classroomGroup = MakeClassroomGroup(AddressOrZero(file.GetValue("NetWork", "Multi_MainIP")),
                                          Byte(settings.classroomId));
    c.DelaySon = Byte(file.GetValueInt("Setup", "DelaySon"));
    c.DelayMon = Byte(file.GetValueInt("Setup", "DelayMon"));
    c.CompressMethord = Byte(file.GetValueInt("Setup", "CompressMethord"));
    c.ScreenChange = Byte(file.GetValueInt("Setup", "ScreenChange"));
    c.Quality = Byte(file.GetValueInt("Setup", "Quality"));
    c.KqDesk = Byte(file.GetValueInt("Other", "KqDesk"));
    c.Record = Byte(file.GetValueInt("Setup", "Record"));
    c.AutoSound = Byte(file.GetValueInt("Setup", "AutoSound"));
    c.VersionID = Word(file.GetValueInt("Ver", "VersionID"));
    c.MediaType = Byte(profile.mediaType);
    // The file's own Hits is overridden by the application profile's.
    c.Hits = Byte(profile.hits);

    TeacherOptions& o = settings.options;
    std::memset(&o, 0, sizeof o);
    o.ClassroomID = Byte(settings.classroomId);
    o.WatchInterval = Byte(file.GetValueInt("Setup", "WatchInterval"));
    o.Access = Byte(file.GetValueInt("Other", "Access"));
    o.ProxyIp = AddressOrZero(file.GetValue("Other", "ProxyIp"));
    o.ProxyPort = Word(file.GetValueInt("Other", "ProxyPort"));
    o.Ring = Byte(file.GetValueInt("Other", "Ring"));
    o.Homework = Byte(file.GetValueInt("Other", "Homework"));
    o.Handup = Byte(file.GetValueInt("Other", "Handup"));
    o.EnableTip = Byte(file.GetValueInt("Other", "EnableTip"));
    o.AutoMonitor = Byte(file.GetValueInt("Other", "AutoMonitor"));
    o.SharePort = Word(file.GetValueInt("Other", "SharePort"));
    CopyText(o.ProxyName, file.GetValue("Other", "ProxyName"));
    CopyText(o.ProxyPassword, file.GetValue("Other", "ProxyPassword"));
    CopyText(o.Database, file.GetValue("Other", "Database"));
    CopyText(o.ListBmp, file.GetValue("BackBmp", "ListBmp"));
    CopyText(o.LogoBmp, settings.logoFile);
    CopyText(o.RecvPath, file.GetValue("Other", "RecvPath"));
    CopyText(o.schoolname, file.GetValue("Ver", "schoolname"));
    o.Ablity = Byte(file.GetValueInt("Setup", "Ablity"));
    o.StuNoDisk = Byte(stuNoDisk);
    o.MultiSrnCount = Byte(file.GetValueInt("Other", "MultiSrnCount"));

    SetDefaultButtonTables(c);
    c.ButtonType = static_cast<uint32_t>(file.GetValueInt("ButtonConfig", "ButtonType"));
    CopyText(c.DefineFilePath, file.GetValue("ButtonConfig", "DefineFilePath"));
}

void FillSavedKeys(const TeacherSettings& settings, CIniStore& store)
{
    const TeacherConfig& c = settings.config;
    const TeacherOptions& o = settings.options;
    auto text = [&](const char* key, const char* name, const char* field, size_t size) {
        store.SetValue(key, name, std::string(field, TextFieldLength(field, size)), true);
    };
    auto number = [&](const char* key, const char* name, int value) { store.SetValueInt(key, name, value, true); };

    text("BackBmp", "ListBmp", o.ListBmp, sizeof o.ListBmp);
    text("BackBmp", "LogoBmp", o.LogoBmp, sizeof o.LogoBmp);
    number("Ver", "ClassroomID", o.ClassroomID);
    number("Setup", "SoundOpenFlag", c.SoundOpenFlag);
    number("Setup", "StudentRunChalkpad", c.StudentRunChalkpad);
    number("Setup", "CompressMethord", c.CompressMethord);
    number("Setup", "Record", c.Record);
    number("Setup", "WatchInterval", o.WatchInterval);
    number("Setup", "DelaySon", c.DelaySon);
    number("Setup", "DelayMon", c.DelayMon);
    number("Setup", "Quality", c.Quality);
    number("Setup", "ScreenChange", c.ScreenChange);
    number("Other", "KqDesk", c.KqDesk);
    number("Other", "Ring", o.Ring);
    number("Other", "Homework", o.Homework);
    number("Other", "Handup", o.Handup);
    number("Other", "EnableTip", o.EnableTip);
    number("Other", "Access", o.Access);
    number("Other", "MultiSrnCount", o.MultiSrnCount);
    store.SetValue("Other", "ProxyIp", FormatDottedIpv4(o.ProxyIp), true);
    number("Other", "ProxyPort", o.ProxyPort);
    number("Other", "SharePort", o.SharePort);
    text("Other", "ProxyName", o.ProxyName, sizeof o.ProxyName);
    text("Other", "ProxyPassword", o.ProxyPassword, sizeof o.ProxyPassword);
    text("Other", "Database", o.Database, sizeof o.Database);
    text("Other", "RecvPath", o.RecvPath, sizeof o.RecvPath);
    number("Other", "AutoMonitor", o.AutoMonitor);
    number("Setup", "Ablity", o.Ablity);
    number("Ver", "StuNoDisk", o.StuNoDisk);
    number("ButtonConfig", "ButtonType", static_cast<int>(c.ButtonType));
    text("ButtonConfig", "DefineFilePath", c.DefineFilePath, sizeof c.DefineFilePath);
}

} // namespace kq
