// The set image and its trailer.
#include "store/SetImage.h"

void SetImage::Reset()
{
    bytes_.assign(kSyncLength, kSync);
    finished_ = false;
}

void SetImage::Append(std::uint8_t byte)
{
    bytes_.push_back(byte);
    finished_ = false;
}

void SetImage::Append(const std::uint8_t* bytes, size_t count)
{
    bytes_.insert(bytes_.end(), bytes, bytes + count);
    finished_ = false;
}

void SetImage::AppendTrailer()
{
    if (finished_)
        return;
    bytes_.push_back(kEndOfSet);
    unsigned sum = kEndOfTransmission;
    for (size_t i = kSyncLength; i < bytes_.size(); ++i)
        sum += bytes_[i];
    std::uint8_t checksum = static_cast<std::uint8_t>(256 - sum % 256);
    if (checksum < 0x30) {
        bytes_.push_back(kChecksumShift);
        checksum = static_cast<std::uint8_t>(checksum - kChecksumShift);
    }
    bytes_.push_back(checksum);
    bytes_.push_back(kEndOfTransmission);
    finished_ = true;
}
