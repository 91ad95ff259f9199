// CGdiObject: a pen, brush, font, bitmap, region or palette handle.
//
// The object owns its handle (deleted with it, or by DeleteObject) unless
// the handle was only looked up: FromHandle answers the owning object when
// there is one, else a temporary object of the thread that owns nothing and
// is freed at the thread's next idle time (do not keep its address). A
// handle has at most one owning object; Attach refuses a second. Detach
// gives the handle up without deleting it.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"

class CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject();
    ~CGdiObject() override;

    HGDIOBJ m_hObject;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    bool operator==(const CGdiObject& other) const { return m_hObject == other.m_hObject; }
    bool operator!=(const CGdiObject& other) const { return m_hObject != other.m_hObject; }

    // The object of the handle's own kind (a CPen for a pen...); null for
    // null.
    static CGdiObject* FromHandle(HGDIOBJ hObject);
    // Frees the thread's temporary objects (done at idle).
    static void DeleteTempMap();

    // FALSE when this object holds a handle already, or the handle is no
    // GDI object or has an owner.
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Deletes the handle; FALSE when there was none or the system refused
    // (an object still selected into a device context). Stock objects are
    // only let go.
    BOOL DeleteObject();

    int GetObject(int nCount, LPVOID lpObject) const;
    // OBJ_PEN, OBJ_BRUSH...; 0 without a handle.
    UINT GetObjectType() const;
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject();

protected:
    // The owner of the handle when it is of class wanted, else a temporary
    // object of that class; null for null or an owner of another class.
    static CGdiObject* FromHandleOfClass(HGDIOBJ hObject, const CRuntimeClass* wanted);
    // Attach for the Create functions: a handle the system refused (null)
    // gives FALSE.
    BOOL AttachCreated(HGDIOBJ hObject);
};
