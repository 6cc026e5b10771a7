#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"
#include "UiFakes.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/commands/UndoCommand.h"
#include "engine/naming/PatternRule.h"
#include "engine/records/BatchHistory.h"
#include "engine/records/RestoreFile.h"
#include "platform/StatePaths.h"
#include "settings/Id3OptionsFile.h"
#include "settings/MoreRulesFile.h"
#include "settings/PresetStore.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"
#include "settings/SettingsFileAccess.h"
#include "ui/FilePanel.h"
#include "ui/HistoryDialog.h"
#include "ui/HistoryMessages.h"
#include "ui/MainDialog.h"
#include "ui/MessageBoxQuestions.h"
#include "ui/NameListDialog.h"
#include "ui/PreviewDialog.h"
#include "ui/RulePanel.h"

namespace nameshift::ui {
namespace {

using testing::FaultyFileSystem;
using testing::FixedVolumes;
using testing::NoTags;
using testing::ScriptedMessageBox;
using testing::ScriptedRestorePicker;
using testing::TempDir;
using Pairs = std::vector<std::pair<std::string, std::string>>;
using Texts = std::vector<std::string>;

constexpr const char* kOptionsMissing =
    "An error occurred. Possible error: \"opt.ini\" file doesn't exist?\nUsing default options "
    "instead.";
constexpr const char* kId3Missing =
    "An error occurred. Possible error: \"ID3Opts.ini\" file doesn't exist?\nUsing default ID3 "
    "options instead.";
constexpr const char* kRulesMissing =
    "An error occurred. Possible error: \"renset.ini\" file doesn't exist?\nUsing default settings "
    "instead.";

// The program starts in "prog", where its settings files lie; the files to rename are in "work",
// the start-up directory of the options.
class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.makeDirectory("prog");
        dir.makeDirectory("work");
        options.confirmationOnExit = false;
        options.warnOnApply = false;
        options.exitAfterApply = false;
        options.exitAfterRestore = false;
        options.useStartupDir = true;
        options.startupDirPath = dir.file("work");
        rules = settings::RenameSettings::whenFileMissing();
    }

    void writeSettings(bool programOptions = true, bool id3 = true, bool renameRules = true) {
        if (programOptions) {
            dir.write("prog/opt.ini", settings::formatProgramOptions(options));
        }
        if (id3) {
            dir.write("prog/ID3Opts.ini", settings::formatId3Options(settings::TagNamingOptions{}));
        }
        if (renameRules) {
            dir.write("prog/renset.ini", settings::formatRenameSettings(rules));
        }
    }

    bool start() {
        MainDialogServices services(fs, messages, tags, volumes);
        services.startDirectory = startDirectory;
        services.restorePicker = &picker;
        services.splashMilliseconds = 0;
        services.startFiles = startFiles;
        services.askPresetName = [this](QWidget*) {
            std::optional<QString> name;
            if (!presetNames.empty()) {
                name = presetNames.front();
                presetNames.pop_front();
            }
            return name;
        };
        services.runModal = [this](QDialog& shown) {
            if (auto* history = dynamic_cast<HistoryDialog*>(&shown)) {
                onHistory(*history);
                return;
            }
            if (auto* names = dynamic_cast<NameListDialog*>(&shown)) {
                onNames(*names);
                return;
            }
            auto* preview = dynamic_cast<PreviewDialog*>(&shown);
            ASSERT_NE(preview, nullptr);
            const QAbstractItemModel* model = preview->list()->model();
            for (int row = 0; row < model->rowCount(); ++row) {
                previewed.emplace_back(model->index(row, 0).data().toString().toStdString(),
                                       model->index(row, 1).data().toString().toStdString());
            }
        };
        dialog = std::make_unique<MainDialog>(std::move(services), hooks);
        return dialog->startUp();
    }

    const MainDialogControls& c() const { return dialog->controls(); }
    const FilePanelControls& f() const { return dialog->filePanel().controls(); }
    const RuleControls& r() const { return dialog->rulePanel().controls(); }
    const MoreRulesControls& m() const { return dialog->rulePanel().moreRules().controls(); }
    const PresetBarControls& p() const { return dialog->presetBar().controls(); }
    Texts presetList() const {
        Texts names;
        for (int row = 0; row < p().presets->count(); ++row) {
            names.push_back(p().presets->itemText(row).toStdString());
        }
        return names;
    }
    // When the newest batch in "work" ran, as the window's messages tell it. The history is the
    // test program's, so its numbers go on from test to test.
    std::string batchTime() {
        const auto entries = engine::BatchHistory(fs, dialog->session().stateDirectory).entries();
        const auto newest =
            std::find_if(entries.rbegin(), entries.rend(), [this](const auto& entry) {
                return entry.record && entry.record->journal.directory == dir.file("work");
            });
        if (newest != entries.rend()) {
            return batchTimeText(newest->record->time);
        }
        return "none";
    }
    Texts listedNames() const {
        Texts names;
        const QAbstractItemModel* model = f().fileList->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            names.push_back(model->index(row, 0).data().toString().toStdString());
        }
        return names;
    }

    TempDir dir;
    // Where the program was started, and so where its settings files lie.
    platform::Result<std::string> startDirectory = dir.file("prog");
    FaultyFileSystem fs;
    ScriptedMessageBox messages;
    NoTags tags;
    FixedVolumes volumes{{"/"}};
    ScriptedRestorePicker picker;
    DialogHooks hooks;
    settings::ProgramOptions options;
    settings::RenameSettings rules;
    std::unique_ptr<MainDialog> dialog;
    Pairs previewed;
    // What the test does with the history dialog when it opens.
    std::function<void(HistoryDialog&)> onHistory = [](HistoryDialog&) {};
    std::function<void(NameListDialog&)> onNames = [](NameListDialog&) {};
    // The files a file manager hands over, of the folder opened.
    std::vector<std::string> startFiles;
    // The names the preset question is answered with, in turn; none left: cancelled.
    std::deque<std::optional<QString>> presetNames;
};

// A settings file larger than any the program writes is not read, just like a missing one.
class StartupWithoutUsableSettings : public MainDialogTest,
                                     public ::testing::WithParamInterface<bool> {
protected:
    void writeOversizedSettings() {
        rules.upperCase = true;
        rules.supportId3 = true;
        writeSettings();
        for (const char* name : {"prog/opt.ini", "prog/ID3Opts.ini", "prog/renset.ini"}) {
            std::string text = dir.read(name) + "\r\n";
            text.resize(settings::kSettingsFileMaxBytes + 1, ' ');
            dir.write(name, text);
        }
    }
};

