#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/contents/TagReader.h"
#include "engine/naming/TagNaming.h"

namespace nameshift::engine {

// The tag names of a batch's files in batch order, as a TagPrefetcher reads them: the first
// readyCount() may be taken on any thread, while the reader fills in the ones after.
class PrefetchedTags {
public:
    PrefetchedTags(std::uint64_t generation, TagNamer namer, std::string directory,
                   std::vector<std::string> names);

    // Which start() of its prefetcher made it, so that word of an older batch can be told apart.
    std::uint64_t generation() const { return generation_; }
    std::size_t size() const { return names_.size(); }
    std::size_t readyCount() const { return ready_.load(); }
    // Only below readyCount().
    const TagName& at(std::size_t position) const { return tagNames_[position]; }
    // The reader gave up on the batch, out of memory: whoever waits for it reads the rest.
    bool abandoned() const { return abandoned_.load(); }
    // Has the prefetcher call back once `count` names are ready or it gives up. Names ready
    // before may not call back: the asker looks at readyCount() again after asking.
    void wakeAt(std::size_t count) const { wakeAt_.store(count); }

private:
    friend class TagPrefetcher;
    static constexpr std::size_t kNoWake = std::numeric_limits<std::size_t>::max();

    std::uint64_t generation_;
    TagNamer namer_;
    std::string directory_;
    std::vector<std::string> names_;
    std::vector<TagName> tagNames_;
    std::atomic<std::size_t> ready_{0};
    mutable std::atomic<std::size_t> wakeAt_{kNoWake};
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> abandoned_{false};
};

// Reads the tags of a batch's files in batch order on a thread of its own, with a reader no other
// thread uses, so that whoever plans the names never waits for a slow disk. A new batch replaces
// the one being read, which is dropped after the file in hand; the thread ends with the
// prefetcher.
class TagPrefetcher {
public:
    // Called on the reading thread when a batch reaches the count asked for by wakeAt() or is
    // abandoned.
    using Woken = std::function<void(std::uint64_t generation)>;

    TagPrefetcher(std::unique_ptr<TagReader> reader, Woken woken);
    TagPrefetcher(const TagPrefetcher&) = delete;
    TagPrefetcher& operator=(const TagPrefetcher&) = delete;
    ~TagPrefetcher();

    // Starts reading `names` in `directory` as `namer` needs them, in their order.
    std::shared_ptr<const PrefetchedTags> start(TagNamer namer, std::string directory,
                                                std::vector<std::string> names);
    // Reads no more of any batch started so far; never waits for the file in hand.
    void stop();

private:
    void run();
    void read(PrefetchedTags& batch);
    void cancelLocked();

    std::unique_ptr<TagReader> reader_;  // the reading thread's alone
    Woken woken_;
    std::mutex mutex_;
    std::condition_variable wanted_;
    std::shared_ptr<PrefetchedTags> next_;     // started, not yet taken up by the thread
    std::shared_ptr<PrefetchedTags> reading_;  // the one the thread reads
    std::uint64_t generation_ = 0;
    bool quit_ = false;
    std::thread thread_;
};

}  // namespace nameshift::engine
