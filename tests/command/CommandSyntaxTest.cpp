// The block command string without a window: tokens, tags, pauses, program starts, mouse tags, the
// automatic command, the refusals, and the reading rules the set compiler shares.
#include "SyntaxFixture.h"
#include "command/CommandReading.h"
#include "command/CommandSyntax.h"
#include "command/ProgramStart.h"
#include "skarpin/resource.h"
#include "store/ConfigFixture.h"
#include <set>
#include <gtest/gtest.h>

using namespace command;
using namespace commandtest;

TEST(CommandSyntax, ATagIsOneTokenAndEverythingElseOneCharacterEach)
{
    const std::pair<std::string, std::vector<size_t>> cases[] = {
        {"", {0}},
        {"ab", {0, 1, 2}},
        {"a<Ctrl+C>b", {0, 1, 9, 10}},
        {"<Paus0.5><Return>", {0, 9, 17}},
        {"x>y", {0, 1, 2, 3}},               // a '>' outside a tag is a character
        {"a<Paus", {0, 1, 6}},               // a tag without its '>' runs to the end
        {"<<x>", {0, 4}},
        {"@A12+'hej'@", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},  // a content string is plain text
    };
    for (const auto& [command, starts] : cases) {
        EXPECT_EQ(starts, TokenStarts(command)) << command;
        EXPECT_EQ(starts.size() - 1, TokenCount(command)) << command;
    }
}

TEST(CommandSyntax, TheWordsComeFromTheConfigurationAndTheFunctionKeysAreFixed)
{
    const CommandSyntax syntax = SampleWords();
    const std::pair<int, std::string> named[] = {
        {VK_RETURN, "Return"}, {VK_BACK, "Backspace"}, {VK_PRIOR, "PageUp"},
        {VK_NUMPAD0, "Num0"}, {VK_NUMPAD7, "Num7"}, {VK_DECIMAL, "NumDecimal"}, {VK_F1, "F1"}, {VK_F12, "F12"},
        {VK_LCONTROL, "Ctrl"}, {VK_RMENU, "Alt"},
    };
    for (const auto& [key, word] : named)
        EXPECT_EQ(word, KeyWord(syntax, key).value_or("<none>")) << key;
    // The lock keys, Space and Print Screen have words only in the one-key boxes.
    for (int key : {VK_CAPITAL, VK_SPACE, VK_SNAPSHOT, VK_NUMLOCK, VK_SCROLL, int('A'), VK_F13, kRingKey})
        EXPECT_FALSE(KeyWord(syntax, key).has_value()) << key;
    // Pause and Break are keys the keyboard lacks: the Pause word names pauses only.
    for (int key : {VK_PAUSE, VK_CANCEL}) {
        EXPECT_FALSE(KeyWord(syntax, key, KeySet::WithLocks).has_value()) << key;
        EXPECT_TRUE(IsKeyTheKeyboardLacks(key)) << key;
    }
    EXPECT_FALSE(IsKeyTheKeyboardLacks(VK_SNAPSHOT));
    EXPECT_EQ("CapsLock", KeyWord(syntax, VK_CAPITAL, KeySet::WithLocks).value_or("<none>"));
    EXPECT_EQ("Space", KeyWord(syntax, VK_SPACE, KeySet::WithLocks).value_or("<none>"));
}

