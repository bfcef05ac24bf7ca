// The words of the benchmarks' image bases: Swedish syllables, the same every run.
#pragma once
#include <string>

namespace bench {

// The word of picture index; every 97th picture is a dog ("Hund" or "hund"), so that a search for
// "hund" has hits spread over the whole base.
inline std::string Word(unsigned& seed, int index)
{
    static const char* syllables[] = {"ka", "ro", "sol", "hus", "b\xE5", "t\xE4", "m\xF6", "li", "ne", "ber",
                                      "g\xE5", "sk", "ull", "fa", "pi", "v\xE4", "\xF6r", "ist", "an", "el"};
    if (index % 97 == 0)
        return index % 2 ? "Hund" : "hund";
    std::string word;
    int count = 2 + static_cast<int>(seed % 2);
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        word += syllables[(seed >> 16) % 20];
    }
    return word;
}

} // namespace bench
