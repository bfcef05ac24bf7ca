// The export wizard's choice of media files: the chosen overlays are copied into the work folder, the
// picture, sound and video files they use are listed with check boxes, and the selected one can be
// tried: a picture shows beside the tree, a sound or video plays.
#pragma once
#include "components/MciSound.h"
#include "components/MediaPlayer.h"
#include "library/ImagXpress.h"
#include "library/KvoraObject.h"
#include "skarpin/ExportModel.h"
#include "skarpin/ExportTreePage.h"
#include "skarpin/ExportWorkFolder.h"
#include "store/FileIO.h"
#include "store/ListRecords.h"
#include <memory>
#include <string>
#include <vector>

class ExportPage3 : public ExportTreePage {
public:
    // overlays: the chosen overlays to copy; media: filled with the checked files when the page is left forward.
    ExportPage3(const std::string& setName, FileIO* fileIO, std::vector<SetItem>* overlays,
                std::vector<SetItem>* media, ExportWorkFolder* workFolder);
    ~ExportPage3() override;

    // What the test display holds now (its draw flag says whether its picture is painted).
    const CKvoraObject& Shown() const { return content_; }

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    void SetChecks() override { CheckAll(true); }
    bool OnCommand(int id, int code) override;
    bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT OnWizardNext() override;
    void OnDestroy() override;

private:
    // The set's paths of the overlays that could not be copied.
    std::vector<std::string> CopyOverlays();
    void ReportNotCopied(const std::vector<std::string>& paths);
    void OnTest();
    void OnStop();
    void PlaySound();
    void ShowPlayer(bool show);

    std::string setName_;
    FileIO* fileIO_;
    std::vector<SetItem>* overlays_;
    std::vector<SetItem>* media_;
    ExportWorkFolder* workFolder_;
    exportwizard::MediaList collected_;
    RECT pictureRect_{};
    std::unique_ptr<CImagXpress> picture_;
    std::unique_ptr<MediaPlayer> player_;
    CKvoraObject content_;
    MciSound mci_;
};
