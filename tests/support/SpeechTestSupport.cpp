// Helpers of the speech tests.
#include "support/SpeechTestSupport.h"
#include "library/BabTTS.h"
#include <gtest/gtest.h>
#include <algorithm>

RegistryValueGuard::RegistryValueGuard(HKEY root, const std::string& subkey, const char* name)
    : root_(root), subkey_(subkey), name_(name ? name : ""), hasName_(name != nullptr)
{
    // Every key on the road that is missing now is ours to remove afterwards.
    size_t end = 0;
    while (end != std::string::npos) {
        end = subkey_.find('\\', end + 1);
        std::string part = subkey_.substr(0, end);
        HKEY key = nullptr;
        if (::RegOpenKeyExA(root_, part.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS)
            ::RegCloseKey(key);
        else
            createdKeys_.push_back(part);
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root_, subkey_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD size = 0;
    if (::RegQueryValueExA(key, hasName_ ? name_.c_str() : nullptr, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
        data_.resize(size);
        existed_ = ::RegQueryValueExA(key, hasName_ ? name_.c_str() : nullptr, nullptr, &type_, data_.data(), &size) ==
                   ERROR_SUCCESS;
        data_.resize(size);
    }
    ::RegCloseKey(key);
}

RegistryValueGuard::~RegistryValueGuard()
{
    if (existed_) {
        HKEY key = nullptr;
        if (::RegCreateKeyExA(root_, subkey_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            ::RegSetValueExA(key, hasName_ ? name_.c_str() : nullptr, 0, type_, data_.data(),
                             static_cast<DWORD>(data_.size()));
            ::RegCloseKey(key);
        }
    } else {
        Delete();
    }
    for (auto it = createdKeys_.rbegin(); it != createdKeys_.rend(); ++it)
        ::RegDeleteKeyA(root_, it->c_str());
}

void RegistryValueGuard::SetString(const std::string& value, bool terminated) const
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(root_, subkey_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key, hasName_ ? name_.c_str() : nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + (terminated ? 1 : 0)));
    ::RegCloseKey(key);
}

void RegistryValueGuard::Delete() const
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root_, subkey_.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueA(key, hasName_ ? name_.c_str() : nullptr);
    ::RegCloseKey(key);
}

RecordingWindow::RecordingWindow(UINT first, UINT last) : first_(first), last_(last)
{
    static const char kClass[] = "SpeechTestRecordingWindow";
    WNDCLASSA windowClass = {};
    if (!::GetClassInfoA(::GetModuleHandleA(nullptr), kClass, &windowClass)) {
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClass;
        ::RegisterClassA(&windowClass);
    }
    hwnd_ = ::CreateWindowExA(0, kClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              ::GetModuleHandleA(nullptr), this);
}

RecordingWindow::~RecordingWindow()
{
    if (hwnd_)
        ::DestroyWindow(hwnd_);
}

size_t RecordingWindow::Count(UINT message) const
{
    return static_cast<size_t>(std::count(messages_.begin(), messages_.end(), message));
}

LRESULT CALLBACK RecordingWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<RecordingWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self && message >= self->first_ && message <= self->last_) {
        self->messages_.push_back(message);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

std::string TestProgramFolder()
{
    char path[MAX_PATH * 4] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\'));
}

EnvironmentGuard::EnvironmentGuard(const char* name, const char* value) : name_(name)
{
    DWORD size = ::GetEnvironmentVariableA(name, nullptr, 0);
    if (size > 0) {
        saved_.resize(size);
        had_ = ::GetEnvironmentVariableA(name, &saved_[0], size) < size;
        saved_.resize(had_ ? size - 1 : 0);
    }
    Set(value);
}

EnvironmentGuard::~EnvironmentGuard()
{
    ::SetEnvironmentVariableA(name_.c_str(), had_ ? saved_.c_str() : nullptr);
}

void EnvironmentGuard::Set(const char* value) const
{
    ::SetEnvironmentVariableA(name_.c_str(), value);
}

void InstallEngineFile(const std::string& folder, const char* engine)
{
    const std::string source = TestProgramFolder() + "\\speech\\" + engine;
    EXPECT_TRUE(::CopyFileA(source.c_str(), (folder + "\\AcaTTS.dll").c_str(), FALSE)) << source;
}

void ShutDownSpeechEngine()
{
    BabTTS().CloseVoice();
    if (auto uninit = reinterpret_cast<BabTtsUninitFn>(BabTtsTable().entries[BabTtsUninit]))
        uninit();
    UnloadBabTts();
}

TestEngine::TestEngine(const std::string& folder, const char* msPerCharacter)
    : speechTime_("ACATTS_MS_PER_CHAR", msPerCharacter), path_(HKEY_LOCAL_MACHINE, kEnginePathKey, nullptr)
{
    ::CreateDirectoryA(folder.c_str(), nullptr);
    InstallEngineFile(folder);
    path_.SetString(folder);
}

TestEngine::~TestEngine()
{
    ShutDownSpeechEngine();
}
