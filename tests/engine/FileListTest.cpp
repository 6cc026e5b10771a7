#include "engine/batch/FileList.h"
#include "settings/RenameSettings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"

namespace nameshift::engine {
namespace {

using platform::attribute::kArchive;
using platform::attribute::kFolder;
using platform::attribute::kHidden;
using platform::attribute::kReadOnly;
using platform::attribute::kSystem;
using settings::SortKey;

constexpr std::uint32_t kAllAttributes = kArchive | kHidden | kReadOnly | kSystem;

class FileListTest : public ::testing::Test {
protected:
    std::vector<std::string> rowNames() const {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < list.rowCount(); ++i) {
            names.emplace_back(list.row(i).name);
        }
        return names;
    }
    void setTime(const std::string& name, long seconds, long microseconds = 0) {
        timeval times[2] = {{seconds, microseconds}, {seconds, microseconds}};
        ASSERT_EQ(::utimes(dir.file(name).c_str(), times), 0);
    }
    void fillSortedBy(SortKey key) {
        list.setAttributeMask(kAllAttributes);
        list.setSortKey(key);
        ASSERT_TRUE(list.fill(dir.path()));
    }

    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    FileList list{fs};
};

TEST_F(FileListTest, EmptyDirectoryGivesEmptyListAndStatus) {
    fillSortedBy(SortKey::Name);
    EXPECT_EQ(list.rowCount(), 0u);
    EXPECT_EQ(list.statusText(), "0 file(s) total - 0 selected");
    EXPECT_EQ(list.masks(), std::vector<std::string>{"*.*"});
}

TEST_F(FileListTest, NoAttributeChosenIsRefusedAndEmptiesTheList) {
    dir.write("a.txt");
    fillSortedBy(SortKey::Name);
    ASSERT_EQ(list.rowCount(), 1u);
    list.setAttributeMask(0);
    EXPECT_EQ(list.fill(dir.path()).problem, engine::ListingStatus::Problem::NoAttributes);
    EXPECT_EQ(list.rowCount(), 0u);
    const platform::Message message = engine::noFileAttributeMessage();
    EXPECT_EQ(message.text, "You have to have at least ONE file attribute set!");
    EXPECT_EQ(message.caption, "File Attribute Error");
    EXPECT_EQ(message.icon, platform::Icon::Exclamation);
}

TEST_F(FileListTest, UnreadableDirectoryChangesNothing) {
    dir.write("a.txt");
    fillSortedBy(SortKey::Name);
    fs.fail(testing::FaultyFileSystem::Op::List, EACCES);
    const engine::ListingStatus listed = list.fill(dir.path());
    EXPECT_EQ(listed.problem, engine::ListingStatus::Problem::Unreadable);
    EXPECT_EQ(listed.status.error(), EACCES);
    EXPECT_EQ(rowNames(), std::vector<std::string>{"a.txt"});
}

TEST_F(FileListTest, FiltersByAttributeBitsAndListsFoldersByTheirOwnBitAlone) {
    dir.write("plain.txt");
    dir.write(".hidden.txt");
    dir.write("locked.txt");
    ::chmod(dir.file("locked.txt").c_str(), 0444);
    dir.makeDirectory("folder.d");
    ASSERT_EQ(::mkfifo(dir.file("pipe.fifo").c_str(), 0644), 0);

    list.setSortKey(SortKey::Name);
    list.setAttributeMask(kArchive);
    ASSERT_TRUE(list.fill(dir.path()));
    EXPECT_EQ(rowNames(), (std::vector<std::string>{".hidden.txt", "locked.txt", "plain.txt"}));

    list.setAttributeMask(kSystem);
    ASSERT_TRUE(list.fill(dir.path()));
    EXPECT_EQ(rowNames(), std::vector<std::string>{"pipe.fifo"});

    list.setAttributeMask(kHidden | kReadOnly);
    ASSERT_TRUE(list.fill(dir.path()));
    EXPECT_EQ(rowNames(), (std::vector<std::string>{".hidden.txt", "locked.txt"}));
    // Masks come from every file, listed or not, and never from directories.
    EXPECT_EQ(list.masks(), (std::vector<std::string>{"*.*", "*.fifo", "*.txt"}));

    list.setAttributeMask(kFolder | kReadOnly);
    ASSERT_TRUE(list.fill(dir.path()));
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"folder.d", "locked.txt"}));
    EXPECT_EQ(list.row(0).extension(), ".d") << "as a file's";
    EXPECT_EQ(list.row(0).attributes & (kFolder | kSystem), kFolder | kSystem);
    EXPECT_EQ(list.holderOf("folder.d"), std::optional<std::size_t>(0));
}

