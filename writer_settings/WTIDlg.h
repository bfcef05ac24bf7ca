// The word-to-picture search bar: the user types a word and gets, as a strip of pictures, every picture
// of the image bases whose word matches; the marked picture, or the word itself, goes into the document.
#pragma once
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "library/ImageBaseManager.h"
#include "library/KvoraObject.h"
#include "writer_settings/HitStrip.h"
#include "writer_settings/PictureChoiceOwner.h"
#include "writer_settings/WordHits.h"
#include <memory>
#include <string>
#include <vector>

// A child dialog (163) of the main window, which owns it by value, creates it, calls Attach and places
// it. The main window hands it every message for a window inside it first (PreTranslateMessage); the
// bar takes its own keys and the characters typed into its word. The states: typing (the word has the
// focus, nothing marked), in the strip (the focus button has the focus, a hit marked) and left (nothing
// marked, inactive).
class WTIDlg : public fw::Dialog {
public:
    WTIDlg();
    ~WTIDlg() override;

    bool Create(HWND parent);
    // Keeps the owner, loads the image bases of the image-base ini and reads [Defaults] TextImage of
    // the program ini. Called again after the default image base changed.
    void Attach(WordBarOwner* owner, const std::string& imageBaseIni);
    // Moves the bar to the rectangle (the main window's co-ordinates) and lays out the strip's cells.
    virtual void Place(const RECT& rect);

    // What the main window's Tab asks.
    int GetHitCount() const { return searched_ ? hits_.Count() : 0; }
    // 0 when the strip has no cells, else the control with the focus: the word (1129), the focus
    // button (1131), or 0 for any other.
    int GetFocusControl() const;
    // 1 while the bar holds the user's attention; the document draws its caret dotted then.
    bool IsInHits() const { return active_; }

    // The word gets the focus, fully selected, nothing marked.
    void ResetHits();
    // An empty bar for a new document: no word and no hits.
    void Clear();
    // Into the strip: the first shown hit is marked.
    void EnterHits();
    // Out of the strip: nothing marked, inactive. Only while the strip has cells.
    void LeaveHits();

    // Table 138 first; characters typed into the word stay in the bar.
    bool PreTranslateMessage(MSG& message) override;

    // What the strip holds, for the main window's tests and the benchmark.
    CKvoraObject& Hit(int hit) { return hits_.At(hit); }
    // The shown page's pictures are decoded after the keystroke, one at a time between the user's
    // keys; true once the shown page has all of them.
    bool ShownPicturesLoaded() const { return !loadPending_; }
    int MarkedHit() const { return strip_.Marked(); }
    int FirstShownHit() const { return strip_.First(); }
    const std::vector<RECT>& Cells() const { return cells_; }
    // Enter: searches for the word, or writes the marked hit into the document.
    void OnEnter();

protected:
    bool TakesInitHook() const override { return false; }
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override { return false; }
    bool OnCancel() override { return false; }
    void OnDestroy() override;
    void OnTimer(UINT_PTR id) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Search();
    // No hits, nothing marked; the strip is repainted empty.
    void ForgetHits();
    void InsertMarkedHit();
    void OnNextPage();
    void OnRight();
    void OnLeft();
    void MoveWordCaret(int by);
    void ApplyMove(const HitStrip::Move& move);
    void OnClick(POINT point, bool twice);
    void OnWordFocused();
    void LoadShownPictures();
    bool LoadNextShownPicture();
    void ScheduleLoad();
    void OnLoadMessage();
    void InvalidateStrip();
    void Paint();
    void PaintPicture(HDC dc, const RECT& cell, const CKvoraObject& picture) const;
    void PaintWordEntry(HDC dc, const RECT& cell) const;
    bool FocusIsOn(int id) const;

    WordBarOwner* owner_ = nullptr;
    bool active_ = false;
    ImageBaseManager imageBases_;
    std::string imageBaseIni_;
    std::shared_ptr<PictureControl> pictureControl_;
    std::string textImage_;
    HACCEL accelerators_ = nullptr;
    fw::Pen markPen_;
    fw::Brush whiteBrush_;

    RECT stripRect_{0, 0, 0, 0};
    std::vector<RECT> cells_;
    int frameWidth_ = 4;
    WordHits hits_;
    bool searched_ = false;
    HitStrip strip_;
    bool loadPending_ = false;
    bool loadPosted_ = false;
};
