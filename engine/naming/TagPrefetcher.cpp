#include "engine/naming/TagPrefetcher.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace nameshift::engine {

PrefetchedTags::PrefetchedTags(std::uint64_t generation, TagNamer namer, std::string directory,
                               std::vector<std::string> names)
    : generation_(generation),
      namer_(std::move(namer)),
      directory_(std::move(directory)),
      names_(std::move(names)),
      tagNames_(names_.size()),
      read_(names_.size(), false) {}

std::optional<std::size_t> PrefetchedTags::take() {
    const std::size_t position = taken_.fetch_add(1);
    return position < names_.size() ? std::optional(position) : std::nullopt;
}

std::optional<std::size_t> PrefetchedTags::markRead(std::size_t position) {
    const std::lock_guard<std::mutex> lock(readMutex_);
    read_[position] = true;
    std::size_t ready = ready_.load(std::memory_order_relaxed);
    // A file read ahead of one still in another thread's hands waits for it: the names before
    // the count are all there is to take.
    if (position != ready) {
        return std::nullopt;
    }
    while (ready < read_.size() && read_[ready]) {
        ++ready;
    }
    // Its name, and those of the files read by the other threads, were written before their
    // threads let go of the lock this one holds: whoever sees the count sees them.
    ready_.store(ready);
    return ready;
}

TagPrefetcher::TagPrefetcher(std::unique_ptr<TagReader> reader, Woken woken, std::size_t threads)
    : woken_(std::move(woken)) {
    threads = std::max<std::size_t>(threads, 1);
    readers_.reserve(threads);
    readers_.push_back(std::move(reader));
    // Made here, before any thread reads through the first.
    while (readers_.size() < threads) {
        std::unique_ptr<TagReader> clone = readers_.front()->clone();
        if (!clone) {
            break;
        }
        readers_.push_back(std::move(clone));
    }
    threads_.reserve(readers_.size());
}

TagPrefetcher::~TagPrefetcher() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
        cancelLocked();
    }
    wanted_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

std::shared_ptr<const PrefetchedTags> TagPrefetcher::start(TagNamer namer, std::string directory,
                                                           std::vector<std::string> names) {
    std::shared_ptr<PrefetchedTags> batch;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        cancelLocked();
        batch = std::make_shared<PrefetchedTags>(++generation_, std::move(namer),
                                                 std::move(directory), std::move(names));
        current_ = batch;
        // Started with the first batch: a window that never names by tags has no threads.
        if (threads_.empty()) {
            startThreads();
        }
    }
    wanted_.notify_all();
    return batch;
}

void TagPrefetcher::startThreads() {
    for (const std::unique_ptr<TagReader>& reader : readers_) {
        try {
            threads_.emplace_back([this, &reader = *reader] { run(reader); });
        } catch (const std::system_error&) {
            // Fewer threads read as well, if slower; none at all is for the caller to handle.
            if (threads_.empty()) {
                throw;
            }
            return;
        }
    }
}

void TagPrefetcher::stop() {
    const std::lock_guard<std::mutex> lock(mutex_);
    cancelLocked();
}

void TagPrefetcher::cancelLocked() {
    if (current_) {
        current_->cancelled_ = true;
        current_.reset();
    }
}

void TagPrefetcher::run(TagReader& reader) {
    // The batch this thread took its share of last; no start() gives generation 0.
    std::uint64_t done = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        wanted_.wait(lock, [&] { return quit_ || (current_ && current_->generation_ != done); });
        if (quit_) {
            return;
        }
        const std::shared_ptr<PrefetchedTags> batch = current_;
        done = batch->generation_;
        lock.unlock();
        read(reader, *batch);
        lock.lock();
        // Every file of it is taken: the threads still reading one hold the batch themselves.
        if (current_ == batch) {
            current_.reset();
        }
    }
}

void TagPrefetcher::read(TagReader& reader, PrefetchedTags& batch) {
    while (!batch.cancelled_) {
        const std::optional<std::size_t> position = batch.take();
        if (!position) {
            return;
        }
        std::optional<std::size_t> ready;
        try {
            batch.tagNames_[*position] =
                batch.namer_.read(reader, batch.directory_, batch.names_[*position]);
            ready = batch.markRead(*position);
        } catch (...) {
            // The other threads stop too: the names after this one would never be ready.
            batch.cancelled_ = true;
            if (!batch.abandoned_.exchange(true)) {
                woken_(batch.generation_);
            }
            return;
        }
        if (!ready) {
            continue;
        }
        // The count is asked for before the ready names are looked at again, so either this
        // sees the request or the asker sees these names.
        std::size_t wanted = batch.wakeAt_.load();
        if (*ready >= wanted &&
            batch.wakeAt_.compare_exchange_strong(wanted, PrefetchedTags::kNoWake)) {
            woken_(batch.generation_);
        }
    }
}

}  // namespace nameshift::engine
