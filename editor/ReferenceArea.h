// The reference dialog of a click point ("Avancerat"): what a caught point is measured against,
// chosen by its three parts or from the named references of the settings.
#pragma once
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "store/MouseClickReference.h"
#include <vector>

// Modal; the caller owns the references.
class ReferenceArea : public fw::Dialog {
public:
    // named: the [MouseClickReferenceList] entries. current: shown as the dialog opens; on OK it takes
    // the chosen characters (its name is left as it is).
    ReferenceArea(const std::vector<MouseClickReference>& named, MouseClickReference& current, HWND parent = nullptr);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    bool OnOK() override;

private:
    MouseClickReference Chosen() const;
    void ShowRadios(const MouseClickReference& reference);
    // Selects the first named entry that measures as the radios do, else "<Ingen>"; and the picture.
    void FollowRadios();
    // The picture of what the point is measured against: the active window or the whole screen.
    void ShowPicture();
    void OnListChoice();

    const std::vector<MouseClickReference>& named_;
    MouseClickReference& current_;
    fw::Bitmap windowPicture_;
    fw::Bitmap screenPicture_;
};
