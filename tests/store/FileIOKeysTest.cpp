// Keyboard settings in ini files, the key names, the language keys, the key-code table, the key grid
// and the stored form of line breaks.
#include "ConfigFixture.h"
#include "framework/Files.h"
#include "skarpin/KeyboardSettingsCommand.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <functional>

using Row = std::array<int, FileIO::kKeyCodeColumns>;

// The writers edit a file that is there: one that has gone is not brought back as a stub holding
// only the settings, and one in another text form is not taken apart line by line.
TEST(KeyboardSettingsIni, AnEditNeverCreatesAFileNorRewritesOneItCannotRead)
{
    const std::string unicode("\xFF\xFE[\0V\0e\0r\0s\0i\0o\0n\0]\0\r\0\n\0", 22);
    const struct {
        const char* what;
        std::function<bool(const std::string&)> write;
    } writers[] = {
        {"all settings", [](const std::string& f) { return FileIO::WriteKeyboardSettings(f, KeyboardSettings()); }},
        {"signal times", [](const std::string& f) { return FileIO::WriteSignalTimes(f, 0.5f, 0.5f); }},
        {"repeat times", [](const std::string& f) { return FileIO::WriteRepeatTimes(f, 0.5f, 0.5f); }},
        {"feedback", [](const std::string& f) { return FileIO::WriteFeedback(f, 0, 0); }},
        {"one field", [](const std::string& f) {
             return WriteGroupFields(f, KeyboardGroup::kFeedback, KeyboardSettings(), GroupFields{true, false});
         }},
    };
    for (const auto& writer : writers) {
        ConfigFixture config;
        const std::string gone = config.Temp() / "Borta.ini";
        EXPECT_FALSE(writer.write(gone)) << writer.what;
        EXPECT_FALSE(fw::PathExists(gone)) << writer.what;
        const std::string other = config.Write("Unicode.ini", unicode);
        EXPECT_FALSE(writer.write(other)) << writer.what;
        EXPECT_EQ(unicode, testsupport::TempFolder::Read(other)) << writer.what;
    }
}

TEST(KeyboardSettingsIni, MissingKeysGiveTheDefaults)
{
    ConfigFixture config;
    const std::string file = config.Write("register.txt", "[KeyboardSettings]\r\nSendType=game\r\n");
    KeyboardSettings settings;
    settings.repeatDelay_ = 2.0f;
    settings.mouseCursorStep_ = 9;
    FileIO::ReadKeyboardSettings(file, settings);
    EXPECT_FLOAT_EQ(1.0f, settings.repeatDelay_);
    EXPECT_FLOAT_EQ(0.7f, settings.frequency_);
    EXPECT_FLOAT_EQ(0.0f, settings.signalDelay_);
    EXPECT_FLOAT_EQ(0.0f, settings.bounceLock_);
    EXPECT_EQ(1, settings.flashSignal_);
    EXPECT_EQ(1, settings.beepSignal_);
    EXPECT_EQ(20, settings.mouseKeyTopSpeed_);
    EXPECT_EQ(100, settings.mouseKeyAcceleration_);
    EXPECT_EQ(1, settings.mouseCursorStep_);
    EXPECT_EQ(1, settings.sendType_);
}

TEST(KeyboardSettingsIni, WrittenAndReadBackWithOneDecimal)
{
    ConfigFixture config;
    SwedishLocale swedish;
    ASSERT_EQ("0,8", SwedishLocale::PrintfDecimal());
    const std::string file = config.Write("Overlay.ini", "");
    KeyboardSettings written;
    written.repeatDelay_ = 1.5f;
    written.frequency_ = 0.75f;
    written.signalDelay_ = 0.3f;
    written.bounceLock_ = 2.0f;
    written.flashSignal_ = 0;
    written.mouseKeyTopSpeed_ = 35;
    written.sendType_ = 1;
    FileIO::WriteKeyboardSettings(file, written, "Egen");
    KeyboardSettings read;
    FileIO::ReadKeyboardSettings(file, read, "Egen");

    EXPECT_EQ("0.8", ConfigFixture::Value(file, "Egen", "Frequency"));
    EXPECT_EQ("1.5", ConfigFixture::Value(file, "Egen", "RepeatDelay"));
    EXPECT_EQ("Game", ConfigFixture::Value(file, "Egen", "SendType"));
    EXPECT_FLOAT_EQ(0.8f, read.frequency_);
    EXPECT_FLOAT_EQ(1.5f, read.repeatDelay_);
    EXPECT_FLOAT_EQ(0.3f, read.signalDelay_);
    EXPECT_FLOAT_EQ(2.0f, read.bounceLock_);
    EXPECT_EQ(0, read.flashSignal_);
    EXPECT_EQ(35, read.mouseKeyTopSpeed_);
    EXPECT_EQ(1, read.sendType_);
    EXPECT_EQ("<missing>", ConfigFixture::Value(file, "KeyboardSettings", "Frequency"));
}

