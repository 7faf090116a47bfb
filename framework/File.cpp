#include "framework/File.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

constexpr UINT kAccessMask = CFile::modeRead | CFile::modeWrite | CFile::modeReadWrite;
constexpr UINT kShareMask = CFile::shareExclusive | CFile::shareDenyWrite | CFile::shareDenyRead | CFile::shareDenyNone;

DWORD DesiredAccess(UINT flags)
{
    switch (flags & kAccessMask) {
    case CFile::modeWrite:
        return GENERIC_WRITE;
    case CFile::modeReadWrite:
        return GENERIC_READ | GENERIC_WRITE;
    default:
        return GENERIC_READ;
    }
}

DWORD ShareMode(UINT flags)
{
    switch (flags & kShareMask) {
    case CFile::shareDenyWrite:
        return FILE_SHARE_READ;
    case CFile::shareDenyRead:
        return FILE_SHARE_WRITE;
    case CFile::shareDenyNone:
        return FILE_SHARE_READ | FILE_SHARE_WRITE;
    default: // shareExclusive, shareCompat
        return 0;
    }
}

DWORD CreationDisposition(UINT flags)
{
    if (flags & CFile::modeCreate)
        return (flags & CFile::modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    return OPEN_EXISTING;
}

DWORD FlagsAndAttributes(UINT flags)
{
    DWORD result = FILE_ATTRIBUTE_NORMAL;
    if (flags & CFile::osNoBuffer)
        result |= FILE_FLAG_NO_BUFFERING;
    if (flags & CFile::osWriteThrough)
        result |= FILE_FLAG_WRITE_THROUGH;
    if (flags & CFile::osRandomAccess)
        result |= FILE_FLAG_RANDOM_ACCESS;
    if (flags & CFile::osSequentialScan)
        result |= FILE_FLAG_SEQUENTIAL_SCAN;
    return result;
}

CString FullPath(LPCSTR fileName)
{
    CString full;
    const DWORD needed = ::GetFullPathNameA(fileName, 0, nullptr, nullptr);
    if (needed == 0)
        return CString(fileName);
    const DWORD written = ::GetFullPathNameA(fileName, needed, full.GetBuffer(static_cast<int>(needed)), nullptr);
    full.ReleaseBuffer(written < needed ? static_cast<int>(written) : 0);
    return full.IsEmpty() ? CString(fileName) : full;
}

// The part after the last folder separator (DBCS-aware: '\' can be a trail byte).
CString NamePart(const CString& path)
{
    const int separator = std::max({path.ReverseFind('\\'), path.ReverseFind('/'), path.ReverseFind(':')});
    return path.Mid(separator + 1);
}

CTime TimeOf(const FILETIME& time)
{
    return (time.dwLowDateTime == 0 && time.dwHighDateTime == 0) ? CTime() : CTime(time);
}

ULONGLONG SizeOf(DWORD high, DWORD low)
{
    return (static_cast<ULONGLONG>(high) << 32) | low;
}

BOOL CopyFullName(const CString& name, CFileStatus& status)
{
    if (name.GetLength() >= static_cast<int>(sizeof(status.m_szFullName)))
        return FALSE;
    std::memcpy(status.m_szFullName, static_cast<LPCSTR>(name), static_cast<size_t>(name.GetLength()) + 1);
    return TRUE;
}

} // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE file) : m_hFile(file), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCSTR fileName, UINT openFlags) : CFile()
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (IsOpen() && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCSTR fileName, UINT openFlags, CFileException* error)
{
    Abort(); // a file still open here would leak its handle
    if (!fileName || !*fileName) {
        if (error) {
            error->m_cause = CFileException::badPath;
            error->m_lOsError = ERROR_INVALID_NAME;
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_strFileName = FullPath(fileName);

    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, (openFlags & modeNoInherit) ? FALSE : TRUE};
    const HANDLE file = ::CreateFileA(fileName, DesiredAccess(openFlags), ShareMode(openFlags), &security,
                                      CreationDisposition(openFlags), FlagsAndAttributes(openFlags), nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const LONG osError = static_cast<LONG>(::GetLastError());
        if (error) {
            error->m_cause = CFileException::OsErrorToException(osError);
            error->m_lOsError = osError;
            error->m_strFileName = fileName;
        }
        m_strFileName.Empty();
        return FALSE;
    }
    m_hFile = file;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

void CFile::ThrowLastError() const
{
    const LONG osError = static_cast<LONG>(::GetLastError());
    const int cause = osError == ERROR_SUCCESS ? CFileException::genericException
                                               : CFileException::OsErrorToException(osError);
    AfxThrowFileException(cause, osError, m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count)
{
    if (count == 0)
        return 0;
    DWORD read = 0;
    if (!::ReadFile(m_hFile, buffer, count, &read, nullptr))
        ThrowLastError();
    return read;
}

void CFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return;
    DWORD written = 0;
    if (!::WriteFile(m_hFile, buffer, count, &written, nullptr))
        ThrowLastError();
    if (written < count) // nothing failed, but not everything fitted
        AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, distance, &position, from))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER none = {};
    LARGE_INTEGER position;
    if (!::SetFilePointerEx(m_hFile, none, &position, FILE_CURRENT))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG newLength)
{
    const ULONGLONG position = GetPosition();
    Seek(static_cast<LONGLONG>(newLength), begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError();
    Seek(static_cast<LONGLONG>(position), begin); // the position stays where it was
}

void CFile::Flush()
{
    if (!IsOpen())
        return;
    // A file opened for reading only has nothing to flush.
    if (!::FlushFileBuffers(m_hFile) && ::GetLastError() != ERROR_ACCESS_DENIED)
        ThrowLastError();
}

void CFile::Close()
{
    const HANDLE file = m_hFile;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (file != hFileNull && !::CloseHandle(file))
        ThrowLastError();
    m_strFileName.Empty();
}

void CFile::Abort()
{
    if (IsOpen())
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

CString CFile::GetFileName() const
{
    return NamePart(m_strFileName);
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

BOOL CFile::GetStatus(CFileStatus& status) const
{
    status = CFileStatus{};
    BY_HANDLE_FILE_INFORMATION info;
    if (!IsOpen() || !::GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    status.m_ctime = TimeOf(info.ftCreationTime);
    status.m_mtime = TimeOf(info.ftLastWriteTime);
    status.m_atime = TimeOf(info.ftLastAccessTime);
    status.m_size = SizeOf(info.nFileSizeHigh, info.nFileSizeLow);
    status.m_attribute = static_cast<BYTE>(info.dwFileAttributes);
    return CopyFullName(m_strFileName, status);
}

void CFile::Remove(LPCSTR fileName)
{
    if (!::DeleteFileA(fileName))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), fileName);
}

void CFile::Rename(LPCSTR oldName, LPCSTR newName)
{
    if (!::MoveFileA(oldName, newName))
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), oldName);
}

BOOL CFile::GetStatus(LPCSTR fileName, CFileStatus& status)
{
    status = CFileStatus{};
    WIN32_FILE_ATTRIBUTE_DATA data;
    // Unlike a directory search, this never matches wildcards.
    if (!fileName || !::GetFileAttributesExA(fileName, GetFileExInfoStandard, &data))
        return FALSE;
    status.m_ctime = TimeOf(data.ftCreationTime);
    status.m_mtime = TimeOf(data.ftLastWriteTime);
    status.m_atime = TimeOf(data.ftLastAccessTime);
    status.m_size = SizeOf(data.nFileSizeHigh, data.nFileSizeLow);
    status.m_attribute = static_cast<BYTE>(data.dwFileAttributes);
    return CopyFullName(FullPath(fileName), status);
}
