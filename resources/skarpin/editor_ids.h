// The overlay editor: its window, menus, accelerators, commands and strings.
#pragma once

#define IDD_EDIT_OVERLAY                129
#define IDR_EDITOR_CONTEXT_MENU         130
#define IDR_EDITOR_MENU                 134
#define IDR_EDITOR_ACCELERATORS         165

// Commands of the editor's menus and keys
#define ID_EDITOR_DEFINE                901
#define ID_EDITOR_CUT                   902
#define ID_EDITOR_SAVE_AND_LOAD         903
#define ID_EDITOR_CLEAR_SELECTION       904
#define ID_EDITOR_PLACE_MARKER          905
#define ID_EDITOR_PASTE                 906
#define ID_EDITOR_COPY                  1701
#define ID_EDITOR_DELETE                1702
#define ID_EDITOR_VIEW_LAYOUT           1751
#define ID_EDITOR_VIEW_COMMAND          1752
#define ID_EDITOR_VIEW_BACKGROUND       1753
#define ID_EDITOR_PLACE_MARKER_KEY      32772
#define ID_EDITOR_DEFINE_KEY            32773
#define ID_EDITOR_MARKER_RIGHT          32796
#define ID_EDITOR_MARKER_LEFT           32797
#define ID_EDITOR_MARKER_UP             32798
#define ID_EDITOR_MARKER_DOWN           32799
#define ID_EDITOR_MARKER_CLICK          32800
#define ID_EDITOR_COLOR                 32815
#define ID_EDITOR_FONT                  32816
#define ID_EDITOR_TEXT_PLACEMENT        32817
#define ID_EDITOR_CLOSE_KEY             32819
#define ID_EDITOR_OPEN                  57601
#define ID_EDITOR_CLOSE                 57602
#define ID_EDITOR_SAVE                  57603
#define ID_EDITOR_PRINT                 57607
#define ID_EDITOR_UNDO                  57643

// Strings of the editor
#define IDS_EDITOR_NEW_BLOCK            3200
#define IDS_EDITOR_CHANGE_BLOCK         3201
#define IDS_EDITOR_NEW_BACKGROUND       3202
#define IDS_EDITOR_CHANGE_BACKGROUND    3203
#define IDS_EDITOR_UNDO                 3204
#define IDS_EDITOR_UNDO_MOVE            3205
#define IDS_EDITOR_UNDO_RESIZE          3206
#define IDS_EDITOR_UNDO_CUT             3207
#define IDS_EDITOR_UNDO_PASTE           3208
#define IDS_EDITOR_UNDO_DELETE          3209
#define IDS_EDITOR_UNDO_DEFINE          3210
#define IDS_EDITOR_COMMAND_WORD         3211
#define IDS_EDITOR_BACKGROUND_WORD      3212
#define IDS_EDITOR_NEW_NAME             3213
#define IDS_EDITOR_CANNOT_PLACE         3214
#define IDS_EDITOR_COPY_CAPTION         3215
#define IDS_EDITOR_RESIZE_CAPTION       3216
#define IDS_EDITOR_MOVE_CAPTION         3217
#define IDS_EDITOR_PASTE_CAPTION        3218
#define IDS_EDITOR_DELETE_QUESTION      3219
#define IDS_EDITOR_DELETE_CAPTION       3220
#define IDS_EDITOR_NO_CELLS             3221
#define IDS_EDITOR_CELLS_NOT_JOINED     3222
#define IDS_EDITOR_SAVE_QUESTION        3224
#define IDS_EDITOR_SAVE_CAPTION         3225
#define IDS_EDITOR_READ_ONLY_CLOSE      3226
#define IDS_EDITOR_NOT_SAVED            3227
#define IDS_EDITOR_UNSTORABLE_ON_OPEN   3228
#define IDS_EDITOR_UNSTORABLE_ON_SAVE   3229
#define IDS_EDITOR_KEY_BLOCK            3230
#define IDS_EDITOR_BACKGROUND_BLOCK     3231
#define IDS_EDITOR_FIELD_CELLS          3232
#define IDS_EDITOR_FIELD_COMMAND        3233
#define IDS_EDITOR_FIELD_PICTURE        3234
#define IDS_EDITOR_FIELD_FONT           3235
#define IDS_EDITOR_FIELD_TEXT           3236
#define IDS_EDITOR_DAMAGED              3237
#define IDS_EDITOR_NO_NAME              3238
#define IDS_EDITOR_NOT_REGISTERED       3239
#define IDS_EDITOR_FLAG_NOT_SAVED       3290
