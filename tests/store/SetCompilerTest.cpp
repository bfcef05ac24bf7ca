// The set compiler: the image of whole sets byte for byte, overlay headers, block commands in the tag
// syntax, infrared codes and what the image cannot hold.
#include "CompilerFixture.h"
#include "store/SetCompileResult.h"
#include <gtest/gtest.h>

namespace {

// Each overlay of the order tests holds one block on cell 0 typing 'a'.
const char* const kOneKey = "Block1=1,0,0,0,a\r\n";
const char* const kOneKeyRecord = "02 80 81 80 80 9F";

} // namespace

TEST(SetCompiler, EmptySetIsTheSyncAloneAndSendsWithItsTrailer)
{
    CompilerFixture fixture;
    fixture.MakeSet("Tom", {});
    const Bytes image = fixture.Compile("Tom");
    EXPECT_EQ("16 16 16", Hex(image));
    // 4 + 0x03 = 7; 256 - 7 = 0xF9.
    EXPECT_EQ("16 16 16 03 F9 04", Hex(fixture.CompileAsSent("Tom")));
    // No set at all compiles nothing: the image stays as it was.
    EXPECT_EQ("", Hex(fixture.Compile("")));
}

TEST(SetCompiler, OneBlockSetByteForByte)
{
    CompilerFixture fixture;
    fixture.MakeSet("Ett", {});
    fixture.SaveOverlay("Ett", "Knapp", 1, {KeyBlock(0, 17, "a", 1)});
    const Bytes image = fixture.Compile("Ett");
    // Header: overlay 1, one block, Frequency 0.7 and RepeatDelay 1.0, no signal delay or bounce lock,
    // flash and beep. Block: repeat, one range from cell 0 to cell 17, the key of 'a'.
    EXPECT_EQ("16 16 16 01 81 81 C5 80 83 80 02 81 81 80 91 9F 03", Hex(image));
    // The bytes after the sync through the trailer's 0x03 sum to 0x605; with the 4 of the end, 0x609:
    // 256 - 0x09 = 0xF7.
    EXPECT_EQ("16 16 16 01 81 81 C5 80 83 80 02 81 81 80 91 9F 03 03 F7 04", Hex(fixture.CompileAsSent("Ett")));

    // Without the repeat flag on one cell the sum is 0x5F3, with the 4 0x5F7: 256 - 0xF7 = 0x09 falls
    // below 0x30, so 0x7F goes first and the checksum is 0x09 - 0x7F = 0x8A (modulo 256).
    fixture.SaveOverlay("Ett", "Knapp", 1, {KeyBlock(0, 0, "a")});
    EXPECT_EQ("16 16 16 01 81 81 C5 80 83 80 02 80 81 80 80 9F 03 03 7F 8A 04", Hex(fixture.CompileAsSent("Ett")));
}

TEST(SetCompiler, HeaderHoldsNumberCountTimingAndFeedback)
{
    auto header = [](int number, int count, float repeat, float frequency, float signal, float bounce, int flash,
                     int beep) {
        KeyboardSettings settings;
        settings.repeatDelay_ = repeat;
        settings.frequency_ = frequency;
        settings.signalDelay_ = signal;
        settings.bounceLock_ = bounce;
        settings.flashSignal_ = flash;
        settings.beepSignal_ = beep;
        SetImage image;
        FileIO::AppendOverlayHeader(number, count, settings, image);
        return Hex(image.Bytes());
    };
    EXPECT_EQ("01 85 8C D4 87 83 80", header(5, 12, 0.7f, 1.0f, 0.0f, 2.0f, 1, 1));
    EXPECT_EQ("01 FF FF 80 80 81 80", header(127, 127, 0.0f, 0.0f, 0.0f, 0.0f, 1, 0));
    EXPECT_EQ("01 E5 80 80 80 82 80", header(101, 0, 0.0f, 0.0f, 0.0f, 0.0f, 0, 1));

    // Each time falls to the step at or below it, compared at one decimal.
    const struct {
        float seconds;
        int index;
    } steps[] = {{0.0f, 0}, {0.05f, 1}, {0.1f, 1}, {0.2f, 1}, {0.3f, 2}, {0.4f, 2}, {0.5f, 3}, {0.6f, 3},
                 {0.7f, 4}, {0.69f, 4}, {0.9f, 4}, {1.0f, 5}, {1.4f, 5}, {1.5f, 6}, {1.9f, 6}, {2.0f, 7},
                 {9.9f, 7}};
    for (const auto& step : steps) {
        const Bytes byte3 = {static_cast<std::uint8_t>(0x80 | step.index << 4 | step.index)};
        const Bytes byte4 = {static_cast<std::uint8_t>(0x80 | step.index)};
        EXPECT_EQ("01 81 81 " + Hex(byte3) + " " + Hex(byte4) + " 80 80",
                  header(1, 1, step.seconds, step.seconds, 0.0f, step.seconds, 0, 0))
            << step.seconds;
    }
}

