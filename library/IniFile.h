// The platform's ini-file calls (GetPrivateProfileString and its writers) with std::string, so no
// value is ever cut to a fixed buffer.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace ini {

// The value of a key, whole; fallback when the file, the section or the key is missing.
std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& fallback = std::string());

// The names of the keys of a section in file order; empty when the section is missing.
std::vector<std::string> ReadKeyNames(const std::string& file, const std::string& section);

// Each writer returns false when the platform refused (read-only file, missing folder).
bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                 const std::string& value);
bool DeleteKey(const std::string& file, const std::string& section, const std::string& key);
bool DeleteSection(const std::string& file, const std::string& section);
// Replaces the whole section by these keys in this order, in one write of the file.
bool WriteSection(const std::string& file, const std::string& section,
                  const std::vector<std::pair<std::string, std::string>>& entries);

} // namespace ini
