// The content string: what each string parses to and what the object builds back, over a fixture
// image base; the classifier; copying; and the check callers ask before storing.
#include "ImageBaseFiles.h"
#include "library/ContentPaths.h"
#include "library/KvoraObject.h"
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

class ContentString : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string& t = folder.Path();
        std::string animals = folder.Write("djur.ini", IniText({
            "[ProgDir]", "Dir=" + t + "\\djur", "Extension=bmp",
            "[Bilder]", "12=hund", "13=katt,katten", "LANGKOD1234=zebra"}));
        std::string vireda = folder.Write("wmf\\vireda.ini", IniText({
            "[ProgDir]", "Dir=" + t + "\\wmf", "Extension=wmf", "[Bilder]", "7=sol"}));
        settings = folder.Write("imgbase.ini", IniText({
            "[ImageBases]", "A=" + animals + ",Djur,1,4,0", "V=" + vireda + ",Vireda,0,3,0"}));
    }

    std::string Picture(const std::string& name) const { return folder.Path() + "\\djur\\" + name; }

    WindowsFileGuard sharedSounds{"picwav.ini"};
    TempFolder folder;
    std::string settings;
};

struct Expected {
    const char* text;
    int result;
    const char* code;
    const char* picture; // relative to the fixture's picture folder when it starts with '>'
    const char* video;
    const char* label;
    const char* speech;
    const char* sound;
    int crossed;
    const char* rebuilt;
};

} // namespace

