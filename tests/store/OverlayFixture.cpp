// The configuration of the overlay file tests.
#include "OverlayFixture.h"
#include <windows.h>
#include <sstream>

OverlayFixture::OverlayFixture()
{
    const std::string bases = config_.Write("bilder\\bas.ini",
        "[ProgDir]\r\nDir=" + BitmapFolder() + "\r\nExtension=bmp\r\n"
        "[Grupper]\r\nAntal=1\r\n1=Natur\r\n[Natur]\r\nAntal=1\r\nKod=1\r\n101=sol,sol\r\n");
    const std::string library = config_.Write("vireda\\vireda.ini",
        "[ProgDir]\r\nDir=" + (config_.Temp() / "vireda") + "\r\nExtension=wmf\r\n"
        "[Bilder]\r\n1=hus,hus\r\n");
    config_.Write("bilder\\sol.bmp", "BM");
    config_.Write("vireda\\hus.wmf", "");
    config_.Write("windows\\imgbase.skarpin.ini",
        "[ImageBases]\r\nDefault=A\r\nA=" + bases + ",Bilder,1,2,0\r\nV=" + library + ",Bibliotek,1,2,0\r\n");
    io_ = &config_.Open();
    ::CreateDirectoryA(SetFolder().c_str(), nullptr);
    config_.Write("Program Files\\Skarpin\\set\\" + std::string(kSet) + "\\register.txt",
                  "[KeyboardSettings]\r\nFlashSignal=1\r\n[Overlays]\r\n");
}

std::string OverlayFixture::WriteOverlay(const std::string& name, const std::string& content) const
{
    return config_.Write("Program Files\\Skarpin\\set\\" + std::string(kSet) + "\\" + name + ".ini", content);
}

int OverlayFixture::Save(std::string name, const std::vector<Block>& keys, const std::vector<Block>& background,
                         const KeyboardSettings& settings)
{
    return io_->SaveOverlay(name, 1, kSet, keys, background, settings);
}

int OverlayFixture::Load(const std::string& name, std::vector<Block>& keys, std::vector<Block>& background)
{
    KeyboardSettings settings;
    return io_->LoadOverlay(OverlayFile(name), keys, background, settings);
}

std::vector<std::string> OverlayFixture::FilesInSet() const
{
    return testsupport::TempFolder::FilesIn(SetFolder());
}

RECT Range(int firstCell, int lastCell)
{
    RECT range;
    FileIO::CellsToRect(firstCell, lastCell, range);
    return range;
}

std::string StoredDifference(const Block& expected, const Block& actual)
{
    std::ostringstream out;
    auto check = [&](const char* name, const auto& a, const auto& b) {
        if (!(a == b))
            out << name << " differs; ";
    };
    check("id", expected.id_, actual.id_);
    check("cell count", expected.cells_.size(), actual.cells_.size());
    for (size_t i = 0; i < expected.cells_.size() && i < actual.cells_.size(); ++i) {
        const RECT& a = expected.cells_[i];
        const RECT& b = actual.cells_[i];
        if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom)
            out << "range " << i << " differs; ";
    }
    check("command", expected.command_, actual.command_);
    check("repeat", expected.repeat_, actual.repeat_);
    check("text", expected.text_, actual.text_);
    check("picture path", expected.picturePath_, actual.picturePath_);
    check("picture code", expected.pictureCode_, actual.pictureCode_);
    check("text position", expected.textPosition_, actual.textPosition_);
    check("frame width", expected.frameWidth_, actual.frameWidth_);
    check("centred", expected.centred_, actual.centred_);
    check("text colour", expected.textColor_, actual.textColor_);
    check("frame colour", expected.frameColor_, actual.frameColor_);
    check("cover", expected.cover_, actual.cover_);
    check("transparent", expected.transparent_, actual.transparent_);
    check("own font", expected.ownFont_, actual.ownFont_);
    check("font name", expected.fontName_, actual.fontName_);
    check("font style", expected.fontStyle_, actual.fontStyle_);
    check("font size", expected.fontSize_, actual.fontSize_);
    check("round frame", expected.roundFrame_, actual.roundFrame_);
    if (!expected.transparent_)
        check("background colour", expected.backColor_, actual.backColor_);
    return out.str();
}
