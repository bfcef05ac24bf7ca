// The export wizard's archives for the other programs: the fixture set exported whole, and onto
// diskettes in the drive A that zip_interop_tests.sh makes; each is left in the work folder with
// what zip_interop.py must find in it, and the diskettes are read back through our reader.
#include "ExportFixture.h"
#include "ExportWizardDriver.h"
#include "PictureFixtures.h"
#include "ZipInterop.h"
#include "components/ZipReader.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "skarpin/ExportModel.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <fstream>

using namespace interop;
using testsupport::TempFolder;

namespace {

// The lines zip_interop.py reads, tab-separated in code page 1252: an entry's whole text, a text it
// holds, or the file whose bytes it holds (copied under the work folder's "expected").
class Expectations {
public:
    Expectations(const std::string& work, const std::string& name) : work_(work), name_(name) {}
    ~Expectations()
    {
        std::ofstream out(work_ + "\\" + name_ + ".txt", std::ios::binary);
        out << lines_;
    }

    void Text(const std::string& entry, const std::string& text) { Add("text", entry, Escaped(text)); }
    void Contains(const std::string& entry, const std::string& text) { Add("contains", entry, Escaped(text)); }
    void Equals(const std::string& entry, const std::string& source)
    {
        const std::string copy = "expected/" + name_ + "_" + std::to_string(++copies_) + ".bin";
        ::CreateDirectoryA((work_ + "\\expected").c_str(), nullptr);
        ASSERT_TRUE(::CopyFileA(source.c_str(), (work_ + "\\" + Backslashed(copy)).c_str(), FALSE)) << source;
        Add("equals", entry, copy);
    }

private:
    static std::string Escaped(std::string text)
    {
        for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 4))
            text.replace(at, 2, "\\r\\n");
        return text;
    }
    void Add(const char* kind, const std::string& entry, const std::string& value)
    {
        lines_ += std::string(kind) + "\t" + entry + "\t" + value + "\n";
    }

    std::string work_;
    std::string name_;
    std::string lines_;
    int copies_ = 0;
};

// What every export of the fixture set holds.
void ExpectExportedSet(Expectations& expected, ExportFixture& fixture, const std::vector<SetItem>& overlays,
                       const std::vector<SetItem>& media)
{
    expected.Text("register.txt", exportwizard::RegisterText("Overlays", overlays));
    expected.Contains("Bilder.ini", "[Version]\r\nVersion=" + fixture.IO().fileVersion_ + "\r\n\r\n[Data]\r\n");
    expected.Contains("Bilder.ini", std::string(",") + ExportFixture::kSpacedCommand + "\r\n");
    expected.Contains("Ljud.ini", "AccessKvora=1\r\n");
    expected.Contains("Tomt.ini", "[Background]\r\n");
    for (const SetItem& file : media)
        expected.Equals(zip::StoredName(file.name_), file.name_);
}

void ChooseZipFile(const std::string& path)
{
    fw::CommonDialogHandlers dialogs;
    dialogs.saveFile = [path](OPENFILENAMEA& request) {
        lstrcpyA(request.lpstrFile, path.c_str());
        return true;
    };
    fw::SetCommonDialogHandlers(dialogs);
}

} // namespace

class ExportInterop : public testing::Test {
protected:
    void SetUp() override
    {
        work_ = WorkFolder();
        if (work_.empty())
            GTEST_SKIP() << "runs from zip_interop_tests.sh, which makes RZ_ZIP_WORK";
    }
    void TearDown() override { fw::SetCommonDialogHandlers(fw::CommonDialogHandlers()); }

    std::string work_;
    ExportFixture fixture_;
    ExportWizardDriver wizard_{fixture_};
};

TEST_F(ExportInterop, TheExportedSetIsLeftForZipfileAndUnzip)
{
    ChooseZipFile(work_ + "\\export.zip");
    wizard_.GoToZipPage();
    testsupport::Click(wizard_.Page(4), IDC_EXPORT_BROWSE);
    {
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_EXPORT_DONE);
        wizard_.Finish();
        ASSERT_TRUE(testsupport::PumpUntil([&] { return !wizard_.sheet->IsRunning(); }));
    }
    Expectations expected(work_, "export");
    ExpectExportedSet(expected, fixture_, wizard_.overlays, wizard_.media);
}

