// Resource ids of the shutdown helper.
#pragma once

#define IDD_USAGE 102
#define IDR_MAINFRAME 128

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
