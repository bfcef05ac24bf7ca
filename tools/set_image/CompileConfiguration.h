// For the tools that compile sets: a throw-away configuration whose program settings and key-code
// table are copied from a settings folder (the sample's "skarpin.ini" and "skarpin.key"), with the
// sets in a folder of the tool's choosing.
#pragma once
#include "tools/sample_common/SampleConfiguration.h"
#include <memory>
#include <string>

namespace sample {

// A FileIO on that configuration; null when the settings folder lacks either file.
inline std::unique_ptr<FileIO> CompileConfiguration(const std::string& name, const std::string& settingsFolder,
                                                   const std::string& setsFolder)
{
    const FileIOEnvironment environment = TemporaryConfiguration(name);
    const std::string program = environment.windowsFolder + "\\program";
    for (const char* file : {"\\skarpin.ini", "\\skarpin.key"}) {
        if (!::CopyFileA((settingsFolder + file).c_str(), (program + file).c_str(), FALSE))
            return nullptr;
    }
    auto io = std::make_unique<FileIO>(environment);
    io->setFolder_ = setsFolder;
    return io;
}

} // namespace sample
