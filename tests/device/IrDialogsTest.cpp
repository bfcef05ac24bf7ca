// The infrared dialogs driven by messages, on a throw-away code file and the keyboard simulator: the
// code file after each flow, the keyboard's log, and the messages the user sees.
#include "InfraredFixture.h"
#include "device/IRDlg.h"
#include "device/Ir4096Dlg.h"
#include "device/IrIntelHex.h"
#include "device/IrRecordDlg.h"
#include "device/IrloaderDlg.h"
#include "framework/Files.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/ZenthorFiles.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include <cstdlib>

using namespace infraredtest;
using testsupport::Click;
using testsupport::IsEnabled;
using testsupport::OnNextDialog;
using testsupport::PumpUntil;
using testsupport::RunModal;
using testsupport::SelectList;
using testsupport::SetText;
using testsupport::Text;

namespace {

bool ScreenshotsWanted()
{
    const char* folder = std::getenv("RZ_SCREENSHOT_DIR");
    return folder && *folder;
}

// With RZ_SCREENSHOT_DIR set, the test stops at each picture worth looking at: it writes
// <dir>\<name>.ready and pumps messages until someone outside has photographed the screen and
// written <dir>\<name>.done (scripts/screenshot.sh). Nothing is checked.
void Screenshot(HWND window, const char* name)
{
    if (!ScreenshotsWanted())
        return;
    const std::string base = std::string(std::getenv("RZ_SCREENSHOT_DIR")) + "\\" + name;
    ::SetForegroundWindow(window);
    PumpUntil([] { return false; }, 200);
    if (FILE* ready = std::fopen((base + ".ready").c_str(), "w"))
        std::fclose(ready);
    PumpUntil([&] { return ::GetFileAttributesA((base + ".done").c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The records of a code at a place, as the keyboard gives them and the file keeps them.
std::string RecordsOf(int code, const std::string& hexBytes)
{
    std::string records = hexBytes;
    EXPECT_EQ(0, IrCodeToIntelHex(code, records));
    return records;
}

bool StatusIs(HWND dialog, UINT id)
{
    return Text(dialog, IDC_IR_STATUS) == fw::LoadResString(id);
}

} // namespace

class IrDialogsTest : public InfraredFixture {
protected:
    void SetUp() override
    {
        InfraredFixture::SetUp();
        ::CreateDirectoryA(zenthor::Folder(folder_.Path()).c_str(), nullptr);
    }

    // The temporary folder is the program folder.
    std::string CodeFile() const { return zenthor::CodeFile(folder_.Path()); }
    void WriteCodeFile(const std::string& text) const { folder_.Write("Zenthor\\ir_data.kvx", text); }
    std::string ReadCodeFile() const { return testsupport::TempFolder::Read(CodeFile()); }
    std::string Backup() const { return zenthor::Folder(folder_.Path()) + "\\" + IrLoaderModel::kBackupFile; }

    // Runs the loader; the script starts once the keyboard was looked for.
    void RunLoader(const std::function<void(fw::Dialog&)>& script, UINT expectedStatus = IDS_IR_CONNECTED)
    {
        IrloaderDlg dialog(ini_, folder_.Path());
        dialog.SetTimings(ShortLinkTimings(), ShortIrTimings());
        RunModal(dialog, [&](fw::Dialog& d) {
            const bool searched = PumpUntil([&] {
                const std::string status = Text(d, IDC_IR_STATUS);
                return !status.empty() && status != fw::LoadResString(IDS_IR_CHECKING);
            });
            EXPECT_TRUE(searched);
            if (expectedStatus == IDS_IR_CONNECTED)
                EXPECT_EQ(fw::FormatResString(IDS_IR_CONNECTED, static_cast<unsigned>(kPort)), Text(d, IDC_IR_STATUS));
            else
                EXPECT_TRUE(StatusIs(d, expectedStatus)) << Text(d, IDC_IR_STATUS);
            script(d);
            d.EndDialog(IDOK);
        });
    }

    // Opens the loader's new-code flow for a kind (0 learned, 1 RavikLink, 2 security code); the
    // editor's script follows.
    static void NewCode(fw::Dialog& loader, int radio, const std::function<void(fw::Dialog&)>& editor)
    {
        OnNextDialog([radio](fw::Dialog& d) {
            Click(d, radio);
            Click(d, IDOK);
        });
        if (editor)
            OnNextDialog(editor);
        Click(loader, IDC_IR_NEW);
    }

    static void EditRow(fw::Dialog& loader, int row, const std::function<void(fw::Dialog&)>& editor)
    {
        SelectList(loader, IDC_IR_LIST, row);
        OnNextDialog(editor);
        Click(loader, IDC_IR_EDIT);
    }

    // Learning in the record editor: the keyboard reports P, R, Y, each seen by the dialog.
    void Learn(fw::Dialog& d)
    {
        Click(d, IDC_IR_RECORD);
        EXPECT_FALSE(IsEnabled(d, IDC_IR_RECORD));
        EXPECT_FALSE(IsEnabled(d, IDOK));
        const struct {
            const char* letter;
            UINT instruction;
        } reports[] = {{"P", IDS_IR_PRESS_REMOTE}, {"R", IDS_IR_RECORDING}, {"Y", IDS_IR_RECORDED}};
        for (const auto& report : reports) {
            Keyboard(std::string("ir-say ") + report.letter);
            EXPECT_TRUE(PumpUntil([&] {
                return Text(d, IDC_IR_INSTRUCTION) == fw::LoadResString(report.instruction);
            })) << report.letter;
        }
    }

    // The learned code the simulator makes for a place, as hex.
    std::string LearnedHex(int code) { return Upper(Ask("ir-code? " + std::to_string(code))); }
};

// --- the loader and its list --------------------------------------------------------------------

TEST_F(IrDialogsTest, TheLoaderListsTheCodesAndKeepsABackupWhenTheKeyboardIsFound)
{
    const std::string file = "3;G2;6;Lampa;16;\r\n7;X0;254;Larm;1234;\r\n";
    WriteCodeFile(file);
    RunLoader([&](fw::Dialog& d) {
        fw::ListBox list(d, IDC_IR_LIST);
        ASSERT_EQ(2, list.Count());
        EXPECT_EQ("3. Lampa", list.ItemText(0));
        EXPECT_EQ("7. Larm", list.ItemText(1));
        for (int id : {IDC_IR_NEW, IDC_IR_CHOOSE_ID, IDC_IR_LOAD_ALL})
            EXPECT_TRUE(IsEnabled(d, id)) << id;
        for (int id : {IDC_IR_EDIT, IDC_IR_DELETE, IDC_IR_SEND})
            EXPECT_FALSE(IsEnabled(d, id)) << id;
        SelectList(d, IDC_IR_LIST, 1);
        EXPECT_EQ("", Text(d, IDC_IR_STATUS));
        for (int id : {IDC_IR_EDIT, IDC_IR_DELETE, IDC_IR_SEND})
            EXPECT_TRUE(IsEnabled(d, id)) << id;
        Screenshot(d, "irloader");
    });
    EXPECT_EQ(file, testsupport::TempFolder::Read(Backup()));
}

TEST_F(IrDialogsTest, WithoutAKeyboardTheLoaderOnlyListsTheCodes)
{
    WriteCodeFile("3;G2;6;Lampa;16;\r\n");
    Keyboard("unlink");
    RunLoader(
        [&](fw::Dialog& d) {
            EXPECT_EQ(1, fw::ListBox(d, IDC_IR_LIST).Count());
            for (int id : {IDC_IR_LIST, IDC_IR_NEW, IDC_IR_EDIT, IDC_IR_DELETE, IDC_IR_SEND, IDC_IR_CHOOSE_ID,
                           IDC_IR_LOAD_ALL})
                EXPECT_FALSE(IsEnabled(d, id)) << id;
            EXPECT_TRUE(IsEnabled(d, IDOK));
        },
        IDS_IR_NOT_CONNECTED);
    EXPECT_FALSE(fw::FileExists(Backup()));
}

// The second line's name is longer than the file allows (the Zenthor program or a hand may have put
// it there): the list shows the other two, and neither a change nor the backup loses the line.
TEST_F(IrDialogsTest, ALineTheLoaderCannotReadSurvivesItsChangesAndTheBackup)
{
    const std::string unread = "2;G1;6;" + std::string(399, 'x') + ";16;\r\n";
    WriteCodeFile("1;G0;6;Ett;16;\r\n" + unread + "3;G2;6;Tre;16;\r\n");
    RunLoader([&](fw::Dialog& d) {
        EXPECT_EQ(2, fw::ListBox(d, IDC_IR_LIST).Count());
        NewCode(d, IDC_IR_KIND_RAVIKLINK, [](fw::Dialog& editor) {
            SetText(editor, IDC_IR_RAVIK_NAME, "Fyra");
            Click(editor, IDOK);
        });
    });
    // The new code takes neither the slot nor the number that the unread line names.
    const std::string changed = "1;G0;6;Ett;16;\r\n3;G2;6;Tre;16;\r\n4;G3;254;Fyra;16;\r\n" + unread;
    EXPECT_EQ(changed, ReadCodeFile());
    // The backup lies beside the code file, not in the current folder, and the next session's backup
    // still holds the line.
    RunLoader([&](fw::Dialog& d) { EXPECT_EQ(3, fw::ListBox(d, IDC_IR_LIST).Count()); });
    EXPECT_EQ(changed, testsupport::TempFolder::Read(Backup()));
    EXPECT_FALSE(fw::FileExists(folder_ / IrLoaderModel::kBackupFile));

    // Without a code file an older backup stays as it was.
    ::DeleteFileA(CodeFile().c_str());
    RunLoader([&](fw::Dialog& d) { EXPECT_EQ(0, fw::ListBox(d, IDC_IR_LIST).Count()); });
    EXPECT_EQ(changed, testsupport::TempFolder::Read(Backup()));
}

// A code file that is there but cannot be read (the Zenthor program holds it while it writes) is not
// taken for none: the user is told, nothing can change it, and no backup is made of nothing.
TEST_F(IrDialogsTest, ACodeFileThatCannotBeReadIsLeftAsItIs)
{
    const std::string file = "3;G2;6;Lampa;16;\r\n";
    WriteCodeFile(file);
    HANDLE lock = ::CreateFileA(CodeFile().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_FILE_UNREADABLE);
    RunLoader([&](fw::Dialog& d) {
        EXPECT_EQ(0, fw::ListBox(d, IDC_IR_LIST).Count());
        for (int id : {IDC_IR_NEW, IDC_IR_EDIT, IDC_IR_DELETE, IDC_IR_LOAD_ALL})
            EXPECT_FALSE(IsEnabled(d, id)) << id;
        EXPECT_TRUE(IsEnabled(d, IDC_IR_CHOOSE_ID));
        Screenshot(d, "irloader-unreadable");
    });
    ::CloseHandle(lock);
    EXPECT_EQ(file, ReadCodeFile());
    EXPECT_FALSE(fw::FileExists(Backup()));
    ASSERT_EQ(1u, messages.Shown().size());
    EXPECT_NE(std::string::npos, messages.Shown()[0].text.find(CodeFile()));
}

// The backup is the file's bytes as they were before the change, not the table written out: a
// comment, a second line for a slot and line ends of the Zenthor program's own are in it as they were.
TEST_F(IrDialogsTest, TheBackupIsTheFileAsItWas)
{
    const std::string file = "Koder i vardagsrummet\n3;G2;6;Lampa;16;\n3;G3;6;Annan;17;\n\n";
    WriteCodeFile(file);
    RunLoader([&](fw::Dialog& d) {
        NewCode(d, IDC_IR_KIND_RAVIKLINK, [](fw::Dialog& editor) {
            SetText(editor, IDC_IR_RAVIK_NAME, "Fyra");
            Click(editor, IDOK);
        });
    });
    EXPECT_EQ(file, testsupport::TempFolder::Read(Backup()));
    EXPECT_EQ("1;G0;254;Fyra;16;\r\n3;G2;6;Lampa;16;\r\nKoder i vardagsrummet\r\n3;G3;6;Annan;17;\r\n", ReadCodeFile());
}

// Without [Directories] Exe the program folder is Skarpin's own (FileIO's choice): the code list
// writes the file there, and the block command's choice lists what it wrote.
TEST_F(IrDialogsTest, TheCodeListAndTheBlockCommandsChoiceShareOneFile)
{
    ::WritePrivateProfileStringA("Directories", nullptr, nullptr, ini_.c_str());
    RunLoader([&](fw::Dialog& d) {
        NewCode(d, IDC_IR_KIND_RAVIKLINK, [](fw::Dialog& editor) {
            SetText(editor, IDC_IR_RAVIK_NAME, "Lampa");
            Click(editor, IDOK);
        });
    });
    std::string result;
    IRDlg dialog(folder_.Path(), result);
    RunModal(dialog, [](fw::Dialog& d) {
        fw::ListBox list(d, IDC_IR_COMMAND_LIST);
        EXPECT_EQ(1, list.Count());
        EXPECT_EQ("1. Lampa", list.Count() > 0 ? list.ItemText(0) : std::string());
        d.EndDialog(IDCANCEL);
    });
    EXPECT_FALSE(fw::FileExists(folder_ / "IR_DATA.KVX"));
}

// --- new codes ----------------------------------------------------------------------------------

TEST_F(IrDialogsTest, ANewRavikLinkCodeIsSavedWithItsChannelAndSendTime)
{
    RunLoader([&](fw::Dialog& d) {
        NewCode(d, IDC_IR_KIND_RAVIKLINK, [](fw::Dialog& editor) {
            fw::ListBox channels(editor, IDC_IR_RAVIK_CHANNEL);
            EXPECT_EQ(127, channels.Count());
            EXPECT_EQ("16", channels.ItemText(channels.Selection()));
            EXPECT_TRUE(editor.IsChecked(IDC_IR_RAVIK_HELD));
            EXPECT_FALSE(IsEnabled(editor, IDOK));
            SetText(editor, IDC_IR_RAVIK_NAME, "Lampa");
            EXPECT_TRUE(IsEnabled(editor, IDOK));
            SelectList(editor, IDC_IR_RAVIK_CHANNEL, channels.FindExact("2"));
            SetText(editor, IDC_IR_RAVIK_TIME, "0,7");
            EXPECT_TRUE(editor.IsChecked(IDC_IR_RAVIK_TIMED));
            EXPECT_FALSE(editor.IsChecked(IDC_IR_RAVIK_HELD));
            Screenshot(editor, "raviklink");
            Click(editor, IDOK);
        });
        EXPECT_EQ("1. Lampa", fw::ListBox(d, IDC_IR_LIST).ItemText(0));
    });
    EXPECT_EQ("1;G0;7;Lampa;2;\r\n", ReadCodeFile());

    // Edited again, the time shows as it was entered; checking the other radio empties it.
    RunLoader([&](fw::Dialog& d) {
        EditRow(d, 0, [](fw::Dialog& editor) {
            EXPECT_EQ("Lampa", Text(editor, IDC_IR_RAVIK_NAME));
            EXPECT_TRUE(editor.IsChecked(IDC_IR_RAVIK_TIMED));
            EXPECT_EQ("0.7", Text(editor, IDC_IR_RAVIK_TIME));
            Click(editor, IDC_IR_RAVIK_HELD);
            EXPECT_EQ("", Text(editor, IDC_IR_RAVIK_TIME));
            EXPECT_TRUE(editor.IsChecked(IDC_IR_RAVIK_HELD));
            Click(editor, IDOK);
        });
    });
    EXPECT_EQ("1;G0;254;Lampa;2;\r\n", ReadCodeFile());
}

TEST_F(IrDialogsTest, TheEditorsRefuseWhatTheyCannotStore)
{
    WriteCodeFile("1;G0;6;Lampa;16;\r\n");
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_NAME_TAKEN).Expect(IDS_IR_NAME_UNSTORABLE).Expect(IDS_IR_BAD_SEND_TIME);
    RunLoader([&](fw::Dialog& d) {
        NewCode(d, IDC_IR_KIND_RAVIKLINK, [](fw::Dialog& editor) {
            SetText(editor, IDC_IR_RAVIK_NAME, "LAMPA");
            Click(editor, IDOK);
            SetText(editor, IDC_IR_RAVIK_NAME, "Lampa;2");
            Click(editor, IDOK);
            SetText(editor, IDC_IR_RAVIK_NAME, "Fläkt");
            SetText(editor, IDC_IR_RAVIK_TIME, "30");
            Click(editor, IDOK);
            Click(editor, IDCANCEL);
        });
    });
    EXPECT_EQ("1;G0;6;Lampa;16;\r\n", ReadCodeFile());
}

TEST_F(IrDialogsTest, ALearnedCodeIsReadBackFromTheKeyboardAndSaved)
{
    RunLoader([&](fw::Dialog& d) {
        NewCode(d, IDC_IR_KIND_RECORD, [&](fw::Dialog& editor) {
            EXPECT_EQ(fw::LoadResString(IDS_IR_START_RECORDING), Text(editor, IDC_IR_INSTRUCTION));
            EXPECT_TRUE(editor.IsChecked(IDC_IR_RECORD_HELD));
            SetText(editor, IDC_IR_RECORD_NAME, "TV på");
            EXPECT_FALSE(IsEnabled(editor, IDOK)) << "nothing learned yet";
            Learn(editor);
            EXPECT_TRUE(IsEnabled(editor, IDOK));
            Screenshot(editor, "record");
            Click(editor, IDOK);
        });
    });
    EXPECT_EQ("1;I0;254;TV på;" + RecordsOf(0, LearnedHex(0)) + ";\r\n", ReadCodeFile());
    const std::vector<std::string> log = InfraredLog();
    EXPECT_EQ((std::vector<std::string>{"ir-record:00", "ir-read:00"}), log);
}

// Told nothing else, the keyboard simulator learns a code of its own a moment after it is asked, as if
// a remote control's button were pressed: "Spela in" can be tried without one.
TEST_F(IrDialogsTest, TheSimulatorLearnsACodeOfItsOwnWhenNotToldOtherwise)
{
    Keyboard("ir-learn-after 300");
    RunLoader([&](fw::Dialog& d) {
        NewCode(d, IDC_IR_KIND_RECORD, [&](fw::Dialog& editor) {
            SetText(editor, IDC_IR_RECORD_NAME, "TV");
            Click(editor, IDC_IR_RECORD);
            EXPECT_TRUE(PumpUntil([&] {
                return Text(editor, IDC_IR_INSTRUCTION) == fw::LoadResString(IDS_IR_RECORDED);
            }));
            EXPECT_TRUE(IsEnabled(editor, IDOK));
            Click(editor, IDOK);
        });
    });
    EXPECT_EQ("1;I0;254;TV;" + RecordsOf(0, LearnedHex(0)) + ";\r\n", ReadCodeFile());
}

TEST_F(IrDialogsTest, AFailedReadBackSavesNothingAndTheEditorStays)
{
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_GET_CODE_FAILED).Expect(IDS_IR_GET_CODE_FAILED).Expect(IDS_IR_GET_CODE_FAILED);
    RunLoader([&](fw::Dialog& d) {
        NewCode(d, IDC_IR_KIND_RECORD, [&](fw::Dialog& editor) {
            SetText(editor, IDC_IR_RECORD_NAME, "TV");
            Learn(editor);
            Keyboard("ir-read silent");
            Click(editor, IDOK);
            EXPECT_TRUE(::IsWindow(editor));
            // A code that does not survive the way back is no better, nor one whose records stop
            // without their end record (it may have lost some).
            for (const char* answer : {"ir-read garbled", "ir-read unended"}) {
                Keyboard(answer);
                Click(editor, IDOK);
                EXPECT_TRUE(::IsWindow(editor)) << answer;
            }
            Click(editor, IDCANCEL);
        });
        EXPECT_EQ(0, fw::ListBox(d, IDC_IR_LIST).Count());
    });
    EXPECT_EQ(std::string::npos, ReadCodeFile().find("IntelHex"));
    EXPECT_EQ("", ReadCodeFile());
}

TEST_F(IrDialogsTest, RenamingALearnedCodeKeepsItsStoredCode)
{
    const std::string stored = RecordsOf(4, "0102030405");
    WriteCodeFile("2;I4;254;TV;" + stored + ";\r\n");
    Keyboard("ir-code 4 AABBCC");  // the keyboard holds something else there now
    RunLoader([&](fw::Dialog& d) {
        EditRow(d, 0, [](fw::Dialog& editor) {
            EXPECT_TRUE(IsEnabled(editor, IDOK));
            SetText(editor, IDC_IR_RECORD_NAME, "Teve");
            Click(editor, IDOK);
        });
    });
    EXPECT_EQ("2;I4;254;Teve;" + stored + ";\r\n", ReadCodeFile());
    EXPECT_TRUE(InfraredLog().empty());
}

TEST_F(IrDialogsTest, ANewLearnedCodeNeedsALearning)
{
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_NO_NAME).Expect(IDS_IR_NOTHING_RECORDED);
    IrCodeDraft draft;
    IrEditorContext context;
    context.commands = commands_.get();
    IrRecordDlg dialog(draft, context);
    RunModal(dialog, [](fw::Dialog& d) {
        // OK stays disabled for the user; the checks hold also for a press through the keyboard.
        d.Self().Send(WM_COMMAND, IDOK);
        SetText(d, IDC_IR_RECORD_NAME, "TV");
        d.Self().Send(WM_COMMAND, IDOK);
        d.EndDialog(IDCANCEL);
    });
    EXPECT_EQ("", draft.name);
}

TEST_F(IrDialogsTest, AGivenUpLearningLeavesCancelClosingTheEditor)
{
    IrCodeDraft draft;
    IrEditorContext context;
    context.commands = commands_.get();
    IrRecordDlg dialog(draft, context);
    const INT_PTR result = RunModal(dialog, [&](fw::Dialog& d) {
        SetText(d, IDC_IR_RECORD_NAME, "TV");
        Click(d, IDC_IR_RECORD);
        EXPECT_TRUE(PumpUntil([&] {
            return Text(d, IDC_IR_INSTRUCTION) == fw::LoadResString(IDS_IR_RECORD_TOO_LONG);
        }));
        EXPECT_TRUE(IsEnabled(d, IDC_IR_RECORD));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, result);
    // One break when the learning gave up; Cancel sent none.
    const std::vector<std::string> log = InfraredLog();
    EXPECT_EQ((std::vector<std::string>{"ir-record:00", "ir-break"}), log);
}

TEST_F(IrDialogsTest, CancelDuringTheDistanceCheckBreaksItOffAndTheEditorStays)
{
    IrCodeDraft draft;
    IrEditorContext context;
    context.commands = commands_.get();
    IrRecordDlg dialog(draft, context);
    RunModal(dialog, [&](fw::Dialog& d) {
        Click(d, IDC_IR_OPTIMISE);
        EXPECT_EQ(fw::LoadResString(IDS_IR_AIM_REMOTE), Text(d, IDC_IR_INSTRUCTION));
        Keyboard("ir-say PP");
        EXPECT_TRUE(PumpUntil([&] {
            return dialog.Recorder().Signals() == 2;
        }));
        EXPECT_EQ(IrRecorder::DistanceMeter(fw::LoadResString(IDS_IR_SIGNAL_RECEIVED), 2),
                  Text(d, IDC_IR_INSTRUCTION));
        if (ScreenshotsWanted())
            Keyboard("ir-say " + std::string(200, 'P'));  // the check goes on while the picture is taken
        Screenshot(d, "distance");
        Click(d, IDCANCEL);
        EXPECT_TRUE(::IsWindow(d));
        EXPECT_EQ(fw::LoadResString(IDS_IR_CANCELLED), Text(d, IDC_IR_INSTRUCTION));
        EXPECT_TRUE(IsEnabled(d, IDC_IR_OPTIMISE));
        Click(d, IDCANCEL);
    });
    EXPECT_EQ((std::vector<std::string>{"ir-distance", "ir-break"}), InfraredLog());
}

TEST_F(IrDialogsTest, HelpThatCannotOpenSaysSo)
{
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_NO_HELP);
    IrCodeDraft draft;
    IrEditorContext context;
    context.commands = commands_.get();
    context.programFolder = folder_.Path();
    IrRecordDlg dialog(draft, context);
    RunModal(dialog, [](fw::Dialog& d) {
        Click(d, IDC_IR_HELP);
        d.EndDialog(IDCANCEL);
    });
}

TEST_F(IrDialogsTest, TheSecurityCodeIsStoredInTheKeyboardAndOnlyOnce)
{
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_BAD_SECURITY_CODE).Expect(IDS_IR_ONE_SECURITY_CODE);
    RunLoader([&](fw::Dialog& d) {
        NewCode(d, IDC_IR_KIND_SECURITY, [](fw::Dialog& editor) {
            EXPECT_FALSE(IsEnabled(editor, IDOK));
            SetText(editor, IDC_IR_SECURE_NAME, "Larm");
            SetText(editor, IDC_IR_SECURE_CODE, "4096");
            Click(editor, IDOK);
            SetText(editor, IDC_IR_SECURE_CODE, "4095");
            Screenshot(editor, "security");
            Click(editor, IDOK);
        });
        NewCode(d, IDC_IR_KIND_SECURITY, nullptr);
    });
    EXPECT_EQ("1;X0;254;Larm;4095;\r\n", ReadCodeFile());
    EXPECT_EQ((std::vector<std::string>{"ir-secure:0FFF"}), InfraredLog());
}

