// The infrared commands: three 0x16 bytes and a command letter, arguments as text, and a framed
// one-letter answer.
#include "device/IrCommands.h"
#include "framework/Strings.h"
#include <algorithm>

namespace {

const BYTE kSync = 0x16;
const BYTE kEndOfText = 0x03;
const BYTE kYes = 'Y';
const BYTE kChannelAnswer = 'I';
// A framed answer: within this many reads after its first byte a 0x16 must come, and within this
// many more the letter.
const int kReadsToSync = 7;
const int kReadsToLetter = 4;
// A code read from the keyboard: what the port's input queue holds is the most it may send before
// its end, printable or not, so a chattering line cannot hold the reader.
const size_t kMaxCodeAnswer = CSerial::kInputQueue;

std::vector<BYTE> Command(char letter, const std::string& arguments = std::string())
{
    std::vector<BYTE> bytes(4 + arguments.size(), kSync);
    bytes[3] = static_cast<BYTE>(letter);
    std::copy(arguments.begin(), arguments.end(), bytes.begin() + 4);
    return bytes;
}

bool BelongsToCodeText(BYTE byte)
{
    return (byte >= 0x20 && byte < 0x7F) || byte == '\r' || byte == '\n';
}

} // namespace

IrCommands::IrCommands(AccessKvoraLink& link, TraceLog& trace) : link_(link), trace_(trace) {}

void IrCommands::Trace(const std::string& line)
{
    trace_.WriteLine(line);
}

int IrCommands::PortOpen()
{
    CSerial* serial = link_.Serial();
    if (!serial) {
        Trace("-- PortOpen ERR no mSerial");
        return 0;
    }
    if (serial->IsOpen())
        return 1;
    if (!serial->Open(link_.PortNumber(), AccessKvoraLink::kBaudRate))
        return 0;
    serial->ClearRx();
    return 1;
}

bool IrCommands::Send(const std::vector<BYTE>& bytes)
{
    CSerial* serial = link_.Serial();
    const int sent = serial->SendData(bytes.data(), static_cast<DWORD>(bytes.size()));
    const bool done = sent == CSerial::kSendDone
                      || (sent == CSerial::kSendPending
                          && serial->WaitForWrite(serial->LineMilliseconds(bytes.size()) + timings_.sendMargin));
    if (!done) {
        // The port remembers a failed write until it is opened again.
        serial->Close();
    }
    return done;
}

bool IrCommands::Send(const std::string& text)
{
    return Send(std::vector<BYTE>(text.begin(), text.end()));
}

bool IrCommands::Read(BYTE& byte, DWORD milliseconds)
{
    BYTE got = 0;
    if (link_.Serial()->ReadDataByte(got, milliseconds) != 1)
        return false;
    byte = got;
    return true;
}

BYTE IrCommands::GetMessage(DWORD milliseconds)
{
    Trace("-- GetMessage entry");
    CSerial* serial = link_.Serial();
    if (!serial)
        return 0;
    BYTE byte = 0;
    if (!Read(byte, milliseconds))
        return 0;
    for (int reads = 0; byte != kSync; ++reads) {
        if (reads == kReadsToSync)
            return 0;
        Read(byte, timings_.frameByte);
    }
    for (int reads = 0; byte == kSync; ++reads) {
        if (reads == kReadsToLetter)
            return 0;
        Read(byte, timings_.frameByte);
    }
    Trace("-- GetMessage OK!");
    return byte;
}

int IrCommands::Begin(const char* name)
{
    Trace(name);
    return PortOpen() ? 0 : kPortNotOpen;
}

int IrCommands::AwaitYes(DWORD milliseconds, int failure, const char* failureTrace)
{
    if (GetMessage(milliseconds) == kYes)
        return 0;
    Trace(failureTrace);
    return failure;
}

// --- learning and the distance check --------------------------------------------------------------

int IrCommands::StartLearning(char letter, const char* name, int code)
{
    if (int closed = Begin(name))
        return closed;
    if (code < 0 || code > kLastCode)
        return kSlotOutOfRange;
    link_.WakeUp();
    link_.Serial()->ClearRx();
    return Send(Command(letter, fw::Format("%.2X", code))) ? 0 : kNoAnswer;
}

int IrCommands::AccStartRecord(int code)
{
    return StartLearning('R', "- AccStartRecord", code);
}

int IrCommands::AccStartRecordSpecial(int code)
{
    return StartLearning('S', "- AccStartRecordSpecial", code);
}

