#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTest>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "Palettes.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"
#include "UiFakes.h"
#include "ui/DirectoryBrowser.h"
#include "ui/DirectoryChainTree.h"

namespace nameshift::ui {
namespace {

using testing::FaultyFileSystem;
using testing::FixedVolumes;
using testing::ScriptedMessageBox;
using testing::TempDir;
using Kind = DirectoryChainTree::ItemKind;
using Names = std::vector<std::string>;

// A tree over a temporary directory tree; it starts in "top/music/new".
class DirectoryTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* path : {"top/music/new/live", "top/music/old", "top/music/Jazz",
                                 "top/music/new/empty", "top/video"}) {
            dir.makeDirectory(path);
        }
        dir.write("top/music/new/song.mp3");
        tree.setStartDirectory(dir.file("top/music/new"));
        ASSERT_TRUE(tree.fillTree());
    }

    // The texts of the items from the top down, following the first child.
    Names chain() const {
        Names names;
        for (QStandardItem* item = tree.itemModel()->item(0); item != nullptr;
             item = item->child(0)) {
            if (DirectoryChainTree::kindOf(item) != Kind::PathChain) {
                break;
            }
            names.push_back(item->text().toStdString());
        }
        return names;
    }
    QStandardItem* deepest() const {
        QStandardItem* item = tree.itemModel()->item(0);
        while (item->child(0) != nullptr &&
               DirectoryChainTree::kindOf(item->child(0)) == Kind::PathChain) {
            item = item->child(0);
        }
        return item;
    }
    static Names children(const QStandardItem* item) {
        Names names;
        for (int row = 0; row < item->rowCount(); ++row) {
            EXPECT_EQ(DirectoryChainTree::kindOf(item->child(row)), Kind::Subdirectory);
            names.push_back(item->child(row)->text().toStdString());
        }
        return names;
    }
    static Names pieces(const std::string& path) {
        Names names{"/"};
        std::size_t start = 1;
        while (start < path.size()) {
            const std::size_t slash = std::min(path.find('/', start), path.size());
            names.push_back(path.substr(start, slash - start));
            start = slash + 1;
        }
        return names;
    }
    QStandardItem* childNamed(QStandardItem* parent, const char* name) const {
        for (int row = 0; row < parent->rowCount(); ++row) {
            if (parent->child(row)->text() == QLatin1String(name)) {
                return parent->child(row);
            }
        }
        return nullptr;
    }

    TempDir dir;
    FaultyFileSystem fs;
    ScriptedMessageBox messages;
    DirectoryChainTree tree{fs, messages};
};

TEST_F(DirectoryTreeTest, FillShowsTheChainFromRootAndTheSubdirectoriesSorted) {
    EXPECT_EQ(chain(), pieces(dir.file("top/music/new")));
    EXPECT_EQ(children(deepest()), (Names{"empty", "live"}));
    EXPECT_EQ(tree.currentPath(), dir.file("top/music/new"));
    EXPECT_TRUE(DirectoryChainTree::isOpened(deepest()));
    EXPECT_EQ(tree.currentIndex(), deepest()->index());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DirectoryTreeTest, OpeningASubdirectoryLengthensTheChainAndEntersIt) {
    QSignalSpy opened(&tree, &DirectoryChainTree::directoryOpened);
    tree.openItem(childNamed(deepest(), "live")->index());
    EXPECT_EQ(chain(), pieces(dir.file("top/music/new/live")));
    EXPECT_EQ(deepest()->rowCount(), 0);
    EXPECT_EQ(deepest()->parent()->rowCount(), 1);  // "empty" is gone
    EXPECT_EQ(tree.currentPath(), dir.file("top/music/new/live"));
    EXPECT_EQ(opened.count(), 1);
}

