// The set store: which folders are sets, the register's exact form, and the overlay listing with its
// numbering of files the register does not name.
#include "SetFixture.h"
#include "framework/Files.h"
#include "library/IniFile.h"
#include "library/IniValues.h"
#include "store/IniText.h"
#include "store/StoreFiles.h"
#include "support/FullDisk.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

using Lines = std::vector<std::string>;

TEST(SetStore, RegisterIsWrittenWholeInItsFixedForm)
{
    SetFixture sets;
    sets.MakeSet("Skola", nullptr);
    KeyboardSettings settings;
    settings.flashSignal_ = 0;
    settings.frequency_ = 0.75f;
    settings.repeatDelay_ = 2.0f;
    settings.signalDelay_ = 0.3f;
    settings.bounceLock_ = 1.5f;
    settings.mouseKeyTopSpeed_ = 35;
    settings.mouseKeyAcceleration_ = 250;
    settings.mouseCursorStep_ = 4;
    settings.sendType_ = 1;
    std::vector<SetItem> overlays = {{"Frukt", 3, 0}, {"Djur och v\xE4xter", 1, 0}, {"Mat, dryck", 100, 0}};

    ASSERT_TRUE(FileIO::WriteSetFile(sets.RegisterPath("Skola"), overlays, settings));
    // The entries keep the list's order; no send type and no current-set mark in this form.
    EXPECT_EQ("[KeyboardSettings]\r\nFlashSignal=0\r\nBeepSignal=1\r\nFrequency=0.8\r\nRepeatDelay=2.0\r\n"
              "SignalDelay=0.3\r\nBounceLock=1.5\r\nMouseKeyTopSpeed=35\r\nMouseKeyAcceleration=250\r\n"
              "MouseCursorStep=4\r\n[Overlays]\r\n3=Frukt\r\n1=Djur och v\xE4xter\r\n100=Mat, dryck\r\n",
              sets.Register("Skola"));

    EXPECT_FALSE(FileIO::WriteSetFile(sets.SetPath("Saknas") + "\\register.txt", overlays, settings));
    EXPECT_FALSE(fw::PathExists(sets.SetPath("Saknas")));
}

TEST(SetStore, SetsAreTheFoldersWithARegister)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n");
    sets.MakeSet("Hem", "");
    sets.MakeSet("Utan register", nullptr, {"Frukt"});
    sets.MakeSet(".dold", "[Overlays]\r\n");
    // A folder made by hand whose name the store's name rule refuses is no set it offers.
    sets.MakeSet("Mat, dryck", "[Overlays]\r\n");
    sets.Write("Program Files\\Skarpin\\set\\fil.txt", "");
    sets.Write("Program Files\\Skarpin\\set\\Mappregister\\register.txt\\x.txt", "");

    std::vector<SetItem> found = {SetItem("kvar", 9, 0)};
    sets.Io().ListSets(found);

    std::vector<std::string> names;
    for (const SetItem& item : found) {
        names.push_back(item.name_);
        EXPECT_EQ(0, item.number_) << item.name_;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ((Lines{"Hem", "Skola"}), names);

    SetFixture empty;
    ::RemoveDirectoryA(empty.SetFolder().c_str());
    empty.Io().ListSets(found);
    EXPECT_TRUE(found.empty());
}

