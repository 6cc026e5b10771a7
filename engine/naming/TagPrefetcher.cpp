#include "engine/naming/TagPrefetcher.h"

#include <utility>

namespace nameshift::engine {

PrefetchedTags::PrefetchedTags(std::uint64_t generation, TagNamer namer, std::string directory,
                               std::vector<std::string> names)
    : generation_(generation),
      namer_(std::move(namer)),
      directory_(std::move(directory)),
      names_(std::move(names)),
      tagNames_(names_.size()) {}

TagPrefetcher::TagPrefetcher(std::unique_ptr<TagReader> reader, Woken woken)
    : reader_(std::move(reader)), woken_(std::move(woken)) {}

TagPrefetcher::~TagPrefetcher() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
        cancelLocked();
    }
    wanted_.notify_one();
    if (thread_.joinable()) {
        thread_.join();
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
        next_ = batch;
        // Started with the first batch: a window that never names by tags has no thread.
        if (!thread_.joinable()) {
            thread_ = std::thread([this] { run(); });
        }
    }
    wanted_.notify_one();
    return batch;
}

void TagPrefetcher::stop() {
    const std::lock_guard<std::mutex> lock(mutex_);
    cancelLocked();
}

void TagPrefetcher::cancelLocked() {
    if (reading_) {
        reading_->cancelled_ = true;
    }
    next_.reset();
}

void TagPrefetcher::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        wanted_.wait(lock, [this] { return quit_ || next_; });
        if (quit_) {
            return;
        }
        reading_ = std::move(next_);
        const std::shared_ptr<PrefetchedTags> batch = reading_;
        lock.unlock();
        read(*batch);
        lock.lock();
        if (reading_ == batch) {
            reading_.reset();
        }
    }
}

void TagPrefetcher::read(PrefetchedTags& batch) {
    for (std::size_t position = 0; position < batch.names_.size(); ++position) {
        if (batch.cancelled_) {
            return;
        }
        try {
            batch.tagNames_[position] =
                batch.namer_.read(*reader_, batch.directory_, batch.names_[position]);
        } catch (...) {
            batch.abandoned_ = true;
            woken_(batch.generation_);
            return;
        }
        batch.ready_.store(position + 1);
        // The count is asked for before the ready names are looked at again, so either this
        // sees the request or the asker sees these names.
        std::size_t wanted = batch.wakeAt_.load();
        if (position + 1 >= wanted &&
            batch.wakeAt_.compare_exchange_strong(wanted, PrefetchedTags::kNoWake)) {
            woken_(batch.generation_);
        }
    }
}

}  // namespace nameshift::engine
