// The run command's Morvel sample, read as Morvel reads it: speech on, a symbols folder, and a list
// of image folders for the default user and for Sara, in a program folder that is also the users
// folder.
#include "UsersFixture.h"
#include "framework/Files.h"
#include "writer_settings/ImageFolder.h"
#include "writer_settings/PictureScan.h"
#include "writer_settings/UserNames.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

// A file of the sample folder as the Windows program sees it: the Unix root is drive Z.
std::string SampleFile(const std::string& relative)
{
    std::string path = std::string("Z:") + SAMPLE_FOLDER + "/" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string FileName(const std::string& path)
{
    return path.substr(path.rfind('\\') + 1);
}

} // namespace

TEST(MorvelSample, SpeaksOffersSymbolsAndGivesEveryUserPictureFolders)
{
    EXPECT_EQ("1", MorvelConfig::Value(SampleFile("windows/Morvel.ini"), "Defaults", "Acapela"));

    UsersFixture fixture(UsersFixture::UsersFolder::ProgramFolder);
    for (const char* file : {"morvel.ini", "morvel.lst", "Sara.ini", "Sara.lst"})
        fixture.config.Write(std::string("Program Files\\Morvel\\") + file,
                             testsupport::TempFolder::Read(SampleFile(std::string("morvel/") + file)));
    const Settings settings = fixture.MainSettings();
    EXPECT_EQ("C:\\Program Files\\Morvel\\Symboler", settings.symbolsDir_);
    EXPECT_EQ(4, settings.ForUser(fixture.UserFile("Sara")).speechEngine_);

    const std::vector<User> users = usernames::LoadUsers(settings.usersDir_, settings.programIni_, "<Standard>");
    ASSERT_EQ(2u, users.size()) << "the program ini is the default user's, no user of its own";
    EXPECT_EQ("Sara", users[1].name_);
    for (const User& user : users) {
        std::vector<ImageFolder> folders;
        ImageFolderSettings::LoadFolderList(user.path_, settings.programIni_, settings.imageBaseIni_, folders);
        ASSERT_EQ(3u, folders.size()) << user.name_;
        EXPECT_EQ(ImageFolder::kImageBase, folders[0].folderType_);
        EXPECT_EQ("A", folders[0].imageBaseKey_);
        EXPECT_EQ(ImageFolder::kDiskFolder, folders[1].folderType_);
        EXPECT_EQ("C:\\Program Files\\Bildbas\\bilder", folders[1].folderPath_);
        EXPECT_EQ(ImageFolder::kFavouriteList, folders[2].folderType_);
        EXPECT_EQ(4u, folders[2].favourites_.size());
        // Each folder's symbol is a picture of the sample's symbols folder, as the chooser lists it.
        for (const ImageFolder& folder : folders) {
            EXPECT_EQ(0u, folder.symbol_.find(settings.symbolsDir_ + "\\")) << folder.symbol_;
            EXPECT_TRUE(picturescan::HasPictureExtension(FileName(folder.symbol_))) << folder.symbol_;
            EXPECT_TRUE(fw::FileExists(SampleFile("morvel/Symboler/" + FileName(folder.symbol_)))) << folder.symbol_;
        }
    }
}
