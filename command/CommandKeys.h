// What the command editors know of one keyboard message, and of the keyboard layout.
#pragma once
#include <vector>

// A key going down or up: its virtual-key code and the modifiers held as the message arrives.
struct KeyEvent {
    int key = 0;
    bool ctrl = false;
    bool alt = false;
    bool shift = false;
};

// The keys of the layout that type characters a tag cannot hold, found with the platform's key-scan
// lookup: '<' opens a tag; ',', '.', '\'' and '-' are swallowed with Ctrl or Alt as well.
struct KeyLayout {
    int lessThanKey = 0;
    std::vector<int> punctuationKeys;

    bool IsPunctuationKey(int key) const;
    // The layout of the calling thread's keyboard.
    static KeyLayout OfThisThread();
};
