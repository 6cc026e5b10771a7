#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTest>
#include <QTranslator>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"
#include "UiFakes.h"
#include "settings/Id3OptionsFile.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"
#include "settings/WindowLayoutFile.h"
#include "ui/FileListModel.h"
#include "ui/FilePanel.h"
#include "ui/MainDialog.h"
#include "ui/MoreRulesPanel.h"
#include "ui/NewNameColumn.h"
#include "ui/PresetBar.h"
#include "ui/PreviewDialog.h"
#include "ui/RulePanel.h"

namespace nameshift::ui {
namespace {

using testing::FaultyFileSystem;
using testing::FixedVolumes;
using testing::GatedTags;
using testing::ScriptedMessageBox;
using testing::TempDir;
using Texts = std::vector<std::string>;

// The main window over "work", which holds the files a test lists.
class MainWindowTest : public ::testing::Test {
protected:
    void start(const Texts& files) {
        dir.makeDirectory("prog");
        dir.makeDirectory("work");
        for (const std::string& name : files) {
            dir.write("work/" + name, name);
        }
        settings::ProgramOptions options;
        options.confirmationOnExit = false;
        options.warnOnApply = false;
        options.exitAfterApply = false;
        options.useStartupDir = true;
        options.startupDirPath = dir.file("work");
        dir.write("prog/opt.ini", settings::formatProgramOptions(options));
        dir.write("prog/ID3Opts.ini", settings::formatId3Options(id3));
        settings::RenameSettings rules = settings::RenameSettings::whenFileMissing();
        rules.sortKey = settings::SortKey::Name;
        dir.write("prog/renset.ini", settings::formatRenameSettings(rules));
        MainDialogServices services(fs, messages, tags, volumes);
        services.startDirectory = dir.file("prog");
        services.splashMilliseconds = 0;
        services.newNamesPerSlice = newNamesPerSlice;
        // A dialog is looked at, never left waiting for a user.
        services.runModal = [this](QDialog& shown) {
            if (onModal) {
                onModal(shown);
            }
        };
        hooks.help = [this](const DialogContext&, const QString& page) {
            helpPages.push_back(page);
        };
        dialog = std::make_unique<MainDialog>(std::move(services), hooks);
        ASSERT_TRUE(dialog->startUp());
    }

    const MainDialogControls& c() const { return dialog->controls(); }
    const FilePanelControls& f() const { return dialog->filePanel().controls(); }
    const RuleControls& r() const { return dialog->rulePanel().controls(); }

    // Each listed row's new name, with the reason its marker gives when it has one. The tooltip
    // holds the whole name, and on a marked row the reason after it.
    std::vector<std::pair<std::string, std::string>> newNames() {
        const QAbstractItemModel* model = f().fileList->model();
        std::vector<std::pair<std::string, std::string>> shown;
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex cell = model->index(row, FileListModel::NewNameColumn);
            const bool marked = !cell.data(Qt::DecorationRole).isNull();
            const QString name = cell.data().toString();
            QString tip = cell.data(Qt::ToolTipRole).toString();
            EXPECT_TRUE(tip.startsWith(name)) << tip.toStdString();
            tip.remove(0, name.size());
            EXPECT_EQ(tip.isEmpty(), !marked) << tip.toStdString();
            shown.emplace_back(name.toStdString(), marked ? tip.mid(1).toStdString() : "");
        }
        return shown;
    }

    // No reading of tags is left waiting when the window goes.
    void TearDown() override { tags.release(); }

    TempDir dir;
    FaultyFileSystem fs;
    ScriptedMessageBox messages;
    GatedTags tags;
    settings::TagNamingOptions id3;
    FixedVolumes volumes{{"/"}};
    std::unique_ptr<MainDialog> dialog;
    std::vector<QString> helpPages;
    std::size_t newNamesPerSlice = 8192;
    std::function<void(QDialog&)> onModal;
    DialogHooks hooks;
};

TEST_F(MainWindowTest, KeepsItsWidthWhenFilesAreTickedAndFitsASmallScreen) {
    start({"a.txt", "b.txt", "c.txt"});
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    const int width = dialog->width();
    f().selectAll->click();
    QApplication::processEvents();
    EXPECT_EQ(dialog->width(), width);
    f().selectAll->click();
    QApplication::processEvents();
    EXPECT_EQ(dialog->width(), width);

    // 1280x720 less a title bar and a panel; at 150% on 1920x1080 the logical size is the same.
    const QSize least = dialog->minimumSize().expandedTo(dialog->minimumSizeHint());
    EXPECT_LE(least.width(), 1280);
    EXPECT_LE(least.height(), 650);
    dialog->resize(least.width() + 200, least.height() + 50);
    EXPECT_EQ(dialog->size(), QSize(least.width() + 200, least.height() + 50));

    // The "More rules" group scrolls rather than make the window taller than such a screen.
    dialog->rulePanel().moreRules().controls().toggle->click();
    QApplication::processEvents();
    EXPECT_LE(dialog->minimumSizeHint().height(), 650);
    EXPECT_LE(dialog->minimumSizeHint().width(), 1280);
}

struct ScreenCase {
    const char* name;
    int width;
    int height;
    double scale;
    int keptFileSide = 0;  // the width of the file side the window was left with; 0: none
};

// What the probe saw, by "<state> <part>": the screen's free area, the window with its frame and
// the controls that must stay in view, as the window opens and with "More rules" open.
std::map<std::string, QRect> probeWindowOn(const ScreenCase& screen, const TempDir& dir) {
    const QJsonObject config{
        {"screens", QJsonArray{QJsonObject{{"name", "probe"},
                                           {"width", screen.width},
                                           {"height", screen.height},
                                           {"logicalDpi", qRound(96 * screen.scale)},
                                           {"logicalBaseDpi", 96},
                                           {"dpr", 1.0}}}}};
    dir.write("screen.json", QJsonDocument(config).toJson().toStdString());
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(
        QStringLiteral("QT_QPA_PLATFORM"),
        QStringLiteral("offscreen:configfile=") + QString::fromStdString(dir.file("screen.json")));
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(NAMESHIFT_SCREEN_PROBE), {QString::number(screen.keptFileSide)});
    std::map<std::string, QRect> seen;
    if (!probe.waitForFinished(-1) || probe.exitCode() != 0) {
        ADD_FAILURE() << probe.readAllStandardError().toStdString();
        return seen;
    }
    for (const QByteArray& line : probe.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 6) {
            seen[(fields[0] + ' ' + fields[1]).toStdString()] =
                QRect(fields[2].toInt(), fields[3].toInt(), fields[4].toInt(), fields[5].toInt());
        }
    }
    return seen;
}

