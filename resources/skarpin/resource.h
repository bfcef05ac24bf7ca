// Resource ids of Skarpin's own templates, menus and strings (the shared library's are in library/resource.h).
#pragma once
#include "library/resource.h"

// The set and overlay name dialogs: rename (153), save (148), copy one overlay (155), new set (1601),
// copy of a set (1561), open an overlay (149), choose a template (182); their controls are ours
#define IDD_SAVE_OVERLAY            148
#define IDD_OPEN_OVERLAY            149
#define IDD_RENAME                  153
#define IDD_COPY_OVERLAY            155
#define IDD_TEMPLATE                182
#define IDD_COPY_SET                1561
#define IDD_NEW_SET                 1601
#define IDC_NAME_FRAME              1630
#define IDC_NAME_LINE1              1631
#define IDC_NAME_LINE2              1632
#define IDC_NAME_LABEL              1633
#define IDC_NAME_EDIT               1634
#define IDC_NAME_SET_LABEL          1635
#define IDC_NAME_SETS               1636
#define IDC_NAME_NUMBER_LABEL       1637
#define IDC_NAME_NUMBERS            1638
#define IDC_NAME_LIST_LABEL         1639
#define IDC_NAME_LIST               1640
#define IDS_ENTER_NEW_NAME          136
#define IDS_NEW_SET                 181
#define IDS_ERROR_CAPTION           1711
#define IDS_SET_NAME_TAKEN          1713
#define IDS_OVERLAY_NAME_TAKEN      1754
#define IDS_NAME_SET_LINE           1789
#define IDS_NAME_OVERLAY_LINE       1790
#define IDS_NAME_FORBIDDEN          1793
#define IDS_NO_TEMPLATE             1829
#define IDS_MOVE_OVERLAY            1837
#define IDS_MOVE_OVERLAY_PROMPT     1839
#define IDS_TARGET_READ_ONLY        1851
#define IDS_NAME_TOO_LONG           1857
#define IDS_COPY_OVERLAY_CAPTION    2057
#define IDS_ENTER_NAME              2058
#define IDS_COPY_OVERLAY_PROMPT     2059
#define IDS_CHOOSE_FREE_NUMBER      2060
#define IDS_COPY_SET_CAPTION        2061
#define IDS_ENTER_COPY_NAME         2062
#define IDS_OPEN_OVERLAY_CAPTION    2183
#define IDS_CHOOSE_SET              2184
#define IDS_CHOOSE_OVERLAY          2185
#define IDS_SAVE_OVERLAY            2202
#define IDS_NEW_OVERLAY             2258
#define IDS_CHOOSE_TEMPLATE         2259

// Copying or moving several overlays (1611) and changing the folders of a set's media (215); the
// controls and the strings are ours
#define IDD_CHANGE_PATHS            215
#define IDD_COPY_MOVE               1611
#define IDC_COPYMOVE_PROMPT         1645
#define IDC_COPYMOVE_SETS           1646
#define IDC_COPYMOVE_NOTE           1647
#define IDC_PATHS_INTRO             1660
#define IDC_PATHS_STEP1             1661
#define IDC_PATHS_STEP2             1662
#define IDC_PATHS_LIST              1663
#define IDC_PATHS_EDIT              1664
#define IDC_PATHS_BROWSE            1665
#define IDC_PATHS_WARNING           1666
#define IDS_COPYMOVE_COPY_PROMPT    2500
#define IDS_COPYMOVE_MOVE_PROMPT    2501
#define IDS_COPYMOVE_NO_ROOM        2502
#define IDS_PATHS_EMPTY_FOLDER      2503
#define IDS_PATHS_BROWSE_TITLE      2504
#define IDS_PATHS_NOT_CHANGED       2505

// The main window's set and overlay commands: their questions, and what they could not do (ours)
#define IDS_ASK_DELETE_SET          1791
#define IDS_ASK_DELETE_OVERLAY      1792
#define IDS_ASK_DELETE_OVERLAYS     1799
#define IDS_ASK_DELETE_TEMPLATE     1840
#define IDS_ASK_DELETE_TEMPLATES    1852
#define IDS_SET_NOT_CREATED         2510
#define IDS_SET_NOT_COPIED          2511
#define IDS_SET_NOT_RENAMED         2512
#define IDS_SET_RENAMED_PARTLY      2513
#define IDS_SET_NOT_DELETED         2514
#define IDS_OLDSET_NOT_CONVERTED    2515
#define IDS_OVERLAY_NOT_RENAMED     2516
#define IDS_OVERLAY_NOT_COPIED      2517
#define IDS_OVERLAY_NOT_MOVED       2518
#define IDS_OVERLAY_COPIED_PARTLY   2519
#define IDS_OVERLAY_MOVED_PARTLY    2520
#define IDS_OVERLAYS_NOT_DELETED    2521
#define IDS_OVERLAYS_SET_FULL_COPY  2522
#define IDS_OVERLAYS_SET_FULL_MOVE  2523
#define IDS_OVERLAYS_NOT_COPIED     2524
#define IDS_OVERLAYS_NOT_MOVED      2525
#define IDS_OVERLAYS_NOT_REMOVED    2526
#define IDS_OVERLAYS_COPIED_PARTLY  2527
#define IDS_OVERLAYS_MOVED_PARTLY   2528

