// Overlay files: the Block and Layout lines, the whole file, reading back every kind of block,
// merging lines by number, the version rule, picture codes, names, failures and damaged files.
#include "ImageBaseFiles.h"
#include "OverlayFixture.h"
#include "framework/Files.h"
#include "library/IniFileCache.h"
#include "store/OverlayLines.h"
#include <gtest/gtest.h>
#include <algorithm>

using Blocks = std::vector<Block>;

namespace {

Block GoldenKey()
{
    Block block;
    block.cells_ = {Range(0, 17), Range(32, 33)};
    block.command_ = "<Return>";
    return block;
}

Block GoldenLayout()
{
    Block block;
    block.transparent_ = 1;
    block.frameWidth_ = 2;
    block.roundFrame_ = 1;
    block.frameColor_ = RGB(255, 0, 0);
    block.text_ = "Ja\r\nNej";
    return block;
}

const char* const kGoldenBlockLine = "Block1=2,0,17,32,33,0,<Return>";
const char* const kGoldenLayoutLine = "Layout1=102,,(0,0,0),(255,0,0),,1,,,,0,1,Ja\\nNej";

std::string Version(const std::string& version)
{
    return "[Version]\r\nVersion=" + version + "\r\n\r\n";
}

} // namespace

TEST(OverlayLines, GoldenLinesAreWrittenAndReadBack)
{
    EXPECT_EQ(kGoldenBlockLine, overlay::FormatBlockLine(1, GoldenKey()));
    EXPECT_EQ(kGoldenLayoutLine, overlay::FormatLayoutLine(1, GoldenLayout()));

    Block read;
    int number = 0;
    ASSERT_TRUE(overlay::ParseBlockLine(kGoldenBlockLine, number, read));
    EXPECT_EQ(1, number);
    ASSERT_TRUE(overlay::ParseLayoutLine(kGoldenLayoutLine, number, read));
    Block expected = GoldenLayout();
    expected.CopyCommand(GoldenKey());
    EXPECT_EQ("", StoredDifference(expected, read));
}

TEST(OverlayLines, EveryCutOfALineReadsWithinIt)
{
    // A file cut short anywhere: a prefix that lacks a field before the last one is refused; a
    // longer one reads, and what it reads is what it holds: written again, it gives the prefix itself
    // (with at most the separator after a cut repeat flag) and nothing the whole line does not hold.
    const struct {
        std::string line;
        std::string shortestRead; // the shortest prefix that holds every field but the last
    } lines[] = {
        {kGoldenBlockLine, "Block1=2,0,17,32,33,"},
        {kGoldenLayoutLine, "Layout1=102,,(0,0,0),(255,0,0),,1,,,,0,1,"},
        {"Layout7=3,C:\\bilder\\x.bmp,(1,2,3),(4,5,6),(7,8,9),0,Arial,12,10,2,0,text",
         "Layout7=3,C:\\bilder\\x.bmp,(1,2,3),(4,5,6),(7,8,9),0,Arial,12,10,2,0,"},
    };
    for (const auto& c : lines) {
        const bool isBlock = c.line.compare(0, 5, "Block") == 0;
        for (size_t length = 0; length <= c.line.size(); ++length) {
            Block record;
            int number = 0;
            const std::string cut = c.line.substr(0, length);
            const bool read = isBlock ? overlay::ParseBlockLine(cut, number, record)
                                      : overlay::ParseLayoutLine(cut, number, record);
            EXPECT_EQ(length >= c.shortestRead.size(), read) << cut;
            if (!read)
                continue;
            const std::string again = isBlock ? overlay::FormatBlockLine(number, record)
                                              : overlay::FormatLayoutLine(number, record);
            EXPECT_EQ(0, again.compare(0, cut.size(), cut)) << cut << " gave " << again;
            EXPECT_EQ(0, c.line.compare(0, again.size(), again)) << cut << " gave " << again;
        }
    }
    Block record;
    int number = 0;
    EXPECT_FALSE(overlay::ParseLayoutLine("Layout1=0,,(0,0,0),(0,0", number, record));
    EXPECT_FALSE(overlay::ParseBlockLine("Block1=2,0,17", number, record));
    EXPECT_FALSE(overlay::ParseBlockLine("Block1", number, record));
}

TEST(OverlayFile, SaveWritesTheWholeFileInItsOrder)
{
    OverlayFixture fixture;
    Block background;
    background.cells_ = {Range(0, 127)};
    background.backColor_ = RGB(1, 2, 3);
    KeyboardSettings settings;
    settings.frequency_ = 0.75f;
    settings.sendType_ = 1;
    std::string name = "Första";
    ASSERT_EQ(FileIO::kSaved, fixture.IO().SaveOverlay(name, 4, OverlayFixture::kSet, {GoldenKey(), GoldenLayout()},
                                                       {background}, settings));

    const std::string expected =
        "[Version]\r\nVersion=4.2.0.0\r\n\r\n"
        "[Data]\r\n"
        "Block1=2,0,17,32,33,0,<Return>\r\n"
        "Block2=0,0,\r\n"
        "Layout1=0,,(0,0,0),(0,0,0),(255,255,255),1,,,,0,1,\r\n"
        "Layout2=102,,(0,0,0),(255,0,0),,1,,,,0,1,Ja\\nNej\r\n"
        "\r\n"
        "[Background]\r\n"
        "Block1=1,0,127,0,\r\n"
        "Layout1=0,,(0,0,0),(0,0,0),(1,2,3),1,,,,0,1,\r\n"
        "[KeyboardSettings]\r\nFlashSignal=1\r\nBeepSignal=1\r\nFrequency=0.8\r\nRepeatDelay=1.0\r\n"
        "SignalDelay=0.0\r\nBounceLock=0.0\r\nSendType=Game\r\nMouseKeyTopSpeed=20\r\n"
        "MouseKeyAcceleration=100\r\nMouseCursorStep=1\r\n";
    EXPECT_EQ(expected, testsupport::TempFolder::Read(fixture.OverlayFile("Första")));
    EXPECT_EQ("Första", ConfigFixture::Value(fixture.RegisterFile(), "Overlays", "4"));
    // Nothing of the temporary file stays behind.
    EXPECT_EQ((std::vector<std::string>{"Första.ini", "register.txt"}), [&] {
        auto files = fixture.FilesInSet();
        std::sort(files.begin(), files.end());
        return files;
    }());
}

