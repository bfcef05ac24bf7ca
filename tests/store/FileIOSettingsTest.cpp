// FileIO's getters against values written into the settings files, and its setters written through.
#include "ConfigFixture.h"
#include "library/IniValues.h"
#include <gtest/gtest.h>
#include <functional>

TEST(FileIOSettings, KeyboardModelFromItsWord)
{
    struct Case {
        const char* line;
        int model;
    } cases[] = {
        {"FBStatus=PS2", 0}, {"FBStatus=ps2", 0}, {"FBStatus=ACCESS", 2}, {"FBStatus=access", 2},
        {"FBStatus=USB", 1}, {"FBStatus=PS/2", 1}, {"FBStatus=", 1}, {"", 1},
    };
    ConfigFixture config;
    FileIO& io = config.Open();
    for (const Case& c : cases) {
        config.WriteWindowsSettings(std::string("[Settings]\r\n") + c.line + "\r\n");
        EXPECT_EQ(c.model, io.GetKeyboardModel()) << c.line;
    }
}

TEST(FileIOSettings, KeyboardModelIsWrittenAsItsWord)
{
    ConfigFixture config;
    FileIO& io = config.Open();
    const std::pair<int, const char*> cases[] = {{0, "PS2"}, {2, "ACCESS"}, {1, "USB"}, {5, "USB"}, {-1, "USB"}};
    for (const auto& c : cases) {
        io.SetKeyboardModel(c.first);
        EXPECT_EQ(c.second, ConfigFixture::Value(config.WindowsSettingsFile(), "Settings", "FBStatus")) << c.first;
    }
}

// Each getter, read at its call from the files as another program may have left them.
TEST(FileIOSettings, GettersReadTheFilesAtEachCall)
{
    ConfigFixture config;
    FileIO& io = config.Open();
    auto text = [](std::function<void(std::string&)> get) {
        std::string value = "unchanged";
        get(value);
        return value;
    };
    using std::placeholders::_1;
    struct Case {
        const char* name;
        std::string windowsSettings;
        std::string programSettings;
        std::function<std::string()> read;
        std::string expected;
    } cases[] = {
        {"font, long name", "[Defaults]\r\nFont=Times New Roman\r\n", "",
         [&] { return text([&](std::string& v) { io.GetDefaultFont(v); }); }, "Times New Roman"},
        {"font, missing", "", "", [&] { return text([&](std::string& v) { io.GetDefaultFont(v); }); }, ""},
        {"prefix, two characters", "[Defaults]\r\nPrefix=#!\r\n", "", [&] { return std::string(1, io.GetPrefix()); }, "#"},
        {"prefix, missing", "", "", [&] { return std::string(1, io.GetPrefix()); }, "@"},
        {"prefix, empty", "[Defaults]\r\nPrefix=\r\n", "", [&] { return std::to_string(io.GetPrefix()); }, "0"},
        {"text speaker", "[Defaults]\r\nTextSpeaker=1\r\n", "", [&] { return std::to_string(io.UseTextSpeaker()); }, "1"},
        {"text speaker, missing", "", "", [&] { return std::to_string(io.UseTextSpeaker()); }, "0"},
        {"acapela", "[Defaults]\r\nAcapela=1\r\n", "", [&] { return std::to_string(io.UseAcapela()); }, "1"},
        {"print format Letter", "", "[Settings]\r\nPrintFormat=letter\r\n", [&] { return std::to_string(io.GetPrintFormat()); }, "1"},
        {"print format A4", "", "[Settings]\r\nPrintFormat=A4\r\n", [&] { return std::to_string(io.GetPrintFormat()); }, "0"},
        {"print format missing", "", "", [&] { return std::to_string(io.GetPrintFormat()); }, "0"},
        {"default image base, long name", "", "[ImageBases]\r\nDefault=Vireda bildbas\r\n",
         [&] { return text([&](std::string& v) { io.GetDefaultImageBase(v); }); }, "Vireda bildbas"},
        {"image folder", "", "[Directories]\r\nImageDir=D:\\Bilder\\Djur\r\n",
         [&] { return text([&](std::string& v) { io.GetImageDir(v); }); }, "D:\\Bilder\\Djur"},
        {"sound folder", "", "[Directories]\r\nSoundDir=D:\\Ljud\r\n",
         [&] { return text([&](std::string& v) { io.GetSoundDir(v); }); }, "D:\\Ljud"},
        {"video folder", "", "[Directories]\r\nVideoDir=E:\\Film\r\n",
         [&] { return text([&](std::string& v) { io.GetVideoDir(v); }); }, "E:\\Film"},
        {"short command", "", "[Settings]\r\nShortKvoraCommand=1\r\n", [&] { return std::to_string(io.GetShortCommandFlag()); }, "1"},
        {"text to speech", "", "[Settings]\r\nTextToSpeech=4\r\n", [&] { return std::to_string(io.GetTextToSpeech()); }, "4"},
        {"voice", "", "[Settings]\r\nSAPIVoice=Microsoft Sam\r\n",
         [&] { return text([&](std::string& v) { io.GetSapiVoice(v); }); }, "Microsoft Sam"},
        {"current set", "", "[USB]\r\nCurrentSet=\xC5rskurs tv\xE5\r\n", [&] { return io.GetCurrentSet(); }, "\xC5rskurs tv\xE5"},
        {"current set, missing", "", "", [&] { return io.GetCurrentSet(); }, ""},
    };
    for (const Case& c : cases) {
        config.WriteWindowsSettings("[Directories]\r\nExe=" + config.ProgramFolder() + "\r\n" + c.windowsSettings);
        config.WriteProgramSettings(c.programSettings);
        EXPECT_EQ(c.expected, c.read()) << c.name;
    }
}

