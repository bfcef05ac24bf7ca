// "Definition av IR-koder": the list of the user's infrared codes, their editors, a test send, the
// keyboard's ID channel, and loading every code into the AccessKvora keyboard.
#pragma once
#include "device/AccessKvoraLink.h"
#include "device/IrCodeDraft.h"
#include "device/IrCommands.h"
#include "device/IrLoaderModel.h"
#include "framework/Dialog.h"
#include <string>

// Owns its code table, its link to the keyboard and the link's port for its lifetime; the editors
// borrow the link's commands and the list. Without a keyboard it only lists the codes.
class IrloaderDlg : public fw::Dialog {
public:
    static constexpr UINT_PTR kSearchTimer = 1;
    static constexpr UINT kSearchDelay = 200;

    // windowsSettingsFile: the Windows folder's skarpin.ini, which names the port; programFolder:
    // FileIO's program folder, whose Zenthor folder holds the code file.
    IrloaderDlg(const std::string& windowsSettingsFile, const std::string& programFolder, HWND parent = nullptr);

    // For tests: shorter waits of the link and of the infrared commands.
    void SetTimings(const LinkTimings& link, const IrTimings& infrared);
    const IrLoaderModel& Model() const { return model_; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void OnTimer(UINT_PTR id) override;

private:
    void FindKeyboard();
    void FillList();
    void UpdateButtons();
    void SetStatus(const std::string& text);
    int SelectedSlot() const;

    void OnNew();
    void OnEdit();
    void OnDelete();
    void OnSend();
    void OnChooseId();
    void OnLoadAll();
    // The editor of the type on the draft; true on OK.
    bool RunEditor(char type, IrCodeDraft& draft, int row, int code);
    void Store(int slot, char type, int code, const IrCodeDraft& draft);
    void ShowError(UINT textId, const std::string& text = std::string()) const;
    void ShowUnreadable() const;

    std::string windowsSettingsFile_;
    std::string programFolder_;
    AccessKvoraLink link_;
    IrCommands commands_;
    IrLoaderModel model_;
    bool connected_ = false;
};

// The main window's "Definition av IR-koder..." command.
void ShowInfraredCodes(const std::string& windowsSettingsFile, const std::string& programFolder, HWND parent);
