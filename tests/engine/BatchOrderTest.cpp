#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "ApplyTestSession.h"
#include "engine/batch/BatchGuard.h"
#include "engine/batch/BatchRecovery.h"
#include "engine/batch/RenameOrder.h"
#include "engine/batch/RenameRun.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/commands/RestoreCommand.h"
#include "engine/naming/NamePath.h"
#include "engine/naming/TextCase.h"
#include "engine/records/RestoreFile.h"
#include "ui/RecoveryOffer.h"

namespace nameshift::engine {
namespace {

using Names = std::vector<std::string>;
using Contents = std::map<std::string, std::string>;

// Each file's contents by name, the restore file left out.
Contents contentsOf(const testing::TempDir& dir) {
    Contents contents;
    for (const std::string& name : dir.names()) {
        if (name != kRestoreFileName) {
            contents[name] = dir.read(name);
        }
    }
    return contents;
}

struct OrderCase {
    const char* label;
    std::vector<std::pair<std::string, std::string>> moves;  // every file of the directory
};

class BatchOrderTest : public testing::ApplySessionTest,
                       public ::testing::WithParamInterface<OrderCase> {};

// Whatever the chains and cycles, every file ends at its new name with its own contents, and the
// restore file written for the batch gives every name back.
TEST_P(BatchOrderTest, EndsAsPlannedAndRestoresExactly) {
    Contents before;
    for (const auto& [from, to] : GetParam().moves) {
        dir.write(from, "data of " + from);
        before[from] = "data of " + from;
    }
    std::vector<PlannedChange> changes;
    for (const auto& [from, to] : GetParam().moves) {
        changes.push_back({changes.size(), from, to});
    }
    const auto directory = fs.openDirectory(dir.path());
    ASSERT_TRUE(directory.ok());
    const RenameRun run = runRenames(fs, *directory, changes, orderRenames(changes), nullptr);

    EXPECT_TRUE(run.failures.empty());
    Contents expected;
    for (const auto& [from, to] : GetParam().moves) {
        expected[to] = "data of " + from;
    }
    EXPECT_EQ(contentsOf(dir), expected);

    RestoreRecord record{dir.path(), {}, {}};
    for (const auto& [done, to] : run.donePairs(changes)) {
        record.namesBefore.push_back(done);
        record.namesAfter.push_back(to);
    }
    dir.write(kRestoreFileName, formatRestoreFile(record));
    testing::ScriptedPicker picker;
    picker.choice = dir.file(kRestoreFileName);
    EXPECT_EQ(restoreFilenames(session, picker), CommandOutcome::Done);
    EXPECT_EQ(contentsOf(dir), before);
    EXPECT_FALSE(dir.exists(kRestoreFileName));
}

// A large batch is put in the order its files lie on disk before it is ordered: in whatever
// order the changes come, no step may meet a name still held, and every file must end at its
// new name.
TEST_P(BatchOrderTest, AnyOrderOfTheChangesKeepsEveryStepClear) {
    std::vector<PlannedChange> listed;
    for (const auto& [from, to] : GetParam().moves) {
        listed.push_back({listed.size(), from, to});
    }
    std::vector<PlannedChange> rotated(listed.rbegin(), listed.rend());
    std::rotate(rotated.begin(), rotated.begin() + 1, rotated.end());
    for (const auto& changes : {std::vector(listed.rbegin(), listed.rend()), rotated}) {
        std::map<std::string, std::size_t> holder;
        for (const PlannedChange& change : changes) {
            holder[std::string(change.oldName)] = change.file;
        }
        const std::string aside = ".aside";
        for (const RenameStep& step : orderRenames(changes)) {
            const PlannedChange& change = changes[step.change];
            const std::string from =
                step.kind == RenameStep::Kind::FromTemporary ? aside : std::string(change.oldName);
            const std::string to =
                step.kind == RenameStep::Kind::ToTemporary ? aside : change.newName;
            if (from == to) {
                continue;
            }
            ASSERT_EQ(holder.count(to), 0u) << from << " -> " << to << " meets a held name";
            holder[to] = holder.at(from);
            holder.erase(from);
        }
        std::map<std::string, std::size_t> expected;
        for (const PlannedChange& change : changes) {
            expected[change.newName] = change.file;
        }
        EXPECT_EQ(holder, expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Batches, BatchOrderTest,
    ::testing::Values(
        OrderCase{"Renumbering", {{"1", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"}}},
        OrderCase{"RenumberingListedBackwards", {{"4", "5"}, {"3", "4"}, {"2", "3"}, {"1", "2"}}},
        OrderCase{"Swap", {{"a", "b"}, {"b", "a"}}},
        OrderCase{"CycleOfThree", {{"a", "b"}, {"b", "c"}, {"c", "a"}}},
        OrderCase{"CycleOfFive", {{"a", "b"}, {"b", "c"}, {"c", "d"}, {"d", "e"}, {"e", "a"}}},
        OrderCase{"ChainIntoACycle", {{"x", "y"}, {"a", "b"}, {"b", "a"}, {"y", "z"}, {"k", "k"}}}),
    [](const auto& test) { return std::string(test.param.label); });

class BatchSafetyTest : public testing::ApplySessionTest {};

// A journal planted in a state folder that another user may write to would rename the user's
// files: such a folder is not used, neither to run a batch nor to recover one.
TEST_F(BatchSafetyTest, AStateFolderOthersMayWriteToIsRefused) {
    dir.write("a.txt");
    tick({"a.txt"});
    usePrefix("x");
    std::filesystem::permissions(state.path(), std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Journal Error");
    EXPECT_EQ(dir.names(), (Names{"a.txt"}));

    messages.shown.clear();
    ui::offerRecovery(fs, messages, state.path());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Journal Error");
}

// A state folder the user cannot write to is named as what to mend, not the journal's path.
TEST_F(BatchSafetyTest, AStateFolderThatCannotBeWrittenIsNamed) {
    dir.write("a.txt");
    tick({"a.txt"});
    usePrefix("x");
    fs.fail(testing::FaultyFileSystem::Op::Write, EROFS, ".journal");
    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
    EXPECT_EQ(messages.texts(),
              (Names{"Cannot continue - the folder \"" + state.path() +
                     "\", which keeps the records of batches, cannot be written to: Read-only "
                     "file system. Make it writable, or set XDG_STATE_HOME to a folder that is, "
                     "and try again. Nothing was renamed."}));
    EXPECT_EQ(dir.names(), (Names{"a.txt"}));
}

TEST_F(BatchSafetyTest, ChainBlockedByAnUntickedFileIsRefusedBeforeAnyRename) {
    for (const char* name : {"f1.txt", "f2.txt", "f3.txt", "g1.txt"}) {
        dir.write(name, name);
    }
    tick({"f1.txt", "f2.txt", "g1.txt"});  // f3.txt stays, holding the name f2.txt wants
    usePrefix("f", settings::Position::Replace);
    useCounter("2");
    // f1 -> f2, f2 -> f3 (held), g1 -> f4

    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);

    EXPECT_EQ(contentsOf(dir), (Contents{{"f1.txt", "f1.txt"},
                                         {"f2.txt", "f2.txt"},
                                         {"f3.txt", "f3.txt"},
                                         {"g1.txt", "g1.txt"}}));
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown[0].text,
              "Cannot continue - the new file name \"f3.txt\" is taken in this folder by a file or "
              "folder that the batch does not rename.");
}

// Folds letter case the way exFAT, FAT and SMB shares do: a name reaches whichever entry
// matches it in any case.
class CaseFoldingFileSystem final : public testing::ForwardingFileSystem {
public:
    platform::Status renameIn(const platform::Directory& directory, const std::string& from,
                              const std::string& to) override {
        const std::string source = entryFor(directory, from);
        if (source.empty()) {
            return platform::Status::fromErrno(ENOENT);
        }
        if (!entryFor(directory, to).empty() && from != to) {
            return platform::Status::fromErrno(EEXIST);
        }
        return real_.renameIn(directory, source, to);
    }
    platform::Result<platform::FileIdentity> identifyIn(const platform::Directory& directory,
                                                        const std::string& name) override {
        const std::string entry = entryFor(directory, name);
        auto identity = real_.identifyIn(directory, entry.empty() ? name : entry);
        if (numbersEachSpelling && identity.ok() && !entry.empty() && entry != name) {
            identity.value().inode += 1000000;
        }
        return identity;
    }
    // As FUSE filesystems such as exfat-fuse do: each spelling of a name gets its own inode.
    bool numbersEachSpelling = false;

private:
    std::string entryFor(const platform::Directory& directory, const std::string& name) {
        const auto entries = real_.listDirectory(directory);
        for (const platform::DirEntry& entry : *entries) {
            if (text::toLower(entry.name) == text::toLower(name)) {
                return entry.name;
            }
        }
        return {};
    }
};

class CaseFoldingTest : public ::testing::TestWithParam<bool> {};

TEST_P(CaseFoldingTest, LetterCaseChangesReachTheirOwnFileThroughATemporaryName) {
    testing::TempDir dir;
    dir.write("DSC_0001.JPG", "photo");
    dir.write("other", "link target");
    ASSERT_EQ(::link(dir.file("other").c_str(), dir.file("twin").c_str()), 0);
    CaseFoldingFileSystem fs;
    fs.numbersEachSpelling = GetParam();
    const auto directory = fs.openDirectory(dir.path());
    ASSERT_TRUE(directory.ok());
    const std::vector<PlannedChange> changes{{0, "DSC_0001.JPG", "dsc_0001.jpg"},
                                             {1, "other", "Twin"}};

    const RenameRun run = runRenames(fs, *directory, changes, orderRenames(changes), nullptr);

    EXPECT_EQ(dir.names(), (Names{"dsc_0001.jpg", "other", "twin"}));
    EXPECT_EQ(dir.read("dsc_0001.jpg"), "photo");
    ASSERT_EQ(run.failures.size(), 1u) << "a hard link under the other name is another entry";
    EXPECT_EQ(run.failures[0].change, 1u);
    const auto done = run.donePairs(changes);
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[0].first, "DSC_0001.JPG");
    EXPECT_EQ(done[1].second, "dsc_0001.jpg");
    EXPECT_EQ(done[0].second, done[1].first);
}

INSTANTIATE_TEST_SUITE_P(Inodes, CaseFoldingTest, ::testing::Bool(), [](const auto& test) {
    return test.param ? "OnePerSpelling" : "OnePerFile";
});

// One file of a cycle that cannot move (immutable, say): the cycle goes back whole, no file waits
// under a temporary name or another's name, and every file of the cycle is reported.
TEST_F(BatchSafetyTest, ACycleThatCannotCloseGoesBackWholeAndEveryMemberFails) {
    const std::vector<std::pair<std::string, std::string>> moves = {
        {"cyc-a", "cyc-b"}, {"cyc-b", "cyc-c"}, {"cyc-c", "cyc-a"}, {"one", "two"}};
    std::vector<PlannedChange> changes;
    for (const auto& [from, to] : moves) {
        dir.write(from, "data of " + from);
        changes.push_back({changes.size(), from, to});
    }
    const Contents before = contentsOf(dir);
    fs.fail(testing::FaultyFileSystem::Op::Rename, EPERM, "/cyc-b");
    const auto directory = fs.openDirectory(dir.path());
    ASSERT_TRUE(directory.ok());
    const RenameRun run = runRenames(fs, *directory, changes, orderRenames(changes), nullptr);

    Contents expected = before;
    expected.erase("one");
    expected["two"] = "data of one";
    EXPECT_EQ(contentsOf(dir), expected);
    EXPECT_EQ(run.renamed, (std::vector<std::size_t>{3}));
    ASSERT_EQ(run.failures.size(), 3u);
    for (const RenameFailure& failure : run.failures) {
        EXPECT_LT(failure.change, 3u);
        EXPECT_EQ(failure.status.error(), EPERM);
    }
    EXPECT_EQ(run.donePairs(changes),
              (std::vector<std::pair<std::string, std::string>>{{"one", "two"}}));
}

TEST_F(BatchSafetyTest, WhatAStoppedWriteOfARestoreFileLeftGoesWithTheNextBatch) {
    dir.write("a.txt");
    dir.write(".restore.dat.0123456789abcdef~", "half a record");
    tick({"a.txt"});
    usePrefix("x");
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(dir.names(), (Names{"restore.dat", "xa.txt"}));
}

TEST_F(BatchSafetyTest, AnExistingRestoreFileIsKeptOutOfTheBatch) {
    dir.write("a.txt");
    dir.write("restore.dat", "an older record");
    tick({"a.txt", "restore.dat"});
    usePrefix("x");
    messages.answers = {platform::Answer::Yes};
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(dir.names(), (Names{"restore.dat", "xa.txt"}));
    EXPECT_NE(dir.read("restore.dat"), "an older record");
}

// While another batch holds the folder's lock, a batch there waits.
TEST_F(BatchSafetyTest, ABatchHoldingTheLockKeepsOtherBatchesOut) {
    dir.write("a.txt");
    const auto directory = fs.openDirectory(dir.path());
    ASSERT_TRUE(directory.ok());
    std::optional<std::variant<BatchGuard, platform::Message>> other =
        guardBatch(fs, state.path(), *directory, BatchReach::Folder);
    ASSERT_TRUE(std::holds_alternative<BatchGuard>(*other));
    tick({"a.txt"});
    usePrefix("x");
    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Batch Running");
    other.reset();
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
}

// While a batch renames in a tree, no batch renames in a folder of it, and the other way round;
// batches in folders that do not hold one another run side by side.
struct OverlapCase {
    const char* label;
    const char* held;  // the folder another batch holds, from the test's folder
    BatchReach heldReach;
    const char* listed;  // the folder this batch lists
    const char* ticked;  // the file it renames, from the listed folder
    bool refused;
};

class TreeOverlapTest : public BatchSafetyTest,
                        public ::testing::WithParamInterface<OverlapCase> {};

TEST_P(TreeOverlapTest, ABatchOverATreeAndOneInItNeverRunAtOnce) {
    for (const char* name : {"t/g.txt", "t/s/f.txt", "t/s/d/e.txt", "t/a/h.txt", "t/b/i.txt"}) {
        std::filesystem::create_directories(dir.file(name).substr(0, dir.file(name).rfind('/')));
        dir.write(name, name);
    }
    const auto held = fs.openDirectory(dir.file(GetParam().held));
    ASSERT_TRUE(held.ok());
    const auto other = guardBatch(fs, state.path(), *held, GetParam().heldReach);
    ASSERT_TRUE(std::holds_alternative<BatchGuard>(other));
    session.directory = dir.file(GetParam().listed);
    session.fileList.setSubfolderDepth(FileList::kAllLevels);
    tick({GetParam().ticked});
    usePrefix("x");

    const std::string ticked = GetParam().ticked;
    const std::string renamed = std::string(GetParam().listed) + "/" +
                                std::string(folderPathOf(ticked)) +
                                (inListedFolder(ticked) ? "x" : "/x") + std::string(leafOf(ticked));
    if (GetParam().refused) {
        EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
        EXPECT_EQ(captions(), (Names{"Batch Running"}));
        EXPECT_FALSE(dir.exists(renamed));
    } else {
        EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
        EXPECT_TRUE(dir.exists(renamed)) << renamed;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Locks, TreeOverlapTest,
    ::testing::Values(
        OverlapCase{"ATreeKeepsOutAFolderInIt", "t", BatchReach::Tree, "t/s", "f.txt", true},
        OverlapCase{"AFolderKeepsOutATreeOverIt", "t/s", BatchReach::Folder, "t", "s/f.txt", true},
        OverlapCase{"ATreeKeepsOutATreeInIt", "t", BatchReach::Tree, "t/s", "d/e.txt", true},
        OverlapCase{"AFolderLetsAFolderInItRun", "t", BatchReach::Folder, "t/s", "f.txt", false},
        OverlapCase{"AFolderLetsItsParentsOwnFilesRun", "t/s", BatchReach::Folder, "t", "g.txt",
                    false},
        OverlapCase{"SiblingTreesRunSideBySide", "t/a", BatchReach::Tree, "t/b", "i.txt", false}),
    [](const auto& test) { return std::string(test.param.label); });

// The plan is made from the list; another program (or batch) that renamed or replaced its files
// since must not get them renamed by it.
TEST_F(BatchSafetyTest, FilesChangedSinceTheListingAreNamedAndNothingIsRenamed) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        dir.write(name, name);
    }
    tick({"a.txt", "b.txt", "c.txt"});
    usePrefix("x");
    std::filesystem::rename(dir.file("a.txt"), dir.file("moved.txt"));
    // Written beside it first, so the new file cannot take the old one's inode.
    dir.write("b.new", "another");
    std::filesystem::rename(dir.file("b.new"), dir.file("b.txt"));

    EXPECT_EQ(applyChanges(session), CommandOutcome::Relisted);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Files Changed");
    EXPECT_TRUE(messages.shown[0].text.starts_with("Cannot continue - 2 file(s) of the batch"));
    EXPECT_EQ(messages.shown[0].details, "\"a.txt\" to \"xa.txt\"\n\"b.txt\" to \"xb.txt\"\n");
    EXPECT_EQ(dir.names(), (Names{"b.txt", "c.txt", "moved.txt"}));
    EXPECT_EQ(session.fileList.rowCount(), 3u);
    EXPECT_EQ(session.fileList.row(2).name, "moved.txt");
}

TEST_F(BatchSafetyTest, SecondBatchInTheSameDirectoryIsRefusedAtOnce) {
    dir.write("a.txt");
    tick({"a.txt"});
    usePrefix("x");
    const auto directory = fs.openDirectory(dir.path());
    ASSERT_TRUE(directory.ok());
    const auto held = fs.lockDirectory(*directory);
    ASSERT_TRUE(held.ok());
    // The lock is per open file, so a second open in this process stands for another process.
    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Batch Running");
    EXPECT_EQ(dir.names(), (Names{"a.txt"}));
}

TEST_F(BatchSafetyTest, NewNameOfTheRestoreFileIsRefusedBeforeAnyRename) {
    dir.write("x.dat", "mine");
    tick({"x.dat"});
    session.rules.replaceString = true;
    session.rules.replaceFrom = "x";
    session.rules.replaceWith = "restore";
    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Cannot continue - the new file name \"restore.dat\" is the name of the restore "
              "file that this batch writes.");
    EXPECT_EQ(messages.shown[0].caption, "Invalid File Name");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Stop);
    EXPECT_EQ(dir.read("x.dat"), "mine");
}

}  // namespace
}  // namespace nameshift::engine
