#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QXmlStreamReader>

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "AudioFiles.h"
#include "CliProcess.h"
#include "Id3Bytes.h"
#include "ScopedStateHome.h"
#include "TempDir.h"
#include "engine/records/RestoreFile.h"
#include "platform/Status.h"
#include "settings/Id3OptionsFile.h"
#include "settings/MoreRulesFile.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"
#include "settings/SettingsFileAccess.h"

namespace nameshift::testing {
namespace {

using Names = std::vector<std::string>;
using settings::RenameSettings;

// A settings file as the dialog program saves it, from the settings tests' golden files.
std::string goldenSettings(const std::string& name) {
    std::ifstream in(NAMESHIFT_SETTINGS_GOLDEN_DIR "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A restore file as the dialog program writes it, byte for byte: the layout that the engine's
// golden restore file pins down.
std::string restoreFileText(const std::string& directory,
                            const std::vector<std::pair<std::string, std::string>>& pairs) {
    engine::RestoreRecord record{directory, {}, {}};
    for (const auto& [before, after] : pairs) {
        record.namesBefore.push_back(before);
        record.namesAfter.push_back(after);
    }
    return engine::formatRestoreFile(record);
}

constexpr const char* kSettings = ".config/nameshift/";

// Each run works in a fresh directory holding the user's settings folder with the three settings
// files and a folder "files" whose files, each holding its own name, are renamed.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override { writeSettings({}, RenameSettings::whenFileMissing()); }

    void writeSettings(const settings::ProgramOptions& options, const RenameSettings& rules) {
        dir.write(std::string(kSettings) + "opt.ini", settings::formatProgramOptions(options));
        dir.write(std::string(kSettings) + "ID3Opts.ini", settings::formatId3Options({}));
        dir.write(std::string(kSettings) + "renset.ini", settings::formatRenameSettings(rules));
    }
    void removeSettings() {
        for (const char* name : {"opt.ini", "ID3Opts.ini", "renset.ini"}) {
            std::filesystem::remove(dir.file(std::string(kSettings) + name));
        }
    }
    void makeFiles(const Names& names) {
        dir.makeDirectory("files");
        for (const std::string& name : names) {
            dir.write("files/" + name, name);
        }
    }
    CliRun cli(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--dir", "files"});
        return runCli(arguments, dir.path());
    }
    Names files() const { return dir.names("files"); }
    std::string filesPath() const { return std::filesystem::canonical(dir.file("files")); }

    TempDir dir;

private:
    testing::ScopedStateHome stateHome_{dir.file("state")};
};

TEST_F(CliTest, PreviewPrintsTheSelectedPairsInListOrder) {
    makeFiles({"B.txt", "c d.log", "a.txt", "skip.bin"});
    const CliRun run = cli({"--sort", "name", "--select", "*.txt", "--select", "c*", "--prefix",
                            "new ", "--counter", "1,2", "--counter-digits", "3", "--counter-at",
                            "append", "--title", "preview"});
    std::ifstream golden(NAMESHIFT_CLI_GOLDEN_DIR "/preview-rules.golden", std::ios::binary);
    EXPECT_EQ(run.output, std::string(std::istreambuf_iterator<char>(golden), {}));
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(run.exitStatus, 0);
}

TEST_F(CliTest, PreviewListsTheFilesApplyWouldNotRenameOnStandardError) {
    makeFiles({"a.txt", "b.txt", "xb.txt"});
    const CliRun run = cli({"--select", "?.txt", "--prefix", "x", "preview"});
    EXPECT_EQ(run.output, "a.txt\txa.txt\nb.txt\txb.txt\n");
    EXPECT_EQ(run.errors,
              "Duplicate Filenames: Cannot continue - the new file name \"xb.txt\" is taken in "
              "this folder by a file or folder that the batch does not rename.\n\"b.txt\" to "
              "\"xb.txt\"\n\"b.txt\" to \"xb.txt\": " +
                  platform::Status::fromErrno(EEXIST).message() + "\n");
    EXPECT_EQ(run.exitStatus, 2) << "apply would refuse";
}

TEST_F(CliTest, NulSeparatedOutputKeepsTheExactBytesOfEveryName) {
    const Names names = {"line\nbreak.txt", "tab\there.txt", "\xff\xfe.txt"};
    makeFiles(names);
    std::string listed;
    std::string pairs;
    for (const std::string& name : names) {
        listed += name + '\0';
        pairs += name + '\0' + "x" + name + '\0';
    }
    EXPECT_EQ(cli({"list", "-0"}).output, listed);
    EXPECT_EQ(cli({"--null", "--prefix", "x", "preview"}).output, pairs);
}

TEST_F(CliTest, ApplyWritesTheDialogsRestoreFileAndRestoreUndoesIt) {
    makeFiles({"a.txt", "b.txt"});
    const CliRun applied = cli({"--prefix", "x_", "apply"});
    EXPECT_EQ(applied.exitStatus, 0);
    EXPECT_EQ(applied.errors, "");
    EXPECT_EQ(files(), (Names{"restore.dat", "x_a.txt", "x_b.txt"}));
    EXPECT_EQ(dir.read("files/restore.dat"),
              restoreFileText(filesPath(), {{"a.txt", "x_a.txt"}, {"b.txt", "x_b.txt"}}));

    const CliRun restored = runCli({"restore", "files/restore.dat"}, dir.path());
    EXPECT_EQ(restored.exitStatus, 0);
    EXPECT_EQ(restored.errors, "");
    EXPECT_EQ(files(), (Names{"a.txt", "b.txt"}));
    EXPECT_EQ(dir.read("files/a.txt"), "a.txt");
}

// A second batch in the folder keeps the first one's record out of its renames; its own record,
// readable by the user alone, replaces it and undoes the second batch.
TEST_F(CliTest, ASecondBatchLeavesTheRestoreFileAloneAndCanBeUndone) {
    makeFiles({"a.txt", "b.txt"});
    EXPECT_EQ(cli({"--prefix", "x_", "apply"}).exitStatus, 0);
    const CliRun second = cli({"--yes", "--prefix", "y_", "apply"});
    EXPECT_EQ(second.exitStatus, 0);
    EXPECT_EQ(files(), (Names{"restore.dat", "y_x_a.txt", "y_x_b.txt"}));
    EXPECT_EQ(std::filesystem::status(dir.file("files/restore.dat")).permissions() &
                  std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(runCli({"restore", "files/restore.dat"}, dir.path()).exitStatus, 0);
    EXPECT_EQ(files(), (Names{"x_a.txt", "x_b.txt"}));
}

// Each batch stays in the history; undo takes the last one back, an earlier one waits for the
// later one that renamed its files again, and redo renames them again.
TEST_F(CliTest, HistoryListsEveryBatchThatUndoAndRedoTakeBackAndForth) {
    makeFiles({"a.txt", "b.txt"});
    EXPECT_EQ(cli({"--no-restore-file", "--prefix", "x_", "apply"}).exitStatus, 0);
    EXPECT_EQ(cli({"--no-restore-file", "--prefix", "y_", "apply"}).exitStatus, 0);
    const CliRun listed = runCli({"history"}, dir.path());
    EXPECT_EQ(listed.exitStatus, 0);
    std::istringstream lines(listed.output);
    for (const char* id : {"1\t", "2\t"}) {
        std::string line;
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_TRUE(line.starts_with(id)) << line;
        EXPECT_TRUE(line.ends_with("\t" + filesPath() + "\t2\tdone")) << line;
    }
    const CliRun blocked = runCli({"undo", "1"}, dir.path());
    EXPECT_EQ(blocked.exitStatus, 2);
    EXPECT_EQ(blocked.errors,
              "Undo: Batch 1 cannot be undone yet: batch 2 renamed some of its "
              "files since. Undo batch 2 first. Nothing was renamed.\n");
    EXPECT_EQ(runCli({"undo"}, dir.path()).exitStatus, 0);
    EXPECT_EQ(runCli({"undo", "1"}, dir.path()).exitStatus, 0);
    EXPECT_EQ(files(), (Names{"a.txt", "b.txt"}));
    EXPECT_EQ(runCli({"redo"}, dir.path()).exitStatus, 0);
    EXPECT_EQ(files(), (Names{"x_a.txt", "x_b.txt"}));
}

// Left out unticked or by a filter, a file keeps its name from the batch.
TEST_F(CliTest, ACollisionWithAFileLeftOutRefusesTheBatchBeforeAnyRename) {
    makeFiles({"a.txt", "b.txt", "x_b.txt"});
    for (const char* leftOut : {"--select", "--include"}) {
        const CliRun refused =
            cli({leftOut, leftOut[2] == 's' ? "[ab].txt" : "^[ab]\\.", "--prefix", "x_", "apply"});
        EXPECT_EQ(refused.exitStatus, 2);
        EXPECT_EQ(refused.errors,
                  "Duplicate Filenames: Cannot continue - the new file name \"x_b.txt\" is taken "
                  "in this folder by a file or folder that the batch does not rename.\n\"b.txt\" "
                  "to \"x_b.txt\"\n");
        EXPECT_EQ(files(), (Names{"a.txt", "b.txt", "x_b.txt"}));
    }
    EXPECT_EQ(dir.read("files/x_b.txt"), "x_b.txt");
}

TEST_F(CliTest, AnExistingRestoreFileRefusesTheBatchUnlessYesIsGiven) {
    makeFiles({"a.txt", "restore.dat"});
    const CliRun refused = cli({"--select", "*.txt", "--prefix", "x_", "apply"});
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_NE(refused.errors.find("Restore File Already Exists: Restore file already exists - Do "
                                  "you wish to overwrite the existing file?\n"),
              std::string::npos);
    EXPECT_EQ(files(), (Names{"a.txt", "restore.dat"}));

    EXPECT_EQ(cli({"--select", "*.txt", "--prefix", "x_", "--yes", "apply"}).exitStatus, 0);
    EXPECT_EQ(dir.read("files/restore.dat"), restoreFileText(filesPath(), {{"a.txt", "x_a.txt"}}));
}

struct RestoreUsageCase {
    std::string name;
    settings::RestoreFileUsage usage;
    std::vector<std::string> arguments;
    bool written;
    bool historyOnlySaved = false;  // in morerules.ini, which the tool reads without --saved-rules

    // Test names in CTest show the case, not its bytes.
    friend void PrintTo(const RestoreUsageCase& c, std::ostream* out) { *out << c.name; }
};

class RestoreUsageTest : public CliTest, public ::testing::WithParamInterface<RestoreUsageCase> {};

TEST_P(RestoreUsageTest, RestoreFileFollowsOptionsUnlessTheCommandLineSays) {
    settings::ProgramOptions options;
    options.restoreFileUsage = GetParam().usage;
    RenameSettings rules = RenameSettings::whenFileMissing();
    rules.historyOnly = GetParam().historyOnlySaved;
    writeSettings(options, rules);
    dir.write(std::string(kSettings) + "morerules.ini", settings::formatMoreRules(rules));
    makeFiles({"a.txt"});
    std::vector<std::string> arguments = GetParam().arguments;
    arguments.insert(arguments.end(), {"--prefix", "x_", "apply"});
    EXPECT_EQ(cli(arguments).exitStatus, 0);
    const Names expected = GetParam().written ? Names{"restore.dat", "x_a.txt"} : Names{"x_a.txt"};
    EXPECT_EQ(files(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, RestoreUsageTest,
    ::testing::Values(
        RestoreUsageCase{"AskCountsAsCreate", settings::RestoreFileUsage::Ask, {}, true},
        RestoreUsageCase{"Never", settings::RestoreFileUsage::None, {}, false},
        RestoreUsageCase{
            "NeverButAskedFor", settings::RestoreFileUsage::None, {"--restore-file"}, true},
        RestoreUsageCase{"AutomaticButDeclined",
                         settings::RestoreFileUsage::Create,
                         {"--no-restore-file"},
                         false},
        RestoreUsageCase{"AutomaticButHistoryOnly",
                         settings::RestoreFileUsage::Create,
                         {"--history-only"},
                         false},
        RestoreUsageCase{
            "AutomaticButHistoryOnlySaved", settings::RestoreFileUsage::Create, {}, false, true}),
    [](const auto& param) { return param.param.name; });

struct RefusalCase {
    std::string name;
    std::vector<std::string> arguments;
    int exitStatus;
    std::string message;  // a line of standard error

    // Test names in CTest show the case, not its bytes.
    friend void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }
};

class RefusalTest : public CliTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, RefusesWithItsMessageAndChangesNothing) {
    makeFiles({"a.txt", "b.txt", "undo.txt"});
    std::vector<std::vector<std::string>> runs = {GetParam().arguments};
    if (runs[0].back() == "apply") {
        // A preview refuses what apply refuses, in the same words and with the same status.
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"preview"},
              std::vector<std::string>{"apply", "--dry-run"}}) {
            runs.push_back(GetParam().arguments);
            runs.back().pop_back();
            runs.back().insert(runs.back().end(), command.begin(), command.end());
        }
    }
    for (const std::vector<std::string>& arguments : runs) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.exitStatus, GetParam().exitStatus) << arguments.back();
        EXPECT_NE(run.errors.find(GetParam().message), std::string::npos) << run.errors;
        EXPECT_EQ(files(), (Names{"a.txt", "b.txt", "undo.txt"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, RefusalTest,
    ::testing::Values(
        RefusalCase{"UnknownOption", {"--bogus", "apply"}, 2, "nameshift-cli: "},
        RefusalCase{"NothingToUndo", {"undo"}, 2, "Undo: There is no batch to undo.\n"},
        RefusalCase{"NothingToRedo", {"redo"}, 2, "Redo: There is no undone batch to redo.\n"},
        RefusalCase{"UndoOfANegativeNumber",
                    {"undo", "-1"},
                    2,
                    "\"-1\" is not a batch's number; history prints them"},
        RefusalCase{"InvalidPattern",
                    {"--remove", "a(b", "--regex", "apply"},
                    2,
                    "Invalid Regular Expression: The regular expression \"a(b\" cannot be used: "
                    "a parenthesis without its pair at character 4 (U_REGEX_MISMATCHED_PAREN)."},
        RefusalCase{"InvalidFilter",
                    {"--exclude", "[a", "apply"},
                    2,
                    "--exclude: cannot be used: a set without its closing \"]\" at character 3 "
                    "(U_REGEX_MISSING_CLOSE_BRACKET)"},
        RefusalCase{"InvalidTemplate",
                    {"--template", "{n:3,step=-1}", "apply"},
                    2,
                    "Invalid Name Template: The code \"{n}\" of the name template does not take "
                    "the format \"3,step=-1\" (at character 4)."},
        RefusalCase{"MistypedCommand",
                    {"--lower", "previw"},
                    2,
                    "nameshift-cli: unknown command \"previw\"; did you mean \"preview\"?\n"},
        RefusalCase{"SwappedLettersOfACommand",
                    {"aplpy", "--lower"},
                    2,
                    "nameshift-cli: unknown command \"aplpy\"; did you mean \"apply\"?\n"},
        RefusalCase{"NoCommandNearTheWord",
                    {"rename"},
                    2,
                    "nameshift-cli: unknown command \"rename\"\nRun"},
        RefusalCase{"NoCommand",
                    {"--lower"},
                    2,
                    "nameshift-cli: no command given; the commands are list, preview, apply"},
        RefusalCase{"HelpOfAMistypedCommand",
                    {"help", "restor"},
                    2,
                    "nameshift-cli: unknown command \"restor\"; did you mean \"restore\"?\n"},
        RefusalCase{"ExtraArgumentOfACommand",
                    {"list", "extra"},
                    2,
                    "nameshift-cli: The following argument was not expected: extra\n"},
        RefusalCase{"InvalidCharacter",
                    {"--prefix", "a:b", "apply"},
                    2,
                    "Invalid Character: You have entered an invalid character - :\n"},
        RefusalCase{"ZeroIncrement",
                    {"--counter", "1,00", "apply"},
                    2,
                    "Invalid Increment: You must increment by a number greater than zero!\n"},
        RefusalCase{"StartWithLeadingZero",
                    {"--counter", "05,1", "apply"},
                    2,
                    "Invalid Start Position: If you wish to pad the counter with zeros then "
                    "specify, to use, 2 or more digits from the drop down list\n"},
        RefusalCase{"NothingSelected",
                    {"--select", "*.none", "--prefix", "x", "apply"},
                    2,
                    "Warning!: Nothing to preview. You must select at least one file first.\n"},
        RefusalCase{"DuplicateNames",
                    {"--prefix", "same", "--prefix-at", "replace", "apply"},
                    2,
                    "Duplicate Filenames: Duplicate filenames found! Cannot continue.\n\"a.txt\" "
                    "to \"same.txt\"\n\"b.txt\" to \"same.txt\"\n\"undo.txt\" to \"same.txt\"\n"},
        RefusalCase{"TagNamesAlike",
                    {"--id3", "--id3-format", "Same", "--id3-mode", "1", "apply"},
                    2,
                    "Duplicate Filenames: Duplicate filenames found! Cannot continue.\n"},
        RefusalCase{"NameOfAFileLeftOut",
                    {"--select", "a.txt", "--replace", "a", "--with", "b", "apply"},
                    2,
                    "Duplicate Filenames: Cannot continue - the new file name \"b.txt\" is taken "
                    "in this folder by a file or folder that the batch does not rename.\n"},
        RefusalCase{"ReplacementOfAMissingGroup",
                    {"--replace", "([a-z]+)", "--with", "$5", "--regex", "apply"},
                    2,
                    "Invalid Regular Expression: The replacement \"$5\" cannot be used with the "
                    "regular expression \"([a-z]+)\": a group number that the pattern does not "
                    "have (U_INDEX_OUTOFBOUNDS_ERROR)."},
        RefusalCase{"CounterStartBeyondSixDigits",
                    {"--counter", "1234567,1", "apply"},
                    2,
                    "Value Too Long: Entered value can be at most 6 characters long.\n"},
        RefusalCase{"CounterStepBeyondThreeDigits",
                    {"--counter", "1,1000", "apply"},
                    2,
                    "Value Too Long: Entered value can be at most 3 characters long.\n"},
        RefusalCase{"InsertPositionBeyondAName",
                    {"--insert", "x", "--insert-at", "256", "apply"},
                    2,
                    "nameshift-cli: --insert-at: Value 256 not in range"},
        RefusalCase{"CaseScopeOfNothing",
                    {"--case-scope", "word", "--lower", "apply"},
                    2,
                    "nameshift-cli: --case-scope: word not in {name,ext,both}"},
        RefusalCase{"InvalidTextToInsert",
                    {"--insert", "a?b", "apply"},
                    2,
                    "Invalid Character: You have entered an invalid character - ?\n"},
        RefusalCase{"UnknownPreset",
                    {"--preset", "nope", "--lower", "apply"},
                    2,
                    "Preset Not Found: There is no preset \"nope\".\n"},
        RefusalCase{"PresetNamingAFolder",
                    {"--lower", "save-preset", ".."},
                    2,
                    "Invalid Preset Name: \"..\" cannot name a preset: it names a folder.\n"},
        RefusalCase{"PresetNameWithASlash",
                    {"delete-preset", "a/b"},
                    2,
                    "Invalid Preset Name: \"a/b\" cannot name a preset: it holds a \"/\".\n"},
        RefusalCase{"DeletingAnUnknownPreset",
                    {"delete-preset", "nope"},
                    2,
                    "Preset Not Found: There is no preset \"nope\".\n"},
        RefusalCase{"RestoreFileOfAnotherKind",
                    {"restore", "files/undo.txt"},
                    2,
                    "Invalid Restore File: You have chosen an invalid restore file!\n"},
        RefusalCase{"MissingRestoreFile",
                    {"restore", "files/gone.dat"},
                    2,
                    "Nameshift Pro: Cannot read the restore file \""}),
    [](const auto& param) { return param.param.name; });

// The history's options are the program's: read with --no-settings too, and a value the options
// would not take refuses the batch rather than keep no history, or drop records, unasked.
TEST_F(CliTest, HistoryOptionsAreReadWithoutTheRulesAndWhatTheyCannotTakeRefuses) {
    makeFiles({"a.txt"});
    RenameSettings more;
    more.historyBatches = "0";
    const std::string moreRules = std::string(kSettings) + "morerules.ini";
    dir.write(moreRules, settings::formatMoreRules(more));
    EXPECT_EQ(cli({"--no-settings", "--no-restore-file", "--prefix", "x_", "apply"}).exitStatus, 0);
    EXPECT_EQ(cli({"history"}).output, "") << "no history kept";
    for (const std::string value : {"-1", "abc", " 2", "18446744073709551616", "100001"}) {
        more.historyBatches = value;
        dir.write(moreRules, settings::formatMoreRules(more));
        const CliRun run = cli({"--no-settings", "--prefix", "y_", "apply"});
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_NE(run.errors.find("nameshift-cli: The value \"" + value +
                                  "\" of \"Batches Kept In History\" read from \""),
                  std::string::npos)
            << run.errors;
        EXPECT_EQ(files(), Names{"x_a.txt"});
    }
}

TEST_F(CliTest, SavedRulesApplyOnlyWhenAskedForAndTheirRefusedValuesRefuseUnlessReplaced) {
    RenameSettings rules = RenameSettings::whenFileMissing();
    rules.upperCase = true;
    rules.prefixText = "a|b";
    writeSettings({}, rules);
    makeFiles({"a.txt"});

    const CliRun refused = cli({"--saved-rules", "preview"});
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_NE(refused.errors.find("Invalid Character: You have entered an invalid character - |\n"),
              std::string::npos);
    EXPECT_NE(refused.errors.find("renset.ini"), std::string::npos);

    EXPECT_EQ(cli({"--prefix", "ok ", "--ext", "x", "--ext-at", "end", "--saved-rules", "preview"})
                  .output,
              "a.txt\tOK A.TXTX\n");
    EXPECT_EQ(cli({"--no-settings", "preview"}).output, "a.txt\ta.txt\n");
    EXPECT_EQ(cli({"--prefix", "ok ", "preview"}).output, "a.txt\tok a.txt\n");
}

struct VerbosityCase {
    std::string name;
    std::vector<std::string> arguments;
    int exitStatus;
    std::string output;
    std::string errors;  // "@" stands for the directory of the files

    // Test names in CTest show the case, not its bytes.
    friend void PrintTo(const VerbosityCase& c, std::ostream* out) { *out << c.name; }
};

class VerbosityTest : public CliTest, public ::testing::WithParamInterface<VerbosityCase> {};

// Run without settings files, and with a restore file in the way unless the case says --yes.
TEST_P(VerbosityTest, PrintsFailuresAlwaysAndTheRestOnlyWhenAsked) {
    removeSettings();
    makeFiles({"a.txt", "restore.dat"});
    std::vector<std::string> arguments = GetParam().arguments;
    arguments.insert(arguments.end(), {"--select", "a.txt", "--prefix", "x_", "apply"});
    const CliRun run = cli(arguments);
    std::string errors = GetParam().errors;
    for (std::size_t at = errors.find('@'); at != std::string::npos; at = errors.find('@')) {
        errors.replace(at, 1, filesPath());
    }
    EXPECT_EQ(run.exitStatus, GetParam().exitStatus);
    EXPECT_EQ(run.output, GetParam().output);
    EXPECT_EQ(run.errors, errors);
}

const std::string kQuestion =
    "Restore File Already Exists: Restore file already exists - Do you wish to overwrite the "
    "existing file?\n";
const std::string kRefusal =
    "nameshift-cli: \"@/restore.dat\" exists; nothing was renamed. --yes replaces it, "
    "--no-restore-file writes none.\n";
const std::string kMissingOptions =
    "Nameshift Pro: An error occurred. Possible error: \"opt.ini\" file doesn't exist?\nUsing "
    "default options instead.\n"
    "Nameshift Pro: An error occurred. Possible error: \"ID3Opts.ini\" file doesn't exist?\n"
    "Using default ID3 options instead.\n";
const std::string kMissingFiles = kMissingOptions +
                                  "Nameshift Pro: An error occurred. Possible error: "
                                  "\"renset.ini\" file doesn't exist?\n"
                                  "Using default settings instead.\n";

INSTANTIATE_TEST_SUITE_P(
    Cli, VerbosityTest,
    ::testing::Values(VerbosityCase{"DoneIsSilent", {"--yes"}, 0, "", ""},
                      VerbosityCase{"QuietDoneIsSilent", {"--yes", "-q"}, 0, "", ""},
                      VerbosityCase{"VerboseTellsEverything",
                                    {"--yes", "--verbose"},
                                    0,
                                    "a.txt -> x_a.txt\n",
                                    kMissingOptions + "nameshift-cli: Working in \"@\"\n" +
                                        kQuestion + "Nameshift Pro: Operation complete\n"},
                      VerbosityCase{
                          "RefusalWithTheQuestionItAnswered", {}, 2, "", kQuestion + kRefusal},
                      VerbosityCase{"QuietRefusal", {"-q"}, 2, "", kRefusal}),
    [](const auto& param) { return param.param.name; });

// Files larger than any the programs write are not read: the settings files give their
// messages and the defaults, a restore file is corrupt. Each would be usable if read. Unlike a
// missing file, an oversized one is worth telling without --verbose: the user's file is there
// and is ignored.
TEST_F(CliTest, OversizedSettingsAndRestoreFilesAreNotRead) {
    RenameSettings rules = RenameSettings::whenFileMissing();
    rules.upperCase = true;
    writeSettings({}, rules);
    for (const char* name : {"opt.ini", "ID3Opts.ini", "renset.ini"}) {
        const std::string path = std::string(kSettings) + name;
        std::string text = dir.read(path) + "\r\n";
        text.resize(settings::kSettingsFileMaxBytes + 1, ' ');
        dir.write(path, text);
    }
    makeFiles({"a.txt"});
    const CliRun run = cli({"--saved-rules", "preview"});
    EXPECT_EQ(run.output, "a.txt\ta.txt\n");
    EXPECT_EQ(run.errors, kMissingFiles);

    const std::string text = restoreFileText(filesPath(), {{"b.txt", "a.txt"}});
    dir.write("undo.dat");
    ASSERT_EQ(std::filesystem::file_size(dir.file("undo.dat")), 0u);
    std::filesystem::resize_file(dir.file("undo.dat"),
                                 engine::kRestoreFileMaxBytes + 1 - text.size());
    {
        std::ofstream out(dir.file("undo.dat"), std::ios::binary | std::ios::app);
        out << text;
    }
    const CliRun restore = cli({"restore", "undo.dat"});
    EXPECT_EQ(restore.exitStatus, 2);
    EXPECT_NE(restore.errors.find("Nameshift Pro: The restore file is corrupt and cannot be used!"),
              std::string::npos)
        << restore.errors;
    EXPECT_EQ(files(), Names{"a.txt"});
}

TEST_F(CliTest, StartupDirectoryOfOptionsNeverMovesTheDefaultDirectory) {
    makeFiles({"a.txt"});
    dir.makeDirectory("elsewhere");
    dir.write("elsewhere/b.txt", "b");
    settings::ProgramOptions options;
    options.useStartupDir = true;
    options.startupDirPath = dir.file("elsewhere");
    writeSettings(options, RenameSettings::whenFileMissing());
    EXPECT_EQ(runCli({"list"}, dir.file("files")).output, "a.txt\n");
    EXPECT_EQ(runCli({"--settings-dir", kSettings, "list"}, dir.path()).output, "");
}

TEST_F(CliTest, InitSettingsWritesTheMissingFilesAsTheProgramSavesThemAndKeepsTheOthers) {
    removeSettings();
    const std::filesystem::path home(dir.path());
    std::filesystem::remove_all(home / ".config");
    dir.write("renset.ini", "mine");
    ASSERT_EQ(runCli({"--settings-dir", ".", "init-settings"}, dir.path()).exitStatus, 0);
    EXPECT_EQ(dir.read("renset.ini"), "mine");
    EXPECT_EQ(dir.read("opt.ini"), goldenSettings("opt-first-start.ini"));
    // A first start keeps the undo record in the history alone; a later one finds opt.ini and
    // leaves the restore files its user has.
    EXPECT_TRUE(settings::parseMoreRules(dir.read("morerules.ini"), {}).historyOnly);
    std::filesystem::remove(dir.file("morerules.ini"));
    ASSERT_EQ(runCli({"--settings-dir", ".", "init-settings"}, dir.path()).exitStatus, 0);
    EXPECT_FALSE(dir.exists("morerules.ini"));

    const CliRun run = runCli({"init-settings"}, dir.path());
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.errors, "");
    for (const auto& [name, golden] :
         {std::pair{"opt.ini", "opt-first-start.ini"}, std::pair{"ID3Opts.ini", "id3-defaults.ini"},
          std::pair{"renset.ini", "renset-defaults.ini"}}) {
        EXPECT_EQ(dir.read(std::string(kSettings) + name), goldenSettings(golden)) << name;
    }
}

TEST_F(CliTest, SaveSettingsWritesWhatTheNextRunReadsAndAsksBeforeReplacing) {
    makeFiles({"a.txt"});
    const std::string renset = std::string(kSettings) + "renset.ini";
    const std::string before = dir.read(renset);
    const CliRun refused = cli({"--prefix", "x_", "save-settings"});
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_NE(refused.errors.find("File Already Exists: File Already Exists - Do you wish to "
                                  "overwrite the existing settings?\n"),
              std::string::npos);
    EXPECT_EQ(dir.read(renset), before);

    const CliRun saved = cli({"--prefix", "x_", "--upper", "--yes", "save-settings"});
    EXPECT_EQ(saved.exitStatus, 0);
    EXPECT_EQ(saved.errors, "");
    EXPECT_EQ(cli({"--saved-rules", "preview"}).output, "a.txt\tX_A.TXT\n");
    EXPECT_FALSE(dir.exists(std::string(kSettings) + "morerules.ini"));

    // The second group's rules go to their own file, read back with the others.
    EXPECT_EQ(cli({"--prefix", "x_", "--upper", "--case-scope", "name", "--yes", "save-settings"})
                  .exitStatus,
              0);
    EXPECT_EQ(cli({"--saved-rules", "preview"}).output, "a.txt\tX_A.txt\n");
}

// Presets live in the user's settings folder, which the runs share, whatever directory they rename.
TEST_F(CliTest, APresetKeepsTheRulesGivenAndGivesThemBackUnderTheOptions) {
    makeFiles({"a.txt"});
    EXPECT_EQ(cli({"presets"}).output, "");
    const CliRun saved = cli({"--prefix", "x_", "--upper", "--ignore-case", "save-preset", "Loud"});
    EXPECT_EQ(saved.exitStatus, 0);
    EXPECT_EQ(saved.errors, "");
    EXPECT_TRUE(dir.exists(std::string(kSettings) + "presets/Loud"));
    EXPECT_EQ(cli({"--lower", "save-preset", "Quiet"}).exitStatus, 0);
    EXPECT_EQ(cli({"presets"}).output, "Loud\nQuiet\n");

    EXPECT_EQ(cli({"--preset", "Loud", "preview"}).output, "a.txt\tX_A.TXT\n");
    EXPECT_EQ(cli({"--preset", "Loud", "--prefix", "y_", "preview"}).output, "a.txt\tY_A.TXT\n");
    EXPECT_EQ(cli({"--prefix", "y_", "--preset", "Quiet", "apply", "--dry-run"}).output,
              "a.txt\ty_a.txt\n");

    const CliRun refused = cli({"--prefix", "z_", "save-preset", "Loud"});
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_NE(refused.errors.find("Preset Already Exists: The preset \"Loud\" exists. Do you wish "
                                  "to replace it?\nnameshift-cli: The preset \"Loud\" exists; "
                                  "nothing was saved. --yes replaces it.\n"),
              std::string::npos)
        << refused.errors;
    EXPECT_EQ(cli({"--preset", "Loud", "preview"}).output, "a.txt\tX_A.TXT\n");
    EXPECT_EQ(cli({"--prefix", "z_", "--yes", "save-preset", "Loud"}).exitStatus, 0);
    EXPECT_EQ(cli({"--preset", "Loud", "preview"}).output, "a.txt\tz_a.txt\n");

    const CliRun deleted = cli({"delete-preset", "Loud"});
    EXPECT_EQ(deleted.exitStatus, 0);
    EXPECT_EQ(deleted.errors, "");
    EXPECT_EQ(cli({"presets"}).output, "Quiet\n");
    EXPECT_EQ(files(), Names{"a.txt"});
}

TEST_F(CliTest, MaskAttributesAndSortChooseWhatIsListed) {
    makeFiles({"b.txt", "a.LOG", "C.TxT", ".hidden.txt", "big.txt"});
    dir.write("files/big.txt", std::string(100, 'x'));
    EXPECT_EQ(cli({"--sort", "name", "--mask", "*.TXT", "list"}).output,
              ".hidden.txt\nb.txt\nbig.txt\nC.TxT\n");
    EXPECT_EQ(cli({"--mask", "*.none", "list"}).output, "");
    EXPECT_EQ(cli({"--sort", "size", "--attributes", "h", "list"}).output, ".hidden.txt\n");
    makeFiles({"n10.txt", "n9.txt", "n010.txt"});
    EXPECT_EQ(cli({"--sort", "name", "--natural", "--mask", "*.txt", "list"}).output,
              ".hidden.txt\nb.txt\nbig.txt\nC.TxT\nn9.txt\nn010.txt\nn10.txt\n");
    dir.makeDirectory("files/Trip.2024");
    EXPECT_EQ(cli({"--sort", "name", "--attributes", "h", "--folders", "list"}).output,
              ".hidden.txt\nTrip.2024\n");
    EXPECT_EQ(cli({"--only-folders", "--prefix", "x_", "--no-restore-file", "apply"}).exitStatus,
              0);
    EXPECT_TRUE(dir.exists("files/x_Trip.2024"));
}

TEST_F(CliTest, RecursiveListsAndRenamesSubfoldersToTheirDepthAndUndoesThem) {
    makeFiles({"a.txt"});
    dir.makeDirectory("files/sub");
    dir.makeDirectory("files/sub/deep");
    dir.write("files/sub/b.txt", "b");
    dir.write("files/sub/deep/c.txt", "c");
    EXPECT_EQ(cli({"--sort", "name", "-R", "list"}).output, "a.txt\nsub/b.txt\nsub/deep/c.txt\n");
    EXPECT_EQ(cli({"--sort", "name", "-R", "--depth", "1", "list"}).output, "a.txt\nsub/b.txt\n");
    EXPECT_EQ(cli({"-R", "--include", "^sub/", "--exclude", "b", "list"}).output,
              "sub/deep/c.txt\n");
    EXPECT_EQ(cli({"--include", "b|c", "list"}).output, "");
    EXPECT_EQ(cli({"--sort", "name", "--depth", "2", "--prefix", "x_", "preview"}).output,
              "a.txt\tx_a.txt\nsub/b.txt\tsub/x_b.txt\nsub/deep/c.txt\tsub/deep/x_c.txt\n");
    EXPECT_EQ(cli({"-R", "--prefix", "x_", "--no-restore-file", "apply"}).exitStatus, 0);
    EXPECT_EQ(dir.names("files/sub/deep"), Names{"x_c.txt"});
    EXPECT_EQ(cli({"undo"}).exitStatus, 0);
    EXPECT_EQ(dir.names("files/sub"), (Names{"b.txt", "deep"}));
    EXPECT_EQ(dir.names("files/sub/deep"), Names{"c.txt"});
}

// A pattern may hold what a name may not.
TEST_F(CliTest, RegularExpressionsReplaceWithTheirGroups) {
    makeFiles({"IMG_0042.JPG", "notes.txt"});
    EXPECT_EQ(
        cli({"--replace", "^IMG_(\\d+)\\.(\\w+)$", "--with", "photo $1.$2", "--regex", "preview"})
            .output,
        "IMG_0042.JPG\tphoto 0042.JPG\nnotes.txt\tnotes.txt\n");
}

TEST_F(CliTest, Id3NamesComeFromTheTagsByTheCommandLinesFormatAndMode) {
    makeFiles({});
    dir.write("files/a.mp3",
              id3::id3v2Tag(3, {{"TPE1", "Band"}, {"TIT2", "Song: Live"}}) + id3::mpegAudio());
    dir.write("files/b.mp3", id3::id3v2Tag(3, {{"TPE1", "Band"}}) + id3::mpegAudio());
    const CliRun byRules =
        cli({"--upper", "--id3", "--id3-format", "%2 - %4", "--id3-mode", "0", "preview"});
    EXPECT_EQ(byRules.output, "a.mp3\tBand - Song- Live.MP3\nb.mp3\tB.MP3\n");

    EXPECT_EQ(
        cli({"--upper", "--id3", "--id3-format", "%2 - %4", "--id3-mode", "1", "apply"}).exitStatus,
        0);
    EXPECT_EQ(files(), (Names{"Band - Song- Live.MP3", "b.mp3", "restore.dat"}));
}

TEST_F(CliTest, OtherFormatsTagsNameFilesAndDuplicatesAreNumberedAsPreviewed) {
    makeFiles({"notes.txt"});
    for (const char* name : {"files/a.flac", "files/b.m4a", "files/c.flac"}) {
        ASSERT_TRUE(AudioFiles::make(dir.file(name), {{"ARTIST", "Band"}, {"COMPOSER", "Bach"}}));
    }
    const std::vector<std::string> arguments = {
        "--id3", "--id3-format", "%2 (%9)", "--id3-mode", "2", "--number-duplicates"};
    std::vector<std::string> preview = arguments;
    preview.emplace_back("preview");
    EXPECT_EQ(cli(preview).output,
              "a.flac\tBand (Bach).flac\nc.flac\tBand (Bach) (2).flac\nb.m4a\tBand (Bach).m4a\n"
              "notes.txt\tnotes.txt\n");
    std::vector<std::string> apply = arguments;
    apply.emplace_back("apply");
    EXPECT_EQ(cli(apply).exitStatus, 0);
    EXPECT_EQ(files(), (Names{"Band (Bach) (2).flac", "Band (Bach).flac", "Band (Bach).m4a",
                              "notes.txt", "restore.dat"}));
}

TEST_F(CliTest, DatesNameEveryFileByTheDateFormat) {
    makeFiles({"notes.txt"});
    // Noon UTC is the same day in every zone of the machines the tests run on.
    const timespec noon[2] = {{1715947200, 0}, {1715947200, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, dir.file("files/notes.txt").c_str(), noon, 0), 0);
    EXPECT_EQ(
        cli({"--id3", "--id3-format", "Notes %m", "--date-format", "%Y/%m/%d at 12:00", "preview"})
            .output,
        "notes.txt\tNotes 2024-05-17 at 12.00.txt\n");
    // A photo's date is its camera's, in no zone; a file without one keeps its name.
    ASSERT_TRUE(DatedFiles::make(dir.file("files/photo.jpg"), "2024:05:17 09:15:00"));
    EXPECT_EQ(cli({"--id3", "--id3-format", "%t", "--id3-mode", "1", "--date-format",
                   "%Y/%m/%d at %H:%M", "preview"})
                  .output,
              "photo.jpg\t2024-05-17 at 09.15.jpg\nnotes.txt\tnotes.txt\n");
}

// The template names songs of every format alike, and photos by their date and a counter.
TEST_F(CliTest, TemplatesNameSongsOfEveryFormatAndPhotosByDate) {
    makeFiles({});
    dir.write("files/a.mp3",
              id3::id3v2Tag(
                  3, {{"TPE1", "Artist"}, {"TALB", "Album"}, {"TRCK", "1/12"}, {"TIT2", "One"}}) +
                  id3::mpegAudio());
    for (const auto& [name, track, title] :
         {std::tuple{"files/b.flac", "2", "Two"}, {"files/c.m4a", "3", "Three"}}) {
        ASSERT_TRUE(AudioFiles::make(
            dir.file(name),
            {{"ARTIST", "Artist"}, {"ALBUM", "Album"}, {"TRACKNUMBER", track}, {"TITLE", title}}));
    }
    EXPECT_EQ(cli({"--template", "{artist} - {album} - {track:2} - {title}", "preview"}).output,
              "b.flac\tArtist - Album - 02 - Two.flac\nc.m4a\tArtist - Album - 03 - Three.m4a\n"
              "a.mp3\tArtist - Album - 01 - One.mp3\n");
    for (const char* name : {"files/a.mp3", "files/b.flac", "files/c.m4a"}) {
        std::filesystem::remove(dir.file(name));
    }
    for (const char* name : {"files/x.jpg", "files/y.jpg"}) {
        ASSERT_TRUE(DatedFiles::make(dir.file(name), "2024:05:17 09:15:00"));
    }
    EXPECT_EQ(cli({"--template", "{taken:%Y-%m-%d} Rome {n:3}", "apply"}).exitStatus, 0);
    EXPECT_EQ(files(),
              (Names{"2024-05-17 Rome 001.jpg", "2024-05-17 Rome 002.jpg", "restore.dat"}));
}

// What --json prints is one document a JSON parser reads, for preview, apply and history alike.
TEST_F(CliTest, JsonDocumentsParse) {
    makeFiles({"a.txt", "c.txt", "q\"c.txt"});
    const auto parsed = [this](std::vector<std::string> arguments) {
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(
            QByteArray::fromStdString(cli(std::move(arguments)).output), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError);
        return document;
    };
    const QJsonArray entries = parsed({"--replace", "c", "--with", "z", "--json", "preview"})
                                   .object()["entries"]
                                   .toArray();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].toObject()["verdict"].toString(), "unchanged");
    EXPECT_EQ(entries[1].toObject()["new"].toString(), "z.txt");
    EXPECT_EQ(entries[1].toObject()["folder"].toString(),
              QString::fromStdString(dir.file("files")));
    EXPECT_EQ(entries[2].toObject()["verdict"].toString(), "refused") << "its quote";
    const QJsonObject applied =
        parsed({"--prefix", "y_", "--no-restore-file", "--json", "apply"}).object();
    EXPECT_EQ(applied["renamed"].toInt(), 3);
    EXPECT_EQ(applied["renames"].toArray()[0].toObject()["new"].toString(), "y_a.txt");
    const QJsonArray batches = parsed({"--json", "history"}).array();
    ASSERT_EQ(batches.size(), 1);
    EXPECT_EQ(batches[0].toObject()["state"].toString(), "done");
}

