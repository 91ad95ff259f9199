// CDockState: the docking layout of a frame's control bars. This framework
// does not dock bars, so the state holds no bars: loading and saving it
// succeed and read or write nothing.
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
