// Morvel's document window: a child dialog of the main window that shows one screen page of the
// document, takes the typed characters and the keyboard's content strings, the editing keys and
// clicks, and prints the document.
#pragma once
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "writer/ContentCapture.h"
#include "writer/DocumentModel.h"
#include "writer/DocumentOwner.h"
#include "writer/DocumentSpeech.h"
#include "writer/GdiTextMeasurer.h"
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Owned by the main window (by value), which calls Attach once and then creates it from dialog 168.
// The document itself is the model; this class turns messages into its edits, paints the current
// page and keeps the fonts, brushes and sizes of the screen and the printer.
class DocumentDlg : public fw::Dialog, private DocumentModel::Host {
public:
    DocumentDlg();
    ~DocumentDlg() override;

    // Stores the owner and through it the file store, the settings and the picture control. Until it
    // ran, the window neither measures nor paints.
    void Attach(DocumentOwner* owner);
    bool Create(HWND parent);

    // Moves the window (the main window's layout) and computes the screen sizes again.
    virtual void MoveTo(const RECT& rect, bool repaint);
    // Takes the keyboard focus and shows the caret.
    virtual void SetFocusAndCaret();

    // An empty document; a new document, and before one is read.
    void Clear();
    // After a document was read, the settings or the printer changed: sizes, pictures and layout
    // again, the caret's page shown.
    void Refresh();
    // The three ways to add items.
    void InsertChar(char character);
    void InsertObject(const CKvoraObject& object);
    void InsertText(const std::string& text);
    // A typed character: content strings between two prefix characters become symbols. reset
    // abandons a capture (Alt+R).
    void OnChar(char character, int reset);
    void ToggleNegation();
    void ToggleLargePicture();
    // Before a save: the image list holds exactly the document's pictures, numbered 0 ... n-1.
    void CompactImages() { model_.CompactImages(); }

    void ComputeMetrics();
    void ComputePrintMetrics();
    void Layout() { model_.Layout(); }
    // Prints every page between the main window's StartDoc and EndDoc.
    void PrintDocument(HDC printer);

    // Reading aloud (F10): the document as a play list whose first step starts.
    void BuildPlayList();
    // The end of a step: 1 when a further step started, 0 when the list is done.
    int PlayNextStep();
    // Stopping all playback empties the play list.
    void ResetPlayList() { speech_.ResetPlayList(); }
    // The TextSpeaker control's position within the text it speaks.
    void SetSpeechPosition(long position) { speech_.SetSpeechPosition(position); }
    DocumentSpeech& Speech() { return speech_; }
    const DocumentSpeech& Speech() const { return speech_; }

    // WM_CHAR enters a character (this is the characters' only road in: the main window hands every
    // one here, whatever window it was meant for); the keys of accelerator table 137 become commands.
    bool PreTranslateMessage(MSG& message) override;

    // What the main window reads and fills: the items, the image list, the pages, the modified flag.
    DocumentModel& Model() { return model_; }
    const DocumentModel& Model() const { return model_; }
    bool IsCapturing() const { return capture_.IsCapturing(); }
    // Shows or hides the caret (the main window hides it while the word-to-picture bar has the keys).
    void DrawCaret(bool show);
    // The dashed line where a printed page ends, when one ends on the current page.
    void DrawPageEndMarker(HDC dc);
    // The current page as the window paints it (the caret too while it is shown), into any device
    // context whose origin is the window's client area.
    void PaintPage(HDC dc, const RECT& area);
    // The screen's client rectangle (its right edge kept free), and the fonts of screen and paper.
    const RECT& ClientRect() const { return client_; }
    HFONT ScreenFont() const { return screenFont_.Get(); }
    HFONT PrinterFont() const { return printerFont_.Get(); }

protected:
    // What the user hears as the document is written.
    virtual void SpeakAfterChar() override { speech_.SpeakAfterChar(); }
    virtual void PlaySymbolAt(int index) override { speech_.PlaySymbolAt(index); }

    // A part of the main window, not a dialog of its own: the test scripts of dialogs pass it by.
    bool TakesInitHook() const override { return false; }
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override { return false; }
    bool OnCancel() override { return false; }
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void OnPaint();
    void DrawCaretBox(HDC dc) const;

private:
    // DocumentModel::Host
    const TextMeasurer& ScreenMeasurer() override;
    const TextMeasurer* PrintMeasurer() override;
    void LoadPicture(CKvoraObject& object) override;
    bool IsControlDown() override;
    void Beep() override;
    void StopAllPlayback() override;

    // Runs one edit: the caret hidden before, the pages passed on and the page repainted after.
    template <class Edit>
    void Run(Edit edit);
    void Apply(const DocumentChange& change);
    void RepaintAll();
    void RepaintRows(const std::vector<std::pair<int, int>>& rows);
    // What a read-aloud has to tell the user, once it has ended.
    void ShowSpeechReport();
    void OnClick(POINT point);
    void SelectScreenFont(HDC dc) const;
    void DrawItems(HDC dc, const RECT& area) const;
    COLORREF Colour(int index) const;

    DocumentModel model_;
    ContentCapture capture_;
    DocumentSpeech speech_;
    DocumentOwner* owner_ = nullptr;
    bool attached_ = false;
    bool caretShown_ = false;
    HACCEL accelerators_ = nullptr;
    bool japaneseCharset_ = false;

    // Painting resources and sizes.
    fw::Brush backgroundBrush_;
    fw::Brush caretBrush_;
    fw::Pen dottedCaretPen_;
    COLORREF backgroundColour_ = RGB(255, 255, 255);
    fw::Font screenFont_;
    fw::Font printerFont_;
    RECT client_{0, 0, 0, 0};
    fw::MemoryDC measuringDC_;
    std::unique_ptr<GdiTextMeasurer> screenMeasurer_;
    std::unique_ptr<GdiTextMeasurer> printMeasurer_;
};
