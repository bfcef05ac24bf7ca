// The document's edits as key scripts: each script runs against a document laid out with measured
// widths (characters 10 wide, spaces 5, lines 100 wide, four lines a page), and the test reads the
// document and the caret back, with what the edit asked to repaint, speak and play.
#include "DocumentText.h"
#include "writer/DocumentModel.h"
#include <gtest/gtest.h>
#include <algorithm>

using doctext::Describe;

namespace {

class FakeHost : public DocumentModel::Host {
public:
    const TextMeasurer& ScreenMeasurer() override { return measurer; }
    const TextMeasurer* PrintMeasurer() override { return printing ? &measurer : nullptr; }
    void LoadPicture(CKvoraObject& object) override { ++loads; }
    bool IsControlDown() override { return controlDown; }
    void Beep() override { ++beeps; }
    void StopAllPlayback() override { ++stops; }
    void SpeakAfterChar() override
    {
        const DocItem& item = model->items_[model->caret_];
        heard += item.IsPicture() ? std::string("{") : std::string(1, item.GetChar());
    }
    void PlaySymbolAt(int index) override { heard += "<" + std::to_string(index) + ">"; }

    doctext::TableMeasurer measurer;
    DocumentModel* model = nullptr;
    bool printing = false;
    bool controlDown = false;
    int beeps = 0;
    int stops = 0;
    int loads = 0;
    std::string heard;
};

class DocumentEditing : public testing::Test {
protected:
    DocumentEditing()
    {
        host.model = &model;
        model.SetScreenFrame(doctext::TestFrame());
        model.Clear();
    }

    // Runs a script: "{Name}" is a key, any other character is typed. {Pic} inserts a symbol whose
    // caption is "p" and the number of {Pic} symbols inserted so far (20 x 20, as text), {Box} one with
    // nothing to show (30 x 30). The last key's change is kept.
    void Type(const std::string& script)
    {
        for (size_t i = 0; i < script.size(); ++i) {
            if (script[i] != '{') {
                last = model.InsertChar(script[i]);
                continue;
            }
            const size_t close = script.find('}', i);
            const std::string key = script.substr(i + 1, close - i - 1);
            i = close;
            last = Press(key);
        }
    }

    DocumentChange Press(const std::string& key)
    {
        if (key == "BS")
            return model.Backspace();
        if (key == "Del")
            return model.Delete();
        if (key == "Left")
            return model.MoveLeft();
        if (key == "Right")
            return model.MoveRight();
        if (key == "Up")
            return model.MoveUp();
        if (key == "Down")
            return model.MoveDown();
        if (key == "Home")
            return model.MoveHome();
        if (key == "End")
            return model.MoveEnd();
        if (key == "PgDn")
            return model.PageDown();
        if (key == "PgUp")
            return model.PageUp();
        if (key == "F7")
            return model.ToggleNegation();
        if (key == "F4")
            return model.ToggleLargePicture();
        if (key == "Box") // a symbol with nothing to show: a 30 x 30 frame
            return model.InsertObject(CKvoraObject());
        if (key == "Pic") {
            CKvoraObject symbol;
            symbol.label_ = "p" + std::to_string(symbols++);
            return model.InsertObject(symbol);
        }
        ADD_FAILURE() << "no key " << key;
        return DocumentChange();
    }

    std::string Document() const { return Describe(model.items_, model.caret_); }

    // The band of a line of the current page: from its top to its bottom.
    std::pair<int, int> LineBand(int line) const
    {
        for (const DocItem& item : model.items_) {
            if (item.page_ == model.currentPage_ && item.line_ == line)
                return {item.textBox_.top, item.textBox_.bottom};
        }
        ADD_FAILURE() << "no line " << line;
        return {0, 0};
    }
    static std::vector<std::pair<int, int>> Rows(std::vector<std::pair<int, int>> rows) { return rows; }

    FakeHost host;
    DocumentModel model{host};
    DocumentChange last;
    int symbols = 0;
};

} // namespace

