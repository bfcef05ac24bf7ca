// The main window's tree order, list lines and menu states.
#include "skarpin/MainWindowModel.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

std::vector<SetTreeLine> OrderSetTree(const std::vector<SetItem>& sets, const SetTreeOptions& options,
                                      std::string& currentSet, bool& currentChanged)
{
    currentChanged = false;
    const SetItem* current = nullptr;
    if (options.model == FileIO::kModelUSB) {
        for (const SetItem& set : sets) {
            if (SameSetName(set.name_, currentSet)) {
                current = &set;
                break;
            }
        }
        if (current == nullptr) {
            for (const SetItem& set : sets) {
                if (KindOfSet(set.name_, options.names) == SetKind::kOrdinary) {
                    current = &set;
                    break;
                }
            }
            currentSet = current != nullptr ? current->name_ : std::string();
            currentChanged = true;
        }
    }

    std::vector<SetTreeLine> lines;
    auto add = [&](const SetItem& set) {
        SetTreeLine line;
        line.name = set.name_;
        line.readOnly = set.readOnly_;
        if (KindOfSet(set.name_, options.names) != SetKind::kOrdinary)
            line.image = kImageSpecialSet;
        else if (&set == current)
            line.image = kImageCurrentSet;
        lines.push_back(line);
    };
    if (current != nullptr)
        add(*current);
    for (const SetItem& set : sets) {
        if (&set != current && KindOfSet(set.name_, options.names) == SetKind::kOrdinary)
            add(set);
    }
    for (SetKind kind : {SetKind::kTemplates, SetKind::kStandard}) {
        const bool shown = kind == SetKind::kTemplates ? options.showTemplates != 0 : options.showStandardOverlays != 0;
        if (!shown)
            continue;
        for (const SetItem& set : sets) {
            if (&set != current && KindOfSet(set.name_, options.names) == kind)
                add(set);
        }
    }
    return lines;
}

int MenuStates::Enabled(MenuOwner menu, int command) const
{
    int state = -1;
    for (const MenuItemState& item : items) {
        if (item.menu == menu && item.command == command)
            state = item.enabled ? 1 : 0;
    }
    return state;
}

int MenuStates::Title(MenuOwner menu, int command) const
{
    int title = 0;
    for (const MenuItemTitle& item : titles) {
        if (item.menu == menu && item.command == command)
            title = item.stringId;
    }
    return title;
}

MenuStates ComputeMenuStates(const MenuSelection& selection)
{
    MenuStates states;
    auto set = [&](MenuOwner menu, int command, bool enabled) { states.items.push_back({menu, command, enabled}); };
    auto title = [&](MenuOwner menu, int command, int stringId, bool dots) {
        states.titles.push_back({menu, command, stringId, dots});
    };
    const bool overlays = selection.focus == 1;
    const bool templates = selection.setSelected && selection.kind == SetKind::kTemplates;
    const int settings[] = {ID_OVERLAY_PRESSURE, ID_OVERLAY_REPETITION, ID_OVERLAY_FEEDBACK};

    title(kMainMenu, ID_EDIT_RENAME_SELECTION, overlays ? IDS_RENAME_OVERLAY : IDS_RENAME_SET, true);
    title(kMainMenu, ID_EDIT_COPY_SELECTION, overlays ? IDS_COPY_OVERLAY : IDS_COPY_SET, true);
    title(kMainMenu, ID_EDIT_DELETE_SELECTION, overlays ? IDS_DELETE_OVERLAY : IDS_DELETE_SET, true);
    title(kMainMenu, ID_OVERLAY_PRESSURE, overlays ? IDS_PRESSURE_PER_OVERLAY : IDS_PRESSURE_PER_SET, true);
    title(kMainMenu, ID_OVERLAY_REPETITION, overlays ? IDS_REPETITION_PER_OVERLAY : IDS_REPETITION_PER_SET, true);
    title(kMainMenu, ID_OVERLAY_FEEDBACK, overlays ? IDS_FEEDBACK_PER_OVERLAY : IDS_FEEDBACK_PER_SET, true);
    if (templates) {
        title(kMainMenu, ID_OVERLAY_OPEN, IDS_NEW_TEMPLATE, false);
        title(kOverlayMenu, ID_OVERLAY_MENU_OPEN, selection.named ? IDS_OPEN_TEMPLATE : IDS_NEW_TEMPLATE, false);
    } else {
        title(kMainMenu, ID_OVERLAY_OPEN, IDS_OPEN_OVERLAY, false);
        title(kOverlayMenu, ID_OVERLAY_MENU_OPEN, IDS_OPEN_OVERLAY, false);
    }

    if (overlays) {
        const bool open = !((selection.selectedLines != 1 && !templates) || (selection.readOnly && !selection.named));
        const bool writable = selection.named && !selection.readOnly;
        for (MenuOwner menu : {kMainMenu, kOverlayMenu}) {
            set(menu, menu == kMainMenu ? ID_OVERLAY_OPEN : ID_OVERLAY_MENU_OPEN, open);
            set(menu, ID_EDIT_RENAME_SELECTION, selection.selectedLines == 1 && writable);
            set(menu, ID_EDIT_COPY_SELECTION, selection.named);
            set(menu, ID_EDIT_DELETE_SELECTION, writable);
            for (int command : settings)
                set(menu, command, writable);
        }
        set(kOverlayMenu, ID_EDIT_MOVE_OVERLAYS, writable);
    } else {
        set(kMainMenu, ID_OVERLAY_OPEN, false);
        const bool special = selection.kind != SetKind::kOrdinary;
        if (!selection.setSelected) {
            for (MenuOwner menu : {kMainMenu, kSetMenu}) {
                for (int command : {ID_EDIT_RENAME_SELECTION, ID_EDIT_COPY_SELECTION, ID_EDIT_DELETE_SELECTION,
                                    ID_SET_LOAD_KEYBOARD})
                    set(menu, command, false);
                for (int command : settings)
                    set(menu, command, false);
            }
            set(kMainMenu, ID_OVERLAY_EXPORT, false);
        } else if (selection.readOnly || special) {
            for (MenuOwner menu : {kMainMenu, kSetMenu}) {
                set(menu, ID_EDIT_COPY_SELECTION, true);
                for (int command : {ID_EDIT_RENAME_SELECTION, ID_EDIT_DELETE_SELECTION, ID_SET_LOAD_KEYBOARD})
                    set(menu, command, false);
                for (int command : settings)
                    set(menu, command, false);
            }
            set(kMainMenu, ID_OVERLAY_EXPORT, !special);
            if (templates)
                set(kMainMenu, ID_OVERLAY_OPEN, true);
        } else {
            for (MenuOwner menu : {kMainMenu, kSetMenu}) {
                for (int command : {ID_EDIT_RENAME_SELECTION, ID_EDIT_COPY_SELECTION, ID_EDIT_DELETE_SELECTION,
                                    ID_SET_LOAD_KEYBOARD})
                    set(menu, command, true);
                for (int command : settings)
                    set(menu, command, true);
            }
            set(kMainMenu, ID_OVERLAY_EXPORT, true);
        }
    }
    set(kMainMenu, ID_SET_LOAD_KEYBOARD, selection.setSelected && selection.kind == SetKind::kOrdinary);
    return states;
}