int IrCommands::AccOptDistance()
{
    if (int closed = Begin("AccOptDistance"))
        return closed;
    link_.WakeUp();
    link_.Serial()->ClearRx();
    return Send(Command('A')) ? 0 : kNoAnswer;
}

int IrCommands::AccBreak()
{
    if (int closed = Begin("- AccBreak"))
        return closed;
    link_.WakeUp();
    if (!Send(Command('Q')) || GetMessage(timings_.breakAnswer) != kYes) {
        Trace("- AccBreak Error or timeout");
        return kNoAnswer;
    }
    Trace("- AccBreak OK");
    return 0;
}

// --- the ID channel -----------------------------------------------------------------------------

int IrCommands::AccSetIDChannel(char channel)
{
    if (int closed = Begin("AccSetIDChannel"))
        return closed;
    link_.WakeUp();
    if (!Send(Command('I', std::string(1, channel)))) {
        Trace("Unknown Error or Timeout");
        return kNoAnswer;
    }
    return AwaitYes(timings_.breakAnswer, kNoAnswer, "Error or timeout");
}

int IrCommands::AccGetIDChannel(char& channel)
{
    if (int closed = Begin("AccGetIDChannel"))
        return closed;
    link_.WakeUp();
    if (!Send(Command('I', "?"))) {
        Trace("Unknown Error or Timeout");
        return kNoAnswer;
    }
    if (GetMessage(timings_.breakAnswer) != kChannelAnswer) {
        Trace("Error or timeout 1");
        return kNoAnswer;
    }
    BYTE byte = 0;
    if (!Read(byte, timings_.channelByte)) {
        Trace("Error or timeout 2");
        return kNoAnswer;
    }
    channel = static_cast<char>(byte);
    return 0;
}

// --- learned codes ------------------------------------------------------------------------------

int IrCommands::AccGetIRCode(int code, std::string& text)
{
    if (int closed = Begin("AccGetIRCode"))
        return closed;
    if (code < 0 || code > kLastCode)
        return kSlotOutOfRange;
    link_.WakeUp();
    if (!Send(Command('D', fw::Format("%.2X", code)))) {
        Trace("Unknown Error or Timeout");
        return kNoAnswer;
    }
    // The answer's letter and the two bytes after it say nothing we use; no letter at all is silence.
    BYTE byte = 0;
    if (GetMessage(timings_.codeByte) == 0 || !Read(byte, timings_.codeByte) || !Read(byte, timings_.codeByte)) {
        Trace("Timeout");
        return kTimeout;
    }
    std::string collected;
    for (size_t read = 0; read < kMaxCodeAnswer; ++read) {
        if (!Read(byte, timings_.codeByte)) {
            Trace("Timeout");
            return kTimeout;
        }
        if (byte == kEndOfText) {
            text = collected;
            return 0;
        }
        if (!BelongsToCodeText(byte))
            continue;
        if (collected.size() == kMaxCodeText)
            break;
        collected += static_cast<char>(byte);
    }
    // Longer than any code the file can keep, or no end at all: what is still coming is no answer.
    Trace("Error or timeout");
    link_.Serial()->ClearRx();
    return kTextTooLong;
}

int IrCommands::AccSetIRCode(const std::string& records)
{
    if (int closed = Begin("AccSetIRCode"))
        return closed;
    link_.Serial()->ClearRx();
    link_.WakeUp();
    link_.Serial()->ClearRx();
    if (!Send(Command('U')) || !Send(records) || !Send(std::vector<BYTE>{kEndOfText})) {
        Trace("Unknown Error or Timeout");
        return kTimeout;
    }
    return AwaitYes(timings_.codeStored, kTimeout, "Error or timeout");
}

// --- the security code and the test send ---------------------------------------------------------

int IrCommands::AccSetSecure(const std::string& digits)
{
    if (int closed = Begin("AccSetSecure"))
        return closed;
    link_.WakeUp();
    if (!Send(Command('X', digits))) {
        Trace("Unknown Error or Timeout");
        return kTimeout;
    }
    return AwaitYes(timings_.secureStored, kTimeout, "Error or timeout");
}

int IrCommands::AccTestCommand(char type, int code, int value)
{
    if (int closed = Begin("AccTestCommand"))
        return closed;
    link_.WakeUp();
    if (!Send(Command('T', fw::Format("%c%.2X%.2X", type, code, value)))) {
        Trace("Unknown Error or Timeout");
        return kTimeout;
    }
    const DWORD wait = timings_.testAnswer + static_cast<DWORD>(value < 0 ? 0 : value) * timings_.testPerTenth;
    return AwaitYes(wait, kTimeout, "Error or timeout");
}
