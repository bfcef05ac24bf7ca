// The command definition dialog.
#include "editor/KvoraCommandDlg.h"
#include "components/TextSpeaker.h"
#include "editor/KvoraCommandFields.h"
#include "editor/SpeechDlg.h"
#include "editor/SubDialogTexts.h"
#include "framework/Cursor.h"
#include "framework/FileRequest.h"
#include "framework/Files.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "library/BabTTS.h"
#include "library/Cp1252.h"
#include "library/ImageBaseDlg.h"
#include "library/ImageBaseManager.h"
#include "library/MediaFiles.h"
#include "library/OpenImageDlg.h"
#include "library/OpenSoundDlg.h"
#include "library/RecordSoundDlg.h"
#include "library/resource.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

namespace {

const UINT WM_SPEECH_FINISHED = WM_USER + 144;
const DWORD kBrowseFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
const char kSoundFilter[] =
    "CDA,MID,MP3,M4A, RMI,WAV,WMA|*.cda;*.mid;*.mp3;*.m4a;*.rmi;*.wav;*.wma|CDA|*.CDA|MID|*.MID|MP3|*.MP3|"
    "M4A|*.M4A|RMI|*.RMI|WAV|*.WAV|WMA|*.WMA|";
// The largest picture the preview decodes.
const SIZE kPreviewMaximum{1024, 768};

// The placeholder keys of the template and the texts that replace them.
const struct {
    int control;
    UINT text;
} kTexts[] = {
    {IDC_KVORA_INFO1, IDS_KVORA_INFO1},
    {IDC_KVORA_PICTURE_CHECK, IDS_KVORA_PICTURE},
    {IDC_KVORA_IMAGEBASE, IDS_KVORA_IMAGEBASE},
    {IDC_KVORA_BROWSE_IMAGE, IDS_KVORA_BROWSE_IMAGE},
    {IDC_KVORA_INFO2, IDS_KVORA_INFO2},
    {IDC_KVORA_AUTO_TTS, IDS_KVORA_AUTO_TTS},
    {IDC_KVORA_AUTO_SOUND, IDS_KVORA_AUTO_SOUND},
    {IDC_KVORA_AUTO_NONE, IDS_KVORA_AUTO_NONE},
    {IDC_KVORA_TEXT_CHECK, IDS_KVORA_TEXT},
    {IDC_KVORA_SOUND_CHECK, IDS_KVORA_SOUND},
    {IDC_KVORA_BROWSE_SOUND, IDS_KVORA_BROWSE_SOUND},
    {IDC_KVORA_RECORD_SOUND, IDS_KVORA_RECORD_SOUND},
    {IDC_KVORA_SPEECH_CHECK, IDS_KVORA_SPEECH},
    {IDC_KVORA_VIDEO_CHECK, IDS_KVORA_VIDEO},
    {IDC_KVORA_BROWSE_VIDEO, IDS_KVORA_BROWSE_VIDEO},
    {IDC_KVORA_TEST, IDS_KVORA_TEST},
    {IDC_KVORA_STOP, IDS_KVORA_STOP},
    {IDC_KVORA_SELECT_TTS, IDS_KVORA_SELECT_TTS},
    {IDC_KVORA_SHORT, IDS_KVORA_SHORT},
    {IDCANCEL, IDS_CANCEL},
};

} // namespace

KvoraCommandDlg::KvoraCommandDlg(FileIO* settings, std::string& command, int x, int y, int& autoFill,
                                 const std::string& imageBaseFile, BabTTS* engine, TextSpeaker* speaker,
                                 int& shortNames, HWND parent)
    : fw::Dialog(IDD_KVORA_COMMAND, parent), settings_(settings), command_(command), x_(x), y_(y),
      autoFill_(autoFill), imageBaseFile_(imageBaseFile), engine_(engine), speaker_(speaker), shortNames_(shortNames)
{
}

KvoraCommandDlg::~KvoraCommandDlg() = default;

// ---- Opening ----------------------------------------------------------------------------------

