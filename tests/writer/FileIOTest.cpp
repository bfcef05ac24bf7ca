// Morvel's FileIO: its paths and program-wide keys, the version for the about box, the list of
// document files and the choice of a new document's file.
#include "ImageBaseFiles.h"
#include "MorvelConfig.h"
#include "writer/FileIO.h"
#include <gtest/gtest.h>

namespace {

class MorvelFileIO : public testing::Test {
protected:
    MorvelConfig config;
};

// Dates the file: the given minutes after a fixed moment.
void SetWriteTime(const std::string& path, int minutes)
{
    HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ULARGE_INTEGER time;
    time.QuadPart = 133000000000000000ull + static_cast<unsigned long long>(minutes) * 600000000ull;
    FILETIME stamp{time.LowPart, time.HighPart};
    ::SetFileTime(file, nullptr, nullptr, &stamp);
    ::CloseHandle(file);
}

DocumentListItem File(const std::string& name, std::uint64_t time)
{
    DocumentListItem item;
    item.name_ = name;
    item.path_ = "D:\\dok\\" + name + ".txt";
    item.time_ = time;
    return item;
}

} // namespace

TEST_F(MorvelFileIO, BuildsItsPathsAndReadsTheProgramsVersion)
{
    FileIO io(config.Environment());
    EXPECT_EQ(config.MorvelIni(), io.morvelIni_);
    EXPECT_EQ("swedish", io.variant_);
    EXPECT_EQ(config.ProgramIni(), io.programIni_);
    EXPECT_EQ(config.ProgramIni(), io.imageBaseIni_);
    EXPECT_EQ(config.ProgramFolder(), io.programDir_);
    EXPECT_EQ("4.2.0.0", io.version_);
    // Year first in the Swedish variant, day first in the others.
    ASSERT_EQ(10u, io.buildDate_.size());
    EXPECT_EQ('-', io.buildDate_[4]);
    const std::string dayFirst =
        io.buildDate_.substr(8, 2) + "-" + io.buildDate_.substr(5, 2) + "-" + io.buildDate_.substr(0, 4);
    // A program file without a variant in its name is the Swedish program.
    const struct {
        const char* name;
        std::string date;
    } variants[] = {{"Morvel.English", dayFirst}, {"Morvel.Danish", dayFirst}, {"Morvel", io.buildDate_}};
    for (const auto& v : variants) {
        MorvelEnvironment environment = config.Environment();
        environment.applicationName = v.name;
        EXPECT_EQ(v.date, FileIO(environment).buildDate_) << v.name;
    }

    config.Write("windows\\imgbase.swedish.ini", "[ImageBases]\r\n");
    EXPECT_EQ(config.WindowsFolder() + "\\imgbase.swedish.ini", FileIO(config.Environment()).imageBaseIni_);
}

TEST_F(MorvelFileIO, WithoutAProgramFolderInMorvelIniUsesTheProgramsOwnFolder)
{
    config.Write("windows\\Morvel.ini", "");
    MorvelEnvironment environment = config.Environment();
    environment.applicationName = "Morvel";
    environment.applicationPath = config.Temp() / "prog\\Morvel.exe";
    FileIO io(environment);
    EXPECT_EQ(config.Temp() / "prog", io.programDir_);
    EXPECT_EQ(config.Temp() / "prog\\morvel.ini", io.programIni_);
    EXPECT_EQ("", io.version_);
    EXPECT_EQ("", io.buildDate_);
}

TEST_F(MorvelFileIO, ReadsAndWritesItsProgramWideKeys)
{
    config.Write("windows\\Morvel.ini",
                 "[Directories]\r\nExe=" + config.ProgramFolder() + "\r\n[Defaults]\r\nTextSpeaker=1\r\n");
    FileIO io(config.Environment());
    EXPECT_EQ(1, io.GetTextSpeakerFlag());
    EXPECT_EQ(0, io.GetAcapelaFlag());

    std::string folder;
    {
        testsupport::CurrentFolderGuard current(config.Temp().Path());
        io.GetImageDir(folder);
        EXPECT_EQ(config.Temp().Path(), folder);
    }
    const std::string longFolder = "D:\\" + std::string(150, 'b');
    ASSERT_TRUE(io.SetImageDir(longFolder));
    ASSERT_TRUE(io.SetSoundDir("D:\\Ljud"));
    io.GetImageDir(folder);
    EXPECT_EQ(longFolder, folder);
    io.GetSoundDir(folder);
    EXPECT_EQ("D:\\Ljud", folder);
}