TEST_F(IrDialogsTest, ASecurityCodeTheKeyboardDoesNotTakeIsNotSaved)
{
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_SECURE_FAILED);
    RunLoader([&](fw::Dialog& d) {
        NewCode(d, IDC_IR_KIND_SECURITY, [&](fw::Dialog& editor) {
            SetText(editor, IDC_IR_SECURE_NAME, "Larm");
            SetText(editor, IDC_IR_SECURE_CODE, "12");
            Keyboard("silent");
            Click(editor, IDOK);
            EXPECT_TRUE(::IsWindow(editor));
            Click(editor, IDCANCEL);
        });
    });
    EXPECT_EQ("", ReadCodeFile());
}

TEST_F(IrDialogsTest, DeletingAsksFirst)
{
    WriteCodeFile("3;G2;6;Lampa;16;\r\n5;G3;6;Radio;20;\r\n");
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_DELETE_QUESTION, IDCANCEL).Expect(IDS_IR_DELETE_QUESTION, IDOK);
    RunLoader([&](fw::Dialog& d) {
        SelectList(d, IDC_IR_LIST, 0);
        Click(d, IDC_IR_DELETE);
        SelectList(d, IDC_IR_LIST, 0);
        Click(d, IDC_IR_DELETE);
        EXPECT_EQ("5. Radio", fw::ListBox(d, IDC_IR_LIST).ItemText(0));
        EXPECT_FALSE(IsEnabled(d, IDC_IR_DELETE));
    });
    EXPECT_EQ("5;G3;6;Radio;20;\r\n", ReadCodeFile());
    EXPECT_NE(std::string::npos, messages.Shown()[0].text.find("\"Lampa\""));
}

