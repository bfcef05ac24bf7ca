// The name dialogs opened for real: the name rules of each as one table of typed names, their texts,
// and the choosers of an overlay to open and of a template.
#include "skarpin/CopySetDlg.h"
#include "skarpin/RenameDlg.h"
#include "skarpin/TemplateDlg.h"
#include "skarpin/resource.h"
#include "store/NameDialogRules.h"
#include "store/OpenOverlayDlg.h"
#include "store/SaveDlg.h"
#include "store/SetFixture.h"
#include "support/DialogDriver.h"
#include "support/ScriptedMessages.h"
#include "support/Snapshot.h"
#include <gtest/gtest.h>

using testsupport::Click;
using testsupport::IsEnabled;
using testsupport::Text;

namespace {

// One typed name: the message that refuses it (0: taken), and the name the caller gets when taken.
struct NameCase {
    const char* what;
    std::string typed;
    UINT refusal;
    std::string result;
};

// Types the name into the name box and presses OK; a refused name leaves the dialog open, which is
// then cancelled. The dialog's result.
INT_PTR TypeAndPressOk(fw::Dialog& dialog, const std::string& typed, UINT refusal)
{
    testsupport::ScriptedMessages messages;
    if (refusal != 0)
        messages.Expect(refusal);
    const INT_PTR result = testsupport::RunModal(dialog, [&](fw::Dialog& shown) {
        testsupport::SetText(shown, IDC_NAME_EDIT, typed);
        Click(shown, IDOK);
        if (::IsWindowVisible(shown.Handle())) {
            EXPECT_NE(0u, refusal) << "the dialog stayed open";
            // The refused name is still there to be mended.
            EXPECT_EQ(typed, Text(shown, IDC_NAME_EDIT));
            shown.EndDialog(IDCANCEL);
        }
    });
    for (const fw::MessageRequest& shown : messages.Shown()) {
        EXPECT_EQ("Felmeddelande", shown.caption);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), shown.type);
    }
    return result;
}

std::vector<SetItem> Items(std::initializer_list<const char*> names)
{
    std::vector<SetItem> items;
    int number = 1;
    for (const char* name : names)
        items.emplace_back(name, number++, 0);
    return items;
}

// Names the store cannot make files or folders of, refused by every dialog.
const std::vector<std::string> kForbiddenNames = {
    "a\\b", "a/b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "a,b", "Skola:2", "Bok.", "CON", "nul", "Com1", "lpt9.txt",
};

} // namespace

TEST(RenameDlgTest, OverlayNamesAsTyped)
{
    const std::vector<SetItem> lines = Items({"Bil", "", "Äpple", "Skola 2"});
    const NameCase cases[] = {
        {"the name unchanged: its own line is no other", "Bil", 0, "Bil"},
        {"a case change of its own name", "BIL", 0, "BIL"},
        {"blanks at both ends are dropped", "  Bok  ", 0, "Bok"},
        {"another line's name in another case", "äPPLE", IDS_OVERLAY_NAME_TAKEN, "Bil"},
        {"blanks only: the empty name of an empty line", "   ", IDS_OVERLAY_NAME_TAKEN, "Bil"},
        {"a name beginning like another", "Skola", 0, "Skola"},
    };
    for (const NameCase& c : cases) {
        std::string set = "Skola";
        std::string overlay = "Bil";
        RenameDlg dialog(RenameDlg::kOverlay, set, overlay, lines);
        const INT_PTR result = TypeAndPressOk(dialog, c.typed, c.refusal);
        EXPECT_EQ(c.refusal == 0 ? IDOK : IDCANCEL, result) << c.what;
        EXPECT_EQ(c.result, overlay) << c.what;
        EXPECT_EQ("Skola", set) << c.what;
    }
    for (const std::string& name : kForbiddenNames) {
        std::string set = "Skola";
        std::string overlay = "Bil";
        RenameDlg dialog(RenameDlg::kOverlay, set, overlay, lines);
        EXPECT_EQ(IDCANCEL, TypeAndPressOk(dialog, name, IDS_NAME_FORBIDDEN)) << name;
        EXPECT_EQ("Bil", overlay) << name;
    }
}

