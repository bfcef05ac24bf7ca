// The infrared commands of the AccessKvora keyboard over the serial link: learning a code into a
// numbered place, breaking off, the ID channel, the distance check, reading and writing a learned
// code, the security code and a test send.
#pragma once
#include "device/AccessKvoraLink.h"
#include "store/IrCodeTable.h"
#include <windows.h>
#include <string>
#include <vector>

// The waits of the infrared commands in milliseconds. The defaults are the keyboard's; tests shorten
// them.
struct IrTimings {
    DWORD frameByte = 300;       // each byte after the first of a framed answer
    DWORD breakAnswer = 1000;    // the 'Y' to a break, and to a new ID channel
    DWORD channelByte = 300;     // the channel byte after the 'I' of its answer
    DWORD codeByte = 2000;       // each byte of a code the keyboard reads out
    DWORD codeStored = 30000;    // the 'Y' after a code was written
    DWORD secureStored = 3000;   // the 'Y' after a security code
    DWORD testAnswer = 2000;     // the 'Y' after a test send, plus testPerTenth per tenth of its send time
    DWORD testPerTenth = 100;
    DWORD sendMargin = 2000;     // a write may take this long beyond its line time
    // The learning dialog: each poll waits this long for an answer, and the next poll follows after
    // pollPause (while the keyboard is silent) or activePause (while it reports).
    DWORD poll = 1000;
    UINT pollPause = 400;
    UINT activePause = 300;
};

// Owned beside the link it uses (by the infrared loader dialog) and lent to the code editors. Every
// command answers a result code (0 success) and shows nothing; the port stays open from the first
// command on, until the link or a failed write closes it.
class IrCommands {
public:
    static constexpr int kSlotOutOfRange = IrCodeTable::kSlotOutOfRange;
    static constexpr int kTimeout = 0x8005;
    static constexpr int kTextTooLong = IrCodeTable::kFieldTooLong;
    static constexpr int kPortNotOpen = IrCodeTable::kFileNotOpen;
    static constexpr int kNoAnswer = 0x8010;
    // Learned codes live in the keyboard's places 0-159.
    static constexpr int kLastCode = IrCodeTable::kLearnedCodes - 1;
    // The longest code text AccGetIRCode collects: what one field of the code file holds.
    static constexpr size_t kMaxCodeText = IrCodeTable::kMaxField;

    IrCommands(AccessKvoraLink& link, TraceLog& trace = TraceLog::Instance());
    IrCommands(const IrCommands&) = delete;
    IrCommands& operator=(const IrCommands&) = delete;

    void SetTimings(const IrTimings& timings) { timings_ = timings; }
    const IrTimings& Timings() const { return timings_; }

    // 1 when the link's port is open, opening it (and emptying its input) when it is not; 0 without
    // a port object or a port that does not open.
    int PortOpen();
    // The letter of the keyboard's next framed answer (one or more 0x16, then the letter) within the
    // time, or 0.
    BYTE GetMessage(DWORD milliseconds);

    // Learning starts; the keyboard then reports with 'P', 'R' and 'Y' (the learning dialog polls).
    int AccStartRecord(int code);
    int AccStartRecordSpecial(int code);
    int AccBreak();
    int AccSetIDChannel(char channel);
    int AccGetIDChannel(char& channel);
    // The distance check starts; the keyboard reports with 'P', 'R' and 'Y'.
    int AccOptDistance();
    // The learned code at the place, as text (at most kMaxCodeText characters: kTextTooLong beyond).
    int AccGetIRCode(int code, std::string& text);
    // Intel-HEX records made by IrCodeToIntelHex.
    int AccSetIRCode(const std::string& records);
    // Four hexadecimal digits.
    int AccSetSecure(const std::string& digits);
    int AccTestCommand(char type, int code, int value);

private:
    // The steps every command shares: its trace line, the port, the wake-up.
    int Begin(const char* name);
    int StartLearning(char letter, const char* name, int code);
    // One write whole, or false (the port is then closed, so the next command opens it afresh).
    bool Send(const std::vector<BYTE>& bytes);
    bool Send(const std::string& text);
    // A read that times out keeps the byte it had.
    bool Read(BYTE& byte, DWORD milliseconds);
    int AwaitYes(DWORD milliseconds, int failure, const char* failureTrace);
    void Trace(const std::string& line);

    AccessKvoraLink& link_;
    TraceLog& trace_;
    IrTimings timings_;
};
