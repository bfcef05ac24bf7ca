// One infrared code while the user edits it, and the rules its editors share: the name, the send
// time, the RavikLink channel and the security code.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// The values an editor takes in and gives back on OK.
struct IrCodeDraft {
    // The send time that means "as long as the key is held".
    static constexpr int kWhileHeld = 254;

    std::string name;
    int value = kWhileHeld;  // tenths of a second, or kWhileHeld
    std::string text;        // the learned code, the RavikLink channel or the security code
};

namespace ircode {

// Send times that can be entered, in tenths of a second.
constexpr int kShortestSendTime = 6;
constexpr int kLongestSendTime = 250;
constexpr int kLastRavikLinkChannel = 127;
// The RavikLink channel no remote control uses.
constexpr int kMissingRavikLinkChannel = 62;
constexpr int kLastSecurityCode = 4095;
// A new RavikLink code starts on this channel.
extern const char kDefaultRavikLinkChannel[];

// A timed value in seconds as the time field shows it ("0.7").
std::string FormatSendTime(int tenths);
// The tenths of a second of an entered time ("1,5" or "1.5"), rounded; -1 unless the whole text is a
// number within 0.6-25 s.
int ParseSendTime(const std::string& text);

// 0 when the name can be given to the code being edited, else the message that says why not: none
// given, one the code file cannot hold, or one that another code of the list already has (letter case
// aside). names are the list's rows; editedRow is the row of the code being edited, -1 for a new one.
UINT CheckName(const std::string& name, const std::vector<std::string>& names, int editedRow);

// The channels a RavikLink code can use, in the order the list shows them.
std::vector<int> RavikLinkChannels();
// A whole decimal number 0-max, blanks around it allowed; -1 for anything else.
int ParseNumber(const std::string& text, int max);

} // namespace ircode