// New names come from a list or from the user's editor, by position: a list of the wrong count
// is refused with nothing renamed, a swap made in the editor is done as every swap is, and a
// name with a line break shows as one line and, left as it is, is not renamed.
TEST_F(CliTest, NamesComeFromAListOrAnEditorByPosition) {
    makeFiles({"a.txt", "b.txt", "c\nd.txt"});
    dir.write("names", "x.txt\nb.txt\n");
    const CliRun wrong = cli({"--names-from", "names", "apply"});
    EXPECT_EQ(wrong.exitStatus, 2);
    EXPECT_EQ(wrong.errors, "List of Names: The list gives 2 names for 3 ticked file(s).\n");
    dir.write("names", "x.txt\nb.txt\ny/z.txt\n");
    EXPECT_EQ(cli({"--names-from", "names", "preview"}).errors,
              "List of Names: Line 3 of the list, \"y/z.txt\", holds \"/\", which a file name may "
              "not hold.\n");
    dir.write("swap",
              "#!/bin/sh\ngrep -qx 'c\\\\nd.txt' \"$1\" && "
              "sed -i -e s/a.txt/T/ -e s/b.txt/a.txt/ -e s/T/b.txt/ \"$1\"\n");
    std::filesystem::permissions(dir.file("swap"), std::filesystem::perms::owner_all);
    ::setenv("VISUAL", dir.file("swap").c_str(), 1);
    EXPECT_EQ(cli({"--no-restore-file", "edit"}).exitStatus, 0);
    ::unsetenv("VISUAL");
    EXPECT_EQ(dir.read("files/a.txt"), "b.txt");
    EXPECT_EQ(dir.read("files/b.txt"), "a.txt");
    EXPECT_EQ(dir.read("files/c\nd.txt"), "c\nd.txt");
}

