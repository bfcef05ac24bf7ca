// Helpers of the speech tests in every folder: our speech engine installed where the registry names
// it and shut down again, a registry value and an environment variable put back as they were, and a
// window that records the messages it receives.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Remembers a registry value (and which keys on its road existed) and restores all of it.
class RegistryValueGuard {
public:
    RegistryValueGuard(HKEY root, const std::string& subkey, const char* name);
    ~RegistryValueGuard();
    RegistryValueGuard(const RegistryValueGuard&) = delete;
    RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

    // Stores a string; unterminated leaves out the closing NUL, as some writers do.
    void SetString(const std::string& value, bool terminated = true) const;
    void Delete() const;

private:
    HKEY root_;
    std::string subkey_;
    std::string name_;
    bool hasName_;
    std::vector<std::string> createdKeys_; // keys that did not exist, deepest last
    bool existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// A hidden top-level window that keeps every message in a range that reaches its procedure.
class RecordingWindow {
public:
    RecordingWindow(UINT first, UINT last);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    const std::vector<UINT>& Messages() const { return messages_; }
    size_t Count(UINT message) const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    UINT first_;
    UINT last_;
    std::vector<UINT> messages_;
};

// The folder of the running test program.
std::string TestProgramFolder();

// Sets an environment variable of this process and puts the old value back.
class EnvironmentGuard {
public:
    EnvironmentGuard(const char* name, const char* value);
    ~EnvironmentGuard();
    EnvironmentGuard(const EnvironmentGuard&) = delete;
    EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;
    void Set(const char* value) const;

private:
    std::string name_;
    std::string saved_;
    bool had_ = false;
};

// The registry value (under HKEY_LOCAL_MACHINE, unnamed) that names the speech engine's folder.
constexpr char kEnginePathKey[] = "Software\\Ulmarcon\\TTS\\Path";
// Copies an engine built into the "speech" folder beside the test program into the folder as
// AcaTTS.dll, the name the programs load; fails the test when it cannot.
void InstallEngineFile(const std::string& folder, const char* engine = "AcaTTS.dll");
// Closes the voice, ends the engine and unloads its library, so that the next test starts from nothing.
void ShutDownSpeechEngine();

// Our speech engine installed for a test: its library copied into a folder that the registry names
// as the engine's, speaking msPerCharacter milliseconds a character. At the end the engine is shut
// down and the registry and the environment are put back.
class TestEngine {
public:
    explicit TestEngine(const std::string& folder, const char* msPerCharacter = "1");
    ~TestEngine();
    TestEngine(const TestEngine&) = delete;
    TestEngine& operator=(const TestEngine&) = delete;
    void SetSpeechTime(const char* msPerCharacter) const { speechTime_.Set(msPerCharacter); }

private:
    EnvironmentGuard speechTime_;
    RegistryValueGuard path_;
};
