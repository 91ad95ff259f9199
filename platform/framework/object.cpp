#include "platform/framework/object.h"

#include <cstring>

namespace {

// Head of the list of serialisable classes. Filled during static
// initialisation, read-only afterwards.
const CRuntimeClass*& FirstClass()
{
    static const CRuntimeClass* first = nullptr;
    return first;
}

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", static_cast<int>(sizeof(CObject)), NON_SERIAL_SCHEMA,
                                             nullptr, nullptr, nullptr};

CObject* CRuntimeClass::CreateObject() const
{
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == base)
            return true;
    }
    return false;
}

bool CRuntimeClass::IsSerializable() const
{
    return m_wSchema != NON_SERIAL_SCHEMA;
}

WORD CRuntimeClass::GetStoredSchema() const
{
    return static_cast<WORD>(m_wSchema & ~VERSIONABLE_SCHEMA);
}

const CRuntimeClass* CRuntimeClass::FromName(const char* class_name)
{
    if (class_name == nullptr)
        return nullptr;
    for (const CRuntimeClass* c = FirstClass(); c != nullptr; c = c->m_pNextClass) {
        if (std::strcmp(c->m_lpszClassName, class_name) == 0)
            return c;
    }
    return nullptr;
}

CClassRegistration::CClassRegistration(const CRuntimeClass* runtime_class)
{
    runtime_class->m_pNextClass = FirstClass();
    FirstClass() = runtime_class;
}

CObject::~CObject() = default;

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

void CObject::Serialize(CArchive&) {}

bool CObject::IsKindOf(const CRuntimeClass* runtime_class) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtime_class);
}

bool CObject::IsSerializable() const
{
    return GetRuntimeClass()->IsSerializable();
}