TEST(RenameDlgTest, SetNamesAsTyped)
{
    const std::vector<SetItem> sets = Items({"Hem", "Skola", "Mallar"});
    const NameCase cases[] = {
        {"the name unchanged", "Skola", 0, "Skola"},
        {"a new name", "Klass 3", 0, "Klass 3"},
        {"another set's name in another case", "HEM", IDS_SET_NAME_TAKEN, "Skola"},
        {"a hidden special set's name", "mallar", IDS_SET_NAME_TAKEN, "Skola"},
        {"blanks at the ends are dropped before the comparison", " Hem ", IDS_SET_NAME_TAKEN, "Skola"},
        {"a colon would name a stream", "Klass:3", IDS_NAME_FORBIDDEN, "Skola"},
        {"a dot at the end is dropped by the system", "Klass.", IDS_NAME_FORBIDDEN, "Skola"},
        {"a device name", "PRN", IDS_NAME_FORBIDDEN, "Skola"},
    };
    for (const NameCase& c : cases) {
        std::string set = "Skola";
        std::string overlay;
        RenameDlg dialog(RenameDlg::kSet, set, overlay, sets);
        EXPECT_EQ(c.refusal == 0 ? IDOK : IDCANCEL, TypeAndPressOk(dialog, c.typed, c.refusal)) << c.what;
        EXPECT_EQ(c.result, set) << c.what;
        EXPECT_EQ("", overlay) << c.what;
    }
}

