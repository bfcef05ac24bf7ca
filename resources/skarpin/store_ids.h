// Strings of the set store's messages: the editor's refusals and the overlay commands' reports.
#pragma once

#define IDS_EDITOR_MISSING              4000
#define IDS_EDITOR_UNREADABLE_PRINT     4001
#define IDS_EDITOR_FILE_GONE            4002
#define IDS_EDITOR_TEMPLATES_FULL       4003