class WindowOnScreen : public ::testing::TestWithParam<ScreenCase> {};

// The commands and the status line never leave the screen: the window opens within its free area
// and, when "More rules" makes the rules taller, grows only as far as that area allows and moves
// up where it must, the rules scrolling for the rest.
TEST_P(WindowOnScreen, KeepsItsCommandsAndStatusLineInView) {
    const ScreenCase& screen = GetParam();
    TempDir dir;
    std::map<std::string, QRect> seen = probeWindowOn(screen, dir);
    const QRect area = seen["opened screen"];
    ASSERT_EQ(area.size(),
              QSize(qRound(screen.width / screen.scale), qRound(screen.height / screen.scale)));
    for (const std::string state : {"opened", "more"}) {
        const QRect window = seen[state + " window"];
        EXPECT_TRUE(area.contains(window)) << state;
        for (const char* part : {"preview", "apply", "exit", "about", "status"}) {
            const QRect shown = seen[state + " " + part];
            EXPECT_FALSE(shown.isEmpty()) << state << " " << part;
            EXPECT_TRUE(window.contains(shown)) << state << " " << part;
        }
    }
    EXPECT_GE(seen["more window"].height(), seen["opened window"].height());
    if (screen.keptFileSide > 0 && area.width() >= 1920) {
        EXPECT_EQ(seen["opened files"].width(), screen.keptFileSide);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Screens, WindowOnScreen,
    ::testing::Values(ScreenCase{"FullHd", 1920, 1080, 1.0}, ScreenCase{"Wxga", 1366, 768, 1.0},
                      ScreenCase{"Hd", 1280, 720, 1.0}, ScreenCase{"QhdAt150", 2560, 1440, 1.5},
                      ScreenCase{"FullHdAt125", 1920, 1080, 1.25},
                      ScreenCase{"FullHdWithAWideFileSide", 1920, 1080, 1.0, 1100},
                      ScreenCase{"HdWithAWideFileSide", 1280, 720, 1.0, 1100}),
    [](const ::testing::TestParamInfo<ScreenCase>& param) {
        return std::string(param.param.name);
    });

// Tab goes through the window as it is read, from the file side to the rules from top to bottom
// and on to the commands; the keyboard starts in the tree, which shows that it has it.
TEST_F(MainWindowTest, TabFollowsTheWindowAsItIsReadFromTheTree) {
    start({"a.txt"});
    const MoreRulesControls& more = dialog->rulePanel().moreRules().controls();
    const PresetBarControls& presets = dialog->presetBar().controls();
    EXPECT_EQ(dialog->focusWidget(), f().browser->tree());
    const std::vector<QWidget*> expected = {f().browser->driveList(),
                                            f().browser->pathField(),
                                            f().browser->tree(),
                                            f().fileList,
                                            f().selectAll,
                                            r().changePrefix,
                                            r().replaceWithEdit,
                                            r().lowerCase,
                                            r().supportId3,
                                            r().id3Options,
                                            more.toggle,
                                            presets.presets,
                                            presets.save,
                                            presets.remove,
                                            more.continueCounter,
                                            more.dateFormatEdit,
                                            r().archive,
                                            r().naturalOrder,
                                            r().maskList,
                                            c().preview,
                                            c().help,
                                            c().apply,
                                            c().about};
    std::vector<QWidget*> order;
    QWidget* widget = f().browser->driveList();
    for (int step = 0; step < 500 && order.size() < expected.size(); ++step) {
        if (std::find(expected.begin(), expected.end(), widget) != expected.end()) {
            order.push_back(widget);
        }
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(order, expected);
}

// Alt and a letter reach one control each, in each language, among them the presets and the
// natural order, which the window's crowded letters had left without one.
class WindowMnemonics : public MainWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(WindowMnemonics, AreUniqueAndReachThePresetsAndTheNaturalOrder) {
    QTranslator translator;
    if (*GetParam() != '\0') {
        ASSERT_TRUE(
            translator.load(QString::fromUtf8(GetParam()), QStringLiteral(NAMESHIFT_QM_DIR)));
        QCoreApplication::installTranslator(&translator);
    }
    start({"a.txt"});
    std::map<QChar, QString> owners;
    const auto note = [&](const QString& text) {
        static const QRegularExpression mnemonic(QStringLiteral("(?<!&)&([^&\\s])"));
        const QRegularExpressionMatch match = mnemonic.match(text);
        if (!match.hasMatch()) {
            return QChar();
        }
        const QChar key = match.captured(1).at(0).toLower();
        const auto [at, added] = owners.emplace(key, text);
        // One option of both string rules ("Match case") is one text with one letter.
        EXPECT_TRUE(added || at->second == text)
            << at->second.toStdString() << " / " << text.toStdString();
        return key;
    };
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        note(button->text());
    }
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            note(label->text());
        }
    }
    EXPECT_FALSE(QKeySequence::mnemonic(r().naturalOrder->text()).isEmpty());
    const auto* presetLabel = dialog->presetBar().findChild<QLabel*>();
    ASSERT_NE(presetLabel, nullptr);
    EXPECT_EQ(presetLabel->buddy(), dialog->presetBar().controls().presets);
    EXPECT_FALSE(QKeySequence::mnemonic(presetLabel->text()).isEmpty());
    QCoreApplication::removeTranslator(&translator);
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowMnemonics, ::testing::Values("", "nameshift_de"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                             return std::string(*param.param == '\0' ? "English" : "German");
                         });

