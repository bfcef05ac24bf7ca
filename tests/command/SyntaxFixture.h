// The command language as the sample configuration sets it: its words, the Swedish keyboard tables,
// and the key codes of a Swedish keyboard. Shared by the command language's tests and the editors'.
#pragma once
#include "command/CommandKeys.h"
#include "command/CommandSyntax.h"
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
// The sample's [KeyNames] and [Language] sections as the configuration file holds them.
std::string SampleKeySections();
// The keys of '<' and of the punctuation a tag cannot hold on a Swedish keyboard.
KeyLayout SwedishLayout();

} // namespace commandtest
