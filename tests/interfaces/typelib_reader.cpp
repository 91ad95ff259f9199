#include "typelib_reader.h"

namespace typelib_test {
namespace {

class TypeAttr {
public:
    TypeAttr(ITypeInfo* info) : info_(info) { hr_ = info_->GetTypeAttr(&attr_); }
    TypeAttr(const TypeAttr&) = delete;
    TypeAttr& operator=(const TypeAttr&) = delete;
    ~TypeAttr()
    {
        if (attr_)
            info_->ReleaseTypeAttr(attr_);
    }
    HRESULT Result() const { return hr_; }
    const TYPEATTR* operator->() const { return attr_; }

private:
    ITypeInfo* info_;
    TYPEATTR* attr_ = nullptr;
    HRESULT hr_;
};

class FuncDesc {
public:
    FuncDesc(ITypeInfo* info, UINT index) : info_(info) { hr_ = info_->GetFuncDesc(index, &desc_); }
    FuncDesc(const FuncDesc&) = delete;
    FuncDesc& operator=(const FuncDesc&) = delete;
    ~FuncDesc()
    {
        if (desc_)
            info_->ReleaseFuncDesc(desc_);
    }
    HRESULT Result() const { return hr_; }
    const FUNCDESC* operator->() const { return desc_; }

private:
    ITypeInfo* info_;
    FUNCDESC* desc_ = nullptr;
    HRESULT hr_;
};

class Bstr {
public:
    Bstr() = default;
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(value_); }
    BSTR* Receive()
    {
        SysFreeString(value_);
        value_ = nullptr;
        return &value_;
    }
    std::wstring Text() const { return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring(); }

private:
    BSTR value_ = nullptr;
};

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::wstring NameOf(ITypeInfo* info, MEMBERID id)
{
    Bstr name;
    if (FAILED(info->GetDocumentation(id, name.Receive(), nullptr, nullptr, nullptr)))
        return L"?";
    return name.Text();
}

// The type as it would be written in IDL: "long", "BSTR*", "IQVCommand**".
std::string Spell(ITypeInfo* context, const TYPEDESC& type)
{
    switch (type.vt) {
    case VT_PTR:
        return Spell(context, *type.lptdesc) + "*";
    case VT_USERDEFINED: {
        ComRef<ITypeInfo> referenced;
        if (FAILED(context->GetRefTypeInfo(type.hreftype, referenced.Receive())))
            return "?";
        return Narrow(NameOf(referenced.Get(), MEMBERID_NIL));
    }
    case VT_I2: return "short";
    case VT_I4: return "long";
    case VT_INT: return "int";
    case VT_BSTR: return "BSTR";
    case VT_DATE: return "DATE";
    case VT_BOOL: return "VARIANT_BOOL";
    case VT_VARIANT: return "VARIANT";
    case VT_DISPATCH: return "IDispatch*";
    case VT_UNKNOWN: return "IUnknown*";
    case VT_HRESULT: return "HRESULT";
    case VT_VOID: return "void";
    default: return "vt" + std::to_string(type.vt);
    }
}

std::string SpellParameter(ITypeInfo* context, const ELEMDESC& element)
{
    const USHORT flags = element.paramdesc.wParamFlags;
    std::string direction;
    if (flags & PARAMFLAG_FIN)
        direction = "in";
    if (flags & PARAMFLAG_FOUT)
        direction += direction.empty() ? "out" : ",out";
    if (flags & PARAMFLAG_FRETVAL)
        direction += ",retval";
    return "[" + direction + "] " + Spell(context, element.tdesc);
}

HRESULT Summarise(ITypeInfo* info, TypeSummary& summary)
{
    TypeAttr attr(info);
    if (FAILED(attr.Result()))
        return attr.Result();
    summary = TypeSummary{};
    summary.guid = attr->guid;
    summary.name = NameOf(info, MEMBERID_NIL);
    summary.kind = attr->typekind;
    summary.flags = attr->wTypeFlags;
    summary.vtableSlots = attr->cbSizeVft / static_cast<int>(sizeof(void*));

    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        HREFTYPE href = 0;
        ComRef<ITypeInfo> base;
        INT flags = 0;
        HRESULT hr = info->GetRefTypeOfImplType(i, &href);
        if (SUCCEEDED(hr))
            hr = info->GetRefTypeInfo(href, base.Receive());
        if (SUCCEEDED(hr))
            hr = info->GetImplTypeFlags(i, &flags);
        if (FAILED(hr))
            return hr;
        TypeAttr baseAttr(base.Get());
        if (FAILED(baseAttr.Result()))
            return baseAttr.Result();
        summary.bases.push_back(baseAttr->guid);
        summary.baseFlags.push_back(flags);
    }

    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FuncDesc desc(info, i);
        if (FAILED(desc.Result()))
            return desc.Result();
        FunctionSummary function;
        function.name = NameOf(info, desc->memid);
        function.kind = desc->invkind;
        function.id = desc->memid;
        function.vtableSlot = desc->funckind == FUNC_DISPATCH
                                  ? -1
                                  : desc->oVft / static_cast<int>(sizeof(void*));
        function.result = Spell(info, desc->elemdescFunc.tdesc);
        function.flags = desc->wFuncFlags;
        for (SHORT p = 0; p < desc->cParams; ++p) {
            if (p)
                function.parameters += ", ";
            function.parameters += SpellParameter(info, desc->lprgelemdescParam[p]);
        }
        summary.functions.push_back(function);
    }
    return S_OK;
}

}  // namespace

