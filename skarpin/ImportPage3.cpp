// The import wizard's choice of media files, and the placing on Finish.
#include "skarpin/ImportPage3.h"
#include "framework/Cursor.h"
#include "framework/Prompt.h"
#include "framework/RedrawPause.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "skarpin/ImportModel.h"
#include "skarpin/resource.h"
#include <algorithm>
#include <functional>
#include <unordered_set>

using namespace importwizard;

namespace {

std::string Lines(const std::vector<std::string>& texts)
{
    std::string lines;
    for (const std::string& text : texts)
        lines += text + "\n";
    return lines;
}

} // namespace

ImportPage3::ImportPage3(ImportData* data)
    : ImportTreePage(IDD_IMPORT_PAGE3, IDS_IMPORT_CAPTION_FILES, IDC_IMPORT_MEDIA_TREE), data_(data)
{
}

// ---- Opening and entry --------------------------------------------------------------------------

bool ImportPage3::OnInitDialog()
{
    SetItemText(IDC_IMPORT_FILES_INFO, fw::LoadResString(IDS_IMPORT_CHOOSE_FILES));
    SetItemText(IDC_IMPORT_ALL, fw::LoadResString(IDS_EXPORT_ALL));
    SetItemText(IDC_IMPORT_NONE, fw::LoadResString(IDS_EXPORT_NONE));
    SetItemText(IDC_IMPORT_BROWSE, fw::LoadResString(IDS_EXPORT_BROWSE));
    SetItemText(IDC_IMPORT_SHARED_FOLDER, fw::LoadResString(IDS_IMPORT_SHARED_FOLDER));
    SetItemText(IDC_IMPORT_KEEP_PATHS, fw::LoadResString(IDS_IMPORT_KEEP_PATHS));
    Control<fw::ProgressBar>(IDC_IMPORT_PROGRESS).SetRange(0, 100);
    return true;
}

bool ImportPage3::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    fw::WaitCursor wait;
    CollectMedia();
    SetChecked(IDC_IMPORT_SHARED_FOLDER, true);
    SetChecked(IDC_IMPORT_KEEP_PATHS, false);
    // The new set's own import folder, whose files go along when its overlays are copied or moved.
    SetItemText(IDC_IMPORT_PATH, data_->fileIO->SetImportFolderPath(data_->newSetName));
    StartChecks();
    return true;
}

// Only the files the chosen overlays use are offered; the archive's other files stay behind.
void ImportPage3::CollectMedia()
{
    for (SetItem& file : data_->media)
        file.selected_ = 0;
    ClearTree();
    std::vector<std::string> references;
    for (const SetItem& overlay : data_->overlays) {
        if (!overlay.selected_)
            continue;
        const std::vector<std::string> own = OverlayReferences(*data_->fileIO, overlay.path_);
        references.insert(references.end(), own.begin(), own.end());
    }
    // Sorted here and added at the end: the tree's own sorted insert walks every line before it,
    // which is slow for thousands of files.
    std::vector<std::string> chosen = ChooseReferencedMedia(references, data_->media);
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    // Without drawing meanwhile: the tree would otherwise lay out all its lines again at each one added.
    fw::RedrawPause pause(Tree().Handle());
    for (const std::string& storedName : chosen)
        items_.emplace_back(Tree().Insert(TVI_ROOT, TVI_LAST, Backslashed(storedName)), storedName);
}

// ---- Buttons ------------------------------------------------------------------------------------

bool ImportPage3::OnCommand(int id, int code)
{
    if (id != IDC_IMPORT_BROWSE)
        return ImportTreePage::OnCommand(id, code);
    OnBrowse();
    return true;
}

void ImportPage3::OnBrowse()
{
    const std::string title = fw::LoadResString(IDS_IMPORT_FOLDER_TITLE);
    std::string folder;
    if (!fw::ChooseFolder(hwnd_, title, folder, ItemText(IDC_IMPORT_PATH)))
        return;
    SetItemText(IDC_IMPORT_PATH, cp1252::Lower(folder));
    SetChecked(IDC_IMPORT_SHARED_FOLDER, true);
    SetChecked(IDC_IMPORT_KEEP_PATHS, false);
}

// ---- Finish: the placing ------------------------------------------------------------------------

bool ImportPage3::OnWizardFinish()
{
    fw::WaitCursor wait;
    const std::vector<std::pair<std::string, bool>> checks = Checks();
    TakeMediaChecks(data_->media, checks);
    if (!UnpackChosenMedia())
        return false;
    // A file whose name could not be made in the work folder is not placed, and is told.
    const std::vector<std::string> notUnpacked = data_->archive.NotUnpacked();
    std::unordered_set<std::string> missing;
    for (const std::string& name : notUnpacked)
        missing.insert(zip::FoldedName(name));
    for (SetItem& file : data_->media) {
        if (missing.count(zip::FoldedName(file.path_)) > 0)
            file.selected_ = 0;
    }
    const PlacementResult result = Place();
    return Report(result, notUnpacked);
}

// On this thread, with the progress and Cancel as during the unpacking.
PlacementResult ImportPage3::Place()
{
    const PlacementRequest request = Request();
    ShowProgress(true);
    PlacementResult result;
    {
        UnpackingProgress progress(hwnd_, data_->unpacking, IDC_IMPORT_PROGRESS_LABEL, IDC_IMPORT_PROGRESS,
                                   IDS_IMPORT_PLACING);
        result = PlaceImport(*data_->fileIO, request, data_->overlays, data_->media, std::ref(progress));
        progress.CloseIfCancelled();
    }
    ShowProgress(false);
    SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    return result;
}

