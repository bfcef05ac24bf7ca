// Resource ids of our speech engine.
#pragma once

#define IDS_SILENT_VOICE    1
#define IDD_SETTINGS        100
#define IDC_RATE            1001
#define IDC_VOLUME          1002
