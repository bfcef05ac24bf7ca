// What the windows of the two command editors share: the configuration's words and tables handed to
// their models, the font, and the keyboard's modifiers as a key message arrives.
#pragma once
#include "command/CommandKeys.h"
#include "command/CommandSyntax.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "store/FileIO.h"

// Base of the command editors' edit controls, owned with them by their dialog.
class CommandEditWindow : public fw::SubclassedWindow {
public:
    // The key names, the [Language] table and the AltGr keys of the configuration.
    void SetSyntax(const FileIO& settings) { SetSyntax(CommandSyntax::From(settings)); }
    void SetSyntax(const CommandSyntax& syntax) { TakeSyntax(syntax, KeyLayout::OfThisThread()); }
    // "Courier New", 15 pixels high, so every character of a command takes a cell of the same width.
    void SetupFont();

protected:
    // Every key is the editor's: Esc and Return never close the dialog, and Tab is the editor's to pass on.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void TakeSyntax(const CommandSyntax& syntax, const KeyLayout& layout) = 0;
    // The control's own text, set below the editor. The subclassed control takes its messages in its own
    // character set: the common controls' edit is a Unicode window even in a dialog made with the ANSI
    // calls, so text goes to it and comes from it converted from and to the program's code page.
    void SetDefaultText(const std::string& text);
    // The text of a WM_SETTEXT or EM_REPLACESEL that reached the editor, and the character of a WM_CHAR.
    std::string MessageText(LPARAM lParam) const;
    unsigned char MessageCharacter(WPARAM wParam) const;
    int AverageCharacterWidth() const { return averageWidth_; }
    int LineHeight() const { return lineHeight_; }

private:
    fw::Font font_;
    int averageWidth_ = 8;
    int lineHeight_ = 15;
};

// The key of a message with the modifiers held now, as the thread's keyboard state has them.
KeyEvent HeldKey(WPARAM key);
// The clipboard's text in the program's code page; empty when it holds none.
std::string ClipboardText(HWND owner);
