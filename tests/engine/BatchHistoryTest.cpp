#include "engine/records/BatchHistory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "ApplyTestSession.h"
#include "engine/batch/BatchGuard.h"
#include "engine/commands/UndoCommand.h"
#include "engine/records/RestoreFile.h"
#include "ui/RecoveryOffer.h"

namespace nameshift::engine {
namespace {

using Names = std::vector<std::string>;

// A history scenario: its steps one after the other ("apply PREFIX", "undo", "undo ID", "redo",
// "move FROM TO", "write NAME TEXT" and "delete NAME" outside the program, "cut ID" for a record
// cut short, "bound N" for the number of batches kept, "restore-file" and "history-only" for the
// options, "stopped-write" for a record whose writing was stopped, "record-fails", "history-fails"
// and "journal-stays" for the next batch's restore file, history record or journal removal failing,
// "recover undo|finish" as the start-up offer runs it, "history-full" for the history folder
// taking no file, "record-lost ID" for record ID failing once the renames are done, "meanwhile
// PREFIX" for a batch that gets to the folder just before the next one takes its lock, "edited
// ID head|file" for record ID's head or one of its files written otherwise just then,
// "renumber FROM TO" for a record under another number, "history-open" for others writing to the
// history folder; "reuse NAME" for a new file under NAME that got the number of batch 1's
// file there, "stray" for a leftover temporary name, "remount" for a medium mounted again, "share"
// for a share that numbers every file anew each time it is asked, "sshfs" for one whose listings
// look at every file, "tree" for a file in a subfolder "sub" listed with the folder's,
// "folders" for a folder "trip" holding "c.txt", listed as an entry beside the files,
// "sort-into FOLDER" for a batch that moves every file into FOLDER by a name template,
// "holds NAME TEXT" to check a file's contents); then the folder's names, the last message of the
// last step (the state folder as STATE) and the history, "ID state" a batch.
struct HistoryCase {
    std::string name;
    std::vector<std::string> steps;
    Names names;
    std::string message;
    std::string history;

