// The serial port and the link against the keyboard simulator on a pseudo-terminal that Wine opens
// as COM3 (tools/keyboard_sim; with_keyboard.sh starts it around this program). Every misbehaviour
// of the keyboard must end in a truthful answer within a bounded time.
#include "device/AccessKvoraLink.h"
#include "framework/Clock.h"
#include "library/IniFile.h"
#include "ImageBaseFiles.h"
#include "support/TempFolder.h"
#include "tools/keyboard_sim/HandMadeImage.h"
#include "tools/keyboard_sim/KeyboardControl.h"
#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<BYTE>;

const int kPort = 3;
const int kPS2 = AccessKvoraLink::kPS2;
const int kAccess = AccessKvoraLink::kAccessKvora;
// Large enough that the pseudo-terminal cannot take it all at once, so the write stays pending.
const int kLargeOverlays = 30;

LinkTimings ShortTimings()
{
    LinkTimings timings;
    timings.answer = 400;
    timings.nextByte = 100;
    timings.wakePause = 10;
    timings.drainByte = 50;
    timings.storePause = 10;
    timings.transferFactor = 0;
    timings.transferMargin = 600;
    timings.stallLimit = 600;
    return timings;
}

// The longest any exchange may take with the short timings: a silent answer, the 0x16 bytes each
// within their time, and the scheduling of a busy machine.
const DWORD kBound = 2000;

class Stopwatch {
public:
    DWORD Elapsed() const { return ::GetTickCount() - start_; }

private:
    DWORD start_ = ::GetTickCount();
};

class KeyboardLinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(keyboard_.Connected())
            << "no keyboard simulator: run this program through tools/keyboard_sim/with_keyboard.sh";
        ASSERT_TRUE(keyboard_.Do("reset"));
        ASSERT_TRUE(keyboard_.Do("link " + std::to_string(kPort)));
        ini::WriteString(ini_, "Defaults", "ScanPorts", "0");
        ini::WriteString(ini_, "Defaults", "Port", "COM" + std::to_string(kPort));
    }

    void TearDown() override { keyboard_.Do("reset"); }

    // A link on the keyboard's settings file with the short waits, attached for the kind.
    std::unique_ptr<AccessKvoraLink> Link(int kind)
    {
        auto link = std::make_unique<AccessKvoraLink>(trace_);
        link->SetTimings(ShortTimings());
        link->Attach(ini_, kind);
        return link;
    }

    // A link that has found the (so far well-behaved) keyboard, so it knows its port.
    std::unique_ptr<AccessKvoraLink> FoundLink(int kind)
    {
        EXPECT_TRUE(keyboard_.Do("reset"));
        EXPECT_TRUE(keyboard_.Do("link " + std::to_string(kPort)));
        EXPECT_TRUE(keyboard_.Do(kind == kAccess ? "version V8.0A" : "version V1.2P"));
        auto link = Link(kind);
        EXPECT_EQ(1, link->FindKeyboard()) << Trace();
        keyboard_.Do("reset");
        link->Image().Reset(); // as the compiler begins every image
        return link;
    }

    // The trace so far; the log is closed to read it.
    std::string Trace()
    {
        trace_.Open(TraceLog::kOff, 0, "KvoraDebug.txt");
        return testsupport::TempFolder::Read(folder_ / "KvoraSerial.txt");
    }

    // One misbehaviour of the keyboard; none for an empty text.
    bool Configure(const std::string& command) { return command.empty() || keyboard_.Do(command); }

    std::string LastLogEntry()
    {
        const std::vector<std::string> log = keyboard_.Log();
        return log.empty() ? std::string() : log.back();
    }

    testsupport::TempFolder folder_;
    testsupport::CurrentFolderGuard current_{folder_.Path()};
    const std::string ini_ = folder_ / "skarpin.ini";
    KeyboardControl keyboard_;
    TraceLog trace_;
};

// --- the port -----------------------------------------------------------------------------------

