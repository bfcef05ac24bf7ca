// Packing one file apart from the archive, so that several files are deflated at once and the
// archive writer only copies each entry's finished data into place, in order.
#pragma once
#include "components/ZipRecords.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zip {

// One entry's packed data until the writer takes it: in memory up to a limit, the rest of a larger
// entry in a spill file (a temporary file in the given folder, deleted with the object), so that a
// large file is never held whole in memory.
class PackedData {
public:
    PackedData(const std::string& spillFolder, size_t memoryLimit);
    ~PackedData();
    PackedData(const PackedData&) = delete;
    PackedData& operator=(const PackedData&) = delete;

    // Room for this many bytes (at most the memory limit), so that memory grows once.
    void Reserve(std::uint64_t size);
    bool Write(const void* data, size_t size);
    // Drops what was written (a file deflated first and then stored after all).
    bool Clear();
    std::uint64_t Size() const { return size_; }
    bool Spilled() const { return spill_.IsOpen(); }
    // Hands the data to the writer in runs, in order; false when a run fails.
    bool CopyTo(const std::function<bool(const void* data, size_t size)>& write);

private:
    bool Spill();

    std::string spillFolder_;
    size_t memoryLimit_;
    std::vector<std::uint8_t> memory_;
    std::string spillPath_;
    ZipFile spill_;
    std::uint64_t size_ = 0;
};

// One file made ready for the archive: its central record (everything but the offset, which the
// writer knows) and its data.
struct PackedEntry {
    PackedEntry(const std::string& spillFolder, size_t memoryLimit) : data(spillFolder, memoryLimit) {}

    Result result = Result::Ok;
    records::CentralRecord record;
    PackedData data;
};

// What a packing thread keeps from one file to the next: zlib's state at one level and the buffers,
// so that a small file costs no large allocations.
class PackingBuffers {
public:
    explicit PackingBuffers(int level);
    ~PackingBuffers();
    PackingBuffers(const PackingBuffers&) = delete;
    PackingBuffers& operator=(const PackingBuffers&) = delete;

    struct State;
    State& Get() { return *state_; }

private:
    std::unique_ptr<State> state_;
};

// Told the bytes of the file read since the last call; false stops the packing (Result::Cancelled).
using ReadHandler = std::function<bool(std::uint64_t bytes)>;

// Packs the file under the stored name: deflated at the buffers' level (0 stores), or stored when
// deflating does not shrink it. Every byte of the file is told once, also when a file is deflated
// first and stored after all.
void PackEntry(const std::string& sourcePath, const std::string& storedName, PackingBuffers& buffers,
               const ReadHandler& read, PackedEntry& packed);

} // namespace zip
