// Morvel's command dialog.
#include "writer/KvoraCommandDlg.h"
#include "components/TextSpeaker.h"
#include "framework/Cursor.h"
#include "framework/FileReplace.h"
#include "framework/FileRequest.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/BabTTS.h"
#include "library/ImageBaseDlg.h"
#include "library/ImageBaseManager.h"
#include "library/OpenImageDlg.h"
#include "library/OpenSoundDlg.h"
#include "library/MediaFiles.h"
#include "library/RecordSoundDlg.h"
#include "library/resource.h"
#include "writer/FileIO.h"
#include "writer/MorvelCommandFields.h"
#include "writer_settings/Settings.h"

namespace {

const DWORD kChooserFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

bool IsPlayerSound(const std::string& extension)
{
    for (const char* kind : {"mp3", "m4a", "wma"}) {
        if (_stricmp(extension.c_str(), kind) == 0)
            return true;
    }
    return false;
}

} // namespace

KvoraCommandDlg::KvoraCommandDlg(FileIO* fileIO, Settings* settings, std::string* content, TextSpeaker* speaker,
                                 BabTTS* engine, HWND parent)
    : fw::Dialog(IDD_KVORA_COMMAND, parent), fileIO_(fileIO), settings_(settings), content_(content),
      speaker_(speaker), engine_(engine), imageBaseIni_(fileIO->imageBaseIni_)
{
}

KvoraCommandDlg::~KvoraCommandDlg() = default;

// ---- Opening ----

bool KvoraCommandDlg::OnInitDialog()
{
    PutTexts();
    fw::WaitCursor wait;
    ::GetWindowRect(Item(IDC_KVORA_PREVIEW), &preview_);
    ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&preview_), 2);
    picture_ = std::make_unique<CImagXpress>(hwnd_, IDC_KVORA_PICTURE_DECODER, hwnd_, 0, 0, 0, 0);
    if (picture_->Window())
        ::ShowWindow(picture_->Window(), SW_HIDE);
    CreatePlayer();
    ShowItem(IDC_KVORA_STOP, false);
    const int mode = settings_->autoFillMode_;
    SetChecked(mode == 1 ? IDC_KVORA_AUTO_TTS : mode == 2 ? IDC_KVORA_AUTO_SOUND : IDC_KVORA_AUTO_NONE, true);
    FillFromContent();
    // The preview stays empty until "Testa".
    object_.shown_ = 0;
    return true;
}

void KvoraCommandDlg::PutTexts()
{
    const struct {
        int id;
        UINT text;
    } texts[] = {
        {IDC_KVORA_INFO1, IDS_KVORA_INFO1},          {IDC_KVORA_PICTURE_CHECK, IDS_KVORA_PICTURE},
        {IDC_KVORA_IMAGEBASE, IDS_KVORA_IMAGEBASE},  {IDC_KVORA_BROWSE_IMAGE, IDS_KVORA_BROWSE_IMAGE},
        {IDC_KVORA_INFO2, IDS_KVORA_INFO2},          {IDC_KVORA_AUTO_TTS, IDS_KVORA_AUTO_TTS},
        {IDC_KVORA_AUTO_SOUND, IDS_KVORA_AUTO_SOUND}, {IDC_KVORA_AUTO_NONE, IDS_KVORA_AUTO_NONE},
        {IDC_KVORA_TEXT_CHECK, IDS_KVORA_TEXT},      {IDC_KVORA_SOUND_CHECK, IDS_KVORA_SOUND},
        {IDC_KVORA_BROWSE_SOUND, IDS_KVORA_BROWSE_SOUND}, {IDC_KVORA_RECORD_SOUND, IDS_KVORA_RECORD_SOUND},
        {IDC_KVORA_SPEECH_CHECK, IDS_KVORA_SPEECH},  {IDC_KVORA_TEST, IDS_KVORA_TEST},
        {IDC_KVORA_STOP, IDS_KVORA_STOP},
    };
    SetCaption(fw::LoadResString(IDS_KVORA_CAPTION));
    for (const auto& text : texts)
        SetItemText(text.id, fw::LoadResString(text.text));
    SetItemText(IDOK, "OK");
    SetItemText(IDCANCEL, "Avbryt");
    // What Skarpin's dialog of this template has and Morvel's has not.
    for (int id : {IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO, IDC_KVORA_BROWSE_VIDEO, IDC_KVORA_SELECT_TTS,
                   IDC_KVORA_SHORT})
        ShowItem(id, false);
}