// Each case builds one set, lists it and compares the list and the register afterwards.
TEST(SetStore, OverlayListing)
{
    const std::string standard = "Standard\xF6verl\xE4gg";
    std::string fullStandard = "[Overlays]\r\n";
    std::vector<std::string> standardFiles;
    Lines standardLines;
    for (int n = 101; n <= 127; ++n) {
        std::string name = "S" + std::to_string(n);
        fullStandard += std::to_string(n) + "=" + name + "\r\n";
        standardFiles.push_back(name);
        standardLines.push_back(std::to_string(n) + " " + name);
    }
    standardFiles.push_back("Extra");

    struct Case {
        const char* name;
        std::string set;
        const char* registerText;
        std::vector<std::string> files;
        Lines expected;
        const char* registerAfter; // null: unchanged
    } cases[] = {
        {"entries in file order, a number and a name given twice listed twice", "Skola",
         "[KeyboardSettings]\r\nFlashSignal=0\r\n[Overlays]\r\n5=A\r\n2=B\r\n5=A\r\n2=C\r\n", {"A", "B", "C"},
         {"5 A", "2 B", "5 A", "2 C"}, nullptr},
        {"a missing file is dropped; an unregistered one takes the lowest free number", "Skola",
         "[Overlays]\r\n5=A\r\n7=Borta\r\n", {"A", "B"}, {"5 A", "1 B"}, "rewritten"},
        {"the current-set mark after the entries is no entry", "Skola",
         "[Overlays]\r\n1=A\r\n[SetInfo]\r\nIsCurrent=1\r\n", {"A"}, {"1 A"}, nullptr},
        {"numbers outside 1 to 100 and texts that are no number are dropped", "Skola",
         "[Overlays]\r\n0=A\r\n101=B\r\nx=C\r\n-3=D\r\n100=E\r\n", {"E"}, {"100 E"}, nullptr},
        {"lines before the header and lines without '=' are no entries", "Skola",
         "[KeyboardSettings]\r\n3=A\r\n[Overlays]\r\nA\r\n\r\n4=A\r\n", {"A"}, {"4 A"}, nullptr},
        {"the header is the exact line", "Skola", "[overlays]\r\n3=A\r\n[Overlays] \r\n4=A\r\n", {"A"}, {"1 A"},
         "rewritten"},
        {"a name is found whatever its case", "Skola", "[Overlays]\r\n2=S\xE5ng\r\n", {"S\xC5NG"}, {"2 S\xE5ng"}, nullptr},
        {"the name is the rest of the line, '=' included", "Skola", "[Overlays]\r\n8=a=b c\r\n", {"a=b c"},
         {"8 a=b c"}, nullptr},
        // The files outside the set that these entries would reach are there (see below).
        {"entries whose names are no overlay names are missing files", "Skola",
         "[Overlays]\r\n1=..\\Granne\r\n2=A\r\n3=Skola\\A\r\n4=C:\\Uppe\r\n5=A,B\r\n6=CON\r\n7=A \r\n", {"A"},
         {"2 A"}, nullptr},
        {"a file found in the folder takes the number of such an entry", "Skola", "[Overlays]\r\n1=..\\Granne\r\n",
         {"B"}, {"1 B"}, "rewritten"},
        {"files that are no overlays", "Skola", "[Overlays]\r\n", {}, {}, nullptr},
        {"the standard set numbers 101 to 127", standard, "[Overlays]\r\n5=A\r\n", {"A"}, {"101 A"}, "rewritten"},
        {"a full standard set leaves a further file out", standard, fullStandard.c_str(), standardFiles,
         standardLines, nullptr},
        {"a set without register lists nothing", "Skola", nullptr, {"A"}, {}, nullptr},
        {"an empty register gives every file a number", "Skola", "", {"A"}, {"1 A"}, "rewritten"},
    };

    for (const Case& c : cases) {
        SetFixture sets;
        sets.MakeSet(c.set, c.registerText, c.files);
        if (std::string(c.name) == "files that are no overlays") {
            for (const char* file : {"mini", "anteckning.txt", ".dold.ini", "Anteckning.ini.bak", "ini", "Mat, dryck.ini"})
                sets.Write("Program Files\\Skarpin\\set\\Skola\\" + std::string(file), "");
            ::CreateDirectoryA((sets.SetPath("Skola") + "\\Mapp.ini").c_str(), nullptr);
        }
        sets.Write("Program Files\\Skarpin\\set\\Granne.ini", SetFixture::OverlayText("Granne"));
        sets.MakeSet("Skola\\Skola", nullptr, {"A"});
        std::vector<SetItem> overlays = {SetItem("kvar", 9, 0)};
        sets.Io().ListOverlays(c.set, overlays);
        EXPECT_EQ(c.expected, SetFixture::Lines(overlays)) << c.name;

        if (c.registerText == nullptr) {
            EXPECT_FALSE(fw::PathExists(sets.RegisterPath(c.set))) << c.name;
        } else if (c.registerAfter == nullptr) {
            EXPECT_EQ(c.registerText, sets.Register(c.set)) << c.name;
        } else {
            std::vector<std::pair<int, std::string>> entries;
            for (const SetItem& item : overlays)
                entries.emplace_back(item.number_, item.name_);
            EXPECT_EQ(SetFixture::StandardRegister(entries), sets.Register(c.set)) << c.name;
        }
    }
}

