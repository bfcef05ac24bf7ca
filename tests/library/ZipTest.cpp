// The zip module: packing and unpacking round trips, the export layout's stored names, the checks on
// names a caller must refuse, damaged and lying archives, and spreading an archive over diskettes.
#include "components/ZipReader.h"
#include "components/ZipRecords.h"
#include "components/ZipSpan.h"
#include "components/ZipWriter.h"
#include "support/TempFolder.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <zlib.h>
#include <map>

using testsupport::TempFolder;
using zip::NameProblem;
using zip::Result;

namespace {

// Bytes that deflate cannot shrink.
std::string Noise(size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 23);
    }
    return bytes;
}

std::string Text(size_t size)
{
    std::string text;
    while (text.size() < size)
        text += "Block1=0,0,0,0,<Paus0.5>@c:\\bilder\\hund.bmp+'Hund'@\r\n";
    return text.substr(0, size);
}

// The files of a small set as the tests pack them: stored name and content.
std::map<std::string, std::string> SampleFiles()
{
    return {
        {"Bilder.ini", Text(40000)},
        {"register.txt", "[Overlays]\r\n1=Bilder\r\n"},
        {"bilder/hund.bmp", Noise(70000, 7)},
        {"ljud/sk\xE5l \xC4pple.wav", Noise(3000, 9) + Text(3000)},
        {"tom.txt", ""},
    };
}

std::string Slashes(std::string name, char to)
{
    for (char& c : name) {
        if (c == '/' || c == '\\')
            c = to;
    }
    return name;
}

// Writes the files below the folder and lists them in a writer, in name order.
void AddFiles(const TempFolder& temp, const std::string& folder, const std::map<std::string, std::string>& files,
              zip::ZipWriter& writer)
{
    for (const auto& file : files) {
        const std::string path = temp.Write(folder + "\\" + Slashes(file.first, '\\'), file.second);
        ASSERT_EQ(Result::Ok, writer.Add(path, file.first)) << file.first;
    }
}

std::string ReadFile(const std::string& path)
{
    return TempFolder::Read(path);
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// An archive written record by record, for names and sizes our writer refuses to make.
struct RawEntry {
    std::string name;   // the stored bytes
    std::string data;   // stored as it is
    std::uint32_t declaredSize = 0xFFFFFFFE; // the size the records claim; this value: the data's
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
};

std::string RawArchive(const std::vector<RawEntry>& entries)
{
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> directory;
    for (const RawEntry& raw : entries) {
        zip::Entry entry;
        entry.method = raw.method;
        entry.flags = raw.flags;
        entry.crc = static_cast<std::uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(raw.data.data()),
                                                     static_cast<uInt>(raw.data.size())));
        entry.packedSize = static_cast<std::uint32_t>(raw.data.size());
        entry.size = raw.declaredSize == 0xFFFFFFFE ? entry.packedSize : raw.declaredSize;
        entry.offset = static_cast<std::uint32_t>(out.size());
        const std::vector<std::uint8_t> name(raw.name.begin(), raw.name.end());
        const std::vector<std::uint8_t> local = zip::records::LocalHeader(entry, name);
        out.insert(out.end(), local.begin(), local.end());
        out.insert(out.end(), raw.data.begin(), raw.data.end());
        const std::vector<std::uint8_t> central = zip::records::CentralHeader(entry, name);
        directory.insert(directory.end(), central.begin(), central.end());
    }
    zip::records::EndRecord end;
    end.entries = end.entriesHere = static_cast<std::uint16_t>(entries.size());
    end.directoryOffset = static_cast<std::uint32_t>(out.size());
    end.directorySize = static_cast<std::uint32_t>(directory.size());
    out.insert(out.end(), directory.begin(), directory.end());
    const std::vector<std::uint8_t> record = zip::records::EndRecordBytes(end);
    out.insert(out.end(), record.begin(), record.end());
    return std::string(out.begin(), out.end());
}

} // namespace