bool KvoraCommandDlg::OnInitDialog()
{
    fw::WaitCursor wait;
    SetTexts();
    subdialog::MoveCornerTo(hwnd_, POINT{x_, y_}, subdialog::Corner::TopLeft);
    previewRect_ = Item(IDC_KVORA_PREVIEW).RectInParent();
    picture_ = std::make_unique<CImagXpress>(hwnd_, IDC_KVORA_PICTURE_DECODER, nullptr, 0, 0, 0, 0);
    CreatePlayer();

    ShowItem(IDC_KVORA_STOP, false);
    SetChecked(IDC_KVORA_SHORT, shortNames_ != 0);
    SetChecked(autoFill_ == 1 ? IDC_KVORA_AUTO_TTS : autoFill_ == 2 ? IDC_KVORA_AUTO_SOUND : IDC_KVORA_AUTO_NONE, true);

    content_.delimiter_ = settings_->ContentDelimiter();
    if (!command_.empty()) {
        content_.ParseContent(command_, imageBaseFile_, &settings_->videoExtensions_);
        FillFields();
    }
    opened_ = ShownFields();
    content_.shown_ = 0;

    if (engine_) {
        previousCallbackWindow_ = engine_->CallbackWindow();
        engine_->SetCallbackWindow(hwnd_);
    }
    return true;
}

void KvoraCommandDlg::SetTexts()
{
    SetCaption(fw::LoadResString(IDS_KVORA_CAPTION));
    for (const auto& entry : kTexts)
        SetItemText(entry.control, fw::LoadResString(entry.text));
}

void KvoraCommandDlg::CreatePlayer()
{
    int setting = ReadMediaPlayerSetting(settings_->windowsSettingsFile_);
    if (setting < 0)
        return;
    playerRect_ = previewRect_;
    ::InflateRect(&playerRect_, -2, -2);
    player_ = CreateMediaPlayer(setting, hwnd_, IDC_KVORA_PLAYER, playerRect_);
    if (player_ && player_->Kind() == MediaPlayerKind::Classic)
        player_->SetBackColor(::GetSysColor(COLOR_MENU));
}

void KvoraCommandDlg::FillFields()
{
    std::string picture = content_.code_;
    if (picture.empty() && !content_.picturePath_.empty()) {
        picture = content_.picturePath_;
        if (IsChecked(IDC_KVORA_SHORT)) {
            std::string shortPath = kvora_command::ShortLowerPath(picture);
            if (!cp1252::EqualsNoCase(shortPath, picture))
                picture = shortPath;
        }
    }
    if (!picture.empty())
        TakeField(IDC_KVORA_PICTURE_CHECK, IDC_KVORA_PICTURE, picture);
    if (!content_.label_.empty()) {
        SetItemText(IDC_KVORA_TEXT, content_.label_);
        SetChecked(IDC_KVORA_TEXT_CHECK, true);
    }
    if (!content_.soundPath_.empty())
        TakeField(IDC_KVORA_SOUND_CHECK, IDC_KVORA_SOUND, content_.soundPath_);
    else if (!content_.speech_.empty())
        TakeField(IDC_KVORA_SPEECH_CHECK, IDC_KVORA_SPEECH, content_.speech_);
    if (!content_.videoPath_.empty())
        TakeField(IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO, content_.videoPath_);
}

void KvoraCommandDlg::TakeField(int box, int field, const std::string& text)
{
    SetItemText(field, text);
    SetChecked(box, true);
    switch (box) {
    case IDC_KVORA_PICTURE_CHECK: ApplyPictureRule(); break;
    case IDC_KVORA_SOUND_CHECK: ApplySoundRule(); break;
    case IDC_KVORA_SPEECH_CHECK: ApplySpeechRule(); break;
    case IDC_KVORA_VIDEO_CHECK: ApplyVideoRule(); break;
    default: break;
    }
}

// ---- The boxes and their rules ----------------------------------------------------------------

void KvoraCommandDlg::EnableItems(std::initializer_list<int> ids, bool enable)
{
    for (int id : ids)
        EnableItem(id, enable);
}

