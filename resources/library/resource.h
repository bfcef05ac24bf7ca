// Resource ids of the shared library's dialogs, bitmaps and strings. Every program's resources carry them.
#pragma once

// About box
#define IDD_ABOUT               154
#define IDC_ABOUT_TEXT          1188
#define IDC_ABOUT_VERSION       1208
#define IDC_ABOUT_DATE          1209
#define IDC_ABOUT_VERSION_LABEL 1291
#define IDC_ABOUT_DATE_LABEL    1292
#define IDC_ABOUT_MAKER_GROUP   1293
#define IDC_ABOUT_MAKER_ADDRESS 1294
#define IDC_ABOUT_LOGO          1295

// Message dialog: 1564 yes/no, 1565 OK/Cancel picture buttons, 1569 YES/NO picture buttons
#define IDD_MESSAGE_YESNO       1564
#define IDD_MESSAGE_OKCANCEL    1565
#define IDD_MESSAGE_PICTURE_YESNO 1569
#define IDC_MESSAGE_PICTURE     1567
#define IDC_MESSAGE_TEXT        1568

// About box strings; each program gives its own texts.
#define IDS_ABOUT_CAPTION       2001
#define IDS_ABOUT_VERSION       2002
#define IDS_ABOUT_DATE          2003
#define IDS_ABOUT_MAKER         2004
#define IDS_ABOUT_ADDRESS       2005

// Speech engine binding: its two messages
#define IDS_TTS_NOT_FOUND       2960
#define IDS_TTS_INIT_FAILED     2961

// Bitmaps: the about box's logo; picture buttons are named after their captions ("OK", "CANCEL", "YES", "NO").
#define IDB_ABOUT_LOGO          3001

// Pictures: the message dialog's picture control, laid over its placeholder 1567
#define IDC_MESSAGE_PICTURE_VIEW 1566

// Sound: recording (1580) and its settings (1586), the panes of the picture and sound open dialogs (1570, 1650)
#define IDD_OPEN_IMAGE_PANE         1570
#define IDC_OPENIMAGE_INFO          1291
#define IDC_OPENIMAGE_SHOW          1571
#define IDC_OPENIMAGE_PLACEHOLDER   1572
#define IDC_OPENIMAGE_PICTURE       1573
#define IDD_OPEN_SOUND_PANE         1650
#define IDC_OPENSOUND_FRAME         1291
#define IDC_OPENSOUND_PLAY          1651
#define IDC_OPENSOUND_STOP          1652
#define IDD_RECORD_SOUND            1580
#define IDC_RECORD_RECORD           1581
#define IDC_RECORD_PLAY             1582
#define IDC_RECORD_STOP             1583
#define IDC_RECORD_SETTINGS         1584
#define IDC_RECORD_FILE             1585
#define IDC_RECORD_FILE_LABEL       1588
#define IDC_RECORD_PROGRESS         1589
#define IDD_SOUND_SETTINGS          1586
#define IDC_SETTINGS_QUALITY_GROUP  1590
#define IDC_SETTINGS_TELEPHONE      1591
#define IDC_SETTINGS_RADIO          1592
#define IDC_SETTINGS_BETTER_RADIO   1593
#define IDC_SETTINGS_TIME_LABEL     1594
#define IDC_SETTINGS_TIME           1595
#define IDC_SETTINGS_CUT_PAUSES     1596
#define IDC_SETTINGS_SILENCE_GROUP  1597
#define IDC_SETTINGS_SILENCE        1598
#define IDC_SETTINGS_LOW_NOISE      1600
#define IDC_SETTINGS_HIGH_NOISE     1601
#define IDC_SETTINGS_HINT           1602
#define IDS_CANCEL                  2016
#define IDS_OPENIMAGE_INFO          2186
#define IDS_OPENIMAGE_SHOW          2187
#define IDS_OPENSOUND_FRAME         2188
#define IDS_RECORD_CAPTION          2196
#define IDS_RECORD_FILE_LABEL       2197
#define IDS_SETTINGS_CAPTION        2230
#define IDS_SETTINGS_QUALITY        2231
#define IDS_SETTINGS_TELEPHONE      2232
#define IDS_SETTINGS_RADIO          2233
#define IDS_SETTINGS_TIME           2234
#define IDS_SETTINGS_CUT_PAUSES     2235
#define IDS_SETTINGS_SILENCE        2236
#define IDS_SETTINGS_LOW_NOISE      2237
#define IDS_SETTINGS_HIGH_NOISE     2238
#define IDS_SETTINGS_HINT           2239
#define IDS_SETTINGS_BETTER_RADIO   2240
#define IDS_SOUND_CANNOT_PLAY       2241
#define IDS_RECORD_CANNOT_START     2242
#define IDS_RECORD_CANNOT_SAVE      2243
#define IDS_SETTINGS_CANNOT_SAVE    2244

