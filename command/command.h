// CQVCommand (QvxCmd.QVCommand): one command interpreter behind IQVCommand.
// Single lines are parsed and run (FullCommand, Run); many lines are queued
// and run in one go under a stored account (AddToQue, ExecuteQue).
#pragma once

#include "command/macro_command.h"
#include "platform/com/com.h"
#include "qvxcmd.h"

class CQVCommand : public tvx::com::ComClass<CQVCommand>,
                   public tvx::com::DualInterface<IQVCommand>,
                   public tvx::com::SupportErrorInfo<IQVCommand>,
                   public tvx::com::ConnectionPointContainer {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IQVCommand>(),
            Interface<IDispatch, IQVCommand>(),
            Interface<ISupportErrorInfo>(),
            Interface<IConnectionPointContainer>(),
        };
        return entries;
    }

    STDMETHODIMP get_FullCommand(BSTR* pVal) override;
    STDMETHODIMP put_FullCommand(BSTR newVal) override;
    STDMETHODIMP Run() override;
    STDMETHODIMP get_Type(BSTR* pVal) override;
    STDMETHODIMP put_Type(BSTR newVal) override;
    STDMETHODIMP get_Parameters(BSTR* pVal) override;
    STDMETHODIMP put_Parameters(BSTR newVal) override;
    STDMETHODIMP GetCommandType(BSTR* pVal) override;
    STDMETHODIMP GetParameterAsString(long nIndex, BSTR* pVal) override;
    STDMETHODIMP GetParameterAsInt(long nIndex, long* pVal) override;
    STDMETHODIMP get_SendKeyDelay(long* pVal) override;
    STDMETHODIMP put_SendKeyDelay(long newVal) override;
    STDMETHODIMP get_LastErrorString(BSTR* pVal) override;
    STDMETHODIMP put_LastErrorString(BSTR newVal) override;
    STDMETHODIMP get_ProcessHandle(long* pVal) override;
    STDMETHODIMP put_ProcessHandle(long newVal) override;
    STDMETHODIMP SetImpersonateInfo(BSTR sUser, BSTR sPassword, long m_bInteractive) override;
    STDMETHODIMP AddToQue(BSTR sCmd) override;
    STDMETHODIMP ExecuteQue() override;
    STDMETHODIMP SetIsInteractive(long bInteractive) override;
    STDMETHODIMP StopExecution() override;

private:
    // E_FAIL with the last error text as the caller's error description.
    HRESULT FailWithLastError();

    CMacroCommand m_command;
    tvx::com::Bstr m_type;
    tvx::com::Bstr m_parameters;
    tvx::com::ConnectionPoint m_events{*this, DIID__IQVCommandEvents};
};