TEST_P(StartupWithoutUsableSettings, ThreeMessagesAndTheDefaults) {
    if (GetParam()) {
        writeOversizedSettings();
    }
    ASSERT_TRUE(start());
    EXPECT_EQ(messages.texts(), (Texts{kOptionsMissing, kId3Missing, kRulesMissing}));
    for (const auto& message : messages.shown) {
        EXPECT_EQ(message.caption, "Nameshift Pro");
        EXPECT_EQ(message.icon, platform::Icon::Exclamation);
    }
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral(" Nameshift Pro"));
    for (QCheckBox* box : {r().archive, r().readOnly, r().hidden, r().system}) {
        EXPECT_TRUE(box->isChecked()) << box->text().toStdString();
    }
    for (QCheckBox* box :
         {r().changePrefix, r().useCounter, r().changeExtension, r().removeSpaces, r().removeString,
          r().replaceString, r().lowerCase, r().upperCase, r().firstLetterUpper, r().supportId3}) {
        EXPECT_FALSE(box->isChecked()) << box->text().toStdString();
    }
    EXPECT_EQ(r().sortList->currentText(), QStringLiteral("Extension"));
    EXPECT_EQ(r().counterDigits->currentText(), QStringLiteral("1"));
    ASSERT_EQ(r().counterDigits->count(), 6);
    EXPECT_EQ(r().counterDigits->itemText(5), QStringLiteral("6"));
    // The window first shows the rules of old: the second group is folded away.
    EXPECT_FALSE(m().toggle->isChecked());
    EXPECT_FALSE(m().body->isVisibleTo(dialog.get()));
    EXPECT_FALSE(r().removeProblem->isVisibleTo(dialog.get()));
    EXPECT_FALSE(r().naturalOrder->isChecked());
    EXPECT_EQ(m().caseScope->checkedId(), 0);
    EXPECT_TRUE(m().removeMatchCase->isChecked());
    EXPECT_TRUE(presetList().empty());
    EXPECT_FALSE(p().remove->isEnabled());
    m().toggle->click();
    EXPECT_TRUE(m().body->isVisibleTo(dialog.get()));
    EXPECT_TRUE(p().presets->isVisibleTo(dialog.get()));
    m().toggle->click();
    EXPECT_FALSE(m().body->isVisibleTo(dialog.get()));
    EXPECT_EQ(r().prefixPosition->checkedId(), 0);
    EXPECT_EQ(r().counterPosition->checkedId(), 0);
    EXPECT_EQ(r().extensionPosition->checkedId(), 0);
    EXPECT_FALSE(r().prefixEdit->isEnabled());
    EXPECT_FALSE(r().id3Options->isEnabled());
    EXPECT_EQ(r().maskList->currentText(), QStringLiteral("*.*"));
    EXPECT_EQ(f().browser->currentPath(), dir.file("prog"));
    EXPECT_TRUE(dialog->session().options.confirmationOnExit);
    EXPECT_EQ(dialog->session().id3.format, "%1 - %2 - %3 - %4 - %5 - %6");
}

INSTANTIATE_TEST_SUITE_P(Files, StartupWithoutUsableSettings, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return std::string(param.param ? "Oversized" : "Missing");
                         });

struct MissingFile {
    const char* name;
    bool programOptions;
    bool id3;
    bool renameRules;
    const char* message;
    // When given, morerules.ini keeps this many batches, which the message after its path refuses.
    const char* historyBatches = nullptr;
};

class StartupWithOneFileMissing : public MainDialogTest,
                                  public ::testing::WithParamInterface<MissingFile> {};

TEST_P(StartupWithOneFileMissing, ShowsOnlyThatFilesMessage) {
    const MissingFile& missing = GetParam();
    writeSettings(missing.programOptions, missing.id3, missing.renameRules);
    std::string expected = missing.message;
    if (missing.historyBatches != nullptr) {
        settings::RenameSettings more;
        more.historyBatches = missing.historyBatches;
        dir.write("prog/morerules.ini", settings::formatMoreRules(more));
        expected = std::string(R"(The value ")") + missing.historyBatches +
                   R"(" of "Batches Kept In History" read from ")" +
                   dir.file("prog/morerules.ini") + "\"" + missing.message;
    }
    ASSERT_TRUE(start());
    EXPECT_EQ(messages.texts(), Texts{expected});
}

INSTANTIATE_TEST_SUITE_P(
    EachFile, StartupWithOneFileMissing,
    ::testing::Values(MissingFile{"Options", false, true, true, kOptionsMissing},
                      MissingFile{"TagNamingOptions", true, false, true, kId3Missing},
                      MissingFile{"RenameSettings", true, true, false, kRulesMissing},
                      MissingFile{"HistoryBatchesNoNumber", true, true, true,
                                  " is refused: it must be a whole number from 0 to 100000.",
                                  "ten"}),
    [](const ::testing::TestParamInfo<MissingFile>& param) {
        return std::string(param.param.name);
    });

TEST_F(MainDialogTest, StartsWithTheSettingsFilesShowingTheirValues) {
    dir.write("work/b.txt");
    dir.write("work/a.mp3");
    rules.changePrefix = true;
    rules.prefixText = "Old-";
    rules.prefixPosition = settings::Position::End;
    rules.useCounter = true;
    rules.counterStart = "7";
    rules.counterDigitsIndex = 2;
    rules.sortKey = settings::SortKey::Name;
    rules.attributeSystem = false;
    rules.upperCase = true;
    writeSettings();
    ASSERT_TRUE(start());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(r().changePrefix->isChecked());
    EXPECT_EQ(r().prefixEdit->text(), QStringLiteral("Old-"));
    EXPECT_TRUE(r().prefixEdit->isEnabled());
    EXPECT_EQ(r().prefixPosition->checkedId(), 1);
    EXPECT_EQ(r().counterStartEdit->text(), QStringLiteral("7"));
    EXPECT_EQ(r().counterDigits->currentText(), QStringLiteral("3"));
    EXPECT_TRUE(r().upperCase->isChecked());
    EXPECT_FALSE(r().system->isChecked());
    EXPECT_EQ(r().sortList->currentText(), QStringLiteral("Name"));
    EXPECT_EQ(f().browser->currentPath(), dir.file("work"));
    EXPECT_EQ(listedNames(), (Texts{"a.mp3", "b.txt"}));
    EXPECT_EQ(f().status->text(), QStringLiteral("2 file(s) total - 0 selected"));
}

// Every field of renset.ini away from its start, so a field the dialog left unbound shows.
TEST_F(MainDialogTest, EveryRuleFieldGoesThroughItsControlAndBack) {
    rules = {};
    rules.changePrefix = rules.useCounter = rules.changeExtension = true;
    rules.prefixText = "P";
    rules.prefixPosition = settings::Position::Replace;
    rules.counterPosition = settings::Position::End;
    rules.counterStart = "5";
    rules.counterIncrement = "10";
    rules.counterDigitsIndex = 3;
    rules.extensionText = "e";
    rules.extensionPosition = settings::Position::End;
    rules.removeSpaces = rules.removeBrackets = rules.removeTildes = rules.removeHyphens = true;
    rules.removeString = rules.replaceString = true;
    rules.stringToRemove = "r";
    rules.replaceFrom = "f";
    rules.replaceWith = "w";
    rules.lowerCase = rules.upperCase = rules.firstLetterUpper = rules.supportId3 = true;
    rules.attributeArchive = rules.attributeHidden = rules.attributeReadOnly = true;
    rules.sortKey = settings::SortKey::Size;
    rules.counterDigitsIndex = 5;
    rules.removeRegex = rules.removeAllOccurrences = rules.replaceRegex = true;
    rules.replaceAllOccurrences = rules.insertText = rules.insertFromEnd = true;
    rules.removeMatchCase = rules.replaceMatchCase = false;
    rules.insertedText = "i";
    rules.insertAt = "2";
    rules.removeCharacters = rules.removeFromEnd = rules.trimEnds = rules.collapseSpaces = true;
    rules.removeCount = "3";
    rules.removeAt = "4";
    rules.removeAccents = rules.latinOnly = rules.lowerExtension = true;
    rules.caseScope = settings::CaseScope::ExtensionOnly;
    rules.continueCounter = rules.naturalOrder = rules.numberDuplicates = true;
    rules.dateFormat = "%d.%m.%Y";
    writeSettings();
    dir.write("prog/morerules.ini", settings::formatMoreRules(rules));
    ASSERT_TRUE(start());
    // Only the window still knows the rules read at the start, which it took back from the
    // controls once it had shown them.
    std::filesystem::remove(dir.file("prog/renset.ini"));
    std::filesystem::remove(dir.file("prog/morerules.ini"));
    c().save->click();
    EXPECT_EQ(dir.read("prog/renset.ini"), settings::formatRenameSettings(rules));
    EXPECT_EQ(dir.read("prog/morerules.ini"), settings::formatMoreRules(rules));
}

TEST_F(MainDialogTest, TheSessionKeepsTheRulesAsTheControlsChange) {
    writeSettings();
    ASSERT_TRUE(start());
    const settings::RenameSettings& kept = dialog->session().rules;
    r().prefixEdit->setText(QStringLiteral("New"));
    m().removeRegex->setChecked(!m().removeRegex->isChecked());
    r().sortList->setCurrentIndex(3);
    EXPECT_EQ(kept.prefixText, "New");
    EXPECT_EQ(kept.removeRegex, m().removeRegex->isChecked());
    EXPECT_EQ(kept.sortKey, settings::SortKey::Size);
}

