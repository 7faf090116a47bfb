#include "student/StudentHelp.h"

#include "common/ProgramFolder.h"
#include "common/ShellOpen.h"
#include "framework/Win32.h"

namespace kq {

namespace {

constexpr char kStudentKey[] = "SOFTWARE\\Quorvane\\Tutorium\\Student";
constexpr char kPathValue[] = "Path";
// The install folder is read into a buffer of this many bytes.
constexpr DWORD kMaxPathBytes = 260;
constexpr char kHelpFolder[] = "\\help";

struct HelpPage {
    int messageId;
    const char* page;
};

constexpr HelpPage kHelpPages[] = {
    {61454, "8.htm"},  {61456, "2.htm"},  {61458, "8.htm"},  {61459, "4.htm"},  {61460, "8.htm"},
    {61461, "8.htm"},  {61463, "8.htm"},  {61464, "3.htm"},  {61466, "33.htm"}, {61469, "9.htm"},
    {61482, "25.htm"}, {61484, "1.htm"},  {61485, "22.htm"}, {61486, "17.htm"}, {61489, "30.htm"},
    {61490, "30.htm"}, {61491, "30.htm"}, {61492, "30.htm"}, {61494, "30.htm"}, {61496, "30.htm"},
    {61503, "32.htm"},
};

// "Path" of the student's key; "" when it cannot be read.
std::string ReadInstallFolder()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kStudentKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return {};
    // One byte more than a folder may take, for the terminator the value
    // may or may not carry.
    char folder[kMaxPathBytes + 1] = {};
    DWORD size = sizeof folder;
    DWORD type = 0;
    const LONG status =
        ::RegQueryValueExA(key, kPathValue, nullptr, &type, reinterpret_cast<BYTE*>(folder), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    if (size > kMaxPathBytes && folder[kMaxPathBytes] != '\0')
        return {}; // longer than a folder may be
    folder[size < kMaxPathBytes ? size : kMaxPathBytes] = '\0';
    return folder;
}

// The running program's folder without its trailing backslash.
std::string ProgramFolderWithoutSlash()
{
    std::string folder = GetProgramFolder();
    if (!folder.empty())
        folder.pop_back();
    return folder;
}

} // namespace

const char* StudentHelpPageFor(int messageId)
{
    for (const HelpPage& row : kHelpPages) {
        if (row.messageId == messageId)
            return row.page;
    }
    return nullptr;
}

std::string StudentHelpFolder(int messageId)
{
    std::string folder;
    if (messageId != kInstallFolderMissingMessage)
        folder = ReadInstallFolder();
    if (folder.empty())
        folder = ProgramFolderWithoutSlash();
    return folder + kHelpFolder;
}

void OpenStudentHelp(int messageId)
{
    const char* page = StudentHelpPageFor(messageId);
    if (page == nullptr)
        return;
    ShellOpen(StudentHelpFolder(messageId) + "\\" + page);
}

} // namespace kq