TEST_F(ContentString, ParsesAndRebuildsEveryKindOfString)
{
    const Expected cases[] = {
        // text, result, code, picture, video, label, speech, sound, crossed, rebuilt
        {"", 0, "", "", "", "", "", "", 0, ""},
        {"@", 0, "", "", "", "", "", "", 0, ""},
        {"A12", 0, "", "", "", "", "", "", 0, ""},
        {"@@", 1, "", "", "", "", "", "", 0, ""},
        {"@!@", 1, "", "", "", "", "", "", 1, ""}, // kept on purpose: a crossed mark alone is not written
        {"@!A12@", 1, "A12", ">12.bmp", "", "hund", "hund", "", 1, "@!A12@"},
        {"@A13@", 1, "A13", ">katten.bmp", "", "katt", "katt", "", 0, "@A13@"},
        // Kept on purpose: a label emptied after a code is written as two quotes.
        {"@A12+''@", 1, "A12", ">12.bmp", "", "", "hund", "", 0, "@A12+''@"},
        {"@A12+'vovve'@", 1, "A12", ">12.bmp", "", "vovve", "hund", "", 0, "@A12+'vovve'@"},
        {"@A12+'vovve'+\"en hund\"@", 1, "A12", ">12.bmp", "", "vovve", "en hund", "", 0, "@A12+'vovve'+\"en hund\"@"},
        {"@A12+\"\"@", 1, "A12", ">12.bmp", "", "hund", "", "", 0, "@A12+\"\"@"},
        {"@A12+c:\\ljud\\x.wav@", 1, "A12", ">12.bmp", "", "hund", "", "c:\\ljud\\x.wav", 0, "@A12+c:\\ljud\\x.wav@"},
        // Kept on purpose: labels after a code are joined into one.
        {"@A12+'a'+'b'@", 1, "A12", ">12.bmp", "", "ab", "hund", "", 0, "@A12+'ab'@"},
        {"@c:\\bilder\\sol.bmp+c:\\ljud\\sol.wav@", 1, "", "c:\\bilder\\sol.bmp", "", "", "", "c:\\ljud\\sol.wav", 0,
         "@c:\\bilder\\sol.bmp+c:\\ljud\\sol.wav@"},
        {"@c:\\film\\hav.avi+'havet'@", 1, "", "", "c:\\film\\hav.avi", "havet", "", "", 0, "@c:\\film\\hav.avi+'havet'@"},
        {"@'hej'+c:\\ljud\\hej.wav@", 1, "", "", "", "hej", "", "c:\\ljud\\hej.wav", 0, "@'hej'+c:\\ljud\\hej.wav@"},
        {"@'hej'+\"hallå\"@", 1, "", "", "", "hej", "hallå", "", 0, "@'hej'+\"hallå\"@"},
        {"@\"en hund\"@", 1, "", "", "", "", "en hund", "", 0, "@\"en hund\"@"},
        // A first-place label with a picture path is kept when the string is built again.
        {"@'hej'+c:\\a.bmp@", 1, "", "c:\\a.bmp", "", "hej", "", "", 0, "@c:\\a.bmp+'hej'@"},
        // Kept on purpose: after a first-place label a code's word replaces it.
        {"@'hej'+A12@", 1, "A12", ">12.bmp", "", "hund", "hund", "", 0, "@A12@"},
        // Kept on purpose: a plain first further part ends the list.
        {"@c:\\a.bmp+c:\\b.wav+'x'@", 1, "", "c:\\a.bmp", "", "", "", "c:\\b.wav", 0, "@c:\\a.bmp+c:\\b.wav@"},
        // Kept on purpose: a sound empties a speech written before it.
        {"@c:\\a.bmp+'x'+\"y\"+c:\\b.wav@", 1, "", "c:\\a.bmp", "", "x", "", "c:\\b.wav", 0, "@c:\\a.bmp+'x'+c:\\b.wav@"},
        // Kept on purpose: an unclosed first-place speech takes the closing delimiter in and stops at the end.
        {"@\"hej@", 1, "", "", "", "", "hej@", "", 0, "@\"hej@\"@"},
        {"@A12+'obalanserad@", 1, "A12", ">12.bmp", "", "obalanserad", "hund", "", 0, "@A12+'obalanserad'@"},
        // Kept on purpose: parts that are neither media nor resolvable codes are dropped.
        {"@A99@", 1, "", "", "", "", "", "", 0, ""},
        {"@Q12@", 1, "", "", "", "", "", "", 0, ""},
        {"@ABCDEFGHIJ@", 1, "", "", "", "", "", "", 0, ""},
        {"@c:\\x.doc+'text'@", 1, "", "", "", "text", "", "", 0, "@'text'@"},
        // A long code that the base holds is written by the builder, so it must read back.
        {"@ALANGKOD1234@", 1, "ALANGKOD1234", ">LANGKOD1234.bmp", "", "zebra", "zebra", "", 0, "@ALANGKOD1234@"},
        {"@c:\\bild.JPEG+c:\\ljud.MP3@", 1, "", "c:\\bild.JPEG", "", "", "", "c:\\ljud.MP3", 0, "@c:\\bild.JPEG+c:\\ljud.MP3@"},
        // A picture after a code replaces the code with its picture; the word it gave stays shown and spoken.
        {"@A12+'ej'+c:\\a.bmp@", 1, "", "c:\\a.bmp", "", "ej", "hund", "", 0, "@c:\\a.bmp+'ej'+\"hund\"@"},
        {"@A12+c:\\a.bmp@", 1, "", "c:\\a.bmp", "", "hund", "hund", "", 0, "@c:\\a.bmp+'hund'+\"hund\"@"},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(c.text);
        CKvoraObject object;
        EXPECT_EQ(c.result, object.ParseContent(c.text, settings));
        std::string picture = c.picture[0] == '>' ? Picture(c.picture + 1) : c.picture;
        EXPECT_EQ(c.code, object.code_);
        EXPECT_EQ(picture, object.picturePath_);
        EXPECT_EQ(c.video, object.videoPath_);
        EXPECT_EQ(c.label, object.label_);
        EXPECT_EQ(c.speech, object.speech_);
        EXPECT_EQ(c.sound, object.soundPath_);
        EXPECT_EQ(c.crossed, object.crossed_);
        EXPECT_EQ(c.rebuilt, object.BuildContent());
    }
}

TEST_F(ContentString, ACodeTakesItsBasesOptionsAndLibraryFlagEvenWhenNotFound)
{
    CKvoraObject object;
    object.ParseContent("@V99@", settings);
    EXPECT_EQ(1, object.libraryPicture_);
    EXPECT_EQ(3, object.options_.GetSecond());

    object.ParseContent("@A12@", settings);
    EXPECT_EQ(0, object.libraryPicture_);
    EXPECT_EQ(4, object.options_.GetSecond());

    object.ParseContent("@V7@", settings);
    EXPECT_EQ(1, object.libraryPicture_);
    EXPECT_EQ("sol", object.label_);

    // A picture after the code replaces it: the picture is no longer the library's.
    object.ParseContent("@V7+c:\\a.bmp@", settings);
    EXPECT_EQ(0, object.libraryPicture_);
    EXPECT_EQ("", object.code_);
}

TEST_F(ContentString, OwnDelimiterFramesTheString)
{
    CKvoraObject object;
    object.delimiter_ = '#';
    EXPECT_EQ(0, object.ParseContent("@A12@", settings));
    EXPECT_EQ(1, object.ParseContent("#A12+'vovve'#", settings));
    EXPECT_EQ("vovve", object.label_);
    EXPECT_EQ("#A12+'vovve'#", object.BuildContent());
}

