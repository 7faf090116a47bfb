#pragma once
// CGdiObject: the owner of one GDI object handle (pen, brush, font, bitmap,
// region, palette). The object deletes the handle it owns when it is
// destroyed; Detach hands the handle over to someone else.
//
// FromHandle gives a wrapper for any handle: the owning object when there is
// one, otherwise a temporary wrapper that belongs to the calling thread and
// never deletes the handle. Use a temporary only while handling the current
// message; it is freed by DeleteTempMap or once its handle has died.

#include "framework/GdiHandleMap.h"
#include "framework/Object.h"
#include "framework/Win32.h"

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return kq::IsNullThis(this) ? nullptr : m_hObject; }

    static CGdiObject* FromHandle(HGDIOBJ handle) { return FromHandleAs<CGdiObject>(handle); }
    // Frees the calling thread's temporary wrappers.
    static void DeleteTempMap();

    // Takes ownership of `handle`; an object this wrapper owned before is
    // deleted first, so re-creating into the same object leaks nothing.
    // FALSE for a null handle.
    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    BOOL DeleteObject();

    int GetObject(int size, void* buffer) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int index);
    BOOL UnrealizeObject();

    bool operator==(const CGdiObject& other) const { return m_hObject == other.m_hObject; }
    bool operator!=(const CGdiObject& other) const { return m_hObject != other.m_hObject; }

    // Used by the handle map for its temporary wrappers.
    void AttachTemporary(HGDIOBJ handle) { m_hObject = handle; }
    void ReleaseTemporary() { m_hObject = nullptr; }

protected:
    using HandleMap = kq::GdiHandleMap<HGDIOBJ, CGdiObject>;
    static HandleMap& Map();

    // The typed FromHandle of the derived classes.
    template <class T>
    static T* FromHandleAs(HGDIOBJ handle)
    {
        return Map().FromHandle<T>(handle);
    }
};
