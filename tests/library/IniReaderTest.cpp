// Our ini reader against the platform's: every row of the table in IniDocument.h read both ways from
// the same files, and the cache seeing each change on disk at the next read.
#include "ImageBaseFiles.h"
#include "library/IniFile.h"
#include "library/IniFileCache.h"
#include "library/IniValues.h"
#include <gtest/gtest.h>
#include <windows.h>

using namespace testsupport;

namespace {

template <size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

// Blanks, case, quotes, comments, duplicates, section headers of every shape, NULs and high bytes.
const std::string kOddities = Bytes(
    "top=before any section\r\n"
    "[Sec]\r\n"
    "abc=1\r\n"
    "  Blank Key  =  v 2  \r\n"
    "\tTab\t=\tv3\t\r\n"
    "\xE5key=4\r\n"
    "nbsp\xA0=\xA0v5\xA0\r\n"
    "vt\x0B=\x0Bv6\x0C\r\n"
    "z=v7\x1A\r\n"
    "sep\x1C=v8\r\n"
    "cr=a\rb\r\n"
    "dup=first\r\ndup=second\r\n"
    "noeq\r\nnoeq=after\r\n"
    ";com=c1\r\n#hash=h1\r\n"
    "semi=x ;tail\r\n"
    "=emptykey\r\n"
    "q1=\"quoted\"\r\nq2='single'\r\nq3=\"half\r\nq4=\"\r\nq5=\"\"\r\nq6= \"sp\" \r\nq7=\"a\"b\"\r\nq8=\"mixed'\r\n"
    "nul=ab\0cd\r\nna\0me=v9\r\n"
    "k=v=w\r\nempty=\r\nsp ace=in\r\n"
    "[ Spaced ]\r\nk=s1\r\n"
    "   [Indented]   \r\nk=s2\r\n"
    "[Trail] junk\r\nk=s3\r\n"
    "[NoClose\r\nk=s4\r\n"
    "[a]b]\r\nk=s5\r\n"
    "[\xC5sec]\r\nk=s7\r\n"
    "[Dup]\r\nx=1\r\n[dup]\r\ny=2\r\nx=3\r\n"
    "[\tTabSec\t]\r\nk=s8\r\n"
    "[Sec]\r\nlate=L\r\nabc=again\r\n"
    "[High]\r\n\x81\x8D\x8F\x90\x9D=\x80\x81\xFF\x85\x8D\r\n"
    "[lf]\nlf1=x\nlf2=y\n"
    "[cronly]\rc1=x\rc2=y\r"
    "[last]\r\nend=no line end");

struct Row {
    const char* section;
    std::string key;
    const char* fallback;
    std::string expected; // what the platform gives, as measured
};

const Row kRows[] = {
    {"Sec", "abc", "-", "1"},
    {"Sec", "ABC", "-", "1"},                            // ASCII case folds
    {"sec", "abc", "-", "1"},
    {" Sec ", " abc ", "-", "1"},                        // the names asked for are trimmed
    {"\tSec", "abc", "-", "1"},
    {"Sec\n", "abc\r", "-", "1"},
    {"Sec", "Blank Key", "-", "v 2"},                     // blanks around names and values go
    {"Sec", "blank key", "-", "v 2"},
    {"Sec", "Blank  Key", "-", "-"},                      // inner blanks stay
    {"Sec", "Tab", "-", "v3"},
    {"Sec", "\xE5key", "-", "4"},
    {"Sec", "\xC5KEY", "-", "-"},                         // Å does not fold to å
    {"Sec", "nbsp", "-", "-"},                            // 0xA0 is no blank
    {"Sec", "nbsp\xA0", "-", "\xA0v5\xA0"},
    {"Sec", "vt", "-", "v6"},                             // VT, FF and Ctrl-Z are
    {"Sec", "z", "-", "v7"},
    {"Sec", "sep", "-", "-"},                             // 0x1C is not
    {"Sec", "sep\x1C", "-", "v8"},
    {"Sec", "cr", "-", "a"},                              // a lone CR ends the line
    {"Sec", "b", "-", "-"},
    {"Sec", "dup", "-", "first"},                         // the first of a key wins
    {"Sec", "noeq", "-", "-"},                            // even without '=': the fallback
    {"Sec", ";com", "-", "c1"},                           // no comments for look-ups
    {"Sec", "com", "-", "-"},
    {"Sec", "#hash", "-", "h1"},
    {"Sec", "semi", "-", "x ;tail"},
    {"Sec", "", "-", "emptykey"},
    {"Sec", "  ", "-", "emptykey"},
    {"Sec", "q1", "-", "quoted"},                         // quotes
    {"Sec", "q2", "-", "single"},
    {"Sec", "q3", "-", "\"half"},
    {"Sec", "q4", "-", "\""},
    {"Sec", "q5", "-", ""},
    {"Sec", "q6", "-", "sp"},
    {"Sec", "q7", "-", "a\"b"},
    {"Sec", "q8", "-", "\"mixed'"},
    {"Sec", "nul", "-", "ab"},                            // a NUL ends a value or a name
    {"Sec", "na", "-", "v9"},
    {"Sec", "k", "-", "v=w"},
    {"Sec", "empty", "-", ""},
    {"Sec", "sp ace", "-", "in"},
    {"Sec", "late", "-", "-"},                            // the second [Sec] is not seen
    {"Sec", "missing", "-", "-"},
    {"Spaced", "k", "-", "s1"},                           // section headers
    {" Spaced ", "k", "-", "s1"},
    {"Indented", "k", "-", "s2"},
    {"Trail", "k", "-", "s3"},
    {"NoClose", "k", "-", "-"},
    {"Trail", "[NoClose", "-", "-"},                      // a key without value of [Trail]
    {"a]b", "k", "-", "s5"},
    {"a", "k", "-", "-"},
    {"\xC5sec", "k", "-", "s7"},
    {"\xE5sec", "k", "-", "-"},
    {"Dup", "x", "-", "1"},
    {"DUP", "y", "-", "-"},
    {"TabSec", "k", "-", "s8"},
    {"", "top", "-", "before any section"},
    {"High", "\x81\x8D\x8F\x90\x9D", "-", "\x80\x81\xFF\x85\x8D"},
    {"lf", "lf2", "-", "y"},
    {"cronly", "c2", "-", "y"},
    {"last", "end", "-", "no line end"},
    {"Sec", "missing", "  fall  ", "  fall"},             // fallbacks lose trailing spaces...
    {"Sec", "missing", " ", " "},                         // ...but not the last character
    {"Sec", "missing", "\"fall\"", "fall"},               // ...and their quotes
    {"Sec", "missing", "fall\t", "fall\t"},
};

struct Listing {
    const char* section;
    std::vector<std::string> expected;
};

// Lines without '=' and ';' keys are left out; a key twice, or once without and once with '=', is not.
const Listing kListings[] = {
    {"Sec", {"abc", "Blank Key", "Tab", "\xE5key", "nbsp\xA0", "vt", "z", "sep\x1C", "cr", "dup", "dup", "noeq", "#hash",
             "semi", "q1", "q2", "q3", "q4", "q5", "q6", "q7", "q8", "nul", "na", "k", "empty", "sp ace"}},
    {"sec", {"abc", "Blank Key", "Tab", "\xE5key", "nbsp\xA0", "vt", "z", "sep\x1C", "cr", "dup", "dup", "noeq", "#hash",
             "semi", "q1", "q2", "q3", "q4", "q5", "q6", "q7", "q8", "nul", "na", "k", "empty", "sp ace"}},
    {" Sec", {}},                                         // the section asked for is not trimmed here
    {"Spaced", {"k"}},
    {" Spaced ", {}},
    {"Dup", {"x"}},
    {"Trail", {"k", "k"}},                                // "[NoClose" and its key belong to [Trail]
    {"", {"top"}},
    {"nosuch", {}},
};

class IniReader : public testing::Test {
protected:
    void TearDown() override { ini::FileCache::SetClock(nullptr); }

