// The keyboard simulator, a found link and the infrared commands for the infrared tests.
#include "InfraredFixture.h"
#include "library/IniFile.h"
#include <sstream>

namespace infraredtest {

LinkTimings ShortLinkTimings()
{
    LinkTimings timings;
    timings.answer = 400;
    timings.nextByte = 100;
    timings.wakePause = 10;
    timings.drainByte = 50;
    timings.storePause = 10;
    return timings;
}

IrTimings ShortIrTimings()
{
    IrTimings timings;
    timings.frameByte = 100;
    timings.breakAnswer = 400;
    timings.channelByte = 100;
    timings.codeByte = 400;
    timings.codeStored = 600;
    timings.secureStored = 400;
    timings.testAnswer = 300;
    timings.testPerTenth = 20;
    timings.poll = 150;
    timings.pollPause = 10;
    timings.activePause = 10;
    return timings;
}

std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
    }
    return hex;
}

void InfraredFixture::SetUp()
{
    ASSERT_TRUE(keyboard_.Connected())
        << "no keyboard simulator: run this program through tools/keyboard_sim/with_keyboard.sh";
    Keyboard("reset");
    Keyboard("link " + std::to_string(kPort));
    Keyboard("version V8.0A");
    // Each test says when a learning reports what.
    Keyboard("ir-learn-after never");
    WriteSettings();
    link_ = std::make_unique<AccessKvoraLink>(trace_);
    link_->SetTimings(ShortLinkTimings());
    link_->Attach(ini_, AccessKvoraLink::kAccessKvora);
    ASSERT_EQ(1, link_->FindKeyboard());
    commands_ = std::make_unique<IrCommands>(*link_, trace_);
    commands_->SetTimings(ShortIrTimings());
    Received();
}

void InfraredFixture::TearDown()
{
    commands_.reset();
    link_.reset();
    keyboard_.Do("reset");
}

void InfraredFixture::WriteSettings()
{
    ini::WriteString(ini_, "Defaults", "ScanPorts", "0");
    ini::WriteString(ini_, "Defaults", "Port", "COM" + std::to_string(kPort));
    ini::WriteString(ini_, "Directories", "Exe", folder_.Path());
}

void InfraredFixture::Keyboard(const std::string& command)
{
    const std::string answer = keyboard_.Send(command);
    ASSERT_EQ(0u, answer.compare(0, 2, "ok")) << command << ": " << answer;
}

std::string InfraredFixture::Ask(const std::string& question)
{
    const std::string answer = keyboard_.Send(question);
    return answer.compare(0, 3, "ok ") == 0 ? answer.substr(3) : answer;
}

std::string InfraredFixture::Received()
{
    std::string hex = Ask("rx?");
    Keyboard("rx-forget");
    for (char& c : hex)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    return hex == "NONE" ? std::string() : hex;
}

std::vector<std::string> InfraredFixture::InfraredLog()
{
    std::vector<std::string> entries;
    for (const std::string& entry : keyboard_.Log()) {
        if (entry.compare(0, 3, "ir-") == 0)
            entries.push_back(entry);
    }
    return entries;
}

std::string InfraredFixture::Trace()
{
    trace_.Open(TraceLog::kOff, 0, "KvoraDebug.txt");
    return testsupport::TempFolder::Read(folder_ / "KvoraSerial.txt");
}

} // namespace infraredtest