TEST_F(DirectoryTreeTest, OpeningADirectoryUpTheChainShortensIt) {
    QStandardItem* music = deepest()->parent();
    tree.openItem(music->index());
    EXPECT_EQ(chain(), pieces(dir.file("top/music")));
    EXPECT_EQ(children(music), (Names{"Jazz", "new", "old"}));
    EXPECT_EQ(tree.currentPath(), dir.file("top/music"));
}

TEST_F(DirectoryTreeTest, OpeningTakesTheSubdirectoriesTheListingOffersAndReadsNoMore) {
    QStandardItem* music = deepest()->parent();
    const std::string path = dir.file("top/music");
    QObject::connect(&tree, &DirectoryChainTree::directoryOpened, &tree, [&] {
        tree.offerSubdirectories(path, {"old", "Jazz", "new"});
    });
    fs.fail(FaultyFileSystem::Op::List, EACCES, "top/music");  // a reading of its own would fail
    tree.openItem(music->index());
    EXPECT_EQ(children(music), (Names{"Jazz", "new", "old"}));
    EXPECT_TRUE(messages.shown.empty());
    tree.offerSubdirectories(path, {"late"});  // no open is waiting for it
    EXPECT_EQ(children(music), (Names{"Jazz", "new", "old"}));
}

TEST_F(DirectoryTreeTest, OpeningTheCurrentDirectoryFoldsItsSubdirectoriesAway) {
    QSignalSpy opened(&tree, &DirectoryChainTree::directoryOpened);
    QStandardItem* current = deepest();
    tree.openItem(current->index());
    EXPECT_EQ(current->rowCount(), 0);
    EXPECT_FALSE(DirectoryChainTree::isOpened(current));
    EXPECT_EQ(DirectoryChainTree::kindOf(current), Kind::Subdirectory);
    EXPECT_EQ(tree.currentPath(), dir.file("top/music/new"));
    EXPECT_EQ(opened.count(), 1);

    // Opening it again lists them once more.
    tree.openItem(current->index());
    EXPECT_EQ(children(current), (Names{"empty", "live"}));
    EXPECT_EQ(DirectoryChainTree::kindOf(current), Kind::PathChain);
}

TEST_F(DirectoryTreeTest, ADirectoryWithoutSubdirectoriesStaysCurrentAndOpened) {
    tree.openItem(childNamed(deepest(), "empty")->index());
    QStandardItem* empty = deepest();
    ASSERT_EQ(empty->text(), QStringLiteral("empty"));
    tree.openItem(empty->index());
    EXPECT_EQ(deepest(), empty);
    EXPECT_EQ(empty->rowCount(), 0);
    EXPECT_TRUE(DirectoryChainTree::isOpened(empty));
    EXPECT_EQ(tree.currentPath(), dir.file("top/music/new/empty"));
}

struct TreeKeyCase {
    const char* name;
    const char* from;  // the item the key is pressed on: "live", or "" for the current directory
    Qt::Key key;
    const char* path;    // the current directory afterwards, below the temporary directory
    const char* onItem;  // the item the keyboard is on afterwards
    int opened;          // how often the listing was asked to follow
};

// The tree is worked with the keyboard as a file manager's is, without a double click; the window
// around it never sees Enter, which would press its default button.
class TreeKeys : public DirectoryTreeTest, public ::testing::WithParamInterface<TreeKeyCase> {};

