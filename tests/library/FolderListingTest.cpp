// The kept folder listings against the file system's own answer: what they say is missing is missing,
// and every change on disk is seen by the next use.
#include "ImageBaseFiles.h"
#include "library/FileStamp.h"
#include "library/FolderListing.h"
#include "library/ImageBaseManager.h"
#include <gtest/gtest.h>
#include <windows.h>

using namespace testsupport;

namespace {

class FolderListing : public testing::Test {
protected:
    void SetUp() override
    {
        // Every stamp of the test's making has settled: the listings are kept from their first use.
        const unsigned long long later = filestamp::SystemNow() + 10ull * 10000000ull;
        folderlisting::SetClock([later] { return later; });
    }
    void TearDown() override
    {
        folderlisting::SetClock(nullptr);
        folderlisting::Clear();
    }

    TempFolder folder;
};

void SetLastWrite(const std::string& path, unsigned long long time)
{
    HANDLE handle = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, handle);
    FILETIME stamp{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    ::SetFileTime(handle, nullptr, nullptr, &stamp);
    ::CloseHandle(handle);
}

} // namespace

TEST_F(FolderListing, SaysMissingOnlyWhatTheFileSystemCannotFind)
{
    folder.Write("ljud\\Sol.wav", "RIFF");
    folder.Write("ljud\\\xC4PPLE.WAV", "RIFF");
    folder.Write("ljud\\data.txt", "x");
    const std::string sounds = folder / "ljud";
    struct Case {
        const char* name;
        bool lacks;
    };
    const Case cases[] = {
        {"Sol.wav", false},       {"sol.WAV", false},     // names compare ignoring case
        {"\xE4pple.wav", false},                            // Latin-1 letters too
        {"M\xE5ne.wav", true},    {"Sol.wa", true},       {"data.txt.wav", true},
        {"Sol.wav ", false},      {"Sol.wav.", false},    // the system would drop the blank or the dot
        {"SOL~1.WAV", false},     {"S*.wav", false},      // a short alias or a pattern: never answered
        {"\xDF.wav", false},      {"\xB5.wav", false},    // letters without a plain case pair
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.lacks, folderlisting::Lacks(sounds, c.name)) << c.name;
        if (c.lacks) {
            EXPECT_EQ(0, ImageBaseManager::FileExists(sounds + "\\" + c.name)) << "the system, " << c.name;
        }
    }
    for (const std::string& odd : {std::string("ljud"), sounds + "\\", folder.Path() + "/ljud",
                                   folder.Path() + "\\.\\ljud", folder.Path() + "\\\\ljud"}) {
        EXPECT_FALSE(folderlisting::Lacks(odd, "M\xE5ne.wav")) << odd;
    }
}

TEST_F(FolderListing, EveryChangeOnDiskIsSeenByTheNextUse)
{
    const std::string sounds = folder / "ljud";
    EXPECT_TRUE(folderlisting::Lacks(sounds, "hund.wav")) << "no folder";
    folder.Write("ljud\\katt.wav", "RIFF");
    EXPECT_FALSE(folderlisting::Lacks(sounds, "katt.wav")) << "the folder made, with a file";
    EXPECT_TRUE(folderlisting::Lacks(sounds, "hund.wav"));
    folder.Write("ljud\\Hund.wav", "RIFF");
    EXPECT_FALSE(folderlisting::Lacks(sounds, "hund.wav")) << "a file added";
    ASSERT_TRUE(::MoveFileA((sounds + "\\Hund.wav").c_str(), (sounds + "\\Valp.wav").c_str()));
    EXPECT_TRUE(folderlisting::Lacks(sounds, "hund.wav")) << "renamed away";
    EXPECT_FALSE(folderlisting::Lacks(sounds, "valp.wav")) << "renamed to";
    ASSERT_TRUE(::DeleteFileA((sounds + "\\Valp.wav").c_str()));
    EXPECT_TRUE(folderlisting::Lacks(sounds, "valp.wav")) << "deleted";
    EXPECT_FALSE(folderlisting::Lacks(folder / "saknas\\ljud", "hund.wav")) << "no parent either: not told";
}

// A change within one tick of the file system's clock leaves the folder's stamp as it was: a listing is
// trusted only once its stamp is older than the settle time, and until then the system is asked.
TEST_F(FolderListing, AYoungStampIsNotTrusted)
{
    folder.Write("ljud\\katt.wav", "RIFF");
    const std::string sounds = folder / "ljud";
    filestamp::Stamp stamp;
    ASSERT_TRUE(filestamp::Read(sounds, stamp));
    unsigned long long now = stamp.lastWrite + 1;
    folderlisting::SetClock([&now] { return now; });
    EXPECT_FALSE(folderlisting::Lacks(sounds, "hund.wav"));
    folder.Write("ljud\\hund.wav", "RIFF");
    SetLastWrite(sounds, stamp.lastWrite);
    EXPECT_FALSE(folderlisting::Lacks(sounds, "hund.wav"));

    now = stamp.lastWrite + 10ull * 10000000ull;
    EXPECT_FALSE(folderlisting::Lacks(sounds, "hund.wav")) << "listed once settled";
    EXPECT_TRUE(folderlisting::Lacks(sounds, "h\xE4st.wav"));
}
