#pragma once
// CFileException: a failed file operation, with its cause and OS error code.

#include "framework/Exception.h"
#include "framework/String.h"

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, LONG osError = -1, LPCSTR fileName = nullptr);

    // The cause that a Win32 error code (GetLastError) stands for.
    static int OsErrorToException(LONG osError);
    // Throws a new CFileException for a Win32 error code; no error throws nothing.
    static void ThrowOsError(LONG osError, LPCSTR fileName = nullptr);

    BOOL GetErrorMessage(LPSTR buffer, UINT maxLength, PUINT helpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

// Throws a new CFileException.
[[noreturn]] void AfxThrowFileException(int cause, LONG osError = -1, LPCSTR fileName = nullptr);
