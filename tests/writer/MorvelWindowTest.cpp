// Morvel's main window: its decisions as tables, and the real window under Wine on a fixture user,
// typed into through window messages, saved, reopened, and left by the Save setting; the start-up's
// single-instance guard and command line.
#include "DocumentText.h"
#include "ImageBaseFiles.h"
#include "MorvelConfig.h"
#include "PictureFixtures.h"
#include "ScriptedPlayer.h"
#include "components/MediaPlayer.h"
#include "framework/Prompt.h"
#include "framework/PropertySheet.h"
#include "morvel/resource.h"
#include "support/DialogDriver.h"
#include "support/FullDisk.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include "support/TempFolder.h"
#include "support/TestPrinter.h"
#include "writer/CMorvelApp.h"
#include "writer/CMorvelDlg.h"
#include "writer/MorvelWindowModel.h"
#include "writer/OpenDocDlg.h"
#include "writer_settings/ImageFolder.h"
#include "writer_settings/UserDlg.h"
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>

namespace {

using morvel_window::CommandLineKind;

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

const FILETIME kOldTime{0x10000000, 0x01D00000};

void SetWriteTime(const std::string& path, const FILETIME& time)
{
    HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ::SetFileTime(file, nullptr, nullptr, &time);
    ::CloseHandle(file);
}

FILETIME WriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

DocumentListItem Listed(const std::string& name, std::uint64_t time)
{
    DocumentListItem item;
    item.name_ = name;
    item.path_ = "C:\\Dok\\" + name + ".txt";
    item.time_ = time;
    return item;
}

// ---- Decisions ----

TEST(MorvelWindowModel, CommandLineNamesAUserFileOrADocument)
{
    const struct {
        const char* text;
        CommandLineKind kind;
    } cases[] = {
        {"", CommandLineKind::None},
        {"C:\\Morvel\\Anna.ini", CommandLineKind::UserFile},
        {"C:\\Morvel\\ANNA.INI", CommandLineKind::UserFile},
        {"C:\\Dokument\\7.txt", CommandLineKind::Document},
        {"C:\\Dokument\\7.TXT", CommandLineKind::Document},
        {"C:\\Dokument\\brev.doc", CommandLineKind::None},
        {"C:\\Dokument\\utan", CommandLineKind::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.kind, morvel_window::ClassifyCommandLine(c.text)) << c.text;
}

TEST(MorvelWindowModel, LeavingADocumentBySaveSetting)
{
    const struct {
        const char* name;
        int save;
        bool empty, modified, hasFile, unread;
        bool deleteFile, forgetPath, saveIt, ask;
    } cases[] = {
        {"always, empty with a file: the file goes", 1, true, true, true, false, true, true, false, false},
        {"always, empty without a file", 1, true, false, false, false, false, true, false, false},
        {"always, empty, a file that did not read: kept", 1, true, false, true, true, false, true, false, false},
        {"always, modified: saved", 1, false, true, true, false, false, false, true, false},
        {"always, unchanged: nothing", 1, false, false, true, false, false, false, false, false},
        {"ask, modified: asked", 2, false, true, false, false, false, false, false, true},
        {"ask, unchanged: nothing", 2, false, false, true, false, false, false, false, false},
        {"ask, empty and modified: asked", 2, true, true, true, false, false, false, false, true},
        {"never, modified: nothing", 0, false, true, true, false, false, false, false, false},
    };
    for (const auto& c : cases) {
        const morvel_window::LeavePlan plan =
            morvel_window::PlanLeaving(c.save, c.empty, c.modified, c.hasFile, c.unread);
        EXPECT_EQ(c.deleteFile, plan.deleteFile) << c.name;
        EXPECT_EQ(c.forgetPath, plan.forgetPath) << c.name;
        EXPECT_EQ(c.saveIt, plan.save) << c.name;
        EXPECT_EQ(c.ask, plan.ask) << c.name;
    }
}

TEST(MorvelWindowModel, NewDocumentNeverReplacesAFileThatDidNotRead)
{
    std::vector<DocumentListItem> ten;
    for (int n = 1; n <= 10; ++n)
        ten.push_back(Listed(std::to_string(n), 100 - n)); // 10.txt is the oldest
    const std::vector<DocumentListItem> sameTime = {Listed("1", 5), Listed("2", 5)};
    const struct {
        const char* name;
        std::vector<DocumentListItem> files;
        int maxNumber;
        std::vector<std::string> damaged; // names of the files that do not read whole
        std::string path;
    } cases[] = {
        {"full: the oldest is replaced", ten, 10, {}, "C:\\Dok\\10.txt"},
        {"full, the oldest damaged: the next oldest", ten, 10, {"10"}, "C:\\Dok\\9.txt"},
        {"full, all damaged: the lowest free number", ten, 10, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         "C:\\Dok\\11.txt"},
        {"full, equal times: the first listed", sameTime, 2, {}, "C:\\Dok\\1.txt"},
        {"more than the maximum: the lowest free number", ten, 9, {}, "C:\\Dok\\11.txt"},
        {"room left: the lowest free number", {Listed("1", 5), Listed("3", 6)}, 10, {}, "C:\\Dok\\2.txt"},
    };
    for (const auto& c : cases) {
        auto readsWhole = [&](const std::string& path) {
            for (const std::string& name : c.damaged) {
                if (path == "C:\\Dok\\" + name + ".txt")
                    return false;
            }
            return true;
        };
        EXPECT_EQ(c.path, morvel_window::NewDocumentPath(c.files, "C:\\Dok", c.maxNumber, readsWhole)) << c.name;
    }
}

TEST(MorvelWindowModel, CaptionNamesTheUserOnlyWithTheHelperMenu)
{
    EXPECT_EQ("Morvel", morvel_window::Caption("Morvel", false, "C:\\U\\Anna.ini", "<Standard>"));
    EXPECT_EQ("Morvel <Standard>", morvel_window::Caption("Morvel", true, "", "<Standard>"));
    EXPECT_EQ("Morvel <Anna>", morvel_window::Caption("Morvel", true, "C:\\U\\Anna.ini", "<Standard>"));
}

TEST(MorvelWindowModel, LayoutPlacesTheDocumentAsAnA4WidthAndTheButtonsInSlots)
{
    // 96 pixels per inch on a 1024-pixel screen: one millimetre of the page is 1024 / 210 pixels.
    const morvel_window::Layout wide = morvel_window::ComputeLayout(RECT{0, 0, 1024, 700}, 45, 40, 0, 16, 1024, 96);
    EXPECT_EQ(640, wide.buttonTop);
    EXPECT_EQ(121, wide.document.left);   // 25 mm
    EXPECT_EQ(20, wide.document.top);
    EXPECT_EQ(917, wide.document.right);  // 185 mm + 15
    EXPECT_EQ(640, wide.document.bottom);
    auto x = [](const morvel_window::Layout& layout, int id) {
        for (const auto& b : layout.buttons)
            if (b.id == id)
                return b.x;
        return -1;
    };
    // Margin 20, gap (1024 - 40 - 450) / 9 = 59.
    EXPECT_EQ(20, x(wide, IDC_MAIN_NEW));
    EXPECT_EQ(124, x(wide, IDC_MAIN_OPEN));
    EXPECT_EQ(20 + 6 * 104, x(wide, IDC_MAIN_PLAY));
    EXPECT_EQ(1024 - 20 - 16 - 45, x(wide, IDC_MAIN_EXIT));
    EXPECT_EQ(1024 - 20 - 16 - 45 - 20 - 45, x(wide, IDC_MAIN_SCROLL));
    // Below 800 pixels the margin is 15.
    const morvel_window::Layout narrow = morvel_window::ComputeLayout(RECT{0, 0, 780, 500}, 45, 40, 30, 16, 1024, 96);
    EXPECT_EQ(15, x(narrow, IDC_MAIN_NEW));
    EXPECT_EQ(50, narrow.document.top); // below the search bar
}

TEST(MorvelStartUp, CommandLineIsTheTextAfterTheProgramName)
{
    EXPECT_EQ("C:\\U\\Anna.ini", CMorvelApp::CommandLineArgument("\"C:\\Program Files\\Morvel\\morvel.exe\" C:\\U\\Anna.ini"));
    // A path the shell quoted is a document all the same.
    EXPECT_EQ("C:\\Mina dokument\\1.txt", CMorvelApp::CommandLineArgument("morvel.exe  \"C:\\Mina dokument\\1.txt\""));
    EXPECT_EQ("\"a\" \"b.txt\"", CMorvelApp::CommandLineArgument("morvel.exe \"a\" \"b.txt\""));
    EXPECT_EQ("", CMorvelApp::CommandLineArgument("morvel.exe"));
    EXPECT_EQ("", CMorvelApp::CommandLineArgument("\"C:\\Program Files\\Morvel\\morvel.exe\""));
}

// ---- The window ----

class MorvelWindow : public testing::Test {
protected:
    MorvelWindow()
    {
        config.WriteImageBase();
        for (const std::string& path : {config.Temp() / "bas\\12.bmp", config.Temp() / "bas\\13.bmp"})
            fixtures::SaveWithCodec(fixtures::QuadrantPicture(40, 30), L"image/bmp", path);
        saveFolder = config.Temp() / "Dokument";
        ::CreateDirectoryA(saveFolder.c_str(), nullptr);
        WriteUser("Save=1\r\n");
        fw::SetBeepHandler([this] { ++beeps; });
    }

    // The fixture user "Anna" with these [MVSettings] lines besides her save folder; the default
    // user, whom a document on the command line opens with, has the same.
    void WriteUser(const std::string& lines)
    {
        const std::string settings = "[MVSettings]\r\n" + lines + "UserDir=" + saveFolder + "\r\nHelperMenu=0\r\n";
        userFile = config.Write("Program Files\\Morvel\\Anna.ini", settings);
        config.Write("Program Files\\Morvel\\swedish.ini", settings);
    }

    // Runs the main window with a command line; the script ends it (or the test fails and it is closed).
    void Run(const std::string& commandLine, const std::function<void(CMorvelDlg&)>& script)
    {
        CMorvelDlg dialog(config.Environment(), commandLine);
        testsupport::RunModal(dialog, [&](fw::Dialog&) {
            script(dialog);
            if (::IsWindowVisible(dialog.Handle())) {
                ADD_FAILURE() << "the main window is still open";
                dialog.EndDialog(IDCANCEL);
            }
        });
    }

    // Characters as the keyboard types them, each sent to a button of the main window: the window
    // routes them to the document whatever has the focus.
    static void Type(CMorvelDlg& dialog, const std::string& text)
    {
        for (char c : text) {
            ::PostMessageA(dialog.Item(IDC_MAIN_OPEN), WM_CHAR, static_cast<unsigned char>(c), 1);
            fw::PumpMessages();
        }
    }
    static void Command(CMorvelDlg& dialog, int id) { dialog.Self().Send(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    static std::string Text(CMorvelDlg& dialog) { return doctext::Describe(dialog.Document().Model().items_); }
    // Exits and tells whether the window ended.
    static bool Exit(CMorvelDlg& dialog)
    {
        Command(dialog, ID_KEY_EXIT);
        return !::IsWindowVisible(dialog.Handle());
    }

    MorvelConfig config;
    std::string saveFolder;
    std::string userFile;
    int beeps = 0;
};

TEST_F(MorvelWindow, TypedCharactersAndContentStringsAreSavedAndReadBack)
{
    Run(userFile, [&](CMorvelDlg& dialog) {
        EXPECT_EQ("Morvel", dialog.Self().Text());
        Type(dialog, "Hej @A12@ och @A13+'katten'@!");
        EXPECT_EQ("Hej {0} och {1}!", Text(dialog));
        testsupport::Snapshot(dialog, "morvel_main");
        EXPECT_TRUE(Exit(dialog));
    });
    const std::string saved = saveFolder + "\\1.txt";
    ASSERT_TRUE(Exists(saved));
    EXPECT_EQ("Hej <I0> och <I1>!<End>\r\n\r\n[Images]\r\nI0=@A12@\r\nI1=@A13+'katten'@\r\n", ReadFile(saved));

    // Reopened from the command line, it reads back as it was and, unchanged, is not written again: a
    // Backspace typed as a character (Shift+Backspace) changes nothing.
    SetWriteTime(saved, kOldTime);
    Run(saved, [&](CMorvelDlg& dialog) {
        EXPECT_EQ("Hej {0} och {1}!", Text(dialog));
        EXPECT_EQ(saved, dialog.DocumentPath());
        Type(dialog, "\b");
        EXPECT_EQ("Hej {0} och {1}!", Text(dialog));
        EXPECT_TRUE(Exit(dialog));
    });
    EXPECT_EQ(kOldTime.dwLowDateTime, WriteTime(saved).dwLowDateTime) << "written again";
}

// Symbols of an image base that is not here (read from a file or typed) keep their codes when the
// document is saved, so they come back with the base.
TEST_F(MorvelWindow, PictureCodesOfABaseThatIsAwayAreSavedAsTheyWere)
{
    const std::string saved = config.Write("Dokument\\1.txt", "<I0><End>\r\n\r\n[Images]\r\nI0=@B12@\r\n");
    Run(saved, [&](CMorvelDlg& dialog) {
        Type(dialog, "@B13+'sol'@");
        EXPECT_EQ("{1}{0}", Text(dialog));
        EXPECT_TRUE(Exit(dialog));
    });
    EXPECT_EQ("<I1><I0><End>\r\n\r\n[Images]\r\nI0=@B12@\r\nI1=@B13+'sol'@\r\n", ReadFile(saved));
}

// The base of a picture code is away when the document opens and back before it is saved (a USB
// stick put in): the symbol, unchanged, keeps the code it was read with.
TEST_F(MorvelWindow, APictureCodeWhoseBaseCameBackIsSavedAsItWasRead)
{
    const std::string stick = config.Temp() / "usb\\djur.ini";
    config.Write("windows\\imgbase.swedish.ini", "[ImageBases]\r\nA=" + (config.Temp() / "bas\\djur.ini")
                                                     + ",Djur,1,4,0\r\nB=" + stick + ",Usb,1,4,0\r\n");
    const std::string saved = config.Write("Dokument\\1.txt", "<I0><End>\r\n\r\n[Images]\r\nI0=@B12@\r\n");
    Run(saved, [&](CMorvelDlg& dialog) {
        config.Write("usb\\djur.ini", "[ProgDir]\r\nDir=" + (config.Temp() / "bas")
                                           + "\r\nExtension=bmp\r\n[Bilder]\r\n12=hund\r\n");
        Type(dialog, "a");
        EXPECT_TRUE(Exit(dialog));
    });
    EXPECT_EQ("a<I0><End>\r\n\r\n[Images]\r\nI0=@B12@\r\n", ReadFile(saved));
}

TEST_F(MorvelWindow, SaveQuestionDecidesBySetting)
{
    const struct {
        const char* name;
        int save;
        int answer; // the button of the question, 0 when none is expected
        bool saved;
    } cases[] = {
        {"ask, yes", 2, IDOK, true},
        {"ask, no", 2, IDCANCEL, false},
        {"never", 0, 0, false},
        {"always", 1, 0, true},
    };
    for (const auto& c : cases) {
        WriteUser("Save=" + std::to_string(c.save) + "\r\n");
        ::DeleteFileA((saveFolder + "\\1.txt").c_str());
        Run(userFile, [&](CMorvelDlg& dialog) {
            Type(dialog, "abc");
            if (c.answer) {
                testsupport::OnNextDialog([&](fw::Dialog& question) {
                    EXPECT_EQ(static_cast<UINT>(IDD_MESSAGE_PICTURE_YESNO), question.TemplateId()) << c.name;
                    testsupport::Click(question, c.answer);
                });
            }
            EXPECT_TRUE(Exit(dialog)) << c.name;
        });
        EXPECT_EQ(c.saved, Exists(saveFolder + "\\1.txt")) << c.name;
    }
}

// Esc and the close box are no answer to "VILL DU SPARA?": the question stays until YES or NO.
TEST_F(MorvelWindow, SaveQuestionWaitsForYesOrNo)
{
    WriteUser("Save=2\r\n");
    for (int answer : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(answer == IDOK ? "YES" : "NO");
        ::DeleteFileA((saveFolder + "\\1.txt").c_str());
        Run(userFile, [&](CMorvelDlg& dialog) {
            Type(dialog, "abc");
            testsupport::OnNextDialog([&](fw::Dialog& question) {
                const HWND focus = ::GetFocus() ? ::GetFocus() : question.Handle();
                ::PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 1);
                ::PostMessageA(focus, WM_KEYUP, VK_ESCAPE, 0xC0000001);
                fw::PumpMessages();
                EXPECT_TRUE(::IsWindowVisible(question.Handle())) << "Esc";
                ::SendMessageA(question.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
                fw::PumpMessages();
                EXPECT_TRUE(::IsWindowVisible(question.Handle())) << "the close box";
                ::SendMessageA(question.Handle(), WM_CLOSE, 0, 0);
                fw::PumpMessages();
                EXPECT_TRUE(::IsWindowVisible(question.Handle())) << "closed";
                testsupport::Snapshot(question, "morvel_save_question");
                testsupport::Click(question, answer);
            });
            EXPECT_TRUE(Exit(dialog));
        });
        EXPECT_EQ(answer == IDOK, Exists(saveFolder + "\\1.txt"));
    }
}

TEST_F(MorvelWindow, FailedSaveOnLeavingLetsTheUserStay)
{
    // A save folder that is not there: the document cannot be written.
    saveFolder = config.Temp() / "Saknas";
    WriteUser("Save=1\r\n");
    const struct {
        const char* name;
        int command;
    } commands[] = {{"exit", ID_KEY_EXIT}, {"new", ID_KEY_NEW}, {"open", ID_KEY_OPEN}, {"users", ID_MENU_USERS}};
    for (const auto& c : commands) {
        Run(userFile, [&](CMorvelDlg& dialog) {
            Type(dialog, "viktigt");
            {
                testsupport::ScriptedMessages messages;
                messages.Expect(IDS_MORVEL_NOT_SAVED).Expect(IDS_MORVEL_LEAVE_UNSAVED, IDNO);
                Command(dialog, c.command);
            }
            EXPECT_TRUE(::IsWindowVisible(dialog.Handle())) << c.name;
            EXPECT_EQ("viktigt", Text(dialog)) << c.name;
            EXPECT_EQ(1, dialog.Document().Model().modified_) << c.name;
            // Choosing to leave the unsaved edits goes on.
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_MORVEL_NOT_SAVED).Expect(IDS_MORVEL_LEAVE_UNSAVED, IDYES);
            EXPECT_TRUE(Exit(dialog)) << c.name;
        });
    }
}

// A document takes a file as its own only when a write to it succeeded: a save that failed on the
// full folder's oldest file leaves that file another document's, and leaving the document emptied
// deletes nothing.
TEST_F(MorvelWindow, AFailedSaveNeverMakesAnotherDocumentThisOnes)
{
    WriteUser("Save=1\r\nMaxNumber=2\r\n");
    const std::string oldest = config.Write("Dokument\\1.txt", "gammalt<End>\r\n\r\n[Images]\r\n");
    const std::string newer = config.Write("Dokument\\2.txt", "nyare<End>\r\n\r\n[Images]\r\n");
    SetWriteTime(oldest, kOldTime);
    Run(userFile, [&](CMorvelDlg& dialog) {
        Type(dialog, "abc");
        {
            testsupport::FullDisk full;
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_MORVEL_NOT_SAVED).Expect(IDS_MORVEL_LEAVE_UNSAVED, IDNO);
            Command(dialog, ID_KEY_EXIT);
        }
        EXPECT_EQ("", dialog.DocumentPath());
        for (int k = 0; k < 3; ++k)
            Command(dialog, ID_DOC_BACKSPACE);
        EXPECT_EQ("", Text(dialog));
        EXPECT_TRUE(Exit(dialog));
    });
    EXPECT_EQ("gammalt<End>\r\n\r\n[Images]\r\n", ReadFile(oldest));
    EXPECT_EQ("nyare<End>\r\n\r\n[Images]\r\n", ReadFile(newer));
}

// A document named on the command line that is not there yet is saved there, as a new file: what
// appeared under the name meanwhile is left alone and the document gets a numbered file instead.
TEST_F(MorvelWindow, ADocumentSavesUnderItsNameOnlyWhileTheNameIsFree)
{
    for (bool appears : {false, true}) {
        SCOPED_TRACE(appears ? "a file appeared" : "the name is free");
        const std::string named = saveFolder + "\\brev.txt";
        ::DeleteFileA(named.c_str());
        ::DeleteFileA((saveFolder + "\\1.txt").c_str());
        Run(named, [&](CMorvelDlg& dialog) {
            EXPECT_EQ(named, dialog.DocumentPath());
            Type(dialog, "hej");
            if (appears)
                config.Write("Dokument\\brev.txt", "annat program");
            EXPECT_TRUE(Exit(dialog));
        });
        if (appears) {
            EXPECT_EQ("annat program", ReadFile(named));
            EXPECT_EQ("hej<End>\r\n\r\n[Images]\r\n", ReadFile(saveFolder + "\\1.txt"));
        } else {
            EXPECT_EQ("hej<End>\r\n\r\n[Images]\r\n", ReadFile(named));
        }
    }
}

// A damaged file is known by what it holds, not by the path it was opened with: opened by a path
// written otherwise, or not opened at all in this session, the rotation of a full folder passes it by.
TEST_F(MorvelWindow, DocumentThatDidNotReadIsNeverDeletedOrOverwritten)
{
    const std::string other = "ok<End>\r\n\r\n[Images]\r\n";
    const std::string broken = "ab<I0\r\ncd<End>\r\n\r\n[Images]\r\nI0=@A12@\r\n";
    const struct {
        const char* name;
        std::string content;
        const char* opened; // how the damaged file is named on the command line; null: not opened
        const char* typed;
        std::string shown;
        std::string otherAfter; // the folder's other file: a new document takes its place, never the damaged one's
    } cases[] = {
        {"an empty file, left empty: not deleted", "", "\\1.txt", "", "", other},
        {"a broken tag, edited: saved as a new document", broken, "\\1.txt", "!", "!ab{0}\ncd",
         "!ab<I0>\r\ncd<End>\r\n\r\n[Images]\r\nI0=@A12@\r\n"},
        {"opened by a path written otherwise", broken, "\\.\\1.TXT", "!", "!ab{0}\ncd",
         "!ab<I0>\r\ncd<End>\r\n\r\n[Images]\r\nI0=@A12@\r\n"},
        {"not opened in this session", broken, nullptr, "ny", "ny", "ny<End>\r\n\r\n[Images]\r\n"},
    };
    for (const auto& c : cases) {
        // The folder is full (MaxNumber 2) and the damaged file is the oldest: rotation would take it.
        WriteUser("Save=1\r\nMaxNumber=2\r\n");
        const std::string damaged = config.Write("Dokument\\1.txt", c.content);
        const std::string second = config.Write("Dokument\\2.txt", other);
        SetWriteTime(damaged, kOldTime);

        testsupport::ScriptedMessages messages;
        if (c.opened)
            messages.Expect(IDS_MORVEL_DOCUMENT_DAMAGED);
        Run(c.opened ? saveFolder + c.opened : userFile, [&](CMorvelDlg& dialog) {
            EXPECT_EQ("", dialog.DocumentPath()) << c.name;
            Type(dialog, c.typed);
            EXPECT_EQ(c.shown, Text(dialog)) << c.name;
            EXPECT_TRUE(Exit(dialog)) << c.name;
        });
        EXPECT_TRUE(Exists(damaged)) << c.name;
        EXPECT_EQ(c.content, ReadFile(damaged)) << c.name;
        EXPECT_EQ(c.otherAfter, ReadFile(second)) << c.name;
    }
}

// The player tells its end to the main window as WM_NOTIFY: the read-aloud goes on with the next
// sound and, after the last one, PAUSE goes, with either kind of player.
TEST_F(MorvelWindow, ReadingAloudGoesOnAfterEachSoundWithEitherPlayer)
{
    WriteUser("Save=0\r\n");
    const std::string first = config.Write("ljud\\ett.wav", "RIFF");
    const std::string second = config.Write("ljud\\tva.wav", "RIFF");
    const std::string document = config.Write(
        "Dokument\\1.txt", "<I0><I1><End>\r\n\r\n[Images]\r\nI0=@" + first + "@\r\nI1=@" + second + "@\r\n");
    std::vector<std::string> log;
    ScriptedPlayers players(log);
    ScriptedPlayer*& player = players.player;
    for (const char* setting : {"1", "2"}) {
        ::WritePrivateProfileStringA("Defaults", "MediaPlayer", setting, config.MorvelIni().c_str());
        Run(document, [&](CMorvelDlg& dialog) {
            ASSERT_NE(nullptr, player);
            log.clear();
            Command(dialog, ID_KEY_READ_ALOUD);
            ASSERT_FALSE(log.empty());
            EXPECT_EQ("open ett.wav", log.back()) << setting;
            EXPECT_TRUE(testsupport::IsVisible(dialog, IDC_MAIN_PAUSE)) << setting;
            // Paused, PAUSE stays pushed in until the playback goes on.
            auto pushed = [&] { return (dialog.Item(IDC_MAIN_PAUSE).Send(BM_GETSTATE) & BST_PUSHED) != 0; };
            Command(dialog, ID_KEY_PAUSE);
            EXPECT_TRUE(pushed()) << setting;
            testsupport::Snapshot(dialog.Item(IDC_MAIN_PAUSE), "morvel_paused");
            Command(dialog, ID_KEY_PAUSE);
            EXPECT_FALSE(pushed()) << setting;
            testsupport::Snapshot(dialog.Item(IDC_MAIN_PAUSE), "morvel_playing");
            player->EndOfFile();
            EXPECT_TRUE(testsupport::PumpUntil([&] { return log.back() == "open tva.wav"; }, 2000)) << setting;
            player->EndOfFile();
            EXPECT_TRUE(testsupport::PumpUntil([&] { return !testsupport::IsVisible(dialog, IDC_MAIN_PAUSE); }, 2000))
                << setting;
            EXPECT_TRUE(Exit(dialog));
        });
    }
}

// Logging off or shutting down ends Morvel without Exit: the Save setting is applied then, and a user
// who stays with edits that could not be saved keeps the session.
TEST_F(MorvelWindow, EndingTheSessionLeavesTheDocumentByTheSaveSetting)
{
    const struct {
        const char* name;
        int save;
        bool folderThere;
        int question;  // the answer to "VILL DU SPARA?", 0 when none is asked
        bool saved;
        LRESULT goOn;  // the answer to the end of the session
    } cases[] = {
        {"always", 1, true, 0, true, TRUE},
        {"ask, yes", 2, true, IDOK, true, TRUE},
        {"never", 0, true, 0, false, TRUE},
        {"always, not saved, the user stays", 1, false, 0, false, FALSE},
    };
    for (const auto& c : cases) {
        saveFolder = config.Temp() / (c.folderThere ? "Dokument" : "Saknas");
        WriteUser("Save=" + std::to_string(c.save) + "\r\n");
        ::DeleteFileA((saveFolder + "\\1.txt").c_str());
        Run(userFile, [&](CMorvelDlg& dialog) {
            Type(dialog, "abc");
            if (c.question) {
                testsupport::OnNextDialog([&](fw::Dialog& question) { testsupport::Click(question, c.question); });
            }
            {
                testsupport::ScriptedMessages messages;
                if (!c.folderThere)
                    messages.Expect(IDS_MORVEL_NOT_SAVED).Expect(IDS_MORVEL_LEAVE_UNSAVED, IDNO);
                EXPECT_EQ(c.goOn, dialog.Self().Send(WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF)) << c.name;
            }
            dialog.GetSettings().save_ = 0;
            EXPECT_TRUE(Exit(dialog)) << c.name;
        });
        EXPECT_EQ(c.saved, Exists(saveFolder + "\\1.txt")) << c.name;
    }
}

// A chosen file goes in only as a picture or sound that reads back as chosen: a '+' or '@' in its path
// split the symbol apart once saved, and a file of no known kind made an empty symbol. The sound
// chooser offers every kind the players take.
TEST_F(MorvelWindow, BrowsedFilesAreCheckedAsTheCommandDialogChecksThem)
{
    WriteUser("Save=0\r\n");
    const struct {
        const char* name;
        int command;
        std::string chosen;
        UINT refusal;
        const char* text;
    } cases[] = {
        {"a picture", ID_MENU_BROWSE_PICTURE, config.Temp() / "bas\\12.bmp", 0, "{0}"},
        {"a '+' in a picture's path", ID_MENU_BROWSE_PICTURE, config.Write("filer\\sol+regn.bmp", "BM"),
         IDS_KVORA_BAD_PATH, ""},
        {"a picture of no known kind", ID_MENU_BROWSE_PICTURE, config.Write("filer\\sol.xyz", "BM"),
         IDS_KVORA_BAD_PICTURE, ""},
        {"a sound", ID_MENU_BROWSE_SOUND, config.Write("filer\\ljud.wav", "RIFF"), 0, "{0}"},
        {"a '@' in a sound's path", ID_MENU_BROWSE_SOUND, config.Write("filer\\ljud@1.wav", "RIFF"),
         IDS_KVORA_BAD_PATH, ""},
        {"a sound of no known kind", ID_MENU_BROWSE_SOUND, config.Write("filer\\ljud.xyz", "RIFF"),
         IDS_KVORA_BAD_SOUND, ""},
    };
    std::string answer;
    std::string firstFilter;
    fw::CommonDialogHandlers handlers;
    handlers.openFile = [&](OPENFILENAMEA& request) {
        firstFilter = request.lpstrFilter ? request.lpstrFilter : "";
        lstrcpynA(request.lpstrFile, answer.c_str(), static_cast<int>(request.nMaxFile));
        request.nFileOffset = static_cast<WORD>(answer.rfind('\\') + 1);
        return true;
    };
    fw::SetCommonDialogHandlers(handlers);
    Run(userFile, [&](CMorvelDlg& dialog) {
        for (const auto& c : cases) {
            answer = c.chosen;
            {
                testsupport::ScriptedMessages messages;
                if (c.refusal)
                    messages.Expect(c.refusal);
                Command(dialog, c.command);
            }
            EXPECT_EQ(c.text, Text(dialog)) << c.name;
            if (c.command == ID_MENU_BROWSE_SOUND) {
                EXPECT_EQ("MID,MP3,M4A,RMI,WAV,WMA", firstFilter) << c.name;
            }
            Command(dialog, ID_KEY_NEW);
        }
        EXPECT_TRUE(Exit(dialog));
    });
    fw::SetCommonDialogHandlers({});
}

// Printing that cannot happen is said: without any printer, by the key and by the menu.
// The stored printer choice is there but does not read: Morvel says so on opening and leaves it.
TEST_F(MorvelWindow, AStoredPrinterChoiceThatDoesNotReadIsSaidAndKept)
{
    ::WritePrivateProfileStringA("MVSettings", "DefaultPrinter", "Skrivare", config.ProgramIni().c_str());
    const std::string choice = config.Write("Program Files\\Morvel\\DefaultPrinter.inf", "trasigt");
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_MORVEL_PRINTER_CHOICE_UNREADABLE);
    Run(userFile, [&](CMorvelDlg& dialog) { EXPECT_TRUE(Exit(dialog)); });
    EXPECT_EQ("trasigt", ReadFile(choice));
}

TEST_F(MorvelWindow, PrintingWithoutAPrinterSaysSo)
{
    WriteUser("Save=0\r\n");
    fw::CommonDialogHandlers handlers;
    handlers.print = [](PRINTDLGA&) { return false; }; // no printer: the print dialog cannot open
    fw::SetCommonDialogHandlers(handlers);
    Run(userFile, [&](CMorvelDlg& dialog) {
        Type(dialog, "abc");
        for (int command : {ID_KEY_PRINT, ID_MENU_PRINT}) {
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_MORVEL_NO_PRINTER);
            Command(dialog, command);
        }
        EXPECT_EQ(dialog.Document().Handle(), ::GetFocus());
        EXPECT_TRUE(Exit(dialog));
    });
    fw::SetCommonDialogHandlers({});
}

