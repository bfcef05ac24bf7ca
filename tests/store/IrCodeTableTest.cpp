// The infrared code table: its file written and read back, damaged files, the free-slot search and
// the checks that keep the file readable.
#include "store/IrCodeTable.h"
#include "framework/Files.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

using testsupport::TempFolder;

namespace {

// Two learned records as the keyboard gives them, with the line breaks between them.
const std::string kIntelHex = ":10000000A1B2C3D4E5F60718293A4B5C6D7E8F9012\r\n:00000001FF\r\n";

struct SlotContent {
    char type;
    int code;
    int value;
    std::string name;
    std::string text;
};

SlotContent Read(const IrCodeTable& table, int slot)
{
    SlotContent content{0, -1, -1, "", ""};
    table.GetTypeAndCode(slot, content.type, content.code);
    table.GetValue(slot, content.value);
    table.GetName(slot, content.name);
    table.GetText(slot, content.text);
    return content;
}

void Fill(IrCodeTable& table, int slot, const SlotContent& content)
{
    ASSERT_EQ(0, table.SetTypeAndCode(slot, content.type, content.code));
    ASSERT_EQ(0, table.SetValue(slot, content.value));
    ASSERT_EQ(0, table.SetName(slot, content.name));
    ASSERT_EQ(0, table.SetText(slot, content.text));
}

void ExpectSlot(const IrCodeTable& table, int slot, const SlotContent& expected)
{
    SlotContent actual = Read(table, slot);
    EXPECT_EQ(expected.type, actual.type) << "slot " << slot;
    EXPECT_EQ(expected.code, actual.code) << "slot " << slot;
    EXPECT_EQ(expected.value, actual.value) << "slot " << slot;
    EXPECT_EQ(expected.name, actual.name) << "slot " << slot;
    EXPECT_EQ(expected.text, actual.text) << "slot " << slot;
}

int UsedSlots(const IrCodeTable& table)
{
    int used = 0;
    for (int slot = 1; slot < IrCodeTable::kSlots; ++slot) {
        char type;
        int code;
        used += table.GetTypeAndCode(slot, type, code) == 0 ? 1 : 0;
    }
    return used;
}

} // namespace

TEST(IrCodeTable, SavedAndReadBack)
{
    TempFolder temp;
    const SlotContent lamp{'G', 2, 6, "Lampa", "16"};
    const SlotContent tv{'I', 0, 254, "TV p\xE5/av", kIntelHex};
    const SlotContent secure{'X', 0, 10, "S\xE4kerhetskod \xFF", "4095"};
    IrCodeTable table;
    Fill(table, 3, lamp);
    Fill(table, 1, tv);
    Fill(table, 199, secure);
    const std::string path = temp / "ir_data.kvx";
    ASSERT_EQ(0, table.Save(path));

    const std::string file = TempFolder::Read(path);
    EXPECT_EQ("1;I0;254;TV p\xE5/av;" + kIntelHex + ";\r\n3;G2;6;Lampa;16;\r\n199;X0;10;S\xE4kerhetskod \xFF;4095;\r\n", file);

    IrCodeTable again;
    ASSERT_EQ(0, again.Load(path));
    EXPECT_EQ(path, again.Path());
    ExpectSlot(again, 1, tv);
    ExpectSlot(again, 3, lamp);
    ExpectSlot(again, 199, secure);
    EXPECT_EQ(3, UsedSlots(again));

    // Saving without a path writes where the table was read from.
    again.ClearSlot(3);
    ASSERT_EQ(0, again.Save());
    IrCodeTable third;
    ASSERT_EQ(0, third.Load(path));
    EXPECT_EQ(2, UsedSlots(third));
}

TEST(IrCodeTable, FindFreeTakesTheFirstSlotAndTheSmallestCodeOfTheType)
{
    TempFolder temp;
    const std::string path = temp.Write("ir_data.kvx", "1;I0;254;TV;A1;\r\n5;X0;10;Kod;12;\r\n");
    IrCodeTable table;
    ASSERT_EQ(0, table.Load(path));
    int slot = -1, code = -1;
    EXPECT_EQ(0, table.FindFree('I', slot, code));
    EXPECT_EQ(2, slot);
    EXPECT_EQ(1, code);
    EXPECT_EQ(0, table.FindFree('G', slot, code));
    EXPECT_EQ(0, code);

    for (int n = 1; n < IrCodeTable::kSlots; ++n)
        table.SetTypeAndCode(n, 'G', n);
    EXPECT_EQ(IrCodeTable::kNotFound, table.FindFree('G', slot, code));
    EXPECT_EQ(0, slot);
}

