#include "framework/String.h"

#include "common/TextField.h"
#include "framework/ModuleState.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Texts in resources are UTF-16; our narrow texts are always CP936.
constexpr UINT kTextCodePage = 936;
constexpr char kWhitespace[] = " \t\n\v\f\r";

bool IsLead(char c) { return kq::IsCp936LeadByte(static_cast<unsigned char>(c)); }

bool IsAsciiUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsAsciiLower(char c) { return c >= 'a' && c <= 'z'; }
char AsciiLower(char c) { return IsAsciiUpper(c) ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return IsAsciiLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }

// Byte count of the character starting at text[i] (a lead byte with no
// trail before the terminator stands alone).
size_t CharSizeAt(const char* text, size_t length, size_t i)
{
    return (IsLead(text[i]) && i + 1 < length) ? 2 : 1;
}

// Whether the character text[i .. i+size) is one of the characters of `set`.
bool InSet(const char* text, size_t size, LPCSTR set)
{
    if (!set)
        return false;
    const size_t setLength = std::strlen(set);
    for (size_t j = 0; j < setLength;) {
        const size_t setSize = CharSizeAt(set, setLength, j);
        if (setSize == size && std::memcmp(set + j, text, size) == 0)
            return true;
        j += setSize;
    }
    return false;
}

LPCSTR OrEmpty(LPCSTR text) { return text ? text : ""; }

int Sign(int value) { return (value > 0) - (value < 0); }

// Case-insensitive for ASCII letters only; the bytes of double-byte
// characters compare by value (a trail byte may look like a letter).
int CompareAsciiNoCase(LPCSTR a, LPCSTR b)
{
    const auto* x = reinterpret_cast<const unsigned char*>(OrEmpty(a));
    const auto* y = reinterpret_cast<const unsigned char*>(OrEmpty(b));
    bool trail = false; // the bytes at x and y both finish a double-byte character
    for (;; ++x, ++y) {
        const auto cx = trail ? *x : static_cast<unsigned char>(AsciiLower(static_cast<char>(*x)));
        const auto cy = trail ? *y : static_cast<unsigned char>(AsciiLower(static_cast<char>(*y)));
        if (cx != cy || cx == 0)
            return Sign(static_cast<int>(cx) - static_cast<int>(cy));
        trail = !trail && kq::IsCp936LeadByte(cx);
    }
}

int CollateTexts(LPCSTR a, LPCSTR b, DWORD flags)
{
    const LCID chinese = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);
    const int result = ::CompareStringA(chinese, flags, OrEmpty(a), -1, OrEmpty(b), -1);
    if (result == 0) // the comparison itself failed: fall back to byte order
        return Sign(std::strcmp(OrEmpty(a), OrEmpty(b)));
    return result - CSTR_EQUAL;
}

} // namespace

CString::CString(LPCSTR text)
{
    if (text && IS_INTRESOURCE(text))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)));
    else if (text)
        m_text = text;
}

CString::CString(LPCSTR text, int length)
{
    if (text && length > 0)
        m_text.assign(text, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_text.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(LPCSTR text)
{
    if (text && IS_INTRESOURCE(text))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)));
    else
        m_text = OrEmpty(text);
    return *this;
}

CString& CString::operator=(char ch)
{
    m_text.assign(1, ch);
    return *this;
}

char CString::GetAt(int index) const
{
    if (index < 0 || index > GetLength())
        return '\0';
    return m_text.c_str()[index];
}

void CString::SetAt(int index, char ch)
{
    if (index >= 0 && index < GetLength())
        m_text[static_cast<size_t>(index)] = ch;
}

// ---- character boundaries -------------------------------------------------

size_t CString::CharSize(size_t index) const
{
    return CharSizeAt(m_text.data(), m_text.size(), index);
}

size_t CString::CharStartAtOrBefore(size_t index) const
{
    size_t i = 0;
    while (i < m_text.size()) {
        const size_t next = i + CharSize(i);
        if (next > index)
            return i;
        i = next;
    }
    return m_text.size();
}

size_t CString::CharStartAtOrAfter(size_t index) const
{
    size_t i = 0;
    while (i < index && i < m_text.size())
        i += CharSize(i);
    return std::min(i, m_text.size());
}

CString CString::Piece(size_t first, size_t end) const
{
    CString piece;
    if (first < end)
        piece.m_text.assign(m_text, first, end - first);
    return piece;
}

// ---- formatting and resources ---------------------------------------------

void CString::FormatList(bool append, LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    if (append)
        AppendFormatV(format, args);
    else
        FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCSTR format, va_list args)
{
    // Built aside first: an argument may be this string's own text.
    CString result;
    result.AppendFormatV(format, args);
    m_text.swap(result.m_text);
}

void CString::AppendFormatV(LPCSTR format, va_list args)
{
    if (!format)
        return;
    va_list measure;
    va_copy(measure, args);
    const int needed = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (needed <= 0)
        return;
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    m_text.append(buffer.data(), static_cast<size_t>(needed));
}

