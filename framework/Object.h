#pragma once
// The root of the class library: run-time class records and dynamic creation.
//
// Every class that declares DECLARE_DYNAMIC (or DECLARE_DYNCREATE) gets one
// static CRuntimeClass record naming its base's record, so IsKindOf can walk
// the chain and a document template can create frames, views and documents
// from their records.

#include "framework/Win32.h"

class CObject;

namespace kq {
// True for a null object pointer, also when asked inside a member function
// (callers write pWnd->GetSafeHwnd() with a null pWnd); the empty asm keeps
// the compiler from assuming that `this` is never null.
inline bool IsNullThis(const void* object)
{
    asm("" : "+r"(object));
    return object == nullptr;
}
} // namespace kq

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    // A new object of this class, or null when the class cannot be created
    // dynamically (no DECLARE_DYNCREATE).
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                            \
public:                                                                        \
    static CRuntimeClass class##class_name;                                    \
    CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC_RECORD(class_name, base_class_name, pfnNew)          \
    CRuntimeClass class_name::class##class_name = {                            \
        #class_name, sizeof(class_name), 0xFFFF, pfnNew,                       \
        RUNTIME_CLASS(base_class_name)};                                       \
    CRuntimeClass* class_name::GetRuntimeClass() const                         \
    {                                                                          \
        return RUNTIME_CLASS(class_name);                                      \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                         \
    IMPLEMENT_DYNAMIC_RECORD(class_name, base_class_name, nullptr)

#define DECLARE_DYNCREATE(class_name)                                          \
    DECLARE_DYNAMIC(class_name)                                                \
    static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                       \
    CObject* class_name::CreateObject() { return new class_name; }             \
    IMPLEMENT_DYNAMIC_RECORD(class_name, base_class_name,                      \
                             class_name::CreateObject)

class CObject {
public:
    static CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;

private:
    // Objects of the library own handles: copying one would free them twice.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};
