#include "command/command.h"

namespace {

constexpr DISPID kErrorOccurred = 1;

HRESULT CopyText(const CString& text, BSTR* out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = text.AllocSysString();
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

tvx::com::Bstr WideText(const CString& text)
{
    tvx::com::Bstr wide;
    wide.Attach(text.AllocSysString());
    return wide;
}

// A BSTR is read up to its first null character, like every text the
// interpreter keeps.
CString TextOf(BSTR text)
{
    return CString(static_cast<const wchar_t*>(text));
}

}  // namespace

HRESULT CQVCommand::FailWithLastError()
{
    const tvx::com::Bstr description = WideText(m_command.GetLastErrorString());
    return tvx::com::ReportError(E_FAIL, IID_IQVCommand, description.c_str(), L"QvxCmd.QVCommand");
}

STDMETHODIMP CQVCommand::get_FullCommand(BSTR* pVal)
{
    return CopyText(m_command.GetFullLine(), pVal);
}

STDMETHODIMP CQVCommand::put_FullCommand(BSTR newVal)
{
    // Only for a debugger that listens: every task file read at the
    // engine's start makes a command per line, and the output costs each
    // of them a system round trip even when nobody reads it.
    if (::IsDebuggerPresent())
        ::OutputDebugStringA("Somebody called\n");
    m_command.ParseLine(TextOf(newVal));
    return S_OK;
}

STDMETHODIMP CQVCommand::Run()
{
    // A command that fails silently must not report an earlier one's error.
    m_command.ClearLastErrorString();
    if (m_command.ExecuteLine() == 0 && !m_command.GetLastErrorString().IsEmpty()) {
        m_events.Fire(kErrorOccurred, {tvx::com::Variant(WideText(m_command.GetLastErrorString()))});
        return FailWithLastError();
    }
    return S_OK;
}

STDMETHODIMP CQVCommand::get_Type(BSTR* pVal)
{
    return m_type.CopyTo(pVal);
}

STDMETHODIMP CQVCommand::put_Type(BSTR newVal)
{
    if (newVal == nullptr)
        return E_POINTER;
    m_type = tvx::com::Bstr(newVal, ::SysStringLen(newVal));
    return S_OK;
}

STDMETHODIMP CQVCommand::get_Parameters(BSTR* pVal)
{
    return m_parameters.CopyTo(pVal);
}

STDMETHODIMP CQVCommand::put_Parameters(BSTR newVal)
{
    m_parameters = tvx::com::Bstr(newVal, ::SysStringLen(newVal));
    return S_OK;
}

STDMETHODIMP CQVCommand::GetCommandType(BSTR* pVal)
{
    return CopyText(m_command.GetKeyword(), pVal);
}

STDMETHODIMP CQVCommand::GetParameterAsString(long nIndex, BSTR* pVal)
{
    // Out of range gives the empty text: the editors read every field of a
    // line this way, also those the line leaves out.
    return CopyText(m_command.GetParameter(nIndex), pVal);
}

STDMETHODIMP CQVCommand::GetParameterAsInt(long nIndex, long* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = m_command.GetParameterAsInt(nIndex);
    return S_OK;
}

STDMETHODIMP CQVCommand::get_SendKeyDelay(long* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = m_command.GetKeyDelay();
    return S_OK;
}

STDMETHODIMP CQVCommand::put_SendKeyDelay(long newVal)
{
    m_command.SetKeyDelay(newVal);
    return S_OK;
}

STDMETHODIMP CQVCommand::get_LastErrorString(BSTR* pVal)
{
    return CopyText(m_command.GetLastErrorString(), pVal);
}

STDMETHODIMP CQVCommand::put_LastErrorString(BSTR)
{
    return S_OK;
}

STDMETHODIMP CQVCommand::get_ProcessHandle(long* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = HandleToLong(m_command.GetProcessHandle());
    return S_OK;
}

STDMETHODIMP CQVCommand::put_ProcessHandle(long newVal)
{
    m_command.SetProcessHandle(LongToHandle(newVal));
    return S_OK;
}

STDMETHODIMP CQVCommand::SetImpersonateInfo(BSTR sUser, BSTR sPassword, long m_bInteractive)
{
    if (!m_command.SetImpersonateInfo(TextOf(sUser), TextOf(sPassword), m_bInteractive != 0))
        return FailWithLastError();
    return S_OK;
}

STDMETHODIMP CQVCommand::AddToQue(BSTR sCmd)
{
    m_command.AddToQue(TextOf(sCmd));
    return S_OK;
}

STDMETHODIMP CQVCommand::ExecuteQue()
{
    if (!m_command.ExecuteQue())
        return FailWithLastError();
    return S_OK;
}

STDMETHODIMP CQVCommand::SetIsInteractive(long bInteractive)
{
    m_command.SetIsInteractive(bInteractive != 0);
    return S_OK;
}

STDMETHODIMP CQVCommand::StopExecution()
{
    m_command.StopExecution();
    return S_OK;
}