TEST(ZipNames, StoredNameDropsTheDriveAndTurnsBackslashes)
{
    const struct {
        const char* path;
        const char* stored;
    } cases[] = {
        {"c:\\bilder\\hund.bmp", "bilder/hund.bmp"},
        {"C:\\Program Files\\Bildbas\\Sol.BMP", "Program Files/Bildbas/Sol.BMP"},
        {"d:hund.bmp", "hund.bmp"},
        {"\\\\server\\delat\\ljud\\sk\xE5l.wav", "server/delat/ljud/sk\xE5l.wav"},
        {"\\bilder\\katt.gif", "bilder/katt.gif"},
        {"c:\\register.txt", "register.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.stored, zip::StoredName(c.path)) << c.path;
}

TEST(ZipNames, NamesThatWouldLeaveTheFolderOrNameADeviceAreReported)
{
    const struct {
        const char* name;
        NameProblem problem;
    } cases[] = {
        {"bilder/hund.bmp", NameProblem::None},
        {"Bilder.ini", NameProblem::None},
        {"mapp/", NameProblem::None},
        {"sk\xE5l/\xC4pple.wav", NameProblem::None},
        {"a..b/c.txt", NameProblem::None},
        {"", NameProblem::Empty},
        {"../hund.bmp", NameProblem::ParentFolder},
        {"bilder/../../windows/win.ini", NameProblem::ParentFolder},
        {"bilder\\..\\..\\x.txt", NameProblem::ParentFolder},
        {"..", NameProblem::ParentFolder},
        {"/etc/passwd", NameProblem::Absolute},
        {"\\windows\\win.ini", NameProblem::Absolute},
        {"//server/share/x.bmp", NameProblem::Network},
        {"\\\\server\\share\\x.bmp", NameProblem::Network},
        {"c:/windows/win.ini", NameProblem::DriveLetter},
        {"C:win.ini", NameProblem::DriveLetter},
        {"bilder/hund.bmp:dold", NameProblem::BadCharacter},
        {"fr?ga.txt", NameProblem::BadCharacter},
        {"rad\nbrytning.txt", NameProblem::BadCharacter},
        {"con", NameProblem::DeviceName},
        {"mapp/NUL.txt", NameProblem::DeviceName},
        {"com1 .wav", NameProblem::DeviceName},
        {"lpt9", NameProblem::DeviceName},
        {"COM0.txt", NameProblem::DeviceName},
        {"bilder/lpt0", NameProblem::DeviceName},
        {"com\xB9.wav", NameProblem::DeviceName},
        {"LPT\xB2 .bmp", NameProblem::DeviceName},
        {"mapp/Com\xB3", NameProblem::DeviceName},
        {"console.txt", NameProblem::None},
        {"com10.txt", NameProblem::None},
        {"com\xB4.txt", NameProblem::None},
        {"bilder/hund.bmp.", NameProblem::TrailingDot},
        {"bilder/hund.bmp ", NameProblem::TrailingDot},
        {"bilder. /hund.bmp", NameProblem::TrailingDot},
        {"./hund.bmp", NameProblem::TrailingDot},
        {".dold/.hund", NameProblem::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(c.problem), static_cast<int>(zip::CheckName(c.name))) << c.name;
}

TEST(ZipWriter, RefusesUnsafeAndDuplicateNames)
{
    TempFolder temp;
    const std::string file = temp.Write("a.txt", "a");
    zip::ZipWriter writer;
    EXPECT_EQ(Result::Ok, writer.Add(file, "bilder/a.txt"));
    EXPECT_EQ(Result::DuplicateName, writer.Add(file, "BILDER\\A.TXT"));
    EXPECT_EQ(Result::UnsafeName, writer.Add(file, "../a.txt"));
    EXPECT_EQ(Result::UnsafeName, writer.Add(file, "c:/a.txt"));
    EXPECT_EQ(1u, writer.Count());
}

TEST(ZipArchive, PackedFilesUnpackAsTheyWereWithTheirNamesAndMethods)
{
    TempFolder temp;
    const auto files = SampleFiles();
    zip::ZipWriter writer;
    AddFiles(temp, "src", files, writer);
    const std::string archive = temp / "set.zip";
    ASSERT_EQ(Result::Ok, writer.Pack(archive));

    zip::ZipReader reader;
    ASSERT_EQ(Result::Ok, reader.Open(archive));
    ASSERT_EQ(files.size(), reader.Entries().size());
    std::map<std::string, int> methods;
    for (size_t i = 0; i < reader.Entries().size(); ++i) {
        const zip::Entry& entry = reader.Entries()[i];
        ASSERT_EQ(1u, files.count(entry.name)) << entry.name;
        EXPECT_EQ(NameProblem::None, entry.problem);
        methods[entry.name] = entry.method;
        std::string data;
        ASSERT_EQ(Result::Ok, reader.Read(i, data)) << entry.name;
        EXPECT_EQ(files.at(entry.name), data) << entry.name;
    }
    EXPECT_EQ(8, methods["Bilder.ini"]) << "text deflates";
    EXPECT_EQ(0, methods["bilder/hund.bmp"]) << "noise that deflate cannot shrink is stored";
    EXPECT_EQ(0, methods["tom.txt"]);
    EXPECT_GE(reader.Find("bilder/hund.bmp"), 0);
    EXPECT_EQ(reader.Find("bilder/hund.bmp"), reader.Find("BILDER\\HUND.BMP"));

    const std::string out = temp / "ut";
    ::CreateDirectoryA(out.c_str(), nullptr);
    ASSERT_EQ(Result::Ok, reader.ExtractAll(out));
    for (const auto& file : files)
        EXPECT_EQ(file.second, ReadFile(out + "\\" + Slashes(file.first, '\\'))) << file.first;
}

TEST(ZipArchive, ProgressCountsEveryByteAndACancelLeavesTheEarlierArchive)
{
    TempFolder temp;
    zip::ZipWriter writer;
    AddFiles(temp, "src", SampleFiles(), writer);
    const std::string archive = temp.Write("set.zip", "the earlier archive");

    std::uint64_t last = 0;
    std::uint64_t total = 0;
    int calls = 0;
    ASSERT_EQ(Result::Cancelled, writer.Pack(archive, [&](const zip::Progress& progress) {
        EXPECT_GE(progress.done, last);
        last = progress.done;
        total = progress.total;
        return ++calls < 3;
    }));
    EXPECT_EQ("the earlier archive", ReadFile(archive));
    EXPECT_EQ(std::vector<std::string>{"set.zip"}, TempFolder::FilesIn(temp.Path())) << "no temporary file is left";

    last = 0;
    int percent = -1;
    ASSERT_EQ(Result::Ok, writer.Pack(archive, [&](const zip::Progress& progress) {
        last = progress.done;
        percent = progress.Percent();
        return true;
    }));
    EXPECT_EQ(total, last);
    EXPECT_EQ(100, percent);
}

// Files deflated on several threads, larger ones through spill files, come out in the order they
// were listed, byte for byte as one thread with everything in memory writes them.
TEST(ZipArchive, TheArchiveIsTheSameWhateverTheThreadsAndTheirMemory)
{
    TempFolder temp;
    std::map<std::string, std::string> files = SampleFiles();
    for (int n = 0; n < 12; ++n)
        files["ljud/ord" + std::to_string(n) + ".wav"] = n % 2 ? Noise(300000 + n, n) : Text(300000 + n);
    zip::ZipWriter listed;
    AddFiles(temp, "src", files, listed);
    std::string expected;
    const struct {
        int threads;
        size_t entryMemory;
    } limits[] = {{1, 64 * 1024 * 1024}, {4, 1000}, {3, 64 * 1024}, {8, 4 * 1024 * 1024}};
    for (const auto& limit : limits) {
        zip::ZipWriter writer(6, zip::PackingLimits{limit.threads, limit.entryMemory});
        for (const auto& file : files)
            ASSERT_EQ(Result::Ok, writer.Add(temp / ("src\\" + Slashes(file.first, '\\')), file.first));
        const std::string archive = temp / "set.zip";
        ASSERT_EQ(Result::Ok, writer.Pack(archive)) << limit.threads;
        const std::string bytes = ReadFile(archive);
        if (expected.empty())
            expected = bytes;
        EXPECT_TRUE(bytes == expected) << limit.threads << " threads, " << limit.entryMemory << " bytes each";
        EXPECT_EQ(std::vector<std::string>{"set.zip"}, TempFolder::FilesIn(temp.Path())) << "no spill file is left";
        ::DeleteFileA(archive.c_str());
    }
    zip::ZipReader reader;
    ASSERT_EQ(Result::Ok, reader.Open(temp.Write("set.zip", expected)));
    ASSERT_EQ(files.size(), reader.Entries().size());
    auto file = files.begin();
    for (size_t i = 0; i < reader.Entries().size(); ++i, ++file) {
        EXPECT_EQ(file->first, reader.Entries()[i].name) << "in the order listed";
        std::string data;
        ASSERT_EQ(Result::Ok, reader.Read(i, data)) << file->first;
        EXPECT_TRUE(data == file->second) << file->first;
    }
}

// A file that cannot be read, or a cancel, while later files are packed ahead through spill files:
// the packing stops there and leaves neither the archive nor a temporary or spill file.
TEST(ZipArchive, AStopAmidThreadsLeavesNoFileBehind)
{
    const struct {
        const char* what;
        bool lockFifth;
        int cancelAtCall;
        Result result;
    } cases[] = {
        {"a file another program holds", true, 0, Result::CannotOpen},
        {"a cancel", false, 4, Result::Cancelled},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        std::map<std::string, std::string> files;
        for (int n = 0; n < 10; ++n)
            files["bilder/bild" + std::to_string(n) + ".bmp"] = n % 2 ? Noise(600000, n) : Text(600000);
        zip::ZipWriter writer(6, zip::PackingLimits{4, 1000});
        AddFiles(temp, "src", files, writer);
        const std::string held = temp / "src\\bilder\\bild4.bmp";
        HANDLE lock = c.lockFifth ? ::CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                                  : INVALID_HANDLE_VALUE;
        ASSERT_EQ(c.lockFifth, lock != INVALID_HANDLE_VALUE) << ::GetLastError();
        int calls = 0;
        const Result result = writer.Pack(temp / "set.zip", [&](const zip::Progress&) {
            return ++calls != c.cancelAtCall;
        });
        if (lock != INVALID_HANDLE_VALUE)
            ::CloseHandle(lock);
        EXPECT_EQ(c.result, result) << c.what;
        if (c.lockFifth) {
            EXPECT_EQ(held, writer.FailedFile()) << c.what;
        }
        EXPECT_TRUE(TempFolder::FilesIn(temp.Path()).empty()) << c.what;
    }
}

TEST(ZipArchive, AMissingFileFailsThePackingAndNamesTheFile)
{
    TempFolder temp;
    zip::ZipWriter writer;
    AddFiles(temp, "src", SampleFiles(), writer);
    ASSERT_EQ(Result::Ok, writer.Add(temp / "borta.wav", "ljud/borta.wav"));
    ASSERT_EQ(Result::CannotOpen, writer.Pack(temp / "set.zip"));
    EXPECT_EQ(temp / "borta.wav", writer.FailedFile());
    EXPECT_TRUE(TempFolder::FilesIn(temp.Path()).empty()) << "neither the archive nor a temporary file";
    EXPECT_EQ(Result::CannotWrite, writer.Pack(temp / "ingen mapp\\set.zip"));
}

TEST(ZipReader, AnArchiveAfterOtherDataIsRead)
{
    TempFolder temp;
    zip::ZipWriter writer;
    AddFiles(temp, "src", SampleFiles(), writer);
    ASSERT_EQ(Result::Ok, writer.Pack(temp / "set.zip"));
    WriteFile(temp / "sfx.exe", "MZ" + Noise(5000, 3) + ReadFile(temp / "set.zip"));
    zip::ZipReader reader;
    ASSERT_EQ(Result::Ok, reader.Open(temp / "sfx.exe"));
    std::string data;
    ASSERT_EQ(Result::Ok, reader.Read(static_cast<size_t>(reader.Find("register.txt")), data));
    EXPECT_EQ("[Overlays]\r\n1=Bilder\r\n", data);
}

TEST(ZipReader, NamesFromOtherWritersAreReadInCodePage1252)
{
    TempFolder temp;
    const std::string archive = temp / "namn.zip";
    // "skål.txt": in UTF-8 with flag 11 (Python, Windows), and in code page 437 (older zippers).
    WriteFile(archive, RawArchive({{"sk\xC3\xA5l.txt", "a", 0xFFFFFFFE, 0, 0x0800}, {"\x86ngen.txt", "b"}}));
    zip::ZipReader reader;
    ASSERT_EQ(Result::Ok, reader.Open(archive));
    ASSERT_EQ(2u, reader.Entries().size());
    EXPECT_EQ("sk\xE5l.txt", reader.Entries()[0].name);
    EXPECT_EQ("\xE5ngen.txt", reader.Entries()[1].name);
}

TEST(ZipReader, UnsafeNamesAreReportedAndNothingIsUnpacked)
{
    TempFolder temp;
    const std::string archive = temp / "elak.zip";
    WriteFile(archive, RawArchive({{"ok.txt", "ok"},
                                   {"../utanfor.txt", "x"},
                                   {"/rot.txt", "x"},
                                   {"c:/windows/win.ini", "x"},
                                   {"//server/delat/x.txt", "x"},
                                   {"mapp/nul.txt", "x"},
                                   {"\xE2\x82\xAC\xE2\x80\x8Bx.txt", "x", 0xFFFFFFFE, 0, 0x0800}}));
    zip::ZipReader reader;
    ASSERT_EQ(Result::Ok, reader.Open(archive));
    const NameProblem expected[] = {NameProblem::None,        NameProblem::ParentFolder, NameProblem::Absolute,
                                    NameProblem::DriveLetter, NameProblem::Network,      NameProblem::DeviceName,
                                    NameProblem::BadCharacter};
    ASSERT_EQ(7u, reader.Entries().size());
    for (size_t i = 0; i < 7; ++i)
        EXPECT_EQ(static_cast<int>(expected[i]), static_cast<int>(reader.Entries()[i].problem)) << reader.Entries()[i].name;

    const std::string out = temp / "ut";
    ::CreateDirectoryA(out.c_str(), nullptr);
    EXPECT_EQ(Result::UnsafeName, reader.ExtractAll(out));
    EXPECT_EQ("../utanfor.txt", reader.FailedEntry());
    EXPECT_TRUE(TempFolder::FilesIn(out).empty());
    EXPECT_FALSE(Exists(temp / "utanfor.txt"));
}

TEST(ZipReader, LyingAndUnsupportedEntriesGiveResultsAndLeaveNoFile)
{
    TempFolder temp;
    const struct {
        const char* what;
        RawEntry entry;
        Result result;
    } cases[] = {
        {"a size far beyond what its packed bytes can hold", {"bomb.txt", std::string("\x03\x00", 2), 0x7FFFFFFF, 8}, Result::Damaged},
        {"a stored entry whose size differs from its packed size", {"kort.txt", "abc", 10, 0}, Result::Damaged},
        {"a deflated entry that ends before its stream", {"halv.txt", "\x4b\x4c", 100, 8}, Result::Damaged},
        {"an encrypted entry", {"hemlig.txt", "abc", 0xFFFFFFFE, 0, 1}, Result::Unsupported},
        {"another method", {"bzip2.txt", "abc", 0xFFFFFFFE, 12}, Result::Unsupported},
    };
    for (const auto& c : cases) {
        const std::string archive = temp / "fel.zip";
        WriteFile(archive, RawArchive({c.entry}));
        zip::ZipReader reader;
        ASSERT_EQ(Result::Ok, reader.Open(archive)) << c.what;
        const std::string target = temp / "ut.txt";
        EXPECT_EQ(c.result, reader.Extract(0, target)) << c.what;
        EXPECT_FALSE(Exists(target)) << c.what;
    }
}

TEST(ZipReader, DamagedArchivesGiveResultsNeverACrash)
{
    TempFolder temp;
    zip::ZipWriter writer;
    AddFiles(temp, "src", {{"a.txt", Text(2000)}, {"b.bin", Noise(300, 5)}, {"c.txt", "kort"}}, writer);
    ASSERT_EQ(Result::Ok, writer.Pack(temp / "bra.zip"));
    const std::string good = ReadFile(temp / "bra.zip");

    // A data byte changed: the CRC check finds it.
    {
        zip::ZipReader reader;
        ASSERT_EQ(Result::Ok, reader.Open(temp / "bra.zip"));
        const zip::Entry stored = reader.Entries()[1];
        ASSERT_EQ(0, stored.method);
        std::string changed = good;
        changed[stored.offset + 30 + stored.name.size() + 10] ^= 0x55;
        WriteFile(temp / "crc.zip", changed);
        zip::ZipReader damaged;
        ASSERT_EQ(Result::Ok, damaged.Open(temp / "crc.zip"));
        std::string data;
        EXPECT_EQ(Result::CrcError, damaged.Read(1, data));
        EXPECT_TRUE(data.empty());
    }

    // Every cut and every changed byte: some result, and never more than the archive declares.
    const std::string out = temp / "ut";
    ::CreateDirectoryA(out.c_str(), nullptr);
    int refused = 0;
    auto tryArchive = [&](const std::string& bytes) {
        WriteFile(temp / "prov.zip", bytes);
        zip::ZipReader reader;
        if (reader.Open(temp / "prov.zip") != Result::Ok || reader.ExtractAll(out) != Result::Ok)
            ++refused;
        for (const std::string& name : TempFolder::FilesIn(out))
            ::DeleteFileA((out + "\\" + name).c_str());
    };
    for (size_t size = 0; size < good.size(); size += 7)
        tryArchive(good.substr(0, size));
    for (size_t at = 0; at < good.size(); at += 3) {
        std::string changed = good;
        changed[at] = static_cast<char>(changed[at] ^ 0xA5);
        tryArchive(changed);
    }
    EXPECT_GT(refused, 0);
    EXPECT_EQ((std::vector<std::string>{"bra.zip", "crc.zip", "prov.zip"}), TempFolder::FilesIn(temp.Path()))
        << "nothing was unpacked outside its folder";
}

TEST(ZipReader, Zip64AndMissingEndRecordsAreRefused)
{
    TempFolder temp;
    std::string bytes = RawArchive({{"a.txt", "a"}});
    std::string zip64 = bytes;
    zip64[zip64.size() - 22 + 10] = '\xFF';
    zip64[zip64.size() - 22 + 11] = '\xFF';
    WriteFile(temp / "zip64.zip", zip64);
    WriteFile(temp / "inget.zip", Text(3000));
    WriteFile(temp / "tom.zip", "");
    zip::ZipReader reader;
    EXPECT_EQ(Result::Unsupported, reader.Open(temp / "zip64.zip"));
    EXPECT_EQ(Result::NotAnArchive, reader.Open(temp / "inget.zip"));
    EXPECT_EQ(Result::NotAnArchive, reader.Open(temp / "tom.zip"));
    EXPECT_EQ(Result::CannotOpen, reader.Open(temp / "finns inte.zip"));
}

namespace {

// Diskettes as folders: the volume written in the drive is taken out to "disk<n>" when the next is asked for.
struct DisketteDrive {
    explicit DisketteDrive(const TempFolder& temp) : temp(temp)
    {
        ::CreateDirectoryA((temp / "A").c_str(), nullptr);
    }
    std::string Volume() const { return temp / "A\\Mina.zip"; }
    std::string Disk(int number) const { return temp / ("disk" + std::to_string(number)); }

    zip::SpanHandlers Handlers(std::uint64_t capacity)
    {
        zip::SpanHandlers handlers;
        handlers.askForDisk = [this](int disk, int disks) {
            asked.emplace_back(disk, disks);
            if (disk > 1) {
                ::CreateDirectoryA(Disk(disk - 1).c_str(), nullptr);
                ::MoveFileA(Volume().c_str(), (Disk(disk - 1) + "\\Mina.zip").c_str());
            }
            return disk != cancelAt;
        };
        handlers.capacity = [capacity](const std::string&) { return capacity; };
        return handlers;
    }
    // The last volume stays in the drive.
    void TakeOutLast(int disk)
    {
        ::CreateDirectoryA(Disk(disk).c_str(), nullptr);
        ::MoveFileA(Volume().c_str(), (Disk(disk) + "\\Mina.zip").c_str());
    }

    const TempFolder& temp;
    std::vector<std::pair<int, int>> asked;
    int cancelAt = 0;
};

} // namespace

TEST(ZipSpan, AnArchiveThatFitsIsCopiedWhole)
{
    TempFolder temp;
    zip::ZipWriter writer;
    AddFiles(temp, "src", SampleFiles(), writer);
    ASSERT_EQ(Result::Ok, writer.Pack(temp / "hel.zip"));
    DisketteDrive drive(temp);
    ASSERT_EQ(Result::Ok, zip::SpanArchive(temp / "hel.zip", drive.Volume(), drive.Handlers(1474560)));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{1, 1}}), drive.asked);
    EXPECT_EQ(ReadFile(temp / "hel.zip"), ReadFile(drive.Volume()));
}

