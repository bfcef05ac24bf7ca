// Sets of the older format: finding them, listing their overlays and choosing one in the dialog.
#include "framework/Strings.h"
#include "skarpin/GetOldSetDlg.h"
#include "skarpin/resource.h"
#include "store/OverlayFixture.h"
#include "store/SetFixture.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <gtest/gtest.h>
#include <algorithm>

using Lines = std::vector<std::string>;

namespace {

// A configuration whose kvora.ini names a folder of old sets.
class OldSetFixture : public SetFixture {
public:
    OldSetFixture() { Write("windows\\kvora.ini", "[Directories]\r\nSetinfo=" + OldFolder() + "\r\n"); }
    std::string OldFolder() const { return Temp() / "Kvora\\Set"; }
    std::string WriteOld(const std::string& fileName, const std::string& content) const
    {
        return Write("Kvora\\Set\\" + fileName, content);
    }
    static std::string SetHeader(const std::string& id) { return "[Set]\r\nID=" + id + "\r\n"; }
};

} // namespace

TEST(OldSets, FoundByTheirThreeDigitFiles)
{
    OldSetFixture old;
    old.WriteOld("set007.ini", OldSetFixture::SetHeader("Skola"));
    old.WriteOld("set042.ini", OldSetFixture::SetHeader("Hem och fritid"));
    old.WriteOld("set123.ini", OldSetFixture::SetHeader("Klass 3/4"));
    old.WriteOld("set1.ini", OldSetFixture::SetHeader("Kort"));
    old.WriteOld("set1234.ini", OldSetFixture::SetHeader("L\xE5ng"));
    old.WriteOld("setabc.ini", OldSetFixture::SetHeader("Bokst\xE4ver"));
    old.WriteOld("set007.txt", OldSetFixture::SetHeader("Text"));

    std::vector<SetItem> sets;
    old.Io().ListOldSets(sets);
    Lines lines = SetFixture::Lines(sets);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ((Lines{"123 Klass 3/4", "42 Hem och fritid", "7 Skola"}), lines);

    EXPECT_EQ(old.OldFolder() + "\\set007.ini", old.Io().OldSetPath(7));
    EXPECT_EQ(old.OldFolder() + "\\set042.ini", old.Io().OldSetPath(42));
    EXPECT_EQ(old.OldFolder() + "\\set123.ini", old.Io().OldSetPath(123));

    // Without kvora.ini, or with an empty folder name, there are no old sets.
    SetFixture none;
    none.Io().ListOldSets(sets);
    EXPECT_TRUE(sets.empty());
    none.Write("windows\\kvora.ini", "[Directories]\r\nSetinfo=\r\n");
    none.Io().ListOldSets(sets);
    EXPECT_TRUE(sets.empty());
}

TEST(OldSets, OverlayNamesBecomeDistinctFileNames)
{
    OldSetFixture old;
    const std::string file = old.WriteOld("set001.ini",
                                          OldSetFixture::SetHeader("Skola") +
                                              "[Ark1]\r\nNm=Frukt\r\nX1=\r\n"
                                              "[Ark2]\r\nNm=A/B: \"C\"\r\n"
                                              "[Ark3]\r\nNm=ab c\r\n"
                                              "[Ark4]\r\nNm=\r\n"
                                              "[Ark5]\r\nNm=***\r\n"
                                              "[Ark12]\r\nNm=Frukt\r\n"
                                              "[Ark13]\r\nNm=frukt\r\n"
                                              "[Ark7]\r\n");
    std::vector<SetItem> overlays = {SetItem("kvar", 1, 0)};
    FileIO::ListOldOverlays(file, overlays);
    EXPECT_EQ((Lines{"1 Frukt", "2 AB C", "3 ab c 1", "5 5", "12 Frukt 1", "13 frukt 2"}), SetFixture::Lines(overlays));

    FileIO::ListOldOverlays(old.Temp() / "saknas.ini", overlays);
    EXPECT_TRUE(overlays.empty());
}