// integrate adds the program's action to Thunar's list beside the user's own, once however often
// it runs, and a Nautilus script; --remove takes exactly those away, the user's bytes as they were.
TEST_F(CliTest, IntegrateAddsOurActionsOnceAndRemoveLeavesTheUsersOwn) {
    const std::string mine =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n<action>\n\t<name>Mine</name>\n"
        "\t<command>echo %f</command>\n</action>\n</actions>\n";
    dir.write(".config/Thunar/uca.xml", mine);
    ASSERT_EQ(runCli({"integrate"}, dir.path()).exitStatus, 0);
    ASSERT_EQ(runCli({"integrate"}, dir.path()).exitStatus, 0);
    const std::string added = dir.read(".config/Thunar/uca.xml");
    QXmlStreamReader xml(QByteArray::fromStdString(added));
    int actions = 0;
    while (!xml.atEnd()) {
        actions += xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"action";
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(actions, 2);
    const std::string script = ".local/share/nautilus/scripts/Rename with Nameshift Pro…";
    EXPECT_NE(std::filesystem::status(dir.file(script)).permissions() &
                  std::filesystem::perms::owner_exec,
              std::filesystem::perms::none);
    ASSERT_EQ(runCli({"integrate", "--remove"}, dir.path()).exitStatus, 0);
    EXPECT_EQ(dir.read(".config/Thunar/uca.xml"), mine);
    EXPECT_FALSE(dir.exists(script));
}

}  // namespace
}  // namespace nameshift::testing
