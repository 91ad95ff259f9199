#include "engine/login_list.h"

#include "engine/ansi_text.h"
#include "storage/network_login_info.h"

namespace {

std::wstring Wide(const CString& text)
{
    return WideFromAnsi(text, text.GetLength());
}

}  // namespace

std::wstring LoginEntry::UserName() const
{
    return domain.empty() ? login_name : domain + L"\\" + login_name;
}

LoginList::LoginList() = default;
LoginList::~LoginList() = default;

void LoginList::Add(const wchar_t* description, const wchar_t* domain, const wchar_t* login_name,
                    const wchar_t* password)
{
    auto login = std::make_unique<CNetworkLoginInfo>();
    login->SetDescription(CString(description));
    login->SetDomain(CString(domain));
    login->SetLoginName(CString(login_name));
    login->SetPassword(CString(password));
    logins_.push_back(std::move(login));
}

std::wstring LoginList::Field(long index, short field) const
{
    const CNetworkLoginInfo& login = *logins_[index];
    switch (field) {
    case 1:
        return Wide(login.GetDescription());
    case 2:
        return Wide(login.GetDomain());
    case 3:
        return Wide(login.GetLoginName());
    case 4:
        return Wide(login.GetPassword());
    default:
        return std::wstring();
    }
}

void LoginList::Delete(long index)
{
    logins_.erase(logins_.begin() + index);
}

void LoginList::Clear()
{
    logins_.clear();
}

std::vector<LoginEntry> LoginList::Entries() const
{
    std::vector<LoginEntry> entries;
    entries.reserve(logins_.size());
    for (const auto& login : logins_) {
        entries.push_back({Wide(login->GetDescription()), Wide(login->GetDomain()), Wide(login->GetLoginName()),
                           Wide(login->GetPassword())});
    }
    return entries;
}
