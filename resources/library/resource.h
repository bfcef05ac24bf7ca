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
