#include "storage/loaded_version.h"

namespace {

thread_local CLoadedVersionWatch* t_watch = nullptr;

}  // namespace

CLoadedVersionWatch::CLoadedVersionWatch() : m_Outer(t_watch)
{
    t_watch = this;
}

CLoadedVersionWatch::~CLoadedVersionWatch()
{
    t_watch = m_Outer;
}

void CLoadedVersionWatch::Reset()
{
    m_Seen = false;
    m_Version = 0;
}

bool CLoadedVersionWatch::Seen(LONG& version) const
{
    if (!m_Seen)
        return false;
    version = m_Version;
    return true;
}

void CLoadedVersionWatch::Report(LONG version)
{
    if (t_watch == nullptr)
        return;
    t_watch->m_Seen = true;
    t_watch->m_Version = version;
}