TEST(KeyboardSettingsIni, PartialWritersTouchOnlyTheirKeys)
{
    ConfigFixture config;
    const std::string file = config.Write("register.txt", "[KeyboardSettings]\r\nFlashSignal=1\r\nRepeatDelay=1.0\r\n"
                                                          "SignalDelay=0.0\r\n");
    FileIO::WriteSignalTimes(file, 0.5f, 1.5f);
    EXPECT_EQ("0.5", ConfigFixture::Value(file, "KeyboardSettings", "SignalDelay"));
    EXPECT_EQ("1.5", ConfigFixture::Value(file, "KeyboardSettings", "BounceLock"));
    EXPECT_EQ("1.0", ConfigFixture::Value(file, "KeyboardSettings", "RepeatDelay"));
    FileIO::WriteRepeatTimes(file, 0.3f, 2.0f);
    EXPECT_EQ("0.3", ConfigFixture::Value(file, "KeyboardSettings", "RepeatDelay"));
    EXPECT_EQ("2.0", ConfigFixture::Value(file, "KeyboardSettings", "Frequency"));
    FileIO::WriteFeedback(file, 0, 1);
    EXPECT_EQ("0", ConfigFixture::Value(file, "KeyboardSettings", "FlashSignal"));
    EXPECT_EQ("1", ConfigFixture::Value(file, "KeyboardSettings", "BeepSignal"));
    EXPECT_EQ("0.5", ConfigFixture::Value(file, "KeyboardSettings", "SignalDelay"));
}

TEST(KeyboardSettingsIni, EqualityLooksAtTimesAndSignalsOnly)
{
    KeyboardSettings a, b;
    b.mouseKeyTopSpeed_ = 50;
    b.mouseKeyAcceleration_ = 10;
    b.mouseCursorStep_ = 4;
    b.sendType_ = 1;
    EXPECT_EQ(a, b);
    b.beepSignal_ = 0;
    EXPECT_NE(a, b);
    KeyboardSettings c;
    c.bounceLock_ = 0.1f;
    EXPECT_NE(a, c);
}

TEST(FileIOKeys, KeyNamesAreReadInTheirOrderAndCutToFourteen)
{
    ConfigFixture config;
    config.WriteProgramSettings("[KeyNames]\r\nReturn=Retur\r\nPause=Paus\r\nNum=Num\r\nEsc=Escape\r\n"
                                "Space=Mellanslagstangenten\r\n");
    FileIO& io = config.Open();
    EXPECT_EQ("Retur", io.keyNames_[FileIO::kReturn]);
    EXPECT_EQ("Paus", io.keyNames_[FileIO::kPause]);
    EXPECT_EQ("Num", io.keyNames_[FileIO::kNum]);
    EXPECT_EQ("Escape", io.keyNames_[FileIO::kEsc]);
    EXPECT_EQ("Mellanslagstan", io.keyNames_[FileIO::kSpace]);
    EXPECT_EQ("", io.keyNames_[FileIO::kBackspace]);
}

TEST(FileIOKeys, LanguageEntriesAndAltGrKeys)
{
    ConfigFixture config;
    config.WriteProgramSettings("[Language]\r\nGrave=219,0,0,1\r\nApprox=186,1,1,0\r\nStart=226,0,0\r\n"
                                "Special1=187,0,0,0,+\r\nSpecial2=221,0,0,0,\xE5\r\nSpecial3=190,0,0,0\r\n"
                                "Special4=188,0,0,0,,\r\nAltGrKey=50,51,52,55,56,57,48,187\r\n");
    FileIO& io = config.Open();
    const LanguageKey& grave = io.languageKeys_[FileIO::kGrave];
    EXPECT_TRUE(grave.Matches(219, 0, 0, 1));
    EXPECT_FALSE(grave.Matches(219, 0, 0, 0));
    EXPECT_TRUE(io.languageKeys_[FileIO::kApprox].Matches(186, 1, 1, 0));
    // A short entry gives what it holds; the rest stays 0.
    EXPECT_TRUE(io.languageKeys_[FileIO::kLanguageStart].Matches(226, 0, 0, 0));
    EXPECT_TRUE(io.languageKeys_[FileIO::kLanguageEnd].Matches(0, 0, 0, 0));
    EXPECT_EQ('+', io.languageKeys_[FileIO::kSpecial1].character_);
    EXPECT_EQ(187, io.languageKeys_[FileIO::kSpecial1].keyCode_);
    EXPECT_EQ(0xE5, io.languageKeys_[FileIO::kSpecial2].character_);
    EXPECT_EQ(190, io.languageKeys_[FileIO::kSpecial3].keyCode_);
    EXPECT_EQ(0, io.languageKeys_[FileIO::kSpecial3].character_);
    EXPECT_EQ(',', io.languageKeys_[FileIO::kSpecial4].character_);
    EXPECT_EQ(0, io.languageKeys_[FileIO::kSpecial7].keyCode_);
    const std::array<int, 25> altGr = {50, 51, 52, 55, 56, 57, 48, 187};
    EXPECT_EQ(altGr, io.altGrKeys_);
}