TEST_F(MainDialogTest, TheStartUpPictureIsGoneOnceTheDialogIsSetUp) {
    writeSettings();
    MainDialogServices services(fs, messages, tags, volumes);
    services.startDirectory = startDirectory;
    services.splashMilliseconds = 1;
    MainDialog withSplash(std::move(services));
    ASSERT_TRUE(withSplash.startUp());
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->isVisible() && window->inherits("QSplashScreen"));
    }
}

// A volume that does not answer, as a hung network share or a busy FUSE daemon, neither keeps
// the window from starting nor the other volumes from the list.
TEST_F(MainDialogTest, StartsWhileAVolumeHasNotAnswered) {
    dir.write("work/a.txt");
    writeSettings();
    testing::GatedVolumes gated{{"/", dir.file("hung")}};
    gated.hold(dir.file("hung"));
    MainDialogServices services(fs, messages, tags, gated);
    services.startDirectory = startDirectory;
    services.splashMilliseconds = 0;
    services.volumeTimeLimit = std::chrono::hours(1);
    MainDialog started(std::move(services));
    ASSERT_TRUE(started.startUp());
    const DirectoryBrowser& browser = *started.filePanel().controls().browser;
    testing::waitForAnswer(browser, "/");
    EXPECT_EQ(browser.volumeState(dir.file("hung")), VolumeChecker::State::Pending);
    ASSERT_EQ(browser.driveList()->count(), 2);
    EXPECT_EQ(browser.currentPath(), dir.file("work"));
    EXPECT_EQ(started.session().fileList.rowCount(), 1u);

    gated.release();
    testing::waitForAnswer(browser, dir.file("hung"));
    EXPECT_EQ(browser.volumeState(dir.file("hung")), VolumeChecker::State::Ready);
}

TEST_F(MainDialogTest, AStartupDirectoryThatIsGoneIsReportedAndTheBrowserOpensHere) {
    options.startupDirPath = dir.file("gone");
    writeSettings();
    ASSERT_TRUE(start());
    EXPECT_EQ(messages.texts(),
              Texts{"The supplied startup directory path is invalid!\nUsing default path"});
    EXPECT_EQ(f().browser->currentPath(), dir.file("prog"));
}

TEST_F(MainDialogTest, AnUnreadableWorkingDirectoryLeavesOnlyExit) {
    startDirectory = platform::Status::fromErrno(EACCES);
    EXPECT_FALSE(start());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Cannot read the current folder: " + platform::Status::fromErrno(EACCES).message());
    EXPECT_EQ(messages.shown[0].caption, "Nameshift Pro");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Stop);
    EXPECT_TRUE(c().exit->isEnabled());
    EXPECT_FALSE(c().apply->isEnabled());
    EXPECT_FALSE(c().save->isEnabled());
}

class StartedDialogTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        for (const char* name : {"one.txt", "two.txt", "three.mp3"}) {
            dir.write(std::string("work/") + name, name);
        }
        writeSettings();
        ASSERT_TRUE(start());
        ASSERT_TRUE(messages.shown.empty());
    }
};

TEST_F(StartedDialogTest, AColonTypedIntoThePrefixIsTakenOutWithOneMessage) {
    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("a:b"));
    EXPECT_EQ(r().prefixEdit->text(), QStringLiteral("ab"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "You have entered an invalid character - :");
    EXPECT_EQ(messages.shown[0].caption, "Invalid Character");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Stop);
}

