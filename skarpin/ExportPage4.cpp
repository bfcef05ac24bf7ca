// The export wizard's zip file and packing.
#include "skarpin/ExportPage4.h"
#include "framework/Cursor.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "library/ImageBaseManager.h"
#include "skarpin/ExportPacking.h"
#include "skarpin/resource.h"
#include <vector>

ExportPage4::ExportPage4(const std::string& setName, FileIO* fileIO, std::vector<SetItem>* overlays,
                         std::vector<SetItem>* media, ExportWorkFolder* workFolder)
    : fw::PropertyPage(IDD_EXPORT_PAGE4, IDS_EXPORT_CAPTION_ZIP), setName_(setName), fileIO_(fileIO),
      overlays_(overlays), media_(media), workFolder_(workFolder)
{
}

// ---- Opening, entry and Browse ------------------------------------------------------------------

bool ExportPage4::OnInitDialog()
{
    SetItemText(IDC_EXPORT_INFO, fw::LoadResString(IDS_EXPORT_ZIP_PROMPT));
    SetItemText(IDC_EXPORT_BROWSE, fw::LoadResString(IDS_EXPORT_BROWSE));
    ShowPacking(false);
    return true;
}

bool ExportPage4::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    zipFolder_ = fileIO_->exportFolder_;
    SetItemText(IDC_EXPORT_ZIP_PATH, exportwizard::ProposedZipPath(zipFolder_, setName_));
    return true;
}

bool ExportPage4::OnCommand(int id, int code)
{
    if (id != IDC_EXPORT_BROWSE)
        return false;
    OnBrowse();
    return true;
}

void ExportPage4::OnBrowse()
{
    std::vector<char> file(32768, '\0');
    const std::string shown = ItemText(IDC_EXPORT_ZIP_PATH);
    shown.copy(file.data(), file.size() - 1);
    const std::string filter = fw::LoadResString(IDS_EXPORT_ZIP_FILTER) + '\0' + "*.zip" + '\0';
    const std::string title = fw::LoadResString(IDS_EXPORT_ZIP_TITLE);
    OPENFILENAMEA request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = hwnd_;
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT | OFN_EXTENSIONDIFFERENT;
    if (!fw::ShowSaveFileDialog(request))
        return;
    const std::string chosen = exportwizard::WithZipExtension(file.data());
    // The dialog asked about replacing only the name it gave back, not one the extension changed.
    askedAbout_ = chosen == file.data() ? chosen : std::string();
    SetItemText(IDC_EXPORT_ZIP_PATH, chosen);
    zipFolder_ = exportwizard::FolderOf(chosen);
}