TEST(OldSets, NewSetNameHoldsNoForbiddenCharacters)
{
    const std::pair<SetItem, const char*> cases[] = {
        {SetItem("Skola", 7, 0), "Skola"},
        {SetItem("Klass 3/4", 7, 0), "Klass 34"},
        {SetItem(" <Hem>: ", 7, 0), "Hem"},
        {SetItem("Slut...", 7, 0), "Slut"},
        {SetItem("/?*", 7, 0), "set007"},
        {SetItem("", 42, 0), "set042"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, FileIO::OldSetName(c.first)) << c.first.name_;
}

TEST(GetOldSetDlg, WithoutOldSetsOkStaysDisabled)
{
    SetFixture sets;
    std::vector<SetItem> existing;
    std::string path = "unchanged", name = "unchanged";
    GetOldSetDlg dialog(&sets.Io(), existing, path, name);
    INT_PTR result = testsupport::RunModal(dialog, [](fw::Dialog& d) {
        EXPECT_EQ(0, d.Control<fw::ListBox>(IDC_OLDSET_LIST).Count());
        EXPECT_FALSE(testsupport::IsEnabled(d, IDOK));
        EXPECT_EQ("H\xE4r kan du h\xE4mta \xF6verl\xE4gg som gjorts i Skarpinen version 1-3.",
                  testsupport::Text(d, IDC_OLDSET_INTRO));
        EXPECT_EQ("V\xE4lj set:", testsupport::Text(d, IDC_OLDSET_PROMPT));
        EXPECT_EQ("Avbryt", testsupport::Text(d, IDCANCEL));
        EXPECT_EQ("Importera gamla \xF6verl\xE4gg", d.Self().Text());
        testsupport::Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ("unchanged", path);
    EXPECT_EQ("unchanged", name);
}

TEST(GetOldSetDlg, AFreeNameIsTakenAsItIs)
{
    OldSetFixture old;
    old.WriteOld("set042.ini", OldSetFixture::SetHeader("Klass 3/4"));
    std::vector<SetItem> existing = {SetItem("Skola", 0, 0)};
    std::string path, name;
    GetOldSetDlg dialog(&old.Io(), existing, path, name);
    INT_PTR result = testsupport::RunModal(dialog, [](fw::Dialog& d) {
        fw::ListBox list = d.Control<fw::ListBox>(IDC_OLDSET_LIST);
        EXPECT_EQ(0, list.Selection());
        EXPECT_EQ("Klass 3/4", list.ItemText(0));
        testsupport::Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(old.OldFolder() + "\\set042.ini", path);
    EXPECT_EQ("Klass 34", name);
}

TEST(GetOldSetDlg, ATakenNameGetsTheNextNumberAfterAQuestion)
{
    OldSetFixture old;
    old.WriteOld("set007.ini", OldSetFixture::SetHeader("Skola"));
    // A folder without register is no set, but the new set must not go into it either.
    old.MakeSet("Skola 3", nullptr);
    std::vector<SetItem> existing = {SetItem("Skola", 0, 0), SetItem("skola 2", 0, 0)};
    std::string path, name;

    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_OLDSET_NAME_TAKEN, IDCANCEL).Expect(IDS_OLDSET_NAME_TAKEN, IDOK);
    GetOldSetDlg dialog(&old.Io(), existing, path, name);
    INT_PTR result = testsupport::RunModal(dialog, [&](fw::Dialog& d) {
        testsupport::Click(d, IDOK);
        // Cancel keeps the dialog open for another choice.
        EXPECT_TRUE(::IsWindow(d));
        EXPECT_TRUE(path.empty());
        testsupport::Click(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(old.OldFolder() + "\\set007.ini", path);
    EXPECT_EQ("Skola 4", name);
    ASSERT_EQ(2u, messages.Shown().size());
    EXPECT_EQ("Det finns redan ett set med namnet \"Skola\". \nDet nya setet f\xE5r namnet \"Skola 4\". \n\nVill du "
              "forts\xE4tta?",
              messages.Shown()[1].text);
    EXPECT_EQ("Importera \xF6verl\xE4gg", messages.Shown()[1].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), messages.Shown()[1].type);
}

// Two old sets of one name: the chosen line decides which file is taken over.
TEST(GetOldSetDlg, TheChosenLineNamesTheFile)
{
    OldSetFixture old;
    old.WriteOld("set001.ini", OldSetFixture::SetHeader("Skola"));
    old.WriteOld("set002.ini", OldSetFixture::SetHeader("Skola"));
    std::vector<SetItem> listed;
    old.Io().ListOldSets(listed);
    ASSERT_EQ(2u, listed.size());

    std::vector<SetItem> existing;
    std::string path, name;
    GetOldSetDlg dialog(&old.Io(), existing, path, name);
    testsupport::RunModal(dialog, [](fw::Dialog& d) {
        testsupport::SelectList(d, IDC_OLDSET_LIST, 1);
        testsupport::Click(d, IDOK);
    });
    EXPECT_EQ(old.Io().OldSetPath(listed[1].number_), path);
    EXPECT_EQ("Skola", name);
}

namespace {

// An old set as the earlier versions wrote it: texts and pictures behind their lengths (commas and
// all), font lines of two and of four fields, colour lines with and without a background colour.
const char* const kOldSet =
    "[Set]\r\nID=Skola\r\nFlashSignal=0\r\nBeepSignal=0\r\nFrequency=0.5\r\nRepeatDelay=1.5\r\nSignalDelay=0.3\r\n"
    "BounceLock=0.1\r\nMouseKeyTopSpeed=40\r\n"
    "[Ark1]\r\nNm=Frukt, gr\xF6nt\r\nXx=vad som helst\r\nF1=1\r\nB1=1\r\nFr=0.3\r\nRd=2.0\r\nSd=0.5\r\nBl=0.7\r\n"
    "Antal=3\r\n"
    "K1=1,0,17,0,2,0,8,Hej, du!,<Return>\r\n"
    "K2=2,32,33,48,49,1,0,1,11,C:\\Bild.bmp,@C:\\Ljud\\hej.wav@\r\n"
    "K3=1,5,5,0,0,0,0,,\r\n"
    "Fonts=2\r\nFont1=Arial,12,\r\nFont3=Times New Roman,14,11,2\r\n"
    "Colors=2\r\nColor1=3,a,b,(10,20,30),(200,100,50),1\r\nColor3=0,,(1,2,3),,0\r\n"
    "[Ark2]\r\nNm=Tom\r\nXx=\r\nF1=1\r\nB1=0\r\nFr=0.7\r\nRd=1.0\r\nSd=0.0\r\nBl=0.0\r\nAntal=0\r\nFonts=0\r\nColors=0\r\n";

std::vector<Block> ExpectedOldBlocks()
{
    Block first;
    first.id_ = 1;
    first.cells_ = {Range(0, 17)};
    first.frameWidth_ = 2;
    first.text_ = "a,b";
    first.command_ = "<Return>";
    first.fontName_ = "Arial";
    first.ownFont_ = 1;
    first.fontSize_ = 12;
    first.textColor_ = RGB(10, 20, 30);
    first.backColor_ = RGB(200, 100, 50);

    Block second;
    second.id_ = 2;
    second.cells_ = {Range(32, 33), Range(48, 49)};
    second.repeat_ = 1;
    second.picturePath_ = "C:\\Bild.bmp";
    second.command_ = "@C:\\Ljud\\hej.wav@";

    Block third;
    third.id_ = 3;
    third.cells_ = {Range(5, 5)};
    third.fontName_ = "Times New Roman";
    third.ownFont_ = 1;
    third.fontSize_ = 14;
    third.fontStyle_ = Block::kBoldItalic;
    third.textPosition_ = Block::kBottom;
    third.textColor_ = RGB(1, 2, 3);
    third.transparent_ = 1;
    third.cover_ = 0;

    std::vector<Block> blocks;
    blocks.push_back(first);
    blocks.push_back(second);
    blocks.push_back(third);
    return blocks;
}

void ExpectBlocks(const std::vector<Block>& expected, const std::vector<Block>& actual, const std::string& what)
{
    ASSERT_EQ(expected.size(), actual.size()) << what;
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ("", StoredDifference(expected[i], actual[i])) << what << ", block " << i + 1;
}

} // namespace

TEST(OldSets, AnOverlaySectionIsReadByTheOrderOfItsLines)
{
    OldSetFixture old;
    const std::string file = old.WriteOld("set007.ini", kOldSet);
    std::vector<Block> blocks = {Block()};
    KeyboardSettings settings;
    settings.mouseKeyTopSpeed_ = 33;
    old.Io().ReadOldOverlay(file, 1, blocks, settings);
    ExpectBlocks(ExpectedOldBlocks(), blocks, "section 1");
    EXPECT_EQ(1, settings.flashSignal_);
    EXPECT_EQ(1, settings.beepSignal_);
    EXPECT_FLOAT_EQ(0.3f, settings.frequency_);
    EXPECT_FLOAT_EQ(2.0f, settings.repeatDelay_);
    EXPECT_FLOAT_EQ(0.5f, settings.signalDelay_);
    EXPECT_FLOAT_EQ(0.7f, settings.bounceLock_);
    EXPECT_EQ(33, settings.mouseKeyTopSpeed_);

    old.Io().ReadOldOverlay(file, 2, blocks, settings);
    EXPECT_TRUE(blocks.empty());
    EXPECT_EQ(0, settings.beepSignal_);
    old.Io().ReadOldOverlay(file, 9, blocks, settings);
    EXPECT_TRUE(blocks.empty());
}

// Lines cut short or holding numbers that do not fit: each reads within the line, and a cell
// outside the grid is no range.
TEST(OldSets, DamagedLinesReadWithinThemselves)
{
    struct Case {
        const char* name;
        const char* blockLine;
        size_t ranges;
        const char* text;
        const char* command;
    } cases[] = {
        {"a text longer than the line", "K1=1,0,17,0,0,0,50,Kort", 1, "Kort", ""},
        {"more pairs than the line holds", "K1=9,0,17,1", 1, "", ""},
        {"a negative length", "K1=1,0,0,0,0,0,-4,Hej,<Return>", 1, "", "ej,<Return>"},
        {"cells outside the grid", "K1=3,0,200,-1,3,130,131,0,0,0,2,Ja,<Tab>", 0, "Ja", "<Tab>"},
        {"no '=' at all", "K1", 0, "", ""},
        {"nothing after the '='", "K1=", 0, "", ""},
    };
    for (const Case& c : cases) {
        OldSetFixture old;
        const std::string file = old.WriteOld(
            "set001.ini", std::string("[Ark1]\r\nNm=A\r\nXx=\r\nF=1\r\nB=1\r\nF=0.7\r\nR=1.0\r\nS=0\r\nB=0\r\nAntal=5\r\n") +
                              c.blockLine + "\r\nFonts=4\r\nFont\r\nColors=1000\r\nColor1=99,(1,2\r\n");
        std::vector<Block> blocks;
        KeyboardSettings settings;
        old.Io().ReadOldOverlay(file, 1, blocks, settings);
        ASSERT_FALSE(blocks.empty()) << c.name;
        EXPECT_EQ(c.ranges, blocks[0].cells_.size()) << c.name;
        EXPECT_EQ(c.text, blocks[0].text_) << c.name;
        EXPECT_EQ(c.command, blocks[0].command_) << c.name;
    }
}

TEST(OldSets, APictureInAnImageBaseGetsItsCode)
{
    OverlayFixture fixture;
    const std::string file = fixture.Config().Write(
        "gammal\\set001.ini", "[Ark1]\r\nNm=A\r\nXx=\r\nF=1\r\nB=1\r\nF=0.7\r\nR=1.0\r\nS=0\r\nB=0\r\nAntal=1\r\n"
                              "K1=1,0,0,0,0,1," + std::to_string(fixture.SunPicture().size()) + "," +
                              fixture.SunPicture() + ",\r\nFonts=0\r\nColors=0\r\n");
    std::vector<Block> blocks;
    KeyboardSettings settings;
    fixture.IO().ReadOldOverlay(file, 1, blocks, settings);
    ASSERT_EQ(1u, blocks.size());
    EXPECT_EQ(fixture.SunPicture(), blocks[0].picturePath_);
    EXPECT_EQ("A101", blocks[0].pictureCode_);
}

TEST(OldSets, ConversionWritesASetOfTodaysForm)
{
    OldSetFixture old;
    const std::string file = old.WriteOld("set007.ini", kOldSet);
    ASSERT_TRUE(old.Io().ConvertOldSet(file, "Skola 2"));

    const std::string registerPath = old.RegisterPath("Skola 2");
    KeyboardSettings setSettings;
    FileIO::ReadKeyboardSettings(registerPath, setSettings);
    EXPECT_EQ(0, setSettings.flashSignal_);
    EXPECT_FLOAT_EQ(1.5f, setSettings.repeatDelay_);
    EXPECT_EQ(40, setSettings.mouseKeyTopSpeed_);
    std::vector<SetItem> overlays;
    old.Io().ListOverlays("Skola 2", overlays);
    EXPECT_EQ((Lines{"1 Frukt gr\xF6nt", "2 Tom"}), SetFixture::Lines(overlays));

    std::vector<Block> keys, background;
    KeyboardSettings settings;
    ASSERT_EQ(FileIO::kLoaded,
              old.Io().LoadOverlay(old.OverlayPath("Skola 2", "Frukt gr\xF6nt"), keys, background, settings));
    // The ids are the places in the array once the file is read back.
    ExpectBlocks(ExpectedOldBlocks(), keys, "converted overlay");
    EXPECT_TRUE(background.empty());
    EXPECT_EQ(1, settings.flashSignal_);
    EXPECT_FLOAT_EQ(2.0f, settings.repeatDelay_);
    EXPECT_EQ(40, settings.mouseKeyTopSpeed_);
    ASSERT_EQ(FileIO::kLoaded, old.Io().LoadOverlay(old.OverlayPath("Skola 2", "Tom"), keys, background, settings));
    EXPECT_TRUE(keys.empty());
    EXPECT_EQ(0, settings.beepSignal_);

    // The old file stays as it was.
    EXPECT_EQ(kOldSet, old.Read(file));
    // Never into a set that is there, and a name that cannot be a folder's makes no set.
    const std::string registerText = old.Register("Skola 2");
    EXPECT_FALSE(old.Io().ConvertOldSet(file, "skola 2"));
    EXPECT_EQ(registerText, old.Register("Skola 2"));
    EXPECT_FALSE(old.Io().ConvertOldSet(file, "Klass 3/4"));
    EXPECT_FALSE(fw::PathExists(old.SetPath("Klass 3")));

    // An old file saved as Unicode, or one that has gone, would become a set without overlays.
    std::string unicode = "\xFF\xFE";
    for (char c : std::string(kOldSet))
        unicode += std::string(1, c) + '\0';
    EXPECT_FALSE(old.Io().ConvertOldSet(old.WriteOld("set002.ini", unicode), "Unicode"));
    EXPECT_FALSE(fw::PathExists(old.SetPath("Unicode")));
    EXPECT_FALSE(old.Io().ConvertOldSet(fw::FolderOf(file) + "\\set009.ini", "Borta"));
    EXPECT_FALSE(fw::PathExists(old.SetPath("Borta")));
}

// Two names that become one, and values today's file cannot hold: every overlay is still written.
TEST(OldSets, ConversionKeepsEveryOverlay)
{
    OldSetFixture old;
    const std::string file = old.WriteOld(
        "set001.ini",
        "[Set]\r\nID=X\r\n"
        "[Ark1]\r\nNm=A/B\r\nXx=\r\nF=1\r\nB=1\r\nF=0.7\r\nR=1.0\r\nS=0\r\nB=0\r\nAntal=1\r\n"
        "K1=1,0,0,0,0,1,10,C:\\a,b.bmp,<Return>\r\nFonts=0\r\nColors=0\r\n"
        "[Ark2]\r\nNm=AB\r\nXx=\r\nF=1\r\nB=1\r\nF=0.7\r\nR=1.0\r\nS=0\r\nB=0\r\nAntal=1\r\n"
        "K1=1,1,1,0,0,0,10,Ja\\nNej nu,\r\nFonts=0\r\nColors=0\r\n");
    // Something had to be left out: the conversion says so.
    EXPECT_FALSE(old.Io().ConvertOldSet(file, "X"));

    std::vector<SetItem> overlays;
    old.Io().ListOverlays("X", overlays);
    EXPECT_EQ((Lines{"1 AB", "2 AB 1"}), SetFixture::Lines(overlays));
    std::vector<Block> keys, background;
    KeyboardSettings settings;
    ASSERT_EQ(FileIO::kLoaded, old.Io().LoadOverlay(old.OverlayPath("X", "AB"), keys, background, settings));
    ASSERT_EQ(1u, keys.size());
    EXPECT_EQ("", keys[0].picturePath_);
    EXPECT_EQ("<Return>", keys[0].command_);
    ASSERT_EQ(FileIO::kLoaded, old.Io().LoadOverlay(old.OverlayPath("X", "AB 1"), keys, background, settings));
    ASSERT_EQ(1u, keys.size());
    EXPECT_EQ("Ja\r\nNej nu", keys[0].text_);
}

TEST(OldSets, ShortPathsBecomeLong)
{
    testsupport::TempFolder temp;
    const std::string picture = temp.Write("L\xE5nga bilder\\en stor bild.bmp", "BM");
    const std::string sound = temp.Write("L\xE5nga bilder\\ett l\xE5ngt ljud.wav", "RIFF");
    auto shortForm = [](const std::string& path) {
        char buffer[MAX_PATH] = "";
        ::GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
        return std::string(buffer);
    };
    const std::string shortPicture = shortForm(picture);
    const std::string shortSound = shortForm(sound);
    ASSERT_NE(picture, shortPicture);

    SetFixture sets;
    Block block;
    block.picturePath_ = shortPicture;
    block.command_ = "@" + shortPicture + "+" + shortSound + "@";
    Block missing;
    missing.picturePath_ = "C:\\Finns\\inte.bmp";

    std::vector<Block> blocks = {block, missing};
    sets.Io().ConvertOldPaths(blocks, 1, 0);
    EXPECT_EQ(picture, blocks[0].picturePath_);
    EXPECT_EQ(block.command_, blocks[0].command_);
    EXPECT_EQ("C:\\Finns\\inte.bmp", blocks[1].picturePath_);

    blocks = {block};
    sets.Io().ConvertOldPaths(blocks, 1, 1);
    EXPECT_EQ("@" + picture + "+" + sound + "@", blocks[0].command_);
    blocks = {block};
    sets.Io().ConvertOldPaths(blocks, 0, 0);
    EXPECT_EQ(shortPicture, blocks[0].picturePath_);
}

// The long forms change only the paths' text in a command: a code of a base this machine lacks, a
// part of a kind no list knows and a label stay as the old set had them.
TEST(OldSets, ACommandKeepsWhatItsPathsDoNotTouch)
{
    testsupport::TempFolder temp;
    const std::string sound = temp.Write("L\xE5nga ljud\\ett l\xE5ngt ljud.wav", "RIFF");
    char buffer[MAX_PATH] = "";
    ::GetShortPathNameA(sound.c_str(), buffer, MAX_PATH);
    const std::string shortSound = buffer;
    ASSERT_NE(sound, shortSound);
    const std::string unknown = temp / "Lista.xyz";
    // Each command: this text, the sound's path, the delimiter.
    const std::string befores[] = {"@Q12+", "@Q12+'Sol'+", "@" + unknown + "+", "@!'Sk\xE5l'+"};
    SetFixture sets;
    for (const std::string& before : befores) {
        Block block;
        block.command_ = before + shortSound + "@";
        std::vector<Block> blocks = {block};
        sets.Io().ConvertOldPaths(blocks, 1, 1);
        EXPECT_EQ(before + sound + "@", blocks[0].command_);
    }
}
