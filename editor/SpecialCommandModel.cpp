// The special-command dialog's rules.
#include "editor/SpecialCommandModel.h"
#include "command/CommandReading.h"
#include <algorithm>

void SpecialCommandModel::SetSyntax(const CommandSyntax& syntax)
{
    modifierWords_ = {syntax.Word(CommandWords::kCtrl), syntax.Word(CommandWords::kAlt), syntax.Word(CommandWords::kShift)};
}

bool SpecialCommandModel::FollowsModifier(int box) const
{
    for (int earlier = 0; earlier < box; ++earlier)
        for (const std::string& modifier : modifierWords_)
            if (!modifier.empty() && words_[earlier] == modifier)
                return true;
    return false;
}

bool SpecialCommandModel::TakeKey(int box, int key, const std::string& typed)
{
    if (box < 0 || box >= kBoxes)
        return false;
    std::string text = typed;
    if (text.size() == 1 && text[0] >= 'a' && text[0] <= 'z' && FollowsModifier(box))
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    bool repeats = false;
    for (int earlier = 0; earlier < box; ++earlier)
        repeats = repeats || (key != 0 && keys_[earlier] == key) || words_[earlier] == text;
    if (text.empty() || repeats) {
        Clear(box);
        MakeCurrent(box);
        return false;
    }
    words_[box] = text;
    keys_[box] = key;
    MakeCurrent(box + 1);
    return true;
}

void SpecialCommandModel::Erase(int box)
{
    if (box < 0 || box >= kBoxes)
        return;
    Clear(box);
    if (box > 0)
        Clear(box - 1);
    MakeCurrent(box > 0 ? box - 1 : 0);
}

void SpecialCommandModel::Advance(int box, const std::string& text)
{
    if (box < 0 || box >= kBoxes - 1)
        return;
    words_[box] = text;
    keys_[box] = 0;
    MakeCurrent(box + 1);
}

void SpecialCommandModel::Choose(const std::string& combination)
{
    for (int box = 0; box < kBoxes; ++box)
        Clear(box);
    size_t open = combination.find('<');
    if (open == std::string::npos)
        return MakeCurrent(0);
    const size_t close = combination.find('>', open + 1);
    const std::string tag = combination.substr(open + 1, close == std::string::npos ? std::string::npos
                                                                                    : close - open - 1);
    // The words as the keyboard reads them, so that a word ending in '+' ("Num+") stays whole.
    const std::vector<std::string> words = command::TagWords(tag);
    for (size_t box = 0; box < words.size(); ++box)
        words_[box] = words[box];
    MakeCurrent(static_cast<int>(words.size()));
}

std::string SpecialCommandModel::Command() const
{
    std::string joined;
    for (int box = 0; box <= current_; ++box) {
        if (words_[box].empty())
            continue;
        if (!joined.empty())
            joined += '+';
        joined += words_[box];
    }
    return joined.empty() ? std::string() : "<" + joined + ">";
}

void SpecialCommandModel::Clear(int box)
{
    words_[box].clear();
    keys_[box] = 0;
}

void SpecialCommandModel::MakeCurrent(int box)
{
    current_ = std::min(std::max(box, 0), kBoxes - 1);
}

int FixedCommandIndex(const std::vector<std::string>& fixed, const std::string& command)
{
    auto found = std::find(fixed.begin(), fixed.end(), command);
    return found == fixed.end() ? -1 : static_cast<int>(found - fixed.begin());
}
