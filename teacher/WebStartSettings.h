#pragma once
// What the proxy service is started with, taken from the teacher's options:
// the port the students' browsers use, the web site file and the upstream
// proxy. Portable.

#include "teacher/TeacherOptions.h"

#include <string>

namespace kq {

struct WebStartSettings {
    int sharePort = 0;
    std::string siteFile; // full path; empty when none is set
    bool direct = true;   // the students go out without the upstream proxy
    std::string proxyAddress; // dotted
    int proxyPort = 0;
    std::string proxyName;
    std::string proxyPassword;
};

// The web site file: Database as it is when it is a full path ("X:\..." or
// "\\server\..."), else taken inside the install folder; empty stays empty.
std::string SiteFilePath(const std::string& installFolder, const std::string& database);

WebStartSettings MakeWebStartSettings(const TeacherOptions& options, const std::string& installFolder);

} // namespace kq