TEST(FileIOKeys, KeyCodeTableAcceptsBothSeparatorsAndShortLines)
{
    ConfigFixture config;
    config.Write("Program Files\\Skarpin\\skarpin.key",
                 "0, 0, 0, 0, 0, 0\r\n"
                 "\r\n"                  // an empty line fills no row
                 "1e, 0, 0, 0, 0, 0\r\n"
                 "40,AC,9F,0,0,0\r\n"    // a bare comma, upper-case digits
                 "8d, bd\r\n"            // short: the missing fields are 0
                 "40, be, 9c, bd, 1, 2, 3\r\n" // a seventh field is not read
                 "zz, 0x1F, ,7\n"        // unreadable and empty fields read 0; a bare LF ends a line as well
                 "1234567, 0, 0, 0, 0, 0\r\n");
    FileIO& io = config.Open();
    EXPECT_EQ((Row{0, 0, 0, 0, 0, 0}), io.keyCodeTable_[0]);
    EXPECT_EQ((Row{0x1e, 0, 0, 0, 0, 0}), io.keyCodeTable_[1]);
    EXPECT_EQ((Row{0x40, 0xAC, 0x9F, 0, 0, 0}), io.keyCodeTable_[2]);
    EXPECT_EQ((Row{0x8d, 0xbd, 0, 0, 0, 0}), io.keyCodeTable_[3]);
    EXPECT_EQ((Row{0x40, 0xbe, 0x9c, 0xbd, 1, 2}), io.keyCodeTable_[4]);
    EXPECT_EQ((Row{0, 0x1f, 0, 7, 0, 0}), io.keyCodeTable_[5]);
    EXPECT_EQ((Row{0x123456, 0, 0, 0, 0, 0}), io.keyCodeTable_[6]);
    EXPECT_EQ((Row{0, 0, 0, 0, 0, 0}), io.keyCodeTable_[7]);
}

TEST(FileIOKeys, KeyCodeTableReadsNoMoreThan256Rows)
{
    ConfigFixture config;
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += std::to_string(i % 100 + 1) + ", 0, 0, 0, 0, 0\r\n";
    config.Write("Program Files\\Skarpin\\skarpin.key", lines);
    FileIO& io = config.Open();
    EXPECT_EQ(0x1, io.keyCodeTable_[0][0]);
    EXPECT_EQ(0x56, io.keyCodeTable_[255][0]);
}

TEST(FileIOKeys, WithoutAKeyCodeFileEveryRowIsZero)
{
    ConfigFixture config;
    FileIO& io = config.Open();
    for (const Row& row : io.keyCodeTable_)
        EXPECT_EQ((Row{0, 0, 0, 0, 0, 0}), row);
}

TEST(KeyGrid, CellsAndRectangles)
{
    struct Case {
        int first, last;
        RECT rect;
    } cases[] = {
        {33, 2, {1, 0, 2, 2}},
        {0, 127, {0, 0, 15, 7}},
        {17, 17, {1, 1, 1, 1}},
        {15, 16, {0, 0, 15, 1}},
    };
    for (const Case& c : cases) {
        RECT rect{};
        FileIO::CellsToRect(c.first, c.last, rect);
        EXPECT_EQ(c.rect.left, rect.left) << c.first << "," << c.last;
        EXPECT_EQ(c.rect.top, rect.top) << c.first << "," << c.last;
        EXPECT_EQ(c.rect.right, rect.right) << c.first << "," << c.last;
        EXPECT_EQ(c.rect.bottom, rect.bottom) << c.first << "," << c.last;
    }
    RECT rect{1, 0, 2, 2};
    int first = -1, last = -1;
    FileIO::RectToCells(rect, first, last);
    EXPECT_EQ(1, first);
    EXPECT_EQ(34, last);
}

TEST(EscapeNewlines, BothDirections)
{
    struct Case {
        FileIO::EscapeDirection direction;
        std::string text;
        std::string result;
    } cases[] = {
        {FileIO::kForWriting, "Hej\r\nd\xE5", "Hej\\nd\xE5"},
        {FileIO::kForWriting, "a\r\n\r\nb", "a\\n\\nb"},
        {FileIO::kForWriting, "slut\r", "slut\r"},
        {FileIO::kForWriting, "ensam\nrad", "ensam\nrad"},
        {FileIO::kForWriting, "\r\r\n", "\r\\n"},
        {FileIO::kForWriting, "", ""},
        {FileIO::kForReading, "Hej\\nd\xE5", "Hej\r\nd\xE5"},
        {FileIO::kForReading, "C:\\ny\\fil", "C:\r\ny\\fil"},
        {FileIO::kForReading, "\\\\n", "\\\r\n"},
        {FileIO::kForReading, "slut\\", "slut\\"},
        {FileIO::kForReading, "\\t och \\N", "\\t och \\N"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        FileIO::EscapeNewlines(text, c.direction);
        EXPECT_EQ(c.result, text) << c.text;
        EXPECT_EQ(c.text.size(), text.size());
    }
}