TEST(RenameDlgTest, ShowsWhatIsRenamedAndEnablesOkWhileANameIsThere)
{
    const std::vector<SetItem> lines = Items({"Bil"});
    std::string set = "Skola";
    std::string overlay = "Bil";
    RenameDlg overlayDialog(RenameDlg::kOverlay, set, overlay, lines);
    testsupport::RunModal(overlayDialog, [](fw::Dialog& dialog) {
        EXPECT_EQ("Byt namn på överlägg", dialog.Self().Text());
        EXPECT_EQ("Överlägg:\tBil", Text(dialog, IDC_NAME_LINE1));
        EXPECT_EQ("Set:\t \tSkola", Text(dialog, IDC_NAME_LINE2));
        EXPECT_EQ("Ange nytt namn:", Text(dialog, IDC_NAME_LABEL));
        EXPECT_EQ("Avbryt", Text(dialog, IDCANCEL));
        EXPECT_EQ("Bil", Text(dialog, IDC_NAME_EDIT));
        EXPECT_TRUE(IsEnabled(dialog, IDOK));
        testsupport::SetText(dialog, IDC_NAME_EDIT, "");
        EXPECT_FALSE(IsEnabled(dialog, IDOK));
        testsupport::SetText(dialog, IDC_NAME_EDIT, " ");
        EXPECT_TRUE(IsEnabled(dialog, IDOK));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ("Bil", overlay);

    RenameDlg setDialog(RenameDlg::kSet, set, overlay, lines);
    testsupport::RunModal(setDialog, [](fw::Dialog& dialog) {
        EXPECT_EQ("Byt namn på set", dialog.Self().Text());
        EXPECT_EQ("Set:\t \tSkola", Text(dialog, IDC_NAME_LINE1));
        EXPECT_FALSE(testsupport::IsVisible(dialog, IDC_NAME_LINE2));
        EXPECT_EQ("Skola", Text(dialog, IDC_NAME_EDIT));
        Click(dialog, IDCANCEL);
    });
}

TEST(SaveDlgTest, NamesAsTyped)
{
    SetFixture sets;
    sets.MakeSet("Skola", SetFixture::StandardRegister({{1, "Bil"}, {2, "Äpple"}}).c_str(), {"Bil", "Äpple"});
    const NameCase cases[] = {
        {"a new name", "Bok", 0, "Bok"},
        {"blanks at both ends are dropped", "  Bok ", 0, "Bok"},
        {"an overlay of the set in another case", "ÄPPLE", IDS_OVERLAY_NAME_TAKEN, "Ny"},
        {"trimmed to an overlay's name", " Bil ", IDS_OVERLAY_NAME_TAKEN, "Ny"},
    };
    for (const NameCase& c : cases) {
        std::string name = "Ny";
        SaveDlg dialog(&sets.Io(), "Skola", name, 7);
        EXPECT_EQ(c.refusal == 0 ? IDOK : IDCANCEL, TypeAndPressOk(dialog, c.typed, c.refusal)) << c.what;
        EXPECT_EQ(c.result, name) << c.what;
        EXPECT_EQ(7, dialog.Number());
    }
    for (const std::string& typed : kForbiddenNames) {
        std::string name = "Ny";
        SaveDlg dialog(&sets.Io(), "Skola", name, 7);
        EXPECT_EQ(IDCANCEL, TypeAndPressOk(dialog, typed, IDS_NAME_FORBIDDEN)) << typed;
        EXPECT_EQ("Ny", name) << typed;
    }

    // A set whose hundred numbers are all given lists no more files: the name of one it does not
    // list is taken all the same.
    std::vector<std::pair<int, std::string>> entries;
    std::vector<std::string> files = {"Gömd"};
    for (int n = 1; n <= 100; ++n) {
        entries.emplace_back(n, "Ö" + std::to_string(n));
        files.push_back("Ö" + std::to_string(n));
    }
    sets.MakeSet("Full", SetFixture::StandardRegister(entries).c_str(), files);
    {
        std::string name = "Ny";
        SaveDlg dialog(&sets.Io(), "Full", name, 7);
        EXPECT_EQ(IDCANCEL, TypeAndPressOk(dialog, "Gömd", IDS_OVERLAY_NAME_TAKEN));
        EXPECT_EQ(SetFixture::OverlayText("Gömd"), sets.Read(sets.OverlayPath("Full", "Gömd")));
    }

    std::string empty;
    SaveDlg dialog(&sets.Io(), "Skola", empty, 7);
    testsupport::RunModal(dialog, [](fw::Dialog& shown) {
        EXPECT_EQ("Spara överlägg", shown.Self().Text());
        EXPECT_EQ("Ange namn:", Text(shown, IDC_NAME_LABEL));
        EXPECT_TRUE(testsupport::IsVisible(shown, IDC_NAME_LABEL));
        EXPECT_EQ("Avbryt", Text(shown, IDCANCEL));
        testsupport::Snapshot(shown, "save_overlay");
        EXPECT_FALSE(IsEnabled(shown, IDOK));
        EXPECT_EQ(80, static_cast<int>(::SendDlgItemMessageA(shown.Handle(), IDC_NAME_EDIT, EM_GETLIMITTEXT, 0, 0)));
        Click(shown, IDCANCEL);
    });
}

TEST(CopySetDlgTest, NamesAsTyped)
{
    SetFixture sets;
    sets.MakeSet("Skola", SetFixture::StandardRegister({}).c_str());
    sets.MakeSet("Hem", SetFixture::StandardRegister({}).c_str());
    // The templates set, hidden from the tree, and a folder that is no set.
    sets.MakeSet("Mallar", SetFixture::StandardRegister({}).c_str());
    sets.MakeSet("Gamla filer", nullptr);
    const std::vector<SetItem> treeSets = Items({"Skola", "Hem"});
    const std::string eighty(80, 'x');
    const NameCase cases[] = {
        {"a new name", "Klass 3", 0, "Klass 3"},
        {"the text as typed, blanks before it too", "  Klass", 0, "  Klass"},
        {"a listed set in another case", "hem", IDS_SET_NAME_TAKEN, ""},
        {"the hidden templates set", "MALLAR", IDS_SET_NAME_TAKEN, ""},
        {"a folder that is no set", "gamla filer", IDS_SET_NAME_TAKEN, ""},
        {"a blank at the end would be dropped by the system", "Klass ", IDS_NAME_FORBIDDEN, ""},
        {"80 characters", eighty, 0, eighty},
        {"81 characters", eighty + "y", IDS_NAME_TOO_LONG, ""},
        {"81 forbidden characters: the characters first", eighty + ":", IDS_NAME_FORBIDDEN, ""},
    };
    for (UINT templateId : {IDD_NEW_SET, IDD_COPY_SET}) {
        for (const NameCase& c : cases) {
            std::string name;
            CopySetDlg dialog(&sets.Io(), templateId, name, treeSets);
            EXPECT_EQ(c.refusal == 0 ? IDOK : IDCANCEL, TypeAndPressOk(dialog, c.typed, c.refusal)) << c.what;
            EXPECT_EQ(c.result, name) << c.what;
        }
    }
    for (const std::string& typed : kForbiddenNames) {
        std::string name;
        CopySetDlg dialog(&sets.Io(), IDD_NEW_SET, name, treeSets);
        EXPECT_EQ(IDCANCEL, TypeAndPressOk(dialog, typed, IDS_NAME_FORBIDDEN)) << typed;
    }
}

TEST(CopySetDlgTest, TextsOfANewSetAndOfACopy)
{
    SetFixture sets;
    const std::vector<SetItem> none;
    std::string empty;
    CopySetDlg newSet(&sets.Io(), IDD_NEW_SET, empty, none);
    testsupport::RunModal(newSet, [](fw::Dialog& dialog) {
        EXPECT_EQ("Nytt set", dialog.Self().Text());
        EXPECT_EQ("Ange namn:", Text(dialog, IDC_NAME_LABEL));
        EXPECT_EQ("Set:\t \t", Text(dialog, IDC_NAME_LINE1));
        EXPECT_FALSE(IsEnabled(dialog, IDOK));
        Click(dialog, IDCANCEL);
    });
    std::string source = "Skola";
    CopySetDlg copy(&sets.Io(), IDD_COPY_SET, source, none);
    testsupport::RunModal(copy, [](fw::Dialog& dialog) {
        EXPECT_EQ("Kopiera set", dialog.Self().Text());
        EXPECT_EQ("Ange kopians namn:", Text(dialog, IDC_NAME_LABEL));
        EXPECT_EQ("Set:\t \tSkola", Text(dialog, IDC_NAME_LINE1));
        EXPECT_EQ("Skola", Text(dialog, IDC_NAME_EDIT));
        EXPECT_TRUE(IsEnabled(dialog, IDOK));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ("Skola", source);
}

// The line a list starts on: an exact name before one that merely begins with it.
TEST(NameRulesTest, InitialLinePrefersTheExactName)
{
    using Lines = std::vector<std::string>;
    struct Case {
        Lines lines;
        std::string wanted;
        int line;
    } cases[] = {
        {{"Skola 2", "Skola"}, "Skola", 1},
        {{"Skola 2", "skola"}, "SKOLA", 1},
        {{"Skola 2", "Hem"}, "Skola", 0},
        {{"Hem", "Skola 2"}, "Skola", 1},
        {{"Hem", "Klass"}, "Skola", 0},
        {{"1", "10 Bil", "100"}, "10", 1},
        {{"Tomte", "Tom"}, "Tom", 1},
        {{}, "Skola", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line, namerules::InitialLine(c.lines, c.wanted)) << c.wanted;
}

TEST(OpenOverlayDlgTest, StartsOnTheGivenLineAndGivesTheChosenOne)
{
    SetFixture sets;
    sets.WriteProgramSettings("[Settings]\r\nShowTemplates=1\r\n");
    sets.MakeSet("Skola 2", SetFixture::StandardRegister({}).c_str());
    sets.MakeSet("Skola", SetFixture::StandardRegister({{1, "Bil"}, {10, "Båt"}}).c_str(), {"Bil", "Båt"});
    sets.MakeSet("Mallar", SetFixture::StandardRegister({}).c_str(), {"Tom"});
    FileIO& io = sets.Open();

    struct Case {
        const char* what;
        std::string name;
        int number;
        int line;              // the line the dialog starts on
        int chosen;            // the line chosen before OK; -1 keeps the first
        std::string setOut;
        int numberOut;
        std::string nameOut;
    } cases[] = {
        {"a free number", "", 1 + 2, 2, -1, "Skola", 3, ""},
        {"an overlay by number and name", "Båt", 10, 9, -1, "Skola", 10, "Båt"},
        {"number 1 is not number 10", "", 1, 0, 9, "Skola", 10, "Båt"},
    };
    for (const Case& c : cases) {
        std::string set = "Skola";
        std::string name = c.name;
        int number = c.number;
        int readOnly = -1;
        OpenOverlayDlg dialog(&io, set, name, number, readOnly);
        testsupport::RunModal(dialog, [&](fw::Dialog& shown) {
            EXPECT_EQ("Öppna överlägg", shown.Self().Text());
            EXPECT_EQ("Välj set:", Text(shown, IDC_NAME_SET_LABEL));
            EXPECT_EQ("Välj överlägg:", Text(shown, IDC_NAME_LIST_LABEL));
            fw::ComboBox setBox = shown.Control<fw::ComboBox>(IDC_NAME_SETS);
            EXPECT_EQ("Skola", setBox.ItemText(setBox.Selection())) << c.what;
            fw::ListBox list = shown.Control<fw::ListBox>(IDC_NAME_LIST);
            ASSERT_EQ(100, list.Count());
            EXPECT_EQ("1 Bil", list.ItemText(0));
            EXPECT_EQ("2", list.ItemText(1));
            EXPECT_EQ(c.line, list.Selection()) << c.what;
            if (c.chosen >= 0)
                testsupport::SelectList(shown, IDC_NAME_LIST, c.chosen);
            Click(shown, IDOK);
        });
        EXPECT_EQ(c.setOut, set) << c.what;
        EXPECT_EQ(c.numberOut, number) << c.what;
        EXPECT_EQ(c.nameOut, name) << c.what;
        EXPECT_EQ(0, readOnly) << c.what;
    }

    // Another set: its lines, and OK only once one is chosen; the templates set shows names alone.
    std::string set = "Skola";
    std::string name = "Bil";
    int number = 1;
    int readOnly = 0;
    OpenOverlayDlg dialog(&io, set, name, number, readOnly);
    testsupport::RunModal(dialog, [&](fw::Dialog& shown) {
        fw::ComboBox setBox = shown.Control<fw::ComboBox>(IDC_NAME_SETS);
        const int templates = setBox.FindExact("Mallar");
        ASSERT_GE(templates, 0);
        testsupport::SelectCombo(shown, IDC_NAME_SETS, templates);
        EXPECT_FALSE(IsEnabled(shown, IDOK));
        fw::ListBox list = shown.Control<fw::ListBox>(IDC_NAME_LIST);
        ASSERT_EQ(1, list.Count());
        EXPECT_EQ("Tom", list.ItemText(0));
        testsupport::SelectList(shown, IDC_NAME_LIST, 0);
        Click(shown, IDOK);
    });
    EXPECT_EQ("Mallar", set);
    EXPECT_EQ(1, number);
    EXPECT_EQ("Tom", name);
}

TEST(TemplateDlgTest, NoneOrOneOfTheTemplates)
{
    SetFixture sets;
    sets.MakeSet("Mallar", SetFixture::StandardRegister({}).c_str(), {"Rutor"});
    struct Case {
        const char* what;
        int line;
        bool doubleClick;
        std::string result;
    } cases[] = {
        {"the first line, none", 0, false, ""},
        {"a template", 1, false, "Rutor"},
        {"a double click chooses as OK does", 1, true, "Rutor"},
    };
    for (const Case& c : cases) {
        std::string chosen = "förut";
        TemplateDlg dialog(&sets.Io(), chosen);
        const INT_PTR result = testsupport::RunModal(dialog, [&](fw::Dialog& shown) {
            EXPECT_EQ("Nytt överlägg", shown.Self().Text());
            EXPECT_EQ("Välj mall:", Text(shown, IDC_NAME_LIST_LABEL));
            fw::ListBox list = shown.Control<fw::ListBox>(IDC_NAME_LIST);
            ASSERT_EQ(2, list.Count());
            EXPECT_EQ("<Ingen>", list.ItemText(0));
            EXPECT_EQ(0, list.Selection());
            testsupport::SelectList(shown, IDC_NAME_LIST, c.line);
            if (c.doubleClick)
                shown.Self().Send(WM_COMMAND, MAKEWPARAM(IDC_NAME_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list.Handle()));
            else
                Click(shown, IDOK);
        });
        EXPECT_EQ(IDOK, result) << c.what;
        EXPECT_EQ(c.result, chosen) << c.what;
    }
}
