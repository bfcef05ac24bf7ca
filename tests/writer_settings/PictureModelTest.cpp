// The browser's and the search bar's arithmetic and scans without a window: the sorted scan list, the
// flat and tree scans of a disk folder, the album's cells and moves, the search strip's cells and pages.
#include "PictureChoiceFixture.h"
#include "writer_settings/AlbumPages.h"
#include "writer_settings/HitStrip.h"
#include "writer_settings/PictureFolderContent.h"
#include "writer_settings/PictureScan.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

using picturetests::PictureConfig;

FileListItem Item(const std::string& name, DWORD time = 0)
{
    FileListItem item;
    item.name_ = name;
    item.path_ = "C:\\x\\" + name;
    item.time_.dwLowDateTime = time;
    return item;
}

std::vector<std::string> Names(const std::list<FileListItem>& list)
{
    std::vector<std::string> names;
    for (const FileListItem& item : list)
        names.push_back(item.name_);
    return names;
}

std::vector<std::string> Texts(const std::vector<PictureTreeNode>& nodes)
{
    std::vector<std::string> texts;
    for (const PictureTreeNode& node : nodes)
        texts.push_back(node.text_);
    return texts;
}

} // namespace

TEST(PictureScanList, SortsByNameWithoutCaseAndNamesEqualFilesApartInAFlatList)
{
    std::list<FileListItem> list;
    for (const char* name : {"Katt.jpg", "bil.png", "Katt.jpg", "Apa.bmp", "katt.jpg"})
        picturescan::InsertSorted(list, Item(name), picturescan::kByName, true);
    // The third Katt.jpg meets "Katt.jpg I" first (no match), then Katt.jpg, and lands right after it.
    EXPECT_EQ((std::vector<std::string>{"Apa.bmp", "bil.png", "Katt.jpg", "katt.jpg I", "Katt.jpg I"}), Names(list));

    std::list<FileListItem> tree;
    for (const char* name : {"b.bmp", "a.bmp", "B.bmp"})
        picturescan::InsertSorted(tree, Item(name), picturescan::kByName, false);
    EXPECT_EQ((std::vector<std::string>{"a.bmp", "B.bmp", "b.bmp"}), Names(tree));
}

TEST(PictureScanList, PutsTheNewestFirst)
{
    std::list<FileListItem> list;
    picturescan::InsertSorted(list, Item("gammal.bmp", 10), picturescan::kNewestFirst, false);
    picturescan::InsertSorted(list, Item("ny.bmp", 30), picturescan::kNewestFirst, false);
    picturescan::InsertSorted(list, Item("mellan.bmp", 20), picturescan::kNewestFirst, false);
    EXPECT_EQ((std::vector<std::string>{"ny.bmp", "mellan.bmp", "gammal.bmp"}), Names(list));
}

TEST(PictureScanList, KnowsPicturesByExtensionWithoutCase)
{
    for (const char* yes : {"BILD.JPG", "a.jpeg", "x.Emf", "c:\\a.b\\bild.tif", "i.ico"})
        EXPECT_TRUE(picturescan::HasPictureExtension(yes)) << yes;
    for (const char* no : {"x.jp", "ingen", "c:\\bild.jpg\\text", "ljud.wav", "slut."})
        EXPECT_FALSE(picturescan::HasPictureExtension(no)) << no;
}

