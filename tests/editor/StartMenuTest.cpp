// The Start menu: the tree read from a user's and a common folder of the test's own, shortcuts made
// through the shell's link objects and resolved again, and the program-menu dialog in a real window.
#include "EditorFixture.h"
#include "SubDialogFixture.h"
#include "StartMenuFixture.h"
#include "editor/ProgramMenuDlg.h"
#include "editor/StartMenu.h"
#include "library/Dib.h"
#include "skarpin/resource.h"
#include "support/DialogDriver.h"
#include <shlobj.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>

using namespace editortest;
using namespace subdialogtest;
using namespace testsupport;

namespace {

// The tree as text, each level sorted (the file system's order is its own): "name" for a file,
// "name/" for a folder followed by its entries in brackets.
std::string Dump(const std::vector<StartMenuEntry>& entries)
{
    std::vector<std::string> lines;
    for (const StartMenuEntry& entry : entries)
        lines.push_back(entry.folder ? entry.name + "/[" + Dump(entry.entries) + "]" : entry.name);
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : ",") + line;
    return text;
}

const StartMenuEntry* Find(const std::vector<StartMenuEntry>& entries, const std::string& name)
{
    for (const StartMenuEntry& entry : entries)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

// The clipboard's text, or "<none>".
std::string ClipboardText()
{
    std::string text = "<none>";
    if (!::OpenClipboard(nullptr))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* locked = static_cast<const char*>(::GlobalLock(data))) {
            text = locked;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void PutOnClipboard(const std::string& text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(::GlobalLock(data), text.c_str(), text.size() + 1);
    ::GlobalUnlock(data);
    ::SetClipboardData(CF_TEXT, data);
    ::CloseClipboard();
}

} // namespace

TEST(StartMenu, TheUsersAndTheCommonFoldersMakeOneTree)
{
    StartMenuFixture menu;
    const std::string paint = menu.Program("Rita\\rita.exe");
    menu.Shortcut("user\\Rita.lnk", paint, "");
    menu.Shortcut("user\\Spel\\Schack.lnk", paint, "");
    menu.Shortcut("common\\Spel\\Patiens.lnk", paint, "");
    menu.Shortcut("common\\Spel\\Schack.lnk", paint, "-ny");  // the user's of that name comes first
    menu.Shortcut("common\\Rita.lnk", paint, "");
    menu.File("user\\desktop.ini");
    menu.File("common\\Spel\\Desktop.ini");
    menu.File("user\\.dold.lnk");
    menu.File("user\\Läsmig.txt");
    menu.Folder("user\\Python 3.11");
    menu.File("user\\Python 3.11\\Python 3.11.lnk");
    menu.Folder("common\\Tom");

    const std::vector<StartMenuEntry> tree = ReadStartMenu({menu.UserFolder(), menu.CommonFolder()});
    EXPECT_EQ("L\xE4smig,Python 3.11/[Python 3.11],Rita,Spel/[Patiens,Schack],Tom/[]", Dump(tree));
    const StartMenuEntry* games = Find(tree, "Spel");
    ASSERT_TRUE(games);
    EXPECT_EQ(menu.UserFolder() + "\\Spel", games->path);
    const StartMenuEntry* chess = Find(games->entries, "Schack");
    ASSERT_TRUE(chess);
    EXPECT_EQ(menu.UserFolder() + "\\Spel\\Schack.lnk", chess->path);

    EXPECT_EQ("", Dump(ReadStartMenu({"", menu.UserFolder() + "\\saknas"}))) << "unreadable folders give nothing";
    EXPECT_EQ("Rita", EntryName("Rita.lnk", false));
    EXPECT_EQ("a.b", EntryName("a.b.lnk", false));
    EXPECT_EQ("Utan punkt", EntryName("Utan punkt", false));
}

TEST(StartMenu, AShortcutStartsItsTargetWithItsArgumentsAndAnyOtherFileItself)
{
    StartMenuFixture menu;
    const std::string target = menu.Program("Skriv\\skriv.exe");
    const std::string link = menu.Shortcut("user\\Skriv.lnk", target, "/p \"brev.txt\"");
    StartedProgram started = ResolveShortcut(link);
    EXPECT_EQ(target, started.program);
    EXPECT_EQ("/p \"brev.txt\"", started.arguments);

    const std::string plain = menu.File("user\\Anteckning.txt");
    started = ResolveShortcut(plain);
    EXPECT_EQ(plain, started.program);
    EXPECT_EQ("", started.arguments);
}

TEST(StartMenu, TheFoldersComeFromTheShellFoldersOfTheRegistryWithoutAReader)
{
    StartMenuFolders::SetReader(nullptr);
    const StartMenuFolders folders = StartMenuFolders::Read();
    char expected[MAX_PATH] = "";
    ASSERT_TRUE(SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, expected)));
    EXPECT_EQ(0, ::lstrcmpiA(expected, folders.user.c_str())) << folders.user;
    EXPECT_FALSE(folders.common.empty());
}

