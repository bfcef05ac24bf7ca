// The export wizard's choice of media files.
#include "skarpin/ExportPage3.h"
#include "framework/Cursor.h"
#include "framework/Gdi.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/Cp1252.h"
#include "skarpin/ExportCopies.h"
#include "skarpin/resource.h"
#include <algorithm>

ExportPage3::ExportPage3(const std::string& setName, FileIO* fileIO, std::vector<SetItem>* overlays,
                         std::vector<SetItem>* media, ExportWorkFolder* workFolder)
    : ExportTreePage(IDD_EXPORT_PAGE3, IDS_EXPORT_CAPTION_FILES, IDC_EXPORT_MEDIA_TREE), setName_(setName),
      fileIO_(fileIO),
      overlays_(overlays), media_(media), workFolder_(workFolder)
{
}

ExportPage3::~ExportPage3() = default;

// ---- Opening and entry --------------------------------------------------------------------------

bool ExportPage3::OnInitDialog()
{
    SetItemText(IDC_EXPORT_INFO, fw::LoadResString(IDS_EXPORT_CHOOSE_FILES));
    SetItemText(IDC_EXPORT_NOTE, fw::LoadResString(IDS_EXPORT_NOT_EXPORTED));
    SetItemText(IDC_EXPORT_ALL, fw::LoadResString(IDS_EXPORT_ALL));
    SetItemText(IDC_EXPORT_NONE, fw::LoadResString(IDS_EXPORT_NONE));
    SetItemText(IDC_EXPORT_TEST, fw::LoadResString(IDS_EXPORT_TEST));
    SetItemText(IDC_EXPORT_STOP, fw::LoadResString(IDS_EXPORT_STOP));

    fw::WaitCursor wait;
    pictureRect_ = Item(IDC_EXPORT_PICTURE_FRAME).RectInParent();
    // A decoder only: the pictures are drawn by the content object into the frame.
    picture_ = std::make_unique<CImagXpress>(hwnd_, IDC_EXPORT_PICTURE_DECODER, nullptr, 0, 0, 0, 0);
    RECT playerRect = pictureRect_;
    ::InflateRect(&playerRect, -2, -2);
    player_ = CreateMediaPlayer(1, hwnd_, IDC_EXPORT_PLAYER, playerRect);
    if (player_)
        player_->SetBackColor(::GetSysColor(COLOR_BTNFACE));
    return true;
}

bool ExportPage3::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    fw::WaitCursor wait;
    OnStop();
    ClearTree();
    ReportNotCopied(CopyOverlays());
    for (const std::string& path : collected_.Paths())
        items_.emplace_back(Tree().Insert(TVI_ROOT, TVI_SORT, path), path);
    StartCheckTimer();

    ShowPlayer(false);
    EnableItem(IDC_EXPORT_TEST, false);
    content_.shown_ = 0;
    ::InvalidateRect(hwnd_, &pictureRect_, TRUE);
    return true;
}

// The copies of an earlier entry go first: the chosen overlays may have changed since. An overlay
// that cannot be copied is no longer chosen, so the packing never looks for its copy.
std::vector<std::string> ExportPage3::CopyOverlays()
{
    collected_.Clear();
    std::vector<std::string> notCopied;
    if (!overlays_ || !fileIO_ || !workFolder_)
        return notCopied;
    workFolder_->Empty();
    const std::string& folder = workFolder_->Path();
    if (folder.empty())
        return notCopied;
    for (SetItem& overlay : *overlays_) {
        if (overlay.selected_ && !exportwizard::CopyOverlay(*fileIO_, setName_, overlay.name_, folder, collected_)) {
            notCopied.push_back(fileIO_->OverlayPath(setName_, overlay.name_));
            overlay.selected_ = 0;
        }
    }
    return notCopied;
}

// Told at once, by the overlays' own paths in the set: at Finish only the work folder's copy would
// be missing, a name the user never chose.
void ExportPage3::ReportNotCopied(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    std::string list;
    for (const std::string& path : paths)
        list += path + "\n";
    fw::ShowMessage(hwnd_, IDS_EXPORT_NOT_COPIED, fw::FormatResString(IDS_EXPORT_NOT_COPIED, list.c_str()),
                    fw::LoadResString(IDS_EXPORT_CAPTION), MB_OK | MB_ICONWARNING);
}

// ---- Buttons and notifications ------------------------------------------------------------------

bool ExportPage3::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_EXPORT_TEST:
        OnTest();
        return true;
    case IDC_EXPORT_STOP:
        OnStop();
        return true;
    default:
        return ExportTreePage::OnCommand(id, code);
    }
}

