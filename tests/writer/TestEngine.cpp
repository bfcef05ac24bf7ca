// Our speech engine for the tests.
#include "TestEngine.h"

TestEngine::TestEngine(const std::string& folder)
    : speechTime_("ACATTS_MS_PER_CHAR", "1"), path_(HKEY_LOCAL_MACHINE, kEnginePathKey, nullptr)
{
    ::CreateDirectoryA(folder.c_str(), nullptr);
    InstallEngineFile(folder);
    path_.SetString(folder);
}

TestEngine::~TestEngine()
{
    ShutDownSpeechEngine();
}
