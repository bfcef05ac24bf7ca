// What the infrared loader dialog does to its code table, without a window: the list, storing an
// edited code, the backup, a test send and loading the codes into the keyboard.
#pragma once
#include "device/IrCodeDraft.h"
#include "store/IrCodeTable.h"
#include <windows.h>
#include <string>
#include <vector>

class IrCommands;

// Owned by the infrared loader dialog. Every change is saved to the code file at once.
class IrLoaderModel {
public:
    static const char kBackupFile[];
    // One line of the list: a slot with a name.
    struct Row {
        int slot;
        std::string name;
        std::string text;  // "%u. " and the name
    };
    enum class StoreResult { kStored, kNotSet, kNotSaved, kRefused };
    // What loading one slot into the keyboard came to; a failure names its message.
    struct LoadStep {
        enum Outcome { kSent, kNotSent, kDamaged, kKeyboardFailed } outcome = kNotSent;
        UINT messageId = 0;
    };
    // The send time a test send uses for a code sent while the key is held.
    static constexpr int kTestSendTime = 10;

    // Reads the code file; its result (IrCodeTable::Load's) is kept for the backup.
    int Load(const std::string& codeFile);
    // The code file is there but could not be read: nothing may change it.
    bool Unreadable() const { return loadResult_ == IrCodeTable::kFileUnreadable; }
    const IrCodeTable& Table() const { return table_; }
    const std::vector<Row>& Rows() const { return rows_; }
    std::vector<std::string> Names() const;
    // The slot of a list row; 0 for none.
    int SlotOfRow(int row) const;

    // Keeps the code file's bytes as they were read in "IR_data.bak" beside it; without a file read
    // whole an older backup stays. False when nothing was written.
    bool WriteBackup() const;
    std::string BackupPath() const;

    IrCodeDraft Draft(int slot) const;
    // Sets the slot's type, code number, name, send time and text and saves the file. kNotSet when
    // the file cannot hold the name or text (the slot is left alone), kNotSaved when the file could
    // not be written (the table holds the change), kRefused when the file could not be read (nothing
    // changes).
    StoreResult Store(int slot, char type, int code, const IrCodeDraft& draft);
    // Empties the slot and saves; false when the file could not be written or read (nothing changes).
    bool Delete(int slot);

    // The arguments of AccTestCommand for the slot: its type, its code number (a RavikLink code's
    // channel), its send time (kTestSendTime for a code sent while the key is held). False when the
    // slot holds nothing that can be sent.
    bool TestArguments(int slot, char& type, int& code, int& value) const;

    // The slots a load goes through, in order: every slot with a type.
    std::vector<int> LoadOrder() const;
    // How many of them the keyboard is sent: learned codes and the security code.
    int SentCount() const;
    // Sends one slot: a learned code as Intel-HEX records, the security code as four hexadecimal
    // digits; a RavikLink code is not sent.
    LoadStep LoadSlot(IrCommands& commands, int slot) const;

private:
    void Refresh();

    IrCodeTable table_;
    int loadResult_ = IrCodeTable::kFileNotOpen;
    std::vector<Row> rows_;
};