void KvoraCommandDlg::ApplyPictureRule()
{
    if (IsChecked(IDC_KVORA_PICTURE_CHECK)) {
        EnableItems({IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO, IDC_KVORA_BROWSE_VIDEO}, false);
    } else if (!IsChecked(IDC_KVORA_SOUND_CHECK) && !IsChecked(IDC_KVORA_SPEECH_CHECK)) {
        EnableItems({IDC_KVORA_TEXT, IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO, IDC_KVORA_BROWSE_VIDEO}, true);
    }
}

void KvoraCommandDlg::ApplySoundRule()
{
    if (IsChecked(IDC_KVORA_SOUND_CHECK)) {
        EnableItems({IDC_KVORA_SOUND_CHECK, IDC_KVORA_SOUND, IDC_KVORA_BROWSE_SOUND, IDC_KVORA_RECORD_SOUND}, true);
        EnableItems({IDC_KVORA_SPEECH_CHECK, IDC_KVORA_SPEECH, IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO,
                     IDC_KVORA_BROWSE_VIDEO},
                    false);
        return;
    }
    EnableItems({IDC_KVORA_SPEECH_CHECK, IDC_KVORA_SPEECH}, true);
    if (!IsChecked(IDC_KVORA_PICTURE_CHECK))
        EnableItems({IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO, IDC_KVORA_BROWSE_VIDEO}, true);
}

void KvoraCommandDlg::ApplySpeechRule()
{
    if (IsChecked(IDC_KVORA_SPEECH_CHECK)) {
        EnableItems({IDC_KVORA_SPEECH_CHECK, IDC_KVORA_SPEECH}, true);
        EnableItems({IDC_KVORA_SOUND_CHECK, IDC_KVORA_SOUND, IDC_KVORA_BROWSE_SOUND, IDC_KVORA_RECORD_SOUND,
                     IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO, IDC_KVORA_BROWSE_VIDEO},
                    false);
        return;
    }
    EnableItems({IDC_KVORA_SOUND_CHECK, IDC_KVORA_SOUND, IDC_KVORA_BROWSE_SOUND, IDC_KVORA_RECORD_SOUND}, true);
    if (!IsChecked(IDC_KVORA_PICTURE_CHECK))
        EnableItems({IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO, IDC_KVORA_BROWSE_VIDEO}, true);
}

void KvoraCommandDlg::ApplyVideoRule()
{
    EnableItems({IDC_KVORA_PICTURE_CHECK, IDC_KVORA_TEXT_CHECK, IDC_KVORA_PICTURE, IDC_KVORA_TEXT, IDC_KVORA_IMAGEBASE,
                 IDC_KVORA_BROWSE_IMAGE, IDC_KVORA_SOUND_CHECK, IDC_KVORA_SOUND, IDC_KVORA_BROWSE_SOUND,
                 IDC_KVORA_RECORD_SOUND, IDC_KVORA_SPEECH_CHECK, IDC_KVORA_SPEECH},
                !IsChecked(IDC_KVORA_VIDEO_CHECK));
}

int KvoraCommandDlg::RadioMode() const
{
    if (IsChecked(IDC_KVORA_AUTO_TTS))
        return 1;
    return IsChecked(IDC_KVORA_AUTO_SOUND) ? 2 : 0;
}

bool KvoraCommandDlg::OnCommand(int id, int code)
{
    if (code == EN_CHANGE) {
        // Typing a label or a speech text switches its box on, and emptying it switches it off.
        if (id == IDC_KVORA_TEXT || id == IDC_KVORA_SPEECH) {
            SetChecked(id == IDC_KVORA_TEXT ? IDC_KVORA_TEXT_CHECK : IDC_KVORA_SPEECH_CHECK, !ItemText(id).empty());
            return true;
        }
        return false;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_KVORA_PICTURE_CHECK: ApplyPictureRule(); return true;
    case IDC_KVORA_SOUND_CHECK: ApplySoundRule(); return true;
    case IDC_KVORA_SPEECH_CHECK: ApplySpeechRule(); return true;
    case IDC_KVORA_VIDEO_CHECK: ApplyVideoRule(); return true;
    case IDC_KVORA_AUTO_TTS:
    case IDC_KVORA_AUTO_SOUND:
    case IDC_KVORA_AUTO_NONE: autoFill_ = RadioMode(); return true;
    case IDC_KVORA_IMAGEBASE: OnImageBase(); return true;
    case IDC_KVORA_BROWSE_IMAGE: OnBrowseImage(); return true;
    case IDC_KVORA_BROWSE_SOUND: OnBrowseSound(); return true;
    case IDC_KVORA_BROWSE_VIDEO: OnBrowseVideo(); return true;
    case IDC_KVORA_RECORD_SOUND: OnRecord(); return true;
    case IDC_KVORA_SELECT_TTS: OnVoice(); return true;
    case IDC_KVORA_TEST: OnTest(); return true;
    case IDC_KVORA_STOP: OnStop(); return true;
    default: return false;
    }
}