void KvoraCommandDlg::CreatePlayer()
{
    const int setting = ReadMediaPlayerSetting(fileIO_->morvelIni_);
    if (setting < 0)
        return;
    playerRect_ = RECT{preview_.left + 2, preview_.top + 2, preview_.right - 2, preview_.bottom - 2};
    player_ = CreateMediaPlayer(setting, hwnd_, IDC_KVORA_PLAYER, playerRect_);
}

void KvoraCommandDlg::FillFromContent()
{
    if (content_->empty() || !object_.ParseContent(*content_, imageBaseIni_))
        return;
    const std::string picture = !object_.code_.empty() ? object_.code_ : object_.picturePath_;
    if (!picture.empty()) {
        SetItemText(IDC_KVORA_PICTURE, picture);
        CheckAndRun(IDC_KVORA_PICTURE_CHECK, true);
    }
    if (!object_.label_.empty()) {
        SetItemText(IDC_KVORA_TEXT, object_.label_);
        SetChecked(IDC_KVORA_TEXT_CHECK, true);
    }
    if (!object_.soundPath_.empty()) {
        SetItemText(IDC_KVORA_SOUND, object_.soundPath_);
        CheckAndRun(IDC_KVORA_SOUND_CHECK, true);
    } else if (!object_.speech_.empty()) {
        SetItemText(IDC_KVORA_SPEECH, object_.speech_);
        CheckAndRun(IDC_KVORA_SPEECH_CHECK, true);
    }
}

// ---- Check boxes ----

void KvoraCommandDlg::CheckAndRun(int checkId, bool checked)
{
    SetChecked(checkId, checked);
    if (checkId == IDC_KVORA_SOUND_CHECK)
        OnSoundCheck();
    else if (checkId == IDC_KVORA_SPEECH_CHECK)
        OnSpeechCheck();
    else if (checkId == IDC_KVORA_PICTURE_CHECK)
        OnPictureCheck();
}

void KvoraCommandDlg::OnSoundCheck()
{
    const bool sound = IsChecked(IDC_KVORA_SOUND_CHECK);
    if (sound) {
        for (int id : {IDC_KVORA_SOUND_CHECK, IDC_KVORA_SOUND, IDC_KVORA_BROWSE_SOUND, IDC_KVORA_RECORD_SOUND})
            EnableItem(id, true);
    }
    EnableItem(IDC_KVORA_SPEECH_CHECK, !sound);
    EnableItem(IDC_KVORA_SPEECH, !sound);
}

void KvoraCommandDlg::OnSpeechCheck()
{
    const bool speech = IsChecked(IDC_KVORA_SPEECH_CHECK);
    if (speech) {
        EnableItem(IDC_KVORA_SPEECH_CHECK, true);
        EnableItem(IDC_KVORA_SPEECH, true);
    }
    for (int id : {IDC_KVORA_SOUND_CHECK, IDC_KVORA_SOUND, IDC_KVORA_BROWSE_SOUND, IDC_KVORA_RECORD_SOUND})
        EnableItem(id, !speech);
}

void KvoraCommandDlg::OnPictureCheck()
{
    if (!IsChecked(IDC_KVORA_SOUND_CHECK) && !IsChecked(IDC_KVORA_SPEECH_CHECK))
        EnableItem(IDC_KVORA_TEXT, true);
}

bool KvoraCommandDlg::OnCommand(int id, int code)
{
    switch (id) {
    case IDC_KVORA_SOUND_CHECK:
        OnSoundCheck();
        return true;
    case IDC_KVORA_SPEECH_CHECK:
        OnSpeechCheck();
        return true;
    case IDC_KVORA_PICTURE_CHECK:
        OnPictureCheck();
        return true;
    case IDC_KVORA_TEXT:
    case IDC_KVORA_SPEECH:
        if (code == EN_CHANGE) {
            const int check = id == IDC_KVORA_TEXT ? IDC_KVORA_TEXT_CHECK : IDC_KVORA_SPEECH_CHECK;
            SetChecked(check, !ItemText(id).empty());
        }
        return true;
    case IDC_KVORA_AUTO_TTS:
        settings_->autoFillMode_ = 1;
        return true;
    case IDC_KVORA_AUTO_SOUND:
        settings_->autoFillMode_ = 2;
        return true;
    case IDC_KVORA_AUTO_NONE:
        settings_->autoFillMode_ = 0;
        return true;
    case IDC_KVORA_IMAGEBASE:
        OnPictureFromImageBase();
        return true;
    case IDC_KVORA_BROWSE_IMAGE:
        OnBrowsePicture();
        return true;
    case IDC_KVORA_BROWSE_SOUND:
        OnBrowseSound();
        return true;
    case IDC_KVORA_RECORD_SOUND:
        OnRecordSound();
        return true;
    case IDC_KVORA_TEST:
        OnTest();
        return true;
    case IDC_KVORA_STOP:
        OnStop();
        return true;
    default:
        return false;
    }
}

