// The settings store: the paths it builds, the defaults, every [MVSettings] key read and written,
// copying, and the small helpers beside it.
#include "ImageBaseFiles.h"
#include "MorvelConfig.h"
#include "writer_settings/Settings.h"
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

using testsupport::IniText;

namespace {

class SettingsStore : public testing::Test {
protected:
    // A user "Anna" in the users folder of the program ini.
    std::string UserFile() const { return config.Temp() / "användare\\Anna.ini"; }
    void WriteUser(std::initializer_list<std::string> lines) const
    {
        config.Write("användare\\Anna.ini", IniText(lines));
    }
    void WriteProgramIni(std::initializer_list<std::string> lines) const
    {
        config.Write("Program Files\\Morvel\\swedish.ini", IniText(lines));
    }
    Settings UserSettings() const
    {
        Settings settings(config.Environment());
        settings.userFile_ = UserFile();
        settings.ReadUserSettings();
        return settings;
    }

    MorvelConfig config;
};

} // namespace

TEST_F(SettingsStore, BuildsThePathsOfTheConfiguration)
{
    WriteProgramIni({"[Directories]", "Users=" + config.Temp() / "användare", "Symbols=C:\\Symboler"});
    config.Write("Program Files\\Morvel\\Morvel.Swedish.old\\x.txt", "a folder whose name matches");
    config.Write("Program Files\\Morvel\\Morvel.Swedish.exe", "");

    Settings settings(config.Environment());
    EXPECT_EQ(config.MorvelIni(), settings.morvelIni_);
    EXPECT_EQ(config.ProgramFolder(), settings.programDir_);
    EXPECT_EQ(config.ProgramIni(), settings.programIni_);
    EXPECT_EQ(config.ProgramFolder() + "\\Morvel.Swedish.exe", settings.exePath_);
    EXPECT_EQ(config.Temp() / "användare", settings.usersDir_);
    EXPECT_TRUE(fw::FolderExists(settings.usersDir_)); // made when missing
    EXPECT_EQ("C:\\Symboler", settings.symbolsDir_);
    EXPECT_EQ(config.ProgramIni(), settings.imageBaseIni_); // no imgbase.swedish.ini in the Windows folder
    EXPECT_EQ("", settings.userFile_);
    EXPECT_EQ(config.ProgramIni(), settings.SettingsFile());

    config.Write("windows\\imgbase.swedish.ini", "[ImageBases]\r\n");
    EXPECT_EQ(config.WindowsFolder() + "\\imgbase.swedish.ini", Settings(config.Environment()).imageBaseIni_);
}

TEST_F(SettingsStore, WithoutAUsersFolderUsersLiveInTheProgramFolderAndNoProgramFileIsFound)
{
    Settings settings(config.Environment());
    EXPECT_EQ(config.ProgramFolder(), settings.usersDir_);
    EXPECT_EQ("", settings.exePath_);
}

TEST_F(SettingsStore, StartsWithTheBuiltInDefaults)
{
    Settings settings(config.Environment());
    EXPECT_EQ(8, settings.bkColor_);
    EXPECT_EQ(5, settings.cursorColor_);
    EXPECT_EQ(0, settings.textColor_);
    EXPECT_EQ(4, settings.caretWidth_);
    EXPECT_EQ("Arial", settings.fontName_);
    EXPECT_EQ(28, settings.fontSize_);
    EXPECT_EQ(0, settings.fontStyle_);
    for (int flag : {settings.showExitButton_, settings.showBrowseButton_, settings.showOpenButton_,
                     settings.showNewButton_, settings.showPrintButton_, settings.showInsertImageButton_,
                     settings.showLargeImageButton_, settings.showReadButton_, settings.showPauseButton_,
                     settings.showNegationButton_})
        EXPECT_EQ(1, flag);
    EXPECT_EQ(0, settings.helperMenu_);
    EXPECT_EQ(10, settings.maxNumber_);
    EXPECT_EQ(1, settings.save_);
    EXPECT_EQ(4, settings.imageSize_);
    EXPECT_EQ('@', settings.prefix_);
    EXPECT_EQ(0, settings.speechEngine_);
    EXPECT_EQ(1, settings.speakLetters_ & settings.speakWords_ & settings.speakSentences_);
    EXPECT_EQ(config.ProgramFolder() + "\\Dokument", settings.userDir_);
    EXPECT_EQ(config.ProgramFolder(), settings.imageDir_);
    EXPECT_EQ(180, settings.speakerSpeed_);
    EXPECT_EQ(50, settings.speakerVolume_);
}

