// The set store: which folders are sets, the register's exact form, and the overlay listing with its
// numbering of files the register does not name.
#include "SetFixture.h"
#include "library/IniFile.h"
#include <gtest/gtest.h>
#include <algorithm>

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
    EXPECT_FALSE(FileExists(sets.SetPath("Saknas")));
}

TEST(SetStore, SetsAreTheFoldersWithARegister)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n");
    sets.MakeSet("Hem", "");
    sets.MakeSet("Utan register", nullptr, {"Frukt"});
    sets.MakeSet(".dold", "[Overlays]\r\n");
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
        {"the name is the rest of the line, '=' and commas included", "Skola", "[Overlays]\r\n8=a=b, c\r\n",
         {"a=b, c"}, {"8 a=b, c"}, nullptr},
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
            for (const char* file : {"mini", "anteckning.txt", ".dold.ini", "Anteckning.ini.bak", "ini"})
                sets.Write("Program Files\\Skarpin\\set\\Skola\\" + std::string(file), "");
            ::CreateDirectoryA((sets.SetPath("Skola") + "\\Mapp.ini").c_str(), nullptr);
        }
        std::vector<SetItem> overlays = {SetItem("kvar", 9, 0)};
        sets.Io().ListOverlays(c.set, overlays);
        EXPECT_EQ(c.expected, SetFixture::Lines(overlays)) << c.name;

        if (c.registerText == nullptr) {
            EXPECT_FALSE(FileExists(sets.RegisterPath(c.set))) << c.name;
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
    EXPECT_TRUE(FileExists(sets.OverlayPath("Finns", "A")));
    for (const char* name : {"", "a/b", "a\\b", "a:b", "a,b", "a*b"}) {
        EXPECT_FALSE(sets.Io().CreateSet(name)) << name;
    }
    EXPECT_FALSE(FileExists(sets.SetFolder() + "\\register.txt"));
    EXPECT_FALSE(FileExists(sets.SetPath("a")));
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
    EXPECT_FALSE(FileExists(sets.OverlayPath("Hem", "A")));
    EXPECT_FALSE(sets.Io().CopySetFolder("", "Tom"));
    EXPECT_FALSE(sets.Io().CopySetFolder("Skola", ""));
}

TEST(SetStore, RenameSetMovesTheFolder)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n1=A\r\n", {"A"});
    sets.MakeSet("Hem", "[Overlays]\r\n", {});
    ASSERT_TRUE(sets.Io().RenameSet("Skola", "Klass 3"));
    EXPECT_FALSE(FileExists(sets.SetPath("Skola")));
    EXPECT_EQ(SetFixture::OverlayText("A"), sets.Read(sets.OverlayPath("Klass 3", "A")));

    // Only the case of the name changes.
    ASSERT_TRUE(sets.Io().RenameSet("Klass 3", "KLASS 3"));
    std::vector<SetItem> found;
    sets.Io().ListSets(found);
    ASSERT_EQ(2u, found.size());
    EXPECT_TRUE(found[0].name_ == "KLASS 3" || found[1].name_ == "KLASS 3");

    EXPECT_FALSE(sets.Io().RenameSet("Klass 3", "Hem"));
    EXPECT_FALSE(sets.Io().RenameSet("Saknas", "Nytt"));
    EXPECT_FALSE(sets.Io().RenameSet("Klass 3", "a/b"));
    EXPECT_TRUE(FileExists(sets.OverlayPath("Klass 3", "A")));
}

TEST(SetStore, DeleteSetSendsTheFolderToTheRecycleBin)
{
    SetFixture sets;
    sets.MakeSet("Skola", "[Overlays]\r\n1=A\r\n", {"A"});
    sets.MakeSet("Hem", "[Overlays]\r\n", {});
    EXPECT_TRUE(sets.Io().DeleteSet("Skola"));
    EXPECT_FALSE(FileExists(sets.SetPath("Skola")));
    EXPECT_TRUE(FileExists(sets.RegisterPath("Hem")));

    // An empty name would be the whole set folder.
    EXPECT_FALSE(sets.Io().DeleteSet(""));
    EXPECT_TRUE(FileExists(sets.RegisterPath("Hem")));
}
