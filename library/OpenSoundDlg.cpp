// Sound file chooser.
#include "library/OpenSoundDlg.h"
#include "framework/Files.h"
#include "framework/FrameworkIds.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/PictureButton.h"
#include "library/resource.h"

OpenSoundDlg::OpenSoundDlg(MediaPlayer* player, bool open, const char* defaultExtension, const char* fileName,
                           DWORD flags, const char* filter, HWND parent)
    : PreviewFileDlg(IDD_OPEN_SOUND_PANE, open, defaultExtension, fileName, flags, filter, parent), player_(player)
{
    if (player_ && player_->Kind() == MediaPlayerKind::Classic)
        previewFile_ = InitialFileName();
}

void OpenSoundDlg::SetUpSoundFilter(const std::string& title, const std::string& initialFolder, bool withWma)
{
    SetTitle(title);
    if (withWma)
        SetFilter("MP3,M4A,WMA|*.mp3;*.m4a;*.wma|MP3|*.mp3|M4A|*.m4A|WMA|*.wma|");
    else
        SetFilter("MP3,M4A|*.mp3;*.m4a|");
    SetInitialFolder(InitialFileName().empty() ? initialFolder : std::string());
}

void OpenSoundDlg::OnInitPane()
{
    ::SetDlgItemTextA(Pane(), IDC_OPENSOUND_FRAME, fw::LoadResString(IDS_OPENSOUND_FRAME).c_str());
    playButton_.Attach(::GetDlgItem(Pane(), IDC_OPENSOUND_PLAY));
    stopButton_.Attach(::GetDlgItem(Pane(), IDC_OPENSOUND_STOP));
    ShowPaneItem(IDC_OPENSOUND_PLAY, false);
    ShowPaneItem(IDC_OPENSOUND_STOP, false);
}

// A folder, or a name typed but not yet a file, is nothing to play.
void OpenSoundDlg::OnSelectionChange(const std::string& path)
{
    StopPreview();
    previewFile_ = path;
    ShowPaneItem(IDC_OPENSOUND_PLAY, player_ != nullptr && fw::FileExists(path));
}

bool OpenSoundDlg::OnPaneDrawItem(const DRAWITEMSTRUCT& item)
{
    return playButton_.Draw(item) || stopButton_.Draw(item);
}

bool OpenSoundDlg::OnPaneCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    if (id == IDC_OPENSOUND_PLAY) {
        OnPlay();
        return true;
    }
    if (id == IDC_OPENSOUND_STOP) {
        StopPreview();
        return true;
    }
    return false;
}

void OpenSoundDlg::OnPlay()
{
    if (!player_ || previewFile_.empty())
        return;
    if (!player_->Open(previewFile_)) {
        fw::ShowMessage(Pane(), IDS_SOUND_CANNOT_PLAY, IDS_FW_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ShowPaneItem(IDC_OPENSOUND_STOP, true);
}

void OpenSoundDlg::StopPreview()
{
    if (player_)
        player_->Stop();
    ShowPaneItem(IDC_OPENSOUND_STOP, false);
}

void OpenSoundDlg::OnPaneDestroy()
{
    if (player_)
        player_->Stop();
}
