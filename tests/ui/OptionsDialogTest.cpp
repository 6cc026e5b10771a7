#include "ui/OptionsDialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <cerrno>
#include <string>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"
#include "settings/MoreRulesFile.h"
#include "settings/ProgramOptionsFile.h"

namespace nameshift::ui {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using settings::ProgramOptions;

constexpr const char* kMissingMessage =
    "An error occurred. Possible error: \"opt.ini\" file doesn't exist?\n"
    "Using default options instead.";
constexpr const char* kOverwriteQuestion =
    "File Already Exists - Do you wish to overwrite the existing settings?";

ProgramOptions someOptions() {
    ProgramOptions options;
    options.confirmationOnExit = false;
    options.warnOnApply = true;
    options.exitAfterApply = false;
    options.exitAfterRestore = true;
    options.useStartupDir = true;
    options.startupDirPath = "/srv/music";
    options.restoreFileUsage = settings::RestoreFileUsage::Ask;
    return options;
}

class OptionsDialogTest : public ::testing::Test {
protected:
    std::string path() const { return dir.file("opt.ini"); }
    void writeOptions(const ProgramOptions& options) const {
        dir.write("opt.ini", settings::formatProgramOptions(options));
    }

    template <typename T>
    T* control(OptionsDialog& dialog, const char* name) const {
        T* found = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(OptionsDialog& dialog, const char* name) const {
        // Near the left edge: a check box or radio button takes clicks on its box and caption
        // only, and its layout may make it far wider than those.
        QAbstractButton* button = control<QAbstractButton>(dialog, name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    testing::TempDir dir;
    testing::FaultyFileSystem fileSystem;
    testing::ScriptedMessageBox messages;
};

TEST_F(OptionsDialogTest, MissingFileIsReportedAndTheDefaultsShown) {
    OptionsDialog dialog(fileSystem, messages, path());

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kMissingMessage);
    EXPECT_EQ(messages.shown[0].caption, platform::kProgramTitle);
    EXPECT_EQ(messages.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(dialog.options(), ProgramOptions{});
    EXPECT_FALSE(control<QLineEdit>(dialog, "startupDirPath")->isEnabled());
    EXPECT_TRUE(control<QRadioButton>(dialog, "restoreUsage0")->isChecked());
}

TEST_F(OptionsDialogTest, FileIsShownInTheControls) {
    writeOptions(someOptions());
    OptionsDialog dialog(fileSystem, messages, path());

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dialog.options(), someOptions());
    EXPECT_TRUE(control<QLineEdit>(dialog, "startupDirPath")->isEnabled());
    EXPECT_EQ(control<QLineEdit>(dialog, "startupDirPath")->text(), QLatin1String("/srv/music"));
    EXPECT_TRUE(control<QRadioButton>(dialog, "restoreUsage1")->isChecked());
}

TEST_F(OptionsDialogTest, PathEditFollowsItsCheckBoxAndKeepsItsText) {
    ProgramOptions options = someOptions();
    options.useStartupDir = false;
    writeOptions(options);
    OptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    auto* edit = control<QLineEdit>(dialog, "startupDirPath");
    EXPECT_FALSE(edit->isEnabled());

    click(dialog, "useStartupDir");
    EXPECT_TRUE(edit->isEnabled());
    click(dialog, "useStartupDir");
    EXPECT_FALSE(edit->isEnabled());

    messages.answers = {Answer::Yes};
    click(dialog, "saveAndClose");
    EXPECT_EQ(dir.read("opt.ini"), settings::formatProgramOptions(options));
}

TEST_F(OptionsDialogTest, SaveAnsweredNoLeavesTheFileAndClosesAsAccepted) {
    writeOptions(someOptions());
    const std::string before = dir.read("opt.ini");
    OptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    click(dialog, "confirmationOnExit");
    click(dialog, "restoreUsage2");

    messages.answers = {Answer::No};
    click(dialog, "saveAndClose");

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kOverwriteQuestion);
    EXPECT_EQ(messages.shown[0].caption, "File Already Exists");
    EXPECT_EQ(messages.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(dir.read("opt.ini"), before);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(OptionsDialogTest, SaveAnsweredYesWritesTheControls) {
    writeOptions(ProgramOptions{});
    OptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    click(dialog, "warnOnApply");
    click(dialog, "useStartupDir");
    QTest::keyClicks(control<QLineEdit>(dialog, "startupDirPath"), QStringLiteral("/home/me"));
    click(dialog, "restoreUsage2");

    messages.answers = {Answer::Yes};
    click(dialog, "saveAndClose");

    ProgramOptions expected;
    expected.warnOnApply = false;
    expected.useStartupDir = true;
    expected.startupDirPath = "/home/me";
    expected.restoreFileUsage = settings::RestoreFileUsage::None;
    EXPECT_EQ(dir.read("opt.ini"), settings::formatProgramOptions(expected));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// The history's options go to morerules.ini, and only once one is off its default.
TEST_F(OptionsDialogTest, HistoryOptionsAreSavedInMoreRulesOnlyOffTheirDefaults) {
    writeOptions(ProgramOptions{});
    const std::string moreRules = dir.file("morerules.ini");
    for (const bool change : {false, true}) {
        OptionsDialog dialog(fileSystem, messages, path(), nullptr, moreRules);
        dialog.show();
        if (change) {
            click(dialog, "historyOnly");
            control<QSpinBox>(dialog, "historyBatches")->setValue(20);
            control<QSpinBox>(dialog, "historyMebibytes")->setValue(200);
        }
        messages.answers = {Answer::Yes};
        click(dialog, "saveAndClose");
        EXPECT_EQ(dir.exists("morerules.ini"), change);
    }
    const settings::RenameSettings saved = settings::parseMoreRules(dir.read("morerules.ini"), {});
    EXPECT_TRUE(saved.historyOnly);
    EXPECT_EQ(saved.historyBatches, "20");
    EXPECT_EQ(saved.historyMebibytes, "200");
}

TEST_F(OptionsDialogTest, FirstSaveCreatesTheFileWithoutAsking) {
    OptionsDialog dialog(fileSystem, messages, path());
    messages.shown.clear();
    dialog.show();
    click(dialog, "saveAndClose");

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dir.read("opt.ini"), settings::formatProgramOptions(ProgramOptions{}));
}

TEST_F(OptionsDialogTest, FailedSaveIsReportedAndTheDialogStillCloses) {
    writeOptions(someOptions());
    const std::string before = dir.read("opt.ini");
    fileSystem.fail(testing::FaultyFileSystem::Op::Write, ENOSPC, "opt.ini");
    OptionsDialog dialog(fileSystem, messages, path());
    dialog.show();

    messages.answers = {Answer::Yes};
    click(dialog, "saveAndClose");

    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.back().text, "Cannot save options! - Reason: Disk is full.");
    EXPECT_EQ(messages.shown.back().caption, "Error - disk full");
    EXPECT_EQ(dir.read("opt.ini"), before);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(OptionsDialogTest, CancelWritesNothing) {
    writeOptions(someOptions());
    const std::string before = dir.read("opt.ini");
    OptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    click(dialog, "exitAfterRestore");
    click(dialog, "cancel");

    EXPECT_EQ(fileSystem.writes, 0);
    EXPECT_EQ(dir.read("opt.ini"), before);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(OptionsDialogTest, QuoteCannotBeTypedIntoThePath) {
    OptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    click(dialog, "useStartupDir");
    QTest::keyClicks(control<QLineEdit>(dialog, "startupDirPath"), QStringLiteral("/a\"b"));
    EXPECT_EQ(dialog.options().startupDirPath, "/ab");
}

TEST_F(OptionsDialogTest, CaptionsAreShownExactlyWithDistinctAccelerators) {
    OptionsDialog dialog(fileSystem, messages, path());
    const std::pair<const char*, const char*> captions[] = {
        {"confirmationOnExit", "Confirmation on Exit"},
        {"warnOnApply", "Display warning when applying changes"},
        {"exitAfterApply", "Exit program after applying changes"},
        {"exitAfterRestore", "Exit program after restoring filenames"},
        {"useStartupDir", "On startup use the following directory path"},
        {"restoreUsage0", "Automatically create a restore file"},
        {"restoreUsage1", "Display option to create a restore file when applying changes"},
        {"restoreUsage2", "Do not create a restore file"},
        {"historyOnly", "Keep the undo record only in the history (no restore.dat in the folder)"},
        {"saveAndClose", "Save & Close"},
        {"cancel", "Cancel"},
    };
    QList<QKeySequence> accelerators;
    for (const auto& [name, caption] : captions) {
        const QString text = control<QAbstractButton>(dialog, name)->text();
        QString shown = text;
        shown.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
        EXPECT_EQ(shown, QLatin1String(caption)) << name;
        const QKeySequence accelerator = QKeySequence::mnemonic(text);
        EXPECT_FALSE(accelerator.isEmpty()) << name;
        EXPECT_FALSE(accelerators.contains(accelerator)) << name;
        accelerators << accelerator;
    }
    EXPECT_EQ(dialog.windowTitle(), QLatin1String("Options"));
}

}  // namespace
}  // namespace nameshift::ui
