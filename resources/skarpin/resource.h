// Resource ids of Skarpin's own templates, menus and strings (the shared library's are in library/resource.h).
#pragma once
#include "library/resource.h"

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

// The overlay list's drag cursors: a page with an arrow, and the same with a plus sign for a copy
#define IDCUR_DRAG_MOVE 203
#define IDCUR_DRAG_COPY 204
