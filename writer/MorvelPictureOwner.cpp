// The main window's side of the picture browser and the word bar.
#include "writer/MorvelPictureOwner.h"
#include "writer/CMorvelDlg.h"

const Settings& MorvelPictureOwner::GetSettings()
{
    return main_.GetSettings();
}

std::shared_ptr<PictureControl> MorvelPictureOwner::GetPictureInterface()
{
    return main_.GetPictureInterface();
}

void MorvelPictureOwner::StopAllPlayback()
{
    main_.StopAllPlayback();
}

void MorvelPictureOwner::InsertObject(const CKvoraObject& object)
{
    main_.Document().InsertObject(object);
}

void MorvelPictureOwner::InsertText(const std::string& text)
{
    main_.Document().InsertText(text);
}

void MorvelPictureOwner::OnTab()
{
    main_.OnTab();
}

void MorvelPictureOwner::OnExit()
{
    main_.OnExit();
}

void MorvelPictureOwner::RedrawDocumentCaret()
{
    main_.Document().DrawCaret(true);
}
