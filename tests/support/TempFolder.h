// A fresh folder under the Windows temp folder for one test, removed with everything in it afterwards.
#pragma once
#include <string>
#include <vector>

namespace testsupport {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Path of a file or folder inside, relative name with backslashes.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }
    // Writes a file inside (folders made as needed); the text is written as it stands (cp1252, CR LF as given).
    std::string Write(const std::string& name, const std::string& content) const;
    static std::string Read(const std::string& path);
    // The names of the files (not folders) in a folder, in the order the system lists them.
    static std::vector<std::string> FilesIn(const std::string& folder);

private:
    std::string path_;
};

} // namespace testsupport