TEST(ZipSpan, ALargerArchiveIsSpreadOverDiskettesAndReadBack)
{
    TempFolder temp;
    auto files = SampleFiles();
    files["bilder/stor.bmp"] = Noise(150000, 11);
    zip::ZipWriter writer;
    AddFiles(temp, "src", files, writer);
    ASSERT_EQ(Result::Ok, writer.Pack(temp / "hel.zip"));
    DisketteDrive drive(temp);
    ASSERT_EQ(Result::Ok, zip::SpanArchive(temp / "hel.zip", drive.Volume(), drive.Handlers(60000)));
    const int disks = static_cast<int>(drive.asked.size());
    ASSERT_GE(disks, 4);
    for (int i = 0; i < disks; ++i) {
        EXPECT_EQ(i + 1, drive.asked[static_cast<size_t>(i)].first);
        EXPECT_EQ(disks, drive.asked[static_cast<size_t>(i)].second) << "the count is known from the first diskette";
    }
    drive.TakeOutLast(disks);
    EXPECT_EQ(std::string("PK\x07\x08", 4), ReadFile(drive.Disk(1) + "\\Mina.zip").substr(0, 4));
    for (int disk = 1; disk <= disks; ++disk)
        EXPECT_LE(ReadFile(drive.Disk(disk) + "\\Mina.zip").size(), 60000u);

    std::vector<int> wanted;
    zip::ZipReader reader;
    ASSERT_EQ(Result::Ok, reader.Open(drive.Disk(disks) + "\\Mina.zip", [&](int disk, int count) {
        EXPECT_EQ(disks, count);
        wanted.push_back(disk);
        return drive.Disk(disk + 1) + "\\Mina.zip";
    }));
    ASSERT_EQ(files.size(), reader.Entries().size());
    for (size_t i = 0; i < reader.Entries().size(); ++i) {
        std::string data;
        ASSERT_EQ(Result::Ok, reader.Read(i, data)) << reader.Entries()[i].name;
        EXPECT_EQ(files.at(reader.Entries()[i].name), data);
    }
    EXPECT_FALSE(wanted.empty());

    zip::ZipReader withoutVolumes;
    EXPECT_EQ(Result::NoVolume, withoutVolumes.Open(drive.Disk(disks) + "\\Mina.zip"));
}