TEST(CommandSyntax, ModifierHeadsHoldAtMostTwoModifiersInTheirOrder)
{
    const CommandSyntax syntax = SampleWords();
    struct Case {
        bool ctrl, alt, shift;
        const char* head;
    } cases[] = {
        {false, false, false, "<"},           {true, false, false, "<Ctrl+"},
        {false, true, false, "<Alt+"},        {false, false, true, "<Shift+"},
        {true, true, false, "<Ctrl+Alt+"},    {true, false, true, "<Ctrl+Shift+"},
        {false, true, true, "<Alt+Shift+"},   {true, true, true, "<Ctrl+Alt+"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.head, ModifierHead(syntax, c.ctrl, c.alt, c.shift));
}

TEST(CommandSyntax, TheKeyOfACombinationIsItsWordItsSpecialCharacterOrItsCode)
{
    const CommandSyntax syntax = SwedishSyntax();
    EXPECT_EQ("Home", CombinationKey(syntax, VK_HOME));
    EXPECT_EQ("F4", CombinationKey(syntax, VK_F4));
    EXPECT_EQ("Space", CombinationKey(syntax, VK_SPACE));
    EXPECT_EQ("\xE5", CombinationKey(syntax, kRingKey));
    EXPECT_EQ("C", CombinationKey(syntax, 'C'));
    EXPECT_EQ("7", CombinationKey(syntax, '7'));
}

TEST(CommandSyntax, TheFixedSpecialCommandsInTheirListOrder)
{
    const std::vector<std::string> expected = {
        "<Ctrl+Alt+Delete>", "<Ctrl+Esc>", "<Alt+Esc>", "<Alt+F4>", "<Alt+PrintScreen>", "<Alt+Space>",
        "<Alt+Tab>", "<Alt+E>", "<Alt+I>", "<Alt+L>", "<Alt+P>", "<Alt+S>", "<CapsLock>", "<NumLock>",
        "<ScrollLock>", "<PrintScreen>"};
    EXPECT_EQ(expected, FixedSpecialCommands(SampleWords()));
}

TEST(CommandSyntax, WithoutKeyNamesTheTagsDegenerateUnchecked)
{
    const CommandSyntax empty;
    EXPECT_EQ("<>", NamedKeyTag(empty, FileIO::kReturn));
    EXPECT_EQ("<+", ModifierHead(empty, true, false, false));
    EXPECT_EQ("<+>", FixedSpecialCommands(empty)[1]);
    EXPECT_EQ("<+F4>", FixedSpecialCommands(empty)[3]);
}

TEST(CommandSyntax, PausesAreReadRoundedToOneDecimalAndCheckedAfterRounding)
{
    struct Case {
        const char* text;
        CommandRefusal refusal;
        double seconds;
        const char* tag;
    } cases[] = {
        {"1,5", CommandRefusal::None, 1.5, "<Paus1.5>"},
        {"1.5", CommandRefusal::None, 1.5, "<Paus1.5>"},
        {"0.5", CommandRefusal::None, 0.5, "<Paus0.5>"},
        {"2", CommandRefusal::None, 2.0, "<Paus2.0>"},
        {"0.05", CommandRefusal::None, 0.1, "<Paus0.1>"},
        {"0.15", CommandRefusal::None, 0.2, "<Paus0.2>"},
        {"0.04", CommandRefusal::None, 0.0, ""},    // rounds to nothing: no "<Paus0.0>"
        {"0.01", CommandRefusal::None, 0.0, ""},
        {"0", CommandRefusal::None, 0.0, ""},
        {"", CommandRefusal::None, 0.0, ""},
        {"25", CommandRefusal::None, 25.0, "<Paus25.0>"},
        {"25.04", CommandRefusal::None, 25.0, "<Paus25.0>"},
        {"25.05", CommandRefusal::PauseTooLong, -1, ""},
        {"25.1", CommandRefusal::PauseTooLong, -1, ""},
        {"1 5", CommandRefusal::PauseCharacters, -1, ""},
        // One decimal mark: no other reading of such a text is read in part.
        {"1.2.3", CommandRefusal::PauseCharacters, -1, ""},
        {"1,2,5", CommandRefusal::PauseCharacters, -1, ""},
        {"1,5.", CommandRefusal::PauseCharacters, -1, ""},
        {",", CommandRefusal::PauseCharacters, -1, ""},
        {",5", CommandRefusal::None, 0.5, "<Paus0.5>"},
        {"-1", CommandRefusal::PauseCharacters, -1, ""},
        {"1s", CommandRefusal::PauseCharacters, -1, ""},
    };
    const CommandSyntax syntax = SampleWords();
    for (const Case& c : cases) {
        double seconds = -1;
        EXPECT_EQ(c.refusal, ReadPauseSeconds(c.text, seconds)) << c.text;
        EXPECT_DOUBLE_EQ(c.seconds, seconds) << c.text;
        if (c.refusal == CommandRefusal::None) {
            EXPECT_EQ(c.tag, PauseTag(syntax, seconds)) << c.text;
        }
    }
}

TEST(CommandSyntax, APauseIsWrittenWithAPointInASwedishLocale)
{
    SwedishLocale swedish;
    double seconds = 0;
    ASSERT_EQ(CommandRefusal::None, ReadPauseSeconds("0,7", seconds));
    EXPECT_EQ("<Paus0.7>", PauseTag(SampleWords(), seconds));
}

TEST(CommandSyntax, InfraredAndMouseTags)
{
    EXPECT_EQ("<IR12>", InfraredTag(12));
    const std::pair<MouseDirection, const char*> moves[] = {
        {MouseDirection::Up, "<Mouse Move U S>"},        {MouseDirection::UpRight, "<Mouse Move R U S>"},
        {MouseDirection::Right, "<Mouse Move R S>"},     {MouseDirection::DownRight, "<Mouse Move R D S>"},
        {MouseDirection::Down, "<Mouse Move D S>"},      {MouseDirection::DownLeft, "<Mouse Move L D S>"},
        {MouseDirection::Left, "<Mouse Move L S>"},      {MouseDirection::UpLeft, "<Mouse Move L U S>"},
    };
    for (const auto& [direction, tag] : moves)
        EXPECT_EQ(tag, MouseMoveTag(direction, false));
    EXPECT_EQ("<Mouse Move L U F>", MouseMoveTag(MouseDirection::UpLeft, true));
    EXPECT_EQ("<Mouse Click L 1X>", MouseClickTag(MouseButton::Left, MouseAction::Click));
    EXPECT_EQ("<Mouse Click R 2X>", MouseClickTag(MouseButton::Right, MouseAction::DoubleClick));
    EXPECT_EQ("<Mouse Click L D>", MouseClickTag(MouseButton::Left, MouseAction::Hold));
    EXPECT_EQ("<Mouse Click R U>", MouseClickTag(MouseButton::Right, MouseAction::Release));
    EXPECT_EQ("<Mouse Pos RW1 5000 -120>", MousePositionTag("RW1", 5000, -120));
    EXPECT_EQ("<Mouse Pos PSC 0 0>", MousePositionTag("PSC", 0, 0));
}

TEST(CommandSyntax, TheAutomaticCommandTakesTheWordTheFileOrTheCodeByItsMode)
{
    AutoCommandSettings rule;
    rule.prefix_ = "@";
    rule.suffix_ = "@<Return>";
    const char* expected[] = {"@Sk\xE5l@<Return>", "@c:\\vireda\\e1.wmf@<Return>", "@PE1@<Return>"};
    for (int mode = 0; mode < 3; ++mode) {
        rule.mode_ = mode;
        EXPECT_EQ(expected[mode], AutomaticCommand(rule, "Sk\xE5l", "c:\\vireda\\e1.wmf", "PE1"));
    }
}

TEST(CommandSyntax, TheContentStringIsFoundBetweenItsDelimitersOutsideTags)
{
    const struct {
        const char* command;
        char delimiter;
        size_t at;
        size_t length;
    } cases[] = {
        {"@A203+'hund'@", '@', 0, 13},
        {"<Ctrl+K>@'Hej'@<Return>Hej<Return>", '@', 8, 7},
        {"<Shift+@>x#'a'#", '#', 10, 5},
        {"<Alt+@>@'a'@", '@', 7, 5},     // a delimiter inside a tag is a key
        {"Hej<Return>", '@', 0, 0},
        {"a@b", '@', 0, 0},              // no closing delimiter
        {"", '@', 0, 0},
    };
    for (const auto& c : cases) {
        const ContentStringPart part = FindContentString(c.command, c.delimiter);
        EXPECT_EQ(c.at, part.at) << c.command;
        EXPECT_EQ(c.length, part.length) << c.command;
    }
}

TEST(ProgramStart, TheLongFormAndItsRefusals)
{
    const std::string start = "<Ctrl+Esc>r";
    const std::string end = "<Paus0.5><Return>";
    struct Case {
        std::string program, file;
        CommandRefusal refusal;
        std::string command;
    } cases[] = {
        {"C:\\Prog\\a.exe", "", CommandRefusal::None, "<Ctrl+Esc>rC:\\Prog\\a.exe<Paus0.5><Return>"},
        {"C:\\Prog\\a.exe", "C:\\b.txt", CommandRefusal::None, "<Ctrl+Esc>rC:\\Prog\\a.exe C:\\b.txt<Paus0.5><Return>"},
        {"", "C:\\b.txt", CommandRefusal::NoProgram, ""},
        {"C:\\a,b.exe", "", CommandRefusal::ProgramCharacters, ""},
        {"C:\\a.exe", "b,c.txt", CommandRefusal::FileCharacters, ""},
        // A '<' would open a tag that swallows the end string; a '>' would close the "<Run " form.
        {"C:\\a.exe", "<x", CommandRefusal::FileCharacters, ""},
        {"C:\\a>.exe", "", CommandRefusal::ProgramCharacters, ""},
        {std::string(256 - start.size() - end.size(), 'p'), "", CommandRefusal::None,
         start + std::string(256 - start.size() - end.size(), 'p') + end},
        {std::string(257 - start.size() - end.size(), 'p'), "", CommandRefusal::TooLong, ""},
    };
    for (const Case& c : cases) {
        std::string command = "unchanged";
        EXPECT_EQ(c.refusal, BuildProgramStart(start, end, c.program, c.file, command)) << c.program;
        EXPECT_EQ(c.refusal == CommandRefusal::None ? c.command : "unchanged", command) << c.program;
    }
}

TEST(ProgramStart, TheRunFormContractsForDisplayAndExpandsBack)
{
    const std::string start = "<Ctrl+Esc>r";
    const std::string end = "<Paus0.5><Return>";
    const std::pair<std::string, std::string> cases[] = {
        {"<Ctrl+Esc>rC:\\a.exe C:\\b.txt<Paus0.5><Return>", "<Run C:\\a.exe C:\\b.txt>"},
        {"x<Ctrl+Esc>rC:\\a.exe<Paus0.5><Return>y", "x<Run C:\\a.exe>y"},
        {"<Ctrl+Esc>rC:\\a.exe", "<Ctrl+Esc>rC:\\a.exe"},                     // no end string after it
        {"abc", "abc"},
        // Would come back as another command: the long form stays.
        {"<Ctrl+Esc>r<Ctrl+C><Paus0.5><Return>", "<Ctrl+Esc>r<Ctrl+C><Paus0.5><Return>"},
    };
    for (const auto& [stored, shown] : cases) {
        EXPECT_EQ(shown, ContractProgramStart(stored, start, end)) << stored;
        EXPECT_EQ(stored, ExpandProgramStart(ContractProgramStart(stored, start, end), start, end)) << stored;
    }
    EXPECT_EQ("<Run x><Ctrl+Esc>ra.exe<Paus0.5><Return>",
              ContractProgramStart("<Run x><Ctrl+Esc>ra.exe<Paus0.5><Return>", start, end));
    EXPECT_EQ("<Ctrl+Esc>rC:\\a.exe<Paus0.5><Return>", ContractProgramStart("<Ctrl+Esc>rC:\\a.exe<Paus0.5><Return>", "", end));
    EXPECT_EQ("abc", ExpandProgramStart("abc", start, end));
    EXPECT_EQ("a.exe<Paus0.5><Return>", ExpandProgramStart("<Run a.exe>", "", end));
}

TEST(ProgramStart, TheProgramEndsAtTheBlankAfterItsOwnExtension)
{
    struct Case {
        const char* shortForm;
        const char* program;
        const char* file;
    } cases[] = {
        {"<Run C:\\Windows\\notepad.exe>", "C:\\Windows\\notepad.exe", ""},
        {"<Run C:\\Windows\\notepad.exe C:\\brev.txt>", "C:\\Windows\\notepad.exe", "C:\\brev.txt"},
        {"<Run C:\\Program Files\\Ord\\ord.exe C:\\Mina brev\\brev 1.txt>", "C:\\Program Files\\Ord\\ord.exe",
         "C:\\Mina brev\\brev 1.txt"},
        {"<Run C:\\App 2.0 x\\prog.exe C:\\a.txt>", "C:\\App 2.0 x\\prog.exe", "C:\\a.txt"},
        {"<Run C:\\App 2.0 x y\\prog.exe a b.txt>", "C:\\App 2.0 x y\\prog.exe", "a b.txt"},
        {"<Run C:\\App 2.0 x\\prog.exe file.txt>", "C:\\App 2.0 x\\prog.exe", "file.txt"},
        {"<Run C:\\v1.2\\prog.exe readme.txt>", "C:\\v1.2\\prog.exe", "readme.txt"},
        {"<Run C:\\prog.exe \\\\server\\share\\a.txt>", "C:\\prog.exe", "\\\\server\\share\\a.txt"},
        // A file in a folder of its own, relative or under a variable, goes with the program it follows.
        {"<Run C:\\Windows\\notepad.exe Dokument\\brev.txt>", "C:\\Windows\\notepad.exe", "Dokument\\brev.txt"},
        {"<Run %WINDIR%\\notepad.exe %USERPROFILE%\\brev.txt>", "%WINDIR%\\notepad.exe", "%USERPROFILE%\\brev.txt"},
        {"<Run C:\\Spel\\SPEL.EXE Banor\\bana 1.txt>", "C:\\Spel\\SPEL.EXE", "Banor\\bana 1.txt"},
        {"<Run C:\\Skript\\start.bat Data\\a.txt>", "C:\\Skript\\start.bat", "Data\\a.txt"},
        {"<Run C:\\Meny\\Rita.lnk Bilder\\hus.bmp>", "C:\\Meny\\Rita.lnk", "Bilder\\hus.bmp"},
        // Without a program's extension, the first blank after a name with a '.' whose rest is no
        // folder of the same path.
        {"<Run C:\\Java 1.8\\spel.jar C:\\a.txt>", "C:\\Java 1.8\\spel.jar", "C:\\a.txt"},
        {"<Run notepad brev.txt>", "notepad brev.txt", ""},   // no '.' in the program: all of it
        {"<Run >", "", ""},
        // A folder with a program's extension in its name leads on to the program inside it.
        {"<Run C:\\Spel\\Miniclip.com Spel\\spel.exe>", "C:\\Spel\\Miniclip.com Spel\\spel.exe", ""},
        {"<Run C:\\Spel\\Miniclip.com Spel\\spel.exe Banor\\a.txt>", "C:\\Spel\\Miniclip.com Spel\\spel.exe",
         "Banor\\a.txt"},
        // Java archives and scripts are programs the run prompt starts.
        {"<Run C:\\Java\\spel.jar Banor\\bana.txt>", "C:\\Java\\spel.jar", "Banor\\bana.txt"},
        {"<Run C:\\Skript\\backup.vbs Data\\lista.txt>", "C:\\Skript\\backup.vbs", "Data\\lista.txt"},
        {"<Run C:\\Skript\\BACKUP.JS Data\\lista.txt>", "C:\\Skript\\BACKUP.JS", "Data\\lista.txt"},
        {"<Run C:\\App 2.0 x\\prog.dat file.txt>", "C:\\App 2.0 x\\prog.dat", "file.txt"},
    };
    const auto noFile = [](const std::string&) { return false; };
    for (const Case& c : cases) {
        std::string program = "x";
        std::string file = "x";
        ReadProgramStart(c.shortForm, "<Ctrl+Esc>r", "<Paus0.5><Return>", program, file, noFile);
        EXPECT_EQ(c.program, program) << c.shortForm;
        EXPECT_EQ(c.file, file) << c.shortForm;
        // The set compiler quotes the program at the same place.
        std::string text = std::string(c.shortForm).substr(5);
        text.pop_back();
        EXPECT_EQ(std::string(c.program).size(), ProgramEnd(text, noFile)) << c.shortForm;
    }
}

// Where a file is there, the first blank before which the text names it ends the program, as the
// system reads an unquoted command line; the text rule only where none is there.
TEST(ProgramStart, AnExistingProgramFileDecidesWhereTheProgramEnds)
{
    struct Case {
        const char* text;
        std::set<std::string> files;
        const char* program;
    } cases[] = {
        {"C:\\Spel\\Miniclip.com Spel\\spel.exe", {"C:\\Spel\\Miniclip.com"}, "C:\\Spel\\Miniclip.com"},
        {"C:\\Spel\\Miniclip.com Spel\\spel.exe", {"C:\\Spel\\Miniclip.com Spel\\spel.exe"},
         "C:\\Spel\\Miniclip.com Spel\\spel.exe"},
        {"C:\\Verktyg\\kopiera data\\lista.txt", {"C:\\Verktyg\\kopiera"}, "C:\\Verktyg\\kopiera"},
        {"C:\\App 2.0 x\\prog.exe a b.txt", {"C:\\App 2.0 x\\prog.exe", "C:\\App"}, "C:\\App"},
        {"C:\\Java\\spel.jar Banor\\bana.txt", {"C:\\Java\\spel.jar Banor\\bana.txt"},
         "C:\\Java\\spel.jar Banor\\bana.txt"},
        {"C:\\Java\\spel.jar Banor\\bana.txt", {"C:\\Annat\\x.exe"}, "C:\\Java\\spel.jar"},
    };
    for (const Case& c : cases) {
        const auto isFile = [&c](const std::string& path) { return c.files.count(path) != 0; };
        EXPECT_EQ(std::string(c.program).size(), ProgramEnd(c.text, isFile)) << c.text;
    }
    // The dialog reads the program where the compiler quotes it.
    std::string program;
    std::string file;
    ReadProgramStart("<Run C:\\Spel\\Miniclip.com Spel\\spel.exe>", "", "", program, file,
                     [](const std::string& path) { return path == "C:\\Spel\\Miniclip.com"; });
    EXPECT_EQ("C:\\Spel\\Miniclip.com", program);
    EXPECT_EQ("Spel\\spel.exe", file);
}

TEST(ProgramStart, EveryCommandTheDialogWritesReadsBack)
{
    const std::string starts[] = {"<Ctrl+Esc>r", ""};
    const std::string ends[] = {"<Paus0.5><Return>", "<Return>", ""};
    const std::pair<std::string, std::string> parts[] = {
        {"notepad.exe", ""},
        {"C:\\Windows\\notepad.exe", "Dokument\\brev.txt"},
        {"C:\\App 2.0 x\\prog.exe", "C:\\Mina filer\\a b.txt"},
    };
    for (const std::string& start : starts) {
        for (const std::string& end : ends) {
            for (const auto& [program, file] : parts) {
                std::string command;
                ASSERT_EQ(CommandRefusal::None, BuildProgramStart(start, end, program, file, command));
                for (const std::string& shown : {command, ContractProgramStart(command, start, end)}) {
                    std::string readProgram;
                    std::string readFile;
                    ReadProgramStart(shown, start, end, readProgram, readFile);
                    EXPECT_EQ(program, readProgram) << shown;
                    EXPECT_EQ(file, readFile) << shown;
                }
            }
        }
    }
    // A command that is no program start: its text up to the first tag, never a tag's half.
    std::string program;
    std::string file;
    ReadProgramStart("Hej<Return>", "", "<Paus0.5><Return>", program, file);
    EXPECT_EQ("Hej", program);
    ReadProgramStart("Hej<Return>", "<Ctrl+Esc>r", "<Paus0.5><Return>", program, file);
    EXPECT_EQ("Hej", program);
    EXPECT_EQ("", file);
}

TEST(CommandReading, APauseWordHasItsSecondsRightAfterIt)
{
    struct Case {
        const char* word;
        bool pause;
        int tenths;
    } cases[] = {
        {"Paus0.5", true, 5},   {"Paus1.6", true, 16}, {"Paus25.0", true, 250}, {"Paus0.7", true, 7},
        {"Paus2", true, 20},    {"Paus.5", true, 5},    {"Paus1.25", true, 12},
        {"Paus", true, 0},      // the word alone: a pause of nothing, as the keyboard has no Pause key
        {"Pause", false, -1},   {"Paus0.5x", false, -1}, {"Ctrl", false, -1}, {"XPaus0.5", false, -1},
    };
    for (const Case& c : cases) {
        int tenths = -1;
        EXPECT_EQ(c.pause, IsPauseWord(c.word, "Paus", &tenths)) << c.word;
        EXPECT_EQ(c.tenths, tenths) << c.word;
    }
    // A short pause word takes no keys that begin with it for pauses.
    EXPECT_FALSE(IsPauseWord("PageUp", "P"));
    EXPECT_TRUE(IsPauseWord("P0.5", "P"));
    EXPECT_FALSE(IsPauseWord("5", "")) << "without a pause word no word is a pause";
}

TEST(CommandRefusal, EachRefusalHasItsMessage)
{
    const std::pair<CommandRefusal, std::string> cases[] = {
        {CommandRefusal::PauseCharacters, "Felaktiga tecken har angivits!"},
        {CommandRefusal::PauseTooLong, "Pausen kan vara max 25 sekunder!"},
        {CommandRefusal::NoProgram, "Du m\xE5ste ange ett program!"},
        {CommandRefusal::ProgramCharacters, "Programmet inneh\xE5ller felaktiga tecken!"},
        {CommandRefusal::FileCharacters, "Startfilen inneh\xE5ller felaktiga tecken!"},
        {CommandRefusal::TooLong, "Kommandot f\xE5r inte vara l\xE4ngre \xE4n 256 tecken!"},
        {CommandRefusal::None, ""},
    };
    for (const auto& [refusal, text] : cases)
        EXPECT_EQ(text, RefusalText(refusal));
    EXPECT_EQ(IDS_COMMAND_TOO_LONG, RefusalTextId(CommandRefusal::TooLong));
}

TEST(CommandSyntax, TheSyntaxIsCopiedFromTheConfiguration)
{
    ConfigFixture config;
    config.WriteProgramSettings(SampleKeySections());
    const CommandSyntax syntax = CommandSyntax::From(config.Open());
    const CommandSyntax expected = SwedishSyntax();
    EXPECT_EQ(expected.keyNames, syntax.keyNames);
    EXPECT_EQ(expected.altGrKeys, syntax.altGrKeys);
    for (size_t i = 0; i < expected.language.size(); ++i) {
        const LanguageKey& a = expected.language[i];
        const LanguageKey& b = syntax.language[i];
        EXPECT_TRUE(a.keyCode_ == b.keyCode_ && a.ctrl_ == b.ctrl_ && a.alt_ == b.alt_ && a.shift_ == b.shift_ &&
                    a.character_ == b.character_)
            << i;
    }
    EXPECT_TRUE(syntax.IsAltGrKey('2'));
    EXPECT_FALSE(syntax.IsAltGrKey('A'));
    EXPECT_EQ('\xE4', static_cast<char>(syntax.SpecialOf(kUmlautAKey)->character_));
}
