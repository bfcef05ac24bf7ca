// What the command editor tests share: the command language of the sample configuration (from the
// command language's tests) and a keyboard and a window for the command editor's model.
#pragma once
#include "command/SyntaxFixture.h"
#include "editor/CommandEditModel.h"
#include <string>
#include <vector>

namespace commandtest {

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

// A keyboard and a window for the command editor's model: sends keys with the modifiers held as the
// system would, and records what the model asks of its window.
class Editor : public CommandEditView {
public:
    explicit Editor(const CommandSyntax& syntax = SwedishSyntax());

    // A key going down, then the characters the layout makes of it.
    void Down(int key, const std::string& characters = "");
    void Up(int key);
    void Tap(int key, const std::string& characters = "");
    // Letters, digits and blanks as typed (capitals with Shift).
    void Type(const std::string& text);
    // A key with modifiers held around it: the key is let go first.
    void Chord(const std::vector<int>& modifiers, int key, const std::string& characters = "");
    // The same, with the modifiers let go before the key, as a quick hand may.
    void ChordLettingGoModifiersFirst(const std::vector<int>& modifiers, int key,
                                      const std::string& characters = "");

    std::string Text() const { return model.Text(); }

    CommandEditModel model;
    int beeps = 0;
    std::vector<int> notices;
    std::vector<size_t> caretNotices;
    int focusMoves = 0;
    std::string shownText;
    size_t shownStart = 0;
    size_t shownEnd = 0;

private:
    void Beep() override { ++beeps; }
    void Notify(int code) override { notices.push_back(code); }
    void CaretTokenChanged(size_t token) override { caretNotices.push_back(token); }
    void Show(const std::string& text, size_t start, size_t end) override;
    void MoveFocus() override { ++focusMoves; }

    HeldModifiers keyboard_;
};

} // namespace commandtest