// A learned code's number is its place in the keyboard's infrared memory, which holds 160 codes:
// with 0-159 in use no learned code is free, though slots and other types' numbers are.
TEST(IrCodeTable, LearnedCodesStayInTheKeyboardsMemory)
{
    IrCodeTable table;
    for (int code = 0; code < IrCodeTable::kLearnedCodes; ++code)
        table.SetTypeAndCode(code + 1, 'I', code);
    int slot = -1, code = -1;
    EXPECT_EQ(IrCodeTable::kNotFound, table.FindFree('I', slot, code));
    EXPECT_EQ(161, slot);
    EXPECT_EQ(-1, code);
    EXPECT_EQ(0, table.FindFree('G', slot, code));
    EXPECT_EQ(0, code);

    table.ClearSlot(160);
    EXPECT_EQ(0, table.FindFree('I', slot, code));
    EXPECT_EQ(159, code);
}

TEST(IrCodeTable, FieldsUpTo398CharactersAreRead)
{
    TempFolder temp;
    const std::string longest(398, 'n');
    const std::string path = temp.Write("ir_data.kvx", "2;G1;6;" + longest + ";16;\r\n");
    IrCodeTable table;
    ASSERT_EQ(0, table.Load(path));
    std::string name;
    EXPECT_EQ(0, table.GetName(2, name));
    EXPECT_EQ(longest, name);
}

// A damaged line is left out; the lines after it are read.
TEST(IrCodeTable, DamagedLinesAreSkipped)
{
    struct Case {
        const char* name;
        std::string damaged;
        int result;
    } cases[] = {
        {"field too long", "2;G1;6;" + std::string(399, 'n') + ";16;\r\n", IrCodeTable::kFieldTooLong},
        {"';' in a name", "2;G1;6;Lampa;k\xF6k;16;\r\n", IrCodeTable::kFormatError},
        {"';' in a name, learned code", "2;I1;254;TV;vardagsrum;" + kIntelHex + ";\r\n", IrCodeTable::kFormatError},
        {"slot 0", "0;G1;6;Noll;16;\r\n", IrCodeTable::kFormatError},
        {"slot 200", "200;G1;6;Tvahundra;16;\r\n", IrCodeTable::kFormatError},
        {"slot 5000", "5000;G1;6;Stor;16;\r\n", IrCodeTable::kFormatError},
        {"no type", "2;;6;Tom;16;\r\n", IrCodeTable::kFormatError},
    };
    for (const Case& c : cases) {
        TempFolder temp;
        const std::string before = "1;G0;6;F\xF6re;16;\r\n";
        const std::string after = "3;I4;254;Efter \xFF;" + kIntelHex + ";\r\n4;X0;10;Sist;99;\r\n";
        const std::string path = temp.Write("ir_data.kvx", before + c.damaged + after);
        IrCodeTable table;
        EXPECT_EQ(c.result, table.Load(path)) << c.name;
        ExpectSlot(table, 1, {'G', 0, 6, "F\xF6re", "16"});
        ExpectSlot(table, 3, {'I', 4, 254, "Efter \xFF", kIntelHex});
        ExpectSlot(table, 4, {'X', 0, 10, "Sist", "99"});
        EXPECT_EQ(3, UsedSlots(table)) << c.name;

        // The Zenthor program shares the file: a save keeps the damaged line as it stood, after the
        // slots, and keeps it through the next session's save too.
        ASSERT_EQ(0, table.Save()) << c.name;
        EXPECT_EQ(before + after + c.damaged, TempFolder::Read(path)) << c.name;
        IrCodeTable next;
        next.Load(path);
        ASSERT_EQ(0, next.Save()) << c.name;
        EXPECT_EQ(before + after + c.damaged, TempFolder::Read(path)) << c.name;
    }
}

// A slot or code number that a damaged line names is not handed out again: the Zenthor program may
// read that line, and two codes would then share a slot or a place.
TEST(IrCodeTable, WhatADamagedLineNamesIsNotFree)
{
    TempFolder temp;
    const std::string path = temp.Write("ir_data.kvx", "1;G0;6;Ett;16;\r\n2;G1;6;" + std::string(399, 'x')
                                                           + ";16;\r\n3;G2;6;Tre;16;\r\n0;G3;6;Noll;16;\r\n"
                                                           + "200;G4;6;Tvahundra;16;\r\n");
    IrCodeTable table;
    EXPECT_EQ(IrCodeTable::kFieldTooLong, table.Load(path));
    EXPECT_EQ(3u, table.UnreadLines());
    int slot = -1, code = -1;
    ASSERT_EQ(0, table.FindFree('G', slot, code));
    EXPECT_EQ(4, slot);
    EXPECT_EQ(5, code);
    ASSERT_EQ(0, table.FindFree('I', slot, code));
    EXPECT_EQ(0, code);
}