TEST(OverlayFile, EveryKindOfBlockReadsBackAsItWasSaved)
{
    OverlayFixture fixture;
    struct Variant {
        const char* what;
        void (*make)(Block&);
    };
    const Variant variants[] = {
        {"plain", [](Block&) {}},
        {"transparent", [](Block& b) { b.transparent_ = 1; }},
        {"own font", [](Block& b) { b.fontName_ = "Times New Roman"; b.ownFont_ = 1; b.fontSize_ = 14; b.fontStyle_ = 11; }},
        {"several ranges", [](Block& b) { b.cells_ = {Range(0, 3), Range(16, 17), Range(32, 49)}; }},
        {"command with commas", [](Block& b) { b.command_ = "<Paus0.5>a,b,,c,"; b.repeat_ = 1; }},
        {"round frame", [](Block& b) { b.roundFrame_ = 1; b.frameWidth_ = 10; b.frameColor_ = RGB(0, 0, 255); }},
        {"line breaks and backslashes", [](Block& b) { b.text_ = "C:\\mapp\\\r\nrad två\\"; }},
        {"commas and blanks in text", [](Block& b) { b.text_ = "  1,2, (3,4,5),  "; b.command_ = "jag "; }},
        {"colours and placement", [](Block& b) {
             b.textColor_ = RGB(250, 128, 7);
             b.backColor_ = RGB(1, 2, 3);
             b.cover_ = 0;
             b.textPosition_ = 2;
             b.centred_ = 0;
         }},
        {"Swedish text", [](Block& b) { b.text_ = "Åsa åt ärtor"; }},
        {"picture outside every base", [](Block& b) { b.picturePath_ = "C:\\Mina bilder\\katt.jpg"; }},
        {"no cells", [](Block& b) { b.cells_.clear(); }},
    };
    Blocks keys;
    for (const Variant& variant : variants) {
        Block block;
        block.cells_ = {Range(static_cast<int>(keys.size()), static_cast<int>(keys.size()) + 16)};
        variant.make(block);
        block.id_ = static_cast<int>(keys.size()) + 1;
        keys.push_back(block);
    }
    Blocks background(keys.rbegin(), keys.rend());
    for (size_t i = 0; i < background.size(); ++i)
        background[i].id_ = static_cast<int>(i) + 1;
    ASSERT_EQ(FileIO::kSaved, fixture.Save("Alla", keys, background));
    // Setting the flag afterwards must leave every line as it was, blanks at the end included.
    ASSERT_TRUE(fixture.IO().SetAccessKvoraFlag("Alla", OverlayFixture::kSet, 1));

    Blocks readKeys, readBackground;
    ASSERT_EQ(FileIO::kLoaded, fixture.Load("Alla", readKeys, readBackground));
    ASSERT_EQ(keys.size(), readKeys.size());
    ASSERT_EQ(background.size(), readBackground.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ("", StoredDifference(keys[i], readKeys[i])) << variants[i].what;
        EXPECT_EQ("", StoredDifference(background[i], readBackground[i])) << variants[keys.size() - 1 - i].what;
    }
    EXPECT_EQ(1, fixture.IO().GetAccessKvoraFlag("Alla", OverlayFixture::kSet));
}

TEST(OverlayFile, KeyboardSettingsComeBackAndAMissingFileLeavesThemAlone)
{
    OverlayFixture fixture;
    KeyboardSettings saved;
    saved.repeatDelay_ = 0.3f;
    saved.signalDelay_ = 1.5f;
    saved.beepSignal_ = 0;
    saved.mouseCursorStep_ = 4;
    ASSERT_EQ(FileIO::kSaved, fixture.Save("Inställt", {}, {}, saved));
    KeyboardSettings read;
    Blocks keys, background;
    EXPECT_EQ(FileIO::kLoaded, fixture.IO().LoadOverlay(fixture.OverlayFile("Inställt"), keys, background, read));
    EXPECT_FLOAT_EQ(0.3f, read.repeatDelay_);
    EXPECT_FLOAT_EQ(1.5f, read.signalDelay_);
    EXPECT_EQ(0, read.beepSignal_);
    EXPECT_EQ(4, read.mouseCursorStep_);
    EXPECT_TRUE(keys.empty());

    KeyboardSettings untouched;
    untouched.repeatDelay_ = 2.0f;
    keys.push_back(Block());
    EXPECT_EQ(FileIO::kNotOpened, fixture.IO().LoadOverlay(fixture.OverlayFile("Saknas"), keys, background, untouched));
    EXPECT_TRUE(keys.empty());
    EXPECT_FLOAT_EQ(2.0f, untouched.repeatDelay_);

    // A file without the section gets the defaults.
    fixture.WriteOverlay("Utan", Version("4.2.0.0") + "[Data]\r\n");
    EXPECT_EQ(FileIO::kLoaded, fixture.IO().LoadOverlay(fixture.OverlayFile("Utan"), keys, background, untouched));
    EXPECT_FLOAT_EQ(1.0f, untouched.repeatDelay_);
}

