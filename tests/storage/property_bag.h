// Test doubles' storage of property values by name, and the macros that
// declare a get/put pair of a COM property kept in it. Every put is
// recorded, so a test can tell that nothing was written.
#pragma once

#include <ole2.h>

#include <map>
#include <string>
#include <vector>

class PropertyBag {
public:
    // 0 or empty for a property never written.
    double Number(const std::string& name) const;
    std::wstring Text(const std::string& name) const;
    void SetNumber(const std::string& name, double value);
    void SetText(const std::string& name, const std::wstring& text);

    // The names of the properties written, in order, through the puts.
    const std::vector<std::string>& Puts() const { return puts_; }
    void ForgetPuts() { puts_.clear(); }

    template <class T>
    HRESULT Get(const std::string& name, T* out) const
    {
        if (out == nullptr)
            return E_POINTER;
        *out = static_cast<T>(Number(name));
        return S_OK;
    }
    template <class T>
    HRESULT Put(const std::string& name, T value)
    {
        puts_.push_back(name);
        SetNumber(name, static_cast<double>(value));
        return S_OK;
    }
    HRESULT GetText(const std::string& name, BSTR* out) const;
    HRESULT PutText(const std::string& name, BSTR value);

private:
    std::map<std::string, double> numbers_;
    std::map<std::string, std::wstring> texts_;
    std::vector<std::string> puts_;
};

// A get/put pair kept under Key in the member bag "values".
#define FAKE_PROPERTY(Type, Name, Key)                                                    \
    STDMETHODIMP get_##Name(Type* pVal) override { return values.Get(Key, pVal); }     \
    STDMETHODIMP put_##Name(Type newVal) override { return values.Put(Key, newVal); }
#define FAKE_TEXT_PROPERTY(Name, Key)                                                     \
    STDMETHODIMP get_##Name(BSTR* pVal) override { return values.GetText(Key, pVal); } \
    STDMETHODIMP put_##Name(BSTR newVal) override { return values.PutText(Key, newVal); }
// A pair indexed by a short, kept under Key followed by the index.
#define FAKE_INDEXED_PROPERTY(Type, Name, Key)                                                      \
    STDMETHODIMP get_##Name(short index, Type* pVal) override                                    \
    {                                                                                            \
        return values.Get(Key + std::to_string(index), pVal);                                    \
    }                                                                                            \
    STDMETHODIMP put_##Name(short index, Type newVal) override                                   \
    {                                                                                            \
        return values.Put(Key + std::to_string(index), newVal);                                  \
    }

// IDispatch of a double reached only through its vtable.
#define FAKE_NO_DISPATCH                                                                       \
    STDMETHODIMP GetTypeInfoCount(UINT* count) override                                        \
    {                                                                                          \
        *count = 0;                                                                            \
        return S_OK;                                                                           \
    }                                                                                          \
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }           \
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; } \
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override \
    {                                                                                          \
        return E_NOTIMPL;                                                                      \
    }
