// The command editor's keys, characters, clicks and pastes on the token model.
#include "editor/CommandEditModel.h"
#include <windows.h>
#include <algorithm>

namespace {

bool IsModifierKey(int key)
{
    return key == VK_CONTROL || key == VK_MENU || key == VK_SHIFT || (key >= VK_LSHIFT && key <= VK_RMENU);
}

// Whether the modifier key (Ctrl, Alt or Shift, either side) was held in the key event.
bool IsHeldIn(const KeyEvent& key, int modifier)
{
    switch (modifier) {
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return key.ctrl;
    case VK_MENU: case VK_LMENU: case VK_RMENU: return key.alt;
    default: return key.shift;
    }
}

// A '<' with no '>' after it: as a tag it would swallow everything that follows.
bool HasOpenTag(const std::string& text)
{
    size_t open = text.rfind('<');
    return open != std::string::npos && text.find('>', open) == std::string::npos;
}

} // namespace

void CommandEditModel::SetSyntax(const CommandSyntax& syntax, const KeyLayout& layout)
{
    syntax_ = syntax;
    layout_ = layout;
}

void CommandEditModel::SetText(const std::string& text)
{
    text_ = text;
    tokens_ = command::TokenStarts(text_);
    literalNext_ = false;
    selectionFirst_ = caret_ = TokenCount();
    Show();
    view_.CaretTokenChanged(caret_);
}

bool CommandEditModel::InsertText(const std::string& text)
{
    return ReplaceSelection(text);
}

bool CommandEditModel::Paste(const std::string& text)
{
    bool control = std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (control || HasOpenTag(text) || !command::KeepsToTagLimits(syntax_, text)) {
        view_.Beep();
        return false;
    }
    if (!ReplaceSelection(text))
        return false;
    view_.Notify(1);
    return true;
}

void CommandEditModel::SetCaretToken(size_t token)
{
    selectionFirst_ = caret_ = std::min(token, TokenCount());
    Show();
    view_.CaretTokenChanged(caret_);
}

void CommandEditModel::FocusGained()
{
    handled_ = true;
    heldKeys_.clear();
    ctrlSeen_ = altSeen_ = shiftSeen_ = false;
}

void CommandEditModel::SelectCharacters(size_t start, size_t end)
{
    if (start > end)
        std::swap(start, end);
    // The token that holds the start, and the first token that starts at or after the end.
    size_t first = static_cast<size_t>(std::upper_bound(tokens_.begin(), tokens_.end(), start) - tokens_.begin()) - 1;
    first = std::min(first, TokenCount());
    size_t last = static_cast<size_t>(std::lower_bound(tokens_.begin(), tokens_.end(), end) - tokens_.begin());
    last = std::max(std::min(last, TokenCount()), first);
    if (first == selectionFirst_ && last == caret_)
        return;
    bool moved = last != caret_;
    selectionFirst_ = first;
    caret_ = last;
    Show();
    if (moved)
        view_.CaretTokenChanged(caret_);
}

void CommandEditModel::DeleteSelection()
{
    if (selectionFirst_ != caret_)
        DeleteTokens(selectionFirst_, caret_);
}

void CommandEditModel::KeyDown(const KeyEvent& key)
{
    if (!IsModifierKey(key.key))
        heldKeys_[key.key] = key;
    passCharacter_ = true;
    handled_ = false;
    ctrlSeen_ = ctrlSeen_ || key.ctrl;
    altSeen_ = altSeen_ || key.alt;
    shiftSeen_ = shiftSeen_ || key.shift;
    const bool altGr = key.ctrl && key.alt && syntax_.IsAltGrKey(key.key);

    // Keys whose character must not be typed: the release makes their tag.
    if (key.key == VK_RETURN)
        passCharacter_ = false;
    if (literalNext_ && (key.key == VK_BACK || key.key == VK_TAB))
        passCharacter_ = false;
    // With Ctrl or Alt (not as AltGr) a key never types: its release makes a tag or nothing. Some
    // layouts give a character even then (Wine gives å for Ctrl with the å key).
    if ((key.ctrl || key.alt) && !altGr)
        passCharacter_ = false;
    if (key.key == VK_SPACE && key.shift)
        passCharacter_ = false;
    if (key.key >= VK_NUMPAD0 && key.key <= VK_DIVIDE)
        passCharacter_ = false;

    if (key.key == VK_NUMLOCK || key.key == VK_SCROLL) {
        handled_ = true;
    } else if (IsSwallowedKey(key, altGr)) {
        // Nothing is written, not even for the modifiers that went with the key when they are let go.
        passCharacter_ = false;
        handled_ = true;
        ctrlSeen_ = altSeen_ = shiftSeen_ = false;
    } else if (!key.ctrl && !key.shift && !literalNext_) {
        EditingKey(key.key);
    }
    if (TokenCount() >= command::kMaxTokens)
        passCharacter_ = false;
}

