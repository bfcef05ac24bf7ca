// The document's speech: the triggers of letters, words and sentences, symbols, and the read-aloud
// play list.
#include "writer/DocumentSpeech.h"
#include "framework/Strings.h"
#include "library/ImageBaseManager.h"
#include "library/SoundPlay.h"
#include "morvel/resource.h"
#include "writer_settings/Settings.h"
#include <cstring>
#include <mmsystem.h>

namespace {

bool IsWordEnd(char c)
{
    return c == ' ' || c == '\n' || c == '-';
}

bool IsSentenceEnd(char c)
{
    return c != '\0' && std::strchr(".;:?!", c) != nullptr;
}

// Where the walk back for a word stops: the word begins after such a character.
bool EndsWordBefore(char c)
{
    return c != '\0' && std::strchr(" .,;:?!\n", c) != nullptr;
}

// ';' and ':' speak the sentence so far, but only these begin a new one.
bool EndsSentenceBefore(char c)
{
    return c == '.' || c == '?' || c == '!';
}

} // namespace

bool DocumentSpeech::SpeechOn() const
{
    return owner_ && owner_->GetSettings().speechEngine_ != 0;
}

void DocumentSpeech::SpeakAfterChar()
{
    const int caret = model_.caret_;
    if (!owner_ || caret < 0 || static_cast<size_t>(caret) >= model_.items_.size())
        return;
    owner_->StopAllPlayback();
    const DocItem& item = model_.items_[caret];
    if (item.IsPicture()) {
        PlaySymbolAt(caret);
        return;
    }
    if (!SpeechOn())
        return;
    const Settings& settings = owner_->GetSettings();
    const char c = item.GetChar();
    if (c != '\0' && ::IsCharAlphaNumericA(c)) {
        // A letter alone leaves the pause button as it is.
        if (settings.speakLetters_)
            owner_->SpeakText(std::string(1, c));
        return;
    }
    // A sentence is a play list, whose start clears the pause itself.
    if (IsWordEnd(c) && settings.speakWords_ && caret > 0) {
        if (SpeakWord())
            owner_->ClearPause();
    } else if (IsSentenceEnd(c) && settings.speakSentences_ && caret > 0) {
        SpeakSentence();
    }
}

// Soft breaks are the layout's, not the writer's: the walk passes over them and the text leaves them
// out, so a word wrapped at the line's end is still one word.
int DocumentSpeech::SpeakWord()
{
    const int caret = model_.caret_;
    if (!SpeechOn() || caret <= 0)
        return 0;
    int begin = caret - 1;
    for (; begin >= 0; --begin) {
        const DocItem& item = model_.items_[begin];
        if (item.IsPicture() || EndsWordBefore(item.GetChar()))
            break;
    }
    std::string word;
    for (int i = begin + 1; i < caret; ++i) {
        if (!model_.items_[i].IsSoftBreak())
            word += model_.items_[i].GetChar();
    }
    if (word.empty())
        return 0;
    return owner_->SpeakText(word);
}

int DocumentSpeech::SpeakSentence()
{
    const int caret = model_.caret_;
    if (!owner_ || caret < 0)
        return 0;
    int begin = caret - 1;
    for (; begin >= 0; --begin) {
        if (EndsSentenceBefore(model_.items_[begin].GetChar()))
            break;
    }
    if (begin + 1 >= caret)
        return 0;
    owner_->StopAllPlayback();
    MakePlayList(begin + 1, caret);
    reportProblems_ = false;
    return StartFrom(0);
}

void DocumentSpeech::PlaySymbolAt(int index)
{
    if (!owner_ || index < 0 || static_cast<size_t>(index) >= model_.items_.size())
        return;
    const DocItem& item = model_.items_[index];
    if (!item.IsPicture())
        return;
    owner_->StopAllPlayback();
    const CKvoraObject* object = model_.images_.Find(item.imageNumber_);
    if (!object)
        return;
    bool started = false;
    if (!object->soundPath_.empty() && owner_->HasMediaPlayer()) {
        // A missing sound file stays silent: the speech text does not stand in for it.
        if (SoundFileExists(object->soundPath_))
            started = StartSound(object->soundPath_, object->crossed_);
    } else if (!object->speech_.empty() && SpeechOn() && owner_->GetSettings().speakWords_) {
        started = owner_->SpeakText(object->crossed_ ? Negated(object->speech_) : object->speech_) != 0;
    }
    if (started)
        owner_->ClearPause();
}

