// The picture file chooser: the system's open dialog with a pane that previews the selected picture
// while "Visa bild" is checked.
#pragma once
#include "library/PicturePreview.h"
#include "library/PreviewFileDlg.h"
#include <memory>

class OpenImageDlg : public PreviewFileDlg {
public:
    // open false makes it a save dialog; filter as "description|pattern|" pairs. The preview shows the
    // pictures; by default the library's own.
    OpenImageDlg(bool open, const char* defaultExtension, const char* fileName, DWORD flags, const char* filter,
                 HWND parent, PicturePreviewFactory preview = nullptr);

    // The title, the filter of every picture type, and the initial folder, which is used only when no
    // initial file name was given.
    void SetUpPictureFilter(const std::string& title, const std::string& initialFolder);

    static const char kPictureFilter[];

protected:
    void OnInitPane() override;
    void OnPanePlaced() override;
    void OnSelectionChange(const std::string& path) override;
    bool OnPaneCommand(int id, int code) override;
    void OnPaneDestroy() override;

private:
    void ShowPicture(const std::string& path);

    PicturePreviewFactory factory_;
    std::unique_ptr<PicturePreview> preview_;
    std::string lastPath_;
};