// Dead keys (their character comes with the next key), the keys configured as Start and End, and with
// Ctrl or Alt the keys of '<' and the punctuation a tag cannot hold.
bool CommandEditModel::IsSwallowedKey(const KeyEvent& key, bool altGr) const
{
    for (size_t entry = CommandWords::kGrave; entry <= CommandWords::kLanguageEnd; ++entry)
        if (syntax_.language[entry].Matches(key.key, key.ctrl, key.alt, key.shift))
            return true;
    return (key.ctrl || key.alt) && !altGr && layout_.IsPunctuationKey(key.key);
}

void CommandEditModel::EditingKey(int key)
{
    switch (key) {
    case VK_RIGHT:
        if (selectionFirst_ != caret_)
            MoveCaret(caret_);
        else if (caret_ < TokenCount() && caret_ < command::kMaxTokens)
            MoveCaret(caret_ + 1);
        else
            view_.Beep();
        break;
    case VK_LEFT:
        if (selectionFirst_ != caret_)
            MoveCaret(selectionFirst_);
        else if (caret_ > 0)
            MoveCaret(caret_ - 1);
        else
            view_.Beep();
        break;
    case VK_UP:
    case VK_DOWN:
        view_.Beep();
        break;
    case VK_DELETE:
        if (selectionFirst_ != caret_)
            DeleteTokens(selectionFirst_, caret_);
        else if (caret_ < TokenCount())
            DeleteTokens(caret_, caret_ + 1);
        else
            view_.Beep();
        break;
    case VK_BACK:
        passCharacter_ = false;
        if (selectionFirst_ != caret_)
            DeleteTokens(selectionFirst_, caret_);
        else if (caret_ > 0)
            DeleteTokens(caret_ - 1, caret_);
        else
            view_.Beep();
        break;
    case VK_TAB:
        passCharacter_ = false;
        view_.Notify(1);
        view_.MoveFocus();
        break;
    default:
        return;
    }
    handled_ = true;
}

void CommandEditModel::Character(unsigned char c)
{
    // Control characters (the line break, Tab, Ctrl with a letter) are never part of a command.
    if (!passCharacter_ || c < 0x20 || c == 0x7F)
        return;
    // A '<' would open a tag that swallows the text after it.
    if (c == '<') {
        view_.Beep();
        return;
    }
    // A dead key that does not combine sends two characters for one key: both are typed.
    if (ReplaceSelection(std::string(1, static_cast<char>(c)))) {
        literalNext_ = false;
        ctrlSeen_ = altSeen_ = shiftSeen_ = false;
        view_.Notify(1);
    }
}

bool CommandEditModel::IsHeldWithKey(int modifier) const
{
    return std::any_of(heldKeys_.begin(), heldKeys_.end(),
                       [&](const auto& held) { return IsHeldIn(held.second, modifier); });
}

