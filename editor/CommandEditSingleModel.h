// The one-key box without its window: it catches one key, shows its word and tells the dialog.
#pragma once
#include "command/CommandKeys.h"
#include "command/CommandSyntax.h"
#include <string>

// What the model asks of its window.
class CommandEditSingleView {
public:
    virtual ~CommandEditSingleView() = default;
    virtual void Beep() = 0;
    // WM_USER+10 to the parent (codes 1 to 6).
    virtual void Notify(int code, long value) = 0;
    // The box's text: a key's word, or empty so that the key's character can be typed into it.
    virtual void ShowWord(const std::string& word) = 0;
    // The keyboard's toggles as the box keeps them: Num Lock on, every other off, so catching Caps
    // Lock or Num Lock does not leave it toggled.
    virtual void RestoreKeyboard() = 0;
    virtual void MoveFocus(bool backwards) = 0;
};

// Owned by its box; position is the box's place among the three of the special-command dialog.
class CommandEditSingleModel {
public:
    CommandEditSingleModel(CommandEditSingleView& view, int position) : view_(view), position_(position) {}

    void SetSyntax(const CommandSyntax& syntax, const KeyLayout& layout);

    // repeat: the key was already down (auto-repeat), which is ignored.
    void KeyDown(const KeyEvent& key, bool repeat);
    // true when the character is to be typed into the box.
    bool Character(unsigned char c);
    // A dead key's character: the next character (its composition) is typed.
    void DeadCharacter() { passCharacter_ = true; }
    void KeyUp(const KeyEvent& key);
    void FocusGained();
    // A key caught here whose release goes to another window is let go.
    void FocusLost();

    int Position() const { return position_; }
    bool LiteralNext() const { return literalNext_; }

private:
    long PositionCode(int key) const { return static_cast<long>(key) * 256 + position_; }

    CommandEditSingleView& view_;
    int position_;
    CommandSyntax syntax_;
    KeyLayout layout_;
    int caughtKey_ = 0;            // the key caught and not yet released; 0 none
    bool beeped_ = false;          // a second key was refused since the last release
    bool passCharacter_ = false;
    bool backspaceOrDelete_ = false;
    bool literalNext_ = false;     // Esc: the next Esc, Tab, Backspace or Delete is caught as a key
};
