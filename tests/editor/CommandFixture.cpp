// A keyboard and a window for the command editor's model.
#include "CommandFixture.h"
#include <iterator>

namespace commandtest {

KeyEvent HeldModifiers::Event(int key, bool down)
{
    if (key == VK_CONTROL)
        ctrl_ = down;
    else if (key == VK_MENU)
        alt_ = down;
    else if (key == VK_SHIFT)
        shift_ = down;
    KeyEvent event;
    event.key = key;
    event.ctrl = ctrl_;
    event.alt = alt_;
    event.shift = shift_;
    return event;
}

Editor::Editor(const CommandSyntax& syntax) : model(*this)
{
    model.SetSyntax(syntax, SwedishLayout());
}

void Editor::Down(int key, const std::string& characters)
{
    model.KeyDown(keyboard_.Down(key));
    for (char c : characters)
        model.Character(static_cast<unsigned char>(c));
}

void Editor::Up(int key)
{
    model.KeyUp(keyboard_.Up(key));
}

void Editor::Tap(int key, const std::string& characters)
{
    Down(key, characters);
    Up(key);
}

void Editor::Type(const std::string& text)
{
    for (char c : text) {
        bool capital = c >= 'A' && c <= 'Z';
        int key = c >= 'a' && c <= 'z' ? c - 32 : c;
        if (capital)
            Down(VK_SHIFT);
        Tap(key, std::string(1, c));
        if (capital)
            Up(VK_SHIFT);
    }
}

void Editor::Chord(const std::vector<int>& modifiers, int key, const std::string& characters)
{
    for (int modifier : modifiers)
        Down(modifier);
    Tap(key, characters);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        Up(*it);
}

void Editor::ChordLettingGoModifiersFirst(const std::vector<int>& modifiers, int key,
                                          const std::string& characters)
{
    for (int modifier : modifiers)
        Down(modifier);
    Down(key, characters);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
        Up(*it);
    Up(key);
}

void Editor::Show(const std::string& text, size_t start, size_t end)
{
    shownText = text;
    shownStart = start;
    shownEnd = end;
}

} // namespace commandtest
