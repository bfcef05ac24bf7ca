// The sound file chooser: the system's open dialog with a pane whose Play and Stop buttons preview
// the selected sound through the caller's media player.
#pragma once
#include "components/MediaPlayer.h"
#include "framework/Gdi.h"
#include "library/PictureButton.h"
#include "library/PreviewFileDlg.h"

class OpenSoundDlg : public PreviewFileDlg {
public:
    // player: the caller's player (not owned), or null for no preview. With the classic player the
    // initial file name is the file to preview until the selection changes; with the other kind there
    // is none at first.
    OpenSoundDlg(MediaPlayer* player, bool open, const char* defaultExtension, const char* fileName, DWORD flags,
                 const char* filter, HWND parent);

    // The title, the filter of the sound types (wma among them only when asked for), and the initial
    // folder, which is used only when no initial file name was given.
    void SetUpSoundFilter(const std::string& title, const std::string& initialFolder, bool withWma);

    // Stops the preview and hides Stop: the action of Stop, also for the caller when its player tells
    // that the sound has ended.
    void StopPreview();
    const std::string& PreviewFile() const { return previewFile_; }

protected:
    void OnInitPane() override;
    void OnSelectionChange(const std::string& path) override;
    bool OnPaneCommand(int id, int code) override;
    bool OnPaneDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnPaneDestroy() override;

private:
    void OnPlay();

    MediaPlayer* player_;
    std::string previewFile_;
    PictureButton playButton_;
    PictureButton stopButton_;
};
