// Text macros of the AccessKvora model: the start sequence from zenthor.ini, which runs become macros,
// the identifiers, and zenthor.ini written only once the keyboard holds the set.
#include "CompilerFixture.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/IniText.h"
#include "store/SetCompileResult.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

const char* const kLongText = "Hej på dig alla barn";

} // namespace

TEST(TextMacros, ScanCodesAsKeyNumbers)
{
    const int cases[][2] = {{0x01, 110}, {0x02, 2}, {0x0D, 13}, {0x0E, 15}, {0x0F, 16}, {0x1B, 28}, {0x1C, 43},
                            {0x1E, 31}, {0x28, 41}, {0x29, 1}, {0x2C, 46}, {0x35, 55}, {0x37, 100}, {0x3A, 30},
                            {0x3B, 112}, {0x44, 121}, {0x45, 126}, {0x46, 125}, {0x47, 91}, {0x53, 104}, {0x56, 45},
                            {0x58, 123}, {0x11C, 108}, {0x138, 62}, {0x15D, 72}, {0x00, -1}, {0x54, -1}, {0x59, -1},
                            {0x100, -1}, {0x146, -1}};
    for (const auto& test : cases)
        EXPECT_EQ(test[1], FileIO::ScanCodeToKeyNumber(test[0])) << std::hex << test[0];
}

TEST(TextMacros, StartSequenceFromZenthorIni)
{
    const struct {
        const char* startKeys;
        bool infraredFile;
        int flag;
        std::string codes;
        std::string characters;
        Entries entries;
    } cases[] = {
        // The '1' key (number 2) three times; its shifted character is '!'.
        {"VK_KEY_1=49\r\n", true, 1, std::string(3, 2), "1!", {{"000", "\"1\""}, {"001", "\"!\""}}},
        {"VK_KEY_1=49\r\nVK_KEY_2=123\r\n", true, 1, {2, 123, 2}, "1!", {{"000", "\"1\""}, {"001", "\"!\""}}},
        {"VK_KEY_1=49\r\nVK_KEY_3=123\r\n", true, 1, {2, 2, 123}, "1!", {{"000", "\"1\""}, {"001", "\"!\""}}},
        // No row of the table shifts Space: only its own character.
        {"VK_KEY_1=32\r\n", true, 1, std::string(3, 61), " ", {{"000", "\" \""}}},
        // F12 types no character.
        {"VK_KEY_1=123\r\n", true, 1, std::string(3, 123), "", {}},
        // The sequence the Zenthor program knows of itself.
        {"VK_KEY_1=255\r\nVK_KEY_2=1\r\n", true, 1, std::string(3, 14), "", {}},
        // A start key without a key number, no start key, no infrared codes.
        {"VK_KEY_1=49\r\nVK_KEY_3=1\r\n", true, 0, {}, {}, {}},
        {"VK_KEY_1=1\r\n", true, 0, {}, {}, {}},
        {"VK_KEY_1=\r\n", true, 0, {}, {}, {}},
        {"VK_KEY_1=49\r\n", false, 0, {}, {}, {}},
    };
    for (const auto& test : cases) {
        CompilerFixture fixture;
        fixture.WriteZenthorIni(std::string("[StartSequence]\r\n") + test.startKeys);
        if (test.infraredFile)
            fixture.WriteInfraredCodes("");
        FileIO& io = fixture.Io();
        io.InitTextHelper();
        EXPECT_EQ(test.flag, io.zenthorFlag_) << test.startKeys;
        if (test.flag) {
            EXPECT_EQ(test.codes, io.startCodes_) << test.startKeys;
            EXPECT_EQ(test.characters, io.startCharacters_) << test.startKeys;
            EXPECT_EQ(test.entries, io.pendingMacros_) << test.startKeys;
            EXPECT_EQ("003", io.nextMacroId_) << test.startKeys;
        }
    }
}

TEST(TextMacros, LongRunsAndRunsWithAStartCharacterBecomeMacros)
{
    CompilerFixture fixture;
    fixture.EnableZenthor();
    FileIO& io = fixture.Io();
    io.InitTextHelper();
    const size_t startEntries = io.pendingMacros_.size();

    EXPECT_EQ("9F B2 B0 A1 93 A2 A3 A4 98", Hex(io.StoreTextMacro("abcdefghi")));
    EXPECT_EQ(startEntries, io.pendingMacros_.size());

    // The start sequence (key 2 three times), then the keys of '0', '0', '3'.
    EXPECT_EQ("82 82 82 8B 8B 84", Hex(io.StoreTextMacro("abcdefghij")));
    EXPECT_EQ(std::make_pair(std::string("003"), std::string("\"abcdefghij\"")), io.pendingMacros_.back());
    EXPECT_EQ("82 82 82 8B 8B 85", Hex(io.StoreTextMacro("a1")));
    EXPECT_EQ("82 82 82 8B 8B 86", Hex(io.StoreTextMacro("!")));
    EXPECT_EQ(std::make_pair(std::string("005"), std::string("\"!\"")), io.pendingMacros_.back());
}

