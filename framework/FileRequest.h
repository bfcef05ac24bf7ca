// The request of a plain open or save dialog together with the texts and the name buffer it points into.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <string>
#include <vector>

namespace fw {

// Run it with ShowOpenFileDialog or ShowSaveFileDialog on `request`.
class FileRequest {
public:
    // filter: "description|pattern|" pairs. The start name goes into the buffer when it fits; an empty
    // folder leaves the dialog's own choice.
    FileRequest(HWND owner, const std::string& startName, const std::string& filter, const std::string& title,
                const std::string& initialFolder, DWORD flags);
    FileRequest(const FileRequest&) = delete;
    FileRequest& operator=(const FileRequest&) = delete;

    // The name the user chose, after the dialog returned true.
    std::string Chosen() const { return buffer_.data(); }

    OPENFILENAMEA request{};

private:
    std::string filter_;  // pairs separated by NULs, ended by two
    std::string title_;
    std::string folder_;
    std::vector<char> buffer_;
};

} // namespace fw
