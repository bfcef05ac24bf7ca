// The process-wide trace of the serial link: every byte sent or received, every open, close and
// purge of the port and the steps of the keyboard protocol, each line stamped with the milliseconds
// since the log was opened.
#pragma once
#include <windows.h>
#include <cstdio>
#include <functional>
#include <string>

// One per process (Instance), created on first use and never destroyed; tests build their own.
// Until it is opened otherwise, lines go to the debugger output.
class TraceLog {
public:
    // Modes of Open.
    enum Mode {
        kOff = 0,
        kDebugger = 1,
        kFile = 2,
        kDebuggerToo = 3,      // as kDebugger
        kFileWithDate = 4,
        kKeepOutputs = 5,      // only the mask changes; the file and its start time stay
    };
    static constexpr DWORD kAllLines = 0xFFFF;

    // The sink of the debugger output; the default is OutputDebugString.
    using DebugOutput = std::function<void(const std::string&)>;

    static TraceLog& Instance();

    explicit TraceLog(DebugOutput debugOutput = DebugOutput());
    ~TraceLog();
    TraceLog(const TraceLog&) = delete;
    TraceLog& operator=(const TraceLog&) = delete;

    // A file name is relative to the current folder; an existing file is emptied.
    void Open(int mode, DWORD mask, const std::string& fileName);

    // Written only when the log is on and the mask shares a bit with the log's mask.
    void WriteLine(const std::string& text, DWORD mask = kAllLines);
    void WriteByte(BYTE byte, DWORD mask = kAllLines);
    // The text followed by the system's message of the last error.
    void WriteLastError(const std::string& text, DWORD mask = kAllLines);

    // The formats, for the writers above and their tests.
    static std::string FormatLine(DWORD milliseconds, const std::string& text);
    static std::string FormatByte(BYTE byte);
    // The system's text of an error code, trailing blanks and line ends cut.
    static std::string ErrorText(DWORD error);

private:
    bool Accepts(DWORD mask) const { return !off_ && (mask_ & mask) != 0; }
    void Output(const std::string& text);
    void CloseFile();

    DebugOutput debugOutput_;
    DWORD mask_ = kAllLines;
    bool off_ = false;
    FILE* file_ = nullptr;
    bool toFile_ = false;
    bool withDate_ = false;
    DWORD start_ = 0;
};