bool ExportPage3::OnNotify(int id, NMHDR* header, LRESULT& result)
{
    if (id == IDC_EXPORT_MEDIA_TREE && (header->code == TVN_SELCHANGEDA || header->code == TVN_SELCHANGEDW)) {
        EnableItem(IDC_EXPORT_TEST, true);
        return true;
    }
    if (id == IDC_EXPORT_PLAYER) {
        const int state = reinterpret_cast<NMMEDIAPLAYER*>(header)->state;
        if (header->code == MPN_ENDOFSTREAM || (header->code == MPN_PLAYSTATECHANGE && state == kPlayStateMediaEnded))
            ShowItem(IDC_EXPORT_STOP, false);
        return true;
    }
    // The wizard's own notifications.
    return fw::PropertyPage::OnNotify(id, header, result);
}

bool ExportPage3::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_PAINT: {
        fw::PaintDC dc(hwnd_);
        content_.Draw(dc, pictureRect_, 1, 1, 1);
        return true;
    }
    case MM_MCINOTIFY:
        if (mci_.OnNotify(wParam, lParam))
            ShowItem(IDC_EXPORT_STOP, false);
        return true;
    default:
        return false;
    }
}

// ---- Test and Stop ------------------------------------------------------------------------------

void ExportPage3::ShowPlayer(bool show)
{
    if (player_ && player_->Window())
        ::ShowWindow(player_->Window(), show ? SW_SHOW : SW_HIDE);
}

void ExportPage3::OnTest()
{
    OnStop();
    const HTREEITEM selected = Tree().Selected();
    std::string path;
    for (const TreeCtrlItem& item : items_) {
        if (item.item_ == selected && selected != nullptr)
            path = item.name_;
    }
    if (path.empty())
        return;

    // The path alone as a content string: the content object tells a picture, sound or video by its extension.
    content_.delimiter_ = fileIO_->ContentDelimiter();
    const std::string delimiter(1, content_.delimiter_);
    content_.ParseContent(delimiter + path + delimiter, fileIO_->imageBaseSettingsFile_, &fileIO_->videoExtensions_);
    if (!content_.HasVideo()) {
        if (player_)
            player_->Stop();
        ShowPlayer(false);
        content_.shown_ = 1;
    } else {
        content_.shown_ = 0;
        if (player_) {
            ShowPlayer(true);
            if (player_->Open(content_.videoPath_))
                ShowItem(IDC_EXPORT_STOP, true);
        }
    }
    const SIZE maximum{pictureRect_.right - pictureRect_.left, pictureRect_.bottom - pictureRect_.top};
    content_.LoadPicture(picture_ ? picture_->GetInterface() : nullptr, RGB(255, 255, 255), 0, maximum);
    ::InvalidateRect(hwnd_, &pictureRect_, TRUE);
    if (!content_.soundPath_.empty())
        PlaySound();
}

// An "mp3" plays in the media player, the sounds MCI knows by name through MCI, nothing else; Stop
// shows only for a sound that really plays.
void ExportPage3::PlaySound()
{
    ShowPlayer(false);
    const std::string extension = cp1252::Lower(content_.GetSoundExtension());
    bool playing = false;
    if (extension == "mp3")
        playing = player_ && player_->Open(content_.soundPath_);
    else if (extension == "wav" || extension == "mid" || extension == "rmi" || extension == "cda")
        playing = mci_.Play(content_.soundPath_, hwnd_);
    if (playing)
        ShowItem(IDC_EXPORT_STOP, true);
}

void ExportPage3::OnStop()
{
    mci_.Stop();
    ShowItem(IDC_EXPORT_STOP, false);
    if (player_)
        player_->Stop();
}

// ---- Leaving ------------------------------------------------------------------------------------

LRESULT ExportPage3::OnWizardNext()
{
    // Every chosen overlay may have failed to copy.
    if (overlays_ && std::none_of(overlays_->begin(), overlays_->end(), [](const SetItem& o) { return o.selected_; })) {
        fw::ShowMessage(hwnd_, IDS_EXPORT_NO_OVERLAY, IDS_EXPORT_CAPTION, MB_OK | MB_ICONSTOP);
        return -1;
    }
    if (media_) {
        media_->clear();
        for (const TreeCtrlItem& item : items_) {
            if (Tree().IsChecked(item.item_)) {
                SetItem file;
                file.name_ = item.name_;
                media_->push_back(file);
            }
        }
    }
    return 0;
}

void ExportPage3::OnDestroy()
{
    OnStop();
    player_.reset();
    picture_.reset();
    ExportTreePage::OnDestroy();
}
