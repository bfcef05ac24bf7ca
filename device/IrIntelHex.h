// Learned infrared codes in the form the keyboard stores them: Intel-HEX data records that place a
// code's bytes at its own room in the keyboard's infrared memory.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// The keyboard's infrared memory: learned code n takes kIrCodeRoom bytes from address
// n * kIrCodeRoom + kIrFirstCodeAddress on.
constexpr int kIrCodeRoom = 101;
constexpr int kIrFirstCodeAddress = 122;
// Data records start on 16-byte boundaries and hold at most this many bytes.
constexpr int kIntelHexRecordBytes = 16;
// The record that ends an Intel-HEX text.
extern const char kIntelHexEndRecord[];

// Appends one data record (type 00): ':', the count, the address, the type, the bytes and the
// checksum, each byte as two upper-case hexadecimal digits, then CR LF.
void IntelHexRecord(std::string& records, unsigned address, const BYTE* data, size_t count);

// The bytes of a learned code as the keyboard gave it, or as the user's file holds it: Intel-HEX
// data records closed by the end record, or else bare hexadecimal digits. Characters between the
// digits (line ends, blanks) are passed over.
// 0; IrCodeTable::kFormatError for a record whose checksum or byte count is wrong, records without
// the end record or with a record of another type before it, an odd number of digits, or no byte
// at all; IrCodeTable::kFieldTooLong for more bytes than a code's room.
int IrCodeBytes(const std::string& text, std::vector<BYTE>& bytes);

// Replaces the text by the records that store the code at learned code number `code` (0-159) in the
// keyboard, followed by the end record. 0, IrCodeTable::kSlotOutOfRange for another number, or the
// refusal of IrCodeBytes; the text is left alone when it is refused.
int IrCodeToIntelHex(int code, std::string& text);
