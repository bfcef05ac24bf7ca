// The block command string: tokens, key words and the tags the writers produce.
#include "command/CommandSyntax.h"
#include "command/CommandReading.h"
#include "framework/Strings.h"
#include "library/IniValues.h"
#include "library/TypedDecimal.h"
#include <algorithm>
#include <cmath>

bool CommandSyntax::IsAltGrKey(int key) const
{
    return key != 0 && std::find(altGrKeys.begin(), altGrKeys.end(), key) != altGrKeys.end();
}

const LanguageKey* CommandSyntax::SpecialOf(int key) const
{
    for (size_t i = CommandWords::kSpecial1; i < language.size(); ++i)
        if (key != 0 && language[i].keyCode_ == key)
            return &language[i];
    return nullptr;
}

namespace command {

namespace {

// The [KeyNames] entry of a key that the editor names, or -1.
int EditorKeyName(int key)
{
    switch (key) {
    case VK_BACK: return CommandWords::kBackspace;
    case VK_TAB: return CommandWords::kTab;
    case VK_RETURN: return CommandWords::kReturn;
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: return CommandWords::kShift;
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return CommandWords::kCtrl;
    case VK_MENU: case VK_LMENU: case VK_RMENU: return CommandWords::kAlt;
    case VK_ESCAPE: return CommandWords::kEsc;
    case VK_PRIOR: return CommandWords::kPageUp;
    case VK_NEXT: return CommandWords::kPageDown;
    case VK_END: return CommandWords::kEnd;
    case VK_HOME: return CommandWords::kHome;
    case VK_LEFT: return CommandWords::kLeft;
    case VK_UP: return CommandWords::kUp;
    case VK_RIGHT: return CommandWords::kRight;
    case VK_DOWN: return CommandWords::kDown;
    case VK_INSERT: return CommandWords::kInsert;
    case VK_DELETE: return CommandWords::kDelete;
    case VK_NUMPAD0: return CommandWords::kNum0;
    case VK_MULTIPLY: return CommandWords::kNumMultiply;
    case VK_ADD: return CommandWords::kNumAdd;
    case VK_SUBTRACT: return CommandWords::kNumSubtract;
    case VK_DECIMAL: return CommandWords::kNumDecimal;
    case VK_DIVIDE: return CommandWords::kNumDivide;
    }
    if (key >= VK_NUMPAD1 && key <= VK_NUMPAD9)
        return CommandWords::kNum1 + (key - VK_NUMPAD1);
    return -1;
}

int LockKeyName(int key)
{
    switch (key) {
    case VK_CAPITAL: return CommandWords::kCapsLock;
    case VK_SPACE: return CommandWords::kSpace;
    case VK_SNAPSHOT: return CommandWords::kPrintScreen;
    case VK_NUMLOCK: return CommandWords::kNumLock;
    case VK_SCROLL: return CommandWords::kScrollLock;
    }
    return -1;
}

std::string Tag(const std::string& inside)
{
    return "<" + inside + ">";
}

} // namespace

std::vector<size_t> TokenStarts(const std::string& command)
{
    std::vector<size_t> starts;
    size_t i = 0;
    while (i < command.size()) {
        starts.push_back(i);
        if (command[i] == '<') {
            size_t close = command.find('>', i + 1);
            i = close == std::string::npos ? command.size() : close + 1;
        } else {
            ++i;
        }
    }
    starts.push_back(command.size());
    return starts;
}

size_t TokenCount(const std::string& command)
{
    return TokenStarts(command).size() - 1;
}

std::optional<std::string> KeyWord(const CommandSyntax& syntax, int key, KeySet set)
{
    int name = EditorKeyName(key);
    if (name < 0 && set == KeySet::WithLocks)
        name = LockKeyName(key);
    if (name >= 0)
        return syntax.Word(static_cast<CommandWords::KeyName>(name));
    if (key >= VK_F1 && key <= VK_F12)
        return "F" + std::to_string(key - VK_F1 + 1);
    return std::nullopt;
}

bool IsKeyTheKeyboardLacks(int key)
{
    return key == VK_PAUSE || key == VK_CANCEL;
}

std::string NamedKeyTag(const CommandSyntax& syntax, CommandWords::KeyName key)
{
    return Tag(syntax.Word(key));
}

std::string ModifierHead(const CommandSyntax& syntax, bool ctrl, bool alt, bool shift)
{
    std::string head = "<";
    if (ctrl)
        head += syntax.Word(CommandWords::kCtrl) + "+";
    if (alt)
        head += syntax.Word(CommandWords::kAlt) + "+";
    // A tag holds at most two modifiers: Shift gives way when Ctrl and Alt are both held.
    if (shift && !(ctrl && alt))
        head += syntax.Word(CommandWords::kShift) + "+";
    return head;
}

std::string CombinationKey(const CommandSyntax& syntax, int key)
{
    if (std::optional<std::string> word = KeyWord(syntax, key))
        return *word;
    if (key == VK_SPACE)
        return syntax.Word(CommandWords::kSpace);
    if (const LanguageKey* special = syntax.SpecialOf(key))
        return std::string(1, static_cast<char>(special->character_));
    return std::string(1, static_cast<char>(key));
}

std::vector<std::string> FixedSpecialCommands(const CommandSyntax& syntax)
{
    const std::string& ctrl = syntax.Word(CommandWords::kCtrl);
    const std::string& alt = syntax.Word(CommandWords::kAlt);
    std::vector<std::string> commands = {
        Tag(ctrl + "+" + alt + "+" + syntax.Word(CommandWords::kDelete)),
        Tag(ctrl + "+" + syntax.Word(CommandWords::kEsc)),
        Tag(alt + "+" + syntax.Word(CommandWords::kEsc)),
        Tag(alt + "+F4"),
        Tag(alt + "+" + syntax.Word(CommandWords::kPrintScreen)),
        Tag(alt + "+" + syntax.Word(CommandWords::kSpace)),
        Tag(alt + "+" + syntax.Word(CommandWords::kTab)),
    };
    for (const char* letter : {"E", "I", "L", "P", "S"})
        commands.push_back(Tag(alt + "+" + letter));
    for (CommandWords::KeyName key : {CommandWords::kCapsLock, CommandWords::kNumLock, CommandWords::kScrollLock, CommandWords::kPrintScreen})
        commands.push_back(NamedKeyTag(syntax, key));
    return commands;
}

double RoundPause(double seconds)
{
    // The small margin keeps a typed half (0.05, 0.15 ...) from falling below it in binary.
    return std::floor(seconds * 10.0 + 0.5 + 1e-9) / 10.0;
}

CommandRefusal ReadPauseSeconds(const std::string& text, double& seconds)
{
    // Digits and one decimal mark: "1.2.3" or "1,2,5" is no number, and is not read in part. An
    // empty box is no pause.
    double typedSeconds = 0.0;
    if (text.find_first_not_of("0123456789.,") != std::string::npos ||
        (!text.empty() && !typed::ReadDecimal(text, typedSeconds)))
        return CommandRefusal::PauseCharacters;
    double rounded = RoundPause(typedSeconds);
    if (rounded > kMaxPauseTenths / 10.0)
        return CommandRefusal::PauseTooLong;
    seconds = rounded;
    return CommandRefusal::None;
}

bool KeepsToTagLimits(const CommandSyntax& syntax, const std::string& text)
{
    const std::vector<size_t> starts = TokenStarts(text);
    for (size_t token = 0; token + 1 < starts.size(); ++token) {
        if (text[starts[token]] != '<')
            continue;
        std::string tag = text.substr(starts[token] + 1, starts[token + 1] - starts[token] - 1);
        if (!tag.empty() && tag.back() == '>')
            tag.pop_back();
        // The "<Run " form of a program start holds a path, whose '+' joins no words.
        if (tag.compare(0, 4, "Run ") == 0)
            continue;
        bool leftOut = false;
        for (const std::string& word : TagWords(tag, &leftOut)) {
            int tenths = 0;
            if (IsPauseWord(word, syntax.Word(CommandWords::kPause), &tenths) && tenths > kMaxPauseTenths)
                return false;
        }
        if (leftOut)
            return false;
    }
    return true;
}

std::string PauseTag(const CommandSyntax& syntax, double seconds)
{
    double rounded = RoundPause(seconds);
    if (rounded <= 0.0)
        return std::string();
    return Tag(syntax.Word(CommandWords::kPause) + ini::FormatDecimal(rounded));
}

std::string InfraredTag(int slot)
{
    return fw::Format("<IR%d>", slot);
}

std::string MouseMoveTag(MouseDirection direction, bool fast)
{
    static const char* const kDirections[] = {" U", " R U", " R", " R D", " D", " L D", " L", " L U"};
    return std::string("<Mouse Move") + kDirections[static_cast<int>(direction)] + (fast ? " F>" : " S>");
}

std::string MouseClickTag(MouseButton button, MouseAction action)
{
    static const char* const kActions[] = {" 1X", " 2X", " D", " U"};
    return std::string("<Mouse Click") + (button == MouseButton::Left ? " L" : " R") +
           kActions[static_cast<int>(action)] + ">";
}

std::string MousePositionTag(const char reference[3], int x, int y)
{
    return fw::Format("%s %c%c%c %d %d>", "<Mouse Pos", reference[0], reference[1], reference[2], x, y);
}

ContentStringPart FindContentString(const std::string& command, char delimiter)
{
    for (size_t at = 0; at < command.size(); ++at) {
        if (command[at] == '<' && delimiter != '<') {
            const size_t close = command.find('>', at);
            if (close == std::string::npos)
                break;
            at = close;
            continue;
        }
        if (command[at] != delimiter)
            continue;
        const size_t close = command.find(delimiter, at + 1);
        if (close == std::string::npos)
            break;
        return ContentStringPart{at, close + 1 - at};
    }
    return ContentStringPart{};
}

const std::string& AutomaticPart(const AutoCommandSettings& rule, const std::string& word, const std::string& file,
                                 const std::string& code)
{
    return rule.mode_ == AutoCommandSettings::kPictureFile   ? file
           : rule.mode_ == AutoCommandSettings::kPictureCode ? code
                                                             : word;
}

std::string AutomaticCommand(const AutoCommandSettings& rule, const std::string& word, const std::string& file,
                             const std::string& code)
{
    return rule.prefix_ + AutomaticPart(rule, word, file, code) + rule.suffix_;
}

} // namespace command
