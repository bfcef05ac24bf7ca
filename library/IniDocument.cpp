// Parsing an ini file's bytes the way the platform's ini functions read them (table in the header).
#include "library/IniDocument.h"
#include <cstring>

namespace ini {

namespace {

// A name asked for that the platform cannot take: it turns it into a counted string of 16-bit
// characters, whose length must stay below 32,767.
const size_t kLongestName = 32766;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a' || c == '\r' || c == '\n';
}

std::string Trim(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// The platform keeps names and values as strings ended by a NUL: a NUL in the file ends them there.
std::string CutAtNul(const std::string& text)
{
    size_t nul = text.find('\0');
    return nul == std::string::npos ? text : text.substr(0, nul);
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names compare ignoring case in ASCII only.
std::string LowerAscii(const std::string& text)
{
    std::string lower(text);
    for (char& c : lower)
        c = LowerAscii(c);
    return lower;
}

// A name as the look-ups compare it: cut at a NUL, trimmed when asked, in lower case.
std::string LookupName(const std::string& name, bool trim)
{
    size_t first = 0;
    size_t last = name.find('\0');
    if (last == std::string::npos)
        last = name.size();
    if (trim) {
        while (first < last && IsBlank(name[first]))
            ++first;
        while (last > first && IsBlank(name[last - 1]))
            --last;
    }
    std::string lower(last - first, '\0');
    for (size_t i = first; i < last; ++i)
        lower[i - first] = LowerAscii(name[i]);
    return lower;
}

std::string WithoutQuotes(const std::string& value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

std::string FallbackValue(const std::string& fallback)
{
    std::string value = CutAtNul(fallback);
    size_t length = value.size();
    while (length > 1 && value[length - 1] == ' ')
        --length;
    return WithoutQuotes(value.substr(0, length));
}

bool StartsWithByteOrderMark(const std::string& bytes)
{
    return bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 || bytes.compare(0, 2, "\xFF\xFE") == 0 ||
           bytes.compare(0, 2, "\xFE\xFF") == 0;
}

} // namespace

std::vector<std::string> SplitLines(const std::string& content)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        const size_t next = end == std::string::npos ? content.size() : end + 1;
        if (end == std::string::npos)
            end = content.size();
        if (end > start && content[end - 1] == '\r')
            --end;
        lines.push_back(content.substr(start, end - start));
        start = next;
    }
    return lines;
}

std::string TrimBlanks(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool IsSectionHeader(const std::string& line)
{
    const size_t first = line.find_first_not_of(" \t");
    return first != std::string::npos && line[first] == '[';
}

Document::Document()
{
    sections_.emplace_back();
    firstSection_.emplace(std::string(), 0);
}

Document::Document(std::string bytes) : Document()
{
    exists_ = true;
    bytes_ = std::move(bytes);
    lines_ = SplitLines(bytes_);
    foreign_ = StartsWithByteOrderMark(bytes_);
    if (!foreign_)
        Parse();
}

void Document::Parse()
{
    size_t start = 0;
    while (start < bytes_.size()) {
        size_t end = bytes_.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = bytes_.size();
        std::string line = Trim(bytes_.substr(start, end - start));
        start = end + 1;
        if (line.empty())
            continue;
        size_t close = line[0] == '[' ? line.rfind(']') : std::string::npos;
        if (close != std::string::npos)
            AddSection(Trim(CutAtNul(line.substr(1, close - 1))));
        else
            AddKey(line);
    }
}

void Document::AddSection(const std::string& name)
{
    firstSection_.emplace(LowerAscii(name), sections_.size());
    sections_.emplace_back();
    sections_.back().name = name;
}

void Document::AddKey(const std::string& line)
{
    Key key;
    size_t equals = line.find('=');
    if (equals == std::string::npos) {
        key.name = CutAtNul(line);
    } else {
        key.name = CutAtNul(Trim(line.substr(0, equals)));
        key.value = CutAtNul(Trim(line.substr(equals + 1)));
        key.hasValue = true;
    }
    Section& section = sections_.back();
    section.firstKey.emplace(LowerAscii(key.name), section.keys.size());
    section.keys.push_back(std::move(key));
}

const Document::Section* Document::FindSection(const std::string& lowerName) const
{
    auto found = firstSection_.find(lowerName);
    return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

std::string Document::Read(const std::string& section, const std::string& key, const std::string& fallback) const
{
    if (std::strlen(section.c_str()) > kLongestName || std::strlen(key.c_str()) > kLongestName)
        return FallbackValue(fallback);
    const Section* found = FindSection(LookupName(section, true));
    if (!found)
        return FallbackValue(fallback);
    auto at = found->firstKey.find(LookupName(key, true));
    if (at == found->firstKey.end() || !found->keys[at->second].hasValue)
        return FallbackValue(fallback);
    return WithoutQuotes(found->keys[at->second].value);
}

std::string Document::FirstValue(const std::string& tableKey,
                                 const std::function<std::vector<std::string>()>& sections, const std::string& key) const
{
    using Table = std::unordered_map<std::string, std::string>;
    std::shared_ptr<const Table> table = Remember<Table>(tableKey, [&] {
        Table values;
        for (const std::string& section : sections()) {
            if (std::strlen(section.c_str()) > kLongestName)
                continue;
            const Section* found = FindSection(LookupName(section, true));
            if (!found)
                continue;
            for (const auto& first : found->firstKey) {
                const Key& entry = found->keys[first.second];
                std::string value = WithoutQuotes(entry.value);
                if (entry.hasValue && !value.empty())
                    values.emplace(first.first, value);
            }
        }
        return values;
    });
    if (std::strlen(key.c_str()) > kLongestName)
        return std::string();
    auto found = table->find(LookupName(key, true));
    return found == table->end() ? std::string() : found->second;
}

std::vector<std::string> Document::KeyNames(const std::string& section) const
{
    std::vector<std::string> names;
    if (std::strlen(section.c_str()) > kLongestName)
        return names;
    const Section* found = FindSection(LookupName(section, false));
    if (!found)
        return names;
    for (const Key& key : found->keys) {
        if (key.hasValue && !key.name.empty() && key.name[0] != ';')
            names.push_back(key.name);
    }
    return names;
}

} // namespace ini
