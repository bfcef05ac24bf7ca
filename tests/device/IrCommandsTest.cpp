// The infrared commands against the keyboard simulator: the bytes of each command, the framing of
// the answers, and what every misbehaviour of the keyboard comes to.
#include "InfraredFixture.h"
#include "device/IrIntelHex.h"
#include <functional>

using namespace infraredtest;

namespace {

class Stopwatch {
public:
    DWORD Elapsed() const { return ::GetTickCount() - start_; }

private:
    DWORD start_ = ::GetTickCount();
};

// The wake-up byte and the three 0x16 bytes that begin every command.
const std::string kWakeAndSync = "04161616";

std::vector<BYTE> CodeBytes(size_t count, int seed)
{
    std::vector<BYTE> bytes;
    for (size_t i = 0; i < count; ++i)
        bytes.push_back(static_cast<BYTE>(seed + 3 * i));
    return bytes;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string HexOf(const std::vector<BYTE>& bytes)
{
    return Hex(std::string(bytes.begin(), bytes.end()));
}

} // namespace

class IrCommandsTest : public InfraredFixture {};

TEST_F(IrCommandsTest, EachCommandSendsItsLetterAndArgumentsAfterTheWakeUp)
{
    std::string records = "0102";
    ASSERT_EQ(0, IrCodeToIntelHex(0, records));
    char channel = 0;
    std::string code;
    Keyboard("ir-code 3 0A0B");
    const struct {
        const char* what;
        std::function<int()> run;
        std::string sent;  // after the wake-up and the sync
        const char* logged;
    } cases[] = {
        {"record", [&] { return commands_->AccStartRecord(159); }, "52" "3946", "ir-record:9F"},
        {"record special", [&] { return commands_->AccStartRecordSpecial(3); }, "53" "3033", "ir-record-special:03"},
        {"break", [&] { return commands_->AccBreak(); }, "51", "ir-break"},
        {"set the ID channel", [&] { return commands_->AccSetIDChannel('B'); }, "49" "42", "ir-id:B"},
        {"ask the ID channel", [&] { return commands_->AccGetIDChannel(channel); }, "49" "3F", "ir-id?"},
        {"distance", [&] { return commands_->AccOptDistance(); }, "41", "ir-distance"},
        {"read a code", [&] { return commands_->AccGetIRCode(3, code); }, "44" "3033", "ir-read:03"},
        {"write a code", [&] { return commands_->AccSetIRCode(records); }, "55" + Hex(records) + "03", "ir-write:0"},
        {"security code", [&] { return commands_->AccSetSecure("0FFF"); }, "58" "30464646", "ir-secure:0FFF"},
        {"test send", [&] { return commands_->AccTestCommand('G', 16, 254); }, "54" "47" "3130" "4645", "ir-test:G10FE"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(0, c.run()) << c.what;
        EXPECT_EQ(kWakeAndSync + c.sent, Received()) << c.what;
        const std::vector<std::string> log = InfraredLog();
        EXPECT_TRUE(!log.empty() && log.back() == c.logged) << c.what;
    }
    EXPECT_EQ('B', channel);
    EXPECT_EQ(0u, code.find(":02")) << code;
}

TEST_F(IrCommandsTest, APlaceBeyondTheKeyboardsCodesIsRefusedBeforeAnythingIsSent)
{
    std::string text = "unchanged";
    EXPECT_EQ(IrCommands::kSlotOutOfRange, commands_->AccStartRecord(160));
    EXPECT_EQ(IrCommands::kSlotOutOfRange, commands_->AccStartRecordSpecial(-1));
    EXPECT_EQ(IrCommands::kSlotOutOfRange, commands_->AccGetIRCode(160, text));
    EXPECT_EQ("unchanged", text);
    EXPECT_EQ("", Received());
}

TEST_F(IrCommandsTest, TheLastPlaceCanBeLearnedAndReadBack)
{
    const std::vector<BYTE> learned = CodeBytes(101, 9);
    Keyboard("ir-code 159 " + HexOf(learned));
    std::string text;
    ASSERT_EQ(0, commands_->AccGetIRCode(159, text));
    std::vector<BYTE> bytes;
    ASSERT_EQ(0, IrCodeBytes(text, bytes));
    EXPECT_EQ(learned, bytes);
    // The keyboard's own records are the ones we would send for that place.
    std::string ours = HexOf(learned);
    ASSERT_EQ(0, IrCodeToIntelHex(159, ours));
    EXPECT_EQ(ours, text);
}

TEST_F(IrCommandsTest, GetMessageTakesTheLetterAfterTheSyncBytes)
{
    const struct {
        const char* input;
        BYTE letter;
    } cases[] = {
        {"41161659", 'Y'},
        {"161659", 'Y'},
        {"1659", 'Y'},
        {"1616161659", 'Y'},                // four 0x16 bytes after the first
        {"161616161659", 0},                // five: no letter within four reads
        {"41424344454647" "1659", 'Y'},      // the 0x16 comes with the seventh read
        {"4142434445464748" "1659", 0},      // not within seven
        {"59", 0},                          // a letter without its sync, then silence
        {"", 0},                            // silence
    };
    ASSERT_EQ(1, commands_->PortOpen());
    for (const auto& c : cases) {
        if (*c.input)
            Keyboard(std::string("ir-raw ") + c.input);
        const Stopwatch watch;
        EXPECT_EQ(c.letter, commands_->GetMessage(400)) << c.input;
        // Silence costs the first wait and seven short ones at most.
        EXPECT_LT(watch.Elapsed(), 2000u) << c.input;
        ::Sleep(20);
        link_->Serial()->ClearRx();
    }
    const std::string trace = Trace();
    EXPECT_NE(std::string::npos, trace.find("-- GetMessage entry")) << trace;
    EXPECT_NE(std::string::npos, trace.find("-- GetMessage OK!")) << trace;
}

TEST_F(IrCommandsTest, ACodeReadFromAKeyboardThatWillNotStopIsCutAtWhatTheFileCanHold)
{
    Keyboard("ir-read flood");
    std::string text = "unchanged";
    const Stopwatch watch;
    EXPECT_EQ(IrCommands::kTextTooLong, commands_->AccGetIRCode(4, text));
    EXPECT_LT(watch.Elapsed(), 3000u);
    EXPECT_EQ("unchanged", text);
}

TEST_F(IrCommandsTest, AKeyboardThatMisbehavesGivesTheCommandsFailureCode)
{
    std::string text;
    char channel = '7';
    const struct {
        const char* keyboard;
        const char* what;
        std::function<int()> run;
        int result;
    } cases[] = {
        {"silent", "break", [&] { return commands_->AccBreak(); }, IrCommands::kNoAnswer},
        {"garbage noise", "break", [&] { return commands_->AccBreak(); }, IrCommands::kNoAnswer},
        {"silent", "set channel", [&] { return commands_->AccSetIDChannel('3'); }, IrCommands::kNoAnswer},
        {"garbage noise", "get channel", [&] { return commands_->AccGetIDChannel(channel); }, IrCommands::kNoAnswer},
        {"ir-read silent", "read", [&] { return commands_->AccGetIRCode(2, text); }, IrCommands::kTimeout},
        {"silent", "secure", [&] { return commands_->AccSetSecure("0001"); }, IrCommands::kTimeout},
        {"silent", "test", [&] { return commands_->AccTestCommand('I', 1, 10); }, IrCommands::kTimeout},
        {"silent", "write", [&] { return commands_->AccSetIRCode(":0100000001FE\r\n:00000001FF"); }, IrCommands::kTimeout},
        {"", "write bad records", [&] { return commands_->AccSetIRCode(":0100000002FE\r\n:00000001FF"); },
         IrCommands::kTimeout},
    };
    for (const auto& c : cases) {
        Keyboard("reset");
        Keyboard("link " + std::to_string(kPort));
        if (*c.keyboard)
            Keyboard(c.keyboard);
        const Stopwatch watch;
        EXPECT_EQ(c.result, c.run()) << c.what << " with " << c.keyboard;
        EXPECT_LT(watch.Elapsed(), 3000u) << c.what;
        ::Sleep(20);
        link_->Serial()->ClearRx();
    }
    EXPECT_EQ('7', channel);
    EXPECT_NE(std::string::npos, Trace().find("- AccBreak Error or timeout"));
}

TEST_F(IrCommandsTest, ATestSendWaitsLongerForALongerSendTime)
{
    // Short waits here: 300 ms and 20 ms for each tenth of a second. The keyboard answers in 450 ms.
    Keyboard("late 450");
    EXPECT_EQ(0, commands_->AccTestCommand('I', 1, 10));                  // 500 ms
    ::Sleep(500);
    link_->Serial()->ClearRx();
    EXPECT_EQ(IrCommands::kTimeout, commands_->AccTestCommand('I', 1, 2)); // 340 ms
}

TEST_F(IrCommandsTest, ACodeWrittenLandsInItsOwnRoomOfTheKeyboardsMemory)
{
    const std::vector<BYTE> code = CodeBytes(101, 1);
    std::string records = HexOf(code);
    ASSERT_EQ(0, IrCodeToIntelHex(4, records));
    ASSERT_EQ(0, commands_->AccSetIRCode(records));
    EXPECT_EQ(HexOf(code), Upper(Ask("ir-room? 4")));
    EXPECT_EQ(std::string(202, 'f'), Ask("ir-room? 5"));
    EXPECT_EQ(std::string(202, 'f'), Ask("ir-room? 3"));
}

TEST_F(IrCommandsTest, WithoutAPortNothingIsSent)
{
    // A link that never found the keyboard has no port to open.
    AccessKvoraLink lost(trace_);
    lost.Attach(ini_, AccessKvoraLink::kAccessKvora);
    IrCommands withoutPort(lost, trace_);
    EXPECT_EQ(IrCommands::kPortNotOpen, withoutPort.AccBreak());
    EXPECT_EQ(IrCommands::kPortNotOpen, withoutPort.AccStartRecord(1));
    // A link never attached has no port object at all.
    AccessKvoraLink unattached(trace_);
    IrCommands withoutSerial(unattached, trace_);
    EXPECT_EQ(IrCommands::kPortNotOpen, withoutSerial.AccOptDistance());
    EXPECT_EQ(0, withoutSerial.GetMessage(10));
    EXPECT_EQ("", Received());
    EXPECT_NE(std::string::npos, Trace().find("-- PortOpen ERR no mSerial"));
}
