// The import wizard's choice and reading of the zip file.
#include "skarpin/ImportPage1.h"
#include "framework/Cursor.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "skarpin/ExportModel.h"
#include "skarpin/ImportPlacing.h"
#include "skarpin/resource.h"
#include "store/StoreFiles.h"
#include <functional>
#include <unordered_set>
#include <vector>

using namespace importwizard;

ImportPage1::ImportPage1(ImportData* data) : fw::PropertyPage(IDD_IMPORT_PAGE1, IDS_IMPORT_CAPTION_ZIP), data_(data) {}

// ---- Opening, entry and Browse ------------------------------------------------------------------

bool ImportPage1::OnInitDialog()
{
    SetItemText(IDC_IMPORT_INFO, fw::LoadResString(IDS_IMPORT_NEW_SET_NOTE));
    SetItemText(IDC_IMPORT_PROMPT, fw::LoadResString(IDS_IMPORT_ZIP_PROMPT));
    SetItemText(IDC_IMPORT_NOTE, fw::LoadResString(IDS_IMPORT_NOTE));
    SetItemText(IDC_IMPORT_DISKETTE_NOTE, fw::LoadResString(IDS_IMPORT_LAST_DISKETTE_NOTE));
    SetItemText(IDC_IMPORT_BROWSE, fw::LoadResString(IDS_EXPORT_BROWSE));
    Control<fw::ProgressBar>(IDC_IMPORT_PROGRESS).SetRange(0, 100);
    return true;
}

bool ImportPage1::OnSetActive()
{
    SetWizardButtons(PSWIZB_NEXT);
    ShowProgress(false);
    return true;
}

bool ImportPage1::OnCommand(int id, int code)
{
    if (id != IDC_IMPORT_BROWSE)
        return false;
    OnBrowse();
    return true;
}

void ImportPage1::OnBrowse()
{
    std::vector<char> file(32768, '\0');
    const std::string shown = ItemText(IDC_IMPORT_PATH);
    shown.copy(file.data(), file.size() - 1);
    const std::string filter = fw::LoadResString(IDS_EXPORT_ZIP_FILTER) + '\0' + "*.zip" + '\0';
    const std::string title = fw::LoadResString(IDS_EXPORT_BROWSE);
    OPENFILENAMEA request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = hwnd_;
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (shown.empty())
        request.lpstrInitialDir = data_->fileIO->importFolder_.c_str();
    if (!fw::ShowOpenFileDialog(request))
        return;
    SetItemText(IDC_IMPORT_PATH, file.data());
    // Kept for the next import while the program runs; the settings file is not written.
    data_->fileIO->importFolder_ = exportwizard::FolderOf(file.data());
}

// ---- Next: reading the archive ------------------------------------------------------------------

