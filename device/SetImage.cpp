// The set image and its trailer.
#include "device/SetImage.h"

void SetImage::Reset()
{
    bytes_.assign(kSyncLength, kSync);
    finished_ = false;
}

void SetImage::Append(BYTE byte)
{
    bytes_.push_back(byte);
    finished_ = false;
}

void SetImage::Append(const BYTE* bytes, size_t count)
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
    BYTE checksum = static_cast<BYTE>(256 - sum % 256);
    if (checksum < 0x30) {
        bytes_.push_back(kChecksumShift);
        checksum = static_cast<BYTE>(checksum - kChecksumShift);
    }
    bytes_.push_back(checksum);
    bytes_.push_back(kEndOfTransmission);
    finished_ = true;
}