TEST(SetCompiler, TagsAndTextAsKeyBytes)
{
    CompilerFixture fixture;
    const struct {
        const char* command;
        const char* bytes;
    } cases[] = {
        {"<Return>", "AB"},
        {"<Ctrl+Alt+Delete>", "40 BA 40 BC CC"},
        // With a modifier the letter is its key: Ctrl and C is Ctrl with the key of 'c'.
        {"<Ctrl+C>", "40 BA B0"},
        {"<Ctrl+Shift+Å>", "40 BA 40 AC 9B"},
        {"<Shift+Tab>", "40 AC 90"},
        {"<Alt+F4>", "40 BC F3"},
        {"<Win>", "C7"},
        {"<F12>", "FB"},
        {"<Num+>", "EA"},
        {"<Ctrl+Num+>", "40 BA EA"},
        {"<Ctrl+1>", "40 BA 82"},
        // Modifiers are named in any case, and each is its key ("<WIN+R>" is the Win key with r).
        {"<WIN+R>", "40 C7 94"},
        {"<win+r>", "40 C7 94"},
        {"<ctrl+c>", "40 BA B0"},
        {"<Ctrl+SHIFT+Tab>", "40 BA 40 AC 90"},
        // A character typed with Shift or AltGr is its whole row, the hold marks with it.
        {"<Ctrl+?>", "40 BA 40 AC 8C"},
        {"<?>", "40 AC 8C"},
        {"<Ctrl+Alt+@>", "40 BA 40 BC 40 BE 83"},
        // The keyboard has no Pause key: the pause word alone is a pause of nothing.
        {"<Paus>", "30 30"},
        {"<Ctrl+Paus>", "40 BA 30 30"},
        {"<Paus0.5>", "30 35"},
        {"<Paus1.6>", "31 30"},
        {"<Paus1.5>", "30 66"},
        {"<Paus25.0>", "66 61"},
        {"<Paus0.0>", "30 30"},
        // Words that name no key leave a 0, words are compared with their case, and mouse tags are
        // the USB driver program's alone.
        {"<Okänd>", "00"},
        {"<return>", "00"},
        {"<Mouse Click L 1X>", "00"},
        // At most three words; empty words drop out.
        {"<a+b+c+d>", "40 9F 40 B2 B0"},
        {"<Ctrl+>", "BA"},
        {"<>", ""},
        {"<+>", ""},
        {"<Return", "AB"},
        // Text key by key through the key-code table, the letters above 0x7F too.
        {"Hej", "40 AC A4 93 A5"},
        {"åäö", "9B A9 A8"},
        {"a<Return>b", "9F AB B2"},
        // Infrared codes only on the AccessKvora model.
        {"<IR3>", ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(test.bytes, Hex(fixture.CommandBytes(test.command))) << test.command;
}

TEST(SetCompiler, WithoutAPauseWordNoWordIsAPause)
{
    CompilerFixture fixture;
    fixture.Io().keyNames_[FileIO::kPause].clear();
    EXPECT_EQ("40 BA 86", Hex(fixture.CommandBytes("<Ctrl+5>")));
    EXPECT_EQ("86", Hex(fixture.CommandBytes("<5>")));
    EXPECT_EQ("00", Hex(fixture.CommandBytes("<0.5>")));
}

TEST(SetCompiler, EveryPauseKeepsItsTenths)
{
    CompilerFixture fixture;
    for (int tenths = 1; tenths <= 255; ++tenths) {
        const std::string command = "<Paus" + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + ">";
        char digits[8];
        std::snprintf(digits, sizeof(digits), "%02x", tenths);
        EXPECT_EQ(Hex(Ascii(digits)), Hex(fixture.CommandBytes(command))) << command;
    }
}

TEST(SetCompiler, ProgramPathOfAProgramStartGoesInQuotes)
{
    CompilerFixture fixture;
    fixture.Io().defaultStartString_ = "<Win+r>";
    const Bytes winR = FromHex("40 C7 94");
    const Bytes pauseReturn = FromHex("30 35 AB");
    const struct {
        const char* command;
        Bytes bytes;
    } cases[] = {
        {"<Win+r>notepad.exe<Paus0.5><Return>", winR + fixture.KeyCodes("\"notepad.exe\"") + pauseReturn},
        {"<Win+r>C:\\Prog\\ord.exe brev.doc<Paus0.5><Return>",
         winR + fixture.KeyCodes("\"C:\\Prog\\ord.exe\" brev.doc") + pauseReturn},
        // The start string in another case; a blank after a dot inside a folder name.
        {"<WIN+R>C:\\App 2.0 x\\prog.exe fil.txt<Return>",
         winR + fixture.KeyCodes("\"C:\\App 2.0 x\\prog.exe\" fil.txt") + FromHex("AB")},
        // A file in a folder of its own, relative or under a variable.
        {"<Win+r>C:\\Windows\\notepad.exe Dokument\\brev.txt<Paus0.5><Return>",
         winR + fixture.KeyCodes("\"C:\\Windows\\notepad.exe\" Dokument\\brev.txt") + pauseReturn},
        {"<Win+r>%WINDIR%\\notepad.exe %USERPROFILE%\\brev.txt<Paus0.5><Return>",
         winR + fixture.KeyCodes("\"%WINDIR%\\notepad.exe\" %USERPROFILE%\\brev.txt") + pauseReturn},
        {"<Win+r>prog", winR + fixture.KeyCodes("\"prog\"")},
        // Not a program start: the start string comes later.
        {"hej <Win+r>", fixture.KeyCodes("hej ") + winR},
    };
    for (const auto& test : cases)
        EXPECT_EQ(Hex(test.bytes), Hex(fixture.CommandBytes(test.command))) << test.command;
    EXPECT_EQ("40 AC 83", Hex(fixture.KeyCodes("\""))) << "the quote is Shift with the 2 key";
}

TEST(SetCompiler, InfraredCodesAndTheHeldValue)
{
    CompilerFixture fixture;
    // Slot 3 a learned code held while the key is (254), 4 a RavikLink code sent by its text's
    // number, 5 a security code held too, 6 a value two digits cannot hold.
    fixture.EnableZenthor("3;I5;254;Lampa;;\r\n4;G2;6;Radio;16;\r\n5;X0;254;Lås;4095;\r\n6;I7;300;Stor;;\r\n");
    fixture.Io().InitTextHelper();
    ASSERT_EQ(1, fixture.Io().zenthorFlag_);
    const struct {
        const char* command;
        Bytes bytes;
    } cases[] = {
        {"<IR3>", Ascii("I05FE")},
        {"<IR4>", Ascii("G1006")},
        {"<IR5>", Ascii("X00FE")},
        // Anything after a held code makes it a timed one; the bytes after it stay as they are.
        {"<IR3>x", Ascii("I0506") + Bytes{0xAF}},
        {"<IR3+Return>x", Bytes{0x40} + Ascii("I0506") + Bytes{0xAB, 0xAF}},
        {"<IR3+Return>", Bytes{0x40} + Ascii("I0506") + Bytes{0xAB}},
        // Only the block's first held code may hold.
        {"<IR3><IR5>", Ascii("I0506X0006")},
        {"<IR0>", Bytes{}},
        {"<IR9>", Bytes{}},
        {"<IR6>", Bytes{}},
    };
    for (const auto& test : cases)
        EXPECT_EQ(Hex(test.bytes), Hex(fixture.CommandBytes(test.command))) << test.command;
    // Each block starts afresh.
    EXPECT_EQ(Hex(Ascii("I05FE")), Hex(fixture.CommandBytes("<IR3>")));
}

TEST(SetCompiler, SetOverlaysInRegisterOrderThenStandardOverlaysByNumber)
{
    CompilerFixture fixture;
    const std::string setSettings =
        "FlashSignal=0\r\nBeepSignal=1\r\nFrequency=1.5\r\nRepeatDelay=0.3\r\nSignalDelay=0.5\r\nBounceLock=0.1\r\n";
    fixture.MakeSet("Skola", {{3, "Tre"}, {1, "Ett"}}, setSettings);
    fixture.WriteOverlayFile("Skola", "Tre", kOneKey);
    fixture.WriteOverlayFile("Skola", "Ett", kOneKey, "RepeatDelay=0.1\r\n");
    fixture.MakeSet("Standard", {{127, "Sist"}, {101, "Först"}, {101, "Dubbel"}});
    fixture.WriteOverlayFile("Standard", "Sist", kOneKey);
    fixture.WriteOverlayFile("Standard", "Först", kOneKey, "RepeatDelay=2.0\r\n");
    fixture.WriteOverlayFile("Standard", "Dubbel", std::string(kOneKey) + "Block2=1,1,1,0,b\r\n");
    fixture.MakeSet("Mallar", {});

    const std::string record = std::string(" ") + kOneKeyRecord + " 03";
    // The set's overlays each with its own settings; the standard overlays with the set's.
    EXPECT_EQ("16 16 16"
              " 01 83 81 C5 80 83 80" + record +
              " 01 81 81 C1 80 83 80" + record +
              " 01 E5 81 E2 B1 82 80" + record +
              " 01 FF 81 E2 B1 82 80" + record,
              Hex(fixture.Compile("Skola")));
    // The standard set and the templates set send only the standard overlays, with default settings.
    const std::string standardOnly = "16 16 16"
                                     " 01 E5 81 C5 80 83 80" + record +
                                     " 01 FF 81 C5 80 83 80" + record;
    EXPECT_EQ(standardOnly, Hex(fixture.Compile("standard")));
    EXPECT_EQ(standardOnly, Hex(fixture.Compile("Mallar")));
}

TEST(SetCompiler, RefusesWhatTheImageCannotHold)
{
    CompilerFixture fixture;
    fixture.MakeSet("Stor", {});
    std::vector<Block> everyCell;
    for (int cell = 0; cell < 128; ++cell)
        everyCell.push_back(KeyBlock(cell, cell, "a"));

    // 127 blocks are the most an overlay can number.
    fixture.SaveOverlay("Stor", "Nästan full", 2, std::vector<Block>(everyCell.begin(), everyCell.end() - 1));
    SetCompileResult result;
    Bytes image = fixture.Compile("Stor", FileIO::kModelPS2, &result);
    EXPECT_TRUE(result.Compiled());
    EXPECT_EQ(0, result.MessageId());
    EXPECT_EQ("16 16 16 01 82 FF", Hex(Bytes(image.begin(), image.begin() + 6)));

    fixture.SaveOverlay("Stor", "Full", 3, everyCell);
    fixture.Compile("Stor", FileIO::kModelPS2, &result);
    EXPECT_EQ(SetCompileResult::kTooManyBlocks, result.reason);
    EXPECT_EQ("Full", result.overlayName);
    EXPECT_EQ(3, result.overlayNumber);
    EXPECT_EQ(128, result.count);
    EXPECT_EQ("Överlägget \"Full\" har 128 knappar. Rizovuvuri kan ta emot högst 127 knappar på ett överlägg. "
              "Ta bort några knappar och ladda setet igen.",
              result.Message());

    Block allRanges = KeyBlock(0, 0, "a");
    allRanges.cells_.clear();
    for (const Block& cell : everyCell)
        allRanges.cells_.push_back(cell.cells_[0]);
    fixture.SaveOverlay("Stor", "Full", 3, {allRanges});
    fixture.Compile("Stor", FileIO::kModelPS2, &result);
    EXPECT_EQ(SetCompileResult::kTooManyRanges, result.reason);
    EXPECT_EQ(128, result.count);
    EXPECT_NE(std::string::npos, result.Message().find("\"Full\" består av 128 områden"));

    // A hand-edited cell outside the grid: the reader cannot take the line, so the block would be missing.
    fixture.WriteOverlayFile("Stor", "Full", "Block1=1,0,130,0,a\r\n");
    fixture.Compile("Stor", FileIO::kModelPS2, &result);
    EXPECT_EQ(SetCompileResult::kUnreadable, result.reason);
    EXPECT_EQ("Full", result.overlayName);
    EXPECT_NE(std::string::npos, result.Message().find("\"Full\" kunde inte läsas helt"));

    // The standard overlays are checked the same way.
    fixture.WriteOverlayFile("Stor", "Full", kOneKey);
    fixture.MakeSet("Standard", {{110, "Trasig"}});
    fixture.WriteOverlayFile("Standard", "Trasig", "Block1=x\r\n");
    fixture.Compile("Stor", FileIO::kModelPS2, &result);
    EXPECT_EQ(SetCompileResult::kUnreadable, result.reason);
    EXPECT_EQ("Trasig", result.overlayName);
    EXPECT_EQ(110, result.overlayNumber);
}

TEST(SetCompiler, AKeySectionEndsAtItsFirstEmptyLineAsTheStoreReadsIt)
{
    CompilerFixture fixture;
    fixture.MakeSet("Skola", {{1, "Ett"}});
    const struct {
        const char* keyLines;
        size_t shown;       // the blocks the store shows
        const char* image;  // the overlay in the image: header and block records
    } cases[] = {
        // What follows the empty line is never read, by the store or by the keyboard's driver.
        {"Block1=1,0,0,0,a\r\n\r\nBlock2=1,1,1,0,b\r\n", 1, "01 81 81 C5 80 83 80 02 80 81 80 80 9F 03"},
        // A second key section: the first is read.
        {"Block1=1,0,0,0,a\r\n[Data]\r\nBlock2=1,1,1,0,b\r\n", 1, "01 81 81 C5 80 83 80 02 80 81 80 80 9F 03"},
        {"\r\nBlock1=1,0,0,0,a\r\n", 0, "01 81 80 C5 80 83 80 03"},
    };
    for (const auto& test : cases) {
        fixture.WriteOverlayFile("Skola", "Ett", test.keyLines);
        std::vector<Block> keys;
        std::vector<Block> background;
        KeyboardSettings settings;
        fixture.Io().LoadOverlay(fixture.Io().OverlayPath("Skola", "Ett"), keys, background, settings);
        EXPECT_EQ(test.shown, keys.size()) << test.keyLines;

        SetCompileResult result;
        const Bytes image = fixture.Compile("Skola", FileIO::kModelPS2, &result);
        EXPECT_TRUE(result.Compiled()) << test.keyLines;
        EXPECT_EQ(0, result.MessageId()) << "nothing is reported";
        EXPECT_EQ(std::string("16 16 16 ") + test.image, Hex(image)) << test.keyLines;
    }
}

TEST(SetCompiler, BlocksOutsideTheGridAreRefused)
{
    const RECT outside[] = {{0, 0, 16, 0}, {0, 7, 0, 8}, {-1, 0, 0, 0}, {3, 0, 2, 0}};
    for (const RECT& range : outside) {
        Block block;
        block.cells_ = {RECT{0, 0, 0, 0}, range};
        SetCompileResult result = FileIO::CheckKeyBlocks({KeyBlock(5, 5, "a"), block});
        EXPECT_EQ(SetCompileResult::kCellOutsideGrid, result.reason) << range.left << "," << range.top;
        result.overlayName = "Sned";
        EXPECT_NE(std::string::npos, result.Message().find("\"Sned\" ligger utanför"));
    }
    EXPECT_TRUE(FileIO::CheckKeyBlocks({KeyBlock(0, 127, "a")}).Compiled());
}

// Without its key-code table (not there, or not readable) no character would type: the set is not
// compiled, and the message names the table.
TEST(SetCompiler, WithoutTheKeyCodeTableNothingIsCompiled)
{
    CompilerFixture fixture;
    const std::string table = fixture.Io().keyCodeTableFile_;
    fixture.MakeSet("Skola", {{1, "Ett"}});
    fixture.WriteOverlayFile("Skola", "Ett", kOneKey);
    for (const char* how : {"absent", "a folder"}) {
        ::DeleteFileA(table.c_str());
        if (std::string(how) == "a folder")
            ::CreateDirectoryA(table.c_str(), nullptr);
        fixture.Reopen();
        SetCompileResult result;
        fixture.Compile("Skola", FileIO::kModelPS2, &result);
        EXPECT_EQ(SetCompileResult::kNoKeyCodeTable, result.reason) << how;
        EXPECT_NE(std::string::npos, result.Message().find(table)) << how;
    }
}
