// Choosing the keyboard model.
#include "device/FBSettingsDlg.h"
#include "device/KeyboardDialogTexts.h"
#include "device/LoadKvoraFlow.h"
#include "device/LoadKvoraUsb.h"
#include "skarpin/resource.h"
#include "store/FileIO.h"

FBSettingsDlg::FBSettingsDlg(FileIO& fileIO, int& model, HWND parent)
    : fw::Dialog(IDD_KEYBOARD_MODEL, parent), fileIO_(fileIO), model_(model), starter_(StartProgramHidden)
{
}

bool FBSettingsDlg::OnInitDialog()
{
    keyboardtexts::SetTexts(*this, IDS_MODEL_CAPTION, std::string(),
                            {{IDC_KBD_TEXT1, IDS_MODEL_SET_FOR},
                             {IDC_MODEL_USB, IDS_MODEL_USB_RADIO},
                             {IDC_MODEL_PS2, IDS_MODEL_PS2_RADIO},
                             {IDC_MODEL_ACCESS, IDS_MODEL_ACCESS_RADIO}});
    const int radio = model_ == FileIO::kModelPS2           ? IDC_MODEL_PS2
                      : model_ == FileIO::kModelAccessKvora ? IDC_MODEL_ACCESS
                                                            : IDC_MODEL_USB;
    SetChecked(radio, true);
    return true;
}

bool FBSettingsDlg::OnOK()
{
    model_ = IsChecked(IDC_MODEL_PS2)      ? FileIO::kModelPS2
             : IsChecked(IDC_MODEL_ACCESS) ? FileIO::kModelAccessKvora
                                           : FileIO::kModelUSB;
    fileIO_.SetKeyboardModel(model_);
    if (model_ == FileIO::kModelUSB)
        StartDriverIfAbsent();
    return true;
}

// A second copy of the driver would fight the first one over the keyboard.
void FBSettingsDlg::StartDriverIfAbsent()
{
    if (fileIO_.driverName_.empty() || ::FindWindowA("#32770", fileIO_.driverName_.c_str()) != nullptr)
        return;
    if (starter_)
        starter_(DriverProgramPath(fileIO_), fileIO_.programFolder_);
}
