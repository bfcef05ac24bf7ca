// The block command string as the editors and dialogs write it: its tokens, the words of the keys, and
// the tags of keys, pauses, infrared codes and mouse actions.
#pragma once
#include "command/AutoCommandSettings.h"
#include "command/CommandRefusal.h"
#include "command/CommandWords.h"
#include "command/LanguageKey.h"
#include <array>
#include <optional>
#include <string>
#include <vector>

// The configured words and keyboard tables the command writers work with, copied from the
// configuration (FileIO): the [KeyNames] words (the same words the set compiler and the USB driver
// program read) and the [Language] entries and AltGr keys of the keyboard layout.
struct CommandSyntax {
    std::array<std::string, CommandWords::kKeyNameCount> keyNames;
    std::array<LanguageKey, CommandWords::kLanguageKeyCount> language;
    std::array<int, CommandWords::kAltGrKeyCount> altGrKeys{};

    // A template on the configuration's type, because the configuration lives above the command
    // language: anything with FileIO's public keyNames_, languageKeys_ and altGrKeys_.
    template <class Configuration>
    static CommandSyntax From(const Configuration& settings)
    {
        CommandSyntax syntax;
        syntax.keyNames = settings.keyNames_;
        syntax.language = settings.languageKeys_;
        syntax.altGrKeys = settings.altGrKeys_;
        return syntax;
    }

    const std::string& Word(CommandWords::KeyName key) const { return keyNames[static_cast<size_t>(key)]; }
    const LanguageKey& Entry(CommandWords::LanguageEntry entry) const { return language[static_cast<size_t>(entry)]; }
    bool IsAltGrKey(int key) const;
    // The Special1 ... Special7 entry whose key code is the key, or null.
    const LanguageKey* SpecialOf(int key) const;
};

namespace command {

// The longest command the editor holds (in tokens) and the length it stays below (in characters).
constexpr size_t kMaxTokens = 256;
constexpr size_t kTextLimit = 500;
// The longest command a block stores.
constexpr size_t kMaxCommandLength = 256;

// Where each token of a command starts, followed by the command's length. A token is a plain
// character, or a tag: a '<' and everything up to and including the next '>' (to the end of the
// command when no '>' follows).
std::vector<size_t> TokenStarts(const std::string& command);
size_t TokenCount(const std::string& command);

// Which keys have a word of their own: the editor's set, or that set with the lock keys, Space and
// Print Screen, which the one-key boxes of the special-command dialog also name.
enum class KeySet { Editor, WithLocks };
// The word of a key that has one: its [KeyNames] word (which may be empty), or "F1" ... "F12";
// nothing for any other key.
std::optional<std::string> KeyWord(const CommandSyntax& syntax, int key, KeySet set = KeySet::Editor);

// Pause and Ctrl with Break: the keyboard has no such key, and the Pause word in a tag is always a
// pause, so the writers refuse them.
bool IsKeyTheKeyboardLacks(int key);
// "<" {Key} ">".
std::string NamedKeyTag(const CommandSyntax& syntax, CommandWords::KeyName key);
// The start of a tag with the modifiers held, in the order Ctrl, Alt, Shift and at most two of them
// (Ctrl, Alt and Shift together give the Ctrl-and-Alt head): "<", "<" {Ctrl} "+", "<" {Ctrl} "+"
// {Alt} "+", ...
std::string ModifierHead(const CommandSyntax& syntax, bool ctrl, bool alt, bool shift);
// The key part of a tag with modifiers: the key's word, {Space}, the [Language] character of a
// Special key, else the key code taken as a character (the capital letter of a letter key).
std::string CombinationKey(const CommandSyntax& syntax, int key);
// The fixed system combinations, in the order of the special-command dialog's list.
std::vector<std::string> FixedSpecialCommands(const CommandSyntax& syntax);

// The longest pause, 25 seconds, in tenths.
constexpr int kMaxPauseTenths = 250;
// Whether every tag of the text keeps to what the writers write: at most three words (so a head of at
// most two modifiers), and pauses of at most 25 seconds. Pasted text is held to them as typed text is.
bool KeepsToTagLimits(const CommandSyntax& syntax, const std::string& text);

// The seconds of a pause as the writers keep them: rounded to one decimal.
double RoundPause(double seconds);
// Reads a pause as the user types it (digits, one '.' or ',' as the decimal point); the seconds are
// rounded to one decimal. Refuses other characters, more than one decimal mark and more than 25
// seconds.
CommandRefusal ReadPauseSeconds(const std::string& text, double& seconds);
// "<" {Pause} seconds ">" with one decimal; empty when the seconds round to 0 (no pause).
std::string PauseTag(const CommandSyntax& syntax, double seconds);

// "<IR%d>" on a slot of the infrared code table.
std::string InfraredTag(int slot);

// Mouse tags, played by the USB driver program only.
enum class MouseDirection { Up, UpRight, Right, DownRight, Down, DownLeft, Left, UpLeft };
enum class MouseButton { Left, Right };
enum class MouseAction { Click, DoubleClick, Hold, Release };
std::string MouseMoveTag(MouseDirection direction, bool fast);
std::string MouseClickTag(MouseButton button, MouseAction action);
// reference: the three characters (R or P; W or S; 1, 2, 3, 4 or C).
std::string MousePositionTag(const char reference[3], int x, int y);

// Where the first content string stands in a command: from a delimiter outside a tag through the
// next delimiter. length 0 when the command holds none.
struct ContentStringPart {
    size_t at = 0;
    size_t length = 0;
};
ContentStringPart FindContentString(const std::string& command, char delimiter);

// The picture's word, file or code, by the automatic command's mode.
const std::string& AutomaticPart(const AutoCommandSettings& rule, const std::string& word, const std::string& file,
                                 const std::string& code);
// The command a picture chosen from an image base gets when the automatic command is on: the prefix,
// then the picture's word, file or code by the mode, then the suffix.
std::string AutomaticCommand(const AutoCommandSettings& rule, const std::string& word, const std::string& file,
                             const std::string& code);

} // namespace command