TEST(OverlayFile, LinesOfOneNumberMergeIntoOneBlock)
{
    OverlayFixture fixture;
    fixture.WriteOverlay("Blandat", Version("4.2.0.0") +
        "[Data]\r\n"
        "Block3=1,0,0,0,first\r\n"
        "Block1=1,5,5,1,one\r\n"
        "Block3=1,20,21,1,second\r\n"
        "Layout1=3,,(0,0,0),(0,0,0),(0,255,0),0,,,,1,0,Ett\r\n"
        "Layout9=0,,(0,0,0),(0,0,0),(255,255,255),1,,,,0,1,Bara utseende\r\n"
        "Block9=1,7,7,0,late\r\n");
    Blocks keys, background;
    ASSERT_EQ(FileIO::kLoaded, fixture.Load("Blandat", keys, background));
    ASSERT_EQ(3u, keys.size());

    // The second Block3 line wins, in the place the first one gave.
    EXPECT_EQ(3, keys[0].id_);
    EXPECT_EQ("second", keys[0].command_);
    EXPECT_EQ(1, keys[0].repeat_);
    ASSERT_EQ(1u, keys[0].cells_.size());
    EXPECT_EQ(4, keys[0].cells_[0].left);
    EXPECT_EQ(5, keys[0].cells_[0].right);
    EXPECT_EQ(1, keys[0].cells_[0].top);
    // Without a Layout line a block looks like a new one.
    const Block fresh;
    EXPECT_EQ(fresh.backColor_, keys[0].backColor_);
    EXPECT_EQ(1, keys[0].cover_);
    EXPECT_EQ(1, keys[0].centred_);
    EXPECT_EQ(0, keys[0].frameWidth_);

    EXPECT_EQ(1, keys[1].id_);
    EXPECT_EQ("one", keys[1].command_);
    EXPECT_EQ("Ett", keys[1].text_);
    EXPECT_EQ(RGB(0, 255, 0), keys[1].backColor_);
    EXPECT_EQ(3, keys[1].frameWidth_);

    // A Layout line of a number no Block line had gives a block without cells; a later Block line joins it.
    EXPECT_EQ(9, keys[2].id_);
    EXPECT_EQ("Bara utseende", keys[2].text_);
    EXPECT_EQ("late", keys[2].command_);
    EXPECT_EQ(1u, keys[2].cells_.size());
    EXPECT_TRUE(background.empty());
}

TEST(OverlayFile, PathsOfOlderFilesGetTheirCodeUpToVersion41)
{
    OverlayFixture fixture;
    const std::string layout = "Layout1=0," + fixture.SunPicture() + ",(0,0,0),(0,0,0),(255,255,255),1,,,,0,1,sol\r\n";
    const std::string section = "Block1=1,0,0,0,\r\n" + layout;
    struct Case {
        const char* version;
        const char* code;
    };
    for (const Case& c : {Case{"4.0", "A101"}, Case{"4.1", "A101"}, Case{"4.1.0.0", "A101"}, Case{"4.2", ""},
                          Case{"5.0.19.0", ""}}) {
        fixture.WriteOverlay("Gammal", Version(c.version) + "[Data]\r\n" + section);
        Blocks keys, background;
        KeyboardSettings settings;
        std::string versionLine;
        ASSERT_EQ(FileIO::kLoaded, fixture.IO().LoadOverlay(fixture.OverlayFile("Gammal"), keys, background, settings,
                                                            &versionLine));
        ASSERT_EQ(1u, keys.size());
        EXPECT_EQ(c.code, keys[0].pictureCode_) << c.version;
        EXPECT_EQ(fixture.SunPicture(), keys[0].picturePath_) << c.version;
        EXPECT_EQ(std::string("Version=") + c.version, versionLine);
    }

    // Without a version, and with [Version] after the keys: the keys count as oldest, the background not.
    fixture.WriteOverlay("Sent", "[Data]\r\n" + section + "\r\n" + Version("4.2") + "[Background]\r\n" + section);
    Blocks keys, background;
    ASSERT_EQ(FileIO::kLoaded, fixture.Load("Sent", keys, background));
    ASSERT_EQ(1u, keys.size());
    ASSERT_EQ(1u, background.size());
    EXPECT_EQ("A101", keys[0].pictureCode_);
    EXPECT_EQ("", background[0].pictureCode_);
}

TEST(OverlayFile, PictureCodesResolveAndUnknownCodesStayAsWritten)
{
    OverlayFixture fixture;
    auto layout = [](int n, const std::string& picture) {
        return "Layout" + std::to_string(n) + "=0," + picture + ",(0,0,0),(0,0,0),(255,255,255),1,,,,0,1,ord\r\n";
    };
    const std::string file = Version("4.2.0.0") + "[Data]\r\n" + layout(1, "A101") + layout(2, "a101") + layout(3, "A999")
                             + layout(4, "V1") + layout(5, "V77");
    fixture.WriteOverlay("Koder", file);
    Blocks keys, background;
    ASSERT_EQ(FileIO::kLoaded, fixture.Load("Koder", keys, background));
    ASSERT_EQ(5u, keys.size());
    EXPECT_EQ(fixture.SunPicture(), keys[0].picturePath_);
    EXPECT_EQ("A101", keys[0].pictureCode_);
    EXPECT_EQ(0, keys[0].libraryPicture_);
    EXPECT_EQ(fixture.SunPicture(), keys[1].picturePath_);
    EXPECT_EQ("a101", keys[1].pictureCode_);
    EXPECT_EQ("A999", keys[2].picturePath_);
    EXPECT_EQ("", keys[2].pictureCode_);
    EXPECT_EQ(fixture.HousePicture(), keys[3].picturePath_);
    EXPECT_EQ(1, keys[3].libraryPicture_);
    // A code of the library base that the base does not hold shows no picture: its text must still
    // be drawn, so it does not count as a library picture.
    EXPECT_EQ("V77", keys[4].picturePath_);
    EXPECT_EQ(0, keys[4].libraryPicture_);

    // Saved again, every code is written as it was read.
    ASSERT_EQ(FileIO::kSaved, fixture.Save("Koder", keys));
    const std::string saved = testsupport::TempFolder::Read(fixture.OverlayFile("Koder"));
    for (const char* code : {",A101,", ",a101,", ",A999,", ",V1,", ",V77,"})
        EXPECT_NE(std::string::npos, saved.find(code)) << code;
}

