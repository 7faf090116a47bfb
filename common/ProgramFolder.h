#pragma once
// The folder of the running program (or of the DLL asking): its help pages,
// ini files and fellow modules lie there.

#include <string>

namespace kq {

// Everything of `path` up to and including its last backslash, the
// backslash searched on CP936 character boundaries (0x5C is also the trail
// byte of some double-byte characters). "" for a null path or one without a
// backslash.
std::string FolderOfPath(const char* path);

#ifdef _WIN32
// The folder of the module this code is linked into (the program, or the DLL
// that carries it), with its trailing backslash; "" when it cannot be read.
std::string GetProgramFolder();
#endif

} // namespace kq
