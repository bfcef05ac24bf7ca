// Resource ids of Morvel's own templates, menus and strings (the shared library's are in library/resource.h).
#pragma once
#include "library/resource.h"

// The document window and its keys (accelerator table 137, shared with the main window, whose
// commands the document window passes on to it).
#define IDD_DOCUMENT 168
#define IDR_DOCUMENT_KEYS 137
#define ID_DOC_ENTER 32771
#define ID_DOC_BACKSPACE 32773
#define ID_DOC_RIGHT 32779
#define ID_DOC_LEFT 32780
#define ID_DOC_DELETE 32782
#define ID_DOC_HOME 32783
#define ID_DOC_END 32784
#define ID_DOC_PAGE_UP 32785
#define ID_DOC_PAGE_DOWN 32786
#define ID_DOC_UP 32805
#define ID_DOC_DOWN 32806
#define ID_DOC_SHIFT_ENTER 32807
#define ID_DOC_NEGATION 32820
#define ID_DOC_ABANDON_SEQUENCE 32826
// The main window's commands in table 137.
#define ID_KEY_HELPER_MENU 32776
#define ID_KEY_NEXT_PAGE 32781
#define ID_KEY_PAUSE 32804
#define ID_KEY_NEW 32788
#define ID_KEY_READ_ALOUD 32790
#define ID_KEY_OPEN 32791
#define ID_KEY_PRINT 32796
#define ID_KEY_TAB 32809
#define ID_KEY_LARGE_PICTURE 32811
#define ID_KEY_INSERT_PICTURE 32812
#define ID_KEY_EXIT 32818

// The insert-picture browser, the word-to-picture search bar and the symbol chooser.
#include "morvel/pictures_ids.h"
#include "morvel/morvelwin_ids.h"
