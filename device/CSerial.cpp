// The COM port: opening with the keyboard's line settings, overlapped writes and one-byte reads.
#include "device/CSerial.h"
#include <algorithm>
#include <cstdio>

namespace {

const BYTE kXon = 0x11;
const BYTE kXoff = 0x13;
const DWORD kReadBackstop = 10000;

} // namespace

CSerial::CSerial(TraceLog* trace) : trace_(trace)
{
    TraceLine("CSerial constructed");
}

CSerial::~CSerial()
{
    Close();
}

bool CSerial::Open(int port, DWORD baudRate)
{
    if (open_)
        return true;
    char name[32];
    std::snprintf(name, sizeof(name), "\\\\.\\COM%d", port);
    handle_ = ::CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    bool ok = handle_ != INVALID_HANDLE_VALUE;
    if (ok) {
        readOverlap_ = OVERLAPPED{};
        writeOverlap_ = OVERLAPPED{};
        // A read waits up to 10 s for its byte; ReadDataByte cancels it sooner. (The usual
        // MAXDWORD/MAXDWORD form of this never times out under Wine.)
        COMMTIMEOUTS timeouts{};
        timeouts.ReadIntervalTimeout = 0;
        timeouts.ReadTotalTimeoutMultiplier = 0;
        timeouts.ReadTotalTimeoutConstant = kReadBackstop;
        timeouts.WriteTotalTimeoutMultiplier = 5;
        timeouts.WriteTotalTimeoutConstant = 5000;
        ok = ::SetCommTimeouts(handle_, &timeouts) != FALSE;
    }
    DWORD error = ok ? ERROR_SUCCESS : ::GetLastError();
    readEvent_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    writeEvent_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (ok && !ConfigureLine(baudRate)) {
        ok = false;
        error = ::GetLastError();
    }
    if (ok && !::SetupComm(handle_, kInputQueue, kOutputQueue)) {
        ok = false;
        error = ::GetLastError();
    }
    if (ok && readEvent_ && writeEvent_) {
        open_ = true;
        baudRate_ = baudRate;
        writeFailed_ = false;
        TraceLine("CSerial Opened OK");
        return true;
    }
    TraceError("CSerial Open Error ", error);
    Release();
    return false;
}

void CSerial::SetKeyboardLine(DCB& dcb, DWORD baudRate)
{
    dcb.BaudRate = baudRate;
    dcb.fBinary = TRUE;
    dcb.ByteSize = 8;
    dcb.StopBits = TWOSTOPBITS;
    // Set, not left as the port had it: the keyboard speaks no parity.
    dcb.Parity = NOPARITY;
    dcb.fParity = FALSE;
    dcb.fOutX = TRUE;
    dcb.fInX = TRUE;
    dcb.XonChar = static_cast<char>(kXon);
    dcb.XoffChar = static_cast<char>(kXoff);
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
}

bool CSerial::ConfigureLine(DWORD baudRate)
{
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (!::GetCommState(handle_, &dcb))
        return false;
    SetKeyboardLine(dcb, baudRate);
    return ::SetCommState(handle_, &dcb) != FALSE;
}

bool CSerial::Close()
{
    const bool wasOpen = open_;
    if (handle_ != INVALID_HANDLE_VALUE && ChunkPending())
        CancelWrite(); // closing with a write in flight under Wine would wait for it
    Release();
    if (wasOpen)
        TraceLine("CSerial Closed OK");
    return true;
}

void CSerial::Release()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    for (HANDLE* event : {&readEvent_, &writeEvent_}) {
        if (*event)
            ::CloseHandle(*event);
        *event = nullptr;
    }
    open_ = false;
    chunkPending_ = false;
    writeBuffer_.clear();
    writeTaken_ = 0;
}

int CSerial::SendData(const BYTE* bytes, DWORD count)
{
    if (!open_ || handle_ == INVALID_HANDLE_VALUE || count == 0)
        return kSendFailed;
    if (ChunkPending() || WriteUnfinished()) {
        // The system still reads the buffer of the last write; a second one would overwrite it.
        TraceLine("SendData  refused: the last write is still going on");
        writeFailed_ = true;
        return kSendFailed;
    }
    if (trace_) {
        TraceDirection(Direction::kSending);
        for (DWORD i = 0; i < count; ++i)
            trace_->WriteByte(bytes[i]);
    }
    writeBuffer_.assign(bytes, bytes + count);
    writeTaken_ = 0;
    StartChunk();
    if (writeTaken_ == count)
        return kSendDone;
    return chunkPending_ || WriteUnfinished() ? kSendPending : kSendFailed;
}

void CSerial::StartChunk()
{
    const DWORD count = static_cast<DWORD>(std::min<size_t>(kWriteChunk, writeBuffer_.size() - writeTaken_));
    writeOverlap_ = OVERLAPPED{};
    writeOverlap_.hEvent = writeEvent_;
    ::ResetEvent(writeEvent_);
    DWORD written = 0;
    if (::WriteFile(handle_, writeBuffer_.data() + writeTaken_, count, &written, &writeOverlap_)) {
        if (written == count) {
            writeTaken_ += count;
            return;
        }
        TraceLine("SendData  not all bytes were written in time");
        DropWrite();
        return;
    }
    const DWORD error = ::GetLastError();
    TraceError("SendData  ", error);
    if (error == ERROR_IO_PENDING) {
        chunkPending_ = true;
        chunkBytes_ = count;
        return;
    }
    DropWrite();
}

