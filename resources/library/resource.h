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
