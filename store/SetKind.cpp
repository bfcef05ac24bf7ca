// Telling the special sets by name.
#include "store/SetKind.h"
#include "library/Cp1252.h"

bool SameSetName(const std::string& first, const std::string& second)
{
    return cp1252::EqualsNoCase(first, second);
}

SetKind KindOfSet(const std::string& name, const SpecialSetNames& names)
{
    if (SameSetName(name, names.standard))
        return SetKind::kStandard;
    if (SameSetName(name, names.templates))
        return SetKind::kTemplates;
    return SetKind::kOrdinary;
}
