// The mouse command dialog: a block command that moves the pointer, puts it on a caught click point of
// a window or the screen, or clicks (played by the USB driver program).
#pragma once
#include "editor/MouseCatch.h"
#include "editor/MouseCommandModel.h"
#include "framework/Dialog.h"
#include "store/MouseClickReference.h"
#include <functional>
#include <string>
#include <vector>

// Modal; the caller owns the command, the references and the flag. The dialog owns its hook.
class MouseCommandDlg : public fw::Dialog {
public:
    static constexpr UINT kHookMessage = TREMLIN_MESSAGE;
    static constexpr UINT_PTR kBlinkTimer = 1;

    // command: in, the block's command, whose mouse tags the dialog opens on; out, on OK only, the same
    // command with the built mouse command in place of those tags, or after it when it held none (the
    // caller replaces its whole text with it). corner: the screen point of the dialog's bottom-right
    // corner, or null. current: the reference caught points are measured against, which "Avancerat"
    // changes and the caller keeps for the next dialog; null measures relative to the window. repeat:
    // when given, set to 1 on OK when the command is a move, which a held key should repeat.
    MouseCommandDlg(std::string& command, const POINT* corner, const std::vector<MouseClickReference>& named,
                    MouseClickReference* current, int* repeat, HWND parent = nullptr);
    ~MouseCommandDlg() override;

    // Where the dialog's trace lines go; none by default (the trace log is off while it is open).
    void SetLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnTimer(UINT_PTR id) override;
    bool OnOK() override;
    void OnDestroy() override;

private:
    void SetTexts();
    void FillLists();
    void ShowChoices();
    void EnterMode(mouse::Mode mode);
    void Rebuild();

    void OnCatch();
    void OnCancelCatch();
    void OnAdvanced();
    void OnTry();
    void OnHookMessage();
    // The top-level window under a screen point, logged as the trace has it.
    HWND TopLevelWindowAt(POINT point, RECT& rect);
    void TakeCaughtPoint(POINT point, const RECT& window);

    void StartBlinking();
    // keepIcon: the icon stays visible (a point was caught) or goes.
    void StopBlinking(bool keepIcon);
    // Puts the hook back in watch mode after a short pause, so the click that ended the catch is over.
    void WatchAgain();
    void Log(const std::string& line) const;

    std::string& command_;
    bool hasCorner_ = false;
    POINT corner_{};
    const std::vector<MouseClickReference>& named_;
    // The caller's reference; without one, the dialog's own once "Avancerat" has set it.
    MouseClickReference* reference_;
    MouseClickReference ownReference_;
    int* repeat_;

    mouse::MouseChoices choices_;
    MouseCatch catch_;
    HWND caughtWindow_ = nullptr;
    HWND frontWindow_ = nullptr;
    bool hasCaughtPoint_ = false;
    mouse::Position caughtPoint_;
    bool catching_ = false;
    bool blinkOn_ = false;
    int blinkTicks_ = 0;
    HICON icons_[2] = {};
    std::function<void(const std::string&)> log_;
};
