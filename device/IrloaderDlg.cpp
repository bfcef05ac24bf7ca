// The infrared loader: the code list and what its buttons do.
#include "device/IrloaderDlg.h"
#include "device/Ir4096Dlg.h"
#include "device/IrIDDlg.h"
#include "device/IrNewDlg.h"
#include "device/IrRavikLinkDlg.h"
#include "device/IrRecordDlg.h"
#include "framework/Cursor.h"
#include "framework/Prompt.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"
#include "store/ZenthorFiles.h"

namespace {

const int kKeyboardButtons[] = {IDC_IR_NEW, IDC_IR_CHOOSE_ID, IDC_IR_LOAD_ALL};
const int kRowButtons[] = {IDC_IR_EDIT, IDC_IR_DELETE, IDC_IR_SEND};
// What changes the code file, and the load, which would send the keyboard an empty list as if it were all.
const int kFileButtons[] = {IDC_IR_NEW, IDC_IR_EDIT, IDC_IR_DELETE, IDC_IR_LOAD_ALL};

} // namespace

void ShowInfraredCodes(const std::string& windowsSettingsFile, const std::string& programFolder, HWND parent)
{
    IrloaderDlg(windowsSettingsFile, programFolder, parent).DoModal();
}

IrloaderDlg::IrloaderDlg(const std::string& windowsSettingsFile, const std::string& programFolder, HWND parent)
    : fw::Dialog(IDD_IR_LOADER, parent), windowsSettingsFile_(windowsSettingsFile), programFolder_(programFolder),
      commands_(link_)
{
}

void IrloaderDlg::SetTimings(const LinkTimings& link, const IrTimings& infrared)
{
    link_.SetTimings(link);
    commands_.SetTimings(infrared);
}

bool IrloaderDlg::OnInitDialog()
{
    model_.Load(zenthor::CodeFile(programFolder_));
    FillList();
    link_.Attach(windowsSettingsFile_, AccessKvoraLink::kAccessKvora);
    UpdateButtons();
    SetTimer(kSearchTimer, kSearchDelay);
    return true;
}

void IrloaderDlg::OnTimer(UINT_PTR id)
{
    if (id != kSearchTimer)
        return;
    KillTimer(kSearchTimer);
    if (model_.Unreadable())
        ShowUnreadable();
    FindKeyboard();
}

void IrloaderDlg::ShowUnreadable() const
{
    ShowError(IDS_IR_FILE_UNREADABLE, fw::FormatResString(IDS_IR_FILE_UNREADABLE, model_.Table().Path().c_str()));
}

void IrloaderDlg::FindKeyboard()
{
    fw::WaitCursor wait;
    SetStatus(fw::LoadResString(IDS_IR_CHECKING));
    connected_ = link_.FindKeyboard() == 1;
    if (connected_) {
        model_.WriteBackup();
        SetStatus(fw::FormatResString(IDS_IR_CONNECTED, static_cast<unsigned>(link_.PortNumber())));
    } else {
        SetStatus(fw::LoadResString(IDS_IR_NOT_CONNECTED));
    }
    EnableItem(IDC_IR_LIST, connected_);
    UpdateButtons();
}

void IrloaderDlg::SetStatus(const std::string& text)
{
    SetItemText(IDC_IR_STATUS, text);
    ::UpdateWindow(Item(IDC_IR_STATUS));
}

void IrloaderDlg::FillList()
{
    fw::ListBox list = Control<fw::ListBox>(IDC_IR_LIST);
    list.Clear();
    for (const IrLoaderModel::Row& row : model_.Rows())
        list.Add(row.text);
}

void IrloaderDlg::UpdateButtons()
{
    const bool selected = Control<fw::ListBox>(IDC_IR_LIST).Selection() >= 0;
    for (int id : kKeyboardButtons)
        EnableItem(id, connected_);
    for (int id : kRowButtons)
        EnableItem(id, connected_ && selected);
    // A file that is there but could not be read: nothing changes it, and none of its codes can be loaded.
    if (model_.Unreadable()) {
        for (int id : kFileButtons)
            EnableItem(id, false);
    }
}

int IrloaderDlg::SelectedSlot() const
{
    return model_.SlotOfRow(Control<fw::ListBox>(IDC_IR_LIST).Selection());
}

void IrloaderDlg::ShowError(UINT textId, const std::string& text) const
{
    fw::ShowMessage(Handle(), textId, text.empty() ? fw::LoadResString(textId) : text,
                    fw::LoadResString(IDS_ERROR_CAPTION), MB_OK | MB_ICONSTOP);
}

bool IrloaderDlg::OnCommand(int id, int code)
{
    if (id == IDC_IR_LIST) {
        if (code != LBN_SELCHANGE)
            return false;
        SetStatus(std::string());
        UpdateButtons();
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_IR_NEW:
        OnNew();
        return true;
    case IDC_IR_EDIT:
        OnEdit();
        return true;
    case IDC_IR_DELETE:
        OnDelete();
        return true;
    case IDC_IR_SEND:
        OnSend();
        return true;
    case IDC_IR_CHOOSE_ID:
        OnChooseId();
        return true;
    case IDC_IR_LOAD_ALL:
        OnLoadAll();
        return true;
    default:
        return false;
    }
}

// --- new, edit, delete --------------------------------------------------------------------------

bool IrloaderDlg::RunEditor(char type, IrCodeDraft& draft, int row, int code)
{
    IrEditorContext context;
    context.names = model_.Names();
    context.row = row;
    context.code = code;
    context.commands = &commands_;
    context.programFolder = programFolder_;
    switch (type) {
    case 'I':
        return IrRecordDlg(draft, context, Handle()).DoModal() == IDOK;
    case 'G':
        return IrRavikLinkDlg(draft, context, Handle()).DoModal() == IDOK;
    case 'X':
        return Ir4096Dlg(draft, context, Handle()).DoModal() == IDOK;
    default:
        return false;
    }
}