// The index of names, let go during a batch, answers from the listing again at the next question.
TEST_F(FileListTest, TellsWhichEntryHoldsANameBeforeAndAfterItsIndexIsLetGo) {
    dir.write("a.txt");
    dir.write("b.txt");
    dir.makeDirectory("d");
    fillSortedBy(SortKey::Name);
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(list.holderOf("b.txt"), std::optional<std::size_t>(1));
        EXPECT_EQ(list.holderOf("d"), std::optional<std::size_t>(FileList::kFolder));
        EXPECT_EQ(list.holderOf("c.txt"), std::nullopt);
        list.forgetNameIndex();
    }
}

// Subfolders come folder by folder in the order of their paths, each sorted by the key, as deep
// as asked; a link to a folder is not entered, and the extension is the last part's own.
TEST_F(FileListTest, ListsSubfoldersToTheirDepthFolderByFolder) {
    dir.write("z.txt", "1234");
    dir.makeDirectory("b");
    dir.write("b/big.txt", "1234");
    dir.write("b/small.txt", "1");
    dir.makeDirectory("a.d");
    dir.write("a.d/README");
    dir.makeDirectory("a.d/deep");
    dir.write("a.d/deep/x.txt");
    ASSERT_EQ(::symlink("b", dir.file("link").c_str()), 0);
    using Names = std::vector<std::string>;
    const std::vector<std::pair<int, Names>> depths = {
        {0, {"z.txt"}},
        {1, {"z.txt", "a.d/README", "b/small.txt", "b/big.txt"}},
        {FileList::kAllLevels,
         {"z.txt", "a.d/README", "a.d/deep/x.txt", "b/small.txt", "b/big.txt"}},
    };
    for (const auto& [depth, names] : depths) {
        list.setSubfolderDepth(depth);
        fillSortedBy(SortKey::Size);
        EXPECT_EQ(rowNames(), names) << depth;
        EXPECT_EQ(list.spansFolders(), depth != 0);
    }
    EXPECT_EQ(list.row(1).extension(), "README");
    EXPECT_EQ(list.masks(), (Names{"*.*", "*.txt"}));
    EXPECT_EQ(list.holderOf("a.d/deep"), std::optional<std::size_t>(FileList::kFolder));
    EXPECT_EQ(list.holderOf("b/big.txt"), std::optional<std::size_t>(4));

    // Folders as entries, each in the list of its own folder; the link is still none.
    list.setAttributeMask(kFolder);
    list.setSortKey(SortKey::Name);
    ASSERT_TRUE(list.fill(dir.path()));
    EXPECT_EQ(rowNames(), (Names{"a.d", "b", "a.d/deep"}));
}

struct FilterCase {
    const char* name;
    std::string include;
    std::string exclude;
    std::vector<std::string> listed;
    // Left out: held by no renamed file. Not read at all: held by nothing.
    std::vector<std::string> leftOut = {};
    std::vector<std::string> notRead = {};

    friend void PrintTo(const FilterCase& c, std::ostream* out) { *out << c.name; }
};

class FileListFilterTest : public FileListTest, public ::testing::WithParamInterface<FilterCase> {};

