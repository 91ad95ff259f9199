// CNetworkLoginInfo: one stored login of the scheduler's login list (a
// description by which tasks name it, a domain, a login name and a
// password). The settings file stores the list; the engine keeps it in
// memory as these records and builds the class from this same code.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"
#include "platform/framework/string.h"

class CNetworkLoginInfo : public CObject {
    DECLARE_SERIAL(CNetworkLoginInfo)

public:
    CNetworkLoginInfo();

    // Empties the four texts.
    void Reset();

    const CString& GetDescription() const { return m_Description; }
    void SetDescription(const CString& value) { m_Description = value; }
    const CString& GetDomain() const { return m_Domain; }
    void SetDomain(const CString& value) { m_Domain = value; }
    const CString& GetLoginName() const { return m_LoginName; }
    void SetLoginName(const CString& value) { m_LoginName = value; }
    // Held in plain text in memory; only the stream scrambles it.
    const CString& GetPassword() const { return m_Password; }
    void SetPassword(const CString& value) { m_Password = value; }

    // Version 1, the description and the domain as they are, the login name
    // and the password scrambled. The stored version is read and not
    // checked. A short stream throws the archive's error; the record is then
    // left partly read.
    void Serialize(CArchive& ar) override;

    CString EncodeString(const CString& text) const;
    CString DecodeString(const CString& text) const;

private:
    CString m_Description;
    CString m_Domain;
    CString m_LoginName;
    CString m_Password;
    int m_ScrambleShift;
};