TEST_F(DocumentEditing, KeyScripts)
{
    const struct {
        const char* script;
        const char* document;
        int beeps;
    } cases[] = {
        {"", "|", 0},
        {"abc", "abc|", 0},
        {"abc{Left}{Left}x", "ax|bc", 0},
        {"abc{BS}", "ab|", 0},
        {"abc{Home}{Del}", "|bc", 0},
        {"abc{Home}{BS}", "|abc", 0},           // nothing before the caret: silently nothing
        {"abc{Del}", "abc|", 0},                // the final item stays
        {"{BS}{Del}", "|", 0},
        {"{Left}{Right}{Home}{End}{Up}{Down}{PgDn}{PgUp}", "|", 8},
        {"abc{Home}{Left}{End}{Right}", "abc|", 2},
        {"ab\ncd", "ab\ncd|", 0},
        {"ab\n{BS}", "ab|", 0},
        // '<' and '>' are characters like any other: the document file holds them.
        {"<I7>", "<I7>|", 0},
        // A word that does not fit moves on and the caret with it.
        {"aaa bbb ccc", "aaa bbb ~ccc|", 0},
        {"aaa bbb ccc{Home}{Down}", "aaa bbb ~|ccc", 0},
        // Backspace right after a soft break takes the last character of the line before.
        {"aaa bbb ccc{Left}{Left}{Left}{BS}", "aaa bbb|ccc", 0},
        // Typing at the start of a wrapped line leaves the caret after the new character.
        {"aaa bbb ccc{Left}{Left}{Left}x", "aaa bbb ~x|ccc", 0},
        // Up and Down keep the column as far as the line reaches; a line break ends the line.
        {"ab\ncdef\ngh{Up}", "ab\ncd|ef\ngh", 0},
        {"ab\ncdef\ngh{Up}{Up}", "ab|\ncdef\ngh", 0},
        {"ab\ncdef{Home}{Right}{Down}", "ab\nc|def", 0},
        {"ab{Left}{Down}", "a|b", 1},
        {"ab{Home}{Up}", "|ab", 1},
        // A soft-broken line ends on its soft break: the caret stays on the line it went to.
        {"aaa bbb ccc ddd{Up}", "aaa bbb| ~ccc ddd", 0},
        {"aaa bbb ccc ddd{Home}{End}{Up}{Up}", "aaa bbb| ~ccc ddd", 1},
        // Down on a page's last line goes to line 0 of the next page; Up back to the page before.
        {"a\nb\nc\ndef\ngh{Up}", "a\nb\nc\nde|f\ngh", 0},
        {"a\nb\nc\ndef\ngh{Up}{Down}", "a\nb\nc\ndef\ngh|", 0},
        {"a\nb\nc\nd\ne{PgUp}", "|a\nb\nc\nd\ne", 0},
        {"a\nb\nc\nd\ne{PgUp}{PgUp}", "|a\nb\nc\nd\ne", 1},
        {"a\nb\nc\nd\ne{PgUp}{PgDn}", "a\nb\nc\nd\n|e", 0},
        {"a\nb\nc\nd\ne{PgDn}", "a\nb\nc\nd\ne|", 1},
        // Negation and large pictures need a picture before the caret.
        {"ab{F7}", "ab|", 1},
        {"{F7}", "|", 1},
        {"{Pic}{F4}", "{0}|", 1}, // a symbol without a loaded picture is never large
    };
    for (const auto& c : cases) {
        model.Clear();
        host.beeps = 0;
        symbols = 0;
        Type(c.script);
        EXPECT_EQ(c.document, Document()) << c.script;
        EXPECT_EQ(c.beeps, host.beeps) << c.script;
    }
}

TEST_F(DocumentEditing, TypingTwoHundredCharactersKeepsTheCaretAtTheEnd)
{
    for (int k = 0; k < 200; ++k) {
        model.InsertChar(k % 7 == 6 ? ' ' : static_cast<char>('a' + k % 26));
        ASSERT_EQ(model.FinalIndex(), static_cast<size_t>(model.caret_)) << "after " << k + 1 << " characters";
    }
    EXPECT_GT(model.lastPage_, 1);
    EXPECT_EQ(model.lastPage_, model.currentPage_);
    EXPECT_EQ(1, model.modified_);
}

TEST_F(DocumentEditing, ControlRefusesAllButLetters)
{
    host.controlDown = true;
    Type("a1\x01" "B!");
    EXPECT_EQ("aB|", Document());
    host.controlDown = false;
    Type("1");
    EXPECT_EQ("aB1|", Document());
}

// Control characters arrive as WM_CHAR from on-screen keyboards and shifted keys: none of them is
// text. A carriage return was a soft break that put the caret past the final item.
TEST_F(DocumentEditing, ControlCharactersAreNoText)
{
    const struct {
        const char* what;
        std::string typed;
        const char* document;
    } cases[] = {
        {"a carriage return is a line break", "ab\rc", "ab\nc|"},
        {"a carriage return at the start", "\r", "\n|"},
        {"Shift+Backspace, Shift+Tab, Shift+Esc", "a\b\t\x1B" "b", "ab|"},
        {"other codes and DEL", std::string("a\x01\x1F\x7F", 4) + "b", "ab|"},
    };
    for (const auto& c : cases) {
        model.Clear();
        Type(c.typed);
        EXPECT_EQ(c.document, Document()) << c.what;
        EXPECT_LE(static_cast<size_t>(model.caret_), model.FinalIndex()) << c.what;
    }
    // Backspace after a carriage return takes the line break, never the final item.
    model.Clear();
    Type("a\r{BS}{BS}{BS}");
    EXPECT_EQ("|", Document());
    ASSERT_EQ(1u, model.items_.size());
    EXPECT_EQ('\n', model.items_[0].GetChar());

    // Nothing refused changes the document.
    model.Clear();
    Type("\b\t");
    EXPECT_EQ(0, model.modified_);
}