// Long names are cut at the end, where the number or the date they begin with stays readable; the
// user may widen the file side, and the window's growing leaves that split as it was put.
TEST_F(MainWindowTest, NamesAreCutAtTheEndAndTheFileSideKeepsTheWidthItIsGiven) {
    start({"2024-05-17 Holiday in Rome, the Forum and the Colosseum at dusk 0001.jpg"});
    EXPECT_EQ(f().fileList->textElideMode(), Qt::ElideRight);
    const QModelIndex name = f().fileList->model()->index(0, FileListModel::NameColumn);
    EXPECT_EQ(name.data(Qt::ToolTipRole), name.data(Qt::DisplayRole));
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    auto* split = dialog->findChild<QSplitter*>(QStringLiteral("fileSplit"));
    ASSERT_NE(split, nullptr);
    ASSERT_EQ(split->widget(0), &dialog->filePanel());
    QList<int> sizes = split->sizes();
    sizes[0] += 60;
    sizes[1] -= 60;
    split->setSizes(sizes);
    const int widened = split->sizes()[1];
    const int before = split->sizes()[0];
    dialog->resize(dialog->width() + 100, dialog->height());
    QApplication::processEvents();
    EXPECT_EQ(split->sizes()[1], widened);
    ASSERT_GT(split->sizes()[0], before);

    // The width it is left with is kept for the next start, and no settings file changes for it.
    const int fileSide = split->sizes()[0];
    const Texts settingsFiles = {"prog/renset.ini", "prog/opt.ini", "prog/ID3Opts.ini"};
    Texts bytes;
    for (const std::string& file : settingsFiles) {
        bytes.push_back(dir.read(file));
    }
    dialog->reject();
    Texts after;
    for (const std::string& file : settingsFiles) {
        after.push_back(dir.read(file));
    }
    EXPECT_EQ(after, bytes);
    EXPECT_EQ(settings::parseWindowLayout(dir.read("prog/window.ini")).filePaneWidth, fileSide);
}

// A date format shown from the settings or a preset is read from its start; one being typed keeps
// the cursor where the typing is.
TEST_F(MainWindowTest, TheDateFormatShowsItsStart) {
    start({"a.txt"});
    QLineEdit* format = dialog->rulePanel().moreRules().controls().dateFormatEdit;
    dialog->rulePanel().moreRules().controls().toggle->click();
    format->setText(QStringLiteral("%A %d %B %Y, %H hours %M minutes %S seconds, week %V"));
    EXPECT_EQ(format->cursorPosition(), 0);
    EXPECT_GE(format->minimumWidth(),
              format->fontMetrics().horizontalAdvance(format->placeholderText()));
}

