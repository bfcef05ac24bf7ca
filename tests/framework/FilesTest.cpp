// File names and file tests: the extension of a file's own name, and what exists.
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