namespace {

class ProgramMenuDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        target_ = menu_.Program("Rita\\rita.exe");
        menu_.Shortcut("user\\Tillbeh\xF6r\\Rita.lnk", target_, "bild.bmp");
        menu_.Shortcut("common\\Tillbeh\xF6r\\Lupp.lnk", target_, "");
        menu_.Folder("user\\Tom");
    }

    StartMenuFixture menu_;
    std::string target_;
};

} // namespace

TEST_F(ProgramMenuDlgTest, OnlyAnEntryWithoutChildrenCanBeChosen)
{
    std::string program = "gammalt.exe";
    std::string arguments = "x";
    ProgramMenuDlg dialog(program, arguments, nullptr);
    INT_PTR result = RunClosing(dialog, [&](fw::Dialog& window) {
        EXPECT_EQ("Windows Start-meny", fw::Window(window).Text());
        EXPECT_EQ("Start-menyn:", Text(window, IDC_PROGRAM_MENU_LABEL));
        // The tree takes the focus and, as the system's tree does, its first item: a folder here.
        EXPECT_FALSE(IsEnabled(window, IDOK));
        ASSERT_TRUE(StartMenuFixture::SelectItem(window, {"Tillbeh\xF6r"}));
        EXPECT_FALSE(IsEnabled(window, IDOK));
        // Enter on a folder chooses nothing.
        ::SendMessageA(window, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(::IsWindowVisible(window));
        ASSERT_TRUE(StartMenuFixture::SelectItem(window, {"Tillbeh\xF6r", "Lupp"}));
        EXPECT_TRUE(IsEnabled(window, IDOK));
        Close(window, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ("gammalt.exe", program);
    EXPECT_EQ("x", arguments);
}

TEST_F(ProgramMenuDlgTest, FoldersShowOpenWhenExpanded)
{
    std::string program, arguments;
    ProgramMenuDlg dialog(program, arguments, nullptr);
    RunClosing(dialog, [&](fw::Dialog& window) {
        HWND tree = window.Item(IDC_PROGRAM_MENU_TREE);
        HTREEITEM folder = StartMenuFixture::FindItem(tree, {"Tillbeh\xF6r"});
        ASSERT_TRUE(folder);
        auto image = [&] {
            TVITEMA item{};
            item.mask = TVIF_IMAGE;
            item.hItem = folder;
            ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
            return item.iImage;
        };
        EXPECT_EQ(ProgramMenuDlg::kClosedFolder, image());
        // Opened and closed by the keyboard, as a user would (TVM_EXPAND tells the dialog nothing).
        fw::TreeView(tree).Select(folder);
        ::SendMessageA(tree, WM_KEYDOWN, VK_ADD, 1);
        EXPECT_EQ(ProgramMenuDlg::kOpenFolder, image());
        ::SendMessageA(tree, WM_KEYDOWN, VK_SUBTRACT, 1);
        EXPECT_EQ(ProgramMenuDlg::kClosedFolder, image());
        Close(window, IDCANCEL);
    });
}

TEST_F(ProgramMenuDlgTest, OkGivesTheProgramItsArgumentsAndItsIconAndLeavesTheClipboardAlone)
{
    PutOnClipboard("anv\xE4ndarens text");
    std::string program, arguments;
    HGLOBAL icon = nullptr;
    ProgramMenuDlg dialog(program, arguments, &icon);
    int entryIcon = -2;
    INT_PTR result = RunClosing(dialog, [&](fw::Dialog& window) {
        ASSERT_TRUE(StartMenuFixture::SelectItem(window, {"Tillbeh\xF6r", "Rita"}));
        TVITEMA item{};
        item.mask = TVIF_IMAGE;
        item.hItem = fw::TreeView(window.Item(IDC_PROGRAM_MENU_TREE)).Selected();
        ::SendMessageA(window.Item(IDC_PROGRAM_MENU_TREE), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        entryIcon = item.iImage;
        Close(window, IDOK);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(target_, program);
    EXPECT_EQ("bild.bmp", arguments);
    EXPECT_EQ("anv\xE4ndarens text", ClipboardText()) << "the user's clipboard was replaced";
    if (entryIcon == ProgramMenuDlg::kPlainEntry) {
        EXPECT_EQ(nullptr, icon) << "an entry without an icon of its own gives none";
    } else {
        ASSERT_NE(nullptr, icon) << "image " << entryIcon;
        EXPECT_EQ(32, DibWidth(icon));
        EXPECT_EQ(32, DibHeight(icon));
        ::GlobalFree(icon);
    }
}

TEST_F(ProgramMenuDlgTest, ADoubleClickOnAnEntryActsAsOk)
{
    std::string program, arguments;
    ProgramMenuDlg dialog(program, arguments, nullptr);
    INT_PTR result = RunClosing(dialog, [&](fw::Dialog& window) {
        ASSERT_TRUE(StartMenuFixture::SelectItem(window, {"Tillbeh\xF6r", "Lupp"}));
        NMHDR header{window.Item(IDC_PROGRAM_MENU_TREE), IDC_PROGRAM_MENU_TREE, static_cast<UINT>(NM_DBLCLK)};
        ::SendMessageA(window, WM_NOTIFY, IDC_PROGRAM_MENU_TREE, reinterpret_cast<LPARAM>(&header));
        if (::IsWindowVisible(window))
            Close(window, IDCANCEL);
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(target_, program);
}

TEST(ProgramMenuDlgEmpty, WithoutFoldersTheTreeIsEmptyAndOkStaysOff)
{
    StartMenuFolders::SetReader([] { return StartMenuFolders{}; });
    std::string program, arguments;
    ProgramMenuDlg dialog(program, arguments, nullptr);
    RunClosing(dialog, [&](fw::Dialog& window) {
        EXPECT_EQ(0, fw::TreeView(window.Item(IDC_PROGRAM_MENU_TREE)).Count());
        EXPECT_FALSE(IsEnabled(window, IDOK));
        Close(window, IDCANCEL);
    });
    StartMenuFolders::SetReader(nullptr);
}

TEST(StartMenu, AProgramsIconIsDrawnAt32PixelsAsAPictureOfItsOwn)
{
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    HGLOBAL icon = ProgramIconPicture(self);
    ASSERT_NE(nullptr, icon) << "the shell gives every program an icon";
    EXPECT_EQ(32, DibWidth(icon));
    EXPECT_EQ(32, DibHeight(icon));
    const auto* header = static_cast<const BITMAPINFOHEADER*>(::GlobalLock(icon));
    EXPECT_EQ(24, header->biBitCount);
    ::GlobalUnlock(icon);
    ::GlobalFree(icon);
    EXPECT_EQ(nullptr, ProgramIconPicture("C:\\finns\\inte.exe"));
}
