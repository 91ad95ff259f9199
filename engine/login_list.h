// The engine's stored logins, in order: what tasks name by their AcctName.
#pragma once

#include <memory>
#include <string>
#include <vector>

class CNetworkLoginInfo;

// One login as plain texts, for use outside the scheduler's lock.
struct LoginEntry {
    std::wstring description;
    std::wstring domain;
    std::wstring login_name;
    std::wstring password;

    // "domain\login", or the login name alone when there is no domain.
    std::wstring UserName() const;
};

class LoginList {
public:
    LoginList();
    ~LoginList();
    LoginList(const LoginList&) = delete;
    LoginList& operator=(const LoginList&) = delete;

    void Add(const wchar_t* description, const wchar_t* domain, const wchar_t* login_name, const wchar_t* password);
    long Count() const { return static_cast<long>(logins_.size()); }
    bool Contains(long index) const { return index >= 0 && index < Count(); }

    // Field 1 description, 2 domain, 3 login name, 4 password (plain); any
    // other field is the empty text. The index must be in the list.
    std::wstring Field(long index, short field) const;
    void Delete(long index);
    void Clear();

    std::vector<LoginEntry> Entries() const;

private:
    std::vector<std::unique_ptr<CNetworkLoginInfo>> logins_;
};
