// The trace log: its outputs, modes and the line and byte formats.
#include "device/TraceLog.h"
#include "framework/Clock.h"
#include <ctime>

TraceLog& TraceLog::Instance()
{
    static TraceLog log;
    return log;
}

TraceLog::TraceLog(DebugOutput debugOutput)
    : debugOutput_(std::move(debugOutput)), start_(fw::TickCount())
{
    if (!debugOutput_)
        debugOutput_ = [](const std::string& text) { ::OutputDebugStringA(text.c_str()); };
}

TraceLog::~TraceLog()
{
    CloseFile();
}

void TraceLog::CloseFile()
{
    if (file_) {
        std::fflush(file_);
        std::fclose(file_);
        file_ = nullptr;
    }
}

void TraceLog::Open(int mode, DWORD mask, const std::string& fileName)
{
    if (mode != kKeepOutputs)
        CloseFile();
    mask_ = mask;
    off_ = false;
    switch (mode) {
    case kDebugger:
    case kDebuggerToo:
        toFile_ = false;
        withDate_ = false;
        break;
    case kFile:
        toFile_ = true;
        withDate_ = false;
        break;
    case kFileWithDate:
        toFile_ = true;
        withDate_ = true;
        break;
    case kKeepOutputs:
        return;
    default:
        off_ = true;
        break;
    }
    if (toFile_ && !off_) {
        file_ = std::fopen(fileName.c_str(), "wb");
        std::string stamp = " ";
        if (withDate_) {
            char text[80];
            const std::time_t now = std::time(nullptr);
            if (std::strftime(text, sizeof(text), "%H:%M:%S, %B %d, %Y ", std::localtime(&now)))
                stamp = text;
        }
        Output("\r\nStart of loggfile: " + stamp + "\r\n");
    }
    start_ = fw::TickCount();
}

std::string TraceLog::FormatLine(DWORD milliseconds, const std::string& text)
{
    char stamp[32];
    std::snprintf(stamp, sizeof(stamp), "%.6u ms  :", static_cast<unsigned>(milliseconds));
    return "\r\n" + std::string(stamp) + "   " + text;
}

std::string TraceLog::FormatByte(BYTE byte)
{
    if ((byte >= 0x20 && byte <= 0x7E) || byte == '\r' || byte == '\n')
        return std::string(1, static_cast<char>(byte));
    char text[8];
    std::snprintf(text, sizeof(text), " %.2xH,", byte);
    return text;
}

std::string TraceLog::ErrorText(DWORD error)
{
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    if (buffer)
        ::LocalFree(buffer);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

void TraceLog::WriteLine(const std::string& text, DWORD mask)
{
    if (Accepts(mask))
        Output(FormatLine(fw::TickCount() - start_, text));
}

void TraceLog::WriteByte(BYTE byte, DWORD mask)
{
    if (Accepts(mask))
        Output(FormatByte(byte));
}

void TraceLog::WriteLastError(const std::string& text, DWORD mask)
{
    const DWORD error = ::GetLastError();
    if (Accepts(mask))
        WriteLine(text + ErrorText(error), kAllLines);
}

void TraceLog::Output(const std::string& text)
{
    if (file_) {
        std::fwrite(text.data(), 1, text.size(), file_);
        // A line reaches the disk at once, so a trace read after a hang holds it; bytes follow in bulk.
        if (text.compare(0, 2, "\r\n") == 0)
            std::fflush(file_);
    } else {
        debugOutput_(text);
    }
}
