#include "engine/batch/BatchRecovery.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <variant>

#include "ApplyTestSession.h"
#include "engine/batch/BatchGuard.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/commands/RestoreCommand.h"
#include "engine/commands/UndoCommand.h"
#include "engine/records/BatchHistory.h"
#include "engine/records/RestoreFile.h"
#include "ui/RecoveryOffer.h"

namespace nameshift::engine {
namespace {

using Contents = std::map<std::string, std::string>;
using Names = std::vector<std::string>;

// Sorted by size, the counter names the files f1 to f9: a cycle of three (f3 f1 f2), two swaps
// (f5 f4, f8 f7) and a chain (f10 to f9, f9 to f6): twelve renames in all, three of them
// through temporary names... and then some.
const std::vector<std::pair<std::string, std::size_t>> kFiles{{"f3", 1}, {"f1", 2}, {"f2", 3},
                                                              {"f5", 4}, {"f4", 5}, {"f9", 6},
                                                              {"f8", 7}, {"f7", 8}, {"f10", 9}};

// Applies the session's batch in a child process killed before its `killAt`-th rename, as a
// crash or a power cut would stop it; whether the kill came.
bool applyKilledAt(RenameSession& session, testing::FaultyFileSystem& fs, int killAt) {
    const pid_t child = ::fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        int renames = 0;
        fs.beforeRename = [&](const std::string&, const std::string&) {
            if (++renames == killAt) {
                ::raise(SIGKILL);
            }
        };
        testing::ScriptedMessageBox unseen;
        ui::MessageBoxQuestions questions(unseen);
        engine::applyChanges(session, questions);
        ::_exit(0);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFSIGNALED(status);
}

class BatchRecoveryTest : public testing::ApplySessionTest {
protected:
    void SetUp() override {
        if (!folder_.empty()) {
            dir.makeDirectory("sub");
            session.fileList.setSubfolderDepth(1);
        }
        char letter = 'a';
        for (const auto& [name, size] : kFiles) {
            if (asFolders_) {
                // Folders, dated in the order of their files' sizes, so that the batch is the same.
                dir.makeDirectory(name);
                dir.write(name + "/c", std::string(size, letter++));
                const timeval times[2] = {{static_cast<time_t>(size), 0},
                                          {static_cast<time_t>(size), 0}};
                ASSERT_EQ(::utimes(dir.file(name).c_str(), times), 0);
            } else {
                dir.write(folder_ + name, std::string(size, letter++));
            }
        }
        if (asFolders_) {
            session.fileList.setAttributeMask(platform::attribute::kFolder);
        }
        tickAll();
        session.fileList.setSortKey(asFolders_ ? settings::SortKey::Date : settings::SortKey::Size);
        ASSERT_TRUE(session.fileList.fill(session.directory));
        session.fileList.selectAll(true);
        usePrefix("f", settings::Position::Replace);
        useCounter("1");
    }

    Contents expected(bool renamed) const {
        Contents contents;
        char letter = 'a';
        int counter = 1;
        for (const auto& [name, size] : kFiles) {
            const std::string newName = "f" + std::to_string(counter++);
            contents[renamed ? newName : name] = std::string(size, letter++);
        }
        return contents;
    }

    Contents contents() const {
        Contents found;
        for (const std::string& name : dir.names(folder_)) {
            if (name != kRestoreFileName) {
                found[name] = dir.read(folder_ + name + (asFolders_ ? "/c" : ""));
            }
        }
        return found;
    }

