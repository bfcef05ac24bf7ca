// The recording dialog: records a sound into the caller's WAVE file in the chosen quality and time,
// plays it back, cuts the silence at both ends when the settings ask for it, and edits the settings.
#pragma once
#include "components/WaveDevice.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "library/PictureButton.h"
#include "library/RecordSettings.h"
#include "library/WaveFile.h"
#include <functional>
#include <memory>
#include <string>

class RecordSoundDlg : public fw::Dialog {
public:
    // path: the WAVE file to record into; the caller deletes it when the dialog ends with Cancel.
    // programName and iniPath: where the settings live (see RecordSettingsStore). device: the sound
    // card to use; by default the system's wave devices.
    RecordSoundDlg(const std::string& path, const char* programName, const char* iniPath, HWND parent = nullptr,
                   WaveDevice* device = nullptr);
    ~RecordSoundDlg() override;

    // The first device from index 0 that tests usable; -1 when there is none.
    static int ChooseDevice(int count, const std::function<bool(int)>& usable);
    // A name in the temporary folder that nothing stands under, for one recording: a recording an
    // earlier run left is never taken for a new one. Empty when the folder takes no file.
    static std::string NewRecordingFile();

    int RecordingDevice() const { return recordingDevice_; }
    int PlaybackDevice() const { return playbackDevice_; }
    const RecordSettings& Settings() const { return settings_; }
    const std::string& Path() const { return path_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnTimer(UINT_PTR id) override;
    bool OnOK() override;
    bool OnCancel() override;
    void OnDestroy() override;

private:
    enum : UINT_PTR { kStopTimer = 1, kProgressTimer = 2 };

    void OnRecord();
    void OnPlay();
    void OnStop();
    void OnSettings();
    void OnRecordingFinished(bool ok);
    void OnPlaybackFinished();
    bool WriteRecorded(const BYTE* data, DWORD bytes);
    void DiscardRecording();
    void StopEverything();
    bool IsBusy() const { return recording_ || playing_; }
    void EnterBusy();
    void LeaveBusy();
    void ResetProgress();
    void StepProgress();

    std::string path_;
    RecordSettingsStore store_;
    RecordSettings settings_;
    std::unique_ptr<WaveDevice> ownDevice_;
    WaveDevice* device_;
    int recordingDevice_ = -1;
    int playbackDevice_ = -1;
    bool fileExists_ = false;
    bool recording_ = false;
    bool playing_ = false;

    // The recording goes into a file of its own beside the target and takes the target's place only
    // when it is complete.
    wave::WaveWriter writer_;
    std::string recordingPath_;
    DWORD recordedBytes_ = 0;
    WORD blockAlign_ = 1;

    PictureButton buttons_[3];
};