TEST_F(SettingsStore, AnEmptySettingsFileReadsTheDefaultsOfEveryKey)
{
    Settings settings = UserSettings();
    EXPECT_EQ(0, settings.wtiMode_);
    EXPECT_EQ(8, settings.bkColor_);
    EXPECT_EQ(5, settings.cursorColor_);
    EXPECT_EQ(4, settings.imageSize_);
    EXPECT_EQ("Arial", settings.fontName_);
    EXPECT_EQ(28, settings.fontSize_);
    EXPECT_EQ(1, settings.showNegationButton_);
    EXPECT_EQ(1, settings.helperMenu_); // 1 when read, 0 in the built-in defaults
    EXPECT_EQ(10, settings.maxNumber_);
    EXPECT_EQ(1, settings.save_);
    EXPECT_EQ(0, settings.lastDoc_);
    EXPECT_EQ('@', settings.prefix_);
    EXPECT_EQ(0, settings.speechEngine_);
    EXPECT_EQ(0, settings.autoFillMode_);
    EXPECT_EQ(180, settings.speakerPitch_);
    // A user without a save folder saves beside its settings file.
    EXPECT_EQ(config.Temp() / "användare", settings.userDir_);
    EXPECT_EQ(settings.userDir_, settings.imageDir_);
}

TEST_F(SettingsStore, ReadsEveryKeyOfTheUserFile)
{
    const std::string longFolder = "D:\\" + std::string(140, 'm') + "\\dokument";
    WriteUser({"[MVSettings]", "WTIMode=1", "BkColor=3", "CursorColor=2", "TextColor=x7", "ImageSize=9",
               "InsertImageDlgSize=2", "Font=Comic Sans MS,14,11", "Buttons=1,0,1,1,1,0,1,1,1,1", "DeleteButton=1",
               "UserDir=" + longFolder, "ImageDir=D:\\Bilder", "DefaultImageBase=B", "MaxNumber=25", "Save=2",
               "LastDoc=1", "Prefix=#x", "TextToSpeech=4,0,1,0", "HelperMenu=0", "SAPIVoice=Anna röst",
               "TextSpeakerSettings=200,150,80"});
    Settings settings = UserSettings();
    EXPECT_EQ(1, settings.wtiMode_);
    EXPECT_EQ(3, settings.bkColor_);
    EXPECT_EQ(2, settings.cursorColor_);
    EXPECT_EQ(0, settings.textColor_); // not a number
    EXPECT_EQ(7, settings.imageSize_);
    EXPECT_EQ(2, settings.insertImageDlgSize_);
    EXPECT_EQ("Comic Sans MS", settings.fontName_);
    EXPECT_EQ(14, settings.fontSize_);
    EXPECT_EQ(11, settings.fontStyle_);
    EXPECT_EQ(0, settings.showBrowseButton_);
    EXPECT_EQ(0, settings.showReadButton_);
    EXPECT_EQ(1, settings.showInsertImageButton_);
    EXPECT_EQ(1, settings.deleteButton_);
    EXPECT_EQ(longFolder, settings.userDir_); // read whole, past 99 characters
    EXPECT_EQ("D:\\Bilder", settings.imageDir_);
    EXPECT_EQ("B", settings.defaultImageBase_);
    EXPECT_EQ(25, settings.maxNumber_);
    EXPECT_EQ(2, settings.save_);
    EXPECT_EQ(1, settings.lastDoc_);
    EXPECT_EQ('#', settings.prefix_);
    EXPECT_EQ(4, settings.speechEngine_);
    EXPECT_EQ(0, settings.speakLetters_);
    EXPECT_EQ(1, settings.speakWords_);
    EXPECT_EQ(0, settings.speakSentences_);
    EXPECT_EQ(1, settings.autoFillMode_);
    EXPECT_EQ(0, settings.helperMenu_);
    EXPECT_EQ("Anna röst", settings.sapiVoice_);
    EXPECT_EQ(200, settings.speakerSpeed_);
    EXPECT_EQ(150, settings.speakerPitch_);
    EXPECT_EQ(80, settings.speakerVolume_);
}

