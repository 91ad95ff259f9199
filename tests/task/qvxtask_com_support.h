// Helpers of the tests that drive the registered QvxTask server through COM,
// through the vtable and late-bound by name as scripts do.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "platform/com/com.h"
#include "qvxtask.h"

// Joins a single-threaded apartment for each test, as a script or the
// administrator does.
class QvxTaskComTest : public ::testing::Test {
protected:
    tvx::com::CoInit com_{COINIT_APARTMENTTHREADED};
};

// The calling thread's error info, taken (and so cleared) by the call.
struct ErrorInfoText {
    std::wstring description;
    std::wstring source;
    GUID guid = GUID_NULL;
    bool present = false;
};
ErrorInfoText TakeErrorInfo();

// A late-bound call of a member by name. Arguments in declaration order; a
// property put passes the value last. On DISP_E_EXCEPTION the exception's
// description lands in *exception_text.
HRESULT InvokeByName(IDispatch* object, const wchar_t* name, WORD flags,
                     std::initializer_list<tvx::com::Variant> args, tvx::com::Variant* result = nullptr,
                     std::wstring* exception_text = nullptr);
HRESULT GetByName(IDispatch* object, const wchar_t* name, tvx::com::Variant& result,
                  std::initializer_list<tvx::com::Variant> index = {});
HRESULT PutByName(IDispatch* object, const wchar_t* name, const tvx::com::Variant& value,
                  std::initializer_list<tvx::com::Variant> index = {});

// DllCanUnloadNow of the loaded module (S_OK when it holds no object); E_FAIL
// when the module is not loaded.
HRESULT ModuleCanUnloadNow(const wchar_t* module);
