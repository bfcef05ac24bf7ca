// The dialog the command editor tests host the editors in.
#pragma once
#define IDD_TEST_COMMAND_EDIT   900
#define IDC_TEST_COMMAND        1005
#define IDC_TEST_AFTER          1006
#define IDC_TEST_KEY0           1007
#define IDC_TEST_KEY1           1008
#define IDC_TEST_KEY2           1009
