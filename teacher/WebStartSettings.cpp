#include "teacher/WebStartSettings.h"

#include "common/Ipv4Text.h"
#include "common/TextField.h"
#include "teacher/TeacherSettings.h"

namespace kq {

namespace {

template <size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, TextFieldLength(field, N));
}

bool IsFullPath(const std::string& path)
{
    const bool driveRoot = path.size() >= 3 && path[1] == ':' && path[2] == '\\';
    const bool share = path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
    return driveRoot || share;
}

} // namespace

std::string SiteFilePath(const std::string& installFolder, const std::string& database)
{
    if (database.empty() || IsFullPath(database))
        return database;
    return installFolder + (database.front() == '\\' ? database : "\\" + database);
}

WebStartSettings MakeWebStartSettings(const TeacherOptions& options, const std::string& installFolder)
{
    WebStartSettings settings;
    settings.sharePort = options.SharePort;
    settings.siteFile = SiteFilePath(installFolder, FieldText(options.Database));
    settings.direct = options.Access == 0;
    settings.proxyAddress = FormatDottedIpv4(options.ProxyIp);
    settings.proxyPort = options.ProxyPort;
    settings.proxyName = FieldText(options.ProxyName);
    settings.proxyPassword = FieldText(options.ProxyPassword);
    return settings;
}

} // namespace kq
