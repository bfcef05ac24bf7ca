// The zip module against other programs: archives that Python's zipfile and Info-ZIP's zip made
// unpack to their sources, and ours (whole and on diskettes) are left for zip_interop.py to read
// with zipfile and Info-ZIP. zip_interop_tests.sh makes the work folder and checks what is left.
#include "ZipInterop.h"
#include "components/ZipReader.h"
#include "components/ZipSpan.h"
#include "components/ZipWriter.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>

using testsupport::TempFolder;
using zip::Result;

namespace interop {

std::string WorkFolder()
{
    char value[MAX_PATH] = "";
    const DWORD length = ::GetEnvironmentVariableA("RZ_ZIP_WORK", value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(value) : std::string();
}

std::string Backslashed(std::string name)
{
    for (char& c : name) {
        if (c == '/')
            c = '\\';
    }
    return name;
}

} // namespace interop

using namespace interop;

class ZipInterop : public testing::Test {
protected:
    void SetUp() override
    {
        work_ = WorkFolder();
        if (work_.empty())
            GTEST_SKIP() << "runs from zip_interop_tests.sh, which makes RZ_ZIP_WORK";
        ListFiles(Source(), "", sources_);
        ASSERT_FALSE(sources_.empty());
    }
    std::string Source() const { return work_ + "\\src"; }
    std::string Theirs(const std::string& name) const { return work_ + "\\theirs\\" + name; }

    // Every source file came out of the archive into the folder as it went in.
    void ExpectSources(const std::string& folder, const std::string& archive)
    {
        std::vector<std::string> unpacked;
        ListFiles(folder, "", unpacked);
        EXPECT_EQ(sources_.size(), unpacked.size()) << archive;
        for (const std::string& name : sources_) {
            const bool same = TempFolder::Read(Source() + "\\" + Backslashed(name)) ==
                              TempFolder::Read(folder + "\\" + Backslashed(name));
            EXPECT_TRUE(same) << archive << ": " << name << " came out otherwise";
        }
    }

    std::string work_;
    std::vector<std::string> sources_;
};

TEST_F(ZipInterop, ArchivesOfOtherProgramsUnpackAsTheirSources)
{
    const struct {
        const char* archive;
        Result open;
        Result unpack;
    } cases[] = {
        {"python_deflated.zip", Result::Ok, Result::Ok},
        {"python_stored.zip", Result::Ok, Result::Ok},
        {"python_streamed.zip", Result::Ok, Result::Ok}, // data descriptors after each entry
        {"infozip.zip", Result::Ok, Result::Ok},
        {"infozip_encrypted.zip", Result::Ok, Result::Unsupported},
        {"python_zip64.zip", Result::Unsupported, Result::Ok},
    };
    for (const auto& c : cases) {
        zip::ZipReader reader;
        ASSERT_EQ(c.open, reader.Open(Theirs(c.archive))) << c.archive;
        if (c.open != Result::Ok)
            continue;
        const std::string out = work_ + "\\out_" + c.archive;
        ::CreateDirectoryA(out.c_str(), nullptr);
        EXPECT_EQ(c.unpack, reader.ExtractAll(out)) << c.archive;
        if (c.unpack == Result::Ok)
            ExpectSources(out, c.archive);
    }
}

TEST_F(ZipInterop, InfoZipSplitArchivesAreReadThroughTheirVolumes)
{
    zip::ZipReader reader;
    int asked = 0;
    ASSERT_EQ(Result::Ok, reader.Open(Theirs("infozip_split.zip"), [&](int disk, int count) {
        ++asked;
        if (disk + 1 == count)
            return Theirs("infozip_split.zip");
        char part[16];
        std::snprintf(part, sizeof part, ".z%02d", disk + 1);
        return Theirs("infozip_split" + std::string(part));
    }));
    EXPECT_GT(reader.VolumeCount(), 1);
    const std::string out = work_ + "\\out_split";
    ::CreateDirectoryA(out.c_str(), nullptr);
    ASSERT_EQ(Result::Ok, reader.ExtractAll(out));
    ExpectSources(out, "infozip_split.zip");
    EXPECT_GT(asked, 0);
}

TEST_F(ZipInterop, OurArchiveWholeAndOnDiskettesIsLeftForTheOtherPrograms)
{
    zip::ZipWriter writer;
    for (const std::string& name : sources_)
        ASSERT_EQ(Result::Ok, writer.Add(Source() + "\\" + Backslashed(name), name));
    ASSERT_EQ(Result::Ok, writer.Pack(work_ + "\\ours.zip"));

    // Diskettes of 40 KB, each taken out to a folder of its own when the next is asked for.
    const std::string drive = work_ + "\\ours_span";
    ::CreateDirectoryA(drive.c_str(), nullptr);
    const std::string volume = drive + "\\Mina.zip";
    auto takeOut = [&](int disk) {
        const std::string folder = drive + "\\disk" + std::to_string(disk);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        ASSERT_TRUE(::MoveFileA(volume.c_str(), (folder + "\\Mina.zip").c_str()));
    };
    zip::SpanHandlers handlers;
    int disks = 0;
    handlers.askForDisk = [&](int disk, int count) {
        if (disk > 1)
            takeOut(disk - 1);
        disks = count;
        return true;
    };
    handlers.capacity = [](const std::string&) { return 40u * 1024u; };
    ASSERT_EQ(Result::Ok, zip::SpanArchive(work_ + "\\ours.zip", volume, handlers));
    takeOut(disks);
    EXPECT_GE(disks, 2);
}
