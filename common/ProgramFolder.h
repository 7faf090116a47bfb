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

// True for a path that names its place by itself: one with a drive ("C:...")
// or one from a root ("\..." and "\\server\share\...").
bool IsAbsolutePath(const std::string& path);
// A file name as configured: "" stays "", an absolute path stays as it is,
// anything else is taken relative to `folder` (with its trailing backslash).
std::string PathInFolder(const std::string& folder, const std::string& name);

#ifdef _WIN32
// The folder of the module this code is linked into (the program, or the DLL
// that carries it), with its trailing backslash; "" when it cannot be read.
std::string GetProgramFolder();
// PathInFolder of the program folder.
std::string PathInProgramFolder(const std::string& name);
#endif

} // namespace kq
