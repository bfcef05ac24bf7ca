// The block definition dialogs' rules without a window: the content string the content command starts
// from, the command as the block stores it, the rules of a block of several ranges, the colour, font,
// text placement and start-method mappings, and the clipboard wizard's geometry and names.
#include "editor/BlockAppearance.h"
#include "editor/BlockDefinition.h"
#include "editor/ClipboardGeometry.h"
#include <gtest/gtest.h>
#include <set>

using namespace blockdef;

namespace {

Block BlockWith(const std::string& text, const std::string& picture, size_t ranges = 1)
{
    Block block;
    block.text_ = text;
    block.picturePath_ = picture;
    for (size_t i = 0; i < ranges; ++i)
        block.cells_.push_back(RECT{static_cast<LONG>(2 * i), 0, static_cast<LONG>(2 * i), 0});
    return block;
}

// An image base of one picture: C:\bas\hund.wmf, code "AH1", word "hund", sound C:\bas\hund.wav.
PictureLookup OneBase()
{
    PictureLookup lookup;
    lookup.fileExists = [](const std::string& path) { return path == "C:\\bas\\hund.wmf" || path == "C:\\egen\\katt.bmp"; };
    lookup.codeFromPath = [](const std::string& path) { return path == "C:\\bas\\hund.wmf" ? "AH1" : ""; };
    lookup.resolve = [](const std::string& code, std::string& word, std::string& sound) {
        if (code != "AH1")
            return false;
        word = "hund";
        sound = "C:\\bas\\hund.wav";
        return true;
    };
    return lookup;
}

bool Same(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

} // namespace

TEST(BlockDefinition, TheContentCommandStartsFromTheBlocksTextAndPicture)
{
    const struct {
        const char* text;
        const char* picture;
        int speech;
        const char* content;
    } cases[] = {
        {"", "", 1, ""},
        {"Hej", "", 1, "@+'Hej'@"},
        {"Hej\r\ndu", "", 1, "@+'Hejdu'@"},
        // A file of no image base goes in by its path.
        {"Katt", "C:\\egen\\katt.bmp", 1, "@C:\\egen\\katt.bmp+'Katt'@"},
        {"", "C:\\egen\\katt.bmp", 1, "@C:\\egen\\katt.bmp@"},
        // A picture of a base goes in by its code; its own word is no label.
        {"hund", "C:\\bas\\hund.wmf", 1, "@AH1@"},
        {"Vovve", "C:\\bas\\hund.wmf", 1, "@AH1+'Vovve'@"},
        {"hund", "C:\\bas\\hund.wmf", 2, "@AH1+C:\\bas\\hund.wav@"},
        {"hund", "C:\\bas\\hund.wmf", 0, "@AH1+\"\"@"},
        // A short name that is no file is a code as stored; a long one is a path.
        {"hund", "AH1", 1, "@AH1@"},
        {"", "C:\\borta\\x.bmp", 1, "@C:\\borta\\x.bmp@"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.content, StartingContent(BlockWith(c.text, c.picture), '@', c.speech, OneBase()))
            << c.text << " / " << c.picture << " / " << c.speech;
    }
    EXPECT_EQ("#+'Hej'#", StartingContent(BlockWith("Hej", ""), '#', 1, OneBase()));
}

TEST(BlockDefinition, TheLimitHoldsForTheCommandAsStoredAfterExpansion)
{
    const std::string start = "<Ctrl+Esc>r";   // 11 characters
    const std::string end = "<Paus0.5><Return>"; // 17 characters
    const std::string program = "C:\\p.exe";
    const struct {
        std::string shown;
        bool accepted;
        std::string stored;
    } cases[] = {
        {std::string(256, 'a'), true, std::string(256, 'a')},
        {std::string(257, 'a'), false, ""},
        // "<Run " and ">" stand for 28 characters of the stored form.
        {"<Run " + program + ">" + std::string(256 - 11 - 8 - 17, 'x'), true,
         start + program + end + std::string(256 - 11 - 8 - 17, 'x')},
        {"<Run " + program + ">" + std::string(256 - 11 - 8 - 17 + 1, 'x'), false, ""},
    };
    for (const auto& c : cases) {
        std::string stored = "unchanged";
        const CommandRefusal refusal = StoredCommand(c.shown, start, end, stored);
        EXPECT_EQ(c.accepted ? CommandRefusal::None : CommandRefusal::TooLong, refusal) << c.shown.size();
        EXPECT_EQ(c.accepted ? c.stored : "unchanged", stored) << c.shown.size();
    }
}

TEST(BlockDefinition, ABlockOfSeveralRangesHasNoTextPictureOrRoundCorners)
{
    const struct {
        size_t ranges;
        int frame;
        bool textAndPicture;
        bool round;
    } cases[] = {
        {1, 0, true, false}, {1, 1, true, true}, {1, 10, true, true}, {2, 3, false, false}, {3, 0, false, false},
    };
    for (const auto& c : cases) {
        const Block block = BlockWith("", "", c.ranges);
        EXPECT_EQ(c.textAndPicture, HasTextAndPicture(block)) << c.ranges;
        EXPECT_EQ(c.round, AllowsRoundCorners(block, c.frame)) << c.ranges << " " << c.frame;
    }
    EXPECT_EQ(0, FrameLine(-3));
    EXPECT_EQ(10, FrameLine(12));
    EXPECT_EQ("a\r\nb\r\nc", TextForBox("a\r\nb\nc"));
}

TEST(BlockAppearance, ColoursMapToTheRadiosAndSwatchesAndBack)
{
    const COLORREF menu = RGB(1, 2, 3);
    const COLORREF red = RGB(255, 0, 0);
    const COLORREF green = RGB(0, 255, 0);
    const struct {
        COLORREF text, frame, back;
        int transparent;
        int textRadio, frameRadio, backRadio;
        COLORREF textSwatch, backSwatch;
    } cases[] = {
        {0, 0, RGB(255, 255, 255), 0, appearance::kBlack, appearance::kBlack, appearance::kWhite, menu, menu},
        {red, green, RGB(255, 255, 255), 1, appearance::kOtherColor, appearance::kOtherColor, appearance::kTransparent,
         red, menu},
        {0, 0, green, 0, appearance::kBlack, appearance::kBlack, appearance::kOtherBack, menu, green},
    };
    for (const auto& c : cases) {
        Block block;
        block.textColor_ = c.text;
        block.frameColor_ = c.frame;
        block.backColor_ = c.back;
        block.transparent_ = c.transparent;
        block.cover_ = 0;
        const appearance::ColorChoice choice = appearance::ColorChoiceOf(block, menu);
        EXPECT_EQ(c.textRadio, choice.text);
        EXPECT_EQ(c.frameRadio, choice.frame);
        EXPECT_EQ(c.backRadio, choice.back);
        EXPECT_EQ(c.textSwatch, choice.textSwatch);
        EXPECT_EQ(c.backSwatch, choice.backSwatch);
        EXPECT_EQ(0, choice.cover);
        Block back;
        appearance::ApplyColorChoice(choice, back);
        EXPECT_EQ(c.text, back.textColor_);
        EXPECT_EQ(c.frame, back.frameColor_);
        // A transparent background stores white under the flag.
        EXPECT_EQ(c.transparent ? RGB(255, 255, 255) : c.back, back.backColor_);
        EXPECT_EQ(c.transparent, back.transparent_);
    }
}

TEST(BlockAppearance, FontStylesAndSizesMapToTheirListLines)
{
    const struct {
        int style;
        int line;
    } styles[] = {{0, 0}, {10, 1}, {1, 2}, {11, 3}, {7, 0}};
    for (const auto& c : styles) {
        EXPECT_EQ(c.line, appearance::StyleLine(c.style)) << c.style;
    }
    for (int line = 0; line < appearance::kStyleLines; ++line)
        EXPECT_EQ(line, appearance::StyleLine(appearance::StyleOfLine(line)));

    const std::vector<int>& sizes = appearance::FontSizes();
    ASSERT_EQ(29u, sizes.size());
    EXPECT_EQ(22, sizes[6]);
    EXPECT_EQ(26, sizes[7]);
    EXPECT_EQ(110, sizes.back());
    const struct {
        int size;
        int shown;
    } cases[] = {{24, 26}, {12, 12}, {13, 14}, {9, 10}, {-1, 10}, {0, 10}, {110, 110}, {200, 110}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.shown, sizes[static_cast<size_t>(appearance::SizeLine(c.size))]) << c.size;
    }

