#include "engine/commands/RestoreCommand.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "ApplyTestSession.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/records/RestoreFile.h"

namespace nameshift::engine {
namespace {

using platform::Icon;
using Op = testing::FaultyFileSystem::Op;
using Names = std::vector<std::string>;

class RestoreCommandTest : public testing::ApplySessionTest {
protected:
    RestoreCommandTest() {
        dir.makeDirectory("files");
        session.directory = filesDirectory();
    }

    std::string filesDirectory() const { return dir.file("files"); }
    // A restore file at `relative` for the batch (before -> after) in the files directory.
    std::string writeRestoreFile(const std::string& relative, const Names& before,
                                 const Names& after) {
        dir.write(relative, formatRestoreFile({filesDirectory(), before, after}));
        return dir.file(relative);
    }
    // Files "1", "2" and "3" named "n" and the counter from `start` by an apply that writes a
    // restore file.
    void applyNumbered(const char* start) {
        for (const char* name : {"1", "2", "3"}) {
            dir.write(std::string("files/") + name, name);
        }
        tickAll();
        useCounter(start);
        usePrefix("n", settings::Position::Replace);
        session.options.restoreFileUsage = settings::RestoreFileUsage::Create;
        ASSERT_EQ(applyChanges(session), CommandOutcome::Done);
    }
    CommandOutcome restore(const std::string& chosen) {
        picker.choice = chosen;
        return restoreFilenames(session, picker);
    }

    testing::ScriptedPicker picker;
};

TEST_F(RestoreCommandTest, RenamesBackDeletesTheFileAndRefills) {
    dir.write("files/new a", "first");
    dir.write("files/new b", "second");
    const std::string path = writeRestoreFile("files/restore.dat", {"a", "b"}, {"new a", "new b"});
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);

    EXPECT_EQ(restore(path), CommandOutcome::Done);

    EXPECT_EQ(picker.offeredDirectory, filesDirectory()) << "the listed folder";
    EXPECT_EQ(dir.names("files"), (Names{"a", "b"}));
    EXPECT_EQ(dir.read("files/a"), "first");
    EXPECT_EQ(dir.read("files/b"), "second");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Filename(s) Restored");
    EXPECT_EQ(messages.shown[0].caption, "");
    EXPECT_EQ(messages.shown[0].icon, Icon::None);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir.path()))
        << "works on the stored directory itself, the working directory left alone";
    EXPECT_EQ(session.fileList.rowCount(), 2u) << "refilled from the browser's directory";
}

TEST_F(RestoreCommandTest, ExitsWhenTheOptionsSaySo) {
    const std::string path = writeRestoreFile("restore.dat", {}, {});
    session.options.exitAfterRestore = true;
    EXPECT_EQ(restore(path), CommandOutcome::ExitProgram);
    EXPECT_EQ(messages.texts(), (Names{"Filename(s) Restored"}));
    EXPECT_FALSE(dir.exists("restore.dat")) << "a file without pairs is valid and consumed";
}

TEST_F(RestoreCommandTest, CancelledChoiceDoesNothing) {
    writeRestoreFile("restore.dat", {}, {});
    picker.choice.reset();
    EXPECT_EQ(restoreFilenames(session, picker), CommandOutcome::Cancelled);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(dir.exists("restore.dat"));
}

TEST_F(RestoreCommandTest, FileChosenFromAnotherDirectoryRestoresTheStoredOne) {
    dir.write("files/after", "data");
    const std::string path = writeRestoreFile("elsewhere/batch.dat", {"before"}, {"after"});
    EXPECT_EQ(restore(path), CommandOutcome::Done);
    EXPECT_EQ(dir.names("files"), (Names{"before"}));
    EXPECT_TRUE(dir.names("elsewhere").empty()) << "the chosen file is the one deleted";
}