    std::string folder_;      // of the batch's files: the listed folder, or "sub/" beneath it
    bool asFolders_ = false;  // the batch renames folders, each holding a file "c"
};

// What the batch renames: files of the listed folder, files of a subfolder, or folders.
enum class Entries { Files, InASubfolder, Folders };
using KillCase = std::tuple<int, RecoveryAction, bool, Entries>;

// The kill's rename, undo or finish, on a share, and the entries renamed.
class KilledBatchTest : public BatchRecoveryTest, public ::testing::WithParamInterface<KillCase> {
protected:
    void SetUp() override {
        folder_ = std::get<3>(GetParam()) == Entries::InASubfolder ? "sub/" : "";
        asFolders_ = std::get<3>(GetParam()) == Entries::Folders;
        BatchRecoveryTest::SetUp();
    }
};

// The batch is killed after its k-th rename, as a crash or a power cut would stop it; undo or
// finish then leaves every file at exactly its old or its new name, none lost, none under a
// temporary name, and a finished batch can still be restored; also on a share that numbers its
// files anew, where names and the rest of the evidence must tell the files.
TEST_P(KilledBatchTest, IsUndoneOrFinishedFromItsJournal) {
    const auto [killAt, action, onAShare, entries] = GetParam();
    const bool inSubfolder = entries == Entries::InASubfolder;
    ASSERT_TRUE(applyKilledAt(session, fs, killAt))
        << "the batch has fewer renames than " << killAt;
    if (onAShare) {
        fs.numberAnew();
    }

    const std::vector<InterruptedBatch> batches = findInterruptedBatches(fs, state.path());
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].journal.entries.size(), kFiles.size());
    const RecoveryResult result = recoverBatch(fs, state.path(), batches[0], action);
    EXPECT_TRUE(result.problems.empty());
    EXPECT_FALSE(result.journalKept);
    EXPECT_TRUE(findInterruptedBatches(fs, state.path()).empty());

    const bool finished = action == RecoveryAction::Finish;
    EXPECT_EQ(contents(), expected(finished));
    // A restore file names the files of its own folder; those of a subfolder are undone from the
    // history.
    EXPECT_EQ(dir.exists(kRestoreFileName), finished && !inSubfolder);
    if (finished && !inSubfolder) {
        const auto written = fs.identify(dir.file(kRestoreFileName));
        EXPECT_TRUE(onAShare || BatchHistory(fs, state.path()).recordOfRestoreFile(written.value()))
            << "the batch's record names the restore file the recovery wrote";
        testing::ScriptedPicker picker;
        picker.choice = dir.file(kRestoreFileName);
        EXPECT_EQ(restoreFilenames(session, picker), CommandOutcome::Done);
        EXPECT_EQ(contents(), expected(false));
    }
}

std::string recoveryCaseName(const ::testing::TestParamInfo<KillCase>& test) {
    const Entries entries = std::get<3>(test.param);
    return (std::get<1>(test.param) == RecoveryAction::Undo ? "Undo" : "Finish") +
           std::to_string(std::get<0>(test.param)) + (std::get<2>(test.param) ? "OnAShare" : "") +
           (entries == Entries::InASubfolder ? "InASubfolder"
            : entries == Entries::Folders    ? "OfFolders"
                                             : "");
}

INSTANTIATE_TEST_SUITE_P(EveryRename, KilledBatchTest,
                         ::testing::Combine(::testing::Range(1, 13),
                                            ::testing::Values(RecoveryAction::Undo,
                                                              RecoveryAction::Finish),
                                            ::testing::Bool(), ::testing::Values(Entries::Files)),
                         recoveryCaseName);
INSTANTIATE_TEST_SUITE_P(
    Subfolder, KilledBatchTest,
    ::testing::Combine(::testing::Range(1, 13),
                       ::testing::Values(RecoveryAction::Undo, RecoveryAction::Finish),
                       ::testing::Values(false), ::testing::Values(Entries::InASubfolder)),
    recoveryCaseName);
// Folders that swap names, in a cycle and in a chain, each going back with what it holds. Not on
// a share: there a folder's number and birth time are not kept, and its size and time are no
// evidence, so two folders under temporary names cannot be told apart and are left alone.
INSTANTIATE_TEST_SUITE_P(
    Folders, KilledBatchTest,
    ::testing::Combine(::testing::Range(1, 13),
                       ::testing::Values(RecoveryAction::Undo, RecoveryAction::Finish),
                       ::testing::Values(false), ::testing::Values(Entries::Folders)),
    recoveryCaseName);

