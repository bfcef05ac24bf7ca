// The serial link: port search, ping, version, wake-up and the set transfer.
#include "device/AccessKvoraLink.h"
#include "framework/Clock.h"
#include "library/IniFile.h"

namespace {

const BYTE kSync = 0x16;
const BYTE kStartOfAnswer = 0x01;
const BYTE kEndOfText = 0x03;
const BYTE kWake = 0x04;
const BYTE kStatusReady = 0x00;
// A keyboard sends a few 0x16 bytes before an answer; more than these and it is not answering.
const int kMaxSyncBytes = 16;
// A version answer holds at most this many bytes before its 0x03.
const size_t kMaxVersionAnswer = 10;
// What is read away after a transfer: at most the input queue, so a chattering line cannot hold us.
const int kMaxDrainBytes = static_cast<int>(CSerial::kInputQueue);
const int kLastPort = 9;
const int kHighestPortNumber = 255;

bool IsDigit(BYTE c)
{
    return c >= '0' && c <= '9';
}

// The decimal number that starts at a position, 0 when none does.
int NumberAt(const std::vector<BYTE>& bytes, size_t start)
{
    int value = 0;
    for (size_t i = start; i < bytes.size() && i < start + 6 && IsDigit(bytes[i]); ++i)
        value = value * 10 + (bytes[i] - '0');
    return value;
}

} // namespace

const std::vector<BYTE> AccessKvoraLink::kPing = {kWake, kSync, kSync, kSync, kEndOfText};
const std::vector<BYTE> AccessKvoraLink::kEndBlock = {kSync, kSync, kSync, kEndOfText};

AccessKvoraLink::AccessKvoraLink(TraceLog& trace) : trace_(trace)
{
    trace_.Open(TraceLog::kFile, TraceLog::kAllLines, "KvoraSerial.txt");
}

AccessKvoraLink::~AccessKvoraLink()
{
    serial_.reset();
    trace_.Open(TraceLog::kOff, 0, "KvoraDebug.txt");
}

void AccessKvoraLink::Attach(const std::string& iniPath, int kind)
{
    iniPath_ = iniPath;
    kind_ = kind;
    serial_.reset();
    serial_ = std::make_unique<CSerial>(&trace_);
    attached_ = true;
    portHeld_ = false;
}

// --- [Defaults] ---------------------------------------------------------------------------------

std::string AccessKvoraLink::GetPortName() const
{
    return ini::ReadString(iniPath_, "Defaults", "Port", "COM1");
}

void AccessKvoraLink::SavePortName(int port)
{
    ini::WriteString(iniPath_, "Defaults", "Port", "COM" + std::to_string(port));
}

bool AccessKvoraLink::ScanPortsEnabled() const
{
    return ini::ReadString(iniPath_, "Defaults", "ScanPorts", "1") == "1";
}