TEST(PictureScanFolder, FlatScanSkipsHiddenFoldersAndExceptionsTreeScanDropsEmptyFolders)
{
    PictureConfig pictures;
    const std::string folder = pictures.WriteFolder(
        "Foton", {"a.bmp", "BILD.JPG", "x.jp", "Djur\\Katt.jpg", "Djur\\hund.bmp", "Djur\\ko.gif", "Annat\\Katt.jpg",
                  "Dolt\\gömd.bmp", "Undantag\\bort.bmp", "Djur.2010\\f.bmp"});
    ::CreateDirectoryA((folder + "\\Tomt").c_str(), nullptr);
    ::SetFileAttributesA((folder + "\\Dolt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    FolderExceptions exceptions;
    exceptions.Add(folder + "\\UNDANTAG");

    std::list<FileListItem> flat;
    picturescan::ScanFlat(folder + "\\", exceptions, picturescan::kByName, true, flat);
    EXPECT_EQ((std::vector<std::string>{"a.bmp", "BILD.JPG", "f.bmp", "hund.bmp", "Katt.jpg", "Katt.jpg I", "ko.gif"}),
              Names(flat));

    std::vector<PictureTreeNode> tree;
    picturescan::ScanTree(folder, exceptions, picturescan::kByName, tree);
    std::vector<std::string> top = Texts(tree);
    std::sort(top.begin(), top.end() - 2);
    // Folders first (the tree sorts them), then the folder's own pictures in list order; Tomt is gone,
    // the hidden folder stays.
    EXPECT_EQ((std::vector<std::string>{"Annat", "Djur", "Djur.2010", "Dolt", "a.bmp", "BILD.JPG"}), top);
    for (const PictureTreeNode& node : tree) {
        if (node.text_ == "Djur") {
            EXPECT_EQ((std::vector<std::string>{"hund.bmp", "Katt.jpg", "ko.gif"}), Texts(node.children_));
            EXPECT_EQ(PictureTreeNode::kClosedFolder, node.image_);
        }
    }
}

TEST(PictureScanFolder, FindsTheSoundBesideTheFolderInItsOrder)
{
    PictureConfig pictures;
    const std::string folder = pictures.WriteFolder("Ljud", {"a.bmp"});
    pictures.Config().Write("Ljud\\a.mp3", "x");
    pictures.Config().Write("Ljud\\a.wma", "x");
    EXPECT_EQ(folder + "\\a.mp3", picturescan::FindSound(folder + "\\", "a"));
    pictures.Config().Write("Ljud\\a.wav", "x");
    EXPECT_EQ(folder + "\\a.wav", picturescan::FindSound(folder, "a"));
    EXPECT_EQ("", picturescan::FindSound(folder, "b"));
}

TEST(PictureFolderReading, ImageBaseGivesItsPicturesWithCodesSoundsAndCategories)
{
    PictureConfig pictures;
    ImageBaseManager bases;
    bases.LoadBases(pictures.ImageBaseIni(), 1);
    FolderExceptions none;
    PictureFolderReader reader(bases, none, pictures.ImageBaseIni());

    FolderContent tree = reader.Read(pictures.BaseFolder(ImageFolder::kList, 0));
    ASSERT_EQ(7u, tree.pictures_.size());
    EXPECT_EQ(pictures.BasePictureFolder() + "\\101.bmp", tree.pictures_[0].picturePath_);
    EXPECT_EQ("A101", tree.pictures_[0].code_);
    EXPECT_EQ("hund", tree.pictures_[0].label_);
    EXPECT_EQ(pictures.BaseSoundFolder() + "\\101.wav", tree.pictures_[0].soundPath_);
    EXPECT_EQ((std::vector<std::string>{"Djur", "Hus"}), Texts(tree.tree_));
    EXPECT_EQ((std::vector<std::string>{"hund", "katt", "Hund"}), Texts(tree.tree_[0].children_));

    // Two pictures of one word: either item gives the first; a category name gives nothing.
    CKvoraObject result;
    reader.ChooseFromTree(pictures.BaseFolder(ImageFolder::kList, 0), tree, "Djur\\Hund", result);
    EXPECT_EQ("A101", result.code_);
    reader.ChooseFromTree(pictures.BaseFolder(ImageFolder::kList, 0), tree, "Djur", result);
    EXPECT_EQ("", result.BuildContent());

    FolderContent flat = reader.Read(pictures.BaseFolder(ImageFolder::kList, 1));
    EXPECT_EQ(7u, flat.tree_.size());
    EXPECT_TRUE(flat.tree_[0].children_.empty());

    ImageFolder missing = pictures.BaseFolder(ImageFolder::kAlbum, 0);
    missing.imageBaseKey_ = "Q";
    EXPECT_TRUE(reader.Read(missing).pictures_.empty());
}

TEST(PictureFolderReading, FavouritesTakeTheirCaptionFromTheirBase)
{
    PictureConfig pictures;
    ImageBaseManager bases;
    bases.LoadBases(pictures.ImageBaseIni(), 1);
    FolderExceptions none;
    PictureFolderReader reader(bases, none, pictures.ImageBaseIni());
    ImageFolder favourites;
    favourites.folderType_ = ImageFolder::kFavouriteList;
    favourites.displayType_ = ImageFolder::kList;
    CKvoraObject coded;
    coded.ParseContent("@A102@", pictures.ImageBaseIni());
    coded.options_.SetPresent(0);
    CKvoraObject labelled;
    labelled.ParseContent("@c:\\bilder\\sol.bmp+'Sol'@", pictures.ImageBaseIni());
    labelled.options_.SetPresent(0);
    favourites.favourites_ = {coded, labelled, CKvoraObject()};

    FolderContent content = reader.Read(favourites);
    ASSERT_EQ(3u, content.pictures_.size());
    EXPECT_EQ(1, content.pictures_[0].options_.GetPresent());
    EXPECT_EQ(1, content.pictures_[1].options_.GetPresent());
    // The empty favourite has no line in the list.
    EXPECT_EQ(2u, content.tree_.size());

    CKvoraObject result;
    reader.ChooseFromTree(favourites, content, content.tree_[0].text_, result);
    EXPECT_EQ(content.tree_[0].text_, result.BuildContent());
}

TEST(PictureFolderReading, AMissingFolderSaysSoInSwedish)
{
    PictureConfig pictures;
    ImageBaseManager bases;
    FolderExceptions none;
    PictureFolderReader reader(bases, none, pictures.ImageBaseIni());
    const std::string path = pictures.Config().Temp() / "finns inte";
    FolderContent content = reader.Read(PictureConfig::DiskFolder("Borta", path));
    EXPECT_EQ("Det finns ingen mapp som heter\n" + path + ".", content.message_);
    EXPECT_TRUE(content.pictures_.empty());
}

TEST(AlbumLayout, FitsTheLargestSquaresThatLetEveryRowFit)
{
    const std::vector<RECT> cells = AlbumGrid::ForSize(0).BuildCells(RECT{100, 50, 700, 450});
    ASSERT_EQ(12u, cells.size());
    // (600 - 5) / 4 = 148 is too tall for 3 rows in 400: 133; the grid 532 x 399 is centred.
    EXPECT_EQ(133, cells[0].right - cells[0].left);
    EXPECT_EQ(134, cells[0].left);
    EXPECT_EQ(50, cells[0].top);
    EXPECT_EQ(cells[0].right, cells[1].left);
    EXPECT_EQ(cells[0].bottom, cells[4].top);
    EXPECT_EQ(35u, AlbumGrid::ForSize(1).BuildCells(RECT{0, 0, 700, 500}).size());
}

TEST(AlbumMoves, ArrowsAndPagesFollowTheGrid)
{
    const AlbumGrid large = AlbumGrid::ForSize(0);
    struct Case {
        const char* what;
        int count, first, current;
        AlbumStep (AlbumPages::*key)() const;
        int wantFirst, wantSelect;
        bool wantBeep;
    };
    const int none = AlbumStep::kNone;
    const Case cases[] = {
        {"Right without selection selects the first", 13, 0, -1, &AlbumPages::Right, 0, 0, false},
        {"Right on a later page without selection", 13, 12, -1, &AlbumPages::Right, 12, 12, false},
        {"Right moves one", 13, 0, 4, &AlbumPages::Right, 0, 5, false},
        {"Right in the last cell pages on", 13, 0, 11, &AlbumPages::Right, 12, 12, false},
        {"Right on the last picture beeps", 13, 12, 12, &AlbumPages::Right, 12, 12, true},
        {"Left on the first picture beeps", 13, 0, 0, &AlbumPages::Left, 0, 0, true},
        {"Left in a page's first cell pages back", 13, 12, 12, &AlbumPages::Left, 0, 11, false},
        {"Down without selection", 13, 0, -1, &AlbumPages::Down, 0, 0, false},
        {"Down a row", 13, 0, 1, &AlbumPages::Down, 0, 5, false},
        {"Down off the page to a picture there", 13, 0, 8, &AlbumPages::Down, 12, 12, false},
        {"Down off the page with no picture below", 13, 0, 9, &AlbumPages::Down, 0, none, false},
        {"Up on the first page's top row beeps", 13, 0, 2, &AlbumPages::Up, 0, 2, true},
        {"Up from a later page's top row pages back", 13, 12, 12, &AlbumPages::Up, 0, 8, false},
        {"SCROLL carries the selection a page on", 13, 0, 0, &AlbumPages::NextPage, 12, 12, false},
        {"SCROLL past the end returns to page 1", 13, 12, 12, &AlbumPages::NextPage, 0, none, false},
        {"SCROLL without the picture a page on", 13, 0, 5, &AlbumPages::NextPage, 12, none, false},
    };
    for (const Case& c : cases) {
        const AlbumStep step = (AlbumPages(c.count, large, c.first, c.current).*c.key)();
        EXPECT_EQ(c.wantFirst, step.first_) << c.what;
        EXPECT_EQ(c.wantSelect, step.select_) << c.what;
        EXPECT_EQ(c.wantBeep, step.beep_) << c.what;
    }
}

TEST(SearchStrip, CellsFillTheStripFromTheLeft)
{
    const std::vector<RECT> cells = BuildHitCells(RECT{200, 1, 500, 57}, 4);
    // Cells of 56 - 12 = 44, 8 apart, while their right edge + 4 stays left of 500.
    ASSERT_EQ(5u, cells.size());
    EXPECT_EQ((RECT{204, 5, 248, 49}).left, cells[0].left);
    EXPECT_EQ(44, cells[0].right - cells[0].left);
    EXPECT_EQ(256, cells[1].left);
    EXPECT_LT(cells.back().right + 4, 500);
}

TEST(SearchStrip, PagesAndMarkMoveThroughTheHits)
{
    HitStrip strip;
    strip.Reset(7, 3);
    strip.Mark(0);
    // Left on the first hit of page 1 beeps and keeps the mark.
    EXPECT_TRUE(strip.Left().beep_);
    EXPECT_EQ(0, strip.Marked());
    // "+" shows page 2 (hits 3 to 5), page 3 (hit 6 alone), then page 1 again; the mark goes along.
    strip.NextPage();
    EXPECT_EQ(3, strip.First());
    EXPECT_EQ(3, strip.Marked());
    strip.NextPage();
    EXPECT_EQ(6, strip.First());
    EXPECT_EQ(6, strip.Marked());
    EXPECT_EQ(-1, strip.HitIn(1));
    strip.NextPage();
    EXPECT_EQ(0, strip.First());
    EXPECT_EQ(0, strip.Marked());
    // A mark with no hit a page on goes to the last hit, on the page shown.
    strip.Mark(2);
    strip.NextPage();
    strip.NextPage();
    EXPECT_EQ(6, strip.Marked());
    EXPECT_EQ(0, strip.CellOf(6));
    // Right walks over the page edge and beeps at the end.
    strip.Reset(7, 3);
    strip.Mark(2);
    EXPECT_TRUE(strip.Right().pageChanged_);
    EXPECT_EQ(3, strip.First());
    strip.Mark(5);
    EXPECT_TRUE(strip.Right().pageChanged_);
    EXPECT_EQ(6, strip.First());
    EXPECT_TRUE(strip.Right().beep_);
    EXPECT_EQ(6, strip.Marked());
    EXPECT_TRUE(strip.Left().pageChanged_);
    EXPECT_EQ(5, strip.Marked());
}

// The bar laid out again (the main window resized) keeps the mark, on the page that now holds it, so
// that Enter still writes the marked hit.
TEST(SearchStrip, ARelayoutKeepsTheMarkOnThePageThatHoldsIt)
{
    struct Case {
        int hits, cellsBefore, marked, cellsAfter;
        int markedAfter, firstAfter;
    };
    const Case cases[] = {
        {7, 3, 4, 5, 4, 0}, {7, 5, 6, 3, 6, 6}, {7, 3, 5, 2, 5, 4},
        {7, 3, -1, 5, -1, 0}, {7, 3, 4, 0, -1, 0}, {1, 3, 0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        HitStrip strip;
        strip.Reset(c.hits, c.cellsBefore);
        strip.Mark(c.marked);
        strip.Relayout(c.cellsAfter);
        EXPECT_EQ(c.markedAfter, strip.Marked()) << c.marked << " in " << c.cellsAfter;
        EXPECT_EQ(c.firstAfter, strip.First()) << c.marked << " in " << c.cellsAfter;
        EXPECT_EQ(c.hits, strip.HitCount());
        if (c.markedAfter >= 0) {
            EXPECT_GE(strip.CellOf(c.markedAfter), 0);
        }
    }
}