TEST(OverlayFile, NamesLoseWhatAFileNameCannotHold)
{
    OverlayFixture fixture;
    std::string name = "a/b:c";
    ASSERT_EQ(FileIO::kSaved, fixture.IO().SaveOverlay(name, 7, OverlayFixture::kSet, {}, {}, KeyboardSettings()));
    EXPECT_EQ("abc", name);
    EXPECT_EQ("abc", ConfigFixture::Value(fixture.RegisterFile(), "Overlays", "7"));

    name = " \\*?\"<>|, ";
    EXPECT_EQ(FileIO::kNoName, fixture.IO().SaveOverlay(name, 8, OverlayFixture::kSet, {}, {}, KeyboardSettings()));
    EXPECT_EQ("<missing>", ConfigFixture::Value(fixture.RegisterFile(), "Overlays", "8"));

    name = "  Mitt  ";
    ASSERT_EQ(FileIO::kSaved, fixture.IO().SaveOverlay(name, 9, OverlayFixture::kSet, {}, {}, KeyboardSettings()));
    EXPECT_EQ("Mitt", name);
    EXPECT_EQ(1, ImageBaseManager::FileExists(fixture.OverlayFile("Mitt")));

    // Dots at the end go, as the system would drop them; a device name or dots alone are no name.
    name = "Slut. . ";
    ASSERT_EQ(FileIO::kSaved, fixture.IO().SaveOverlay(name, 10, OverlayFixture::kSet, {}, {}, KeyboardSettings()));
    EXPECT_EQ("Slut", name);
    for (const char* device : {"CON", "nul", "Com3.txt", "..", "LPT1"}) {
        name = device;
        EXPECT_EQ(FileIO::kNoName, fixture.IO().SaveOverlay(name, 11, OverlayFixture::kSet, {}, {}, KeyboardSettings()))
            << device;
    }
    EXPECT_EQ("<missing>", ConfigFixture::Value(fixture.RegisterFile(), "Overlays", "11"));
}

TEST(OverlayFile, TheTemplatesSetKeepsNoRegisterEntries)
{
    OverlayFixture fixture;
    const std::string templates = fixture.IO().setFolder_ + "\\Mallar";
    ::CreateDirectoryA(templates.c_str(), nullptr);
    std::string name = "Mall";
    ASSERT_EQ(FileIO::kSaved, fixture.IO().SaveOverlay(name, 3, "MALLAR", {GoldenKey()}, {}, KeyboardSettings()));
    EXPECT_EQ(1, ImageBaseManager::FileExists(templates + "\\Mall.ini"));
    EXPECT_FALSE(fw::PathExists(templates + "\\register.txt"));
}

TEST(OverlayFile, AFileThatCannotBeWrittenIsReportedAndNotRegistered)
{
    OverlayFixture fixture;
    // No folder for the set.
    std::string name = "Ingen";
    EXPECT_EQ(FileIO::kNotWritten, fixture.IO().SaveOverlay(name, 2, "Saknas", {GoldenKey()}, {}, KeyboardSettings()));

    // A file held open by another program keeps its content, and the register gets no entry.
    const std::string path = fixture.WriteOverlay("Låst", "gammalt innehåll");
    {
        testsupport::LockedFile locked(path);
        ASSERT_TRUE(locked.IsOpen());
        name = "Låst";
        EXPECT_EQ(FileIO::kNotWritten, fixture.IO().SaveOverlay(name, 5, OverlayFixture::kSet, {GoldenKey()}, {},
                                                                KeyboardSettings()));
    }
    EXPECT_EQ("gammalt innehåll", testsupport::TempFolder::Read(path));
    EXPECT_EQ("<missing>", ConfigFixture::Value(fixture.RegisterFile(), "Overlays", "5"));
    for (const std::string& file : fixture.FilesInSet())
        EXPECT_EQ(std::string::npos, file.find(".tmp")) << file;
}