TEST_F(KeyboardLinkTest, TheTraceShowsEachDirectionAndATimeOut)
{
    fw::SetTickCountHandler([] { return DWORD(5000); });
    ASSERT_TRUE(keyboard_.Do("garbage syn")); // answers any command with one 0x16
    trace_.Open(TraceLog::kFile, TraceLog::kAllLines, "KvoraSerial.txt");
    {
        CSerial serial(&trace_);
        ASSERT_TRUE(serial.Open(kPort, 19200));
        const BYTE request[] = {0x16, 0x16, 'V'};
        EXPECT_NE(CSerial::kSendFailed, serial.SendData(request, 3));
        BYTE byte = 0;
        EXPECT_EQ(1, serial.ReadDataByte(byte, 1000));
        EXPECT_EQ(0x16, byte);
        EXPECT_EQ(0, serial.ReadDataByte(byte, 100));
    }
    const std::string trace = Trace();
    EXPECT_NE(std::string::npos, trace.find("   CSerial constructed\r\n000000 ms  :   CSerial Opened OK\r\n")) << trace;
    EXPECT_NE(std::string::npos, trace.find("   Tx:  16H, 16H,V")) << trace;
    EXPECT_NE(std::string::npos,
              trace.find("   Rx:  16H,\r\n000000 ms  :   * ReadDataByte Timeout\r\n000000 ms  :   CSerial Closed OK"))
        << trace;
}

TEST_F(KeyboardLinkTest, APortThatDoesNotExistIsNotOpenedAndSaysWhy)
{
    trace_.Open(TraceLog::kFile, TraceLog::kAllLines, "KvoraSerial.txt");
    CSerial serial(&trace_);
    EXPECT_FALSE(serial.Open(7, 19200));
    EXPECT_FALSE(serial.IsOpen());
    BYTE byte = 0;
    EXPECT_EQ(0, serial.ReadDataByte(byte, 10));
    EXPECT_EQ(CSerial::kSendFailed, serial.SendData(&byte, 1));
    EXPECT_EQ(0u, serial.OutQueueCount());
    EXPECT_NE(std::string::npos, Trace().find("   CSerial Open Error " + TraceLog::ErrorText(ERROR_FILE_NOT_FOUND)));
}

// The keyboard's line, whatever the port had before. (A pseudo-terminal always reads 8 bits without
// parity; the parity setting itself is pinned by CSerialLineTest.)
TEST_F(KeyboardLinkTest, ThePortGetsTheKeyboardsLine)
{
    HANDLE port = ::CreateFileA("\\\\.\\COM3", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, port);
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    ASSERT_TRUE(::GetCommState(port, &dcb));
    dcb.BaudRate = 9600;
    dcb.StopBits = ONESTOPBIT;
    dcb.fOutX = dcb.fInX = FALSE;
    ASSERT_TRUE(::SetCommState(port, &dcb));
    ::CloseHandle(port);
    ASSERT_EQ("ok 9600 8N1", keyboard_.Send("line?"));

    CSerial serial(&trace_);
    ASSERT_TRUE(serial.Open(kPort, 19200));
    EXPECT_EQ("ok 19200 8N2 ixon ixoff", keyboard_.Send("line?"));
}

// A read that timed out must not stay pending: it would take the first byte of the next answer.
TEST_F(KeyboardLinkTest, AReadThatTimedOutLeavesTheNextAnswerWhole)
{
    ASSERT_TRUE(keyboard_.Do("late 300"));
    CSerial serial(&trace_);
    ASSERT_TRUE(serial.Open(kPort, 19200));
    ASSERT_NE(CSerial::kSendFailed, serial.SendData(AccessKvoraLink::kPing.data(), 5));
    BYTE byte = 0;
    EXPECT_EQ(0, serial.ReadDataByte(byte, 50));
    Bytes answer;
    while (answer.size() < 5 && serial.ReadDataByte(byte, 1000))
        answer.push_back(byte);
    EXPECT_EQ((Bytes{0x16, 0x16, 0x01, 0x00, 0x03}), answer);
}