// A rewrite gives the register its standard form but keeps the send type and the current-set mark
// that other writers put there; the keyboard settings stay as the register held them.
TEST(SetStore, ListingRewriteKeepsSendTypeAndCurrentMark)
{
    SetFixture sets;
    sets.MakeSet("Skola",
                 "[KeyboardSettings]\r\nFlashSignal=0\r\nBeepSignal=1\r\nFrequency=0.5\r\nRepeatDelay=1.5\r\n"
                 "SignalDelay=0.1\r\nBounceLock=0.3\r\nSendType=Game\r\nMouseKeyTopSpeed=30\r\n"
                 "MouseKeyAcceleration=90\r\nMouseCursorStep=2\r\n[Overlays]\r\n3=A\r\n[SetInfo]\r\nIsCurrent=1\r\n",
                 {"A", "B"});
    std::vector<SetItem> overlays;
    sets.Io().ListOverlays("Skola", overlays);
    EXPECT_EQ((Lines{"3 A", "1 B"}), SetFixture::Lines(overlays));

    EXPECT_EQ("[KeyboardSettings]\r\nFlashSignal=0\r\nBeepSignal=1\r\nFrequency=0.5\r\nRepeatDelay=1.5\r\n"
              "SignalDelay=0.1\r\nBounceLock=0.3\r\nMouseKeyTopSpeed=30\r\nMouseKeyAcceleration=90\r\n"
              "MouseCursorStep=2\r\nSendType=Game\r\n[Overlays]\r\n3=A\r\n1=B\r\n[SetInfo]\r\nIsCurrent=1\r\n",
              sets.Register("Skola"));
    sets.Io().ListOverlays("Skola", overlays);
    EXPECT_EQ((Lines{"3 A", "1 B"}), SetFixture::Lines(overlays));
}

TEST(SetStore, TemplatesAreNumberedInListingOrderWithoutRegister)
{
    SetFixture sets;
    const char* registerText = "[Overlays]\r\n7=A\r\n";
    sets.MakeSet("Mallar", registerText, {"A", "B", "C"});
    std::vector<SetItem> overlays;
    sets.Io().ListOverlays("Mallar", overlays);

    ASSERT_EQ(3u, overlays.size());
    std::vector<std::string> names;
    for (size_t i = 0; i < overlays.size(); ++i) {
        EXPECT_EQ(static_cast<int>(i) + 1, overlays[i].number_);
        names.push_back(overlays[i].name_);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ((Lines{"A", "B", "C"}), names);
    EXPECT_EQ(registerText, sets.Register("Mallar"));

    // A templates set without a folder lists nothing.
    SetFixture none;
    none.Io().ListOverlays("Mallar", overlays);
    EXPECT_TRUE(overlays.empty());
    none.Io().ListOverlays("", overlays);
    EXPECT_TRUE(overlays.empty());
}

TEST(SetStore, ListingReadsEachOverlaysAccessKvoraFlag)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n1=A\r\n2=B\r\n", {"B"});
    sets.Write("Program Files\\Skarpin\\set\\Skola\\A.ini", "[Version]\r\nVersion=5.0.19.0\r\nAccessKvora=1\r\n");
    std::vector<SetItem> overlays;
    sets.Io().ListOverlays("Skola", overlays);
    ASSERT_EQ(2u, overlays.size());
    EXPECT_EQ(1, overlays[0].accessKvora_);
    EXPECT_EQ(0, overlays[1].accessKvora_);
}

// The listing reads both marks of a list line from each overlay file, as the single look-ups read them.
TEST(SetStore, ListingReadsEachOverlaysMarksAsTheLookUpsDo)
{
    struct Case {
        const char* name;
        const char* text;
        int accessKvora;
        int game;
    };
    const Case cases[] = {
        {"Plain", "[Version]\r\nVersion=5.0.19.0\r\n[KeyboardSettings]\r\nSendType=API\r\n", 0, 0},
        {"Game", "[Version]\r\nVersion=5.0.19.0\r\n[KeyboardSettings]\r\nSendType=gAmE\r\n", 0, 1},
        {"Both", "[version]\r\n AccessKvora = 2 \r\n[KEYBOARDSETTINGS]\r\nSendType=\"Game\"\r\n", 2, 1},
        {"Later", "[Version]\r\nAccessKvora=0x1\r\n[KeyboardSettings]\r\nSendType=Games\r\n", 1, 0},
        {"First", "[Version]\r\nAccessKvora=3\r\nAccessKvora=1\r\n[KeyboardSettings]\r\nSendType\r\nSendType=Game\r\n", 3, 0},
        {"Foreign", "\xEF\xBB\xBF[Version]\r\nAccessKvora=1\r\n[KeyboardSettings]\r\nSendType=Game\r\n", 1, 1},
    };
    SetFixture sets;
    std::string registerText = "[Overlays]\r\n";
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        registerText += std::to_string(i + 1) + "=" + cases[i].name + "\r\n";
        sets.Write("Program Files\\Skarpin\\set\\Skola\\" + std::string(cases[i].name) + ".ini", cases[i].text);
    }
    sets.MakeSet("Skola", registerText.c_str());
    std::vector<SetItem> overlays;
    sets.Io().ListOverlays("Skola", overlays);
    ASSERT_EQ(sizeof(cases) / sizeof(cases[0]), overlays.size());
    for (size_t i = 0; i < overlays.size(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(c.accessKvora, overlays[i].accessKvora_) << c.name;
        EXPECT_EQ(c.game, overlays[i].gameSendType_) << c.name;
        EXPECT_EQ(c.accessKvora, sets.Io().GetAccessKvoraFlag(c.name, "Skola")) << c.name;
        EXPECT_EQ(c.game, sets.Io().IsGameSendType(c.name, "Skola")) << c.name;
        const std::string path = sets.OverlayPath("Skola", c.name);
        EXPECT_EQ(c.accessKvora, ini::ReadInt(path, "Version", "AccessKvora", 0)) << "the platform, " << c.name;
        EXPECT_EQ(c.game, ::lstrcmpiA(ini::ReadString(path, "KeyboardSettings", "SendType", "API").c_str(), "Game") == 0)
            << "the platform, " << c.name;
    }
}