TEST_F(MainWindowTest, AFolderThatCannotBeEnteredLeavesTreeListAndApplyWhereTheyWere) {
    dir.makeDirectory("work/locked");
    dir.write("work/locked/inside.txt", "x");
    start({"a.txt"});
    fs.fail(FaultyFileSystem::Op::Enter, EACCES, "locked");
    DirectoryChainTree* tree = f().browser->tree();
    const QModelIndex current = tree->currentIndex();
    const QModelIndex locked = tree->itemModel()->index(0, 0, current);
    ASSERT_TRUE(locked.isValid());
    tree->setCurrentIndex(locked);
    tree->openItem(locked);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Cannot open the folder \"" + dir.file("work/locked") +
                                          "\": " + platform::Status::fromErrno(EACCES).message());
    EXPECT_EQ(messages.shown[0].caption, "Nameshift Pro");
    EXPECT_EQ(tree->currentIndex(), current);
    EXPECT_EQ(tree->currentPath(), dir.file("work"));
    EXPECT_EQ(dialog->session().directory, dir.file("work"));

    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("n-"));
    f().selectAll->click();
    c().apply->click();
    EXPECT_EQ(dir.names("work"), (Texts{"locked", "n-a.txt", "restore.dat"}));
    EXPECT_EQ(dir.names("work/locked"), Texts{"inside.txt"});
}

TEST_F(MainWindowTest, TheNewNameColumnShowsWhatApplyThenDoes) {
    start({"a 1.txt", "b 2.txt", "c.log"});
    r().removeSpaces->click();
    r().changeExtension->click();
    QTest::keyClicks(r().extensionEdit, QStringLiteral("md"));
    r().extensionPosition->button(2)->click();
    f().selectAll->click();
    EXPECT_TRUE(dialog->newNames().pending());
    QTest::qWait(0);
    QApplication::processEvents();
    EXPECT_FALSE(dialog->newNames().pending());
    const auto shown = newNames();
    ASSERT_EQ(shown.size(), 3u);
    Texts expected;
    for (const auto& [name, problem] : shown) {
        EXPECT_EQ(problem, "");
        expected.push_back(name);
    }
    expected.push_back("restore.dat");
    std::sort(expected.begin(), expected.end());
    c().apply->click();
    EXPECT_EQ(dir.names("work"), expected);
}

struct MarkerCase {
    const char* title;
    Texts files;
    const char* prefix;  // replaces each name's part before its extension
    const char* replaceFrom;
    const char* replaceWith;
    std::vector<std::pair<std::string, std::string>> expected;
};

class NewNameMarkerTest : public MainWindowTest,
                          public ::testing::WithParamInterface<MarkerCase> {};

const std::string kLong(252, 'x');
const std::string kWide(120, 'm');  // wider than its cell, which cuts it

