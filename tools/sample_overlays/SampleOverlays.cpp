// Writes the two sample overlays of the run command's sample configuration with FileIO's own writer,
// and draws an overlay file as the editor's grid shows it, into a BMP file for a look.
// Console program:
//   sample_overlays.exe write <sets folder>              the set "Exempel" with its register and overlays
//   sample_overlays.exe draw <overlay file> <out.bmp>     on the configuration of this Wine prefix
#include "components/PictureControl.h"
#include "framework/Gdi.h"
#include "store/FileIO.h"
#include "tools/sample_common/SampleConfiguration.h"
#include <windows.h>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kSetName = "Exempel";
const char* const kBaseFolder = "C:\\Program Files\\Bildbas\\bilder\\";
const COLORREF kCream = RGB(250, 246, 228);
const COLORREF kSky = RGB(205, 228, 250);
const COLORREF kLeaf = RGB(214, 240, 200);
const COLORREF kSun = RGB(255, 236, 150);
const COLORREF kStone = RGB(232, 232, 232);

RECT Cells(int left, int top, int right, int bottom)
{
    return RECT{left, top, right, bottom};
}

Block Key(const RECT& range, const std::string& text, const std::string& command, COLORREF background)
{
    Block block;
    block.cells_ = {range};
    block.text_ = text;
    block.command_ = command;
    block.backColor_ = background;
    return block;
}

// A picture of the sample image base: the block stores its code; the editor shows the file.
Block PictureKey(const RECT& range, const std::string& code, const std::string& file, const std::string& word,
                 COLORREF background)
{
    Block block = Key(range, word, "@" + code + "@", background);
    block.pictureCode_ = code;
    block.picturePath_ = std::string(kBaseFolder) + file + ".bmp";
    block.textPosition_ = Block::kBottom;
    block.frameWidth_ = 2;
    block.roundFrame_ = 1;
    return block;
}

void Number(std::vector<Block>& blocks)
{
    for (size_t i = 0; i < blocks.size(); ++i)
        blocks[i].id_ = static_cast<int>(i) + 1;
}

// Pictures with their words, and four answers below.
void PictureOverlay(std::vector<Block>& keys, std::vector<Block>& background)
{
    struct Picture {
        const char* code;
        const char* file;
        const char* word;
    };
    const Picture pictures[] = {
        {"A101", "sol", "sol"},  {"A102", "mane", "måne"}, {"A103", "stjarna", "stjärna"}, {"A104", "trad", "träd"},
        {"A201", "hus", "hus"},  {"A202", "bil", "bil"},   {"A203", "bat", "båt"},         {"A204", "boll", "boll"},
    };
    for (int i = 0; i < 8; ++i) {
        const int column = (i % 4) * 4;
        const int row = (i / 4) * 3;
        keys.push_back(PictureKey(Cells(column, row, column + 3, row + 2), pictures[i].code, pictures[i].file,
                                  pictures[i].word, i < 4 ? kSun : kSky));
    }
    keys.push_back(Key(Cells(0, 6, 3, 7), "Ja", "ja ", kLeaf));
    keys.push_back(Key(Cells(4, 6, 7, 7), "Nej", "nej ", RGB(250, 200, 200)));
    keys.push_back(Key(Cells(8, 6, 11, 7), "Mer", "mer ", kStone));
    Block erase = Key(Cells(12, 6, 15, 7), "Sudda", "<Backspace>", kStone);
    erase.repeat_ = 1;
    erase.frameWidth_ = 1;
    keys.push_back(erase);
    Number(keys);

    Block all = Key(Cells(0, 0, 15, 7), "", "", kCream);
    background.push_back(all);
    Number(background);
}

// Phrases, the letters of the Swedish alphabet, a Return key in the shape of an L and a space bar.
void LetterOverlay(std::vector<Block>& keys, std::vector<Block>& background)
{
    const char* const phrases[][2] = {{"Hej", "Hej "}, {"Tack", "Tack "}, {"Hej då", "Hej då "}, {"God\r\nmorgon", "God morgon "}};
    for (int i = 0; i < 4; ++i) {
        Block phrase = Key(Cells(i * 4, 0, i * 4 + 3, 1), phrases[i][0], phrases[i][1], kSky);
        phrase.fontName_ = "Times New Roman";
        phrase.ownFont_ = 1;
        phrase.fontSize_ = 28;
        phrase.fontStyle_ = Block::kItalic;
        phrase.frameWidth_ = 1;
        keys.push_back(phrase);
    }
    const std::string letters = "abcdefghijklmnopqrstuvwxyzåäö";
    const std::string vowels = "aeiouyåäö";
    for (size_t i = 0; i < letters.size(); ++i) {
        // Rows of eight keys two cells wide; rows 4 and 5 leave room for the Return key.
        int column, row;
        if (i < 16) {
            column = static_cast<int>(i % 8) * 2;
            row = 2 + static_cast<int>(i / 8);
        } else if (i < 22) {
            column = static_cast<int>(i - 16) * 2;
            row = 4;
        } else {
            column = static_cast<int>(i - 22) * 2;
            row = 5;
        }
        const char letter = letters[i];
        const bool vowel = vowels.find(letter) != std::string::npos;
        char upper[2] = {letter, 0};
        ::CharUpperBuffA(upper, 1);
        keys.push_back(Key(Cells(column, row, column + 1, row), upper, std::string(1, letter), vowel ? kSun : RGB(255, 255, 255)));
    }
    Block enter = Key(Cells(12, 4, 15, 4), "Retur", "<Return>", kLeaf);
    enter.cells_.push_back(Cells(14, 5, 15, 5));
    enter.frameWidth_ = 2;
    keys.push_back(enter);
    keys.push_back(Key(Cells(0, 6, 9, 7), "mellanslag", " ", kStone));
    Block erase = Key(Cells(10, 6, 11, 7), "Sudda", "<Backspace>", kStone);
    erase.repeat_ = 1;
    keys.push_back(erase);
    Block greeting = Key(Cells(12, 6, 15, 7), "Hej, hej!", "Hej, hej! <Paus0.5><Return>", kStone);
    greeting.transparent_ = 1;
    greeting.roundFrame_ = 1;
    greeting.frameWidth_ = 3;
    greeting.frameColor_ = RGB(40, 90, 200);
    greeting.textColor_ = RGB(40, 90, 200);
    keys.push_back(greeting);
    Number(keys);

    background.push_back(Key(Cells(0, 0, 15, 1), "", "", RGB(225, 238, 252)));
    background.push_back(Key(Cells(0, 2, 15, 7), "", "", kStone));
    Number(background);
}

