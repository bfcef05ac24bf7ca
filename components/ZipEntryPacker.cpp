// Packing one file into memory or a spill file: deflated, or stored when deflating does not shrink it.
#include "components/ZipEntryPacker.h"
#include <zlib.h>
#include <algorithm>
#include <memory>

namespace zip {

using namespace records;

namespace {

const size_t kChunk = 256 * 1024;
// Sizes are 32-bit without ZIP64.
const std::uint64_t kLargest = 0xFFFFFFFFu;

// One file's data into its packed data; the entry gets the method, the CRC and the sizes.
class EntryPacker {
public:
    EntryPacker(ZipFile& source, PackedData& data, Entry& entry, const ReadHandler& read)
        : source_(source), data_(data), entry_(entry), read_(read), input_(new std::uint8_t[kChunk])
    {
    }

    // Deflates the file. gaveUp: the first run of a file larger than a run did not shrink, and the
    // file is left for Store.
    Result Deflate(int level, bool& gaveUp)
    {
        gaveUp = false;
        z_stream stream{};
        // The largest hash table (memory level 9) deflates faster and a little smaller than the default.
        if (deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK)
            return Result::CannotWrite;
        std::unique_ptr<std::uint8_t[]> packed(new std::uint8_t[kChunk]);
        Result result = Result::Ok;
        uLong crc = crc32(0L, Z_NULL, 0);
        std::uint64_t size = 0;
        for (bool last = false; result == Result::Ok && !last;) {
            const long long got = source_.ReadSome(input_.get(), kChunk);
            if (got < 0) {
                result = Result::CannotOpen;
                break;
            }
            last = got == 0;
            crc = crc32(crc, input_.get(), static_cast<uInt>(got));
            size += static_cast<std::uint64_t>(got);
            stream.next_in = input_.get();
            stream.avail_in = static_cast<uInt>(got);
            do {
                stream.next_out = packed.get();
                stream.avail_out = static_cast<uInt>(kChunk);
                deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
                if (!data_.Write(packed.get(), kChunk - stream.avail_out))
                    result = Result::CannotWrite;
            } while (result == Result::Ok && stream.avail_out == 0);
            if (result == Result::Ok)
                result = Told(static_cast<std::uint64_t>(got));
            if (result == Result::Ok && (size > kLargest - 1 || data_.Size() > kLargest))
                result = Result::TooLarge;
            // Pictures and sounds that are packed already do not shrink: after the first run of a
            // larger file deflating stops, and the file is stored.
            if (result == Result::Ok && !last && size == static_cast<std::uint64_t>(got) && Incompressible(stream)) {
                gaveUp = true;
                break;
            }
        }
        deflateEnd(&stream);
        if (result != Result::Ok || gaveUp)
            return result;
        entry_.method = 8;
        entry_.crc = static_cast<std::uint32_t>(crc);
        entry_.size = static_cast<std::uint32_t>(size);
        entry_.packedSize = static_cast<std::uint32_t>(data_.Size());
        return Result::Ok;
    }

    // Copies the file as it stands from where the source stands; bytes told by an earlier Deflate
    // are not told again.
    Result Store()
    {
        const std::uint64_t counted = told_;
        uLong crc = crc32(0L, Z_NULL, 0);
        for (;;) {
            const long long got = source_.ReadSome(input_.get(), kChunk);
            if (got < 0)
                return Result::CannotOpen;
            if (got == 0)
                break;
            crc = crc32(crc, input_.get(), static_cast<uInt>(got));
            if (!data_.Write(input_.get(), static_cast<size_t>(got)))
                return Result::CannotWrite;
            if (data_.Size() > kLargest)
                return Result::TooLarge;
            const std::uint64_t copied = data_.Size();
            const std::uint64_t before = copied - static_cast<std::uint64_t>(got);
            if (copied > counted) {
                const Result told = Told(copied - std::max(before, counted));
                if (told != Result::Ok)
                    return told;
            }
        }
        entry_.method = 0;
        entry_.crc = static_cast<std::uint32_t>(crc);
        entry_.size = static_cast<std::uint32_t>(data_.Size());
        entry_.packedSize = entry_.size;
        return Result::Ok;
    }

private:
    // Less than a 64th saved so far, counting what deflate still holds.
    static bool Incompressible(z_stream& stream)
    {
        unsigned pending = 0;
        int bits = 0;
        deflatePending(&stream, &pending, &bits);
        const std::uint64_t packed = std::uint64_t(stream.total_out) + pending;
        return packed * 64 >= std::uint64_t(stream.total_in) * 63;
    }