TEST(SetStore, WriteOverlayListReplacesTheWholeSection)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[KeyboardSettings]\r\nFlashSignal=0\r\n[Overlays]\r\n1=Gammal\r\n9=Annan\r\n");
    ASSERT_TRUE(sets.Io().WriteOverlayList("Skola", {{"Ny", 4, 0}, {"Andra", 2, 0}}));
    const std::string file = sets.RegisterPath("Skola");
    EXPECT_EQ((Lines{"4", "2"}), ini::ReadKeyNames(file, "Overlays"));
    EXPECT_EQ("Ny", ini::ReadString(file, "Overlays", "4"));
    EXPECT_EQ("0", ini::ReadString(file, "KeyboardSettings", "FlashSignal"));

    EXPECT_FALSE(sets.Io().WriteOverlayList("Saknas", {{"Ny", 4, 0}}));
}

TEST(SetStore, CreateSetTakesTheKeyboardSettingsForNewSets)
{
    SetFixture sets;
    sets.WriteWindowsSettings("[Directories]\r\nExe=" + sets.ProgramFolder() +
                              "\r\n[KeyboardSettings]\r\nRepeatDelay=0.5\r\nSendType=Game\r\n");
    ASSERT_TRUE(sets.Io().CreateSet("Ny klass"));
    const std::string file = sets.RegisterPath("Ny klass");
    KeyboardSettings settings;
    FileIO::ReadKeyboardSettings(file, settings);
    EXPECT_FLOAT_EQ(0.5f, settings.repeatDelay_);
    EXPECT_EQ(1, settings.sendType_);
    EXPECT_EQ("0.7", ini::ReadString(file, "KeyboardSettings", "Frequency"));

    std::vector<SetItem> found;
    sets.Io().ListSets(found);
    ASSERT_EQ(1u, found.size());
    EXPECT_EQ("Ny klass", found[0].name_);

    // An existing folder is no error; a name that cannot be a folder's is refused.
    sets.MakeSet("Finns", nullptr, {"A"});
    EXPECT_TRUE(sets.Io().CreateSet("Finns"));
    EXPECT_TRUE(fw::FileExists(sets.OverlayPath("Finns", "A")));
    EXPECT_TRUE(fw::FileExists(sets.RegisterPath("Finns")));
    for (const char* name : {"", "a/b", "a\\b", "a:b", "a,b", "a*b", "..", "NUL"}) {
        EXPECT_FALSE(sets.Io().CreateSet(name)) << name;
    }
    EXPECT_FALSE(fw::PathExists(sets.SetFolder() + "\\register.txt"));
    EXPECT_FALSE(fw::PathExists(sets.SetPath("a")));
}

// A set that is there keeps its keyboard settings and its overlays' numbers, under any name that
// reaches its folder.
TEST(SetStore, CreatingAnExistingSetLeavesItAlone)
{
    SetFixture sets;
    sets.WriteWindowsSettings("[Directories]\r\nExe=" + sets.ProgramFolder() +
                              "\r\n[KeyboardSettings]\r\nRepeatDelay=0.5\r\nFlashSignal=0\r\n");
    const std::string skola = "[KeyboardSettings]\r\nFlashSignal=1\r\nRepeatDelay=2.0\r\nSendType=Game\r\n"
                              "[Overlays]\r\n4=A\r\n[SetInfo]\r\nIsCurrent=1\r\n";
    sets.MakeSet("Skola", skola.c_str(), {"A"});
    EXPECT_TRUE(sets.Io().CreateSet("Skola"));
    EXPECT_TRUE(sets.Io().CreateSet("SKOLA"));
    // The system drops blanks and dots at the end of a folder name: these would be "Skola" too.
    EXPECT_FALSE(sets.Io().CreateSet("Skola "));
    EXPECT_FALSE(sets.Io().CreateSet("Skola."));
    EXPECT_EQ(skola, sets.Register("Skola"));
}