TEST(OverlayFile, ValuesTheFileCannotHoldAreRefusedBeforeAnythingIsWritten)
{
    struct Case {
        FileIO::BlockField field;
        const char* value;
        bool storable;
    };
    const Case cases[] = {
        {FileIO::BlockField::Command, "<Paus0.5>a,b", true},
        {FileIO::BlockField::Command, "rad\r\nrad", false},
        {FileIO::BlockField::Picture, "C:\\Bilder\\sol.bmp", true},
        {FileIO::BlockField::Picture, "C:\\Bilder, gamla\\sol.bmp", false},
        {FileIO::BlockField::FontName, "Arial", true},
        {FileIO::BlockField::FontName, "Arial,Bold", false},
        {FileIO::BlockField::Text, "Ja\r\nNej, C:\\mapp", true},
        {FileIO::BlockField::Text, "C:\\mapp\\", true},
        {FileIO::BlockField::Text, "C:\\ny", false},
        {FileIO::BlockField::Text, "C:\\nytt", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.storable, FileIO::IsStorable(c.field, c.value)) << c.value;

    OverlayFixture fixture;
    const std::string path = fixture.WriteOverlay("Kvar", "gammalt");
    Block good = GoldenKey();
    Block bad = GoldenKey();
    bad.picturePath_ = "C:\\Bilder, gamla\\sol.bmp";
    std::string name = "Kvar";
    FileIO::UnstorableValue where;
    EXPECT_EQ(FileIO::kUnstorable,
              fixture.IO().SaveOverlay(name, 6, OverlayFixture::kSet, {good}, {good, bad}, KeyboardSettings(), &where));
    EXPECT_EQ(1, where.section);
    EXPECT_EQ(1, where.index);
    EXPECT_EQ(FileIO::BlockField::Picture, where.field);
    EXPECT_EQ("gammalt", testsupport::TempFolder::Read(path));
    EXPECT_EQ("<missing>", ConfigFixture::Value(fixture.RegisterFile(), "Overlays", "6"));

    Block outside = GoldenKey();
    outside.cells_.push_back(RECT{3, 7, 16, 7});
    EXPECT_EQ(FileIO::BlockField::Cells, FileIO::FindUnstorableField(outside));
}

// A lone CR or LF in a text would come back as a CR LF: the save refuses it as it refuses any value
// that would not read back as it was, and the text with CR LF line breaks is stored and read whole.
TEST(OverlayFile, LoneLineBreaksAreStoredAsLineBreaks)
{
    OverlayFixture fixture;
    Block block = GoldenKey();
    block.text_ = "ett\ntvå\rtre";
    Block second = GoldenKey();
    second.command_ = "andra";
    FileIO::UnstorableValue where;
    std::string name = "Rader";
    EXPECT_EQ(FileIO::kUnstorable, fixture.IO().SaveOverlay(name, 5, OverlayFixture::kSet, {block, second}, {},
                                                            KeyboardSettings(), &where));
    EXPECT_EQ(FileIO::BlockField::Text, where.field);
    EXPECT_EQ(0, where.index);
    block.text_ = "ett\r\ntvå\r\ntre";
    ASSERT_EQ(FileIO::kSaved, fixture.Save("Rader", {block, second}));
    Blocks keys, background;
    ASSERT_EQ(FileIO::kLoaded, fixture.Load("Rader", keys, background));
    ASSERT_EQ(2u, keys.size());
    EXPECT_EQ("ett\r\ntvå\r\ntre", keys[0].text_);
    EXPECT_EQ("andra", keys[1].command_);
}

// The check and the file agree: a text the check calls storable reads back exactly as it was saved,
// and one it refuses would not have.
TEST(OverlayFile, TheTextCheckAgreesWithWhatReadsBack)
{
    OverlayFixture fixture;
    const char* texts[] = {"en rad", "två\r\nrader", "ett\ntvå", "ett\rtvå", "slut\r", "slut\n",
                           "slut\r\n", "\r\nbörjan", "\n", "C:\\mapp\\", "C:\\ny", "a\\\r\nb"};
    for (const char* text : texts) {
        Block block = GoldenKey();
        block.text_ = text;
        const bool storable = FileIO::FindUnstorableField(block) == FileIO::BlockField::None;
        // What the file gives back when the check is bypassed: the line written as the writer writes it.
        fixture.WriteOverlay("Prov", Version("4.2.0.0") + "[Data]\r\n" + overlay::FormatBlockLine(1, block) +
                                         "\r\n" + overlay::FormatLayoutLine(1, block) + "\r\n");
        Blocks keys, background;
        fixture.Load("Prov", keys, background);
        ASSERT_EQ(1u, keys.size()) << text;
        EXPECT_EQ(storable, keys[0].text_ == block.text_) << "\"" << text << "\" reads back as \"" << keys[0].text_ << "\"";
    }
}

TEST(OverlayFile, ADamagedFileLoadsWhatItCanAndSaysSo)
{
    OverlayFixture fixture;
    fixture.WriteOverlay("Skadad", Version("4.2.0.0") +
        "[Data]\r\n"
        "Block1=2,0,17\r\n"                      // cut short
        "Block2=1,0,200,0,utanför\r\n"           // a cell outside the grid
        "Block3=1,3,3,0,tre\r\n"
        "Block4=1,4,4,0,fyra\r\n"
        "Layout3=0,,(0,0,0),(0,0,0),(255,255,255),1,,,,0,1,första raden\r\n"
        "Layout4=0,,(0,0,0),(0,0\r\n"            // cut short
        "Layout5=0,C:\\Bilder, gamla\\sol.bmp,(9,8,7),(0,0,0),(255,255,255),1,,,,0,1,kommatecken\r\n"
        "\r\n"
        "[Background]\r\n"
        "Block1=1,0,0,0,bakgrund\r\n"
        "[Data]\r\n"
        "Block1=1,9,9,0,andra sektionen\r\n");
    Blocks keys, background;
    ASSERT_EQ(FileIO::kDamaged, fixture.Load("Skadad", keys, background));
    ASSERT_EQ(3u, keys.size());
    EXPECT_EQ(3, keys[0].id_);
    EXPECT_EQ("första raden", keys[0].text_);
    EXPECT_EQ(4, keys[1].id_);
    EXPECT_EQ("fyra", keys[1].command_);
    // A picture path with a comma, as older files may hold, reads whole.
    EXPECT_EQ(5, keys[2].id_);
    EXPECT_EQ("C:\\Bilder, gamla\\sol.bmp", keys[2].picturePath_);
    EXPECT_EQ(RGB(9, 8, 7), keys[2].textColor_);
    EXPECT_EQ("kommatecken", keys[2].text_);
    ASSERT_EQ(1u, background.size());
    EXPECT_EQ("bakgrund", background[0].command_);
}

// The section of the keys ends where the USB driver program stops reading it: at an empty line or
// at any line that begins with neither Block nor Layout. Only a text that an older writer split over
// lines directly after its Layout line is joined back; whatever stands after the end is not read,
// and the file counts as damaged, so that a save keeps it beside the new one.
TEST(OverlayFile, TheKeySectionEndsWhereTheDriverProgramStops)
{
    const std::string block1 = "Block1=1,0,0,0,ett\r\n";
    const std::string block2 = "Block2=1,1,1,0,två\r\n";
    const std::string layout = "Layout1=0,,(0,0,0),(0,0,0),(255,255,255),1,,,,0,1,";
    const std::string background = "\r\n[Background]\r\nBlock1=1,2,2,0,bakgrund\r\n";
    const struct {
        const char* what;
        std::string data;
        int result;
        std::vector<std::string> commands;
        std::vector<std::string> texts;
    } cases[] = {
        {"a whole section", block1 + block2 + layout + "Ett\r\n", FileIO::kLoaded, {"ett", "två"}, {"Ett", ""}},
        {"blank lines before the next section", block1 + layout + "Ett\r\n\r\n  \r\n", FileIO::kLoaded, {"ett"},
         {"Ett"}},
        {"a block after an empty line", block1 + layout + "Ett\r\n\r\n" + block2, FileIO::kDamaged, {"ett"}, {"Ett"}},
        {"a block after a line of something else", block1 + "skräp\r\n" + block2, FileIO::kDamaged, {"ett"}, {""}},
        {"a split text", block1 + block2 + layout + "Ja\r\nNej\r\nKanske\r\n", FileIO::kDamaged, {"ett", "två"},
         {"Ja\r\nNej\r\nKanske", ""}},
        {"a split text ends the section", block1 + block2 + layout + "Ja\r\nNej\r\nLayout2=0,,(0,0,0),(0,0,0),"
         "(255,255,255),1,,,,0,1,Två\r\n", FileIO::kDamaged, {"ett", "två"}, {"Ja\r\nNej", ""}},
        {"no text is joined across an empty line", block1 + layout + "Ja\r\n\r\nNej\r\n", FileIO::kDamaged, {"ett"},
         {"Ja"}},
    };
    for (const auto& c : cases) {
        OverlayFixture fixture;
        fixture.WriteOverlay("Slut", Version("4.2.0.0") + "[Data]\r\n" + c.data + background);
        Blocks keys, read;
        EXPECT_EQ(c.result, fixture.Load("Slut", keys, read)) << c.what;
        std::vector<std::string> commands, texts;
        for (const Block& block : keys) {
            commands.push_back(block.command_);
            texts.push_back(block.text_);
        }
        EXPECT_EQ(c.commands, commands) << c.what;
        EXPECT_EQ(c.texts, texts) << c.what;
        ASSERT_EQ(1u, read.size()) << c.what;
        EXPECT_EQ("bakgrund", read[0].command_) << c.what;
    }
}

TEST(OverlayFile, SavingOverADamagedFileKeepsItBeside)
{
    OverlayFixture fixture;
    const std::string damaged = Version("4.2.0.0") + "[Data]\r\nBlock1=2,0,17\r\nBlock2=1,3,3,0,tre\r\n";
    fixture.WriteOverlay("Skadad", damaged);
    Blocks keys, background;
    ASSERT_EQ(FileIO::kDamaged, fixture.Load("Skadad", keys, background));
    ASSERT_EQ(FileIO::kSaved, fixture.Save("Skadad", keys));
    EXPECT_EQ(damaged, testsupport::TempFolder::Read(fixture.OverlayFile("Skadad") + ".bak"));
    EXPECT_EQ(FileIO::kLoaded, fixture.Load("Skadad", keys, background));

    // The copy of a second damaged file does not take the place of the first.
    fixture.WriteOverlay("Skadad", damaged + "Block9=x\r\n");
    ASSERT_EQ(FileIO::kSaved, fixture.Save("Skadad", keys));
    EXPECT_EQ(damaged, testsupport::TempFolder::Read(fixture.OverlayFile("Skadad") + ".bak"));
    EXPECT_EQ(damaged + "Block9=x\r\n", testsupport::TempFolder::Read(fixture.OverlayFile("Skadad") + ".2.bak"));

    // A whole file is simply replaced.
    ASSERT_EQ(FileIO::kSaved, fixture.Save("Hel", keys));
    ASSERT_EQ(FileIO::kSaved, fixture.Save("Hel", {}));
    EXPECT_FALSE(fw::PathExists(fixture.OverlayFile("Hel") + ".bak"));
}

// Block lines under a header the reader does not match exactly, or under none, are lines it cannot
// read: the file is damaged, not a whole empty overlay, and a save keeps it beside the new one.
TEST(OverlayFile, BlockLinesUnderNoExactHeaderAreDamage)
{
    const std::string blocks = "Block1=1,0,0,0,a\r\nLayout1=0,,(0,0,0),(0,0,0),(255,255,255),1,,,,0,1,A\r\n";
    const struct {
        const char* what;
        std::string file;
        int result;
        size_t keys;
    } cases[] = {
        {"the exact header", "[Data]\r\n" + blocks, FileIO::kLoaded, 1},
        {"another case", "[data]\r\n" + blocks, FileIO::kDamaged, 0},
        {"a blank after it", "[Data] \r\n" + blocks, FileIO::kDamaged, 0},
        {"a blank inside it", "[ Data]\r\n" + blocks, FileIO::kDamaged, 0},
        {"no header at all", blocks, FileIO::kDamaged, 0},
        {"under the settings", "[KeyboardSettings]\r\nSendType=API\r\n" + blocks, FileIO::kDamaged, 0},
        {"a misspelt background", "[Data]\r\n" + blocks + "[background]\r\n" + blocks, FileIO::kDamaged, 1},
    };
    for (const auto& c : cases) {
        OverlayFixture fixture;
        const std::string text = Version("4.2.0.0") + c.file;
        fixture.WriteOverlay("Rubrik", text);
        Blocks keys, background;
        EXPECT_EQ(c.result, fixture.Load("Rubrik", keys, background)) << c.what;
        EXPECT_EQ(c.keys, keys.size()) << c.what;
        ASSERT_EQ(FileIO::kSaved, fixture.Save("Rubrik", keys)) << c.what;
        const std::string kept = fixture.OverlayFile("Rubrik") + ".bak";
        EXPECT_EQ(c.result == FileIO::kDamaged, fw::PathExists(kept)) << c.what;
        if (c.result == FileIO::kDamaged) {
            EXPECT_EQ(text, testsupport::TempFolder::Read(kept)) << c.what;
        }
    }
}

// A file that is there but cannot be read opens as no blocks; a save over it keeps it beside the new
// one rather than taking it for an empty overlay.
TEST(OverlayFile, AFileThatCannotBeReadIsKeptBesideASave)
{
    OverlayFixture fixture;
    const std::string text = Version("4.2.0.0") + "[Data]\r\nBlock1=1,0,0,0,a\r\n";
    const std::string path = fixture.WriteOverlay("Låst", text);
    // Another program holds it open without letting anyone read it, but lets it be renamed.
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Blocks keys, background;
    EXPECT_EQ(FileIO::kNotOpened, fixture.Load("Låst", keys, background));
    EXPECT_TRUE(keys.empty());
    const int saved = fixture.Save("Låst", {});
    ::CloseHandle(held);
    EXPECT_EQ(FileIO::kSaved, saved);
    EXPECT_EQ(text, testsupport::TempFolder::Read(path + ".bak"));
}

// A text editor's "Unicode", stray NUL bytes or text without any section of an overlay read as no
// block at all: such a file is unreadable, not an empty overlay, and a save keeps it beside.
TEST(OverlayFile, AFileInAnotherTextFormIsUnreadableAndKeptBesideASave)
{
    const std::string text = Version("4.2.0.0") + "[Data]\r\nBlock1=1,0,0,0,a\r\n";
    std::string utf16;
    for (char c : text)
        utf16 += std::string(1, c) + '\0';
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"UTF-16 with its mark", "\xFF\xFE" + utf16},
        {"UTF-16 without a mark", utf16},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + text},
        {"a NUL byte", text + std::string("Block2=1,1,1,0,b\0\r\n", 20)},
        {"no section of an overlay", "Block1=1,0,0,0,a\r\nLayout1=0,,(0,0,0),(0,0,0),,1,,,,0,1,A\r\n"},
    };
    for (const auto& c : cases) {
        OverlayFixture fixture;
        const std::string path = fixture.WriteOverlay("Annan", c.bytes);
        Blocks keys, background;
        EXPECT_EQ(FileIO::kNotOpened, fixture.Load("Annan", keys, background)) << c.what;
        EXPECT_TRUE(keys.empty()) << c.what;
        EXPECT_FALSE(fixture.IO().SetAccessKvoraFlag("Annan", OverlayFixture::kSet, 1)) << c.what;
        EXPECT_EQ(c.bytes, testsupport::TempFolder::Read(path)) << c.what;
        ASSERT_EQ(FileIO::kSaved, fixture.Save("Annan", {})) << c.what;
        EXPECT_EQ(c.bytes, testsupport::TempFolder::Read(path + ".bak")) << c.what;
    }
    // Empty or blank, a file holds nothing that could be lost.
    OverlayFixture fixture;
    fixture.WriteOverlay("Tom", "\r\n  \r\n");
    Blocks keys, background;
    EXPECT_EQ(FileIO::kLoaded, fixture.Load("Tom", keys, background));
}

