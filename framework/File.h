#pragma once
// CFile: a file opened with CreateFile, with MFC's flags and exceptions.
//
// Open reports failure through its return value (and an optional
// CFileException); every other operation throws a new CFileException.

#include "framework/FileException.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Time.h"

// What GetStatus reports about a file or folder.
struct CFileStatus {
    CTime m_ctime;     // creation
    CTime m_mtime;     // last write
    CTime m_atime;     // last access
    ULONGLONG m_size;  // bytes
    BYTE m_attribute;  // the low FILE_ATTRIBUTE_* bits
    char m_szFullName[MAX_PATH];
};

class CFile : public CObject {
    DECLARE_DYNAMIC(CFile)
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000, // treated as shareExclusive
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000, // with modeCreate: open an existing file as it is
        typeText = 0x4000,       // for CStdioFile
        typeBinary = 0x8000,     // for CStdioFile
        osNoBuffer = 0x10000,
        osWriteThrough = 0x20000,
        osRandomAccess = 0x40000,
        osSequentialScan = 0x80000,
    };
    enum SeekPosition { begin = FILE_BEGIN, current = FILE_CURRENT, end = FILE_END };

    static const HANDLE hFileNull;

    CFile();
    // Takes over an open handle (not closed by the destructor).
    explicit CFile(HANDLE file);
    // Opens or throws.
    CFile(LPCSTR fileName, UINT openFlags);
    ~CFile() override;

    virtual BOOL Open(LPCSTR fileName, UINT openFlags, CFileException* error = nullptr);
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG newLength);
    virtual void Flush();
    virtual void Close();
    // Closes without throwing, whatever state the file is in.
    virtual void Abort();

    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;
    CString GetFileTitle() const;
    BOOL GetStatus(CFileStatus& status) const;
    operator HANDLE() const { return m_hFile; }

    static void Remove(LPCSTR fileName);
    static void Rename(LPCSTR oldName, LPCSTR newName);
    static BOOL GetStatus(LPCSTR fileName, CFileStatus& status);

    HANDLE m_hFile;

protected:
    // Throws for the calling thread's last Win32 error.
    [[noreturn]] void ThrowLastError() const;
    BOOL IsOpen() const { return m_hFile != hFileNull; }

    BOOL m_bCloseOnDelete;
    CString m_strFileName; // the full path
};