TEST(TextMacros, ALetterKeyStartsWithTheSmallLetterItTypes)
{
    // The system names the A key by its capital; the keyboard types a with it.
    CompilerFixture fixture;
    fixture.WriteZenthorIni("[StartSequence]\r\nVK_KEY_1=65\r\n");
    fixture.WriteInfraredCodes("");
    FileIO& io = fixture.Io();
    io.InitTextHelper();
    ASSERT_EQ(1, io.zenthorFlag_);
    EXPECT_EQ(std::string(3, 31), io.startCodes_);
    // zenthor.ini holds the character as the system gives it, for the Zenthor program.
    EXPECT_EQ((Entries{{"000", "\"A\""}}), io.pendingMacros_);

    // A short text with the small letter is a macro: typed key by key, "aaa" would be the start
    // sequence itself.
    EXPECT_EQ("9F 9F 9F 8B 8B 84", Hex(io.StoreTextMacro("aaa")));
    EXPECT_EQ("9F 9F 9F 8B 8B 85", Hex(io.StoreTextMacro("Anna")));
    EXPECT_EQ("B2 B0", Hex(io.StoreTextMacro("bc")));
}

TEST(TextMacros, IdentifiersRunThroughDigitsThenLetters)
{
    CompilerFixture fixture;
    fixture.EnableZenthor();
    FileIO& io = fixture.Io();
    io.InitTextHelper();
    auto idsFrom = [&](const std::string& first, int count) {
        io.pendingMacros_.clear();
        io.nextMacroId_ = first;
        for (int i = 0; i < count; ++i)
            io.StoreTextMacro(kLongText);
        std::string ids;
        for (const auto& entry : io.pendingMacros_)
            ids += entry.first + " ";
        return ids + "next " + io.nextMacroId_;
    };
    EXPECT_EQ("008 009 00a next 00b", idsFrom("008", 3));
    EXPECT_EQ("00z 010 next 011", idsFrom("00z", 2));
    EXPECT_EQ("0zz next 100", idsFrom("0zz", 1));
    EXPECT_EQ("zzz !!! next ", idsFrom("zzz", 1));
    EXPECT_EQ("overflow", io.pendingMacros_.back().second);

    // With no identifier left a long text is typed key by key.
    const Bytes typed = io.StoreTextMacro("abcdefghij");
    EXPECT_EQ(10u, typed.size());
    EXPECT_EQ(2u, io.pendingMacros_.size());
}

TEST(TextMacros, ZenthorIniChangesOnlyWhenTheLoadIsConfirmed)
{
    CompilerFixture fixture;
    fixture.EnableZenthor();
    // Entries of an earlier, longer compile.
    const std::string before = "[StartSequence]\r\nVK_KEY_1=49\r\n[Paths]\r\n003=\"gammal\"\r\n004=\"äldre\"\r\n";
    fixture.WriteZenthorIni(before);
    fixture.MakeSet("Prat", {});
    fixture.SaveOverlay("Prat", "Hälsa", 1, {KeyBlock(0, 0, std::string(kLongText) + "<Return>"), KeyBlock(1, 1, "kort")});

    const Bytes image = fixture.Compile("Prat", FileIO::kModelAccessKvora);
    EXPECT_EQ("16 16 16 01 81 82 C5 80 83 80"
              " 02 80 81 80 80 82 82 82 8B 8B 84 AB"
              " 02 80 81 81 81 A6 99 94 95"
              " 03",
              Hex(image));
    EXPECT_EQ(before, testsupport::TempFolder::Read(fixture.ZenthorIni()));

    // Once the keyboard has the set.
    EXPECT_TRUE(fixture.Io().WriteTextMacros());
    EXPECT_EQ("[StartSequence]\r\nVK_KEY_1=49\r\n[Paths]\r\n003=\"Hej på dig alla barn\"\r\n004=\"äldre\"\r\n"
              "000=\"1\"\r\n001=\"!\"\r\n",
              testsupport::TempFolder::Read(fixture.ZenthorIni()));
    EXPECT_TRUE(fixture.Io().pendingMacros_.empty());

    // A set refused, or compiled for the PS/2 model, leaves nothing to write.
    std::vector<Block> tooMany(128, KeyBlock(0, 0, kLongText));
    fixture.SaveOverlay("Prat", "Full", 2, tooMany);
    SetCompileResult result;
    fixture.Compile("Prat", FileIO::kModelAccessKvora, &result);
    EXPECT_FALSE(result.Compiled());
    EXPECT_TRUE(fixture.Io().pendingMacros_.empty());
    fixture.Io().DeleteOverlay("Prat", "Full", 2);
    fixture.Compile("Prat", FileIO::kModelPS2);
    EXPECT_TRUE(fixture.Io().pendingMacros_.empty());
}