TEST(FileIOSettings, EmptyFolderSettingGivesTheRootOfTheCurrentDrive)
{
    ConfigFixture config;
    config.WriteProgramSettings("[Directories]\r\nImageDir=\r\n");
    FileIO& io = config.Open();
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::SetCurrentDirectoryA(config.ProgramFolder().c_str());
    std::string images, sounds;
    io.GetImageDir(images);
    io.GetSoundDir(sounds);
    ::SetCurrentDirectoryA(previous);
    const std::string root = config.ProgramFolder().substr(0, 3);
    EXPECT_EQ(root, images);
    EXPECT_EQ(root, sounds);

    // A folder of a network share lies on the share: its first three characters would be "\\s".
    const struct {
        const char* folder;
        const char* root;
    } cases[] = {
        {"D:\\Elever\\Klass 3\\Bilder", "D:\\"},
        {"D:\\", "D:\\"},
        {"\\\\server\\skola\\elever\\bilder", "\\\\server\\skola\\"},
        {"\\\\server\\skola\\", "\\\\server\\skola\\"},
        {"\\\\server\\skola", "\\\\server\\skola\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.root, FileIO::DriveRoot(c.folder)) << c.folder;
}

TEST(FileIOSettings, MarginsAndTextSpeakerSettings)
{
    ConfigFixture config;
    config.WriteWindowsSettings("[Directories]\r\nExe=" + config.ProgramFolder() + "\r\n"
                                "[HP LaserJet 4]\r\nLeftMargin=12.5\r\nTopMargin=-3\r\n");
    FileIO& io = config.Open();
    float left = 9, top = 9;
    io.GetMargins("HP LaserJet 4", left, top);
    EXPECT_FLOAT_EQ(12.5f, left);
    EXPECT_FLOAT_EQ(-3.0f, top);
    io.GetMargins("Other printer", left, top);
    EXPECT_FLOAT_EQ(0.0f, left);
    EXPECT_FLOAT_EQ(0.0f, top);

    long speed = 7, pitch = 7, volume = 7;
    EXPECT_FALSE(io.GetTextSpeakerSettings(speed, pitch, volume));
    io.SetTextSpeakerSettings(5, -3, 80);
    EXPECT_EQ("5,-3,80", ConfigFixture::Value(config.ProgramSettingsFile(), "Settings", "TextSpeakerSettings"));
    EXPECT_TRUE(io.GetTextSpeakerSettings(speed, pitch, volume));
    EXPECT_EQ(5, speed);
    EXPECT_EQ(-3, pitch);
    EXPECT_EQ(80, volume);
}

TEST(FileIOSettings, DecimalsUseAPointWhateverTheLocale)
{
    // A Swedish locale writes a decimal comma through printf; the files must not change with it.
    ConfigFixture config;
    FileIO& io = config.Open();
    float left = 0, top = 0;
    {
        SwedishLocale swedish;
        ASSERT_EQ("0,8", SwedishLocale::PrintfDecimal());
        io.SetMargins("Skrivare", 12.34f, 0.75f);
        io.GetMargins("Skrivare", left, top);
    }
    EXPECT_EQ("12.3", ConfigFixture::Value(config.WindowsSettingsFile(), "Skrivare", "LeftMargin"));
    EXPECT_EQ("0.8", ConfigFixture::Value(config.WindowsSettingsFile(), "Skrivare", "TopMargin"));
    EXPECT_FLOAT_EQ(12.3f, left);
    EXPECT_FLOAT_EQ(0.8f, top);
}

TEST(FileIOSettings, DecimalFormatAndReading)
{
    const std::pair<double, const char*> formats[] = {
        {0.0, "0.0"}, {0.75, "0.8"}, {0.7f, "0.7"}, {2, "2.0"}, {25.0, "25.0"}, {0.04, "0.0"}, {-1.25, "-1.3"}};
    for (const auto& f : formats)
        EXPECT_EQ(f.second, ini::FormatDecimal(f.first)) << f.first;
    const std::pair<const char*, double> readings[] = {
        {"0.7", 0.7}, {" 1.5", 1.5}, {"+2", 2.0}, {"-0.5", -0.5}, {"1.5 s", 1.5}, {"0,7", 0.0}, {"", 0.0}, {"abc", 0.0}};
    for (const auto& r : readings)
        EXPECT_DOUBLE_EQ(r.second, ini::ParseDecimal(r.first)) << r.first;
}

TEST(FileIOSettings, SettersWriteThroughAtOnce)
{
    ConfigFixture config;
    FileIO& io = config.Open();
    const std::string prog = config.ProgramSettingsFile();

    io.SetDefaultImageBase("Vireda bildbas");
    io.SetImageDir("D:\\Bilder");
    io.SetSoundDir("D:\\Ljud");
    io.SetVideoDir("D:\\Film");
    io.SetShortCommandFlag(1);
    io.SetTextToSpeech(4);
    io.SetSapiVoice("Microsoft Sam");
    io.SetCurrentSet("\xC5rskurs tv\xE5");
    io.SetExportDir("E:\\Export");
    io.SetImportDir("E:\\Import");

    struct Expected {
        const char* section;
        const char* key;
        const char* value;
    } written[] = {
        {"ImageBases", "Default", "Vireda bildbas"}, {"Directories", "ImageDir", "D:\\Bilder"},
        {"Directories", "SoundDir", "D:\\Ljud"},     {"Directories", "VideoDir", "D:\\Film"},
        {"Settings", "ShortKvoraCommand", "1"},     {"Settings", "TextToSpeech", "4"},
        {"Settings", "SAPIVoice", "Microsoft Sam"}, {"USB", "CurrentSet", "\xC5rskurs tv\xE5"},
        {"Directories", "ExportDir", "E:\\Export"}, {"Directories", "ImportDir", "E:\\Import"},
    };
    for (const Expected& e : written)
        EXPECT_EQ(e.value, ConfigFixture::Value(prog, e.section, e.key)) << e.key;
    EXPECT_EQ("E:\\Export", io.exportFolder_);
    EXPECT_EQ("E:\\Import", io.importFolder_);

    // Another FileIO sees them at once.
    FileIO other(config.Environment());
    std::string name;
    other.GetDefaultImageBase(name);
    EXPECT_EQ("Vireda bildbas", name);
    EXPECT_EQ(4, other.GetTextToSpeech());
    EXPECT_EQ("\xC5rskurs tv\xE5", other.GetCurrentSet());
}

TEST(FileIOSettings, ShowFlagSettersWriteOnlyTheFile)
{
    ConfigFixture config;
    FileIO& io = config.Open();
    io.SetShowStandardOverlays(1);
    io.SetShowTemplates(1);
    io.SetShowTemplateDlg(0);
    EXPECT_EQ(0, io.showStandardOverlays_);
    EXPECT_EQ(0, io.showTemplates_);
    EXPECT_EQ(1, io.showTemplateDlg_);
    const std::string prog = config.ProgramSettingsFile();
    EXPECT_EQ("1", ConfigFixture::Value(prog, "Settings", "ShowStandardOverlays"));
    EXPECT_EQ("1", ConfigFixture::Value(prog, "Settings", "ShowTemplates"));
    EXPECT_EQ("0", ConfigFixture::Value(prog, "Settings", "ShowTemplateDlg"));
}

TEST(FileIOSettings, AutoCommandIsKeptAndWritten)
{
    ConfigFixture config;
    FileIO& io = config.Open();
    AutoCommandSettings settings;
    settings.enabled_ = 1;
    settings.mode_ = AutoCommandSettings::kPictureFile;
    settings.prefix_ = "<Ctrl+o>";
    settings.suffix_ = "<Paus0.5><Return>";
    io.SetAutoCommand(settings);
    EXPECT_EQ(1, io.autoCommand_.enabled_);
    EXPECT_EQ(1, io.autoCommand_.mode_);
    EXPECT_EQ("<Ctrl+o>", io.autoCommand_.prefix_);
    const std::string prog = config.ProgramSettingsFile();
    EXPECT_EQ("1", ConfigFixture::Value(prog, "Settings", "AutoCommand"));
    EXPECT_EQ("<Ctrl+o>", ConfigFixture::Value(prog, "Settings", "AutoCommandPrefix"));
    EXPECT_EQ("<Paus0.5><Return>", ConfigFixture::Value(prog, "Settings", "AutoCommandSuffix"));
    // The on flag lives in memory only: the next start has it off.
    EXPECT_EQ(0, FileIO(config.Environment()).autoCommand_.enabled_);
}

TEST(FileIOSettings, SetDefaultStartReadsTheStartStringsAgain)
{
    ConfigFixture config;
    config.WriteProgramSettings("[KvoraStart]\r\nStart1=<Win+r>\r\nStart2=<Ctrl+Esc>r\r\n");
    FileIO& io = config.Open();
    EXPECT_EQ("", io.defaultStartString_);
    io.SetDefaultStart(2);
    EXPECT_EQ("2", ConfigFixture::Value(config.ProgramSettingsFile(), "KvoraStart", "DefaultStart"));
    EXPECT_EQ("<Ctrl+Esc>r", io.defaultStartString_);
    EXPECT_EQ("<Win+r>", io.startStrings_[0]);
    io.SetDefaultStart(0);
    EXPECT_EQ("", io.defaultStartString_);
    EXPECT_EQ("", io.startStrings_[0]);
}
