// Set folders for the set store's tests.
#include "SetFixture.h"
#include <windows.h>

SetFixture::SetFixture()
{
    io_ = &Open();
}

void SetFixture::MakeSet(const std::string& set, const char* registerText, const std::vector<std::string>& overlays)
{
    ::CreateDirectoryA(SetPath(set).c_str(), nullptr);
    if (registerText != nullptr)
        Temp().Write(RegisterPath(set).substr(Temp().Path().size() + 1), registerText);
    for (const std::string& name : overlays)
        MakeOverlay(set, name);
}

void SetFixture::MakeOverlay(const std::string& set, const std::string& name)
{
    Temp().Write(OverlayPath(set, name).substr(Temp().Path().size() + 1), OverlayText(name));
}

std::string SetFixture::OverlayText(const std::string& name)
{
    return "[Version]\r\nVersion=5.0.19.0\r\n\r\n[Data]\r\nBlock1=1,0,0,0," + name + "\r\n";
}

std::vector<std::string> SetFixture::Lines(const std::vector<SetItem>& items)
{
    std::vector<std::string> lines;
    for (const SetItem& item : items)
        lines.push_back(std::to_string(item.number_) + " " + item.name_);
    return lines;
}

std::string SetFixture::StandardRegister(const std::vector<std::pair<int, std::string>>& entries)
{
    std::string text =
        "[KeyboardSettings]\r\nFlashSignal=1\r\nBeepSignal=1\r\nFrequency=0.7\r\nRepeatDelay=1.0\r\n"
        "SignalDelay=0.0\r\nBounceLock=0.0\r\nMouseKeyTopSpeed=20\r\nMouseKeyAcceleration=100\r\n"
        "MouseCursorStep=1\r\n[Overlays]\r\n";
    for (const auto& entry : entries)
        text += std::to_string(entry.first) + "=" + entry.second + "\r\n";
    return text;
}