// An abort procedure that cancels every job: StartDoc asks it first, so no job starts.
BOOL CALLBACK CancelEveryJob(HDC, int)
{
    return FALSE;
}

// A print the system did not carry out is said, and nothing else is shown: a job that could not start
// (StartDoc fails) and a job that could not reach its printer, whose port writes into a folder that has
// gone (the spooler cannot deliver it, and EndDoc fails).
TEST_F(MorvelWindow, APrintThatDidNotHappenSaysSo)
{
    testsupport::TempFolder output;
    testsupport::TestPrinter printer(output.Path());
    ASSERT_EQ("", printer.Error());
    WriteUser("Save=0\r\n");
    fw::CommonDialogHandlers handlers;
    handlers.print = [](PRINTDLGA& request) { // the user takes the default printer
        request.hDevMode = nullptr;
        request.hDevNames = nullptr;
        request.Flags |= PD_RETURNDEFAULT;
        return ::PrintDlgA(&request) != FALSE;
    };
    fw::SetCommonDialogHandlers(handlers);
    Run(userFile, [&](CMorvelDlg& dialog) {
        Type(dialog, "abc");
        ASSERT_NE(nullptr, dialog.GetPrinter());
        printer.ClearOutput();
        ::SetAbortProc(dialog.GetPrinter()->dc, CancelEveryJob);
        {
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_MORVEL_PRINT_FAILED);
            Command(dialog, ID_KEY_PRINT);
        }
        EXPECT_TRUE(printer.NothingPrintedSinceClear());
        EXPECT_EQ(dialog.Document().Handle(), ::GetFocus());

        // A folder of its own, short: Wine keeps a printer's port in a value of about 500 characters.
        const std::string goneFolder = "C:\\Utskrifter som inte finns";
        ASSERT_FALSE(Exists(goneFolder));
        testsupport::TestPrinter gone(goneFolder, 50, "Skrivare utan mapp");
        ASSERT_EQ("", gone.Error());
        {
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_MORVEL_PRINT_FAILED);
            Command(dialog, ID_MENU_PRINT);
        }
        EXPECT_EQ(dialog.Document().Handle(), ::GetFocus());
        EXPECT_TRUE(Exit(dialog));
    });
    fw::SetCommonDialogHandlers({});
}