TEST_F(ExportInterop, ALargerSetIsSpreadOverDisketteInDriveA)
{
    char value[MAX_PATH] = "";
    if (::GetEnvironmentVariableA("RZ_DISKETTE_SLOT", value, MAX_PATH) == 0)
        GTEST_SKIP() << "zip_interop_tests.sh made no drive A of a diskette's size (mounting needs root)";
    // Drive A is the folder "disk" of a diskette-sized file system; renamed, the diskette is out.
    const std::string slot = value;
    const std::string inDrive = slot + "\\disk";
    const std::string outOfDrive = slot + "\\ute";

    // A film that deflate cannot shrink fills more than two diskettes.
    std::string noise(2500000, '\0');
    unsigned seed = 17;
    for (char& c : noise) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 23);
    }
    const std::string film = fixture_.Config().Write("media\\film\\l\xE5ng resa.avi", noise);
    Block block;
    block.cells_.push_back(Range(0, 0));
    block.command_ = "@" + film + "@";
    std::string name = "Film";
    ASSERT_EQ(FileIO::kSaved, fixture_.IO().SaveOverlay(name, 4, OverlayFixture::kSet, {block}, {}, KeyboardSettings()));
    wizard_.overlays = fixture_.Overlays();

    // An old file on the diskette, which the user has it cleared of; then the diskette is taken out.
    std::ofstream("A:\\gammal.txt") << "gammal";
    ASSERT_TRUE(::MoveFileA(inDrive.c_str(), outOfDrive.c_str()));

    const std::string diskettes = work_ + "\\diskette";
    ::CreateDirectoryA(diskettes.c_str(), nullptr);
    int taken = 0;
    auto takeOut = [&] {
        const std::string folder = diskettes + "\\disk" + std::to_string(++taken);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        EXPECT_TRUE(::MoveFileExA("A:\\Set1.zip", (folder + "\\Set1.zip").c_str(), MOVEFILE_COPY_ALLOWED));
    };
    std::vector<UINT> shown;
    fw::SetMessageHandler([&](const fw::MessageRequest& request) {
        shown.push_back(request.textId);
        switch (request.textId) {
        case IDS_EXPORT_INSERT_DISKETTE:
            EXPECT_TRUE(::MoveFileA(outOfDrive.c_str(), inDrive.c_str()));
            return IDOK;
        case IDS_EXPORT_CLEAR_DISKETTE:
            return IDYES;
        case IDS_EXPORT_FIRST_DISKETTE:
            Snapshot(wizard_.sheet->Handle(), "export_diskette");
            return IDOK;
        case IDS_EXPORT_NEXT_DISKETTE:
            takeOut();
            return IDOK;
        case IDS_EXPORT_DONE:
            return IDOK;
        default:
            ADD_FAILURE() << "message " << request.textId << ": " << request.text;
            return IDCANCEL;
        }
    });
    ChooseZipFile("A:\\Set1.zip");
    wizard_.GoToZipPage();
    testsupport::Click(wizard_.Page(4), IDC_EXPORT_BROWSE);
    wizard_.Finish();
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !wizard_.sheet->IsRunning(); }));
    fw::SetMessageHandler(testsupport::FailOnMessage);
    takeOut();

    ASSERT_GE(taken, 2);
    EXPECT_EQ(IDS_EXPORT_INSERT_DISKETTE, shown.front()) << "no diskette at first";
    EXPECT_EQ(IDS_EXPORT_DONE, shown.back());
    EXPECT_FALSE(fw::PathExists(diskettes + "\\disk1\\gammal.txt"));
    EXPECT_FALSE(fw::PathExists("A:\\gammal.txt")) << "the diskette was cleared";

    zip::ZipReader reader;
    ASSERT_EQ(zip::Result::Ok, reader.Open(diskettes + "\\disk" + std::to_string(taken) + "\\Set1.zip",
                                           [&](int disk, int count) {
                                               EXPECT_EQ(taken, count);
                                               return diskettes + "\\disk" + std::to_string(disk + 1) + "\\Set1.zip";
                                           }));
    const int filmEntry = reader.Find(zip::StoredName(LowerCase(film)));
    ASSERT_GE(filmEntry, 0);
    std::string data;
    ASSERT_EQ(zip::Result::Ok, reader.Read(static_cast<size_t>(filmEntry), data));
    EXPECT_TRUE(data == noise) << "the film read back across the diskettes";

    Expectations expected(work_, "export_diskette");
    ExpectExportedSet(expected, fixture_, wizard_.overlays, wizard_.media);
    expected.Contains("Film.ini", "[Data]\r\n");
}