    Block automatic;
    appearance::AutomaticFont font = appearance::AutomaticFontOf(automatic, "Arial", 18);
    EXPECT_EQ("Arial", font.name);
    EXPECT_EQ(0, font.style);
    EXPECT_EQ(18, font.size);
    automatic.fontName_ = "Tahoma";
    automatic.fontStyle_ = 11;
    automatic.fontSize_ = 30;
    font = appearance::AutomaticFontOf(automatic, "Arial", 18);
    EXPECT_EQ("Tahoma", font.name);
    EXPECT_EQ(11, font.style);
    EXPECT_EQ(30, font.size);
}

TEST(BlockAppearance, TextPositionsAndStartMethodsMapToTheirRadios)
{
    const struct {
        int position;
        int radio;
        int storedBack;
    } positions[] = {{1, 0, 1}, {0, 1, 0}, {2, 2, 2}, {5, 2, 2}};
    for (const auto& c : positions) {
        EXPECT_EQ(c.radio, appearance::TextPositionRadio(c.position)) << c.position;
        EXPECT_EQ(c.storedBack, appearance::TextPositionOfRadio(c.radio));
    }

    const std::array<std::string, 4> sequences = {"<Win+R>", "<Ctrl+Esc>r", "", ""};
    const struct {
        const char* current;
        int checked;
    } methods[] = {{"<Win+R>", 0}, {"<Ctrl+Esc>r", 1}, {"", -1}, {"<Alt>", -1}};
    for (const auto& c : methods) {
        EXPECT_EQ(c.checked, appearance::CheckedStartMethod(sequences, c.current)) << c.current;
    }
}

