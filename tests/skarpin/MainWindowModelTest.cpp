// The main window's tree order, menu states and model-dependent menu items.
#include "skarpin/MainWindowModel.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const SpecialSetNames kNames{"Standardöverlägg", "Mallar"};

std::vector<SetItem> Sets(const std::vector<std::string>& names, const std::string& readOnly = "")
{
    std::vector<SetItem> sets;
    for (const std::string& name : names)
        sets.emplace_back(name, 0, name == readOnly ? 1 : 0);
    return sets;
}

// "name:image" per line, joined by blanks.
std::string Describe(const std::vector<SetTreeLine>& lines)
{
    std::string text;
    for (const SetTreeLine& line : lines)
        text += (text.empty() ? "" : " ") + line.name + ":" + std::to_string(line.image);
    return text;
}

TEST(MainWindowModelTest, SetTreeOrderAndImages)
{
    struct Case {
        const char* what;
        std::vector<std::string> sets;
        int model;
        int showTemplates;
        int showStandard;
        std::string currentIn;
        std::string lines;
        std::string currentOut;
        bool changed;
    };
    const std::vector<std::string> all{"Mallar", "Skola", "Standardöverlägg", "Hemma"};
    const Case cases[] = {
        {"PS/2: folder order, special sets last", all, 0, 1, 1, "Hemma",
         "Skola:0 Hemma:0 Mallar:4 Standardöverlägg:4", "Hemma", false},
        {"hidden special sets", all, 0, 0, 0, "", "Skola:0 Hemma:0", "", false},
        {"only the standard set shown", all, 2, 0, 1, "", "Skola:0 Hemma:0 Standardöverlägg:4", "", false},
        {"USB: the current set first", all, 1, 1, 0, "Hemma", "Hemma:2 Skola:0 Mallar:4", "Hemma", false},
        {"USB: the current set found whatever its case", all, 1, 0, 0, "hEMMA", "Hemma:2 Skola:0", "hEMMA", false},
        {"USB: a deleted current set gives way to the first ordinary set", all, 1, 0, 0, "Borta",
         "Skola:2 Hemma:0", "Skola", true},
        {"USB: no ordinary set leaves no current set", {"Mallar", "Standardöverlägg"}, 1, 1, 1, "Borta",
         "Mallar:4 Standardöverlägg:4", "", true},
        {"USB: no sets at all", {}, 1, 1, 1, "", "", "", true},
        {"special names differing in case are still special", {"MALLAR", "Skola", "standardÖVERLÄGG"}, 1, 0, 0, "",
         "Skola:2", "Skola", true},
        {"shown special names differing in case", {"MALLAR", "Skola", "standardÖVERLÄGG"}, 0, 1, 1, "",
         "Skola:0 MALLAR:4 standardÖVERLÄGG:4", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetTreeOptions options;
        options.model = c.model;
        options.names = kNames;
        options.showTemplates = c.showTemplates;
        options.showStandardOverlays = c.showStandard;
        std::string current = c.currentIn;
        bool changed = !c.changed;
        EXPECT_EQ(Describe(OrderSetTree(Sets(c.sets), options, current, changed)), c.lines);
        EXPECT_EQ(current, c.currentOut);
        EXPECT_EQ(changed, c.changed);
    }
}

TEST(MainWindowModelTest, SetTreeKeepsReadOnlyFlags)
{
    SetTreeOptions options;
    options.names = kNames;
    std::string current;
    bool changed = false;
    auto lines = OrderSetTree(Sets({"Skola", "Hemma"}, "Hemma"), options, current, changed);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].readOnly, 0);
    EXPECT_EQ(lines[1].readOnly, 1);
}