TEST(ContentClassifier, PartsGoByTheirExtension)
{
    struct Case {
        const char* part;
        int result;
        int field; // 0 none, 1 picture, 2 sound, 3 video
    };
    const Case cases[] = {
        {"", 0, 0},           {"x.emf", 1, 1},      {"x.BMP", 1, 1},    {"x.gif", 1, 1},  {"x.png", 1, 1},
        {"x.ico", 1, 1},      {"x.jpe", 1, 1},      {"x.jpeg", 1, 1},   {"x.jpg", 1, 1},  {"x.pcx", 1, 1},
        {"x.tif", 1, 1},      {"x.wmf", 1, 1},      {"x.wav", 1, 2},    {"x.mid", 1, 2},  {"x.mp3", 1, 2},
        {"x.m4a", 1, 2},      {"x.rmi", 1, 2},      {"x.wma", 1, 2},    {"x.cda", 1, 2},  {"x.avi", 1, 3},
        {"x.MOV", 1, 3},      {"x.mpg", 1, 3},      {"x.mpe", 1, 3},    {"x.wmv", 1, 3},  {"x.txt", -1, 0},
        {"c:\\a.b\\fil", -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part);
        CKvoraObject object;
        object.speech_ = "tal";
        int speechByDefault = 1;
        EXPECT_EQ(c.result, object.MediaKind(c.part, "", speechByDefault, nullptr));
        EXPECT_EQ(c.field == 1 ? c.part : "", object.picturePath_);
        EXPECT_EQ(c.field == 2 ? c.part : "", object.soundPath_);
        EXPECT_EQ(c.field == 3 ? c.part : "", object.videoPath_);
        // A sound always replaces a speech.
        EXPECT_EQ(c.field == 2 ? "" : "tal", object.speech_);
        EXPECT_EQ(c.field == 2 ? 0 : 1, speechByDefault);
    }
}

TEST(ContentClassifier, ACallersVideoListReplacesTheBuiltInOne)
{
    const std::vector<std::string> videos = {"mp4", "MKV"};
    CKvoraObject object;
    int speechByDefault = 1;
    EXPECT_EQ(-1, object.MediaKind("film.MOV", "", speechByDefault, &videos));
    EXPECT_EQ(1, object.MediaKind("film.mkv", "", speechByDefault, &videos));
    EXPECT_EQ("film.mkv", object.videoPath_);

    CKvoraObject fromParts;
    EXPECT_EQ(-1, fromParts.SetFromParts("", "", "", "", "film.avi", "", &videos));
    EXPECT_EQ(1, fromParts.SetFromParts("c:\\a.bmp", "etikett", "tal", "", "", "", &videos));
    EXPECT_EQ("@c:\\a.bmp+'etikett'+\"tal\"@", fromParts.BuildContent());
}

TEST(ContentObject, PictureFileAndTitleAndExtensions)
{
    CKvoraObject object;
    EXPECT_EQ(0, object.IsPictureFile(""));
    EXPECT_EQ(0, object.IsPictureFile("c:\\a.txt"));
    EXPECT_EQ(1, object.IsPictureFile("c:\\bilder\\Sol.JPEG"));
    EXPECT_EQ("c:\\bilder\\Sol.JPEG", object.picturePath_);
    EXPECT_EQ("Sol", object.GetTitle());
    std::string extension;
    object.GetPictureExtension(extension);
    EXPECT_EQ("JPEG", extension);
    object.videoPath_ = "d:\\film\\hav.avi";
    EXPECT_EQ("hav", object.GetTitle());
    object.GetSoundExtension(extension);
    EXPECT_EQ("", extension);

    std::string kept = "ingen";
    CKvoraObject().GetTitle(kept);
    EXPECT_EQ("ingen", kept);
}

TEST(ContentObject, CopiesCarryTheFieldsAssignmentKeepsTheTargetsDelimiter)
{
    CKvoraObject source(7, 3, "c:\\a.bmp");
    source.label_ = "sol";
    source.crossed_ = 1;
    source.delimiter_ = '#';
    source.pictureSize_ = RECT{0, 0, 40, 30};

    CKvoraObject copy(source);
    EXPECT_EQ(7, copy.id_);
    EXPECT_EQ("sol", copy.label_);
    EXPECT_EQ(1, copy.crossed_);
    EXPECT_EQ(40, copy.pictureSize_.right);
    EXPECT_EQ(nullptr, copy.GetDib()) << "the picture is never copied";
    EXPECT_EQ(1, copy.IsSameContent(source));

    CKvoraObject clone = CKvoraObject::CloneWithId(source, 9);
    EXPECT_EQ(9, clone.id_);
    EXPECT_EQ(0, clone.pictureSize_.right);

    CKvoraObject target;
    target = source;
    EXPECT_EQ('@', target.delimiter_);
    EXPECT_EQ(1, target.GetSpare());
    EXPECT_EQ("c:\\a.bmp", target.picturePath_);

    target.Clear();
    EXPECT_EQ(7, target.id_) << "clearing keeps the id";
    EXPECT_EQ("", target.picturePath_);
    EXPECT_EQ(0, target.crossed_);
}