// ---- Pictures and sounds ----

void KvoraCommandDlg::OnPictureFromImageBase()
{
    const std::string text = ItemText(IDC_KVORA_PICTURE);
    std::vector<ImageBaseItem> items;
    if (!text.empty()) {
        std::string path = text;
        if (ImageBaseManager::LocateFile(path) == 1) {
            items.emplace_back(path);
        } else {
            ImageBaseManager bases;
            std::string picture, word;
            ImageBaseOptions options;
            if (bases.ResolveCode(text, picture, word, options, nullptr, imageBaseIni_, nullptr, 0))
                items.emplace_back(picture, word, std::string(), std::string(), text);
        }
    }
    ImageBaseDlg chooser(IDD_IMAGEBASE, imageBaseIni_, &settings_->defaultImageBase_, &items, nullptr, hwnd_);
    if (chooser.DoModal() != IDOK || items.empty())
        return;
    const ImageBaseItem& chosen = items.front();
    SetItemText(IDC_KVORA_PICTURE, chosen.GetFullCode());
    CheckAndRun(IDC_KVORA_PICTURE_CHECK, true);

    ImageBaseManager bases;
    std::string picture, word, sound;
    ImageBaseOptions options;
    bases.ResolveCode(chosen.GetFullCode(), picture, word, options, &sound, imageBaseIni_, nullptr, 0);
    const bool caption = options.GetFirst() != 0;
    SetItemText(IDC_KVORA_TEXT, caption ? chosen.GetText() : std::string());
    SetChecked(IDC_KVORA_TEXT_CHECK, caption);

    if (settings_->autoFillMode_ == 1) {
        SetItemText(IDC_KVORA_SPEECH, chosen.GetText());
        SetChecked(IDC_KVORA_SOUND_CHECK, false);
        SetItemText(IDC_KVORA_SOUND, "");
        CheckAndRun(IDC_KVORA_SPEECH_CHECK, true);
    } else if (settings_->autoFillMode_ == 2) {
        SetItemText(IDC_KVORA_SOUND, sound);
        SetChecked(IDC_KVORA_SPEECH_CHECK, false);
        SetItemText(IDC_KVORA_SPEECH, "");
        CheckAndRun(IDC_KVORA_SOUND_CHECK, true);
    } else {
        OnSpeechCheck();
        OnSoundCheck();
    }
}

// The folders of the picture and sound choosers are the program's ImageDir and SoundDir, the same
// keys the main window's choosers use.
void KvoraCommandDlg::OnBrowsePicture()
{
    std::string folder;
    fileIO_->GetImageDir(folder);
    std::string initial = ItemText(IDC_KVORA_PICTURE);
    if (!initial.empty() && !fw::FileExists(initial) && initial.size() < 10) {
        ImageBaseManager bases;
        std::string picture, word;
        ImageBaseOptions options;
        if (bases.ResolveCode(initial, picture, word, options, nullptr, imageBaseIni_, nullptr, 0))
            initial = picture;
    }
    OpenImageDlg chooser(true, nullptr, initial.empty() ? nullptr : initial.c_str(), kChooserFlags, nullptr, hwnd_);
    chooser.SetUpPictureFilter(fw::LoadResString(IDS_KVORA_BROWSE_IMAGE), folder);
    if (chooser.DoModal() != IDOK)
        return;
    SetItemText(IDC_KVORA_PICTURE, chooser.PathName());
    fileIO_->SetImageDir(fw::FolderOf(chooser.PathName()));
    CheckAndRun(IDC_KVORA_PICTURE_CHECK, true);
}

