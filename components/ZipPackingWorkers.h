// Worker threads that pack the entries of an archive ahead of its writer, several at once, while the
// writer takes them one after another in their order.
#pragma once
#include "components/ZipEntryPacker.h"
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zip {

// Owned by the archive writer for one packing. An entry is started only while fewer than `window`
// entries are started and not yet released, so memory stays bounded however many files there are
// and however slow the writing is. Destroying the workers cancels what is left and waits for the
// threads, so every packed entry (and its spill file) is gone by then.
class PackingWorkers {
public:
    // Packs entry `index` on worker `worker` (0 to threads - 1: what a worker keeps is its own),
    // telling the bytes read through the handler.
    using PackFunction =
        std::function<std::unique_ptr<PackedEntry>(size_t index, int worker, const ReadHandler& read)>;

    // Starts up to `threads` threads (fewer when the system gives fewer: with none, WaitFor packs as
    // worker 0).
    PackingWorkers(size_t count, int threads, size_t window, PackFunction pack);
    ~PackingWorkers();
    PackingWorkers(const PackingWorkers&) = delete;
    PackingWorkers& operator=(const PackingWorkers&) = delete;

    // Waits until entry `index` is packed; meanwhile `waiting` is told the bytes of that entry read so
    // far, each time they grew. Null when `waiting` returned false (everything still running stops
    // then), or when the packing ran out of memory.
    PackedEntry* WaitFor(size_t index, const std::function<bool(std::uint64_t read)>& waiting);
    // The writer is done with the entry: its memory goes, and a further entry may start.
    void Release(size_t index);

private:
    void Work(int worker);
    void Cancel();
    // Starts the next entry and packs it on the calling thread; the lock is held again after.
    void PackNext(int worker, std::unique_lock<std::mutex>& lock);

    const size_t count_;
    const size_t window_;
    PackFunction pack_;

    std::mutex mutex_;
    std::condition_variable startable_; // an entry may start, or everything stops
    std::condition_variable progress_;  // bytes were read, or an entry is done
    std::vector<std::unique_ptr<PackedEntry>> done_;
    std::vector<char> finished_;
    std::unique_ptr<std::atomic<std::uint64_t>[]> read_;
    size_t next_ = 0;      // the first entry not yet started
    size_t released_ = 0;  // entries the writer is done with
    std::atomic<bool> cancelled_{false};
    std::vector<std::thread> threads_;
};

} // namespace zip
