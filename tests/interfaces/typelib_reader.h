// Reads a type library into plain values, so that the tests compare strings
// and numbers and every COM reference and allocation stays in one place.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace typelib_test {

// A counted COM reference, released when it goes out of scope.
template <typename T>
class ComRef {
public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { Reset(); }

    void Reset()
    {
        if (ptr_) {
            ptr_->Release();
            ptr_ = nullptr;
        }
    }
    T** Receive()
    {
        Reset();
        return &ptr_;
    }
    T* Get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

private:
    T* ptr_ = nullptr;
};

struct LibrarySummary {
    GUID guid{};
    std::wstring name;
    WORD majorVersion = 0;
    WORD minorVersion = 0;
    SYSKIND syskind = SYS_WIN32;
};

// One function of an interface, as a client bound to the type library sees it.
struct FunctionSummary {
    std::wstring name;
    INVOKEKIND kind = INVOKE_FUNC;
    MEMBERID id = 0;
    int vtableSlot = -1;          // oVft / pointer size; -1 on a dispinterface
    std::string result;           // "HRESULT", "void", ...
    std::string parameters;       // "[in] short, [out,retval] long*"
    WORD flags = 0;               // FUNCFLAGS
};

struct TypeSummary {
    GUID guid{};
    std::wstring name;
    TYPEKIND kind = TKIND_MAX;
    WORD flags = 0;               // TYPEFLAGS
    int vtableSlots = 0;          // cbSizeVft / pointer size
    std::vector<FunctionSummary> functions;
    std::vector<GUID> bases;      // interfaces it derives from / implements
    std::vector<int> baseFlags;   // IMPLTYPEFLAGS, beside bases
};

// Loads without registering anything; path may end in "\<resource id>".
HRESULT LoadLibraryFile(const std::wstring& path, ComRef<ITypeLib>& library);

HRESULT DescribeLibrary(ITypeLib* library, LibrarySummary& summary);

// The type with this GUID. For a dual interface this is the dispatch side.
HRESULT DescribeType(ITypeLib* library, const GUID& guid, TypeSummary& summary);

// The vtable side of a dual interface (the interface its dispatch side refers to).
HRESULT DescribeVtableSide(ITypeLib* library, const GUID& guid, TypeSummary& summary);

// What a late-bound client gets for a name from the dispatch side.
HRESULT DispatchIdOfName(ITypeLib* library, const GUID& guid, const std::wstring& name,
                         MEMBERID& id);

std::wstring ModuleDirectory();
std::wstring ModulePath();

}  // namespace typelib_test