TEST(TextMacros, MacrosThatCannotBeWrittenWaitForTheNextTry)
{
    CompilerFixture fixture;
    fixture.EnableZenthor();
    fixture.MakeSet("Prat", {});
    fixture.SaveOverlay("Prat", "Hälsa", 1, {KeyBlock(0, 0, kLongText)});
    fixture.Compile("Prat", FileIO::kModelAccessKvora);
    const std::string ini = fixture.ZenthorIni();
    ::DeleteFileA(ini.c_str());
    ASSERT_TRUE(::CreateDirectoryA(ini.c_str(), nullptr));
    EXPECT_FALSE(fixture.Io().WriteTextMacros());
    EXPECT_EQ(3u, fixture.Io().pendingMacros_.size());
    EXPECT_EQ("Setet är laddat, men knapparnas långa texter kunde inte sparas i zenthor.ini. Ladda setet igen.",
              TextMacrosNotWrittenMessage());

    ::RemoveDirectoryA(ini.c_str());
    EXPECT_TRUE(fixture.Io().WriteTextMacros());
    EXPECT_EQ("[Paths]\r\n000=\"1\"\r\n001=\"!\"\r\n003=\"Hej på dig alla barn\"\r\n", testsupport::TempFolder::Read(ini));
}

TEST(TextMacros, WithoutTheZenthorProgramTextIsTyped)
{
    CompilerFixture fixture;
    fixture.WriteInfraredCodes("3;I5;6;Lampa;;\r\n");
    fixture.MakeSet("Prat", {});
    fixture.SaveOverlay("Prat", "Hälsa", 1, {KeyBlock(0, 0, "abcdefghij")});
    const Bytes image = fixture.Compile("Prat", FileIO::kModelAccessKvora);
    EXPECT_EQ(0, fixture.Io().zenthorFlag_);
    EXPECT_EQ("16 16 16 01 81 81 C5 80 83 80 02 80 81 80 80 9F B2 B0 A1 93 A2 A3 A4 98 A5 03", Hex(image));
}

