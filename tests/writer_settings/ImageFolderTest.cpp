// The user's ".lst" list of image folders: where it lies, its text pinned byte for byte, reading it
// back, and what the reader makes of files it did not write.
#include "ImageBaseFiles.h"
#include "MorvelConfig.h"
#include "support/FullDisk.h"
#include "writer_settings/ImageFolder.h"
#include "writer_settings/TextFiles.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

ImageFolder DiskFolder(const std::string& name, const std::string& path, int sortOrder)
{
    ImageFolder folder;
    folder.name_ = name;
    folder.symbol_ = "C:\\Bilder\\symbol.bmp";
    folder.folderPath_ = path;
    folder.sortOrder_ = sortOrder;
    return folder;
}

class FolderList : public testing::Test {
protected:
    std::vector<ImageFolder> Parse(std::initializer_list<std::string> lines) const
    {
        std::vector<ImageFolder> list;
        ImageFolderSettings::ParseFolderList(lines, imageBaseIni, list);
        return list;
    }

    testsupport::WindowsFileGuard sharedSounds{"picwav.ini"};
    MorvelConfig config;
    std::string imageBaseIni = config.WriteImageBase();
    std::string userFile = config.Temp() / "användare\\Anna.ini";
};

std::vector<std::string> SortedFilesIn(const std::string& folder)
{
    std::vector<std::string> files = testsupport::TempFolder::FilesIn(folder);
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

TEST_F(FolderList, LiesBesideTheSettingsFile)
{
    EXPECT_EQ(config.Temp() / "användare\\Anna.lst", ImageFolderSettings::ListPath(userFile, config.ProgramIni()));
    EXPECT_EQ(config.ProgramFolder() + "\\swedish.lst", ImageFolderSettings::ListPath("", config.ProgramIni()));
}

TEST_F(FolderList, WritesOneBlockPerFolderInItsOwnForm)
{
    ImageFolder album = DiskFolder("Foton", "D:\\Foton", 1);
    album.albumSize_ = 1;
    ImageFolder base;
    base.name_ = "Djur";
    base.symbol_ = "C:\\djur.bmp";
    base.displayType_ = ImageFolder::kList;
    base.listStructure_ = 1;
    base.folderType_ = ImageFolder::kImageBase;
    base.imageBaseKey_ = "A";
    ImageFolder favourites;
    favourites.name_ = "Favoriter";
    favourites.displayType_ = ImageFolder::kList;
    favourites.folderType_ = ImageFolder::kFavouriteList;
    favourites.favourites_.resize(2);
    favourites.favourites_[0].code_ = "A12";
    favourites.favourites_[0].label_ = "vovve";
    favourites.favourites_[1].picturePath_ = "C:\\sol.bmp";
    ImageFolder empty = favourites;
    empty.name_ = "Tom";
    empty.favourites_.clear();

    EXPECT_EQ("[Foton]\r\nSymbol=C:\\Bilder\\symbol.bmp\r\nDisplayType=Album\r\nAlbumSize=Small\r\nFolderType=Dir\r\n"
              "Data=D:\\Foton,T\r\n\r\n"
              "[Djur]\r\nSymbol=C:\\djur.bmp\r\nDisplayType=List\r\nListStructure=Flat\r\nFolderType=ImageBase\r\n"
              "Data=A\r\n\r\n"
              "[Favoriter]\r\nSymbol=\r\nDisplayType=List\r\nListStructure=Tree\r\nFolderType=FavouriteList\r\n"
              "1=@A12+'vovve'@\r\n2=@C:\\sol.bmp@\r\n\r\n\r\n"
              "[Tom]\r\nSymbol=\r\nDisplayType=List\r\nListStructure=Tree\r\nFolderType=FavouriteList\r\n\r\n\r\n",
              ImageFolderSettings::FormatFolderList({album, base, favourites, empty}));
}

TEST_F(FolderList, ReadsBackWhatItWrote)
{
    ImageFolder album = DiskFolder("Foton från förr", "D:\\Foton", 0);
    album.id_ = 7;
    ImageFolder list = DiskFolder("Nya", "\\\\server\\bilder", 1);
    list.displayType_ = ImageFolder::kList;
    list.listStructure_ = 1;
    list.extra_ = "not stored";
    ImageFolder base;
    base.name_ = "Djur";
    base.folderType_ = ImageFolder::kImageBase;
    base.imageBaseKey_ = "A";
    ImageFolder favourites;
    favourites.name_ = "Favoriter";
    favourites.folderType_ = ImageFolder::kFavouriteList;
    favourites.favourites_.resize(2);
    favourites.favourites_[0].ParseContent("@A12+'vovve'@", imageBaseIni);
    favourites.favourites_[1].ParseContent("@C:\\sol.bmp+\"solen skiner\"@", imageBaseIni);
    ImageFolder empty = favourites;
    empty.name_ = "Tom";
    empty.favourites_.clear();
    const std::vector<ImageFolder> written = {album, list, base, favourites, empty};
    config.Write("användare\\Anna.ini", "");
    ASSERT_TRUE(ImageFolderSettings::SaveFolderList(userFile, config.ProgramIni(), written, fw::FileRead::Absent));

    std::vector<ImageFolder> read = {album};
    ImageFolderSettings::LoadFolderList(userFile, config.ProgramIni(), imageBaseIni, read);
    ASSERT_EQ(written.size(), read.size());
    for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(-1, read[i].id_);
        EXPECT_EQ(written[i].name_, read[i].name_);
        EXPECT_EQ(written[i].symbol_, read[i].symbol_);
        EXPECT_EQ(written[i].displayType_, read[i].displayType_);
        EXPECT_EQ(written[i].albumSize_, read[i].albumSize_);
        EXPECT_EQ(written[i].listStructure_, read[i].listStructure_);
        EXPECT_EQ(written[i].folderType_, read[i].folderType_);
        EXPECT_EQ(written[i].folderPath_, read[i].folderPath_);
        EXPECT_EQ(written[i].sortOrder_, read[i].sortOrder_);
        EXPECT_EQ(written[i].imageBaseKey_, read[i].imageBaseKey_);
        EXPECT_EQ("", read[i].extra_);
        ASSERT_EQ(written[i].favourites_.size(), read[i].favourites_.size());
        for (size_t f = 0; f < read[i].favourites_.size(); ++f)
            EXPECT_EQ(written[i].favourites_[f].BuildContent(), read[i].favourites_[f].BuildContent());
    }
    // Picture codes of favourites resolve in the image bases.
    EXPECT_EQ(config.Temp() / "bas\\12.bmp", read[3].favourites_[0].picturePath_);
}

