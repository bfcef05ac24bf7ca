// Packing entries on worker threads within a window ahead of the writer.
#include "components/ZipPackingWorkers.h"
#include <algorithm>
#include <system_error>

namespace zip {

PackingWorkers::PackingWorkers(size_t count, int threads, size_t window, PackFunction pack)
    : count_(count), window_(std::max<size_t>(1, window)), pack_(std::move(pack)), done_(count), finished_(count, 0),
      read_(new std::atomic<std::uint64_t>[count])
{
    for (size_t i = 0; i < count; ++i)
        read_[i] = 0;
    const size_t wanted = std::min<size_t>(static_cast<size_t>(std::max(1, threads)), count);
    try {
        while (threads_.size() < wanted) {
            const int worker = static_cast<int>(threads_.size());
            threads_.emplace_back([this, worker] { Work(worker); });
        }
    } catch (const std::system_error&) {
        // Fewer threads than asked for: the ones started share the work.
    }
}

PackingWorkers::~PackingWorkers()
{
    Cancel();
    for (std::thread& thread : threads_)
        thread.join();
}

void PackingWorkers::Cancel()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        cancelled_ = true;
    }
    startable_.notify_all();
    progress_.notify_all();
}

void PackingWorkers::Work(int worker)
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        startable_.wait(lock, [this] { return cancelled_ || next_ >= count_ || next_ < released_ + window_; });
        if (cancelled_ || next_ >= count_)
            return;
        PackNext(worker, lock);
    }
}

void PackingWorkers::PackNext(int worker, std::unique_lock<std::mutex>& lock)
{
    const size_t index = next_++;
    lock.unlock();
    const ReadHandler read = [this, index](std::uint64_t bytes) {
        read_[index] += bytes;
        progress_.notify_all();
        return !cancelled_;
    };
    std::unique_ptr<PackedEntry> entry;
    try {
        entry = pack_(index, worker, read);
    } catch (const std::bad_alloc&) {
        // Left null: the writer reports the archive as not written.
    }
    lock.lock();
    done_[index] = std::move(entry);
    finished_[index] = 1;
    progress_.notify_all();
}

PackedEntry* PackingWorkers::WaitFor(size_t index, const std::function<bool(std::uint64_t read)>& waiting)
{
    std::unique_lock<std::mutex> lock(mutex_);
    std::uint64_t reported = 0;
    for (;;) {
        if (finished_[index])
            return done_[index].get();
        if (threads_.empty() && next_ == index) {
            PackNext(0, lock);
            continue;
        }
        const std::uint64_t read = read_[index];
        if (read == reported) {
            progress_.wait(lock);
            continue;
        }
        reported = read;
        lock.unlock();
        const bool goOn = waiting(read);
        lock.lock();
        if (!goOn) {
            lock.unlock();
            Cancel();
            return nullptr;
        }
    }
}

void PackingWorkers::Release(size_t index)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        done_[index].reset();
        released_ = std::max(released_, index + 1);
    }
    startable_.notify_all();
}

} // namespace zip
