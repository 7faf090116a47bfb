#pragma once
// CException: the base of the library's exceptions.
//
// Exceptions are thrown as pointers to heap objects (throw new ...); the
// handler that catches one frees it with Delete().

#include "framework/Object.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    // An exception made on the stack passes FALSE so that Delete() leaves it.
    explicit CException(BOOL autoDelete = TRUE) : m_bAutoDelete(autoDelete) {}

    void Delete();
    // Copies a readable description into `buffer` (always terminated, cut on
    // a character boundary). Returns FALSE when there is no room at all.
    virtual BOOL GetErrorMessage(LPSTR buffer, UINT maxLength, PUINT helpContext = nullptr) const;
    // Shows the description in a message box; returns the box's result.
    virtual int ReportError(UINT type = MB_OK, UINT messageId = 0) const;

protected:
    // Fills `buffer` with `text` for GetErrorMessage.
    static BOOL CopyMessage(LPCSTR text, LPSTR buffer, UINT maxLength, PUINT helpContext);

private:
    BOOL m_bAutoDelete;
};
