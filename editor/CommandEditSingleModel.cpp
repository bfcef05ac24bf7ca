// The one-key box: catching a key and its release.
#include "editor/CommandEditSingleModel.h"
#include <windows.h>

namespace {

bool IsAltKey(int key)
{
    return key == VK_MENU || key == VK_LMENU || key == VK_RMENU;
}

bool IsCtrlKey(int key)
{
    return key == VK_CONTROL || key == VK_LCONTROL || key == VK_RCONTROL;
}

} // namespace

void CommandEditSingleModel::SetSyntax(const CommandSyntax& syntax, const KeyLayout& layout)
{
    syntax_ = syntax;
    layout_ = layout;
}

void CommandEditSingleModel::KeyDown(const KeyEvent& key, bool repeat)
{
    if (repeat)
        return;
    if (caughtKey_ != 0) {
        // One key per box: Alt joining a held Ctrl (AltGr) hands on to the next box; anything else is refused.
        if (IsAltKey(key.key) && key.ctrl) {
            view_.Notify(6, position_);
        } else {
            view_.Notify(3, 0);
            if (!beeped_)
                view_.Beep();
            beeped_ = true;
        }
        return;
    }
    if (key.ctrl && key.alt && !IsCtrlKey(key.key))
        return;
    passCharacter_ = true;
    if (!literalNext_) {
        if (key.key == VK_TAB) {
            passCharacter_ = false;
            view_.Notify(3, 1);
            view_.MoveFocus(key.shift);
            return;
        }
        backspaceOrDelete_ = key.key == VK_BACK || key.key == VK_DELETE;
    }
    caughtKey_ = key.key;
    if (key.key == VK_ESCAPE && !literalNext_) {
        passCharacter_ = false;  // its release turns literal-next on
        return;
    }
    if (key.key == layout_.lessThanKey) {
        passCharacter_ = false;  // a '<' would open a tag inside the composed command
        view_.ShowWord(std::string());
    } else if (std::optional<std::string> word = command::KeyWord(syntax_, key.key, command::KeySet::WithLocks)) {
        passCharacter_ = false;
        view_.ShowWord(*word);
    } else {
        view_.ShowWord(std::string());
    }
    view_.Notify(1, key.key);
}

bool CommandEditSingleModel::Character(unsigned char c)
{
    // The box's character becomes a word of a tag: a '<' would open another, a '>' end it and a '+'
    // split the word, so the box stays empty and the dialog refuses the key.
    if (!passCharacter_ || c < 0x20 || c == 0x7F || c == '<' || c == '>' || c == '+')
        return false;
    passCharacter_ = false;
    return true;
}

void CommandEditSingleModel::KeyUp(const KeyEvent& key)
{
    beeped_ = false;
    if (caughtKey_ == 0) {
        // Ctrl let go while Alt stays down: the box takes Alt (the second word of Ctrl and Alt).
        if (IsCtrlKey(key.key) && key.alt) {
            view_.ShowWord(syntax_.Word(CommandWords::kAlt));
            view_.Notify(2, PositionCode(VK_MENU));
        }
        return;
    }
    if (key.key != caughtKey_)
        return;
    caughtKey_ = 0;
    if (key.key == VK_ESCAPE && !literalNext_) {
        literalNext_ = true;
        view_.Notify(3, 2);
        return;
    }
    view_.Notify(3, 1);
    literalNext_ = false;
    if (key.key == VK_CAPITAL || key.key == VK_NUMLOCK)
        view_.RestoreKeyboard();
    if (backspaceOrDelete_) {
        backspaceOrDelete_ = false;
        view_.Notify(4, position_);
    } else {
        view_.Notify(2, PositionCode(key.key));
    }
}

void CommandEditSingleModel::FocusGained()
{
    view_.Notify(5, position_);
}

void CommandEditSingleModel::FocusLost()
{
    caughtKey_ = 0;
    beeped_ = false;
    backspaceOrDelete_ = false;
}