void CommandEditModel::KeyUp(const KeyEvent& released)
{
    KeyEvent key = released;
    if (IsModifierKey(key.key) && IsHeldWithKey(key.key)) {
        // Let go before the key it went down with: that key's release makes the tag.
        SeenFlag(key.key) = false;
        return;
    }
    if (auto held = heldKeys_.find(key.key); held != heldKeys_.end()) {
        key = held->second;
        heldKeys_.erase(held);
    }
    if (handled_ || (IsModifierKey(key.key) && !SeenFlag(key.key)))
        return;
    if (key.key == VK_ESCAPE && !literalNext_) {
        literalNext_ = true;
        view_.Notify(2);
        return;
    }
    if (command::IsKeyTheKeyboardLacks(key.key)) {
        // Nothing the keyboard could send stands for it: the user hears that the key was not taken.
        ctrlSeen_ = altSeen_ = shiftSeen_ = false;
        view_.Beep();
        return;
    }
    if (key.key == VK_SNAPSHOT)
        return;
    const std::string head = command::ModifierHead(syntax_, key.ctrl, key.alt, key.shift);
    if (TokenCount() >= command::kMaxTokens) {
        ctrlSeen_ = altSeen_ = shiftSeen_ = false;  // one beep for a refused combination
        view_.Beep();
        return;
    }
    if (key.key == VK_SPACE && (key.ctrl || key.alt || key.shift)) {
        CompleteTag(head + syntax_.Word(CommandWords::kSpace) + ">");
        return;
    }
    if (std::optional<std::string> word = command::KeyWord(syntax_, key.key)) {
        CompleteTag(head + *word + ">");
        return;
    }
    const bool altGr = key.ctrl && key.alt && syntax_.IsAltGrKey(key.key);
    const bool commandModifier = (key.ctrl || key.alt) && !altGr;
    // Without Ctrl or Alt (or as AltGr) the key typed its character, if it has one, as it went down; a
    // key past 127 that is no Special key gives nothing with them. Either way the modifiers were used.
    if (!commandModifier || (key.key >= 128 && !syntax_.SpecialOf(key.key))) {
        if (!IsModifierKey(key.key))
            ctrlSeen_ = altSeen_ = shiftSeen_ = false;
        return;
    }
    CompleteTag(head + command::CombinationKey(syntax_, key.key) + ">");
}

void CommandEditModel::Click(size_t position)
{
    if (position >= text_.size()) {
        MoveCaret(TokenCount());
        return;
    }
    size_t token = static_cast<size_t>(std::upper_bound(tokens_.begin(), tokens_.end(), position) - tokens_.begin()) - 1;
    if (tokens_[token] == position)
        MoveCaret(token);
    else
        view_.Beep();
}

void CommandEditModel::CompleteTag(const std::string& tag)
{
    if (ReplaceSelection(tag)) {
        ResetKeyFlags();
        view_.Notify(1);
    }
}

void CommandEditModel::ResetKeyFlags()
{
    literalNext_ = false;
    passCharacter_ = false;
    ctrlSeen_ = altSeen_ = shiftSeen_ = false;
}

bool& CommandEditModel::SeenFlag(int modifier)
{
    switch (modifier) {
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL: return ctrlSeen_;
    case VK_MENU: case VK_LMENU: case VK_RMENU: return altSeen_;
    default: return shiftSeen_;
    }
}

bool CommandEditModel::ReplaceSelection(const std::string& insert)
{
    const size_t from = tokens_[selectionFirst_];
    const std::string replaced = text_.substr(0, from) + insert + text_.substr(tokens_[caret_]);
    if (replaced.size() >= textLimit_ || command::TokenCount(replaced) > command::kMaxTokens) {
        view_.Beep();
        return false;
    }
    text_ = replaced;
    tokens_ = command::TokenStarts(text_);
    size_t after = static_cast<size_t>(std::lower_bound(tokens_.begin(), tokens_.end(), from + insert.size()) - tokens_.begin());
    selectionFirst_ = caret_ = std::min(after, TokenCount());
    Show();
    view_.CaretTokenChanged(caret_);
    return true;
}

void CommandEditModel::DeleteTokens(size_t first, size_t last)
{
    text_.erase(tokens_[first], tokens_[last] - tokens_[first]);
    tokens_ = command::TokenStarts(text_);
    selectionFirst_ = caret_ = first;
    Show();
    view_.CaretTokenChanged(caret_);
}

void CommandEditModel::MoveCaret(size_t token)
{
    bool moved = token != caret_;
    selectionFirst_ = caret_ = token;
    Show();
    if (moved)
        view_.CaretTokenChanged(caret_);
}

void CommandEditModel::Show()
{
    view_.Show(text_, SelectionStart(), SelectionEnd());
}
