// The import wizard's first page: the zip file, chosen with Browse, read on Next into the lists of
// overlays and media files, with its register and overlay files unpacked into the work folder, its
// progress, Cancel, and for an archive spread over diskettes the prompts for them.
#pragma once
#include "components/ZipArchive.h"
#include "framework/PropertySheet.h"
#include "skarpin/ImportArchive.h"
#include "skarpin/ImportData.h"
#include <string>

class ImportPage1 : public fw::PropertyPage {
public:
    explicit ImportPage1(ImportData* data);

protected:
    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnCommand(int id, int code) override;
    LRESULT OnWizardNext() override;
    // While the archive is unpacked, Cancel stops the unpacking first.
    bool OnQueryCancel() override;

private:
    void OnBrowse();
    // Reads the archive afresh: the new set's name, the lists and the unpacked files. False when the
    // page stays (the user has been told why).
    bool ReadArchive();
    bool OpenArchive();
    bool UnpackOverlays(const std::string& folder);
    // The path of one volume of an archive over several: the split file beside it, or the same path
    // once the user has put that diskette in. Empty when the user cancelled.
    std::string VolumeOf(int disk, int count);
    void ShowProgress(bool shown);
    // The entries of the archive that are not imported, with the reason the text gives; nothing
    // when there are none.
    void Report(UINT textId, const std::vector<std::string>& names);

    ImportData* data_;
};
