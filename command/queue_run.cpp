// A queue run: the queued lines run one after the other, under the stored
// user's logon and on the chosen desktop when a user is stored.
#include <vector>

#include "command/account_api.h"
#include "command/command_texts.h"
#include "command/desktop_access.h"
#include "command/macro_command.h"
#include "command/queue_mutex.h"

struct CMacroCommand::RunPreparation {
    CString account_name;
    CString account_domain;
    std::vector<char> profile_user;  // the profile record points into it
    PROFILEINFOA profile{};
    bool profile_loaded = false;
    std::vector<BYTE> logon_sid;
    bool access_granted = false;
};

namespace {

bool EndsTheRun(const CString& keyword)
{
    return keyword == "ShutDown" || keyword == "ReBoot" || keyword == "LogOff";
}

HDESK CallingThreadDesktop()
{
    return ::GetThreadDesktop(::GetCurrentThreadId());
}

}  // namespace

int CMacroCommand::ExecuteQue()
{
    if (m_hLogonToken != nullptr) {
        m_pAccountApi->CloseToken(m_hLogonToken);
        m_hLogonToken = nullptr;
    }
    m_hRunDesktop.reset();
    m_bCancel = false;
    m_dwCreationFlags = CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS;
    if (m_pEnvironment != nullptr) {
        // Left by a run whose clean-up could not take the mutex.
        m_pAccountApi->DestroyEnvironment(m_pEnvironment);
        m_pEnvironment = nullptr;
    }
    // A run that reports nothing must not carry an earlier line's error.
    m_strLastError.Empty();

    RunPreparation run;
    run.profile.dwSize = sizeof(run.profile);

    int result = 1;
    if (!m_queue.empty() && !m_strUserName.IsEmpty())
        result = PrepareAccountRun(run);
    if (result)
        result = RunQueuedLines();
    CleanUpAccountRun(run, &result);
    return result;
}

int CMacroCommand::PrepareAccountRun(RunPreparation& run)
{
    CString domain;
    CString user = m_strUserName;
    const int slash = user.Find('\\');
    if (slash >= 0) {
        domain = user.Left(slash);
        user = user.Mid(slash + 1);
    }
    HANDLE token = nullptr;
    DWORD error = m_pAccountApi->LogOn(user, domain, m_strPassword, &token);
    if (error != ERROR_SUCCESS || token == nullptr)
        return SetErrorFormat(command_text::kNoPrimaryToken, static_cast<int>(error));
    m_hLogonToken = token;

    error = m_pAccountApi->ReadAccountName(m_hLogonToken, &run.account_name, &run.account_domain);
    if (error != ERROR_SUCCESS)
        return SetErrorFormat(command_text::kNoAccountName, static_cast<int>(error));
    const char* name = run.account_name;
    run.profile_user.assign(name, name + run.account_name.GetLength() + 1);
    run.profile.lpUserName = run.profile_user.data();

    if (!PrepareUnderQueueMutex(run))
        return 0;
    if (!m_bInteractive)
        return CreateRunDesktop();
    return 1;
}

