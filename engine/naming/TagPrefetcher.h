#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/contents/TagReader.h"
#include "engine/naming/TagNaming.h"

namespace nameshift::engine {

// The tag names of a batch's files in batch order, as a TagPrefetcher reads them: the first
// readyCount() may be taken on any thread, while the readers fill in the ones after.
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

    // The next position no reading thread has taken yet, or none.
    std::optional<std::size_t> take();
    // Counts `position` read, and with it every read one after the names ready so far; what is
    // ready then, once the count moved.
    std::optional<std::size_t> markRead(std::size_t position);

    std::uint64_t generation_;
    TagNamer namer_;
    std::string directory_;
    std::vector<std::string> names_;
    std::vector<TagName> tagNames_;  // each written by the one thread that took its position
    std::atomic<std::size_t> taken_{0};
    std::mutex readMutex_;
    std::vector<bool> read_;  // under readMutex_, as ready_ is moved
    std::atomic<std::size_t> ready_{0};
    mutable std::atomic<std::size_t> wakeAt_{kNoWake};
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> abandoned_{false};
};

// Reads the tags of a batch's files on threads of its own, each with a reader no other thread
// uses, so that whoever plans the names never waits for a slow disk. The threads take the files
// in batch order, so that several reads are in flight where a card or a share answers each
// slowly, and the names become ready in that order. A new batch replaces the one being read,
// which each thread drops after the file in hand; the threads end with the prefetcher.
class TagPrefetcher {
public:
    // Beyond this, more reads in flight no longer make a card or a share answer sooner, and the
    // threads would only take turns with the window on a local disk.
    static constexpr std::size_t kMostThreads = 4;

    // Called on a reading thread when a batch reaches the count asked for by wakeAt() or is
    // abandoned.
    using Woken = std::function<void(std::uint64_t generation)>;

    // Reads on up to `threads` threads: as many as `reader` gives clones for, itself included.
    TagPrefetcher(std::unique_ptr<TagReader> reader, Woken woken,
                  std::size_t threads = kMostThreads);
    TagPrefetcher(const TagPrefetcher&) = delete;
    TagPrefetcher& operator=(const TagPrefetcher&) = delete;
    ~TagPrefetcher();

    // Starts reading `names` in `directory` as `namer` needs them, in their order.
    std::shared_ptr<const PrefetchedTags> start(TagNamer namer, std::string directory,
                                                std::vector<std::string> names);
    // Reads no more of any batch started so far; never waits for the files in hand.
    void stop();

private:
    void startThreads();
    void run(TagReader& reader);
    void read(TagReader& reader, PrefetchedTags& batch);
    void cancelLocked();

    // One for each thread, made before any thread runs, each used by its thread alone.
    std::vector<std::unique_ptr<TagReader>> readers_;
    Woken woken_;
    std::mutex mutex_;
    std::condition_variable wanted_;
    // The batch being read, until every file of it is taken.
    std::shared_ptr<PrefetchedTags> current_;
    std::uint64_t generation_ = 0;
    bool quit_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace nameshift::engine
