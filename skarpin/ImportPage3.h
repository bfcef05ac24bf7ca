// The import wizard's last page: the picture, sound and video files of the archive that the chosen
// overlays use, where they go (one shared folder, or the paths they were exported from on the
// current drive), and on Finish the new set with the overlays and files placed.
#pragma once
#include "skarpin/ImportData.h"
#include "skarpin/ImportPlacing.h"
#include "skarpin/ImportTreePage.h"

class ImportPage3 : public ImportTreePage {
public:
    explicit ImportPage3(ImportData* data);

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id, int code) override;
    bool OnWizardFinish() override;
    // While the chosen files are unpacked, Cancel stops the unpacking first.
    bool OnQueryCancel() override;
    void SetChecks() override { CheckAll(true); }

private:
    void CollectMedia();
    bool UnpackChosenMedia();
    void ShowProgress(bool shown);
    void OnBrowse();
    importwizard::PlacementRequest Request() const;
    importwizard::PlacementResult Place();
    // Tells the user how the placing went, with the chosen files that could not be unpacked; true
    // when the wizard may close.
    bool Report(const importwizard::PlacementResult& result, const std::vector<std::string>& notUnpacked);

    ImportData* data_;
};
