// Templates and strings that the framework tests build their dialogs from.
#pragma once
#define IDD_TEST_FORM     100
#define IDD_TEST_PAGE1    101
#define IDD_TEST_PAGE2    102
#define IDC_TEST_EDIT     1001
#define IDC_TEST_COMBO    1002
#define IDC_TEST_LIST     1003
#define IDC_TEST_CHECK    1004
#define IDC_TEST_ACTION   1005
#define IDS_TEST_SWEDISH  200
#define IDS_TEST_FORMAT   201