TEST_P(TreeKeys, OpenFoldAndMove) {
    const TreeKeyCase& key = GetParam();
    QStandardItem* from = *key.from != '\0' ? childNamed(deepest(), key.from) : deepest();
    tree.setCurrentIndex(from->index());
    QSignalSpy opened(&tree, &DirectoryChainTree::directoryOpened);
    QKeyEvent press(QEvent::KeyPress, key.key, Qt::NoModifier);
    QCoreApplication::sendEvent(&tree, &press);
    EXPECT_TRUE(press.isAccepted());
    EXPECT_EQ(tree.currentPath(), dir.file(key.path));
    EXPECT_EQ(tree.itemModel()->itemFromIndex(tree.currentIndex())->text().toStdString(),
              key.onItem);
    EXPECT_EQ(opened.count(), key.opened);
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TreeKeys,
    ::testing::Values(
        TreeKeyCase{"EnterOpensASubdirectory", "live", Qt::Key_Return, "top/music/new/live", "live",
                    1},
        TreeKeyCase{"KeypadEnterOpensIt", "live", Qt::Key_Enter, "top/music/new/live", "live", 1},
        TreeKeyCase{"EnterFoldsTheCurrentOne", "", Qt::Key_Return, "top/music/new", "new", 1},
        TreeKeyCase{"RightOpensASubdirectory", "live", Qt::Key_Right, "top/music/new/live", "live",
                    1},
        TreeKeyCase{"RightGoesDownIntoTheCurrentOne", "", Qt::Key_Right, "top/music/new", "empty",
                    0},
        TreeKeyCase{"LeftFoldsTheCurrentOne", "", Qt::Key_Left, "top/music/new", "new", 1},
        TreeKeyCase{"LeftGoesUpFromASubdirectory", "live", Qt::Key_Left, "top/music/new", "new",
                    0}),
    [](const ::testing::TestParamInfo<TreeKeyCase>& param) {
        return std::string(param.param.name);
    });

TEST_F(DirectoryTreeTest, ADirectoryThatCannotBeEnteredLeavesTheTreeAsItWas) {
    fs.fail(FaultyFileSystem::Op::Enter, EACCES, "live");
    tree.openItem(childNamed(deepest(), "live")->index());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Cannot open the folder \"" + dir.file("top/music/new/live") +
                                          "\": " + platform::Status::fromErrno(EACCES).message());
    EXPECT_EQ(messages.shown[0].caption, "Nameshift Pro");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Stop);
    EXPECT_EQ(chain(), pieces(dir.file("top/music/new")));
    EXPECT_EQ(children(deepest()), (Names{"empty", "live"}));
    EXPECT_EQ(tree.currentPath(), dir.file("top/music/new"));
}

TEST_F(DirectoryTreeTest, AnUnreadableDirectoryIsEnteredWithoutSubdirectories) {
    fs.fail(FaultyFileSystem::Op::List, EACCES, "live");
    tree.openItem(childNamed(deepest(), "live")->index());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to open directory");
    EXPECT_EQ(messages.shown[0].caption, "ERROR");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Stop);
    EXPECT_EQ(tree.currentPath(), dir.file("top/music/new/live"));
    EXPECT_EQ(deepest()->rowCount(), 0);
}

TEST_F(DirectoryTreeTest, NamesThatAreNoUtf8AreKeptAsBytes) {
    const std::string odd = "caf\xe9";
    dir.makeDirectory("top/music/new/" + odd);
    QStandardItem* current = deepest();
    tree.openItem(current->index());  // folds, and
    tree.openItem(current->index());  // lists again with the new directory
    QStandardItem* item = nullptr;
    for (int row = 0; row < deepest()->rowCount(); ++row) {
        if (deepest()
                ->child(row)
                ->data(DirectoryChainTree::kNameRole)
                .toByteArray()
                .toStdString() == odd) {
            item = deepest()->child(row);
        }
    }
    ASSERT_NE(item, nullptr);
    tree.openItem(item->index());
    EXPECT_EQ(tree.currentPath(), dir.file("top/music/new/" + odd));
}

