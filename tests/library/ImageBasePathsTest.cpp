// The file and folder tools: their result codes, the trees they copy and delete, and path names.
#include "ImageBaseFiles.h"
#include "framework/Files.h"
#include "library/ImageBaseManager.h"
#include <gtest/gtest.h>
#include <windows.h>

using namespace testsupport;

TEST(ImageBaseFiles, FileExistsAndLocateFileTellMissingFromMalformed)
{
    TempFolder folder;
    std::string picture = folder.Write("bilder\\sol.bmp", "BM");
    folder.Write("bilder\\delad.bild\\x", "");
    std::string missingDrive = std::string(1, MissingDrive()) + ":\\bilder\\sol.bmp";
    CurrentFolderGuard current(folder / "bilder");

    struct Case {
        std::string path;
        int exists;
        int located;
        std::string completed; // the path LocateFile leaves
    };
    const Case cases[] = {
        {picture, 1, 1, picture},
        {"sol.bmp", 1, 1, picture},                                     // relative: completed
        {picture.substr(2), 1, 1, picture.substr(2)},                   // rooted, without its drive
        {folder / "bilder\\saknas.bmp", 0, 0, folder / "bilder\\saknas.bmp"},
        {folder / "saknas\\sol.bmp", 0, -1, folder / "saknas\\sol.bmp"}, // the folder is missing
        {"saknas.bmp", 0, 0, "saknas.bmp"},
        {folder / "bilder\\delad.bild", 0, 0, folder / "bilder\\delad.bild"}, // a folder is no file
        {missingDrive, 0, -1, missingDrive},
        {folder / "bilder\\sol", -1, -1, folder / "bilder\\sol"},       // no '.' at all
        {".", -1, -1, "."},
        {"", -1, -1, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.exists, ImageBaseManager::FileExists(c.path)) << c.path;
        std::string located = c.path;
        EXPECT_EQ(c.located, ImageBaseManager::LocateFile(located)) << c.path;
        EXPECT_EQ(c.completed, located) << c.path;
    }
}

TEST(ImageBaseFiles, FolderTestsGiveTheirResultCodesAndKeepTheCurrentFolder)
{
    TempFolder folder;
    std::string missingDrive = std::string(1, MissingDrive()) + ":\\bilder";
    std::string before = CurrentFolder();
    struct Case {
        std::string path;
        int validFolder;
        int validPath;
    };
    const Case cases[] = {
        {folder.Path(), 1, 1},
        {folder.Path() + "\\", 1, 1},
        {folder / "saknas", 0, 0},
        {folder / "sak?nas", -1, -1},
        {folder / "a|b", -1, -1},
        {folder / "a:b", -1, 0}, // a colon is forbidden only in a folder path
        {missingDrive, -2, -2},
        {"C:", -2, -2},
        {"C:relativ", -2, 0},
        {"relativ\\mapp", -2, 0},
        {"", -3, -3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.validFolder, ImageBaseManager::IsValidFolderPath(c.path)) << c.path;
        EXPECT_EQ(c.validPath, ImageBaseManager::IsValidPath(c.path)) << c.path;
    }
    EXPECT_EQ(before, CurrentFolder());
}

TEST(ImageBaseFiles, CreatePathMakesEveryMissingFolder)
{
    TempFolder folder;
    std::string path = folder.Path() + "/ny/djupare/mapp";
    EXPECT_EQ(1, ImageBaseManager::CreatePath(path));
    EXPECT_EQ(folder / "ny\\djupare\\mapp", path) << "the caller's path gets backslashes";
    EXPECT_TRUE(fw::PathExists(path));
    EXPECT_EQ(1, ImageBaseManager::CreatePath(path)) << "existing folders are fine";

    std::string trailing = folder / "ny\\annan\\";
    std::vector<std::string> made;
    EXPECT_EQ(1, ImageBaseManager::CreatePath(trailing, &made));
    EXPECT_TRUE(fw::PathExists(folder / "ny\\annan"));
    EXPECT_EQ(std::vector<std::string>{folder / "ny\\annan"}, made) << "only the folder it made is listed";

    folder.Write("fil", "x");
    std::string blocked = folder / "fil\\under";
    EXPECT_EQ(0, ImageBaseManager::CreatePath(blocked)) << "a file stands in the way";

    CurrentFolderGuard current(folder.Path());
    std::string relative = "ny\\relativ";
    EXPECT_EQ(1, ImageBaseManager::CreatePath(relative));
    EXPECT_TRUE(fw::PathExists(folder / "ny\\relativ"));
}

