// What the document window says: a letter, a word or a sentence as it is written, a symbol's sound
// or speech, and the whole document read aloud as a play list of steps that the main window advances
// each time a step has ended.
#pragma once
#include "writer/DocumentModel.h"
#include "writer/DocumentOwner.h"
#include <windows.h>
#include <string>
#include <vector>

// One step of a read-aloud.
struct PlayItem {
    std::string text;  // the speech text, or the sound file
    int kind = 1;      // 1 speech, 0 sound
    int negated = 0;   // speech: "inte" first; sound: the negation sound first
};

// Owned by the document window, over its model; the owner speaks and plays. It decides what is said
// and keeps the play list; it neither waits nor shows anything itself.
class DocumentSpeech {
public:
    explicit DocumentSpeech(const DocumentModel& model) : model_(model) {}
    void Attach(DocumentOwner* owner) { owner_ = owner; }

    // After a character was entered or the caret stepped over an item: says the item at the caret (a
    // letter, the word or the sentence it closes, a symbol).
    void SpeakAfterChar();
    // Plays the symbol of the picture item at the index: its sound, else its speech text.
    void PlaySymbolAt(int index);
    // The word that ends before the caret: 1 when speech started.
    int SpeakWord();
    // The sentence that ends before the caret, as a play list: 1 when its first step started.
    int SpeakSentence();

    // Reading aloud (F10): the whole document as a play list whose first step starts. A step that
    // cannot start is passed over.
    void BuildPlayList();
    // The end of a step: the next step that starts. 1 when one started, 0 when the list is done (it
    // is emptied then).
    int PlayNextStep();
    // Empties the play list (stopping all playback does).
    void ResetPlayList();

    // What a read-aloud has to tell the user, once: a string id, or 0. Steps of a typed sentence that
    // could not start are passed over in silence; a read-aloud the user asked for says so.
    UINT TakeReport();

    // The TextSpeaker control's position within the text it speaks.
    void SetSpeechPosition(long position) { speechPosition_ = position; }
    long SpeechPosition() const { return speechPosition_; }

    const std::vector<PlayItem>& PlayList() const { return playList_; }
    int PlayIndex() const { return playIndex_; }

private:
    bool SpeechOn() const;
    // The play list of the items [first, end) (the rule of the read-aloud).
    void MakePlayList(size_t first, size_t end);
    // Starts the step at the index, else the first after it that starts; the list ends when none does.
    int StartFrom(int index);
    bool StartStep(const PlayItem& item);
    void EndPlayList();
    bool StartSound(const std::string& path, int negated);
    std::string Negated(const std::string& text) const;
    static bool SoundFileExists(const std::string& path);

    const DocumentModel& model_;
    DocumentOwner* owner_ = nullptr;
    std::vector<PlayItem> playList_;
    int playIndex_ = 0;
    long speechPosition_ = 0;
    // The running list was asked for by the user (not a typed sentence): problems are told.
    bool reportProblems_ = false;
    int startedSteps_ = 0;
    int skippedSteps_ = 0;
    UINT report_ = 0;
};