// A write that goes on in the background is not a failure; one the keyboard holds up for good is.
TEST_F(KeyboardLinkTest, APendingWriteIsToldFromAFailedOne)
{
    SetImage image;
    AppendHandMadeOverlays(image, 1, kLargeOverlays, 127, 12);
    ASSERT_TRUE(keyboard_.Do("xoff-after 100"));
    CSerial serial(&trace_);
    ASSERT_TRUE(serial.Open(kPort, 19200));
    EXPECT_EQ(CSerial::kSendPending, serial.SendData(image.Bytes().data(), static_cast<DWORD>(image.Size())));
    // The system does not count the queue under Wine; the port still knows its write is going on.
    EXPECT_GT(serial.OutQueueCount(), 0u);
    const BYTE more = 0x04;
    EXPECT_EQ(CSerial::kSendFailed, serial.SendData(&more, 1));
    Stopwatch watch;
    EXPECT_FALSE(serial.WaitForWrite(300));
    EXPECT_LT(watch.Elapsed(), kBound);
    EXPECT_TRUE(serial.WriteFailed());
    EXPECT_EQ(0u, serial.OutQueueCount());

    // A new exchange starts clean, and a write the keyboard takes ends well.
    keyboard_.Do("reset");
    serial.Close();
    ASSERT_TRUE(serial.Open(kPort, 19200));
    EXPECT_FALSE(serial.WriteFailed());
    EXPECT_NE(CSerial::kSendFailed, serial.SendData(image.Bytes().data(), static_cast<DWORD>(image.Size())));
    EXPECT_TRUE(serial.WaitForWrite(5000));
    EXPECT_EQ(0u, serial.OutQueueCount());
}

// --- ping, version, search ----------------------------------------------------------------------

TEST_F(KeyboardLinkTest, PingTellsReadyFromNotReadyFromNoAnswer)
{
    const struct {
        const char* keyboard;
        int result;
    } cases[] = {
        {"", AccessKvoraLink::kReady},
        {"status 5", AccessKvoraLink::kNotReady},
        {"late 150", AccessKvoraLink::kReady},
        {"silent", AccessKvoraLink::kNoAnswer},
        {"late 900", AccessKvoraLink::kNoAnswer},
        {"garbage noise", AccessKvoraLink::kNoAnswer},
        {"garbage syn", AccessKvoraLink::kNoAnswer},        // one 0x16, then silence
        {"garbage syn-flood", AccessKvoraLink::kNoAnswer},  // 0x16 without end
        {"unlink", AccessKvoraLink::kNoAnswer},
    };
    for (int kind : {kPS2, kAccess}) {
        auto link = FoundLink(kind);
        for (const auto& c : cases) {
            ASSERT_TRUE(keyboard_.Do("reset"));
            ASSERT_TRUE(keyboard_.Do("link " + std::to_string(kPort)));
            ASSERT_TRUE(Configure(c.keyboard));
            Stopwatch watch;
            EXPECT_EQ(c.result, link->Ping()) << c.keyboard << ", kind " << kind;
            EXPECT_LT(watch.Elapsed(), kBound) << c.keyboard;
        }
    }
}