// Lines ended by CR alone (an old Mac's, or a text editor's set so) read as the same overlay.
TEST(OverlayFile, LinesEndedByCarriageReturnAloneReadAsLines)
{
    OverlayFixture fixture;
    const std::string text = Version("4.2.0.0") + "[Data]\r\n" + kGoldenBlockLine + "\r\n" + kGoldenLayoutLine
                             + "\r\n[KeyboardSettings]\r\nSendType=Game\r\n";
    std::string mac = text;
    mac.erase(std::remove(mac.begin(), mac.end(), '\n'), mac.end());
    fixture.WriteOverlay("Mac", mac);
    fixture.WriteOverlay("Pc", text);
    Blocks keys, background, pcKeys, pcBackground;
    ASSERT_EQ(FileIO::kLoaded, fixture.Load("Mac", keys, background));
    ASSERT_EQ(FileIO::kLoaded, fixture.Load("Pc", pcKeys, pcBackground));
    ASSERT_EQ(1u, keys.size());
    ASSERT_EQ(1u, pcKeys.size());
    EXPECT_EQ("", StoredDifference(pcKeys[0], keys[0]));
    EXPECT_EQ("<Return>", keys[0].command_);
    EXPECT_EQ(1, fixture.IO().IsGameSendType("Mac", OverlayFixture::kSet));
}

