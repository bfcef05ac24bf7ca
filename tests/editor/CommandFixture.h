// What the command editor tests share: the words and the Swedish keyboard tables of the sample
// configuration, and the key codes of a Swedish keyboard.
#pragma once
#include "editor/CommandKeys.h"
#include "editor/CommandSyntax.h"
#include <string>

namespace commandtest {

// Keys of the Swedish layout as Windows numbers them.
constexpr int kAcuteKey = 0xDB;      // ´ and, with Shift, ` (dead keys)
constexpr int kDiaeresisKey = 0xBA;  // ¨, ^ with Shift, ~ with AltGr (dead keys)
constexpr int kRingKey = 0xDD;       // å
constexpr int kUmlautAKey = 0xDE;    // ä
constexpr int kUmlautOKey = 0xC0;    // ö
constexpr int kLessKey = 0xE2;       // < and, with Shift, >
constexpr int kPlusKey = 0xBB;       // + (and \ with AltGr)

// The [KeyNames] of the sample configuration (the Pause word is "Paus").
CommandSyntax SampleWords();
// The sample words with the Swedish [Language] entries and AltGr keys of the sample configuration.
// withStartEnd false leaves out the Start and End entries, which swallow the '<' and '>' key.
CommandSyntax SwedishSyntax(bool withStartEnd = true);
// Ctrl, Alt and Shift as the system's key state keeps them: a modifier counts as held in its own
// key-down message and as let go in its key-up message.
class HeldModifiers {
public:
    KeyEvent Down(int key) { return Event(key, true); }
    KeyEvent Up(int key) { return Event(key, false); }

private:
    KeyEvent Event(int key, bool down);

    bool ctrl_ = false;
    bool alt_ = false;
    bool shift_ = false;
};

// The sample's [KeyNames] and [Language] sections as the configuration file holds them.
std::string SampleKeySections();
// The keys of '<' and of the punctuation a tag cannot hold on a Swedish keyboard.
KeyLayout SwedishLayout();

} // namespace commandtest
