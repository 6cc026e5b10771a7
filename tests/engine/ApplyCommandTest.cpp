#include "engine/commands/ApplyCommand.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>

#include <unistd.h>

#include "ApplyTestSession.h"
#include "engine/batch/CounterMemory.h"
#include "engine/batch/IncrementalPlan.h"
#include "engine/commands/PreviewCommand.h"
#include "engine/commands/RestoreCommand.h"
#include "engine/records/BatchHistory.h"
#include "engine/records/RestoreFile.h"

namespace nameshift::engine {
namespace {

using platform::Answer;
using platform::Icon;
using Op = testing::FaultyFileSystem::Op;
using Names = std::vector<std::string>;

class ApplyCommandTest : public testing::ApplySessionTest {
protected:
    std::optional<RestoreRecord> writtenRecord() const {
        if (!dir.exists(kRestoreFileName)) {
            return std::nullopt;
        }
        return parseRestoreFile(dir.read(kRestoreFileName));
    }
    std::string realDirectory() const { return std::filesystem::canonical(dir.path()).string(); }
    Names namesBesideRestoreFile() const {
        Names names = dir.names();
        std::erase(names, kRestoreFileName);
        return names;
    }
};

TEST_F(ApplyCommandTest, RenamesInTheDirectoryAndRecordsTheBatch) {
    dir.write("a.txt", "first");
    dir.write("b.txt", "second");
    dir.write("c.txt", "unticked");
    tick({"a.txt", "b.txt"});
    usePrefix("new ");
    ASSERT_EQ(::chdir("/"), 0);

    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);

