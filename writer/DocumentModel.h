// A Morvel document in memory and every edit of it: the items, the image list, the caret and the
// pages, typing, deleting, the caret and page keys, negation and large pictures. The document window
// is a view over it: it turns messages into these calls and paints what they say to repaint.
#pragma once
#include "library/KvoraObject.h"
#include "writer/DocItem.h"
#include "writer/DocumentLayout.h"
#include "writer/ImageList.h"
#include <string>
#include <utility>
#include <vector>

// What one edit asks of the window: the pages to pass on, and how much to repaint.
struct DocumentChange {
    enum class Repaint { None, Box, Rows, All };
    Repaint repaint = Repaint::None;
    RECT box{0, 0, 0, 0};    // for Box: the one item box to repaint (the page-end marker goes with it)
    // For Rows: the bands of the page, top and bottom (exclusive), whose drawing changed; each is
    // repainted across the window, and the rest of the page stays as it is.
    std::vector<std::pair<int, int>> rows;
    bool pageRange = false;  // the main window is told the current and the last page
};

// Owned by the document window. Every edit lays the document out again, keeps the caret off soft
// breaks, and sets the modified flag when it changed the document.
class DocumentModel {
public:
    // What the edits need from around them.
    class Host {
    public:
        virtual ~Host() = default;
        virtual const TextMeasurer& ScreenMeasurer() = 0;
        // Null when no printer is set up: no print pages are laid out then.
        virtual const TextMeasurer* PrintMeasurer() = 0;
        virtual void LoadPicture(CKvoraObject& object) = 0;
        virtual bool IsControlDown() = 0;
        virtual void Beep() = 0;
        virtual void StopAllPlayback() = 0;
        // Speaks the item at the caret.
        virtual void SpeakAfterChar() = 0;
        // Plays the symbol of the picture item at the index.
        virtual void PlaySymbolAt(int index) = 0;
    };

    explicit DocumentModel(Host& host) : host_(host)
    {
        printFrame_.pictureSize = 0;
        items_.emplace_back('\n');
    }

    // Where the items are laid out on screen, and on paper (a print frame with a picture size of 0
    // lays out no print pages).
    void SetScreenFrame(const LayoutFrame& frame) { screenFrame_ = frame; }
    void SetPrintFrame(const LayoutFrame& frame) { printFrame_ = frame; }
    const LayoutFrame& ScreenFrame() const { return screenFrame_; }
    const LayoutFrame& PrintFrame() const { return printFrame_; }

    // An empty document: only the final item; caret, current page and the modified flag 0.
    void Clear();
    // Lays out the screen items, keeping the caret on its item, then the print items.
    void Layout();
    // Loads every object's picture again.
    void ReloadPictures();
    // The current page becomes the caret item's page.
    void ShowCaretPage() { currentPage_ = PageOf(caret_); }

    // The three ways to add items.
    DocumentChange InsertChar(char character);
    DocumentChange InsertObject(const CKvoraObject& object);
    DocumentChange InsertText(const std::string& text);

    DocumentChange Backspace();
    DocumentChange Delete();
    DocumentChange MoveRight();
    DocumentChange MoveLeft();
    DocumentChange MoveUp();
    DocumentChange MoveDown();
    DocumentChange MoveHome();
    DocumentChange MoveEnd();
    DocumentChange PageDown();
    DocumentChange PageUp();
    DocumentChange ToggleNegation();
    DocumentChange ToggleLargePicture();
    // A click at a point of the client area: the caret goes to the item there on the current page.
    DocumentChange Click(POINT point, const RECT& client);

    // Before a save: the image list holds exactly the pictures of the document, numbered 0 ... n-1.
    void CompactImages() { images_.Compact(items_); }

    // The y of the dashed line that shows where a printed page ends on the current screen page, or
    // -1: when the print layout has more than one page, at the first printed page whose last item is
    // on the current screen page.
    int PageEndMarkerY() const;
    // The range of items on a screen page (they are in page order).
    std::pair<size_t, size_t> ItemsOfPage(const std::vector<DocItem>& items, int page) const;

    int PageOf(int index) const;
    size_t FinalIndex() const { return items_.size() - 1; }
    bool IsEmpty() const { return items_.size() <= 1; }

    std::vector<DocItem> items_;        // always ends with the final '\n'
    ImageList images_;
    std::vector<DocItem> printItems_;   // the items laid out on paper (no soft breaks, no final item)
    int caret_ = 0;                     // the item before which the caret stands
    int currentPage_ = 0;
    int lastPage_ = 0;
    int lastPrintPage_ = 0;
    int modified_ = 0;

private:
    // Where an item of the current page draws, and what: two equal ones paint the same pixels.
    struct Drawn {
        char character = 0;
        int imageNumber = -1;
        RECT textBox{0, 0, 0, 0};
        RECT pictureBox{0, 0, 0, 0};
        int baseline = 0;
        bool operator==(const Drawn& other) const;
    };
    // Before an edit: what the caret item and the current page looked like, to decide how much to
    // repaint afterwards.
    struct Snapshot {
        int height = 0;
        int line = 0;
        int page = 0;
        std::vector<Drawn> drawn;
        int pageEndMarker = -1;
    };

    void TakeSnapshot();
    void LayOutPrintItems();
    SymbolShapes Shapes() const;
    void SkipSoftBreak();
    DocumentChange RepaintAfterInsertion() const;
    std::vector<Drawn> DrawnOnPage(int page) const;
    // A repaint of the page bounded to the rows where its drawing changed, while the page stays.
    DocumentChange Bounded(DocumentChange change) const;
    DocumentChange FollowCaretPage();
    // The item before the caret, stepping back over line breaks: the target of F4 and F7.
    int SymbolBeforeCaret() const;
    // The first item of a line of a page, or -1; and how many items that line holds.
    int FirstOfLine(int page, int line, int& count) const;
    DocumentChange MoveToLine(int page, int line, int column);
    DocumentChange Inserted();
    DocumentChange Reflowed();
    DocumentChange Beeped();

    Host& host_;
    LayoutFrame screenFrame_;
    LayoutFrame printFrame_;
    Snapshot snapshot_;
};
