// The text of an ini file edited line by line in memory, with the ini interface's rules for finding
// sections and keys (ignoring case and the blanks around names): every line that is not changed
// stays exactly as it was, blanks at its end included. The set store edits its registers and
// overlay files this way and writes them whole through its write-then-replace writer.
#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

class IniText {
public:
    IniText() = default;
    explicit IniText(std::vector<std::string> lines) : lines_(std::move(lines)) {}

    // The value of the first such key in the first such section, without its outer blanks.
    std::string Get(const std::string& section, const std::string& key, const std::string& fallback = {}) const;
    // Replaces the key's line, or adds "key=value" after the section's last line that is not blank,
    // or adds the section with the key at the end.
    void Set(const std::string& section, const std::string& key, const std::string& value);
    // The same as Set for each entry in turn, in one pass over the section: for sections of thousands of keys.
    void SetMany(const std::string& section, const std::vector<std::pair<std::string, std::string>>& entries);
    // False when there was no such key.
    bool Remove(const std::string& section, const std::string& key);
    // Removes the section's header and every line up to the next section.
    void RemoveSection(const std::string& section);

    const std::vector<std::string>& Lines() const { return lines_; }
    std::string Text() const; // every line followed by CR LF

private:
    // The header's index and the index past the section's last line; false when there is none.
    bool FindSection(const std::string& section, size_t& header, size_t& end) const;
    // The index of the key's line in [first, end), or end.
    size_t FindKey(size_t first, size_t end, const std::string& key) const;
    // The index of the key's line in the section; false when there is none.
    bool FindEntry(const std::string& section, const std::string& key, size_t& line) const;

    std::vector<std::string> lines_;
};

// Whether an edit may make the file when nothing stands under its name.
enum class IniAbsent { kNotWritten, kCreated };
// Reads the file, lets edit change its text and writes it back whole through the store's
// write-then-replace writer when anything changed. An edit never brings back a file that has gone:
// without one, false unless whenAbsent allows a new file, which edit then fills from empty. False
// also when a file that is there could not be read or is in another text form, or could not be
// written; the file is then as it was.
bool EditIniFile(const std::string& path, const std::function<void(IniText&)>& edit,
                 IniAbsent whenAbsent = IniAbsent::kNotWritten);
