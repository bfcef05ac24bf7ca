// The set image: the byte string a PS/2 or AccessKvora keyboard keeps of a whole set. The compiler
// fills it (sync, then each overlay); the serial link finishes it with its trailer and sends it. A
// type of its own, so that the link owns it and the compiler writes into it without either knowing
// the other.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// Owned by the serial link. A new image is empty until Reset puts the sync; the trailer is appended
// once, and Reset or Append make the image unfinished again.
class SetImage {
public:
    static constexpr std::uint8_t kSync = 0x16;
    static constexpr std::uint8_t kEndOfSet = 0x03;
    static constexpr std::uint8_t kChecksumShift = 0x7F;
    static constexpr std::uint8_t kEndOfTransmission = 0x04;
    static constexpr size_t kSyncLength = 3;

    // The image becomes the three sync bytes 0x16 0x16 0x16.
    void Reset();
    void Append(const std::uint8_t* bytes, size_t count);
    void Append(const std::vector<std::uint8_t>& bytes) { Append(bytes.data(), bytes.size()); }
    void Append(std::uint8_t byte);

    // Appends 0x03, the checksum (after a 0x7F when it would fall below 0x30) and 0x04, so that
    // every byte after the sync sums to 0 modulo 256 and the checksum byte is never a control byte
    // of the protocol. Once only: a second call leaves a finished image as it is.
    void AppendTrailer();
    bool HasTrailer() const { return finished_; }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
    bool finished_ = false;
};