TEST_F(KeyboardLinkTest, ReadVersionTellsAVersionFromSilenceFromNonsense)
{
    const struct {
        const char* keyboard;
        int result;
        int version;
        char model;
    } cases[] = {
        {"version V1.2P", AccessKvoraLink::kVersionRead, 12, 'P'},
        {"version V8.0A", AccessKvoraLink::kVersionRead, 80, 'A'},
        {"late 150", AccessKvoraLink::kVersionRead, 12, 'P'},
        {"version none", AccessKvoraLink::kVersionSilent, 0, ' '},
        {"silent", AccessKvoraLink::kVersionSilent, 0, ' '},
        {"garbage noise", AccessKvoraLink::kVersionFailed, 0, ' '},
        {"garbage syn", AccessKvoraLink::kVersionFailed, 0, ' '},
        {"garbage syn-flood", AccessKvoraLink::kVersionFailed, 0, ' '},
        {"version V", AccessKvoraLink::kVersionFailed, 0, ' '},
    };
    auto link = FoundLink(kPS2);
    for (const auto& c : cases) {
        ASSERT_TRUE(keyboard_.Do("reset"));
        ASSERT_TRUE(keyboard_.Do(c.keyboard));
        int version = -1;
        char model = '?';
        Stopwatch watch;
        EXPECT_EQ(c.result, link->ReadVersion(version, model)) << c.keyboard;
        EXPECT_LT(watch.Elapsed(), kBound) << c.keyboard;
        EXPECT_EQ(c.version, version) << c.keyboard;
        EXPECT_EQ(c.model, model) << c.keyboard;
    }
}

// A keyboard is found when it answers the ping and its firmware suits the model; a port where
// nothing answers has no keyboard, whatever the version request would make of the silence.
TEST_F(KeyboardLinkTest, FindKeyboardAsksThePortThenTheFirmware)
{
    const struct {
        int kind;
        const char* keyboard;
        int found;
    } cases[] = {
        {kPS2, "version V1.2P", 1},
        {kPS2, "version V8.0A", 0},   // answers the ping, but is an AccessKvora keyboard
        {kPS2, "version none", 1},    // firmware without the version request
        {kPS2, "status 5", 1},        // answered, though not ready
        {kPS2, "silent", 0},
        {kPS2, "garbage syn", 0},
        {kPS2, "garbage noise", 0},
        {kPS2, "unlink", 0},
        {kAccess, "version V8.0A", 1},
        {kAccess, "version V1.2P", 0},
        {kAccess, "version none", 0},
        {kAccess, "silent", 0},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(keyboard_.Do("reset"));
        ASSERT_TRUE(keyboard_.Do("link " + std::to_string(kPort)));
        ASSERT_TRUE(keyboard_.Do(c.keyboard));
        auto link = Link(c.kind);
        Stopwatch watch;
        EXPECT_EQ(c.found, link->FindKeyboard()) << c.keyboard << ", kind " << c.kind << Trace();
        EXPECT_LT(watch.Elapsed(), 2 * kBound) << c.keyboard;
    }
}

TEST_F(KeyboardLinkTest, AScanFindsTheKeyboardAndNamesItsPort)
{
    ASSERT_TRUE(keyboard_.Do("link 4"));
    ini::WriteString(ini_, "Defaults", "ScanPorts", "1");
    ini::WriteString(ini_, "Defaults", "Port", "COM1");
    auto link = Link(kPS2);
    EXPECT_EQ(1, link->FindKeyboard());
    EXPECT_EQ(4, link->PortNumber());
    EXPECT_EQ("COM4", ini::ReadString(ini_, "Defaults", "Port"));
}

TEST_F(KeyboardLinkTest, AScanWithoutAKeyboardFindsNone)
{
    ASSERT_TRUE(keyboard_.Do("unlink"));
    ini::WriteString(ini_, "Defaults", "ScanPorts", "1");
    auto link = Link(kPS2);
    Stopwatch watch;
    EXPECT_EQ(0, link->FindKeyboard());
    EXPECT_LT(watch.Elapsed(), kBound);
    EXPECT_EQ("COM3", ini::ReadString(ini_, "Defaults", "Port"));
}

TEST_F(KeyboardLinkTest, AFixedPortIsTheOnlyOneTriedAndKeepsItsName)
{
    ASSERT_TRUE(keyboard_.Do("link 5"));
    ini::WriteString(ini_, "Defaults", "Port", "com3");
    auto link = Link(kPS2);
    EXPECT_EQ(0, link->FindKeyboard());
    ASSERT_TRUE(keyboard_.Do("link 3"));
    EXPECT_EQ(1, link->FindKeyboard());
    EXPECT_EQ("com3", ini::ReadString(ini_, "Defaults", "Port"));
}

