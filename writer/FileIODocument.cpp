// The document file: the text with its picture tags, closed by "<End>", then an [Images] section with
// the content string of every picture.
//
// The text is read as Morvel has always written it: '<' opens a tag ("<I%d>" a picture, "<+>" the
// item before it shown large, "<End>"). A '<' typed into the text is written as the tag "<<>", which
// no file written before holds, so those files read as they always did; '>' outside a tag is an
// ordinary character and is written as it stands.
#include "writer/FileIO.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "library/Cp1252.h"
#include "library/IniDocument.h"
#include "writer_settings/TextFiles.h"
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>
#include <set>

namespace {

const char* const kLineEnd = "\r\n";
const char* const kLessThanTag = "<<>";
const char* const kEndTag = "<End>";
const char* const kImagesSection = "Images";
// Larger than any document a user types; a larger file is no document of ours.
const unsigned long long kLargestDocument = 64ull * 1024 * 1024;

// The text part as the reader finds it.
struct TextPart {
    std::vector<DocItem> items;
    std::set<int> numbersUsed;
    size_t nextLine = 0;          // the first line after the one that held "<End>"
    bool damaged = false;         // no "<End>", or a tag Morvel never writes
};

// The picture number of a tag's text: its decimal value, as long as it fits. A text that is not a
// whole number still gives its leading number, but the file is then damaged.
int PictureNumber(const std::string& text, bool& damaged)
{
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE)
        damaged = true;
    return static_cast<int>(std::max<long>(INT_MIN, std::min<long>(INT_MAX, value)));
}

void UsePicture(TextPart& text, int number)
{
    text.numbersUsed.insert(number);
    text.items.emplace_back(number);
}

// The position of the '>' that closes the tag text starting at `at`, or the end of the line.
size_t TagEnd(const std::string& line, size_t at)
{
    const size_t close = line.find('>', at);
    return close == std::string::npos ? line.size() : close;
}

// Reads one line of the text part into the items. Returns true when the line held "<End>". A tag is
// never read past the end of its line.
bool ReadTextLine(const std::string& line, TextPart& text)
{
    const size_t n = line.size();
    size_t i = 0;
    while (i < n) {
        const char c = line[i];
        if (c != '<') {
            // A lone carriage return is no character of the text: the writer never stores one.
            if (c != '\r')
                text.items.emplace_back(c);
            ++i;
            continue;
        }
        if (line.compare(i, 3, kLessThanTag) == 0) {
            text.items.emplace_back('<');
            i += 3;
            continue;
        }
        ++i;
        bool known = false;
        if (i < n && line[i] == 'I') {
            const size_t close = TagEnd(line, ++i);
            UsePicture(text, PictureNumber(line.substr(i, close - i), text.damaged));
            i = close;
            known = true;
        }
        if (i < n && line[i] == '+') {
            if (!text.items.empty())
                text.items.back().large_ = 1;
            ++i;
            known = true;
        }
        if (i < n && line[i] == 'E') {
            const size_t close = TagEnd(line, i);
            if (line.compare(i, close - i, "End") == 0)
                return true;
            i = close;
        }
        // Past the closing '>'. Anything else here, or the end of the line, means a tag Morvel never
        // writes; what is left of it is read as characters.
        if (!known || i >= n || line[i] != '>')
            text.damaged = true;
        if (i < n)
            ++i;
    }
    text.items.emplace_back('\n');
    return false;
}

TextPart ReadTextPart(const std::vector<std::string>& lines)
{
    TextPart text;
    for (size_t l = 0; l < lines.size(); ++l) {
        if (ReadTextLine(lines[l], text)) {
            text.nextLine = l + 1;
            return text;
        }
    }
    text.nextLine = lines.size();
    text.damaged = true;
    return text;
}

// The entries of the first [Images] section after the text part, as the ini interface reads them:
// section and keys without regard to case, blanks around keys and values dropped, the first of two
// equal keys kept. Reading them here, after the text, means no text line can pass for the section.
std::map<std::string, std::string> ReadImagesSection(const std::vector<std::string>& lines, size_t from)
{
    std::map<std::string, std::string> entries;
    bool inSection = false;
    for (size_t l = from; l < lines.size(); ++l) {
        const std::string line = ini::TrimBlanks(lines[l]);
        if (!line.empty() && line[0] == '[') {
            if (inSection)
                break;
            const size_t close = line.find(']');
            inSection = close != std::string::npos
                        && cp1252::EqualsNoCase(ini::TrimBlanks(line.substr(1, close - 1)), kImagesSection);
            continue;
        }
        const size_t equals = line.find('=');
        if (inSection && equals != std::string::npos)
            entries.emplace(cp1252::Lower(ini::TrimBlanks(line.substr(0, equals))),
                            ini::TrimBlanks(line.substr(equals + 1)));
    }
    return entries;
}

