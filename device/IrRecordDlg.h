// The editor of a learned infrared code: its name and send time, learning the code from a remote
// control, and the distance check that finds the best distance for learning.
#pragma once
#include "device/IrCodeEditorDlg.h"
#include "device/IrRecorder.h"

// Opened by the infrared loader for a code of type 'I'. On OK a code learned here is read back from
// the keyboard into the draft's text; a code already stored keeps its text.
class IrRecordDlg : public IrCodeEditorDlg, private IrTimers {
public:
    // The text a code has between its learning and its reading back.
    static const char kLearnedPlaceholder[];

    IrRecordDlg(IrCodeDraft& draft, const IrEditorContext& context, HWND parent = nullptr);

    const IrRecorder& Recorder() const { return recorder_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnCancel() override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool HasContent() const override { return !workingText_.empty(); }
    bool OkAllowed() const override { return !recorder_.Busy(); }
    bool Accept(std::string& text, int value) override;

private:
    void StartTimer(UINT_PTR id, UINT milliseconds) override { SetTimer(id, milliseconds); }
    void StopTimer(UINT_PTR id) override { KillTimer(id); }
    // The recorder's state shown: the instruction, the action buttons, OK.
    void ShowRecorder();
    void OpenHelp();

    IrRecorder recorder_;
    // The draft's text, or the placeholder once a code was learned here.
    std::string workingText_;
};
