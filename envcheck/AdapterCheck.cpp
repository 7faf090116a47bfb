#include "envcheck/AdapterCheck.h"

#include "common/ProgramFolder.h"
#include "common/StudentIniKeys.h"
#include "envcheck/CheckIds.h"
#include "widgets/AdapterSelectDlg.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <string>

namespace kq {

namespace {

constexpr AdapterSelectIds kAdapterIds = {
    14029, // template
    14027, // background
    14011, // combo box
    14015, // close button
    14034, // hand cursor
};

constexpr int kNoTableNeeded = -1;
constexpr int kNoEthernetAddress = 0;
constexpr int kSettled = 1;

// The student.ini beside the host program: this code runs inside the
// teacher program or the student agent, not beside its own file.
std::string StudentIniBesideHost()
{
    char program[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return studentini::kFileName;
    return FolderOfPath(program) + studentini::kFileName;
}

} // namespace

int CheckNetworkAdapter()
{
    CAdapterSelectDlg dialog(kAdapterIds, nullptr, StudentIniBesideHost());
    const int count = dialog.CheckAdapters();
    if (count == kNoEthernetAddress)
        return check::kNoAdapter;
    if (count == kNoTableNeeded)
        return check::kNoTcpIp;
    if (count > kSettled)
        dialog.DoModal();
    return check::kPassed;
}

} // namespace kq
