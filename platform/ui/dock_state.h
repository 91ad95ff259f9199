// CDockState: the docking layout of a frame's control bars. The toolkit's
// bars keep their own layout, and no program saves the framework's docked
// bars, so the state holds no bars: loading and saving it succeed and read
// or write nothing.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"

class CDockState : public CObject {
    DECLARE_SERIAL(CDockState)
public:
    CDockState();
    ~CDockState() override;

    void LoadState(LPCSTR lpszProfileName);
    void SaveState(LPCSTR lpszProfileName);
    void Clear();
    void Serialize(CArchive& ar) override;
    // How many bars the state describes (none).
    int GetBarCount() const { return 0; }
};
