// A plain file dialog's request.
#include "framework/FileRequest.h"

namespace fw {

FileRequest::FileRequest(HWND owner, const std::string& startName, const std::string& filter, const std::string& title,
                         const std::string& initialFolder, DWORD flags)
    : filter_(filter), title_(title), folder_(initialFolder), buffer_(MAX_PATH * 4, '\0')
{
    for (char& c : filter_) {
        if (c == '|')
            c = '\0';
    }
    filter_ += '\0';
    if (startName.size() < buffer_.size())
        startName.copy(buffer_.data(), startName.size());
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFilter = filter_.c_str();
    request.lpstrFile = buffer_.data();
    request.nMaxFile = static_cast<DWORD>(buffer_.size());
    request.lpstrTitle = title_.c_str();
    request.lpstrInitialDir = folder_.empty() ? nullptr : folder_.c_str();
    request.Flags = flags;
}

} // namespace fw