TEST(ClipboardGeometry, APictureIsFittedIntoTheFrameWithItsAspectKept)
{
    const RECT frame{10, 20, 210, 120}; // 200 x 100
    const struct {
        int width, height;
        RECT shown;
    } cases[] = {
        {400, 100, {10, 45, 210, 95}},   // wider: fills the width
        {100, 100, {110 - 50, 20, 110 + 50, 120}}, // higher: fills the height, centred
        {200, 100, {10, 20, 210, 120}},
        {50, 400, {103, 20, 116, 120}},
        {0, 10, {10, 20, 10, 20}},
    };
    for (const auto& c : cases) {
        const RECT shown = clipboard::FitPicture(c.width, c.height, frame);
        EXPECT_TRUE(::EqualRect(&shown, &c.shown)) << c.width << "x" << c.height << ": " << shown.left << ","
                                                   << shown.top << "," << shown.right << "," << shown.bottom;
    }
}

TEST(ClipboardGeometry, TheHandleUnderThePointer)
{
    const RECT s{100, 100, 200, 160};
    const struct {
        POINT point;
        int handle;
    } cases[] = {
        {{150, 100}, fw::kTopEdge}, {{150, 104}, fw::kTopEdge}, {{150, 94}, fw::kTopEdge},
        {{150, 160}, fw::kBottomEdge}, {{100, 130}, fw::kLeftEdge}, {{206, 130}, fw::kRightEdge},
        {{101, 99}, fw::kTopLeft}, {{198, 103}, fw::kTopRight}, {{97, 158}, fw::kBottomLeft},
        {{200, 160}, fw::kBottomRight}, {{150, 130}, fw::kNoHandle}, {{150, 93}, fw::kNoHandle},
        {{300, 130}, fw::kNoHandle}, {{150, 200}, fw::kNoHandle},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.handle, clipboard::HandleAt(s, c.point)) << c.point.x << "," << c.point.y;
    }
}

TEST(ClipboardGeometry, DragsStepsAndSizesFollowTheRules)
{
    const RECT shown{10, 10, 210, 110};
    const clipboard::MinimumSize minimum{4, 4};
    const RECT s{50, 30, 150, 80};
    const struct {
        int handle;
        POINT offset;
        RECT dragged;
        bool accepted;
    } drags[] = {
        {fw::kNoHandle, {10, 5}, {60, 35, 160, 85}, true},
        {fw::kNoHandle, {70, 0}, {120, 30, 220, 80}, false},  // past the picture's right edge
        {fw::kTopEdge, {0, -25}, {50, 5, 150, 80}, false},
        {fw::kLeftEdge, {-40, 0}, {10, 30, 150, 80}, true},
        {fw::kBottomRight, {-97, 0}, {50, 30, 53, 80}, false}, // narrower than the minimum
        {fw::kTopRight, {10, 10}, {50, 40, 160, 80}, true},
    };
    for (const auto& d : drags) {
        const RECT dragged = clipboard::DragSelection(s, d.handle, d.offset);
        EXPECT_TRUE(::EqualRect(&dragged, &d.dragged)) << d.handle;
        EXPECT_EQ(d.accepted, clipboard::Accepts(dragged, shown, minimum)) << d.handle;
    }

    // The factor times the shown size, top-left kept, pushed back inside.
    RECT scaled = clipboard::ScaleSelection({10, 10, 210, 110}, 0.5, shown);
    EXPECT_TRUE(Same(scaled, RECT{10, 10, 110, 60}));
    scaled = clipboard::ScaleSelection({150, 80, 200, 100}, 0.5, shown);
    EXPECT_TRUE(Same(scaled, RECT{110, 60, 210, 110}));
    scaled = clipboard::ScaleSelection({10, 10, 110, 60}, 1.05, shown);
    EXPECT_TRUE(::EqualRect(&scaled, &shown));
    EXPECT_FALSE(clipboard::CanEnlarge(shown, shown));
    EXPECT_TRUE(clipboard::CanEnlarge({10, 10, 209, 110}, shown));
    EXPECT_TRUE(clipboard::CanShrink({0, 0, 18, 10}, minimum));
    EXPECT_FALSE(clipboard::CanShrink({0, 0, 17, 10}, minimum));
}