TEST_F(DirectoryTreeTest, RefreshReadsTheSubdirectoriesAgainFromF5OrTheMenu) {
    QSignalSpy opened(&tree, &DirectoryChainTree::directoryOpened);
    dir.makeDirectory("top/music/new/fresh");
    std::filesystem::remove(dir.file("top/music/new/empty"));
    QAction* refresh = nullptr;
    for (QAction* action : tree.actions()) {
        if (action->shortcut() == QKeySequence(Qt::Key_F5)) {
            refresh = action;
        }
    }
    ASSERT_NE(refresh, nullptr);
    EXPECT_EQ(refresh->text(), QStringLiteral("&Refresh"));
    EXPECT_EQ(tree.contextMenuPolicy(), Qt::ActionsContextMenu);
    refresh->trigger();
    EXPECT_EQ(chain(), pieces(dir.file("top/music/new")));
    EXPECT_EQ(children(deepest()), (Names{"fresh", "live"}));
    EXPECT_EQ(tree.currentIndex(), deepest()->index());
    EXPECT_EQ(tree.currentPath(), dir.file("top/music/new"));
    EXPECT_EQ(opened.count(), 1);
    EXPECT_TRUE(messages.shown.empty());
}

struct GoneCase {
    const char* name;
    const char* gone;     // removed, or moved to `movedTo`
    const char* movedTo;  // null: removed
    bool openLive;        // found on entering "live" rather than on a refresh
    const char* shown;
    Names children;

    friend void PrintTo(const GoneCase& c, std::ostream* out) { *out << c.name; }
};

// A directory deleted or moved away while the tree shows it is found out, reported once, and the
// tree goes to the nearest directory above it that is still there.
class GoneDirectoryTest : public DirectoryTreeTest,
                          public ::testing::WithParamInterface<GoneCase> {};

TEST_P(GoneDirectoryTest, ShowsTheNearestDirectoryAboveThatIsThere) {
    const GoneCase& row = GetParam();
    QSignalSpy opened(&tree, &DirectoryChainTree::directoryOpened);
    QStandardItem* live = childNamed(deepest(), "live");
    if (row.movedTo != nullptr) {
        std::filesystem::rename(dir.file(row.gone), dir.file(row.movedTo));
    } else {
        std::filesystem::remove_all(dir.file(row.gone));
    }
    if (row.openLive) {
        tree.openItem(live->index());
    } else {
        EXPECT_TRUE(tree.refresh());
    }
    const std::string goneFolder = dir.file(row.openLive ? "top/music/new/live" : "top/music/new");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The folder \"" + goneFolder +
                                          "\" no longer exists; showing \"" + dir.file(row.shown) +
                                          "\" instead.");
    EXPECT_EQ(messages.shown[0].caption, "Nameshift Pro");
    EXPECT_EQ(chain(), pieces(dir.file(row.shown)));
    EXPECT_EQ(children(deepest()), row.children);
    EXPECT_EQ(tree.currentPath(), dir.file(row.shown));
    EXPECT_EQ(tree.currentIndex(), deepest()->index());
    EXPECT_EQ(opened.count(), 1);
    EXPECT_FALSE(tree.leaveIfGone()) << "the directory shown now is there";
}

INSTANTIATE_TEST_SUITE_P(
    FoundOut, GoneDirectoryTest,
    ::testing::Values(
        GoneCase{"OnRefresh", "top/music/new", nullptr, false, "top/music", {"Jazz", "old"}},
        GoneCase{
            "MovedAway", "top/music/new", "top/video/new", false, "top/music", {"Jazz", "old"}},
        GoneCase{"TwoLevelsUp", "top/music", nullptr, false, "top", {"video"}},
        GoneCase{"OnEntering", "top/music/new/live", nullptr, true, "top/music/new", {"empty"}}),
    [](const ::testing::TestParamInfo<GoneCase>& param) { return std::string(param.param.name); });

// While the tree has the keyboard, a frame around it and one around its current row stand out
// from what lies behind them, on a light and on a dark palette; without the focus neither shows.
class TreeFocusFrameTest : public DirectoryTreeTest,
                           public ::testing::WithParamInterface<testing::PaletteCase> {};

