#pragma once

#include "platform/com/class_table.h"

namespace tvx::com {

// Each in-process server defines this: the classes it serves. The DLL entry
// points that COM and regsvr32 call (DllGetClassObject, DllCanUnloadNow,
// DllRegisterServer, DllUnregisterServer) come from this library; add them
// to the DLL with tarvex_com_inproc_server(<target>) in its CMakeLists.txt.
ClassTable ServerClasses();

}  // namespace tvx::com