// ---- Choosing pictures, sounds and videos -------------------------------------------------------

void KvoraCommandDlg::OnImageBase()
{
    std::vector<ImageBaseItem> items = kvora_command::ChooserItems(ItemText(IDC_KVORA_PICTURE), imageBaseFile_);
    std::string key;
    settings_->GetDefaultImageBase(key);
    ImageBaseDlg chooser(IDD_IMAGEBASE, imageBaseFile_, &key, &items, nullptr, hwnd_);
    if (chooser.DoModal() != IDOK || items.empty())
        return;

    autoFill_ = RadioMode();
    const std::string code = items.front().GetFullCode();
    TakeField(IDC_KVORA_PICTURE_CHECK, IDC_KVORA_PICTURE, code);

    const kvora_command::CodePicture picture = kvora_command::ResolvePicture(code, imageBaseFile_);
    bool labelled = picture.options.GetPresent() != 0;
    SetItemText(IDC_KVORA_TEXT, labelled ? picture.word : std::string());
    SetChecked(IDC_KVORA_TEXT_CHECK, labelled);

    if (autoFill_ == 1) {
        SetItemText(IDC_KVORA_SPEECH, picture.word);
        SetChecked(IDC_KVORA_SPEECH_CHECK, true);
        SetChecked(IDC_KVORA_SOUND_CHECK, false);
        SetItemText(IDC_KVORA_SOUND, std::string());
        ApplySpeechRule();
    } else if (autoFill_ == 2) {
        SetItemText(IDC_KVORA_SOUND, picture.sound);
        SetChecked(IDC_KVORA_SOUND_CHECK, true);
        SetChecked(IDC_KVORA_SPEECH_CHECK, false);
        SetItemText(IDC_KVORA_SPEECH, std::string());
        ApplySoundRule();
    } else {
        ApplySpeechRule();
        ApplySoundRule();
    }
}

void KvoraCommandDlg::OnBrowseImage()
{
    // A code starts the chooser at its picture's file.
    std::string start = ItemText(IDC_KVORA_PICTURE);
    std::string located = start;
    if (!start.empty() && ImageBaseManager::LocateFile(located) != 1)
        start = kvora_command::ResolvePicture(start, imageBaseFile_).path;
    std::string folder;
    settings_->GetImageDir(folder);
    OpenImageDlg chooser(true, nullptr, start.c_str(), kBrowseFlags, nullptr, hwnd_);
    chooser.SetUpPictureFilter(fw::LoadResString(IDS_KVORA_BROWSE_IMAGE), folder);
    if (chooser.DoModal() != IDOK)
        return;
    std::string path = chooser.PathName();
    settings_->SetImageDir(ImageBaseManager::GetFolderFromPath(path));
    if (IsChecked(IDC_KVORA_SHORT))
        path = kvora_command::ShortLowerPath(path);
    TakeField(IDC_KVORA_PICTURE_CHECK, IDC_KVORA_PICTURE, path);
}