LRESULT ImportPage1::OnWizardNext()
{
    const std::string path = ItemText(IDC_IMPORT_PATH);
    if (path.empty()) {
        fw::ShowMessage(hwnd_, IDS_IMPORT_NO_ZIP, IDS_EXPORT_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
        return -1;
    }
    if (!cp1252::EqualsNoCase(path, data_->zipPath)) {
        data_->reread = 1;
        data_->zipPath = path;
    }
    fw::WaitCursor wait;
    // Going back and forward again keeps what was read, and the user's choices in it.
    if (!data_->reread)
        return 0;
    const bool read = ReadArchive();
    ShowProgress(false);
    if (!read)
        return -1;
    data_->reread = 0;
    return 0;
}

// Only the register and the overlay files are unpacked here: the media files wait until the user
// has chosen the overlays and the files to take.
bool ImportPage1::ReadArchive()
{
    FileIO& io = *data_->fileIO;
    data_->newSetName = NewSetName(data_->zipPath,
                                   [&](const std::string& name) { return fw::PathExists(io.SetFolderPath(name)); },
                                   fw::LoadResString(IDS_IMPORT_DEFAULT_SET_NAME));
    ShowProgress(true);
    SetItemText(IDC_IMPORT_PROGRESS_LABEL, fw::LoadResString(IDS_IMPORT_READING_ZIP));
    data_->registerPath.clear();
    data_->overlays.clear();
    data_->media.clear();
    data_->workFolder.Empty();

    ImportArchive& archive = data_->archive;
    if (!OpenArchive())
        return false;
    archive.NameOverlaysAsTheRegister(io.overlayListSection_);
    if (archive.Listing().registerName.empty()) {
        fw::ShowMessage(hwnd_, IDS_IMPORT_NO_REGISTER, IDS_EXPORT_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
        return false;
    }
    const std::string folder = data_->workFolder.Path();
    if (folder.empty()) {
        fw::ShowMessage(hwnd_, IDS_IMPORT_NO_WORK_FOLDER, IDS_EXPORT_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
        return false;
    }
    if (!UnpackOverlays(folder))
        return false;
    // An overlay whose name could not be made in the work folder is not offered.
    const std::vector<std::string> notUnpacked = archive.NotUnpacked();
    std::unordered_set<std::string> missing;
    for (const std::string& name : notUnpacked)
        missing.insert(zip::FoldedName(name));
    std::vector<SetItem> overlays;
    std::vector<std::string> references;
    for (const SetItem& overlay : archive.Listing().overlays) {
        if (missing.count(zip::FoldedName(overlay.path_)) > 0)
            continue;
        overlays.push_back(overlay);
        const std::vector<std::string> own = OverlayReferences(io, folder + Backslashed(overlay.path_));
        references.insert(references.end(), own.begin(), own.end());
    }
    archive.NameMediaAsTheOverlays(references);

    const ArchiveListing& listing = archive.Listing();
    Report(IDS_IMPORT_REFUSED_ENTRIES, listing.refused);
    Report(IDS_IMPORT_OVERLAYS_TOO_LARGE, listing.tooLarge);
    Report(IDS_IMPORT_NOT_UNPACKED, notUnpacked);
    data_->registerPath = folder + Backslashed(listing.registerName);
    data_->overlays = overlays;
    data_->media = listing.media;
    return true;
}

// The user may have chosen the first diskette of a set: the directory is on the last one.
bool ImportPage1::OpenArchive()
{
    data_->unpacking.StartReading();
    for (;;) {
        const zip::Result result =
            data_->archive.Open(data_->zipPath, [this](int disk, int count) { return VolumeOf(disk, count); });
        if (result == zip::Result::Ok)
            return true;
        if (result == zip::Result::NotAnArchive && ImportArchive::IsFirstOfSeveral(data_->zipPath)) {
            if (fw::ShowMessage(hwnd_, IDS_IMPORT_INSERT_LAST_DISKETTE, IDS_EXPORT_DISKETTE_CAPTION,
                                MB_OKCANCEL | MB_ICONINFORMATION) == IDOK)
                continue;
            return false;
        }
        if (!data_->unpacking.WasVolumeRefused())
            ReportUnpackFailure(hwnd_, result, data_->zipPath, data_->archive.FailedEntry(), 0);
        return false;
    }
}

bool ImportPage1::UnpackOverlays(const std::string& folder)
{
    EnableItem(IDC_IMPORT_BROWSE, false);
    zip::Result result;
    {
        UnpackingProgress progress(hwnd_, data_->unpacking, IDC_IMPORT_PROGRESS_LABEL, IDC_IMPORT_PROGRESS);
        result = data_->archive.UnpackOverlays(folder, std::ref(progress));
        progress.CloseIfCancelled();
    }
    EnableItem(IDC_IMPORT_BROWSE, true);
    SetWizardButtons(PSWIZB_NEXT);
    if (result == zip::Result::Ok)
        return true;
    // Nothing half unpacked stays behind.
    data_->workFolder.Empty();
    if (!data_->unpacking.WasVolumeRefused() && result != zip::Result::Cancelled)
        ReportUnpackFailure(hwnd_, result, data_->zipPath, data_->archive.FailedEntry(), data_->archive.NeededBytes());
    return false;
}

bool ImportPage1::OnQueryCancel()
{
    return data_->unpacking.QueryCancel();
}

std::string ImportPage1::VolumeOf(int disk, int count)
{
    if (data_->unpacking.WasVolumeRefused())
        return std::string();
    // Info-ZIP's split files lie side by side; the volumes of diskettes share one name.
    if (fw::FileExists(SplitVolumePath(data_->zipPath, 0, count)))
        return SplitVolumePath(data_->zipPath, disk, count);
    ShowItem(IDC_IMPORT_PROGRESS, false);
    const int answer = fw::ShowMessage(hwnd_, IDS_EXPORT_NEXT_DISKETTE,
                                       fw::FormatResString(IDS_EXPORT_NEXT_DISKETTE, disk + 1, count),
                                       fw::LoadResString(IDS_EXPORT_DISKETTE_CAPTION), MB_OKCANCEL);
    if (answer != IDOK) {
        data_->unpacking.VolumeRefused();
        ShowProgress(false);
        return std::string();
    }
    return data_->zipPath;
}

void ImportPage1::ShowProgress(bool shown)
{
    ShowItem(IDC_IMPORT_PROGRESS_LABEL, shown);
    ShowItem(IDC_IMPORT_PROGRESS, shown);
    SetItemText(IDC_IMPORT_PROGRESS_LABEL, std::string());
    Control<fw::ProgressBar>(IDC_IMPORT_PROGRESS).SetPos(0);
}

// ---- What the user is told ----------------------------------------------------------------------

void ImportPage1::Report(UINT textId, const std::vector<std::string>& names)
{
    if (names.empty())
        return;
    std::string list;
    for (const std::string& name : names)
        list += name + "\n";
    fw::ShowMessage(hwnd_, textId, fw::FormatResString(textId, list.c_str()), fw::LoadResString(IDS_IMPORT_CAPTION),
                    MB_OK | MB_ICONWARNING);
}
