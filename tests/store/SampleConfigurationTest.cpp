// The sample configuration of the run command, read as Skarpin reads it: the key words, the Swedish
// layout's language keys, its key-code table and the speech engine.
#include "ConfigFixture.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

// The sample folder as the Windows program sees it: the Unix root is drive Z.
std::string SampleFile(const std::string& relative)
{
    std::string path = std::string("Z:") + SAMPLE_FOLDER + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

using Row = std::array<int, FileIO::kKeyCodeColumns>;

Row RowOf(const FileIO& io, char character)
{
    return io.keyCodeTable_[static_cast<unsigned char>(character)];
}

} // namespace

TEST(SampleConfiguration, GivesTheKeyWordsTheLayoutAndTheKeyCodes)
{
    ConfigFixture config;
    config.WriteProgramSettings(testsupport::TempFolder::Read(SampleFile("skarpin/skarpin.ini")));
    config.Write("Program Files\\Skarpin\\skarpin.key", testsupport::TempFolder::Read(SampleFile("skarpin/skarpin.key")));
    FileIO& io = config.Open();

    EXPECT_EQ("Return", io.keyNames_[FileIO::kReturn]);
    EXPECT_EQ("Paus", io.keyNames_[FileIO::kPause]);
    EXPECT_EQ("NumDecimal", io.keyNames_[FileIO::kNumDecimal]);
    for (const std::string& name : io.keyNames_)
        EXPECT_FALSE(name.empty());
    EXPECT_TRUE(io.languageKeys_[FileIO::kAicu].Matches(VK_OEM_4, 0, 0, 0));
    EXPECT_TRUE(io.languageKeys_[FileIO::kApprox].Matches(VK_OEM_1, 1, 1, 0));
    EXPECT_EQ(0xE5, io.languageKeys_[FileIO::kSpecial1].character_);
    EXPECT_EQ('2', io.altGrKeys_[0]);

    // Plain keys give their key byte; Shift and AltGr are held (0x40) while the key is typed.
    EXPECT_EQ((Row{0xAB, 0, 0, 0, 0, 0}), RowOf(io, '\r'));
    EXPECT_EQ((Row{0xBD, 0, 0, 0, 0, 0}), RowOf(io, ' '));
    EXPECT_EQ((Row{0x40, 0xBE, 0x83, 0, 0, 0}), RowOf(io, '@'));
    // An accented letter is its accent key, then the letter.
    EXPECT_EQ((Row{0x8D, 0x93, 0, 0, 0, 0}), RowOf(io, '\xE9'));
    for (char lower = 'a'; lower <= 'z'; ++lower) {
        const Row plain = RowOf(io, lower);
        EXPECT_EQ(0x80, plain[0] & 0x80) << lower;
        EXPECT_EQ(0, plain[1]) << lower;
        EXPECT_EQ((Row{0x40, 0xAC, plain[0], 0, 0, 0}), RowOf(io, static_cast<char>(lower - 'a' + 'A'))) << lower;
    }
    for (const char* pair : {"\xE5\xC5", "\xE4\xC4", "\xF6\xD6"})
        EXPECT_EQ((Row{0x40, 0xAC, RowOf(io, pair[0])[0], 0, 0, 0}), RowOf(io, pair[1]));
}

// A program start stored with the sample opens the run prompt first: the sample offers start
// sequences to choose from and has chosen one.
TEST(SampleConfiguration, OffersStartSequencesForAProgramStartAndHasChosenOne)
{
    ConfigFixture config;
    config.WriteProgramSettings(testsupport::TempFolder::Read(SampleFile("skarpin/skarpin.ini")));
    FileIO& io = config.Open();

    EXPECT_EQ("<Win+r><Paus1.0>", io.defaultStartString_);
    EXPECT_EQ(io.startStrings_[0], io.defaultStartString_);
    EXPECT_EQ(3, std::count_if(io.startStrings_.begin(), io.startStrings_.end(),
                               [](const std::string& start) { return !start.empty(); }));
    EXPECT_EQ("<Paus0.5><Return>", io.endString_);
}

// The sample speaks: Skarpin's speech choice offers the stand-in engine, as Morvel's sample does.
TEST(SampleConfiguration, ChoosesTheSpeechEngine)
{
    ConfigFixture config;
    config.WriteWindowsSettings(testsupport::TempFolder::Read(SampleFile("windows/skarpin.ini")));
    FileIO& io = config.Open();

    EXPECT_NE(0, io.UseAcapela());
}
