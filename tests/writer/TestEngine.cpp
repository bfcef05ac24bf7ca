// Our speech engine for the tests.
#include "TestEngine.h"
#include "library/BabTTS.h"
#include "library/BabTtsApi.h"
#include <gtest/gtest.h>

TestEngine::TestEngine(const std::string& folder)
    : speechTime_("ACATTS_MS_PER_CHAR", "1"), path_(HKEY_LOCAL_MACHINE, "Software\\Ulmarcon\\TTS\\Path", nullptr)
{
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string source = TestProgramFolder() + "\\speech\\AcaTTS.dll";
    EXPECT_TRUE(::CopyFileA(source.c_str(), (folder + "\\AcaTTS.dll").c_str(), FALSE)) << source;
    path_.SetString(folder);
}

TestEngine::~TestEngine()
{
    BabTTS().CloseVoice();
    if (auto uninit = reinterpret_cast<BabTtsUninitFn>(BabTtsTable().entries[BabTtsUninit]))
        uninit();
    UnloadBabTts();
}
