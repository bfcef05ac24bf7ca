// The export wizard's last page: the zip file, proposed under a free name and chosen with Browse,
// and on Finish the packing of the overlay copies, their register and the chosen media files, with
// its progress, onto the hard disk or onto diskettes in drive A.
#pragma once
#include "components/ZipArchive.h"
#include "framework/PropertySheet.h"
#include "skarpin/ExportModel.h"
#include "skarpin/ExportWorkFolder.h"
#include "store/FileIO.h"
#include "store/ListRecords.h"
#include <string>
#include <vector>

class ExportPage4 : public fw::PropertyPage {
public:
    ExportPage4(const std::string& setName, FileIO* fileIO, std::vector<SetItem>* overlays,
                std::vector<SetItem>* media, ExportWorkFolder* workFolder);

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id, int code) override;
    bool OnWizardFinish() override;

private:
    void OnBrowse();
    bool MayReplace(const std::string& zipPath);
    // Diskette mode: asks for a diskette until drive A is ready; false when the user gave up.
    bool WaitForDiskette();
    bool WriteRegister(const std::string& path) const;
    void ShowPacking(bool packing);
    bool OnProgress(const zip::Progress& progress);
    bool OnDiskRequest(int disk, int disks);
    void ReportFailure(UINT reasonId, const std::string& detail);
    void ReportResult(zip::Result result, const std::string& zipPath, const std::string& failedFile);
    void ReportDone(const exportwizard::ArchivePlan& plan);

    std::string setName_;
    FileIO* fileIO_;
    std::vector<SetItem>* overlays_;
    std::vector<SetItem>* media_;
    ExportWorkFolder* workFolder_;
    std::string zipFolder_;
    std::string askedAbout_; // the path the save dialog last asked about replacing
    bool cancelled_ = false;
};
