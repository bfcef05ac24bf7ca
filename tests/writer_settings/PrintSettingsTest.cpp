// The printer choice: its name in the program ini and the device blocks in DefaultPrinter.inf.
#include "MorvelConfig.h"
#include "framework/Files.h"
#include "writer_settings/PrintSettings.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

HGLOBAL BlockOf(const std::string& bytes)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    return block;
}

std::string BytesOf(HGLOBAL block)
{
    std::string bytes(static_cast<const char*>(::GlobalLock(block)), ::GlobalSize(block));
    ::GlobalUnlock(block);
    return bytes;
}

std::string Size(DWORD size)
{
    return std::string(reinterpret_cast<const char*>(&size), sizeof(size));
}

// A device mode with 8 bytes of the driver's own, in a block 4 bytes larger than it needs.
std::string DeviceMode()
{
    DEVMODEA mode{};
    std::strcpy(reinterpret_cast<char*>(mode.dmDeviceName), "Skrivaren");
    mode.dmSize = sizeof(mode);
    mode.dmDriverExtra = 8;
    mode.dmFields = DM_ORIENTATION;
    mode.dmOrientation = DMORIENT_LANDSCAPE;
    return std::string(reinterpret_cast<const char*>(&mode), sizeof(mode)) + "privat.." + std::string(4, '\0');
}

std::string DeviceNames()
{
    DEVNAMES names{};
    names.wDriverOffset = sizeof(names);
    names.wDeviceOffset = sizeof(names) + 9;
    names.wOutputOffset = sizeof(names) + 19;
    return std::string(reinterpret_cast<const char*>(&names), sizeof(names)) + std::string("winspool\0Skrivaren\0FILE:\0", 25);
}

class PrinterChoice : public testing::Test {
protected:
    void TearDown() override
    {
        for (HGLOBAL block : {dialog.hDevMode, dialog.hDevNames}) {
            if (block)
                ::GlobalFree(block);
        }
    }

    MorvelConfig config;
    PrintSettings settings{config.Environment()};
    PRINTDLGA dialog{};
};

} // namespace

TEST_F(PrinterChoice, KeepsThePrinterNameInTheProgramIni)
{
    EXPECT_EQ(config.ProgramFolder(), settings.programDir_);
    EXPECT_EQ(config.ProgramIni(), settings.programIni_);
    settings.defaultPrinter_ = "Kontorets skrivare";
    ASSERT_TRUE(settings.WriteDefaultPrinter());
    PrintSettings read(config.Environment());
    read.ReadDefaultPrinter();
    EXPECT_EQ("Kontorets skrivare", read.defaultPrinter_);

    // A program ini that cannot be read is the default user's settings too: never written over.
    const std::string damaged("[MVSettings]\r\nDefaultPrinter=Kontorets skrivare\r\n\0", 50);
    config.Write(config.ProgramIni().substr(config.Temp().Path().size() + 1), damaged);
    settings.defaultPrinter_ = "Hemma";
    EXPECT_FALSE(settings.WriteDefaultPrinter());
    EXPECT_EQ(damaged, testsupport::TempFolder::Read(config.ProgramIni()));
}

// The printer's name went into a program ini that had gone since it was read: a stub holding it alone.
TEST_F(PrinterChoice, ThePrinterNameNeverCreatesAProgramIniThatWasReadAndHasGone)
{
    config.Write(config.ProgramIni().substr(config.Temp().Path().size() + 1), "[MVSettings]\r\nMaxNumber=4\r\n");
    settings.ReadDefaultPrinter();
    ASSERT_TRUE(::DeleteFileA(config.ProgramIni().c_str()));
    settings.defaultPrinter_ = "Hemma";
    EXPECT_TRUE(settings.ProgramIniGone());
    EXPECT_FALSE(settings.WriteDefaultPrinter());
    EXPECT_TRUE(fw::IsAbsent(config.ProgramIni()));

    // One that was not there when read is written fresh.
    PrintSettings fresh(config.Environment());
    fresh.ReadDefaultPrinter();
    fresh.defaultPrinter_ = "Hemma";
    EXPECT_FALSE(fresh.ProgramIniGone());
    EXPECT_TRUE(fresh.WriteDefaultPrinter());
    EXPECT_EQ("Hemma", MorvelConfig::Value(config.ProgramIni(), "MVSettings", "DefaultPrinter"));
}

