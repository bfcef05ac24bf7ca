// The import wizard's choice and reading of the zip file.
#include "loader/ImportPage1.h"
#include "framework/Files.h"
#include "framework/Cursor.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "loader/ExportModel.h"
#include "loader/StoreFiles.h"
#include "skarpin/resource.h"
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

    ImportArchive archive;
    if (!OpenArchive(archive))
        return false;
    const ArchiveListing& listing = archive.Listing();
    if (listing.registerName.empty()) {
        fw::ShowMessage(hwnd_, IDS_IMPORT_NO_REGISTER, IDS_EXPORT_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
        return false;
    }
    if (!listing.refused.empty())
        ReportRefused(listing.refused);

    data_->workFolder.Empty();
    const std::string folder = data_->workFolder.Path();
    if (folder.empty()) {
        fw::ShowMessage(hwnd_, IDS_IMPORT_NO_WORK_FOLDER, IDS_EXPORT_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
        return false;
    }
    const zip::Result result = archive.Unpack(folder, [this](const zip::Progress& progress) { return OnProgress(progress); });
    archive.Close();
    if (result != zip::Result::Ok) {
        // Nothing half unpacked stays behind.
        data_->workFolder.Empty();
        if (!cancelled_)
            ReportFailure(result, archive.FailedEntry());
        return false;
    }
    data_->registerPath = folder + Backslashed(listing.registerName);
    data_->overlays = listing.overlays;
    data_->media = listing.media;
    return true;
}

// The user may have chosen the first diskette of a set: the directory is on the last one.
bool ImportPage1::OpenArchive(ImportArchive& archive)
{
    cancelled_ = false;
    for (;;) {
        const zip::Result result = archive.Open(data_->zipPath, [this](int disk, int count) { return VolumeOf(disk, count); });
        if (result == zip::Result::Ok)
            return true;
        if (result == zip::Result::NotAnArchive && ImportArchive::IsFirstOfSeveral(data_->zipPath)) {
            if (fw::ShowMessage(hwnd_, IDS_IMPORT_INSERT_LAST_DISKETTE, IDS_EXPORT_DISKETTE_CAPTION,
                                MB_OKCANCEL | MB_ICONINFORMATION) == IDOK)
                continue;
            return false;
        }
        if (!cancelled_)
            ReportFailure(result, archive.FailedEntry());
        return false;
    }
}

std::string ImportPage1::VolumeOf(int disk, int count)
{
    // Info-ZIP's split files lie side by side; the volumes of diskettes share one name.
    if (fw::FileExists(SplitVolumePath(data_->zipPath, 0, count)))
        return SplitVolumePath(data_->zipPath, disk, count);
    ShowItem(IDC_IMPORT_PROGRESS, false);
    const int answer = fw::ShowMessage(hwnd_, IDS_EXPORT_NEXT_DISKETTE,
                                       fw::FormatResString(IDS_EXPORT_NEXT_DISKETTE, disk + 1, count),
                                       fw::LoadResString(IDS_EXPORT_DISKETTE_CAPTION), MB_OKCANCEL);
    if (answer != IDOK) {
        cancelled_ = true;
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

bool ImportPage1::OnProgress(const zip::Progress& progress)
{
    const std::string name = progress.file.substr(progress.file.find_last_of('/') + 1);
    SetItemText(IDC_IMPORT_PROGRESS_LABEL, fw::FormatResString(IDS_IMPORT_READING, name.c_str()));
    ShowItem(IDC_IMPORT_PROGRESS, true);
    Control<fw::ProgressBar>(IDC_IMPORT_PROGRESS).SetPos(progress.Percent());
    // The unpacking runs on this thread: the label and the bar are drawn now, not after it.
    ::UpdateWindow(Item(IDC_IMPORT_PROGRESS_LABEL));
    ::UpdateWindow(Item(IDC_IMPORT_PROGRESS));
    return true;
}

// ---- What the user is told ----------------------------------------------------------------------

void ImportPage1::ReportRefused(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += name + "\n";
    fw::ShowMessage(hwnd_, IDS_IMPORT_REFUSED_ENTRIES, fw::FormatResString(IDS_IMPORT_REFUSED_ENTRIES, list.c_str()),
                    fw::LoadResString(IDS_IMPORT_CAPTION), MB_OK | MB_ICONWARNING);
}

void ImportPage1::ReportFailure(zip::Result result, const std::string& entry)
{
    const std::string& zipPath = data_->zipPath;
    const std::string& where = entry.empty() ? zipPath : entry;
    UINT textId = IDS_IMPORT_DAMAGED;
    std::string detail = where;
    switch (result) {
    case zip::Result::CannotOpen:
        textId = IDS_IMPORT_CANNOT_OPEN;
        detail = zipPath;
        break;
    case zip::Result::NotAnArchive:
        textId = IDS_IMPORT_NOT_A_ZIP;
        detail = zipPath;
        break;
    case zip::Result::CrcError:
        textId = IDS_IMPORT_CRC_ERROR;
        break;
    case zip::Result::Unsupported:
        textId = IDS_IMPORT_UNSUPPORTED;
        break;
    case zip::Result::CannotWrite:
        textId = IDS_IMPORT_CANNOT_UNPACK;
        break;
    case zip::Result::NoVolume:
        textId = IDS_IMPORT_VOLUME_MISSING;
        break;
    default:
        break;
    }
    fw::ShowMessage(hwnd_, textId, fw::FormatResString(textId, detail.c_str()), fw::LoadResString(IDS_EXPORT_ERROR_CAPTION),
                    MB_OK | MB_ICONSTOP);
}