BOOL CString::LoadString(UINT id)
{
    return LoadString(AfxGetResourceHandle(), id);
}

BOOL CString::LoadString(HINSTANCE module, UINT id)
{
    // With a zero buffer size LoadStringW hands out the resource text itself,
    // so a string of any length is read whole.
    LPCWSTR resource = nullptr;
    const int wideLength = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (wideLength <= 0 || !resource) {
        Empty();
        return FALSE;
    }
    const int length = ::WideCharToMultiByte(kTextCodePage, 0, resource, wideLength, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(std::max(length, 0)), '\0');
    ::WideCharToMultiByte(kTextCodePage, 0, resource, wideLength, text.data(), length, nullptr, nullptr);
    m_text.swap(text);
    return TRUE;
}

// ---- pieces ----------------------------------------------------------------

CString CString::Left(int count) const
{
    if (count <= 0)
        return CString();
    return Piece(0, CharStartAtOrBefore(static_cast<size_t>(count)));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    const size_t start = CharStartAtOrAfter(static_cast<size_t>(std::max(first, 0)));
    if (count <= 0 || start >= m_text.size())
        return CString();
    const size_t wanted = start + std::min(static_cast<size_t>(count), m_text.size() - start);
    return Piece(start, CharStartAtOrBefore(wanted));
}

CString CString::Right(int count) const
{
    if (count <= 0)
        return CString();
    const size_t length = m_text.size();
    const size_t wanted = static_cast<size_t>(count) >= length ? 0 : length - static_cast<size_t>(count);
    return Piece(CharStartAtOrAfter(wanted), length);
}

CString CString::SpanIncluding(LPCSTR charSet) const
{
    size_t i = 0;
    while (i < m_text.size() && InSet(m_text.data() + i, CharSize(i), charSet))
        i += CharSize(i);
    return Piece(0, i);
}

CString CString::SpanExcluding(LPCSTR charSet) const
{
    size_t i = 0;
    while (i < m_text.size() && !InSet(m_text.data() + i, CharSize(i), charSet))
        i += CharSize(i);
    return Piece(0, i);
}

CString CString::Tokenize(LPCSTR delimiters, int& start) const
{
    if (start < 0 || start > GetLength()) {
        start = -1;
        return CString();
    }
    size_t i = CharStartAtOrAfter(static_cast<size_t>(start));
    while (i < m_text.size() && InSet(m_text.data() + i, CharSize(i), delimiters))
        i += CharSize(i);
    if (i >= m_text.size()) {
        start = -1;
        return CString();
    }
    size_t end = i;
    while (end < m_text.size() && !InSet(m_text.data() + end, CharSize(end), delimiters))
        end += CharSize(end);
    start = static_cast<int>(end < m_text.size() ? end + CharSize(end) : end);
    return Piece(i, end);
}

// ---- searching -------------------------------------------------------------

int CString::Find(char ch, int start) const
{
    if (start < 0)
        start = 0;
    for (size_t i = 0; i < m_text.size(); i += CharSize(i)) {
        if (i >= static_cast<size_t>(start) && CharSize(i) == 1 && m_text[i] == ch)
            return static_cast<int>(i);
    }
    return -1;
}

int CString::Find(LPCSTR sub, int start) const
{
    if (start < 0)
        start = 0;
    if (!sub || start > GetLength())
        return -1;
    const size_t subLength = std::strlen(sub);
    for (size_t i = CharStartAtOrAfter(static_cast<size_t>(start)); i + subLength <= m_text.size(); i += CharSize(i)) {
        if (m_text.compare(i, subLength, sub) == 0)
            return static_cast<int>(i);
        if (i == m_text.size())
            break;
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    int found = -1;
    for (size_t i = 0; i < m_text.size(); i += CharSize(i)) {
        if (CharSize(i) == 1 && m_text[i] == ch)
            found = static_cast<int>(i);
    }
    return found;
}

int CString::FindOneOf(LPCSTR charSet) const
{
    for (size_t i = 0; i < m_text.size(); i += CharSize(i)) {
        if (InSet(m_text.data() + i, CharSize(i), charSet))
            return static_cast<int>(i);
    }
    return -1;
}

// ---- editing ---------------------------------------------------------------

int CString::Replace(char oldChar, char newChar)
{
    int count = 0;
    for (size_t i = 0; i < m_text.size(); i += CharSize(i)) {
        if (CharSize(i) == 1 && m_text[i] == oldChar) {
            m_text[i] = newChar;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCSTR oldText, LPCSTR newText)
{
    if (!oldText || !*oldText)
        return 0;
    const size_t oldLength = std::strlen(oldText);
    std::string result;
    int count = 0;
    size_t i = 0;
    while (i < m_text.size()) {
        if (m_text.compare(i, oldLength, oldText) == 0) {
            result += OrEmpty(newText);
            i += oldLength;
            ++count;
        } else {
            result.append(m_text, i, CharSize(i));
            i += CharSize(i);
        }
    }
    if (count > 0)
        m_text.swap(result);
    return count;
}

int CString::Remove(char ch)
{
    std::string result;
    int count = 0;
    for (size_t i = 0; i < m_text.size(); i += CharSize(i)) {
        if (CharSize(i) == 1 && m_text[i] == ch)
            ++count;
        else
            result.append(m_text, i, CharSize(i));
    }
    m_text.swap(result);
    return count;
}

int CString::Insert(int index, char ch)
{
    const char text[] = {ch, '\0'};
    return Insert(index, text);
}

int CString::Insert(int index, LPCSTR text)
{
    const size_t at = CharStartAtOrBefore(static_cast<size_t>(std::clamp(index, 0, GetLength())));
    m_text.insert(at, OrEmpty(text));
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0 || count <= 0 || index >= GetLength())
        return GetLength();
    // Whole characters go: a range touching half a character takes all of it.
    const size_t first = CharStartAtOrBefore(static_cast<size_t>(index));
    const size_t last = std::min(static_cast<size_t>(index) + static_cast<size_t>(count), m_text.size());
    const size_t end = CharStartAtOrAfter(last);
    m_text.erase(first, end - first);
    return GetLength();
}

CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }
CString& CString::TrimRight() { return TrimRight(kWhitespace); }
CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char target) { return TrimRight(target).TrimLeft(target); }
CString& CString::Trim(LPCSTR targets) { return TrimRight(targets).TrimLeft(targets); }

