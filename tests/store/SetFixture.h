// A throw-away configuration with a set folder, and helpers that build set folders, registers and
// overlay files in it and read them back.
#pragma once
#include "ConfigFixture.h"
#include <string>
#include <utility>
#include <vector>

class SetFixture : public ConfigFixture {
public:
    SetFixture();

    FileIO& Io() { return *io_; }
    std::string SetFolder() const { return ProgramFolder() + "\\set"; }
    std::string SetPath(const std::string& set) const { return SetFolder() + "\\" + set; }
    std::string RegisterPath(const std::string& set) const { return SetPath(set) + "\\register.txt"; }
    std::string OverlayPath(const std::string& set, const std::string& name) const
    {
        return SetPath(set) + "\\" + name + ".ini";
    }

    // A set folder with this register text (none when null) and an overlay file for each name.
    void MakeSet(const std::string& set, const char* registerText, const std::vector<std::string>& overlays = {});
    // An overlay file whose content names the overlay, so a test can tell which file went where.
    void MakeOverlay(const std::string& set, const std::string& name);
    static std::string OverlayText(const std::string& name);
    std::string Read(const std::string& path) const { return testsupport::TempFolder::Read(path); }
    std::string Register(const std::string& set) const { return Read(RegisterPath(set)); }

    // "number name" of each entry, the form the tests compare lists in.
    static std::vector<std::string> Lines(const std::vector<SetItem>& items);

    // The register as the set store writes it: default keyboard settings, then these entries.
    static std::string StandardRegister(const std::vector<std::pair<int, std::string>>& entries);

private:
    FileIO* io_ = nullptr;
};

using Carry = FileIO::CarryResult;
