// The export tests' set.
#include "ExportFixture.h"
#include "PictureFixtures.h"
#include "library/Cp1252.h"
#include <windows.h>

using namespace fixtures;

namespace {

Block KeyBlock(int cell, const std::string& command, const std::string& picture = std::string())
{
    Block block;
    block.cells_.push_back(Range(cell, cell));
    block.command_ = command;
    block.picturePath_ = picture;
    return block;
}

} // namespace

ExportFixture::ExportFixture()
{
    Config().Write("media\\bilder\\Hund.BMP", "");
    WriteBytes(Media("bilder\\Hund.BMP"), MakeBmpFile(BuildDib(DibForm{}, 40, 30, [](int x, int y) -> std::uint32_t {
        return QuadrantAt(kQuadrants, x, y, 40, 30);
    })));
    Config().Write("media\\bakgrund\\himmel.bmp", "BM himmel");
    Config().Write("media\\ljud\\sk\xE5l \xE4pple.wav", "RIFF ljud");
    Config().Write("media\\ljud\\s\xE5ng.mp3", "ID3 s\xE5ng");
    Config().Write("media\\film\\resa.avi", "RIFF film");
    Config().Write("media\\docs\\register.txt", "inte setets register");

    Block sun = KeyBlock(1, "");
    sun.picturePath_ = SunPicture();
    sun.pictureCode_ = "A101";
    const std::vector<Block> pictureKeys = {
        KeyBlock(0, "", Media("bilder\\Hund.BMP")),
        sun,
        KeyBlock(2, "@'Sk\xE5l'+" + ShortMedia("ljud\\sk\xE5l \xE4pple.wav") + "@"),
        KeyBlock(3, kSpacedCommand),
        KeyBlock(4, "@" + Media("ljud\\s\xE5ng.mp3") + "@"),
        KeyBlock(5, "@c:\\finns\\inte.bmp@"),
    };
    const std::vector<Block> pictureBackground = {
        KeyBlock(16, "", Media("bakgrund\\himmel.bmp")),
        KeyBlock(17, "@" + Media("film\\resa.avi") + "@"),
    };
    const std::vector<Block> soundKeys = {
        KeyBlock(0, "@'Sk\xE5l'+" + Media("ljud\\sk\xE5l \xE4pple.wav") + "@"),
        KeyBlock(1, "@'Sp\xE5r'+d:\\cd\\track05.cda@"),
        KeyBlock(2, "", Media("docs\\register.txt")),
    };
    std::string name = "Bilder";
    IO().SaveOverlay(name, 1, kSet, pictureKeys, pictureBackground, KeyboardSettings());
    name = "Ljud";
    IO().SaveOverlay(name, 2, kSet, soundKeys, {}, KeyboardSettings());
    IO().SetAccessKvoraFlag(name, kSet, 1);
    name = "Tomt";
    IO().SaveOverlay(name, 3, kSet, {}, {}, KeyboardSettings());
}

std::string ExportFixture::ShortMedia(const std::string& relative)
{
    const std::string path = Media(relative);
    char shortPath[MAX_PATH] = "";
    const DWORD length = ::GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(shortPath) : path;
}

std::vector<std::string> ExportFixture::ExpectedMedia()
{
    return {LowerCase(Media("bilder\\Hund.BMP")), LowerCase(Media("ljud\\sk\xE5l \xE4pple.wav")),
            LowerCase(Media("ljud\\s\xE5ng.mp3")), LowerCase(Media("bakgrund\\himmel.bmp")),
            LowerCase(Media("film\\resa.avi")), LowerCase(Media("docs\\register.txt"))};
}

std::vector<SetItem> ExportFixture::Overlays()
{
    std::vector<SetItem> overlays;
    IO().ListOverlays(kSet, overlays);
    for (SetItem& overlay : overlays)
        overlay.selected_ = 1;
    return overlays;
}

std::string LowerCase(std::string text)
{
    return cp1252::Lower(text);
}