TEST(ZipSpan, ACancelledDisketteStopsAndRemovesItsVolume)
{
    TempFolder temp;
    zip::ZipWriter writer;
    AddFiles(temp, "src", {{"stor.bmp", Noise(150000, 4)}}, writer);
    ASSERT_EQ(Result::Ok, writer.Pack(temp / "hel.zip"));
    DisketteDrive drive(temp);
    drive.cancelAt = 2;
    EXPECT_EQ(Result::Cancelled, zip::SpanArchive(temp / "hel.zip", drive.Volume(), drive.Handlers(60000)));
    EXPECT_FALSE(Exists(drive.Volume()));

    DisketteDrive tiny(temp);
    EXPECT_EQ(Result::TooLarge, zip::SpanArchive(temp / "hel.zip", tiny.Volume(), tiny.Handlers(20)));
}

// Each volume is created new: a file of its name on a diskette the user chose not to clear stays as
// it is, on the first diskette (the archive fits) as on a later one.
TEST(ZipSpan, AFileOfTheVolumesNameOnADisketteIsNeverReplaced)
{
    const struct {
        std::uint64_t capacity;
        int diskWithFile;
    } cases[] = {{1474560, 1}, {60000, 2}};
    for (const auto& c : cases) {
        TempFolder temp;
        zip::ZipWriter writer;
        AddFiles(temp, "src", {{"stor.bmp", Noise(150000, 4)}}, writer);
        ASSERT_EQ(Result::Ok, writer.Pack(temp / "hel.zip"));
        DisketteDrive drive(temp);
        zip::SpanHandlers handlers = drive.Handlers(c.capacity);
        const auto ask = handlers.askForDisk;
        handlers.askForDisk = [&](int disk, int disks) {
            const bool go = ask(disk, disks);
            if (disk == c.diskWithFile)
                WriteFile(drive.Volume(), "min fil");
            return go;
        };
        EXPECT_EQ(Result::DuplicateName, zip::SpanArchive(temp / "hel.zip", drive.Volume(), handlers)) << c.capacity;
        EXPECT_TRUE(ReadFile(drive.Volume()) == "min fil") << c.capacity << ": the file on the diskette stays as it was";
    }
}