TEST_F(PrinterChoice, WritesBothBlocksWithTheirSizesAndReadsThemBackIntoNewBlocks)
{
    dialog.hDevMode = BlockOf(DeviceMode());
    dialog.hDevNames = BlockOf(DeviceNames());
    ASSERT_EQ(0u, settings.SavePrinterChoice(dialog));
    EXPECT_EQ(Size(static_cast<DWORD>(DeviceMode().size())) + DeviceMode() + Size(static_cast<DWORD>(DeviceNames().size()))
                  + DeviceNames(),
              testsupport::TempFolder::Read(settings.PrinterChoiceFile()));

    PRINTDLGA loaded{};
    ASSERT_EQ(0u, settings.LoadPrinterChoice(loaded));
    EXPECT_EQ(DeviceMode(), BytesOf(loaded.hDevMode));
    EXPECT_EQ(DeviceNames(), BytesOf(loaded.hDevNames));
    ::GlobalFree(loaded.hDevMode);
    ::GlobalFree(loaded.hDevNames);
}

// The print dialog reads the blocks as they stand: a damaged file must never reach it.
TEST_F(PrinterChoice, RefusesAMissingOrDamagedFileAndLeavesTheDialogAlone)
{
    const std::string mode = DeviceMode();
    std::string shortMode = mode;
    reinterpret_cast<DEVMODEA*>(&shortMode[0])->dmDriverExtra = 400;
    std::string names = DeviceNames();
    std::string farNames = names;
    reinterpret_cast<DEVNAMES*>(&farNames[0])->wOutputOffset = 400;
    std::string unended = names;
    unended.resize(unended.size() - 1);
    struct Case {
        const char* what;
        std::string file;
    } const cases[] = {
        {"empty", ""},
        {"cut in the first size", Size(12).substr(0, 2)},
        {"a size past the end", Size(5000) + mode},
        {"no second block", Size(static_cast<DWORD>(mode.size())) + mode},
        {"driver data past the block", Size(static_cast<DWORD>(shortMode.size())) + shortMode
                                           + Size(static_cast<DWORD>(names.size())) + names},
        {"a name past the block", Size(static_cast<DWORD>(mode.size())) + mode
                                      + Size(static_cast<DWORD>(farNames.size())) + farNames},
        {"a name without its end", Size(static_cast<DWORD>(mode.size())) + mode
                                       + Size(static_cast<DWORD>(unended.size())) + unended},
    };
    EXPECT_NE(0u, settings.LoadPrinterChoice(dialog)) << "missing file";
    for (const Case& c : cases) {
        config.Write("Program Files\\Morvel\\DefaultPrinter.inf", c.file);
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), settings.LoadPrinterChoice(dialog)) << c.what;
        EXPECT_EQ(nullptr, dialog.hDevMode) << c.what;
        EXPECT_EQ(nullptr, dialog.hDevNames) << c.what;
    }
}

TEST_F(PrinterChoice, AFailedSaveKeepsTheChoiceMadeBefore)
{
    const std::string before = config.Write("Program Files\\Morvel\\DefaultPrinter.inf", "tidigare val");
    EXPECT_NE(0u, settings.SavePrinterChoice(dialog)); // no blocks to save
    dialog.hDevMode = BlockOf(DeviceMode());
    dialog.hDevNames = BlockOf(DeviceNames());
    PrintSettings elsewhere(config.Environment());
    elsewhere.programDir_ = config.Temp() / "saknas";
    EXPECT_NE(0u, elsewhere.SavePrinterChoice(dialog));
    EXPECT_EQ("tidigare val", testsupport::TempFolder::Read(before));
}

// A choice file there that does not read (damaged, locked, a folder under its name) is no choice of
// ours and is never replaced by the next one; only an absent file is written fresh.
TEST_F(PrinterChoice, AChoiceFileThatDoesNotReadIsNeverReplaced)
{
    dialog.hDevMode = BlockOf(DeviceMode());
    dialog.hDevNames = BlockOf(DeviceNames());
    const std::string file = settings.PrinterChoiceFile();

    config.Write("Program Files\\Morvel\\DefaultPrinter.inf", "trasigt");
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), settings.CheckPrinterChoice());
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), settings.SavePrinterChoice(dialog));
    EXPECT_EQ("trasigt", testsupport::TempFolder::Read(file));

    {
        HANDLE locked = ::CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, locked);
        const DWORD check = settings.CheckPrinterChoice();
        EXPECT_NE(0u, check);
        EXPECT_NE(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), check) << "a locked file is no missing one";
        EXPECT_NE(0u, settings.SavePrinterChoice(dialog));
        ::CloseHandle(locked);
    }
    EXPECT_EQ("trasigt", testsupport::TempFolder::Read(file));

    ::DeleteFileA(file.c_str());
    ::CreateDirectoryA(file.c_str(), nullptr);
    EXPECT_NE(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), settings.CheckPrinterChoice()) << "a folder";
    EXPECT_NE(0u, settings.SavePrinterChoice(dialog));
    ::RemoveDirectoryA(file.c_str());

    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), settings.CheckPrinterChoice());
    EXPECT_EQ(0u, settings.SavePrinterChoice(dialog));
    EXPECT_EQ(0u, settings.CheckPrinterChoice());
}
