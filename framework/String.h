#pragma once
// CString: a growable text of CP936 (GBK) bytes.
//
// Lengths and indexes count bytes. Every operation that searches, compares
// letters or cuts the text steps over double-byte characters whole, so the
// trail byte of a character (which can be 0x5C '\' or 0x7C '|') is never taken
// for a character of its own and a character is never split in two.

#include "framework/Win32.h"

#include <concepts>
#include <cstdarg>
#include <string>
#include <type_traits>
#include <utility>

class CString;

namespace kq::detail {

// Format arguments pass through a C variable argument list: a CString goes in
// as its text pointer, everything else unchanged.
inline LPCSTR FormatArg(const CString& text);
template <typename T>
    requires(!std::derived_from<std::remove_cvref_t<T>, CString>)
T&& FormatArg(T&& value)
{
    return std::forward<T>(value);
}

// Only plain values can travel through a C variable argument list: a
// std::string or another object passed by mistake is refused at compile time.
template <typename... Args>
constexpr bool kFormattable =
    (std::is_trivially_copyable_v<std::decay_t<decltype(FormatArg(std::declval<Args>()))>> && ...);

} // namespace kq::detail

class CString {
public:
    CString() = default;
    CString(const CString& other) = default;
    CString(CString&& other) noexcept = default;
    // A null text gives an empty string; a resource id made with
    // MAKEINTRESOURCE loads that string from the current resource module.
    CString(LPCSTR text);
    CString(const unsigned char* text) : CString(reinterpret_cast<LPCSTR>(text)) {}
    CString(LPCSTR text, int length);
    explicit CString(char ch, int repeat = 1);
    ~CString() = default;

    CString& operator=(const CString& other) = default;
    CString& operator=(CString&& other) noexcept = default;
    CString& operator=(LPCSTR text);
    CString& operator=(char ch);

    // Length and access.
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    // Index GetLength() reads the terminator; indexes outside the text read
    // '\0' and SetAt ignores them.
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }
    operator LPCSTR() const { return m_text.c_str(); }
    LPCSTR GetString() const { return m_text.c_str(); }

    // Formatting (printf codes). CString arguments may be passed directly.
    template <typename... Args>
    void Format(LPCSTR format, Args&&... args)
    {
        static_assert(kq::detail::kFormattable<Args...>, "pass texts as LPCSTR or CString");
        FormatList(false, format, kq::detail::FormatArg(std::forward<Args>(args))...);
    }
    template <typename... Args>
    void Format(UINT formatId, Args&&... args)
    {
        static_assert(kq::detail::kFormattable<Args...>, "pass texts as LPCSTR or CString");
        CString format;
        format.LoadString(formatId);
        FormatList(false, format, kq::detail::FormatArg(std::forward<Args>(args))...);
    }
    template <typename... Args>
    void AppendFormat(LPCSTR format, Args&&... args)
    {
        static_assert(kq::detail::kFormattable<Args...>, "pass texts as LPCSTR or CString");
        static_assert(kq::detail::kFormattable<Args...>, "pass texts as LPCSTR or CString");
        FormatList(true, format, kq::detail::FormatArg(std::forward<Args>(args))...);
    }
    void FormatV(LPCSTR format, va_list args);
    void AppendFormatV(LPCSTR format, va_list args);

    // String resources: from the current resource module or a given one.
    BOOL LoadString(UINT id);
    BOOL LoadString(HINSTANCE module, UINT id);

    // Pieces. Counts are clamped to the text; a cut that would fall inside a
    // double-byte character keeps that character out of the piece.
    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    CString SpanIncluding(LPCSTR charSet) const;
    CString SpanExcluding(LPCSTR charSet) const;
    // Returns the next token after `start` (delimiters skipped) and moves
    // `start` past it; at the end returns "" and sets `start` to -1.
    CString Tokenize(LPCSTR delimiters, int& start) const;

    // Searching: results are byte indexes of character starts, -1 if none.
    int Find(char ch, int start = 0) const;
    int Find(LPCSTR sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR charSet) const;

    // Editing. Each returns what MFC callers expect: replacement or removal
    // counts, or the new length.
    int Replace(char oldChar, char newChar);
    int Replace(LPCSTR oldText, LPCSTR newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, LPCSTR text);
    int Delete(int index, int count = 1);
    CString& TrimLeft();
    CString& TrimLeft(char target);
    CString& TrimLeft(LPCSTR targets);
    CString& TrimRight();
    CString& TrimRight(char target);
    CString& TrimRight(LPCSTR targets);
    CString& Trim();
    CString& Trim(char target);
    CString& Trim(LPCSTR targets);
    // Letter case changes only ASCII letters; double-byte characters stay.
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Comparison: <0, 0 or >0.
    int Compare(LPCSTR other) const;
    int CompareNoCase(LPCSTR other) const;
    int Collate(LPCSTR other) const;
    int CollateNoCase(LPCSTR other) const;

    // Direct buffer access: write at most `minLength` bytes plus a terminator,
    // then call ReleaseBuffer (-1: up to the first '\0').
    LPSTR GetBuffer();
    LPSTR GetBuffer(int minLength);
    LPSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // Concatenation.
    CString& operator+=(const CString& text);
    CString& operator+=(LPCSTR text);
    CString& operator+=(char ch);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCSTR b);
    friend CString operator+(LPCSTR a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

private:
    void FormatList(bool append, LPCSTR format, ...);
    size_t CharSize(size_t index) const;
    size_t CharStartAtOrBefore(size_t index) const;
    size_t CharStartAtOrAfter(size_t index) const;
    CString Piece(size_t first, size_t end) const;

    std::string m_text;
};

inline LPCSTR kq::detail::FormatArg(const CString& text) { return text; }

// Comparisons with another CString or a text on either side.
bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCSTR b);
bool operator==(LPCSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCSTR b);
bool operator!=(LPCSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCSTR b);
bool operator<(LPCSTR a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCSTR b);
bool operator>(LPCSTR a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, LPCSTR b);
bool operator<=(LPCSTR a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, LPCSTR b);
bool operator>=(LPCSTR a, const CString& b);