HRESULT LoadLibraryFile(const std::wstring& path, ComRef<ITypeLib>& library)
{
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Receive());
}

HRESULT DescribeLibrary(ITypeLib* library, LibrarySummary& summary)
{
    TLIBATTR* attr = nullptr;
    HRESULT hr = library->GetLibAttr(&attr);
    if (FAILED(hr))
        return hr;
    summary.guid = attr->guid;
    summary.majorVersion = attr->wMajorVerNum;
    summary.minorVersion = attr->wMinorVerNum;
    summary.syskind = attr->syskind;
    library->ReleaseTLibAttr(attr);

    Bstr name;
    hr = library->GetDocumentation(-1, name.Receive(), nullptr, nullptr, nullptr);
    summary.name = name.Text();
    return hr;
}

HRESULT DescribeType(ITypeLib* library, const GUID& guid, TypeSummary& summary)
{
    ComRef<ITypeInfo> info;
    HRESULT hr = library->GetTypeInfoOfGuid(guid, info.Receive());
    if (FAILED(hr))
        return hr;
    return Summarise(info.Get(), summary);
}

HRESULT DescribeVtableSide(ITypeLib* library, const GUID& guid, TypeSummary& summary)
{
    ComRef<ITypeInfo> dispatchSide;
    HRESULT hr = library->GetTypeInfoOfGuid(guid, dispatchSide.Receive());
    if (FAILED(hr))
        return hr;
    HREFTYPE href = 0;
    hr = dispatchSide->GetRefTypeOfImplType(static_cast<UINT>(-1), &href);
    if (FAILED(hr))
        return hr;
    ComRef<ITypeInfo> vtableSide;
    hr = dispatchSide->GetRefTypeInfo(href, vtableSide.Receive());
    if (FAILED(hr))
        return hr;
    return Summarise(vtableSide.Get(), summary);
}

HRESULT DispatchIdOfName(ITypeLib* library, const GUID& guid, const std::wstring& name,
                         MEMBERID& id)
{
    ComRef<ITypeInfo> info;
    HRESULT hr = library->GetTypeInfoOfGuid(guid, info.Receive());
    if (FAILED(hr))
        return hr;
    std::wstring copy = name;
    LPOLESTR names[] = {&copy[0]};
    return info->GetIDsOfNames(names, 1, &id);
}

std::wstring ModulePath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring ModuleDirectory()
{
    std::wstring path = ModulePath();
    return path.substr(0, path.find_last_of(L"\\/"));
}

}  // namespace typelib_test