// "Data=<folder>,<A|T>" was read up to the first comma, so a folder named "Bilder, gamla" came back
// as "Bilder" sorted newest first.
TEST_F(FolderList, AFolderWhoseNameHoldsACommaReadsBackWhole)
{
    const std::vector<ImageFolder> written = {DiskFolder("Gamla", "D:\\Bilder, gamla", 0),
                                              DiskFolder("Fler", "D:\\a,b,c", 1)};
    const std::string text = ImageFolderSettings::FormatFolderList(written);
    std::vector<ImageFolder> read;
    ImageFolderSettings::ParseFolderList(textfiles::SplitLines(text), imageBaseIni, read);
    ASSERT_EQ(2u, read.size());
    EXPECT_EQ("D:\\Bilder, gamla", read[0].folderPath_);
    EXPECT_EQ(0, read[0].sortOrder_);
    EXPECT_EQ("D:\\a,b,c", read[1].folderPath_);
    EXPECT_EQ(1, read[1].sortOrder_);
}

TEST_F(FolderList, ReadsLinesByTheirPlaceNotTheirKeys)
{
    const auto read = Parse({"skräp före första blocket", "[[Mina] bilder]", "Symbol=C:\\a=b.bmp", "Visning=album",
                             "ListStructure=Tree", "FolderType=Dir", "Data=D:\\Bilder", "",
                             "[Lista]", "C:\\utan nyckel.bmp", "DisplayType=Album", "AlbumSize=Stor", "FolderType=Dir",
                             "Data=D:\\x,A"});
    ASSERT_EQ(2u, read.size());
    EXPECT_EQ("Mina bilder", read[0].name_); // '[' and ']' are dropped from names
    EXPECT_EQ("C:\\a=b.bmp", read[0].symbol_);
    EXPECT_EQ(ImageFolder::kList, read[0].displayType_); // "album" in lower case is not an album
    EXPECT_EQ(0, read[0].listStructure_);
    EXPECT_EQ("D:\\Bilder", read[0].folderPath_);
    EXPECT_EQ(0, read[0].sortOrder_); // no sort letter: alphabetic
    EXPECT_EQ("C:\\utan nyckel.bmp", read[1].symbol_);
    EXPECT_EQ(1, read[1].albumSize_); // anything but "Large" is small
    EXPECT_EQ(0, read[1].sortOrder_);
}

TEST_F(FolderList, KeepsWhatABlockCutShortHolds)
{
    const auto read = Parse({"[Favoriter]", "Symbol=s.bmp", "DisplayType=List", "ListStructure=Flat",
                             "FolderType=FavouriteList", "1=@A12@", "2=", "3=inte avgränsad",
                             "[Nästa]", "Symbol=n.bmp", "DisplayType=Album",
                             "[Sista]", "Symbol=x.bmp"});
    ASSERT_EQ(3u, read.size());
    ASSERT_EQ(2u, read[0].favourites_.size()); // an empty favourite adds nothing
    EXPECT_EQ("A12", read[0].favourites_[0].code_);
    EXPECT_EQ("", read[0].favourites_[1].BuildContent()); // kept as the parser leaves it
    EXPECT_EQ("Nästa", read[1].name_);
    EXPECT_EQ(ImageFolder::kAlbum, read[1].displayType_);
    EXPECT_EQ(ImageFolder::kDiskFolder, read[1].folderType_);
    EXPECT_EQ("Sista", read[2].name_);
    EXPECT_EQ("x.bmp", read[2].symbol_);
}

