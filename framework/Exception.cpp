#include "framework/Exception.h"

#include "framework/String.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)

namespace {
constexpr char kUnknownError[] = "发生了未知错误。";
constexpr char kDefaultCaption[] = "错误";
constexpr size_t kMessageLength = 512;
} // namespace

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR buffer, UINT maxLength, PUINT helpContext) const
{
    return CopyMessage(kUnknownError, buffer, maxLength, helpContext);
}

BOOL CException::CopyMessage(LPCSTR text, LPSTR buffer, UINT maxLength, PUINT helpContext)
{
    if (helpContext)
        *helpContext = 0;
    if (!buffer || maxLength == 0)
        return FALSE;
    const CString cut = CString(text).Left(static_cast<int>(maxLength - 1));
    std::memcpy(buffer, static_cast<LPCSTR>(cut), static_cast<size_t>(cut.GetLength()) + 1);
    return TRUE;
}

int CException::ReportError(UINT type, UINT messageId) const
{
    CString text;
    char buffer[kMessageLength];
    if (GetErrorMessage(buffer, sizeof(buffer)))
        text = buffer;
    else if (messageId == 0 || !text.LoadString(messageId))
        text = kUnknownError;
    return ::MessageBoxA(::GetActiveWindow(), text, kDefaultCaption, type);
}