// The chosen files come out of the archive only now, so nothing the user did not choose fills the
// disk. A failure leaves none of them behind, and nothing is imported.
bool ImportPage3::UnpackChosenMedia()
{
    ShowProgress(true);
    data_->unpacking.StartReading();
    zip::Result result;
    {
        UnpackingProgress progress(hwnd_, data_->unpacking, IDC_IMPORT_PROGRESS_LABEL, IDC_IMPORT_PROGRESS);
        result = data_->archive.UnpackMedia(data_->workFolder.Path(), data_->media, std::ref(progress));
        progress.CloseIfCancelled();
    }
    ShowProgress(false);
    SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    if (result != zip::Result::Ok && result != zip::Result::Cancelled && !data_->unpacking.WasVolumeRefused())
        ReportUnpackFailure(hwnd_, result, data_->zipPath, data_->archive.FailedEntry(), data_->archive.NeededBytes());
    return result == zip::Result::Ok;
}

// The progress takes the place of the choice of folder while it shows.
void ImportPage3::ShowProgress(bool shown)
{
    for (int id : {IDC_IMPORT_SHARED_FOLDER, IDC_IMPORT_PATH, IDC_IMPORT_BROWSE, IDC_IMPORT_KEEP_PATHS})
        ShowItem(id, !shown);
    SetItemText(IDC_IMPORT_PROGRESS_LABEL, std::string());
    Control<fw::ProgressBar>(IDC_IMPORT_PROGRESS).SetPos(0);
    ShowItem(IDC_IMPORT_PROGRESS_LABEL, shown);
    ShowItem(IDC_IMPORT_PROGRESS, shown);
}

bool ImportPage3::OnQueryCancel()
{
    return data_->unpacking.QueryCancel();
}

PlacementRequest ImportPage3::Request() const
{
    PlacementRequest request;
    request.setName = data_->newSetName;
    request.workFolder = data_->workFolder.Path();
    request.fallbackOverlayName = fw::LoadResString(IDS_IMPORT_DEFAULT_OVERLAY_NAME);
    if (IsChecked(IDC_IMPORT_KEEP_PATHS)) {
        request.mode = MediaMode::kKeepPaths;
        char current[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, current);
        request.driveOrFolder = DriveForKeptPaths(current, data_->fileIO->setFolder_);
    } else {
        request.mode = MediaMode::kSharedFolder;
        // The set's own import folder, as shown when the page was entered, follows the name the set
        // finally gets; a folder the user browsed to stays as chosen.
        const std::string shown = ItemText(IDC_IMPORT_PATH);
        if (!cp1252::EqualsNoCase(shown, data_->fileIO->SetImportFolderPath(data_->newSetName)))
            request.driveOrFolder = shown;
    }
    return request;
}

bool ImportPage3::Report(const PlacementResult& result, const std::vector<std::string>& notUnpacked)
{
    const std::string error = fw::LoadResString(IDS_EXPORT_ERROR_CAPTION);
    switch (result.outcome) {
    case PlacementResult::kNoRoom:
        fw::ShowMessage(hwnd_, IDS_IMPORT_NO_NUMBERS, IDS_EXPORT_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
        return false;
    case PlacementResult::kSetNotCreated:
        fw::ShowMessage(hwnd_, IDS_IMPORT_SET_NOT_CREATED,
                        fw::FormatResString(IDS_IMPORT_SET_NOT_CREATED, result.setName.c_str()), error,
                        MB_OK | MB_ICONSTOP);
        return false;
    case PlacementResult::kOverlayNotPlaced:
        fw::ShowMessage(hwnd_, IDS_IMPORT_OVERLAY_NOT_PLACED,
                        fw::FormatResString(IDS_IMPORT_OVERLAY_NOT_PLACED, result.failedOverlay.c_str()), error,
                        MB_OK | MB_ICONSTOP);
        return false;
    case PlacementResult::kCancelled:
        return false;
    case PlacementResult::kPlaced:
        break;
    }
    data_->newSetName = result.setName;
    if (result.filesNotPlaced.empty() && result.overlaysNotFixed.empty() && notUnpacked.empty()) {
        fw::ShowMessage(hwnd_, IDS_IMPORT_DONE, IDS_IMPORT_CAPTION, MB_OK | MB_ICONINFORMATION);
        return true;
    }
    std::vector<std::string> files;
    for (const std::string& file : result.filesNotPlaced)
        files.push_back(Backslashed(file));
    std::string problems;
    if (!notUnpacked.empty()) {
        std::vector<std::string> names;
        for (const std::string& name : notUnpacked)
            names.push_back(Backslashed(name));
        problems += fw::FormatResString(IDS_IMPORT_FILES_NOT_UNPACKED, Lines(names).c_str());
    }
    if (!files.empty())
        problems += fw::FormatResString(IDS_IMPORT_FILES_NOT_PLACED, Lines(files).c_str());
    if (!result.overlaysNotFixed.empty())
        problems += fw::FormatResString(IDS_IMPORT_REFERENCES_NOT_FIXED, Lines(result.overlaysNotFixed).c_str());
    fw::ShowMessage(hwnd_, IDS_IMPORT_DONE_PARTLY, fw::FormatResString(IDS_IMPORT_DONE_PARTLY, problems.c_str()),
                    fw::LoadResString(IDS_IMPORT_CAPTION), MB_OK | MB_ICONWARNING);
    return true;
}
