// One key combination of the keyboard layout that the command editor must know: a dead (accent) key,
// the keys it swallows, or a key that gives a special character.
#pragma once

struct LanguageKey {
    // True when the key and the three modifier states are this entry's.
    bool Matches(int keyCode, int ctrl, int alt, int shift) const
    {
        return keyCode == keyCode_ && ctrl == ctrl_ && alt == alt_ && shift == shift_;
    }

    int keyCode_ = 0;   // virtual-key code
    int character_ = 0; // 0-255; only the special entries carry one
    int alt_ = 0;
    int ctrl_ = 0;
    int shift_ = 0;
};
