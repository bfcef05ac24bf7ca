// The font of the command editors: "Courier New", 15 pixels high, so that every character of a
// command takes one cell of the same width.
#pragma once
#include "framework/Gdi.h"

class CommandEditFont {
public:
    // Creates the font, gives it to the window and measures it there.
    void Apply(HWND window);

    int AverageWidth() const { return averageWidth_; }
    int LineHeight() const { return lineHeight_; }

private:
    fw::Font font_;
    int averageWidth_ = 8;
    int lineHeight_ = 15;
};
