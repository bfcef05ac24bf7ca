// Skarpin's main window: the set tree on the left, the overlays of the selected set on the right,
// the main menu and the set and overlay context menus kept in step with the selection.
#pragma once
#include "framework/Dialog.h"
#include "loader/CIconListBox.h"
#include "loader/FileIO.h"
#include "loader/ListRecords.h"
#include "loader/MainWindowModel.h"
#include "loader/SetListOwner.h"
#include "loader/SetTreeCtrl.h"
#include "loader/TreeCtrlItem.h"
#include <commctrl.h>
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

    // SetListOwner
    HWND OverlayEditorWindow() const override { return overlayEditor_; }
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

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
    bool OnOK() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void CreateImageLists();
    void OnSetSelected();
    void OnOverlaySelected();
    void ShowContextMenu(HMENU menu, HWND control);

    POINT popupPoint_{0, 0};
    int selectionFocus_ = 0;
    std::string selectedOverlayName_;
    HWND overlayEditor_ = nullptr; // the open overlay editor; none until the editor exists
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
    HIMAGELIST treeImages_ = nullptr;
    HIMAGELIST listImages_ = nullptr;
};