bool CSerial::ChunkPending()
{
    if (!chunkPending_)
        return false;
    DWORD written = 0;
    if (::GetOverlappedResult(handle_, &writeOverlap_, &written, FALSE)) {
        chunkPending_ = false;
        if (written == chunkBytes_) {
            writeTaken_ += written;
        } else {
            TraceLine("SendData  not all bytes were written in time");
            DropWrite();
        }
        return false;
    }
    const DWORD error = ::GetLastError();
    if (error == ERROR_IO_INCOMPLETE)
        return true;
    chunkPending_ = false;
    DropWrite();
    TraceError("SendData  ", error);
    return false;
}

void CSerial::ContinueWrite()
{
    if (!ChunkPending() && WriteUnfinished())
        StartChunk();
}

void CSerial::CancelWrite()
{
    if (chunkPending_) {
        ::CancelIoEx(handle_, &writeOverlap_);
        DWORD written = 0;
        ::GetOverlappedResult(handle_, &writeOverlap_, &written, TRUE);
        chunkPending_ = false;
    }
    DropWrite();
    TraceLine("* Write cancelled");
}

void CSerial::DropWrite()
{
    writeFailed_ = true;
    writeBuffer_.resize(writeTaken_);
}

bool CSerial::WaitForWrite(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        ContinueWrite();
        if (!chunkPending_) {
            // A chunk the port took at once: on with the next, until none is left.
            if (WriteUnfinished())
                continue;
            break;
        }
        const DWORD elapsed = ::GetTickCount() - start;
        const DWORD remaining = elapsed < milliseconds ? milliseconds - elapsed : 0;
        if (::WaitForSingleObject(writeEvent_, remaining) != WAIT_OBJECT_0 && ChunkPending()) {
            CancelWrite();
            break;
        }
    }
    return !writeFailed_;
}

DWORD CSerial::LineMilliseconds(size_t count) const
{
    const DWORD baud = baudRate_ ? baudRate_ : 19200;
    return static_cast<DWORD>((static_cast<unsigned long long>(count) * kBitsPerByte * 1000 + baud - 1) / baud);
}

DWORD CSerial::OutQueueCount()
{
    if (!open_)
        return 0;
    ContinueWrite();
    return static_cast<DWORD>(writeBuffer_.size() - writeTaken_);
}

int CSerial::ReadDataByte(BYTE& byte, DWORD milliseconds)
{
    if (!open_)
        return 0;
    DWORD errors = 0;
    ::ClearCommError(handle_, &errors, nullptr);
    const bool got = ReadOne(byte, milliseconds);
    if (trace_) {
        TraceDirection(Direction::kReceiving);
        if (got)
            trace_->WriteByte(byte);
        else
            trace_->WriteLine("* ReadDataByte Timeout");
    }
    return got ? 1 : 0;
}

// One overlapped read of one byte at a time until the time is up. The port's own time-out (the
// backstop) ends a read with no byte: Windows reports success with none, Wine ERROR_TIMEOUT.
bool CSerial::ReadOne(BYTE& byte, DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        const DWORD elapsed = ::GetTickCount() - start;
        const DWORD remaining = elapsed < milliseconds ? milliseconds - elapsed : 0;
        readOverlap_ = OVERLAPPED{};
        readOverlap_.hEvent = readEvent_;
        ::ResetEvent(readEvent_);
        DWORD got = 0;
        DWORD error = ERROR_SUCCESS;
        if (::ReadFile(handle_, &readByte_, 1, &got, &readOverlap_)) {
            if (got == 1) {
                byte = readByte_;
                return true;
            }
        } else {
            error = ::GetLastError();
            if (error == ERROR_IO_PENDING) {
                if (::WaitForSingleObject(readEvent_, remaining) != WAIT_OBJECT_0) {
                    // Not in time. A read left pending would take the next answer's first byte:
                    // cancel it, and keep the byte if one came meanwhile.
                    ::CancelIoEx(handle_, &readOverlap_);
                    if (::GetOverlappedResult(handle_, &readOverlap_, &got, TRUE) && got == 1) {
                        byte = readByte_;
                        return true;
                    }
                    return false;
                }
                if (::GetOverlappedResult(handle_, &readOverlap_, &got, FALSE)) {
                    if (got == 1) {
                        byte = readByte_;
                        return true;
                    }
                    error = ERROR_SUCCESS;
                } else {
                    error = ::GetLastError();
                }
            }
            if (error != ERROR_SUCCESS && error != ERROR_TIMEOUT) {
                TraceError("* ReadDataByte  ", error);
                return false;
            }
        }
        if (::GetTickCount() - start >= milliseconds)
            return false;
    }
}

void CSerial::ClearRx()
{
    TraceLine("* Clear Rx buffer");
    if (!open_)
        return;
    // Reads never stay pending here (ReadOne collects each), so the purge has nothing to abort.
    if (!::PurgeComm(handle_, PURGE_RXCLEAR | PURGE_RXABORT))
        TraceError("* ClearRx  ", ::GetLastError());
}

void CSerial::ClearTx()
{
    if (!open_)
        return;
    // Wine's purge leaves a pending write running: it is cancelled first, and the chunks not yet
    // written are dropped.
    if (ChunkPending() || WriteUnfinished())
        CancelWrite();
    ::PurgeComm(handle_, PURGE_TXCLEAR | PURGE_TXABORT);
    TraceLine("* Clear Tx buffer OK");
}

void CSerial::TraceLine(const char* text)
{
    if (trace_)
        trace_->WriteLine(text);
}

void CSerial::TraceError(const char* text, DWORD error)
{
    if (trace_) {
        ::SetLastError(error);
        trace_->WriteLastError(text);
    }
}

void CSerial::TraceDirection(Direction direction)
{
    if (direction_ == direction)
        return;
    direction_ = direction;
    trace_->WriteLine(direction == Direction::kSending ? "Tx: " : "Rx: ");
}
