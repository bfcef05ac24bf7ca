// Resource ids of Morvel's users, settings sheet, image-folder dialogs and desktop shortcut.
#pragma once

// Templates.
#define IDD_SHORTCUT                 143
#define IDD_FOLDER_SETTINGS          183
#define IDD_FOLDER_LIST              1576
#define IDD_USERS                    1710
#define IDD_COPY_USER                1711
#define IDD_SETTINGS_NAME            1712
#define IDD_SETTINGS_SCREEN          1713
#define IDD_SETTINGS_SAVE            1714
#define IDD_SETTINGS_SPEECH          1715
#define IDD_SETTINGS_PICTURES        1716

// Controls shared by several templates: the labels the dialogs fill in.
#define IDC_LABEL_1                  1291
#define IDC_LABEL_2                  1292
#define IDC_LABEL_3                  1293
#define IDC_LABEL_4                  1294
#define IDC_LABEL_5                  1295
#define IDC_LABEL_6                  1296
#define IDC_LABEL_7                  1297
#define IDC_LABEL_9                  1299

// The users dialog and the copy dialog.
#define IDC_USER_SETTINGS            1700
#define IDC_USER_SELECT              1701
#define IDC_USER_NEW                 1702
#define IDC_USER_COPY                1703
#define IDC_USER_DELETE              1704
#define IDC_USER_SHORTCUT            1705
#define IDC_COPY_USER_QUESTION       1706
#define IDC_USER_LIST                1707
#define IDC_USER_CURRENT             1708
#define IDC_COPY_USER_NAME           1030

// The shortcut dialog.
#define IDC_SHORTCUT_NAME            1015
#define IDC_SHORTCUT_INFO            1016

// The folder list (its own dialog and the settings sheet's insert-picture page).
#define IDC_FOLDER_LIST              1298
#define IDC_FOLDER_NEW               1299
#define IDC_FOLDER_CHANGE            1300
#define IDC_FOLDER_REMOVE            1301
#define IDC_FOLDER_UP                1302
#define IDC_FOLDER_DOWN              1303

// Defining one folder.
#define IDC_FOLDER_TYPE_DISK         1304
#define IDC_FOLDER_TYPE_BASE         1305
#define IDC_FOLDER_TYPE_FAVOURITES   1306
#define IDC_FOLDER_CHOOSE_DISK       1307
#define IDC_FOLDER_CHOOSE_BASE       1308
#define IDC_FAVOURITE_NEW            1309
#define IDC_FAVOURITE_CHANGE         1310
#define IDC_FAVOURITE_REMOVE         1311
#define IDC_FAVOURITE_UP             1312
#define IDC_FAVOURITE_DOWN           1313
#define IDC_FOLDER_ALBUM             1314
#define IDC_FOLDER_LARGE             1315
#define IDC_FOLDER_SYMBOL_FRAME      1316
#define IDC_FOLDER_CHOOSE_SYMBOL     1317
#define IDC_FOLDER_CLEAR_SYMBOL      1318
#define IDC_FOLDER_DISK_PATH         1319
#define IDC_FOLDER_BASE_NAME         1320
#define IDC_FAVOURITE_LIST           1321
#define IDC_FOLDER_SMALL             1322
#define IDC_FOLDER_LIST_VIEW         1323
#define IDC_FOLDER_ALPHABETIC        1324
#define IDC_FOLDER_NEWEST            1325
#define IDC_FOLDER_TREE              1326
#define IDC_FOLDER_FLAT              1327
#define IDC_FOLDER_NAME              1716

// The settings sheet's pages.
#define IDC_NAME_EDIT                1716
#define IDC_SCREEN_IMAGE_SIZE        1004
#define IDC_SCREEN_BK_COLOR          1007
#define IDC_SCREEN_TEXT_COLOR        1008
#define IDC_SCREEN_CURSOR_COLOR      1009
#define IDC_SCREEN_OPEN              1010
#define IDC_SCREEN_NEW               1011
#define IDC_SCREEN_PRINT             1012
#define IDC_SCREEN_FONT              1013
#define IDC_SCREEN_FONT_SIZE         1014
#define IDC_SCREEN_FONT_STYLE        1015
#define IDC_SCREEN_HELPER_MENU       1016
#define IDC_SCREEN_COLOR_GROUP       1017
#define IDC_SCREEN_TEXT_GROUP        1018
#define IDC_SCREEN_BUTTON_GROUP      1019
#define IDC_SCREEN_STYLE_LABEL       1022
#define IDC_SCREEN_READ              1041
#define IDC_SCREEN_PAUSE             1042
#define IDC_SCREEN_INSERT_IMAGE      1052
#define IDC_SCREEN_EXIT              1080
#define IDC_SCREEN_BROWSE            1081
#define IDC_SCREEN_NEGATION          1135
#define IDC_SCREEN_LARGE_IMAGE       1137
#define IDC_PICTURES_BY_WORD         1150
#define IDC_SPEECH_NONE              1083
#define IDC_SPEECH_INFOVOX           1084
#define IDC_SPEECH_VOICES            1085
#define IDC_SPEECH_VOICE_LIST        1086
#define IDC_SPEECH_SETTINGS          1087
#define IDC_SPEECH_READ_LABEL        1016
#define IDC_SPEECH_LETTERS           1014
#define IDC_SPEECH_WORDS             1015
#define IDC_SPEECH_SENTENCES         1059
#define IDC_SAVE_FOLDER              1018
#define IDC_SAVE_BROWSE              1019
#define IDC_SAVE_MAX_NUMBER          1020
#define IDC_SAVE_NEVER               1021
#define IDC_SAVE_ALWAYS              1022
#define IDC_SAVE_ASK                 1023
#define IDC_SAVE_OPEN_NEWEST         1024

