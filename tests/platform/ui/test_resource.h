#pragma once

#define IDD_TEST_DIALOG 200
#define IDD_MISSING_DIALOG 299
#define IDC_TEST_TEXT 1001

// The data-exchange dialog.
#define IDD_EXCHANGE 300
#define IDC_NAME 1010
#define IDC_COUNT 1011
#define IDC_AMOUNT 1012
#define IDC_RATIO 1013
#define IDC_CHECK 1014
#define IDC_RADIO1 1015
#define IDC_RADIO2 1016
#define IDC_RADIO3 1017
#define IDC_AFTER_RADIOS 1018
#define IDC_LIST 1019
#define IDC_COMBO 1020
#define IDC_DROPLIST 1021
#define IDC_LIMITED 1022
#define IDC_CHECKLIST 1023

// Property pages.
#define IDD_PAGE_ONE 310
#define IDD_PAGE_TWO 311
#define IDC_PAGE_TEXT 1030
#define IDC_PAGE_NUMBER 1031
#define IDS_PAGE_TWO_TITLE 320

// A menu.
#define IDR_TEST_MENU 330
#define ID_TEST_FIRST 0x8501
#define ID_TEST_SECOND 0x8502
#define ID_TEST_NESTED 0x8503

// A bar built from a dialog template with initialisation data.
#define IDD_BAR_TEMPLATE 340
#define IDC_BAR_COMBO 1040
#define IDC_BAR_LIST 1041
