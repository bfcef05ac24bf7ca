// The infrared code table and its file.
#include "store/IrCodeTable.h"
#include "framework/FileReplace.h"
#include "framework/Files.h"
#include "store/ZenthorFiles.h"
#include <shellapi.h>
#include <algorithm>
#include <cstdio>

namespace {

// The file holds at most 199 lines of a few hundred characters; a larger one is not this file.
const unsigned long long kLargestCodeFile = 16ull * 1024 * 1024;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The leading decimal number of a field; digits after the ninth are ignored so nothing overflows.
int LeadingNumber(const std::string& text, size_t start = 0)
{
    int value = 0;
    for (size_t i = start; i < text.size() && i < start + 9 && IsDigit(text[i]); ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

bool AllDigits(const std::string& text, size_t start = 0)
{
    for (size_t i = start; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return false;
    }
    return true;
}

// Reads one line of the file from pos: slot, type and code, value, name, text, each closed by ';',
// then the end of the line. The text may hold line breaks (learned codes in Intel-HEX records).
class LineReader {
public:
    LineReader(const std::string& data, size_t pos) : data_(data), pos_(pos) {}

    size_t Position() const { return pos_; }

    // The next field up to its ';'. false at the end of the file without one; tooLong is set when the
    // field is longer than the file allows (the field is still passed over).
    bool Field(std::string& field, bool& tooLong)
    {
        size_t end = data_.find(';', pos_);
        if (end == std::string::npos) {
            pos_ = data_.size();
            return false;
        }
        if (end - pos_ > IrCodeTable::kMaxField) {
            tooLong = true;
            field.clear();
        } else {
            field.assign(data_, pos_, end - pos_);
        }
        pos_ = end + 1;
        return true;
    }

    // After the last field only the line end may follow; anything else means a ';' too many inside a
    // name or text of this line.
    bool LineEndsHere()
    {
        size_t i = pos_;
        while (i < data_.size() && (data_[i] == ' ' || data_[i] == '\t' || data_[i] == '\r'))
            ++i;
        if (i < data_.size() && data_[i] != '\n')
            return false;
        pos_ = i;
        return true;
    }

    // After a damaged line: goes on at the next line that begins as a slot line does ("12;G3;6;").
    void SkipToNextSlotLine()
    {
        for (;;) {
            size_t lineEnd = data_.find('\n', pos_);
            if (lineEnd == std::string::npos) {
                pos_ = data_.size();
                return;
            }
            pos_ = lineEnd + 1;
            if (LooksLikeSlotLine(pos_))
                return;
        }
    }

    // Whether what stands at i begins as a slot line does: "12;G3;6;".
    bool LooksLikeSlotLine(size_t i) const
    {
        size_t start = i;
        while (i < data_.size() && IsDigit(data_[i]))
            ++i;
        if (i == start || i >= data_.size() || data_[i] != ';')
            return false;
        ++i;
        if (i >= data_.size() || data_[i] == ';' || data_[i] == '\r' || data_[i] == '\n')
            return false;
        for (++i; i < data_.size() && IsDigit(data_[i]); ++i) {}
        if (i >= data_.size() || data_[i] != ';')
            return false;
        for (++i; i < data_.size() && IsDigit(data_[i]); ++i) {}
        return i < data_.size() && data_[i] == ';';
    }

    // The start of the first line after the one at start and before end that begins as a slot line
    // does; npos when there is none.
    size_t SlotLineWithin(size_t start, size_t end) const
    {
        for (size_t lineEnd = data_.find('\n', start); lineEnd != std::string::npos && lineEnd + 1 < end;
             lineEnd = data_.find('\n', lineEnd + 1)) {
            if (LooksLikeSlotLine(lineEnd + 1))
                return lineEnd + 1;
        }
        return std::string::npos;
    }

private:
    const std::string& data_;
    size_t pos_ = 0;
};

} // namespace

IrCodeTable::IrCodeTable()
{
    Init();
}

void IrCodeTable::Init()
{
    slots_.fill(Slot());
    unread_.clear();
    loaded_.clear();
    read_ = Read::kNotRead;
}

void IrCodeTable::Free()
{
    for (Slot& slot : slots_) {
        std::string().swap(slot.name);
        std::string().swap(slot.text);
    }
    std::vector<UnreadLine>().swap(unread_);
    std::string().swap(loaded_);
}

int IrCodeTable::Load(const std::string& path)
{
    Init();
    path_ = path;
    switch (fw::ReadWholeFile(path_, loaded_, kLargestCodeFile)) {
    case fw::FileRead::Absent:
        read_ = Read::kAbsent;
        return kFileNotOpen;
    case fw::FileRead::Unreadable:
        read_ = Read::kUnreadable;
        loaded_.clear();
        return kFileUnreadable;
    case fw::FileRead::Whole:
        break;
    }
    // Saved "as Unicode" by a text editor: no line would be read, and a save would lose them all.
    if (fw::TextFormOf(loaded_) != fw::TextForm::SingleByte) {
        read_ = Read::kUnreadable;
        loaded_.clear();
        return kFileUnreadable;
    }
    read_ = Read::kWhole;
    int result = 0;
    for (size_t pos = 0; pos < loaded_.size();)
        pos = ReadLine(loaded_, pos, result);
    return result;
}

size_t IrCodeTable::ReadLine(const std::string& data, size_t start, int& result)
{
    auto keep = [&](size_t end, int why) {
        unread_.push_back(Unread(data.substr(start, end - start)));
        if (result == 0)
            result = why;
        return end;
    };
    const size_t lineEnd = std::min(data.find('\n', start), data.size() - 1) + 1;
    if (data.find_first_not_of(" \t\r\n", start) >= lineEnd)
        return lineEnd;
    LineReader reader(data, start);
    // A comment, or a line without the fields a slot begins with.
    if (!reader.LooksLikeSlotLine(start))
        return keep(lineEnd, kFormatError);

    std::string fields[5];
    bool tooLong = false;
    bool complete = true;
    for (std::string& field : fields) {
        if (!reader.Field(field, tooLong)) {
            complete = false;
            break;
        }
    }
    // A line short of fields must not take the next slot line's as its own: it ends where that begins.
    const size_t nextSlotLine = reader.SlotLineWithin(start, reader.Position());
    if (nextSlotLine != std::string::npos)
        return keep(nextSlotLine, kFormatError);
    // The file ends inside a line.
    if (!complete)
        return keep(data.size(), kFormatError);
    const int slot = AllDigits(fields[0]) && fields[0].size() <= 3 ? LeadingNumber(fields[0]) : -1;
    const bool wellFormed = reader.LineEndsHere() && InRange(slot) && !fields[1].empty()
                            && AllDigits(fields[1], 1) && AllDigits(fields[2]);
    if (tooLong || !wellFormed) {
        if (!wellFormed)
            reader.SkipToNextSlotLine();
        return keep(reader.Position(), tooLong ? kFieldTooLong : kFormatError);
    }
    Slot& entry = slots_[static_cast<size_t>(slot)];
    // A second line for a slot: the first one counts, as it did when the slot was last used.
    if (entry.type != 0)
        return keep(reader.Position(), kFormatError);
    entry.type = fields[1][0];
    entry.code = LeadingNumber(fields[1], 1);
    entry.value = LeadingNumber(fields[2]);
    entry.name = fields[3];
    entry.text = fields[4];
    return reader.Position();
}

// The line as it stood, without its line end, and what it names as far as that can be read.
IrCodeTable::UnreadLine IrCodeTable::Unread(const std::string& text)
{
    UnreadLine line;
    line.text = text.substr(0, text.find_last_not_of("\r\n") + 1);
    const size_t firstEnd = line.text.find(';');
    if (firstEnd == std::string::npos || firstEnd == 0 || firstEnd > 3 || !AllDigits(line.text.substr(0, firstEnd)))
        return line;
    line.slot = LeadingNumber(line.text);
    const size_t typeEnd = line.text.find(';', firstEnd + 1);
    const std::string type = line.text.substr(firstEnd + 1, typeEnd - firstEnd - 1);
    if (typeEnd != std::string::npos && !type.empty() && !IsDigit(type[0]) && AllDigits(type, 1)) {
        line.type = type[0];
        line.code = LeadingNumber(type, 1);
    }
    return line;
}

bool IrCodeTable::Reserved(int slot) const
{
    for (const UnreadLine& line : unread_) {
        if (line.slot == slot)
            return true;
    }
    return false;
}

bool IrCodeTable::Reserved(char type, int code) const
{
    for (const UnreadLine& line : unread_) {
        if (line.type == type && line.code == code)
            return true;
    }
    return false;
}

int IrCodeTable::Save(const std::string& path)
{
    const bool own = path.empty() || path == path_;
    const std::string target = own ? path_ : path;
    if (target.empty())
        return kFileNotOpen;
    if (own && read_ == Read::kUnreadable)
        return kFileUnreadable;
    std::string file;
    for (int slot = 1; slot < kSlots; ++slot) {
        const Slot& entry = slots_[static_cast<size_t>(slot)];
        if (entry.type == 0)
            continue;
        char head[64];
        std::snprintf(head, sizeof(head), "%u;%c%u;%u;", static_cast<unsigned>(slot), entry.type,
                      static_cast<unsigned>(entry.code), static_cast<unsigned>(entry.value));
        file += head + entry.name + ';' + entry.text + ";\r\n";
    }
    for (const UnreadLine& line : unread_)
        file += line.text + "\r\n";
    // A full disk never leaves the Zenthor program (or us) with half a file. A file that was not there
    // is created only while nothing stands under its name; one that was read is never brought back.
    bool written = false;
    if (!own || read_ == Read::kNotRead)
        written = fw::WriteReplacing(target, file);
    else if (read_ == Read::kAbsent)
        written = fw::WriteNewFile(target, file) == fw::NewFile::Created;
    else
        written = fw::RewriteExisting(target, file);
    if (!written)
        return kFileNotOpen;
    if (own)
        read_ = Read::kWhole;
    return 0;
}

int IrCodeTable::FindFree(char type, int& freeSlot, int& freeCode) const
{
    freeSlot = 0;
    for (int slot = 1; slot < kSlots; ++slot) {
        if (slots_[static_cast<size_t>(slot)].type == 0 && !Reserved(slot)) {
            freeSlot = slot;
            break;
        }
    }
    freeCode = -1;
    // A learned code's number is its place in the keyboard's infrared memory, which ends at 159.
    const int codes = type == 'I' ? kLearnedCodes : kSlots;
    for (int code = 0; code < codes && freeCode < 0; ++code) {
        bool used = Reserved(type, code);
        for (int slot = 1; slot < kSlots && !used; ++slot) {
            const Slot& entry = slots_[static_cast<size_t>(slot)];
            used = entry.type == type && entry.code == code;
        }
        if (!used)
            freeCode = code;
    }
    return freeSlot != 0 && freeCode >= 0 ? 0 : kNotFound;
}

void IrCodeTable::ClearSlot(int slot)
{
    if (InRange(slot))
        slots_[static_cast<size_t>(slot)] = Slot();
}

int IrCodeTable::GetName(int slot, std::string& name) const
{
    name.clear();
    if (!InRange(slot))
        return kSlotOutOfRange;
    name = slots_[static_cast<size_t>(slot)].name;
    return name.empty() ? kNotFound : 0;
}

int IrCodeTable::GetTypeAndCode(int slot, char& type, int& code) const
{
    if (!InRange(slot))
        return kSlotOutOfRange;
    const Slot& entry = slots_[static_cast<size_t>(slot)];
    if (entry.type == 0)
        return kNotFound;
    type = entry.type;
    code = entry.code;
    return 0;
}

int IrCodeTable::GetValue(int slot, int& value) const
{
    if (!InRange(slot))
        return kSlotOutOfRange;
    const Slot& entry = slots_[static_cast<size_t>(slot)];
    if (entry.type == 0)
        return kNotFound;
    value = entry.value;
    return 0;
}

int IrCodeTable::GetText(int slot, std::string& text) const
{
    text.clear();
    if (!InRange(slot))
        return kSlotOutOfRange;
    text = slots_[static_cast<size_t>(slot)].text;
    return text.empty() ? kNotFound : 0;
}

int IrCodeTable::CheckField(const std::string& field)
{
    if (field.size() > kMaxField)
        return kFieldTooLong;
    if (field.find(';') != std::string::npos)
        return kFormatError;
    return 0;
}

int IrCodeTable::SetName(int slot, const std::string& name)
{
    if (!InRange(slot))
        return kSlotOutOfRange;
    if (int check = CheckField(name))
        return check;
    slots_[static_cast<size_t>(slot)].name = name;
    return 0;
}

int IrCodeTable::SetText(int slot, const std::string& text)
{
    if (!InRange(slot))
        return kSlotOutOfRange;
    if (int check = CheckField(text))
        return check;
    slots_[static_cast<size_t>(slot)].text = text;
    return 0;
}

int IrCodeTable::SetTypeAndCode(int slot, char type, int code)
{
    if (!InRange(slot))
        return kSlotOutOfRange;
    slots_[static_cast<size_t>(slot)].type = type;
    slots_[static_cast<size_t>(slot)].code = code;
    return 0;
}

int IrCodeTable::SetValue(int slot, int value)
{
    if (!InRange(slot))
        return kSlotOutOfRange;
    slots_[static_cast<size_t>(slot)].value = value;
    return 0;
}

bool IrCodeTable::OpenHelp(HWND window, const std::string& programFolder)
{
    const std::string page = zenthor::HelpPage(programFolder);
    HINSTANCE result = ::ShellExecuteA(window, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
