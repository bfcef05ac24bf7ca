// Morvel's own command dialog: one symbol as a content string (a picture from an image base or a
// file, a caption, a sound file or a speech text), with a preview and a test playback. Skarpin has a
// larger dialog of this name; Morvel's has no video, no speech-engine choice and no short names.
#pragma once
#include "components/MciSound.h"
#include "components/MediaPlayer.h"
#include "framework/Dialog.h"
#include "library/ImagXpress.h"
#include "library/KvoraObject.h"
#include <memory>
#include <string>

class BabTTS;
class FileIO;
class OpenSoundDlg;
class Settings;
class TextSpeaker;

// Run modally on template 142 by the favourites editor of an image folder, which builds it on the
// heap and deletes it afterwards. The pointers are the caller's; content is read at the start and
// written on OK only. Either speech pointer may be null.
class KvoraCommandDlg : public fw::Dialog {
public:
    KvoraCommandDlg(FileIO* fileIO, Settings* settings, std::string* content, TextSpeaker* speaker, BabTTS* engine,
                    HWND parent = nullptr);
    ~KvoraCommandDlg() override;

    // The object the preview draws, for tests.
    const CKvoraObject& Preview() const { return object_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void PutTexts();
    void CreatePlayer();
    void FillFromContent();

    // The check boxes: sound and speech exclude each other.
    void OnSoundCheck();
    void OnSpeechCheck();
    void OnPictureCheck();
    void CheckAndRun(int checkId, bool checked);

    void OnPictureFromImageBase();
    void OnBrowsePicture();
    void OnBrowseSound();
    void OnRecordSound();
    // Asks where the recording's bytes go and writes them there; the path, or empty when not saved.
    std::string SaveRecording(const std::string& bytes, const std::string& proposal);
    void OnTest();
    void OnStop();
    void PlaySound(const std::string& path);
    void OnPlayerNotify(const NMMEDIAPLAYER& notice);

    // Reads the checked fields into a content string; shows why when they are refused.
    bool ReadFields(std::string& content);

    FileIO* fileIO_;
    Settings* settings_;
    std::string* content_;
    TextSpeaker* speaker_;
    BabTTS* engine_;
    std::string imageBaseIni_;
    CKvoraObject object_;
    RECT preview_{0, 0, 0, 0};
    RECT playerRect_{0, 0, 0, 0};
    std::unique_ptr<CImagXpress> picture_;
    std::unique_ptr<MediaPlayer> player_;
    MciSound mci_;
    OpenSoundDlg* soundChooser_ = nullptr;
};
