// CWtkControlBar: the toolkit bar that docks in dock bars and rows.
#pragma once

#include "toolkit/foundation/base_control_bar.h"

class CWtkControlBar : public CWtkBaseControlBar {
    DECLARE_DYNAMIC(CWtkControlBar)
};