TEST(ContentObject, TellsWhichPartTheStringCannotHold)
{
    struct Case {
        const char* label;
        const char* speech;
        const char* picture;
        const char* sound;
        const char* video;
        CKvoraObject::Unstorable expected;
    };
    const Case cases[] = {
        {"sol", "en sol", "c:\\sol.bmp", "", "", CKvoraObject::Unstorable::None},
        {"it's", "", "", "", "", CKvoraObject::Unstorable::Label},
        {"mejl@hem", "", "", "", "", CKvoraObject::Unstorable::Label},
        {"", "han sa \"hej\"", "", "", "", CKvoraObject::Unstorable::Speech},
        {"", "", "c:\\a+b.bmp", "", "", CKvoraObject::Unstorable::PicturePath},
        {"", "", "!viktig.bmp", "", "", CKvoraObject::Unstorable::PicturePath},
        {"", "", "", "c:\\ljud\\a+b.wav", "", CKvoraObject::Unstorable::SoundPath},
        {"", "", "", "'ljud.wav", "", CKvoraObject::Unstorable::SoundPath},
        // The string holds a video only where no picture stands: beside one it would be left out.
        {"hav", "", "", "", "c:\\film\\hav.avi", CKvoraObject::Unstorable::None},
        {"", "", "c:\\sol.bmp", "", "c:\\film\\hav.avi", CKvoraObject::Unstorable::VideoPath},
        // After a label in first place a plain part ends at a double quote; after a picture it does not.
        {"x", "", "", "c:\"\\a.bmp)c:\\b.wav", "", CKvoraObject::Unstorable::SoundPath},
        {"x", "", "", "A101\"c:\\b.wav", "", CKvoraObject::Unstorable::SoundPath},
        {"", "", "c:\\bild\"1.bmp", "c:\\(ljud)\"2.wav", "", CKvoraObject::Unstorable::None},
        {"x", "", "", "c:\\(ljud)\\b.wav", "", CKvoraObject::Unstorable::None},
        // A sound alone stands first, where a '!' is the crossed mark.
        {"", "", "", "!ljud.wav", "", CKvoraObject::Unstorable::SoundPath},
        {"x", "", "", "!ljud.wav", "", CKvoraObject::Unstorable::None},
    };
    for (const Case& c : cases) {
        CKvoraObject object;
        object.label_ = c.label;
        object.speech_ = c.speech;
        object.picturePath_ = c.picture;
        object.soundPath_ = c.sound;
        object.videoPath_ = c.video;
        EXPECT_EQ(c.expected, object.FindUnstorablePart()) << c.label << c.speech << c.picture << c.sound << c.video;
        if (c.expected != CKvoraObject::Unstorable::None)
            continue;
        // What the check calls storable reads back part for part.
        CKvoraObject back;
        ASSERT_EQ(1, back.ParseContent(object.BuildContent(), std::string())) << object.BuildContent();
        EXPECT_EQ(object.label_, back.label_) << object.BuildContent();
        EXPECT_EQ(object.speech_, back.speech_) << object.BuildContent();
        EXPECT_EQ(object.picturePath_, back.picturePath_) << object.BuildContent();
        EXPECT_EQ(object.soundPath_, back.soundPath_) << object.BuildContent();
        EXPECT_EQ(object.videoPath_, back.videoPath_) << object.BuildContent();
    }
    CKvoraObject coded;
    coded.code_ = "A12";
    coded.videoPath_ = "c:\\film\\hav.avi";
    EXPECT_EQ(CKvoraObject::Unstorable::VideoPath, coded.FindUnstorablePart());
}

