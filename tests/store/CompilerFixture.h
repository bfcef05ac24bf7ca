// A throw-away Skarpin configuration for the set compiler: the sample [KeyNames] words (with NumAdd
// written "Num+"), the sample Swedish key-code table, a standard set named "Standard", and helpers
// that write sets and overlay files and compile them.
#pragma once
#include "store/ConfigFixture.h"
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

class CompilerFixture : public ConfigFixture {
public:
    explicit CompilerFixture(const std::string& extraSettings = std::string());

    FileIO& Io() { return *io_; }
    // Reads the configuration again, after a test changed it.
    FileIO& Reopen();

    // A set folder whose register holds these keyboard settings lines and entries.
    void MakeSet(const std::string& set, const std::vector<std::pair<int, std::string>>& entries,
                 const std::string& settingsLines = std::string());
    // An overlay file with these key lines ("Block1=..."), as a hand-edited file may hold them.
    void WriteOverlayFile(const std::string& set, const std::string& name, const std::string& keyLines,
                          const std::string& settingsLines = std::string());
    // An overlay saved by the store's own writer (the set's register gets its entry).
    void SaveOverlay(const std::string& set, const std::string& name, int number, const std::vector<Block>& keys,
                     const KeyboardSettings& settings = KeyboardSettings());

    // zenthor.ini in the fixture's Windows folder, and "Zenthor\ir_data.kvx" in the program folder.
    std::string ZenthorIni() const { return WindowsFolder() + "\\zenthor.ini"; }
    void WriteZenthorIni(const std::string& content) const;
    void WriteInfraredCodes(const std::string& content) const;
    // Both, so that an AccessKvora compile has its start key '1' and these infrared codes.
    void EnableZenthor(const std::string& infraredCodes = std::string()) const;

    Bytes Compile(const std::string& set, int kind = FileIO::kModelPS2, SetCompileResult* result = nullptr);
    // The image as the serial link sends it: compiled, then finished with the image's own trailer.
    Bytes CompileAsSent(const std::string& set);
    // The text typed key by key through the key-code table.
    Bytes KeyCodes(const std::string& text);
    // The bytes of one block's command alone, compiled as the compiler's current state has it.
    Bytes CommandBytes(const std::string& command);

private:
    FileIO* io_ = nullptr;
};

// One block of one range from the first cell to the last.
Block KeyBlock(int firstCell, int lastCell, const std::string& command, int repeat = 0);
// Bytes as upper-case hexadecimal pairs separated by blanks, and the other way round.
std::string Hex(const Bytes& bytes);
Bytes FromHex(const std::string& hex);
// Text bytes as they are.
Bytes Ascii(const std::string& text);
Bytes operator+(Bytes first, const Bytes& second);