TEST(SetStore, OneNameRuleForSetsAndOverlays)
{
    const struct {
        const char* name;
        bool valid;
    } cases[] = {
        {"Skola", true}, {"Djur och v\xE4xter", true}, {"a=b", true}, {". a", true}, {"Klass 3.b", true},
        {"CONSOLE", true}, {"COM10", true}, {"LPT", true}, {"Con tra", true}, {"NULL.ini", true},
        {"", false}, {".", false}, {"..", false}, {"Skola ", false}, {"Skola.", false}, {"Skola. ", false},
        {"a\\b", false}, {"a/b", false}, {"a*b", false}, {"a?b", false}, {"a\"b", false}, {"a<b", false},
        {"a>b", false}, {"a|b", false}, {"a,b", false}, {"C:b", false}, {"a\tb", false}, {"a\x1F", false},
        {"CON", false}, {"prn", false}, {"Aux", false}, {"NUL", false}, {"nul.txt", false}, {"COM1", false},
        {"com9.ini", false}, {"LPT1", false}, {"Lpt9.bak", false}, {"CON .txt", false},
        {"COM0", false}, {"lpt0.ini", false}, {"COM\xB9", false}, {"lpt\xB2.txt", false}, {"Com\xB3 ", false},
        {"CONIN$", false}, {"COM\xB4", true}, {"LPT\xBD", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.valid, FileIO::IsValidName(c.name)) << c.name;

    EXPECT_EQ("abc", FileIO::CleanName("a/b:c"));
    EXPECT_EQ("Mitt", FileIO::CleanName(" \tMitt . . "));
    EXPECT_EQ("", FileIO::CleanName(".."));
    EXPECT_EQ("CON", FileIO::CleanName("CON"));
}

// Every operation of the store checks its names with the rule: none reaches past the set folder.
TEST(SetStore, NamesOutsideTheRuleReachNothing)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n1=A\r\n", {"A"});
    const std::string neighbour = sets.Write("Program Files\\Skarpin\\set\\Granne.ini", SetFixture::OverlayText("G"));
    const std::string outside = sets.Write("Program Files\\Skarpin\\Granne.ini", SetFixture::OverlayText("U"));
    EXPECT_FALSE(sets.Io().DeleteOverlay("Skola", "..\\Granne", 1));
    EXPECT_FALSE(sets.Io().DeleteOverlay("..", "Granne", 1));
    EXPECT_FALSE(sets.Io().DeleteSet(".."));
    EXPECT_FALSE(sets.Io().DeleteSet("Skola\\.."));
    EXPECT_FALSE(sets.Io().RenameOverlay("Skola", "..\\Granne", "B", 2));
    EXPECT_FALSE(sets.Io().RenameOverlay("Skola", "A", "..\\B", 1));
    EXPECT_FALSE(sets.Io().SetAccessKvoraFlag("..\\Granne", "Skola", 1));
    EXPECT_EQ(Carry::kNotDone, sets.Io().CopyOverlay("Skola", "..\\Granne", "Skola", "B", 2).outcome);
    EXPECT_EQ(Carry::kNotDone, sets.Io().MoveOverlay("Skola", "..\\Granne", 1, "Skola", "B", 2).outcome);
    EXPECT_EQ(Carry::kNotDone, sets.Io().CopyOverlay("Skola", "A", "..", "A", 2).outcome);
    EXPECT_EQ(Carry::kNotDone, sets.Io().RenameSet("Skola", "..\\Flyttad").outcome);
    EXPECT_FALSE(sets.Io().CopySetFolder("..", "Kopia"));
    std::string name = "..";
    EXPECT_EQ(FileIO::kNoName, sets.Io().SaveOverlay(name, 3, "Skola", {}, {}, KeyboardSettings()));
    name = "Granne";
    EXPECT_EQ(FileIO::kNotWritten, sets.Io().SaveOverlay(name, 3, "..", {}, {}, KeyboardSettings()));

    EXPECT_EQ(SetFixture::OverlayText("G"), sets.Read(neighbour));
    EXPECT_EQ(SetFixture::OverlayText("U"), sets.Read(outside));
    EXPECT_EQ("[Overlays]\r\n1=A\r\n", sets.Register("Skola"));
    EXPECT_TRUE(fw::FileExists(sets.OverlayPath("Skola", "A")));
    EXPECT_FALSE(fw::PathExists(sets.OverlayPath("Skola", "B")));
    EXPECT_FALSE(fw::PathExists(sets.SetFolder() + "\\register.txt"));
}

