// Morvel's document files: the text pinned byte for byte, round trips of characters and symbols,
// what the reader makes of damaged files, and saves that fail.
#include "DocumentText.h"
#include "ImageBaseFiles.h"
#include "MorvelConfig.h"
#include "support/FullDisk.h"
#include "writer/FileIO.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>

namespace {

using doctext::Items;

// The items as one text: characters as themselves, pictures as "{n}", large ones as "{n+}".
std::string Describe(const std::vector<DocItem>& items)
{
    std::string text;
    for (const DocItem& item : items) {
        if (item.IsPicture())
            text += "{" + std::to_string(item.imageNumber_) + (item.large_ ? "+}" : "}");
        else
            text += item.GetChar();
    }
    return text;
}

std::vector<std::string> Contents(const std::vector<CKvoraObject>& images)
{
    std::vector<std::string> contents;
    for (const CKvoraObject& image : images)
        contents.push_back(std::to_string(image.id_) + ":" + image.BuildContent());
    return contents;
}

class DocumentFile : public testing::Test {
protected:
    CKvoraObject Object(int id, const std::string& content) const
    {
        CKvoraObject object;
        object.ParseContent(content, io->imageBaseIni_);
        object.id_ = id;
        return object;
    }

    // Writes the items and images, then reads the file back into items and images.
    FileIO::ReadResult RoundTrip(const std::vector<DocItem>& items, const std::vector<CKvoraObject>& images)
    {
        EXPECT_EQ(1, io->WriteDocument(items, images, path));
        return io->ReadDocument(readItems, readImages, path);
    }

    FileIO::ReadResult ReadText(const std::string& file)
    {
        config.Write("dokument\\1.txt", file);
        return io->ReadDocument(readItems, readImages, path);
    }

    testsupport::WindowsFileGuard sharedSounds{"picwav.ini"};
    MorvelConfig config;
    std::string imageBaseIni = config.WriteImageBase(); // before FileIO looks for it
    std::unique_ptr<FileIO> io = std::make_unique<FileIO>(config.Environment());
    std::string path = config.Write("dokument\\1.txt", "");
    std::vector<DocItem> readItems;
    std::vector<CKvoraObject> readImages;
};

} // namespace

// The example of the format: three letters, a line break, a large picture with id 0 and one with id 3.
TEST_F(DocumentFile, WritesTheTextTheTagsAndTheImagesSection)
{
    const std::vector<CKvoraObject> images = {Object(0, "@A12@"), Object(3, "@C:\\sol.bmp+'solen'@")};
    ASSERT_EQ(1, io->WriteDocument(Items("abc\n{0+}{3}"), images, path));
    EXPECT_EQ("abc\r\n<I0><+><I3><End>\r\n\r\n[Images]\r\nI0=@A12@\r\nI3=@C:\\sol.bmp+'solen'@\r\n",
              testsupport::TempFolder::Read(path));

    // Read back, the pictures are numbered by their place: the document window reaches an object by
    // its id as a position, and id 3 lay past the end of a list of two.
    EXPECT_EQ(FileIO::kRead, io->ReadDocument(readItems, readImages, path));
    EXPECT_EQ("abc\n{0+}{1}", Describe(readItems));
    EXPECT_EQ(std::vector<std::string>({"0:@A12@", "1:@C:\\sol.bmp+'solen'@"}), Contents(readImages));
    EXPECT_EQ(config.Temp() / "bas\\12.bmp", readImages[0].picturePath_); // the code resolved in the image bases
    EXPECT_EQ("hund", readImages[0].label_);
}

TEST_F(DocumentFile, AnEmptyDocumentIsOnlyTheEndAndTheSection)
{
    ASSERT_EQ(1, io->WriteDocument(Items(""), {}, path));
    EXPECT_EQ("<End>\r\n\r\n[Images]\r\n", testsupport::TempFolder::Read(path));
    readItems = Items("gammalt");
    readImages = {Object(0, "@A12@")};
    EXPECT_EQ(FileIO::kRead, io->ReadDocument(readItems, readImages, path));
    EXPECT_TRUE(readItems.empty());
    EXPECT_TRUE(readImages.empty());
}

