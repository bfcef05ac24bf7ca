// The numbering of the configured words a block command is written with: the [KeyNames] words (the
// same words the set compiler and the USB driver program read) and the [Language] entries of the
// keyboard layout. The configuration reads them into arrays in this order; the writers and readers
// of commands index those arrays by these names.
#pragma once

struct CommandWords {
    static constexpr int kKeyNameCount = 39;
    static constexpr int kLanguageKeyCount = 14;
    static constexpr int kAltGrKeyCount = 25;

    // Indexes into the key names, in the order of the [KeyNames] keys.
    enum KeyName {
        kReturn, kBackspace, kCtrl, kAlt, kDelete, kShift, kTab, kEsc, kInsert, kHome, kEnd, kPageUp,
        kPageDown, kRight, kLeft, kUp, kDown, kCapsLock, kNumLock, kScrollLock, kSpace, kPrintScreen,
        kPause, kNum1, kNum2, kNum3, kNum4, kNum5, kNum6, kNum7, kNum8, kNum9, kNum0, kNumMultiply,
        kNumAdd, kNumSubtract, kNumDivide, kNumDecimal, kNum
    };
    // Indexes into the language keys, in the order of the [Language] keys.
    enum LanguageEntry {
        kGrave, kAicu, kCirconFlex, kDots, kApprox, kLanguageStart, kLanguageEnd, kSpecial1, kSpecial2, kSpecial3,
        kSpecial4, kSpecial5, kSpecial6, kSpecial7
    };
};