    TempFolder folder;
};

// Sets a file's last write time, as a write within the same tick of the file system's clock leaves it.
void SetLastWrite(const std::string& path, unsigned long long time)
{
    HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    FILETIME stamp{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    ::SetFileTime(file, nullptr, nullptr, &stamp);
    ::CloseHandle(file);
}

unsigned long long LastWrite(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

std::string Read(const std::string& path, const std::string& key)
{
    return ini::FileView(path).Read("S", key, "-");
}

} // namespace

TEST_F(IniReader, EveryRowOfTheTableReadsAsThePlatformReadsIt)
{
    const std::string path = folder.Write("oddities.ini", kOddities);
    for (const Row& row : kRows) {
        const std::string shown = std::string("[") + row.section + "] '" + row.key.substr(0, 20) + "'";
        EXPECT_EQ(row.expected, ini::ReadString(path, row.section, row.key, row.fallback)) << "platform " << shown;
        EXPECT_EQ(row.expected, ini::FileView(path).Read(row.section, row.key, row.fallback)) << "ours " << shown;
    }
    for (const Listing& listing : kListings) {
        EXPECT_EQ(listing.expected, ini::ReadKeyNames(path, listing.section)) << "platform [" << listing.section << "]";
        EXPECT_EQ(listing.expected, ini::FileView(path).KeyNames(listing.section)) << "ours [" << listing.section << "]";
    }
}

TEST_F(IniReader, FilesOfOtherShapesReadAsThePlatformReadsThem)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::string key;
        std::string expected;
    };
    const Case cases[] = {
        {"long.ini", "[S]\r\nlong=" + std::string(100000, 'x') + "\r\nnext=n\r\n", "long", std::string(100000, 'x')},
        {"long key.ini", "[S]\r\n" + std::string(32766, 'k') + "=found\r\n", std::string(32766, 'k'), "found"},
        {"longer key.ini", "[S]\r\n" + std::string(32767, 'k') + "=found\r\n", std::string(32767, 'k'), "-"},
        {"utf8.ini", Bytes("\xEF\xBB\xBF[S]\r\nk=\xC3\xA5\xC3\xA4\xE2\x82\xAC\xE4\x80\x80\r\n"), "k", "\xE5\xE4\x80?"},
        {"utf16.ini", Bytes("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE5\0\r\0\n\0"), "k", "\xE5"},
        {"utf16be.ini", Bytes("\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\0v"), "k", "v"},
        {"no mark.ini", Bytes("[\0S\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0"), "k", "-"},
        {"mark inside.ini", Bytes("[S]\r\n\xEF\xBB\xBFk=v\r\n"), "k", "-"},
        {"empty.ini", "", "k", "-"},
    };
    for (const Case& c : cases) {
        const std::string path = folder.Write(c.name, c.bytes);
        EXPECT_EQ(c.expected, ini::ReadString(path, "S", c.key, "-")) << "platform " << c.name;
        EXPECT_EQ(c.expected, Read(path, c.key)) << "ours " << c.name;
    }
    EXPECT_EQ("-", ini::ReadString(folder / "missing.ini", "S", "k", "-"));
    EXPECT_EQ("-", Read(folder / "missing.ini", "k"));
    ::CreateDirectoryA((folder / "folder.ini").c_str(), nullptr);
    EXPECT_EQ("-", ini::ReadString(folder / "folder.ini", "S", "k", "-"));
    EXPECT_EQ("-", Read(folder / "folder.ini", "k"));
}