// A register saved as Unicode reads as no entries: listing the set does not write it anew with the
// files it finds, and a save does not enter its overlay there.
TEST(SetStore, ARegisterInAnotherTextFormIsNeverRewritten)
{
    SetFixture sets;
    const std::string text = "[Overlays]\r\n1=A\r\n";
    std::string unicode = "\xFF\xFE";
    for (char c : text)
        unicode += std::string(1, c) + '\0';
    sets.MakeSet("Skola", "", {"A", "B"});
    sets.Write("Program Files\\Skarpin\\set\\Skola\\register.txt", unicode);
    std::vector<SetItem> overlays;
    sets.Io().ListOverlays("Skola", overlays);
    EXPECT_TRUE(overlays.empty());
    std::string name = "Ny";
    EXPECT_EQ(FileIO::kNotRegistered, sets.Io().SaveOverlay(name, 3, "Skola", {}, {}, KeyboardSettings()));
    EXPECT_FALSE(sets.Io().DeleteOverlay("Skola", "B", 2));
    EXPECT_TRUE(fw::FileExists(sets.OverlayPath("Skola", "B")));
    EXPECT_EQ(unicode, sets.Register("Skola"));
}

// A new template never takes the place of a file in the folder, listed or not, and is refused once
// the templates set lists no more.
TEST(SetStore, ANewTemplateNeedsRoomAndAFreeFileName)
{
    SetFixture sets;
    std::vector<std::string> names;
    for (int n = 1; n <= 99; ++n)
        names.push_back("M" + std::to_string(n));
    sets.MakeSet("Mallar", "", names);
    std::string name = "M50";
    EXPECT_EQ(FileIO::kNameTaken, sets.Io().SaveOverlay(name, 0, "Mallar", {}, {}, KeyboardSettings(), nullptr,
                                                        FileIO::SaveTarget::kNewFile));
    EXPECT_EQ(SetFixture::OverlayText("M50"), sets.Read(sets.OverlayPath("Mallar", "M50")));
    name = "Ny";
    EXPECT_EQ(FileIO::kSaved, sets.Io().SaveOverlay(name, 0, "Mallar", {}, {}, KeyboardSettings(), nullptr,
                                                    FileIO::SaveTarget::kNewFile));
    name = "En till";
    EXPECT_EQ(FileIO::kNoRoom, sets.Io().SaveOverlay(name, 0, "Mallar", {}, {}, KeyboardSettings(), nullptr,
                                                     FileIO::SaveTarget::kNewFile));
    EXPECT_FALSE(fw::PathExists(sets.OverlayPath("Mallar", "En till")));
}

// The store, the main window and the menus know the special sets by one comparison of names.
TEST(SetStore, SpecialSetsWhateverTheCaseOfTheirNames)
{
    SetFixture sets;
    const char* templates = "[KeyboardSettings]\r\nFlashSignal=0\r\n[Overlays]\r\n7=A\r\n";
    sets.MakeSet("MALLAR", templates, {"A", "B"});
    const std::string standard = "STANDARD\xD6VERL\xC4GG";
    const char* standardRegister = "[Overlays]\r\n101=S\r\n105=T\r\n";
    sets.MakeSet(standard, standardRegister, {"S", "T"});
    EXPECT_EQ(SetKind::kTemplates, sets.Io().KindOfSet("MALLAR"));
    EXPECT_EQ(SetKind::kStandard, sets.Io().KindOfSet(standard));
    EXPECT_EQ(SetKind::kStandard, KindOfSet("standard\xF6verl\xE4gg", sets.Io().SpecialNames()));

    // Listing, placing and saving in the templates set never touch its register.
    std::vector<SetItem> overlays;
    sets.Io().ListOverlays("MALLAR", overlays);
    ASSERT_EQ(2u, overlays.size());
    EXPECT_EQ(1, overlays[0].number_);
    EXPECT_EQ(2, overlays[1].number_);
    int number = 7;
    std::string placed;
    ASSERT_TRUE(sets.Io().PlaceOverlayFile(sets.Write("temp\\N.ini", "x"), "MALLAR", "N", number, placed));
    EXPECT_EQ(7, number);
    std::string name = "Ny mall";
    EXPECT_EQ(FileIO::kSaved, sets.Io().SaveOverlay(name, 3, "MALLAR", {}, {}, KeyboardSettings()));
    EXPECT_EQ(templates, sets.Register("MALLAR"));

    // The standard set keeps the numbers 101-127 its register gives.
    sets.Io().ListOverlays(standard, overlays);
    EXPECT_EQ((Lines{"101 S", "105 T"}), SetFixture::Lines(overlays));
    EXPECT_EQ(standardRegister, sets.Register(standard));
    number = 0;
    ASSERT_TRUE(sets.Io().PlaceOverlayFile(sets.Write("temp\\N.ini", "x"), standard, "N", number, placed));
    EXPECT_EQ(102, number);
}

