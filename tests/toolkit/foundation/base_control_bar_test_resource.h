// Resources of the base control bar tests.
#pragma once

#define IDD_BASEBAR_TEMPLATE 3001
#define IDC_BASEBAR_COMBO 3002
#define IDC_BASEBAR_BUTTON 3003