void DocumentSpeech::BuildPlayList()
{
    if (!owner_)
        return;
    owner_->StopAllPlayback();
    MakePlayList(0, model_.FinalIndex());
    reportProblems_ = true;
    StartFrom(0);
}

void DocumentSpeech::MakePlayList(size_t first, size_t end)
{
    playList_.clear();
    playIndex_ = 0;
    startedSteps_ = 0;
    skippedSteps_ = 0;
    report_ = 0;
    const bool speech = SpeechOn();
    std::string text;
    auto flush = [&](int negated) {
        if (!text.empty())
            playList_.push_back(PlayItem{text, 1, negated});
        text.clear();
    };
    for (size_t i = first; i < end && i < model_.items_.size(); ++i) {
        const DocItem& item = model_.items_[i];
        if (!item.IsPicture()) {
            const char c = item.GetChar();
            if (speech && c != '\0' && !item.IsSoftBreak())
                text += c == '\n' ? ' ' : c;
            continue;
        }
        const CKvoraObject* object = model_.images_.Find(item.imageNumber_);
        if (!object)
            continue;
        if (!object->speech_.empty() && speech) {
            // A crossed symbol is a step of its own, so "inte" stands right before its words.
            if (object->crossed_)
                flush(0);
            text += " " + object->speech_ + " ";
            if (object->crossed_)
                flush(1);
        } else if (SoundFileExists(object->soundPath_)) {
            flush(0);
            playList_.push_back(PlayItem{object->soundPath_, 0, object->crossed_});
        }
    }
    flush(0);
}

// The original list stopped for good at a step that did not start: no end ever came to move it on.
// Here such a step is passed over and counted, and the next one tried.
int DocumentSpeech::StartFrom(int index)
{
    for (int i = index; i < static_cast<int>(playList_.size()); ++i) {
        playIndex_ = i;
        if (StartStep(playList_[i])) {
            ++startedSteps_;
            owner_->ClearPause();
            return 1;
        }
        ++skippedSteps_;
    }
    EndPlayList();
    return 0;
}

bool DocumentSpeech::StartStep(const PlayItem& item)
{
    if (item.text.empty())
        return false;
    if (item.kind == 1)
        return owner_->SpeakText(item.negated ? Negated(item.text) : item.text) != 0;
    if (!owner_->HasMediaPlayer())
        return false;
    return StartSound(item.text, item.negated);
}

int DocumentSpeech::PlayNextStep()
{
    if (!owner_ || playList_.empty() || playIndex_ + 1 >= static_cast<int>(playList_.size())) {
        EndPlayList();
        return 0;
    }
    return StartFrom(playIndex_ + 1);
}

void DocumentSpeech::EndPlayList()
{
    if (reportProblems_ && skippedSteps_ > 0)
        report_ = startedSteps_ > 0 ? IDS_READ_ALOUD_SKIPPED : IDS_READ_ALOUD_FAILED;
    playList_.clear();
    playIndex_ = 0;
    startedSteps_ = 0;
    skippedSteps_ = 0;
    reportProblems_ = false;
}

void DocumentSpeech::ResetPlayList()
{
    playList_.clear();
    playIndex_ = 0;
    startedSteps_ = 0;
    skippedSteps_ = 0;
    reportProblems_ = false;
}

UINT DocumentSpeech::TakeReport()
{
    const UINT report = report_;
    report_ = 0;
    return report;
}

// The negation sound plays to its end before the file starts: it is short, and the file's sound must
// not cut it off.
bool DocumentSpeech::StartSound(const std::string& path, int negated)
{
    if (negated)
        sound::PlayResource(IDR_NEGATION_SOUND, SND_SYNC | SND_NODEFAULT);
    return owner_->PlayMediaFile(path) != 0;
}

std::string DocumentSpeech::Negated(const std::string& text) const
{
    return fw::LoadResString(IDS_NEGATION_WORD) + " " + text;
}

bool DocumentSpeech::SoundFileExists(const std::string& path)
{
    if (path.empty())
        return false;
    std::string located = path;
    return ImageBaseManager::LocateFile(located) == 1;
}