// Strings.
#define IDS_USERS_CAPTION            3700
#define IDS_USERS_CURRENT_LABEL      3701
#define IDS_USERS_LIST_LABEL         3702
#define IDS_USERS_SETTINGS           3703
#define IDS_USERS_SELECT             3704
#define IDS_USERS_NEW                3705
#define IDS_USERS_COPY               3706
#define IDS_USERS_DELETE             3707
#define IDS_USERS_SHORTCUT           3708
#define IDS_USERS_CLOSE              3709
#define IDS_DEFAULT_USER             3710
#define IDS_SELECT_USER_QUESTION     3711
#define IDS_NEW_USER_NAME            3712
#define IDS_NEW_USER_DEFAULTS        3713
#define IDS_USER_NOT_SAVED           3714
#define IDS_ERROR_CAPTION            3715
#define IDS_DELETE_USER_QUESTION     3716
#define IDS_DELETE_CAPTION           3717
#define IDS_DELETE_SAVE_FOLDER       3718
#define IDS_COPY_USER_QUESTION       3719
#define IDS_COPY_USER_NAME_LABEL     3720
#define IDS_NAME_MISSING             3721
#define IDS_USER_NAME_CHARACTERS     3722
#define IDS_USER_EXISTS              3723
#define IDS_USER_NAME_LANGUAGE       3724
#define IDS_SAVE_FOLDER_SHARED       3725
#define IDS_SHORTCUT_CAPTION         3726
#define IDS_SHORTCUT_QUESTION        3727
#define IDS_SHORTCUT_WITH_USER       3728
#define IDS_SHORTCUT_WITHOUT_USER    3729
#define IDS_SHORTCUT_NAME_LABEL      3730
#define IDS_PROGRAM_NAME             3731
#define IDS_SHORTCUT_FAILED          3732
#define IDS_SHORTCUT_BAD_NAME        3733
#define IDS_SHORTCUT_EXISTS          3734
#define IDS_SHORTCUT_CREATED         3735
#define IDS_SHORTCUT_DONE_CAPTION    3736
#define IDS_LINK_SET_PATH_FAILED     3737
#define IDS_LINK_SET_ARGUMENTS_FAILED 3738
#define IDS_LINK_SET_ICON_FAILED     3739
#define IDS_LINK_SET_SHOW_FAILED     3740
#define IDS_LINK_SET_FOLDER_FAILED   3741
#define IDS_LINK_SAVE_FAILED         3742
#define IDS_FOLDER_EMPTY_NAME        3743
#define IDS_REMOVE_FOLDER_QUESTION   3744
#define IDS_REMOVE_PICTURE_QUESTION  3745
#define IDS_CHOOSE_PICTURE_FOLDER    3746
#define IDS_SYMBOL_MISSING           3747
#define IDS_BASE_MISSING             3748
#define IDS_DISK_FOLDER_MISSING      3749
#define IDS_SHEET_CAPTION            3750
#define IDS_NEW_USER_TAB             3751
#define IDS_TAB_NAME                 3752
#define IDS_TAB_SCREEN               3753
#define IDS_TAB_PICTURES             3754
#define IDS_TAB_SPEECH               3755
#define IDS_TAB_SAVE                 3756
#define IDS_STYLE_BOLD               3757
#define IDS_STYLE_NORMAL             3758
#define IDS_STYLE_BOLD_ITALIC        3759
#define IDS_SPEECH_ACAPELA           3760
#define IDS_SPEECH_SAPI              3761
#define IDS_CHOOSE_SAVE_FOLDER       3762
#define IDS_SAVE_FOLDER_MISSING      3763
#define IDS_SAVE_FOLDER_INVALID      3764
#define IDS_CREATE_FOLDER_QUESTION   3765
#define IDS_CREATE_FOLDER_CAPTION    3766
#define IDS_SAVE_FOLDER_SHARED_CAPTION 3767
#define IDS_NO_BASE                  3768
#define IDS_STYLE_ITALIC             3769
// The nine colours of the screen page, in colour-index order (3770 + index).
#define IDS_COLOR_BLACK              3770
#define IDS_COLOR_BROWN              3771
#define IDS_COLOR_GREEN              3772
#define IDS_COLOR_BLUE               3773
#define IDS_COLOR_GREY               3774
#define IDS_COLOR_RED                3775
#define IDS_COLOR_YELLOW             3776
#define IDS_COLOR_PINK               3777
#define IDS_COLOR_WHITE              3778
// A user's files that could not be read or removed.
#define IDS_FOLDER_LIST_UNREADABLE   4600
#define IDS_USER_NOT_DELETED         4601
#define IDS_USER_UNREADABLE          4602
#define IDS_USER_FILE_GONE           4610
