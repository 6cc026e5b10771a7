#include "cli/CliRunner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "ScopedStateHome.h"
#include "TempDir.h"
#include "cli/CliParser.h"
#include "cli/ExitStatus.h"
#include "engine/contents/TagLibTagReader.h"
#include "platform/StartupDirectory.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"

namespace nameshift::cli {
namespace {

using Names = std::vector<std::string>;
using Op = testing::FaultyFileSystem::Op;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string contentsOf(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, file)) {
        text.append(buffer, got);
    }
    return text;
}

struct StoppedCase {
    std::string name;
    std::vector<std::string> arguments;
    Op op;
    std::string pathPart;  // where the memory runs out
    Names filesAfter;
    bool batchInterrupted;  // its journal kept for `recover`

    friend void PrintTo(const StoppedCase& c, std::ostream* out) { *out << c.name; }
};

const std::string kStopped =
    "Nameshift Pro: The command was stopped: there is not enough memory.\nFiles renamed before it "
    "stopped keep their new names; no other file was renamed.\n";
const std::string kRecoverHint =
    "nameshift-cli: an interrupted batch waits to be undone or finished; see \"nameshift-cli "
    "recover\"\n";

// Settings, three files to rename in "files" and a restore file; the journals of the batches a
// case stops stay in its own state folder.
class StoppedCommandTest : public ::testing::TestWithParam<StoppedCase> {
protected:
    void SetUp() override {
        dir.write("opt.ini", settings::formatProgramOptions({}));
        dir.write("renset.ini",
                  settings::formatRenameSettings(settings::RenameSettings::whenFileMissing()));
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
            dir.write(std::string("files/") + name, name);
        }
        dir.write("undo.dat");
        ASSERT_EQ(::chdir(dir.path().c_str()), 0);
        startDirectory = platform::startupDirectory();
    }

    // The exit status; what went to standard error in `errorText`.
    int run(const std::vector<std::string>& arguments, std::string& errorText) {
        const File output(std::tmpfile());
        const File errors(std::tmpfile());
        const ParseOutcome parsed = CliParser::parse(arguments);
        EXPECT_TRUE(parsed.options);
        const int status =
            CliRunner(fs, tags, output.get(), errors.get(), startDirectory).run(*parsed.options);
        errorText = contentsOf(errors.get());
        return status;
    }

    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    engine::TagLibTagReader tags;
    platform::Result<std::string> startDirectory = std::string();

private:
    testing::ScopedStateHome stateHome_{dir.file("state")};
};

// Wherever a run asks for more memory than there is, it stops there with its message and its
// exit status: what was renamed before stays renamed, nothing after it is touched.
TEST_P(StoppedCommandTest, StopsWithItsMessageAndRenamesNothingAfter) {
    fs.runOutOfMemory(GetParam().op, GetParam().pathPart);
    std::string errors;
    EXPECT_EQ(run(GetParam().arguments, errors), exit_status::kStopped);
    EXPECT_NE(errors.find(kStopped), std::string::npos) << errors;
    EXPECT_EQ(errors.find(kRecoverHint) != std::string::npos, GetParam().batchInterrupted)
        << errors;
    EXPECT_EQ(dir.names("files"), GetParam().filesAfter);
    EXPECT_FALSE(dir.exists("files/restore.dat"));
}