TEST(MainWindowModelTest, MenuStatesOverFocusSetKindReadOnlySelectionAndNames)
{
    // Columns: main menu open, rename, copy, delete, export, load, pressure | set menu rename, copy,
    // delete, load, pressure | overlay menu open, rename, copy, delete, move, pressure.
    // 1 enabled, 0 disabled, - left as it was.
    struct Column {
        MenuOwner menu;
        int command;
    };
    const Column columns[] = {
        {kMainMenu, ID_OVERLAY_OPEN}, {kMainMenu, ID_EDIT_RENAME_SELECTION}, {kMainMenu, ID_EDIT_COPY_SELECTION},
        {kMainMenu, ID_EDIT_DELETE_SELECTION}, {kMainMenu, ID_OVERLAY_EXPORT}, {kMainMenu, ID_SET_LOAD_KEYBOARD},
        {kMainMenu, ID_OVERLAY_PRESSURE}, {kSetMenu, ID_EDIT_RENAME_SELECTION}, {kSetMenu, ID_EDIT_COPY_SELECTION},
        {kSetMenu, ID_EDIT_DELETE_SELECTION}, {kSetMenu, ID_SET_LOAD_KEYBOARD}, {kSetMenu, ID_OVERLAY_PRESSURE},
        {kOverlayMenu, ID_OVERLAY_MENU_OPEN}, {kOverlayMenu, ID_EDIT_RENAME_SELECTION},
        {kOverlayMenu, ID_EDIT_COPY_SELECTION}, {kOverlayMenu, ID_EDIT_DELETE_SELECTION},
        {kOverlayMenu, ID_EDIT_MOVE_OVERLAYS}, {kOverlayMenu, ID_OVERLAY_PRESSURE},
    };
    struct Case {
        int focus;
        const char* set; // empty: none selected
        bool readOnly;
        int lines;
        bool named;
        const char* expected;
    };
    const Case cases[] = {
        {0, "", false, 0, false, "0000000|00000|------"},
        {0, "Skola", false, 0, false, "0111111|11111|------"},
        {0, "Skola", true, 0, false, "0010110|01000|------"},
        {0, "Mallar", false, 0, false, "1010000|01000|------"},
        {0, "MALLAR", false, 0, false, "1010000|01000|------"},
        {0, "Standardöverlägg", false, 0, false, "0010000|01000|------"},
        {0, "standardöverlägg", true, 0, false, "0010000|01000|------"},
        {1, "Skola", false, 1, true, "1111-11|-----|111111"},
        {1, "Skola", false, 1, false, "1000-10|-----|100000"},
        {1, "Skola", false, 3, true, "0011-11|-----|001111"},
        {1, "Skola", false, 0, false, "0000-10|-----|000000"},
        {1, "Skola", true, 1, true, "1010-10|-----|101000"},
        {1, "Skola", true, 1, false, "0000-10|-----|000000"},
        {1, "Mallar", false, 2, true, "1011-01|-----|101111"},
        {1, "mallar", false, 0, false, "1000-00|-----|100000"},
        {1, "Standardöverlägg", false, 1, true, "1111-01|-----|111111"},
        {1, "", false, 0, false, "0000-00|-----|000000"},
    };
    for (const Case& c : cases) {
        MenuSelection selection;
        selection.focus = c.focus;
        selection.setSelected = *c.set != '\0';
        selection.kind = KindOfSet(c.set, kNames);
        selection.readOnly = c.readOnly;
        selection.selectedLines = c.lines;
        selection.named = c.named;
        const MenuStates states = ComputeMenuStates(selection);
        std::string actual;
        for (size_t i = 0; i < sizeof(columns) / sizeof(columns[0]); ++i) {
            if (i == 7 || i == 12)
                actual += '|';
            const int state = states.Enabled(columns[i].menu, columns[i].command);
            actual += state < 0 ? '-' : static_cast<char>('0' + state);
        }
        EXPECT_EQ(actual, c.expected) << "focus " << c.focus << ", set \"" << c.set << "\", read-only "
                                      << c.readOnly << ", " << c.lines << " lines, named " << c.named;
    }
}

