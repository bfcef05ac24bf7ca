// Checking the measured offsets of the test print and turning them into corrections.
#include "editor/MarginMeasure.h"
#include "library/IniValues.h"
#include "resources/skarpin/resource.h"
#include <cctype>

namespace {

constexpr float kExpectedX = 14.0f;
constexpr float kExpectedY = 21.0f;

// Digits and at most one '.': "1.2.3" would otherwise be read as 1.2 without a word.
bool IsMeasurement(const std::string& text)
{
    int points = 0;
    int digits = 0;
    for (char c : text) {
        if (c == '.')
            ++points;
        else if (std::isdigit(static_cast<unsigned char>(c)))
            ++digits;
        else
            return false;
    }
    return points <= 1 && digits > 0;
}

} // namespace

UINT CheckMeasurements(const std::string& x, const std::string& y)
{
    if (x.empty() || y.empty())
        return IDS_MARGIN_EMPTY;
    const bool goodX = IsMeasurement(x);
    const bool goodY = IsMeasurement(y);
    if (!goodX && !goodY)
        return IDS_MARGIN_BAD_BOTH;
    if (!goodX)
        return IDS_MARGIN_BAD_X;
    if (!goodY)
        return IDS_MARGIN_BAD_Y;
    return 0;
}

MarginCorrections CorrectionsFrom(const std::string& x, const std::string& y)
{
    MarginCorrections corrections;
    corrections.left = kExpectedX - static_cast<float>(ini::ParseDecimal(x));
    corrections.top = static_cast<float>(ini::ParseDecimal(y)) - kExpectedY;
    return corrections;
}