TEST_P(TreeFocusFrameTest, StandsOutWhileTheTreeHasTheFocus) {
    const QPalette colors = GetParam().make();
    tree.setPalette(colors);
    EXPECT_GE(testing::contrast(tree.focusFrameColor(), colors.color(QPalette::Base)), 3.0);
    for (const QPalette::ColorRole behind : {QPalette::Highlight, QPalette::Base}) {
        EXPECT_GE(testing::contrast(tree.currentItemFrameColor(), colors.color(behind)), 3.0);
    }

    tree.resize(300, 200);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    tree.activateWindow();
    tree.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(tree.hasFocus());
    const QRect row = tree.visualRect(tree.currentIndex());
    QImage shown = tree.viewport()->grab().toImage();
    const auto at = [&](int x, int y) { return shown.pixelColor(x, y).name().toStdString(); };
    EXPECT_EQ(at(0, row.bottom() + 4), tree.focusFrameColor().name().toStdString());
    EXPECT_EQ(at(DirectoryChainTree::kFrameWidth, row.center().y()),
              tree.currentItemFrameColor().name().toStdString());

    tree.clearFocus();
    shown = tree.viewport()->grab().toImage();
    EXPECT_EQ(at(0, row.bottom() + 4), colors.color(QPalette::Base).name().toStdString());
}

INSTANTIATE_TEST_SUITE_P(Palettes, TreeFocusFrameTest,
                         ::testing::Values(testing::PaletteCase{"StyleLight", &testing::styleLight},
                                           testing::PaletteCase{"DarkerScheme",
                                                                &testing::darkerScheme}),
                         &testing::paletteName);

TEST(DirectoryTreeRoot, TheRootIsAChainOfOneItem) {
    FaultyFileSystem fs;
    ScriptedMessageBox messages;
    TempDir dir;
    DirectoryChainTree tree(fs, messages);
    tree.setStartDirectory(std::string("/"));
    ASSERT_TRUE(tree.fillTree());
    ASSERT_EQ(tree.itemModel()->rowCount(), 1);
    QStandardItem* root = tree.itemModel()->item(0);
    EXPECT_EQ(root->text(), QStringLiteral("/"));
    EXPECT_EQ(DirectoryChainTree::pathOf(root), "/");
    EXPECT_TRUE(DirectoryChainTree::isOpened(root));
    for (int row = 0; row < root->rowCount(); ++row) {
        EXPECT_EQ(DirectoryChainTree::kindOf(root->child(row)), Kind::Subdirectory);
    }
}

TEST(VolumeContaining, TheLongestMountAboveThePathWins) {
    const std::vector<std::string> volumes = {"/", "/home", "/home/ann/usb", "/media"};
    EXPECT_EQ(DirectoryChainTree::volumeContaining(volumes, "/home/ann/usb/x"), "/home/ann/usb");
    EXPECT_EQ(DirectoryChainTree::volumeContaining(volumes, "/home/ann/usbstick"), "/home");
    EXPECT_EQ(DirectoryChainTree::volumeContaining(volumes, "/media"), "/media");
    EXPECT_EQ(DirectoryChainTree::volumeContaining(volumes, "/etc"), "/");
}

// Two "volumes" made of temporary directories; the browser starts in the first.
class DriveListTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.makeDirectory("first/inner");
        dir.makeDirectory("second/deeper");
        ASSERT_TRUE(browser.fillDrives("", dir.file("first/inner")));
        ASSERT_TRUE(browser.fillTree());
        for (const std::string& volume :
             {std::string("/"), dir.file("first"), dir.file("second")}) {
            testing::waitForAnswer(browser, volume);
        }
    }

    int indexOf(const std::string& volume) const {
        return browser.driveList()->findData(QByteArray::fromStdString(volume));
    }

    TempDir dir;
    FaultyFileSystem fs;
    ScriptedMessageBox messages;
    FixedVolumes volumes{{dir.file("second"), dir.file("first")}};
    DirectoryBrowser browser{fs, messages, volumes};
};