// The Delete button that had the focus is disabled once no row is chosen: the keys go on in the list.
TEST_F(IrDialogsTest, AfterADeletionTheKeysGoOnInTheList)
{
    WriteCodeFile("3;G2;6;Lampa;16;\r\n5;G3;6;Radio;20;\r\n");
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_DELETE_QUESTION, IDOK);
    RunLoader([&](fw::Dialog& d) {
        SelectList(d, IDC_IR_LIST, 0);
        const HWND button = ::GetDlgItem(d, IDC_IR_DELETE);
        d.Self().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
        ASSERT_EQ(button, ::GetFocus());
        Click(d, IDC_IR_DELETE);
        EXPECT_EQ(::GetDlgItem(d, IDC_IR_LIST), ::GetFocus());
    });
    EXPECT_EQ("5;G3;6;Radio;20;\r\n", ReadCodeFile());
}

// --- the keyboard -------------------------------------------------------------------------------

TEST_F(IrDialogsTest, ATestSendTellsTheKeyboardTheCodeAndItsTime)
{
    WriteCodeFile("1;I5;254;TV;01;\r\n2;G0;25;Lampa;16;\r\n");
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_SEND_FAILED);
    RunLoader([&](fw::Dialog& d) {
        SelectList(d, IDC_IR_LIST, 0);
        Click(d, IDC_IR_SEND);
        EXPECT_TRUE(StatusIs(d, IDS_IR_DONE));
        SelectList(d, IDC_IR_LIST, 1);
        Click(d, IDC_IR_SEND);
        Keyboard("silent");
        Click(d, IDC_IR_SEND);
        EXPECT_EQ("   ", Text(d, IDC_IR_STATUS));
    });
    // A code sent while the key is held is tested for a second; a RavikLink code by its channel.
    EXPECT_EQ((std::vector<std::string>{"ir-test:I050A", "ir-test:G1019", "ir-test:G1019"}), InfraredLog());
}