TEST_P(NewNameMarkerTest, MarksARefusedRowWithTheRefusalsWords) {
    const MarkerCase& row = GetParam();
    start(row.files);
    if (row.prefix[0] != '\0') {
        r().changePrefix->click();
        QTest::keyClicks(r().prefixEdit, QString::fromUtf8(row.prefix));
        r().prefixPosition->button(2)->click();
    }
    if (row.replaceFrom[0] != '\0') {
        r().replaceString->click();
        r().replaceFromEdit->setText(QString::fromUtf8(row.replaceFrom));
        r().replaceWithEdit->setText(QString::fromUtf8(row.replaceWith));
    }
    const QAbstractItemModel* model = f().fileList->model();
    const int plainRowHeight = f().fileList->visualRect(model->index(0, 0)).height();
    f().fileList->selectionModel()->select(model->index(0, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    dialog->newNames().finish();
    auto shown = newNames();
    shown.resize(row.expected.size());
    EXPECT_EQ(shown, row.expected);
    // A marker on the first row, which sets the height of every row, changes no row's height,
    // and fits inside it.
    const QRect marked = f().fileList->visualRect(model->index(0, FileListModel::NewNameColumn));
    EXPECT_EQ(marked.height(), plainRowHeight);
    EXPECT_LE(f().fileList->iconSize().height(), plainRowHeight);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, NewNameMarkerTest,
    ::testing::Values(
        MarkerCase{"NameHeldByAFileOutsideTheBatch",
                   {"a.txt", "b.txt"},
                   "",
                   "a",
                   "b",
                   {{"b.txt", "File exists"}, {"", ""}}},
        MarkerCase{"ALongNameHeldByAFileOutsideTheBatch",
                   {"a.txt", kWide + ".txt"},
                   "",
                   "a",
                   kWide.c_str(),
                   {{kWide + ".txt", "File exists"}, {"", ""}}},
        MarkerCase{"EmptyBase",
                   {"a.txt"},
                   "",
                   "a",
                   "",
                   {{".txt", "Process cannot continue - You are about to remove a file's prefix"}}},
        MarkerCase{"OverTheLongestName",
                   {"a.txt"},
                   "",
                   "a",
                   kLong.c_str(),
                   {{kLong + ".txt", "File name too long"}}},
        MarkerCase{"RestoreFileName",
                   {"a.dat"},
                   "restore",
                   "",
                   "",
                   {{"restore.dat",
                     "Cannot continue - the new file name \"restore.dat\" is the name of the "
                     "restore file that this batch writes."}}},
        MarkerCase{"Passes", {"a.txt"}, "z", "", "", {{"z.txt", ""}}}),
    [](const ::testing::TestParamInfo<MarkerCase>& param) {
        return std::string(param.param.title);
    });

// One rule of the "More rules" group, set as a user sets it, and what the column then shows.
struct MoreRulesCase {
    const char* title;
    Texts files;
    void (*set)(const RuleControls& r, const MoreRulesControls& m);
    Texts expected;            // the New Name column, row by row; empty names when it shows none
    const char* problem = "";  // under the pattern's field
    std::string refusal = "";  // under the status line
};

void PrintTo(const MoreRulesCase& row, std::ostream* out) {
    *out << row.title;
}

class MoreRulesColumnTest : public MainWindowTest,
                            public ::testing::WithParamInterface<MoreRulesCase> {};

TEST_P(MoreRulesColumnTest, ChangesTheNewNamesAsItIsSet) {
    const MoreRulesCase& row = GetParam();
    start(row.files);
    const MoreRulesPanel& more = dialog->rulePanel().moreRules();
    more.controls().toggle->click();
    f().selectAll->click();
    row.set(r(), more.controls());
    dialog->newNames().finish();
    Texts shown;
    for (const auto& [name, problem] : newNames()) {
        shown.push_back(name);
    }
    EXPECT_EQ(shown, row.expected);
    // Only the pattern's own field says what is wrong with it.
    EXPECT_EQ((r().removeProblem->text() + r().replaceProblem->text()).toStdString(), row.problem);
    EXPECT_EQ(r().removeProblem->isVisibleTo(dialog.get()) ||
                  r().replaceProblem->isVisibleTo(dialog.get()),
              row.problem[0] != '\0');
    EXPECT_EQ(f().rulesRefusal->text().toStdString(), row.refusal);
    EXPECT_EQ(f().rulesRefusal->isVisibleTo(dialog.get()), !row.refusal.empty());
}

const std::string kRunaway = std::string(40, 'a') + "!.txt";

INSTANTIATE_TEST_SUITE_P(
    Rules, MoreRulesColumnTest,
    ::testing::Values(MoreRulesCase{"RegexWithAGroup",
                                    {"IMG_1234.jpg"},
                                    [](const RuleControls& r, const MoreRulesControls& m) {
                                        r.replaceString->click();
                                        m.replaceRegex->click();
                                        r.replaceFromEdit->setText(QStringLiteral("IMG_([0-9]+)"));
                                        r.replaceWithEdit->setText(QStringLiteral("photo-$1"));
                                    },
                                    {"photo-1234.jpg"}},
                      MoreRulesCase{"RemoveEveryOccurrenceWithoutCase",
                                    {"A-a-b.txt"},
                                    [](const RuleControls& r, const MoreRulesControls& m) {
                                        r.removeString->click();
                                        r.removeStringEdit->setText(QStringLiteral("a"));
                                        m.removeAllOccurrences->click();
                                        m.removeMatchCase->click();
                                    },
                                    {"--b.txt"}},
                      MoreRulesCase{"InsertCountedFromTheEnd",
                                    {"song.mp3"},
                                    [](const RuleControls&, const MoreRulesControls& m) {
                                        m.insertText->click();
                                        m.insertTextEdit->setText(QStringLiteral("X"));
                                        m.insertAtEdit->setText(QStringLiteral("1"));
                                        m.insertFromEnd->click();
                                    },
                                    {"sonXg.mp3"}},
                      MoreRulesCase{"RemoveCharacters",
                                    {"song.mp3"},
                                    [](const RuleControls&, const MoreRulesControls& m) {
                                        m.removeCharacters->click();
                                        m.removeCountEdit->setText(QStringLiteral("2"));
                                        m.removeAtEdit->setText(QStringLiteral("1"));
                                    },
                                    {"sg.mp3"}},
                      MoreRulesCase{"TrimAndCollapse",
                                    {"__my   song-.txt"},
                                    [](const RuleControls&, const MoreRulesControls& m) {
                                        m.trimEnds->click();
                                        m.collapseSpaces->click();
                                    },
                                    {"my song.txt"}},
                      MoreRulesCase{"Accents",
                                    {"Crème brûlée.txt"},
                                    [](const RuleControls&, const MoreRulesControls& m) {
                                        m.removeAccents->click();
                                    },
                                    {"Creme brulee.txt"}},
                      MoreRulesCase{"UpperCaseOfTheNameOnly",
                                    {"File.txt"},
                                    [](const RuleControls& r, const MoreRulesControls& m) {
                                        r.upperCase->click();
                                        m.caseScope->button(1)->click();
                                    },
                                    {"FILE.txt"}},
                      MoreRulesCase{"UpperCaseOfTheExtensionOnly",
                                    {"File.txt"},
                                    [](const RuleControls& r, const MoreRulesControls& m) {
                                        r.upperCase->click();
                                        m.caseScope->button(2)->click();
                                    },
                                    {"File.TXT"}},
                      MoreRulesCase{"DuplicatesNumbered",
                                    {"a1.txt", "b1.txt"},
                                    [](const RuleControls&, const MoreRulesControls& m) {
                                        m.removeCharacters->click();
                                        m.removeCountEdit->setText(QStringLiteral("1"));
                                        m.removeAtEdit->setText(QStringLiteral("0"));
                                        m.numberDuplicates->click();
                                    },
                                    {"1.txt", "1 (2).txt"}},
                      MoreRulesCase{"LowerCaseExtension",
                                    {"Photo.JPG"},
                                    [](const RuleControls&, const MoreRulesControls& m) {
                                        m.lowerExtension->click();
                                    },
                                    {"Photo.jpg"}},
                      MoreRulesCase{"InvalidPatternShowsNoNames",
                                    {"a(b.txt"},
                                    [](const RuleControls& r, const MoreRulesControls& m) {
                                        r.removeString->click();
                                        m.removeRegex->click();
                                        r.removeStringEdit->setText(QStringLiteral("a("));
                                    },
                                    {""},
                                    "a parenthesis without its pair at character 3 "
                                    "(U_REGEX_MISMATCHED_PAREN)"},
                      MoreRulesCase{"ReplacementOfAGroupNamedWithADigit",
                                    {"abc.txt"},
                                    [](const RuleControls& r, const MoreRulesControls& m) {
                                        r.replaceString->click();
                                        m.replaceRegex->click();
                                        r.replaceFromEdit->setText(QStringLiteral("(?<w0>[a-z]+)"));
                                        r.replaceWithEdit->setText(QStringLiteral("${w0}X"));
                                    },
                                    {""},
                                    "a \"$\" that names no group of the pattern (group names in "
                                    "a replacement are letters alone) "
                                    "(U_REGEX_INVALID_CAPTURE_GROUP_NAME)"},
                      MoreRulesCase{"RunawayPatternIsRefused",
                                    {kRunaway},
                                    [](const RuleControls& r, const MoreRulesControls& m) {
                                        r.removeString->click();
                                        m.removeRegex->click();
                                        r.removeStringEdit->setText(QStringLiteral("(a+)+b"));
                                    },
                                    {""},
                                    "",
                                    "The regular expression takes too long on the name \"" +
                                        kRunaway + "\". Please make it simpler."}),
    [](const ::testing::TestParamInfo<MoreRulesCase>& param) {
        return std::string(param.param.title);
    });

TEST_F(MainWindowTest, DuplicatesAreMarkedOnEveryRowThatSharesTheName) {
    start({"a.txt", "b.txt"});
    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("same"));
    r().prefixPosition->button(2)->click();
    f().selectAll->click();
    dialog->newNames().finish();
    const std::pair<std::string, std::string> duplicate{
        "same.txt", "Duplicate filenames found! Cannot continue."};
    EXPECT_EQ(newNames(), (std::vector{duplicate, duplicate}));
}

TEST_F(MainWindowTest, AfterApplyTheNewNamesAreJudgedAgainstTheFilesListedNow) {
    start({"c.txt", "x.txt"});
    const auto tickOnly = [&](const std::string& name) {
        const QAbstractItemModel* model = f().fileList->model();
        f().fileList->selectionModel()->clear();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, 0).data().toString().toStdString() == name) {
                f().fileList->selectionModel()->select(
                    model->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
                return row;
            }
        }
        ADD_FAILURE() << name << " is not listed";
        return 0;
    };
    r().replaceString->click();
    r().replaceFromEdit->setText(QStringLiteral("c"));
    r().replaceWithEdit->setText(QStringLiteral("b"));
    tickOnly("c.txt");
    dialog->newNames().finish();
    c().apply->click();
    ASSERT_TRUE(dir.exists("work/b.txt"));

    r().replaceFromEdit->setText(QStringLiteral("x"));
    const int row = tickOnly("x.txt");
    dialog->newNames().finish();
    EXPECT_EQ(newNames().at(static_cast<std::size_t>(row)),
              (std::pair<std::string, std::string>{"b.txt", "File exists"}));
}

