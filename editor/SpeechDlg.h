// The speech settings: no speech, or the program's speech engine (the BabTTS engine or the TextSpeaker
// control, whichever the caller has) with one of its voices.
#pragma once
#include "framework/Dialog.h"
#include <string>

class BabTTS;
class FileIO;
class TextSpeaker;

// Changes the engine's voice as the user picks one, so the next test speaks with it; Cancel puts back
// the voice and settings the engine had when the dialog opened.
class SpeechDlg : public fw::Dialog {
public:
    // choice: the caller's speech choice, in and out: 0 none, 4 the engine (1 is never offered).
    // Either engine may be null; with both, the TextSpeaker control is used, as the command dialog does.
    SpeechDlg(FileIO* settings, int* choice, BabTTS* engine, TextSpeaker* speaker, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    bool OnCancel() override;

private:
    void OpenWithEngine();
    void OpenWithSpeaker();
    void OnVoiceChosen();
    void OnSettings();
    // The engine radio when the engine has voices and the caller's choice is 4, else "Ingen".
    void SetUpRadios(bool hasVoices);
    void SelectListedVoice(const std::string& name);
    void ReadSpeakerNumbers();
    void GiveSpeakerNumbers();
    // Closes, creates and opens the engine again with the voice, the caller's window receiving its messages.
    void ReopenEngine(const std::string& voice);
    bool UsesSpeaker() const;

    FileIO* settings_;
    int* choice_;
    BabTTS* engine_;
    TextSpeaker* speaker_;
    int voice_ = -1;
    std::string voiceName_;
    long speed_ = 0;
    long pitch_ = 0;
    long volume_ = 0;

    // The state before the dialog, for Cancel.
    std::string storedVoice_;
    std::string openingVoice_;
    long openingSpeed_ = 0;
    long openingPitch_ = 0;
    long openingVolume_ = 0;
    bool engineVoiceChanged_ = false;
};
