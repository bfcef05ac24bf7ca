// Skarpin's main window: the set tree on the left, the overlays of the selected set on the right,
// the main menu and the set and overlay context menus kept in step with the selection.
#pragma once
#include "editor/OverlayEditorHost.h"
#include "framework/Dialog.h"
#include "framework/Printer.h"
#include "skarpin/CIconListBox.h"
#include "skarpin/KeyboardSettingsCommand.h"
#include "skarpin/MainWindowSpeech.h"
#include "skarpin/OverlayTransfer.h"
#include "skarpin/SetListOwner.h"
#include "skarpin/SetTreeCtrl.h"
#include "skarpin/TreeCtrlItem.h"
#include "store/FileIO.h"
#include "store/ListRecords.h"
#include "skarpin/MainWindowModel.h"
#include <commctrl.h>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// The keyboard model of the whole program (FileIO::Model): set when the main window
// opens and changed only by the model dialog; commands and list texts read it.
extern int g_keyboardModel;

class CSkarpinDlg : public fw::Dialog, public SetListOwner {
public:
    static constexpr UINT_PTR kStartTimer = 1;
    static constexpr UINT kStartTimerDelay = 300;

    CSkarpinDlg();
    // Tests hand in a configuration of their own.
    explicit CSkarpinDlg(const FileIOEnvironment& environment);
    ~CSkarpinDlg() override;

    void FillSetTree();
    void FillOverlayList();
    void Layout();

    // The overlay editor is made by this factory; without one, opening an overlay shows nothing.
    void SetOverlayEditorFactory(OverlayEditorFactory factory) { editorFactory_ = std::move(factory); }
    void SetEditorSettingsDialogs(EditorSettingsDialogs dialogs) { settingsDialogs_ = std::move(dialogs); }
    OverlayEditor* Editor() const { return overlayEditor_.get(); }

    // SetListOwner
    HWND OverlayEditorWindow() const override { return overlayEditor_ ? overlayEditor_->Window() : nullptr; }
    void SetPopupPoint(POINT point) override { popupPoint_ = point; }
    void SetSelectionFocus(int focus) override { selectionFocus_ = focus; }
    void UpdateMenus() override;
    void ShowSetMenu() override;
    void ShowOverlayMenu() override;
    void DeleteSelection() override;
    void DropOverlays(int source, int target, bool copy) override;

    // Read by the tests and by the commands.
    FileIO& Configuration() { return fileIO_; }
    const std::string& SelectedSetName() const { return selectedSetName_; }
    const std::string& SelectedOverlayName() const { return selectedOverlayName_; }
    int SelectionFocus() const { return selectionFocus_; }
    const std::vector<TreeCtrlItem>& TreeItems() const { return treeItems_; }
    const std::vector<SetItem>& ListLines() const { return listLines_; }
    HMENU MainMenu() const { return mainMenu_; }
    HMENU SetMenu() const { return setMenu_; }
    HMENU OverlayMenu() const { return overlayMenu_; }
    SetTreeCtrl& Tree() { return setTree_; }
    CIconListBox& List() { return overlayList_; }
    // Selects a tree line by its position, as a click would (the set selection follows).
    bool SelectSetLine(size_t index);

