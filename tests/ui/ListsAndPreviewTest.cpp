#include <gtest/gtest.h>

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScreen>
#include <QSignalSpy>

#include <algorithm>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"
#include "engine/batch/FileList.h"
#include "platform/DirEntry.h"
#include "ui/DisplayText.h"
#include "ui/FileListView.h"
#include "ui/PreviewDialog.h"

namespace nameshift::ui {
namespace {

using testing::FaultyFileSystem;
using testing::ScriptedMessageBox;
using testing::TempDir;

class FileListViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "bad\xff.txt"}) {
            dir.write(name);
        }
        fileList.setAttributeMask(platform::attribute::kArchive);
        fileList.setSortKey(settings::SortKey::Name);
        ASSERT_TRUE(fileList.fill(dir.path()));
        view.reload();
    }

    void selectRows(int first, int last, QItemSelectionModel::SelectionFlags how) {
        view.selectionModel()->select(
            QItemSelection(view.model()->index(first, 0), view.model()->index(last, 0)), how);
    }

    TempDir dir;
    FaultyFileSystem fs;
    engine::FileList fileList{fs};
    FileListView view{fileList};
};

TEST_F(FileListViewTest, RowsKeepTheExactBytesOfNames) {
    ASSERT_EQ(view.model()->rowCount(), 5);
    bool found = false;
    for (int row = 0; row < 5; ++row) {
        const QModelIndex index = view.model()->index(row, 0);
        const std::string bytes = index.data(FileListModel::kNameRole).toByteArray().toStdString();
        EXPECT_EQ(bytes, fileList.row(static_cast<std::size_t>(row)).name);
        if (bytes == "bad\xff.txt") {
            found = true;
            EXPECT_EQ(index.data().toString(), QStringLiteral("bad\\xFF.txt"));
        }
    }
    EXPECT_TRUE(found);
}

struct ShownName {
    std::string bytes;
    QString shown;
};

class VisibleNameTest : public ::testing::TestWithParam<ShownName> {};