TEST_F(StartedDialogTest, PastedTextLosesEveryInvalidCharacterOneMessageEach) {
    r().replaceString->click();
    QTest::keyClicks(r().replaceWithEdit, QStringLiteral("x"));
    r().replaceWithEdit->insert(QStringLiteral("<a|b>"));
    EXPECT_EQ(r().replaceWithEdit->text(), QStringLiteral("xab"));
    EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(StartedDialogTest, ZeroInIncrementEmptiesTheFieldButTenIsAccepted) {
    r().useCounter->click();
    QTest::keyClicks(r().counterIncrementEdit, QStringLiteral("0"));
    EXPECT_TRUE(r().counterIncrementEdit->text().isEmpty());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "You must increment by a number greater than zero!");
    EXPECT_EQ(messages.shown[0].caption, "Invalid Increment");

    messages.shown.clear();
    QTest::keyClicks(r().counterIncrementEdit, QStringLiteral("10"));
    EXPECT_EQ(r().counterIncrementEdit->text(), QStringLiteral("10"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartedDialogTest, TheCounterTakesSixDigitsFromAndAStepOfThree) {
    r().useCounter->click();
    QTest::keyClicks(r().counterStartEdit, QStringLiteral("1234567"));
    QTest::keyClicks(r().counterIncrementEdit, QStringLiteral("1234"));
    EXPECT_EQ(r().counterStartEdit->text(), QStringLiteral("123456"));
    EXPECT_EQ(r().counterIncrementEdit->text(), QStringLiteral("123"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartedDialogTest, APositionTakesDigitsOnly) {
    m().toggle->click();
    m().insertText->click();
    QTest::keyClicks(m().insertAtEdit, QStringLiteral("1x0"));
    EXPECT_EQ(m().insertAtEdit->text(), QStringLiteral("10"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Entered value can only be a numeric.");
    EXPECT_EQ(messages.shown[0].caption, "Non-Numeric Value");
}

// A pattern is judged at each keystroke, under its field and never in a message box.
TEST_F(StartedDialogTest, AnInvalidPatternIsShownUnderItsFieldUntilItIsValidOrNoPattern) {
    m().toggle->click();
    r().replaceString->click();
    m().replaceRegex->click();
    const ProblemLabel* problem = r().replaceProblem;
    QTest::keyClicks(r().replaceFromEdit, QStringLiteral("a["));
    const std::optional<std::string> expected = engine::patternProblem("a[", true);
    ASSERT_TRUE(expected);
    EXPECT_EQ(problem->text().toStdString(), *expected);
    EXPECT_TRUE(problem->isVisibleTo(dialog.get()));
    QTest::keyClicks(r().replaceFromEdit, QStringLiteral("b]"));
    EXPECT_TRUE(problem->text().isEmpty());
    EXPECT_FALSE(problem->isVisibleTo(dialog.get()));

    r().replaceFromEdit->setText(QStringLiteral("("));
    EXPECT_TRUE(problem->isVisibleTo(dialog.get()));
    m().replaceRegex->click();
    EXPECT_FALSE(problem->isVisibleTo(dialog.get()));
    m().replaceRegex->click();
    r().replaceString->click();
    EXPECT_FALSE(problem->isVisibleTo(dialog.get()));
    EXPECT_FALSE(r().removeProblem->isVisibleTo(dialog.get()));
    EXPECT_TRUE(messages.shown.empty());
}

// A pattern may hold what a name may not; taken literally again, it is mended as typed text is.
TEST_F(StartedDialogTest, APatternKeepsWhatANameMayNotHold) {
    m().toggle->click();
    r().removeString->click();
    m().removeRegex->click();
    QTest::keyClicks(r().removeStringEdit, QStringLiteral("\\d+|x"));
    EXPECT_EQ(r().removeStringEdit->text(), QStringLiteral("\\d+|x"));
    EXPECT_TRUE(messages.shown.empty());
    m().removeRegex->click();
    EXPECT_EQ(r().removeStringEdit->text(), QStringLiteral("d+x"));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].caption, "Invalid Character");
}

TEST_F(StartedDialogTest, ALeadingZeroOfTheStartIsTakenOutButZeroAloneStays) {
    r().useCounter->click();
    QTest::keyClicks(r().counterStartEdit, QStringLiteral("05"));
    EXPECT_EQ(r().counterStartEdit->text(), QStringLiteral("5"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Invalid Start Position");

    messages.shown.clear();
    r().counterStartEdit->clear();
    QTest::keyClicks(r().counterStartEdit, QStringLiteral("0"));
    EXPECT_EQ(r().counterStartEdit->text(), QStringLiteral("0"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartedDialogTest, TurningACaseBoxOnBesideAnotherWarnsAndTurningOffNever) {
    r().lowerCase->click();
    EXPECT_TRUE(messages.shown.empty());
    r().upperCase->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Please Note: While this & \"Make all lower case\" checkboxes are set, the result "
              "will be ALL upper case.");
    EXPECT_EQ(messages.shown[0].caption, "Warning!");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Information);
    r().lowerCase->click();
    r().upperCase->click();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(r().firstLetterUpper->isEnabled());
}

TEST_F(StartedDialogTest, ACaseBoxCheckedByTheSettingsFileDoesNotWarnWhenTurnedOff) {
    rules.lowerCase = true;
    rules.upperCase = true;
    writeSettings();
    ASSERT_TRUE(start());
    r().upperCase->click();
    EXPECT_TRUE(messages.shown.empty());
}

struct EnablingCase {
    const char* name;
    QCheckBox* (*box)(const RuleControls&);
    std::vector<QWidget*> (*widgets)(const RuleControls&);
};

class EnablingRule : public StartedDialogTest,
                     public ::testing::WithParamInterface<EnablingCase> {};

TEST_P(EnablingRule, ABoxEnablesExactlyItsControls) {
    const EnablingCase& rule = GetParam();
    const std::vector<QWidget*> widgets = rule.widgets(r());
    const auto enabledCount = [&] {
        return std::count_if(widgets.begin(), widgets.end(),
                             [](QWidget* w) { return w->isEnabled(); });
    };
    EXPECT_EQ(enabledCount(), 0);
    rule.box(r())->click();
    EXPECT_EQ(enabledCount(), static_cast<long>(widgets.size()));
    // The other rules' controls stay as they were.
    EXPECT_EQ(r().replaceWithEdit->isEnabled(), rule.box(r()) == r().replaceString);
    EXPECT_EQ(r().prefixEdit->isEnabled(), rule.box(r()) == r().changePrefix);
    rule.box(r())->click();
    EXPECT_EQ(enabledCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    FiveBoxes, EnablingRule,
    ::testing::Values(
        EnablingCase{
            "ChangePrefix", [](const RuleControls& c) { return c.changePrefix; },
            [](const RuleControls& c) {
                return std::vector<QWidget*>{c.prefixEdit, c.prefixToLabel, c.addPrefixLabel};
            }},
        EnablingCase{"UseCounter", [](const RuleControls& c) { return c.useCounter; },
                     [](const RuleControls& c) {
                         return std::vector<QWidget*>{
                             c.counterStartEdit,  c.counterIncrementEdit,  c.counterDigits,
                             c.counterStartLabel, c.counterIncrementLabel, c.useLabel,
                             c.digitsLabel};
                     }},
        EnablingCase{"ChangeExtension", [](const RuleControls& c) { return c.changeExtension; },
                     [](const RuleControls& c) {
                         return std::vector<QWidget*>{c.extensionEdit, c.extensionToLabel,
                                                      c.addExtensionLabel};
                     }},
        EnablingCase{
            "RemoveString", [](const RuleControls& c) { return c.removeString; },
            [](const RuleControls& c) { return std::vector<QWidget*>{c.removeStringEdit}; }},
        EnablingCase{
            "ReplaceString", [](const RuleControls& c) { return c.replaceString; },
            [](const RuleControls& c) {
                return std::vector<QWidget*>{c.replaceFromEdit, c.withLabel, c.replaceWithEdit};
            }}),
    [](const ::testing::TestParamInfo<EnablingCase>& param) {
        return std::string(param.param.name);
    });

TEST_F(StartedDialogTest, TheRadioGroupsFollowTheirBoxes) {
    const auto enabled = [](QButtonGroup* group) {
        bool all = true;
        for (QAbstractButton* button : group->buttons()) {
            all = all && button->isEnabled();
        }
        return all;
    };
    EXPECT_FALSE(enabled(r().prefixPosition));
    r().changePrefix->click();
    r().useCounter->click();
    r().changeExtension->click();
    EXPECT_TRUE(enabled(r().prefixPosition));
    EXPECT_TRUE(enabled(r().counterPosition));
    EXPECT_TRUE(enabled(r().extensionPosition));
    r().supportId3->click();
    EXPECT_TRUE(r().id3Options->isEnabled());
}

TEST_F(StartedDialogTest, PreviewShowsEveryPairAndChangesNothing) {
    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("X-"));
    f().selectAll->click();
    EXPECT_EQ(f().status->text(), QStringLiteral("3 file(s) total - 3 selected"));
    c().preview->click();
    EXPECT_EQ(
        previewed,
        (Pairs{{"three.mp3", "X-three.mp3"}, {"one.txt", "X-one.txt"}, {"two.txt", "X-two.txt"}}));
    EXPECT_EQ(dir.names("work"), (Texts{"one.txt", "three.mp3", "two.txt"}));
    EXPECT_EQ(dialog->session().fileList.tickedCount(), 3u);
}

TEST_F(StartedDialogTest, ApplyRenamesOnDiskAndRestoreGivesTheNamesBack) {
    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("New "));
    f().selectAll->click();
    c().apply->click();
    EXPECT_EQ(dir.names("work"),
              (Texts{"New one.txt", "New three.mp3", "New two.txt", "restore.dat"}));
    EXPECT_EQ(dir.read("work/New one.txt"), "one.txt");
    EXPECT_EQ(messages.texts(), Texts{"Operation complete"});
    EXPECT_EQ(listedNames(), (Texts{"restore.dat", "New three.mp3", "New one.txt", "New two.txt"}));
    EXPECT_EQ(f().status->text(), QStringLiteral("4 file(s) total - 0 selected"));

    messages.shown.clear();
    picker.choice = dir.file("work/restore.dat");
    c().restore->click();
    EXPECT_EQ(picker.askedIn, Texts{dir.file("work")});
    EXPECT_EQ(dir.names("work"), (Texts{"one.txt", "three.mp3", "two.txt"}));
    EXPECT_EQ(dir.read("work/one.txt"), "one.txt");
    EXPECT_EQ(messages.texts(), Texts{"Filename(s) Restored"});
    EXPECT_EQ(listedNames(), (Texts{"three.mp3", "one.txt", "two.txt"}));
}

// What a share could not promise is told in the status line after its batch, no box more, until a
// batch that could promise it.
TEST_F(StartedDialogTest, AShareThatOnlyChecksNamesIsToldInTheStatusLine) {
    fs.namesCheckedJustBefore = true;
    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("New "));
    f().selectAll->click();
    c().apply->click();
    EXPECT_EQ(f().status->fullText(),
              QStringLiteral("4 file(s) total - 0 selected - this share cannot refuse to replace "
                             "files; each name is checked just before its rename"));
    EXPECT_EQ(messages.texts(), Texts{"Operation complete"});
    fs.namesCheckedJustBefore = false;
    picker.choice = dir.file("work/restore.dat");
    c().restore->click();
    EXPECT_EQ(f().status->fullText(), QStringLiteral("3 file(s) total - 0 selected"));
}

// Files handed over by a file manager are listed with their folder and ticked.
TEST_F(StartedDialogTest, FilesHandedOverAreTickedInTheirFolder) {
    startFiles = {"two.txt", "three.mp3", "gone.txt"};
    ASSERT_TRUE(start());
    EXPECT_EQ(dialog->session().fileList.tickedCount(), 2u);
    EXPECT_EQ(f().status->text(), QStringLiteral("3 file(s) total - 2 selected"));
}

// Files dropped on the list are ticked; one of another folder says why it stays out.
TEST_F(StartedDialogTest, FilesDroppedOnTheListAreTicked) {
    dir.write("prog/other.txt", "other");
    emit f().fileList->pathsDropped({QString::fromStdString(dir.file("work/two.txt")),
                                     QString::fromStdString(dir.file("prog/other.txt"))});
    EXPECT_EQ(dialog->session().fileList.tickedCount(), 1u);
    EXPECT_EQ(messages.texts(), (Texts{"\"" + dir.file("prog/other.txt") +
                                       "\" is in another folder than the one listed; a batch "
                                       "renames the files of one folder."}));
}

// The ticked names edited as text become their files' new names by position: a swap is done as
// every swap is, a line left as it was keeps its file's name, and the list goes with the batch.
TEST_F(StartedDialogTest, NamesEditedAsTextRenameTheTickedFilesByPosition) {
    f().selectAll->click();
    onNames = [](NameListDialog& names) {
        EXPECT_EQ(names.editor()->toPlainText(), QStringLiteral("three.mp3\none.txt\ntwo.txt"));
        names.editor()->setPlainText(QStringLiteral("three.mp3\ntwo.txt\none.txt\n"));
        names.accept();
    };
    c().editNamesAction->trigger();
    c().apply->click();
    EXPECT_EQ(dir.read("work/two.txt"), "one.txt");
    EXPECT_EQ(dir.read("work/one.txt"), "two.txt");
    EXPECT_FALSE(dialog->session().listedNames);
}

// Ctrl+Z undoes the folder's last batch after a question, and its restore file with it;
// Ctrl+Shift+Z redoes it, and the history lists each batch, whose undo button undoes the one
// picked after the same question.
TEST_F(StartedDialogTest, UndoRedoAndTheHistoryTakeBatchesBackAndForth) {
    EXPECT_EQ(c().undoAction->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_EQ(c().redoAction->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("New "));
    f().selectAll->click();
    c().apply->click();
    messages.shown.clear();
    c().undoAction->trigger();
    EXPECT_EQ(dir.names("work"), (Texts{"one.txt", "three.mp3", "two.txt"}));
    const std::string question =
        "Undo the batch of " + batchTime() + " in \"work\": 3 files get their earlier names back?";
    EXPECT_EQ(messages.texts(),
              (Texts{question, "3 files in \"work\" got their earlier names back."}));
    EXPECT_EQ(messages.shown.back().icon, platform::Icon::Information);
    c().redoAction->trigger();
    EXPECT_EQ(dir.names("work"),
              (Texts{"New one.txt", "New three.mp3", "New two.txt", "restore.dat"}));
    int listed = 0;
    // The history is the test program's: other tests' batches are listed too.
    onHistory = [&listed, this](HistoryDialog& history) {
        for (int row = 0; row < history.list()->topLevelItemCount(); ++row) {
            listed += history.list()->topLevelItem(row)->text(2).toStdString() == dir.file("work");
        }
        EXPECT_EQ(history.list()->topLevelItem(0)->text(4), QStringLiteral("done"));
        history.undoButton()->click();
    };
    messages.shown.clear();
    c().historyAction->trigger();
    EXPECT_EQ(listed, 1);
    EXPECT_EQ(messages.texts(),
              (Texts{question, "3 files in \"work\" got their earlier names back."}));
    EXPECT_EQ(dir.names("work"), (Texts{"one.txt", "three.mp3", "two.txt"}));
}

// The window's commands step by step, beside a folder "other" whose batches run behind the
// window's back: "apply PREFIX" and "apply-other PREFIX" rename every file with a prefix,
// "undo-other" undoes the newest batch, "prefix PREFIX", "select-all", "apply", "undo" (Ctrl+Z)
// and "redo" (Ctrl+Shift+Z) as the user does them, "history-undo FOLDER" picks the newest batch of
// FOLDER in the history's list, "no" answers the next question No, "move FROM TO" renames in "work"
// by hand. Then the names of both folders, the messages of the last step ("{time}" the time of the
// newest batch in "work" as the messages give it), the ticked rows, and whether the history's list
// was opened.
struct WindowStepsCase {
    const char* name;
    Texts steps;
    Texts work;
    Texts other;
    Texts messages;
    Texts ticked;
    bool historyOpened = false;

    friend void PrintTo(const WindowStepsCase& c, std::ostream* out) { *out << c.name; }
};

class WindowSteps : public StartedDialogTest,
                    public ::testing::WithParamInterface<WindowStepsCase> {
protected:
    void SetUp() override {
        StartedDialogTest::SetUp();
        dir.write("other/a.txt", "a");
        dir.write("other/b.txt", "b");
        other.directory = dir.file("other");
        other.options.restoreFileUsage = settings::RestoreFileUsage::None;
        other.options.warnOnApply = false;
        other.rules = settings::RenameSettings::whenFileMissing();
        other.fileList.setAttributeMask(other.rules.attributeMask());
        onHistory = [this](HistoryDialog& history) {
            historyOpened = true;
            for (int row = 0; row < history.list()->topLevelItemCount(); ++row) {
                if (history.list()->topLevelItem(row)->text(2).toStdString() ==
                    dir.file(chosenFolder)) {
                    history.list()->setCurrentItem(history.list()->topLevelItem(row));
                    history.undoButton()->click();
                }
            }
        };
    }

    void run(const std::string& step) {
        const std::size_t space = step.find(' ');
        const std::string verb = step.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : step.substr(space + 1);
        if (verb == "apply" && !rest.empty()) {
            run("prefix " + rest);
            run("select-all");
            c().apply->click();
        } else if (verb == "apply") {
            c().apply->click();
        } else if (verb == "prefix") {
            if (!r().changePrefix->isChecked()) {
                r().changePrefix->click();
            }
            r().prefixEdit->setText(QString::fromStdString(rest));
        } else if (verb == "select-all") {
            if (f().selectAll->isChecked()) {
                f().selectAll->click();
            }
            f().selectAll->click();
        } else if (verb == "apply-other") {
            ASSERT_TRUE(other.fileList.fill(other.directory));
            other.fileList.selectAll(true);
            other.rules.changePrefix = true;
            other.rules.prefixText = rest;
            other.rules.prefixPosition = settings::Position::Beginning;
            MessageBoxQuestions questions(messages);
            engine::applyChanges(other, questions);
        } else if (verb == "undo-other") {
            engine::undoBatch(other, std::nullopt);
        } else if (verb == "undo") {
            c().undoAction->trigger();
        } else if (verb == "redo") {
            c().redoAction->trigger();
        } else if (verb == "history-undo") {
            chosenFolder = rest;
            c().historyAction->trigger();
        } else if (verb == "no") {
            messages.answers.push_back(platform::Answer::No);
        } else if (verb == "move") {
            const std::size_t to = rest.find(' ');
            std::filesystem::rename(dir.file("work/" + rest.substr(0, to)),
                                    dir.file("work/" + rest.substr(to + 1)));
        }
    }

    // `text` with "{time}" given the time of the newest batch in "work".
    std::string withTimes(std::string text) {
        if (const std::size_t at = text.find("{time}"); at != std::string::npos) {
            text.replace(at, 6, batchTime());
        }
        return text;
    }

    Texts tickedNames() const {
        Texts names;
        const engine::FileList& files = dialog->session().fileList;
        for (std::size_t row = 0; row < files.rowCount(); ++row) {
            if (files.isTicked(row)) {
                names.emplace_back(files.row(row).name);
            }
        }
        return names;
    }

    engine::RenameSession other{fs, tags};
    std::string chosenFolder;
    bool historyOpened = false;
};

TEST_P(WindowSteps, LeaveBothFoldersAsTheUserAsked) {
    const WindowStepsCase& row = GetParam();
    for (const std::string& step : row.steps) {
        messages.shown.clear();
        historyOpened = false;
        run(step);
    }
    EXPECT_EQ(dir.names("work"), row.work);
    EXPECT_EQ(dir.names("other"), row.other);
    Texts expected;
    for (const std::string& text : row.messages) {
        expected.push_back(withTimes(text));
    }
    EXPECT_EQ(messages.texts(), expected);
    EXPECT_EQ(tickedNames(), row.ticked);
    EXPECT_EQ(historyOpened, row.historyOpened);
}

const Texts kWorkNames = {"one.txt", "three.mp3", "two.txt"};
const Texts kWorkRenamed = {"restore.dat", "x_one.txt", "x_three.mp3", "x_two.txt"};
const Texts kOtherNames = {"a.txt", "b.txt"};
const Texts kOtherRenamed = {"y_a.txt", "y_b.txt"};

INSTANTIATE_TEST_SUITE_P(
    ShownFolder, WindowSteps,
    ::testing::Values(
        WindowStepsCase{"UndoPassesOverAnotherFoldersNewerBatch",
                        {"apply x_", "apply-other y_", "undo"},
                        kWorkNames,
                        kOtherRenamed,
                        {"Undo the batch of {time} in \"work\": 3 files get their earlier "
                         "names back?",
                         "3 files in \"work\" got their earlier names back."},
                        {}},
        WindowStepsCase{"TheHistorysUndoAsksTheSameQuestion",
                        {"apply x_", "apply-other y_", "no", "history-undo work"},
                        kWorkRenamed,
                        kOtherRenamed,
                        {"Undo the batch of {time} in \"work\": 3 files get their earlier "
                         "names back?"},
                        {},
                        true},
        WindowStepsCase{"NothingToUndoHereOffersTheHistory",
                        {"apply-other y_", "undo"},
                        kWorkNames,
                        kOtherRenamed,
                        {"There is no batch to undo in \"work\". Open the history, which lists "
                         "the batches of every folder?"},
                        {},
                        true},
        WindowStepsCase{"RedoPassesOverAnotherFoldersLaterUndo",
                        {"apply x_", "undo", "apply-other y_", "undo-other", "redo"},
                        kWorkRenamed,
                        kOtherNames,
                        {"3 files in \"work\" got their new names again."},
                        {}},
        WindowStepsCase{"NothingToRedoHere",
                        {"apply-other y_", "undo-other", "redo"},
                        kWorkNames,
                        kOtherNames,
                        {"There is no undone batch to redo in \"work\"."},
                        {}},
        WindowStepsCase{"SelectAllLeavesTheRestoreFileOut",
                        {"apply x_", "select-all"},
                        kWorkRenamed,
                        kOtherNames,
                        {},
                        {"x_three.mp3", "x_one.txt", "x_two.txt"}},
        WindowStepsCase{"FilesChangedKeepsTheTicksOfTheFilesStillThere",
                        {"prefix x_", "select-all", "move one.txt uno.txt", "apply"},
                        {"three.mp3", "two.txt", "uno.txt"},
                        kOtherNames,
                        {"Cannot continue - 1 file(s) of the batch changed since the folder was "
                         "listed: removed, renamed or replaced by another program. Nothing was "
                         "renamed. The list shows the folder as it is now, the files still there "
                         "ticked as before; apply again."},
                        {"three.mp3", "two.txt"}}),
    [](const ::testing::TestParamInfo<WindowStepsCase>& param) { return param.param.name; });

// A command that runs out of memory half way stops there: the files after it keep their names,
// no restore file claims a batch that did not happen, the batch is offered for undoing at once
// from its journal, and the dialog goes on with the list read anew instead of the program
// aborting.
TEST_F(StartedDialogTest, ACommandOutOfMemoryStopsWithAMessageAndTheDialogGoesOn) {
    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("New "));
    f().selectAll->click();
    fs.runOutOfMemory(FaultyFileSystem::Op::Rename, "one.txt", 1);
    fs.renames.clear();
    messages.answers.push_back(platform::Answer::Yes);
    c().apply->click();
    // two.txt is never tried; the undo puts back the one file renamed before the stop.
    EXPECT_EQ(fs.renames, (Texts{"three.mp3 -> New three.mp3", "one.txt -> New one.txt",
                                 "New three.mp3 -> three.mp3"}));
    ASSERT_EQ(messages.texts().size(), 3u);
    EXPECT_EQ(messages.texts()[0],
              "The command was stopped: there is not enough memory.\nFiles renamed before it "
              "stopped keep their new names; no other file was renamed.");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Stop);
    EXPECT_NE(messages.texts()[1].find("was interrupted after 1 of 3 renames."), std::string::npos)
        << messages.texts()[1];
    std::vector<std::string> buttons;
    for (const platform::MessageText& button : messages.shown[1].buttonTexts) {
        buttons.push_back(button.filled());
    }
    EXPECT_EQ(buttons, (Texts{"Undo", "Finish", "Later"}));
    EXPECT_EQ(messages.shown[1].helpPage, "recovery.html");
    EXPECT_EQ(messages.texts()[2], "1 file(s) renamed back.");
    EXPECT_EQ(dir.names("work"), (Texts{"one.txt", "three.mp3", "two.txt"})) << "undone";
    EXPECT_EQ(dialog->result(), QDialog::Rejected) << "the dialog is still open";
    EXPECT_EQ(listedNames(), (Texts{"three.mp3", "one.txt", "two.txt"}));

    messages.shown.clear();
    f().selectAll->click();
    c().apply->click();
    EXPECT_EQ(dir.names("work"),
              (Texts{"New one.txt", "New three.mp3", "New two.txt", "restore.dat"}));
    EXPECT_EQ(messages.texts(), Texts{"Operation complete"});
}

// The recovery offered at start-up stops as a command does, and the program still starts.
TEST_F(MainDialogTest, ARecoveryOutOfMemoryAtStartUpStopsWithAMessageAndTheProgramStarts) {
    dir.write("work/one.txt", "one");
    writeSettings();
    fs.runOutOfMemory(FaultyFileSystem::Op::List, platform::userStateDirectory(), 1);
    ASSERT_TRUE(start());
    EXPECT_EQ(messages.texts(),
              Texts{"The command was stopped: there is not enough memory.\nFiles renamed before "
                    "it stopped keep their new names; no other file was renamed."});
    EXPECT_EQ(listedNames(), Texts{"one.txt"});
}

// A usable batch behind a hole of zeros, one byte over the size limit: refused unread.
TEST_F(StartedDialogTest, AnOversizedRestoreFileIsCorrupt) {
    const std::string text = engine::formatRestoreFile({dir.file("work"), {"one"}, {"one.txt"}});
    dir.write("work/restore.dat");
    ASSERT_EQ(::truncate(dir.file("work/restore.dat").c_str(),
                         static_cast<off_t>(engine::kRestoreFileMaxBytes + 1 - text.size())),
              0);
    {
        std::ofstream out(dir.file("work/restore.dat"), std::ios::binary | std::ios::app);
        out << text;
    }
    picker.choice = dir.file("work/restore.dat");
    c().restore->click();
    EXPECT_EQ(messages.texts(), Texts{"The restore file is corrupt and cannot be used!"});
    EXPECT_EQ(dir.names("work"), (Texts{"one.txt", "restore.dat", "three.mp3", "two.txt"}));
}

TEST_F(StartedDialogTest, ApplyEndsTheProgramWhenTheOptionsSaySo) {
    options.exitAfterApply = true;
    options.confirmationOnExit = true;
    writeSettings();
    ASSERT_TRUE(start());
    dialog->show();
    f().selectAll->click();
    r().changeExtension->click();
    QTest::keyClicks(r().extensionEdit, QStringLiteral("bak"));
    r().extensionPosition->button(2)->click();
    c().apply->click();
    EXPECT_EQ(dir.names("work"), (Texts{"one.bak", "restore.dat", "three.bak", "two.bak"}));
    EXPECT_EQ(messages.texts(), Texts{"Operation complete"});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(StartedDialogTest, TheFileMaskFiltersTheListAndADirectoryChangeResetsIt) {
    dir.makeDirectory("work/sub");
    dir.write("work/sub/inner.txt");
    ASSERT_EQ(r().maskList->count(), 3);
    EXPECT_EQ(r().maskList->itemText(1), QStringLiteral("*.mp3"));
    r().maskList->setCurrentIndex(1);
    emit r().maskList->activated(1);
    EXPECT_EQ(listedNames(), Texts{"three.mp3"});

    r().hidden->click();
    EXPECT_EQ(listedNames(), Texts{"three.mp3"});

    DirectoryChainTree* tree = f().browser->tree();
    QStandardItem* work = tree->itemModel()->itemFromIndex(tree->currentIndex());
    tree->openItem(work->index());  // lists "sub", made after the start
    ASSERT_EQ(work->rowCount(), 1);
    tree->openItem(work->child(0)->index());
    EXPECT_EQ(listedNames(), Texts{"inner.txt"});
    EXPECT_EQ(r().maskList->currentIndex(), 0);
    EXPECT_EQ(dialog->session().directory, dir.file("work/sub"));
}

TEST_F(StartedDialogTest, AfterApplyTheListShowsEveryFileUnderTheFirstMask) {
    r().maskList->setCurrentIndex(2);
    emit r().maskList->activated(2);
    ASSERT_EQ(listedNames(), (Texts{"one.txt", "two.txt"}));
    f().selectAll->click();
    r().changeExtension->click();
    QTest::keyClicks(r().extensionEdit, QStringLiteral("bak"));
    r().extensionPosition->button(2)->click();
    c().apply->click();
    EXPECT_EQ(r().maskList->currentIndex(), 0);
    EXPECT_EQ(r().maskList->currentText(), QStringLiteral("*.*"));
    EXPECT_EQ(listedNames(), (Texts{"one.bak", "two.bak", "restore.dat", "three.mp3"}));
}

TEST_F(StartedDialogTest, SaveSettingsWritesTheRulesShown) {
    r().removeSpaces->click();
    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("P"));
    c().save->click();
    settings::RenameSettings expected = rules;
    expected.removeSpaces = true;
    expected.changePrefix = true;
    expected.prefixText = "P";
    EXPECT_EQ(dir.read("prog/renset.ini"), settings::formatRenameSettings(expected));
}

TEST_F(MainDialogTest, NaturalOrderSortsTheNumbersOfNamesByTheirValue) {
    for (const char* name : {"file10.txt", "file9.txt", "file1.txt"}) {
        dir.write(std::string("work/") + name);
    }
    rules.sortKey = settings::SortKey::Name;
    writeSettings();
    ASSERT_TRUE(start());
    EXPECT_EQ(listedNames(), (Texts{"file1.txt", "file10.txt", "file9.txt"}));
    r().naturalOrder->click();
    EXPECT_EQ(listedNames(), (Texts{"file1.txt", "file9.txt", "file10.txt"}));
    r().naturalOrder->click();
    EXPECT_EQ(listedNames(), (Texts{"file1.txt", "file10.txt", "file9.txt"}));
}

// Saved, listed, loaded over other rules, and deleted after a question, all in the folder the
// command-line tool keeps its presets in.
TEST_F(StartedDialogTest, APresetGoesThroughItsWholeLife) {
    m().toggle->click();
    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("P-"));
    m().trimEnds->click();
    m().caseScope->button(1)->click();
    presetNames = {QStringLiteral("Holiday")};
    p().save->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(presetList(), Texts{"Holiday"});
    EXPECT_EQ(p().presets->currentText(), QStringLiteral("Holiday"));
    const settings::RenameSettings saved = [&] {
        settings::PresetStore store(fs, messages,
                                    settings::PresetStore::directoryIn(dir.file("prog")));
        return store.load("Holiday", {}).value_or(settings::RenameSettings{});
    }();
    EXPECT_TRUE(saved.trimEnds);
    EXPECT_EQ(saved.prefixText, "P-");

    r().changePrefix->click();
    r().prefixEdit->clear();
    m().trimEnds->click();
    m().caseScope->button(2)->click();
    p().presets->activated(0);
    EXPECT_TRUE(r().changePrefix->isChecked());
    EXPECT_TRUE(r().prefixEdit->isEnabled());
    EXPECT_EQ(r().prefixEdit->text(), QStringLiteral("P-"));
    EXPECT_TRUE(m().trimEnds->isChecked());
    EXPECT_EQ(m().caseScope->checkedId(), 1);

    messages.answers = {platform::Answer::No, platform::Answer::Yes};
    p().remove->click();
    EXPECT_EQ(presetList(), Texts{"Holiday"});
    p().remove->click();
    EXPECT_EQ(presetList(), Texts{});
    EXPECT_EQ(messages.texts(),
              (Texts{"Delete the preset \"Holiday\"?", "Delete the preset \"Holiday\"?"}));
    EXPECT_EQ(messages.shown[0].caption, "Delete Preset");
    EXPECT_FALSE(std::filesystem::exists(dir.file("prog/presets/Holiday")));
    // Cancelling the question saves nothing.
    p().save->click();
    EXPECT_EQ(presetList(), Texts{});
}

struct PresetNameCase {
    const char* name;
    const char* message;
};

class InvalidPresetName : public StartedDialogTest,
                          public ::testing::WithParamInterface<PresetNameCase> {};

TEST_P(InvalidPresetName, IsRefusedWithTheStoresMessage) {
    m().toggle->click();
    presetNames = {QString::fromUtf8(GetParam().name)};
    p().save->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, GetParam().message);
    EXPECT_EQ(messages.shown[0].caption, "Invalid Preset Name");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Stop);
    EXPECT_TRUE(presetList().empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("prog/presets")));
}