namespace {

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names = testsupport::TempFolder::FilesIn(folder);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// Every write of a register goes through one writer, which replaces the register only with a whole
// new one: a write that fails part way leaves the old register as it was, and no stray file.
TEST(SetStore, AFailedRegisterWriteLeavesTheOldRegisterWhole)
{
    SetFixture sets;
    const char* skola = "[KeyboardSettings]\r\nFlashSignal=0\r\n[Overlays]\r\n5=A\r\n";
    sets.MakeSet("Skola", skola, {"A", "B"});
    sets.MakeSet("Hem", "[Overlays]\r\n", {});
    const std::vector<std::string> files = FilesIn(sets.SetPath("Skola"));
    {
        testsupport::FullDisk full;
        // A listing that would give B a number and write the register again.
        std::vector<SetItem> overlays;
        sets.Io().ListOverlays("Skola", overlays);
        EXPECT_EQ((Lines{"5 A", "1 B"}), SetFixture::Lines(overlays));
        EXPECT_FALSE(FileIO::WriteSetFile(sets.RegisterPath("Skola"), overlays, KeyboardSettings()));
        EXPECT_FALSE(sets.Io().WriteOverlayList("Skola", overlays));
        EXPECT_FALSE(FileIO::WriteKeyboardSettings(sets.RegisterPath("Skola"), KeyboardSettings()));
        // A move whose register cannot follow is taken back.
        EXPECT_EQ(Carry::kNotDone, sets.Io().MoveOverlay("Skola", "A", 5, "Hem", "A", 2).outcome);
        EXPECT_EQ(Carry::kNotDone, sets.Io().MoveOverlay("Skola", "A", 5, "Skola", "A", 6).outcome);
        EXPECT_FALSE(sets.Io().CreateSet("Ny"));
    }
    EXPECT_EQ(skola, sets.Register("Skola"));
    EXPECT_EQ("[Overlays]\r\n", sets.Register("Hem"));
    EXPECT_EQ(files, FilesIn(sets.SetPath("Skola")));
    EXPECT_TRUE(FilesIn(sets.SetPath("Hem")).size() == 1u);
    EXPECT_FALSE(fw::PathExists(sets.RegisterPath("Ny")));

    // With room on the disk the listing writes it.
    std::vector<SetItem> overlays;
    sets.Io().ListOverlays("Skola", overlays);
    EXPECT_NE(skola, sets.Register("Skola"));
}

TEST(SetStore, CopySetFolderCopiesTheWholeTreeAsASetOfItsOwn)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n1=A\r\n[SetInfo]\r\nIsCurrent=1\r\n", {"A"});
    sets.Write("Program Files\\Skarpin\\set\\Skola\\import\\bild.bmp", "BM");

    ASSERT_TRUE(sets.Io().CopySetFolder("Skola", "Skola kopia"));
    EXPECT_EQ(SetFixture::OverlayText("A"), sets.Read(sets.OverlayPath("Skola kopia", "A")));
    EXPECT_EQ("BM", sets.Read(sets.SetPath("Skola kopia") + "\\import\\bild.bmp"));
    EXPECT_EQ("0", ini::ReadString(sets.RegisterPath("Skola kopia"), "SetInfo", "IsCurrent"));
    EXPECT_EQ("1", ini::ReadString(sets.RegisterPath("Skola"), "SetInfo", "IsCurrent"));

    // Never into an existing set, and never without both names.
    sets.MakeSet("Hem", "[Overlays]\r\n1=H\r\n", {"H"});
    EXPECT_FALSE(sets.Io().CopySetFolder("Skola", "Hem"));
    EXPECT_FALSE(fw::PathExists(sets.OverlayPath("Hem", "A")));
    EXPECT_FALSE(sets.Io().CopySetFolder("", "Tom"));
    EXPECT_FALSE(sets.Io().CopySetFolder("Skola", ""));
}

TEST(SetStore, RenameSetMovesTheFolder)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n1=A\r\n", {"A"});
    sets.MakeSet("Hem", "[Overlays]\r\n", {});
    ASSERT_EQ(Carry::kDone, sets.Io().RenameSet("Skola", "Klass 3").outcome);
    EXPECT_FALSE(fw::PathExists(sets.SetPath("Skola")));
    EXPECT_EQ(SetFixture::OverlayText("A"), sets.Read(sets.OverlayPath("Klass 3", "A")));

    // Only the case of the name changes.
    ASSERT_EQ(Carry::kDone, sets.Io().RenameSet("Klass 3", "KLASS 3").outcome);
    std::vector<SetItem> found;
    sets.Io().ListSets(found);
    ASSERT_EQ(2u, found.size());
    EXPECT_TRUE(found[0].name_ == "KLASS 3" || found[1].name_ == "KLASS 3");

    EXPECT_EQ(Carry::kNotDone, sets.Io().RenameSet("Klass 3", "Hem").outcome);
    EXPECT_EQ(Carry::kNotDone, sets.Io().RenameSet("Saknas", "Nytt").outcome);
    EXPECT_EQ(Carry::kNotDone, sets.Io().RenameSet("Klass 3", "a/b").outcome);
    EXPECT_TRUE(fw::FileExists(sets.OverlayPath("Klass 3", "A")));
}

