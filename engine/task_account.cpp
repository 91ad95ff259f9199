#include "engine/task_account.h"

#include "platform/com/bstr.h"

namespace {

using tvx::com::Bstr;

void AdoptMatchingLogin(IQVTask* task, const std::vector<LoginEntry>& logins)
{
    Bstr user;
    Bstr password;
    if (FAILED(task->get_UserName(user.Receive())) || FAILED(task->get_Password(password.Receive())))
        return;
    for (const LoginEntry& login : logins) {
        if (login.UserName() == user.ToString() && login.password == password.ToString()) {
            task->put_AcctName(Bstr(login.description).Get());
            task->WriteToStorage(0);
            return;
        }
    }
}

}  // namespace

void ApplyTaskAccount(IQVTask* task, const std::vector<LoginEntry>& logins)
{
    Bstr account;
    if (FAILED(task->get_AcctName(account.Receive())))
        return;
    if (account.Empty()) {
        AdoptMatchingLogin(task, logins);
        return;
    }
    for (const LoginEntry& login : logins) {
        if (login.description == account.ToString()) {
            task->put_Password(Bstr(login.password).Get());
            task->put_UserName(Bstr(login.UserName()).Get());
        }
    }
}
