// Decimals as users type them.
#include "library/TypedDecimal.h"
#include <charconv>

namespace typed {

bool ReadDecimal(const std::string& text, double& value)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return false;
    const size_t last = text.find_last_not_of(" \t");
    std::string number = text.substr(first, last - first + 1);
    bool markSeen = false;
    bool digitSeen = false;
    for (char& c : number) {
        if (c == '.' || c == ',') {
            if (markSeen)
                return false;
            markSeen = true;
            c = '.';
        } else if (c >= '0' && c <= '9') {
            digitSeen = true;
        } else {
            return false;
        }
    }
    if (!digitSeen)
        return false;
    // from_chars never looks at the locale; "3." and ".5" are read whole.
    double read = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), read, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != number.data() + number.size())
        return false;
    value = read;
    return true;
}

} // namespace typed
