// The flow of a document's items into lines and pages: a line breaks after a word when the next
// word does not fit, a page ends when the next line does not fit under the last, and pictures stand
// on the text baseline. The same rules lay out the screen pages and the printed pages; the text is
// measured by whoever calls, so the rules are tested without a window.
#pragma once
#include "writer/DocItem.h"
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

// The text widths and heights of one font on one device.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Width and height of the text.
    virtual SIZE Extent(const std::string& text) const = 0;
    virtual SIZE CharExtent(char c) const { return Extent(std::string(1, c)); }
    // The font's descent: how far below the baseline its letters reach.
    virtual int Descent() const = 0;
};

// What the layout needs to know of the content object behind a picture item.
struct SymbolShape {
    bool known = false;      // the image list has an object with the item's number
    bool hasPicture = false; // its picture is loaded
    std::string caption;
    SIZE picture{0, 0};      // the loaded picture's size; only its proportions count
};
using SymbolShapes = std::function<SymbolShape(int imageNumber)>;

// Where and at what sizes the items are laid out.
struct LayoutFrame {
    RECT area{0, 0, 0, 0};     // lines run across it, pages down it
    int pictureSize = 1;       // side of a picture's square box
    int largePictureSize = 0;  // side of a large picture's box
    bool largeAllowed = false; // large pictures are shown large (not with two pictures a row)
    int gap = 1;               // the caret's width beside an item; 1 for fonts below 15 points, else 3
    int pictureGap = 1;        // space after a picture: the caret gap on screen, 5 units on paper
    int lineGap = 5;           // space between lines
    bool wrapAgainstSpace = false; // on paper the wrap test leaves a space's width instead of the gap
};

struct LayoutResult {
    int caret = 0;     // where the caret stands afterwards
    int lastPage = 0;  // the page of the last item
};

// The width and height of a picture item's box, and the height of the picture in it.
struct PictureExtent {
    int width = 0;
    int height = 0;        // with the font's descent below a loaded picture
    int pictureHeight = 0; // the picture's own height
    bool captionOnly = false;
};
PictureExtent MeasurePicture(const DocItem& item, const LayoutFrame& frame, const TextMeasurer& measurer,
                             const SymbolShapes& shapes);

// Lays the items out: removes the soft breaks of the last pass, flows the items into lines and pages
// (inserting soft breaks where a line wraps after a word), writes every item's boxes, baseline, line,
// page and index, and keeps the caret on the item it stood on (an item inserted since the last pass
// has no index yet: the caret then follows the item before it).
LayoutResult LayOutItems(std::vector<DocItem>& items, int caret, const LayoutFrame& frame,
                         const TextMeasurer& measurer, const SymbolShapes& shapes);