// Flags and counts are read as the platform's GetPrivateProfileInt reads them.
TEST_F(IniReader, IntegersReadAsThePlatformReadsThem)
{
    const std::string path = folder.Write("numbers.ini", Bytes("[S]\r\none=1\r\nzero=0\r\nempty=\r\nblank=   \r\n"
                                                                "lead=  7\r\nneg=-3\r\nplus=+4\r\ntrail=12abc\r\n"
                                                                "word=abc\r\nhex=0x10\r\nmax=2147483647\r\n"
                                                                "wrap=4294967295\r\nover=4294967296\r\nbig=99999999999\r\n"
                                                                "least=-2147483648\r\nquoted=\"5\"\r\nctrl=\x01 8\r\n"
                                                                "gap=- 5\r\nnoeq\r\nhexup=0X10\r\nbin=0b101\r\noct=0o17\r\n"
                                                                "zerolead=010\r\nbare=0x\r\nhexcase=0xfF\r\nhexend=0x1g\r\n"
                                                                "neghex=-0x10\r\nbinup=0B11\r\nbin2=0b12\r\n"
                                                                "long29=00000000000000000000000000009\r\n"
                                                                "long30=000000000000000000000000000009\r\n"));
    struct Case {
        const char* key;
        int expected;
    };
    const Case cases[] = {
        {"one", 1},          {"zero", 0},        {"empty", -7},      {"blank", -7},   {"lead", 7},
        {"neg", -3},         {"plus", 4},        {"trail", 12},      {"word", 0},     {"hex", 16},
        {"max", 2147483647}, {"wrap", -1},       {"over", 0},        {"big", 1215752191},
        {"least", -2147483647 - 1},              {"quoted", 5},      {"ctrl", 8},     {"gap", 0},
        {"noeq", -7},        {"missing", -7},    {"long29", 9},      {"long30", 0},
        {"hexup", 0},  {"bin", 5},          {"oct", 15},        {"zerolead", 10}, {"bare", 0},   {"hexcase", 255},
        {"hexend", 1}, {"neghex", -16},     {"binup", 0},       {"bin2", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, ini::ReadInt(path, "S", c.key, -7)) << "platform " << c.key;
        EXPECT_EQ(c.expected, ini::FileView(path).ReadInt("S", c.key, -7)) << "ours " << c.key;
    }
    EXPECT_EQ(-7, ini::FileView(folder / "missing.ini").ReadInt("S", "one", -7));
}