// The content string with or without the crossed mark '!' after its opening delimiter.
std::string WithCrossedMark(const std::string& content, bool crossed)
{
    const bool marked = content.size() > 1 && content[1] == '!';
    if (crossed == marked || content.empty())
        return content;
    return crossed ? content.substr(0, 1) + "!" + content.substr(1) : content.substr(0, 1) + content.substr(2);
}

// A symbol keeps the string it was read or typed with while the user has not changed it: a picture
// code whose image base is away here (a removable drive, a share, another PC) resolves to nothing,
// and a string built again from the fields would lose the code for good; one whose base came back
// since would be written from the fields read while it was away. The negation is the one change a
// symbol takes in the document; it is applied to the kept string.
std::string ContentToWrite(const CKvoraObject& image)
{
    const std::string built = image.BuildContent();
    if (image.readContent_.empty() || WithCrossedMark(built, false) != WithCrossedMark(image.readBuilt_, false))
        return built;
    return WithCrossedMark(image.readContent_, image.crossed_ != 0);
}

} // namespace

std::string FileIO::DocumentFile(const std::vector<DocItem>& items, const std::vector<CKvoraObject>& images) const
{
    std::string file;
    // The final '\n' item is not stored; loading adds it again.
    for (size_t k = 0; k + 1 < items.size(); ++k) {
        const DocItem& item = items[k];
        if (item.IsPicture()) {
            file += "<I" + std::to_string(item.imageNumber_) + ">";
            if (item.large_)
                file += "<+>";
            continue;
        }
        const char c = item.GetChar();
        if (c == '\n')
            file += kLineEnd;
        else if (c == '<')
            file += kLessThanTag;
        else if (c != '\r' && c != '\0')
            file += c;
    }
    file += kEndTag;
    file += std::string(kLineEnd) + kLineEnd + "[" + kImagesSection + "]" + kLineEnd;
    for (const CKvoraObject& image : images)
        file += "I" + std::to_string(image.id_) + "=" + ContentToWrite(image) + kLineEnd;
    return file;
}

int FileIO::WriteDocument(const std::vector<DocItem>& items, const std::vector<CKvoraObject>& images,
                          const std::string& path) const
{
    return fw::WriteReplacing(path, DocumentFile(items, images)) ? 1 : 0;
}

FileIO::ReadResult FileIO::ReadDocument(std::vector<DocItem>& items, std::vector<CKvoraObject>& images,
                                        const std::string& path) const
{
    items.clear();
    images.clear();
    std::string content;
    switch (fw::ReadWholeFile(path, content, kLargestDocument)) {
    case fw::FileRead::Absent:
        return kAbsent;
    case fw::FileRead::Unreadable:
        return kUnreadable;
    case fw::FileRead::Whole:
        break;
    }
    // Our documents are single-byte text; read as such, another form would be taken for a document
    // of a few stray characters.
    if (fw::TextFormOf(content) != fw::TextForm::SingleByte)
        return kUnreadable;
    const std::vector<std::string> lines = textfiles::SplitLines(content);
    TextPart text = ReadTextPart(lines);
    const std::map<std::string, std::string> entries = ReadImagesSection(lines, text.nextLine);

    // The numbers in ascending order become the ids 0, 1, 2 ...: the document window reaches an
    // object by its id as a position, which sparse numbers in a file would send past the list's end.
    const std::vector<int> numbers(text.numbersUsed.begin(), text.numbersUsed.end());
    bool damaged = text.damaged;
    for (size_t id = 0; id < numbers.size(); ++id) {
        CKvoraObject image;
        image.id_ = static_cast<int>(id);
        const auto entry = entries.find("i" + std::to_string(numbers[id]));
        if (entry == entries.end())
            damaged = true;
        else if (!entry->second.empty() && !image.ParseContent(entry->second, imageBaseIni_))
            damaged = true;
        else
            image.KeepReadContent(entry->second);
        images.push_back(image);
    }
    for (DocItem& item : text.items) {
        // Picture items are the ones without a character (a file may even number one -1).
        if (item.text_.empty())
            item.imageNumber_ = static_cast<int>(std::lower_bound(numbers.begin(), numbers.end(), item.imageNumber_)
                                                 - numbers.begin());
    }
    items.swap(text.items);
    return damaged ? kDamaged : kRead;
}