TEST_F(SettingsStore, ReadsThePictureSizeOnlyFromItsExactTexts)
{
    const std::pair<const char*, int> cases[] = {{"2", 0}, {"5", 3}, {"6", 4}, {"8", 6}, {"10", 8},
                                                 {"06", 4}, {"11", 4}, {"", 4}};
    for (const auto& c : cases) {
        WriteUser({"[MVSettings]", std::string("ImageSize=") + c.first});
        EXPECT_EQ(c.second, UserSettings().imageSize_) << c.first;
    }
}

TEST_F(SettingsStore, ReadsFontsAndButtonsAsFarAsTheirTextGoes)
{
    WriteUser({"[MVSettings]", "Font=Times New Roman", "Buttons=0,0"});
    Settings settings = UserSettings();
    EXPECT_EQ("Times New Roman", settings.fontName_);
    EXPECT_EQ(0, settings.fontSize_);
    EXPECT_EQ(0, settings.fontStyle_);
    // Numbers missing from the text leave their buttons as they were.
    EXPECT_EQ(0, settings.showExitButton_);
    EXPECT_EQ(0, settings.showBrowseButton_);
    EXPECT_EQ(1, settings.showOpenButton_);
    EXPECT_EQ(1, settings.showNegationButton_);
}

TEST_F(SettingsStore, TheDefaultUserSavesIntoDokumentInTheProgramFolder)
{
    Settings settings(config.Environment());
    ASSERT_FALSE(fw::FolderExists(config.ProgramFolder() + "\\Dokument"));
    settings.ReadUserSettings();
    EXPECT_EQ(config.ProgramFolder() + "\\Dokument", settings.userDir_);
    EXPECT_TRUE(fw::FolderExists(settings.userDir_));
}

TEST_F(SettingsStore, AnEmptyVoiceOfAUserTakesTheVoiceOfTheProgramIni)
{
    WriteProgramIni({"[MVSettings]", "SAPIVoice=Programmets röst"});
    WriteUser({"[MVSettings]", "SAPIVoice="});
    EXPECT_EQ("Programmets röst", UserSettings().sapiVoice_);
}

// An empty prefix would never start a content string; it reads as '@', as Skarpin reads its own.
TEST_F(SettingsStore, AnEmptyPrefixReadsAsTheAtSign)
{
    WriteUser({"[MVSettings]", "Prefix="});
    EXPECT_EQ('@', UserSettings().prefix_);
}

