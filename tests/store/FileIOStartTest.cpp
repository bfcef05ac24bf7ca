// FileIO's construction: paths, folders, the values it keeps, the start strings, the video list, the
// click references and the program's version.
#include "ConfigFixture.h"
#include <gtest/gtest.h>
#include <regex>

using Strings = std::vector<std::string>;

TEST(FileIOStart, EmptySettingsGiveTheDefaultsAndCreateTheFolders)
{
    ConfigFixture config;
    FileIO& io = config.Open();
    const std::string program = config.ProgramFolder();

    EXPECT_EQ(config.WindowsSettingsFile(), io.windowsSettingsFile_);
    EXPECT_EQ(program, io.programFolder_);
    EXPECT_EQ("skarpin", io.variantName_);
    EXPECT_EQ(config.ProgramSettingsFile(), io.programSettingsFile_);
    // Without its own image-base file the program settings file holds the image bases.
    EXPECT_EQ(config.ProgramSettingsFile(), io.imageBaseSettingsFile_);
    EXPECT_EQ(program + "\\skarpin.key", io.keyCodeTableFile_);

    EXPECT_EQ(program + "\\set", io.setFolder_);
    EXPECT_EQ(program + "\\autowave", io.autoSoundFolder_);
    EXPECT_EQ(program + "\\autoicon", io.autoIconFolder_);
    EXPECT_EQ(program + "\\autoimage", io.autoImageFolder_);
    for (const std::string& folder : {io.setFolder_, io.autoSoundFolder_, io.autoIconFolder_, io.autoImageFolder_})
        EXPECT_TRUE(fw::FolderExists(folder)) << folder;
    EXPECT_EQ(program, io.exportFolder_);
    EXPECT_EQ(program, io.importFolder_);

    EXPECT_EQ("register.txt", io.registerFileName_);
    EXPECT_EQ("Overlays", io.overlayListSection_);
    EXPECT_EQ("ini", io.overlayFileExtension_);
    EXPECT_EQ("Data", io.keySection_);
    EXPECT_EQ("Background", io.backgroundSection_);
    EXPECT_EQ("", io.driverName_);
    EXPECT_EQ("Standard\xF6verl\xE4gg", io.standardOverlaySetName_);
    EXPECT_EQ("Mallar", io.templatesSetName_);
    EXPECT_EQ(0, io.showStandardOverlays_);
    EXPECT_EQ(0, io.showTemplates_);
    EXPECT_EQ(1, io.showTemplateDlg_);

    for (const std::string& name : io.keyNames_)
        EXPECT_EQ("", name);
    EXPECT_EQ(Strings(4), Strings(io.startStrings_.begin(), io.startStrings_.end()));
    EXPECT_EQ("", io.defaultStartString_);
    EXPECT_EQ("<Paus0.5><Return>", io.endString_);
    EXPECT_EQ(0, io.autoCommand_.enabled_);
    EXPECT_EQ(0, io.autoCommand_.mode_);
    EXPECT_EQ((Strings{"AVI", "MPE", "MPEG", "MPG", "MOV", "WMV"}), io.videoExtensions_);
    EXPECT_TRUE(io.clickReferences_.empty());
    EXPECT_EQ("zenthor.ini", io.zenthorIniName_);
    EXPECT_EQ(0, io.zenthorFlag_);
}

TEST(FileIOStart, ReadsTheValuesItKeepsWhole)
{
    ConfigFixture config;
    const std::string sets = config.Temp() / "Data\\Set";
    const std::string sounds = config.Temp() / "Media\\Ljud\\Auto";
    config.WriteProgramSettings(
        "[Directories]\r\nSetinfo=" + sets + "\r\nAutoSoundDir=" + sounds + "\r\n"
        "[USB]\r\nDriverName=Rizovuvuri\r\n"
        "[Settings]\r\nStandardOverlayName=Mina standard\xF6verl\xE4gg\r\nShowStandardOverlays=1\r\n"
        "TemplatesName=Mallar f\xF6r klassen\r\nShowTemplates=1\r\nShowTemplateDlg=0\r\n"
        "AutoCommand=2\r\nAutoCommandPrefix=<Ctrl+v>\r\nAutoCommandSuffix=<Return>\r\n");
    config.Write("windows\\imgbase.skarpin.ini", "[ImageBases]\r\n");

    FileIO& io = config.Open();
    EXPECT_EQ(sets, io.setFolder_);
    // A set folder named by the settings is the user's own: it is not created.
    EXPECT_FALSE(fw::FolderExists(sets));
    // The automatic folders are created wherever they are, with the folders above them.
    EXPECT_EQ(sounds, io.autoSoundFolder_);
    EXPECT_TRUE(fw::FolderExists(sounds));
    EXPECT_EQ(config.WindowsFolder() + "\\imgbase.skarpin.ini", io.imageBaseSettingsFile_);
    EXPECT_EQ("Rizovuvuri", io.driverName_);
    EXPECT_EQ("Mina standard\xF6verl\xE4gg", io.standardOverlaySetName_);
    EXPECT_EQ("Mallar f\xF6r klassen", io.templatesSetName_);
    EXPECT_EQ(1, io.showStandardOverlays_);
    EXPECT_EQ(1, io.showTemplates_);
    EXPECT_EQ(0, io.showTemplateDlg_);
    EXPECT_EQ(0, io.autoCommand_.enabled_);
    EXPECT_EQ(2, io.autoCommand_.mode_);
    EXPECT_EQ("<Ctrl+v>", io.autoCommand_.prefix_);
    EXPECT_EQ("<Return>", io.autoCommand_.suffix_);
}

