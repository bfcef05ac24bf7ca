// The program-menu dialog: a program picked from the Windows Start menu, as a tree of its folders and
// shortcuts.
#pragma once
#include "framework/Dialog.h"
#include <commctrl.h>
#include <string>
#include <vector>

struct StartMenuEntry;

// One item of the dialog's tree (a value type).
struct TreeCtrlItemPM {
    HTREEITEM item = nullptr;
    std::string name; // as shown
    std::string path; // the file or folder
    int reserved = 0;
    int icon = -1;    // the item's own icon in the image list; -1 for a folder or an entry without one

    void Reset() { *this = TreeCtrlItemPM(); }
};

// Modal; the caller owns the strings and the icon it receives.
class ProgramMenuDlg : public fw::Dialog {
public:
    // On OK: program and arguments receive what the chosen entry starts; icon, when given, receives the
    // program's icon drawn at 32 x 32 on white as a packed DIB that the caller frees with GlobalFree,
    // or null for an entry without an icon. The clipboard is never touched.
    ProgramMenuDlg(std::string& program, std::string& arguments, HGLOBAL* icon, HWND parent = nullptr);
    ~ProgramMenuDlg() override;

    // The image list's first three images: folder closed, folder open, an entry without an icon.
    enum Image { kClosedFolder = 0, kOpenFolder = 1, kPlainEntry = 2 };

protected:
    bool OnInitDialog() override;
    bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
    bool OnOK() override;
    void OnDestroy() override;

private:
    void CreateImages();
    void FillTree(HTREEITEM parent, const std::vector<StartMenuEntry>& entries);
    void OnSelectionChanged();
    void OnExpanded(const NMTREEVIEWA& change);
    bool IsLeafSelected() const;
    const TreeCtrlItemPM* Record(HTREEITEM item) const;

    std::string& program_;
    std::string& arguments_;
    HGLOBAL* icon_;
    HIMAGELIST images_ = nullptr;
    std::vector<TreeCtrlItemPM> items_;
};