// A picture chosen from an image base is the symbol its code types: the base's word is its caption and
// what is spoken, as for a typed code.
TEST_F(MorvelWindow, APictureFromAnImageBaseHasTheBasesWord)
{
    WriteUser("Save=0\r\n");
    Run(userFile, [&](CMorvelDlg& dialog) {
        testsupport::OnNextDialog([](fw::Dialog& chooser) {
            testsupport::SelectList(chooser, IDC_IMAGEBASE_PICTURES, 0);
            testsupport::Click(chooser, IDOK);
        });
        Command(dialog, ID_MENU_IMAGEBASE_PICTURE);
        ASSERT_EQ("{0}", Text(dialog));
        const CKvoraObject& symbol = dialog.Document().Model().images_[0];
        EXPECT_EQ("hund", symbol.label_);
        EXPECT_EQ("hund", symbol.speech_);
        EXPECT_EQ("@A12@", symbol.BuildContent());
        EXPECT_TRUE(Exit(dialog));
    });
}

// A default image base that could not be stored (the user's file went away with its drive) is said.
TEST_F(MorvelWindow, ADefaultImageBaseThatCannotBeStoredIsSaid)
{
    WriteUser("Save=0\r\n");
    Run(userFile, [&](CMorvelDlg& dialog) {
        dialog.GetSettings().userFile_ = config.Temp() / "Borta\\Anna.ini";
        testsupport::OnNextDialog([](fw::Dialog& chooser) {
            testsupport::SelectList(chooser, IDC_SELECT_IMAGEBASE_LIST, 0);
            testsupport::Click(chooser, IDOK);
        });
        {
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_USER_NOT_SAVED);
            Command(dialog, ID_MENU_DEFAULT_IMAGEBASE);
        }
        EXPECT_TRUE(Exit(dialog));
    });
}