INSTANTIATE_TEST_SUITE_P(
    Names, InvalidPresetName,
    ::testing::Values(PresetNameCase{"", "A preset needs a name."},
                      PresetNameCase{"a/b", "\"a/b\" cannot name a preset: it holds a \"/\"."},
                      PresetNameCase{"..", "\"..\" cannot name a preset: it names a folder."}));

TEST_F(StartedDialogTest, OtherDialogsRunThroughTheirHooksAndTheirFilesAreReadAgain) {
    std::vector<std::string> opened;
    hooks.options = [&](const DialogContext& context) {
        opened.emplace_back("options");
        EXPECT_EQ(context.parent, dialog.get());
        settings::ProgramOptions changed = options;
        changed.confirmationOnExit = true;
        EXPECT_TRUE(context.fileSystem
                        .writeFile(context.paths.programOptions,
                                   settings::formatProgramOptions(changed),
                                   platform::WriteMode::Replace)
                        .ok());
    };
    hooks.about = [&](const DialogContext&) { opened.emplace_back("about"); };
    hooks.help = [&](const DialogContext&, const QString& page) {
        opened.push_back("help " + page.toStdString());
    };
    hooks.tagNamingOptions = [&](const DialogContext&) { opened.emplace_back("id3"); };
    ASSERT_TRUE(start());
    c().options->click();
    EXPECT_TRUE(dialog->session().options.confirmationOnExit);
    c().about->click();
    c().aboutAction->trigger();
    c().help->click();
    r().supportId3->click();
    r().id3Options->click();
    EXPECT_EQ(opened, (Texts{"options", "about", "about", "help index.html", "id3"}));
    EXPECT_EQ(c().aboutAction->text(), QStringLiteral("&About Nameshift Pro..."));
    EXPECT_TRUE(dialog->actions().contains(c().aboutAction));
}