int AccessKvoraLink::ParsePortNumber(const std::string& name)
{
    if (name.size() <= 3 || name.size() > 6)
        return 0;
    int number = 0;
    for (size_t i = 3; i < name.size(); ++i) {
        if (!IsDigit(static_cast<BYTE>(name[i])))
            return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number >= 1 && number <= kHighestPortNumber ? number : 0;
}

// --- search -------------------------------------------------------------------------------------

int AccessKvoraLink::FindKeyboard()
{
    if (!serial_ || !attached_)
        return 0;
    trace_.WriteLine("- FindKeyboard");
    portHeld_ = true;
    bool answered = false;
    if (ScanPortsEnabled()) {
        for (int port = 1; port <= kLastPort && !answered; ++port) {
            answered = PingPort(port);
            if (answered)
                SavePortName(port);
        }
    } else {
        const int port = ParsePortNumber(GetPortName());
        answered = port != 0 && PingPort(port);
    }
    portHeld_ = false;
    // A port on which nothing answered has no keyboard, whatever a version request would say.
    if (!answered)
        return 0;
    int version = 0;
    char model = ' ';
    const int versionResult = ReadVersion(version, model);
    return FirmwareSuits(kind_, versionResult, version) ? 1 : 0;
}

bool AccessKvoraLink::PingPort(int port)
{
    const bool answered = serial_->Open(port, kBaudRate) && Ping() != kNoAnswer;
    serial_->Close();
    if (answered)
        port_ = port;
    return answered;
}

bool AccessKvoraLink::FirmwareSuits(int kind, int versionResult, int version)
{
    if (kind == kAccessKvora)
        return versionResult == kVersionRead && version >= kAccessKvoraFirmware;
    return versionResult == kVersionSilent || (versionResult == kVersionRead && version < kAccessKvoraFirmware);
}

// --- exchanges ----------------------------------------------------------------------------------

bool AccessKvoraLink::OpenPort()
{
    return portHeld_ || serial_->Open(port_, kBaudRate);
}

void AccessKvoraLink::ClosePort()
{
    if (!portHeld_)
        serial_->Close();
}

bool AccessKvoraLink::Send(const std::vector<BYTE>& bytes)
{
    return serial_->SendData(bytes.data(), static_cast<DWORD>(bytes.size())) != CSerial::kSendFailed;
}

bool AccessKvoraLink::ReadByte(BYTE& byte, DWORD milliseconds)
{
    return serial_->ReadDataByte(byte, milliseconds) == 1;
}

// The first byte of an answer after its 0x16 bytes. A read that times out ends the wait: the byte
// read before it is no answer.
AccessKvoraLink::AnswerStart AccessKvoraLink::ReadAnswerStart(BYTE& first)
{
    if (!ReadByte(first, timings_.answer))
        return AnswerStart::kSilent;
    for (int syncBytes = 0; first == kSync; ++syncBytes) {
        if (syncBytes == kMaxSyncBytes || !ReadByte(first, timings_.nextByte))
            return AnswerStart::kBroken;
    }
    return AnswerStart::kStarted;
}

void AccessKvoraLink::WakeUp()
{
    if (!serial_)
        return;
    trace_.WriteLine("WakeUp START");
    Send({kWake});
    fw::Wait(timings_.wakePause);
    trace_.WriteLine("WakeUp END");
}

int AccessKvoraLink::Ping()
{
    if (!serial_)
        return kNoAnswer;
    trace_.WriteLine("- Ping");
    if (!OpenPort())
        return kNoAnswer;
    const int result = PingOpenPort();
    ClosePort();
    return result;
}

int AccessKvoraLink::PingOpenPort()
{
    if (kind_ == kAccessKvora)
        WakeUp();
    serial_->ClearRx();
    if (!Send(kPing))
        return kNoAnswer;
    BYTE byte = 0;
    if (ReadAnswerStart(byte) != AnswerStart::kStarted || byte != kStartOfAnswer)
        return kNoAnswer;
    BYTE status = 0;
    if (!ReadByte(status, timings_.nextByte))
        return kNoAnswer;
    ReadByte(byte, timings_.nextByte); // the answer's last byte, not examined
    return status == kStatusReady ? kReady : kNotReady;
}

int AccessKvoraLink::ReadVersion(int& version, char& model)
{
    version = 0;
    model = ' ';
    if (!serial_)
        return kVersionFailed;
    trace_.WriteLine("- ReadVersion");
    if (!OpenPort())
        return kVersionFailed;
    const int result = ReadVersionOpenPort(version, model);
    ClosePort();
    return result;
}

int AccessKvoraLink::ReadVersionOpenPort(int& version, char& model)
{
    if (kind_ == kAccessKvora)
        WakeUp();
    serial_->ClearRx();
    if (!Send({kSync, kSync, kSync, 'V'}))
        return kVersionFailed;
    BYTE byte = 0;
    switch (ReadAnswerStart(byte)) {
    case AnswerStart::kSilent:
        return kVersionSilent;
    case AnswerStart::kBroken:
        return kVersionFailed;
    case AnswerStart::kStarted:
        break;
    }
    std::vector<BYTE> answer{byte};
    while (answer.back() != kEndOfText && answer.size() <= kMaxVersionAnswer && ReadByte(byte, timings_.nextByte))
        answer.push_back(byte);
    return ParseVersion(answer, version, model);
}

int AccessKvoraLink::ParseVersion(const std::vector<BYTE>& answer, int& version, char& model)
{
    version = 0;
    model = ' ';
    std::vector<BYTE> text;
    for (BYTE byte : answer) {
        if (byte == kEndOfText)
            break;
        text.push_back(byte);
    }
    if (text.size() > kMaxVersionAnswer || text.size() < 2 || !IsDigit(text[1]))
        return kVersionFailed;
    version = 10 * NumberAt(text, 1) + NumberAt(text, 3);
    if (text.size() > 4) {
        const BYTE letter = text[4] & 0x7F;
        if ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))
            model = static_cast<char>(letter);
    }
    return kVersionRead;
}

// --- the set transfer ---------------------------------------------------------------------------

DWORD AccessKvoraLink::TransferBound() const
{
    return timings_.transferFactor * serial_->LineMilliseconds(image_.Size()) + timings_.transferMargin;
}

void AccessKvoraLink::ReadAway()
{
    BYTE byte = 0;
    for (int i = 0; i < kMaxDrainBytes && ReadByte(byte, timings_.drainByte); ++i) {
    }
}

bool AccessKvoraLink::SendSet(HWND window, size_t& total)
{
    total = 0;
    // An image the compiler never began (not even its sync) is no set.
    if (image_.Size() < SetImage::kSyncLength)
        return false;
    image_.AppendTrailer();
    total = image_.Size();
    if (!serial_)
        return false;
    trace_.WriteLine("- SendSet");
    if (!serial_->Open(port_, kBaudRate))
        return false;
    if (kind_ == kAccessKvora)
        WakeUp();
    serial_->ClearRx();
    if (!Send(image_.Bytes())) {
        serial_->Close();
        return false;
    }
    if (window) {
        ::SetTimer(window, kTransferTimer, kTransferTimerMs, nullptr);
        return true;
    }
    const bool sent = serial_->WaitForWrite(TransferBound());
    if (sent) {
        BYTE answer = 0;
        ReadByte(answer, timings_.answer);
        fw::Wait(timings_.storePause);
        ReadAway();
    }
    serial_->Close();
    return sent;
}

bool AccessKvoraLink::Drain()
{
    if (!serial_ || !serial_->IsOpen())
        return false;
    trace_.WriteLine("- Drain");
    // The caller has followed the transfer: what is left is at most its last bytes, and a keyboard
    // that holds them up for the stall limit does not take them.
    const DWORD bound = timings_.transferFactor * serial_->LineMilliseconds(serial_->OutQueueCount()) + timings_.stallLimit;
    const bool sent = serial_->WaitForWrite(bound);
    ReadAway();
    serial_->Close();
    return sent;
}