// A user's file that was read and has gone since is not created again by a choice: it is said.
TEST_F(MorvelWindow, ADefaultImageBaseIsNotStoredInAUserFileThatHasGone)
{
    WriteUser("Save=0\r\n");
    Run(userFile, [&](CMorvelDlg& dialog) {
        ASSERT_TRUE(::DeleteFileA(userFile.c_str()));
        testsupport::OnNextDialog([](fw::Dialog& chooser) {
            testsupport::SelectList(chooser, IDC_SELECT_IMAGEBASE_LIST, 0);
            testsupport::Click(chooser, IDOK);
        });
        {
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_USER_FILE_GONE);
            Command(dialog, ID_MENU_DEFAULT_IMAGEBASE);
        }
        EXPECT_TRUE(fw::IsAbsent(userFile));
        EXPECT_TRUE(Exit(dialog));
    });
}

// The insert-picture browser plays a picture's sound in its list view: the player's end reaches it
// through the main window, and STOP goes.
TEST_F(MorvelWindow, TheBrowsersStopGoesWhenItsSoundHasPlayed)
{
    WriteUser("Save=0\r\n");
    const std::string folder = config.Temp() / "Foton";
    config.Write("Foton\\katt.wav", "RIFF");
    fixtures::SaveWithCodec(fixtures::QuadrantPicture(40, 30), L"image/bmp", folder + "\\katt.bmp");
    ImageFolder photos;
    photos.name_ = "Foton";
    photos.folderPath_ = folder;
    photos.displayType_ = ImageFolder::kList;
    photos.folderType_ = ImageFolder::kDiskFolder;
    ASSERT_TRUE(ImageFolderSettings::SaveFolderList(userFile, config.ProgramIni(), {photos}, fw::FileRead::Absent));
    std::vector<std::string> log;
    ScriptedPlayers players(log);
    ScriptedPlayer*& player = players.player;
    Run(userFile, [&](CMorvelDlg& dialog) {
        testsupport::OnNextDialog([&](fw::Dialog& browser) {
            fw::TreeView tree = browser.Control<fw::TreeView>(IDC_BROWSER_TREE);
            EXPECT_EQ("katt.bmp", tree.ItemText(tree.Root()));
            tree.Select(tree.Root());
            testsupport::Click(browser, IDC_BROWSER_PLAY);
            EXPECT_EQ("open katt.wav", log.empty() ? "" : log.back());
            EXPECT_TRUE(testsupport::IsVisible(browser, IDC_BROWSER_STOP));
            if (player)
                player->EndOfFile();
            EXPECT_FALSE(testsupport::IsVisible(browser, IDC_BROWSER_STOP));
            browser.EndDialog(IDCANCEL);
        });
        Command(dialog, ID_KEY_INSERT_PICTURE);
        EXPECT_TRUE(Exit(dialog));
    });
}

