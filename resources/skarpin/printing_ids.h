// Ids of the print dialog and the print margin wizard; strings of printing use 3500-3599.
#pragma once

#define IDD_PRINT                       152
#define IDD_MARGIN_PAGE1                173
#define IDD_MARGIN_PAGE3                1604
#define IDD_MARGIN_PAGE2                1605
#define IDD_MARGIN_PAGE4                1606

#define IDC_PRINT_PRINTER_NAME          1088
#define IDC_PRINT_ALL                   1089
#define IDC_PRINT_CODE_ONLY             1090
#define IDC_PRINT_GRID                  1091
#define IDC_PRINT_COPIES                1092
#define IDC_PRINT_SETUP                 1093
#define IDC_PRINT_PRINTER_LABEL         1291
#define IDC_PRINT_GROUP                 1292
#define IDC_PRINT_COPIES_LABEL          1293

#define IDC_MARGIN_PRINT_TEST           1109
#define IDC_MARGIN_PRINTER_SETUP        1110
#define IDC_MARGIN_X                    1111
#define IDC_MARGIN_Y                    1112
#define IDC_MARGIN_TEXT1                1113
#define IDC_MARGIN_TEXT2                1114
#define IDC_MARGIN_TEXT3                1115
#define IDC_MARGIN_PRINTER_LABEL        1116
#define IDC_MARGIN_PRINTER_NAME         1117
#define IDC_MARGIN_X_LABEL              1118
#define IDC_MARGIN_Y_LABEL              1119
#define IDC_MARGIN_FIGURE               1120

#define IDS_PRINT_LEGEND_OVERLAY        3500
#define IDS_PRINT_LEGEND_SET            3501
#define IDS_PRINT_LEGEND_REPEAT_SIGNAL  3502
#define IDS_PRINT_LEGEND_REPEAT_BOUNCE  3503
#define IDS_PRINT_LEGEND_SIGNAL         3504
#define IDS_PRINT_LEGEND_BOUNCE         3505
#define IDS_PRINT_LEGEND_REPEAT         3506
#define IDS_PRINT_BAD_COPIES            3507
#define IDS_PRINT_READ_ONLY_MODIFIED    3508
#define IDS_PRINT_FAILED                3509
#define IDS_PRINT_NO_PRINTER            3510

#define IDS_MARGIN_TITLE1               3520
#define IDS_MARGIN_TITLE2               3521
#define IDS_MARGIN_TITLE3               3522
#define IDS_MARGIN_TITLE4               3523
#define IDS_MARGIN_INTRO1               3524
#define IDS_MARGIN_INTRO2               3525
#define IDS_MARGIN_INTRO3               3526
#define IDS_MARGIN_CURRENT_PRINTER      3527
#define IDS_MARGIN_PRINTER_SETUP        3528
#define IDS_MARGIN_PRINT_HINT1          3529
#define IDS_MARGIN_PRINT_HINT2          3530
#define IDS_MARGIN_PRINT_TEST           3531
#define IDS_MARGIN_MEASURE_HINT         3532
#define IDS_MARGIN_X                    3533
#define IDS_MARGIN_Y                    3534
#define IDS_MARGIN_CHECK_HINT1          3535
#define IDS_MARGIN_CHECK_HINT2          3536
#define IDS_MARGIN_BAD_BOTH             3537
#define IDS_MARGIN_BAD_X                3538
#define IDS_MARGIN_BAD_Y                3539
#define IDS_MARGIN_EMPTY                3540
#define IDS_MARGIN_TEST_PLAIN           3541
#define IDS_MARGIN_TEST_ADJUSTED        3542
