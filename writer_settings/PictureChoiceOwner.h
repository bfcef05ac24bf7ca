// What the insert-picture browser and the word-to-picture search bar need of Morvel's main window.
#pragma once
#include "components/PictureControl.h"
#include "writer_settings/ImageFolder.h"
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

class CKvoraObject;
class Settings;

// Implemented by the main window (and by the tests' hosts); the windows keep a reference while they live.
class PictureChoiceOwner {
public:
    virtual ~PictureChoiceOwner() = default;

    // The user's settings: the program ini, the user file, the image-base ini, the speech engine.
    virtual const Settings& GetSettings() = 0;
    // The picture control through which pictures are decoded; null when it could not start.
    virtual std::shared_ptr<PictureControl> GetPictureInterface() = 0;

    // Stops every sound, speech and read-aloud.
    virtual void StopAllPlayback() = 0;
    // Stops what plays and speaks the text: 1 when speech started.
    virtual int SpeakText(const std::string& text) = 0;
    // Without a media player, sound files are not played.
    virtual bool HasMediaPlayer() = 0;
    // Starts a sound file: 1 when it plays.
    virtual int PlayMediaFile(const std::string& path) = 0;
    // Whether a sound or speech is still running (asked at the end of each playback step).
    virtual bool IsPlaying() = 0;

    // Lets the user edit the image-folder list (the folder dialog). false when cancelled.
    virtual bool EditFolderList(HWND parent, std::vector<ImageFolder>& folders) = 0;
};

// What the search bar needs beyond the pictures: the document and the main window's keys.
class WordBarOwner : public PictureChoiceOwner {
public:
    // The document window's insertions at the caret.
    virtual void InsertObject(const CKvoraObject& object) = 0;
    virtual void InsertText(const std::string& text) = 0;
    // The main window's Tab (moves between the document and the bar) and Esc (ends the program).
    virtual void OnTab() = 0;
    virtual void OnExit() = 0;
    // The document's caret drawn again: dotted while the bar has the keys.
    virtual void RedrawDocumentCaret() = 0;
};