TEST_F(DocumentEditing, WhatIsHeardWhileWriting)
{
    Type("ab{Left}{Left}{Right}{Pic}");
    // Each letter as it is typed; Left speaks the item it passes, Right the item it leaves; a symbol
    // is played at its place.
    EXPECT_EQ("abbaa<1>", host.heard);
    EXPECT_EQ("a{0}|b", Document());
}

TEST_F(DocumentEditing, ImageNumbersAreTheLowestFreeUntilTheListIsCompacted)
{
    Type("{Pic}{Pic}{Pic}");
    EXPECT_EQ("{0}{1}{2}|", Document());
    Type("{Left}{BS}{End}{Pic}");
    // The deleted symbol's object stays until a save compacts the list, so the new one is 3.
    EXPECT_EQ("{0}{2}{3}|", Document());
    ASSERT_EQ(4u, model.images_.Size());
    model.CompactImages();
    EXPECT_EQ("{0}{1}{2}|", Document());
    ASSERT_EQ(3u, model.images_.Size());
    const char* labels[] = {"p0", "p2", "p3"};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(k, model.images_[k].id_);
        EXPECT_EQ(labels[k], model.images_[k].label_);
        EXPECT_EQ('@', model.images_[k].delimiter_);
    }
    EXPECT_EQ(4, host.loads);
}

TEST_F(DocumentEditing, NegationTogglesThePictureBeforeTheCaretOverLineBreaks)
{
    Type("{Pic}\n{F7}");
    EXPECT_EQ(1, model.images_[0].crossed_);
    EXPECT_EQ(DocumentChange::Repaint::Box, last.repaint);
    EXPECT_EQ(model.items_[0].textBox_.left, last.box.left);
    Type("{F7}");
    EXPECT_EQ(0, model.images_[0].crossed_);
    EXPECT_EQ(0, host.beeps);
}

TEST_F(DocumentEditing, TypingAtTheEndRepaintsOnlyTheNewItemWhileItsLineStays)
{
    Type("ab");
    EXPECT_EQ(DocumentChange::Repaint::Box, last.repaint);
    EXPECT_EQ(model.items_[1].textBox_.left, last.box.left);
    EXPECT_EQ(model.items_[1].textBox_.right, last.box.right);
    EXPECT_TRUE(last.pageRange);
    Type("\n"); // a new line, but nothing wrapped
    EXPECT_EQ(DocumentChange::Repaint::Box, last.repaint);
    Type("aaa bbb ccc"); // the word wraps: the line before changes, and only the two lines repaint
    EXPECT_EQ(DocumentChange::Repaint::Rows, last.repaint);
    EXPECT_EQ(Rows({LineBand(1), LineBand(2)}), last.rows);
    Type("{Left}x"); // not at the end: the line it is on
    EXPECT_EQ(DocumentChange::Repaint::Rows, last.repaint);
    EXPECT_EQ(Rows({LineBand(2)}), last.rows);
    Type("{End}{Pic}"); // a caption as high as the text
    EXPECT_EQ(DocumentChange::Repaint::Box, last.repaint);
    Type("{Box}"); // the line grows higher
    EXPECT_EQ(DocumentChange::Repaint::All, last.repaint);
}

