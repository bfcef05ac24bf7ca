// Our speech engine installed for a test: its library copied into a folder that the registry names
// as the engine's, speaking one millisecond a character; everything put back afterwards.
#pragma once
#include "SpeechTestSupport.h"
#include <string>

class TestEngine {
public:
    explicit TestEngine(const std::string& folder);
    // Closes the voice and unloads the engine's library, then restores the registry and environment.
    ~TestEngine();
    TestEngine(const TestEngine&) = delete;
    TestEngine& operator=(const TestEngine&) = delete;

private:
    struct Environment {
        Environment(const char* name, const char* value) : name_(name) { ::SetEnvironmentVariableA(name, value); }
        ~Environment() { ::SetEnvironmentVariableA(name_, nullptr); }
        const char* name_;
    } speechTime_;
    RegistryValueGuard path_;
};