// Speech settings (151): the engine and its voice
#define IDD_SPEECH                  151
#define IDC_SPEECH_LABEL            1420
#define IDC_SPEECH_NONE             1421
#define IDC_SPEECH_OTHER            1422
#define IDC_SPEECH_ENGINE           1423
#define IDC_SPEECH_VOICES           1424
#define IDC_SPEECH_SETTINGS         1425
#define IDS_SPEECH_TEXTSPEAKER      2350
#define IDS_SPEECH_ACAPELA          2351

// Taking over a set of the older format: the dialog and its question when the name is taken
#define IDD_GET_OLD_SET             1602
#define IDC_OLDSET_INTRO            1620
#define IDC_OLDSET_PROMPT           1621
#define IDC_OLDSET_LIST             1622
#define IDS_OLDSET_NAME_TAKEN       1950
#define IDS_OLDSET_CAPTION          1951

// Exporting overlays: the wizard's four pages, their controls and strings
#define IDD_EXPORT_PAGE1                163
#define IDD_EXPORT_PAGE2                164
#define IDD_EXPORT_PAGE3                166
#define IDD_EXPORT_PAGE4                167
#define IDC_EXPORT_QUESTION             1121
#define IDC_EXPORT_ABOUT                1122
#define IDC_EXPORT_WHERE                1123
#define IDC_EXPORT_IMPORT_HINT          1124
#define IDC_EXPORT_OVERLAY_TREE         1129
#define IDC_EXPORT_MEDIA_TREE           1130
#define IDC_EXPORT_ZIP_PATH             1131
#define IDC_EXPORT_BROWSE               1132
#define IDC_EXPORT_ALL                  1133
#define IDC_EXPORT_NONE                 1134
#define IDC_EXPORT_TEST                 1136
#define IDC_EXPORT_STOP                 1137
#define IDC_EXPORT_PLAYER               1139
#define IDC_EXPORT_PICTURE_FRAME        1140
#define IDC_EXPORT_PICTURE_DECODER      1141
#define IDC_EXPORT_PROGRESS             1145
#define IDC_EXPORT_PROGRESS_LABEL       1172
#define IDC_EXPORT_INFO                 1291
#define IDC_EXPORT_NOTE                 1292
#define IDS_EXPORT_CAPTION              2400
#define IDS_EXPORT_CAPTION_OVERLAYS     2401
#define IDS_EXPORT_CAPTION_FILES        2402
#define IDS_EXPORT_CAPTION_ZIP          2403
#define IDS_EXPORT_QUESTION             2404
#define IDS_EXPORT_ABOUT                2405
#define IDS_EXPORT_WHERE                2406
#define IDS_EXPORT_IMPORT_HINT          2407
#define IDS_EXPORT_CHOOSE_OVERLAYS      2408
#define IDS_EXPORT_ALL                  2409
#define IDS_EXPORT_NONE                 2410
#define IDS_EXPORT_NO_OVERLAY           2411
#define IDS_EXPORT_CHOOSE_FILES         2412
#define IDS_EXPORT_NOT_EXPORTED         2413
#define IDS_EXPORT_TEST                 2414
#define IDS_EXPORT_STOP                 2415
#define IDS_EXPORT_ZIP_PROMPT           2416
#define IDS_EXPORT_BROWSE               2417
#define IDS_EXPORT_ZIP_FILTER           2418
#define IDS_EXPORT_ZIP_TITLE            2419
#define IDS_EXPORT_INSERT_DISKETTE      2420
#define IDS_EXPORT_DISKETTE_CAPTION     2421
#define IDS_EXPORT_CLEAR_DISKETTE       2422
#define IDS_EXPORT_PACKING              2423
#define IDS_EXPORT_TO_DISKETTE          2424
#define IDS_EXPORT_FIRST_DISKETTE       2425
#define IDS_EXPORT_NEXT_DISKETTE        2426
#define IDS_EXPORT_SAVING_DISKETTE      2427
#define IDS_EXPORT_DONE                 2428
#define IDS_EXPORT_DONE_CAPTION         2429
// Ours: what the packing could not do, said instead of the success message
#define IDS_EXPORT_DONE_LEFT_OUT        2430
#define IDS_EXPORT_FAILED               2431
#define IDS_EXPORT_ERROR_CAPTION        2432
#define IDS_EXPORT_CANNOT_READ          2433
#define IDS_EXPORT_CANNOT_WRITE         2434
#define IDS_EXPORT_TOO_LARGE            2435
#define IDS_EXPORT_NO_REGISTER          2436

