// What the set compiler says of a set: compiled, or the overlay whose blocks the keyboard's image
// cannot hold and why, with the Swedish message that tells the user.
#pragma once
#include <windows.h>
#include <string>

struct SetCompileResult {
    // Counts and cell numbers in the image are 7-bit values: 127 blocks an overlay, 127 ranges a block.
    static constexpr int kMostInImage = 127;

    enum Reason {
        kCompiled,
        kUnreadable,      // the overlay file could not be read whole: a key line it cannot read (as one
                          // with a cell outside 0-127) would be missing from the keyboard
        kTooManyBlocks,   // count: the overlay's key blocks
        kTooManyRanges,   // count: the ranges of one block
        kCellOutsideGrid, // a range that does not lie inside the 16 x 8 grid
        // An "<IRn>" tag that gives no code (count: n; key: the key's description): the code file has
        // no code n or is not there, it is there but could not be read, or zenthor.ini names no
        // start keys. The keyboard would do nothing where the user expects the code.
        kInfraredCodeMissing,
        kInfraredCodesUnreadable,
        kInfraredWithoutStartKeys,
        // The key-code table (file: its path) is missing or could not be read: no character would type.
        kNoKeyCodeTable,
    };

    Reason reason = kCompiled;
    std::string overlayName;
    int overlayNumber = 0;
    int count = 0;
    std::string key;
    std::string file;

    bool Compiled() const { return reason == kCompiled; }
    // The string-table entry of the message (0 when compiled), and the message with the overlay's
    // name, for a message box captioned "Felmeddelande".
    UINT MessageId() const;
    std::string Message() const;
    // A key as the messages name it: its label in quotes, or where its first cell lies.
    static std::string KeyDescription(const std::string& label, int firstCell);
};

// The message for a false FileIO::WriteTextMacros: the keyboard holds the set, but the Zenthor
// program will not find its long texts.
std::string TextMacrosNotWrittenMessage();
