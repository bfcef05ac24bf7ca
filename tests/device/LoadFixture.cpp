// The configuration, stand-ins and recording view of the load tests.
#include "LoadFixture.h"
#include "framework/Clock.h"
#include "library/IniFile.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>

namespace {

const DWORD kStartLimitMs = 10000;

// A driver caption of this test program's own, so no other program's window answers.
std::string UniqueDriverName()
{
    return "Rizo prov " + std::to_string(::GetCurrentProcessId());
}

// A stand-in built beside the test program.
std::string BesideTestProgram(const std::string& name)
{
    char module[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string folder = module;
    return folder.substr(0, folder.rfind('\\') + 1) + name;
}

std::string WithoutExtension(const std::string& program)
{
    return program.substr(0, program.rfind('.'));
}

void CopyProgram(const std::string& from, const std::string& to)
{
    ::CreateDirectoryA(to.substr(0, to.rfind('\\')).c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA(from.c_str(), to.c_str(), FALSE)) << from << " -> " << to;
}

std::string ReadIfThere(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ? std::string()
                                                                          : testsupport::TempFolder::Read(path);
}

} // namespace

LoadFixture::LoadFixture() : CompilerFixture("[USB]\r\nDriverName=" + UniqueDriverName() + "\r\n"),
    driverName_(UniqueDriverName())
{
    ini::WriteString(WindowsSettingsFile(), "Defaults", "ScanPorts", "0");
    ini::WriteString(WindowsSettingsFile(), "Defaults", "Port", "COM" + std::to_string(kPort));
    Io().CreateSet(kSmallSet);
    SaveOverlay(kSmallSet, "Första", 1,
                {KeyBlock(0, 17, "<Return>"), KeyBlock(20, 20, kMacroText), KeyBlock(21, 21, "abc")});
}

LoadFixture::~LoadFixture()
{
    EndStandIn(DriverWindow());
    EndStandIn(ZenthorWindow());
}

void LoadFixture::SetModel(int model)
{
    const char* status = model == FileIO::kModelPS2 ? "PS2" : model == FileIO::kModelAccessKvora ? "ACCESS" : "USB";
    ini::WriteString(WindowsSettingsFile(), "Settings", "FBStatus", status);
}

void LoadFixture::MakeLargeSet()
{
    const std::string command(200, 'a');
    std::vector<Block> keys;
    for (int cell = 0; cell < SetCompileResult::kMostInImage; ++cell)
        keys.push_back(KeyBlock(cell, cell, command));
    Io().CreateSet(kLargeSet);
    for (int number = 1; number <= 3; ++number)
        SaveOverlay(kLargeSet, "Del " + std::to_string(number), number, keys);
}

// --- the stand-ins ------------------------------------------------------------------------------

void LoadFixture::InstallDriver(const std::string& settingsLines)
{
    CopyProgram(BesideTestProgram("usbdriver.exe"), DriverProgram());
    Write(WithoutExtension(DriverProgram()).substr(Temp().Path().size() + 1) + ".standin.ini",
          "[StandIn]\r\n" + settingsLines);
}

std::string LoadFixture::DriverProgram() const
{
    return ProgramFolder() + "\\" + driverName_ + ".skarpin.exe";
}

HWND LoadFixture::DriverWindow() const
{
    return ::FindWindowA("#32770", driverName_.c_str());
}

bool LoadFixture::StartDriver()
{
    return Start(DriverProgram(), [this] { return DriverWindow() != nullptr; });
}

std::string LoadFixture::DriverLog() const
{
    return ReadIfThere(WithoutExtension(DriverProgram()) + ".log");
}

void LoadFixture::InstallZenthor(const std::string& settingsLines)
{
    CopyProgram(BesideTestProgram("zenthor.exe"), ProgramFolder() + "\\Zenthor\\Zenthor.exe");
    Write("Program Files\\Skarpin\\Zenthor\\Zenthor.standin.ini",
          "[StandIn]\r\nZenthorIni=" + ZenthorIni() + "\r\nLog=" + Temp() / "zenthor.log" + "\r\n" + settingsLines);
}

HWND LoadFixture::ZenthorWindow()
{
    return ::FindWindowA(nullptr, "Zenthor");
}

bool LoadFixture::StartZenthor()
{
    return Start(ProgramFolder() + "\\Zenthor\\Zenthor.exe", [] { return ZenthorWindow() != nullptr; });
}

std::string LoadFixture::ZenthorLog() const
{
    return ReadIfThere(Temp() / "zenthor.log");
}

bool LoadFixture::Start(const std::string& program, const std::function<bool()>& started)
{
    std::string commandLine = "\"" + program + "\"";
    const std::string folder = program.substr(0, program.rfind('\\'));
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                          &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return testsupport::PumpUntil(started, kStartLimitMs);
}

// The program must be gone before the temporary folder goes: a running program keeps its file.
void LoadFixture::EndStandIn(HWND window)
{
    if (!window)
        return;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    if (!process)
        return;
    if (!testsupport::PumpUntil([process] { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; },
                                kStartLimitMs))
        ::TerminateProcess(process, 1);
    ::CloseHandle(process);
}

void LoadFixture::InstallWaits()
{
    fw::SetWaitHandler([this](DWORD milliseconds) {
        if (milliseconds < 1000) {
            ::Sleep(milliseconds);
            return;
        }
        longWaits_.push_back(milliseconds);
        testsupport::PumpUntil(
            [this] {
                return ZenthorWindow() != nullptr || DriverWindow() != nullptr
                       || CountLines(DriverLog(), "no window") != 0 || CountLines(ZenthorLog(), "no window") != 0;
            },
            kStartLimitMs);
    });
}

void PrepareKeyboard(KeyboardControl& keyboard, int model, const std::string& misbehaviour)
{
    ASSERT_TRUE(keyboard.Connected())
        << "no keyboard simulator: run this program through tools/keyboard_sim/with_keyboard.sh";
    ASSERT_TRUE(keyboard.Do("reset"));
    ASSERT_TRUE(keyboard.Do("link " + std::to_string(LoadFixture::kPort)));
    ASSERT_TRUE(keyboard.Do(model == FileIO::kModelAccessKvora ? "version V8.0A" : "version V1.2P"));
    if (!misbehaviour.empty()) {
        ASSERT_TRUE(keyboard.Do(misbehaviour));
    }
}

LinkTimings ShortLoadTimings()
{
    LinkTimings timings;
    timings.answer = 400;
    timings.nextByte = 100;
    timings.wakePause = 10;
    timings.drainByte = 50;
    timings.storePause = 10;
    timings.transferFactor = 2;
    timings.transferMargin = 5000;
    return timings;
}

int CountLines(const std::string& log, const std::string& beginning)
{
    int count = 0;
    for (size_t start = 0; start < log.size();) {
        const size_t end = log.find("\r\n", start);
        if (log.compare(start, beginning.size(), beginning) == 0)
            ++count;
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return count;
}

// --- the recording view -------------------------------------------------------------------------

RecordingView::RecordingView()
{
    static const char* const kClass = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "LoadTestView";
        ::RegisterClassA(&windowClass);
        return "LoadTestView";
    }();
    window_ = ::CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ::GetModuleHandleA(nullptr),
                                nullptr);
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

RecordingView::~RecordingView()
{
    ::DestroyWindow(window_);
}

std::vector<UINT> RecordingView::Texts() const
{
    std::vector<UINT> texts;
    for (const LoadScreen& screen : screens_)
        if (texts.empty() || texts.back() != screen.textId)
            texts.push_back(screen.textId);
    return texts;
}

// The timers the link starts on this window are left alone: the tests drive the flow's steps.
LRESULT CALLBACK RecordingView::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* view = reinterpret_cast<RecordingView*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == FileIO::kMessageToDriver && view && view->flow_) {
        view->flow_->DriverMessage(wParam, lParam);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}