    // Made when timer 1 fires, and handed to every overlay editor opened afterwards: the speech
    // engine or the TextSpeaker control (at most one; both null without speech), and the default
    // printer (none before the timer, or when the system has none).
    MainWindowSpeech& Speech() { return speech_; }
    BabTTS* SpeechEngine() const { return speech_.Engine(); }
    TextSpeaker* TextSpeakerControl() const { return speech_.Speaker(); }
    const fw::Printer& Printer() const { return printer_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
    bool OnOK() override;
    // Esc, the close box, Alt+F4 and "Avsluta": an open overlay editor asks about saving first.
    bool OnCancel() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void CreateImageLists();
    void ShowMaximised();
    RECT MaximisedClientRect() const;
    void LayoutIn(const RECT& client);
    void OnSetSelected();
    void OnOverlaySelected();
    void ShowContextMenu(HMENU menu, HWND control);

    // The file commands (CSkarpinDlgCommands.cpp): sets and overlays.
    bool OnFileCommand(int id, int code);
    void NewSet();
    void CopySet();
    void RenameSet();
    void DeleteSet();
    void ImportOldSet();
    void CopyOrMoveOverlays(bool move);
    void CopyOrMoveOneOverlay(int line, bool move);
    void CopyOrMoveSeveralOverlays(const std::vector<int>& lines, bool move);
    void RenameOverlay();
    void DeleteOverlays();
    void DeleteCommand();

    // The overlay editor (CSkarpinDlgEditor.cpp).
    void OpenOverlayEditor();
    bool OnEditorMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnEditorClosed();
    void ShowOpenedLine(const OpenedOverlay& opened);
    int LineOfName(const std::string& name) const;  // the list line of an overlay name, -1 when none
    void OnEditorSize(UINT type, int width, int height);
    // An open editor asks about saving as its own close does; false when the user chose to stay.
    bool MayCloseEditor();

    // The settings commands (CSkarpinDlgSettings.cpp).
    bool OnSettingsCommand(int id);
    void EditKeyboardSettings(KeyboardGroup group);
    void EditSetKeyboardSettings(KeyboardGroup group);
    void EditOverlayKeyboardSettings(KeyboardGroup group);
    // notWritten may hold files that failed already (the set register); it is reported with them.
    void WriteOverlayGroupFields(const std::vector<std::string>& names, KeyboardGroup group,
                                 const KeyboardSettings& values, GroupFields fields,
                                 std::vector<std::string>& notWritten);
    // Runs the group's dialog on the record; false when cancelled. fields: what the user chose.
    bool RunKeyboardDialog(KeyboardGroup group, KeyboardSettings& settings, UINT captionId, int preset,
                           GroupFields& fields);
    void ChooseKeyboardModel();
    void ToggleShowSetting(int id);
    // The margin sheet and the program-start settings, which their own parts of the program fill in.
    void OnMarginSettings();
    void OnStartSettings();
    void StartSpeechAndPrinter();
    // While an overlay editor is open, clicks on the caption, the menu bar and the frame beep and
    // raise the editor; true when the click was taken.
    bool RefuseNonClientClick();

    // Drag and drop (CSkarpinDlgDrop.cpp). Each returns true when the drop was carried out.
    bool DropOnLine(int source, int target, bool copy, int selectedCount);
    bool DropOnSet(const std::string& targetSet, const std::vector<int>& lines, bool copy);
    // Tells what did not go, or went only in part, of copying or moving several overlays.
    TransferOutcome TransferLines(const std::vector<int>& lines, const std::string& target, bool move);
    void ReportTransfer(const TransferOutcome& outcome, bool move, const std::string& source,
                        const std::string& target);
    // After a move or a delete: the selected overlay name goes only when its overlay went.
    void ForgetSelectedOverlayIfGone(const std::vector<std::string>& gone);

    // Helpers of the commands.
    // The selected lines that hold an overlay, in list order; selected empty lines are deselected.
    std::vector<int> ChosenLines();
    int LineNumber(int line) const;         // the overlay number the list line stands for
    int LineOfNumber(int number) const;     // the list line of an overlay number, -1 outside the list
    // The line takes the name (empty for none) and the text the list shows for it.
    void ShowLine(int line, const std::string& name);
    void SelectOnlyLine(int line);
    // Selects the tree line of the set (its name respecting case); false when the tree has none.
    bool SelectSet(const std::string& name);
    std::vector<SetItem> TreeSets() const;
    // USB model only: the driver program hears of the change when one of the sets is its current set.
    void NotifyDriverIfCurrent(std::initializer_list<std::string> sets);
    // A set whose register is there but cannot be read lists no overlays and takes no change that
    // would write its register. Tells which file and why (textId: the set is listed, or a command is
    // refused) for the first such set; false when every set's register reads or the set keeps none.
    bool TellUnreadableRegister(UINT textId, std::initializer_list<std::string> sets);
    bool IsCurrentSet(const std::string& name) const;

    POINT popupPoint_{0, 0};
    int selectionFocus_ = 0;
    std::string selectedOverlayName_;
    std::unique_ptr<OverlayEditor> overlayEditor_; // the open overlay editor
    std::unique_ptr<OverlayEditor> closedEditor_;  // closed, deleted once its own call has returned
    OverlayEditorFactory editorFactory_;
    EditorSettingsDialogs settingsDialogs_;
    CIconListBox overlayList_;
    SetTreeCtrl setTree_;
    int setReadOnly_ = 0;
    int templatesSetSelected_ = 0;
    int standardSetSelected_ = 0;
    FileIO fileIO_;
    HICON icon_ = nullptr;
    RECT clientRect_{};
    std::vector<TreeCtrlItem> treeItems_;
    std::vector<SetItem> listLines_;
    int initialising_ = 1;
    HMENU mainMenu_ = nullptr;
    HMENU setMenu_ = nullptr;
    HMENU overlayMenu_ = nullptr;
    std::string selectedSetName_;
    PrintOptions printOptions_;
    fw::Printer printer_; // the default printer from the start timer on, or the one the user set up
    HIMAGELIST treeImages_ = nullptr;
    HIMAGELIST listImages_ = nullptr;
    MainWindowSpeech speech_;
};
