// Mutations of seed inputs, reproducible from a seed and an input's number: bit flips, interesting
// values, lying sizes in little- and big-endian fields, insertions, deletions, truncation, copied
// blocks, and for text formats the characters their grammars split on.
#pragma once
#include <cstdint>
#include <vector>

namespace fuzz {

using Bytes = std::vector<std::uint8_t>;

// A small fast generator (splitmix64): the same start gives the same numbers on both builds.
class Random {
public:
    explicit Random(std::uint64_t start) : state_(start) {}
    std::uint64_t Next();
    // 0 .. bound-1 (0 when bound is 0).
    std::uint64_t Below(std::uint64_t bound) { return bound ? Next() % bound : 0; }
    bool OneIn(unsigned n) { return Below(n) == 0; }

private:
    std::uint64_t state_;
};

// The generator of one input: the run's seed, the format and the input's number.
Random InputRandom(std::uint64_t seed, unsigned format, std::uint64_t index);

// Damages a copy of one of the seeds (a second seed may be spliced in).
Bytes Mutate(const std::vector<Bytes>& seeds, bool text, Random& random);

// Gives every whole chunk of a PNG its right checksum again, so that the damage reaches the decoder
// instead of stopping at the first checksum.
void RepairPngChecksums(Bytes& png);

} // namespace fuzz
