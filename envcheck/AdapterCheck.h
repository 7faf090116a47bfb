#pragma once
// The network adapter check of KqTest: the shared adapter count and dialog
// with the library's own resources. The choice is kept in the student.ini
// beside the running program file (the host program), not in the file
// under examination.

namespace kq {

// kq::check::kPassed, kNoAdapter or kNoTcpIp. With two or more adapters and
// none of them stored, the adapter dialog runs modally first; the check
// passes whatever the user does there.
int CheckNetworkAdapter();

} // namespace kq
