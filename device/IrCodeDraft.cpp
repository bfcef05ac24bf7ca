// The rules of the infrared code editors.
#include "device/IrCodeDraft.h"
#include "library/Cp1252.h"
#include "library/IniValues.h"
#include "library/TypedDecimal.h"
#include "skarpin/resource.h"
#include "store/IrCodeTable.h"
#include <cmath>

namespace ircode {

const char kDefaultRavikLinkChannel[] = "16";

std::string FormatSendTime(int tenths)
{
    return ini::FormatDecimal(tenths / 10.0);
}

int ParseSendTime(const std::string& text)
{
    double seconds = 0;
    if (!typed::ReadDecimal(text, seconds))
        return -1;
    // Compared in tenths, so that a typed 0.6 is not refused for the binary fraction below it.
    const double tenths = seconds * 10.0;
    if (tenths < kShortestSendTime - 1e-6 || tenths > kLongestSendTime + 1e-6)
        return -1;
    return static_cast<int>(std::lround(tenths));
}

UINT CheckName(const std::string& name, const std::vector<std::string>& names, int editedRow)
{
    if (name.empty())
        return IDS_IR_NO_NAME;
    if (IrCodeTable::CheckField(name) != 0)
        return IDS_IR_NAME_UNSTORABLE;
    for (size_t row = 0; row < names.size(); ++row) {
        if (static_cast<int>(row) != editedRow && cp1252::EqualsNoCase(names[row], name))
            return IDS_IR_NAME_TAKEN;
    }
    return 0;
}

std::vector<int> RavikLinkChannels()
{
    std::vector<int> channels;
    for (int channel = 0; channel <= kLastRavikLinkChannel; ++channel) {
        if (channel != kMissingRavikLinkChannel)
            channels.push_back(channel);
    }
    return channels;
}

int ParseNumber(const std::string& text, int max)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return -1;
    const size_t last = text.find_last_not_of(' ');
    int number = 0;
    for (size_t i = first; i <= last; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        number = number * 10 + (text[i] - '0');
        if (number > max)
            return -1;
    }
    return number;
}

} // namespace ircode