TEST_F(MainWindowTest, TheRowsOnScreenGetTheirNamesFirstAndTheRestFollowBetweenEvents) {
    Texts files;
    for (int i = 0; i < 40; ++i) {
        files.push_back((i < 10 ? "n0" : "n") + std::to_string(i) + ".txt");
    }
    files.push_back("z.txt");
    newNamesPerSlice = 4;
    start(files);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    const auto [first, end] = f().fileList->rowsInView();
    ASSERT_EQ(first, 0);
    ASSERT_LT(end, 41);
    r().replaceString->click();
    r().replaceFromEdit->setText(QStringLiteral("z"));
    f().selectAll->click();
    const auto expected = [&](const std::string& lastName, const std::string& problem) {
        std::vector<std::pair<std::string, std::string>> rows;
        for (std::size_t row = 0; row < 40; ++row) {
            rows.emplace_back(files[row], row == 0 ? problem : "");
        }
        rows.emplace_back(lastName, problem);
        return rows;
    };

    QTest::keyClicks(r().replaceWithEdit, QStringLiteral("n0"));
    while (dialog->newNames().visiblePending()) {
        QApplication::processEvents();
    }
    EXPECT_TRUE(dialog->newNames().pending());
    auto shown = newNames();
    for (int row = first; row < end; ++row) {
        EXPECT_EQ(shown[static_cast<std::size_t>(row)].first, files[static_cast<std::size_t>(row)]);
    }
    while (dialog->newNames().pending()) {
        QApplication::processEvents();
    }
    EXPECT_EQ(newNames(), expected("n0.txt", ""));

    // The last row now takes the first row's name, which the rows on screen cannot tell alone;
    // the preview shows the whole batch, and the column is finished with it.
    QTest::keyClick(r().replaceWithEdit, Qt::Key_0);
    while (dialog->newNames().visiblePending()) {
        QApplication::processEvents();
    }
    ASSERT_TRUE(dialog->newNames().pending());
    std::vector<std::string> previewed;
    onModal = [&](QDialog& preview) {
        const QAbstractItemModel* pairs = dynamic_cast<PreviewDialog&>(preview).list()->model();
        for (int row = 0; row < pairs->rowCount(); ++row) {
            previewed.push_back(pairs->index(row, 1).data().toString().toStdString());
        }
    };
    c().preview->click();
    ASSERT_EQ(previewed.size(), 41u);
    EXPECT_EQ(previewed.back(), "n00.txt");
    EXPECT_FALSE(dialog->newNames().pending());
    const std::string duplicate = "Duplicate filenames found! Cannot continue.";
    EXPECT_EQ(newNames(), expected("n00.txt", duplicate));
    c().apply->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, duplicate);
}

