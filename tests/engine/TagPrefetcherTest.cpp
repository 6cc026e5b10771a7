#include "engine/naming/TagPrefetcher.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace nameshift::engine {
namespace {

// Holds the first file of the batch in its reading thread's hands until the test lets it go, and
// counts the other files read meanwhile, by itself and its clones; each file's album is its name.
class HeldFirstFile final : public TagReader {
public:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        bool held = true;
        std::size_t others = 0;
        bool woken = false;
    };

    explicit HeldFirstFile(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

    TagTexts read(const std::string& path) override {
        const std::string name = path.substr(path.rfind('/') + 1);
        std::unique_lock<std::mutex> lock(shared_->mutex);
        if (name == "0") {
            shared_->changed.wait(lock, [&] { return !shared_->held; });
        } else {
            ++shared_->others;
            shared_->changed.notify_all();
        }
        return TagTexts{"Album " + name};
    }
    std::unique_ptr<TagReader> clone() const override {
        return std::make_unique<HeldFirstFile>(shared_);
    }

private:
    std::shared_ptr<Shared> shared_;
};

TEST(TagPrefetcherTest, NamesBecomeReadyInBatchOrderWhicheverThreadReadsThem) {
    const auto shared = std::make_shared<HeldFirstFile::Shared>();
    std::vector<std::string> names;
    names.reserve(8);
    for (int i = 0; i < 8; ++i) {
        names.push_back(std::to_string(i));
    }
    TagPrefetcher prefetcher(
        std::make_unique<HeldFirstFile>(shared),
        [&](std::uint64_t) {
            const std::lock_guard<std::mutex> lock(shared->mutex);
            shared->woken = true;
            shared->changed.notify_all();
        },
        2);
    const std::shared_ptr<const PrefetchedTags> batch =
        prefetcher.start(TagNamer({settings::Id3RenameMode::AllOrRules, "%1"},
                                  std::string(settings::kDefaultDateFormat)),
                         "/nowhere", names);
    std::unique_lock<std::mutex> lock(shared->mutex);
    // The other thread reads every file after the one held.
    shared->changed.wait(lock, [&] { return shared->others == names.size() - 1; });
    EXPECT_EQ(batch->readyCount(), 0U);
    batch->wakeAt(names.size());
    shared->held = false;
    shared->changed.notify_all();
    shared->changed.wait(lock, [&] { return shared->woken; });
    ASSERT_EQ(batch->readyCount(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(batch->at(i).name, "Album " + names[i]);
        EXPECT_TRUE(batch->at(i).complete);
    }
}

}  // namespace
}  // namespace nameshift::engine