// A file at the zip path is replaced only when the user said so, here or in the save dialog.
bool ExportPage4::MayReplace(const std::string& zipPath)
{
    if (!fw::FileExists(zipPath) || cp1252::EqualsNoCase(zipPath, askedAbout_))
        return true;
    return fw::ShowMessage(hwnd_, IDS_EXPORT_REPLACE_ZIP, fw::FormatResString(IDS_EXPORT_REPLACE_ZIP, zipPath.c_str()),
                           fw::LoadResString(IDS_EXPORT_CAPTION), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

// ---- Finish: the packing ------------------------------------------------------------------------

bool ExportPage4::OnWizardFinish()
{
    fw::WaitCursor wait;
    const bool diskette = exportwizard::IsDisketteFolder(zipFolder_);
    // Kept for the next export while the program runs; the settings file is not written.
    fileIO_->exportFolder_ = zipFolder_;
    cancelled_ = false;
    exportwizard::PackHandlers handlers;
    if (diskette) {
        if (!WaitForDiskette())
            return false;
        handlers.clearDiskettes = fw::ShowMessage(hwnd_, IDS_EXPORT_CLEAR_DISKETTE, IDS_EXPORT_DISKETTE_CAPTION,
                                                  MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    const std::string zipPath = ItemText(IDC_EXPORT_ZIP_PATH);
    // Each diskette's volume is created new: one there already is told, never replaced.
    if (!diskette && !MayReplace(zipPath))
        return false;
    const std::string workFolder = workFolder_->Path();
    // An archive without its register cannot be imported: no register, no archive.
    const std::string registerFile = workFolder + "register.txt";
    if (workFolder.empty() || !WriteRegister(registerFile)) {
        ReportFailure(IDS_EXPORT_NO_REGISTER, std::string());
        return false;
    }
    const exportwizard::ArchivePlan plan =
        exportwizard::PlanArchive(workFolder, *overlays_, registerFile, media_ ? *media_ : std::vector<SetItem>());

    ShowPacking(true);
    handlers.progress = [this](const zip::Progress& progress) { return OnProgress(progress); };
    handlers.askForDisk = [this](int disk, int disks) { return OnDiskRequest(disk, disks); };
    std::string failedFile;
    const zip::Result result = exportwizard::PackArchive(plan, zipPath, diskette, workFolder, handlers, failedFile);
    ShowPacking(false);
    ::DeleteFileA(registerFile.c_str());

    if (cancelled_ || result == zip::Result::Cancelled)
        return false;
    if (result != zip::Result::Ok) {
        ReportResult(result, zipPath, failedFile);
        return false;
    }
    ReportDone(plan);
    return true;
}

bool ExportPage4::WaitForDiskette()
{
    while (!exportwizard::DriveReady("A:\\")) {
        if (fw::ShowMessage(hwnd_, IDS_EXPORT_INSERT_DISKETTE, IDS_EXPORT_DISKETTE_CAPTION,
                            MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
            return false;
    }
    return true;
}

bool ExportPage4::WriteRegister(const std::string& path) const
{
    return fw::WriteReplacing(path, exportwizard::RegisterText(fileIO_->overlayListSection_, *overlays_));
}

// While packing, Browse and the path are disabled and the progress shows.
void ExportPage4::ShowPacking(bool packing)
{
    EnableItem(IDC_EXPORT_BROWSE, !packing);
    EnableItem(IDC_EXPORT_ZIP_PATH, !packing);
    ShowItem(IDC_EXPORT_PROGRESS, packing);
    ShowItem(IDC_EXPORT_PROGRESS_LABEL, packing);
    SetItemText(IDC_EXPORT_PROGRESS_LABEL, std::string());
    fw::ProgressBar bar = Control<fw::ProgressBar>(IDC_EXPORT_PROGRESS);
    bar.SetRange(0, 100);
    bar.SetPos(0);
}

bool ExportPage4::OnProgress(const zip::Progress& progress)
{
    const std::string name = progress.file.substr(progress.file.find_last_of("\\/") + 1);
    SetItemText(IDC_EXPORT_PROGRESS_LABEL, fw::FormatResString(IDS_EXPORT_PACKING, name.c_str()));
    Control<fw::ProgressBar>(IDC_EXPORT_PROGRESS).SetPos(progress.Percent());
    // The packing runs on this thread: the label and the bar are drawn now, not after it.
    ::UpdateWindow(Item(IDC_EXPORT_PROGRESS_LABEL));
    ::UpdateWindow(Item(IDC_EXPORT_PROGRESS));
    return true;
}

bool ExportPage4::OnDiskRequest(int disk, int disks)
{
    ShowItem(IDC_EXPORT_PROGRESS, false);
    if (disk == 1 && disks == 1) {
        SetItemText(IDC_EXPORT_PROGRESS_LABEL, fw::LoadResString(IDS_EXPORT_TO_DISKETTE));
        ::UpdateWindow(Item(IDC_EXPORT_PROGRESS_LABEL));
        return true;
    }
    const UINT textId = disk == 1 ? IDS_EXPORT_FIRST_DISKETTE : IDS_EXPORT_NEXT_DISKETTE;
    const int answer = fw::ShowMessage(hwnd_, textId, fw::FormatResString(textId, disk, disks),
                                       fw::LoadResString(IDS_EXPORT_DISKETTE_CAPTION), MB_OKCANCEL);
    cancelled_ = answer != IDOK;
    SetItemText(IDC_EXPORT_PROGRESS_LABEL, fw::FormatResString(IDS_EXPORT_SAVING_DISKETTE, disk));
    ::UpdateWindow(Item(IDC_EXPORT_PROGRESS_LABEL));
    return !cancelled_;
}

// ---- What the user is told ----------------------------------------------------------------------

void ExportPage4::ReportFailure(UINT reasonId, const std::string& detail)
{
    const std::string reason = detail.empty() ? fw::LoadResString(reasonId) : fw::FormatResString(reasonId, detail.c_str());
    fw::ShowMessage(hwnd_, IDS_EXPORT_FAILED, fw::FormatResString(IDS_EXPORT_FAILED, reason.c_str()),
                    fw::LoadResString(IDS_EXPORT_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
}

void ExportPage4::ReportResult(zip::Result result, const std::string& zipPath, const std::string& failedFile)
{
    if (result == zip::Result::CannotOpen && !failedFile.empty())
        ReportFailure(IDS_EXPORT_CANNOT_READ, failedFile);
    else if (result == zip::Result::TooLarge)
        ReportFailure(IDS_EXPORT_TOO_LARGE, std::string());
    else if (result == zip::Result::DuplicateName)
        ReportFailure(IDS_EXPORT_VOLUME_EXISTS, ImageBaseManager::GetFileNameFromPath(zipPath));
    else
        ReportFailure(IDS_EXPORT_CANNOT_WRITE, zipPath);
}

void ExportPage4::ReportDone(const exportwizard::ArchivePlan& plan)
{
    if (plan.leftOut.empty()) {
        fw::ShowMessage(hwnd_, IDS_EXPORT_DONE, IDS_EXPORT_DONE_CAPTION, MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::string files;
    for (const std::string& file : plan.leftOut)
        files += file + "\n";
    fw::ShowMessage(hwnd_, IDS_EXPORT_DONE_LEFT_OUT, fw::FormatResString(IDS_EXPORT_DONE_LEFT_OUT, files.c_str()),
                    fw::LoadResString(IDS_EXPORT_DONE_CAPTION), MB_OK | MB_ICONINFORMATION);
}