    EXPECT_EQ(namesBesideRestoreFile(), (Names{"c.txt", "new a.txt", "new b.txt"}));
    EXPECT_EQ(dir.read("new a.txt"), "first");
    EXPECT_EQ(dir.read("new b.txt"), "second");
    EXPECT_EQ(writtenRecord(),
              (RestoreRecord{realDirectory(), {"a.txt", "b.txt"}, {"new a.txt", "new b.txt"}}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Operation complete");
    EXPECT_EQ(messages.shown[0].caption, platform::kProgramTitle);
    EXPECT_EQ(std::filesystem::current_path().string(), "/") << "works on the directory itself";
    EXPECT_EQ(session.fileList.rowCount(), 4u) << "refilled, the restore file included";
    EXPECT_EQ(session.fileList.tickedCount(), 0u);
}

TEST_F(ApplyCommandTest, ContinuedCounterCarriesOnFromTheFolderLastBatch) {
    dir.write("a.txt");
    dir.write("b.txt");
    useCounter("1");
    session.rules.continueCounter = true;
    session.options.restoreFileUsage = settings::RestoreFileUsage::None;
    tickAll();
    ASSERT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(dir.names(), (Names{"a1.txt", "b2.txt"}));

    dir.write("c.txt");
    tick({"c.txt"});
    testing::RecordingDisplay display;
    ASSERT_TRUE(preview(session, display));
    EXPECT_EQ(display.pairs,
              (std::vector<std::pair<std::string, std::string>>{{"c.txt", "c3.txt"}}))
        << "the preview shows what apply does";
    ASSERT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(dir.names(), (Names{"a1.txt", "b2.txt", "c3.txt"}));

    session.rules.continueCounter = false;
    tick({"c3.txt"});
    ASSERT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(dir.names(), (Names{"a1.txt", "b2.txt", "c31.txt"})) << "off, the counter's start";
    session.rules.continueCounter = true;
    session.directory = state.path();
    EXPECT_EQ(engine::rulesForBatch(session).counterStart, "1") << "another folder's own count";

    // The count is the user's alone, and read only as the counter's edit would take it.
    session.directory = dir.path();
    const Names counters = state.names("counters");
    ASSERT_EQ(counters.size(), 1u);
    EXPECT_EQ(std::filesystem::status(state.file("counters/" + counters[0])).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    for (const std::string planted : {"-5", "1234567", " 4", "07"}) {
        state.write("counters/" + counters[0], planted + "\n" + dir.path());
        EXPECT_EQ(engine::rulesForBatch(session).counterStart, "1") << planted;
    }
}

TEST_F(ApplyCommandTest, ExitsWhenTheOptionsSaySo) {
    dir.write("a.txt");
    tick({"a.txt"});
    usePrefix("x");
    session.options.exitAfterApply = true;
    EXPECT_EQ(applyChanges(session), CommandOutcome::ExitProgram);
    EXPECT_TRUE(dir.exists("xa.txt"));
    EXPECT_EQ(messages.texts(), (Names{"Operation complete"}));
}

TEST_F(ApplyCommandTest, WarningAnsweredNoComesFirstAndChangesNothing) {
    dir.write("a.txt");
    session.options.warnOnApply = true;
    session.rules.changePrefix = true;  // no prefix text: the rules would be refused
    messages.answers = {Answer::No};
    EXPECT_EQ(applyChanges(session), CommandOutcome::Cancelled);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "You are about to rename the file(s). Do you wish to continue?");
    EXPECT_EQ(messages.shown[0].caption, "Warning");
    EXPECT_EQ(messages.shown[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(dir.names(), (Names{"a.txt"}));
}

TEST_F(ApplyCommandTest, CollisionWithAnUnselectedFileRefusesTheBatchBeforeAnyRename) {
    dir.write("a.txt", "mine");
    dir.write("b.txt", "someone else's");
    dir.write("c.txt", "third");
    tick({"a.txt", "c.txt"});
    session.rules.replaceString = true;
    session.rules.replaceFrom = "a";
    session.rules.replaceWith = "b";

    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);

    EXPECT_EQ(dir.names(), (Names{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(dir.read("b.txt"), "someone else's");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Cannot continue - the new file name \"b.txt\" is taken in this folder by a file or "
              "folder that the batch does not rename.");
    EXPECT_EQ(messages.shown[0].details, "\"a.txt\" to \"b.txt\"\n");
    EXPECT_TRUE(fs.renames.empty());
}

TEST_F(ApplyCommandTest, IdentityPairsSucceedAndLeaveNothingToUndo) {
    dir.write("a.txt", "one");
    dir.write("B.txt", "two");
    tick({"a.txt", "B.txt"});
    session.rules.lowerCase = true;
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(messages.texts(), (Names{"Operation complete"}));
    EXPECT_EQ(dir.read("a.txt"), "one");
    EXPECT_EQ(dir.read("b.txt"), "two");
    EXPECT_EQ(writtenRecord(), (RestoreRecord{realDirectory(), {"B.txt"}, {"b.txt"}}));
}

TEST_F(ApplyCommandTest, RenumberingRunsTheChainFromItsFarEnd) {
    dir.write("f1.txt", "one");
    dir.write("f2.txt", "two");
    tick({"f1.txt", "f2.txt"});
    usePrefix("f", settings::Position::Replace);
    useCounter("2");

    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);

    EXPECT_EQ(namesBesideRestoreFile(), (Names{"f2.txt", "f3.txt"}));
    EXPECT_EQ(dir.read("f2.txt"), "one");
    EXPECT_EQ(dir.read("f3.txt"), "two");
    EXPECT_EQ(messages.texts(), (Names{"Operation complete"}));
    EXPECT_EQ(writtenRecord(),
              (RestoreRecord{realDirectory(), {"f2.txt", "f1.txt"}, {"f3.txt", "f2.txt"}}));
}

TEST_F(ApplyCommandTest, FileRemovedSinceListingIsListedAndNotRecorded) {
    dir.write("a.txt");
    dir.write("b.txt");
    tick({"a.txt", "b.txt"});
    usePrefix("x");
    fs.beforeRename = [&](const std::string& from, const std::string&) {
        if (from == "a.txt") {
            std::remove(dir.file("a.txt").c_str());
        }
    };
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text,
              "The following file(s) could not be renamed:\n\n\"a.txt\" to \"xa.txt\": " +
                  platform::Status::fromErrno(ENOENT).message());
    EXPECT_EQ(writtenRecord(), (RestoreRecord{realDirectory(), {"b.txt"}, {"xb.txt"}}));
}

TEST_F(ApplyCommandTest, ManyFailuresAreCutAfterTwentyLines) {
    Names names;
    for (int i = 0; i < 23; ++i) {
        names.push_back("file" + std::to_string(100 + i));
        dir.write(names.back());
    }
    tick(names);
    usePrefix("x");
    fs.fail(Op::Rename, EACCES);
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    ASSERT_EQ(messages.shown.size(), 2u);
    const std::string& text = messages.shown[0].text;
    const std::string denied = platform::Status::fromErrno(EACCES).message();
    EXPECT_TRUE(
        text.starts_with("The following file(s) could not be renamed:\n\n\"file100\" to "
                         "\"xfile100\": " +
                         denied + "\n\"file101\""));
    EXPECT_TRUE(text.ends_with("\"file119\" to \"xfile119\": " + denied + "\n... and 3 more"));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 20);
    EXPECT_EQ(writtenRecord(), std::nullopt) << "a batch without renames leaves no restore file";
}

TEST_F(ApplyCommandTest, RestoreFileWriteFailureIsReportedAndTheBatchStays) {
    dir.write("a.txt");
    tick({"a.txt"});
    usePrefix("x");
    fs.fail(Op::Write, ENOSPC, kRestoreFileName);
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(messages.texts(),
              (Names{"Cannot save settings! - Reason: Disk is full.", "Operation complete"}));
    // What was not written, where and why, and what follows.
    EXPECT_TRUE(messages.shown[0].details.starts_with(
        "The restore file \"" + realDirectory() +
        "/restore.dat\" could not be written: " + platform::Status::fromErrno(ENOSPC).message()))
        << messages.shown[0].details;
    EXPECT_EQ(dir.names(), (Names{"xa.txt"})) << "renamed, and no partial restore file";
    EXPECT_EQ(lastBatch.failed, 0u);
    EXPECT_TRUE(lastBatch.recordLost);
}

TEST_F(ApplyCommandTest, ExistingRestoreFileIsKeptWhenTheUserSaysNo) {
    dir.write("a.txt");
    dir.write(kRestoreFileName, "older batch");
    tick({"a.txt"});
    usePrefix("x");
    messages.answers = {Answer::No};
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(messages.texts(),
              (Names{"Restore file already exists - Do you wish to overwrite the existing file?",
                     "Operation complete"}));
    EXPECT_EQ(dir.read(kRestoreFileName), "older batch");
    EXPECT_TRUE(dir.exists("xa.txt"));
}

TEST_F(ApplyCommandTest, ExistingRestoreFileIsReplacedWhenTheUserSaysYes) {
    dir.write("a.txt");
    dir.write(kRestoreFileName, "older batch");
    tick({"a.txt"});
    usePrefix("x");
    messages.answers = {Answer::Yes};
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(writtenRecord(), (RestoreRecord{realDirectory(), {"a.txt"}, {"xa.txt"}}));
}

// A batch over subfolders: each file keeps its folder, duplicates are those of one folder, and
// the restore file names the listed folder's own files.
struct SubfolderCase {
    const char* label;
    Names files;
    void (*configure)(RenameSession&);
    Names after;          // every file's path once the batch is over
    std::string message;  // the last one shown
    Names folders = {};   // listed with the Folders bit and ticked with the files
};

class SubfolderApplyTest : public ApplyCommandTest,
                           public ::testing::WithParamInterface<SubfolderCase> {};

TEST_P(SubfolderApplyTest, RenamesEachFileInItsOwnFolder) {
    for (const std::string& name : GetParam().files) {
        const auto slash = name.rfind('/');
        if (slash != std::string::npos) {
            std::filesystem::create_directories(dir.file(name.substr(0, slash)));
        }
        dir.write(name, name);
    }
    session.fileList.setSubfolderDepth(FileList::kAllLevels);
    Names ticked = GetParam().files;
    if (!GetParam().folders.empty()) {
        session.fileList.setAttributeMask(platform::attribute::kArchive |
                                          platform::attribute::kFolder);
        ticked.insert(ticked.end(), GetParam().folders.begin(), GetParam().folders.end());
    }
    tick(ticked);
    GetParam().configure(session);
    applyChanges(session);
    Names after;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
        if (entry.is_regular_file()) {
            after.push_back(std::filesystem::relative(entry.path(), dir.path()).string());
        }
    }
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, GetParam().after);
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().text, GetParam().message);
    for (const std::string& name : GetParam().files) {
        const auto renamed = std::find_if(after.begin(), after.end(), [&](const std::string& path) {
            return dir.read(path) == name;
        });
        EXPECT_NE(renamed, after.end()) << name << " kept its contents";
    }
}

