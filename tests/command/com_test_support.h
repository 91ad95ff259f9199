// Helpers of the tests that drive the registered QvxCmd server through COM.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/com/com.h"
#include "qvxcmd.h"

// Joins a single-threaded apartment for each test, as a script or the
// administrator does.
class ComTest : public ::testing::Test {
protected:
    tvx::com::CoInit com_{COINIT_APARTMENTTHREADED};
};

tvx::com::ComPtr<IQVCommand> NewCommand(const wchar_t* line = nullptr);
tvx::com::ComPtr<IQVCmdCollection> NewCollection();

// A BSTR out of a call: the text, and the call's result.
std::wstring TextOf(const tvx::com::Bstr& text);

// The description of the calling thread's error info; empty when none.
std::wstring ErrorDescription();

// Receives _IQVCommandEvents::ErrorOccurred through IDispatch.
class ErrorSink : public IDispatch {
public:
    std::vector<std::wstring> errors;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override { return --refs_; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

    // Connects to the command's events for the lifetime of the connection.
    class Connection {
    public:
        Connection(IQVCommand* command, ErrorSink& sink);
        ~Connection();
        bool Connected() const { return cookie_ != 0; }

    private:
        tvx::com::ComPtr<IConnectionPoint> point_;
        DWORD cookie_ = 0;
    };

private:
    ULONG refs_ = 1;
};
