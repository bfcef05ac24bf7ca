// Recording dialog.
#include "library/RecordSoundDlg.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "framework/FrameworkIds.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/PauseCutting.h"
#include "library/PictureButton.h"
#include "library/SoundSettingsDlg.h"
#include "library/resource.h"
#include <commctrl.h>

namespace {

// Record, Play and Stop, each showing the picture its caption names.
const int kButtonIds[3] = {IDC_RECORD_RECORD, IDC_RECORD_PLAY, IDC_RECORD_STOP};

} // namespace

RecordSoundDlg::RecordSoundDlg(const std::string& path, const char* programName, const char* iniPath, HWND parent,
                               WaveDevice* device)
    : fw::Dialog(IDD_RECORD_SOUND, parent), path_(path), store_(programName, iniPath), device_(device)
{
    if (!device_) {
        ownDevice_ = CreateWaveDevice();
        device_ = ownDevice_.get();
    }
}

RecordSoundDlg::~RecordSoundDlg()
{
    StopEverything();
}

std::string RecordSoundDlg::NewRecordingFile()
{
    char folder[MAX_PATH + 1] = "";
    char name[MAX_PATH + 1] = "";
    if (!::GetTempPathA(MAX_PATH, folder) || !::GetTempFileNameA(folder, "kvo", 0, name))
        return std::string();
    // The system made the file to hold the name; the recorder makes it anew.
    ::DeleteFileA(name);
    return name;
}

int RecordSoundDlg::ChooseDevice(int count, const std::function<bool(int)>& usable)
{
    for (int index = 0; index < count; ++index) {
        if (usable(index))
            return index;
    }
    return -1;
}

bool RecordSoundDlg::OnInitDialog()
{
    SetCaption(fw::LoadResString(IDS_RECORD_CAPTION));
    SetItemText(IDC_RECORD_FILE_LABEL, fw::LoadResString(IDS_RECORD_FILE_LABEL));
    SetItemText(IDC_RECORD_SETTINGS, fw::LoadResString(IDS_SETTINGS_CAPTION));
    SetItemText(IDCANCEL, fw::LoadResString(IDS_CANCEL));
    for (int i = 0; i < 3; ++i)
        buttons_[i].Attach(Item(kButtonIds[i]));

    settings_ = store_.Load();

    playbackDevice_ = ChooseDevice(device_->OutputCount(), [this](int index) { return device_->TestOutput(index); });
    recordingDevice_ = ChooseDevice(device_->InputCount(), [this](int index) { return device_->TestInput(index); });

    fileExists_ = fw::FileExists(path_);
    if (fileExists_)
        SetItemText(IDC_RECORD_FILE, path_);

    LeaveBusy();
    ResetProgress();
    return true;
}

bool RecordSoundDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (message != WM_DRAWITEM)
        return false;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    for (const PictureButton& button : buttons_) {
        if (button.Draw(item)) {
            result = TRUE;
            return true;
        }
    }
    return false;
}

bool RecordSoundDlg::OnCommand(int id, int code)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_RECORD_RECORD:
        OnRecord();
        return true;
    case IDC_RECORD_PLAY:
        OnPlay();
        return true;
    case IDC_RECORD_STOP:
        OnStop();
        return true;
    case IDC_RECORD_SETTINGS:
        OnSettings();
        return true;
    default:
        return false;
    }
}

