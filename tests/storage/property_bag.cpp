#include "property_bag.h"

double PropertyBag::Number(const std::string& name) const
{
    const auto found = numbers_.find(name);
    return found == numbers_.end() ? 0.0 : found->second;
}

std::wstring PropertyBag::Text(const std::string& name) const
{
    const auto found = texts_.find(name);
    return found == texts_.end() ? std::wstring() : found->second;
}

void PropertyBag::SetNumber(const std::string& name, double value)
{
    numbers_[name] = value;
}

void PropertyBag::SetText(const std::string& name, const std::wstring& text)
{
    texts_[name] = text;
}

HRESULT PropertyBag::GetText(const std::string& name, BSTR* out) const
{
    if (out == nullptr)
        return E_POINTER;
    const std::wstring text = Text(name);
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT PropertyBag::PutText(const std::string& name, BSTR value)
{
    puts_.push_back(name);
    texts_[name] = value ? std::wstring(value, SysStringLen(value)) : std::wstring();
    return S_OK;
}
