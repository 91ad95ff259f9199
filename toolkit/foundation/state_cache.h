// CWtkStateCache: copies of toolbar-like objects (a menu bar's buttons for
// one menu) parked in private temporary files, one per identifier, until
// they are loaded back into another object.
//
// Each file is created delete-on-close, so closing its handle is its whole
// clean-up: a replaced or dropped entry leaves no file behind, and neither
// does a program that ends without CloseAll.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"

class CWtkStateCache {
public:
    // Keeps the object's Serialize output under the identifier (a menu
    // handle or resource id), replacing what was kept for it before. An
    // object without buttons (GetCount() of 0) is not kept: the identifier's
    // old state is dropped and the result is FALSE, as for any failure.
    template <class TToolBar>
    static BOOL SaveObjectToTempFile(UINT_PTR nID, TToolBar& toolBar)
    {
        return SaveObject(nID, toolBar, toolBar.GetCount() > 0);
    }

    // Loads what is kept for the identifier into the object; FALSE (and the
    // object untouched) when nothing is kept, FALSE when loading fails.
    static BOOL LoadObjectFromTempFile(UINT_PTR nID, CObject& object);

    // Closes every file and forgets every identifier.
    static void CloseAll();

private:
    static BOOL SaveObject(UINT_PTR nID, CObject& object, bool bHasButtons);
};
