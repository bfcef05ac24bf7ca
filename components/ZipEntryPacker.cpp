// Packing one file into memory or a spill file: deflated, or stored when deflating does not shrink it.
#include "components/ZipEntryPacker.h"
#include <zlib.h>
#include <algorithm>
#include <memory>

namespace zip {

using namespace records;

namespace {

const size_t kChunk = 256 * 1024;
// A file larger than this is tried on its first bytes before it is deflated whole.
const size_t kTrial = 64 * 1024;
// Sizes are 32-bit without ZIP64.
const std::uint64_t kLargest = 0xFFFFFFFFu;

// Less than a 64th saved.
bool Incompressible(std::uint64_t packed, std::uint64_t size)
{
    return packed * 64 >= size * 63;
}

} // namespace

struct PackingBuffers::State {
    int level = 0;
    z_stream stream{};   // at the level; ready when level > 0 and zlib started
    bool streamReady = false;
    z_stream trial{};    // the fastest level, for the trial of a file's first bytes
    bool trialReady = false;
    std::unique_ptr<std::uint8_t[]> input{new std::uint8_t[kChunk]};
    std::unique_ptr<std::uint8_t[]> packed{new std::uint8_t[kChunk]};
};

PackingBuffers::PackingBuffers(int level) : state_(new State)
{
    state_->level = level;
    if (level <= 0)
        return;
    // The largest hash table (memory level 9) deflates faster and a little smaller than the default.
    state_->streamReady = deflateInit2(&state_->stream, level, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) == Z_OK;
    state_->trialReady = deflateInit2(&state_->trial, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK;
}

PackingBuffers::~PackingBuffers()
{
    if (state_->streamReady)
        deflateEnd(&state_->stream);
    if (state_->trialReady)
        deflateEnd(&state_->trial);
}

namespace {

// One file's data into its packed data; the entry gets the method, the CRC and the sizes.
class EntryPacker {
public:
    EntryPacker(ZipFile& source, PackedData& data, Entry& entry, PackingBuffers::State& buffers,
                const ReadHandler& read)
        : source_(source), data_(data), entry_(entry), buffers_(buffers), read_(read)
    {
    }

    Result Pack()
    {
        if (buffers_.level <= 0 || source_.Size() == 0)
            return Store();
        if (!buffers_.streamReady)
            return Result::CannotWrite;
        data_.Reserve(source_.Size());
        // Pictures and sounds that are packed already do not shrink: when the first bytes of a larger
        // file do not shrink at the fastest level, the file is stored without deflating it.
        const long long got = ReadRun();
        if (got < 0)
            return Result::CannotOpen;
        carried_ = got;
        if (static_cast<std::uint64_t>(got) > kTrial && TrialIncompressible(kTrial))
            return Store();
        const Result result = Deflate();
        if (result != Result::Ok || entry_.packedSize < entry_.size)
            return result;
        // Deflating did not make it smaller after all.
        return data_.Clear() && source_.Seek(0) ? Store() : Result::CannotWrite;
    }

private:
    // The next run of the file: the one read ahead for the trial, else a new one. -1 on failure.
    long long ReadRun()
    {
        if (carried_ >= 0) {
            const long long run = carried_;
            carried_ = -1;
            return run;
        }
        return source_.ReadSome(buffers_.input.get(), kChunk);
    }

    bool TrialIncompressible(size_t size)
    {
        z_stream& trial = buffers_.trial;
        if (!buffers_.trialReady || deflateReset(&trial) != Z_OK)
            return false;
        trial.next_in = buffers_.input.get();
        trial.avail_in = static_cast<uInt>(size);
        trial.next_out = buffers_.packed.get();
        trial.avail_out = static_cast<uInt>(kChunk);
        return deflate(&trial, Z_FINISH) == Z_STREAM_END && Incompressible(trial.total_out, size);
    }

    Result Deflate()
    {
        z_stream& stream = buffers_.stream;
        if (deflateReset(&stream) != Z_OK)
            return Result::CannotWrite;
        std::uint8_t* const input = buffers_.input.get();
        std::uint8_t* const packed = buffers_.packed.get();
        uLong crc = crc32(0L, Z_NULL, 0);
        std::uint64_t size = 0;
        for (bool last = false; !last;) {
            const long long got = ReadRun();
            if (got < 0)
                return Result::CannotOpen;
            last = got == 0;
            crc = crc32(crc, input, static_cast<uInt>(got));
            size += static_cast<std::uint64_t>(got);
            stream.next_in = input;
            stream.avail_in = static_cast<uInt>(got);
            do {
                stream.next_out = packed;
                stream.avail_out = static_cast<uInt>(kChunk);
                deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
                if (!data_.Write(packed, kChunk - stream.avail_out))
                    return Result::CannotWrite;
            } while (stream.avail_out == 0);
            const Result told = Told(static_cast<std::uint64_t>(got));
            if (told != Result::Ok)
                return told;
            if (size > kLargest - 1 || data_.Size() > kLargest)
                return Result::TooLarge;
        }
        entry_.method = 8;
        entry_.crc = static_cast<std::uint32_t>(crc);
        entry_.size = static_cast<std::uint32_t>(size);
        entry_.packedSize = static_cast<std::uint32_t>(data_.Size());
        return Result::Ok;
    }

    // Copies the file as it stands from the next run on; bytes told by an earlier Deflate are not
    // told again.
    Result Store()
    {
        const std::uint64_t counted = told_;
        std::uint8_t* const input = buffers_.input.get();
        uLong crc = crc32(0L, Z_NULL, 0);
        for (;;) {
            const long long got = ReadRun();
            if (got < 0)
                return Result::CannotOpen;
            if (got == 0)
                break;
            crc = crc32(crc, input, static_cast<uInt>(got));
            if (!data_.Write(input, static_cast<size_t>(got)))
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

    Result Told(std::uint64_t bytes)
    {
        told_ += bytes;
        return read_ && !read_(bytes) ? Result::Cancelled : Result::Ok;
    }

    ZipFile& source_;
    PackedData& data_;
    Entry& entry_;
    PackingBuffers::State& buffers_;
    const ReadHandler& read_;
    long long carried_ = -1; // the size of a run read ahead and not yet used, else -1
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

void PackedData::Reserve(std::uint64_t size)
{
    if (!spill_.IsOpen())
        memory_.reserve(static_cast<size_t>(std::min<std::uint64_t>(size, memoryLimit_)));
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

void PackEntry(const std::string& sourcePath, const std::string& storedName, PackingBuffers& buffers,
               const ReadHandler& read, PackedEntry& packed)
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
    packed.result = EntryPacker(source, packed.data, packed.record.entry, buffers.Get(), read).Pack();
}

} // namespace zip