// Content object pictures: a picture file the picture control cannot decode
#define IDS_PICTURE_CANNOT_VIEW     2980

// Image-base dialogs: a picture by base, category and word (1500), and a base alone (206)
#define IDD_IMAGEBASE                   1500
#define IDC_IMAGEBASE_BASE_LABEL        1291
#define IDC_IMAGEBASE_CATEGORY_LABEL    1292
#define IDC_IMAGEBASE_PICTURE_LABEL     1293
#define IDC_IMAGEBASE_BASES             1502
#define IDC_IMAGEBASE_CATEGORIES        1503
#define IDC_IMAGEBASE_PICTURES          1504
#define IDC_IMAGEBASE_PREVIEW_PLACE     1505
#define IDC_IMAGEBASE_PREVIEW           1506
#define IDD_SELECT_IMAGEBASE            206
#define IDC_SELECT_IMAGEBASE_LABEL      1291
#define IDC_SELECT_IMAGEBASE_LIST       1091
#define IDS_IMAGEBASE_ALL               1501
#define IDS_IMAGEBASE_CAPTION           2142
#define IDS_IMAGEBASE_CHOOSE_BASE       2143
#define IDS_IMAGEBASE_CHOOSE_CATEGORY   2144
#define IDS_IMAGEBASE_CHOOSE_PICTURE    2145
#define IDS_SELECT_IMAGEBASE_CAPTION    2281
#define IDS_SELECT_IMAGEBASE_LABEL      2282

// Command to a Kvora program (142): its fields, buttons, preview and player, texts and messages
#define IDD_KVORA_COMMAND               142
#define IDC_KVORA_INFO1                 1291
#define IDC_KVORA_INFO2                 1292
#define IDC_KVORA_PICTURE_CHECK         1042
#define IDC_KVORA_TEXT_CHECK            1043
#define IDC_KVORA_SOUND_CHECK           1044
#define IDC_KVORA_SPEECH_CHECK          1045
#define IDC_KVORA_VIDEO_CHECK           1046
#define IDC_KVORA_PICTURE               1048
#define IDC_KVORA_TEXT                  1049
#define IDC_KVORA_SOUND                 1050
#define IDC_KVORA_SPEECH                1051
#define IDC_KVORA_VIDEO                 1052
#define IDC_KVORA_IMAGEBASE             1053
#define IDC_KVORA_BROWSE_IMAGE          1054
#define IDC_KVORA_BROWSE_SOUND          1055
#define IDC_KVORA_BROWSE_VIDEO          1056
#define IDC_KVORA_TEST                  1057
#define IDC_KVORA_SELECT_TTS            1058
#define IDC_KVORA_AUTO_TTS              1060
#define IDC_KVORA_AUTO_SOUND            1061
#define IDC_KVORA_AUTO_NONE             1062
#define IDC_KVORA_PLAYER                1064
#define IDC_KVORA_RECORD_SOUND          1065
#define IDC_KVORA_PREVIEW               1066
#define IDC_KVORA_STOP                  1082
#define IDC_KVORA_SHORT                 1212
#define IDC_KVORA_PICTURE_DECODER       1067
#define IDS_KVORA_SHORT                 2123
#define IDS_KVORA_CAPTION               2300
#define IDS_KVORA_INFO1                 2301
#define IDS_KVORA_PICTURE               2302
#define IDS_KVORA_IMAGEBASE             2303
#define IDS_KVORA_BROWSE_IMAGE          2304
#define IDS_KVORA_INFO2                 2305
#define IDS_KVORA_AUTO_TTS              2306
#define IDS_KVORA_AUTO_SOUND            2307
#define IDS_KVORA_AUTO_NONE             2308
#define IDS_KVORA_TEXT                  2309
#define IDS_KVORA_SOUND                 2310
#define IDS_KVORA_BROWSE_SOUND          2311
#define IDS_KVORA_RECORD_SOUND          2312
#define IDS_KVORA_SPEECH                2313
#define IDS_KVORA_VIDEO                 2314
#define IDS_KVORA_BROWSE_VIDEO          2315
#define IDS_KVORA_TEST                  2316
#define IDS_KVORA_STOP                  2317
#define IDS_KVORA_SELECT_TTS            2318
#define IDS_KVORA_ERROR_CAPTION         2320
#define IDS_KVORA_BAD_PICTURE           2321
#define IDS_KVORA_BAD_SOUND             2322
#define IDS_KVORA_BAD_VIDEO             2323
#define IDS_KVORA_TOO_LONG              2324
#define IDS_KVORA_BAD_LABEL             2325
#define IDS_KVORA_BAD_SPEECH            2326
#define IDS_KVORA_BAD_PATH              2327
#define IDS_KVORA_SAVE_SOUND            2330
#define IDS_KVORA_SOUND_FILES           2331
#define IDS_KVORA_REPLACE_SOUND         2332
#define IDS_KVORA_SOUND_NOT_SAVED       2333