TEST_F(IrDialogsTest, TheIdChannelIsReadAndSet)
{
    RunLoader([&](fw::Dialog& d) {
        OnNextDialog([](fw::Dialog& chooser) {
            fw::ListBox list(chooser, IDC_IR_ID_LIST);
            EXPECT_EQ(16, list.Count());
            EXPECT_EQ("0", list.ItemText(list.Selection()));
            SelectList(chooser, IDC_IR_ID_LIST, list.FindExact("B"));
            Screenshot(chooser, "id");
            Click(chooser, IDOK);
        });
        Click(d, IDC_IR_CHOOSE_ID);
        OnNextDialog([](fw::Dialog& chooser) {
            fw::ListBox list(chooser, IDC_IR_ID_LIST);
            EXPECT_EQ("B", list.ItemText(list.Selection()));
            Click(chooser, IDCANCEL);
        });
        Click(d, IDC_IR_CHOOSE_ID);
    });
    EXPECT_EQ((std::vector<std::string>{"ir-id?", "ir-id:B", "ir-id?"}), InfraredLog());
}

TEST_F(IrDialogsTest, LoadingSendsEveryLearnedCodeAndTheSecurityCode)
{
    // The learned code was read out of place 9 once; it goes to its own place, 2.
    WriteCodeFile("1;I2;254;TV;" + RecordsOf(9, "0A0B0C") + ";\r\n2;G0;6;Lampa;16;\r\n3;X0;254;Larm;4095;\r\n");
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_LOAD_QUESTION, IDCANCEL).Expect(IDS_IR_LOAD_QUESTION, IDOK);
    RunLoader([&](fw::Dialog& d) {
        Click(d, IDC_IR_LOAD_ALL);
        EXPECT_TRUE(InfraredLog().empty());
        Click(d, IDC_IR_LOAD_ALL);
        EXPECT_TRUE(StatusIs(d, IDS_IR_DONE));
    });
    EXPECT_EQ((std::vector<std::string>{"ir-write:2", "ir-secure:0FFF"}), InfraredLog());
    EXPECT_EQ(0u, Upper(Ask("ir-room? 2")).find("0A0B0CFF"));
}

