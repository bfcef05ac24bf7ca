// Intel-HEX records of learned codes, and the rules the code editors share. No keyboard needed.
#include "device/IrCodeDraft.h"
#include "device/IrIntelHex.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/IrCodeTable.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>

namespace {

std::string Records(unsigned address, const std::vector<BYTE>& bytes)
{
    std::string records;
    IntelHexRecord(records, address, bytes.data(), bytes.size());
    return records;
}

std::vector<BYTE> Counting(size_t count, BYTE first = 0)
{
    std::vector<BYTE> bytes;
    for (size_t i = 0; i < count; ++i)
        bytes.push_back(static_cast<BYTE>(first + i));
    return bytes;
}

std::string PlainHex(const std::vector<BYTE>& bytes)
{
    std::string text;
    for (BYTE byte : bytes) {
        char pair[3];
        std::snprintf(pair, sizeof(pair), "%02X", byte);
        text += pair;
    }
    return text;
}

} // namespace

TEST(IrIntelHex, ARecordEndsWithTheTwosComplementOfItsSum)
{
    EXPECT_EQ(":10008000" + std::string(32, '0') + "70\r\n", Records(0x80, std::vector<BYTE>(16, 0)));
    EXPECT_EQ(":0200800007086F\r\n", Records(0x80, {7, 8}));
}

TEST(IrIntelHex, TheFirstRecordFillsUpToASixteenByteBoundary)
{
    // Code 0 lives at 122 (0x7A): six bytes there, the rest from 0x0080 on, then the end record.
    std::string text = "0102030405060708";
    ASSERT_EQ(0, IrCodeToIntelHex(0, text));
    EXPECT_EQ(":06007A000102030405066B\r\n:0200800007086F\r\n:00000001FF", text);

    // The last code, 159, lives at 16181 (0x3F35): eleven bytes, then whole records of sixteen.
    text = PlainHex(Counting(101));
    ASSERT_EQ(0, IrCodeToIntelHex(159, text));
    EXPECT_EQ(0u, text.find(":0B3F3500"));
    EXPECT_NE(std::string::npos, text.find("\r\n:103F4000"));
    EXPECT_EQ(8u, static_cast<size_t>(std::count(text.begin(), text.end(), ':')));
}

TEST(IrIntelHex, RecordsFromTheKeyboardMoveToTheCodesOwnPlace)
{
    // The keyboard reads a code out with its own addresses (code 5 here); sent as code 7 it lands at
    // code 7's room, byte for byte.
    std::string fromKeyboard = PlainHex(Counting(101, 0x20));
    ASSERT_EQ(0, IrCodeToIntelHex(5, fromKeyboard));
    std::string moved = fromKeyboard;
    ASSERT_EQ(0, IrCodeToIntelHex(7, moved));
    std::string expected = PlainHex(Counting(101, 0x20));
    ASSERT_EQ(0, IrCodeToIntelHex(7, expected));
    EXPECT_EQ(expected, moved);
    EXPECT_EQ(0u, moved.find(fw::Format(":%.2X%.4X00", 16 - (7 * 101 + 122) % 16, 7 * 101 + 122)));
}

TEST(IrIntelHex, ALongTextIsReadWhole)
{
    // 101 records of one byte each: well over 399 characters, every byte of them taken.
    std::string text;
    for (BYTE byte : Counting(101))
        IntelHexRecord(text, 0x100u + byte, &byte, 1);
    text += kIntelHexEndRecord;
    ASSERT_GT(text.size(), 1000u);
    std::vector<BYTE> bytes;
    ASSERT_EQ(0, IrCodeBytes(text, bytes));
    EXPECT_EQ(Counting(101), bytes);
}

TEST(IrIntelHex, TheEndRecordEndsTheCodeAndLineBreaksAndBlanksArePassedOver)
{
    std::vector<BYTE> bytes;
    EXPECT_EQ(0, IrCodeBytes(Records(0x7A, {1, 2}) + ":00000001FF\r\n" + Records(0x80, {3}), bytes));
    EXPECT_EQ((std::vector<BYTE>{1, 2}), bytes);
    EXPECT_EQ(0, IrCodeBytes("01 02\r\n0a", bytes));
    EXPECT_EQ((std::vector<BYTE>{1, 2, 10}), bytes);
}

