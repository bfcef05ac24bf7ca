// The main window's side of the picture browser and the word bar.
#include "writer/MorvelPictureOwner.h"
#include "writer/CMorvelDlg.h"
#include "writer_settings/FolderXDlg.h"

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

int MorvelPictureOwner::SpeakText(const std::string& text)
{
    return main_.SpeakText(text);
}

bool MorvelPictureOwner::HasMediaPlayer()
{
    return main_.HasMediaPlayer();
}

int MorvelPictureOwner::PlayMediaFile(const std::string& path)
{
    return main_.PlayMediaFile(path);
}

// The folder dialog over the list the browser read; the browser writes it on OK.
bool MorvelPictureOwner::EditFolderList(HWND parent, std::vector<ImageFolder>& folders)
{
    FolderDialogContext context = main_.FolderContext();
    context.owner = parent;
    return RunFolderListDlg(folders, context);
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