TEST(FileIOStart, LoadsTheImageBasesOfItsOwnImageBaseFileDefaultFirst)
{
    ConfigFixture config;
    const std::string animals = config.Write("Bildbaser\\djur.ini", "[ProgDir]\r\nDir=D:\\Bilder\\Djur\r\nExtension=wmf\r\n");
    const std::string food = config.Write("Bildbaser\\mat.ini", "[ProgDir]\r\nDir=D:\\Bilder\\Mat\r\n");
    config.Write("windows\\imgbase.skarpin.ini",
                 "[ImageBases]\r\nDefault=M\r\nD=" + animals + ",Djur\r\nM=" + food + ",Mat\r\n");
    // The program settings file's own list is not read when the image-base file exists.
    config.WriteProgramSettings("[ImageBases]\r\nA=" + animals + ",Fel lista\r\n");

    FileIO& io = config.Open();
    const std::vector<ImageDirectory>& bases = io.imageBases_.GetBases();
    ASSERT_EQ(2u, bases.size());
    EXPECT_EQ("M", bases[0].GetKey());
    EXPECT_EQ("Mat", bases[0].GetName());
    EXPECT_EQ("D", bases[1].GetKey());
    EXPECT_EQ("D:\\Bilder\\Djur", bases[1].GetDir());
    EXPECT_EQ("wmf", bases[1].GetExtension());
}

TEST(FileIOStart, WithoutItsOwnImageBaseFileTheProgramSettingsHoldTheBases)
{
    ConfigFixture config;
    const std::string animals = config.Write("Bildbaser\\djur.ini", "[ProgDir]\r\nDir=D:\\Bilder\\Djur\r\n");
    config.WriteProgramSettings("[ImageBases]\r\nA=" + animals + ",Djur\r\n");
    FileIO& io = config.Open();
    ASSERT_EQ(1u, io.imageBases_.GetBases().size());
    EXPECT_EQ("Djur", io.imageBases_.GetBases()[0].GetName());
}

TEST(FileIOStart, VariantNameIsTheLowerCasedLastPartOfTheProgramsName)
{
    struct Case {
        const char* application;
        const char* variant;
    } cases[] = {
        {"Skarpin", "skarpin"},
        {"Skarpin.Japanese", "japanese"},
        {"Rizo.Skarpin.\xC5\xC4\xD6", "\xE5\xE4\xF6"},
    };
    for (const Case& c : cases) {
        ConfigFixture config;
        FileIOEnvironment environment = config.Environment();
        environment.applicationName = c.application;
        FileIO& io = config.Open(environment);
        EXPECT_EQ(c.variant, io.variantName_) << c.application;
        EXPECT_EQ(c.application, io.applicationName_);
        EXPECT_EQ(config.ProgramFolder() + "\\" + c.variant + ".ini", io.programSettingsFile_);
        EXPECT_EQ(config.ProgramFolder() + "\\" + c.variant + ".key", io.keyCodeTableFile_);
    }
}

TEST(FileIOStart, VersionAndDateComeFromTheProgramFile)
{
    ConfigFixture config;
    FileIO& io = config.Open();
    EXPECT_EQ("4.2.0.0", io.fileVersion_);
    EXPECT_TRUE(std::regex_match(io.fileDate_, std::regex("20[0-9][0-9]-[01][0-9]-[0-3][0-9]"))) << io.fileDate_;
}

TEST(FileIOStart, WithoutTheProgramFolderKeyTheProgramLooksBesideItsOwnFile)
{
    ConfigFixture config;
    config.WriteWindowsSettings("[Settings]\r\nFBStatus=USB\r\n");
    const std::string beside = config.Temp() / "Elsewhere";
    FileIOEnvironment environment = config.Environment();
    environment.applicationPath = beside + "\\skarpin.exe";
    FileIO& io = config.Open(environment);
    EXPECT_EQ(beside, io.programFolder_);
    EXPECT_EQ(beside + "\\skarpin.ini", io.programSettingsFile_);
    EXPECT_TRUE(fw::FolderExists(beside + "\\set"));
    // No program file there: no version and no date.
    EXPECT_EQ("", io.fileVersion_);
    EXPECT_EQ("", io.fileDate_);
}

