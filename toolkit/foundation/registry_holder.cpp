#include "toolkit/foundation/registry_holder.h"

CWtkRegistrySP::CWtkRegistrySP() = default;

CWtkRegistrySP::~CWtkRegistrySP() = default;

CWtkRegistry& CWtkRegistrySP::Create(BOOL bAdmin, BOOL bReadOnly)
{
    if (!m_pRegistry) {
        m_pRegistry.reset(new CWtkRegistry);
        m_pRegistry->m_hKey = bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        m_pRegistry->m_bAdmin = bAdmin;
        m_pRegistry->m_bReadOnly = bReadOnly;
    }
    return *m_pRegistry;
}