int WriteSet(const std::string& setsFolder)
{
    const FileIOEnvironment environment = sample::TemporaryConfiguration("sample_overlays");
    int failures = 0;
    {
        FileIO io(environment);
        io.setFolder_ = setsFolder;
        const std::string set = setsFolder + "\\" + kSetName;
        ImageBaseManager::DeleteTree(set);
        ::CreateDirectoryA(set.c_str(), nullptr);
        // The register as a new set's: its keyboard settings and an empty overlay list.
        const KeyboardSettings settings;
        std::string text = "[KeyboardSettings]\r\n";
        text += "FlashSignal=" + std::to_string(settings.flashSignal_) + "\r\n";
        text += "BeepSignal=" + std::to_string(settings.beepSignal_) + "\r\n";
        text += "Frequency=0.7\r\nRepeatDelay=1.0\r\nSignalDelay=0.0\r\nBounceLock=0.0\r\n";
        text += "MouseKeyTopSpeed=20\r\nMouseKeyAcceleration=100\r\nMouseCursorStep=1\r\n[Overlays]\r\n";
        if (!sample::WriteText(set + "\\register.txt", text))
            ++failures;

        std::vector<Block> keys, background;
        PictureOverlay(keys, background);
        std::string name = "Bilder";
        if (io.SaveOverlay(name, 1, kSetName, keys, background, settings) != FileIO::kSaved)
            ++failures;
        keys.clear();
        background.clear();
        LetterOverlay(keys, background);
        name = "Bokstäver";
        if (io.SaveOverlay(name, 2, kSetName, keys, background, settings) != FileIO::kSaved)
            ++failures;
    }
    ImageBaseManager::DeleteTree(environment.windowsFolder);
    std::printf("%s\n", failures ? "failed" : "written");
    return failures ? 1 : 0;
}

bool SaveBitmap(const fw::DibSection& canvas, const std::string& path)
{
    PixelImage picture;
    if (!picture.Reset(canvas.Width(), canvas.Height()))
        return false;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const COLORREF c = canvas.Pixel(x, y);
            picture.Row(y)[x] = (static_cast<std::uint32_t>(GetRValue(c)) << 16)
                                | (static_cast<std::uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
        }
    }
    const std::vector<std::uint8_t> bytes = picture.ToBmpFile();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int Draw(const std::string& overlayFile, const std::string& bitmap)
{
    FileIOEnvironment environment = FileIOEnvironment::OfThisProgram();
    environment.applicationName = "Skarpin";
    FileIO io(environment);
    std::vector<Block> keys, background;
    KeyboardSettings settings;
    const int result = io.LoadOverlay(overlayFile, keys, background, settings);
    if (result != FileIO::kLoaded) {
        std::printf("cannot read %s (%d)\n", overlayFile.c_str(), result);
        return 1;
    }
    // Cells of 24 x 30 millimetres at 2.5 pixels a millimetre, as on an A4 overlay.
    const int width = 60;
    const int height = 75;
    RECT cells[Block::kCellCount];
    for (int i = 0; i < Block::kCellCount; ++i) {
        const int column = i % Block::kColumns;
        const int row = i / Block::kColumns;
        cells[i] = RECT{column * width, row * height, (column + 1) * width, (row + 1) * height};
    }
    fw::DibSection canvas(Block::kColumns * width, Block::kRows * height);
    canvas.Fill(::GetSysColor(COLOR_WINDOW));
    auto control = std::make_shared<PictureControl>();
    std::string font;
    io.GetDefaultFont(font);
    if (font.empty())
        font = "Arial";
    for (std::vector<Block>* layer : {&background, &keys}) {
        for (Block& block : *layer) {
            block.LoadPicture(control, 0, 1);
            block.Draw(canvas.DC(), cells, 30, font, 0, 0, 0, nullptr);
        }
    }
    if (!SaveBitmap(canvas, bitmap)) {
        std::printf("cannot write %s\n", bitmap.c_str());
        return 1;
    }
    std::printf("%s: %u keys, %u background blocks\n", bitmap.c_str(), static_cast<unsigned>(keys.size()),
                static_cast<unsigned>(background.size()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "write" && argc == 3)
        return WriteSet(argv[2]);
    if (command == "draw" && argc == 4)
        return Draw(argv[2], argv[3]);
    std::printf("usage: sample_overlays write <sets folder> | draw <overlay file> <out.bmp>\n");
    return 2;
}
