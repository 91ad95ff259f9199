#include "storage/network_login_info.h"

#include "platform/framework/archive.h"
#include "storage/account_scrambling.h"

namespace {

constexpr LONG kRecordVersion = 1;

}  // namespace

IMPLEMENT_SERIAL(CNetworkLoginInfo, CObject, VERSIONABLE_SCHEMA | 1)

CNetworkLoginInfo::CNetworkLoginInfo() : m_ScrambleShift(kAccountScrambleShift)
{
}

void CNetworkLoginInfo::Reset()
{
    m_Description.Empty();
    m_Domain.Empty();
    m_LoginName.Empty();
    m_Password.Empty();
    m_ScrambleShift = kAccountScrambleShift;
}

void CNetworkLoginInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << kRecordVersion;
        ar << m_Description << m_Domain;
        ar << EncodeString(m_LoginName) << EncodeString(m_Password);
        return;
    }
    LONG version = 0;
    CString loginName;
    CString password;
    ar >> version;
    ar >> m_Description >> m_Domain;
    ar >> loginName >> password;
    m_LoginName = DecodeString(loginName);
    m_Password = DecodeString(password);
}

CString CNetworkLoginInfo::EncodeString(const CString& text) const
{
    return ScrambleAccountText(text, m_ScrambleShift);
}

CString CNetworkLoginInfo::DecodeString(const CString& text) const
{
    return UnscrambleAccountText(text, m_ScrambleShift);
}