// Without a slash a pattern is searched in the name alone; with one, in the path.
TEST_P(FileListFilterTest, KeepsWhatIncludeHoldsAndDropsWhatExcludeHolds) {
    for (const char* folder : {"2023", "2024", "2024/05", "cache", "cache/deep"}) {
        dir.makeDirectory(folder);
    }
    for (const char* file : {"top.jpg", "notes.txt", "2023/a.jpg", "2024/b.jpeg", "2024/05/c.JPG",
                             "2024/05/d.txt", "cache/e.jpg", "cache/deep/f.jpg"}) {
        dir.write(file);
    }
    const FilterCase& c = GetParam();
    list.setSubfolderDepth(FileList::kAllLevels);
    list.setFilters(c.include, c.exclude);
    fillSortedBy(SortKey::Name);
    EXPECT_EQ(rowNames(), c.listed);
    for (const std::string& name : c.leftOut) {
        EXPECT_EQ(list.holderOf(name), std::optional<std::size_t>(FileList::kFolder)) << name;
    }
    for (const std::string& name : c.notRead) {
        EXPECT_EQ(list.holderOf(name), std::nullopt) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Listing, FileListFilterTest,
    ::testing::Values(
        FilterCase{"None",
                   "",
                   "",
                   {"notes.txt", "top.jpg", "2023/a.jpg", "2024/b.jpeg", "2024/05/c.JPG",
                    "2024/05/d.txt", "cache/e.jpg", "cache/deep/f.jpg"}},
        FilterCase{"IncludeSearchesTheNameUnanchored",
                   "\\.jpe?g$",
                   "",
                   {"top.jpg", "2023/a.jpg", "2024/b.jpeg", "cache/e.jpg", "cache/deep/f.jpg"},
                   {"notes.txt", "2024/05/c.JPG"}},
        FilterCase{"IncludeWithASlashSearchesThePath",
                   "^2024/",
                   "",
                   {"2024/b.jpeg", "2024/05/c.JPG", "2024/05/d.txt"},
                   {"top.jpg", "2023/a.jpg", "cache/deep/f.jpg"}},
        FilterCase{"ExcludeOfNamesReadsEveryFolder",
                   "",
                   "(?i)jpe?g",
                   {"notes.txt", "2024/05/d.txt"},
                   {"top.jpg", "2024/05/c.JPG", "cache/deep/f.jpg"}},
        FilterCase{"ExcludedFolderIsNotRead",
                   "jpg",
                   "^cache/",
                   {"top.jpg", "2023/a.jpg"},
                   {"notes.txt", "2024/05/d.txt", "cache"},
                   {"cache/e.jpg", "cache/deep", "cache/deep/f.jpg"}},
        // "/$" holds for the folder's path with its slash, never for a file's.
        FilterCase{"FolderIsReadWhenMoreOfThePathCouldTell",
                   "",
                   "^cache/$|/05/d",
                   {"notes.txt", "top.jpg", "2023/a.jpg", "2024/b.jpeg", "2024/05/c.JPG",
                    "cache/e.jpg", "cache/deep/f.jpg"},
                   {"2024/05/d.txt"}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(FileListTest, AFilterThatCannotBeUsedOrRunsAwayRefusesTheListing) {
    dir.write(std::string(40, 'a') + "c");
    dir.write("b.txt");
    list.setFilters("", "(a+)+b");
    list.setAttributeMask(kAllAttributes);
    engine::ListingStatus listed = list.fill(dir.path());
    EXPECT_EQ(listed.problem, engine::ListingStatus::Problem::FilterTooSlow);
    ASSERT_TRUE(listed.message);
    EXPECT_EQ(listed.message->caption, "Regular Expression Too Slow");
    EXPECT_EQ(list.rowCount(), 0u);

    list.setFilters("a(", "");
    listed = list.fill(dir.path());
    EXPECT_EQ(listed.problem, engine::ListingStatus::Problem::InvalidFilter);
    ASSERT_TRUE(listed.message);
    EXPECT_EQ(listed.message->text,
              "The regular expression \"a(\" cannot be used: a parenthesis without its pair at "
              "character 3 (U_REGEX_MISMATCHED_PAREN).");
}

TEST_F(FileListTest, SortsByEachKeyWithNameBytesBreakingTies) {
    dir.write("b.TXT", "1234");
    dir.write("A.txt", "1");
    dir.write("c.md", "123");
    dir.write("a.md", "1234");
    setTime("b.TXT", 3000);
    setTime("A.txt", 1000, 2);
    setTime("c.md", 1000, 1);
    setTime("a.md", 2000);

    fillSortedBy(SortKey::Name);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"a.md", "A.txt", "b.TXT", "c.md"}));
    fillSortedBy(SortKey::Extension);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"b.TXT", "a.md", "c.md", "A.txt"}));
    fillSortedBy(SortKey::Size);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"A.txt", "c.md", "a.md", "b.TXT"}));
    fillSortedBy(SortKey::Date);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"c.md", "A.txt", "a.md", "b.TXT"}));
}

TEST_F(FileListTest, SizeUsesAllSixtyFourBits) {
    dir.write("small", "1234");
    dir.write("huge");
    ASSERT_EQ(::truncate(dir.file("huge").c_str(), 5LL << 30), 0);  // sparse, 5 GiB
    fillSortedBy(SortKey::Size);
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"small", "huge"}));
    EXPECT_EQ(list.row(1).size, 5ULL << 30);
}