// A short WAVE file: 8-bit mono at 8000 Hz, a tenth of a second of a tone.
std::string ShortWave()
{
    auto le = [](unsigned long value, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i)
            text += static_cast<char>((value >> (8 * i)) & 0xFF);
        return text;
    };
    std::string data;
    for (int i = 0; i < 800; ++i)
        data += static_cast<char>(i % 20 < 10 ? 96 : 160);
    return "RIFF" + le(36 + data.size(), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(8000, 4) +
           le(8000, 4) + le(1, 2) + le(8, 2) + "data" + le(data.size(), 4) + data;
}

// Real sound files through the real players, on a sound device: the read-aloud plays each to its end
// and goes on to the next, with either player, until the last one has played and PAUSE goes.
TEST_F(MorvelWindow, ReadingAloudRealSoundsPlaysThemAllWithEitherPlayer)
{
    if (::GetEnvironmentVariableA("RZ_NULL_SOUND", nullptr, 0) == 0)
        GTEST_SKIP() << "run by writer_sound_tests, which gives Wine a sound device";
    WriteUser("Save=0\r\n");
    const std::string first = config.Write("ljud\\ett.wav", ShortWave());
    const std::string second = config.Write("ljud\\tva.wav", ShortWave());
    const std::string document = config.Write(
        "Dokument\\1.txt", "<I0><I1><End>\r\n\r\n[Images]\r\nI0=@" + first + "@\r\nI1=@" + second + "@\r\n");
    for (const char* setting : {"1", "2"}) {
        ::WritePrivateProfileStringA("Defaults", "MediaPlayer", setting, config.MorvelIni().c_str());
        Run(document, [&](CMorvelDlg& dialog) {
            ASSERT_TRUE(dialog.HasMediaPlayer()) << setting;
            Command(dialog, ID_KEY_READ_ALOUD);
            ASSERT_EQ(2u, dialog.Document().Speech().PlayList().size()) << setting;
            EXPECT_TRUE(testsupport::IsVisible(dialog, IDC_MAIN_PAUSE)) << setting;
            EXPECT_TRUE(testsupport::PumpUntil([&] { return dialog.Document().Speech().PlayList().empty(); }, 20000))
                << "the read-aloud stopped after a sound " << setting;
            EXPECT_FALSE(testsupport::IsVisible(dialog, IDC_MAIN_PAUSE)) << setting;
            EXPECT_TRUE(Exit(dialog));
        });
    }
}

