#include "envcheck/AdapterCheck.h"

#include "envcheck/CheckIds.h"
#include "widgets/AdapterSelectDlg.h"

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

} // namespace

int CheckNetworkAdapter()
{
    // No path: the student.ini beside the running program file, which is the
    // host program (this code runs inside it), not this library's folder.
    CAdapterSelectDlg dialog(kAdapterIds);
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
