// A test on the AccessKvora keyboard simulator (tools/keyboard_sim, started by with_keyboard.sh):
// the keyboard behind COM6, a link that has found it, the infrared commands with short waits, and a
// throw-away folder that is the current folder and holds skarpin.ini.
#pragma once
#include "device/AccessKvoraLink.h"
#include "device/IrCommands.h"
#include "ImageBaseFiles.h"
#include "support/TempFolder.h"
#include "tools/keyboard_sim/KeyboardControl.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace infraredtest {

// Not the serial tests' port, so the two programs never share a port link.
constexpr int kPort = 6;

LinkTimings ShortLinkTimings();
IrTimings ShortIrTimings();

class InfraredFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The settings file that names the keyboard's port (scanning off) and, under [Directories] Exe,
    // the temporary folder as the program folder.
    void WriteSettings();
    // A keyboard simulator command that must succeed.
    void Keyboard(const std::string& command);
    std::string Ask(const std::string& question);
    // Every byte the keyboard received since the last call, as upper-case hex, and forgets them.
    std::string Received();
    // The keyboard's infrared log entries since its last reset ("ir-record:9F", ...).
    std::vector<std::string> InfraredLog();
    // The trace so far (the trace is closed to read it).
    std::string Trace();

    testsupport::TempFolder folder_;
    testsupport::CurrentFolderGuard current_{folder_.Path()};
    const std::string ini_ = folder_ / "skarpin.ini";
    KeyboardControl keyboard_;
    TraceLog trace_;
    std::unique_ptr<AccessKvoraLink> link_;
    std::unique_ptr<IrCommands> commands_;
};

// Upper-case hex of bytes.
std::string Hex(const std::string& bytes);

} // namespace infraredtest