TEST(MorvelLanguageNames, AreFoundAfterTheFirstCharacter)
{
    const std::pair<const char*, bool> cases[] = {
        {"morvel.swedish.ini", true}, {"ENGLISH.INI", false}, {"xEnglish", true}, {"english_english", true},
        {"Anna.ini", false}, {"Norwegian", false}, {"c:\\danish\\Anna.ini", true}, {"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(c.second, FileIO::IsKnownLanguageName(c.first)) << c.first;
}

TEST_F(MorvelFileIO, ListsTheTextFilesNewestFirst)
{
    const std::string folder = config.Temp() / "dokument";
    const struct {
        const char* name;
        int minutes;
    } files[] = {{"1.txt", 10}, {"2.txt", 30}, {"3.txt", 20}, {"4.txt", 20}, {"5.TXT", 40}, {"bild.bmp", 50}};
    for (const auto& file : files)
        SetWriteTime(config.Write("dokument\\" + std::string(file.name), "x"), file.minutes);
    config.Write("dokument\\mapp.txt\\x.txt", "a folder is no document");

    std::vector<DocumentListItem> list(1);
    FileIO::ListDocuments(list, folder);
    std::vector<std::string> names;
    for (const DocumentListItem& item : list)
        names.push_back(item.name_);
    // 3 and 4 have the same time: they stay in the order the search found them.
    const std::vector<std::string> found = testsupport::TempFolder::FilesIn(folder);
    const bool threeFirst = std::find(found.begin(), found.end(), "3.txt") < std::find(found.begin(), found.end(), "4.txt");
    EXPECT_EQ(std::vector<std::string>({"5", "2", threeFirst ? "3" : "4", threeFirst ? "4" : "3", "1"}), names);
    EXPECT_EQ(folder + "\\5.TXT", list[0].path_);
    EXPECT_EQ(-1, list[0].tag_);

    FileIO::ListDocuments(list, "");
    EXPECT_TRUE(list.empty());
    list.resize(1);
    FileIO::ListDocuments(list, config.ProgramFolder());
    EXPECT_TRUE(list.empty());
}

TEST(MorvelNewDocument, TakesTheOldestFileWhenTheFolderIsFullElseTheLowestFreeNumber)
{
    std::vector<DocumentListItem> ten;
    for (int n = 1; n <= 10; ++n)
        ten.push_back(File(std::to_string(n), n == 4 || n == 7 ? 5 : 100 + n));
    std::vector<DocumentListItem> eleven = ten;
    eleven.push_back(File("11", 1));
    std::vector<DocumentListItem> gaps = {File("1", 1), File("2 kopia", 2), File("4", 3), File("brev", 4)};
    std::vector<DocumentListItem> full;
    for (int n = 1; n <= 1000; ++n)
        full.push_back(File(std::to_string(n), n));

    const std::string folder = "D:\\dok";
    EXPECT_EQ("D:\\dok\\4.txt", FileIO::NewDocumentPath(ten, folder, 10)); // the first of two oldest
    EXPECT_EQ("D:\\dok\\12.txt", FileIO::NewDocumentPath(eleven, folder, 10));
    EXPECT_EQ("D:\\dok\\11.txt", FileIO::NewDocumentPath(ten, folder, 0));
    EXPECT_EQ("D:\\dok\\3.txt", FileIO::NewDocumentPath(gaps, folder, 10));
    EXPECT_EQ("D:\\dok\\1.txt", FileIO::NewDocumentPath({}, folder, 10));
    EXPECT_EQ("D:\\dok\\0.txt", FileIO::NewDocumentPath(full, folder, 0));
}
