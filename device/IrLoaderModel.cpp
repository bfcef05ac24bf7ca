// The infrared loader's table and what its buttons do to it.
#include "device/IrLoaderModel.h"
#include "device/IrCommands.h"
#include "device/IrIntelHex.h"
#include "framework/FileReplace.h"
#include "framework/Strings.h"
#include "skarpin/resource.h"

const char IrLoaderModel::kBackupFile[] = "IR_data.bak";

int IrLoaderModel::Load(const std::string& codeFile)
{
    loadResult_ = table_.Load(codeFile);
    Refresh();
    return loadResult_;
}

void IrLoaderModel::Refresh()
{
    rows_.clear();
    for (int slot = 1; slot < IrCodeTable::kSlots; ++slot) {
        std::string name;
        if (table_.GetName(slot, name) == 0)
            rows_.push_back({slot, name, fw::Format("%u. ", static_cast<unsigned>(slot)) + name});
    }
}

std::vector<std::string> IrLoaderModel::Names() const
{
    std::vector<std::string> names;
    for (const Row& row : rows_)
        names.push_back(row.name);
    return names;
}

int IrLoaderModel::SlotOfRow(int row) const
{
    return row >= 0 && static_cast<size_t>(row) < rows_.size() ? rows_[static_cast<size_t>(row)].slot : 0;
}

bool IrLoaderModel::WriteBackup() const
{
    if (loadResult_ == IrCodeTable::kFileNotOpen || Unreadable())
        return false;
    // The bytes, not the table: what the table leaves out or writes otherwise is in the backup as it was.
    return fw::WriteReplacing(BackupPath(), table_.LoadedBytes());
}

std::string IrLoaderModel::BackupPath() const
{
    const std::string& codeFile = table_.Path();
    return codeFile.substr(0, codeFile.rfind('\\') + 1) + kBackupFile;
}

IrCodeDraft IrLoaderModel::Draft(int slot) const
{
    IrCodeDraft draft;
    table_.GetName(slot, draft.name);
    table_.GetValue(slot, draft.value);
    table_.GetText(slot, draft.text);
    return draft;
}

IrLoaderModel::StoreResult IrLoaderModel::Store(int slot, char type, int code, const IrCodeDraft& draft)
{
    if (Unreadable())
        return StoreResult::kRefused;
    if (IrCodeTable::CheckField(draft.name) != 0 || IrCodeTable::CheckField(draft.text) != 0
        || table_.SetTypeAndCode(slot, type, code) != 0)
        return StoreResult::kNotSet;
    table_.SetName(slot, draft.name);
    table_.SetValue(slot, draft.value);
    table_.SetText(slot, draft.text);
    Refresh();
    return table_.Save() == 0 ? StoreResult::kStored : StoreResult::kNotSaved;
}

bool IrLoaderModel::Delete(int slot)
{
    if (Unreadable())
        return false;
    table_.ClearSlot(slot);
    Refresh();
    return table_.Save() == 0;
}

bool IrLoaderModel::TestArguments(int slot, char& type, int& code, int& value) const
{
    if (table_.GetTypeAndCode(slot, type, code) != 0 || table_.GetValue(slot, value) != 0)
        return false;
    if (value == IrCodeDraft::kWhileHeld)
        value = kTestSendTime;
    if (type == 'G') {
        std::string text;
        table_.GetText(slot, text);
        code = ircode::ParseNumber(text, ircode::kLastRavikLinkChannel);
    }
    return code >= 0;
}

std::vector<int> IrLoaderModel::LoadOrder() const
{
    std::vector<int> slots;
    for (int slot = 1; slot < IrCodeTable::kSlots; ++slot) {
        char type = 0;
        int code = 0;
        if (table_.GetTypeAndCode(slot, type, code) == 0)
            slots.push_back(slot);
    }
    return slots;
}

int IrLoaderModel::SentCount() const
{
    int count = 0;
    for (int slot : LoadOrder()) {
        char type = 0;
        int code = 0;
        table_.GetTypeAndCode(slot, type, code);
        count += type == 'I' || type == 'X' ? 1 : 0;
    }
    return count;
}

IrLoaderModel::LoadStep IrLoaderModel::LoadSlot(IrCommands& commands, int slot) const
{
    char type = 0;
    int code = 0;
    std::string text;
    table_.GetTypeAndCode(slot, type, code);
    table_.GetText(slot, text);
    LoadStep step;
    if (type == 'I') {
        if (IrCodeToIntelHex(code, text) != 0) {
            step.outcome = LoadStep::kDamaged;
            step.messageId = IDS_IR_CODE_DAMAGED;
        } else if (commands.AccSetIRCode(text) != 0) {
            step.outcome = LoadStep::kKeyboardFailed;
            step.messageId = IDS_IR_LOAD_CODE_FAILED;
        } else {
            step.outcome = LoadStep::kSent;
        }
    } else if (type == 'X') {
        const int secure = ircode::ParseNumber(text, ircode::kLastSecurityCode);
        if (secure < 0) {
            step.outcome = LoadStep::kDamaged;
            step.messageId = IDS_IR_CODE_DAMAGED;
        } else if (commands.AccSetSecure(fw::Format("%.4X", secure)) != 0) {
            step.outcome = LoadStep::kKeyboardFailed;
            step.messageId = IDS_IR_LOAD_SECURE_FAILED;
        } else {
            step.outcome = LoadStep::kSent;
        }
    }
    return step;
}
