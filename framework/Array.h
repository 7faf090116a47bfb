#pragma once
// CArray: a growable array with MFC's interface, over std::vector.
//
// Indexes passed to GetAt, SetAt, ElementAt and operator[] must be in range;
// SetAtGrow and InsertAt past the end grow the array, RemoveAt ignores what
// lies outside it.

#include "framework/Win32.h"

#include <algorithm>
#include <vector>

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CArray {
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return m_items.empty(); }
    // The grow-by hint of MFC is accepted and left to std::vector.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1)
    {
        (void)growBy;
        m_items.resize(static_cast<size_t>(std::max<INT_PTR>(newSize, 0)));
    }
    void FreeExtra() { m_items.shrink_to_fit(); }
    void RemoveAll() { m_items.clear(); }

    TYPE* GetData() { return m_items.data(); }
    const TYPE* GetData() const { return m_items.data(); }
    const TYPE& GetAt(INT_PTR index) const { return m_items[static_cast<size_t>(index)]; }
    TYPE& GetAt(INT_PTR index) { return m_items[static_cast<size_t>(index)]; }
    TYPE& ElementAt(INT_PTR index) { return GetAt(index); }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return GetAt(index); }
    void SetAt(INT_PTR index, ARG_TYPE value) { GetAt(index) = value; }
    void SetAtGrow(INT_PTR index, ARG_TYPE value)
    {
        if (index < 0)
            return;
        TYPE copy(value); // `value` may be an element that growing moves
        if (index >= GetSize())
            SetSize(index + 1);
        GetAt(index) = std::move(copy);
    }

    // Returns the new element's index.
    INT_PTR Add(ARG_TYPE value)
    {
        m_items.push_back(value);
        return GetUpperBound();
    }
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& other)
    {
        const INT_PTR first = GetSize();
        const std::vector<TYPE> items = other.m_items; // `other` may be this array
        m_items.insert(m_items.end(), items.begin(), items.end());
        return first;
    }
    void Copy(const CArray& other)
    {
        if (&other != this)
            m_items = other.m_items;
    }

    void InsertAt(INT_PTR index, ARG_TYPE value, INT_PTR count = 1)
    {
        if (index < 0 || count <= 0)
            return;
        TYPE copy(value);
        if (index > GetSize())
            SetSize(index);
        m_items.insert(m_items.begin() + index, static_cast<size_t>(count), copy);
    }
    void InsertAt(INT_PTR startIndex, const CArray* other)
    {
        if (startIndex < 0 || !other || other->IsEmpty())
            return;
        const std::vector<TYPE> items = other->m_items; // `other` may be this array
        if (startIndex > GetSize())
            SetSize(startIndex);
        m_items.insert(m_items.begin() + startIndex, items.begin(), items.end());
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        if (index < 0 || index >= GetSize() || count <= 0)
            return;
        const INT_PTR end = std::min(index + count, GetSize());
        m_items.erase(m_items.begin() + index, m_items.begin() + end);
    }

private:
    std::vector<TYPE> m_items;
};

// The fixed-type arrays of the class library.
class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CPtrArray : public CArray<void*, void*> {};
