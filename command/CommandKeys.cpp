// The keyboard layout as the command editors need it.
#include "command/CommandKeys.h"
#include <windows.h>
#include <algorithm>

bool KeyLayout::IsPunctuationKey(int key) const
{
    return key != 0 && std::find(punctuationKeys.begin(), punctuationKeys.end(), key) != punctuationKeys.end();
}

KeyLayout KeyLayout::OfThisThread()
{
    // The low byte of the lookup is the key; -1 (a character the layout cannot type) gives no key.
    auto keyOf = [](char c) {
        SHORT scan = ::VkKeyScanA(c);
        return scan == -1 ? 0 : scan & 0xFF;
    };
    KeyLayout layout;
    layout.lessThanKey = keyOf('<');
    for (char c : {'<', ',', '.', '\'', '-'})
        if (int key = keyOf(c))
            layout.punctuationKeys.push_back(key);
    return layout;
}
