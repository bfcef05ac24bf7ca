// The set compiler's throw-away configuration.
#include "CompilerFixture.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>

namespace {

// The sample folder as the Windows program sees it: the Unix root is drive Z.
std::string SampleFile(const std::string& relative)
{
    std::string path = std::string("Z:") + SAMPLE_FOLDER + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

const char* const kKeyNames =
    "[KeyNames]\r\nReturn=Return\r\nBackspace=Backspace\r\nCtrl=Ctrl\r\nAlt=Alt\r\nDelete=Delete\r\nShift=Shift\r\n"
    "Tab=Tab\r\nEsc=Esc\r\nInsert=Insert\r\nHome=Home\r\nEnd=End\r\nPageUp=PageUp\r\nPageDown=PageDown\r\n"
    "Right=Right\r\nLeft=Left\r\nUp=Up\r\nDown=Down\r\nCapsLock=CapsLock\r\nNumLock=NumLock\r\n"
    "ScrollLock=ScrollLock\r\nSpace=Space\r\nPrintScreen=PrintScreen\r\nPause=Paus\r\nNum1=Num1\r\nNum2=Num2\r\n"
    "Num3=Num3\r\nNum4=Num4\r\nNum5=Num5\r\nNum6=Num6\r\nNum7=Num7\r\nNum8=Num8\r\nNum9=Num9\r\nNum0=Num0\r\n"
    "NumMultiply=NumMultiply\r\nNumAdd=Num+\r\nNumSubtract=NumSubtract\r\nNumDivide=NumDivide\r\n"
    "NumDecimal=NumDecimal\r\nNum=Num\r\n";

std::string RegisterText(const std::vector<std::pair<int, std::string>>& entries, const std::string& settingsLines)
{
    std::string text = "[KeyboardSettings]\r\n" + settingsLines + "[Overlays]\r\n";
    for (const auto& entry : entries)
        text += std::to_string(entry.first) + "=" + entry.second + "\r\n";
    return text;
}

std::string Relative(const testsupport::TempFolder& temp, const std::string& path)
{
    return path.substr(temp.Path().size() + 1);
}

} // namespace

CompilerFixture::CompilerFixture(const std::string& extraSettings)
{
    WriteProgramSettings("[Settings]\r\nStandardOverlayName=Standard\r\nTemplatesName=Mallar\r\n" + std::string(kKeyNames)
                         + extraSettings);
    Write("Program Files\\Skarpin\\skarpin.key", testsupport::TempFolder::Read(SampleFile("skarpin/skarpin.key")));
    io_ = &Open();
}

FileIO& CompilerFixture::Reopen()
{
    io_ = &Open();
    return *io_;
}

void CompilerFixture::MakeSet(const std::string& set, const std::vector<std::pair<int, std::string>>& entries,
                              const std::string& settingsLines)
{
    Write(Relative(Temp(), io_->SetRegisterPath(set)), RegisterText(entries, settingsLines));
}

void CompilerFixture::WriteOverlayFile(const std::string& set, const std::string& name, const std::string& keyLines,
                                       const std::string& settingsLines)
{
    Write(Relative(Temp(), io_->OverlayPath(set, name)), "[Version]\r\nVersion=4.2.0.0\r\n\r\n[Data]\r\n" + keyLines
                                                             + "\r\n[Background]\r\n[KeyboardSettings]\r\n" + settingsLines);
}

void CompilerFixture::SaveOverlay(const std::string& set, const std::string& name, int number,
                                  const std::vector<Block>& keys, const KeyboardSettings& settings)
{
    std::string saved = name;
    ASSERT_EQ(FileIO::kSaved, io_->SaveOverlay(saved, number, set, keys, {}, settings));
}

void CompilerFixture::WriteZenthorIni(const std::string& content) const
{
    Write("windows\\zenthor.ini", content);
}

void CompilerFixture::WriteInfraredCodes(const std::string& content) const
{
    Write("Program Files\\Skarpin\\Zenthor\\ir_data.kvx", content);
}

void CompilerFixture::EnableZenthor(const std::string& infraredCodes) const
{
    WriteZenthorIni("[StartSequence]\r\nVK_KEY_1=49\r\n");
    WriteInfraredCodes(infraredCodes);
}

Bytes CompilerFixture::Compile(const std::string& set, int kind, SetCompileResult* result)
{
    SetImage image;
    SetCompileResult compiled = io_->CompileSet(set, image, kind);
    if (result)
        *result = compiled;
    return image.Bytes();
}

Bytes CompilerFixture::CompileAsSent(const std::string& set)
{
    SetImage image;
    io_->CompileSet(set, image, FileIO::kModelPS2);
    image.AppendTrailer();
    return image.Bytes();
}

Bytes CompilerFixture::KeyCodes(const std::string& text)
{
    Bytes bytes;
    for (char character : text)
        io_->AppendKeyCodes(character, bytes);
    return bytes;
}

Bytes CompilerFixture::CommandBytes(const std::string& command)
{
    SetImage image;
    Block block;
    block.command_ = command;
    io_->AppendBlock(block, image);
    // The record's head: 0x02, the repeat byte and a range count of 0.
    return Bytes(image.Bytes().begin() + 3, image.Bytes().end());
}

Block KeyBlock(int firstCell, int lastCell, const std::string& command, int repeat)
{
    Block block;
    RECT range;
    FileIO::CellsToRect(firstCell, lastCell, range);
    block.cells_.push_back(range);
    block.command_ = command;
    block.repeat_ = repeat;
    return block;
}

std::string Hex(const Bytes& bytes)
{
    std::string text;
    for (std::uint8_t byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof(pair), "%02X", byte);
        text += (text.empty() ? "" : " ") + std::string(pair);
    }
    return text;
}

Bytes FromHex(const std::string& hex)
{
    Bytes bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 3)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return bytes;
}

Bytes Ascii(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes operator+(Bytes first, const Bytes& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

