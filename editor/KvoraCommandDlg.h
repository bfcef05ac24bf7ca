// The command to a Kvora program: a picture (picture code or file) with a label and a sound or a
// speech text, or a video; with a preview, playback, speech, recording, and the content string it
// builds for a block.
#pragma once
#include "components/MciSound.h"
#include "components/MediaPlayer.h"
#include "editor/KvoraCommandFields.h"
#include "framework/Dialog.h"
#include "library/ImagXpress.h"
#include "library/KvoraObject.h"
#include <memory>
#include <string>

class BabTTS;
class FileIO;
class OpenSoundDlg;
class TextSpeaker;

// Modal. The caller owns the settings, the strings, the ints and the speech engines; the dialog owns
// its picture control, its media player and the MCI sound it plays.
class KvoraCommandDlg : public fw::Dialog {
public:
    // The longest content string a block command takes.
    static constexpr size_t kMaxLength = 256;

    // command: the content string, in, and out only on OK, as it came in when no field was changed.
    // (x, y): the dialog's top-left corner on the screen. autoFill: what a picture from an image base fills in (1 the speech, 2 the sound file,
    // 0 neither), written as the user changes it. shortNames: whether file names are taken in their
    // short form, written when the dialog closes. Either speech engine may be null.
    KvoraCommandDlg(FileIO* settings, std::string& command, int x, int y, int& autoFill,
                    const std::string& imageBaseFile, BabTTS* engine, TextSpeaker* speaker, int& shortNames,
                    HWND parent = nullptr);
    ~KvoraCommandDlg() override;

    // The command given is a proposal rather than the caller's own: OK writes it in the dialog's form
    // even when no field was changed.
    void MarkProposal() { proposal_ = true; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnNotify(int id, NMHDR* header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnOK() override;
    bool OnCancel() override;
    void OnDestroy() override;

private:
    void SetTexts();
    void CreatePlayer();
    void FillFields();

    void OnImageBase();
    void OnBrowseImage();
    void OnBrowseSound();
    void OnBrowseVideo();
    void OnRecord();
    void OnVoice();
    void OnTest();
    void OnStop();
    void OnPaint();
    void OnPlayerEnded();

    // The enabling rules of the four boxes, each applied for its box as it stands.
    void ApplyPictureRule();
    void ApplySoundRule();
    void ApplySpeechRule();
    void ApplyVideoRule();
    void EnableItems(std::initializer_list<int> ids, bool enable);
    // Checks the box and applies its rule.
    void TakeField(int box, int field, const std::string& text);

    // The auto-fill mode the radios show.
    int RadioMode() const;
    // The texts of the checked fields.
    kvora_command::Fields ShownFields() const;
    // Reads the checked fields into the content object; false, after telling the user why, when a
    // field holds what the content string cannot carry.
    bool Collect();
    bool Refuse(UINT textId, const std::string& text);
    // Asks for the name to save a recording under and copies it there; the saved name, or empty.
    std::string SaveRecording(const std::string& recording, const std::string& proposal);
    void ShowPlayer(bool show);

    FileIO* settings_;
    std::string& command_;
    int x_;
    int y_;
    int& autoFill_;
    std::string imageBaseFile_;
    BabTTS* engine_;
    TextSpeaker* speaker_;
    int& shortNames_;
    // The engine's callback window before this dialog took the notices; it gets them back on closing.
    HWND previousCallbackWindow_ = nullptr;

    CKvoraObject content_;
    // The fields as the caller's command filled them.
    kvora_command::Fields opened_;
    bool proposal_ = false;
    RECT previewRect_{};
    RECT playerRect_{};
    std::unique_ptr<CImagXpress> picture_;
    std::unique_ptr<MediaPlayer> player_;
    MciSound mci_;
    // The sound chooser while it is open: the end of its preview arrives as the player's event here.
    OpenSoundDlg* soundChooser_ = nullptr;
};
