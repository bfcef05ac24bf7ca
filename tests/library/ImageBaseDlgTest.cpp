// The image-base dialogs in real windows over bases written by the test: choosing a base, narrowing by
// category, choosing a picture by its word (two pictures may share one), the preselection, the result
// items, and the base chooser.
#include "library/ImageBaseDlg.h"
#include "library/SelImageBaseDlg.h"
#include "library/resource.h"
#include "ChooserFixture.h"
#include "ImageBaseFiles.h"
#include "support/DialogDriver.h"
#include <gtest/gtest.h>
#include <algorithm>

using namespace testsupport;

namespace {

// Shows nothing; remembers what it was asked to show.
struct PreviewLog {
    std::vector<std::string> calls;  // "load <path>" or "clear"
    RECT rect{};
    std::string Last() const { return calls.empty() ? std::string() : calls.back(); }
};

class LoggingPreview : public PicturePreview {
public:
    explicit LoggingPreview(PreviewLog& log) : log_(log) {}
    bool Load(const std::string& path) override
    {
        log_.calls.push_back("load " + path);
        return true;
    }
    void Clear() override { log_.calls.push_back("clear"); }

private:
    PreviewLog& log_;
};

PicturePreviewFactory Logging(PreviewLog& log)
{
    return [&log](HWND, int, const RECT& rect) -> std::unique_ptr<PicturePreview> {
        log.rect = rect;
        return std::make_unique<LoggingPreview>(log);
    };
}

std::vector<std::string> Lines(HWND dialog, int id, bool combo)
{
    HWND control = ::GetDlgItem(dialog, id);
    std::vector<std::string> lines;
    int count = static_cast<int>(::SendMessageA(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        ::SendMessageA(control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        lines.push_back(text);
    }
    return lines;
}

std::vector<std::string> Pictures(HWND dialog)
{
    return Lines(dialog, IDC_IMAGEBASE_PICTURES, false);
}

int Selection(HWND dialog, int id, bool combo)
{
    return static_cast<int>(::SendDlgItemMessageA(dialog, id, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

std::string SelectedText(HWND dialog, int id, bool combo)
{
    int selection = Selection(dialog, id, combo);
    return selection < 0 ? std::string() : Lines(dialog, id, combo)[static_cast<size_t>(selection)];
}

int IndexOf(const std::vector<std::string>& lines, const std::string& text, int from = 0)
{
    for (size_t i = static_cast<size_t>(from); i < lines.size(); ++i)
        if (lines[i] == text)
            return static_cast<int>(i);
    return -1;
}

class ImageBaseDlgTest : public testing::Test {
protected:
    ChooserBases bases;
    PreviewLog preview;
    std::vector<ImageBaseItem> items;
};

} // namespace

TEST_F(ImageBaseDlgTest, OpensOnTheGivenBaseWithAllItsPicturesInWordOrder)
{
    const std::string key = "a";
    ImageBaseDlg dialog(IDD_IMAGEBASE, bases.Settings(), &key, &items, nullptr, nullptr, Logging(preview));
    INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ("Bildbas", d.Self().Text());
        EXPECT_EQ("V\xE4lj bildbas:", Text(d, IDC_IMAGEBASE_BASE_LABEL));
        EXPECT_EQ("V\xE4lj kategori:", Text(d, IDC_IMAGEBASE_CATEGORY_LABEL));
        EXPECT_EQ("V\xE4lj bild:", Text(d, IDC_IMAGEBASE_PICTURE_LABEL));
        EXPECT_EQ("Avbryt", Text(d, IDCANCEL));
        // The default base (B) first, then the others in letter order.
        EXPECT_EQ((std::vector<std::string>{"Saker", "Djur", "Symboler", "\xD6vrigt"}),
                  Lines(d, IDC_IMAGEBASE_BASES, true));
        EXPECT_EQ("Djur", SelectedText(d, IDC_IMAGEBASE_BASES, true));
        EXPECT_EQ((std::vector<std::string>{"<Alla>", "Husdjur", "Vilda"}), Lines(d, IDC_IMAGEBASE_CATEGORIES, true));
        EXPECT_EQ("<Alla>", SelectedText(d, IDC_IMAGEBASE_CATEGORIES, true));
        EXPECT_TRUE(IsEnabled(d, IDC_IMAGEBASE_CATEGORIES));
        EXPECT_EQ((std::vector<std::string>{"bj\xF6rn", "hund", "katt", "katt", "zebra"}), Pictures(d));
        EXPECT_EQ(-1, Selection(d, IDC_IMAGEBASE_PICTURES, false));
        EXPECT_FALSE(IsEnabled(d, IDOK));
        EXPECT_EQ("clear", preview.Last());
        Close(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    // The preview lies over the hidden place-holder.
    EXPECT_GT(preview.rect.right - preview.rect.left, 50);
}

TEST_F(ImageBaseDlgTest, ACategoryShowsOnlyItsPicturesAndAllShowsAll)
{
    const std::string key = "A";
    ImageBaseDlg dialog(IDD_IMAGEBASE, bases.Settings(), &key, &items, nullptr, nullptr, Logging(preview));
    RunModal(dialog, [&](fw::Dialog& d) {
        std::vector<std::string> categories = Lines(d, IDC_IMAGEBASE_CATEGORIES, true);
        SelectCombo(d, IDC_IMAGEBASE_CATEGORIES, IndexOf(categories, "Vilda"));
        EXPECT_EQ((std::vector<std::string>{"bj\xF6rn", "zebra"}), Pictures(d));
        SelectList(d, IDC_IMAGEBASE_PICTURES, 0);
        EXPECT_TRUE(IsEnabled(d, IDOK));
        SelectCombo(d, IDC_IMAGEBASE_CATEGORIES, IndexOf(categories, "Husdjur"));
        EXPECT_EQ((std::vector<std::string>{"hund", "katt", "katt"}), Pictures(d));
        EXPECT_FALSE(IsEnabled(d, IDOK)) << "a new list has nothing chosen";
        SelectCombo(d, IDC_IMAGEBASE_CATEGORIES, IndexOf(categories, "<Alla>"));
        EXPECT_EQ(5u, Pictures(d).size());

        // Another base: its own categories and pictures, and nothing chosen.
        SelectCombo(d, IDC_IMAGEBASE_BASES, 0);
        EXPECT_EQ((std::vector<std::string>{"<Alla>"}), Lines(d, IDC_IMAGEBASE_CATEGORIES, true));
        EXPECT_EQ("<Alla>", SelectedText(d, IDC_IMAGEBASE_CATEGORIES, true));
        EXPECT_FALSE(IsEnabled(d, IDC_IMAGEBASE_CATEGORIES)) << "a base without categories";
        EXPECT_EQ((std::vector<std::string>{"bord", "stol"}), Pictures(d));
        EXPECT_FALSE(IsEnabled(d, IDOK));
        Close(d, IDCANCEL);
    });
}

TEST_F(ImageBaseDlgTest, ThePictureChosenIsReturnedWithItsFilesWordAndCode)
{
    struct Case {
        const char* key;
        const char* word;
        std::string path, sound, fileName, code;
        int metafile;
    };
    const Case cases[] = {
        {"A", "hund", bases.AnimalsLongFolder() + "\\hund.bmp", bases.SoundFolder() + "\\hund.wav", "hund", "A203", 0},
        // A picture folder that ends in a backslash is used as it stands.
        {"B", "bord", bases.ThingsFolder() + "\\bordet.bmp", "", "bordet", "B1", 0},
        {"C", "\xF6ga", bases.Path("wmf") + "\\7.bmp", "", "7", "C7", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        items.clear();
        const std::string key = c.key;
        std::string category = "kept";
        ImageBaseDlg dialog(IDD_IMAGEBASE, bases.Settings(), &key, &items, &category, nullptr, Logging(preview));
        INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
            SelectList(d, IDC_IMAGEBASE_PICTURES, IndexOf(Pictures(d), c.word));
            EXPECT_EQ("load " + c.path, preview.Last());
            EXPECT_TRUE(IsEnabled(d, IDOK));
            Close(d, IDOK);
        });
        ASSERT_EQ(IDOK, result);
        ASSERT_EQ(1u, items.size());
        EXPECT_EQ(c.path, items[0].GetPicturePath());
        EXPECT_EQ(c.word, items[0].GetText());
        EXPECT_EQ(c.sound, items[0].GetSoundPath());
        EXPECT_EQ(c.fileName, items[0].GetFileName());
        EXPECT_EQ(c.code, items[0].GetFullCode());
        EXPECT_EQ(c.metafile, items[0].GetMetafileBase());
        EXPECT_EQ("", category) << "all categories";
    }
}

TEST_F(ImageBaseDlgTest, TwoPicturesWithOneWordAreEachTheirOwnChoice)
{
    const std::string key = "A";
    std::vector<std::string> codes;
    for (int occurrence = 0; occurrence < 2; ++occurrence) {
        ImageBaseDlg dialog(IDD_IMAGEBASE, bases.Settings(), &key, &items, nullptr, nullptr, Logging(preview));
        std::string shown;
        RunModal(dialog, [&](fw::Dialog& d) {
            std::vector<std::string> pictures = Pictures(d);
            int entry = IndexOf(pictures, "katt");
            if (occurrence == 1)
                entry = IndexOf(pictures, "katt", entry + 1);
            SelectList(d, IDC_IMAGEBASE_PICTURES, entry);
            shown = preview.Last();
            Close(d, IDOK);
        });
        ASSERT_EQ(1u, items.size());
        EXPECT_EQ("katt", items[0].GetText());
        EXPECT_EQ("load " + items[0].GetPicturePath(), shown) << "the picture shown is the one returned";
        codes.push_back(items[0].GetFullCode());
    }
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ((std::vector<std::string>{"A201", "A202"}), codes);
}

TEST_F(ImageBaseDlgTest, OkWithoutAChosenPictureKeepsTheDialogOpenAndCancelChangesNothing)
{
    const std::string key = "A";
    items.assign(1, ImageBaseItem("unchanged"));
    std::string category = "Husdjur";
    ImageBaseDlg dialog(IDD_IMAGEBASE, bases.Settings(), &key, &items, &category, nullptr, Logging(preview));
    INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
        // Enter reaches OK even while the button is disabled (kept on purpose: OK then does nothing).
        ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(::IsWindowVisible(d)) << "still open";
        SelectList(d, IDC_IMAGEBASE_PICTURES, 0);
        Close(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ("unchanged", items[0].GetPicturePath());
    EXPECT_EQ("Husdjur", category);
}

TEST_F(ImageBaseDlgTest, TheChosenCategoryGoesBack)
{
    const std::string key = "A";
    std::string category;
    ImageBaseDlg dialog(IDD_IMAGEBASE, bases.Settings(), &key, &items, &category, nullptr, Logging(preview));
    RunModal(dialog, [&](fw::Dialog& d) {
        SelectCombo(d, IDC_IMAGEBASE_CATEGORIES, IndexOf(Lines(d, IDC_IMAGEBASE_CATEGORIES, true), "Husdjur"));
        SelectList(d, IDC_IMAGEBASE_PICTURES, 0);
        Close(d, IDOK);
    });
    EXPECT_EQ("Husdjur", category);
}

TEST_F(ImageBaseDlgTest, TheCurrentPictureIsSelectedAndShownWhenTheDialogOpens)
{
    struct Case {
        const char* what;
        std::string current;
        std::string category;
        const char* base;
        const char* code;  // what OK returns; "" when nothing is selected
        std::string shown;
    };
    const Case cases[] = {
        {"a picture in a base's long folder, one of two with its word", bases.AnimalsLongFolder() + "\\kisse.bmp", "",
         "Djur", "A202", "load " + bases.AnimalsLongFolder() + "\\kisse.bmp"},
        {"the other one, in the base's folder, names compared ignoring case", bases.AnimalsShortFolder() + "\\KATT.BMP",
         "", "Djur", "A201", "load " + bases.AnimalsLongFolder() + "\\katt.bmp"},
        {"a folder written with a closing backslash", bases.ThingsFolder() + "\\stol.bmp", "", "Saker", "B2",
         "load " + bases.ThingsFolder() + "\\stol.bmp"},
        {"the category asked for narrows the list", bases.AnimalsLongFolder() + "\\hund.bmp", "Husdjur", "Djur",
         "A203", "load " + bases.AnimalsLongFolder() + "\\hund.bmp"},
        // Kept on purpose: a picture in no base opens on the first base, not on the key given.
        {"a picture in no base: the first base", bases.Path("annat\\sol.bmp"), "", "Saker", "", "clear"},
        {"an empty path: the given base", "", "", "Djur", "", "clear"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string key = "A";
        items.assign(1, ImageBaseItem(c.current));
        std::string category = c.category;
        preview.calls.clear();
        ImageBaseDlg dialog(IDD_IMAGEBASE, bases.Settings(), &key, &items, &category, nullptr, Logging(preview));
        INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
            EXPECT_EQ(c.base, SelectedText(d, IDC_IMAGEBASE_BASES, true));
            EXPECT_EQ(c.shown, preview.Last());
            bool selected = Selection(d, IDC_IMAGEBASE_PICTURES, false) >= 0;
            EXPECT_EQ(*c.code != '\0', selected);
            EXPECT_EQ(selected, IsEnabled(d, IDOK));
            if (!c.category.empty()) {
                EXPECT_EQ(c.category, SelectedText(d, IDC_IMAGEBASE_CATEGORIES, true));
                EXPECT_EQ(3u, Pictures(d).size());
            }
            Close(d, selected ? IDOK : IDCANCEL);
        });
        if (*c.code) {
            ASSERT_EQ(IDOK, result);
            ASSERT_EQ(1u, items.size());
            EXPECT_EQ(c.code, items[0].GetFullCode());
        }
    }
}

// A base of its own: Swedish words, a dotted file name, and a long folder written with a closing
// backslash beside a short one without.
class SwedishBase {
public:
    SwedishBase()
    {
        const std::string index = folder.Write("svenska.ini", IniText({
            "[ProgDir]", "Dir=" + folder / "bilder", "LongImageDir=" + folder / "Bilder med l\xE5nga namn\\",
            "Extension=bmp", "[Bilder]", "1=\xF6ga", "2=b\xE5t", "3=zebra", "4=\xE4pple", "5=bil", "6=apa",
            "7=\xE5l", "8=sol,sol.v2"}));
        settings = folder.Write("imgbase.test.ini", IniText({"[ImageBases]", "S=" + index + ",Svenska"}));
        for (const char* name : {"1", "2", "3", "4", "5", "6", "7", "sol.v2"})
            WriteBmp(LongFolder() + name + ".bmp", 4, 4, RGB(0, 0, 200));
    }
    std::string LongFolder() const { return folder / "Bilder med l\xE5nga namn\\"; }

    TempFolder folder;
    std::string settings;
};

// Our users' Windows is Swedish (the tests run Wine in Swedish): å, ä and ö come after z.
TEST_F(ImageBaseDlgTest, ThePicturesAreInSwedishOrder)
{
    SwedishBase swedish;
    const std::string key = "S";
    ImageBaseDlg dialog(IDD_IMAGEBASE, swedish.settings, &key, &items, nullptr, nullptr, Logging(preview));
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ((std::vector<std::string>{"apa", "bil", "b\xE5t", "sol", "zebra", "\xE5l", "\xE4pple", "\xF6ga"}),
                  Pictures(d));
        Close(d, IDCANCEL);
    });
}

// The path given back is the one previewed, and a dotted file name is found when the dialog opens on it.
TEST_F(ImageBaseDlgTest, APictureComesBackByThePathItShowedAndADottedNameIsFound)
{
    SwedishBase swedish;
    const std::string key = "S";
    const std::string dotted = swedish.LongFolder() + "sol.v2.bmp";
    items.assign(1, ImageBaseItem(dotted));
    ImageBaseDlg dialog(IDD_IMAGEBASE, swedish.settings, &key, &items, nullptr, nullptr, Logging(preview));
    RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ("sol", SelectedText(d, IDC_IMAGEBASE_PICTURES, false));
        EXPECT_EQ("load " + dotted, preview.Last());
        SelectList(d, IDC_IMAGEBASE_PICTURES, IndexOf(Pictures(d), "zebra"));
        Close(d, IDOK);
    });
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ(swedish.LongFolder() + "3.bmp", items[0].GetPicturePath());
    EXPECT_EQ("load " + items[0].GetPicturePath(), preview.Last());
    EXPECT_EQ("S3", items[0].GetFullCode());
}

TEST_F(ImageBaseDlgTest, AKeyLetterOfNoBaseSelectsNothingAndNoBasesDisableEverything)
{
    const std::string key = "Q";
    ImageBaseDlg unknown(IDD_IMAGEBASE, bases.Settings(), &key, &items, nullptr, nullptr, Logging(preview));
    RunModal(unknown, [&](fw::Dialog& d) {
        // Kept on purpose: a key of no base opens on no base at all, not on the first one.
        EXPECT_EQ(-1, Selection(d, IDC_IMAGEBASE_BASES, true));
        EXPECT_TRUE(Pictures(d).empty());
        EXPECT_TRUE(Lines(d, IDC_IMAGEBASE_CATEGORIES, true).empty());
        EXPECT_FALSE(IsEnabled(d, IDOK));
        Close(d, IDCANCEL);
    });

    // Without a key letter the first base shows.
    ImageBaseDlg first(IDD_IMAGEBASE, bases.Settings(), nullptr, nullptr, nullptr, nullptr, Logging(preview));
    RunModal(first, [&](fw::Dialog& d) {
        EXPECT_EQ("Saker", SelectedText(d, IDC_IMAGEBASE_BASES, true));
        Close(d, IDCANCEL);
    });

    TempFolder empty;
    std::string none = empty.Write("imgbase.ini", IniText({"[ImageBases]", "Default=A"}));
    ImageBaseDlg without(IDD_IMAGEBASE, none, &key, &items, nullptr, nullptr, Logging(preview));
    RunModal(without, [&](fw::Dialog& d) {
        for (int id : {IDC_IMAGEBASE_BASES, IDC_IMAGEBASE_CATEGORIES, IDC_IMAGEBASE_PICTURES, IDOK})
            EXPECT_FALSE(IsEnabled(d, id)) << id;
        EXPECT_TRUE(IsEnabled(d, IDCANCEL));
        Close(d, IDCANCEL);
    });
}

TEST_F(ImageBaseDlgTest, WithoutAResultListOkClosesAtOnce)
{
    const std::string key = "A";
    ImageBaseDlg dialog(IDD_IMAGEBASE, bases.Settings(), &key, nullptr, nullptr, nullptr, Logging(preview));
    INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
        SelectList(d, IDC_IMAGEBASE_PICTURES, 0);
        Close(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
}

TEST_F(ImageBaseDlgTest, TheLibrarysPreviewShowsThePictureOverThePlaceHolder)
{
    items.assign(1, ImageBaseItem(bases.AnimalsLongFolder() + "\\hund.bmp"));
    ImageBaseDlg dialog(IDD_IMAGEBASE, bases.Settings(), nullptr, &items, nullptr);
    RunModal(dialog, [&](fw::Dialog& d) {
        HWND view = ::GetDlgItem(d, IDC_IMAGEBASE_PREVIEW);
        if (!view) {
            ADD_FAILURE() << "no preview";
            Close(d, IDCANCEL);
            return;
        }
        EXPECT_TRUE(::IsWindowVisible(view));
        RECT place = d.Item(IDC_IMAGEBASE_PREVIEW_PLACE).RectInParent();
        RECT shown = fw::Window(view).RectInParent();
        EXPECT_EQ(place.left, shown.left);
        EXPECT_EQ(place.top, shown.top);
        EXPECT_EQ(place.right, shown.right);
        EXPECT_EQ(place.bottom, shown.bottom);
        // The middle of the view shows the red picture.
        ::UpdateWindow(view);
        HDC dc = ::GetDC(view);
        RECT client{};
        ::GetClientRect(view, &client);
        COLORREF middle = ::GetPixel(dc, client.right / 2, client.bottom / 2);
        ::ReleaseDC(view, dc);
        EXPECT_EQ(RGB(200, 0, 0), middle);
        Close(d, IDCANCEL);
    });
}

// --- The base chooser ---------------------------------------------------------------------------

TEST_F(ImageBaseDlgTest, TheBaseChooserListsEveryBaseInLetterOrderAndGivesBackTheChosenKey)
{
    std::string key = "\xF6";  // ö: the base under Ö, found ignoring case
    SelImageBaseDlg dialog(bases.Settings(), key);
    INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
        EXPECT_EQ("V\xE4lj bildbas", d.Self().Text());
        EXPECT_EQ("Tillg\xE4ngliga bildbaser:", Text(d, IDC_SELECT_IMAGEBASE_LABEL));
        EXPECT_EQ("Avbryt", Text(d, IDCANCEL));
        EXPECT_EQ((std::vector<std::string>{"A Djur", "B Saker", "C Symboler", "\xD6 \xD6vrigt"}),
                  Lines(d, IDC_SELECT_IMAGEBASE_LIST, false));
        EXPECT_EQ(3, Selection(d, IDC_SELECT_IMAGEBASE_LIST, false));
        EXPECT_TRUE(IsEnabled(d, IDOK));
        SelectList(d, IDC_SELECT_IMAGEBASE_LIST, 1);
        Close(d, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("B", key);
}

TEST_F(ImageBaseDlgTest, TheBaseChooserWaitsForAChoiceAndCancelKeepsTheKey)
{
    for (const char* given : {"", "Q"}) {
        SCOPED_TRACE(given);
        std::string key = given;
        SelImageBaseDlg dialog(bases.Settings(), key);
        INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
            EXPECT_FALSE(IsEnabled(d, IDOK));
            ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            EXPECT_TRUE(::IsWindowVisible(d)) << "nothing chosen yet";
            SelectList(d, IDC_SELECT_IMAGEBASE_LIST, 0);
            EXPECT_TRUE(IsEnabled(d, IDOK));
            Close(d, IDCANCEL);
        });
        EXPECT_EQ(IDCANCEL, result);
        EXPECT_EQ(given, key);
    }

    TempFolder empty;
    std::string none = empty.Write("imgbase.ini", IniText({"[ImageBases]", "Default=A"}));
    std::string key = "A";
    SelImageBaseDlg without(none, key);
    RunModal(without, [&](fw::Dialog& d) {
        EXPECT_TRUE(Lines(d, IDC_SELECT_IMAGEBASE_LIST, false).empty());
        EXPECT_FALSE(IsEnabled(d, IDOK));
        Close(d, IDCANCEL);
    });
}