// A new overlay never takes the place of a file, an overlay's own file is never brought back once
// it has gone, and a new template needs room in the templates set.
TEST(OverlayFile, WhatASaveMayFindUnderItsName)
{
    OverlayFixture fixture;
    const std::string there = fixture.WriteOverlay("Finns", Version("4.2.0.0"));
    std::string name = "Finns";
    EXPECT_EQ(FileIO::kNameTaken, fixture.IO().SaveOverlay(name, 2, OverlayFixture::kSet, {GoldenKey()}, {},
                                                           KeyboardSettings(), nullptr, FileIO::SaveTarget::kNewFile));
    EXPECT_EQ(Version("4.2.0.0"), testsupport::TempFolder::Read(there));
    name = "Borta";
    EXPECT_EQ(FileIO::kFileGone, fixture.IO().SaveOverlay(name, 3, OverlayFixture::kSet, {GoldenKey()}, {},
                                                          KeyboardSettings(), nullptr, FileIO::SaveTarget::kOwnFile));
    EXPECT_FALSE(fw::PathExists(fixture.OverlayFile("Borta")));
    EXPECT_EQ(FileIO::kSaved, fixture.IO().SaveOverlay(name, 3, OverlayFixture::kSet, {GoldenKey()}, {},
                                                       KeyboardSettings(), nullptr, FileIO::SaveTarget::kNewFile));
    EXPECT_EQ(FileIO::kSaved, fixture.IO().SaveOverlay(name, 3, OverlayFixture::kSet, {}, {}, KeyboardSettings(),
                                                       nullptr, FileIO::SaveTarget::kOwnFile));
}

TEST(OverlayFile, AnEmptyVersionSectionDoesNotHideTheKeys)
{
    OverlayFixture fixture;
    fixture.WriteOverlay("Tom", "[Version]\r\n[Data]\r\nBlock1=1,0,0,0,a\r\n");
    Blocks keys, background;
    ASSERT_EQ(FileIO::kLoaded, fixture.Load("Tom", keys, background));
    ASSERT_EQ(1u, keys.size());
    EXPECT_EQ("a", keys[0].command_);
}

