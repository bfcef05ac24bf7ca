// Skarpin's main window and the overlay editor: opening it on the chosen line, and after it closed,
// the line it was opened on shown as the set's register now holds it.
#include "skarpin/CSkarpinDlg.h"
#include "framework/Prompt.h"
#include "skarpin/TemplateDlg.h"
#include "skarpin/resource.h"
#include "store/SetKind.h"

namespace {

// Posted to the main window itself: the closed editor is deleted once its own call has returned.
const UINT kDeleteClosedEditor = WM_APP + 18;

} // namespace

void CSkarpinDlg::OpenOverlayEditor()
{
    if (RefuseWhileEditorOpen(this))
        return;
    if (selectedSetName_.empty() || (selectedOverlayName_.empty() && setReadOnly_)) {
        fw::Beep();
        return;
    }
    fw::ListBox list(overlayList_.Handle());
    if (!templatesSetSelected_ && list.SelectedCount() != 1)
        return;
    // A new overlay would be saved into the set's register.
    if (selectedOverlayName_.empty() && TellUnreadableRegister(IDS_REGISTER_REFUSED, {selectedSetName_}))
        return;
    OverlayEditorRequest request;
    if (selectedOverlayName_.empty() && !templatesSetSelected_ && fileIO_.showTemplateDlg_) {
        if (TemplateDlg(&fileIO_, request.templateName, hwnd_).DoModal() != IDOK)
            return;
    }
    const int caret = static_cast<int>(list.Send(LB_GETCARETINDEX));
    request.number = (caret < 0 ? 0 : caret) + (standardSetSelected_ ? 101 : 1);
    request.mainWindow = hwnd_;
    request.fileIO = &fileIO_;
    request.printOptions = &printOptions_;
    request.printer = &printer_;
    request.speechEngine = speech_.Engine();
    request.textSpeaker = speech_.Speaker();
    request.screenRect = Self().WindowRect();
    request.setName = selectedSetName_;
    request.overlayName = selectedOverlayName_;
    request.readOnly = setReadOnly_;
    if (editorFactory_)
        overlayEditor_ = editorFactory_(request);
}

bool CSkarpinDlg::OnEditorMessage(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    if (message == OverlayEditor::kClosedMessage) {
        OnEditorClosed();
        result = 1;
        return true;
    }
    if (message == kDeleteClosedEditor) {
        closedEditor_.reset();
        result = 0;
        return true;
    }
    return false;
}

// The editor sends its message from inside its own handlers: it is hidden now and deleted later.
void CSkarpinDlg::OnEditorClosed()
{
    if (overlayEditor_ == nullptr)
        return;
    closedEditor_ = std::move(overlayEditor_);
    ::ShowWindow(closedEditor_->Window(), SW_HIDE);
    Self().Post(kDeleteClosedEditor);
    ::SetForegroundWindow(hwnd_);
    overlayList_.Self().SetFocus();
    ShowOpenedLine(closedEditor_->Opened());
}

// The editor may have saved its overlay under another name, and through its own Open any overlay of
// the set: the list is read again from the register, and the line the editor was opened on is chosen
// with the overlay that stands on it now. In the templates set a saved template's line follows its
// name, since the lines stand in the order of the names.
void CSkarpinDlg::ShowOpenedLine(const OpenedOverlay& opened)
{
    const int caret = static_cast<int>(overlayList_.Self().Send(LB_GETCARETINDEX));
    FillOverlayList();
    // Were the editor's set no longer the one shown, the chosen line would stay as it is.
    int line = caret;
    if (SameSetName(opened.setName, selectedSetName_))
        line = templatesSetSelected_ && !opened.name.empty() ? LineOfName(opened.name) : LineOfNumber(opened.number);
    const bool inList = line >= 0 && static_cast<size_t>(line) < listLines_.size();
    SelectOnlyLine(inList ? line : -1);
    selectedOverlayName_ = inList ? listLines_[static_cast<size_t>(line)].name_ : std::string();
    UpdateMenus();
}

int CSkarpinDlg::LineOfName(const std::string& name) const
{
    for (size_t line = 0; line < listLines_.size(); ++line) {
        if (::lstrcmpiA(listLines_[line].name_.c_str(), name.c_str()) == 0)
            return static_cast<int>(line);
    }
    return -1;
}

void CSkarpinDlg::OnEditorSize(UINT type, int width, int height)
{
    if (overlayEditor_ == nullptr)
        return;
    overlayEditor_->OnSize(type, width, height);
    ::SetForegroundWindow(overlayEditor_->Window());
    ::SetFocus(overlayEditor_->Window());
}

bool CSkarpinDlg::MayCloseEditor()
{
    if (overlayEditor_ == nullptr)
        return true;
    // A dialog of the editor disables only the editor. Closing now would take the editor away with
    // whatever that dialog is about to give it, unasked: the dialog comes to the front instead.
    HWND editor = overlayEditor_->Window();
    if (editor != nullptr && !::IsWindowEnabled(editor)) {
        fw::Beep();
        ::SetForegroundWindow(::GetLastActivePopup(editor));
        return false;
    }
    return overlayEditor_->QueryClose();
}