TEST_F(IrDialogsTest, ALoadThatMissesCodesSaysSo)
{
    // A damaged code is told and passed over; the codes after it still go.
    std::string damaged = RecordsOf(0, "010203");
    damaged[10] = damaged[10] == '0' ? '1' : '0';
    WriteCodeFile("1;I0;254;TV;" + damaged + ";\r\n2;I1;254;Radio;0102;\r\n3;X0;254;Larm;7;\r\n");
    {
        testsupport::ScriptedMessages messages;
        messages.Expect(IDS_IR_LOAD_QUESTION).Expect(IDS_IR_CODE_DAMAGED);
        RunLoader([&](fw::Dialog& d) {
            Click(d, IDC_IR_LOAD_ALL);
            EXPECT_EQ(fw::FormatResString(IDS_IR_LOAD_INCOMPLETE, 1u, 3u), Text(d, IDC_IR_STATUS));
        });
        EXPECT_NE(std::string::npos, messages.Shown()[1].text.find("\"TV\""));
    }
    EXPECT_EQ((std::vector<std::string>{"ir-write:1", "ir-secure:0007"}), InfraredLog());

    // A keyboard that stops answering ends the load at its first silence.
    Keyboard("reset");
    Keyboard("link " + std::to_string(kPort));
    Keyboard("version V8.0A");
    WriteCodeFile("2;I1;254;Radio;0102;\r\n3;X0;254;Larm;7;\r\n");
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_LOAD_QUESTION).Expect(IDS_IR_LOAD_CODE_FAILED);
    RunLoader([&](fw::Dialog& d) {
        Keyboard("silent");
        Click(d, IDC_IR_LOAD_ALL);
        EXPECT_EQ(fw::FormatResString(IDS_IR_LOAD_INCOMPLETE, 2u, 2u), Text(d, IDC_IR_STATUS));
    });
    EXPECT_EQ((std::vector<std::string>{"ir-write:1"}), InfraredLog());
}

