// The infrared code table and its file.
#include "loader/IrCodeTable.h"
#include "framework/FileReplace.h"
#include "loader/ZenthorFiles.h"
#include <shellapi.h>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

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
    explicit LineReader(const std::string& data) : data_(data) {}

    bool AtEnd() const { return pos_ >= data_.size(); }
    size_t Position() const { return pos_; }

    // Skips what stands before the next slot number: the line end of the line before, blank lines.
    void SkipToDigit()
    {
        while (pos_ < data_.size() && !IsDigit(data_[pos_]))
            ++pos_;
    }

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

private:
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
}

void IrCodeTable::Free()
{
    for (Slot& slot : slots_) {
        std::string().swap(slot.name);
        std::string().swap(slot.text);
    }
    std::vector<UnreadLine>().swap(unread_);
}

int IrCodeTable::Load(const std::string& path)
{
    Init();
    path_ = path;
    std::ifstream file(path_, std::ios::binary);
    if (!file)
        return kFileNotOpen;
    // Read as bytes: a 0xFF (a 'ÿ' in a name) is a character like any other, not the end of the file.
    const std::string data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());

    int result = 0;
    LineReader reader(data);
    for (;;) {
        reader.SkipToDigit();
        if (reader.AtEnd())
            break;
        const size_t lineStart = reader.Position();
        std::string fields[5];
        bool tooLong = false;
        bool complete = true;
        for (std::string& field : fields) {
            if (!reader.Field(field, tooLong)) {
                complete = false;
                break;
            }
        }
        if (!complete) {
            // The file ends inside a line: that line is not taken.
            unread_.push_back(Unread(data.substr(lineStart)));
            if (result == 0)
                result = kFormatError;
            break;
        }
        const int slot = AllDigits(fields[0]) && fields[0].size() <= 3 ? LeadingNumber(fields[0]) : -1;
        const bool wellFormed = reader.LineEndsHere() && InRange(slot) && !fields[1].empty()
                                && AllDigits(fields[1], 1) && AllDigits(fields[2]);
        if (tooLong || !wellFormed) {
            // Leave out this line only; the lines after it are read as usual.
            if (result == 0)
                result = tooLong ? kFieldTooLong : kFormatError;
            if (!wellFormed)
                reader.SkipToNextSlotLine();
            unread_.push_back(Unread(data.substr(lineStart, reader.Position() - lineStart)));
            continue;
        }
        Slot& entry = slots_[static_cast<size_t>(slot)];
        entry.type = fields[1][0];
        entry.code = LeadingNumber(fields[1], 1);
        entry.value = LeadingNumber(fields[2]);
        entry.name = fields[3];
        entry.text = fields[4];
    }
    return result;
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

int IrCodeTable::Save(const std::string& path) const
{
    const std::string target = path.empty() ? path_ : path;
    if (target.empty())
        return kFileNotOpen;
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
    // A full disk never leaves the Zenthor program (or us) with half a file.
    return fw::WriteReplacing(target, file) ? 0 : kFileNotOpen;
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