TEST(IrCodeTable, ReadsWhatStandsBeforeAndAfterTheLines)
{
    TempFolder temp;
    // Blank lines and a missing final line break; a line cut off by the end of the file is not taken.
    const std::string path = temp.Write("ir_data.kvx", "\r\n\r\n7;G3;20;Fl\xE4kt;17;\n8;G4;20;Halv");
    IrCodeTable table;
    EXPECT_EQ(IrCodeTable::kFormatError, table.Load(path));
    ExpectSlot(table, 7, {'G', 3, 20, "Fl\xE4kt", "17"});
    EXPECT_EQ(1, UsedSlots(table));
    // The line cut off is kept, and from now on ends like every other.
    ASSERT_EQ(0, table.Save());
    EXPECT_EQ("7;G3;20;Fl\xE4kt;17;\r\n8;G4;20;Halv\r\n", TempFolder::Read(path));
}

TEST(IrCodeTable, MissingFileGivesAnEmptyTable)
{
    TempFolder temp;
    const std::string good = temp.Write("ir_data.kvx", "1;G0;6;Lampa;16;\r\n");
    IrCodeTable table;
    ASSERT_EQ(0, table.Load(good));
    EXPECT_EQ(IrCodeTable::kFileNotOpen, table.Load(temp / "saknas.kvx"));
    EXPECT_EQ(temp / "saknas.kvx", table.Path());
    EXPECT_EQ(0, UsedSlots(table));
    EXPECT_EQ(IrCodeTable::kFileNotOpen, table.Save(temp / "ingen mapp\\ir_data.kvx"));
}

TEST(IrCodeTable, RefusesWhatTheFileCannotHold)
{
    IrCodeTable table;
    ASSERT_EQ(0, table.SetName(4, "Lampa"));
    ASSERT_EQ(0, table.SetText(4, "16"));
    struct Case {
        std::string field;
        int result;
    } cases[] = {
        {"k\xF6k;hall", IrCodeTable::kFormatError},
        {std::string(399, 'x'), IrCodeTable::kFieldTooLong},
        {std::string(398, 'x'), 0},
        {kIntelHex, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.result, IrCodeTable::CheckField(c.field)) << c.field;
        IrCodeTable other;
        EXPECT_EQ(c.result, other.SetName(4, c.field));
        EXPECT_EQ(c.result, other.SetText(4, c.field));
    }
    // A refused name leaves the old one.
    EXPECT_EQ(IrCodeTable::kFormatError, table.SetName(4, "a;b"));
    std::string name;
    table.GetName(4, name);
    EXPECT_EQ("Lampa", name);

    for (int slot : {0, 200, -1}) {
        EXPECT_EQ(IrCodeTable::kSlotOutOfRange, table.SetName(slot, "x")) << slot;
        EXPECT_EQ(IrCodeTable::kSlotOutOfRange, table.SetTypeAndCode(slot, 'G', 1)) << slot;
        EXPECT_EQ(IrCodeTable::kSlotOutOfRange, table.GetName(slot, name)) << slot;
    }
}

TEST(IrCodeTable, EmptySlotsAnswerNotFound)
{
    IrCodeTable table;
    char type = '?';
    int code = -1, value = -1;
    std::string text = "x";
    EXPECT_EQ(IrCodeTable::kNotFound, table.GetTypeAndCode(9, type, code));
    EXPECT_EQ(IrCodeTable::kNotFound, table.GetValue(9, value));
    EXPECT_EQ(IrCodeTable::kNotFound, table.GetText(9, text));
    EXPECT_EQ("", text);
}

// A code file that is there but cannot be read is another answer than none at all: the table is
// empty, and nothing is written over the file, whatever the table then holds.
TEST(IrCodeTable, AFileThatCannotBeReadIsNeverWrittenOver)
{
    const std::string codes = "1;G0;6;Lampa;16;\r\n";
    const std::string utf16("\xFF\xFE" "1\0;\0G\0" "0\0;\0" "6\0;\0L\0;\0" "1\0" "6\0;\0\r\0\n\0", 30);
    struct Case {
        const char* name;
        std::string content;  // empty: a folder stands under the name
        bool locked;
    } cases[] = {
        {"locked by the Zenthor program", codes, true},
        {"a folder under the name", "", false},
        {"saved as Unicode", utf16, false},
    };
    for (const Case& c : cases) {
        TempFolder temp;
        const std::string path = temp / "ir_data.kvx";
        if (c.content.empty()) {
            ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr)) << c.name;
        } else {
            temp.Write("ir_data.kvx", c.content);
        }
        HANDLE lock = c.locked ? ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr)
                               : INVALID_HANDLE_VALUE;
        IrCodeTable table;
        EXPECT_EQ(IrCodeTable::kFileUnreadable, table.Load(path)) << c.name;
        EXPECT_FALSE(table.Writable()) << c.name;
        EXPECT_EQ(0, UsedSlots(table)) << c.name;
        ASSERT_EQ(0, table.SetTypeAndCode(1, 'G', 0));
        ASSERT_EQ(0, table.SetName(1, "Ny"));
        EXPECT_EQ(IrCodeTable::kFileUnreadable, table.Save()) << c.name;
        if (lock != INVALID_HANDLE_VALUE)
            ::CloseHandle(lock);
        if (!c.content.empty()) {
            EXPECT_EQ(c.content, TempFolder::Read(path)) << c.name;
        }
    }
}