    Result Told(std::uint64_t bytes)
    {
        told_ += bytes;
        return read_ && !read_(bytes) ? Result::Cancelled : Result::Ok;
    }

    ZipFile& source_;
    PackedData& data_;
    Entry& entry_;
    const ReadHandler& read_;
    std::unique_ptr<std::uint8_t[]> input_;
    std::uint64_t told_ = 0;
};

// The header fields that come from the name and the file: name bytes, flags, time and attributes.
void DescribeEntry(ZipFile& source, const std::string& storedName, CentralRecord& record)
{
    Entry& entry = record.entry;
    bool utf8 = false;
    record.rawName = EncodeName(storedName, utf8);
    entry.name = storedName;
    entry.flags = utf8 ? kFlagUtf8 : 0;
    FILETIME written{};
    ::GetFileTime(source.Handle(), nullptr, nullptr, &written);
    ToDosTime(written, entry.dosTime, entry.dosDate);
    BY_HANDLE_FILE_INFORMATION information{};
    entry.attributes = kUnixFileMode | (::GetFileInformationByHandle(source.Handle(), &information)
                                            ? information.dwFileAttributes & 0x27u // read-only, hidden, system, archive
                                            : FILE_ATTRIBUTE_ARCHIVE);
}

Result PackData(ZipFile& source, int level, const ReadHandler& read, PackedEntry& packed)
{
    EntryPacker packer(source, packed.data, packed.record.entry, read);
    const Entry& entry = packed.record.entry;
    bool gaveUp = false;
    Result result = level > 0 && source.Size() > 0 ? packer.Deflate(level, gaveUp) : packer.Store();
    // Data that deflating does not shrink (pictures and sounds packed already) is stored as it is.
    if (result == Result::Ok && (gaveUp || (entry.method == 8 && entry.packedSize >= entry.size)))
        result = packed.data.Clear() && source.Seek(0) ? packer.Store() : Result::CannotWrite;
    return result;
}

} // namespace

PackedData::PackedData(const std::string& spillFolder, size_t memoryLimit)
    : spillFolder_(spillFolder), memoryLimit_(memoryLimit)
{
}

PackedData::~PackedData()
{
    if (spill_.IsOpen()) {
        spill_.Close();
        ::DeleteFileA(spillPath_.c_str());
    }
}

bool PackedData::Write(const void* data, size_t size)
{
    if (size == 0)
        return true;
    if (!spill_.IsOpen() && memory_.size() + size > memoryLimit_ && !Spill())
        return false;
    if (spill_.IsOpen()) {
        if (!spill_.Write(data, size))
            return false;
    } else {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        memory_.insert(memory_.end(), bytes, bytes + size);
    }
    size_ += size;
    return true;
}

// Moves what memory holds into a new spill file, which takes the rest.
bool PackedData::Spill()
{
    char path[MAX_PATH] = "";
    if (!::GetTempFileNameA(spillFolder_.c_str(), "zip", 0, path))
        return false;
    spillPath_ = path;
    if (!spill_.Create(spillPath_)) {
        ::DeleteFileA(spillPath_.c_str());
        return false;
    }
    const bool moved = spill_.Write(memory_);
    std::vector<std::uint8_t>().swap(memory_);
    return moved;
}

bool PackedData::Clear()
{
    memory_.clear();
    size_ = 0;
    return !spill_.IsOpen() || (spill_.Seek(0) && spill_.Truncate());
}

bool PackedData::CopyTo(const std::function<bool(const void* data, size_t size)>& write)
{
    if (!spill_.IsOpen())
        return memory_.empty() || write(memory_.data(), memory_.size());
    if (!spill_.Seek(0))
        return false;
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[kChunk]);
    for (std::uint64_t left = size_; left > 0;) {
        const size_t part = static_cast<size_t>(std::min<std::uint64_t>(left, kChunk));
        if (!spill_.Read(buffer.get(), part) || !write(buffer.get(), part))
            return false;
        left -= part;
    }
    return true;
}

void PackEntry(const std::string& sourcePath, const std::string& storedName, int level, const ReadHandler& read,
               PackedEntry& packed)
{
    ZipFile source;
    if (!source.OpenRead(sourcePath)) {
        packed.result = Result::CannotOpen;
        return;
    }
    if (source.Size() > kLargest - 1) {
        packed.result = Result::TooLarge;
        return;
    }
    DescribeEntry(source, storedName, packed.record);
    packed.result = PackData(source, level, read, packed);
}

} // namespace zip