TEST_F(SettingsStore, WritesEveryKeyInItsOwnFormAndReadsItBackTheSame)
{
    const std::pair<int Settings::*, int> numbers[] = {
        {&Settings::wtiMode_, 1}, {&Settings::bkColor_, 2}, {&Settings::cursorColor_, 3}, {&Settings::textColor_, 4},
        {&Settings::imageSize_, 8}, {&Settings::insertImageDlgSize_, 1}, {&Settings::fontSize_, 36},
        {&Settings::fontStyle_, 10}, {&Settings::showPrintButton_, 0}, {&Settings::showInsertImageButton_, 0},
        {&Settings::showPauseButton_, 0}, {&Settings::showLargeImageButton_, 1}, {&Settings::deleteButton_, 1},
        {&Settings::maxNumber_, 30}, {&Settings::save_, 0}, {&Settings::lastDoc_, 1}, {&Settings::speechEngine_, 4},
        {&Settings::speakWords_, 0}, {&Settings::helperMenu_, 0}};
    const std::pair<std::string Settings::*, const char*> texts[] = {
        {&Settings::fontName_, "Comic Sans MS"}, {&Settings::userDir_, "D:\\Dokument\\Anna"},
        {&Settings::imageDir_, "D:\\Bilder"}, {&Settings::defaultImageBase_, "C"}, {&Settings::sapiVoice_, "Röst"}};
    const std::pair<long Settings::*, long> speaker[] = {
        {&Settings::speakerSpeed_, 120}, {&Settings::speakerPitch_, 90}, {&Settings::speakerVolume_, 70}};

    WriteUser({"[MVSettings]", "Prefix=#"});
    Settings written = UserSettings();
    for (const auto& number : numbers)
        written.*number.first = number.second;
    for (const auto& text : texts)
        written.*text.first = text.second;
    for (const auto& value : speaker)
        written.*value.first = value.second;
    written.prefix_ = '%';
    ASSERT_TRUE(written.WriteUserSettings());

    const std::pair<const char*, const char*> keys[] = {
        {"WTIMode", "1"}, {"ImageSize", "10"}, {"Font", "Comic Sans MS,36,10"},
        // Exit, Browse, Open, New, Print, Read, Pause, Large picture, Insert picture, Negation.
        {"Buttons", "1,1,1,1,0,1,0,1,0,1"}, {"TextToSpeech", "4,1,0,1"}, {"TextSpeakerSettings", "120,90,70"},
        {"HelperMenu", "0"}, {"UserDir", "D:\\Dokument\\Anna"},
        // Never written: a prefix set by hand survives every save.
        {"Prefix", "#"}, {"DefaultPrinter", "<missing>"}};
    for (const auto& key : keys)
        EXPECT_EQ(key.second, MorvelConfig::Value(UserFile(), "MVSettings", key.first)) << key.first;

    const Settings read = UserSettings();
    for (const auto& number : numbers)
        EXPECT_EQ(number.second, read.*number.first) << "number " << (&number - numbers);
    for (const auto& text : texts)
        EXPECT_EQ(text.second, read.*text.first);
    for (const auto& value : speaker)
        EXPECT_EQ(value.second, read.*value.first);
    EXPECT_EQ('#', read.prefix_);
}

TEST_F(SettingsStore, TheDefaultUserWritesIntoTheProgramIniBesideItsOtherSections)
{
    WriteProgramIni({"[Directories]", "Users=" + config.Temp() / "användare", "[MVSettings]", "DefaultPrinter=Skrivare"});
    Settings settings(config.Environment());
    settings.maxNumber_ = 12;
    ASSERT_TRUE(settings.WriteUserSettings());
    EXPECT_EQ("12", MorvelConfig::Value(config.ProgramIni(), "MVSettings", "MaxNumber"));
    EXPECT_EQ("Skrivare", MorvelConfig::Value(config.ProgramIni(), "MVSettings", "DefaultPrinter"));
    EXPECT_EQ(config.Temp() / "användare", MorvelConfig::Value(config.ProgramIni(), "Directories", "Users"));
}

// Writing used to report success whatever happened; the users dialog then went on as if it was saved.
TEST_F(SettingsStore, WritingReportsASettingsFileThatCannotBeWritten)
{
    Settings settings(config.Environment());
    settings.userFile_ = config.Temp() / "saknas\\Anna.ini";
    EXPECT_FALSE(settings.WriteUserSettings());
    EXPECT_FALSE(settings.WriteTextSpeakerSettings(1, 2, 3));
}