// An edit within the page repaints the bands of the lines whose items it moved, changed, added or
// took away, and the rows the page-end marker left and reached; the rest of the page keeps its
// pixels. An edit that changes the page repaints it whole.
TEST_F(DocumentEditing, EditsInThePageRepaintOnlyTheRowsTheyChange)
{
    Type("ab\ncd\nef{Left}{Left}{Left}{Left}x");
    EXPECT_EQ("ab\ncx|d\nef", Document());
    EXPECT_EQ(Rows({LineBand(1)}), last.rows);
    Type("{BS}");
    EXPECT_EQ(Rows({LineBand(1)}), last.rows);
    Type("{Right}{Right}{BS}"); // the line break before "ef" goes: "ef" joins line 1
    EXPECT_EQ("ab\ncd|ef", Document());
    const std::pair<int, int> oldThird{LineBand(1).second + 5, LineBand(1).second + 5 + (LineBand(1).second - LineBand(1).first)};
    EXPECT_EQ(Rows({LineBand(1), oldThird}), last.rows);

    // Printed pages of two lines: the page-end marker under line 1 leaves when the text fits on one
    // printed page, and the row it stood on is repainted with the lines.
    model.Clear();
    host.printing = true;
    LayoutFrame paper = doctext::TestFrame();
    paper.area.bottom = LineBand(0).second * 2 + 5 + 2;
    model.SetPrintFrame(paper);
    Type("a\nb\nc");
    const int marker = model.PageEndMarkerY();
    ASSERT_GT(marker, LineBand(1).second);
    Type("{Home}{Right}{Del}");
    EXPECT_EQ("a|b\nc", Document());
    EXPECT_EQ(-1, model.PageEndMarkerY());
    const bool markerRepainted = std::any_of(last.rows.begin(), last.rows.end(), [&](const std::pair<int, int>& row) {
        return row.first <= marker && marker < row.second;
    });
    EXPECT_TRUE(markerRepainted);

    // A page change repaints the page whole.
    model.Clear();
    host.printing = false;
    Type("a\nb\nc\nd");
    Type("\n");
    EXPECT_EQ(1, model.currentPage_);
    EXPECT_EQ(DocumentChange::Repaint::All, last.repaint);
}

TEST_F(DocumentEditing, ClicksFindTheItemOnTheCurrentPage)
{
    Type("ab cd\nef");
    const RECT client = doctext::TestFrame().area;
    // In an item's box; right of a line's end (its last item); left of a line's first item; below
    // every line (the page's last item); outside the window nothing.
    const struct {
        POINT point;
        const char* document;
    } clicks[] = {
        {{12, 5}, "a|b cd\nef"},
        {{90, 5}, "ab cd|\nef"},
        {{0, 30}, "ab cd\n|ef"},
        {{50, 90}, "ab cd\nef|"},
        {{150, 5}, "ab cd\nef|"},
    };
    for (const auto& c : clicks) {
        model.Click(c.point, client);
        EXPECT_EQ(c.document, Document()) << c.point.x << "," << c.point.y;
    }
}

TEST_F(DocumentEditing, ThePageEndMarkerShowsWhereAPrintedPageEnds)
{
    host.printing = true;
    LayoutFrame paper = doctext::TestFrame();
    paper.area = RECT{0, 0, 100, 45}; // two lines a printed page
    paper.wrapAgainstSpace = true;
    paper.pictureGap = 5;
    model.SetPrintFrame(paper);
    Type("a\nb\nc\nd\ne");
    EXPECT_EQ(9u, model.printItems_.size()); // no final item
    EXPECT_EQ(2, model.lastPrintPage_);
    // Printed page 0 ends with "b\n", on screen page 0 (line 1): the line below its box.
    model.currentPage_ = 0;
    EXPECT_EQ(model.items_[3].textBox_.bottom + 2, model.PageEndMarkerY());
    // Screen page 1 holds only 'e', the end of the last printed page.
    model.currentPage_ = 1;
    EXPECT_EQ(model.items_[8].textBox_.bottom + 2, model.PageEndMarkerY());

    host.printing = false;
    model.Layout();
    EXPECT_TRUE(model.printItems_.empty());
    EXPECT_EQ(-1, model.PageEndMarkerY());
}

// A printed page that ends on a soft-wrapped line ends with that line's soft break, which has no
// position of its own: the marker stands under the screen line of the page's last word, not under the
// first soft break on screen.
TEST_F(DocumentEditing, ThePageEndMarkerFollowsAPrintedPageThatEndsOnAWrappedLine)
{
    host.printing = true;
    LayoutFrame paper = doctext::TestFrame();
    paper.area = RECT{0, 0, 35, 45}; // narrower than the screen, two lines a printed page
    paper.wrapAgainstSpace = true;
    paper.pictureGap = 5;
    model.SetPrintFrame(paper);
    Type("aa bb cc dd ee ff gg hh");
    // Printed page 0 ends with "bb", on screen line 0; the first soft break on screen is on line 1.
    ASSERT_EQ("aa ~/bb ~//cc ~/dd ~//ee ~/ff ~//gg ~/hh", doctext::Lines(model.printItems_));
    ASSERT_EQ("aa bb cc dd/ ee ff gg ~/hh$", doctext::Lines(model.items_));
    model.currentPage_ = 0;
    EXPECT_EQ(model.items_[0].textBox_.bottom + 2, model.PageEndMarkerY());
}
