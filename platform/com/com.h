#pragma once

// COM support for the product's servers and clients (no ATL). Each part has
// a header of its own; this one includes them all.
//
// A class lists its interfaces and implements its members:
//
//     class CQVThing : public tvx::com::ComClass<CQVThing>,          // first
//                      public tvx::com::DualInterface<IQVThing>,
//                      public tvx::com::SupportErrorInfo<IQVThing>,
//                      public tvx::com::ConnectionPointContainer {
//     public:
//         static tvx::com::InterfaceTable Interfaces()
//         {
//             static const tvx::com::InterfaceEntry entries[] = {
//                 Interface<IQVThing>(),
//                 Interface<IDispatch, IQVThing>(),
//                 Interface<ISupportErrorInfo>(),
//                 Interface<IConnectionPointContainer>(),
//                 Aggregate<IQVCmdCollection, &CQVThing::commands_>(),  // inner object
//             };
//             return entries;
//         }
//         static constexpr bool kAggregatable = true;  // default false
//
//         HRESULT FinalConstruct() { return CreateAggregate(CLSID_QVCmdCollection, commands_); }
//         STDMETHODIMP Run() override
//         {
//             if (failed)
//                 return tvx::com::ReportError(E_FAIL, __uuidof(IQVThing), L"text");
//             events_.Fire(1, {tvx::com::Variant(L"text")});   // to every sink
//             return S_OK;
//         }
//     private:
//         tvx::com::ComPtr<IUnknown> commands_;
//         tvx::com::ConnectionPoint events_{*this, DIID__IQVThingEvents};
//     };
//
// In-process server (CMake: tarvex_com_inproc_server(QvxThing)):
//
//     static const tvx::com::ClassEntry kClasses[] = {
//         {&CLSID_QVThing, &tvx::com::ClassFactory<CQVThing>::Create,
//          L"QVThing Class", L"QvxThing.QVThing.1", L"QvxThing.QVThing"},
//     };
//     tvx::com::ClassTable tvx::com::ServerClasses() { return kClasses; }
//
// The module's type library (for IDispatch and registration) is its
// TYPELIB resource 1:  1 TYPELIB "QvxThing.tlb"  in the .rc file.
// A local server registers the table with ClassObjects (SingletonClassFactory
// for a single-instance class), runs ServerMonitor and RunMessageLoop.

#include "platform/com/bstr.h"
#include "platform/com/class_factory.h"
#include "platform/com/class_objects.h"
#include "platform/com/class_table.h"
#include "platform/com/co_init.h"
#include "platform/com/com_ptr.h"
#include "platform/com/connection_point.h"
#include "platform/com/critical_section.h"
#include "platform/com/dual_interface.h"
#include "platform/com/enum_variant.h"
#include "platform/com/error_info.h"
#include "platform/com/handle.h"
#include "platform/com/kept_class_objects.h"
#include "platform/com/message_loop.h"
#include "platform/com/module.h"
#include "platform/com/object.h"
#include "platform/com/reg_key.h"
#include "platform/com/registration.h"
#include "platform/com/server_monitor.h"
#include "platform/com/server_switches.h"
#include "platform/com/snapshot_enum.h"
#include "platform/com/variant.h"
