// The dialog that gives the media folders of a set's overlays new locations.
#pragma once
#include "framework/Dialog.h"
#include "skarpin/SetMediaFolders.h"
#include <string>

class FileIO;

// Lists every folder the set's overlays take media from; the user gives any of them a new folder,
// typed or browsed. OK rewrites the overlays (SetMediaFolders::Apply); Cancel changes nothing.
class ChangePathDlg : public fw::Dialog {
public:
    ChangePathDlg(FileIO* fileIO, const std::string& setName, HWND parent = nullptr);

    const SetMediaFolders& Folders() const { return folders_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnLineSelected();
    void OnFolderTyped();
    void OnBrowse();

    FileIO* fileIO_;
    SetMediaFolders folders_;
    int editing_ = -1; // the line whose folder the edit box shows
};
