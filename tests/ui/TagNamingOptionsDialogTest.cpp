#include "ui/TagNamingOptionsDialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <cerrno>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"
#include "settings/Id3OptionsFile.h"

namespace nameshift::ui {
namespace {

using platform::Answer;
using platform::Icon;
using settings::TagNamingOptions;
using Names = std::vector<std::string>;

const Names kAllFrames = {"Album Title", "Artist",       "Genre",
                          "Track Name",  "Track Number", "Year of Release"};

constexpr const char* kMissingMessage =
    "An error occurred. Possible error: \"ID3Opts.ini\" file doesn't exist?\n"
    "Using default ID3 options instead.";
constexpr const char* kUnspecified =
    "ID3 options are not specified, please specify format options.";

Names itemsOf(const QListWidget* list) {
    Names names;
    for (int row = 0; row < list->count(); ++row) {
        names.push_back(list->item(row)->text().toStdString());
    }
    return names;
}

// The value line that follows `key` in a settings file.
std::string valueAfter(const std::string& text, const std::string& key) {
    const std::size_t at = text.find(key + "\r\n");
    if (at == std::string::npos) {
        return "<no key>";
    }
    const std::size_t start = at + key.size() + 2;
    const std::size_t end = text.find("\r\n", start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

class TagNamingOptionsDialogTest : public ::testing::Test {
protected:
    std::string path() const { return dir.file("ID3Opts.ini"); }
    void writeOptions(const TagNamingOptions& options) const {
        dir.write("ID3Opts.ini", settings::formatId3Options(options));
    }
    std::string savedBasicFormat() const {
        return valueAfter(dir.read("ID3Opts.ini"), "-= Basic Options Format =-");
    }

    template <typename T>
    T* control(TagNamingOptionsDialog& dialog, const char* name) const {
        T* found = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(TagNamingOptionsDialog& dialog, const char* name) const {
        // Near the left edge: a check box or radio button takes clicks on its box and caption
        // only, and its layout may make it far wider than those.
        QAbstractButton* button = control<QAbstractButton>(dialog, name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    QListWidget* available(TagNamingOptionsDialog& dialog) const {
        return control<QListWidget>(dialog, "availableFrames");
    }
    QListWidget* selected(TagNamingOptionsDialog& dialog) const {
        return control<QListWidget>(dialog, "selectedFrames");
    }
    void choose(QListWidget* list, const std::string& frame) const {
        const auto found = list->findItems(QString::fromStdString(frame), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << frame;
        list->setCurrentItem(found.first());
    }

    testing::TempDir dir;
    testing::FaultyFileSystem fileSystem;
    testing::ScriptedMessageBox messages;
};

TEST_F(TagNamingOptionsDialogTest, MissingFileIsReportedAndTheDefaultsShown) {
    TagNamingOptionsDialog dialog(fileSystem, messages, path());

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kMissingMessage);
    EXPECT_EQ(messages.shown[0].icon, Icon::Exclamation);
    EXPECT_EQ(dialog.options(), TagNamingOptions{});
    EXPECT_EQ(itemsOf(available(dialog)), kAllFrames);
    EXPECT_TRUE(itemsOf(selected(dialog)).empty());
    EXPECT_FALSE(control<QLineEdit>(dialog, "advancedFormat")->isEnabled());
    EXPECT_TRUE(dialog.exampleText().isEmpty());
}

TEST_F(TagNamingOptionsDialogTest, StoredFramesAreSelectedInTheirOrder) {
    dir.write("ID3Opts.ini",
              "-= Only Rename w/ID3 Tags/Use Alt Renaming Options =-\r\n2\r\n\r\n"
              "-= Use Basic/Advanced ID3 Options =-\r\n0\r\n\r\n"
              "-= Basic Options Format =-\r\n\"%4 - %2\"\r\n\r\n"
              "-= Use Separators =-\r\nTRUE\r\n\r\n"
              "-= Use Spaces/Hyphens/Underscores =-\r\n1\r\n\r\n"
              "-= Format Prefix String =-\r\n\"\"");
    TagNamingOptionsDialog dialog(fileSystem, messages, path());

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(itemsOf(selected(dialog)), (Names{"Track Name", "Artist"}));
    EXPECT_EQ(itemsOf(available(dialog)),
              (Names{"Album Title", "Genre", "Track Number", "Year of Release"}));
    EXPECT_TRUE(control<QRadioButton>(dialog, "renameMode2")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(dialog, "hyphens")->isChecked());
    EXPECT_EQ(dialog.workingFormat(), "%4-%2");
    EXPECT_EQ(dialog.exampleText(), QLatin1String("Sample Track-Sample Artist"));
}

TEST_F(TagNamingOptionsDialogTest, FileThatChoosesNeitherModeIsShownAsBasic) {
    dir.write("ID3Opts.ini", "-= Basic Options Format =-\r\n\"%1%6\"\r\n\r\n");
    TagNamingOptionsDialog dialog(fileSystem, messages, path());

    EXPECT_TRUE(control<QRadioButton>(dialog, "basicMode")->isChecked());
    EXPECT_EQ(dialog.options().renameMode, std::nullopt);
    EXPECT_EQ(dialog.options().separator, std::nullopt);
    EXPECT_EQ(dialog.workingFormat(), "%1%6");
}

// One step on the frame lists: a button, and the frame chosen before it is pressed.
struct Move {
    const char* button;
    const char* chosen = nullptr;  // in the available list for ">", else in the selected list
};

struct MoveCase {
    const char* name;
    std::vector<Move> moves;
    Names selected;
    std::string basicFormat;  // as saved with hyphens
};

class FrameMoves : public TagNamingOptionsDialogTest,
                   public ::testing::WithParamInterface<MoveCase> {};

TEST_P(FrameMoves, ListsExampleAndSavedFormatFollowTheMoves) {
    TagNamingOptions options;
    options.separator = settings::Id3Separator::Hyphen;
    writeOptions(options);
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    dialog.show();

    for (const Move& move : GetParam().moves) {
        const std::string button = move.button;
        if (move.chosen != nullptr) {
            choose(button == "oneToSelected" ? available(dialog) : selected(dialog), move.chosen);
        }
        click(dialog, move.button);
    }

    const Names chosen = itemsOf(selected(dialog));
    EXPECT_EQ(chosen, GetParam().selected);
    Names rest;
    for (const std::string& frame : kAllFrames) {
        if (std::find(chosen.begin(), chosen.end(), frame) == chosen.end()) {
            rest.push_back(frame);
        }
    }
    EXPECT_EQ(itemsOf(available(dialog)), rest);
    EXPECT_EQ(dialog.workingFormat(), GetParam().basicFormat);
    EXPECT_EQ(dialog.exampleText().toStdString(), exampleTagResult(GetParam().basicFormat));

    if (chosen.empty()) {
        return;
    }
    click(dialog, "ok");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(savedBasicFormat(), "\"" + GetParam().basicFormat + "\"");
}

INSTANTIATE_TEST_SUITE_P(
    TagNamingOptionsDialog, FrameMoves,
    ::testing::Values(
        MoveCase{"AllToSelectedKeepsAlphabeticalOrder",
                 {{"allToSelected"}},
                 kAllFrames,
                 "%1-%2-%3-%4-%5-%6"},
        MoveCase{"OneAtATimeInPickedOrder",
                 {{"oneToSelected", "Year of Release"}, {"oneToSelected", "Artist"}},
                 {"Year of Release", "Artist"},
                 "%6-%2"},
        MoveCase{"OneToSelectedWithNothingChosenDoesNothing", {{"oneToSelected"}}, {}, ""},
        MoveCase{"BackToAvailableSortsIn",
                 {{"allToSelected"}, {"oneToAvailable", "Genre"}, {"oneToAvailable", "Artist"}},
                 {"Album Title", "Track Name", "Track Number", "Year of Release"},
                 "%1-%4-%5-%6"},
        MoveCase{"AllBackToAvailable", {{"allToSelected"}, {"allToAvailable"}}, {}, ""},
        MoveCase{
            "UpSwapsWithTheOneAbove",
            {{"oneToSelected", "Artist"}, {"oneToSelected", "Track Name"}, {"up", "Track Name"}},
            {"Track Name", "Artist"},
            "%4-%2"},
        MoveCase{
            "DownSwapsWithTheOneBelow",
            {{"allToSelected"}, {"down", "Album Title"}, {"down"}},
            {"Artist", "Genre", "Album Title", "Track Name", "Track Number", "Year of Release"},
            "%2-%3-%1-%4-%5-%6"},
        MoveCase{"UpOnTheFirstDoesNothing",
                 {{"oneToSelected", "Genre"}, {"oneToSelected", "Artist"}, {"up", "Genre"}},
                 {"Genre", "Artist"},
                 "%3-%2"},
        MoveCase{"DownOnTheLastDoesNothing",
                 {{"oneToSelected", "Genre"}, {"oneToSelected", "Artist"}, {"down", "Artist"}},
                 {"Genre", "Artist"},
                 "%3-%2"},
        MoveCase{"UpAndDownOnAnEmptyListDoNothing", {{"up"}, {"down"}}, {}, ""}),
    [](const ::testing::TestParamInfo<MoveCase>& testCase) {
        return std::string(testCase.param.name);
    });

struct SeparatorCase {
    const char* name;
    bool useSeparators;
    const char* radio;
    std::string format;
};

class SeparatorChoices : public TagNamingOptionsDialogTest,
                         public ::testing::WithParamInterface<SeparatorCase> {};

TEST_P(SeparatorChoices, JoinTheFramesInExampleAndFile) {
    TagNamingOptions options;
    options.selectedFrames = {"Artist", "Track Name"};
    options.useSeparators = true;
    writeOptions(options);
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    dialog.show();

    click(dialog, GetParam().radio);
    if (!GetParam().useSeparators) {
        click(dialog, "useSeparators");
    }

    EXPECT_EQ(dialog.exampleText().toStdString(), exampleTagResult(GetParam().format));
    for (const char* radio : {"spaces", "hyphens", "underscores"}) {
        EXPECT_EQ(control<QRadioButton>(dialog, radio)->isEnabled(), GetParam().useSeparators);
    }
    click(dialog, "ok");
    EXPECT_EQ(savedBasicFormat(), "\"" + GetParam().format + "\"");
    EXPECT_EQ(valueAfter(dir.read("ID3Opts.ini"), "-= Use Separators =-"),
              GetParam().useSeparators ? "TRUE" : "FALSE");
}

INSTANTIATE_TEST_SUITE_P(TagNamingOptionsDialog, SeparatorChoices,
                         ::testing::Values(SeparatorCase{"Spaces", true, "spaces", "%2 %4"},
                                           SeparatorCase{"Hyphens", true, "hyphens", "%2-%4"},
                                           SeparatorCase{"Underscores", true, "underscores",
                                                         "%2_%4"},
                                           SeparatorCase{"NoSeparators", false, "hyphens", "%2%4"}),
                         [](const ::testing::TestParamInfo<SeparatorCase>& testCase) {
                             return std::string(testCase.param.name);
                         });

struct InvalidCase {
    const char* name;
    QString entered;
    bool typed;  // key by key, else set at once as a paste does
    std::vector<std::string> messages;
    QString left;
};

class AdvancedFormatCharacters : public TagNamingOptionsDialogTest,
                                 public ::testing::WithParamInterface<InvalidCase> {};

TEST_P(AdvancedFormatCharacters, AreReportedAndRemovedOneAtATime) {
    TagNamingOptions options;
    options.useAdvanced = true;
    writeOptions(options);
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    auto* edit = control<QLineEdit>(dialog, "advancedFormat");
    ASSERT_TRUE(edit->isEnabled());

    if (GetParam().typed) {
        QTest::keyClicks(edit, GetParam().entered);
    } else {
        edit->setText(GetParam().entered);
    }

    std::vector<std::string> expected;
    for (const std::string& found : GetParam().messages) {
        expected.push_back("You have entered an invalid character - " + found);
    }
    EXPECT_EQ(messages.texts(), expected);
    for (const auto& message : messages.shown) {
        EXPECT_EQ(message.caption, "Invalid Character");
        EXPECT_EQ(message.icon, Icon::Stop);
    }
    EXPECT_EQ(edit->text(), GetParam().left);
    EXPECT_EQ(dialog.workingFormat(), GetParam().left.toStdString());
    EXPECT_EQ(dialog.exampleText().toStdString(), exampleTagResult(GetParam().left.toStdString()));
}

INSTANTIATE_TEST_SUITE_P(
    TagNamingOptionsDialog, AdvancedFormatCharacters,
    ::testing::Values(
        InvalidCase{"TypedSlash", QStringLiteral("%1/%2"), true, {"/"}, QStringLiteral("%1%2")},
        InvalidCase{"PastedMixListsEachOnceInOrder",
                    QStringLiteral("a>b\\c<d>"),
                    false,
                    {"\\<>", "\\<>", "\\<", "\\"},
                    QStringLiteral("abcd")},
        InvalidCase{"PastedRepeatsGoOneByOne",
                    QStringLiteral("%2//%4"),
                    false,
                    {"/", "/"},
                    QStringLiteral("%2%4")},
        InvalidCase{"EveryCharacter",
                    QStringLiteral("|><\"?*:/\\"),
                    false,
                    {"\\/:*?\"<>|", "\\/:*?\"<>", "\\/:*?\"<", "\\/:*?\"", "\\/:*?", "\\/:*",
                     "\\/:", "\\/", "\\"},
                    QString()},
        InvalidCase{"CleanTextPasses",
                    QStringLiteral("%5. %2 (%6)"),
                    false,
                    {},
                    QStringLiteral("%5. %2 (%6)")}),
    [](const ::testing::TestParamInfo<InvalidCase>& testCase) {
        return std::string(testCase.param.name);
    });

TEST_F(TagNamingOptionsDialogTest, ModesEnableTheirOwnControls) {
    writeOptions(TagNamingOptions{});
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    auto* edit = control<QLineEdit>(dialog, "advancedFormat");

    click(dialog, "advancedMode");
    EXPECT_TRUE(edit->isEnabled());
    for (const char* name :
         {"availableFrames", "selectedFrames", "allToSelected", "up", "useSeparators", "spaces"}) {
        EXPECT_FALSE(control<QWidget>(dialog, name)->isEnabled()) << name;
    }
    QTest::keyClicks(edit, QStringLiteral("%6 %4"));
    EXPECT_EQ(dialog.exampleText(), QLatin1String("1994 Sample Track"));

    click(dialog, "basicMode");
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_TRUE(control<QWidget>(dialog, "availableFrames")->isEnabled());
    EXPECT_TRUE(dialog.exampleText().isEmpty());
}

TEST_F(TagNamingOptionsDialogTest, OkWithoutFramesIsRefusedAndTheDialogStaysOpen) {
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    messages.shown.clear();
    dialog.show();

    click(dialog, "ok");

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kUnspecified);
    EXPECT_EQ(messages.shown[0].caption, "Invalid Format");
    EXPECT_EQ(messages.shown[0].icon, Icon::Stop);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(fileSystem.writes, 0);
    EXPECT_FALSE(dir.exists("ID3Opts.ini"));
}

TEST_F(TagNamingOptionsDialogTest, OkWithAnEmptyAdvancedFormatIsRefused) {
    TagNamingOptions options;
    options.selectedFrames = {"Artist"};
    writeOptions(options);
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    click(dialog, "advancedMode");
    click(dialog, "ok");

    EXPECT_EQ(messages.texts(), std::vector<std::string>{kUnspecified});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(fileSystem.writes, 0);
}

TEST_F(TagNamingOptionsDialogTest, OkSavesTheAdvancedFormatAndMode) {
    writeOptions(TagNamingOptions{});
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    click(dialog, "renameMode1");
    click(dialog, "advancedMode");
    QTest::keyClicks(control<QLineEdit>(dialog, "advancedFormat"), QStringLiteral("%5. %4"));
    click(dialog, "ok");

    TagNamingOptions expected;
    expected.renameMode = settings::Id3RenameMode::AllOrKeep;
    expected.useAdvanced = true;
    expected.advancedFormat = "%5. %4";
    EXPECT_EQ(dir.read("ID3Opts.ini"), settings::formatId3Options(expected));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(TagNamingOptionsDialogTest, FailedSaveIsReportedAndTheDialogStillCloses) {
    TagNamingOptions options;
    options.selectedFrames = {"Genre"};
    writeOptions(options);
    const std::string before = dir.read("ID3Opts.ini");
    fileSystem.fail(testing::FaultyFileSystem::Op::Write, EIO, "ID3Opts.ini");
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    click(dialog, "ok");

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Cannot save options! - Unknown Error.");
    EXPECT_EQ(messages.shown[0].caption, "Error");
    EXPECT_EQ(dir.read("ID3Opts.ini"), before);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(TagNamingOptionsDialogTest, CancelAfterRestoreDefaultsLeavesTheFileUnchanged) {
    TagNamingOptions options;
    options.renameMode = settings::Id3RenameMode::WhateverIsThere;
    options.useAdvanced = true;
    options.selectedFrames = {"Year of Release", "Album Title"};
    options.useSeparators = false;
    options.separator = settings::Id3Separator::Underscore;
    options.advancedFormat = "%6 %1";
    writeOptions(options);
    const std::string before = dir.read("ID3Opts.ini");
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    dialog.show();

    click(dialog, "restoreDefaults");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Are you sure?");
    EXPECT_EQ(messages.shown[0].caption, "Warning!");
    EXPECT_EQ(messages.shown[0].icon, Icon::Question);
    EXPECT_EQ(dialog.options(), TagNamingOptions{});
    EXPECT_EQ(itemsOf(available(dialog)), kAllFrames);
    EXPECT_TRUE(dialog.exampleText().isEmpty());

    click(dialog, "cancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(fileSystem.writes, 0);
    EXPECT_EQ(dir.read("ID3Opts.ini"), before);
}

TEST_F(TagNamingOptionsDialogTest, RestoreDefaultsAnsweredNoChangesNothing) {
    TagNamingOptions options;
    options.renameMode = settings::Id3RenameMode::AllOrKeep;
    options.selectedFrames = {"Track Number", "Track Name"};
    options.separator = settings::Id3Separator::Underscore;
    writeOptions(options);
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    const TagNamingOptions shown = dialog.options();
    const QString example = dialog.exampleText();

    messages.answers = {Answer::No};
    click(dialog, "restoreDefaults");

    EXPECT_EQ(dialog.options(), shown);
    EXPECT_EQ(dialog.exampleText(), example);
    EXPECT_EQ(example, QLatin1String("03_Sample Track"));
}

TEST_F(TagNamingOptionsDialogTest, ExampleFollowsTheSeparatorBoxAtOnce) {
    TagNamingOptions options;
    options.selectedFrames = {"Genre", "Year of Release"};
    writeOptions(options);
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    dialog.show();
    EXPECT_EQ(dialog.exampleText(), QLatin1String("Rock 1994"));

    click(dialog, "useSeparators");
    EXPECT_EQ(dialog.exampleText(), QLatin1String("Rock1994"));
}

// The caption as the user reads it: "&" marks the accelerator and "&&" stands for "&".
QString shownText(const QString& text) {
    QString shown = text;
    shown.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
    return shown;
}

TEST_F(TagNamingOptionsDialogTest, CaptionsAndLegendAreShownExactlyWithDistinctAccelerators) {
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    EXPECT_EQ(dialog.windowTitle(), QLatin1String("ID3 Options"));
    const std::pair<const char*, const char*> captions[] = {
        {"renameMode0",
         "Only rename if ALL specified frames are present, in the ID3 tag, otherwise use "
         "alternate renaming options"},
        {"renameMode1",
         "If ALL specified frames are NOT present, in the ID3 tag,  do not rename the file at "
         "all"},
        {"renameMode2", "Rename to what ever specified frames, in the ID3 tag, are present"},
        {"basicMode", "Use Basic ID3 Options"},
        {"advancedMode", "Use Advanced ID3 Options"},
        {"useSeparators", "Use Separators"},
        {"spaces", "Spaces"},
        {"hyphens", "Hyphens"},
        {"underscores", "Underscores"},
        {"allToSelected", ">>"},
        {"oneToSelected", ">"},
        {"oneToAvailable", "<"},
        {"allToAvailable", "<<"},
        {"restoreDefaults", "Restore Defaults"},
        {"ok", "OK"},
        {"cancel", "Cancel"},
    };
    QList<QKeySequence> accelerators;
    for (const auto& [name, caption] : captions) {
        auto* button = control<QAbstractButton>(dialog, name);
        EXPECT_EQ(shownText(button->text()), QLatin1String(caption)) << name;
        QKeySequence accelerator = QKeySequence::mnemonic(button->text());
        if (accelerator.isEmpty()) {
            accelerator = button->shortcut();
        }
        if (std::string(name) == "ok") {
            EXPECT_TRUE(static_cast<QPushButton*>(button)->isDefault());
            continue;
        }
        EXPECT_FALSE(accelerator.isEmpty()) << name;
        EXPECT_FALSE(accelerators.contains(accelerator)) << name;
        accelerators << accelerator;
    }
    const std::string legend[] = {"%1 - Album Title",   "%2 - Artist",       "%3 - Genre",
                                  "%4 - Track Name",    "%5 - Track Number", "%6 - Year of Release",
                                  "%7 - Album Artist",  "%8 - Disc Number",  "%9 - Composer",
                                  "%m - Date Modified", "%b - Date Created", "%t - Date Taken",
                                  "%c - Camera",        "%x - Pixel Size",   "%d - Duration"};
    for (const std::string& entry : legend) {
        const std::string name = "legend" + entry.substr(1, 1);
        EXPECT_EQ(control<QLabel>(dialog, name.c_str())->text().toStdString(), entry);
    }
}

TEST_F(TagNamingOptionsDialogTest, TabFollowsTheWindowFromTopToBottom) {
    TagNamingOptionsDialog dialog(fileSystem, messages, path());
    const Names expected = {"renameMode0",
                            "renameMode1",
                            "renameMode2",
                            "basicMode",
                            "availableFrames",
                            "allToSelected",
                            "oneToSelected",
                            "oneToAvailable",
                            "allToAvailable",
                            "selectedFrames",
                            "up",
                            "down",
                            "useSeparators",
                            "spaces",
                            "hyphens",
                            "underscores",
                            "advancedMode",
                            "advancedFormat",
                            "restoreDefaults",
                            "ok",
                            "cancel"};
    Names order;
    QWidget* widget = control<QWidget>(dialog, "renameMode0");
    while (widget != nullptr && order.size() < expected.size()) {
        if (widget->focusPolicy() & Qt::TabFocus) {
            order.push_back(widget->objectName().toStdString());
        }
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(order, expected);
}

struct ExampleCase {
    const char* format;
    const char* result;
};

class ExampleTagResult : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(ExampleTagResult, ReplacesEveryCodeByItsExampleValue) {
    EXPECT_EQ(exampleTagResult(GetParam().format), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    TagNamingOptionsDialog, ExampleTagResult,
    ::testing::Values(ExampleCase{"%1 - %2 - %3 - %4 - %5 - %6",
                                  "Sample Album - Sample Artist - Rock - Sample Track - 03 - 1994"},
                      ExampleCase{"%2%2", "Sample ArtistSample Artist"}, ExampleCase{"", ""},
                      ExampleCase{"%0%q%", "%0%q%"}, ExampleCase{"%%1", "%Sample Album"},
                      ExampleCase{"%7 %8 %9", "Sample Band 1 Sample Composer"},
                      ExampleCase{"%t/%m/%b",
                                  "2026-07-14 18.03.55/2026-07-14 18.03.55/2026-07-14 "
                                  "18.03.55"},
                      ExampleCase{"%c %x %d", "Canon EOS 80D 4032x3024 3.25"},
                      ExampleCase{"100%", "100%"}));

}  // namespace
}  // namespace nameshift::ui