void KvoraCommandDlg::OnBrowseSound()
{
    if (!player_)
        return;
    std::string folder;
    fileIO_->GetSoundDir(folder);
    std::string initial = ItemText(IDC_KVORA_SOUND);
    const std::string picture = ItemText(IDC_KVORA_PICTURE);
    if (initial.empty() && !picture.empty() && settings_->autoFillMode_ == 2) {
        const std::string code = morvel_command::CodeOfPicture(picture, imageBaseIni_);
        ImageBaseManager bases;
        std::string path, word, sound;
        ImageBaseOptions options;
        if (!code.empty() && bases.ResolveCode(code, path, word, options, &sound, imageBaseIni_, nullptr, 0))
            initial = sound;
    }
    OpenSoundDlg chooser(player_.get(), true, nullptr, initial.empty() ? nullptr : initial.c_str(), kChooserFlags,
                         nullptr, hwnd_);
    chooser.SetTitle(fw::LoadResString(IDS_KVORA_BROWSE_SOUND));
    chooser.SetFilter(morvel_command::SoundFilter(true));
    if (initial.empty())
        chooser.SetInitialFolder(folder);
    soundChooser_ = &chooser;
    const INT_PTR result = chooser.DoModal();
    soundChooser_ = nullptr;
    if (result != IDOK)
        return;
    SetItemText(IDC_KVORA_SOUND, chooser.PathName());
    fileIO_->SetSoundDir(fw::FolderOf(chooser.PathName()));
    CheckAndRun(IDC_KVORA_SOUND_CHECK, true);
}

void KvoraCommandDlg::OnRecordSound()
{
    const std::string recording = RecordSoundDlg::NewRecordingFile();
    if (recording.empty())
        return;
    const std::string proposal =
        morvel_command::RecordingProposal(ItemText(IDC_KVORA_PICTURE), settings_->userDir_, imageBaseIni_);
    RecordSoundDlg recorder(recording, "Morvel", fileIO_->programIni_.c_str(), hwnd_);
    if (recorder.DoModal() != IDOK || !fw::FileExists(recording)) {
        ::DeleteFileA(recording.c_str());
        return;
    }
    std::string bytes;
    const bool read = fw::ReadWholeFile(recording, bytes) == fw::FileRead::Whole;
    ::DeleteFileA(recording.c_str());
    if (!read)
        return;
    const std::string target = SaveRecording(bytes, proposal);
    if (target.empty())
        return;
    SetItemText(IDC_KVORA_SOUND, target);
    CheckAndRun(IDC_KVORA_SOUND_CHECK, true);
}