TEST_F(IniReader, AChangeOnDiskIsSeenByTheNextRead)
{
    const std::string path = folder.Write("change.ini", "[S]\r\nk=aaaa\r\n");
    EXPECT_EQ("aaaa", Read(path, "k"));
    folder.Write("change.ini", "[S]\r\nk=aaaaaa\r\n");
    EXPECT_EQ("aaaaaa", Read(path, "k")) << "grown";
    folder.Write("change.ini", "[S]\r\nk=a\r\n");
    EXPECT_EQ("a", Read(path, "k")) << "shrunk";
    ASSERT_TRUE(::DeleteFileA(path.c_str()));
    EXPECT_EQ("-", Read(path, "k")) << "deleted";
    ::CreateDirectoryA(path.c_str(), nullptr);
    EXPECT_EQ("-", Read(path, "k")) << "a folder in its place";
    ::RemoveDirectoryA(path.c_str());
    folder.Write("change.ini", "[S]\r\nk=back\r\n");
    EXPECT_EQ("back", Read(path, "k")) << "written again";
}

// A rewrite within one tick of the file system's clock leaves size and time stamp as they were: the
// file is read again and compared as long as its stamp is younger than the settle time.
TEST_F(IniReader, ARewriteWithTheSameSizeAndStampIsSeenUntilTheFileHasSettled)
{
    const std::string path = folder.Write("tick.ini", "[S]\r\nk=aaaa\r\n");
    const unsigned long long written = LastWrite(path);
    unsigned long long now = written + ini::FileCache::kSettleTime / 3;
    ini::FileCache::SetClock([&now] { return now; });
    EXPECT_EQ("aaaa", Read(path, "k"));

    folder.Write("tick.ini", "[S]\r\nk=bbbb\r\n");
    SetLastWrite(path, written);
    EXPECT_EQ("bbbb", Read(path, "k")) << "same size, same stamp, same tick";

    // Read once the stamp has settled: from now on only a later stamp can mean new bytes.
    now = written + ini::FileCache::kSettleTime;
    EXPECT_EQ("bbbb", Read(path, "k"));
    folder.Write("tick.ini", "[S]\r\nk=cccc\r\n");
    SetLastWrite(path, now + 1);
    EXPECT_EQ("cccc", Read(path, "k")) << "a later stamp";
}

// Seeing a lock at every read would cost an open at every read: a file first met while it cannot be
// opened reads as missing (as the platform reads it) and is not kept, so it is read once it opens; a
// file already read keeps its content while another program holds it, until it changes.
TEST_F(IniReader, AFileThatCannotBeOpenedReadsAsMissingUntilItOpens)
{
    const std::string path = folder.Write("locked.ini", "[S]\r\nk=v\r\n");
    {
        LockedFile lock(path);
        ASSERT_TRUE(lock.IsOpen());
        EXPECT_EQ("-", ini::ReadString(path, "S", "k", "-"));
        EXPECT_EQ("-", Read(path, "k"));
    }
    ini::FileCache::SetClock([&path] { return LastWrite(path) + ini::FileCache::kSettleTime; });
    EXPECT_EQ("v", Read(path, "k"));
    {
        LockedFile lock(path);
        EXPECT_EQ("v", Read(path, "k"));
    }
}

TEST_F(IniReader, ThePlatformsReadsCanBeChosenForTheWholeProcess)
{
    const std::string path = folder.Write("chosen.ini", Bytes("[S]\r\nk=v\r\n"));
    EXPECT_FALSE(ini::UsesPlatformReads());
    {
        ini::PlatformReads through;
        EXPECT_TRUE(ini::UsesPlatformReads());
        EXPECT_EQ("v", Read(path, "k"));
        ASSERT_NE(nullptr, ini::FileView(path).Lines());
        EXPECT_EQ((std::vector<std::string>{"[S]", "k=v"}), *ini::FileView(path).Lines());
    }
    EXPECT_FALSE(ini::UsesPlatformReads());
    EXPECT_EQ((std::vector<std::string>{"[S]", "k=v"}), *ini::FileView(path).Lines());
    EXPECT_EQ(nullptr, ini::FileView(folder / "missing.ini").Lines());
}