TEST_F(FileListTest, NameOrderFoldsUnicodeCaseAndKeepsInvalidBytes) {
    dir.write("\xc3\xa9t\xc3\xa9.txt");    // été
    dir.write("\xc3\x89T\xc3\x89 2.txt");  // ÉTÉ 2
    dir.write("Zebra.txt");
    dir.write("z\xff.txt");
    dir.write("alpha.txt");
    fillSortedBy(SortKey::Name);
    EXPECT_EQ(rowNames(),
              (std::vector<std::string>{"alpha.txt", "Zebra.txt", "z\xff.txt",
                                        "\xc3\x89T\xc3\x89 2.txt", "\xc3\xa9t\xc3\xa9.txt"}));
}

TEST_F(FileListTest, NaturalNameOrderTakesDigitRunsByValueAndBytesBreakTies) {
    for (const char* name : {"file10.txt", "file2.txt", "File02.txt", "file002.txt", "file1.txt",
                             "a\xff.txt", "a.txt"}) {
        dir.write(name);
    }
    fillSortedBy(SortKey::Name);
    EXPECT_EQ(rowNames(),
              (std::vector<std::string>{"a.txt", "a\xff.txt", "file002.txt", "File02.txt",
                                        "file1.txt", "file10.txt", "file2.txt"}))
        << "off, the order of before";
    list.setNaturalOrder(true);
    fillSortedBy(SortKey::Name);
    EXPECT_EQ(rowNames(),
              (std::vector<std::string>{"a.txt", "a\xff.txt", "file1.txt", "file002.txt",
                                        "file2.txt", "File02.txt", "file10.txt"}));
}

TEST_F(FileListTest, MasksAreDistinctLowerCaseAndFilterIgnoringCase) {
    dir.write("one.MP3");
    dir.write("two.mp3");
    dir.write("three.Txt");
    dir.write("\xc3\x84.\xc3\x96GG");  // Ä.ÖGG
    dir.write("noext");
    fillSortedBy(SortKey::Name);
    EXPECT_EQ(list.masks(), (std::vector<std::string>{"*.*", "*.mp3", "*.txt", "*.\xc3\xb6gg"}));
    EXPECT_EQ(list.rowCount(), 5u);

    list.setMaskPosition(1);
    ASSERT_TRUE(list.applyFileMask(dir.path()));
    EXPECT_EQ(rowNames(), (std::vector<std::string>{"one.MP3", "two.mp3"}));
    EXPECT_EQ(list.statusText(), "2 file(s) total - 0 selected");
    EXPECT_EQ(list.maskPosition(), 1);

    list.setMaskPosition(3);
    ASSERT_TRUE(list.applyFileMask(dir.path()));
    EXPECT_EQ(rowNames(), std::vector<std::string>{"\xc3\x84.\xc3\x96GG"});

    list.setMaskPosition(0);
    ASSERT_TRUE(list.applyFileMask(dir.path()));
    EXPECT_EQ(list.rowCount(), 5u);
}

TEST_F(FileListTest, TicksAndSelectAllDriveTheStatus) {
    for (const char* name : {"a", "b", "c"}) {
        dir.write(name);
    }
    fillSortedBy(SortKey::Name);
    list.setTicked(1, true);
    list.setTicked(1, true);
    EXPECT_EQ(list.statusText(), "3 file(s) total - 1 selected");
    list.setSelectAllToggle(true);
    EXPECT_EQ(list.statusText(), "3 file(s) total - 3 selected");
    EXPECT_TRUE(list.selectAllToggle());
    list.setTicked(0, false);
    EXPECT_EQ(list.tickedCount(), 2u);
    EXPECT_EQ(list.tickedNames(), (std::vector<std::string_view>{"b", "c"}));
    list.setSelectAllToggle(false);
    EXPECT_EQ(list.statusText(), "3 file(s) total - 0 selected");

    list.setTicked(2, true);
    list.setSelectAllToggle(true);
    ASSERT_TRUE(list.fill(dir.path()));
    EXPECT_EQ(list.tickedCount(), 0u);
    EXPECT_FALSE(list.selectAllToggle());
}

TEST_F(FileListTest, OddNamesAreListedByTheirExactBytes) {
    const std::vector<std::string> odd = {
        std::string(255, 'x'), "new\nline", "quote\"d", " spaced ", "\xff\xfe", "tab\there"};
    for (const auto& name : odd) {
        dir.write(name);
    }
    fillSortedBy(SortKey::Extension);
    std::vector<std::string> names = rowNames();
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected = odd;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

}  // namespace
}  // namespace nameshift::engine