CString& CString::TrimLeft(char target)
{
    const char set[] = {target, '\0'};
    return TrimLeft(set);
}

CString& CString::TrimRight(char target)
{
    const char set[] = {target, '\0'};
    return TrimRight(set);
}

CString& CString::TrimLeft(LPCSTR targets)
{
    size_t i = 0;
    while (i < m_text.size() && InSet(m_text.data() + i, CharSize(i), targets))
        i += CharSize(i);
    m_text.erase(0, i);
    return *this;
}

CString& CString::TrimRight(LPCSTR targets)
{
    // Walk forward: only a forward walk knows which bytes are trail bytes.
    size_t keep = 0;
    for (size_t i = 0; i < m_text.size(); i += CharSize(i)) {
        if (!InSet(m_text.data() + i, CharSize(i), targets))
            keep = i + CharSize(i);
    }
    m_text.resize(keep);
    return *this;
}

CString& CString::MakeUpper()
{
    for (size_t i = 0; i < m_text.size(); i += CharSize(i)) {
        if (CharSize(i) == 1)
            m_text[i] = AsciiUpper(m_text[i]);
    }
    return *this;
}

CString& CString::MakeLower()
{
    for (size_t i = 0; i < m_text.size(); i += CharSize(i)) {
        if (CharSize(i) == 1)
            m_text[i] = AsciiLower(m_text[i]);
    }
    return *this;
}

CString& CString::MakeReverse()
{
    std::string result(m_text.size(), '\0');
    size_t out = m_text.size();
    for (size_t i = 0; i < m_text.size(); i += CharSize(i)) {
        const size_t size = CharSize(i);
        out -= size;
        result.replace(out, size, m_text, i, size);
    }
    m_text.swap(result);
    return *this;
}

// ---- comparison ------------------------------------------------------------

int CString::Compare(LPCSTR other) const { return Sign(std::strcmp(m_text.c_str(), OrEmpty(other))); }
int CString::CompareNoCase(LPCSTR other) const { return CompareAsciiNoCase(m_text.c_str(), other); }
int CString::Collate(LPCSTR other) const { return CollateTexts(m_text.c_str(), other, 0); }
int CString::CollateNoCase(LPCSTR other) const { return CollateTexts(m_text.c_str(), other, NORM_IGNORECASE); }

// ---- buffer ----------------------------------------------------------------

LPSTR CString::GetBuffer()
{
    return m_text.data();
}

LPSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength), '\0');
    return m_text.data();
}

LPSTR CString::GetBufferSetLength(int length)
{
    m_text.resize(static_cast<size_t>(std::max(length, 0)), '\0');
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    const size_t length = newLength < 0 ? strnlen(m_text.data(), m_text.size())
                                        : std::min(static_cast<size_t>(newLength), m_text.size());
    m_text.resize(length);
}

// ---- concatenation and comparison operators --------------------------------

CString& CString::operator+=(const CString& text)
{
    m_text += text.m_text;
    return *this;
}

CString& CString::operator+=(LPCSTR text)
{
    m_text += OrEmpty(text);
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_text += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b) { return CString(a) += b; }
CString operator+(const CString& a, LPCSTR b) { return CString(a) += b; }
CString operator+(LPCSTR a, const CString& b) { return CString(a) += b; }
CString operator+(const CString& a, char b) { return CString(a) += b; }
CString operator+(char a, const CString& b) { return CString(a) += b; }

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCSTR b) { return a.Compare(b) <= 0; }
bool operator<=(LPCSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCSTR b) { return a.Compare(b) >= 0; }
bool operator>=(LPCSTR a, const CString& b) { return b.Compare(a) <= 0; }
