// Mutations.
#include "Mutator.h"
#include "PictureFixtures.h"
#include <algorithm>
#include <cstring>

namespace fuzz {

namespace {

const std::uint64_t kInteresting[] = {0,          1,          2,          0x7F,       0x80,       0xFF,
                                      0x100,      0x7FFF,     0x8000,     0xFFFF,     0x10000,    0x7FFFFFFF,
                                      0x80000000, 0xFFFFFFFF, 0xFFFFFFFE, 0x40000000, 0x3FFF,     0x4000};

// Texts that the line and field readers split on or count with.
const char* const kTokens[] = {",",  "=",    "[",    "]",     "\r\n", "\n",  "\r",    "@",   "+",   "'",
                               "\"", "!",    ";",    "\t",    " ",    "-1",  "0",     "\\",  ".",   "\\n",
                               "%s", "%n",   "(",    ")",     "999999999999", "-2147483648", "[Data]",
                               "[Version]", "Antal=", "Kod=", "\x00", "\xE5\xE4\xF6", "..\\..\\", "C:\\"};

void WriteValue(Bytes& data, size_t at, std::uint64_t value, unsigned width, bool bigEndian)
{
    for (unsigned i = 0; i < width && at + i < data.size(); ++i) {
        const unsigned shift = 8 * (bigEndian ? width - 1 - i : i);
        data[at + i] = static_cast<std::uint8_t>(value >> shift);
    }
}

// A place biased toward the start, where the headers and their sizes are.
size_t Place(const Bytes& data, Random& random)
{
    if (data.empty())
        return 0;
    if (random.Below(10) < 6)
        return static_cast<size_t>(random.Below(std::min<size_t>(data.size(), 128)));
    return static_cast<size_t>(random.Below(data.size()));
}

void MutateOnce(Bytes& data, const std::vector<Bytes>& seeds, bool text, Random& random)
{
    const unsigned kinds = text ? 12 : 10;
    switch (random.Below(kinds)) {
    case 0: // a flipped bit
        if (!data.empty())
            data[Place(data, random)] ^= static_cast<std::uint8_t>(1u << random.Below(8));
        break;
    case 1: // an interesting byte
        if (!data.empty())
            data[Place(data, random)] = static_cast<std::uint8_t>(kInteresting[random.Below(std::size(kInteresting))]);
        break;
    case 2:
    case 3: { // a lying size: 16 or 32 bits, either byte order, near a real one or an interesting one
        if (data.size() < 2)
            break;
        const unsigned width = random.OneIn(2) ? 2 : 4;
        const bool bigEndian = random.OneIn(3);
        size_t at = Place(data, random);
        at -= at % (random.OneIn(2) ? width : 1);
        std::uint64_t value = kInteresting[random.Below(std::size(kInteresting))];
        if (random.OneIn(3))
            value = data.size() + random.Below(64) - 32;
        else if (random.OneIn(4))
            value = random.Next();
        WriteValue(data, at, value, width, bigEndian);
        break;
    }
    case 4: { // bytes inserted
        const size_t count = 1 + static_cast<size_t>(random.Below(random.OneIn(8) ? 4096 : 64));
        Bytes inserted(count);
        const std::uint8_t fill = static_cast<std::uint8_t>(random.Next());
        for (auto& byte : inserted)
            byte = random.OneIn(2) ? fill : static_cast<std::uint8_t>(random.Next());
        data.insert(data.begin() + static_cast<std::ptrdiff_t>(random.Below(data.size() + 1)), inserted.begin(),
                    inserted.end());
        break;
    }
    case 5: { // a range deleted
        if (data.empty())
            break;
        const size_t at = static_cast<size_t>(random.Below(data.size()));
        const size_t count = 1 + static_cast<size_t>(random.Below(std::min<size_t>(data.size() - at, 256)));
        data.erase(data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + count));
        break;
    }
    case 6: // truncated
        if (!data.empty())
            data.resize(static_cast<size_t>(random.Below(data.size())));
        break;
    case 7: { // a block copied over another place
        if (data.size() < 4)
            break;
        const size_t from = static_cast<size_t>(random.Below(data.size()));
        const size_t to = static_cast<size_t>(random.Below(data.size()));
        const size_t count = 1 + static_cast<size_t>(random.Below(std::min<size_t>({data.size() - from, data.size() - to, 64})));
        std::memmove(data.data() + to, data.data() + from, count);
        break;
    }
    case 8: { // spliced with another seed
        const Bytes& other = seeds[static_cast<size_t>(random.Below(seeds.size()))];
        if (other.empty())
            break;
        const size_t at = static_cast<size_t>(random.Below(data.size() + 1));
        const size_t from = static_cast<size_t>(random.Below(other.size()));
        data.resize(at);
        data.insert(data.end(), other.begin() + static_cast<std::ptrdiff_t>(from), other.end());
        break;
    }
    case 9: { // a run of one byte
        if (data.empty())
            break;
        const size_t at = Place(data, random);
        const size_t count = std::min<size_t>(data.size() - at, 1 + static_cast<size_t>(random.Below(32)));
        std::fill_n(data.begin() + static_cast<std::ptrdiff_t>(at), count, static_cast<std::uint8_t>(random.Next()));
        break;
    }
    case 10: { // a token of the text's grammar
        const char* token = kTokens[random.Below(std::size(kTokens))];
        const size_t length = *token ? std::strlen(token) : 1;
        const size_t at = static_cast<size_t>(random.Below(data.size() + 1));
        data.insert(data.begin() + static_cast<std::ptrdiff_t>(at), token, token + length);
        break;
    }
    case 11: { // a long field: the readers' buffers and limits
        const size_t at = static_cast<size_t>(random.Below(data.size() + 1));
        const size_t count = 200 + static_cast<size_t>(random.Below(random.OneIn(4) ? 70000 : 1200));
        data.insert(data.begin() + static_cast<std::ptrdiff_t>(at), count,
                    static_cast<std::uint8_t>("Ax,=9 "[random.Below(6)]));
        break;
    }
    }
}

} // namespace

std::uint64_t Random::Next()
{
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

void RepairPngChecksums(Bytes& png)
{
    for (size_t at = 8; at + 12 <= png.size();) {
        const std::uint64_t length = (std::uint64_t(png[at]) << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
        if (length > png.size() - at - 12)
            return;
        const std::uint32_t crc = fixtures::Crc32(png.data() + at + 4, static_cast<size_t>(length) + 4);
        for (int i = 0; i < 4; ++i)
            png[at + 8 + static_cast<size_t>(length) + static_cast<size_t>(i)] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        at += 12 + static_cast<size_t>(length);
    }
}

Random InputRandom(std::uint64_t seed, unsigned format, std::uint64_t index)
{
    Random mixer(seed * 0x100000001B3ull + format);
    return Random(mixer.Next() ^ (index * 0x9E3779B97F4A7C15ull));
}

Bytes Mutate(const std::vector<Bytes>& seeds, bool text, Random& random)
{
    Bytes data = seeds[static_cast<size_t>(random.Below(seeds.size()))];
    // Mostly a few changes; now and then a heavily damaged file.
    const unsigned changes = random.OneIn(8) ? 4 + static_cast<unsigned>(random.Below(28))
                                             : 1 + static_cast<unsigned>(random.Below(4));
    for (unsigned i = 0; i < changes; ++i)
        MutateOnce(data, seeds, text, random);
    // Files of our formats are small; a runaway input is cut back rather than slowing the run.
    if (data.size() > (1u << 20))
        data.resize(1u << 20);
    return data;
}

} // namespace fuzz
