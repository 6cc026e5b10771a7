#include "engine/contents/CachedTagReader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "TempDir.h"
#include "engine/naming/TagNaming.h"
#include "engine/naming/TagPrefetcher.h"

namespace nameshift::engine {
namespace {

// Counts what it is asked, with its clones on any thread, and names every file alike.
class CountingTagReader final : public TagReader {
public:
    explicit CountingTagReader(std::shared_ptr<std::atomic<int>> asked)
        : asked_(std::move(asked)) {}
    TagTexts read(const std::string& /*path*/) override { return counted(TagTexts{"Album"}); }
    FileTimes times(const std::string& /*path*/) override { return counted(FileTimes{86400, 0}); }
    std::optional<std::tm> taken(const std::string& /*path*/) override {
        std::tm date{};
        date.tm_mday = 1;
        return counted(date);
    }
    std::optional<std::string> fact(const std::string& /*path*/, MediaFact which) override {
        return counted(std::optional<std::string>(which == MediaFact::Camera      ? "Cam"
                                                  : which == MediaFact::PixelSize ? "2x1"
                                                                                  : "0.01"));
    }
    std::unique_ptr<TagReader> clone() const override {
        return std::make_unique<CountingTagReader>(asked_);
    }

private:
    template <typename Value>
    Value counted(Value value) {
        ++*asked_;
        return value;
    }

    std::shared_ptr<std::atomic<int>> asked_;
};

struct Fixture {
    testing::TempDir dir;
    std::shared_ptr<std::atomic<int>> asked = std::make_shared<std::atomic<int>>(0);
    CachedTagReader reader{std::make_unique<CountingTagReader>(asked), 1};
    // By a tag, two dates and the three facts, each kept apart.
    settings::Id3Naming naming{settings::Id3RenameMode::AllOrRules, "%1 %m %t %c %x %d"};

    // What a keystroke costs: the names of `files` once more.
    std::vector<std::string> pass(const std::vector<std::string>& files, TagReader* by = nullptr) {
        std::vector<PlannedChange> changes;
        for (const std::string& name : files) {
            changes.push_back({changes.size(), name, name});  // NOLINT(*-inefficient-vector-*)
        }
        applyTagNaming(naming, by != nullptr ? *by : reader, dir.path(), changes);
        return {changes.front().newName, changes.back().newName};
    }

    // The window's first pass: `files` read ahead on the prefetcher's threads, each with a clone.
    void readAhead(const std::vector<std::string>& files) {
        std::mutex mutex;
        std::condition_variable woken;
        bool done = false;
        TagPrefetcher prefetcher(reader.clone(), [&](std::uint64_t) {
            const std::lock_guard<std::mutex> lock(mutex);
            done = true;
            woken.notify_one();
        });
        const std::shared_ptr<const PrefetchedTags> batch = prefetcher.start(
            TagNamer(naming, std::string(settings::kDefaultDateFormat)), dir.path(), files);
        batch->wakeAt(files.size());
        std::unique_lock<std::mutex> lock(mutex);
        woken.wait(lock, [&] { return done || batch->readyCount() == files.size(); });
    }
};

void setModified(const testing::TempDir& dir, const char* name) {
    const timespec times[2] = {{86400, 0}, {86400, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.file(name).c_str(), times, 0), 0);
}

struct ChangeCase {
    const char* label;
    std::function<void(const testing::TempDir&)> change;
    int askedAgain;  // of the reader behind the cache, on the second pass
    bool byClone = false;
    bool readAhead = false;  // the first pass made by the prefetcher, then a keystroke's
};

void PrintTo(const ChangeCase& c, std::ostream* os) {
    *os << c.label;
}

class CachedTagReaderTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(CachedTagReaderTest, ReadsAgainOnlyWhatChanged) {
    Fixture f;
    f.dir.write("song.mp3", "tagged");
    f.dir.write("other.mp3", "tagged");
    if (GetParam().readAhead) {
        f.readAhead({"song.mp3", "other.mp3"});
        ASSERT_EQ(*f.asked, 12);
    }
    const std::vector<std::string> first = f.pass({"song.mp3", "other.mp3"});
    ASSERT_EQ(*f.asked, 12);
    GetParam().change(f.dir);
    const std::unique_ptr<TagReader> clone = f.reader.clone();
    EXPECT_EQ(f.pass({"song.mp3", "other.mp3"}, GetParam().byClone ? clone.get() : nullptr), first);
    EXPECT_EQ(*f.asked - 12, GetParam().askedAgain);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, CachedTagReaderTest,
    ::testing::Values(
        ChangeCase{"NothingChanged", [](const testing::TempDir&) {}, 0},
        ChangeCase{"NothingChangedReadByAClone", [](const testing::TempDir&) {}, 0, true},
        ChangeCase{"NothingChangedReadAhead", [](const testing::TempDir&) {}, 0, false, true},
        ChangeCase{"TouchedAfterReadingAhead",
                   [](const testing::TempDir& d) { setModified(d, "song.mp3"); }, 6, false, true},
        ChangeCase{"Grown", [](const testing::TempDir& d) { d.write("song.mp3", "tagged!"); }, 6},
        ChangeCase{"Touched", [](const testing::TempDir& d) { setModified(d, "song.mp3"); }, 6},
        ChangeCase{"ReplacedBySameSizedFile",
                   [](const testing::TempDir& d) {
                       d.write("new.mp3", "TAGGED");
                       setModified(d, "new.mp3");
                       setModified(d, "song.mp3");
                       std::rename(d.file("new.mp3").c_str(), d.file("song.mp3").c_str());
                   },
                   6},
        ChangeCase{"Removed",
                   [](const testing::TempDir& d) { std::remove(d.file("song.mp3").c_str()); }, 6}),
    [](const auto& row) { return std::string(row.param.label); });

// One file kept a generation: the two files asked for last are kept, the one before is read
// again; what is no regular file is never kept.
TEST(CachedTagReaderBoundTest, KeepsTheLatestFilesOnly) {
    Fixture f;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
        f.dir.write(name, "tagged");
    }
    f.dir.makeDirectory("folder.mp3");
    f.pass({"a.mp3", "b.mp3", "c.mp3"});
    f.pass({"c.mp3", "b.mp3"});
    EXPECT_EQ(*f.asked, 18);
    f.pass({"a.mp3"});
    EXPECT_EQ(*f.asked, 24);
    f.pass({"folder.mp3", "folder.mp3"});
    EXPECT_EQ(*f.asked, 36);
}

}  // namespace
}  // namespace nameshift::engine