// The overlay's picture codes and keyboard settings read through our ini reader give what the
// platform's ini calls give, whatever shape the section takes.
TEST(OverlayFile, ReadsAsThePlatformsIniCallsRead)
{
    OverlayFixture fixture;
    auto layout = [](int n, const std::string& picture) {
        return "Layout" + std::to_string(n) + "=0," + picture + ",(0,0,0),(0,0,0),(255,255,255),1,,,,0,1,ord\r\n";
    };
    const std::string blocks = Version("4.2.0.0") + "[Data]\r\n" + layout(1, "A101") + layout(2, "a101") +
                               layout(3, "A 101") + layout(4, "A999") + layout(5, "V1") + layout(6, "v1 ");
    const std::string settings =
        "[KeyboardSettings]\r\n ; FlashSignal=0\r\n BeepSignal = 0 \r\nfrequency=\"0.3\"\r\nRepeatDelay\r\n"
        "RepeatDelay=2.5\r\nSignalDelay='0.4\r\nMouseKeyTopSpeed=7\r\nMouseKeyTopSpeed=8\r\nsendtype = Game ;x\r\n"
        "[keyboardsettings]\r\nBounceLock=0.9\r\nMouseCursorStep=4\r\n";
    const std::string texts[] = {blocks + settings, "\xEF\xBB\xBF" + blocks + settings,
                                 blocks + "[KeyboardSettings]\r\nSendType=\"Game\"\r\nMouseCursorStep=3"};
    for (const std::string& text : texts) {
        fixture.WriteOverlay("Former", text);
        Blocks keys, background, platformKeys, platformBackground;
        KeyboardSettings read, platformRead;
        fixture.IO().LoadOverlay(fixture.OverlayFile("Former"), keys, background, read);
        {
            ini::PlatformReads through;
            fixture.IO().LoadOverlay(fixture.OverlayFile("Former"), platformKeys, platformBackground, platformRead);
        }
        ASSERT_EQ(platformKeys.size(), keys.size());
        for (size_t i = 0; i < keys.size(); ++i) {
            EXPECT_EQ("", StoredDifference(platformKeys[i], keys[i])) << i;
            EXPECT_EQ(platformKeys[i].libraryPicture_, keys[i].libraryPicture_) << i;
        }
        EXPECT_TRUE(platformRead == read);
        EXPECT_EQ(platformRead.mouseKeyTopSpeed_, read.mouseKeyTopSpeed_);
        EXPECT_EQ(platformRead.mouseKeyAcceleration_, read.mouseKeyAcceleration_);
        EXPECT_EQ(platformRead.mouseCursorStep_, read.mouseCursorStep_);
        EXPECT_EQ(platformRead.sendType_, read.sendType_);
    }
}

TEST(OverlayFile, AccessKvoraFlagAndSendType)
{
    OverlayFixture fixture;
    EXPECT_EQ(0, fixture.IO().GetAccessKvoraFlag("Flagga", OverlayFixture::kSet));
    EXPECT_FALSE(fixture.IO().SetAccessKvoraFlag("Flagga", OverlayFixture::kSet, 1));
    EXPECT_FALSE(fw::PathExists(fixture.OverlayFile("Flagga")));

    ASSERT_EQ(FileIO::kSaved, fixture.Save("Flagga", {GoldenKey()}));
    EXPECT_EQ(0, fixture.IO().GetAccessKvoraFlag("Flagga", OverlayFixture::kSet));
    ASSERT_TRUE(fixture.IO().SetAccessKvoraFlag("Flagga", OverlayFixture::kSet, 1));
    ASSERT_TRUE(fixture.IO().SetAccessKvoraFlag("Flagga", OverlayFixture::kSet, 2));
    EXPECT_EQ(2, fixture.IO().GetAccessKvoraFlag("Flagga", OverlayFixture::kSet));
    const std::string text = testsupport::TempFolder::Read(fixture.OverlayFile("Flagga"));
    EXPECT_EQ(0u, text.find("[Version]\r\nVersion=4.2.0.0\r\nAccessKvora=2\r\n\r\n[Data]\r\n")) << text;
    Blocks keys, background;
    std::string versionLine;
    KeyboardSettings settings;
    EXPECT_EQ(FileIO::kLoaded, fixture.IO().LoadOverlay(fixture.OverlayFile("Flagga"), keys, background, settings,
                                                        &versionLine));
    EXPECT_EQ("Version=4.2.0.0", versionLine);

    fixture.WriteOverlay("Utan", "[Data]\r\nBlock1=1,0,0,0,a\r\n");
    ASSERT_TRUE(fixture.IO().SetAccessKvoraFlag("Utan", OverlayFixture::kSet, 1));
    EXPECT_EQ(1, fixture.IO().GetAccessKvoraFlag("Utan", OverlayFixture::kSet));

    KeyboardSettings game;
    game.sendType_ = 1;
    ASSERT_EQ(FileIO::kSaved, fixture.Save("Spel", {}, {}, game));
    fixture.WriteOverlay("Liten", "[KeyboardSettings]\r\nSendType=game\r\n");
    EXPECT_EQ(1, fixture.IO().IsGameSendType("Spel", OverlayFixture::kSet));
    EXPECT_EQ(1, fixture.IO().IsGameSendType("Liten", OverlayFixture::kSet));
    EXPECT_EQ(0, fixture.IO().IsGameSendType("Flagga", OverlayFixture::kSet));
    EXPECT_EQ(0, fixture.IO().IsGameSendType("Saknas", OverlayFixture::kSet));
    EXPECT_EQ(0, fixture.IO().IsGameSendType("", OverlayFixture::kSet));
}

TEST(OverlayFile, TheSampleSetReadsWhole)
{
    OverlayFixture fixture;
    std::string set = std::string("Z:") + SAMPLE_FOLDER + "/sets/Exempel";
    std::replace(set.begin(), set.end(), '/', '\\');
    const std::string register_ = set + "\\register.txt";
    EXPECT_EQ("Bilder", ConfigFixture::Value(register_, "Overlays", "1"));
    EXPECT_EQ("Bokstäver", ConfigFixture::Value(register_, "Overlays", "2"));
    struct Sample {
        const char* name;
        size_t keys;
        size_t background;
    };
    for (const Sample& sample : {Sample{"Bilder", 12, 1}, Sample{"Bokstäver", 37, 2}}) {
        Blocks keys, background;
        KeyboardSettings settings;
        std::string versionLine;
        ASSERT_EQ(FileIO::kLoaded, fixture.IO().LoadOverlay(set + "\\" + sample.name + ".ini", keys, background,
                                                            settings, &versionLine))
            << sample.name;
        EXPECT_EQ("Version=4.2.0.0", versionLine);
        EXPECT_EQ(sample.keys, keys.size());
        EXPECT_EQ(sample.background, background.size());
        for (const Block& block : keys) {
            EXPECT_EQ(FileIO::BlockField::None, FileIO::FindUnstorableField(block));
            EXPECT_FALSE(block.cells_.empty());
        }
    }
    // The pictures are codes of the sample image base (key A).
    const std::string pictures = testsupport::TempFolder::Read(set + "\\Bilder.ini");
    for (const char* code : {",A101,", ",A102,", ",A203,", ",A204,"})
        EXPECT_NE(std::string::npos, pictures.find(code)) << code;
}
