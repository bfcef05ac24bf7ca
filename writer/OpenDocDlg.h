// The open-document dialog: one saved document at a time as a painted preview, page by page; F11
// steps to the next saved document, OK opens the one shown.
#pragma once
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "library/PictureButton.h"
#include "writer/DocumentModel.h"
#include "writer/DocumentSpeech.h"
#include "writer/FileIO.h"
#include "writer/GdiTextMeasurer.h"
#include <array>
#include <memory>
#include <string>
#include <vector>

class CMorvelDlg;

// Run modally by the main window's Open command, which owns it on its stack. The shown document is a
// model of its own, laid out with the document window's own font and frame, so its lines and pages
// break where the document's do, and painted into the preview shrunk.
class OpenDocDlg : public fw::Dialog, private DocumentModel::Host {
public:
    // path: the main window's current-document path, written on OK. documentClient: the size of the
    // document window's client area, which the preview is a shrunk picture of.
    OpenDocDlg(CMorvelDlg& owner, std::string& path, SIZE documentClient, std::shared_ptr<PictureControl> pictures);
    ~OpenDocDlg() override;

    // The main window hands on the end of a read-aloud step: true while the dialog's list goes on.
    bool OnPlaybackStep();
    // Playback ended: PAUSE goes.
    void OnPlaybackEnded();

    // What the dialog shows, for tests.
    const std::vector<DocumentListItem>& Documents() const { return documents_; }
    int ShownIndex() const { return shown_; }
    const DocumentModel& Shown() const { return model_; }

    bool PreTranslateMessage(MSG& message) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // DocumentModel::Host
    const TextMeasurer& ScreenMeasurer() override { return *measurer_; }
    const TextMeasurer* PrintMeasurer() override { return nullptr; }
    void LoadPicture(CKvoraObject& object) override;
    bool IsControlDown() override { return false; }
    void Beep() override;
    void StopAllPlayback() override {}
    void SpeakAfterChar() override {}
    void PlaySymbolAt(int) override {}

    void PlaceControls();
    void ComputePreviewMetrics();
    void ShowNextDocument();
    // Page commands; each beeps when no document is shown.
    void ShowPage(int page);
    void NextPage(bool wrap);
    void PreviousPage();
    void OnReadAloud();
    // A read-aloud's problem, told once.
    void ShowSpeechReport();
    void Paint(HDC dc);

    CMorvelDlg& owner_;
    std::string& path_;
    SIZE documentClient_;
    std::shared_ptr<PictureControl> pictures_;
    HACCEL accelerators_ = nullptr;
    std::array<PictureButton, 6> buttons_;
    RECT preview_{0, 0, 0, 0};
    fw::Font font_;
    fw::Brush background_;
    fw::MemoryDC measuringDC_;
    std::unique_ptr<GdiTextMeasurer> measurer_;
    std::vector<DocumentListItem> documents_;
    int shown_ = -1;
    DocumentModel model_;
    // The shown document's own read-aloud list, played through the main window.
    DocumentSpeech speech_{model_};
};
