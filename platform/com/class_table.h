#pragma once

#include <objbase.h>

#include <cstddef>

namespace tvx::com {

// What a server knows of one of its classes: how to make its factory and
// how to register it.
struct ClassEntry {
    const CLSID* clsid;
    HRESULT (*create_factory)(IClassFactory** out);  // e.g. &ClassFactory<CQVTask>::Create
    const wchar_t* description;                      // "QVTask Class"
    const wchar_t* prog_id;                          // versioned: "QvxTask.QVTask.1"
    const wchar_t* version_independent_prog_id;      // "QvxTask.QVTask"
};

class ClassTable {
public:
    template <std::size_t N>
    ClassTable(const ClassEntry (&entries)[N]) : begin_(entries), end_(entries + N)
    {
    }
    ClassTable(const ClassEntry* entries, std::size_t count) : begin_(entries), end_(entries + count) {}

    const ClassEntry* begin() const { return begin_; }
    const ClassEntry* end() const { return end_; }
    const ClassEntry* Find(REFCLSID clsid) const;

private:
    const ClassEntry* begin_;
    const ClassEntry* end_;
};

// DllGetClassObject for the classes of the table.
HRESULT GetClassObject(const ClassTable& classes, REFCLSID clsid, REFIID iid, void** out);

}  // namespace tvx::com
