#pragma once
// CFileFind: walks the files of a folder that match a pattern.
//
//     CFileFind finder;
//     BOOL more = finder.FindFile("C:\\Work\\*.txt");
//     while (more) {
//         more = finder.FindNextFile(); // FALSE on the last file, which is still valid
//         ... finder.GetFilePath() ...
//     }

#include "framework/String.h"
#include "framework/Time.h"

class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    ~CFileFind() { Close(); }

    // Starts a search (null: "*.*" in the current folder). FALSE when nothing matches.
    BOOL FindFile(LPCSTR pattern = nullptr, DWORD unused = 0);
    // Moves to the next match; returns FALSE when the match it moved to is the last.
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const;
    CString GetFilePath() const;
    // The file name without its extension.
    CString GetFileTitle() const;
    // The folder being searched, without a trailing separator (unless a root like "C:\").
    CString GetRoot() const { return m_root; }
    ULONGLONG GetLength() const;
    BOOL GetLastWriteTime(CTime& time) const;
    BOOL GetLastWriteTime(FILETIME* time) const;
    BOOL GetCreationTime(CTime& time) const;
    BOOL GetLastAccessTime(CTime& time) const;

    BOOL MatchesMask(DWORD mask) const { return m_hasFound && (m_found.dwFileAttributes & mask) != 0; }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    // "." or "..": the folder itself or its parent.
    BOOL IsDots() const;

private:
    BOOL TimeOf(const FILETIME& fileTime, CTime& time) const;

    HANDLE m_search = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_next = {};  // the match that FindNextFile moves to
    WIN32_FIND_DATAA m_found = {}; // the current match
    bool m_hasNext = false;
    bool m_hasFound = false;
    CString m_root;
};
