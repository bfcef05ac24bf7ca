// Resource ids of the keyboard settings dialogs (model 208, feedback 147, key timing 146, repetition
// 1600) and of the main window's drag and drop and settings commands.
#pragma once

#define IDD_KEYS                    146
#define IDD_FEEDBACK                147
#define IDD_KEYBOARD_MODEL          208
#define IDD_REPETITION              1600

// The texts beside the radio groups, shared by the templates.
#define IDC_KBD_TEXT1               1291
#define IDC_KBD_TEXT2               1292
#define IDC_KBD_TEXT3               1293
#define IDC_KBD_TEXT4               1294
#define IDC_KBD_TEXT5               1295
// Key timing: AF off, 0.1 ... 2.0 (1073-1080); SS off, 0.1 ... 2.0 (1081-1088).
#define IDC_KEYS_AF_FIRST           1073
#define IDC_KEYS_SS_FIRST           1081
// Repetition: FD 0.1 ... 2.0 (1000-1006); RT 0.1 ... 2.0 (1007-1013).
#define IDC_REPEAT_FD_FIRST         1000
#define IDC_REPEAT_RT_FIRST         1007
#define IDC_FEEDBACK_LIGHT          1074
#define IDC_FEEDBACK_SOUND          1075
#define IDC_MODEL_USB               1200
#define IDC_MODEL_PS2               1201
#define IDC_MODEL_ACCESS            1220

#define IDS_MODEL_CAPTION           3300
#define IDS_MODEL_SET_FOR           3301
#define IDS_MODEL_USB_RADIO         3302
#define IDS_MODEL_PS2_RADIO         3303
#define IDS_MODEL_ACCESS_RADIO      3304
#define IDS_FEEDBACK_CAPTION        3305
#define IDS_FEEDBACK_SOUND          3306
#define IDS_FEEDBACK_LIGHT          3307
#define IDS_KEYS_CAPTION            3308
#define IDS_KEYS_AF                 3309
#define IDS_KEYS_SS                 3310
#define IDS_KEYS_EXCLUSIVE          3311
#define IDS_KBD_SECONDS             3312
#define IDS_KBD_OFF                 3313
#define IDS_REPEAT_CAPTION          3314
#define IDS_REPEAT_FD               3315
#define IDS_REPEAT_RT               3316
#define IDS_REPEAT_SECONDS_BETWEEN  3317

#define IDS_CURRENT_SET_READ_ONLY   3320
#define IDS_DROP_NUMBER_TAKEN       3321
#define IDS_DROP_COPY_TO_NUMBER     3322
#define IDS_DROP_MOVE_TO_NUMBER     3323
#define IDS_DROP_COPY_TO_SET        3324
#define IDS_DROP_MOVE_TO_SET        3325
#define IDS_DROP_COPY_TO_TEMPLATES  3326
#define IDS_DROP_MOVE_TO_TEMPLATES  3327
#define IDS_SETTINGS_NOT_WRITTEN    3328
#define IDS_SETTINGS_OVERLAYS_GONE  3329