TEST(ImageBaseFiles, CopyTreeCopiesEverythingIntoANewFolderAndReportsFailures)
{
    TempFolder folder;
    folder.Write("källa\\a.txt", "a");
    folder.Write("källa\\.dold", "dold");
    folder.Write("källa\\under\\b.txt", "b");
    folder.Write("källa\\under\\tom\\.keep", "");
    std::string source = folder / "källa";

    EXPECT_EQ(1, ImageBaseManager::CopyTree(source, folder / "kopia"));
    EXPECT_EQ("a", TempFolder::Read(folder / "kopia\\a.txt"));
    EXPECT_EQ("dold", TempFolder::Read(folder / "kopia\\.dold"));
    EXPECT_EQ("b", TempFolder::Read(folder / "kopia\\under\\b.txt"));
    EXPECT_TRUE(fw::PathExists(folder / "kopia\\under\\tom\\.keep"));

    folder.Write("befintlig\\a.txt", "gammal");
    EXPECT_EQ(0, ImageBaseManager::CopyTree(source, folder / "befintlig")) << "an existing target is refused";
    EXPECT_EQ("gammal", TempFolder::Read(folder / "befintlig\\a.txt"));
    EXPECT_FALSE(fw::PathExists(folder / "befintlig\\under"));

    EXPECT_EQ(0, ImageBaseManager::CopyTree(folder / "saknas", folder / "kopia2")) << "no source, no copy";
    EXPECT_FALSE(fw::PathExists(folder / "kopia2"));

    LockedFile locked(folder / "källa\\under\\b.txt");
    ASSERT_TRUE(locked.IsOpen());
    EXPECT_EQ(0, ImageBaseManager::CopyTree(source, folder / "kopia3")) << "a file that cannot be read";
    EXPECT_EQ("a", TempFolder::Read(folder / "kopia3\\a.txt")) << "the rest is still copied";
}

TEST(ImageBaseFiles, DeleteTreeReportsWhatStays)
{
    TempFolder folder;
    folder.Write("mapp\\a.txt", "a");
    folder.Write("mapp\\.dold", "dold");
    folder.Write("mapp\\under\\b.txt", "b");
    EXPECT_EQ(1, ImageBaseManager::DeleteTree(folder / "mapp"));
    EXPECT_FALSE(fw::PathExists(folder / "mapp"));
    EXPECT_EQ(1, ImageBaseManager::DeleteTree(folder / "mapp")) << "nothing there, nothing stays";
    EXPECT_EQ(0, ImageBaseManager::DeleteTree(""));

    folder.Write("låst\\a.txt", "a");
    folder.Write("låst\\under\\b.txt", "b");
    {
        LockedFile locked(folder / "låst\\under\\b.txt");
        ASSERT_TRUE(locked.IsOpen());
        EXPECT_EQ(0, ImageBaseManager::DeleteTree(folder / "låst"));
        EXPECT_TRUE(fw::PathExists(folder / "låst\\under\\b.txt"));
    }
    EXPECT_EQ(1, ImageBaseManager::DeleteTree(folder / "låst"));
}

TEST(ImageBaseFiles, NamesOfPaths)
{
    struct Case {
        const char* path;
        const char* name;
        const char* folder;
        const char* title;
        const char* extension;
    };
    const Case cases[] = {
        {"C:\\bilder\\sol.bmp", "sol.bmp", "C:\\bilder", "sol", "bmp"},
        {"C:\\bild.mapp\\sol", "sol", "C:\\bild.mapp", "sol", ""}, // a dotted folder holds no extension
        {"C:\\bilder\\en.två.wav", "en.två.wav", "C:\\bilder", "en.två", "wav"},
        {"sol.bmp", "sol.bmp", "", "sol", "bmp"},
        {"C:/bilder/sol.BMP", "sol.BMP", "C:/bilder", "sol", "BMP"},
        {"C:\\bilder\\", "", "C:\\bilder", "", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.name, ImageBaseManager::GetFileNameFromPath(c.path)) << c.path;
        EXPECT_EQ(c.folder, ImageBaseManager::GetFolderFromPath(c.path)) << c.path;
        EXPECT_EQ(c.title, ImageBaseManager::GetFileTitleFromPath(c.path)) << c.path;
        EXPECT_EQ(c.title, ImageBaseManager::GetFileTitle(c.path)) << c.path;
        EXPECT_EQ(c.extension, ImageBaseManager::GetFileExtension(c.path)) << c.path;
    }

    std::string name = "a\\b/c:d*e?f\"g<h>i|jå";
    ImageBaseManager::RemoveForbiddenChars(name);
    EXPECT_EQ("abcdefghijå", name);

    TempFolder folder;
    folder.Write("ljud\\ett.wav", std::string(5000, 'x'));
    EXPECT_EQ(5000u, ImageBaseManager::GetFileSize(folder / "ljud\\ett.wav"));
    EXPECT_EQ(5000u, ImageBaseManager::GetFileSize(folder / "ljud\\*.wav"));
    EXPECT_EQ(0u, ImageBaseManager::GetFileSize(folder / "ljud\\*.mp3"));
}
