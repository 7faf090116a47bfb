#pragma once
// CEnvCheck: the checks of one KqTest call. Each reads its requirement from
// the student.ini under examination (or from the platform) and answers a
// string number of the library: kq::check::kPassed or its failure message.
// The operating-system check notes a Windows NT 4.0 match, which lowers
// the DirectX requirement.

#include <string>

class CEnvCheck {
public:
    int CheckOS(const std::string& iniPath);
    // Leaves Winsock started when it passes.
    int CheckWinsock(const std::string& iniPath);
    int CheckDirectX(const std::string& iniPath);
    int CheckSound(const std::string& iniPath);
    int CheckDisplay(const std::string& iniPath);
    // Shows the platform's box "OPEN FAILED" when the browser's key cannot
    // be opened.
    int CheckIE();

    // The value of the NT 4.0 mark once the system matched Windows NT 4.0.
    static constexpr int kNt4Mark = 4;

private:
    int m_nt4Mark = 0;
};
