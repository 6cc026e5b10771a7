#include "engine/contents/CachedTagReader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "engine/naming/TagNaming.h"

namespace nameshift::engine {
namespace {

// Counts what it is asked, with its clones, and names every file alike.
class CountingTagReader final : public TagReader {
public:
    explicit CountingTagReader(std::shared_ptr<int> asked) : asked_(std::move(asked)) {}

    TagTexts read(const std::string& /*path*/) override {
        ++*asked_;
        return {"Album"};
    }
    FileTimes times(const std::string& /*path*/) override {
        ++*asked_;
        return {1715941800, std::nullopt};
    }
    std::optional<std::tm> taken(const std::string& /*path*/) override {
        ++*asked_;
        std::tm date{};
        date.tm_mday = 1;
        date.tm_year = 121;
        return date;
    }
    std::unique_ptr<TagReader> clone() const override {
        return std::make_unique<CountingTagReader>(asked_);
    }

private:
    std::shared_ptr<int> asked_;
};

struct Fixture {
    testing::TempDir dir;
    std::shared_ptr<int> asked = std::make_shared<int>(0);
    CachedTagReader reader{std::make_unique<CountingTagReader>(asked), 1};

    // What a keystroke costs: the names of `files` once more, by tag and both dates.
    std::vector<std::string> pass(TagReader& tags, const std::vector<std::string>& files) const {
        std::vector<PlannedChange> changes;
        changes.reserve(files.size());
        for (const std::string& name : files) {
            changes.push_back({changes.size(), name, name});
        }
        applyTagNaming({settings::Id3RenameMode::AllOrRules, "%1 %m %t"}, tags, dir.path(),
                       changes);
        std::vector<std::string> names;
        names.reserve(changes.size());
        for (const PlannedChange& change : changes) {
            names.push_back(change.newName);
        }
        return names;
    }
};

void setModified(const std::string& path, std::time_t when) {
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

struct ChangeCase {
    const char* label;
    std::function<void(const testing::TempDir&)> change;
    int askedAgain;  // of the reader behind the cache, on the second pass
    bool byClone = false;
};

void PrintTo(const ChangeCase& c, std::ostream* os) {
    *os << c.label;
}

class CachedTagReaderTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(CachedTagReaderTest, ReadsAgainOnlyWhatChanged) {
    Fixture f;
    f.dir.write("song.mp3", "tagged");
    f.dir.write("other.mp3", "tagged");
    const std::vector<std::string> files = {"song.mp3", "other.mp3"};
    const std::vector<std::string> first = f.pass(f.reader, files);
    ASSERT_EQ(*f.asked, 6);
    GetParam().change(f.dir);
    const std::unique_ptr<TagReader> clone = f.reader.clone();
    EXPECT_EQ(f.pass(GetParam().byClone ? *clone : f.reader, files), first);
    EXPECT_EQ(*f.asked - 6, GetParam().askedAgain);
}

INSTANTIATE_TEST_SUITE_P(
    Passes, CachedTagReaderTest,
    ::testing::Values(
        ChangeCase{"NothingChanged", [](const testing::TempDir&) {}, 0},
        ChangeCase{"NothingChangedReadByAClone", [](const testing::TempDir&) {}, 0, true},
        ChangeCase{"Grown", [](const testing::TempDir& d) { d.write("song.mp3", "tagged!"); }, 3},
        ChangeCase{"Touched",
                   [](const testing::TempDir& d) { setModified(d.file("song.mp3"), 1715941800); },
                   3},
        ChangeCase{"ReplacedBySameSizedFile",
                   [](const testing::TempDir& d) {
                       d.write("new.mp3", "TAGGED");
                       setModified(d.file("new.mp3"), 1715941800);
                       setModified(d.file("song.mp3"), 1715941800);
                       ASSERT_EQ(std::rename(d.file("new.mp3").c_str(), d.file("song.mp3").c_str()),
                                 0);
                   },
                   3},
        ChangeCase{"Removed",
                   [](const testing::TempDir& d) { std::remove(d.file("song.mp3").c_str()); }, 3}),
    [](const auto& row) { return std::string(row.param.label); });

// One file kept a generation: the two files asked for last are kept, the one before is read
// again; what is no regular file is never kept.
TEST(CachedTagReaderBoundTest, KeepsTheLatestFilesOnly) {
    Fixture f;
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) {
        f.dir.write(name, "tagged");
    }
    f.dir.makeDirectory("folder.mp3");
    f.pass(f.reader, {"a.mp3", "b.mp3", "c.mp3"});
    f.pass(f.reader, {"c.mp3", "b.mp3"});
    EXPECT_EQ(*f.asked, 9);
    f.pass(f.reader, {"a.mp3"});
    EXPECT_EQ(*f.asked, 12);
    f.pass(f.reader, {"folder.mp3", "folder.mp3"});
    EXPECT_EQ(*f.asked, 18);
}

}  // namespace
}  // namespace nameshift::engine