// The name is made a WAVE file's name before anything is checked, so the question "replace?" is
// asked of the file that will really be written; a file that appears under the name meanwhile is
// never replaced unasked. No asks for another name; a name that cannot be written is asked for again.
std::string KvoraCommandDlg::SaveRecording(const std::string& bytes, const std::string& proposal)
{
    const std::string title = fw::LoadResString(IDS_KVORA_SAVE_SOUND);
    std::string start = proposal;
    for (;;) {
        fw::FileRequest save(hwnd_, start, fw::LoadResString(IDS_KVORA_SOUND_FILES) + "|*.wav|", title, std::string(),
                             OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
        if (!fw::ShowSaveFileDialog(save.request))
            return std::string();
        const std::string target = media::WithWaveExtension(save.Chosen());
        start = target;
        bool written = false;
        switch (fw::WriteNewFile(target, bytes)) {
        case fw::NewFile::Created:
            written = true;
            break;
        case fw::NewFile::Taken:
            if (fw::ShowMessage(hwnd_, IDS_KVORA_REPLACE_SOUND,
                                fw::FormatResString(IDS_KVORA_REPLACE_SOUND, target.c_str()), title,
                                MB_YESNO | MB_ICONWARNING) != IDYES)
                continue;
            written = fw::WriteReplacing(target, bytes);
            break;
        case fw::NewFile::Failed:
            break;
        }
        if (written)
            return target;
        fw::ShowMessage(hwnd_, IDS_KVORA_SOUND_NOT_SAVED, fw::FormatResString(IDS_KVORA_SOUND_NOT_SAVED, target.c_str()),
                        fw::LoadResString(IDS_KVORA_ERROR_CAPTION), MB_OK | MB_ICONERROR);
    }
}

// ---- Test and stop ----

void KvoraCommandDlg::OnTest()
{
    std::string content;
    if (!ReadFields(content))
        return;
    OnStop();
    if (player_) {
        player_->Stop();
        ::ShowWindow(player_->Window(), SW_HIDE);
    }
    object_.Clear();
    object_.ParseContent(content, imageBaseIni_);
    object_.shown_ = 1;
    object_.LoadPicture(picture_ ? picture_->GetInterface() : nullptr, RGB(255, 255, 255), 0, SIZE{1024, 768});
    ::InvalidateRect(hwnd_, &preview_, TRUE);

    if (object_.soundPath_.empty()) {
        bool spoken = false;
        if (!object_.speech_.empty()) {
            if (settings_->speechEngine_ != 0 && speaker_ && speaker_->IsPresent())
                spoken = speaker_->Speak(object_.speech_);
            else if (engine_)
                spoken = engine_->Speak(object_.speech_) == 0; // the engine says 0 when it started
        }
        ShowItem(IDC_KVORA_STOP, spoken);
        return;
    }
    ShowItem(IDC_KVORA_STOP, true);
    PlaySound(object_.soundPath_);
}

void KvoraCommandDlg::PlaySound(const std::string& path)
{
    if (IsPlayerSound(ImageBaseManager::GetFileExtension(path))) {
        if (player_)
            player_->Open(path);
        return;
    }
    mci_.Play(path, hwnd_);
}

void KvoraCommandDlg::OnStop()
{
    if (speaker_ && speaker_->IsPresent())
        speaker_->Stop();
    if (engine_)
        engine_->Reset();
    mci_.Stop();
    if (player_)
        player_->Stop();
    ShowItem(IDC_KVORA_STOP, false);
}

void KvoraCommandDlg::OnPlayerNotify(const NMMEDIAPLAYER& notice)
{
    const bool ended = notice.hdr.code == MPN_ENDOFSTREAM ||
                       (notice.hdr.code == MPN_PLAYSTATECHANGE && notice.state == kPlayStateMediaEnded);
    if (ended) {
        ShowItem(IDC_KVORA_STOP, false);
        if (soundChooser_)
            soundChooser_->StopPreview();
    } else if (notice.hdr.code == MPN_OPENSTATECHANGE && notice.state == kMediaOpen && player_) {
        ::MoveWindow(player_->Window(), playerRect_.left, playerRect_.top, playerRect_.right - playerRect_.left,
                     playerRect_.bottom - playerRect_.top, TRUE);
        ::ShowWindow(player_->Window(), SW_SHOW);
    }
}

// ---- OK ----

bool KvoraCommandDlg::ReadFields(std::string& content)
{
    morvel_command::Fields fields;
    if (IsChecked(IDC_KVORA_PICTURE_CHECK))
        fields.picture = ItemText(IDC_KVORA_PICTURE);
    if (IsChecked(IDC_KVORA_TEXT_CHECK))
        fields.label = ItemText(IDC_KVORA_TEXT);
    if (IsChecked(IDC_KVORA_SPEECH_CHECK))
        fields.speech = ItemText(IDC_KVORA_SPEECH);
    if (IsChecked(IDC_KVORA_SOUND_CHECK))
        fields.sound = ItemText(IDC_KVORA_SOUND);
    const morvel_command::Refusal refusal = morvel_command::BuildContent(fields, imageBaseIni_, content);
    if (refusal) {
        fw::ShowMessage(hwnd_, refusal.textId, refusal.text, fw::LoadResString(IDS_KVORA_ERROR_CAPTION),
                        MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

bool KvoraCommandDlg::OnOK()
{
    std::string content;
    if (!ReadFields(content))
        return false;
    *content_ = content;
    return true;
}

void KvoraCommandDlg::OnDestroy()
{
    OnStop();
    player_.reset();
    picture_.reset();
}

bool KvoraCommandDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(hwnd_, &paint);
        if (object_.shown_)
            object_.Draw(dc, preview_, 1, 1, 1);
        ::EndPaint(hwnd_, &paint);
        result = 0;
        return true;
    }
    case MM_MCINOTIFY:
        mci_.OnNotify(wParam, lParam);
        ShowItem(IDC_KVORA_STOP, false);
        result = 0;
        return true;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != IDC_KVORA_PLAYER)
            return false;
        OnPlayerNotify(*reinterpret_cast<const NMMEDIAPLAYER*>(lParam));
        result = 0;
        return true;
    }
    default:
        return false;
    }
}