int CMacroCommand::PrepareUnderQueueMutex(RunPreparation& run)
{
    using namespace command_text;
    QueueMutexLock lock(m_hQueueMutex);
    // Without the mutex there is no safe preparation, and running the lines
    // unprepared would run them under this process's own account.
    DWORD error = lock.Acquire();
    if (error != ERROR_SUCCESS)
        return SetErrorFormat(kQueueMutexWaitFailed, static_cast<int>(error));

    error = m_pAccountApi->LoadProfile(m_hLogonToken, &run.profile);
    if (error != ERROR_SUCCESS)
        return SetErrorFormat(kNoProfile, static_cast<int>(error));
    run.profile_loaded = run.profile.hProfile != nullptr;

    error = m_pAccountApi->CreateEnvironment(m_hLogonToken, &m_pEnvironment);
    if (error != ERROR_SUCCESS || m_pEnvironment == nullptr)
        return SetErrorFormat(kNoEnvironmentBlock, static_cast<int>(error));
    m_dwCreationFlags |= CREATE_UNICODE_ENVIRONMENT;

    error = m_pAccountApi->Impersonate(m_hLogonToken);
    m_bImpersonating = error == ERROR_SUCCESS;
    if (error != ERROR_SUCCESS)
        return SetErrorFormat(kNoImpersonation, static_cast<int>(error));

    std::vector<BYTE> groups;
    error = m_pAccountApi->ReadTokenGroups(m_hLogonToken, &groups);
    if (error == ERROR_SUCCESS) {
        run.logon_sid = FindLogonSid(groups);
        if (run.logon_sid.empty())
            error = ERROR_NOT_FOUND;
    }
    if (error == ERROR_SUCCESS) {
        // Marked before the change: a grant that stopped half-way is undone too.
        run.access_granted = true;
        error = GrantDesktopAccess(*m_pAccountApi, ::GetProcessWindowStation(), CallingThreadDesktop(),
                                   run.logon_sid.data());
    }
    if (error != ERROR_SUCCESS)
        return SetErrorFormat(kNoDesktopAccess, static_cast<int>(error));

    error = lock.Release();
    if (error != ERROR_SUCCESS) {
        m_bCancel = true;
        return SetErrorFormat(kPreparationReleaseFailed, static_cast<int>(error));
    }
    return 1;
}

int CMacroCommand::CreateRunDesktop()
{
    m_strRunDesktopName = "ExpectDesktop";
    // No security attributes: the desktop handle is not inheritable.
    HDESK desktop = ::CreateDesktopA(m_strRunDesktopName, nullptr, nullptr, 0, 0xFF, nullptr);
    if (desktop == nullptr)
        return SetErrorFormat(command_text::kNoRunDesktop, static_cast<int>(::GetLastError()));
    m_hRunDesktop.reset(desktop);
    m_strRunDesktopName = "Winsta0\\ExpectDesktop";
    return 1;
}

int CMacroCommand::RunQueuedLines()
{
    // Every line runs even when one before it failed; the run reports the
    // last failure, not merely the outcome of its last line.
    int result = 1;
    CString last_failure;
    for (size_t i = 0; i < m_queue.size(); ++i) {
        if (m_bCancel)
            return SetErrorText(command_text::kUserCancelled);
        m_strLastError.Empty();
        ParseLine(m_queue[i]);
        if (!ExecuteLine()) {
            result = 0;
            if (m_strLastError.IsEmpty())
                last_failure.Format(command_text::kLineFailedWithoutText, static_cast<const char*>(m_strFullLine));
            else
                last_failure = m_strLastError;
        }
        if (EndsTheRun(m_strKeyword))
            break;
    }
    if (!result)
        m_strLastError = last_failure;
    return result;
}

void CMacroCommand::CleanUpAccountRun(RunPreparation& run, int* result)
{
    if (m_pEnvironment != nullptr || run.profile_loaded || run.access_granted) {
        QueueMutexLock lock(m_hQueueMutex);
        DWORD error = lock.Acquire();
        if (error != ERROR_SUCCESS) {
            *result = SetErrorFormat(command_text::kQueueMutexWaitFailed, static_cast<int>(error));
        } else {
            if (m_pEnvironment != nullptr) {
                m_pAccountApi->DestroyEnvironment(m_pEnvironment);
                m_pEnvironment = nullptr;
            }
            if (run.profile_loaded) {
                m_pAccountApi->UnloadProfile(m_hLogonToken, run.profile.hProfile);
                run.profile_loaded = false;
            }
            if (run.access_granted) {
                WithdrawDesktopAccess(*m_pAccountApi, ::GetProcessWindowStation(), CallingThreadDesktop(),
                                      run.logon_sid.data());
                run.access_granted = false;
            }
            error = lock.Release();
            if (error != ERROR_SUCCESS) {
                m_bCancel = true;
                *result = SetErrorFormat(command_text::kCleanUpReleaseFailed, static_cast<int>(error));
            }
        }
    }
    if (m_bImpersonating) {
        m_pAccountApi->Revert();
        m_bImpersonating = false;
    }
    if (m_hLogonToken != nullptr) {
        m_pAccountApi->CloseToken(m_hLogonToken);
        m_hLogonToken = nullptr;
    }
    m_hRunDesktop.reset();
}