TEST(ClipboardGeometry, TheSelectionMapsBackIntoThePicturesPixels)
{
    const RECT shown{10, 20, 210, 120}; // a 400 x 200 picture at half size
    const struct {
        RECT selection;
        RECT mapped;
    } cases[] = {
        {{10, 20, 210, 120}, {0, 0, 400, 200}},
        {{60, 45, 110, 70}, {100, 50, 200, 100}},
        {{0, 0, 300, 300}, {0, 0, 400, 200}},
    };
    for (const auto& c : cases) {
        const RECT mapped = clipboard::MapToPicture(c.selection, shown, 400, 200);
        EXPECT_TRUE(::EqualRect(&mapped, &c.mapped)) << mapped.left << "," << mapped.top << "," << mapped.right << ","
                                                     << mapped.bottom;
    }
}

TEST(ClipboardGeometry, TheProposedAndTheSavedNames)
{
    const struct {
        std::set<std::string> present;
        const char* proposed;
    } proposals[] = {
        {{}, "C:\\b\\1.jpg"},
        {{"C:\\b\\1.jpg", "C:\\b\\2.jpg"}, "C:\\b\\3.jpg"},
        {{"C:\\b\\2.jpg"}, "C:\\b\\1.jpg"},
    };
    for (const auto& p : proposals) {
        EXPECT_EQ(p.proposed, clipboard::ProposedName("C:\\b", [&](const std::string& name) { return p.present.count(name) > 0; }));
    }
    const struct {
        const char* chosen;
        const char* saved;
    } names[] = {
        {"C:\\b\\bild.png", "C:\\b\\bild.jpg"}, {"C:\\b\\bild", "C:\\b\\bild.jpg"}, {"C:\\b\\bild.jpg", "C:\\b\\bild.jpg"},
        {"C:\\b.d\\bild", "C:\\b.d\\bild.jpg"}, {"C:\\b\\bild.", "C:\\b\\bild.jpg"},
    };
    for (const auto& n : names) {
        EXPECT_EQ(n.saved, clipboard::WithJpegExtension(n.chosen)) << n.chosen;
    }
    // A bare name or a relative path goes into the proposed folder; one with a drive or from a root
    // stays where it says; each is the JPEG file that will be written.
    const struct {
        const char* typed;
        const char* file;
    } typed[] = {
        {"bil.jpg", "C:\\b\\bil.jpg"}, {"D:\\bilder\\bil.jpg", "D:\\bilder\\bil.jpg"},
        {"D:bil.jpg", "D:bil.jpg"}, {"bilder/bil.jpg", "C:\\b\\bilder/bil.jpg"},
        {"bilder\\katt.jpg", "C:\\b\\bilder\\katt.jpg"}, {"..\\katt.jpg", "C:\\b\\..\\katt.jpg"},
        {"\\bilder\\katt.jpg", "\\bilder\\katt.jpg"}, {"\\\\server\\b\\katt.jpg", "\\\\server\\b\\katt.jpg"},
        {"katt", "C:\\b\\katt.jpg"}, {"bilder\\katt.png", "C:\\b\\bilder\\katt.jpg"},
    };
    for (const auto& t : typed) {
        EXPECT_EQ(t.file, clipboard::FileInFolder(t.typed, "C:\\b")) << t.typed;
    }
}