// A batch stopped part way is recovered like one a crash interrupted, and a recovery that runs
// out of memory stops the same way, renaming nothing after, with the batch still recoverable.
TEST_F(StoppedCommandTest, AStoppedBatchAndAStoppedRecoveryAreRecoveredLater) {
    std::string errors;
    fs.runOutOfMemory(Op::Rename, "b.txt");
    ASSERT_EQ(run({"--dir", "files", "--prefix", "x", "apply"}, errors), exit_status::kStopped);
    fs.clearFaults();
    fs.runOutOfMemory(Op::Rename, "xa.txt");
    EXPECT_EQ(run({"recover", "--undo"}, errors), exit_status::kStopped);
    EXPECT_EQ(errors, kStopped + kRecoverHint);
    EXPECT_EQ(dir.names("files"), (Names{"b.txt", "c.txt", "xa.txt"}));
    fs.clearFaults();
    EXPECT_EQ(run({"recover", "--undo"}, errors), exit_status::kDone) << errors;
    EXPECT_EQ(dir.names("files"), (Names{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(run({"recover"}, errors), exit_status::kDone);
    EXPECT_EQ(errors, "");
}

// Without a current folder there is nowhere to work; the message says which step failed.
TEST_F(StoppedCommandTest, AnUnreadableCurrentFolderIsNamedAsTheStepThatFailed) {
    startDirectory = platform::Status::fromErrno(EACCES);
    std::string errors;
    EXPECT_EQ(run({"list"}, errors), exit_status::kRefused);
    EXPECT_EQ(errors, "Nameshift Pro: Cannot read the current folder: " +
                          platform::Status::fromErrno(EACCES).message() + "\n");
}

// A share that can only look a name up before renaming to it is told of once a batch, with
// --verbose alone; one that refuses a rename says so for that file.
TEST_F(StoppedCommandTest, AShareTellsOnceThatItChecksNamesAndWhichRenamesItRefuses) {
    const std::string notice =
        "nameshift-cli: this share cannot refuse to replace files; each name is checked just "
        "before its rename\n";
    fs.namesCheckedJustBefore = true;
    std::string errors;
    EXPECT_EQ(run({"-v", "--dir", "files", "--prefix", "x", "apply"}, errors), exit_status::kDone);
    EXPECT_EQ(errors.find(notice), errors.rfind(notice)) << errors;
    EXPECT_NE(errors.find(notice + "Nameshift Pro: Operation complete\n"), std::string::npos)
        << errors;
    EXPECT_EQ(dir.names("files"), (Names{"restore.dat", "xa.txt", "xb.txt", "xc.txt"}));
    EXPECT_EQ(run({"--dir", "files", "undo"}, errors), exit_status::kDone);
    EXPECT_EQ(errors, "") << "told only with --verbose";

    fs.filesystemType = 0x65735546UL;  // FUSE
    fs.fail(Op::Rename, EPERM, "b.txt");
    EXPECT_EQ(run({"--dir", "files", "--prefix", "y", "--no-restore-file", "apply"}, errors),
              exit_status::kSomeRenamesFailed);
    EXPECT_NE(errors.find("\n\"b.txt\" to \"yb.txt\": not supported by this share\n"),
              std::string::npos)
        << errors;
}

INSTANTIATE_TEST_SUITE_P(Runs, StoppedCommandTest,
                         ::testing::Values(StoppedCase{"RenameInTheMiddleOfABatch",
                                                       {"--dir", "files", "--prefix", "x", "apply"},
                                                       Op::Rename,
                                                       "b.txt",
                                                       {"b.txt", "c.txt", "xa.txt"},
                                                       true},
                                           StoppedCase{"ReadingTheSettings",
                                                       {"--dir", "files", "--saved-rules",
                                                        "--prefix", "x", "apply"},
                                                       Op::Read,
                                                       "renset.ini",
                                                       {"a.txt", "b.txt", "c.txt"},
                                                       false},
                                           StoppedCase{"ListingTheDirectory",
                                                       {"--dir", "files", "--prefix", "x", "apply"},
                                                       Op::List,
                                                       "files",
                                                       {"a.txt", "b.txt", "c.txt"},
                                                       false},
                                           StoppedCase{"ReadingTheRestoreFile",
                                                       {"--dir", "files", "restore", "undo.dat"},
                                                       Op::Read,
                                                       "undo.dat",
                                                       {"a.txt", "b.txt", "c.txt"},
                                                       false}),
                         [](const auto& param) { return param.param.name; });

}  // namespace
}  // namespace nameshift::cli