TEST(MainWindowModelTest, MenuTitlesFollowTheFocusAndTheTemplatesSet)
{
    struct Case {
        int focus;
        const char* set;
        bool named;
        int rename;
        int mainOpen;
        int overlayOpen;
    };
    const Case cases[] = {
        {0, "Skola", false, IDS_RENAME_SET, IDS_OPEN_OVERLAY, IDS_OPEN_OVERLAY},
        {1, "Skola", true, IDS_RENAME_OVERLAY, IDS_OPEN_OVERLAY, IDS_OPEN_OVERLAY},
        {1, "Mallar", true, IDS_RENAME_OVERLAY, IDS_NEW_TEMPLATE, IDS_OPEN_TEMPLATE},
        {1, "mallar", false, IDS_RENAME_OVERLAY, IDS_NEW_TEMPLATE, IDS_NEW_TEMPLATE},
        {0, "Mallar", false, IDS_RENAME_SET, IDS_NEW_TEMPLATE, IDS_NEW_TEMPLATE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        MenuSelection selection;
        selection.focus = c.focus;
        selection.setSelected = true;
        selection.kind = KindOfSet(c.set, kNames);
        selection.selectedLines = 1;
        selection.named = c.named;
        const MenuStates states = ComputeMenuStates(selection);
        EXPECT_EQ(states.Title(kMainMenu, ID_EDIT_RENAME_SELECTION), c.rename);
        EXPECT_EQ(states.Title(kMainMenu, ID_OVERLAY_OPEN), c.mainOpen);
        EXPECT_EQ(states.Title(kOverlayMenu, ID_OVERLAY_MENU_OPEN), c.overlayOpen);
    }
}

std::string ItemText(HMENU menu, UINT command)
{
    char text[256] = {};
    ::GetMenuStringA(menu, command, text, sizeof(text), MF_BYCOMMAND);
    return text;
}

bool IsGrayed(HMENU menu, UINT command)
{
    return (::GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

TEST(MainWindowModelTest, AppliedStatesRetitleAndGrayTheLoadedMenus)
{
    HMENU main = ::LoadMenuA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_MAINMENU));
    HMENU setMenu = ::LoadMenuA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_SET_MENU));
    HMENU overlayMenu = ::LoadMenuA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_OVERLAY_MENU));
    ASSERT_NE(main, nullptr);
    MenuSelection selection;
    selection.focus = 1;
    selection.setSelected = true;
    selection.kind = SetKind::kTemplates;
    selection.selectedLines = 2;
    selection.named = true;
    ApplyMenuStates(ComputeMenuStates(selection), main, setMenu, overlayMenu);
    EXPECT_EQ(ItemText(main, ID_EDIT_RENAME_SELECTION), "Byt namn på överlägg...");
    EXPECT_EQ(ItemText(main, ID_OVERLAY_FEEDBACK), "Återkoppling per överlägg...");
    EXPECT_EQ(ItemText(main, ID_OVERLAY_OPEN), "Ny mall");
    EXPECT_EQ(ItemText(overlayMenu, ID_OVERLAY_MENU_OPEN), "Öppna mall");
    EXPECT_TRUE(IsGrayed(main, ID_EDIT_RENAME_SELECTION));
    EXPECT_FALSE(IsGrayed(main, ID_EDIT_COPY_SELECTION));
    EXPECT_FALSE(IsGrayed(overlayMenu, ID_OVERLAY_MENU_OPEN));
    EXPECT_TRUE(IsGrayed(main, ID_SET_LOAD_KEYBOARD));
    EXPECT_EQ(ItemText(setMenu, ID_EDIT_COPY_SELECTION), "Kopiera...");
    ::DestroyMenu(main);
    ::DestroyMenu(setMenu);
    ::DestroyMenu(overlayMenu);
}

int CountItems(HMENU popup, UINT command)
{
    int count = 0;
    for (int i = 0; i < ::GetMenuItemCount(popup); ++i)
        count += ::GetMenuItemID(popup, i) == command ? 1 : 0;
    return count;
}

bool IsLast(HMENU popup, UINT command)
{
    return ::GetMenuItemID(popup, ::GetMenuItemCount(popup) - 1) == command;
}

TEST(MainWindowModelTest, ModelItemsOfTheMainMenuStayOnceAndLast)
{
    HMENU main = ::LoadMenuA(fw::ResourceModule(), MAKEINTRESOURCEA(IDR_MAINMENU));
    ASSERT_NE(main, nullptr);
    HMENU settings = ::GetSubMenu(main, 1);
    HMENU tools = ::GetSubMenu(main, 2);
    // PS/2, AccessKvora, PS/2 again, USB, AccessKvora: each switch as the model dialog makes it.
    struct Step {
        int model;
        int startItems;
        int irItems;
    };
    for (const Step& step : {Step{0, 1, 0}, Step{2, 1, 1}, Step{2, 1, 1}, Step{0, 1, 0}, Step{1, 0, 0}, Step{2, 1, 1}}) {
        SCOPED_TRACE(step.model);
        ApplyModelToMainMenu(main, step.model);
        EXPECT_EQ(CountItems(settings, ID_START_SETTINGS), step.startItems);
        EXPECT_EQ(CountItems(tools, ID_IR_CODES), step.irItems);
        if (step.startItems == 1) {
            EXPECT_TRUE(IsLast(settings, ID_START_SETTINGS));
        }
        if (step.irItems == 1) {
            EXPECT_TRUE(IsLast(tools, ID_IR_CODES));
            EXPECT_EQ(ItemText(tools, ID_IR_CODES), "Definition av IR-koder...");
        }
    }
    EXPECT_EQ(CountItems(::GetSubMenu(main, 0), ID_START_SETTINGS), 0);
    ::DestroyMenu(main);
}

} // namespace