TEST_F(DriveListTest, ListsTheVolumesSortedAndShowsTheOneOfTheCurrentDirectory) {
    ASSERT_EQ(browser.driveList()->count(), 3);
    EXPECT_EQ(browser.volumeAt(0), "/");
    EXPECT_EQ(browser.volumeAt(1), dir.file("first"));
    EXPECT_EQ(browser.volumeAt(2), dir.file("second"));
    EXPECT_EQ(browser.driveList()->currentIndex(), 1);
    EXPECT_EQ(browser.tree()->drive(), dir.file("first"));
}

TEST_F(DriveListTest, ChoosingAReadyVolumeOpensItsTop) {
    QSignalSpy changed(&browser, &DirectoryBrowser::driveChanged);
    browser.driveList()->setCurrentIndex(indexOf(dir.file("second")));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(browser.currentPath(), dir.file("second"));
    EXPECT_EQ(browser.tree()->drive(), dir.file("second"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DriveListTest, AVolumeThatCannotBeReadIsRefusedAndTheListGoesBack) {
    QSignalSpy changed(&browser, &DirectoryBrowser::driveChanged);
    fs.fail(FaultyFileSystem::Op::List, EIO, "second");
    browser.driveList()->setCurrentIndex(indexOf(dir.file("second")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Drive " + dir.file("second") + ": is not ready.");
    EXPECT_EQ(messages.shown[0].caption, "Error");
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Exclamation);
    EXPECT_EQ(browser.driveList()->currentIndex(), indexOf(dir.file("first")));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(browser.currentPath(), dir.file("first/inner"));
}

struct TypedPathCase {
    const char* name;
    const char* typed;   // "{}" stands for the temporary directory
    const char* opened;  // the directory shown afterwards, below it; empty: refused
};

// A folder typed or pasted into the path field (Ctrl+L) is opened as if it was reached in the
// tree, with its volume chosen in the list; one that cannot be entered is refused with a message.
class TypedPath : public DriveListTest, public ::testing::WithParamInterface<TypedPathCase> {};

TEST_P(TypedPath, OpensTheFolderOrSaysWhyNot) {
    const TypedPathCase& typed = GetParam();
    browser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&browser));
    QTest::keyClick(&browser, Qt::Key_L, Qt::ControlModifier);
    QLineEdit* field = browser.pathField();
    EXPECT_EQ(browser.focusWidget(), field);
    ASSERT_NE(field->completer(), nullptr);  // offers the folders below what is typed
    const QString text = QString::fromUtf8(typed.typed)
                             .replace(QStringLiteral("{}"), QString::fromStdString(dir.path()));
    field->setText(text);
    QSignalSpy opened(&browser, &DirectoryBrowser::directoryOpened);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(field, &enter);
    if (*typed.opened == '\0') {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Cannot open the folder \"" + dir.file("gone") + "\": " +
                                              platform::Status::fromErrno(ENOENT).message());
        EXPECT_EQ(browser.currentPath(), dir.file("first/inner"));
        EXPECT_EQ(field->text(), text);
        EXPECT_EQ(opened.count(), 0);
        return;
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(browser.currentPath(), dir.file(typed.opened));
    EXPECT_EQ(browser.tree()->currentPath(), dir.file(typed.opened));
    EXPECT_EQ(field->text().toStdString(), dir.file(typed.opened));
    EXPECT_EQ(browser.volumeAt(browser.driveList()->currentIndex()), dir.file("second"));
    EXPECT_EQ(opened.count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TypedPath,
    ::testing::Values(TypedPathCase{"Absolute", "{}/second/deeper", "second/deeper"},
                      TypedPathCase{"WithBlanksAround", "  {}/second/deeper/  ", "second/deeper"},
                      TypedPathCase{"Relative", "../../second", "second"},
                      TypedPathCase{"FileUrl", "file://{}/second/deeper", "second/deeper"},
                      TypedPathCase{"Gone", "{}/gone", ""}),
    [](const ::testing::TestParamInfo<TypedPathCase>& param) {
        return std::string(param.param.name);
    });

TEST_F(DriveListTest, AnInvalidStartPathIsReportedAndTheCurrentDirectoryStays) {
    messages.shown.clear();
    browser.fillDrives(dir.file("gone"), dir.file("first/inner"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Dir path in options is invalid");
    EXPECT_EQ(messages.shown[0].caption, "Error");
    EXPECT_EQ(browser.volumeAt(browser.driveList()->currentIndex()), dir.file("first"));
    EXPECT_EQ(browser.currentPath(), dir.file("first/inner"));
}

// The browser starts in "fast", one of two volumes; the other, "hung", answers only once the
// test releases it. Whatever touches "hung" before the user may choose it runs out of memory.
class SlowVolumeTest : public ::testing::Test {
protected:
    using State = VolumeChecker::State;

    void SetUp() override {
        dir.makeDirectory("fast/inner");
        dir.makeDirectory("hung/deeper");
        volumes.hold(hung);
        fs.runOutOfMemory(FaultyFileSystem::Op::List, "hung");
        fs.runOutOfMemory(FaultyFileSystem::Op::Enter, "hung");
    }

    void open(std::chrono::milliseconds timeLimit) {
        browser = std::make_unique<DirectoryBrowser>(fs, messages, volumes, nullptr, timeLimit);
        ASSERT_TRUE(browser->fillDrives("", dir.file("fast/inner")));
        ASSERT_TRUE(browser->fillTree());
    }
    QStandardItem* entry(const std::string& volume) const {
        const int index = browser->driveList()->findData(QByteArray::fromStdString(volume));
        return qobject_cast<QStandardItemModel*>(browser->driveList()->model())->item(index);
    }
    // Choosing a volume that has not answered is refused without asking it anything.
    void chooseHungAndExpectRefusal() {
        messages.shown.clear();
        browser->driveList()->setCurrentIndex(entry(hung)->row());
        EXPECT_EQ(messages.texts(), Names{"Drive " + hung + ": is not ready."});
        EXPECT_EQ(browser->volumeAt(browser->driveList()->currentIndex()), dir.file("fast"));
        EXPECT_EQ(browser->currentPath(), dir.file("fast/inner"));
    }
    // Once it answered, it is chosen as any other.
    void releaseAndChooseHung() {
        volumes.release();
        testing::waitWhile(*browser, hung, browser->volumeState(hung));
        EXPECT_EQ(browser->volumeState(hung), State::Ready);
        EXPECT_TRUE(entry(hung)->isEnabled());
        EXPECT_EQ(entry(hung)->text().toStdString(), hung);
        fs.clearFaults();
        browser->driveList()->setCurrentIndex(entry(hung)->row());
        EXPECT_EQ(browser->currentPath(), hung);
    }

    TempDir dir;
    FaultyFileSystem fs;
    ScriptedMessageBox messages;
    const std::string hung = dir.file("hung");
    testing::GatedVolumes volumes{{dir.file("fast"), hung}};
    std::unique_ptr<DirectoryBrowser> browser;
};

TEST_F(SlowVolumeTest, TheOthersAreListedWhileOneHasNotAnswered) {
    open(std::chrono::hours(1));
    testing::waitForAnswer(*browser, dir.file("fast"));
    testing::waitForAnswer(*browser, "/");
    ASSERT_EQ(browser->driveList()->count(), 3);
    EXPECT_EQ(browser->volumeState(dir.file("fast")), State::Ready);
    EXPECT_TRUE(entry(dir.file("fast"))->isEnabled());
    EXPECT_EQ(browser->volumeState(hung), State::Pending);
    EXPECT_FALSE(entry(hung)->isEnabled());
    EXPECT_EQ(entry(hung)->text().toStdString(), hung);
    chooseHungAndExpectRefusal();
    releaseAndChooseHung();
}

TEST_F(SlowVolumeTest, OneThatDoesNotAnswerInTimeIsShownAsNotResponding) {
    open(std::chrono::milliseconds(0));
    testing::waitForAnswer(*browser, hung);
    EXPECT_EQ(browser->volumeState(hung), State::NotResponding);
    EXPECT_FALSE(entry(hung)->isEnabled());
    EXPECT_EQ(entry(hung)->text().toStdString(), hung + " (not responding)");
    chooseHungAndExpectRefusal();
    releaseAndChooseHung();
}

// A volume that was unmounted and is mounted again may be another one: it is asked again.
TEST_F(SlowVolumeTest, OneMountedAgainIsAskedAgain) {
    volumes.release();
    open(std::chrono::hours(1));
    testing::waitForAnswer(*browser, hung);
    volumes.setPaths({dir.file("fast")});
    browser->refreshDrives();
    EXPECT_EQ(browser->driveList()->findData(QByteArray::fromStdString(hung)), -1);

    volumes.setPaths({dir.file("fast"), hung});
    browser->refreshDrives();
    // Its answer can only come in with the events.
    EXPECT_EQ(browser->volumeState(hung), State::Pending);
    EXPECT_FALSE(entry(hung)->isEnabled());
    testing::waitForAnswer(*browser, hung);
    EXPECT_TRUE(entry(hung)->isEnabled());
}

TEST(DriveListVolumes, OneThatIsNothingToBrowseLeavesTheList) {
    TempDir dir;
    dir.makeDirectory("disk");
    FaultyFileSystem fs;
    ScriptedMessageBox messages;
    testing::GatedVolumes volumes{{dir.file("disk"), dir.file("hosts")}};
    volumes.makeNotBrowsable(dir.file("hosts"));
    DirectoryBrowser browser(fs, messages, volumes);
    ASSERT_TRUE(browser.fillDrives("", dir.file("disk")));
    testing::waitForAnswer(browser, dir.file("hosts"));
    EXPECT_EQ(browser.driveList()->findData(QByteArray::fromStdString(dir.file("hosts"))), -1);
    ASSERT_EQ(browser.driveList()->count(), 2);
    EXPECT_EQ(browser.volumeAt(browser.driveList()->currentIndex()), dir.file("disk"));
}

TEST(DriveListFailure, AnUnreadableMountTableLeavesTheRootToBrowse) {
    class Broken final : public platform::VolumeSource {
        platform::Result<std::vector<std::string>> mountedVolumes() override {
            return platform::Status::fromErrno(ENOENT);
        }
        platform::VolumeCheck volumeCheck(const std::string& /*mountPath*/) const override {
            return [] { return platform::VolumeAnswer::Ready; };
        }
    } broken;
    TempDir dir;
    FaultyFileSystem fs;
    ScriptedMessageBox messages;
    DirectoryBrowser browser(fs, messages, broken);
    EXPECT_FALSE(browser.fillDrives("", dir.path()));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, std::string("Cannot list the mounted volumes: ") +
                                          platform::Status::fromErrno(ENOENT).message());
    EXPECT_EQ(messages.shown[0].caption, "Nameshift Pro");
    ASSERT_EQ(browser.driveList()->count(), 1);
    EXPECT_EQ(browser.volumeAt(0), "/");
}

TEST(DriveListFailure, AnUnreadableCurrentFolderIsNamedAsTheStepThatFailed) {
    FixedVolumes volumes{{"/"}};
    FaultyFileSystem fs;
    ScriptedMessageBox messages;
    DirectoryBrowser browser(fs, messages, volumes);
    EXPECT_FALSE(browser.fillDrives("", platform::Status::fromErrno(EACCES)));
    EXPECT_FALSE(browser.fillTree());
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const platform::Message& message : messages.shown) {
        EXPECT_EQ(message.text, "Cannot read the current folder: " +
                                    platform::Status::fromErrno(EACCES).message());
        EXPECT_EQ(message.caption, "Nameshift Pro");
        EXPECT_EQ(message.icon, platform::Icon::Stop);
    }
}

}  // namespace
}  // namespace nameshift::ui