// Importing overlays: the wizard's three pages, their controls and strings
#define IDD_IMPORT_PAGE1                1607
#define IDD_IMPORT_PAGE2                1608
#define IDD_IMPORT_PAGE3                1610
#define IDC_IMPORT_ALL                  1151
#define IDC_IMPORT_NONE                 1152
#define IDC_IMPORT_OVERLAY_TREE         1153
#define IDC_IMPORT_PATH                 1154 // the zip file on the first page, the shared folder on the third
#define IDC_IMPORT_BROWSE               1155
#define IDC_IMPORT_INFO                 1158
#define IDC_IMPORT_SHARED_FOLDER        1160
#define IDC_IMPORT_KEEP_PATHS           1161
#define IDC_IMPORT_MEDIA_TREE           1162
#define IDC_IMPORT_PROGRESS_LABEL       1173
#define IDC_IMPORT_PROGRESS             1174
#define IDC_IMPORT_FILES_INFO           1291
#define IDC_IMPORT_PROMPT               1292
#define IDC_IMPORT_NOTE                 1293
#define IDC_IMPORT_DISKETTE_NOTE        1294
#define IDS_IMPORT_CAPTION_ZIP          2800
#define IDS_IMPORT_CAPTION_OVERLAYS     2801
#define IDS_IMPORT_CAPTION_FILES        2802
#define IDS_IMPORT_NEW_SET_NOTE         2803
#define IDS_IMPORT_ZIP_PROMPT           2804
#define IDS_IMPORT_NOTE                 2805
#define IDS_IMPORT_LAST_DISKETTE_NOTE   2806
#define IDS_IMPORT_NO_ZIP               2807
#define IDS_IMPORT_READING_ZIP          2808
#define IDS_IMPORT_NO_REGISTER          2809
#define IDS_IMPORT_READING              2810
#define IDS_IMPORT_INSERT_LAST_DISKETTE 2811
#define IDS_IMPORT_CHOOSE_OVERLAYS      2812
#define IDS_IMPORT_CAPTION              2813
#define IDS_IMPORT_CHOOSE_FILES         2814
#define IDS_IMPORT_SHARED_FOLDER        2815
#define IDS_IMPORT_KEEP_PATHS           2816
#define IDS_IMPORT_FOLDER_TITLE         2817
#define IDS_IMPORT_NO_NUMBERS           2818
#define IDS_IMPORT_DONE                 2819
#define IDS_IMPORT_UNNUMBERED           2820
#define IDS_IMPORT_REFUSED_ENTRIES      2821
#define IDS_IMPORT_CANNOT_OPEN          2822
#define IDS_IMPORT_NOT_A_ZIP            2823
#define IDS_IMPORT_DAMAGED              2824
#define IDS_IMPORT_CRC_ERROR            2825
#define IDS_IMPORT_UNSUPPORTED          2826
#define IDS_IMPORT_CANNOT_UNPACK        2827
#define IDS_IMPORT_VOLUME_MISSING       2828
#define IDS_IMPORT_SET_NOT_CREATED      2829
#define IDS_IMPORT_OVERLAY_NOT_PLACED   2830
#define IDS_IMPORT_DONE_PARTLY          2831
#define IDS_IMPORT_FILES_NOT_PLACED     2832
#define IDS_IMPORT_REFERENCES_NOT_FIXED 2833
#define IDS_IMPORT_NO_WORK_FOLDER       2834
#define IDS_IMPORT_DEFAULT_SET_NAME     2835
#define IDS_IMPORT_DEFAULT_OVERLAY_NAME 2836

// The overlay list's drag cursors: a page with an arrow, and the same with a plus sign for a copy
#define IDCUR_DRAG_MOVE 203
#define IDCUR_DRAG_COPY 204