    friend void PrintTo(const HistoryCase& c, std::ostream* out) { *out << c.name; }
};

class HistoryTest : public testing::ApplySessionTest,
                    public ::testing::WithParamInterface<HistoryCase> {
protected:
    void SetUp() override {
        session.options.restoreFileUsage = settings::RestoreFileUsage::None;
        dir.write("a.txt", "a");
        dir.write("b.txt", "b");
    }

    void run(const std::string& step) {
        std::istringstream words(step);
        std::string verb;
        std::string first;
        std::string second;
        words >> verb >> first >> second;
        if (verb == "apply") {
            tickAll();
            usePrefix(first);
            applyChanges(session);
        } else if (verb == "undo") {
            concluded(session,
                      undoBatch(session,
                                first.empty() ? std::nullopt : std::optional(std::stoull(first))));
        } else if (verb == "redo") {
            concluded(session, redoBatch(session));
        } else if (verb == "move") {
            std::filesystem::rename(dir.file(first), dir.file(second));
        } else if (verb == "write") {
            dir.write(first, second);
        } else if (verb == "delete") {
            std::filesystem::remove(dir.file(first));
        } else if (verb == "cut") {
            const std::string path = BatchHistory(fs, state.path()).pathOf(std::stoull(first));
            std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
        } else if (verb == "restore-file" || verb == "history-only") {
            session.options.restoreFileUsage = settings::RestoreFileUsage::Create;
            session.rules.historyOnly = verb == "history-only";
        } else if (verb == "stopped-write") {
            state.write("history/.0000000009.batch.0123456789abcdef~", "nameshift history 1\n");
        } else if (verb == "bound") {
            session.rules.historyBatches = first;
        } else if (verb == "record-fails") {
            session.options.restoreFileUsage = settings::RestoreFileUsage::Create;
            fs.fail(testing::FaultyFileSystem::Op::Write, EACCES, kRestoreFileName, 1);
        } else if (verb == "history-fails") {
            fs.fail(testing::FaultyFileSystem::Op::Write, EACCES, "/history/", 1);
        } else if (verb == "journal-stays") {
            fs.fail(testing::FaultyFileSystem::Op::Remove, EACCES, kJournalSuffix, 1);
        } else if (verb == "history-full") {
            fs.fail(testing::FaultyFileSystem::Op::Write, ENOSPC, "/history/", 1);
        } else if (verb == "record-lost") {
            const std::string path = BatchHistory(fs, state.path()).pathOf(std::stoull(first));
            fs.fail(testing::FaultyFileSystem::Op::Write, ENOSPC, path, 1);
        } else if (verb == "meanwhile") {
            fs.beforeLock = [this, first] { run("apply " + first); };
        } else if (verb == "edited") {
            fs.beforeLock = [this, first, second] { editRecord(std::stoull(first), second); };
        } else if (verb == "renumber") {
            const BatchHistory history(fs, state.path());
            std::filesystem::rename(history.pathOf(std::stoull(first)),
                                    history.pathOf(std::stoull(second)));
        } else if (verb == "history-open") {
            std::filesystem::permissions(state.file("history"), std::filesystem::perms::all);
        } else if (verb == "reuse") {
            const std::string path = BatchHistory(fs, state.path()).pathOf(1);
            std::ifstream in(path, std::ios::binary);
            std::optional<HistoryRecord> record =
                parseHistoryRecord(std::string{std::istreambuf_iterator<char>(in), {}});
            ASSERT_TRUE(record);
            std::filesystem::remove(dir.file(first));
            dir.write(first, "new document");
            struct stat info {};
            ASSERT_EQ(::stat(dir.file(first).c_str(), &info), 0);
            for (JournalEntry& entry : record->journal.entries) {
                if (entry.original == first || entry.final == first) {
                    entry.inode = info.st_ino;
                }
            }
            std::ofstream(path, std::ios::binary | std::ios::trunc) << formatHistoryRecord(*record);
        } else if (verb == "stray") {
            dir.write(".nameshift-0123456789abcdef-1", "stray");
        } else if (verb == "sort-into") {
            tickAll();
            session.rules.nameTemplate = first + "/{name}";
            applyChanges(session);
            session.rules.nameTemplate.clear();
        } else if (verb == "tree") {
            dir.makeDirectory("sub");
            dir.write("sub/c.txt", "c");
            session.fileList.setSubfolderDepth(FileList::kAllLevels);
        } else if (verb == "folders") {
            dir.makeDirectory("trip");
            dir.write("trip/c.txt", "c");
            session.fileList.setAttributeMask(platform::attribute::kArchive |
                                              platform::attribute::kFolder);
        } else if (verb == "remount") {
            fs.mountAgain();
        } else if (verb == "share") {
            fs.numberAnew();
        } else if (verb == "sshfs") {
            fs.lookAtListedFiles();
        } else if (verb == "holds") {
            std::string rest;
            std::getline(words, rest);
            EXPECT_EQ(dir.read(first), second + rest) << first;
        } else if (verb == "recover") {
            messages.answers = {first == "undo" ? platform::Answer::Yes : platform::Answer::No};
            ui::offerRecovery(fs, messages, state.path(), nullptr, historyBoundOf(session.rules));
        }
    }

    // Writes record `id` again with its head's time, or its last file's size, one more.
    void editRecord(std::uint64_t id, const std::string& part) {
        const std::string path = BatchHistory(fs, state.path()).pathOf(id);
        std::ifstream in(path, std::ios::binary);
        std::optional<HistoryRecord> record =
            parseHistoryRecord(std::string{std::istreambuf_iterator<char>(in), {}});
        ASSERT_TRUE(record);
        ++(part == "head" ? record->time : record->journal.entries.back().traits.size);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << formatHistoryRecord(*record);
    }

    std::string history() {
        std::string listed;
        for (const HistoryEntry& entry : BatchHistory(fs, state.path()).entries()) {
            listed += (listed.empty() ? "" : ",") + std::to_string(entry.id) + " " +
                      (!entry.record                                       ? "unreadable"
                       : entry.record->state == HistoryRecord::State::Done ? "done"
                                                                           : "undone");
        }
        return listed;
    }
};

TEST_P(HistoryTest, UndoesAndRedoesBatchesInTheirOrder) {
    for (const std::string& step : GetParam().steps) {
        if (!step.starts_with("holds")) {
            messages.shown.clear();
        }
        run(step);
    }
    EXPECT_EQ(dir.names(), GetParam().names);
    std::string message = messages.shown.empty() ? "" : messages.shown.back().text;
    if (const auto at = message.find(state.path()); at != std::string::npos) {
        message.replace(at, state.path().size(), "STATE");
    }
    EXPECT_EQ(message, GetParam().message);
    EXPECT_EQ(history(), GetParam().history);
    // Every file of the history folder is a record listed.
    if (!GetParam().history.empty()) {
        EXPECT_EQ(state.names("history").size(),
                  std::count(GetParam().history.begin(), GetParam().history.end(), ' '));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, HistoryTest,
    ::testing::Values(
        HistoryCase{
            "UndoLast", {"apply x_", "undo"}, {"a.txt", "b.txt"}, "Batch 1 undone.", "1 undone"},
        HistoryCase{"EarlierBatchWaitsForTheLaterOne",
                    {"apply x_", "apply y_", "undo 1"},
                    {"y_x_a.txt", "y_x_b.txt"},
                    "Batch 1 cannot be undone yet: batch 2 renamed some of its files since. Undo "
                    "batch 2 first. Nothing was renamed.",
                    "1 done,2 done"},
        HistoryCase{"UndoneInOrder",
                    {"apply x_", "apply y_", "undo", "undo 1"},
                    {"a.txt", "b.txt"},
                    "Batch 1 undone.",
                    "1 undone,2 undone"},
        HistoryCase{"Redo",
                    {"apply x_", "undo", "redo"},
                    {"x_a.txt", "x_b.txt"},
                    "Batch 1 redone.",
                    "1 done"},
        HistoryCase{"RedoEndsWithANewBatch",
                    {"apply x_", "undo", "apply y_", "redo"},
                    {"y_a.txt", "y_b.txt"},
                    "Batch 1 cannot be redone: batch 2 ran in its folder since it was undone. "
                    "Nothing was renamed.",
                    "1 undone,2 done"},
        HistoryCase{"FileRenamedOutsideIsFoundByItsInode",
                    {"apply x_", "move x_a.txt moved.txt", "undo"},
                    {"a.txt", "b.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"GoneFileIsReported",
                    {"apply x_", "delete x_a.txt", "undo 1"},
                    {"b.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"CutRecordIsListedAndNeverActedOn",
                    {"apply x_", "cut 1", "undo 1"},
                    {"x_a.txt", "x_b.txt"},
                    "The record of batch 1 cannot be read, so the batch cannot be undone.",
                    "1 unreadable"},
        HistoryCase{"AStoppedWriteIsClearedAway",
                    {"apply x_", "stopped-write", "apply y_"},
                    {"y_x_a.txt", "y_x_b.txt"},
                    "Operation complete",
                    "1 done,2 done"},
        HistoryCase{"BoundDropsTheOldest",
                    {"bound 2", "apply x_", "apply y_", "apply z_"},
                    {"z_y_x_a.txt", "z_y_x_b.txt"},
                    "Operation complete",
                    "2 done,3 done"},
        HistoryCase{"RestoreFileBesideTheHistory",
                    {"restore-file", "apply x_"},
                    {"restore.dat", "x_a.txt", "x_b.txt"},
                    "Operation complete",
                    "1 done"},
        HistoryCase{"UndoTakesTheBatchsRestoreFileAway",
                    {"restore-file", "apply x_", "undo"},
                    {"a.txt", "b.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"HistoryOnly",
                    {"history-only", "apply x_", "undo"},
                    {"a.txt", "b.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"HistoryOnlyLeavesAnEarlierRestoreFileItsName",
                    {"restore-file", "apply x_", "history-only", "apply y_"},
                    {"restore.dat", "y_x_a.txt", "y_x_b.txt"},
                    "Operation complete",
                    "1 done,2 done"},
        HistoryCase{"RecoveryKeepsTheUsersBound",
                    {"bound 1", "apply x_", "record-fails", "apply y_", "recover finish"},
                    {"restore.dat", "y_x_a.txt", "y_x_b.txt"},
                    "0 file(s) renamed; the batch is finished.",
                    "2 done"},
        HistoryCase{"ABatchWhoseJournalStayedIsRecordedOnce",
                    {"journal-stays", "apply x_", "recover finish"},
                    {"x_a.txt", "x_b.txt"},
                    "0 file(s) renamed; the batch is finished.",
                    "1 done"},
        HistoryCase{"AnInterruptedUndoFinishedLeavesItsBatchUndone",
                    {"apply x_", "history-fails", "undo", "recover finish"},
                    {"a.txt", "b.txt"},
                    "0 file(s) renamed; the batch is finished.",
                    "1 undone"},
        HistoryCase{"AnInterruptedUndoTakenBackLeavesItsBatchDone",
                    {"apply x_", "journal-stays", "undo", "recover undo"},
                    {"x_a.txt", "x_b.txt"},
                    "2 file(s) renamed back.",
                    "1 done"},
        HistoryCase{"AnInterruptedUndoTakenBackKeepsTheRestoreFile",
                    {"restore-file", "apply x_", "history-fails", "undo", "recover undo"},
                    {"restore.dat", "x_a.txt", "x_b.txt"},
                    "2 file(s) renamed back.",
                    "1 done"},
        HistoryCase{"RedoWritesTheRestoreFileAgain",
                    {"restore-file", "apply x_", "undo", "redo"},
                    {"restore.dat", "x_a.txt", "x_b.txt"},
                    "Batch 1 redone.",
                    "1 done"},
        HistoryCase{"RedoKeepsTheRecordOnlyInTheHistory",
                    {"restore-file", "apply x_", "undo", "history-only", "redo"},
                    {"x_a.txt", "x_b.txt"},
                    "Batch 1 redone.",
                    "1 done"},
        HistoryCase{"AFullHistoryRefusesTheBatch",
                    {"apply x_", "history-full", "apply y_"},
                    {"x_a.txt", "x_b.txt"},
                    "Cannot continue - the history folder \"STATE/history\" cannot take the "
                    "record of this batch: No space left on device. Without its record the batch "
                    "could not be undone. Make room there or make it writable, and try again. "
                    "Nothing was renamed.",
                    "1 done"},
        HistoryCase{"ARecordLostAfterTheRenamesKeepsTheJournalForTheRecovery",
                    {"apply x_", "record-lost 2", "apply y_", "recover finish", "undo"},
                    {"x_a.txt", "x_b.txt"},
                    "Batch 2 undone.",
                    "1 done,2 undone"},
        HistoryCase{"UndoNeverPassesOverAnUnreadableNewerRecord",
                    {"apply x_", "apply y_", "cut 2", "undo 1"},
                    {"y_x_a.txt", "y_x_b.txt"},
                    "The record of batch 2, \"STATE/history/0000000002.batch\", cannot be read, "
                    "so neither it nor a batch before it can be undone: it may have renamed their "
                    "files since. Check the files it named, move the record away and try again. "
                    "Nothing was renamed.",
                    "1 done,2 unreadable"},
        HistoryCase{"ABatchThatRanBeforeTheLockIsSeenUnderIt",
                    {"apply x_", "meanwhile y_", "undo 1"},
                    {"y_x_a.txt", "y_x_b.txt"},
                    "Batch 1 cannot be undone yet: batch 2 renamed some of its files since. Undo "
                    "batch 2 first. Nothing was renamed.",
                    "1 done,2 done"},
        HistoryCase{"ARecordWrittenOtherwiseBeforeTheLockIsNotUndone",
                    {"apply x_", "edited 1 head", "undo"},
                    {"x_a.txt", "x_b.txt"},
                    "The history changed while batch 1 was looked up. Nothing was renamed; try "
                    "again.",
                    "1 done"},
        HistoryCase{"ARecordWhoseFileIsWrittenOtherwiseBeforeTheLockIsNotUndone",
                    {"apply x_", "edited 1 file", "undo"},
                    {"x_a.txt", "x_b.txt"},
                    "The history changed while batch 1 was looked up. Nothing was renamed; try "
                    "again.",
                    "1 done"},
        HistoryCase{"ARecordPastTenDigitsIsListed",
                    {"apply x_", "renumber 1 9999999999", "apply y_", "undo"},
                    {"x_a.txt", "x_b.txt"},
                    "Batch 10000000000 undone.",
                    "9999999999 done,10000000000 undone"},
        HistoryCase{"AHistoryOthersMayWriteToIsRefused",
                    {"apply x_", "history-open", "undo"},
                    {"x_a.txt", "x_b.txt"},
                    "Cannot continue - the history folder \"STATE/history\" belongs to another "
                    "user or others may write to it. Make it yours alone (chmod 700) and try "
                    "again. Nothing was renamed.",
                    "1 done"},
        HistoryCase{"AnUndoTakenBackAtItsLastStepGetsItsRestoreFileBack",
                    {"restore-file", "apply x_", "journal-stays", "undo", "recover undo"},
                    {"restore.dat", "x_a.txt", "x_b.txt"},
                    "2 file(s) renamed back.",
                    "1 done"},
        HistoryCase{"TheLastUndoTakesTheRestoreFileOfARedoThatFoundAFileGone",
                    {"restore-file", "apply x_", "undo", "delete a.txt", "redo", "undo"},
                    {"b.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"TheLastUndoTakesTheRestoreFileOfARedoThatFoundAFileMoved",
                    {"restore-file", "apply x_", "undo", "move a.txt c.txt", "redo", "undo"},
                    {"a.txt", "b.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{
            "NothingToUndo", {"undo"}, {"a.txt", "b.txt"}, "There is no batch to undo.", ""},
        HistoryCase{"AFileMadeSinceWithTheOldInodeIsLeftAlone",
                    {"apply z_", "reuse z_b.txt", "undo", "holds z_b.txt new document"},
                    {"a.txt", "z_b.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"RedoLeavesAFileMadeSinceAlone",
                    {"apply z_", "undo", "reuse b.txt", "redo", "holds b.txt new document"},
                    {"b.txt", "z_a.txt"},
                    "Batch 1 redone.",
                    "1 done"},
        HistoryCase{"FilesSwappedByHandGoBackEachToItsOwnName",
                    {"apply z_", "move z_a.txt t", "move z_b.txt z_a.txt", "move t z_b.txt", "undo",
                     "holds a.txt a", "holds b.txt b"},
                    {"a.txt", "b.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"AStrayTemporaryIsNotTheMissingFile",
                    {"apply z_", "delete z_b.txt", "stray", "undo"},
                    {".nameshift-0123456789abcdef-1", "a.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"AMediumMountedAgainStillUndoesAndRedoes",
                    {"apply x_", "remount", "undo", "remount", "redo"},
                    {"x_a.txt", "x_b.txt"},
                    "Batch 1 redone.",
                    "1 done"},
        HistoryCase{"OnAShareWithoutFileNumbersNamesAndEvidenceDecide",
                    {"apply x_", "share", "undo", "redo"},
                    {"x_a.txt", "x_b.txt"},
                    "Batch 1 redone.",
                    "1 done"},
        HistoryCase{"OnAShareAFileMovedByHandIsNotGuessed",
                    {"share", "apply x_", "move x_a.txt moved.txt", "undo"},
                    {"b.txt", "moved.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{
            "OnAShareFilesSwappedByHandAreLeftAlone",
            // Two files written in one tick of the clock differ by their sizes alone.
            {"share", "write b.txt bee", "apply z_", "move z_a.txt t", "move z_b.txt z_a.txt",
             "move t z_b.txt", "undo", "holds z_a.txt bee", "holds z_b.txt a"},
            {"z_a.txt", "z_b.txt"},
            "Batch 1 undone.",
            "1 undone"},
        HistoryCase{"AFolderIsUndoneAndRedoneAsAFileIs",
                    {"folders", "restore-file", "apply x_", "holds x_trip/c.txt c", "undo",
                     "holds trip/c.txt c", "redo"},
                    {"restore.dat", "x_a.txt", "x_b.txt", "x_trip"},
                    "Batch 1 redone.",
                    "1 done"},
        HistoryCase{"OnAShareAFolderWrittenToSinceIsStillTheFolder",
                    // A folder's size and time change with its entries; they are no evidence.
                    {"share", "folders", "apply x_", "write x_trip/new.txt n", "undo"},
                    {"a.txt", "b.txt", "trip"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"ASubfolderIsUndoneAndRedoneWithItsFolder",
                    {"tree", "restore-file", "apply x_", "holds sub/x_c.txt c", "undo",
                     "holds sub/c.txt c", "redo", "holds sub/x_c.txt c"},
                    {"restore.dat", "sub", "x_a.txt", "x_b.txt"},
                    "Batch 1 redone.",
                    "1 done"},
        HistoryCase{"FilesMovedIntoNewFoldersGoBackAndTheFoldersGo",
                    {"sort-into new/deep", "holds new/deep/a.txt a", "undo", "redo",
                     "holds new/deep/b.txt b", "undo"},
                    {"a.txt", "b.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"AFolderTheUserFilledSinceStays",
                    {"sort-into new", "write new/mine.txt mine", "undo", "holds new/mine.txt mine"},
                    {"a.txt", "b.txt", "new"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"AnInterruptedUndoOfAMoveTakenBackMakesItsFolderAgain",
                    {"sort-into new", "journal-stays", "undo", "recover undo", "holds new/a.txt a"},
                    {"new"},
                    "2 file(s) renamed back.",
                    "1 done"},
        HistoryCase{
            "AFileRenamedByHandInItsSubfolderIsFound",
            {"tree", "apply x_", "move sub/x_c.txt sub/moved.txt", "undo", "holds sub/c.txt c"},
            {"a.txt", "b.txt", "sub"},
            "Batch 1 undone.",
            "1 undone"},
        HistoryCase{"OnAShareAFileMadeSinceUnderTheBatchsNameIsLeftAlone",
                    {"share", "apply z_", "delete z_b.txt", "write z_b.txt new", "undo",
                     "holds z_b.txt new"},
                    {"a.txt", "z_b.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        // What the listing saw of each file stands for a look at it, and tells it as well.
        HistoryCase{
            "OnAShareWhoseListingLooksFilesSwappedByHandAreLeftAlone",
            {"sshfs", "write b.txt bee", "apply z_", "move z_a.txt t", "move z_b.txt z_a.txt",
             "move t z_b.txt", "undo", "holds z_a.txt bee", "holds z_b.txt a"},
            {"z_a.txt", "z_b.txt"},
            "Batch 1 undone.",
            "1 undone"},
        HistoryCase{"OnAShareWhoseListingLooksAFileMadeSinceIsLeftAlone",
                    {"sshfs", "apply z_", "delete z_b.txt", "write z_b.txt new", "undo",
                     "holds z_b.txt new"},
                    {"a.txt", "z_b.txt"},
                    "Batch 1 undone.",
                    "1 undone"},
        HistoryCase{"OnAShareWhoseListingLooksBatchesAreUndoneAndRedone",
                    {"sshfs", "apply x_", "undo", "redo"},
                    {"x_a.txt", "x_b.txt"},
                    "Batch 1 redone.",
                    "1 done"}),
    [](const auto& test) { return test.param.name; });

// On a share each look at a file is a round trip: where the listing looked at every file, the
// batch and its undo look at none again.
TEST_F(HistoryTest, OnAShareWhoseListingLooksNoFileIsLookedAtAgain) {
    for (int i = 0; i < 20; ++i) {
        dir.write("file " + std::to_string(i), std::string(static_cast<std::size_t>(i) + 2, 'x'));
    }
    run("sshfs");
    for (const std::string step : {"apply x_", "undo"}) {
        const int before = fs.identifications;
        run(step);
        EXPECT_LT(fs.identifications - before, 5) << step;
    }
    EXPECT_EQ(dir.names().front(), "a.txt");
    EXPECT_EQ(history(), "1 undone");
}

// A file made since under the batch's name is named as replaced, not as the batch's.
TEST_F(HistoryTest, AReplacedFileIsNamed) {
    run("apply z_");
    run("reuse z_b.txt");
    messages.shown.clear();
    run("undo");
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front().text,
              "\"z_b.txt\": the file was replaced since by another file, which is left as it is.");
}

// A gone file is told by the name the batch gave it.
TEST_F(HistoryTest, AGoneFileIsNamed) {
    run("apply x_");
    run("delete x_a.txt");
    messages.shown.clear();
    run("undo");
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front().text, "\"x_a.txt\": the file is gone.");
}

// A redo tells of a file gone as a redo.
TEST_F(HistoryTest, ARedoSpeaksAsARedo) {
    run("apply x_");
    run("undo");
    run("delete a.txt");
    messages.shown.clear();
    run("redo");
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front().caption, "Redo");
    EXPECT_EQ(messages.shown.front().text, "\"a.txt\": the file is gone.");
}

// Whatever its length, a newer record cut short stops the undo of the batch before it.
TEST_F(HistoryTest, NoCutOfANewerRecordLetsTheBatchBeforeItBeUndone) {
    run("apply x_");
    run("apply y_");
    const std::string path = BatchHistory(fs, state.path()).pathOf(2);
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text.substr(0, cut);
        run(cut % 2 == 0 ? "undo" : "undo 1");
        ASSERT_EQ(dir.names(), (Names{"y_x_a.txt", "y_x_b.txt"})) << cut;
    }
}

// The record is its journal and a short list of what was done; no cut of it reads back.
TEST_F(HistoryTest, ARecordIsItsJournalAndALittleMoreAndNoCutOfItReads) {
    for (int i = 0; i < 50; ++i) {
        dir.write("file" + std::to_string(i) + ".txt");
    }
    run("apply x_");
    std::ifstream in(BatchHistory(fs, state.path()).pathOf(1), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    const std::optional<HistoryRecord> record = parseHistoryRecord(text);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->done.size(), 52u);
    const std::string journal = formatJournal(record->journal);
    EXPECT_TRUE(text.ends_with(journal));
    EXPECT_LE(text.size() * 5, journal.size() * 6);
    EXPECT_EQ(formatHistoryRecord(*record), text);
    for (std::size_t cut = 0; cut < text.size(); ++cut) {
        EXPECT_FALSE(parseHistoryRecord(std::string_view(text).substr(0, cut))) << cut;
    }
    // A batch that keeps no restore file is written as the first version wrote it; one that
    // keeps one names it in the head, where a look at the file's start finds it.
    EXPECT_EQ(historyRestoreFile(text), RecordedRestoreFile{});
    HistoryRecord named = *record;
    named.restoreFile = {1, 2, 3};
    const std::string second = formatHistoryRecord(named);
    EXPECT_EQ(parseHistoryRecord(second), named);
    EXPECT_EQ(historyRestoreFile(second.substr(0, kHistoryHeadBytes)), named.restoreFile);
}

// A new head over a record far larger than a piece of a write leaves every byte of its journal.
TEST_F(HistoryTest, ANewHeadKeepsALargeJournalWhole) {
    Journal journal;
    journal.directory = dir.path();
    for (std::uint64_t i = 0; i < 4000; ++i) {
        const std::string name = std::to_string(i) + std::string(120, 'n');
        journal.entries.push_back({i + 1, name, "x_" + name, {true, i, 7, 9}});
    }
    HistoryRecord record;
    record.done = {0, 3999};
    BatchHistory history(fs, state.path());
    const std::optional<std::uint64_t> id = history.add(record, journalContents(journal));
    ASSERT_TRUE(id);
    record.state = HistoryRecord::State::Undone;
    record.undoneAtNs = 5;
    ASSERT_TRUE(history.replaceHead(*id, record));
    std::ifstream in(history.pathOf(*id), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(text.size(), std::size_t{1} << 20);
    EXPECT_EQ(text, formatHistoryHead(record) + formatJournal(journal));
}

}  // namespace
}  // namespace nameshift::engine
