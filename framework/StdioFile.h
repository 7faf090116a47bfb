#pragma once
// CStdioFile: a CFile read and written line by line.
//
// ReadString(CString&) returns each line without its end ("\r\n" or "\n"),
// including a last line that has none. In text mode (the default; typeBinary
// turns it off) ReadString(buffer, n) turns "\r\n" into "\n" and WriteString
// writes every "\n" as "\r\n". Read and Write move raw bytes in both modes.

#include "framework/File.h"

#include <vector>

class CStdioFile : public CFile {
    DECLARE_DYNAMIC(CStdioFile)
public:
    CStdioFile() = default;
    // Opens or throws.
    CStdioFile(LPCSTR fileName, UINT openFlags);

    BOOL Open(LPCSTR fileName, UINT openFlags, CFileException* error = nullptr) override;

    // FALSE at the end of the file.
    virtual BOOL ReadString(CString& line);
    // Reads at most maxCount - 1 bytes, up to and including a line end, never
    // splitting a double-byte character; null at the end of the file.
    virtual LPSTR ReadString(LPSTR buffer, UINT maxCount);
    virtual void WriteString(LPCSTR text);

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    void SetLength(ULONGLONG newLength) override;
    void Close() override;
    void Abort() override;

private:
    size_t Unread() const { return m_readEnd - m_readPos; }
    // Refills the read-ahead buffer when it is used up; false at the end.
    bool Fill();
    int PeekByte();
    // Hands the bytes read ahead back to the file before it moves or changes.
    void DropReadAhead();

    bool m_text = true;
    std::vector<char> m_readAhead;
    size_t m_readPos = 0;
    size_t m_readEnd = 0;
};