void RecordSoundDlg::OnRecord()
{
    EnterBusy();
    ResetProgress();

    wave::WaveFormat format = RecordSettings::FormatForQuality(settings_.quality);
    blockAlign_ = format.BlockAlign();
    recordedBytes_ = 0;
    recordingPath_ = fw::TemporaryFileBeside(path_);
    bool started = !recordingPath_.empty() && wave::CreateWaveFile(recordingPath_, format, writer_) == wave::kWaveOk &&
                   wave::BeginWaveData(writer_) == wave::kWaveOk;
    DWORD bytes = format.Ex().nAvgBytesPerSec * static_cast<DWORD>(settings_.recordingTime);
    if (started) {
        started = device_->StartRecording(
            recordingDevice_, format.Ex(), bytes, [this](const BYTE* data, DWORD size) { return WriteRecorded(data, size); },
            [this](bool ok) { OnRecordingFinished(ok); });
    }
    if (!started) {
        DiscardRecording();
        LeaveBusy();
        fw::ShowMessage(Handle(), IDS_RECORD_CANNOT_START, IDS_FW_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    recording_ = true;
    SetTimer(kProgressTimer, 100);
    SetTimer(kStopTimer, static_cast<UINT>(settings_.recordingTime) * 1000);
}

bool RecordSoundDlg::WriteRecorded(const BYTE* data, DWORD bytes)
{
    UINT written = 0;
    bool ok = wave::WriteWaveData(writer_, data, bytes, written) == wave::kWaveOk;
    recordedBytes_ += written;
    return ok;
}

void RecordSoundDlg::OnRecordingFinished(bool ok)
{
    recording_ = false;
    StepProgress();
    // The recording may end before the time is up (a stop, or the device); the timers go with it.
    KillTimer(kStopTimer);
    KillTimer(kProgressTimer);

    bool saved = ok && wave::CloseWaveWrite(writer_, recordedBytes_ / blockAlign_) == wave::kWaveOk &&
                 fw::ReplaceFileWith(recordingPath_, path_);
    if (saved) {
        recordingPath_.clear();
        fileExists_ = true;
        SetItemText(IDC_RECORD_FILE, path_);
        // A cut that fails leaves the recording as it was.
        if (settings_.cutPauses)
            wave::CutPauses(path_, settings_.silenceLevel);
    } else {
        DiscardRecording();
    }
    LeaveBusy();
    if (!saved)
        fw::ShowMessage(Handle(), IDS_RECORD_CANNOT_SAVE, IDS_FW_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

void RecordSoundDlg::DiscardRecording()
{
    if (writer_.file) {
        ::mmioClose(writer_.file, 0);
        writer_.file = nullptr;
    }
    if (!recordingPath_.empty())
        ::DeleteFileA(recordingPath_.c_str());
    recordingPath_.clear();
}

void RecordSoundDlg::OnPlay()
{
    EnterBusy();
    Control<fw::ProgressBar>(IDC_RECORD_PROGRESS).SetPos(0);
    wave::WaveFormat format;
    std::vector<BYTE> data;
    bool started = wave::ReadWaveFile(path_, format, data) == wave::kWaveOk &&
                   device_->StartPlayback(playbackDevice_, format.Ex(), std::move(data),
                                          [this](bool) { OnPlaybackFinished(); });
    if (!started) {
        LeaveBusy();
        fw::ShowMessage(Handle(), IDS_SOUND_CANNOT_PLAY, IDS_FW_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    playing_ = true;
    SetTimer(kProgressTimer, 100);
}

void RecordSoundDlg::OnPlaybackFinished()
{
    playing_ = false;
    KillTimer(kProgressTimer);
    StepProgress();
    LeaveBusy();
}

void RecordSoundDlg::OnStop()
{
    if (playing_) {
        KillTimer(kProgressTimer);
        device_->StopPlayback();
    }
    if (recording_) {
        StepProgress();
        KillTimer(kStopTimer);
        KillTimer(kProgressTimer);
        device_->StopRecording();
    }
}

void RecordSoundDlg::OnTimer(UINT_PTR id)
{
    if (id == kProgressTimer) {
        StepProgress();
    } else if (id == kStopTimer) {
        StepProgress();
        KillTimer(kStopTimer);
        KillTimer(kProgressTimer);
        if (recording_)
            device_->StopRecording();
    }
}

void RecordSoundDlg::OnSettings()
{
    RecordSettings edited = settings_;
    SoundSettingsDlg dialog(&edited.recordingTime, &edited.silenceLevel, &edited.cutPauses, &edited.quality, Handle());
    if (dialog.DoModal() != IDOK)
        return;
    edited.Normalize();
    settings_ = edited;
    if (!store_.Save(settings_))
        fw::ShowMessage(Handle(), IDS_SETTINGS_CANNOT_SAVE, IDS_FW_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    ResetProgress();
}

// OK is disabled while recording or playing; Enter must not get past that.
bool RecordSoundDlg::OnOK()
{
    return !IsBusy();
}

// Closing the window while recording drops the recording; the file stays as it was.
bool RecordSoundDlg::OnCancel()
{
    StopEverything();
    return true;
}

void RecordSoundDlg::OnDestroy()
{
    StopEverything();
}

void RecordSoundDlg::StopEverything()
{
    if (hwnd_) {
        KillTimer(kStopTimer);
        KillTimer(kProgressTimer);
    }
    if (device_)
        device_->Abort();
    recording_ = false;
    playing_ = false;
    DiscardRecording();
}

void RecordSoundDlg::EnterBusy()
{
    EnableItem(IDC_RECORD_STOP, true);
    Item(IDC_RECORD_STOP).SetFocus();
    for (int id : {IDC_RECORD_PLAY, IDC_RECORD_RECORD, IDOK, IDCANCEL, IDC_RECORD_SETTINGS})
        EnableItem(id, false);
}

void RecordSoundDlg::LeaveBusy()
{
    if (::GetFocus() == Item(IDC_RECORD_STOP).Handle())
        Item(IDOK).SetFocus();
    EnableItem(IDC_RECORD_PLAY, playbackDevice_ >= 0 && fileExists_);
    EnableItem(IDC_RECORD_RECORD, recordingDevice_ >= 0);
    EnableItem(IDOK, true);
    EnableItem(IDCANCEL, true);
    EnableItem(IDC_RECORD_SETTINGS, true);
    EnableItem(IDC_RECORD_STOP, false);
}

void RecordSoundDlg::ResetProgress()
{
    auto progress = Control<fw::ProgressBar>(IDC_RECORD_PROGRESS);
    progress.SetRange(0, settings_.recordingTime * 10);
    progress.Send(PBM_SETSTEP, 1);
    progress.SetPos(0);
}

// One step, never past the end (the bar would start over).
void RecordSoundDlg::StepProgress()
{
    auto progress = Control<fw::ProgressBar>(IDC_RECORD_PROGRESS);
    int high = static_cast<int>(progress.Send(PBM_GETRANGE, FALSE));
    if (progress.Pos() < high)
        progress.SetPos(progress.Pos() + 1);
}