// Without a player there is nothing to preview sounds with, and the button does nothing.
void KvoraCommandDlg::OnBrowseSound()
{
    if (!player_)
        return;
    std::string start = ItemText(IDC_KVORA_SOUND);
    const std::string picture = ItemText(IDC_KVORA_PICTURE);
    if (start.empty() && !picture.empty() && autoFill_ == 2)
        start = kvora_command::SoundOfPicture(picture, imageBaseFile_);
    OpenSoundDlg chooser(player_.get(), true, nullptr, start.c_str(), kBrowseFlags, kSoundFilter, hwnd_);
    chooser.SetTitle(fw::LoadResString(IDS_KVORA_BROWSE_SOUND));
    if (start.empty()) {
        std::string folder;
        settings_->GetSoundDir(folder);
        chooser.SetInitialFolder(folder);
    }
    soundChooser_ = &chooser;
    INT_PTR result = chooser.DoModal();
    soundChooser_ = nullptr;
    if (result != IDOK)
        return;
    std::string path = chooser.PathName();
    settings_->SetSoundDir(ImageBaseManager::GetFolderFromPath(path));
    if (IsChecked(IDC_KVORA_SHORT))
        path = kvora_command::ShortLowerPath(path);
    TakeField(IDC_KVORA_SOUND_CHECK, IDC_KVORA_SOUND, path);
}

void KvoraCommandDlg::OnBrowseVideo()
{
    const std::string start = ItemText(IDC_KVORA_VIDEO);
    std::string folder;
    if (start.empty())
        settings_->GetVideoDir(folder);
    fw::FileRequest chooser(hwnd_, start, kvora_command::VideoFilter(settings_->videoExtensions_),
                        fw::LoadResString(IDS_KVORA_BROWSE_VIDEO), folder, kBrowseFlags);
    if (!fw::ShowOpenFileDialog(chooser.request))
        return;
    std::string path = chooser.Chosen();
    settings_->SetVideoDir(ImageBaseManager::GetFolderFromPath(path));
    if (IsChecked(IDC_KVORA_SHORT))
        path = kvora_command::ShortLowerPath(path);
    TakeField(IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO, path);
}

void KvoraCommandDlg::OnVoice()
{
    int choice = settings_->GetTextToSpeech();
    SpeechDlg speech(settings_, &choice, engine_, speaker_, hwnd_);
    if (speech.DoModal() == IDOK)
        settings_->SetTextToSpeech(choice);
}

// ---- Recording ----------------------------------------------------------------------------------

void KvoraCommandDlg::OnRecord()
{
    // A file of this dialog's own: a recording that an earlier run left is never taken for a new one.
    const std::string recording = RecordSoundDlg::NewRecordingFile();
    if (recording.empty())
        return;

    const std::string proposal = kvora_command::RecordingProposal(
        ItemText(IDC_KVORA_PICTURE), settings_->autoSoundFolder_, imageBaseFile_, settings_->videoExtensions_);

    RecordSoundDlg recorder(recording, nullptr, settings_->programSettingsFile_.c_str(), hwnd_);
    if (recorder.DoModal() != IDOK) {
        ::DeleteFileA(recording.c_str());
        return;
    }
    if (!fw::FileExists(recording))
        return;
    std::string saved = SaveRecording(recording, proposal);
    if (!saved.empty())
        TakeField(IDC_KVORA_SOUND_CHECK, IDC_KVORA_SOUND, saved);
}