TEST_F(MorvelWindow, SingleInstanceGuardFindsMorvelWhateverItsCaption)
{
    WriteUser("Save=0\r\nHelperMenu=1\r\n");
    Run(userFile, [&](CMorvelDlg& dialog) {
        EXPECT_EQ("Morvel <Anna>", dialog.Self().Text());
        EXPECT_NE(nullptr, ::GetMenu(dialog.Handle()));
        EXPECT_EQ(dialog.Handle(), CMorvelApp::FindRunningInstance());
        EXPECT_FALSE(CMorvelApp(config.Environment()).InitApplication());
        // The helper menu set in the settings: Ctrl+Alt+H only beeps.
        Command(dialog, ID_KEY_HELPER_MENU);
        EXPECT_EQ(1, beeps);
        EXPECT_NE(nullptr, ::GetMenu(dialog.Handle()));
        testsupport::Snapshot(dialog, "morvel_helper_menu");
        EXPECT_TRUE(Exit(dialog));
    });
    EXPECT_EQ(nullptr, CMorvelApp::FindRunningInstance());
}

TEST_F(MorvelWindow, MissingUserFileAsksAndNoEndsMorvel)
{
    const std::string missing = config.Temp() / "Program Files\\Morvel\\Saknas.ini";
    {
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_MORVEL_USER_FILE_MISSING, IDNO);
        CMorvelDlg dialog(config.Environment(), missing);
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
    }
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_MORVEL_USER_FILE_MISSING, IDYES);
    Run(missing, [&](CMorvelDlg& dialog) {
        EXPECT_EQ("", dialog.GetSettings().userFile_);
        dialog.GetSettings().save_ = 0;
        EXPECT_TRUE(Exit(dialog));
    });
}

TEST_F(MorvelWindow, OpenDialogStepsThroughTheSavedDocumentsAndOpensTheOneShown)
{
    WriteUser("Save=0\r\n");
    config.Write("Dokument\\1.txt", "ett<End>\r\n\r\n[Images]\r\n");
    ::Sleep(20);
    config.Write("Dokument\\2.txt", "två <I0><End>\r\n\r\n[Images]\r\nI0=@A12@\r\n");
    Run(userFile, [&](CMorvelDlg& dialog) {
        testsupport::OnNextDialog([&](fw::Dialog& opened) {
            auto& open = static_cast<OpenDocDlg&>(opened);
            ASSERT_EQ(2u, open.Documents().size());
            EXPECT_EQ(0, open.ShownIndex()); // the newest first
            EXPECT_EQ("två {0}", doctext::Describe(open.Shown().items_));
            testsupport::Snapshot(open, "morvel_open_document");
            // A one-page document: F8 and Page Down beep, Home stays on page 0.
            for (int key : {ID_KEY_NEXT_PAGE, ID_DOC_PAGE_DOWN, ID_DOC_PAGE_UP})
                open.Self().Send(WM_COMMAND, MAKEWPARAM(key, 0), 0);
            EXPECT_EQ(3, beeps);
            open.Self().Send(WM_COMMAND, MAKEWPARAM(ID_KEY_OPEN, 0), 0);
            EXPECT_EQ(1, open.ShownIndex());
            EXPECT_EQ("ett", doctext::Describe(open.Shown().items_));
            open.Self().Send(WM_COMMAND, MAKEWPARAM(ID_KEY_OPEN, 0), 0);
            EXPECT_EQ(0, open.ShownIndex());
            open.Self().Send(WM_COMMAND, MAKEWPARAM(ID_KEY_OPEN, 0), 0);
            testsupport::Click(open, IDOK);
        });
        Command(dialog, ID_KEY_OPEN);
        EXPECT_EQ(saveFolder + "\\1.txt", dialog.DocumentPath());
        EXPECT_EQ("ett", Text(dialog));
        EXPECT_TRUE(Exit(dialog));
    });
}

// The preview is the document window's page shrunk: every item stands on the same line and page, at
// the same place, as in the document window.
TEST_F(MorvelWindow, OpenDialogLaysTheDocumentOutAsTheDocumentWindowDoes)
{
    WriteUser("Save=0\r\n");
    std::string text;
    for (int k = 0; k < 6; ++k)
        text += "Det var en gång en katt som hette Måns och bodde i ett stort gult hus vid sjön. ";
    const std::string document =
        config.Write("Dokument\\1.txt", text + "<I0><+>" + text + "<End>\r\n\r\n[Images]\r\nI0=@A12@\r\n");
    Run(document, [&](CMorvelDlg& dialog) {
        ASSERT_GT(dialog.Document().Model().lastPage_, 0) << "a document of more than one page";
        testsupport::OnNextDialog([&](fw::Dialog& opened) {
            auto& open = static_cast<OpenDocDlg&>(opened);
            const std::vector<DocItem>& shown = dialog.Document().Model().items_;
            const std::vector<DocItem>& preview = open.Shown().items_;
            EXPECT_EQ(shown.size(), preview.size()) << "the same soft breaks";
            EXPECT_EQ(dialog.Document().Model().lastPage_, open.Shown().lastPage_);
            for (size_t k = 0; k < std::min(shown.size(), preview.size()); ++k) {
                const bool same = shown[k].page_ == preview[k].page_ && shown[k].line_ == preview[k].line_ &&
                                  ::EqualRect(&shown[k].textBox_, &preview[k].textBox_) &&
                                  ::EqualRect(&shown[k].pictureBox_, &preview[k].pictureBox_);
                EXPECT_TRUE(same) << "item " << k << " stands on page " << preview[k].page_ << ", line "
                                  << preview[k].line_ << " in the preview, on page " << shown[k].page_ << ", line "
                                  << shown[k].line_ << " in the document";
                if (!same)
                    break;
            }
            testsupport::Snapshot(open, "morvel_open_preview");
            open.EndDialog(IDCANCEL);
        });
        Command(dialog, ID_KEY_OPEN);
        EXPECT_TRUE(Exit(dialog));
    });
}

