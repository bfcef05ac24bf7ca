// Reading a whole file into memory, with a size limit checked before anything is allocated.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// false when the file cannot be opened or read whole, or is larger than maxSize bytes.
bool ReadFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::int64_t maxSize);
