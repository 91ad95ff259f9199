#pragma once

#define IDD_TEST_DIALOG 200
#define IDD_MISSING_DIALOG 299
#define IDC_TEST_TEXT 1001