void prefixWith(RenameSession& s, const char* text, settings::Position where) {
    s.rules.changePrefix = true;
    s.rules.prefixText = text;
    s.rules.prefixPosition = where;
}

// The ticked folders alone are renamed; the files stay as they are.
void foldersOnly(RenameSession& s) {
    for (std::size_t row = 0; row < s.fileList.rowCount(); ++row) {
        if ((s.fileList.row(row).attributes & platform::attribute::kFolder) == 0) {
            s.fileList.setTicked(row, false);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Trees, SubfolderApplyTest,
    ::testing::Values(
        SubfolderCase{"TwoLevels",
                      {"a.txt", "sub/a.txt", "sub/deep/b.txt"},
                      [](RenameSession& s) { prefixWith(s, "x_", settings::Position::Beginning); },
                      {"restore.dat", "sub/deep/x_b.txt", "sub/x_a.txt", "x_a.txt"},
                      "Operation complete"},
        SubfolderCase{"OneNameInTwoFoldersIsNoDuplicate",
                      {"one/a.txt", "two/b.txt"},
                      [](RenameSession& s) { prefixWith(s, "same", settings::Position::Replace); },
                      {"one/same.txt", "two/same.txt"},
                      "Operation complete"},
        SubfolderCase{"OneNameTwiceInAFolderIsRefused",
                      {"one/a.txt", "one/b.txt"},
                      [](RenameSession& s) { prefixWith(s, "same", settings::Position::Replace); },
                      {"one/a.txt", "one/b.txt"},
                      "Duplicate filenames found! Cannot continue."},
        SubfolderCase{"ANameTakenInTheFileFolderIsRefused",
                      {"one/a.txt", "one/x_a.txt", "x_a.txt"},
                      [](RenameSession& s) {
                          prefixWith(s, "x_", settings::Position::Beginning);
                          s.fileList.setTicked(0, false);
                          s.fileList.setTicked(2, false);
                      },
                      {"one/a.txt", "one/x_a.txt", "x_a.txt"},
                      "Cannot continue - the new file name \"one/x_a.txt\" is taken in this "
                      "folder by a file or folder that the batch does not rename."},
        SubfolderCase{"ATemplateMovesEachFileIntoNewFoldersBeneathItsOwn",
                      {"a.txt", "sub/b.txt"},
                      [](RenameSession& s) { s.rules.nameTemplate = "{name}/x/{name}"; },
                      {"a/x/a.txt", "sub/b/x/b.txt"},
                      "Operation complete"},
        SubfolderCase{"ATemplateThatLeavesTheTreeIsRefused",
                      {"sub/a.txt"},
                      [](RenameSession& s) { s.rules.nameTemplate = "../{name}"; },
                      {"sub/a.txt"},
                      "Cannot continue - the new file name \"sub/../a.txt\" is not a plain file "
                      "name."},
        SubfolderCase{"AFolderIsRenamedAsAFileWouldBe",
                      {"Trip.2024/a.txt", "b.txt"},
                      [](RenameSession& s) {
                          foldersOnly(s);
                          s.rules.changeExtension = true;
                          s.rules.extensionText = "old";
                          s.rules.extensionPosition = settings::Position::Replace;
                      },
                      {"Trip.old/a.txt", "b.txt", "restore.dat"},
                      "Operation complete",
                      {"Trip.2024"}},
        SubfolderCase{"FoldersBeneathFoldersAreRenamedInTheirOwn",
                      {"one/two/a.txt"},
                      [](RenameSession& s) {
                          foldersOnly(s);
                          prefixWith(s, "x_", settings::Position::Beginning);
                      },
                      {"one/x_two/a.txt"},
                      "Operation complete",
                      {"one/two"}},
        SubfolderCase{"AFolderAndWhatLiesInsideItAreRefused",
                      {"trip/a.txt"},
                      [](RenameSession& s) { prefixWith(s, "x_", settings::Position::Beginning); },
                      {"trip/a.txt"},
                      "Cannot continue - the folder \"trip\" is renamed in the same batch as a "
                      "file or folder inside it. Rename the folder in a batch of its own. Nothing "
                      "was renamed.",
                      {"trip"}},
        SubfolderCase{"AFolderMayNotTakeAFilesName",
                      {"x_trip", "trip/a.txt"},
                      [](RenameSession& s) {
                          foldersOnly(s);
                          prefixWith(s, "x_", settings::Position::Beginning);
                      },
                      {"trip/a.txt", "x_trip"},
                      "Cannot continue - the new file name \"x_trip\" is taken in this folder "
                      "by a file or folder that the batch does not rename.",
                      {"trip"}},
        SubfolderCase{"TwoFoldersMayNotGetOneName",
                      {"one/a.txt", "two/b.txt"},
                      [](RenameSession& s) {
                          foldersOnly(s);
                          prefixWith(s, "same", settings::Position::Replace);
                      },
                      {"one/a.txt", "two/b.txt"},
                      "Duplicate filenames found! Cannot continue.",
                      {"one", "two"}},
        SubfolderCase{"ANameThatLeavesItsFolderIsRefused",
                      {"sub/a.txt"},
                      [](RenameSession& s) { prefixWith(s, "../", settings::Position::Beginning); },
                      {"sub/a.txt"},
                      "Cannot continue - the new file name \"sub/../a.txt\" is not a plain file "
                      "name."}),
    [](const auto& test) { return std::string(test.param.label); });

struct UsageCase {
    const char* label;
    settings::RestoreFileUsage usage;
    std::vector<Answer> answers;
    Names texts;
    bool written;
};

class ApplyRestoreUsageTest : public ApplyCommandTest,
                              public ::testing::WithParamInterface<UsageCase> {};

TEST_P(ApplyRestoreUsageTest, FollowsTheRestoreFileOption) {
    dir.write("a.txt");
    tick({"a.txt"});
    usePrefix("x");
    session.options.restoreFileUsage = GetParam().usage;
    messages.answers.assign(GetParam().answers.begin(), GetParam().answers.end());
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(messages.texts(), GetParam().texts);
    EXPECT_EQ(dir.exists(kRestoreFileName), GetParam().written);
    EXPECT_TRUE(dir.exists("xa.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    Options, ApplyRestoreUsageTest,
    ::testing::Values(
        UsageCase{"Create", settings::RestoreFileUsage::Create, {}, {"Operation complete"}, true},
        UsageCase{"AskYes",
                  settings::RestoreFileUsage::Ask,
                  {Answer::Yes},
                  {"Do you wish to create a restore file?", "Operation complete"},
                  true},
        UsageCase{"AskNo",
                  settings::RestoreFileUsage::Ask,
                  {Answer::No},
                  {"Do you wish to create a restore file?", "Operation complete"},
                  false},
        UsageCase{"None", settings::RestoreFileUsage::None, {}, {"Operation complete"}, false}),
    [](const auto& param) { return std::string(param.param.label); });

// Names by the "%4" title alone, keeping the name of a file without one.
void titled(RenameSession& session,
            const std::vector<std::pair<std::string, std::string>>& titles) {
    auto& reader = static_cast<testing::FakeTagReader&>(session.tags);
    for (const auto& [file, title] : titles) {
        TagTexts texts;
        texts[3] = title;
        reader.tags.emplace_back(file, texts);
    }
    session.rules.supportId3 = true;
    session.id3 = {settings::Id3RenameMode::AllOrKeep, "%4"};
}

const std::string kLongName = std::string(250, 'n') + ".txt";

struct RefusalCase {
    const char* label;
    Names files;
    void (*configure)(RenameSession&);
    std::string text;
    std::string caption;
    std::string details;       // the files concerned
    Names danglingLinks = {};  // left out of the listing by the attribute mask
};

class ApplyRefusalTest : public ApplyCommandTest,
                         public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ApplyRefusalTest, RenamesNothing) {
    for (const std::string& name : GetParam().files) {
        dir.write(name, name);
    }
    dir.makeDirectory("sub");
    for (const std::string& link : GetParam().danglingLinks) {
        ASSERT_EQ(::symlink("nowhere", dir.file(link).c_str()), 0);
    }
    tick(GetParam().files);
    GetParam().configure(session);
    // The preview says beforehand what apply will say.
    testing::RecordingDisplay display;
    EXPECT_FALSE(preview(session, display));
    const platform::Message previewed = display.refusal ? *display.refusal : messages.shown.at(0);
    EXPECT_EQ(previewed.text, GetParam().text);
    EXPECT_EQ(previewed.details, GetParam().details);
    messages.shown.clear();

    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, GetParam().text);
    EXPECT_EQ(messages.shown[0].caption, GetParam().caption);
    EXPECT_EQ(messages.shown[0].icon, Icon::Stop);
    EXPECT_EQ(messages.shown[0].details, GetParam().details);
    Names expected = GetParam().files;
    expected.push_back("sub");
    expected.insert(expected.end(), GetParam().danglingLinks.begin(),
                    GetParam().danglingLinks.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(dir.names(), expected);
    EXPECT_TRUE(dir.names("sub").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Checks, ApplyRefusalTest,
    ::testing::Values(
        RefusalCase{"Duplicates",
                    {"a.txt", "b.txt"},
                    [](RenameSession& s) {
                        s.rules.changePrefix = true;
                        s.rules.prefixText = "same";
                        s.rules.prefixPosition = settings::Position::Replace;
                    },
                    "Duplicate filenames found! Cannot continue.",
                    "Duplicate Filenames",
                    "\"a.txt\" to \"same.txt\"\n\"b.txt\" to \"same.txt\"\n"},
        RefusalCase{"EmptyBase",
                    {"a.txt"},
                    [](RenameSession& s) {
                        s.rules.removeString = true;
                        s.rules.stringToRemove = "a";
                    },
                    "Process cannot continue - You are about to remove a file's prefix",
                    "No Prefix",
                    "\"a.txt\" to \".txt\"\n"},
        RefusalCase{"EmptyBasesAsTheRulesMadeThemBeforeNumbering",
                    {"a.txt", "b.txt"},
                    [](RenameSession& s) {
                        s.rules.removeString = s.rules.removeRegex = true;
                        s.rules.stringToRemove = "[ab]";
                        s.rules.numberDuplicates = true;
                    },
                    "Process cannot continue - You are about to remove a file's prefix",
                    "No Prefix",
                    "\"a.txt\" to \".txt\"\n\"b.txt\" to \".txt\"\n"},
        RefusalCase{"IntoSubdirectory",
                    {"a.txt", "b.txt"},
                    [](RenameSession& s) {
                        s.rules.changePrefix = true;
                        s.rules.prefixText = "sub/";
                        s.rules.prefixPosition = settings::Position::Beginning;
                    },
                    "Cannot continue - the new file name \"sub/a.txt\" is not a plain file name.",
                    "Invalid File Name",
                    "\"a.txt\" to \"sub/a.txt\"\n\"b.txt\" to \"sub/b.txt\"\n"},
        RefusalCase{"EmptyName",
                    {"abc"},
                    [](RenameSession& s) {
                        s.rules.removeString = true;
                        s.rules.stringToRemove = "abc";
                    },
                    "Cannot continue - the new file name \"\" is not a plain file name.",
                    "Invalid File Name",
                    "\"abc\" to \"\"\n"},
        RefusalCase{"QuoteInOldName",
                    {"say \"hi\".txt", "b.txt"},
                    [](RenameSession& s) { s.rules.upperCase = true; },
                    "Cannot continue - the file name \"say \"hi\".txt\" contains a double "
                    "quote, which a restore file cannot record.",
                    "Invalid File Name",
                    "\"say \"hi\".txt\" to \"SAY \"HI\".TXT\"\n"},
        RefusalCase{"QuoteInNewName",
                    {"a.txt"},
                    [](RenameSession& s) {
                        s.rules.changePrefix = true;
                        s.rules.prefixText = "\"";
                        s.rules.prefixPosition = settings::Position::Beginning;
                    },
                    "Cannot continue - the file name \"\"a.txt\" contains a double quote, "
                    "which a restore file cannot record.",
                    "Invalid File Name",
                    "\"a.txt\" to \"\"a.txt\"\n"},
        RefusalCase{"TagsWithoutFormat",
                    {"a.mp3"},
                    [](RenameSession& s) {
                        s.rules.supportId3 = true;
                        s.id3.format.clear();
                    },
                    "You have not specified any ID3 options",
                    "No options specified",
                    ""},
        RefusalCase{"TagNamesAlike",
                    {"a.mp3", "b.mp3", "c.mp3"},
                    [](RenameSession& s) {
                        titled(s, {{"a.mp3", "Same"}, {"b.mp3", "Same"}, {"c.mp3", "Other"}});
                    },
                    "Duplicate filenames found! Cannot continue.",
                    "Duplicate Filenames",
                    "\"a.mp3\" to \"Same.mp3\"\n\"b.mp3\" to \"Same.mp3\"\n"},
        RefusalCase{"EmptyTitle",
                    {"a.mp3", "b.mp3"},
                    [](RenameSession& s) {
                        titled(s, {{"a.mp3", "Song"}, {"b.mp3", ""}});
                    },
                    "Process cannot continue - You are about to remove a file's prefix",
                    "No Prefix",
                    "\"b.mp3\" to \".mp3\"\n"},
        RefusalCase{"TitleOfDotsHidesTheFile",
                    {"a.mp3"},
                    [](RenameSession& s) {
                        titled(s, {{"a.mp3", ".."}});
                    },
                    "Cannot continue - the new file name \"...mp3\" begins with a dot, which "
                    "would hide the file.",
                    "Invalid File Name",
                    "\"a.mp3\" to \"...mp3\"\n"},
        RefusalCase{"PhotosTakenInOneSecond",
                    {"1.jpg", "2.jpg"},
                    [](RenameSession& s) {
                        std::tm shot{};
                        shot.tm_min = 30;
                        shot.tm_hour = 10;
                        shot.tm_mday = 17;
                        shot.tm_mon = 4;
                        shot.tm_year = 124;
                        static_cast<testing::FakeTagReader&>(s.tags).takenDates = {{"1.jpg", shot},
                                                                                   {"2.jpg", shot}};
                        s.rules.supportId3 = true;
                        s.id3 = {settings::Id3RenameMode::AllOrKeep, "%t Rome"};
                    },
                    "Duplicate filenames found! Cannot continue.",
                    "Duplicate Filenames",
                    "\"1.jpg\" to \"2024-05-17 10.30.00 Rome.jpg\"\n"
                    "\"2.jpg\" to \"2024-05-17 10.30.00 Rome.jpg\"\n"},
        RefusalCase{"LongerThanTheFolderTakes",
                    {"a.txt", kLongName},
                    [](RenameSession& s) {
                        s.rules.changePrefix = true;
                        s.rules.prefixText = "P_";
                        s.rules.prefixPosition = settings::Position::Beginning;
                    },
                    "Cannot continue - the new file name \"P_" + kLongName +
                        "\" is longer than the 255 bytes that this folder's filesystem allows.",
                    "Invalid File Name",
                    "\"" + kLongName + "\" to \"P_" + kLongName + "\"\n"},
        RefusalCase{"NameOfAFolderThatStays",
                    {"a", "b.txt"},
                    [](RenameSession& s) {
                        s.rules.changePrefix = true;
                        s.rules.prefixText = "sub";
                        s.rules.prefixPosition = settings::Position::Replace;
                    },
                    "Cannot continue - the new file name \"sub\" is taken in this folder by a "
                    "file or folder that the batch does not rename.",
                    "Duplicate Filenames",
                    "\"a\" to \"sub\"\n"},
        RefusalCase{"NameOfAnUnlistedLink",
                    {"a.txt"},
                    [](RenameSession& s) {
                        s.rules.changePrefix = true;
                        s.rules.prefixText = "gone";
                        s.rules.prefixPosition = settings::Position::Replace;
                    },
                    "Cannot continue - the new file name \"gone.txt\" is taken in this folder "
                    "by a file or folder that the batch does not rename.",
                    "Duplicate Filenames",
                    "\"a.txt\" to \"gone.txt\"\n",
                    {"gone.txt"}}),
    [](const auto& param) { return std::string(param.param.label); });

TEST_F(ApplyCommandTest, EmptyTagFormatMattersOnlyWithTagsOn) {
    session.id3.format.clear();
    dir.write("a.txt");
    tick({"a.txt"});
    usePrefix("x");
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_TRUE(dir.exists("xa.txt"));
}

TEST_F(ApplyCommandTest, QuotesAreRenamedWhenNoRestoreFileIsMade) {
    dir.write("say \"hi\".txt");
    tick({"say \"hi\".txt"});
    usePrefix("x");
    session.options.restoreFileUsage = settings::RestoreFileUsage::None;
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(dir.names(), (Names{"xsay \"hi\".txt"}));
}

TEST_F(ApplyCommandTest, DirectoryWithQuoteIsRefusedWhenItWouldBeRecorded) {
    dir.write("say \"hi\"/a.txt");
    session.directory = dir.file("say \"hi\"");
    tick({"a.txt"});
    usePrefix("x");
    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Cannot continue - the directory path \"" + realDirectory() +
                                          "/say \"hi\"\" contains a double quote, which a "
                                          "restore file cannot record.");
    EXPECT_EQ(messages.shown[0].caption, "Invalid Directory Name");
    EXPECT_EQ(dir.names("say \"hi\""), (Names{"a.txt"}));

    messages.shown.clear();
    session.options.restoreFileUsage = settings::RestoreFileUsage::None;
    tick({"a.txt"});
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(dir.names("say \"hi\""), (Names{"xa.txt"}));
}

TEST_F(ApplyCommandTest, DirectoryThatCannotBeEnteredRenamesNothing) {
    dir.write("a.txt");
    tick({"a.txt"});
    usePrefix("x");
    fs.fail(Op::OpenDirectory, EACCES);
    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Directory Error");
    EXPECT_EQ(dir.names(), (Names{"a.txt"}));
}

// A folder moved away and another made under its path since the listing: the names may even be
// the same, the files are not.
TEST_F(ApplyCommandTest, AnotherFolderUnderTheListedPathIsRefusedAndListed) {
    dir.write("listed/a.txt");
    session.directory = dir.file("listed");
    tick({"a.txt"});
    usePrefix("x");
    std::filesystem::rename(dir.file("listed"), dir.file("moved"));
    dir.write("listed/a.txt");
    dir.write("listed/b.txt");
    EXPECT_EQ(applyChanges(session), CommandOutcome::Relisted);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Cannot continue - the folder \"" + dir.file("listed") +
                                          "\" is no longer the folder that was listed; the list "
                                          "is refreshed. Nothing was renamed.");
    EXPECT_EQ(messages.shown[0].caption, "Directory Error");
    EXPECT_EQ(messages.shown[0].icon, Icon::Stop);
    EXPECT_EQ(dir.names("listed"), (Names{"a.txt", "b.txt"}));
    EXPECT_EQ(dir.names("moved"), (Names{"a.txt"}));
    EXPECT_EQ(session.fileList.rowCount(), 2u);
}

TagTexts artistAndTitle(const char* artist, const char* title) {
    TagTexts texts;
    texts[1] = artist;
    texts[3] = title;
    return texts;
}

TEST_F(ApplyCommandTest, TagNamesThatMeetRefuseTheBatchAndItsHistoryStaysReadable) {
    dir.write("1.mp3", "one");
    dir.write("2.mp3", "two");
    dir.write("3.mp3", "three");
    tags.tags = {{"1.mp3", artistAndTitle("Band", "Song")},
                 {"2.mp3", artistAndTitle("Band", "Song")},
                 {"3.mp3", artistAndTitle("AC/DC", "T.N.T.")}};
    tick({"1.mp3", "2.mp3", "3.mp3"});
    session.rules.supportId3 = true;
    session.id3 = {settings::Id3RenameMode::AllOrRules, "%2 - %4"};

    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
    EXPECT_EQ(messages.texts(), (Names{"Duplicate filenames found! Cannot continue."}));
    EXPECT_EQ(dir.names(), (Names{"1.mp3", "2.mp3", "3.mp3"}));
    EXPECT_TRUE(fs.renames.empty());

    // With the names told apart the batch runs, and its record can be read to undo it.
    session.rules.numberDuplicates = true;
    tick({"1.mp3", "2.mp3", "3.mp3"});
    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);
    EXPECT_EQ(namesBesideRestoreFile(),
              (Names{"AC-DC - T.N.T..mp3", "Band - Song (2).mp3", "Band - Song.mp3"}));
    const std::vector<HistoryEntry> history = BatchHistory(fs, session.stateDirectory).entries();
    ASSERT_EQ(history.size(), 1u);
    EXPECT_TRUE(history[0].record);
}

TEST_F(ApplyCommandTest, KeepingIncompleteFilesSkipsTheChecksOfTheRuleNames) {
    dir.write("a.mp3", "tagged");
    dir.write("b.mp3", "no title");
    tags.tags = {{"a.mp3", artistAndTitle("Band", "Song")},
                 {"b.mp3", TagTexts{std::nullopt, "Band"}}};
    tick({"a.mp3", "b.mp3"});
    usePrefix("same", settings::Position::Replace);  // the rules alone would collide
    session.rules.supportId3 = true;
    session.id3 = {settings::Id3RenameMode::AllOrKeep, "%2 - %4"};

    EXPECT_EQ(applyChanges(session), CommandOutcome::Done);

    EXPECT_EQ(messages.texts(), (Names{"Operation complete"}));
    EXPECT_EQ(namesBesideRestoreFile(), (Names{"Band - Song.mp3", "b.mp3"}));
    EXPECT_EQ(writtenRecord(), (RestoreRecord{realDirectory(), {"a.mp3"}, {"Band - Song.mp3"}}));
}

TEST_F(ApplyCommandTest, TagNamesAreCheckedToStayInTheDirectory) {
    dir.write("a");
    tags.tags = {{"a", artistAndTitle("..", "x")}};
    tick({"a"});
    session.rules.supportId3 = true;
    session.id3 = {settings::Id3RenameMode::AllOrKeep, "%2"};
    EXPECT_EQ(applyChanges(session), CommandOutcome::Refused);
    EXPECT_EQ(messages.texts(),
              (Names{"Cannot continue - the new file name \"..\" is not a plain file name."}));
    EXPECT_EQ(dir.names(), (Names{"a"}));
}

class ApplyProgressTest : public ApplyCommandTest {
protected:
    void makeFiles(int count) {
        Names names;
        for (int i = 0; i < count; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "f%04d", i);
            dir.write(name, name);
        }
        tickAll();
        usePrefix("x");
    }
    testing::ScriptedProgress progress;
};