TEST_F(RestoreCommandTest, RelativeChoiceIsTakenFromTheInitialDirectory) {
    dir.write("files/after");
    writeRestoreFile("files/batch.dat", {"before"}, {"after"});
    writeRestoreFile("batch.dat", {"elsewhere"}, {"after"});
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    EXPECT_EQ(restore("batch.dat"), CommandOutcome::Done);
    EXPECT_EQ(dir.names("files"), (Names{"before"}));
    EXPECT_TRUE(dir.exists("batch.dat")) << "not the one of the working directory";
}

class RestoreExtensionTest : public RestoreCommandTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(RestoreExtensionTest, OtherExtensionsAreRefused) {
    dir.write("files/after");
    const std::string path = writeRestoreFile(GetParam(), {"before"}, {"after"});
    EXPECT_EQ(restore(path), CommandOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "You have chosen an invalid restore file!");
    EXPECT_EQ(messages.shown[0].caption, "Invalid Restore File");
    EXPECT_EQ(messages.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(dir.names("files"), (Names{"after"}));
    EXPECT_TRUE(dir.exists(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Choices, RestoreExtensionTest,
                         ::testing::Values("RESTORE.DAT", "restore.Dat", "restore.txt", "dat",
                                           "restore.dat.bak", "my.dat/restore"));

struct CorruptCase {
    const char* label;
    void (*spoil)(std::string& text);
};

class RestoreCorruptTest : public RestoreCommandTest,
                           public ::testing::WithParamInterface<CorruptCase> {};

TEST_P(RestoreCorruptTest, RenamesNothingAndKeepsTheFile) {
    dir.write("files/after", "data");
    dir.write("files/victim", "data");
    std::string text = formatRestoreFile({filesDirectory(), {"before", "x"}, {"after", "victim"}});
    GetParam().spoil(text);
    dir.write("restore.dat", text);
    EXPECT_EQ(restore(dir.file("restore.dat")), CommandOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The restore file is corrupt and cannot be used!");
    EXPECT_EQ(messages.shown[0].caption, platform::kProgramTitle);
    EXPECT_EQ(messages.shown[0].icon, Icon::Stop);
    EXPECT_EQ(dir.names("files"), (Names{"after", "victim"}));
    EXPECT_EQ(dir.read("restore.dat"), text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RestoreCorruptTest,
    ::testing::Values(
        CorruptCase{"LineFeedsOnly", [](std::string& text) { std::erase(text, '\r'); }},
        CorruptCase{"NoTerminator", [](std::string& text) { text.resize(text.size() - 2); }},
        CorruptCase{"Empty", [](std::string& text) { text.clear(); }},
        CorruptCase{"NameOutsideTheDirectory",
                    [](std::string& text) {
                        const std::size_t at = text.find("\"x\"");
                        text.replace(at, 3, "\"../x\"");
                    }},
        CorruptCase{"StoredDirectoryGone",
                    [](std::string& text) {
                        const std::size_t at = text.find("/files\"");
                        text.replace(at, 7, "/gone\"");
                    }}),
    [](const auto& param) { return std::string(param.param.label); });

TEST_F(RestoreCommandTest, UnreadableOrMissingFileIsNamedWithTheSystemsReason) {
    const std::string path = writeRestoreFile("restore.dat", {}, {});
    fs.fail(Op::Read, EACCES);
    EXPECT_EQ(restore(path), CommandOutcome::Refused);
    EXPECT_EQ(messages.texts(), (Names{"Cannot read the restore file \"" + path +
                                       "\": " + platform::Status::fromErrno(EACCES).message()}));
    EXPECT_EQ(messages.shown[0].caption, platform::kProgramTitle);

    messages.shown.clear();
    const std::string gone = dir.file("gone.dat");
    EXPECT_EQ(restore(gone), CommandOutcome::Refused);
    EXPECT_EQ(messages.texts(), (Names{"Cannot read the restore file \"" + gone +
                                       "\": " + platform::Status::fromErrno(ENOENT).message()}));
}

// A usable batch behind a hole of zeros, so that the file is one byte over the limit: read
// whole, it would restore; it is refused from its size before anything is read.
TEST_F(RestoreCommandTest, OversizedFileIsCorrupt) {
    dir.write("files/after", "data");
    const std::string text = formatRestoreFile({filesDirectory(), {"before"}, {"after"}});
    dir.write("restore.dat");
    const int fd = ::open(dir.file("restore.dat").c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    const auto end = static_cast<off_t>(kRestoreFileMaxBytes + 1);
    ASSERT_EQ(::pwrite(fd, text.data(), text.size(), end - static_cast<off_t>(text.size())),
              static_cast<ssize_t>(text.size()));
    ::close(fd);
    EXPECT_EQ(restore(dir.file("restore.dat")), CommandOutcome::Refused);
    EXPECT_EQ(messages.texts(), (Names{"The restore file is corrupt and cannot be used!"}));
    EXPECT_EQ(dir.names("files"), (Names{"after"}));
}

TEST_F(RestoreCommandTest, FailedPairsAreReportedAndKeptForTheNextRestore) {
    dir.write("files/new a", "a");
    dir.write("files/new c", "c");
    dir.write("files/b", "someone else's");  // the name "new b" had was taken since
    const std::string path =
        writeRestoreFile("restore.dat", {"a", "b", "c", "d"}, {"new a", "new b", "new c", "new d"});
    dir.write("files/new b", "b");  // and "new d" was renamed again by hand

    EXPECT_EQ(restore(path), CommandOutcome::Done);

    EXPECT_EQ(dir.names("files"), (Names{"a", "b", "c", "new b"}));
    EXPECT_EQ(dir.read("files/b"), "someone else's");
    EXPECT_EQ(dir.read("files/new b"), "b");
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, "The file \"new d cannot be renamed\n to \"d\".\n\nError: " +
                                          platform::Status::fromErrno(ENOENT).message());
    EXPECT_EQ(messages.shown[0].caption, "Restore Error");
    EXPECT_EQ(messages.shown[0].icon, Icon::Stop);
    EXPECT_EQ(messages.shown[1].text, "The file \"new b cannot be renamed\n to \"b\".\n\nError: " +
                                          platform::Status::fromErrno(EEXIST).message());
    EXPECT_EQ(messages.shown[2].text, "Filename(s) Restored");
    EXPECT_EQ(parseRestoreFile(dir.read("restore.dat")),
              (RestoreRecord{filesDirectory(), {"b", "d"}, {"new b", "new d"}}));
}

TEST_F(RestoreCommandTest, FailedRewriteKeepsTheWholeFile) {
    dir.write("files/new a");
    const std::string path = writeRestoreFile("restore.dat", {"a", "b"}, {"new a", "new b"});
    const std::string before = dir.read("restore.dat");
    fs.fail(Op::Write, ENOSPC, "restore.dat");
    EXPECT_EQ(restore(path), CommandOutcome::Done);
    EXPECT_EQ(messages.texts().at(1), "Cannot save settings! - Reason: Disk is full.");
    EXPECT_EQ(dir.read("restore.dat"), before);
    EXPECT_EQ(dir.names("files"), (Names{"a"}));
}

// Another file took the restore file's name while the names were restored: it is not replaced
// by the pairs left, which the journal keeps instead.
TEST_F(RestoreCommandTest, ARestoreFileReplacedMeanwhileIsLeftAsItIs) {
    dir.write("files/new a");
    const std::string path = writeRestoreFile("restore.dat", {"a", "b"}, {"new a", "new b"});
    bool replaced = false;
    fs.beforeRename = [&](const std::string&, const std::string&) {
        if (!replaced) {
            replaced = true;
            dir.write("other", "someone's");
            std::filesystem::rename(dir.file("other"), path);
        }
    };
    EXPECT_EQ(restore(path), CommandOutcome::Done);
    EXPECT_EQ(dir.read("restore.dat"), "someone's");
    EXPECT_TRUE(lastBatch.recordLost);
    EXPECT_NE(messages.texts().at(1).find("was replaced by another file"), std::string::npos);
}

// A restore of a folder whose files are gone tells the first ten in boxes and the rest in one.
TEST_F(RestoreCommandTest, ManyFailuresAreToldTenAtATimeAndThenInOneList) {
    Names before;
    Names after;
    for (int i = 0; i < 12; ++i) {
        before.push_back("old " + std::to_string(i));
        after.push_back("gone " + std::to_string(i));
    }
    const std::string path = writeRestoreFile("restore.dat", before, after);
    EXPECT_EQ(restore(path), CommandOutcome::Done);
    ASSERT_EQ(messages.shown.size(), 12u);
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(messages.shown[i].caption, "Restore Error");
    }
    const std::string gone = platform::Status::fromErrno(ENOENT).message();
    EXPECT_EQ(messages.shown[10].text,
              "The following file(s) could not be renamed:\n\n\"gone 1\" "
              "to \"old 1\": " +
                  gone + "\n\"gone 0\" to \"old 0\": " + gone);
    EXPECT_EQ(messages.shown[11].text, "Filename(s) Restored");
}

TEST_F(RestoreCommandTest, UndoesChainsInReverseOrder) {
    // The batch renamed x to y, then z to the name x had just given up.
    dir.write("files/y", "x's data");
    dir.write("files/x", "z's data");
    const std::string path = writeRestoreFile("restore.dat", {"x", "z"}, {"y", "x"});
    EXPECT_EQ(restore(path), CommandOutcome::Done);
    EXPECT_EQ(messages.texts(), (Names{"Filename(s) Restored"}));
    EXPECT_EQ(dir.read("files/x"), "x's data");
    EXPECT_EQ(dir.read("files/z"), "z's data");
    EXPECT_FALSE(dir.exists("restore.dat"));
}

TEST_F(RestoreCommandTest, StoppedRestoreKeepsThePairsNotYetDone) {
    Names before;
    Names after;
    for (int i = 0; i < 1500; ++i) {
        before.push_back("old" + std::to_string(i));
        after.push_back("new" + std::to_string(i));
        dir.write("files/" + after.back());
    }
    const std::string path = writeRestoreFile("restore.dat", before, after);
    testing::ScriptedProgress progress;
    progress.stopAfter = 500;
    session.options.exitAfterRestore = true;
    picker.choice = path;

    EXPECT_EQ(restoreFilenames(session, picker, &progress), CommandOutcome::Done);

    EXPECT_EQ(progress.total, 1500u);
    EXPECT_TRUE(progress.finished);
    EXPECT_EQ(messages.texts(), (Names{"Restore cancelled - 500 of 1500 file(s) were restored."}));
    const std::optional<RestoreRecord> left = parseRestoreFile(dir.read("restore.dat"));
    ASSERT_TRUE(left);
    EXPECT_EQ(left->namesBefore, Names(before.begin(), before.begin() + 1000));
    EXPECT_TRUE(dir.exists("files/old1000"));
    EXPECT_TRUE(dir.exists("files/new999"));
}

// What happens to a batch's folder and its restore file between the apply that wrote the file
// and the restore, and what the restore then does. The history's record of the batch names the
// restore file written, and tells the batch's folder and files.
struct ReceiptCase {
    const char* label;
    std::function<void(testing::TempDir&)> meanwhile;
    const char* chosen;  // the restore file then, in the test's folder
    CommandOutcome outcome;
    Names movedNames;     // then in "moved"; "files" keeps its names unless it was copied
    const char* refusal;  // the message, with DIR for the test's folder; empty when restored
};

class RestoreReceiptTest : public RestoreCommandTest,
                           public ::testing::WithParamInterface<ReceiptCase> {};

TEST_P(RestoreReceiptTest, RestoresOnlyTheFilesTheBatchRenamed) {
    const ReceiptCase& c = GetParam();
    applyNumbered("2");  // 1 2 3 -> n2 n3 n4
    ASSERT_EQ(dir.names("files"), (Names{"n2", "n3", "n4", "restore.dat"}));
    c.meanwhile(dir);
    messages.shown.clear();

    EXPECT_EQ(restore(dir.file(c.chosen)), c.outcome);
    std::string refusal = c.refusal;
    for (std::size_t at = 0; (at = refusal.find("DIR", at)) != std::string::npos;) {
        refusal.replace(at, 3, dir.path());
    }
    if (!refusal.empty()) {
        EXPECT_EQ(messages.texts(), (Names{refusal}));
    }
    if (dir.exists("moved")) {
        EXPECT_EQ(dir.names("moved"), c.movedNames);
        EXPECT_EQ(dir.names("files"), (Names{"n2", "n3", "n4", "restore.dat"}))
            << "the copy is not the batch's";
    }
}

void moveFilesAway(testing::TempDir& dir) {
    std::filesystem::rename(dir.file("files"), dir.file("moved"));
}
void moveAndCopyBack(testing::TempDir& dir) {
    moveFilesAway(dir);
    std::filesystem::copy(dir.file("moved"), dir.file("files"));
}

// A restore that could do only some of its pairs keeps the rest in the restore file, which still
// speaks for its batch: moved away with its folder, it restores the moved files, not a copy.
TEST_F(RestoreCommandTest, ARestoreFileRewrittenStillSpeaksForItsBatch) {
    applyNumbered("1");  // 1 2 3 -> n1 n2 n3
    dir.write("files/1", "in the way");
    restore(dir.file("files/restore.dat"));
    ASSERT_EQ(dir.names("files"), (Names{"1", "2", "3", "n1", "restore.dat"}));
    std::filesystem::remove(dir.file("files/1"));
    moveAndCopyBack(dir);

    EXPECT_EQ(restore(dir.file("moved/restore.dat")), CommandOutcome::Done);
    EXPECT_EQ(dir.names("moved"), (Names{"1", "2", "3"}));
    EXPECT_EQ(dir.names("files"), (Names{"2", "3", "n1", "restore.dat"}));
}

INSTANTIATE_TEST_SUITE_P(
    Batches, RestoreReceiptTest,
    ::testing::Values(
        ReceiptCase{"Untouched",
                    [](testing::TempDir&) {},
                    "files/restore.dat",
                    CommandOutcome::Done,
                    {},
                    ""},
        // Undone by hand, and a new file under a name the batch gave: running the pairs would
        // send the files to names they never had.
        ReceiptCase{"FilesRenamedSince",
                    [](testing::TempDir& dir) {
                        for (const char* name : {"n4", "n3", "n2"}) {
                            std::filesystem::rename(
                                dir.file(std::string("files/") + name),
                                dir.file(std::string("files/") + std::to_string(name[1] - '1')));
                        }
                        dir.write("files/n2", "new");
                    },
                    "files/restore.dat",
                    CommandOutcome::Refused,
                    {},
                    "The restore file \"DIR/files/restore.dat\" no longer matches the files in "
                    "\"DIR/files\": 1 of its file(s) were renamed or replaced since it was "
                    "written. Nothing was restored."},
        // The folder moved with its restore file, a copy put under the old path: the copy is
        // not the batch's.
        ReceiptCase{"FolderMovedAndCopiedBack",
                    moveAndCopyBack,
                    "moved/restore.dat",
                    CommandOutcome::Done,
                    {"1", "2", "3"},
                    ""},
        ReceiptCase{"FolderAndRestoreFileMovedApart",
                    [](testing::TempDir& dir) {
                        moveAndCopyBack(dir);
                        dir.makeDirectory("other");
                        std::filesystem::rename(dir.file("moved/restore.dat"),
                                                dir.file("other/restore.dat"));
                    },
                    "other/restore.dat",
                    CommandOutcome::Refused,
                    {"n2", "n3", "n4"},
                    "The files of the restore file \"DIR/other/restore.dat\" are neither in "
                    "\"DIR/files\", the folder it names, nor in \"DIR/other\", the folder it "
                    "is in. Nothing was restored."}),
    [](const auto& test) { return std::string(test.param.label); });

}  // namespace
}  // namespace nameshift::engine
