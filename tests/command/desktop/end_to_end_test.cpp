#include "desktop_test_support.h"
