#include "toolkit/foundation/global_utils.h"

CWtkGlobalUtils g_wtkGlobalUtils;
