// One ini file parsed once into memory, answering as the platform's GetPrivateProfileString answers
// for the same bytes, and giving the same bytes as lines to the line readers.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace ini {

// How the platform's ini functions read a file, measured under Wine 8 (64-bit and 32-bit alike) with
// a probe program, and so how Document reads it (tests/library/IniReaderTest.cpp reads every row both
// ways):
//
// | what                              | what the platform does                                              |
// |-----------------------------------|---------------------------------------------------------------------|
// | line ends                         | CR, LF and CR LF each end a line; the last line needs none           |
// | blanks                            | space, tab, VT, FF and Ctrl-Z (0x1A) are trimmed from both ends of a |
// |                                   | line, of a section or key name and from the start of a value; no     |
// |                                   | other byte is a blank (not 0xA0, not 0x1C-0x1F); blanks inside a     |
// |                                   | name stay ("Blank  Key" does not find "Blank Key")                   |
// | section header                    | a trimmed line that starts with '[' and holds a ']': the name is the |
// |                                   | text up to the LAST ']', trimmed; what follows it is ignored         |
// |                                   | ("[a]b] x" is section "a]b"); "[ Sec ]" is section "Sec"             |
// | '[' without a ']'                 | an ordinary line of the section: "[x=1" is key "[x"                  |
// | lines before the first header     | a section named ""                                                   |
// | case                              | names compare ignoring case in ASCII only: "å" does not find "Å"     |
// | the names asked for               | trimmed like the file's (" Sec " finds [Sec], " k " finds k); cut at |
// |                                   | a NUL; a name of 32,767 characters or more finds nothing             |
// | a section twice                   | only the first counts: keys of the second are neither found nor      |
// |                                   | listed                                                               |
// | a key twice                       | the first wins                                                       |
// | a line without '='                | a key without a value: it gives the fallback, and hides a later line |
// |                                   | of the same key                                                      |
// | "=value"                          | a key with an empty name, found by "" and by blanks only             |
// | comments                          | none for look-ups: ";k=v" is the key ";k", "#k=v" the key "#k";      |
// |                                   | keys that start with ';' are left out of key listings                |
// | ';' after a value                 | part of the value: "k=x ;y" gives "x ;y"                             |
// | quotes                            | a value of two or more characters that starts and ends with the same |
// |                                   | ' or " loses both: "\"a\"b\"" gives a"b, "\"a'" stays                |
// | NUL byte                          | ends a name or value where it stands                                 |
// | bytes 0x80-0xFF                   | given back unchanged                                                 |
// | over-long values                  | given whole, at any length (100,000 characters tried)                |
// | byte-order mark (UTF-8, UTF-16)   | the file is decoded and its text converted to cp1252: such files are |
// |                                   | not parsed here (IsForeign) and their callers ask the platform       |
// | key listing (no key given)        | the keys with a '=' and a name of the first section whose name       |
// |                                   | equals the request, which is NOT trimmed; a key twice is listed      |
// |                                   | twice; ';' keys and lines without '=' are left out                   |
// | fallback                          | trailing spaces (spaces only) dropped while more than one character  |
// |                                   | is left, then quotes as for a value                                  |
// | missing file, folder, locked file | every key gives the fallback (the empty document)                    |
class Document {
public:
    // An empty document: a missing or unreadable file.
    Document();
    explicit Document(std::string bytes);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // false for the empty document of a file that could not be read.
    bool Exists() const { return exists_; }
    // The file starts with a byte-order mark: the platform decodes it, so only the platform reads it.
    bool IsForeign() const { return foreign_; }

    // The value of the key as GetPrivateProfileString gives it; the fallback when there is none.
    std::string Read(const std::string& section, const std::string& key, const std::string& fallback) const;
    // The key names of a section as GetPrivateProfileString lists them (no key given), in file order.
    std::vector<std::string> KeyNames(const std::string& section) const;
    // What reading the key in each of the sections in turn gives first that is not empty: one look-up in
    // a table built once for the list and remembered under tableKey (see Remember), which must name
    // everything the list depends on besides this document; sections is asked only when the table is
    // built. The key is the caller's whole, so that a caller who keeps it builds no text per look-up.
    std::string FirstValue(const std::string& tableKey, const std::function<std::vector<std::string>()>& sections,
                           const std::string& key) const;

    const std::string& Bytes() const { return bytes_; }
    // The lines as a text reader sees them: LF ends a line and a CR before it is dropped.
    const std::vector<std::string>& Lines() const { return lines_; }

    // What a reader builds from this document, built once and kept with it: a document never changes,
    // so neither does what is made from it. The key must name everything besides the document that
    // make depends on; make must not ask this document to remember anything itself.
    template <class T>
    std::shared_ptr<const T> Remember(const std::string& key, const std::function<T()>& make) const
    {
        std::lock_guard<std::mutex> lock(rememberedMutex_);
        std::shared_ptr<const void>& kept = remembered_[key];
        if (!kept)
            kept = std::make_shared<const T>(make());
        return std::static_pointer_cast<const T>(kept);
    }

private:
    struct Key {
        std::string name;
        std::string value;
        bool hasValue = false;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
        std::unordered_map<std::string, size_t> firstKey; // by the name in lower case
    };

    void Parse();
    void AddSection(const std::string& name);
    void AddKey(const std::string& line);
    const Section* FindSection(const std::string& lowerName) const;

    bool exists_ = false;
    bool foreign_ = false;
    std::string bytes_;
    std::vector<std::string> lines_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> firstSection_; // by the name in lower case
    mutable std::mutex rememberedMutex_;
    mutable std::map<std::string, std::shared_ptr<const void>> remembered_;
};

// The file's lines as a text reader sees them: LF ends a line and a CR before it is dropped; a last
// line without LF counts, an LF at the very end opens no further line.
std::vector<std::string> SplitLines(const std::string& content);
// For the readers of single lines: the text without the spaces and tabs at its ends, and whether a line
// starts a section (its first character other than a space or tab is '[').
std::string TrimBlanks(const std::string& text);
bool IsSectionHeader(const std::string& line);

} // namespace ini