// A file that was not there is created only while nothing stands under its name; one that was read
// and has gone since is not brought back by a change.
TEST(IrCodeTable, OnlyAFileThatIsNotThereIsWrittenFresh)
{
    TempFolder temp;
    const std::string path = temp / "ir_data.kvx";
    IrCodeTable table;
    EXPECT_EQ(IrCodeTable::kFileNotOpen, table.Load(path));
    EXPECT_TRUE(table.Writable());
    table.SetTypeAndCode(1, 'G', 0);
    table.SetName(1, "Lampa");
    // The Zenthor program wrote its file in the meantime.
    temp.Write("ir_data.kvx", "5;G4;6;Radio;20;\r\n");
    EXPECT_EQ(IrCodeTable::kFileNotOpen, table.Save());
    EXPECT_EQ("5;G4;6;Radio;20;\r\n", TempFolder::Read(path));

    ::DeleteFileA(path.c_str());
    IrCodeTable fresh;
    fresh.Load(path);
    fresh.SetTypeAndCode(1, 'G', 0);
    fresh.SetName(1, "Lampa");
    ASSERT_EQ(0, fresh.Save());
    EXPECT_EQ("1;G0;0;Lampa;;\r\n", TempFolder::Read(path));

    IrCodeTable read;
    ASSERT_EQ(0, read.Load(path));
    ::DeleteFileA(path.c_str());
    read.ClearSlot(1);
    EXPECT_EQ(IrCodeTable::kFileNotOpen, read.Save());
    EXPECT_FALSE(fw::PathExists(path));
}

// Lines the table reads but cannot hold are kept through every save, and what they name is not
// handed out: a second line for a slot, a comment, and a line short of fields, which ends where the
// next slot line begins instead of taking it along.
TEST(IrCodeTable, LinesTheTableLeavesOutSurviveEverySave)
{
    const struct {
        const char* name;
        std::string file;
        std::vector<int> slots;    // the slots the table holds
        std::string saved;
        int freeSlot;
    } cases[] = {
        {"second line for a slot", "1;G0;6;Ett;16;\r\n1;G1;6;Annan;17;\r\n2;G2;6;Tva;18;\r\n", {1, 2},
         "1;G0;6;Ett;16;\r\n2;G2;6;Tva;18;\r\n1;G1;6;Annan;17;\r\n", 3},
        {"comment without digits", "Koder f\xF6r vardagsrummet\r\n1;G0;6;Ett;16;\r\n\r\n", {1},
         "1;G0;6;Ett;16;\r\nKoder f\xF6r vardagsrummet\r\n", 2},
        {"comment with digits", "# sparad 2024\r\n1;G0;6;Ett;16;\r\n", {1}, "1;G0;6;Ett;16;\r\n# sparad 2024\r\n", 2},
        {"line short of fields", "1;G0;6;Ett\r\n2;G1;6;Tva;16;\r\n", {2}, "2;G1;6;Tva;16;\r\n1;G0;6;Ett\r\n", 3},
        {"short line, comment, good line", "1;G0;6;Ett\r\nanteckning\r\n2;G1;6;Tva;16;\r\n", {2},
         "2;G1;6;Tva;16;\r\n1;G0;6;Ett\r\nanteckning\r\n", 3},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        const std::string path = temp.Write("ir_data.kvx", c.file);
        IrCodeTable table;
        EXPECT_EQ(IrCodeTable::kFormatError, table.Load(path)) << c.name;
        EXPECT_EQ(static_cast<int>(c.slots.size()), UsedSlots(table)) << c.name;
        for (int slot : c.slots) {
            char type = 0;
            int code = 0;
            EXPECT_EQ(0, table.GetTypeAndCode(slot, type, code)) << c.name << " slot " << slot;
        }
        int slot = -1, code = -1;
        ASSERT_EQ(0, table.FindFree('G', slot, code)) << c.name;
        EXPECT_EQ(c.freeSlot, slot) << c.name;
        ASSERT_EQ(0, table.Save()) << c.name;
        EXPECT_EQ(c.saved, TempFolder::Read(path)) << c.name;
        IrCodeTable next;
        next.Load(path);
        ASSERT_EQ(0, next.Save()) << c.name;
        EXPECT_EQ(c.saved, TempFolder::Read(path)) << c.name;
    }
}