// The ini calls create the file they write into: a settings file that went away while it was edited
// came back as a stub of the written keys alone.
TEST_F(SettingsStore, AnEditNeverCreatesASettingsFileThatWasReadAndHasGone)
{
    WriteProgramIni({"[Directories]", "Users=" + config.Temp() / "användare", "[MVSettings]", "MaxNumber=4"});
    WriteUser({"[MVSettings]", "MaxNumber=5"});
    Settings anna = UserSettings();
    Settings standard(config.Environment());
    standard.ReadUserSettings();
    for (Settings* settings : {&anna, &standard}) {
        const std::string file = settings->SettingsFile();
        EXPECT_FALSE(settings->FileGone()) << file;
        ASSERT_TRUE(::DeleteFileA(file.c_str())) << file;
        EXPECT_TRUE(settings->FileGone()) << file;
        EXPECT_FALSE(settings->WriteUserSettings()) << file;
        EXPECT_FALSE(settings->WriteTextSpeakerSettings(1, 2, 3)) << file;
        EXPECT_TRUE(fw::IsAbsent(file)) << file;
    }

    // A file that was not there when read is written fresh, as the first settings of a user.
    Settings fresh = UserSettings();
    EXPECT_FALSE(fresh.FileGone());
    fresh.maxNumber_ = 7;
    ASSERT_TRUE(fresh.WriteUserSettings());
    EXPECT_EQ("7", MorvelConfig::Value(UserFile(), "MVSettings", "MaxNumber"));
}

// A new user's settings file is made new: a file standing under its name is never written into.
TEST_F(SettingsStore, ANewSettingsFileIsCreatedOnlyWhereNoFileStands)
{
    Settings settings(config.Environment());
    settings.userFile_ = UserFile();
    settings.maxNumber_ = 7;
    config.Write("användare\\Anna.ini", "[MVSettings]\r\nMaxNumber=5\r\n");
    EXPECT_EQ(fw::NewFile::Taken, settings.CreateUserSettings());
    EXPECT_EQ("[MVSettings]\r\nMaxNumber=5\r\n", testsupport::TempFolder::Read(UserFile()));

    ASSERT_TRUE(::DeleteFileA(UserFile().c_str()));
    ASSERT_EQ(fw::NewFile::Created, settings.CreateUserSettings());
    EXPECT_EQ("7", MorvelConfig::Value(UserFile(), "MVSettings", "MaxNumber"));
    // Once made, it is the file edited: gone, it is not made again by a later write.
    ASSERT_TRUE(::DeleteFileA(UserFile().c_str()));
    EXPECT_FALSE(settings.WriteUserSettings());
    EXPECT_TRUE(fw::IsAbsent(UserFile()));

    settings.userFile_ = config.Temp() / "saknas\\Anna.ini";
    EXPECT_EQ(fw::NewFile::Failed, settings.CreateUserSettings());
}

TEST_F(SettingsStore, ReadsTheTextSpeakerNumbersOnlyFromAStoredText)
{
    long speed = 1, pitch = 2, volume = 3;
    WriteUser({"[MVSettings]", "TextSpeakerSettings="});
    Settings settings = UserSettings();
    EXPECT_FALSE(settings.ReadTextSpeakerSettings(speed, pitch, volume));
    EXPECT_EQ(1, speed);
    EXPECT_EQ(3, volume);

    WriteUser({"[MVSettings]", "TextSpeakerSettings=10,20"});
    EXPECT_TRUE(settings.ReadTextSpeakerSettings(speed, pitch, volume));
    EXPECT_EQ(10, speed);
    EXPECT_EQ(20, pitch);
    EXPECT_EQ(3, volume);

    ASSERT_TRUE(settings.WriteTextSpeakerSettings(-5, 0, 100));
    EXPECT_EQ("-5,0,100", MorvelConfig::Value(UserFile(), "MVSettings", "TextSpeakerSettings"));
}

