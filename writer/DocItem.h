// One item of a Morvel document: a character, or a picture that names a content object of the
// document's image list by its image number.
#pragma once
#include <windows.h>
#include <string>

class ImageList;

// The document window keeps them in a growable array that always ends with a final '\n' item, which
// is never saved. The fields are public and read and set directly by the document window, its
// layout and the document file. Two characters are special: '\n' a hard line break (Enter) and '\r'
// a soft line break, which only the layout inserts and removes again at its next pass.
class DocItem {
public:
    DocItem() = default;
    // A character item.
    explicit DocItem(char character) : text_(1, character) {}
    // A picture item.
    explicit DocItem(int imageNumber) : imageNumber_(imageNumber) {}
    virtual ~DocItem() = default;

    // A copy is a new item of the same content: it keeps the text, the image number, the text and
    // picture boxes and the large flag, and waits for a layout for the rest (index -1).
    DocItem(const DocItem& other);
    // Assignment takes every field but the compaction mark.
    DocItem& operator=(const DocItem& other);
    // A move is the same item in another place (a growing or shifting array): every field goes along,
    // so a layout still finds it by its index.
    DocItem(DocItem&& other) noexcept = default;
    DocItem& operator=(DocItem&& other) noexcept = default;

    // The item's character; 0 for a picture item.
    char GetChar() const { return text_.empty() ? '\0' : text_[0]; }
    bool IsPicture() const { return imageNumber_ >= 0; }
    bool IsSoftBreak() const { return GetChar() == '\r'; }
    bool IsHardBreak() const { return GetChar() == '\n'; }
    // Whether the point lies in the text box, all four borders included.
    bool Contains(POINT point) const;

    // Draws the item where the last layout put it: a picture through its content object in the
    // image list (none: nothing is drawn for a picture), a character at its baseline. Line breaks
    // draw nothing. The caller has selected the font and the text colour.
    void Draw(HDC dc, const ImageList* images) const;

    int index_ = -1;        // position among the items that are no soft break; -1 until laid out
    std::string text_;      // the character, as a one-character string; empty for a picture
    RECT textBox_{0, 0, 0, 0};    // the item's cell on its line
    RECT cursorBox_{0, 0, 0, 0};  // where the caret stands before this item
    RECT pictureBox_{0, 0, 0, 0}; // where the picture is drawn (picture items)
    int page_ = 0;          // screen page, from 0
    int imageNumber_ = -1;  // -1 for a character, else the id of its content object
    int line_ = 0;          // line within the page, from 0
    int baseline_ = 0;      // y of the text baseline of the item's line
    int compactionMark_ = 0; // set while the image list is compacted before a save
    int large_ = 0;         // the picture is shown large
};