// --- the block command's choice -----------------------------------------------------------------

TEST_F(IrDialogsTest, TheBlockCommandGetsTheTagOfTheChosenCode)
{
    folder_.Write("Zenthor\\ir_data.kvx", "2;G0;6;Lampa;16;\r\n5;I0;254;TV;01;\r\n");
    std::string result = "unchanged";
    {
        // The caller places the dialog.
        IRDlg dialog(folder_.Path(), result);
        dialog.PlaceOnOpen([](HWND window) {
            const RECT rect = fw::Window(window).WindowRect();
            fw::Window(window).MoveOnScreen(POINT{600 - (rect.right - rect.left), 500 - (rect.bottom - rect.top)});
        });
        RunModal(dialog, [](fw::Dialog& d) {
            const RECT rect = d.Self().WindowRect();
            EXPECT_EQ(600, rect.right);
            EXPECT_EQ(500, rect.bottom);
            fw::ListBox list(d, IDC_IR_COMMAND_LIST);
            ASSERT_EQ(2, list.Count());
            EXPECT_EQ("2. Lampa", list.ItemText(0));
            EXPECT_EQ("5. TV", list.ItemText(1));
            Click(d, IDOK);
        });
    }
    EXPECT_EQ("unchanged", result);
    IRDlg dialog(folder_.Path(), result);
    RunModal(dialog, [](fw::Dialog& d) {
        SelectList(d, IDC_IR_COMMAND_LIST, 1);
        Screenshot(d, "ircommand");
        Click(d, IDOK);
    });
    EXPECT_EQ("<IR5>", result);
}

