// An edit control that catches a content string typed into it (a keyboard block that types
// "@...@"), and two helpers that tell picture references apart.
#pragma once
#include "framework/Dialog.h"
#include "library/ImageBaseRecords.h"
#include <string>

// Sent to the owner when a typed sequence parses to a content string (wParam kContentCaught).
const UINT WM_KVORA_CONTENT = WM_USER + 10;

class CKvoraCommand : public fw::SubclassedWindow {
public:
    static const WPARAM kContentCaught = 10;
    static const size_t kMaxCollected = 80;

    // imageBaseFile: the image-base settings file that picture codes are resolved in.
    CKvoraCommand(HWND owner, const std::string& imageBaseFile);

    // The last sequence that parsed, delimiters included.
    const std::string& LastSequence() const { return lastSequence_; }
    // Forgets a half-typed sequence (the capture is shared by every such control of the process).
    static void ResetCapture();

    // One character as the control sees it: collects, and notifies the owner at the closing '@'.
    void OnChar(char c);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND owner_;
    std::string imageBaseFile_;
    std::string lastSequence_;
};

// 1 for a picture file (by extension), 2 for a picture code that resolves, 0 otherwise.
int IsPictureReference(const std::string& text, const std::string& imageBaseFile);
// Resolves a picture code: the picture's path, its folder and its record; 1 when found.
int LookupPictureCode(const std::string& code, const std::string& imageBaseFile, std::string& picturePath,
                      std::string& folder, Image& record);