TEST_F(MainWindowTest, NamesByTagsReadOffTheEventLoopFollowTheLatestRules) {
    Texts files;
    for (int i = 10; i < 50; ++i) {
        files.push_back("t" + std::to_string(i) + ".mp3");
        if (i % 3 != 0) {
            tags.set(files.back(),
                     {std::nullopt, "Band", std::nullopt, "Song " + std::to_string(i)});
        }
    }
    newNamesPerSlice = 4;
    id3.useAdvanced = true;
    id3.advancedFormat = "%2 - %4";
    start(files);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    const auto [first, end] = f().fileList->rowsInView();
    ASSERT_LT(end, 40);
    const auto settle = [&] {
        for (int i = 0; i < 3000 && dialog->newNames().pending(); ++i) {
            QTest::qWait(10);
        }
    };
    tags.hold();
    r().changePrefix->click();
    QTest::keyClicks(r().prefixEdit, QStringLiteral("old-"));
    r().supportId3->click();
    f().selectAll->click();
    while (dialog->newNames().visiblePending()) {
        QApplication::processEvents();
    }
    // The rows on screen read their tags at once; the rest wait for the column's reader.
    EXPECT_TRUE(dialog->newNames().pending());
    EXPECT_EQ(newNames().at(0).first, "Band - Song 10.mp3");
    EXPECT_EQ(newNames().at(static_cast<std::size_t>(end)).first, "");

    r().prefixEdit->setText(QStringLiteral("new-"));
    while (dialog->newNames().visiblePending()) {
        QApplication::processEvents();
    }
    tags.release();
    settle();
    ASSERT_FALSE(dialog->newNames().pending());
    const auto shown = newNames();
    EXPECT_EQ(shown.at(2).first, "new-t12.mp3");
    EXPECT_EQ(shown.back().first, "Band - Song 49.mp3");
    Texts previewed;
    onModal = [&](QDialog& preview) {
        const QAbstractItemModel* pairs = dynamic_cast<PreviewDialog&>(preview).list()->model();
        for (int row = 0; row < pairs->rowCount(); ++row) {
            previewed.push_back(pairs->index(row, 1).data().toString().toStdString());
        }
    };
    c().preview->click();
    Texts column;
    for (const auto& [name, problem] : shown) {
        column.push_back(name);
    }
    EXPECT_EQ(column, previewed);
}

// Names by tags or dates, the ID3 options changed by their dialog: the column and the preview
// show the same names and reasons, row by row.
struct TagColumnCase {
    const char* title;
    Texts files;
    void (*prepare)(GatedTags& tags);
    const char* format;        // the advanced format the ID3 options dialog leaves
    std::string refusal = "";  // under the status line
    settings::Id3RenameMode mode = settings::Id3RenameMode::AllOrRules;
    const char* prefix = "";  // replaces each name's part before its extension
};

void PrintTo(const TagColumnCase& row, std::ostream* out) {
    *out << row.title;
}

class TagColumnTest : public MainWindowTest, public ::testing::WithParamInterface<TagColumnCase> {};

