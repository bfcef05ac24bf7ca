// One COM port opened for overlapped input and output, with the line settings of the PS/2 and
// AccessKvora keyboards: a write runs in the background while the caller follows it, and a read of
// one byte waits no longer than it is told.
#pragma once
#include "device/TraceLog.h"
#include <windows.h>
#include <vector>

// Owned by the serial link, one per link. Every failure goes to the trace with the system's text;
// the operations only answer. Runs on the graphical thread: the overlapped calls only bound waits.
class CSerial {
public:
    // Results of SendData.
    enum SendResult {
        kSendFailed = 0,   // nothing was sent, or the port refused the write
        kSendDone = 1,     // the write completed at once
        kSendPending = 2,  // the write goes on in the background: follow it with OutQueueCount or WaitForWrite
    };
    static constexpr DWORD kInputQueue = 2000;
    static constexpr DWORD kOutputQueue = 100000;
    // A long write goes to the port in parts of this many bytes, so that the bytes the port has taken
    // can be counted: Wine never counts the output queue.
    static constexpr DWORD kWriteChunk = 4096;
    // A byte on the line: a start bit, 8 data bits and 2 stop bits.
    static constexpr DWORD kBitsPerByte = 11;

    explicit CSerial(TraceLog* trace);
    ~CSerial();
    CSerial(const CSerial&) = delete;
    CSerial& operator=(const CSerial&) = delete;

    // Opens COMn. An open port answers true at once.
    bool Open(int port, DWORD baudRate);
    bool Close();
    bool IsOpen() const { return open_; }

    // Copies the bytes and starts writing them, a chunk at a time. A write still going on refuses the
    // next one.
    int SendData(const BYTE* bytes, DWORD count);
    // Bytes of the last SendData that the port has not taken yet; 0 when the port is not open. Each
    // call starts the next chunk once the port has taken the one before, so the count follows the
    // bytes that left, never the clock: a keyboard that holds the line with XOFF holds the count.
    DWORD OutQueueCount();
    // 1 when a byte came within the time, 0 on time-out, failure or a closed port. A read that is
    // not answered in time is cancelled; a byte that arrives while it is cancelled is still read.
    int ReadDataByte(BYTE& byte, DWORD milliseconds);
    // Empty the input and the output queue. Emptying the output queue ends a pending write, which
    // then counts as failed.
    void ClearRx();
    void ClearTx();

    // Waits up to the time for the write to end, chunk after chunk; one still going on then is
    // cancelled. True when no write since the port opened failed, was refused or was cancelled.
    bool WaitForWrite(DWORD milliseconds);
    bool WriteFailed() const { return writeFailed_; }
    // The time the line takes for a count of bytes at the open baud rate.
    DWORD LineMilliseconds(size_t count) const;

    // A port's line state changed to the keyboard's: the baud rate, 8 data bits, no parity, two stop
    // bits, XON/XOFF both ways, RTS and DTR held off, no hardware handshake. The rest stays.
    static void SetKeyboardLine(DCB& dcb, DWORD baudRate);

private:
    enum class Direction { kNone, kSending, kReceiving };

    bool ConfigureLine(DWORD baudRate);
    void Release();
    // Writes the next chunk of the buffer.
    void StartChunk();
    // Takes the outcome of a finished chunk; true while it is still pending.
    bool ChunkPending();
    // Starts the next chunk when the one before has ended.
    void ContinueWrite();
    bool WriteUnfinished() const { return writeTaken_ < writeBuffer_.size(); }
    // Ends the write: a chunk in flight is cancelled, and the write counts as failed.
    void CancelWrite();
    // A failed write: the bytes the port did not take are dropped.
    void DropWrite();
    bool ReadOne(BYTE& byte, DWORD milliseconds);
    void TraceLine(const char* text);
    void TraceError(const char* text, DWORD error);
    void TraceDirection(Direction direction);

    TraceLog* trace_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool open_ = false;
    DWORD baudRate_ = 0;
    OVERLAPPED readOverlap_{};
    OVERLAPPED writeOverlap_{};
    HANDLE readEvent_ = nullptr;
    HANDLE writeEvent_ = nullptr;
    BYTE readByte_ = 0;
    // The bytes of the write: the system reads each chunk from here until that chunk ends.
    std::vector<BYTE> writeBuffer_;
    size_t writeTaken_ = 0;   // bytes of the chunks that ended
    DWORD chunkBytes_ = 0;    // bytes of the chunk in flight
    bool chunkPending_ = false;
    bool writeFailed_ = false;
    Direction direction_ = Direction::kNone;
};
