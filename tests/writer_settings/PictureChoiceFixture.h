// What the picture-choice tests share: a throw-away Morvel configuration with an image base (two
// categories, sounds for some pictures) and disk folders of small pictures, the user's folder list,
// and a top-level host window that plays the main window's part for the browser and the search bar.
#pragma once
#include "ImageBaseFiles.h"
#include "MorvelConfig.h"
#include "framework/Dialog.h"
#include "library/ImagXpress.h"
#include "writer_settings/ImageFolder.h"
#include "writer_settings/PictureChoiceOwner.h"
#include "writer_settings/Settings.h"
#include "writer_settings/WTIDlg.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace picturetests {

// A 24-bit BMP of one colour with a darker band, so that each picture looks its own.
void WriteBitmap(const std::string& path, COLORREF colour, int size = 32);

// The configuration: the image base "Djur" (key A) with categories "Djur" (hund, katt, Hund) and
// "Hus" (hus, Hus, husvagn, häst), its pictures and the sound of "hund"; a symbols folder.
class PictureConfig {
public:
    PictureConfig();

    std::string ImageBaseIni() const { return imageBaseIni_; }
    std::string BasePictureFolder() const { return config_.Temp() / "bas\\bilder"; }
    std::string BaseSoundFolder() const { return config_.Temp() / "bas\\ljud"; }
    std::string SymbolsFolder() const { return config_.Temp() / "symboler"; }
    const MorvelConfig& Config() const { return config_; }
    Settings& UserSettings() { return settings_; }

    // A disk folder below the temporary folder with pictures named as given (folders made as needed);
    // returns its path.
    std::string WriteFolder(const std::string& name, const std::vector<std::string>& files) const;
    // The user's image-folder list (of the default user, beside the program ini).
    void WriteFolderList(const std::vector<ImageFolder>& folders) const;

    static ImageFolder DiskFolder(const std::string& name, const std::string& path, int display = ImageFolder::kAlbum,
                                  int listStructure = 0);
    ImageFolder BaseFolder(int display, int listStructure) const;

private:
    testsupport::WindowsFileGuard sharedSounds_{"picwav.ini"};
    MorvelConfig config_;
    std::string imageBaseIni_;
    Settings settings_;
};

// The main window's part: the pictures' control, playback that records what it was asked, and a
// document that records what the search bar writes into it. A child "document" window holds the focus
// when the bar does not. Tab and Esc, the main window's keys, are counted.
class PictureHost : public WordBarOwner, private fw::MessageFilter {
public:
    explicit PictureHost(Settings& settings);
    ~PictureHost() override;
    PictureHost(const PictureHost&) = delete;
    PictureHost& operator=(const PictureHost&) = delete;

    HWND Handle() const { return hwnd_; }
    HWND DocumentWindow() const { return document_; }
    // The search bar across the top of the host, attached to the image bases.
    WTIDlg& CreateWordBar();
    WTIDlg& Bar() { return bar_; }

    // PictureChoiceOwner
    const Settings& GetSettings() override { return settings_; }
    std::shared_ptr<PictureControl> GetPictureInterface() override { return pictures_->GetInterface(); }
    void StopAllPlayback() override { ++stops_; playing_ = false; }
    int SpeakText(const std::string& text) override;
    bool HasMediaPlayer() override { return mediaPlayer_; }
    int PlayMediaFile(const std::string& path) override;
    bool IsPlaying() override { return playing_; }
    bool EditFolderList(HWND parent, std::vector<ImageFolder>& folders) override;

    // WordBarOwner
    void InsertObject(const CKvoraObject& object) override { insertedObjects_.push_back(object); }
    void InsertText(const std::string& text) override { insertedTexts_.push_back(text); }
    void OnTab() override { ++tabs_; }
    void OnExit() override { ++exits_; }
    void RedrawDocumentCaret() override { ++caretRedraws_; }

    bool mediaPlayer_ = true;
    bool playing_ = false;
    int stops_ = 0;
    int exits_ = 0;
    int tabs_ = 0;
    int caretRedraws_ = 0;
    std::vector<std::string> spoken_;
    std::vector<std::string> played_;
    std::vector<CKvoraObject> insertedObjects_;
    std::vector<std::string> insertedTexts_;
    // The folder dialog's part: changes the list and answers OK (true) or Cancel.
    std::function<bool(std::vector<ImageFolder>&)> editFolders_;

private:
    bool PreTranslateMessage(MSG& message) override;

    Settings& settings_;
    HWND hwnd_ = nullptr;
    HWND document_ = nullptr;
    std::unique_ptr<CImagXpress> pictures_;
    WTIDlg bar_;
};

// Sends a key as the keyboard would: the key down through the host's message loop, and the character
// it types.
void PressKey(HWND target, UINT key);
void TypeText(HWND target, const std::string& text);

} // namespace picturetests
