// Resource ids of Skarpin's own templates, menus and strings (the shared library's are in library/resource.h).
#pragma once
#include "library/resource.h"

// Taking over a set of the older format: the dialog and its question when the name is taken
#define IDD_GET_OLD_SET             1602
#define IDC_OLDSET_INTRO            1620
#define IDC_OLDSET_PROMPT           1621
#define IDC_OLDSET_LIST             1622
#define IDS_OLDSET_NAME_TAKEN       1950
#define IDS_OLDSET_CAPTION          1951
