// Editing the lines of an ini file in memory.
#include "store/IniText.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "library/IniDocument.h"
#include "store/StoreFiles.h"
#include <map>

namespace {

// The name of a section header line ("[name]" with blanks allowed around it), or false.
bool HeaderName(const std::string& line, std::string& name)
{
    const std::string text = ini::TrimBlanks(line);
    if (text.empty() || text[0] != '[')
        return false;
    const size_t close = text.find(']');
    name = ini::TrimBlanks(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

} // namespace

bool IniText::FindSection(const std::string& section, size_t& header, size_t& end) const
{
    for (header = 0; header < lines_.size(); ++header) {
        std::string name;
        if (HeaderName(lines_[header], name) && cp1252::EqualsNoCase(name, ini::TrimBlanks(section)))
            break;
    }
    if (header == lines_.size())
        return false;
    std::string name;
    for (end = header + 1; end < lines_.size() && !HeaderName(lines_[end], name); ++end) {
    }
    return true;
}

size_t IniText::FindKey(size_t first, size_t end, const std::string& key) const
{
    for (size_t i = first; i < end; ++i) {
        const size_t equals = lines_[i].find('=');
        if (equals != std::string::npos
            && cp1252::EqualsNoCase(ini::TrimBlanks(lines_[i].substr(0, equals)), ini::TrimBlanks(key)))
            return i;
    }
    return end;
}

bool IniText::FindEntry(const std::string& section, const std::string& key, size_t& line) const
{
    size_t header = 0, end = 0;
    if (!FindSection(section, header, end))
        return false;
    line = FindKey(header + 1, end, key);
    return line != end;
}

std::string IniText::Get(const std::string& section, const std::string& key, const std::string& fallback) const
{
    size_t line = 0;
    if (!FindEntry(section, key, line))
        return fallback;
    return ini::TrimBlanks(lines_[line].substr(lines_[line].find('=') + 1));
}

void IniText::Set(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string entry = key + "=" + value;
    size_t header = 0, end = 0;
    if (!FindSection(section, header, end)) {
        lines_.push_back("[" + section + "]");
        lines_.push_back(entry);
        return;
    }
    const size_t line = FindKey(header + 1, end, key);
    if (line != end) {
        lines_[line] = entry;
        return;
    }
    size_t last = header;
    for (size_t i = header + 1; i < end; ++i) {
        if (!ini::TrimBlanks(lines_[i]).empty())
            last = i;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1), entry);
}

void IniText::SetMany(const std::string& section, const std::vector<std::pair<std::string, std::string>>& entries)
{
    size_t header = 0, end = 0;
    if (!FindSection(section, header, end)) {
        lines_.push_back("[" + section + "]");
        header = lines_.size() - 1;
        end = lines_.size();
    }
    // The section's keys by their folded names, each at its first line as FindKey finds it, and
    // the line that new keys follow.
    std::map<std::string, size_t> lineOfKey;
    size_t last = header;
    for (size_t i = header + 1; i < end; ++i) {
        const size_t equals = lines_[i].find('=');
        if (equals != std::string::npos)
            lineOfKey.emplace(cp1252::Lower(ini::TrimBlanks(lines_[i].substr(0, equals))), i);
        if (!ini::TrimBlanks(lines_[i]).empty())
            last = i;
    }
    std::vector<std::string> added;
    std::map<std::string, size_t> addedKey;
    for (const auto& entry : entries) {
        const std::string line = entry.first + "=" + entry.second;
        const std::string folded = cp1252::Lower(ini::TrimBlanks(entry.first));
        const auto existing = lineOfKey.find(folded);
        if (existing != lineOfKey.end()) {
            lines_[existing->second] = line;
            continue;
        }
        const auto again = addedKey.find(folded);
        if (again != addedKey.end()) {
            added[again->second] = line;
            continue;
        }
        addedKey.emplace(folded, added.size());
        added.push_back(line);
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1), added.begin(), added.end());
}

bool IniText::Remove(const std::string& section, const std::string& key)
{
    size_t line = 0;
    if (!FindEntry(section, key, line))
        return false;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
    return true;
}

void IniText::RemoveSection(const std::string& section)
{
    size_t header = 0, end = 0;
    if (FindSection(section, header, end))
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header), lines_.begin() + static_cast<std::ptrdiff_t>(end));
}

std::string IniText::Text() const
{
    return storefile::JoinLines(lines_);
}

bool EditIniFile(const std::string& path, const std::function<void(IniText&)>& edit, IniAbsent whenAbsent)
{
    std::string content;
    const fw::FileRead read = fw::ReadWholeFile(path, content);
    if (read == fw::FileRead::Unreadable || fw::TextFormOf(content) != fw::TextForm::SingleByte)
        return false;
    if (read == fw::FileRead::Absent && whenAbsent == IniAbsent::kNotWritten)
        return false;
    const std::vector<std::string> lines = storefile::SplitLines(content);
    IniText text(lines);
    edit(text);
    if (read == fw::FileRead::Absent)
        return fw::WriteNewFile(path, text.Text()) == fw::NewFile::Created;
    if (text.Lines() == lines)
        return true;
    return fw::RewriteExisting(path, text.Text());
}