// A key whose infrared code would be sent as nothing stops the load before anything goes out, and the
// message names the overlay and the key. A line of the code file that is left out takes only its own
// code away; the PS/2 model has no infrared at all.
TEST(TextMacros, AnInfraredCodeThatCannotBeSentStopsTheLoad)
{
    const std::string codes = "3;I5;6;Lampa;;\r\n4;G1;6;" + std::string(399, 'x') + ";16;\r\nanteckning\r\n";
    const struct {
        const char* name;
        const char* startKeys;      // zenthor.ini; null: none
        const char* codeFile;       // null: none; "": a folder under the name
        const char* command;
        int kind;
        SetCompileResult::Reason reason;
        const char* bytes;          // the block's command when compiled
    } cases[] = {
        {"code read beside an unread line", "VK_KEY_1=49", codes.c_str(), "<IR3>", FileIO::kModelAccessKvora,
         SetCompileResult::kCompiled, "49 30 35 30 36"},
        {"code on the unread line", "VK_KEY_1=49", codes.c_str(), "<IR4>", FileIO::kModelAccessKvora,
         SetCompileResult::kInfraredCodeMissing, nullptr},
        {"no such code", "VK_KEY_1=49", codes.c_str(), "a<IR9>", FileIO::kModelAccessKvora,
         SetCompileResult::kInfraredCodeMissing, nullptr},
        {"no code file", "VK_KEY_1=49", nullptr, "<IR3>", FileIO::kModelAccessKvora,
         SetCompileResult::kInfraredCodeMissing, nullptr},
        {"code file unreadable", "VK_KEY_1=49", "", "<IR3>", FileIO::kModelAccessKvora,
         SetCompileResult::kInfraredCodesUnreadable, nullptr},
        {"no start keys", nullptr, codes.c_str(), "<IR3>", FileIO::kModelAccessKvora,
         SetCompileResult::kInfraredWithoutStartKeys, nullptr},
        {"PS/2", nullptr, nullptr, "<IR3>", FileIO::kModelPS2, SetCompileResult::kCompiled, ""},
    };
    for (const auto& c : cases) {
        CompilerFixture fixture;
        if (c.startKeys)
            fixture.WriteZenthorIni(std::string("[StartSequence]\r\n") + c.startKeys + "\r\n");
        if (c.codeFile && *c.codeFile)
            fixture.WriteInfraredCodes(c.codeFile);
        if (c.codeFile && !*c.codeFile) {
            ::CreateDirectoryA((fixture.Io().programFolder_ + "\\Zenthor").c_str(), nullptr);
            ::CreateDirectoryA((fixture.Io().programFolder_ + "\\Zenthor\\ir_data.kvx").c_str(), nullptr);
        }
        fixture.MakeSet("Prat", {});
        Block labelled = KeyBlock(17, 17, c.command);
        labelled.text_ = "Tänd\r\nlampan";
        fixture.SaveOverlay("Prat", "Hälsa", 1, {KeyBlock(0, 0, "b"), labelled});
        SetCompileResult result;
        const Bytes image = fixture.Compile("Prat", c.kind, &result);
        EXPECT_EQ(c.reason, result.reason) << c.name;
        if (c.bytes) {
            // The record of the second key: 02, repeat, one range of cell 17, then its command.
            EXPECT_NE(std::string::npos, Hex(image).find(std::string("02 80 81 91 91") + (*c.bytes ? " " : "") + c.bytes))
                << c.name << ": " << Hex(image);
            continue;
        }
        EXPECT_EQ("Hälsa", result.overlayName) << c.name;
        EXPECT_EQ("\"Tänd\"", result.key) << c.name;
        const std::string message = result.Message();
        EXPECT_NE(std::string::npos, message.find("\"Hälsa\"")) << message;
        EXPECT_NE(std::string::npos, message.find("\"Tänd\"")) << message;
        EXPECT_NE(std::string::npos, message.find("<IR")) << message;
        // Nothing of a set that is not sent reaches zenthor.ini.
        EXPECT_TRUE(fixture.Io().WriteTextMacros());
    }
    // A key without a label is named by where it lies.
    EXPECT_EQ(fw::FormatResString(IDS_COMPILE_KEY_AT, 2, 2), SetCompileResult::KeyDescription("", 17));
}

TEST(TextMacros, ManyEntriesGoInAsIfSetOneByOne)
{
    const std::vector<std::string> files[] = {
        {"[StartSequence]", "VK_KEY_1=49", "[Paths]", "003=\"gammal\"", " 00A = x", "", "", "[Annat]", "k=v"},
        {"[paths]", "004=\"äldre\""},
        {"[Annat]", "k=v"},
        {},
    };
    const Entries entries = {{"000", "\"1\""}, {"003", "\"ny\""}, {"00a", "y"}, {"005", "z"}, {"005", "zz"}, {"006", ""}};
    for (const auto& lines : files) {
        IniText oneByOne(lines);
        for (const auto& entry : entries)
            oneByOne.Set("Paths", entry.first, entry.second);
        IniText many(lines);
        many.SetMany("Paths", entries);
        EXPECT_EQ(oneByOne.Text(), many.Text());
    }
}

// zenthor.ini saved "as Unicode" by a text editor is not read as if it named no start keys only to be
// written over: no text macro goes into it, and it stays as it was.
TEST(TextMacros, AZenthorIniInAnotherTextFormIsLeftAsItIs)
{
    CompilerFixture fixture;
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("[StartSequence]\r\nVK_KEY_1=49\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    fixture.WriteZenthorIni(utf16);
    fixture.WriteInfraredCodes("3;I5;6;Lampa;;\r\n");
    fixture.MakeSet("Prat", {});
    fixture.SaveOverlay("Prat", "Hälsa", 1, {KeyBlock(0, 0, kLongText)});
    SetCompileResult result;
    fixture.Compile("Prat", FileIO::kModelAccessKvora, &result);
    EXPECT_TRUE(result.Compiled());
    EXPECT_EQ(0, fixture.Io().zenthorFlag_);
    EXPECT_TRUE(fixture.Io().WriteTextMacros());
    EXPECT_EQ(utf16, testsupport::TempFolder::Read(fixture.ZenthorIni()));
}