TEST(SetStore, DeleteSetSendsTheFolderToTheRecycleBin)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n1=A\r\n", {"A"});
    sets.MakeSet("Hem", "[Overlays]\r\n", {});
    EXPECT_TRUE(sets.Io().DeleteSet("Skola"));
    EXPECT_FALSE(fw::PathExists(sets.SetPath("Skola")));
    EXPECT_TRUE(fw::FileExists(sets.RegisterPath("Hem")));

    // An empty name would be the whole set folder.
    EXPECT_FALSE(sets.Io().DeleteSet(""));
    EXPECT_TRUE(fw::FileExists(sets.RegisterPath("Hem")));
}

// A set folder that holds a folder the program uses (here the export folder, given in another
// case) is neither deleted nor renamed: the program would lose it.
TEST(SetStore, ASetHoldingAProgramFolderStaysWhereItIs)
{
    SetFixture sets;
    sets.MakeSet("Hem", "[Overlays]\r\n", {});
    const std::string inside = sets.SetPath("Hem") + "\\export";
    ASSERT_TRUE(::CreateDirectoryA(inside.c_str(), nullptr));
    sets.Io().SetExportDir(sets.SetPath("HEM") + "\\Export");
    EXPECT_FALSE(sets.Io().DeleteSet("Hem"));
    EXPECT_EQ(Carry::kNotDone, sets.Io().RenameSet("Hem", "Borta").outcome);
    EXPECT_TRUE(fw::FolderExists(inside));
}

// Registers and overlay files are edited as the ini interface would edit them, but every line that
// is not changed stays as it was.
TEST(SetStore, IniTextEditsOnlyTheLinesItMeans)
{
    const std::string text = "; kommentar\r\n[Overlays]\r\n1=A \r\n 2 = B\r\n\r\n[overlays]\r\n3=C\r\n[SetInfo]\r\nIsCurrent=1\r\n";
    const struct {
        const char* what;
        std::function<void(IniText&)> edit;
        std::string expected;
    } cases[] = {
        {"a key is found ignoring case and blanks", [](IniText& t) { t.Set("OVERLAYS", "2", "Ny"); },
         "; kommentar\r\n[Overlays]\r\n1=A \r\n2=Ny\r\n\r\n[overlays]\r\n3=C\r\n[SetInfo]\r\nIsCurrent=1\r\n"},
        {"a new key follows the section's last line", [](IniText& t) { t.Set("Overlays", "4", "D"); },
         "; kommentar\r\n[Overlays]\r\n1=A \r\n 2 = B\r\n4=D\r\n\r\n[overlays]\r\n3=C\r\n[SetInfo]\r\nIsCurrent=1\r\n"},
        {"a new section goes at the end", [](IniText& t) { t.Set("KeyboardSettings", "SendType", "Game"); },
         text + "[KeyboardSettings]\r\nSendType=Game\r\n"},
        {"a key is removed", [](IniText& t) { EXPECT_TRUE(t.Remove("Overlays", "1")); },
         "; kommentar\r\n[Overlays]\r\n 2 = B\r\n\r\n[overlays]\r\n3=C\r\n[SetInfo]\r\nIsCurrent=1\r\n"},
        {"a key that is not there", [](IniText& t) { EXPECT_FALSE(t.Remove("Overlays", "3")); }, text},
        {"the first section of the name goes whole", [](IniText& t) { t.RemoveSection("Overlays"); },
         "; kommentar\r\n[overlays]\r\n3=C\r\n[SetInfo]\r\nIsCurrent=1\r\n"},
    };
    for (const auto& c : cases) {
        IniText edited(storefile::SplitLines(text));
        c.edit(edited);
        EXPECT_EQ(c.expected, edited.Text()) << c.what;
    }
    const IniText read(storefile::SplitLines(text));
    EXPECT_EQ("A", read.Get("Overlays", "1"));
    EXPECT_EQ("B", read.Get("overlays", "2"));
    EXPECT_EQ("", read.Get("Overlays", "3"));
    EXPECT_EQ("ingen", read.Get("Saknas", "1", "ingen"));
}