// A batch stopped after its record was written and before its journal went (the journal's
// removal fails here as a kill would leave it): finishing takes the record as it is, undoing
// takes it away, since it would send the files to names they no longer have.
TEST_F(BatchRecoveryTest, ABatchStoppedAfterItsRecordIsFinishedOrUndoneWithIt) {
    fs.fail(testing::FaultyFileSystem::Op::Remove, EACCES, kJournalSuffix, 1);
    ASSERT_EQ(applyChanges(session), CommandOutcome::Done);
    const std::string record = dir.read(kRestoreFileName);
    for (const RecoveryAction action : {RecoveryAction::Finish, RecoveryAction::Undo}) {
        const std::vector<InterruptedBatch> batches = findInterruptedBatches(fs, state.path());
        ASSERT_EQ(batches.size(), 1u);
        const RecoveryResult result = recoverBatch(fs, state.path(), batches[0], action);
        EXPECT_TRUE(result.problems.empty());
        EXPECT_FALSE(result.journalKept);
        if (action == RecoveryAction::Finish) {
            EXPECT_EQ(contents(), expected(true));
            EXPECT_EQ(dir.read(kRestoreFileName), record);
            // The same stop once more, to undo it this time.
            testing::ScriptedPicker picker;
            picker.choice = dir.file(kRestoreFileName);
            ASSERT_EQ(restoreFilenames(session, picker), CommandOutcome::Done);
            tickAll();
            fs.fail(testing::FaultyFileSystem::Op::Remove, EACCES, kJournalSuffix, 1);
            ASSERT_EQ(applyChanges(session), CommandOutcome::Done);
        } else {
            EXPECT_EQ(contents(), expected(false));
            EXPECT_FALSE(dir.exists(kRestoreFileName));
            EXPECT_EQ(state.names(), Names{"history"}) << "nor its receipt";
        }
    }
}

// A restore stopped after it deleted its restore file, then undone: the batch stands again, and
// so does its record, from which it can still be restored.
TEST_F(BatchRecoveryTest, AnUndoneRestoreGetsItsRestoreFileBack) {
    ASSERT_EQ(applyChanges(session), CommandOutcome::Done);
    testing::ScriptedPicker picker;
    picker.choice = dir.file(kRestoreFileName);
    fs.fail(testing::FaultyFileSystem::Op::Remove, EACCES, kJournalSuffix, 1);
    ASSERT_EQ(restoreFilenames(session, picker), CommandOutcome::Done);
    ASSERT_FALSE(dir.exists(kRestoreFileName));
    const std::vector<InterruptedBatch> batches = findInterruptedBatches(fs, state.path());
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_TRUE(recoverBatch(fs, state.path(), batches[0], RecoveryAction::Undo).problems.empty());
    EXPECT_EQ(contents(), expected(true));
    ASSERT_TRUE(dir.exists(kRestoreFileName));
    EXPECT_EQ(restoreFilenames(session, picker), CommandOutcome::Done);
    EXPECT_EQ(contents(), expected(false));
}

// A file caught under a hidden name that a filesystem then numbers anew cannot be told by its
// number, nor from another hidden file: the journal is kept whole, not given up.
TEST_F(BatchRecoveryTest, AFileNotFoundWhileAHiddenNameIsLeftKeepsTheJournal) {
    // The first stop that leaves a file under a hidden name, each earlier one undone.
    Names hidden;
    for (int killAt = 1; hidden.empty() && killAt <= 12; ++killAt) {
        ASSERT_TRUE(applyKilledAt(session, fs, killAt));
        hidden = dir.names();
        std::erase_if(hidden,
                      [](const std::string& name) { return !name.starts_with(".nameshift-"); });
        if (hidden.empty()) {
            recoverBatch(fs, state.path(), findInterruptedBatches(fs, state.path())[0],
                         RecoveryAction::Undo);
            tickAll();
        }
    }
    ASSERT_EQ(hidden.size(), 1u);
    const std::string aside = dir.read(hidden[0]);
    dir.write(hidden[0] + "x", aside);  // the same file, under a new number and name
    dir.write(hidden[0] + "y", "another program's");
    std::filesystem::remove(dir.file(hidden[0]));

    auto batches = findInterruptedBatches(fs, state.path());
    ASSERT_EQ(batches.size(), 1u);
    RecoveryResult result = recoverBatch(fs, state.path(), batches[0], RecoveryAction::Undo);
    EXPECT_TRUE(result.journalKept);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_NE(result.problems[0].filled().find("hidden names"), std::string::npos);

    EXPECT_TRUE(std::filesystem::exists(batches[0].journalPath));
    EXPECT_EQ(findInterruptedBatches(fs, state.path()).size(), 1u);
}