// F10 in the open-document dialog reads the shown document through the main window's playback; with
// no speech engine to speak it, the user is told that nothing could be read.
TEST_F(MorvelWindow, OpenDialogReadsTheShownDocumentAloud)
{
    WriteUser("Save=0\r\nTextToSpeech=1,0,0,0\r\n");
    config.Write("Dokument\\1.txt", "ett två<End>\r\n\r\n[Images]\r\n");
    Run(userFile, [&](CMorvelDlg& dialog) {
        size_t told = 0;
        testsupport::OnNextDialog([&](fw::Dialog& opened) {
            auto& open = static_cast<OpenDocDlg&>(opened);
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_READ_ALOUD_FAILED, IDOK);
            open.Self().Send(WM_COMMAND, MAKEWPARAM(ID_KEY_READ_ALOUD, 0), 0);
            told = messages.Shown().size();
            open.EndDialog(IDCANCEL);
        });
        Command(dialog, ID_KEY_OPEN);
        EXPECT_EQ(1u, told);
        EXPECT_TRUE(Exit(dialog));
    });
}

// A document read aloud in the open dialog and paused there: once nothing plays (the dialog closed,
// another document shown, the list played out), the main window's PAUSE is neither pushed in nor shown.
TEST_F(MorvelWindow, PauseInTheOpenDialogGoesWhenNothingPlays)
{
    WriteUser("Save=0\r\n");
    const std::string first = config.Write("ljud\\ett.wav", "RIFF");
    const std::string second = config.Write("ljud\\tva.wav", "RIFF");
    config.Write("Dokument\\1.txt", "<I0><I1><End>\r\n\r\n[Images]\r\nI0=@" + first + "@\r\nI1=@" + second + "@\r\n");
    std::vector<std::string> log;
    ScriptedPlayers players(log);
    ::WritePrivateProfileStringA("Defaults", "MediaPlayer", "1", config.MorvelIni().c_str());
    enum class Ending { Closed, NextDocument, PlayedOut };
    for (Ending ending : {Ending::Closed, Ending::NextDocument, Ending::PlayedOut}) {
        SCOPED_TRACE(static_cast<int>(ending));
        Run(userFile, [&](CMorvelDlg& dialog) {
            auto pushed = [&] { return (dialog.Item(IDC_MAIN_PAUSE).Send(BM_GETSTATE) & BST_PUSHED) != 0; };
            testsupport::OnNextDialog([&](fw::Dialog& opened) {
                log.clear();
                opened.Self().Send(WM_COMMAND, MAKEWPARAM(ID_KEY_READ_ALOUD, 0), 0);
                ASSERT_FALSE(log.empty());
                EXPECT_EQ("open ett.wav", log.back());
                opened.Self().Send(WM_COMMAND, MAKEWPARAM(ID_KEY_PAUSE, 0), 0);
                EXPECT_TRUE(pushed());
                if (ending == Ending::NextDocument) {
                    opened.Self().Send(WM_COMMAND, MAKEWPARAM(ID_KEY_OPEN, 0), 0);
                    EXPECT_FALSE(pushed());
                    EXPECT_FALSE(testsupport::IsVisible(dialog, IDC_MAIN_PAUSE));
                } else if (ending == Ending::PlayedOut) {
                    opened.Self().Send(WM_COMMAND, MAKEWPARAM(ID_KEY_PAUSE, 0), 0);
                    players.player->EndOfFile();
                    EXPECT_TRUE(testsupport::PumpUntil([&] { return log.back() == "open tva.wav"; }, 2000));
                    opened.Self().Send(WM_COMMAND, MAKEWPARAM(ID_KEY_PAUSE, 0), 0);
                    opened.Self().Send(WM_COMMAND, MAKEWPARAM(ID_KEY_PAUSE, 0), 0);
                    players.player->EndOfFile();
                    EXPECT_TRUE(testsupport::PumpUntil([&] { return !testsupport::IsVisible(opened, IDC_OPENDOC_PAUSE); }, 2000));
                    EXPECT_FALSE(pushed());
                    EXPECT_FALSE(testsupport::IsVisible(dialog, IDC_MAIN_PAUSE));
                }
                opened.EndDialog(IDCANCEL);
            });
            Command(dialog, ID_KEY_OPEN);
            EXPECT_FALSE(pushed());
            EXPECT_FALSE(testsupport::IsVisible(dialog, IDC_MAIN_PAUSE));
            EXPECT_TRUE(Exit(dialog));
        });
    }
}

TEST_F(MorvelWindow, OpenDialogWithoutDocumentsBeepsAtEveryPageKey)
{
    WriteUser("Save=0\r\n");
    Run(userFile, [&](CMorvelDlg& dialog) {
        testsupport::OnNextDialog([&](fw::Dialog& open) {
            EXPECT_FALSE(testsupport::IsVisible(open, IDC_OPENDOC_NEXT_DOCUMENT));
            for (int key : {ID_KEY_NEXT_PAGE, ID_DOC_HOME, ID_DOC_END, ID_DOC_PAGE_DOWN, ID_DOC_PAGE_UP})
                open.Self().Send(WM_COMMAND, MAKEWPARAM(key, 0), 0);
            EXPECT_EQ(5, beeps);
            testsupport::Click(open, IDCANCEL);
        });
        Command(dialog, ID_KEY_OPEN);
        EXPECT_EQ("", dialog.DocumentPath());
        EXPECT_TRUE(Exit(dialog));
    });
}

} // namespace