// The ID3 options dialog may leave ID3Opts.ini changed or gone; renaming follows the file either
// way, and a missing file is reported as at start-up.
TEST_F(StartedDialogTest, ClosingTheId3OptionsReadsTheirFileAgainAndReportsItMissing) {
    settings::TagNamingOptions advanced;
    advanced.useAdvanced = true;
    advanced.advancedFormat = "%2: %4";
    hooks.tagNamingOptions = [&](const DialogContext& context) {
        EXPECT_TRUE(context.fileSystem
                        .writeFile(context.paths.id3Options, settings::formatId3Options(advanced),
                                   platform::WriteMode::Replace)
                        .ok());
    };
    ASSERT_TRUE(start());
    r().supportId3->click();
    r().id3Options->click();
    EXPECT_EQ(dialog->session().id3.format, "%2- %4");

    hooks.tagNamingOptions = [&](const DialogContext& context) {
        EXPECT_TRUE(context.fileSystem.removeFile(context.paths.id3Options).ok());
    };
    dialog.reset();
    messages.shown.clear();
    ASSERT_TRUE(start());
    r().supportId3->click();
    messages.shown.clear();
    r().id3Options->click();
    EXPECT_EQ(messages.texts(), Texts{kId3Missing});
    EXPECT_EQ(dialog->session().id3, settings::Id3Naming{});
}

