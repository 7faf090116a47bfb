#include "framework/FileFind.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kAllFiles[] = "*.*";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The byte index just after the last folder separator (DBCS-aware).
int NameStart(const CString& path)
{
    return std::max({path.ReverseFind('\\'), path.ReverseFind('/'), path.ReverseFind(':')}) + 1;
}

// Whether the path ends with a separator that is a character of its own.
bool EndsWithSeparator(const CString& path)
{
    const int length = path.GetLength();
    return length > 0 && IsSeparator(path[length - 1]) &&
           std::max(path.ReverseFind('\\'), path.ReverseFind('/')) == length - 1;
}

} // namespace

BOOL CFileFind::FindFile(LPCSTR pattern, DWORD)
{
    Close();
    if (!pattern || !*pattern)
        pattern = kAllFiles;

    m_search = ::FindFirstFileA(pattern, &m_next);
    if (m_search == INVALID_HANDLE_VALUE)
        return FALSE;
    m_hasNext = true;

    // The root is the folder part of the pattern made absolute.
    char full[MAX_PATH];
    LPSTR namePart = nullptr;
    const DWORD length = ::GetFullPathNameA(pattern, sizeof(full), full, &namePart);
    CString absolute = (length > 0 && length < sizeof(full)) ? CString(full) : CString(pattern);
    m_root = absolute.Left(NameStart(absolute));
    // Drop the trailing separator, except for a drive root such as "C:\".
    if (EndsWithSeparator(m_root) && !(m_root.GetLength() >= 2 && m_root[m_root.GetLength() - 2] == ':'))
        m_root = m_root.Left(m_root.GetLength() - 1);
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_hasNext)
        return FALSE;
    m_found = m_next;
    m_hasFound = true;
    m_hasNext = ::FindNextFileA(m_search, &m_next) != FALSE;
    return m_hasNext ? TRUE : FALSE;
}

void CFileFind::Close()
{
    if (m_search != INVALID_HANDLE_VALUE)
        ::FindClose(m_search);
    m_search = INVALID_HANDLE_VALUE;
    m_hasNext = m_hasFound = false;
    m_root.Empty();
}

CString CFileFind::GetFileName() const
{
    return m_hasFound ? CString(m_found.cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    if (!m_hasFound)
        return CString();
    if (m_root.IsEmpty() || EndsWithSeparator(m_root))
        return m_root + m_found.cFileName;
    return m_root + "\\" + m_found.cFileName;
}

CString CFileFind::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

ULONGLONG CFileFind::GetLength() const
{
    if (!m_hasFound)
        return 0;
    return (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow;
}

BOOL CFileFind::TimeOf(const FILETIME& fileTime, CTime& time) const
{
    if (!m_hasFound)
        return FALSE;
    time = CTime(fileTime);
    return TRUE;
}

BOOL CFileFind::GetLastWriteTime(CTime& time) const { return TimeOf(m_found.ftLastWriteTime, time); }
BOOL CFileFind::GetCreationTime(CTime& time) const { return TimeOf(m_found.ftCreationTime, time); }
BOOL CFileFind::GetLastAccessTime(CTime& time) const { return TimeOf(m_found.ftLastAccessTime, time); }

BOOL CFileFind::GetLastWriteTime(FILETIME* time) const
{
    if (!m_hasFound || !time)
        return FALSE;
    *time = m_found.ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::IsDots() const
{
    if (!IsDirectory())
        return FALSE;
    return std::strcmp(m_found.cFileName, ".") == 0 || std::strcmp(m_found.cFileName, "..") == 0;
}