void ApplyMenuStates(const MenuStates& states, HMENU mainMenu, HMENU setMenu, HMENU overlayMenu)
{
    auto menuOf = [&](MenuOwner owner) {
        return owner == kMainMenu ? mainMenu : owner == kSetMenu ? setMenu : overlayMenu;
    };
    for (const MenuItemTitle& title : states.titles) {
        HMENU menu = menuOf(title.menu);
        if (menu == nullptr)
            continue;
        std::string text = fw::LoadResString(static_cast<UINT>(title.stringId));
        if (title.dots)
            text += "...";
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<char*>(text.c_str());
        ::SetMenuItemInfoA(menu, static_cast<UINT>(title.command), FALSE, &info);
    }
    for (const MenuItemState& item : states.items) {
        HMENU menu = menuOf(item.menu);
        if (menu != nullptr)
            ::EnableMenuItem(menu, static_cast<UINT>(item.command), MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
    }
}

namespace {

// Puts the command once at the end of the popup, or takes every copy of it away.
void PlaceLast(HMENU popup, UINT command, UINT stringId, bool present)
{
    if (popup == nullptr)
        return;
    std::string text;
    char buffer[256] = {};
    // An item already there keeps its own text, mnemonic and all.
    if (::GetMenuStringA(popup, command, buffer, sizeof(buffer), MF_BYCOMMAND) > 0)
        text = buffer;
    else
        text = fw::LoadResString(stringId);
    while (::RemoveMenu(popup, command, MF_BYCOMMAND)) {
    }
    if (present)
        ::AppendMenuA(popup, MF_STRING, command, text.c_str());
}

} // namespace

void ApplyModelToMainMenu(HMENU mainMenu, int model)
{
    if (mainMenu == nullptr)
        return;
    PlaceLast(::GetSubMenu(mainMenu, 1), ID_START_SETTINGS, IDS_START_SETTINGS_ITEM, model != FileIO::kModelUSB);
    PlaceLast(::GetSubMenu(mainMenu, 2), ID_IR_CODES, IDS_IR_CODES_ITEM, model == FileIO::kModelAccessKvora);
}

std::string MainWindowCaption(int model)
{
    std::string name = fw::LoadResString(IDS_SKARPIN_NAME);
    if (model == FileIO::kModelPS2)
        return name + " " + fw::LoadResString(IDS_MODEL_PS2);
    if (model == FileIO::kModelAccessKvora)
        return fw::Format("%s AccessKvora", name.c_str());
    return name + " " + fw::LoadResString(IDS_MODEL_USB);
}