// "COM13" names port 13, not port 1; "COM" names none and nothing is opened.
TEST_F(KeyboardLinkTest, APortNameIsReadWhole)
{
    ASSERT_TRUE(keyboard_.Do("link 1"));
    for (const char* name : {"COM13", "COM"}) {
        ini::WriteString(ini_, "Defaults", "Port", name);
        auto link = Link(kPS2);
        EXPECT_EQ(0, link->FindKeyboard()) << name;
        EXPECT_EQ(std::string::npos, Trace().find("CSerial Opened OK")) << name;
    }
}

TEST_F(KeyboardLinkTest, AnAccessKvoraKeyboardIsWokenBeforeEachCommand)
{
    auto link = FoundLink(kAccess);
    link->Ping();
    int version = 0;
    char model = ' ';
    link->ReadVersion(version, model);
    size_t total = 0;
    EXPECT_TRUE(link->SendSet(nullptr, total));
    // The ping begins with a wake-up byte of its own.
    EXPECT_EQ((std::vector<std::string>{"wake", "wake", "ping", "wake", "version", "wake", "image-ok:6"}), keyboard_.Log());
    EXPECT_NE(std::string::npos, Trace().find("WakeUp START\r\n"));
}

// --- the set transfer ---------------------------------------------------------------------------

TEST_F(KeyboardLinkTest, ASetArrivesByteForByte)
{
    auto link = FoundLink(kPS2);
    AppendHandMadeOverlays(link->Image(), 1, 2, 10, 12);
    AppendHandMadeOverlays(link->Image(), 101, 1, 3, 4);
    size_t total = 0;
    EXPECT_TRUE(link->SendSet(nullptr, total));
    EXPECT_EQ(link->Image().Size(), total);
    EXPECT_EQ(link->Image().Bytes(), keyboard_.LastImage());
    EXPECT_EQ("image-ok:" + std::to_string(total), LastLogEntry());
    EXPECT_EQ(AccessKvoraLink::kReady, link->Ping());
}

TEST_F(KeyboardLinkTest, TheEmptySetArrivesWhole)
{
    auto link = FoundLink(kPS2);
    size_t total = 0;
    EXPECT_TRUE(link->SendSet(nullptr, total));
    EXPECT_EQ((Bytes{0x16, 0x16, 0x16, 0x03, 0xF9, 0x04}), keyboard_.LastImage());
    EXPECT_EQ(AccessKvoraLink::kReady, link->Ping());
}

// Faults of the keyboard during a transfer: what the link answers, and what the final ping says.
TEST_F(KeyboardLinkTest, EveryFaultDuringATransferEndsInTheTruth)
{
    const struct {
        const char* keyboard;
        int overlays;
        bool sent;
        int ping;
    } cases[] = {
        {"", kLargeOverlays, true, AccessKvoraLink::kReady},
        {"refuse-checksum", 2, true, AccessKvoraLink::kNotReady},
        {"stop-after 50", 2, true, AccessKvoraLink::kNoAnswer},        // the bytes left the port
        {"stop-after 50", kLargeOverlays, false, AccessKvoraLink::kNoAnswer},
        {"xoff-after 1000 150", kLargeOverlays, true, AccessKvoraLink::kReady},
        {"xoff-after 1000", kLargeOverlays, false, AccessKvoraLink::kNoAnswer},
        {"silent", 2, true, AccessKvoraLink::kNoAnswer},
    };
    for (const auto& c : cases) {
        auto link = FoundLink(kPS2);
        AppendHandMadeOverlays(link->Image(), 1, c.overlays, 127, 12);
        ASSERT_TRUE(Configure(c.keyboard));
        size_t total = 0;
        Stopwatch watch;
        EXPECT_EQ(c.sent, link->SendSet(nullptr, total)) << c.keyboard << ", " << c.overlays;
        EXPECT_EQ(c.ping, link->Ping()) << c.keyboard << ", " << c.overlays;
        EXPECT_LT(watch.Elapsed(), 2 * kBound) << c.keyboard;
        keyboard_.Do("reset");
    }
}

