// The serial link to a PS/2 or AccessKvora keyboard: finds the port on which the keyboard answers,
// checks that its firmware suits the model, wakes an AccessKvora keyboard before each command, and
// holds the set image that the compiler fills, finishes it with its trailer and sends it.
#pragma once
#include "device/CSerial.h"
#include "device/TraceLog.h"
#include "store/SetImage.h"
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

// The waits of the link in milliseconds. The defaults are the keyboard's; tests shorten them.
struct LinkTimings {
    DWORD answer = 5000;          // the first byte of an answer
    DWORD nextByte = 100;         // each further byte of an answer
    DWORD wakePause = 500;        // after the wake-up byte
    DWORD drainByte = 200;        // each byte read away after a transfer
    DWORD storePause = 5000;      // a set sent without a window: the keyboard stores it
    // A transfer counts as stuck when it has not ended within transferFactor times the line time of
    // the image plus transferMargin, or when no byte has left the port for stallLimit (a keyboard may
    // hold it up with XOFF for some seconds, and a chunk of the write takes 2.3 s on the line).
    DWORD transferFactor = 2;
    DWORD transferMargin = 30000;
    DWORD stallLimit = 15000;
};

// Owned by the load dialog and by the infrared loader dialog, each its own. The port is open only
// during one exchange, or across the steps of a search (the port-held flag).
class AccessKvoraLink {
public:
    // The protocol kind is the keyboard model number; the USB model (1) is never attached.
    enum Kind { kPS2 = 0, kAccessKvora = 2 };
    // Results of Ping.
    static constexpr int kReady = 0;
    static constexpr int kNotReady = 254;  // answered, with another status
    static constexpr int kNoAnswer = 255;
    // Results of ReadVersion.
    static constexpr int kVersionRead = 1;
    static constexpr int kVersionFailed = 0;   // no port, or an answer that is not a version
    static constexpr int kVersionSilent = -1;  // the keyboard said nothing at all
    // AccessKvora firmware has versions from 80 on; PS/2 firmware below.
    static constexpr int kAccessKvoraFirmware = 80;
    static constexpr DWORD kBaudRate = 19200;
    // The load dialog follows a transfer with this timer of its own.
    static constexpr UINT_PTR kTransferTimer = 55;
    static constexpr UINT kTransferTimerMs = 200;
    // The bytes of a ping, and of the end block that the load dialog sends after the image (which
    // the keyboard answers as a ping).
    static const std::vector<BYTE> kPing;
    static const std::vector<BYTE> kEndBlock;

    // Opens the trace anew ("KvoraSerial.txt" in the current folder).
    explicit AccessKvoraLink(TraceLog& trace = TraceLog::Instance());
    // Closes the port and switches the trace off.
    ~AccessKvoraLink();
    AccessKvoraLink(const AccessKvoraLink&) = delete;
    AccessKvoraLink& operator=(const AccessKvoraLink&) = delete;

    // The settings file that holds [Defaults] Port and ScanPorts (the Windows folder's skarpin.ini),
    // and the kind. A new port object replaces any earlier one.
    void Attach(const std::string& iniPath, int kind);

    // 1 when a keyboard answers on a port and its firmware suits the kind, else 0.
    int FindKeyboard();
    // kReady, kNotReady or kNoAnswer (also without a port object or a port that does not open).
    int Ping();
    // kVersionRead with the version (10 x major + minor) and the model letter (blank when none),
    // kVersionSilent or kVersionFailed (version 0 and a blank then).
    int ReadVersion(int& version, char& model);
    // The wake-up byte and its pause (AccessKvora).
    void WakeUp();

    // Appends the trailer and sends the whole image; total is its length (0 for an image that was
    // never reset, which is not sent). With a window, that
    // window's transfer timer starts and the caller follows the transfer. Without one, the link waits
    // for the transfer and the keyboard's storing, reads its answer away and closes the port. False
    // when the port did not open, the write failed, or (without a window) did not end in time.
    bool SendSet(HWND window, size_t& total);
    // Waits until the output queue is empty (a transfer stuck for the stall limit is cancelled), reads
    // what the keyboard still sends, closes the port. True when everything sent since the port opened
    // left it.
    bool Drain();

    // [Defaults] of the settings file.
    std::string GetPortName() const;
    void SavePortName(int port);
    bool ScanPortsEnabled() const;

    // The port number of a name such as "COM3" or "COM12": the whole number after the first three
    // characters, 1-255; 0 when there is none.
    static int ParsePortNumber(const std::string& name);
    // A version answer from its first byte on (after the 0x16 bytes), with or without its 0x03.
    static int ParseVersion(const std::vector<BYTE>& answer, int& version, char& model);
    // Whether a version answer suits the kind: PS/2 below 80, or silent (firmware that predates the
    // version request still answers the ping); AccessKvora 80 and above.
    static bool FirmwareSuits(int kind, int versionResult, int version);

    SetImage& Image() { return image_; }
    // The port object, for the load dialog and the infrared commands; null before Attach.
    CSerial* Serial() { return serial_.get(); }
    int Kind() const { return kind_; }
    bool Attached() const { return attached_; }
    // The port of the keyboard; 0 until one is known.
    int PortNumber() const { return port_; }
    void SetTimings(const LinkTimings& timings) { timings_ = timings; }
    const LinkTimings& Timings() const { return timings_; }

private:
    enum class AnswerStart { kStarted, kSilent, kBroken };

    bool OpenPort();
    void ClosePort();
    int PingOpenPort();
    int ReadVersionOpenPort(int& version, char& model);
    bool PingPort(int port);
    bool Send(const std::vector<BYTE>& bytes);
    bool ReadByte(BYTE& byte, DWORD milliseconds);
    AnswerStart ReadAnswerStart(BYTE& first);
    void ReadAway();
    DWORD TransferBound() const;

    TraceLog& trace_;
    std::unique_ptr<CSerial> serial_;
    int kind_ = kPS2;
    std::string iniPath_;
    SetImage image_;
    bool attached_ = false;
    bool portHeld_ = false;
    int port_ = 0;
    LinkTimings timings_;
};
