// The content-string catching edit control.
#include "library/KvoraCommandEdit.h"
#include "framework/Files.h"
#include "library/ImageBaseManager.h"
#include "library/KvoraObject.h"
#include "library/MediaFiles.h"

namespace {

// The capture is one for the process, as a keyboard types into whichever field has the focus.
struct Capture {
    std::string text;
    bool open = false;
    size_t collected = 0;
};

Capture& TheCapture()
{
    static Capture capture;
    return capture;
}

} // namespace

CKvoraCommand::CKvoraCommand(HWND owner, const std::string& imageBaseFile)
    : owner_(owner), imageBaseFile_(imageBaseFile)
{
}

void CKvoraCommand::ResetCapture()
{
    TheCapture() = Capture();
}

void CKvoraCommand::OnChar(char c)
{
    Capture& capture = TheCapture();
    if (c == '@' && !capture.open) {
        capture.text = "@";
        capture.open = true;
        capture.collected = 0;
        return;
    }
    if (!capture.open)
        return;
    if (c != '@') {
        if (capture.collected < kMaxCollected) {
            capture.text += c;
            ++capture.collected;
        }
        return;
    }
    capture.text += c;
    capture.open = false;
    // A sequence counts when it parses and holds something to show, play or say: "@@" does not.
    CKvoraObject content;
    if (content.ParseContent(capture.text, imageBaseFile_) && !content.BuildContent().empty()) {
        lastSequence_ = capture.text;
        if (owner_)
            ::SendMessageA(owner_, WM_KVORA_CONTENT, kContentCaught, 0);
    }
}

LRESULT CKvoraCommand::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR)
        OnChar(static_cast<char>(wParam));
    return DefaultProc(message, wParam, lParam);
}

int IsPictureReference(const std::string& text, const std::string& imageBaseFile)
{
    if (text.empty())
        return 0;
    if (media::IsPictureExtension(fw::FileExtension(text)))
        return 1;
    std::string path;
    std::string folder;
    Image record;
    return LookupPictureCode(text, imageBaseFile, path, folder, record) ? 2 : 0;
}

// The same resolution as the rest of the system uses: the image-base store's.
int LookupPictureCode(const std::string& code, const std::string& imageBaseFile, std::string& picturePath,
                      std::string& folder, Image& record)
{
    if (code.empty())
        return 0;
    ImageBaseManager manager;
    std::string word;
    ImageBaseOptions options;
    if (!manager.ResolveCode(code, picturePath, word, options, nullptr, imageBaseFile, nullptr, 0) ||
        picturePath.empty())
        return 0;
    size_t slash = picturePath.rfind('\\');
    folder = slash == std::string::npos ? std::string() : picturePath.substr(0, slash);
    std::string fileName = picturePath.substr(slash == std::string::npos ? 0 : slash + 1);
    size_t dot = fileName.rfind('.');
    record = Image(fileName.substr(0, dot), code.substr(1), word);
    return 1;
}