class LinkedFilesRecoveryTest : public testing::ApplySessionTest,
                                public ::testing::WithParamInterface<RecoveryAction> {};

// Two names of one file (hard links) in one batch: the file's number cannot tell them apart, so
// recovery goes by the names, and neither is taken for gone or renamed outside.
TEST_P(LinkedFilesRecoveryTest, AreUndoneOrFinishedByTheirNames) {
    dir.write("a.txt", "shared");
    ASSERT_EQ(::link(dir.file("a.txt").c_str(), dir.file("b.txt").c_str()), 0);
    ASSERT_TRUE(session.fileList.fill(session.directory));
    tickAll();
    usePrefix("x_");
    ASSERT_TRUE(applyKilledAt(session, fs, 2));

    const std::vector<InterruptedBatch> batches = findInterruptedBatches(fs, state.path());
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].done, 1u);
    const RecoveryResult result = recoverBatch(fs, state.path(), batches[0], GetParam());
    EXPECT_TRUE(result.problems.empty());
    EXPECT_FALSE(result.journalKept);
    if (GetParam() == RecoveryAction::Undo) {
        EXPECT_EQ(dir.names(), (Names{"a.txt", "b.txt"}));
    } else {
        EXPECT_EQ(dir.names(), (Names{"restore.dat", "x_a.txt", "x_b.txt"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Actions, LinkedFilesRecoveryTest,
                         ::testing::Values(RecoveryAction::Undo, RecoveryAction::Finish));

// A rename stopped half way where renames are a link and a removal: the file under both its
// names, which a share numbers apart. The second name goes only where both hold the one file; a
// file of other bytes with the same size and time stays.
struct HalfRenameCase {
    const char* label;
    RecoveryAction action;
    bool onAShare;
    const char* secondBytes;  // nullptr: a link of the file itself
    Names names;

    friend void PrintTo(const HalfRenameCase& c, std::ostream* out) { *out << c.label; }
};

class HalfRenameRecoveryTest : public testing::ApplySessionTest,
                               public ::testing::WithParamInterface<HalfRenameCase> {};

TEST_P(HalfRenameRecoveryTest, LeavesTheFileUnderTheNameItKeeps) {
    dir.write("a.txt", "a");
    dir.write("b.txt", "b");
    tickAll();
    usePrefix("x_");
    ASSERT_TRUE(applyKilledAt(session, fs, 2));
    const std::filesystem::path from = dir.file("b.txt");
    const std::filesystem::path to = dir.file("x_b.txt");
    if (GetParam().secondBytes == nullptr) {
        std::filesystem::create_hard_link(from, to);
    } else {
        dir.write("x_b.txt", GetParam().secondBytes);
        std::filesystem::last_write_time(to, std::filesystem::last_write_time(from));
    }
    if (GetParam().onAShare) {
        fs.numberAnew();
    }

    const std::vector<InterruptedBatch> batches = findInterruptedBatches(fs, state.path());
    ASSERT_EQ(batches.size(), 1u);
    recoverBatch(fs, state.path(), batches[0], GetParam().action);
    EXPECT_EQ(dir.names(), GetParam().names);
    for (const std::string& name : dir.names()) {
        if (name != kRestoreFileName) {
            EXPECT_EQ(dir.read(name), name == "x_b.txt" && GetParam().secondBytes != nullptr
                                          ? GetParam().secondBytes
                                          : name.substr(name.size() - 5, 1))
                << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HalfRenameRecoveryTest,
    ::testing::Values(
        HalfRenameCase{"LinkUndone", RecoveryAction::Undo, false, nullptr, {"a.txt", "b.txt"}},
        HalfRenameCase{"LinkFinished",
                       RecoveryAction::Finish,
                       false,
                       nullptr,
                       {"restore.dat", "x_a.txt", "x_b.txt"}},
        HalfRenameCase{"OnAShareUndone", RecoveryAction::Undo, true, nullptr, {"a.txt", "b.txt"}},
        HalfRenameCase{"OnAShareFinished",
                       RecoveryAction::Finish,
                       true,
                       nullptr,
                       {"restore.dat", "x_a.txt", "x_b.txt"}},
        HalfRenameCase{"OnAShareOtherBytesStay",
                       RecoveryAction::Undo,
                       true,
                       "c",
                       {"a.txt", "b.txt", "x_b.txt"}}),
    [](const auto& test) { return std::string(test.param.label); });

// What a stopped journal write and older versions left in the state folder goes at the next look,
// unless someone still holds it; a batch whose directory is locked is running, not interrupted.
TEST_F(BatchRecoveryTest, LeftoversNobodyHoldsGoAndARunningBatchIsNotOffered) {
    ASSERT_TRUE(applyKilledAt(session, fs, 1));
    const std::string stale = state.file(".1-2.journal.0123456789abcdef~");
    const std::string writing = state.file(".3-4.journal.fedcba9876543210~");
    const std::string oldLock = state.file("1-2.lock");
    const std::string halfReceipt = state.file(".1-2.receipt.0123456789abcdef~");
    const std::string oldReceipt = state.file("1-2.receipt");
    const std::string halfRecord = dir.file(".restore.dat.0123456789abcdef~");
    for (const std::string& path : {stale, writing, oldLock, halfReceipt, oldReceipt, halfRecord}) {
        std::ofstream(path) << "x";
    }
    const auto writer = fs.lockFile(writing);
    ASSERT_TRUE(writer.ok());

    const auto directory = fs.openDirectory(dir.path());
    ASSERT_TRUE(directory.ok());
    {
        const auto running = fs.lockDirectory(*directory);
        ASSERT_TRUE(running.ok());
        EXPECT_TRUE(findInterruptedBatches(fs, state.path()).empty());
    }
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_FALSE(std::filesystem::exists(oldLock));
    EXPECT_FALSE(std::filesystem::exists(halfReceipt));
    EXPECT_FALSE(std::filesystem::exists(oldReceipt));
    EXPECT_TRUE(std::filesystem::exists(writing));
    EXPECT_TRUE(std::filesystem::exists(halfRecord)) << "the running batch's own";
    const std::vector<InterruptedBatch> batches = findInterruptedBatches(fs, state.path());
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(halfRecord));
    EXPECT_EQ(
        std::filesystem::status(batches[0].journalPath).permissions() & std::filesystem::perms::all,
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    // A journal that others may have written is not the user's record.
    std::filesystem::permissions(batches[0].journalPath, std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::add);
    EXPECT_TRUE(findInterruptedBatches(fs, state.path()).empty());
}

// A journal far larger than its count of entries can need is junk behind a header: it is refused
// from its start, without being read whole by every command.
TEST_F(BatchRecoveryTest, AJournalLargerThanItsEntriesCanNeedIsNotReadWhole) {
    ASSERT_TRUE(applyKilledAt(session, fs, 2));
    const std::string journal = findInterruptedBatches(fs, state.path()).at(0).journalPath;
    ASSERT_EQ(::truncate(journal.c_str(), 4 * 1024 * 1024), 0);
    EXPECT_TRUE(findInterruptedBatches(fs, state.path()).empty());
    const std::vector<platform::Message> unreadable = unreadableJournals(fs, state.path());
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_NE(unreadable[0].text.find(platform::Status::fromErrno(EFBIG).message()),
              std::string::npos)
        << unreadable[0].text;
}

// A batch killed after its second rename, whose journal then grew one byte past the limit: it is
// not read, so nothing is renamed from it and it stays for the user to see.
TEST_F(BatchRecoveryTest, AnOversizedJournalIsLeftUnreadAndNothingIsRenamed) {
    ASSERT_TRUE(applyKilledAt(session, fs, 3));
    ASSERT_EQ(findInterruptedBatches(fs, state.path()).size(), 1u);
    const std::string journal = findInterruptedBatches(fs, state.path())[0].journalPath;
    const Contents interrupted = contents();

    ASSERT_EQ(::truncate(journal.c_str(), static_cast<off_t>(kMaxJournalBytes + 1)), 0);
    EXPECT_TRUE(findInterruptedBatches(fs, state.path()).empty());
    // Said, not acted on: files of the batch may wait under temporary names.
    ui::offerRecovery(fs, messages, state.path());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The record \"" + journal +
                                          "\" of an interrupted batch cannot be read: " +
                                          platform::Status::fromErrno(EFBIG).message() +
                                          ". Its batch can be neither undone nor finished. Check "
                                          "the file names in its folder (files may wait under "
                                          "hidden names that begin with \".nameshift-\"), then "
                                          "move the record away.");
    messages.shown.clear();
    EXPECT_EQ(contents(), interrupted);
    EXPECT_TRUE(std::filesystem::exists(journal));

    // A new batch there is refused with the record named, as recovery cannot deal with it.
    ASSERT_TRUE(session.fileList.fill(session.directory));
    session.fileList.selectAll(true);
    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Cannot continue - a batch in \"" + dir.path() +
                                          "\" was interrupted, and its "
                                          "record \"" +
                                          journal +
                                          "\" cannot be read, so it cannot be undone or finished. "
                                          "Check the file names in \"" +
                                          dir.path() +
                                          "\", then move the record away to "
                                          "rename files there again.");
    EXPECT_EQ(contents(), interrupted);
}

// The limit holds a batch of a million files with the longest names, measured on the writer's
// own output.
TEST(JournalTest, TheSizeLimitHoldsAMillionFilesWithTheLongestNames) {
    Journal journal;
    journal.directory = std::string(4096, 'd');
    journal.restoreFile = std::string(4096, 'r');
    journal.directoryDevice = journal.directoryInode = journal.restoreFileDevice =
        journal.restoreFileInode = UINT64_MAX;
    const std::size_t header = formatJournal(journal).size();
    journal.entries.assign(
        1000,
        {UINT64_MAX, std::string(255, 'a'), std::string(255, 'b'), {true, UINT64_MAX, -1, -1}});
    const std::size_t perEntry = (formatJournal(journal).size() - header) / 1000;
    EXPECT_LE(header + 1'000'000 * perEntry + 7, kMaxJournalBytes);  // 7: the count's digits
}

TEST(JournalTest, ReadsBackWhatItWritesAndNoCutOfIt) {
    Journal journal;
    journal.kind = Journal::Kind::Restore;
    journal.directory = "/home/me/odd\nname";
    journal.directoryDevice = 2049;
    journal.directoryInode = 77;
    journal.record = Journal::Record::Replace;
    journal.restoreFile = "/home/me/restore.dat";
    journal.entries = {{12, "a,b:c", "\xff\xfe", {true, 5, -3, 0}}, {13, "x", "y", {}}};
    const std::string text = formatJournal(journal);
    EXPECT_EQ(parseJournal(text), journal);
    EXPECT_TRUE(
        text.ends_with("2:12,1:1,1:5,20:18446744073709551613,1:0,5:a,b:c,2:\xff\xfe,"
                       "2:13,1:0,1:0,1:0,1:0,1:x,1:y,3:end,"))
        << text;
    Journal redo = journal;
    redo.kind = Journal::Kind::Redo;
    redo.historyId = 41;
    EXPECT_EQ(parseJournal(formatJournal(redo)), redo);
    for (std::size_t size = 0; size < text.size(); ++size) {
        EXPECT_FALSE(parseJournal(std::string_view(text).substr(0, size))) << size;
    }
    // A file moved into a new folder beneath its own, the folder made for it.
    Journal moved = journal;
    moved.entries.push_back({14, "z", "new/z", {}});
    moved.folders = {"new"};
    EXPECT_EQ(parseJournal(formatJournal(moved)), moved);
    moved.folders = {"../new"};
    EXPECT_FALSE(parseJournal(formatJournal(moved)));
    // Entries no batch writes: a name outside the folder, a move sideways, or one name for two
    // files.
    for (const auto& [original, final] : std::vector<std::pair<std::string, std::string>>{
             {"../escaped", "z"}, {"sub/z", "other/z"}, {"..", "z"}, {"x", "z"}, {"z", "y"}}) {
        Journal spoiled = journal;
        spoiled.entries.push_back({14, original, final, {}});
        EXPECT_FALSE(parseJournal(formatJournal(spoiled))) << original << " " << final;
    }
}

// Large batches are written a thousand entries at a time: on either side of a piece's end
// the file must still read back whole, its end marker once.
TEST(JournalTest, ReadsBackAcrossTheWritersPieces) {
    for (const std::size_t count : {4095u, 4096u, 4097u, 8192u}) {
        Journal journal;
        journal.directory = "/d";
        for (std::size_t i = 0; i < count; ++i) {
            journal.entries.push_back(
                {i, "old " + std::to_string(i), "new " + std::to_string(i), {}});
        }
        EXPECT_EQ(parseJournal(formatJournal(journal)), journal) << count;
    }
}

// Apply, restore, a recovery's finish and an undo from the history share one tail: every rename
// happens with the folder's lock held and the journal on disk, and the journal goes once the
// batch is recorded, into the history.
enum class Command { Apply, Restore, Recovery, Undo };

class SharedTailTest : public testing::ApplySessionTest,
                       public ::testing::WithParamInterface<Command> {};

TEST_P(SharedTailTest, RenamesUnderTheLockWithTheJournalOnDiskThatGoesAfter) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        dir.write(name);
    }
    tickAll();
    usePrefix("x");
    if (GetParam() == Command::Restore || GetParam() == Command::Undo) {
        ASSERT_EQ(applyChanges(session), CommandOutcome::Done);
    } else if (GetParam() == Command::Recovery) {
        ASSERT_TRUE(applyKilledAt(session, fs, 2));
    }
    struct ::stat info {};
    ASSERT_EQ(::stat(dir.path().c_str(), &info), 0);
    const std::string journal = batchJournalPath(state.path(), info.st_dev, info.st_ino);
    int renames = 0;
    int unguarded = 0;
    fs.beforeRename = [&](const std::string&, const std::string&) {
        ++renames;
        const auto opened = fs.openDirectory(dir.path());
        const bool locked = opened.ok() && std::holds_alternative<platform::Message>(guardBatch(
                                               fs, state.path(), *opened, BatchReach::Folder));
        unguarded += locked && std::filesystem::exists(journal) ? 0 : 1;
    };
    if (GetParam() == Command::Apply) {
        EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    } else if (GetParam() == Command::Restore) {
        testing::ScriptedPicker picker;
        picker.choice = dir.file(kRestoreFileName);
        EXPECT_EQ(restoreFilenames(session, picker), CommandOutcome::Done);
    } else if (GetParam() == Command::Undo) {
        EXPECT_EQ(concluded(session, undoBatch(session, std::nullopt)), CommandOutcome::Done);
    } else {
        const std::vector<InterruptedBatch> batches = findInterruptedBatches(fs, state.path());
        ASSERT_EQ(batches.size(), 1u);
        EXPECT_TRUE(
            recoverBatch(fs, state.path(), batches[0], RecoveryAction::Finish).problems.empty());
    }
    EXPECT_GT(renames, 0);
    EXPECT_EQ(unguarded, 0);
    EXPECT_FALSE(std::filesystem::exists(journal));
    const std::vector<HistoryEntry> history = BatchHistory(fs, state.path()).entries();
    ASSERT_FALSE(history.empty());
    ASSERT_TRUE(history.back().record);
    EXPECT_EQ(history.back().record->state, GetParam() == Command::Undo
                                                ? HistoryRecord::State::Undone
                                                : HistoryRecord::State::Done);
}

INSTANTIATE_TEST_SUITE_P(Commands, SharedTailTest,
                         ::testing::Values(Command::Apply, Command::Restore, Command::Recovery,
                                           Command::Undo));

}  // namespace
}  // namespace nameshift::engine
