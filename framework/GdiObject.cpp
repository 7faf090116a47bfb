#include "framework/GdiObject.h"

namespace {

bool IsLiveGdiObject(HGDIOBJ handle)
{
    return ::GetObjectType(handle) != 0;
}

void ReleaseTemporaryObject(CGdiObject& object)
{
    object.ReleaseTemporary();
}

} // namespace

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

CGdiObject::HandleMap& CGdiObject::Map()
{
    return HandleMap::Instance(IsLiveGdiObject, ReleaseTemporaryObject);
}

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

void CGdiObject::DeleteTempMap()
{
    Map().DeleteTemporaries();
}

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    if (handle == nullptr)
        return FALSE;
    if (m_hObject == handle)
        return TRUE;
    DeleteObject();
    m_hObject = handle;
    Map().AddPermanent(handle, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ handle = m_hObject;
    if (handle != nullptr)
        Map().RemovePermanent(handle, this);
    m_hObject = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int size, void* buffer) const
{
    return ::GetObjectA(m_hObject, size, buffer);
}

UINT CGdiObject::GetObjectType() const
{
    return ::GetObjectType(m_hObject);
}

BOOL CGdiObject::CreateStockObject(int index)
{
    // Stock objects are never really deleted, so owning one is harmless.
    return Attach(::GetStockObject(index));
}

BOOL CGdiObject::UnrealizeObject()
{
    return ::UnrealizeObject(m_hObject);
}