// A folder that moves changes the text of the paths into it and nothing else: codes of bases this
// machine lacks, parts of unknown kinds, labels and speeches stay byte for byte.
TEST(ContentPaths, RewritingAPathChangesThatPathsTextAndNothingElse)
{
    const std::string from = "c:\\ljud";
    struct Case {
        const char* text;
        const char* rewritten;
        int changed;
    };
    const Case cases[] = {
        {"@A12+c:\\ljud\\x.wav@", "@A12+c:\\ny\\x.wav@", 1},
        {"@B77+c:\\ljud\\x.wav@", "@B77+c:\\ny\\x.wav@", 1},
        {"@c:\\ljud\\x.xyz+c:\\ljud\\y.wav@", "@c:\\ny\\x.xyz+c:\\ny\\y.wav@", 2},
        {"@!c:\\ljud\\sol.bmp+'c:\\ljud\\a.bmp'+\"c:\\ljud\\b.wav\"@", "@!c:\\ny\\sol.bmp+'c:\\ljud\\a.bmp'+\"c:\\ljud\\b.wav\"@", 1},
        {"@'hej'+c:\\ljud\\hej.wav@", "@'hej'+c:\\ny\\hej.wav@", 1},
        {"@c:\\ljud\\sol.bmp+'x'+c:\\ljud\\b.wav@", "@c:\\ny\\sol.bmp+'x'+c:\\ny\\b.wav@", 2},
        {"@c:\\ljud\\film.AVI+'havet'@", "@c:\\ny\\film.AVI+'havet'@", 1},
        // What the parser does not read as a path of its own stays: a speech, a part after a plain
        // part, two plain parts that it reads as one.
        {"@\"c:\\ljud\\x.wav\"@", "@\"c:\\ljud\\x.wav\"@", 0},
        {"@c:\\a.bmp+c:\\ljud\\b.wav+c:\\ljud\\c.wav@", "@c:\\a.bmp+c:\\ny\\b.wav+c:\\ljud\\c.wav@", 1},
        {"@c:\\a.bmp+c:\\ljud\\b.wav++c:\\ljud\\c.wav@", "@c:\\a.bmp+c:\\ljud\\b.wav++c:\\ljud\\c.wav@", 0},
        {"@c:\\annan\\x.wav@", "@c:\\annan\\x.wav@", 0},
        {"c:\\ljud\\x.wav", "c:\\ljud\\x.wav", 0},
        {"@@", "@@", 0},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        const int changed = RewriteContentPaths(text, '@', nullptr, [&](std::string& path, media::Kind) {
            if (path.compare(0, from.size(), from) != 0)
                return false;
            path = "c:\\ny" + path.substr(from.size());
            return true;
        });
        EXPECT_EQ(c.rewritten, text) << c.text;
        EXPECT_EQ(c.changed, changed) << c.text;
    }

    // Each path comes with its kind; a code is never offered.
    std::vector<media::Kind> kinds;
    std::string text = "@A12+c:\\ljud\\x.wav@";
    RewriteContentPaths(text, '@', nullptr, [&](std::string&, media::Kind kind) {
        kinds.push_back(kind);
        return false;
    });
    EXPECT_EQ(std::vector<media::Kind>{media::Kind::Sound}, kinds);
    text = "#c:\\film.mov+c:\\x.doc#";
    kinds.clear();
    const std::vector<std::string> videos = {"MOV"};
    RewriteContentPaths(text, '#', &videos, [&](std::string&, media::Kind kind) {
        kinds.push_back(kind);
        return false;
    });
    EXPECT_EQ((std::vector<media::Kind>{media::Kind::Unknown, media::Kind::Video}), kinds);

    // A new path that would not read back as that one path is not written: the old one stays. A '!'
    // marks the string crossed only in first place.
    const std::string both = "@c:\\ljud\\x.wav+c:\\ljud\\y.wav@";
    struct Unreadable {
        const char* path;
        const char* rewritten;
    };
    const Unreadable unreadable[] = {
        {"c:\\ny+gammal\\x.wav", "@c:\\ljud\\x.wav+c:\\ljud\\y.wav@"},
        {"c:\\ny@\\x.wav", "@c:\\ljud\\x.wav+c:\\ljud\\y.wav@"},
        {"'c:\\x.wav", "@c:\\ljud\\x.wav+c:\\ljud\\y.wav@"},
        {"\"c:\\x.wav", "@c:\\ljud\\x.wav+c:\\ljud\\y.wav@"},
        {"A12", "@c:\\ljud\\x.wav+c:\\ljud\\y.wav@"},
        {"!c:\\x.wav", "@c:\\ljud\\x.wav+!c:\\x.wav@"},
    };
    for (const Unreadable& c : unreadable) {
        text = both;
        const int changed = RewriteContentPaths(text, '@', nullptr, [&](std::string& path, media::Kind) {
            path = c.path;
            return true;
        });
        EXPECT_EQ(c.rewritten, text) << c.path;
        EXPECT_EQ(text == both ? 0 : 1, changed) << c.path;
    }
}