TEST_F(MorvelWindow, SettingsFromTheMenuAreWrittenAndShown)
{
    Run(userFile, [&](CMorvelDlg& dialog) {
        fw::PropSheet::PushInitHook([&](fw::PropSheet& sheet) {
            EXPECT_EQ("Inställningar : Anna", fw::Window(sheet.Handle()).Text());
            HWND screen = reinterpret_cast<HWND>(::SendMessageA(sheet.Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
            testsupport::SelectCombo(screen, IDC_SCREEN_BK_COLOR, 3);
            sheet.PressButton(PSBTN_OK);
            testsupport::PumpUntil([&] { return !sheet.IsRunning(); }, 2000);
        });
        Command(dialog, ID_MENU_SETTINGS);
        EXPECT_EQ(0u, fw::PropSheet::PendingInitHooks());
        EXPECT_EQ(3, dialog.GetSettings().bkColor_);
        EXPECT_TRUE(Exit(dialog));
    });
    EXPECT_EQ("3", MorvelConfig::Value(userFile, "MVSettings", "BkColor"));
}

TEST_F(MorvelWindow, UsersFromTheMenuMakeTheChosenUserCurrent)
{
    Run(userFile, [&](CMorvelDlg& dialog) {
        testsupport::OnNextDialog([&](fw::Dialog& users) {
            EXPECT_EQ("Anna", testsupport::Text(users, IDC_USER_CURRENT));
            testsupport::ScriptedMessages messages;
            messages.Expect(IDS_SELECT_USER_QUESTION, IDOK);
            testsupport::SelectList(users, IDC_USER_LIST, 0); // "<Standard>"
            testsupport::Click(users, IDC_USER_SELECT);
            testsupport::Click(users, IDOK);
        });
        Command(dialog, ID_MENU_USERS);
        EXPECT_EQ("", dialog.GetSettings().userFile_);
        EXPECT_TRUE(Exit(dialog));
    });
}

TEST_F(MorvelWindow, WordBarFindsAPictureByItsWordAndWritesItAtTheCaret)
{
    WriteUser("Save=0\r\nWTIMode=1\r\n");
    Run(userFile, [&](CMorvelDlg& dialog) {
        WTIDlg& bar = dialog.WordBar();
        ASSERT_TRUE(bar.Self().IsVisible());
        EXPECT_LT(bar.Self().RectInParent().bottom, dialog.Document().Self().RectInParent().top);
        Type(dialog, "Min ");
        // Tab from the document into the word; the word's characters stay in the bar.
        const HWND word = bar.Item(IDC_WORD_BAR_WORD);
        ::PostMessageA(dialog.Document().Handle(), WM_KEYDOWN, VK_TAB, 1);
        fw::PumpMessages();
        EXPECT_EQ(::GetFocus(), word);
        for (char c : std::string("HUND")) {
            ::PostMessageA(word, WM_CHAR, static_cast<unsigned char>(c), 1);
            fw::PumpMessages();
        }
        EXPECT_EQ("HUND", bar.ItemText(IDC_WORD_BAR_WORD));
        EXPECT_EQ("Min ", Text(dialog));
        ::PostMessageA(word, WM_KEYDOWN, VK_RETURN, 1);
        fw::PumpMessages();
        ASSERT_EQ(2, bar.GetHitCount());
        EXPECT_TRUE(dialog.IsSearchInHits());
        testsupport::Snapshot(bar.Handle(), "morvel_wordbar");
        ::PostMessageA(bar.Item(IDC_WORD_BAR_FOCUS), WM_KEYDOWN, VK_RETURN, 1);
        fw::PumpMessages();
        EXPECT_EQ("Min {0}", Text(dialog));
        ASSERT_EQ(1u, dialog.Document().Model().images_.Size());
        EXPECT_EQ("A12", dialog.Document().Model().images_[0].code_);
        // A new document starts with an empty bar: the last search went with the last document.
        Command(dialog, ID_KEY_NEW);
        EXPECT_EQ("", bar.ItemText(IDC_WORD_BAR_WORD));
        EXPECT_EQ(0, bar.GetHitCount());
        EXPECT_EQ(-1, bar.MarkedHit());
        EXPECT_TRUE(Exit(dialog));
    });
}

// Tab on the real main window: from the document into the word, from the word into the hits (back
// to the document without hits), from the hits back to the document.
TEST_F(MorvelWindow, TabGoesFromTheDocumentToTheWordToTheHitsAndBack)
{
    WriteUser("Save=0\r\nWTIMode=1\r\n");
    Run(userFile, [&](CMorvelDlg& dialog) {
        WTIDlg& bar = dialog.WordBar();
        const HWND document = dialog.Document().Handle();
        const HWND word = bar.Item(IDC_WORD_BAR_WORD);
        auto press = [](HWND target, UINT key) {
            ::PostMessageA(target, WM_KEYDOWN, key, 1);
            fw::PumpMessages();
        };
        ASSERT_EQ(document, ::GetFocus());
        press(document, VK_TAB);
        EXPECT_EQ(word, ::GetFocus());
        EXPECT_TRUE(dialog.IsSearchInHits());
        // Without hits, back to the document.
        press(word, VK_TAB);
        EXPECT_EQ(document, ::GetFocus());
        EXPECT_FALSE(dialog.IsSearchInHits());

        press(document, VK_TAB);
        for (char c : std::string("HUND")) {
            ::PostMessageA(word, WM_CHAR, static_cast<unsigned char>(c), 1);
            fw::PumpMessages();
        }
        press(word, VK_RETURN);
        ASSERT_EQ(2, bar.GetHitCount());
        ::SetFocus(word);
        press(word, VK_TAB);
        EXPECT_EQ(bar.Item(IDC_WORD_BAR_FOCUS).Handle(), ::GetFocus());
        EXPECT_EQ(0, bar.MarkedHit());
        press(bar.Item(IDC_WORD_BAR_FOCUS), VK_TAB);
        EXPECT_EQ(document, ::GetFocus());
        EXPECT_EQ(-1, bar.MarkedHit());
        EXPECT_FALSE(dialog.IsSearchInHits());
        EXPECT_EQ("", Text(dialog));
        EXPECT_TRUE(Exit(dialog));
    });
}

// While the user types in the document the bar does not hold the keys (the caret would be drawn as
// inactive): after the start, after Open and after the settings sheet.
TEST_F(MorvelWindow, WithTheWordBarTheDocumentHoldsTheKeysAfterStartOpenAndSettings)
{
    WriteUser("Save=0\r\nWTIMode=1\r\n");
    Run(userFile, [&](CMorvelDlg& dialog) {
        const HWND document = dialog.Document().Handle();
        auto typesInTheDocument = [&](const char* after) {
            Type(dialog, "a");
            EXPECT_EQ(document, ::GetFocus()) << after;
            EXPECT_FALSE(dialog.IsSearchInHits()) << after;
        };
        typesInTheDocument("the start");
        testsupport::OnNextDialog([](fw::Dialog& open) { testsupport::Click(open, IDCANCEL); });
        Command(dialog, ID_KEY_OPEN);
        typesInTheDocument("Open");
        fw::PropSheet::PushInitHook([&](fw::PropSheet& sheet) {
            sheet.PressButton(PSBTN_OK);
            testsupport::PumpUntil([&] { return !sheet.IsRunning(); }, 2000);
        });
        Command(dialog, ID_MENU_SETTINGS);
        typesInTheDocument("the settings sheet");
        EXPECT_EQ("aaa", Text(dialog));
        EXPECT_TRUE(Exit(dialog));
    });
}

TEST_F(MorvelWindow, AFavouritePictureOfTheSettingsSheetIsDefinedInMorvelsCommandDialog)
{
    Run(userFile, [&](CMorvelDlg& dialog) {
        fw::PropSheet::PushInitHook([&](fw::PropSheet& sheet) {
            ::SendMessageA(sheet.Handle(), PSM_SETCURSEL, 1, 0); // the insert-picture page
            testsupport::PumpUntil([&] { return sheet.ActiveIndex() == 1; });
            HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet.Handle(), PSM_GETCURRENTPAGEHWND, 0, 0));
            UINT commandTemplate = 0;
            testsupport::OnNextDialog([&](fw::Dialog& folder) {
                testsupport::Check(folder, IDC_FOLDER_TYPE_FAVOURITES, true);
                testsupport::OnNextDialog([&](fw::Dialog& command) {
                    commandTemplate = command.TemplateId();
                    command.EndDialog(IDCANCEL);
                });
                testsupport::Click(folder, IDC_FAVOURITE_NEW);
                folder.EndDialog(IDCANCEL);
            });
            testsupport::Click(page, IDC_FOLDER_NEW);
            EXPECT_EQ(142u, commandTemplate);
            sheet.PressButton(PSBTN_CANCEL);
            testsupport::PumpUntil([&] { return !sheet.IsRunning(); }, 2000);
        });
        Command(dialog, ID_MENU_SETTINGS);
        EXPECT_EQ(0u, fw::PropSheet::PendingInitHooks());
        EXPECT_TRUE(Exit(dialog));
    });
}

TEST_F(MorvelWindow, InsertPictureOpensTheBrowserAndCancelInsertsNothing)
{
    Run(userFile, [&](CMorvelDlg& dialog) {
        bool opened = false;
        testsupport::OnNextDialog([&](fw::Dialog& browser) {
            opened = true;
            EXPECT_EQ("Infoga bild", browser.Self().Text());
            browser.EndDialog(IDCANCEL);
        });
        Command(dialog, ID_KEY_INSERT_PICTURE);
        EXPECT_TRUE(opened);
        EXPECT_EQ("", Text(dialog));
        EXPECT_TRUE(Exit(dialog));
    });
}
