// Decimals as users type them into our dialogs: Swedish users write a comma, others a point.
#pragma once
#include <string>

namespace typed {

// True when the whole text, blanks around it allowed, is digits with at most one decimal mark
// ('.' or ','), and at least one digit: "1,5", "1.5", "2", ",5", "3.". value receives the number.
// Anything else ("1.2.3", "1,2,5", "1,5 s", "-1", "") is refused and value is left as it was, so
// no text is ever read in part.
bool ReadDecimal(const std::string& text, double& value);

} // namespace typed