TEST_P(VisibleNameTest, TellsEveryNameApart) {
    EXPECT_EQ(visibleName(GetParam().bytes), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Names, VisibleNameTest,
    ::testing::Values(ShownName{"plain.txt", QStringLiteral("plain.txt")},
                      ShownName{"Tr\xc3\xa4ume.mp3", QStringLiteral("Träume.mp3")},
                      ShownName{"new\nline\ttab\x7f",
                                QStringLiteral("new\u240Aline\u2409tab\u2421")},
                      ShownName{"bad\xff\xfe name", QStringLiteral("bad\\xFF\\xFE name")},
                      // A character cut short, and one written with more bytes than it needs.
                      ShownName{"cut\xe2\x82", QStringLiteral("cut\\xE2\\x82")},
                      ShownName{"\xc0\xaf\xc3\xa9", QStringLiteral("\\xC0\\xAF\u00e9")}));

TEST_F(FileListViewTest, TheSelectionOfTheViewIsTheTicks) {
    QSignalSpy changes(&view, &FileListView::ticksChanged);
    selectRows(1, 2, QItemSelectionModel::Select);
    EXPECT_EQ(fileList.tickedCount(), 2u);
    EXPECT_TRUE(fileList.isTicked(1));
    EXPECT_TRUE(fileList.isTicked(2));
    selectRows(2, 2, QItemSelectionModel::Deselect);
    EXPECT_EQ(fileList.tickedCount(), 1u);
    EXPECT_FALSE(fileList.isTicked(2));
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(FileListViewTest, SelectAllIsOneRangeAndDeselectAllClearsEveryTick) {
    QSignalSpy changes(&view, &FileListView::ticksChanged);
    view.selectAllRows(true);
    EXPECT_EQ(fileList.tickedCount(), 5u);
    EXPECT_EQ(view.selectionModel()->selection().size(), 1);
    EXPECT_EQ(changes.count(), 1);
    view.selectAllRows(false);
    EXPECT_EQ(fileList.tickedCount(), 0u);
    EXPECT_FALSE(view.selectionModel()->hasSelection());
}

TEST_F(FileListViewTest, ReloadShowsTheTicksTheListKeeps) {
    fileList.setTicked(0, true);
    fileList.setTicked(3, true);
    view.reload();
    EXPECT_TRUE(view.selectionModel()->isRowSelected(0, {}));
    EXPECT_FALSE(view.selectionModel()->isRowSelected(1, {}));
    EXPECT_TRUE(view.selectionModel()->isRowSelected(3, {}));
    EXPECT_EQ(fileList.tickedCount(), 2u);
}

class PreviewDialogTest : public ::testing::Test {
protected:
    int columnWidth(int column) const { return dialog.list()->header()->sectionSize(column); }
    int textWidth(const QString& text) const {
        return dialog.list()->fontMetrics().horizontalAdvance(text);
    }
    QString cell(int row, int column) const {
        return dialog.list()->model()->index(row, column).data().toString();
    }

    PreviewDialog dialog;
};

TEST_F(PreviewDialogTest, ShowsThePairsInOrderUnderTheirHeaders) {
    dialog.addPair("one.txt", "A-one.txt");
    dialog.addPair("two.txt", "A-two.txt");
    dialog.fillList();
    QAbstractItemModel* model = dialog.list()->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Old Filename"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("New Filename"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("one.txt"));
    EXPECT_EQ(cell(0, 1), QStringLiteral("A-one.txt"));
    EXPECT_EQ(cell(1, 0), QStringLiteral("two.txt"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("A-two.txt"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Preview"));
    EXPECT_EQ(dialog.closeButton()->text(), QStringLiteral("&Close Window"));
    EXPECT_TRUE(dialog.closeButton()->isDefault());
    EXPECT_EQ(model->columnCount(), 2);
    EXPECT_TRUE(dialog.verdict()->isHidden());
}

TEST_F(PreviewDialogTest, MarksTheFilesApplyWouldNotRenameAndSaysWhetherItRefuses) {
    dialog.addPair("a.txt", "x.txt");
    const platform::MessageText exists("File exists");
    dialog.addPair("b.txt", "held.txt", &exists);
    dialog.fillList();
    QAbstractItemModel* model = dialog.list()->model();
    ASSERT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Reason"));
    EXPECT_EQ(cell(0, 2), QString());
    EXPECT_EQ(cell(1, 2), QStringLiteral("File exists"));
    EXPECT_TRUE(model->index(0, 1).data(Qt::DecorationRole).isNull());
    EXPECT_FALSE(model->index(1, 1).data(Qt::DecorationRole).isNull());
    EXPECT_EQ(dialog.verdict()->text(),
              QStringLiteral("1 file(s) would not be renamed; the marked rows say why."));

    PreviewDialog refused;
    refused.showRefusal(platform::Message("Duplicate filenames found! Cannot continue."));
    refused.addPair("a.txt", "x.txt");
    refused.fillList();
    EXPECT_FALSE(refused.verdict()->isHidden());
    EXPECT_EQ(refused.verdict()->text(),
              QStringLiteral("Apply would refuse this batch and rename nothing:\n"
                             "Duplicate filenames found! Cannot continue."));
}

TEST_F(PreviewDialogTest, ShortNamesGiveColumnsAsWideAsTheirMeasuringTextAndMargin) {
    dialog.addPair("a", "b");
    dialog.fillList();
    EXPECT_EQ(columnWidth(0), textWidth(QStringLiteral("Old FileName")) + 25);
    EXPECT_EQ(columnWidth(1), textWidth(QStringLiteral("New FileName")) + 25);
}

TEST_F(PreviewDialogTest, AVeryLongNewNameWidensItsColumnToItsWidthAndMargin) {
    const std::string longName(120, 'W');
    dialog.addPair("short.txt", longName);
    dialog.fillList();
    EXPECT_EQ(columnWidth(1), textWidth(QString::fromStdString(longName)) + 25);
    EXPECT_EQ(columnWidth(0), textWidth(QStringLiteral("Old FileName")) + 25);
}

TEST_F(PreviewDialogTest, ManyNamesGiveEachColumnTheWidthOfItsWidestDrawnName) {
    // Names whose character counts and kerning pairs do not rank them as their drawn widths do.
    const std::vector<std::string> names = {"AVAVAVAVAVAVAV.txt",
                                            "iiiiiiiiiiiiiiiiiiiiiiii",
                                            "WWWWWWWWWWWWWW",
                                            "To Ta Te.Yo",
                                            "ffi ffl fi fl ffi.pdf",
                                            "\xc3\xa9t\xc3\xa9 \xe2\x82\xac.txt",
                                            "e\xcc\x81"
                                            "e\xcc\x81"
                                            "e\xcc\x81"
                                            ".txt",
                                            "mmmmmmmmmmmmm",
                                            "LTLTLTLTLTLTLT.log",
                                            "\xf0\x9f\x98\x80 smile.png"};
    int widestOld = textWidth(QStringLiteral("Old FileName"));
    int widestNew = textWidth(QStringLiteral("New FileName"));
    for (int copy = 0; copy < 20; ++copy) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string oldName = names[i] + std::to_string(copy);
            const std::string newName = names[(i + 3) % names.size()] + "-" + names[i];
            dialog.addPair(oldName, newName);
            widestOld = std::max(widestOld, textWidth(displayText(oldName)));
            widestNew = std::max(widestNew, textWidth(displayText(newName)));
        }
    }
    dialog.fillList();
    EXPECT_EQ(columnWidth(0), widestOld + 25);
    EXPECT_EQ(columnWidth(1), widestNew + 25);
}

// Forty rows with a reason open a window that shows every column whole, the reason's too, as far
// as the screen allows; the list scrolls sideways for what it cannot show.
TEST_F(PreviewDialogTest, OpensAsWideAsItsColumnsWithinTheScreenAndScrollsForTheRest) {
    const platform::MessageText exists("File exists");
    for (int i = 0; i < 40; ++i) {
        const std::string name = "2024-05-17 Holiday Rome " + std::to_string(i) + ".jpg";
        dialog.addPair(name, "Trip " + name, i == 3 ? &exists : nullptr);
    }
    dialog.fillList();
    EXPECT_EQ(columnWidth(2), textWidth(QStringLiteral("File exists")) + 25);
    QHeaderView* header = dialog.list()->header();
    EXPECT_FALSE(header->stretchLastSection());
    EXPECT_GE(dialog.wantedSize().width(), header->length());
    EXPECT_GT(dialog.wantedSize().height(), 380);
    EXPECT_EQ(dialog.list()->textElideMode(), Qt::ElideRight);
    EXPECT_EQ(dialog.list()->model()->index(3, 1).data(Qt::ToolTipRole).toString(),
              QStringLiteral("Trip 2024-05-17 Holiday Rome 3.jpg\nFile exists"));

    PreviewDialog wide(nullptr, [](QDialog& shown) {
        const QRect screen = shown.screen()->availableGeometry();
        EXPECT_LE(shown.width(), screen.width());
        EXPECT_LE(shown.height(), screen.height());
        EXPECT_EQ(static_cast<PreviewDialog&>(shown).list()->horizontalScrollBarPolicy(),
                  Qt::ScrollBarAsNeeded);
    });
    wide.addPair(std::string(300, 'W'), "short.txt");
    static_cast<engine::PreviewDisplay&>(wide).show();
}

TEST_F(PreviewDialogTest, WithoutPairsBothColumnsAreZeroWide) {
    dialog.fillList();
    EXPECT_EQ(dialog.list()->model()->rowCount(), 0);
    EXPECT_EQ(columnWidth(0), 0);
    EXPECT_EQ(columnWidth(1), 0);
}

TEST_F(PreviewDialogTest, ShowRunsTheDialogThroughItsRunner) {
    int runs = 0;
    PreviewDialog runDialog(nullptr, [&](QDialog& shown) {
        ++runs;
        EXPECT_EQ(&shown, &runDialog);
        EXPECT_EQ(runDialog.list()->model()->rowCount(), 1);
    });
    runDialog.addPair("x", "y");
    static_cast<engine::PreviewDisplay&>(runDialog).show();
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace nameshift::ui