TEST_F(ApplyProgressTest, StoppedBatchRecordsExactlyTheRenamesDone) {
    makeFiles(1001);
    session.options.exitAfterApply = true;
    progress.stopAfter = 420;
    EXPECT_EQ(applyChanges(session, &progress), CommandOutcome::Done)
        << "a stopped batch leaves the program open";
    EXPECT_EQ(progress.total, 1001u);
    EXPECT_EQ(progress.lastDone, 420u);
    EXPECT_TRUE(progress.finished);
    EXPECT_EQ(messages.texts(), (Names{"Operation cancelled - 420 of 1001 file(s) were renamed."}));
    const std::optional<RestoreRecord> record = writtenRecord();
    ASSERT_TRUE(record);
    ASSERT_EQ(record->namesBefore.size(), 420u);
    EXPECT_EQ(record->namesBefore.back(), "f0419");
    EXPECT_TRUE(dir.exists("xf0419"));
    EXPECT_TRUE(dir.exists("f0420"));
    EXPECT_TRUE(lastBatch.cancelled);
    EXPECT_EQ(lastBatch.renamed, 420u);
}

// A batch this large is renamed in the order its files lie on disk, not in the list's: made in
// the reverse of the list's order and renumbered into chains and cycles among themselves, every
// file must still end under the name the plan gave it, and its restore file must give every name
// back.
TEST_F(ApplyProgressTest, LargeBatchEndsAsPlannedAndRestores) {
    constexpr int kFiles = 10'000;
    for (int i = kFiles; i >= 1; --i) {
        dir.write("n" + std::to_string(i), std::to_string(i));
    }
    tickAll();
    usePrefix("n", settings::Position::Replace);
    useCounter("2");
    std::map<std::string, std::string> expected;
    for (const PlannedChange& change : planBatch(session, {}).changes) {
        expected[change.newName] = std::string(change.oldName).substr(1);
    }
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(kFiles));
    ASSERT_EQ(applyChanges(session, &progress), CommandOutcome::Done);
    EXPECT_EQ(lastBatch.renamed, static_cast<std::size_t>(kFiles));
    for (const auto& [name, contents] : expected) {
        ASSERT_EQ(dir.read(name), contents) << name;
    }
    testing::ScriptedPicker picker;
    picker.choice = dir.file(kRestoreFileName);
    ASSERT_EQ(restoreFilenames(session, picker), CommandOutcome::Done);
    EXPECT_EQ(dir.names().size(), static_cast<std::size_t>(kFiles));
    for (int i = 1; i <= kFiles; ++i) {
        ASSERT_EQ(dir.read("n" + std::to_string(i)), std::to_string(i));
    }
}

TEST_F(ApplyProgressTest, SmallBatchShowsNoProgress) {
    makeFiles(1000);
    progress.stopAfter = 1;
    EXPECT_EQ(applyChanges(session, &progress), CommandOutcome::Done);
    EXPECT_EQ(progress.total, 0u);
    EXPECT_EQ(messages.texts(), (Names{"Operation complete"}));
    EXPECT_TRUE(dir.exists("xf0999"));
}

}  // namespace
}  // namespace nameshift::engine
