#pragma once
// The operating-system requirement: the rows [OS] OSmajorversion<i>,
// OSminorversion<i>, OSplatformid<i> (i = 1 to 19) list the systems the
// suite runs on; a row whose major version is absent ends the list. On
// Windows NT 4.0 a service pack of at least "OSnt4packversion" is required.

#include <string>
#include <vector>

namespace kq {

inline constexpr int kOsRowCount = 19;
// Every [OS] key reads as this when absent.
inline constexpr int kOsKeyAbsent = 2002;
inline constexpr int kDefaultNt4ServicePack = 4;

// The system's version record, as the platform reports it.
struct OsVersion {
    unsigned long platformId = 0;
    unsigned long major = 0;
    unsigned long minor = 0;
    std::string servicePack; // the service-pack text ("Service Pack 6")
};

struct OsRow {
    int major = kOsKeyAbsent;
    int minor = kOsKeyAbsent;
    int platformId = kOsKeyAbsent;
};

struct OsCheck {
    int result;    // kq::check::kPassed, kOsNotListed or kServicePackTooOld
    bool nt4;      // the system matched a Windows NT 4.0 row
};

// Matches the system against the rows in order (at most kOsRowCount are
// looked at). `requiredNt4Pack` is "OSnt4packversion" (its default when
// absent).
OsCheck MatchOperatingSystem(const OsVersion& system, const std::vector<OsRow>& rows, int requiredNt4Pack);

// The number in a service-pack text from its 13th character on: blanks
// skipped, digits up to the first other character; 0 when there is no digit
// or the text is shorter.
int ServicePackNumber(const std::string& text);

} // namespace kq
