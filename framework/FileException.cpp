#include "framework/FileException.h"

#include <iterator>

IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {

struct ErrorCause {
    LONG osError;
    int cause;
};

constexpr ErrorCause kErrorCauses[] = {
    {ERROR_SUCCESS, CFileException::none},
    {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
    {ERROR_PATH_NOT_FOUND, CFileException::badPath},
    {ERROR_INVALID_NAME, CFileException::badPath},
    {ERROR_BAD_PATHNAME, CFileException::badPath},
    {ERROR_INVALID_DRIVE, CFileException::badPath},
    {ERROR_BAD_NETPATH, CFileException::badPath},
    {ERROR_DIRECTORY, CFileException::badPath},
    {ERROR_FILENAME_EXCED_RANGE, CFileException::badPath},
    {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
    {ERROR_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_WRITE_PROTECT, CFileException::accessDenied},
    {ERROR_NETWORK_ACCESS_DENIED, CFileException::accessDenied},
    {ERROR_FILE_EXISTS, CFileException::accessDenied},
    {ERROR_ALREADY_EXISTS, CFileException::accessDenied},
    {ERROR_INVALID_HANDLE, CFileException::invalidFile},
    {ERROR_CURRENT_DIRECTORY, CFileException::removeCurrentDir},
    {ERROR_CANNOT_MAKE, CFileException::directoryFull},
    {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
    {ERROR_SEEK_ON_DEVICE, CFileException::badSeek},
    {ERROR_SEEK, CFileException::hardIO},
    {ERROR_READ_FAULT, CFileException::hardIO},
    {ERROR_WRITE_FAULT, CFileException::hardIO},
    {ERROR_GEN_FAILURE, CFileException::hardIO},
    {ERROR_CRC, CFileException::hardIO},
    {ERROR_SECTOR_NOT_FOUND, CFileException::hardIO},
    {ERROR_NOT_READY, CFileException::hardIO},
    {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
    {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
    {ERROR_DISK_FULL, CFileException::diskFull},
    {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
    {ERROR_HANDLE_EOF, CFileException::endOfFile},
};

// What went wrong, by cause; %s is the file name.
constexpr LPCSTR kCauseTexts[] = {
    "访问 %s 时没有出现错误。",
    "访问 %s 时出现错误。",
    "找不到文件 %s。",
    "路径 %s 全部或部分无效。",
    "打开的文件太多，无法打开 %s。",
    "拒绝访问 %s。",
    "对 %s 使用了无效的文件句柄。",
    "不能删除当前目录 %s。",
    "目录已满，无法创建 %s。",
    "在 %s 中定位失败。",
    "访问 %s 时出现硬件输入/输出错误。",
    "访问 %s 时出现共享冲突。",
    "访问 %s 时出现锁定冲突。",
    "写入 %s 时磁盘已满。",
    "读取 %s 时越过了文件结尾。",
};
static_assert(std::size(kCauseTexts) == CFileException::endOfFile + 1);

constexpr char kUnnamedFile[] = "未知文件";

} // namespace

CFileException::CFileException(int cause, LONG osError, LPCSTR fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
{
}

int CFileException::OsErrorToException(LONG osError)
{
    for (const auto& entry : kErrorCauses) {
        if (entry.osError == osError)
            return entry.cause;
    }
    return genericException;
}

void CFileException::ThrowOsError(LONG osError, LPCSTR fileName)
{
    if (osError != ERROR_SUCCESS)
        AfxThrowFileException(OsErrorToException(osError), osError, fileName);
}

BOOL CFileException::GetErrorMessage(LPSTR buffer, UINT maxLength, PUINT helpContext) const
{
    const int cause = (m_cause >= none && m_cause <= endOfFile) ? m_cause : genericException;
    CString text;
    text.Format(kCauseTexts[cause], m_strFileName.IsEmpty() ? CString(kUnnamedFile) : m_strFileName);
    return CopyMessage(text, buffer, maxLength, helpContext);
}

void AfxThrowFileException(int cause, LONG osError, LPCSTR fileName)
{
    throw new CFileException(cause, osError, fileName);
}