// The name is made a WAVE file's name before anything is written, and a file that would be replaced
// under that name is asked about first; a name that cannot be written is asked for again.
std::string KvoraCommandDlg::SaveRecording(const std::string& recording, const std::string& proposal)
{
    const std::string caption = fw::LoadResString(IDS_KVORA_SAVE_SOUND);
    std::string start = proposal;
    for (;;) {
        fw::FileRequest save(hwnd_, start, fw::LoadResString(IDS_KVORA_SOUND_FILES) + "|*.wav|", caption, std::string(),
                         OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
        if (!fw::ShowSaveFileDialog(save.request)) {
            ::DeleteFileA(recording.c_str());
            return std::string();
        }
        const std::string chosen = save.Chosen();
        const std::string name = media::WithWaveExtension(chosen);
        start = name;
        if (name != chosen && fw::FileExists(name) &&
            fw::ShowMessage(hwnd_, IDS_KVORA_REPLACE_SOUND, fw::FormatResString(IDS_KVORA_REPLACE_SOUND, name.c_str()),
                            caption, MB_YESNO | MB_ICONWARNING) != IDYES)
            continue;
        if (!::CopyFileA(recording.c_str(), name.c_str(), FALSE)) {
            fw::ShowMessage(hwnd_, IDS_KVORA_SOUND_NOT_SAVED, fw::FormatResString(IDS_KVORA_SOUND_NOT_SAVED, name.c_str()),
                            fw::LoadResString(IDS_KVORA_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
            continue;
        }
        ::DeleteFileA(recording.c_str());
        return name;
    }
}

// ---- Test, Stop and the preview -----------------------------------------------------------------

void KvoraCommandDlg::ShowPlayer(bool show)
{
    if (player_ && player_->Window())
        ::ShowWindow(player_->Window(), show ? SW_SHOW : SW_HIDE);
}

void KvoraCommandDlg::OnTest()
{
    if (!Collect())
        return;
    OnStop();

    if (!content_.HasVideo()) {
        if (player_)
            player_->Stop();
        ShowPlayer(false);
        content_.shown_ = 1;
    } else {
        content_.shown_ = 0;
        if (player_) {
            ShowPlayer(true);
            if (player_->Open(content_.videoPath_))
                ShowItem(IDC_KVORA_STOP, true);
        }
    }

    content_.LoadPicture(picture_->GetInterface(), RGB(255, 255, 255), 0, kPreviewMaximum);
    ::InvalidateRect(hwnd_, &previewRect_, TRUE);

    if (content_.soundPath_.empty()) {
        if (content_.speech_.empty() || settings_->GetTextToSpeech() != 4)
            return;
        bool speaking = false;
        if (speaker_ && speaker_->IsPresent() && speaker_->IsReady() && speaker_->VoiceCount() > 0)
            speaking = speaker_->Speak(content_.speech_);
        else if (engine_)
            speaking = engine_->Speak(content_.speech_) == 0;
        if (speaking)
            ShowItem(IDC_KVORA_STOP, true);
        return;
    }

    // Stop shows only for a sound that really plays.
    ShowPlayer(false);
    const std::string extension = cp1252::Lower(content_.GetSoundExtension());
    bool playing = false;
    if (extension == "mp3" || extension == "m4a" || extension == "wma")
        playing = player_ && player_->Open(content_.soundPath_);
    else if (extension == "wav" || extension == "mid" || extension == "rmi" || extension == "cda")
        playing = mci_.Play(content_.soundPath_, hwnd_);
    if (playing)
        ShowItem(IDC_KVORA_STOP, true);
}

// Speech from either engine stops too, not only the players.
void KvoraCommandDlg::OnStop()
{
    if (speaker_)
        speaker_->Stop();
    if (engine_)
        engine_->Reset();
    mci_.Stop();
    if (player_) {
        if (player_->Kind() == MediaPlayerKind::Classic)
            player_->Stop();
        else
            player_->Close();
    }
    ShowItem(IDC_KVORA_STOP, false);
}

void KvoraCommandDlg::OnPaint()
{
    fw::PaintDC dc(hwnd_);
    content_.Draw(dc, previewRect_, 1, 1, 1);
}

void KvoraCommandDlg::OnPlayerEnded()
{
    ShowItem(IDC_KVORA_STOP, false);
    if (soundChooser_)
        soundChooser_->StopPreview();
}

bool KvoraCommandDlg::OnNotify(int id, NMHDR* header, LRESULT& result)
{
    if (id != IDC_KVORA_PLAYER)
        return false;
    const int state = reinterpret_cast<NMMEDIAPLAYER*>(header)->state;
    switch (header->code) {
    case MPN_ENDOFSTREAM:
        OnPlayerEnded();
        return true;
    case MPN_PLAYSTATECHANGE:
        if (state == kPlayStateMediaEnded)
            OnPlayerEnded();
        return true;
    case MPN_OPENSTATECHANGE:
        if (state == kMediaOpen && player_ && player_->Window()) {
            fw::Window(player_->Window()).Move(playerRect_);
            ShowPlayer(true);
        }
        return true;
    default:
        return false;
    }
}

bool KvoraCommandDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return true;
    case MM_MCINOTIFY:
        if (mci_.OnNotify(wParam, lParam))
            ShowItem(IDC_KVORA_STOP, false);
        return true;
    case WM_SPEECH_FINISHED:
        ShowItem(IDC_KVORA_STOP, false);
        return true;
    default:
        break;
    }
    // The speech engine's notices: the end of speech hides Stop, the others are taken and dropped.
    if (message >= WM_BABTTS_FIRST && message <= WM_BABTTS_LAST) {
        if (message == WM_BABTTS_SPEECH_END)
            ShowItem(IDC_KVORA_STOP, false);
        result = 0;
        return true;
    }
    return false;
}

// ---- OK, Cancel and closing ---------------------------------------------------------------------

bool KvoraCommandDlg::Refuse(UINT textId, const std::string& text)
{
    fw::ShowMessage(hwnd_, textId, text, fw::LoadResString(IDS_KVORA_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
    return false;
}

kvora_command::Fields KvoraCommandDlg::ShownFields() const
{
    auto field = [this](int box, int id) { return IsChecked(box) ? ItemText(id) : std::string(); };
    kvora_command::Fields fields;
    fields.picture = field(IDC_KVORA_PICTURE_CHECK, IDC_KVORA_PICTURE);
    fields.label = field(IDC_KVORA_TEXT_CHECK, IDC_KVORA_TEXT);
    fields.speech = field(IDC_KVORA_SPEECH_CHECK, IDC_KVORA_SPEECH);
    fields.sound = field(IDC_KVORA_SOUND_CHECK, IDC_KVORA_SOUND);
    fields.video = field(IDC_KVORA_VIDEO_CHECK, IDC_KVORA_VIDEO);
    return fields;
}

// In a block's command a '<' opens a tag that runs on to the next '>', so neither text may hold one.
bool KvoraCommandDlg::Collect()
{
    const kvora_command::Fields fields = ShownFields();
    kvora_command::Refusal refusal =
        kvora_command::CollectContent(fields, imageBaseFile_, settings_->videoExtensions_, content_);
    if (refusal)
        return Refuse(refusal.textId, refusal.text);
    const char delimiter = content_.delimiter_;
    if (content_.label_.find('<') != std::string::npos)
        return Refuse(IDS_KVORA_LABEL_IN_COMMAND, fw::FormatResString(IDS_KVORA_LABEL_IN_COMMAND, delimiter));
    if (content_.speech_.find('<') != std::string::npos)
        return Refuse(IDS_KVORA_SPEECH_IN_COMMAND, fw::FormatResString(IDS_KVORA_SPEECH_IN_COMMAND, delimiter));
    return true;
}

// The caller's string changes only when the new command fits, and stays byte for byte when no field
// was changed.
bool KvoraCommandDlg::OnOK()
{
    autoFill_ = RadioMode();
    if (!proposal_ && !command_.empty() && ShownFields() == opened_) {
        shortNames_ = IsChecked(IDC_KVORA_SHORT) ? 1 : 0;
        return true;
    }
    if (!Collect())
        return false;
    std::string built;
    content_.BuildContent(built);
    if (built.size() > kMaxLength) {
        return Refuse(IDS_KVORA_TOO_LONG,
                      fw::FormatResString(IDS_KVORA_TOO_LONG, static_cast<int>(kMaxLength)));
    }
    command_ = built;
    shortNames_ = IsChecked(IDC_KVORA_SHORT) ? 1 : 0;
    return true;
}

bool KvoraCommandDlg::OnCancel()
{
    shortNames_ = IsChecked(IDC_KVORA_SHORT) ? 1 : 0;
    return true;
}

// The engine's notices go back to the window that had them before, never to a closed one.
void KvoraCommandDlg::OnDestroy()
{
    OnStop();
    if (engine_)
        engine_->SetCallbackWindow(previousCallbackWindow_);
    player_.reset();
    picture_.reset();
}
