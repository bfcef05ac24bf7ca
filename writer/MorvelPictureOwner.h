// What the insert-picture browser and the word-to-picture bar ask of Morvel's main window, answered
// by the main window: a small adapter, since the document window's owner interface has other
// meanings under the same names.
#pragma once
#include "writer_settings/PictureChoiceOwner.h"

class CMorvelDlg;

// A member of the main window, which outlives the browser and the bar it is handed to.
class MorvelPictureOwner : public WordBarOwner {
public:
    explicit MorvelPictureOwner(CMorvelDlg& main) : main_(main) {}

    const Settings& GetSettings() override;
    std::shared_ptr<PictureControl> GetPictureInterface() override;
    void StopAllPlayback() override;
    int SpeakText(const std::string& text) override;
    bool HasMediaPlayer() override;
    int PlayMediaFile(const std::string& path) override;
    // Asked at the end of a step: what the browser started plays as one step, so nothing plays on.
    bool IsPlaying() override { return false; }
    bool EditFolderList(HWND parent, std::vector<ImageFolder>& folders) override;

    void InsertObject(const CKvoraObject& object) override;
    void InsertText(const std::string& text) override;
    void OnTab() override;
    void OnExit() override;
    void RedrawDocumentCaret() override;

private:
    CMorvelDlg& main_;
};
