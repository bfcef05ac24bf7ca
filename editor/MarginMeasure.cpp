// Checking the measured offsets of the test print and turning them into corrections.
#include "editor/MarginMeasure.h"
#include "library/TypedDecimal.h"
#include "resources/skarpin/resource.h"

namespace {

// The uncorrected test print stands the first dot's centre at the code's left, 13 mm from the sheet's
// left edge, and its code line 21 mm above the sheet's bottom edge (A4: 297 - 276 mm).
constexpr double kExpectedX = 13.0;
constexpr double kExpectedY = 21.0;

} // namespace

UINT CheckMeasurements(const std::string& x, const std::string& y)
{
    if (x.empty() || y.empty())
        return IDS_MARGIN_EMPTY;
    double ignored = 0;
    const bool goodX = typed::ReadDecimal(x, ignored);
    const bool goodY = typed::ReadDecimal(y, ignored);
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
    double measuredX = kExpectedX;
    double measuredY = kExpectedY;
    typed::ReadDecimal(x, measuredX);
    typed::ReadDecimal(y, measuredY);
    MarginCorrections corrections;
    corrections.left = static_cast<float>(kExpectedX - measuredX);
    corrections.top = static_cast<float>(measuredY - kExpectedY);
    return corrections;
}
