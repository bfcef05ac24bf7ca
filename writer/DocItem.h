// One item of a Morvel document: a character, or a picture that names a content object of the
// document's image list by its image number.
#pragma once
#include <string>

// The document window keeps them in a growable array that always ends with a final '\n' item, which
// is never saved. The fields are public and read and set directly by the document window and the
// document file.
class DocItem {
public:
    DocItem() = default;
    // A character item.
    explicit DocItem(char character) : text_(1, character) {}
    // A picture item.
    explicit DocItem(int imageNumber) : imageNumber_(imageNumber) {}
    virtual ~DocItem() = default;

    // The item's character; 0 for a picture item.
    char GetChar() const { return text_.empty() ? '\0' : text_[0]; }
    bool IsPicture() const { return imageNumber_ >= 0; }

    std::string text_;      // the character, as a one-character string; empty for a picture
    int imageNumber_ = -1;  // -1 for a character, else the id of its content object
    int large_ = 0;         // the picture is shown large
};
