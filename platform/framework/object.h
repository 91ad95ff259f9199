// CObject and its run-time class records.
//
// A class that derives from CObject declares its record with
// DECLARE_DYNAMIC, DECLARE_DYNCREATE or DECLARE_SERIAL in its body and
// defines it with the matching IMPLEMENT_ macro in its .cpp file:
//
//     class CThing : public CObject {
//         DECLARE_SERIAL(CThing)
//     public:
//         void Serialize(CArchive& ar) override;
//     };
//     IMPLEMENT_SERIAL(CThing, CObject, VERSIONABLE_SCHEMA | 2)
//
// IMPLEMENT_SERIAL must stand in the namespace of its class, which is
// where DECLARE_SERIAL's friend extraction operator (ar >> pThing) lives,
// in a file that includes "platform/framework/archive.h".
//
// Serialisable classes are entered into a list of classes when the program
// starts, so that an archive can find a class by the name stored in a file.
// Because the list is filled by a static object in the class's .cpp file, a
// class is only found by name when something in the program refers to that
// file (RUNTIME_CLASS(CThing) is enough).
#pragma once

#include <windows.h>

class CArchive;
class CObject;

// Marks a schema whose objects accept any stored schema number: the loaded
// number is then available from CArchive::GetObjectSchema.
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;
// The schema of classes that cannot be serialised.
constexpr UINT NON_SERIAL_SCHEMA = 0xFFFFu;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // NON_SERIAL_SCHEMA for classes that are not serialisable
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;
    // Link in the list of serialisable classes, set at start-up.
    mutable const CRuntimeClass* m_pNextClass;

    // A new object of the class; null when the class has no factory.
    CObject* CreateObject() const;
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    bool IsSerializable() const;
    // The schema number as stored in files (without VERSIONABLE_SCHEMA).
    WORD GetStoredSchema() const;

    // The serialisable class of that exact name, or null.
    static const CRuntimeClass* FromName(const char* class_name);
};

// Enters a serialisable class into the list that FromName searches.
class CClassRegistration {
public:
    explicit CClassRegistration(const CRuntimeClass* runtime_class);
};

class CObject {
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject();
    virtual const CRuntimeClass* GetRuntimeClass() const;
    // Stores or loads the object's own data; the base has none.
    virtual void Serialize(CArchive& ar);

    bool IsKindOf(const CRuntimeClass* runtime_class) const;
    bool IsSerializable() const;

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                    \
public:                                                \
    static const CRuntimeClass class##class_name;      \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name)  \
    friend CArchive& operator>>(CArchive& ar, class_name*& object);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, factory)                     \
    const CRuntimeClass class_name::class##class_name = {                                       \
        #class_name, static_cast<int>(sizeof(class_name)), schema, factory,                      \
        RUNTIME_CLASS(base_class_name), nullptr};                                               \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, NON_SERIAL_SCHEMA, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                \
    CObject* class_name::CreateObject() { return new class_name; }                      \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, NON_SERIAL_SCHEMA, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                     \
    CObject* class_name::CreateObject() { return new class_name; }                                \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, class_name::CreateObject)          \
    static const CClassRegistration tvx_class_registration_##class_name(RUNTIME_CLASS(class_name)); \
    CArchive& operator>>(CArchive& ar, class_name*& object)                                       \
    {                                                                                             \
        object = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));              \
        return ar;                                                                                \
    }
