// Intel-HEX records of learned infrared codes, read and written.
#include "device/IrIntelHex.h"
#include "framework/Strings.h"
#include "store/IrCodeTable.h"
#include <algorithm>

const char kIntelHexEndRecord[] = ":00000001FF";

namespace {

const BYTE kDataRecord = 0x00;
const BYTE kEndRecord = 0x01;
// Count, two address bytes, type, and the checksum after the data.
const size_t kRecordFrame = 5;

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The hexadecimal digits of text[begin, end) in pairs; false for an odd number of digits.
bool DigitPairs(const std::string& text, size_t begin, size_t end, std::vector<BYTE>& bytes)
{
    int high = -1;
    for (size_t i = begin; i < end; ++i) {
        const int digit = HexValue(text[i]);
        if (digit < 0)
            continue;
        if (high < 0) {
            high = digit;
        } else {
            bytes.push_back(static_cast<BYTE>(high * 16 + digit));
            high = -1;
        }
    }
    return high < 0;
}

// The data of the records from the first ':' on, up to the end record. A record's bytes, its
// checksum included, sum to 0 modulo 256, and its count is the number of its data bytes. Only the end
// record closes a code: records that stop without it (a code cut short on its way from the keyboard)
// or go on with another type are refused.
int RecordData(const std::string& text, std::vector<BYTE>& data)
{
    size_t start = text.find(':');
    while (start != std::string::npos) {
        const size_t next = text.find(':', start + 1);
        std::vector<BYTE> record;
        if (!DigitPairs(text, start + 1, next == std::string::npos ? text.size() : next, record)
            || record.size() < kRecordFrame)
            return IrCodeTable::kFormatError;
        unsigned sum = 0;
        for (BYTE byte : record)
            sum += byte;
        if (sum % 256 != 0 || record[0] != record.size() - kRecordFrame)
            return IrCodeTable::kFormatError;
        if (record[3] == kEndRecord)
            return 0;
        if (record[3] != kDataRecord)
            return IrCodeTable::kFormatError;
        data.insert(data.end(), record.begin() + 4, record.end() - 1);
        start = next;
    }
    return IrCodeTable::kFormatError;
}

} // namespace

void IntelHexRecord(std::string& records, unsigned address, const BYTE* data, size_t count)
{
    std::vector<BYTE> record = {static_cast<BYTE>(count), static_cast<BYTE>(address >> 8),
                                static_cast<BYTE>(address & 0xFF), kDataRecord};
    record.insert(record.end(), data, data + count);
    unsigned sum = 0;
    for (BYTE byte : record)
        sum += byte;
    record.push_back(static_cast<BYTE>(0x100 - sum % 256));
    records += ':';
    for (BYTE byte : record)
        records += fw::Format("%.2X", byte);
    records += "\r\n";
}

int IrCodeBytes(const std::string& text, std::vector<BYTE>& bytes)
{
    bytes.clear();
    int result = 0;
    if (text.find(':') != std::string::npos)
        result = RecordData(text, bytes);
    else if (!DigitPairs(text, 0, text.size(), bytes))
        result = IrCodeTable::kFormatError;
    if (result == 0 && bytes.empty())
        result = IrCodeTable::kFormatError;
    if (result == 0 && bytes.size() > static_cast<size_t>(kIrCodeRoom))
        result = IrCodeTable::kFieldTooLong;
    if (result != 0)
        bytes.clear();
    return result;
}

int IrCodeToIntelHex(int code, std::string& text)
{
    if (code < 0 || code >= IrCodeTable::kLearnedCodes)
        return IrCodeTable::kSlotOutOfRange;
    std::vector<BYTE> bytes;
    if (int refused = IrCodeBytes(text, bytes))
        return refused;
    std::string records;
    unsigned address = static_cast<unsigned>(code * kIrCodeRoom + kIrFirstCodeAddress);
    size_t done = 0;
    while (done < bytes.size()) {
        // The first record fills up to the next 16-byte boundary; the rest start on one.
        const size_t room = kIntelHexRecordBytes - address % kIntelHexRecordBytes;
        const size_t count = std::min(room, bytes.size() - done);
        IntelHexRecord(records, address, bytes.data() + done, count);
        done += count;
        address += static_cast<unsigned>(count);
    }
    text = records + kIntelHexEndRecord;
    return 0;
}
