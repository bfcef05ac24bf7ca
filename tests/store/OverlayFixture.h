// A throw-away configuration with one set and two image bases (bitmaps under key A, metafiles under
// key V), for the overlay file tests.
#pragma once
#include "ConfigFixture.h"
#include <string>
#include <vector>

class OverlayFixture {
public:
    static constexpr const char* kSet = "Set1";

    OverlayFixture();

    FileIO& IO() { return *io_; }
    std::string SetFolder() const { return io_->setFolder_ + "\\" + kSet; }
    std::string OverlayFile(const std::string& name) const { return SetFolder() + "\\" + name + ".ini"; }
    std::string RegisterFile() const { return SetFolder() + "\\register.txt"; }
    // The picture of code A101 and of code V1.
    std::string SunPicture() const { return config_.Temp() / "bilder\\sol.bmp"; }
    std::string HousePicture() const { return config_.Temp() / "vireda\\hus.wmf"; }
    std::string BitmapFolder() const { return config_.Temp() / "bilder"; }

    // Writes an overlay file of the set as it stands.
    std::string WriteOverlay(const std::string& name, const std::string& content) const;
    // Saves and loads it back; the load's result goes to result when given.
    int Save(std::string name, const std::vector<Block>& keys, const std::vector<Block>& background = {},
             const KeyboardSettings& settings = KeyboardSettings());
    int Load(const std::string& name, std::vector<Block>& keys, std::vector<Block>& background);
    // The names of the files in the set's folder.
    std::vector<std::string> FilesInSet() const;

    ConfigFixture& Config() { return config_; }

private:
    ConfigFixture config_;
    FileIO* io_ = nullptr;
};

// Two blocks hold the same stored values.
std::string StoredDifference(const Block& expected, const Block& actual);
RECT Range(int firstCell, int lastCell);
