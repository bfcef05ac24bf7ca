// The set image: the byte string a PS/2 or AccessKvora keyboard keeps of a whole set. The compiler
// fills it (sync, then each overlay); the serial link finishes it with its trailer and sends it. A
// type of its own, so that the link owns it and the compiler writes into it without either knowing
// the other.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class SetImage {
public:
    // The image becomes the three sync bytes 0x16 0x16 0x16.
    void Reset() { bytes_.assign(3, 0x16); }
    void Append(const std::uint8_t* bytes, size_t count) { bytes_.insert(bytes_.end(), bytes, bytes + count); }
    void Append(const std::vector<std::uint8_t>& bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    void Append(std::uint8_t byte) { bytes_.push_back(byte); }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};
