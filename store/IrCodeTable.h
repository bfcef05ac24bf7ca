// The infrared codes the user has defined for the AccessKvora keyboard, in 199 numbered slots, and
// their file "ir_data.kvx", which the Zenthor program reads and writes as well.
#pragma once
#include <windows.h>
#include <array>
#include <string>
#include <vector>

// Owned by FileIO (for the set compiler) and by the infrared dialogs; each loads the file itself.
// Slot 0 is never used. Results are the codes below; 0 is success.
class IrCodeTable {
public:
    static constexpr int kSlots = 200;
    // Learned codes ('I') are numbered by their place in the keyboard's infrared memory: 0-159.
    static constexpr int kLearnedCodes = 160;
    // The longest name or text the file can hold: the Zenthor program reads fields of 398 characters.
    static constexpr size_t kMaxField = 398;

    static constexpr int kSlotOutOfRange = 0x8002;
    static constexpr int kFieldTooLong = 0x8007;
    static constexpr int kNotFound = 0x8008;
    static constexpr int kFileNotOpen = 0x800F;
    static constexpr int kFormatError = 0x8010;
    static constexpr int kOutOfMemory = 0x8011;
    // The file is there but could not be read or is in a text form the table does not read.
    static constexpr int kFileUnreadable = 0x8012;

    IrCodeTable();

    // Empties every slot.
    void Init();
    // Drops every name and text.
    void Free();

    // Reads the file; the path becomes the table's path. Lines the table cannot take (damaged, too
    // long, a slot outside 1-199, a second line for a slot, a comment) are kept as they stand and the
    // rest is read: kFieldTooLong or kFormatError then tells that something was left out. With
    // kFileNotOpen there is no file, with kFileUnreadable one that could not be read (locked, another
    // text form): the table stays empty either way, and only the first may be written.
    int Load(const std::string& path);
    // The file's bytes as the last Load read them.
    const std::string& LoadedBytes() const { return loaded_; }
    // Whether the table's own file may be saved: it was absent or read whole.
    bool Writable() const { return read_ != Read::kUnreadable; }
    // Writes the file: the slots in order, then the lines the table could not take as they were read,
    // so that no save loses what the Zenthor program or the user put there. Last, because a reader
    // that stops at a damaged line still reads every slot first. An empty path writes the table's
    // path, which is created only when Load found nothing there and is never replaced when Load could
    // not read it (kFileUnreadable); another path is replaced. 0, kFileUnreadable or kFileNotOpen.
    int Save(const std::string& path = std::string());
    // How many lines of the file the table could not take.
    size_t UnreadLines() const { return unread_.size(); }

    // The first empty slot and the smallest code number of that type in no slot (for 'I' one below
    // kLearnedCodes, else below kSlots); a slot or code that a line the table could not take names is
    // not free either. 0 or kNotFound.
    int FindFree(char type, int& freeSlot, int& freeCode) const;
    void ClearSlot(int slot);

    // kNotFound for an empty slot (names and texts: for none), kSlotOutOfRange outside 1-199.
    int GetName(int slot, std::string& name) const;
    int GetTypeAndCode(int slot, char& type, int& code) const;
    int GetValue(int slot, int& value) const;
    int GetText(int slot, std::string& text) const;

    // Refuse what the file cannot hold: kFieldTooLong for a name or text over kMaxField characters,
    // kFormatError for one holding ';' (the field separator); the slot then keeps its old value.
    int SetName(int slot, const std::string& name);
    int SetText(int slot, const std::string& text);
    int SetTypeAndCode(int slot, char type, int code);
    int SetValue(int slot, int value);

    // Whether a name or text can be stored, for a dialog to check its input before it sets it.
    static int CheckField(const std::string& field);

    // Opens the Zenthor program's help page in the program folder; true when it opened.
    static bool OpenHelp(HWND window, const std::string& programFolder);

    const std::string& Path() const { return path_; }

private:
    struct Slot {
        char type = 0;   // 'I' learned, 'G' RavikLink, 'X' security code; 0 empty
        int code = 0;
        int value = 0;
        std::string name;
        std::string text;
    };
    // A line of the file the table could not take, kept to be written again; the slot and the type
    // and code it names, where they could be read (slot 0 and type 0 where not).
    struct UnreadLine {
        std::string text;
        int slot = 0;
        char type = 0;
        int code = 0;
    };
    static bool InRange(int slot) { return slot >= 1 && slot < kSlots; }
    static UnreadLine Unread(const std::string& text);
    bool Reserved(int slot) const;
    bool Reserved(char type, int code) const;

    enum class Read { kNotRead, kAbsent, kWhole, kUnreadable };
    // One line or record of the file from start: taken into its slot, or kept as it stands; the
    // position after it.
    size_t ReadLine(const std::string& data, size_t start, int& result);

    std::string path_;
    Read read_ = Read::kNotRead;
    std::string loaded_;
    std::array<Slot, kSlots> slots_;
    std::vector<UnreadLine> unread_;
};
