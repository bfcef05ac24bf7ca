// File names and file tests: the extension of a file's own name, and what exists.
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>

TEST(Files, TheExtensionIsTheFileNamesOwn)
{
    struct Case {
        const char* path;
        const char* extension;
    };
    const Case cases[] = {
        {"C:\\Ljud\\hej.Wav", "Wav"}, {"D:\\Track05.cda", "cda"}, {"C:\\ljud.mapp\\hej", ""}, {"sol.v2.bmp", "bmp"},
        {"C:\\bilder\\sol.", ""},     {"C:/ljud.mapp/hej", ""},   {"hej", ""},               {"", ""},
        {"C:x.jpeg", "jpeg"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.extension, fw::FileExtension(c.path)) << c.path;
}

// A bare file name names no folder: a caller that makes the folder of a path must not make one
// named like the file.
TEST(Files, TheFolderOfAPath)
{
    struct Case {
        const char* path;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\Bilder\\sol.jpg", "C:\\Bilder"}, {"C:/Bilder/sol.jpg", "C:/Bilder"}, {"C:\\sol.jpg", "C:"},
        {"Bilder\\sol.jpg", "Bilder"},        {"sol.jpg", ""},                    {"", ""},
        {"C:\\Bilder\\", "C:\\Bilder"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.folder, fw::FolderOf(c.path)) << c.path;
}

TEST(Files, FilesAndNamesThatExist)
{
    testsupport::TempFolder folder;
    const std::string file = folder.Write("ljud\\hej.wav", "RIFF");
    EXPECT_TRUE(fw::FileExists(file));
    EXPECT_TRUE(fw::PathExists(file));
    EXPECT_FALSE(fw::FileExists(folder / "ljud")) << "a folder is no file";
    EXPECT_TRUE(fw::PathExists(folder / "ljud"));
    EXPECT_TRUE(fw::FolderExists(folder / "ljud"));
    EXPECT_FALSE(fw::FolderExists(file)) << "a file is no folder";
    EXPECT_FALSE(fw::FileExists(folder / "saknas.wav"));
    EXPECT_FALSE(fw::PathExists(folder / "saknas.wav"));
    EXPECT_FALSE(fw::FolderExists(folder / "saknas"));
    EXPECT_FALSE(fw::PathExists(""));
}

// Folders compared as the file system names them: any spelling of one folder is that folder, and a
// folder holds what lies below it but not a sibling whose name begins like its own.
TEST(Files, AFolderHoldsItselfAndWhatLiesBelowItInAnySpelling)
{
    struct Case {
        const char* folder;
        const char* path;
        bool holds;
    };
    const Case cases[] = {
        {"C:\\Morvel\\Users", "C:\\Morvel\\Users", true},      {"C:\\Morvel\\Users\\", "c:\\morvel\\users", true},
        {"C:\\Morvel\\", "C:\\Morvel\\Users\\Anna", true},      {"c:\\", "C:\\Morvel\\Users", true},
        {"C:/Morvel", "C:\\Morvel\\Users", true},               {"C:\\Morvel\\Users\\..", "C:\\Morvel\\Dokument", true},
        {"C:\\Morvel\\Use", "C:\\Morvel\\Users", false},       {"C:\\Morvel\\Users\\Anna", "C:\\Morvel\\Users", false},
        {"C:\\Morvel\\Users", "D:\\Morvel\\Users", false},     {"", "C:\\Morvel", false},
        {"C:\\Morvel\\\xC5sa", "c:\\morvel\\\xE5sa\\1.txt", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.holds, fw::FolderHolds(c.folder, c.path)) << c.folder << " / " << c.path;
    EXPECT_EQ(fw::ComparablePath("C:\\Morvel\\Users\\"), fw::ComparablePath("c:\\MORVEL\\.\\users"));
    EXPECT_EQ("c:\\", fw::ComparablePath("C:\\"));
}

// A reader tells a name with nothing under it from a file it could not read: only the first may be
// written fresh.
TEST(Files, AReaderTellsAbsentFromUnreadable)
{
    testsupport::TempFolder folder;
    const std::string file = folder.Write("lista.lst", "C:\\Bilder\r\n");
    std::string content = "old";
    EXPECT_EQ(fw::FileRead::Whole, fw::ReadWholeFile(file, content));
    EXPECT_EQ("C:\\Bilder\r\n", content);
    EXPECT_EQ(fw::FileRead::Absent, fw::ReadWholeFile(folder / "saknas.lst", content));
    EXPECT_EQ("", content);
    EXPECT_EQ(fw::FileRead::Absent, fw::ReadWholeFile(folder / "saknas\\lista.lst", content)) << "a missing folder";
    EXPECT_EQ(fw::FileRead::Unreadable, fw::ReadWholeFile(folder / "", content)) << "a folder where the file should be";
    EXPECT_EQ(fw::FileRead::Unreadable, fw::ReadWholeFile(file, content, 4)) << "larger than the reader takes";
    EXPECT_EQ("", content);

    HANDLE held = ::CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(fw::FileRead::Unreadable, fw::ReadWholeFile(file, content)) << "held by another program";
    EXPECT_FALSE(fw::IsAbsent(file));
    ::CloseHandle(held);
    EXPECT_TRUE(fw::IsAbsent(folder / "saknas.lst"));
}

TEST(Files, TextFormsThatNoLineReaderOfOursUnderstands)
{
    struct Case {
        std::string bytes;
        fw::TextForm form;
    };
    const Case cases[] = {
        {"[Layout]\r\nBlock0=1\r\n", fw::TextForm::SingleByte},
        {"", fw::TextForm::SingleByte},
        {"\xE5\xE4\xF6\r", fw::TextForm::SingleByte},
        {std::string("\xFF\xFE[\0L\0", 6), fw::TextForm::Utf16},
        {std::string("\xFE\xFF\0[\0L", 6), fw::TextForm::Utf16},
        {std::string("[\0L\0a\0y\0o\0u\0t\0]\0", 16), fw::TextForm::Utf16},
        {"\xEF\xBB\xBF[Layout]", fw::TextForm::Utf8WithMark},
        {std::string("[Layout]\r\nBlock0=1\0\0\0\r\n", 22), fw::TextForm::Binary},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.form, fw::TextFormOf(c.bytes)) << c.bytes;
}

TEST(Files, TheFirstFreeNameIsFoundOnTheDisk)
{
    testsupport::TempFolder folder;
    folder.Write("x 1.bmp", "a");
    folder.Write("x 2.bmp\\inuti.txt", "a"); // a folder takes the name as well
    const auto candidate = [&folder](int n) { return folder / ("x " + std::to_string(n) + ".bmp"); };
    EXPECT_EQ(folder / "x 3.bmp", fw::FirstFreePath(candidate));
    EXPECT_EQ(folder / "x 7.bmp", fw::FirstFreePath(candidate, 7));
}

// A short (8.3) name reaches the file it stands for: a folder given by it is that folder, and a new
// file under it is refused.
TEST(Files, ShortNamesAreTheFilesTheyName)
{
    testsupport::TempFolder folder;
    const std::string file = folder.Write("Anvandarnas mappar\\hundarnas.bmp", "hund");
    char shortName[MAX_PATH] = "";
    ASSERT_GT(::GetShortPathNameA(file.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortName), file) << "the file system gives no short names";
    EXPECT_EQ(fw::ComparablePath(file), fw::ComparablePath(shortName));
    EXPECT_TRUE(fw::FolderHolds(fw::FolderOf(shortName), file));
    EXPECT_TRUE(fw::FolderHolds(folder / "Anvandarnas mappar", std::string(shortName) + "\\..\\ny.bmp"));

    EXPECT_EQ(fw::NewFile::Taken, fw::WriteNewFile(shortName, "katt"));
    std::string content;
    ASSERT_EQ(fw::FileRead::Whole, fw::ReadWholeFile(file, content));
    EXPECT_EQ("hund", content);
    EXPECT_EQ(fw::NewFile::Created, fw::WriteNewFile(folder / "Anvandarnas mappar\\katt.bmp", "katt"));
    ASSERT_EQ(fw::FileRead::Whole, fw::ReadWholeFile(folder / "Anvandarnas mappar\\katt.bmp", content));
    EXPECT_EQ("katt", content);
    EXPECT_EQ(fw::NewFile::Failed, fw::WriteNewFile(folder / "saknas\\katt.bmp", "katt"));
}

// An edit of a file that has gone does not bring it back.
TEST(Files, ARewriteNeedsTheFileToBeThere)
{
    testsupport::TempFolder folder;
    const std::string file = folder.Write("a.ini", "[A]\r\n");
    EXPECT_TRUE(fw::RewriteExisting(file, "[B]\r\n"));
    std::string content;
    fw::ReadWholeFile(file, content);
    EXPECT_EQ("[B]\r\n", content);
    EXPECT_FALSE(fw::RewriteExisting(folder / "borta.ini", "[B]\r\n"));
    EXPECT_TRUE(fw::IsAbsent(folder / "borta.ini"));
}