TEST_P(TagColumnTest, ShowsWhatThePreviewShowsAfterTheId3Options) {
    const TagColumnCase& row = GetParam();
    row.prepare(tags);
    id3.useAdvanced = true;
    id3.advancedFormat = "%2";
    hooks.tagNamingOptions = [&row](const DialogContext& context) {
        settings::TagNamingOptions chosen;
        chosen.useAdvanced = true;
        chosen.advancedFormat = row.format;
        chosen.renameMode = row.mode;
        ASSERT_TRUE(context.fileSystem
                        .writeFile(context.paths.id3Options, settings::formatId3Options(chosen),
                                   platform::WriteMode::Replace)
                        .ok());
    };
    start(row.files);
    if (row.prefix[0] != '\0') {
        r().changePrefix->click();
        QTest::keyClicks(r().prefixEdit, QString::fromUtf8(row.prefix));
        r().prefixPosition->button(2)->click();
    }
    r().supportId3->click();
    f().selectAll->click();
    dialog->newNames().finish();
    r().id3Options->click();
    dialog->newNames().finish();
    tags.release();
    std::vector<std::pair<std::string, std::string>> previewed;
    bool verdictShown = false;
    onModal = [&](QDialog& preview) {
        verdictShown = !dynamic_cast<PreviewDialog&>(preview).verdict()->isHidden();
        const QAbstractItemModel* pairs = dynamic_cast<PreviewDialog&>(preview).list()->model();
        for (int i = 0; i < pairs->rowCount(); ++i) {
            previewed.emplace_back(pairs->index(i, 1).data().toString().toStdString(),
                                   pairs->index(i, 2).data().toString().toStdString());
        }
    };
    c().preview->click();
    EXPECT_EQ(f().rulesRefusal->text().toStdString(), row.refusal);
    if (!row.refusal.empty()) {
        // The preview refuses with the words under the status line, and shows no names.
        EXPECT_TRUE(previewed.empty());
        EXPECT_EQ(messages.texts(), Texts{row.refusal});
        EXPECT_EQ(newNames(),
                  (std::vector<std::pair<std::string, std::string>>(row.files.size(), {"", ""})));
        return;
    }
    EXPECT_EQ(newNames(), previewed);
    // The preview says apply would refuse or skip files exactly when the column marks some.
    EXPECT_EQ(verdictShown, std::any_of(previewed.begin(), previewed.end(),
                                        [](const auto& shown) { return !shown.second.empty(); }));
    EXPECT_NE(previewed.at(0).first, "Band.mp3") << "the format of the dialog is used";
}

std::tm shotAt(int second) {
    std::tm shot{};
    shot.tm_sec = second;
    shot.tm_min = 30;
    shot.tm_hour = 10;
    shot.tm_mday = 17;
    shot.tm_mon = 4;
    shot.tm_year = 124;
    return shot;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, TagColumnTest,
    ::testing::Values(
        TagColumnCase{"TitlesAlike",
                      {"a.mp3", "b.mp3", "c.mp3"},
                      [](GatedTags& gated) {
                          gated.set("a.mp3", {std::nullopt, "Band", std::nullopt, "Same"});
                          gated.set("b.mp3", {std::nullopt, "Band", std::nullopt, "Same"});
                          gated.set("c.mp3", {std::nullopt, "Band", std::nullopt, ""});
                      },
                      "%4 live"},
        TagColumnCase{"PhotosTakenInOneSecond",
                      {"1.jpg", "2.jpg", "3.jpg"},
                      [](GatedTags& gated) {
                          gated.setTaken("1.jpg", shotAt(0));
                          gated.setTaken("2.jpg", shotAt(0));
                          gated.setTaken("3.jpg", shotAt(1));
                      },
                      "%t Rome"},
        TagColumnCase{"RuleNamesAlikeTagNamesApart",
                      {"a.mp3", "b.mp3"},
                      [](GatedTags& gated) {
                          gated.set("a.mp3", {std::nullopt, "Band", std::nullopt, "One"});
                          gated.set("b.mp3", {std::nullopt, "Band", std::nullopt, "Two"});
                      },
                      "%4",
                      "",
                      settings::Id3RenameMode::AllOrRules,
                      "same"},
        TagColumnCase{"WhateverIsThereOverRuleNamesAlike",
                      {"a.mp3", "b.mp3"},
                      [](GatedTags& gated) {
                          gated.set("a.mp3", {std::nullopt, "Band", std::nullopt, "One"});
                          gated.set("b.mp3", {std::nullopt, "Band", std::nullopt, "Two"});
                      },
                      "%2 %4",
                      "",
                      settings::Id3RenameMode::WhateverIsThere,
                      "same"},
        TagColumnCase{"NoFormat",
                      {"a.mp3"},
                      [](GatedTags&) {},
                      "",
                      "You have not specified any ID3 options"}),
    [](const ::testing::TestParamInfo<TagColumnCase>& param) {
        return std::string(param.param.title);
    });

// F1 opens the help on the control that has the focus; the Help button opens the contents.
TEST_F(MainWindowTest, F1OpensTheHelpOnTheFocusedControl) {
    start({});
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    const std::vector<std::pair<QWidget*, QString>> rows = {{f().browser->tree(), "files.html"},
                                                            {r().maskList, "files.html"},
                                                            {r().changePrefix, "rules.html"},
                                                            {r().upperCase, "rules.html"},
                                                            {r().supportId3, "id3.html"},
                                                            {c().apply, "apply.html"},
                                                            {c().exit, "index.html"}};
    for (const auto& [control, page] : rows) {
        control->setFocus();
        QTest::keyClick(dialog.get(), Qt::Key_F1);
        EXPECT_EQ(helpPages.back(), page) << control->metaObject()->className();
    }
    c().help->click();
    EXPECT_EQ(helpPages.back(), QStringLiteral("index.html"));
    EXPECT_EQ(helpPages.size(), rows.size() + 1);
}

}  // namespace
}  // namespace nameshift::ui