void IrloaderDlg::OnNew()
{
    int kind = 0;
    if (IrNewDlg(kind, Handle()).DoModal() != IDOK)
        return;
    const char type = IrNewDlg::kTypes[kind];
    int slot = 0;
    int code = 0;
    if (model_.Table().FindFree(type, slot, code) != 0)
        return;
    IrCodeDraft draft;
    if (type == 'G')
        draft.text = ircode::kDefaultRavikLinkChannel;
    if (type == 'X' && code != 0) {
        // Code 0 is taken: the keyboard has its security code already.
        fw::ShowMessage(Handle(), IDS_IR_ONE_SECURITY_CODE, IDS_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
        return;
    }
    if (RunEditor(type, draft, -1, code))
        Store(slot, type, code, draft);
}

void IrloaderDlg::OnEdit()
{
    const int slot = SelectedSlot();
    char type = 0;
    int code = 0;
    if (slot == 0 || model_.Table().GetTypeAndCode(slot, type, code) != 0)
        return;
    IrCodeDraft draft = model_.Draft(slot);
    if (RunEditor(type, draft, Control<fw::ListBox>(IDC_IR_LIST).Selection(), code))
        Store(slot, type, code, draft);
}

void IrloaderDlg::Store(int slot, char type, int code, const IrCodeDraft& draft)
{
    fw::WaitCursor wait;
    switch (model_.Store(slot, type, code, draft)) {
    case IrLoaderModel::StoreResult::kNotSet:
        ShowError(IDS_IR_SET_CODE_FAILED);
        break;
    case IrLoaderModel::StoreResult::kNotSaved:
        ShowError(IDS_IR_SAVE_FILE_FAILED);
        break;
    case IrLoaderModel::StoreResult::kRefused:
        ShowUnreadable();
        break;
    case IrLoaderModel::StoreResult::kStored:
        break;
    }
    FillList();
    UpdateButtons();
}

void IrloaderDlg::OnDelete()
{
    const int slot = SelectedSlot();
    if (slot == 0)
        return;
    const std::string question =
        fw::FormatResString(IDS_IR_DELETE_QUESTION, model_.Draft(slot).name.c_str());
    if (fw::ShowMessage(Handle(), IDS_IR_DELETE_QUESTION, question, fw::LoadResString(IDS_IR_DELETE_CAPTION),
                        MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    if (!model_.Delete(slot))
        ShowError(IDS_IR_SAVE_FILE_FAILED);
    FillList();
    UpdateButtons();
    // The button that had the focus is off now that no row is chosen: the keys go on in the list.
    Self().Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_IR_LIST).Handle()), TRUE);
}

// --- the keyboard -------------------------------------------------------------------------------

void IrloaderDlg::OnSend()
{
    char type = 0;
    int code = 0;
    int value = 0;
    SetStatus(fw::LoadResString(IDS_IR_SENDING));
    int result = IrCommands::kNoAnswer;
    {
        fw::WaitCursor wait;
        if (model_.TestArguments(SelectedSlot(), type, code, value))
            result = commands_.AccTestCommand(type, code, value);
    }
    if (result == 0) {
        SetStatus(fw::LoadResString(IDS_IR_DONE));
        return;
    }
    SetStatus("   ");
    fw::ShowMessage(Handle(), IDS_IR_SEND_FAILED, IDS_ERROR_CAPTION, MB_OK | MB_ICONSTOP);
}

void IrloaderDlg::OnChooseId()
{
    char channel = '0';
    if (commands_.AccGetIDChannel(channel) != 0)
        ShowError(IDS_IR_GET_ID_FAILED);
    if (IrIDDlg(channel, Handle()).DoModal() != IDOK)
        return;
    if (commands_.AccSetIDChannel(channel) != 0)
        ShowError(IDS_IR_SET_ID_FAILED);
}

// Every code of the list into the keyboard, in slot order. A code that cannot be converted is told
// and passed over; the first code the keyboard does not take ends the load, since the codes after
// it would each wait out the keyboard's silence. The status line says at the end whether all went.
void IrloaderDlg::OnLoadAll()
{
    if (fw::ShowMessage(Handle(), IDS_IR_LOAD_QUESTION, IDS_IR_LOAD_CAPTION, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    fw::WaitCursor wait;
    SetStatus(fw::LoadResString(IDS_IR_LOADING));
    int sent = 0;
    for (int slot : model_.LoadOrder()) {
        const std::string name = model_.Draft(slot).name;
        SetStatus(fw::Format("%s %u", name.c_str(), static_cast<unsigned>(slot)));
        const IrLoaderModel::LoadStep step = model_.LoadSlot(commands_, slot);
        if (step.outcome == IrLoaderModel::LoadStep::kSent)
            ++sent;
        if (step.outcome == IrLoaderModel::LoadStep::kDamaged)
            ShowError(step.messageId, fw::FormatResString(step.messageId, name.c_str()));
        if (step.outcome == IrLoaderModel::LoadStep::kKeyboardFailed) {
            ShowError(step.messageId);
            break;
        }
    }
    const int total = model_.SentCount();
    if (sent == total)
        SetStatus(fw::LoadResString(IDS_IR_DONE));
    else
        SetStatus(fw::FormatResString(IDS_IR_LOAD_INCOMPLETE, static_cast<unsigned>(total - sent),
                                      static_cast<unsigned>(total)));
}