// The main window: template, menus (main, set, overlay), icon and the images of the tree and the list
#define IDD_SKARPIN_DIALOG          110
#define IDR_MAINMENU                128
#define IDR_SET_MENU                132
#define IDR_OVERLAY_MENU            133
#define IDI_SKARPIN                 156
#define IDB_SET_STANDARD_SELECTED   190
#define IDB_SET_STANDARD            191
#define IDB_SET                     1564
#define IDB_SET_SELECTED            1565
#define IDB_OVERLAY                 1566
#define IDB_SET_CURRENT             1567
#define IDB_SET_CURRENT_SELECTED    1568
#define IDC_SET_TREE                1002
#define IDC_OVERLAY_LIST            1194
// The main window's commands
#define ID_OVERLAY_PRESSURE         1712
#define ID_OVERLAY_FEEDBACK         1714
#define ID_OVERLAY_REPETITION       1716
#define ID_SET_NEW                  1721
#define ID_SET_IMPORT_OLD           1723
#define ID_OVERLAY_EXPORT           1724
#define ID_OPTICAL_CODE_MARGINS     1725
#define ID_SHOW_STANDARD_OVERLAYS   1726
#define ID_APP_ABOUT_SKARPIN        32801
#define ID_EDIT_COPY_SELECTION      32802
#define ID_EDIT_RENAME_SELECTION    32803
#define ID_EDIT_DELETE_SELECTION    32804
#define ID_EDIT_MOVE_OVERLAYS       32805
#define ID_SET_LOAD_KEYBOARD        32808
#define ID_OVERLAY_IMPORT           32809
#define ID_SHOW_TEMPLATES           32810
#define ID_SHOW_TEMPLATE_DIALOG     32811
#define ID_START_SETTINGS           32820
#define ID_OVERLAY_OPEN             32821
#define ID_KEYBOARD_MODEL           32822
#define ID_CHANGE_PATHS             32823
#define ID_IR_CODES                 32824
#define ID_OVERLAY_MENU_OPEN        57601
#define ID_APP_EXIT_SKARPIN         57665
// The main window's strings
#define IDS_SKARPIN_DELETE_CAPTION      1757
#define IDS_RENAME_OVERLAY              1777
#define IDS_RENAME_SET                  1778
#define IDS_COPY_OVERLAY                1779
#define IDS_COPY_SET                    1780
#define IDS_DELETE_OVERLAY              1781
#define IDS_DELETE_SET                  1782
#define IDS_PRESSURE_PER_SET            1783
#define IDS_PRESSURE_PER_OVERLAY        1784
#define IDS_REPETITION_PER_SET          1785
#define IDS_REPETITION_PER_OVERLAY      1786
#define IDS_FEEDBACK_PER_SET            1787
#define IDS_FEEDBACK_PER_OVERLAY        1788
#define IDS_OPEN_OVERLAY                1833
#define IDS_NEW_TEMPLATE                1834
#define IDS_OPEN_TEMPLATE               1835
#define IDS_SKARPIN_NAME                1848
#define IDS_MODEL_USB                   1861
#define IDS_MODEL_PS2                   1862
#define IDS_START_SETTINGS_ITEM         1865
#define IDS_IR_CODES_ITEM               1891

// Block commands: what the command writers refuse, and the caption of their messages
#define IDS_COMMAND_ERROR_CAPTION       2460
#define IDS_COMMAND_PAUSE_CHARACTERS    2461
#define IDS_COMMAND_PAUSE_TOO_LONG      2462
#define IDS_COMMAND_NO_PROGRAM          2463
#define IDS_COMMAND_PROGRAM_CHARACTERS  2464
#define IDS_COMMAND_FILE_CHARACTERS     2465
#define IDS_COMMAND_TOO_LONG            2466

// The set compiler: what the keyboard's image cannot hold, and the Zenthor program's texts
#define IDS_COMPILE_UNREADABLE          2780
#define IDS_COMPILE_TOO_MANY_BLOCKS     2781
#define IDS_COMPILE_TOO_MANY_RANGES     2782
#define IDS_COMPILE_CELL_OUTSIDE_GRID   2783
#define IDS_ZENTHOR_TEXTS_NOT_WRITTEN   2784

// Loading a set into the keyboard: the dialog, its controls, its animation and its texts
#define IDD_LOAD_KVORA                  1006
#define IDC_LOAD_MESSAGE                1007
#define IDC_LOAD_PROGRESS               1008
#define IDC_LOAD_ANIMATION              1009
#define IDC_LOAD_PROGRESS_LABEL         1010
#define IDC_LOAD_CANCEL_LABEL           1011
#define IDC_LOAD_ALREADY_LOADED         1210
#define IDI_LOAD_ANIMATION_1            196
#define IDI_LOAD_ANIMATION_2            198
#define IDI_LOAD_ANIMATION_3            199
#define IDS_LOAD_QUESTION               101
#define IDS_LOAD_SEARCHING              102
#define IDS_LOAD_SENDING                103
#define IDS_LOAD_NOT_CONNECTED          104
#define IDS_LOAD_DONE                   105
#define IDS_LOAD_NO_DRIVER              107
#define IDS_LOAD_ALREADY_LOADED         108
#define IDS_LOAD_CANCELLING             1847
// Ours: the ends the texts above do not tell truthfully
#define IDS_LOAD_NO_ZENTHOR             2700
#define IDS_LOAD_NOT_SENT               2701
#define IDS_LOAD_FAILED                 2702