TEST(FileIOStart, StartStringsFollowTheDefaultStart)
{
    const std::string longStart(700, 'x');
    struct Case {
        const char* name;
        std::string section;
        Strings starts;
        std::string defaultStart;
        std::string end;
    } cases[] = {
        {"none chosen", "DefaultStart=0\r\nStart1=<Win+r>\r\nEnd=<Return>\r\n", Strings(4), "", "<Return>"},
        {"no key at all", "Start1=<Win+r>\r\n", Strings(4), "", "<Paus0.5><Return>"},
        {"negative", "DefaultStart=-1\r\nStart1=<Win+r>\r\n", Strings(4), "", "<Paus0.5><Return>"},
        {"second chosen", "DefaultStart=2\r\nStart1=<Win+r>\r\nStart2=<Ctrl+Esc>r\r\nStart4=<Alt+s>\r\n",
         Strings{"<Win+r>", "<Ctrl+Esc>r", "", "<Alt+s>"}, "<Ctrl+Esc>r", "<Paus0.5><Return>"},
        {"chosen one empty", "DefaultStart=3\r\nStart1=<Win+r>\r\nStart3=\r\n",
         Strings{"<Win+r>", "", "", ""}, "", "<Paus0.5><Return>"},
        {"longer than the old buffer", "DefaultStart=1\r\nStart1=" + longStart + "\r\nEnd=" + longStart + "\r\n",
         Strings{longStart, "", "", ""}, longStart, longStart},
    };
    for (const Case& c : cases) {
        ConfigFixture config;
        config.WriteProgramSettings("[KvoraStart]\r\n" + c.section);
        FileIO& io = config.Open();
        EXPECT_EQ(c.starts, Strings(io.startStrings_.begin(), io.startStrings_.end())) << c.name;
        EXPECT_EQ(c.defaultStart, io.defaultStartString_) << c.name;
        EXPECT_EQ(c.end, io.endString_) << c.name;
    }
}

TEST(FileIOStart, VideoExtensionsSplitAtEveryComma)
{
    struct Case {
        const char* value;
        Strings pieces;
    } cases[] = {
        {"AVI,,WMV,", {"AVI", "", "WMV"}},
        {",AVI", {"", "AVI"}},
        {"MP4", {"MP4"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        ConfigFixture config;
        config.WriteWindowsSettings("[Directories]\r\nExe=" + config.ProgramFolder() + "\r\n[Defaults]\r\nVideo="
                                    + c.value + "\r\n");
        EXPECT_EQ(c.pieces, config.Open().videoExtensions_) << c.value;
    }
}

TEST(FileIOStart, ClickReferencesAreReadUpToTheFirstGap)
{
    ConfigFixture config;
    config.WriteProgramSettings("[MouseClickReferenceList]\r\n"
                                "1=P,S,C,Mitt p\xE5 sk\xE4rmen\r\n"
                                "2=xR,,3,Ordbehandlare, h\xF6ger, nere\r\n"
                                "4=P,W,2,Aldrig l\xE4st\r\n");
    FileIO& io = config.Open();
    ASSERT_EQ(2u, io.clickReferences_.size());
    const MouseClickReference& first = io.clickReferences_[0];
    EXPECT_EQ('P', first.unit_);
    EXPECT_EQ('S', first.target_);
    EXPECT_EQ('C', first.corner_);
    EXPECT_EQ("Mitt p\xE5 sk\xE4rmen", first.name_);
    // The last character of a field counts; an empty field keeps the default; the name keeps its commas.
    const MouseClickReference& second = io.clickReferences_[1];
    EXPECT_EQ('R', second.unit_);
    EXPECT_EQ('W', second.target_);
    EXPECT_EQ('3', second.corner_);
    EXPECT_EQ("Ordbehandlare, h\xF6ger, nere", second.name_);
}

TEST(FileIOStart, ClickReferenceWithoutANameEndsTheList)
{
    for (const char* second : {"P,S,C,", "P,S", ""}) {
        ConfigFixture config;
        config.WriteProgramSettings(std::string("[MouseClickReferenceList]\r\n1=R,W,1,Ett\r\n2=") + second
                                    + "\r\n3=R,W,1,Tre\r\n");
        FileIO& io = config.Open();
        ASSERT_EQ(1u, io.clickReferences_.size()) << second;
        EXPECT_EQ("Ett", io.clickReferences_[0].name_);
    }
}

TEST(MouseClickReference, ResetAndComparisonLeaveTheNameOut)
{
    MouseClickReference reference;
    reference.unit_ = 'P';
    reference.corner_ = 'C';
    reference.name_ = "Mitt";
    MouseClickReference other = reference;
    other.name_ = "Annat namn";
    EXPECT_EQ(reference, other);
    other.target_ = 'S';
    EXPECT_NE(reference, other);

    reference.Reset();
    EXPECT_EQ('R', reference.unit_);
    EXPECT_EQ('W', reference.target_);
    EXPECT_EQ('1', reference.corner_);
    EXPECT_EQ("", reference.name_);
}
