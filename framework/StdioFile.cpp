#include "framework/StdioFile.h"

#include "common/TextField.h"

#include <algorithm>
#include <cstring>
#include <string>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace {
constexpr size_t kReadAheadSize = 4096;
constexpr int kEnd = -1;
} // namespace

CStdioFile::CStdioFile(LPCSTR fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

BOOL CStdioFile::Open(LPCSTR fileName, UINT openFlags, CFileException* error)
{
    m_readPos = m_readEnd = 0;
    m_text = (openFlags & typeBinary) == 0;
    return CFile::Open(fileName, openFlags & ~(typeText | typeBinary), error);
}

bool CStdioFile::Fill()
{
    if (Unread() > 0)
        return true;
    m_readAhead.resize(kReadAheadSize);
    m_readPos = 0;
    m_readEnd = CFile::Read(m_readAhead.data(), static_cast<UINT>(m_readAhead.size()));
    return m_readEnd > 0;
}

int CStdioFile::PeekByte()
{
    return Fill() ? static_cast<unsigned char>(m_readAhead[m_readPos]) : kEnd;
}

void CStdioFile::DropReadAhead()
{
    const size_t unread = Unread();
    m_readPos = m_readEnd = 0;
    if (unread > 0)
        CFile::Seek(-static_cast<LONGLONG>(unread), current);
}

BOOL CStdioFile::ReadString(CString& line)
{
    std::string text;
    bool readAny = false;
    bool ended = false;
    while (!ended && Fill()) {
        readAny = true;
        const char* start = m_readAhead.data() + m_readPos;
        const void* newline = std::memchr(start, '\n', Unread());
        const size_t take = newline ? static_cast<const char*>(newline) - start : Unread();
        text.append(start, take);
        m_readPos += take;
        if (newline) {
            ++m_readPos; // the '\n' itself
            ended = true;
        }
    }
    if (ended && !text.empty() && text.back() == '\r')
        text.pop_back();
    line = CString(text.data(), static_cast<int>(text.size()));
    return readAny ? TRUE : FALSE;
}

LPSTR CStdioFile::ReadString(LPSTR buffer, UINT maxCount)
{
    if (!buffer || maxCount < 2)
        return nullptr;
    const size_t room = maxCount - 1;
    size_t stored = 0;
    while (stored < room) {
        const int c = PeekByte();
        if (c == kEnd)
            break;
        if (kq::IsCp936LeadByte(static_cast<unsigned char>(c))) {
            if (stored + 2 > room)
                break; // the character does not fit: it starts the next read
            buffer[stored++] = static_cast<char>(m_readAhead[m_readPos++]);
            const int trail = PeekByte();
            if (trail != kEnd)
                buffer[stored++] = static_cast<char>(m_readAhead[m_readPos++]);
            continue;
        }
        ++m_readPos;
        if (c == '\r' && m_text && PeekByte() == '\n')
            continue; // "\r\n" is stored as the '\n' that follows
        buffer[stored++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    buffer[stored] = '\0';
    return stored > 0 ? buffer : nullptr;
}

void CStdioFile::WriteString(LPCSTR text)
{
    if (!text)
        return;
    if (!m_text) {
        Write(text, static_cast<UINT>(std::strlen(text)));
        return;
    }
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n' && (p == text || p[-1] != '\r'))
            out += '\r';
        out += *p;
    }
    Write(out.data(), static_cast<UINT>(out.size()));
}

UINT CStdioFile::Read(void* buffer, UINT count)
{
    const size_t fromBuffer = std::min<size_t>(count, Unread());
    if (fromBuffer > 0) {
        std::memcpy(buffer, m_readAhead.data() + m_readPos, fromBuffer);
        m_readPos += fromBuffer;
    }
    const UINT rest = count - static_cast<UINT>(fromBuffer);
    return static_cast<UINT>(fromBuffer) + (rest > 0 ? CFile::Read(static_cast<char*>(buffer) + fromBuffer, rest) : 0);
}

void CStdioFile::Write(const void* buffer, UINT count)
{
    DropReadAhead();
    CFile::Write(buffer, count);
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from)
{
    DropReadAhead();
    return CFile::Seek(offset, from);
}

ULONGLONG CStdioFile::GetPosition() const
{
    return CFile::GetPosition() - Unread();
}

void CStdioFile::SetLength(ULONGLONG newLength)
{
    DropReadAhead();
    CFile::SetLength(newLength);
}

void CStdioFile::Close()
{
    m_readPos = m_readEnd = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_readPos = m_readEnd = 0;
    CFile::Abort();
}
