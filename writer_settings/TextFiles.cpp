// Whole-text reading.
#include "writer_settings/TextFiles.h"
#include "components/FileBytes.h"
#include "library/IniDocument.h"

namespace textfiles {

namespace {

// Far beyond a document of thousands of symbols; a larger file is not one of Morvel's.
const std::int64_t kLargestFile = 64ll * 1024 * 1024;

} // namespace

bool ReadWhole(const std::string& path, std::string& content)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, kLargestFile))
        return false;
    content.assign(bytes.begin(), bytes.end());
    return true;
}

std::vector<std::string> SplitLines(const std::string& content)
{
    return ini::SplitLines(content);
}

} // namespace textfiles