TEST(IrIntelHex, ACodeThatCannotBeSentIsRefusedAndTheTextKept)
{
    const std::string good = Records(0x7A, {1, 2, 3});
    std::string badChecksum = good;
    badChecksum[badChecksum.size() - 3] = badChecksum[badChecksum.size() - 3] == '0' ? '1' : '0';
    std::string badCount = good;
    badCount[2] = '4';  // four data bytes announced, three there
    const std::string end = kIntelHexEndRecord;
    const struct {
        const char* what;
        std::string text;
        int result;
    } cases[] = {
        {"a wrong checksum", badChecksum + end, IrCodeTable::kFormatError},
        {"a wrong byte count", badCount + end, IrCodeTable::kFormatError},
        {"a record cut short", ":0100", IrCodeTable::kFormatError},
        // Without its end record a code may have lost records on the way: none of it is taken.
        {"no end record", good, IrCodeTable::kFormatError},
        {"no end record after two records", good + Records(0x80, {4, 5}), IrCodeTable::kFormatError},
        {"an end record with a wrong checksum", good + ":00000001FE", IrCodeTable::kFormatError},
        {"a record of another type before the end", ":02000004000AF0\r\n" + good + end, IrCodeTable::kFormatError},
        {"an odd number of digits", "01020", IrCodeTable::kFormatError},
        {"no bytes at all", "", IrCodeTable::kFormatError},
        {"only the end record", kIntelHexEndRecord, IrCodeTable::kFormatError},
        {"more than a code's room", PlainHex(Counting(102)), IrCodeTable::kFieldTooLong},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(c.result, IrCodeToIntelHex(3, text)) << c.what;
        EXPECT_EQ(c.text, text) << c.what;
    }
    std::string full = PlainHex(Counting(101));
    EXPECT_EQ(0, IrCodeToIntelHex(3, full)) << "a code that fills its room";
    std::string ended = good + end;
    EXPECT_EQ(0, IrCodeToIntelHex(3, ended)) << "records closed by the end record";
}

TEST(IrIntelHex, OnlyTheKeyboardsPlacesTakeCodes)
{
    std::string text = "01";
    EXPECT_EQ(IrCodeTable::kSlotOutOfRange, IrCodeToIntelHex(160, text));
    EXPECT_EQ(IrCodeTable::kSlotOutOfRange, IrCodeToIntelHex(-1, text));
    EXPECT_EQ("01", text);
}

// --- the editors' rules -------------------------------------------------------------------------

TEST(IrCodeRules, SendTimesAreTenthsOfASecondBetweenSixAndTwoHundredFifty)
{
    const struct {
        const char* typed;
        int tenths;
    } cases[] = {
        {"0.7", 7}, {"0.6", 6}, {"25", 250}, {"25.0", 250}, {"2.45", 25}, {"1.04", 10},
        {"0.55", -1}, {"0.5", -1}, {"25.1", -1}, {"", -1}, {"abc", -1}, {"-1", -1},
        // A Swedish decimal comma is read whole; a text that is not wholly a number is refused.
        {"1,5", 15}, {"25,5", -1}, {"0,7", 7}, {" 2,0 ", 20}, {"1,5 s", -1}, {"1.5.1", -1}, {"1,2,5", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.tenths, ircode::ParseSendTime(c.typed)) << c.typed;
    EXPECT_EQ("0.7", ircode::FormatSendTime(7));
    EXPECT_EQ("25.0", ircode::FormatSendTime(250));
    EXPECT_EQ(7, ircode::ParseSendTime(ircode::FormatSendTime(7)));
}

TEST(IrCodeRules, ANameMustBeGivenStorableAndNotTakenByAnotherCode)
{
    const std::vector<std::string> names = {"Lampa", "TV på", "Radio"};
    const struct {
        const char* name;
        int editedRow;
        UINT refusal;
    } cases[] = {
        {"Fläkt", -1, 0},
        {"", -1, IDS_IR_NO_NAME},
        {"lampa", -1, IDS_IR_NAME_TAKEN},
        {"TV PÅ", -1, IDS_IR_NAME_TAKEN},
        {"LAMPA", 0, 0},                      // the code's own name, in other letters
        {"Lampa", 2, IDS_IR_NAME_TAKEN},
        {"Lampa;2", -1, IDS_IR_NAME_UNSTORABLE}, // ';' separates the code file's fields
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.refusal, ircode::CheckName(c.name, names, c.editedRow)) << c.name;
    EXPECT_EQ(static_cast<UINT>(IDS_IR_NAME_UNSTORABLE), ircode::CheckName(std::string(399, 'a'), names, -1));
    EXPECT_EQ(0u, ircode::CheckName(std::string(398, 'a'), names, -1));
}

TEST(IrCodeRules, RavikLinkHasChannelsZeroToOneHundredTwentySevenButSixtyTwo)
{
    const std::vector<int> channels = ircode::RavikLinkChannels();
    ASSERT_EQ(127u, channels.size());
    EXPECT_EQ(0, channels.front());
    EXPECT_EQ(127, channels.back());
    EXPECT_EQ(channels.end(), std::find(channels.begin(), channels.end(), 62));
}

TEST(IrCodeRules, NumbersAreWholeAndWithinTheirRange)
{
    EXPECT_EQ(4095, ircode::ParseNumber("4095", 4095));
    EXPECT_EQ(0, ircode::ParseNumber("0000", 4095));
    EXPECT_EQ(12, ircode::ParseNumber(" 12 ", 4095));
    for (const char* text : {"4096", "", " ", "12a", "-1", "1.5", "99999999999"})
        EXPECT_EQ(-1, ircode::ParseNumber(text, 4095)) << text;
}
