// The set image: the byte string that a PS/2 or AccessKvora keyboard keeps as its whole set. The set
// compiler fills it; the serial link finishes it with its trailer and sends it.
#pragma once
#include <windows.h>
#include <cstddef>
#include <vector>

// Owned by the serial link. The image always begins with the three sync bytes (a new image is
// already reset); the trailer is appended once, and Reset or Append make the image unfinished again.
class SetImage {
public:
    static constexpr BYTE kSync = 0x16;
    static constexpr BYTE kEndOfSet = 0x03;
    static constexpr BYTE kChecksumShift = 0x7F;
    static constexpr BYTE kEndOfTransmission = 0x04;
    static constexpr size_t kSyncLength = 3;

    SetImage() { Reset(); }

    // The image becomes the three sync bytes.
    void Reset();
    void Append(BYTE byte);
    void Append(const BYTE* bytes, size_t count);
    void Append(const std::vector<BYTE>& bytes) { Append(bytes.data(), bytes.size()); }

    // Appends 0x03, the checksum (after a 0x7F when it would fall below 0x30) and 0x04, so that
    // every byte after the sync sums to 0 modulo 256 and the checksum byte is never a control byte
    // of the protocol. Once only: a second call leaves a finished image as it is.
    void AppendTrailer();
    bool HasTrailer() const { return finished_; }

    const std::vector<BYTE>& Bytes() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }

private:
    std::vector<BYTE> bytes_;
    bool finished_ = false;
};
