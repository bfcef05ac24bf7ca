// Morvel's main window, its start-up, the open-document dialog and its own command dialog:
// templates, menu, keys, controls and strings.
#pragma once

// Start-up and the main window (template 102, menu 134, keys 137 shared with the document window).
#define IDI_MORVEL                      128
#define IDD_MORVEL_MAIN                 102
#define IDR_MORVEL_MENU                 134
#define IDC_MAIN_PICTURE_CONTROL        103
#define IDC_MAIN_SPEECH_CONTROL         1006
#define IDC_MAIN_MEDIA_PLAYER           168
#define IDC_MAIN_SCROLLBAR              1013
#define IDC_MAIN_EXIT                   2
#define IDC_MAIN_SCROLL                 1000
#define IDC_MAIN_NEW                    1025
#define IDC_MAIN_OPEN                   1026
#define IDC_MAIN_PRINT                  1028
#define IDC_MAIN_LARGEIMAGE             1030
#define IDC_MAIN_IMAGEDIR               1031
#define IDC_MAIN_PLAY                   1037
#define IDC_MAIN_PAUSE                  1038
#define IDC_MAIN_NOT                    1136
#define ID_MAIN_LARGE_PICTURE           1141
#define ID_MENU_PRINT                   57607
#define ID_MENU_EXIT                    32778
#define ID_MENU_ABOUT                   32789
#define ID_MENU_BROWSE_PICTURE          32814
#define ID_MENU_IMAGEBASE_PICTURE       32815
#define ID_MENU_BROWSE_SOUND            32822
#define ID_MENU_PRINTER_SETTINGS        32823
#define ID_MENU_DEFAULT_IMAGEBASE       32824
#define ID_MENU_USERS                   32827
#define ID_MENU_SETTINGS                1608

// The open-document dialog (template 140, keys 134).
#define IDD_OPEN_DOCUMENT               140
#define IDR_OPEN_DOCUMENT_KEYS          134
#define IDC_OPENDOC_PREVIEW             1042
#define IDC_OPENDOC_SCROLLBAR           1043
#define IDC_OPENDOC_NEXT_DOCUMENT       1058
#define IDC_OPENDOC_PLAY                1037
#define IDC_OPENDOC_PAUSE               1038
#define IDC_OPENDOC_NEXT_PAGE           1000

// Strings with the numbers the program has always used.
#define IDS_MORVEL_NAME                 104
#define IDS_MORVEL_USER_FILE_MISSING    106
#define IDS_MORVEL_ERROR_CAPTION        1775
#define IDS_MORVEL_SAVE_QUESTION        1777
#define IDS_MORVEL_NOT_SAVED            2039
#define IDS_MORVEL_STANDARD_USER        2254
#define IDS_MORVEL_BROWSE               2389
#define IDS_MORVEL_OPEN                 2390

// Strings of our own (3600-3699).
#define IDS_MORVEL_PICTURE_MODULE       3600
#define IDS_MORVEL_LEAVE_UNSAVED        3601
#define IDS_MORVEL_DOCUMENT_DAMAGED     3602
#define IDS_MORVEL_DOCUMENT_UNREADABLE  3603
#define IDS_MORVEL_NO_PRINTER           3610
#define IDS_MORVEL_PRINT_FAILED         3611
// (4500-4599)
#define IDS_MORVEL_PRINTER_CHOICE_UNREADABLE 4500
#define IDS_MORVEL_PRINTER_CHOICE_NOT_SAVED  4501
