// The special-command dialog without its window: the free combination caught key by key in three
// boxes, and the fixed combinations of its list.
#pragma once
#include "command/CommandSyntax.h"
#include <array>
#include <string>
#include <vector>

// Owned by the dialog, which shows the boxes' words, enables the current box alone and shows Command().
class SpecialCommandModel {
public:
    static constexpr int kBoxes = 3;

    // The words of Ctrl, Alt and Shift, after which a letter is written as the command editor writes it.
    void SetSyntax(const CommandSyntax& syntax);
    // The key caught and released in a box, with the box's text (its word, or the typed character).
    // False, and the box emptied, when the box shows nothing or repeats an earlier box's key; otherwise
    // the next box becomes current. A letter after a modifier takes its capital, as the command editor
    // writes "<Ctrl+C>" (the keyboard types the key of the small letter either way).
    bool TakeKey(int box, int key, const std::string& text);
    // Backspace or Delete caught in a box: that box and the one before it are emptied, and the one
    // before becomes current (the first box is only emptied).
    void Erase(int box);
    // AltGr while a key is held in a box: the box keeps its text and the next box becomes current.
    void Advance(int box, const std::string& text);
    // A combination from the list, or the caller's: its words (command::TagWords) into the boxes; the
    // box after the last filled one becomes current.
    void Choose(const std::string& combination);

    // "<" word0 ["+" word1 ["+" word2]] ">" of the boxes up to the current one; empty when none has a word.
    std::string Command() const;
    int Current() const { return current_; }
    const std::string& Word(int box) const { return words_[static_cast<size_t>(box)]; }

private:
    void Clear(int box);
    void MakeCurrent(int box);
    bool FollowsModifier(int box) const;

    std::array<std::string, 3> modifierWords_;
    std::array<std::string, kBoxes> words_;
    std::array<int, kBoxes> keys_{}; // 0: not caught (typed in from the list, or empty)
    int current_ = 0;
};

// The index of the command in the list of fixed combinations; -1 when it is not there.
int FixedCommandIndex(const std::vector<std::string>& fixed, const std::string& command);