// The block command's choice of a code says why it lists none when the code file cannot be read.
TEST_F(IrDialogsTest, TheBlockCommandsChoiceSaysWhenTheCodeFileCannotBeRead)
{
    folder_.Write("Zenthor\\ir_data.kvx", "2;G0;6;Lampa;16;\r\n");
    HANDLE lock = ::CreateFileA(CodeFile().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    testsupport::ScriptedMessages messages;
    messages.Expect(IDS_IR_CHOICE_UNREADABLE);
    std::string result = "unchanged";
    IRDlg dialog(folder_.Path(), result);
    RunModal(dialog, [](fw::Dialog& d) {
        EXPECT_EQ(0, fw::ListBox(d, IDC_IR_COMMAND_LIST).Count());
        Click(d, IDOK);
    });
    ::CloseHandle(lock);
    EXPECT_EQ("unchanged", result);
    ASSERT_EQ(1u, messages.Shown().size());
    EXPECT_NE(std::string::npos, messages.Shown()[0].text.find(CodeFile()));
}

TEST_F(IrDialogsTest, TheMainWindowsCommandOpensTheCodeList)
{
    bool opened = false;
    OnNextDialog([&](fw::Dialog& d) {
        opened = d.TemplateId() == IDD_IR_LOADER;
        EXPECT_EQ("Definition av IR-koder", d.Self().Text());
        d.EndDialog(IDOK);
    });
    ShowInfraredCodes(ini_, folder_.Path(), nullptr);
    EXPECT_TRUE(opened);
}