TEST_F(FolderList, AMissingFileGivesAnEmptyList)
{
    std::vector<ImageFolder> list = {DiskFolder("Gammal", "D:\\", 0)};
    ImageFolderSettings::LoadFolderList(userFile, config.ProgramIni(), imageBaseIni, list);
    EXPECT_TRUE(list.empty());
}

// A list file that is there but cannot be read whole, or is in a text form no line reader of ours
// takes, is no missing list: it must not be written over with an empty one.
TEST_F(FolderList, AFileThatCannotBeReadIsToldApartFromAMissingOne)
{
    const std::string path = ImageFolderSettings::ListPath(userFile, config.ProgramIni());
    std::vector<ImageFolder> list;
    EXPECT_EQ(fw::FileRead::Absent, ImageFolderSettings::LoadFolderList(userFile, config.ProgramIni(), imageBaseIni, list));
    struct Case {
        const char* what;
        std::string bytes;
        fw::FileRead read;
        size_t folders;
    };
    const Case cases[] = {
        {"single-byte text", "[Djur]\r\nSymbol=x.bmp\r\n", fw::FileRead::Whole, 1},
        {"UTF-16", std::string("\xFF\xFE[\0D\0]\0\r\0\n\0", 12), fw::FileRead::Unreadable, 0},
        {"UTF-8 with its mark", "\xEF\xBB\xBF[Djur]\r\n", fw::FileRead::Unreadable, 0},
        {"NUL bytes", std::string("[Djur]\0\r\n", 9), fw::FileRead::Unreadable, 0},
    };
    for (const Case& c : cases) {
        config.Write("användare\\Anna.lst", c.bytes);
        list = {DiskFolder("Gammal", "D:\\", 0)};
        EXPECT_EQ(c.read, ImageFolderSettings::LoadFolderList(userFile, config.ProgramIni(), imageBaseIni, list)) << c.what;
        EXPECT_EQ(c.folders, list.size()) << c.what;
    }
    // Held open by another program without sharing.
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(fw::FileRead::Unreadable, ImageFolderSettings::LoadFolderList(userFile, config.ProgramIni(), imageBaseIni, list));
    ::CloseHandle(held);
    // A folder where the file should be.
    ::DeleteFileA(path.c_str());
    ::CreateDirectoryA(path.c_str(), nullptr);
    EXPECT_EQ(fw::FileRead::Unreadable, ImageFolderSettings::LoadFolderList(userFile, config.ProgramIni(), imageBaseIni, list));
}

// The list was created anew before it was written: a failed save lost the user's favourites.
TEST_F(FolderList, AFailedSaveKeepsTheListThereBefore)
{
    config.Write("användare\\Anna.ini", "");
    const std::string path = config.Write("användare\\Anna.lst", "[Gammal]\r\n");
    {
        testsupport::FullDisk full;
        EXPECT_FALSE(ImageFolderSettings::SaveFolderList(userFile, config.ProgramIni(), {DiskFolder("Ny", "D:\\", 0)},
                                                         fw::FileRead::Whole));
    }
    EXPECT_EQ("[Gammal]\r\n", testsupport::TempFolder::Read(path));
    EXPECT_EQ(std::vector<std::string>({"Anna.ini", "Anna.lst"}), SortedFilesIn(config.Temp() / "användare"));

    EXPECT_FALSE(ImageFolderSettings::SaveFolderList(config.Temp() / "saknas\\Anna.ini", "", {}, fw::FileRead::Absent));
}

// The list goes back as it was found: a file read is never brought back once gone, a file that was
// not there is never written over when one has come since, and one that could not be read never.
TEST_F(FolderList, IsWrittenBackOnlyAsItWasFound)
{
    config.Write("användare\\Anna.ini", "");
    const std::string path = config.Temp() / "användare\\Anna.lst";
    const std::string ny = ImageFolderSettings::FormatFolderList({DiskFolder("Ny", "D:\\", 0)});
    const struct {
        const char* what;
        const char* before; // null: no file
        fw::FileRead read;
        bool written;
        const char* after; // null: no file
    } cases[] = {
        {"read, then gone", nullptr, fw::FileRead::Whole, false, nullptr},
        {"read, still there", "[Gammal]\r\n", fw::FileRead::Whole, true, ny.c_str()},
        {"absent, still absent", nullptr, fw::FileRead::Absent, true, ny.c_str()},
        {"absent, then come", "[Gammal]\r\n", fw::FileRead::Absent, false, "[Gammal]\r\n"},
        {"unreadable", "[Gammal]\r\n", fw::FileRead::Unreadable, false, "[Gammal]\r\n"},
    };
    for (const auto& c : cases) {
        ::DeleteFileA(path.c_str());
        if (c.before)
            config.Write("användare\\Anna.lst", c.before);
        EXPECT_EQ(c.written, ImageFolderSettings::SaveFolderList(userFile, config.ProgramIni(),
                                                                 {DiskFolder("Ny", "D:\\", 0)}, c.read))
            << c.what;
        if (c.after)
            EXPECT_EQ(c.after, testsupport::TempFolder::Read(path)) << c.what;
        else
            EXPECT_TRUE(fw::IsAbsent(path)) << c.what;
    }
}