TEST_F(SettingsStore, CopiesValuesButNotThePathsOrTheDefaultBase)
{
    WriteUser({"[MVSettings]", "BkColor=1", "Font=Verdana,40,1", "UserDir=D:\\Anna", "ImageDir=D:\\Bilder",
               "DefaultImageBase=K", "TextToSpeech=1,0,0,0", "SAPIVoice=Röst", "Buttons=0,0,0,0,0,0,0,0,0,0"});
    const Settings source = UserSettings();

    Settings values(config.Environment());
    values.CopyValues(source);
    EXPECT_EQ(1, values.bkColor_);
    EXPECT_EQ("Verdana", values.fontName_);
    EXPECT_EQ(40, values.fontSize_);
    EXPECT_EQ(0, values.showNegationButton_);
    EXPECT_EQ("D:\\Anna", values.userDir_);
    EXPECT_EQ("D:\\Bilder", values.imageDir_);
    EXPECT_EQ(1, values.speechEngine_);
    EXPECT_EQ(1, values.autoFillMode_);
    EXPECT_EQ("Röst", values.sapiVoice_);
    EXPECT_EQ("", values.defaultImageBase_);
    EXPECT_EQ("", values.userFile_);

    Settings all(config.Environment());
    all.CopyFrom(source);
    EXPECT_EQ(UserFile(), all.userFile_);
    EXPECT_EQ("D:\\Anna", all.userDir_);
    EXPECT_EQ("", all.defaultImageBase_);
}

TEST(SettingsHelpers, GiveTheColourOfEachIndex)
{
    const std::pair<int, COLORREF> cases[] = {{0, 0x000000}, {1, 0x00007F}, {2, 0x007F00}, {3, 0xFF0000},
                                              {4, 0x7F7F7F}, {5, 0x0000FF}, {6, 0x00FFFF}, {7, 0xFF00FF},
                                              {8, 0xFFFFFF}, {9, 0x000000}, {-1, 0x000000}};
    for (const auto& c : cases)
        EXPECT_EQ(c.second, Settings::ColorFromIndex(c.first)) << c.first;
}

TEST(SettingsHelpers, CutTheTitleOfAPath)
{
    struct Case {
        const char* path;
        bool dropExtension;
        const char* title;
    } const cases[] = {{"C:\\mapp\\fil.txt", false, "fil.txt"}, {"C:\\mapp\\fil.txt", true, "fil"},
                       {"fil.en.txt", true, "fil.en"}, {"C:\\mapp.d\\fil", true, "fil"}, {"", true, "oförändrad"}};
    for (const Case& c : cases) {
        std::string title = "oförändrad";
        Settings::FileTitleFromPath(c.path, title, c.dropExtension);
        EXPECT_EQ(c.title, title) << c.path;
    }
}

TEST_F(SettingsStore, ResolvesAShellLinkToItsTarget)
{
    const std::string target = config.Write("Program Files\\Morvel\\Morvel.Swedish.exe", "");
    const std::string link = config.Temp() / "Anna.lnk";
    {
        IShellLinkA* shellLink = nullptr;
        ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                                 reinterpret_cast<void**>(&shellLink))));
        shellLink->SetPath(target.c_str());
        IPersistFile* file = nullptr;
        ASSERT_TRUE(SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
        wchar_t widePath[MAX_PATH];
        ::MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, widePath, MAX_PATH);
        EXPECT_TRUE(SUCCEEDED(file->Save(widePath, TRUE)));
        file->Release();
        shellLink->Release();
    }
    EXPECT_EQ(target, Settings::ResolveShortcut(nullptr, link));
    EXPECT_EQ("", Settings::ResolveShortcut(nullptr, config.Write("inte en länk.lnk", "skräp")));
    EXPECT_EQ("", Settings::ResolveShortcut(nullptr, config.Temp() / "saknas.lnk"));
}