// The load dialog's road: the port stays open, the dialog's timer follows the queue, the end block
// goes after the image, Drain ends the exchange.
TEST_F(KeyboardLinkTest, WithAWindowTheCallerFollowsTheTransfer)
{
    HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    auto link = FoundLink(kPS2);
    AppendHandMadeOverlays(link->Image(), 1, 3, 127, 12);
    size_t total = 0;
    ASSERT_TRUE(link->SendSet(window, total));
    EXPECT_TRUE(::KillTimer(window, AccessKvoraLink::kTransferTimer));
    CSerial* serial = link->Serial();
    ASSERT_TRUE(serial->IsOpen());
    EXPECT_TRUE(serial->WaitForWrite(5000));
    EXPECT_EQ(0u, serial->OutQueueCount());
    EXPECT_NE(CSerial::kSendFailed,
              serial->SendData(AccessKvoraLink::kEndBlock.data(), static_cast<DWORD>(AccessKvoraLink::kEndBlock.size())));
    BYTE answer = 0;
    EXPECT_EQ(1, serial->ReadDataByte(answer, 1000));
    EXPECT_TRUE(link->Drain());
    EXPECT_FALSE(serial->IsOpen());
    EXPECT_EQ(AccessKvoraLink::kReady, link->Ping());
    EXPECT_EQ(link->Image().Bytes(), keyboard_.LastImage());
    ::DestroyWindow(window);
}

TEST_F(KeyboardLinkTest, WithAWindowAStuckTransferFailsTheDrain)
{
    HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    auto link = FoundLink(kPS2);
    AppendHandMadeOverlays(link->Image(), 1, kLargeOverlays, 127, 12);
    ASSERT_TRUE(keyboard_.Do("xoff-after 1000"));
    size_t total = 0;
    ASSERT_TRUE(link->SendSet(window, total));
    EXPECT_GT(link->Serial()->OutQueueCount(), 0u);
    Stopwatch watch;
    EXPECT_FALSE(link->Drain());
    EXPECT_LT(watch.Elapsed(), kBound);
    EXPECT_NE(std::string::npos, Trace().find("* Write cancelled"));
    ::KillTimer(window, AccessKvoraLink::kTransferTimer);
    ::DestroyWindow(window);
}

TEST_F(KeyboardLinkTest, ASetForAPortThatDoesNotOpenIsNotSent)
{
    HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    auto link = FoundLink(kPS2);
    ASSERT_TRUE(keyboard_.Do("unlink"));
    size_t total = 0;
    EXPECT_FALSE(link->SendSet(window, total));
    EXPECT_EQ(6u, total);
    EXPECT_FALSE(::KillTimer(window, AccessKvoraLink::kTransferTimer));
    EXPECT_FALSE(link->Drain());
    ::DestroyWindow(window);
}

// A keyboard that reads at the speed of its line: the final ping waits for it.
TEST_F(KeyboardLinkTest, ASlowKeyboardIsWaitedFor)
{
    auto link = FoundLink(kPS2);
    AppendHandMadeOverlays(link->Image(), 1, 2, 20, 12); // about 700 bytes: 0.4 s at 19,200 baud
    ASSERT_TRUE(keyboard_.Do("read-baud 19200"));
    size_t total = 0;
    EXPECT_TRUE(link->SendSet(nullptr, total));
    EXPECT_EQ(AccessKvoraLink::kReady, link->Ping());
    EXPECT_GE(keyboard_.ImageMilliseconds(), 0.9 * total * 11 * 1000 / 19200);
    EXPECT_EQ((std::vector<std::string>{"image-ok:" + std::to_string(total), "wake", "ping"}), keyboard_.Log());
}

} // namespace
