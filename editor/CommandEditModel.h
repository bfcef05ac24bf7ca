// The command editor without its window: the command text cut into tokens, the caret between tokens,
// and what each key press, character, click and paste does to them.
#pragma once
#include "command/CommandKeys.h"
#include "command/CommandSyntax.h"
#include <map>
#include <string>
#include <vector>

// What the model asks of its window.
class CommandEditView {
public:
    virtual ~CommandEditView() = default;
    virtual void Beep() = 0;
    // WM_USER+10 to the parent: 1 a tag was inserted or a character typed, 2 Esc turned literal-next on.
    virtual void Notify(int code) = 0;
    // WM_USER+11 to the parent with the caret token.
    virtual void CaretTokenChanged(size_t token) = 0;
    // The text, and the selection in characters (equal ends: the caret).
    virtual void Show(const std::string& text, size_t selectionStart, size_t selectionEnd) = 0;
    // Tab: the dialog's next control takes the focus.
    virtual void MoveFocus() = 0;
};

// Owned by the command editor. The text is the model's: the window only shows it. Keys become tags
// when they are released, with the modifiers they went down with; characters are typed as they come,
// so the caret follows whatever the keyboard layout composed (a dead key that combines gives one
// character, one that does not gives two). A command never holds more than 256 tokens or reaches 500
// characters.
class CommandEditModel {
public:
    explicit CommandEditModel(CommandEditView& view) : view_(view) {}

    void SetSyntax(const CommandSyntax& syntax, const KeyLayout& layout);
    // The whole text, the caret after its last token, literal-next off.
    void SetText(const std::string& text);
    // Replaces the selection (or inserts at the caret); the caret goes after the inserted text.
    // false, with a beep, when the result would break the limits.
    bool InsertText(const std::string& text);
    // Pasted text goes in through the same limits; it may hold whole tags within the writers' limits
    // (command::KeepsToTagLimits) but no control character (a line break would end the block's line in
    // the overlay file) and no '<' without its '>'.
    bool Paste(const std::string& text);
    void SetCaretToken(size_t token);
    // The length a text stays below (500 unless set), for a command part that is stored shorter.
    void SetTextLimit(size_t limit) { textLimit_ = limit; }
    // The next key release is ignored: the dialogs call it after inserting a tag from a sub-dialog,
    // whose closing key would otherwise be caught.
    void MarkHandled() { handled_ = true; }
    // Keys that went down in another window are not this editor's: their releases make no tag.
    void FocusGained();
    // The window's selection in characters, widened to whole tokens.
    void SelectCharacters(size_t start, size_t end);
    void DeleteSelection();
    // The selection in characters (the caret when nothing is selected).
    size_t SelectionStart() const { return tokens_[selectionFirst_]; }
    size_t SelectionEnd() const { return tokens_[caret_]; }

    void KeyDown(const KeyEvent& key);
    void Character(unsigned char c);
    void KeyUp(const KeyEvent& key);
    // A click on the character at the position (the text's length or more: beyond the text).
    void Click(size_t position);

    const std::string& Text() const { return text_; }
    size_t TokenCount() const { return tokens_.size() - 1; }
    size_t CaretToken() const { return caret_; }
    bool LiteralNext() const { return literalNext_; }

private:
    bool ReplaceSelection(const std::string& insert);
    void MoveCaret(size_t token);
    void Show();
    bool IsSwallowedKey(const KeyEvent& key, bool altGr) const;
    // Whether a key other than Ctrl, Alt and Shift went down with the modifier held and is still down.
    bool IsHeldWithKey(int modifier) const;
    void EditingKey(int key);
    void DeleteTokens(size_t first, size_t last);
    void CompleteTag(const std::string& tag);
    void ResetKeyFlags();
    bool& SeenFlag(int modifier);

    CommandEditView& view_;
    CommandSyntax syntax_;
    KeyLayout layout_;
    std::string text_;
    std::vector<size_t> tokens_{0}; // token starts, then the text's length
    size_t caret_ = 0;              // the token before which the caret stands
    size_t selectionFirst_ = 0;     // first selected token; equal to caret_ when nothing is selected
    bool literalNext_ = false;      // Esc: the next editing key becomes a tag
    bool handled_ = false;          // the key was dealt with when it went down: its release is ignored
    bool passCharacter_ = true;     // the character of the key going down may be typed
    bool ctrlSeen_ = false;         // Ctrl, Alt, Shift seen down since the last tag
    bool altSeen_ = false;
    bool shiftSeen_ = false;
    // The keys other than Ctrl, Alt and Shift that are down, each with the modifiers it went down
    // with: its tag's head, even when a modifier is let go before the key.
    std::map<int, KeyEvent> heldKeys_;
    size_t textLimit_ = command::kTextLimit;
};