TEST_F(StartedDialogTest, F5ListsTheFolderAgain) {
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    dir.write("work/four.txt");
    QTest::keyClick(dialog.get(), Qt::Key_F5);
    EXPECT_EQ(listedNames(), (Texts{"three.mp3", "four.txt", "one.txt", "two.txt"}));
    EXPECT_TRUE(messages.shown.empty());
}

enum class GoneFoundBy { F5, Apply, Preview, Refilter };

// The folder shown, with ticked files, is deleted behind the program's back: whatever finds it
// out says so once and lists the folder above it, and no ticked file of it is left to rename.
class GoneFolderWithTicks : public StartedDialogTest,
                            public ::testing::WithParamInterface<GoneFoundBy> {};

TEST_P(GoneFolderWithTicks, IsLeftForTheFolderAbove) {
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("x"));
    f().selectAll->click();
    std::filesystem::remove_all(dir.file("work"));
    switch (GetParam()) {
        case GoneFoundBy::F5:
            QTest::keyClick(dialog.get(), Qt::Key_F5);
            break;
        case GoneFoundBy::Apply:
            c().apply->click();
            break;
        case GoneFoundBy::Preview:
            c().preview->click();
            break;
        case GoneFoundBy::Refilter:
            r().hidden->click();
            break;
    }
    EXPECT_EQ(messages.texts(),
              Texts{"The folder \"" + dir.file("work") + "\" no longer exists; showing \"" +
                    dir.path() + "\" instead."});
    EXPECT_EQ(f().browser->currentPath(), dir.path());
    EXPECT_EQ(dialog->session().directory, dir.path());
    EXPECT_EQ(listedNames(), Texts{});
    EXPECT_EQ(dialog->session().fileList.tickedCount(), 0u);
    EXPECT_TRUE(previewed.empty());
    EXPECT_EQ(f().status->text(), QStringLiteral("0 file(s) total - 0 selected"));
}

