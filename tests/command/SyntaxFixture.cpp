// The sample configuration's command words and Swedish keyboard tables.
#include "SyntaxFixture.h"

namespace commandtest {

namespace {

LanguageKey Entry(int key, int ctrl, int alt, int shift, char character = 0)
{
    LanguageKey entry;
    entry.keyCode_ = key;
    entry.ctrl_ = ctrl;
    entry.alt_ = alt;
    entry.shift_ = shift;
    entry.character_ = static_cast<unsigned char>(character);
    return entry;
}

} // namespace

CommandSyntax SampleWords()
{
    CommandSyntax syntax;
    syntax.keyNames = {"Return", "Backspace", "Ctrl", "Alt", "Delete", "Shift", "Tab", "Esc", "Insert", "Home",
                       "End", "PageUp", "PageDown", "Right", "Left", "Up", "Down", "CapsLock", "NumLock",
                       "ScrollLock", "Space", "PrintScreen", "Paus", "Num1", "Num2", "Num3", "Num4", "Num5",
                       "Num6", "Num7", "Num8", "Num9", "Num0", "NumMultiply", "NumAdd", "NumSubtract",
                       "NumDivide", "NumDecimal", "Num"};
    return syntax;
}

CommandSyntax SwedishSyntax(bool withStartEnd)
{
    CommandSyntax syntax = SampleWords();
    syntax.language = {
        Entry(kAcuteKey, 0, 0, 1),          // Grave
        Entry(kAcuteKey, 0, 0, 0),          // Aicu
        Entry(kDiaeresisKey, 0, 0, 1),      // CirconFlex
        Entry(kDiaeresisKey, 0, 0, 0),      // Dots
        Entry(kDiaeresisKey, 1, 1, 0),      // Approx
        withStartEnd ? Entry(kLessKey, 0, 0, 0) : LanguageKey(),
        withStartEnd ? Entry(kLessKey, 0, 0, 1) : LanguageKey(),
        Entry(kRingKey, 0, 0, 0, '\xE5'),   // Special1 å
        Entry(kUmlautAKey, 0, 0, 0, '\xE4'),
        Entry(kUmlautOKey, 0, 0, 0, '\xF6'),
        Entry(0xDC, 0, 0, 0, '\xA7'),       // §
        LanguageKey(), LanguageKey(), LanguageKey(),
    };
    syntax.altGrKeys = {'2', '3', '4', '7', '8', '9', '0', kPlusKey, kDiaeresisKey, kLessKey, 'E', 'M'};
    return syntax;
}

std::string SampleKeySections()
{
    std::string sections = "[KeyNames]\r\n";
    static const char* const kKeys[] = {
        "Return", "Backspace", "Ctrl", "Alt", "Delete", "Shift", "Tab", "Esc", "Insert", "Home", "End",
        "PageUp", "PageDown", "Right", "Left", "Up", "Down", "CapsLock", "NumLock", "ScrollLock", "Space",
        "PrintScreen", "Pause", "Num1", "Num2", "Num3", "Num4", "Num5", "Num6", "Num7", "Num8", "Num9",
        "Num0", "NumMultiply", "NumAdd", "NumSubtract", "NumDivide", "NumDecimal", "Num"};
    const CommandSyntax words = SampleWords();
    for (size_t i = 0; i < words.keyNames.size(); ++i)
        sections += std::string(kKeys[i]) + "=" + words.keyNames[i] + "\r\n";
    sections += "[Language]\r\nGrave=219,0,0,1\r\nAicu=219,0,0,0\r\nCirconFlex=186,0,0,1\r\nDots=186,0,0,0\r\n"
                "Approx=186,1,1,0\r\nStart=226,0,0,0\r\nEnd=226,0,0,1\r\nSpecial1=221,0,0,0,\xE5\r\n"
                "Special2=222,0,0,0,\xE4\r\nSpecial3=192,0,0,0,\xF6\r\nSpecial4=220,0,0,0,\xA7\r\n"
                "AltGrKey=50,51,52,55,56,57,48,187,186,226,69,77\r\n";
    return sections;
}

KeyLayout SwedishLayout()
{
    KeyLayout layout;
    layout.lessThanKey = kLessKey;
    layout.punctuationKeys = {kLessKey, VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2, VK_OEM_MINUS};
    return layout;
}

} // namespace commandtest