TEST_F(DocumentFile, ReadsBackWhatItWrote)
{
    const std::string longSpeech(300, 'a');
    struct Case {
        const char* what;
        std::string items;
        std::vector<CKvoraObject> images;
        std::string read;
        std::vector<std::string> contents;
    } const cases[] = {
        {"lines, the last one ended", "Hej!\nHur mår du?\n", {}, "Hej!\nHur mår du?\n", {}},
        {"one picture twice", "{0}och{0+}", {Object(0, "@A13+'kissen'@")}, "{0}och{0+}", {"0:@A13+'kissen'@"}},
        // Values were read into 100 characters: a longer content string lost its closing '@' and the
        // picture was gone.
        {"a long content string", "{0}", {Object(0, "@A12+\"" + longSpeech + "\"@")}, "{0}",
         {"0:@A12+\"" + longSpeech + "\"@"}},
        // '<' opened a tag: a typed "<End>" cut the document, a typed "<I7>" became a picture.
        {"'<' and '>' in the text", "a<End>b<I7>c<+>d>e<<>f<", {}, "a<End>b<I7>c<+>d>e<<>f<", {}},
        {"'<' beside pictures", "<{0}<{1+}>", {Object(0, "@A12@"), Object(1, "@A13@")}, "<{0}<{1+}>",
         {"0:@A12@", "1:@A13@"}},
        {"sparse numbers", "{7}x{2}{7}", {Object(2, "@A12@"), Object(7, "@A13@")}, "{1}x{0}{1}",
         {"0:@A12@", "1:@A13@"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileIO::kRead, RoundTrip(Items(c.items), c.images)) << c.what;
        EXPECT_EQ(c.read, Describe(readItems)) << c.what;
        EXPECT_EQ(c.contents, Contents(readImages)) << c.what;
    }
}

TEST_F(DocumentFile, ReadsWhatItCanOfADamagedFileAndSaysSo)
{
    const std::string images = "\r\n\r\n[Images]\r\nI0=@A12@\r\nI9=@A13@\r\n";
    struct Case {
        const char* what;
        std::string file;
        FileIO::ReadResult result;
        std::string read;
        std::vector<std::string> contents;
    } const cases[] = {
        // The reader stepped past the end of the line after a tag left open.
        {"a picture tag left open", "ab<I0\r\ncd<End>" + images, FileIO::kDamaged, "ab{0}\ncd", {"0:@A12@"}},
        {"a '<' at the end of a line", "ab<\r\ncd<End>" + images, FileIO::kDamaged, "ab\ncd", {}},
        {"an end tag left open", "ab<En", FileIO::kDamaged, "ab\n", {}},
        {"a tag Morvel never writes", "a<X7>b<End>", FileIO::kDamaged, "a7>b", {}},
        {"no end", "abc\r\n", FileIO::kDamaged, "abc\n", {}},
        {"a picture number that is no number", "<Ix9><End>" + images, FileIO::kDamaged, "{0}", {"0:@A12@"}},
        {"a large mark before any item", "<+>ab<End>", FileIO::kRead, "ab", {}},
        // A number without its [Images] line: the pictures after it still get theirs, and it gets an
        // object without content, so every picture item names one.
        {"a picture without its line", "<I9><I4><I0><End>" + images, FileIO::kDamaged, "{2}{1}{0}",
         {"0:@A12@", "1:", "2:@A13@"}},
        {"an empty line is no damage", "<I0><End>\r\n\r\n[Images]\r\nI0=\r\n", FileIO::kRead, "{0}", {"0:"}},
        {"a content string that does not parse", "<I0><End>\r\n\r\n[Images]\r\nI0=A12\r\n", FileIO::kDamaged, "{0}",
         {"0:"}},
        // The section is read after the text, so a typed "[Images]" cannot pass for it.
        {"a text line that looks like the section", "[Images]\r\nI0=@A13@\r\n<I0><End>" + images, FileIO::kRead,
         "[Images]\nI0=@A13@\n{0}", {"0:@A12@"}},
        {"section and keys in other letter case, with blanks", "<I0><End>\r\n[images]\r\n i0 = @A12@ \r\n",
         FileIO::kRead, "{0}", {"0:@A12@"}},
        {"lines ended by LF alone, a stray CR", "a\rb\nc<End>\n[Images]\nI0=@A12@\n", FileIO::kRead, "ab\nc", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.result, ReadText(c.file)) << c.what;
        EXPECT_EQ(c.read, Describe(readItems)) << c.what;
        EXPECT_EQ(c.contents, Contents(readImages)) << c.what;
    }
}

// A picture code whose image base is away (a removable drive, another PC) resolves to nothing; its
// line was written back empty and the picture was gone for good when the base came back.
TEST_F(DocumentFile, ContentStringsThatDoNotResolveHereAreWrittenBackAsTheyWere)
{
    const std::string file = "<I0><I1><I2><End>\r\n\r\n[Images]\r\nI0=@B12@\r\nI1=@!B13+'katt'@\r\nI2=@A12@\r\n";
    const struct {
        const char* what;
        std::function<void(std::vector<CKvoraObject>&)> edit;
        std::string lines;
    } cases[] = {
        {"unchanged", [](std::vector<CKvoraObject>&) {}, "I0=@B12@\r\nI1=@!B13+'katt'@\r\nI2=@A12@\r\n"},
        {"negation toggled", [](std::vector<CKvoraObject>& images) {
             for (CKvoraObject& image : images)
                 image.crossed_ = !image.crossed_;
         },
         "I0=@!B12@\r\nI1=@B13+'katt'@\r\nI2=@!A12@\r\n"},
        {"changed otherwise: as it now stands", [](std::vector<CKvoraObject>& images) { images[1].label_ = "hund"; },
         "I0=@B12@\r\nI1=@!'hund'@\r\nI2=@A12@\r\n"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(FileIO::kRead, ReadText(file)) << c.what;
        ASSERT_EQ(3u, readImages.size());
        EXPECT_EQ("", readImages[0].BuildContent()) << "base B is not here";
        c.edit(readImages);
        readItems.emplace_back('\n'); // the document's final item, which is not stored
        ASSERT_EQ(1, io->WriteDocument(readItems, readImages, path)) << c.what;
        EXPECT_EQ("<I0><I1><I2><End>\r\n\r\n[Images]\r\n" + c.lines, testsupport::TempFolder::Read(path)) << c.what;
    }
}

// An unreadable file used to give an empty document without a word, which a later save or the
// leaving of an empty document would then have replaced or deleted.
TEST_F(DocumentFile, SaysWhenTheFileCannotBeRead)
{
    readItems = Items("gammalt");
    EXPECT_EQ(FileIO::kAbsent, io->ReadDocument(readItems, readImages, config.Temp() / "saknas.txt"));
    EXPECT_TRUE(readItems.empty());
    EXPECT_EQ(FileIO::kAbsent, io->ReadDocument(readItems, readImages, config.Temp() / "saknas\\1.txt"));
    {
        testsupport::LockedFile locked(path);
        ASSERT_TRUE(locked.IsOpen());
        EXPECT_EQ(FileIO::kUnreadable, io->ReadDocument(readItems, readImages, path));
    }
    // Another text form than ours: read as single bytes it would pass for a few stray characters.
    const struct {
        const char* what;
        std::string bytes;
    } forms[] = {
        {"UTF-16 with its mark", std::string("\xFF\xFEh\0e\0j\0<\0E\0n\0d\0>\0", 18)},
        {"UTF-16 without a mark", std::string("h\0e\0j\0<\0E\0n\0d\0>\0", 16)},
        {"UTF-8 with its mark", "\xEF\xBB\xBFhej<End>\r\n\r\n[Images]\r\n"},
        {"NUL bytes", std::string("hej\0\0<End>\r\n", 12)},
    };
    for (const auto& form : forms) {
        config.Write("dokument\\1.txt", form.bytes);
        readItems = Items("gammalt");
        EXPECT_EQ(FileIO::kUnreadable, io->ReadDocument(readItems, readImages, path)) << form.what;
        EXPECT_TRUE(readItems.empty()) << form.what;
    }
    ::DeleteFileA(path.c_str());
    ::CreateDirectoryA(path.c_str(), nullptr);
    EXPECT_EQ(FileIO::kUnreadable, io->ReadDocument(readItems, readImages, path)) << "a folder under the name";
    ::RemoveDirectoryA(path.c_str());
}

// The file was created anew (emptied) before it was written, and a failed write still counted as saved.
TEST_F(DocumentFile, AFailedSaveSaysSoAndKeepsTheLastGoodCopy)
{
    const std::vector<CKvoraObject> images = {Object(0, "@A12@")};
    ASSERT_EQ(1, io->WriteDocument(Items("första{0}"), images, path));
    const std::string good = testsupport::TempFolder::Read(path);

    {
        testsupport::FullDisk full;
        EXPECT_EQ(0, io->WriteDocument(Items("andra"), {}, path));
    }
    EXPECT_EQ(good, testsupport::TempFolder::Read(path));
    EXPECT_EQ(std::vector<std::string>({"1.txt"}), testsupport::TempFolder::FilesIn(config.Temp() / "dokument"));

    {
        testsupport::LockedFile locked(path);
        EXPECT_EQ(0, io->WriteDocument(Items("tredje"), {}, path));
    }
    EXPECT_EQ(good, testsupport::TempFolder::Read(path));
    EXPECT_EQ(0, io->WriteDocument(Items("fjärde"), {}, config.Temp() / "saknas\\1.txt"));
}