std::string foundByName(const ::testing::TestParamInfo<GoneFoundBy>& param) {
    constexpr std::array<const char*, 4> kNames = {"F5", "Apply", "Preview", "Refilter"};
    return kNames[static_cast<std::size_t>(param.param)];
}

INSTANTIATE_TEST_SUITE_P(Commands, GoneFolderWithTicks,
                         ::testing::Values(GoneFoundBy::F5, GoneFoundBy::Apply,
                                           GoneFoundBy::Preview, GoneFoundBy::Refilter),
                         &foundByName);

struct StatusCase {
    const char* name;
    const char* catalogue;  // empty: the program's English
    int files;
    const char* text;

    friend void PrintTo(const StatusCase& c, std::ostream* out) { *out << c.name; }
};

// The status line at the window's smallest, in each language and with the longer counts.
class StatusLineAtMinimumSize : public MainDialogTest,
                                public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusLineAtMinimumSize, IsShownWhole) {
    QTranslator translator;
    if (*GetParam().catalogue != '\0') {
        ASSERT_TRUE(translator.load(QString::fromUtf8(GetParam().catalogue),
                                    QStringLiteral(NAMESHIFT_QM_DIR)));
        QCoreApplication::installTranslator(&translator);
    }
    for (int i = 0; i < GetParam().files; ++i) {
        dir.write("work/Holiday picture " + std::to_string(1000 + i) + ".jpg");
    }
    writeSettings();
    ASSERT_TRUE(start());
    dialog->show();
    dialog->resize(dialog->minimumSize());
    f().selectAll->click();
    EXPECT_EQ(dialog->size(), dialog->minimumSize());
    EXPECT_EQ(f().status->text().toStdString(), GetParam().text);
    EXPECT_TRUE(f().status->toolTip().isEmpty()) << "a tooltip stands for the cut-off text";
    QCoreApplication::removeTranslator(&translator);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, StatusLineAtMinimumSize,
    ::testing::Values(StatusCase{"English", "", 120, "120 file(s) total - 120 selected"},
                      StatusCase{"German", "nameshift_de", 120,
                                 "120 Dateien insgesamt \u2013 120 ausgew\u00e4hlt"},
                      StatusCase{"GermanOneFile", "nameshift_de", 1,
                                 "1 Datei insgesamt \u2013 1 ausgew\u00e4hlt"}),
    [](const ::testing::TestParamInfo<StatusCase>& param) {
        return std::string(param.param.name);
    });

enum class ExitWay { Button, Escape, CloseBox };

class ExitConfirmation : public MainDialogTest, public ::testing::WithParamInterface<ExitWay> {
protected:
    void exitBy(ExitWay way) {
        switch (way) {
            case ExitWay::Button:
                c().exit->click();
                break;
            case ExitWay::Escape:
                QTest::keyClick(dialog.get(), Qt::Key_Escape);
                break;
            case ExitWay::CloseBox:
                dialog->close();
                break;
        }
    }
};

TEST_P(ExitConfirmation, NoKeepsTheProgramAndYesEndsIt) {
    options.confirmationOnExit = true;
    writeSettings();
    ASSERT_TRUE(start());
    dialog->show();
    messages.answers = {platform::Answer::No, platform::Answer::Yes};
    exitBy(GetParam());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Are you sure you want to quit?");
    EXPECT_EQ(messages.shown[0].caption, "Confirm Exit");
    EXPECT_EQ(messages.shown[0].buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(dialog->isVisible());

    exitBy(GetParam());
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_P(ExitConfirmation, WithoutConfirmationTheProgramEndsAtOnce) {
    writeSettings();
    ASSERT_TRUE(start());
    dialog->show();
    exitBy(GetParam());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(dialog->isVisible());
}

INSTANTIATE_TEST_SUITE_P(AllWays, ExitConfirmation,
                         ::testing::Values(ExitWay::Button, ExitWay::Escape, ExitWay::CloseBox));

struct RuleField {
    QCheckBox* RuleControls::*box;
    QLineEdit* RuleControls::*edit;
};

class EnterInARuleField : public MainDialogTest, public ::testing::WithParamInterface<RuleField> {};

// Enter after typing a rule only commits the field: the window has no default button that would
// take the key and close it, with the typed rules, without a question.
TEST_P(EnterInARuleField, NeverClosesTheWindow) {
    writeSettings();
    ASSERT_TRUE(start());
    dialog->show();
    if (!(r().*GetParam().box)->isChecked()) {
        (r().*GetParam().box)->click();
    }
    QLineEdit* edit = r().*GetParam().edit;
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("5"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(edit, key);
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(edit->text().endsWith(QLatin1Char('5')));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EnterInARuleField,
    ::testing::Values(RuleField{&RuleControls::changePrefix, &RuleControls::prefixEdit},
                      RuleField{&RuleControls::useCounter, &RuleControls::counterStartEdit},
                      RuleField{&RuleControls::useCounter, &RuleControls::counterIncrementEdit},
                      RuleField{&RuleControls::changeExtension, &RuleControls::extensionEdit},
                      RuleField{&RuleControls::removeString, &RuleControls::removeStringEdit},
                      RuleField{&RuleControls::replaceString, &RuleControls::replaceFromEdit},
                      RuleField{&RuleControls::replaceString, &RuleControls::replaceWithEdit}));

}  // namespace
}  // namespace nameshift::ui
