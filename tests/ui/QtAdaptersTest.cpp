#include <gtest/gtest.h>

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>

#include "TempDir.h"
#include "ui/PresetBar.h"
#include "ui/QtBatchProgress.h"
#include "ui/QtMessageBox.h"
#include "ui/QtRestoreFilePicker.h"
#include "ui/WholeTitle.h"

namespace nameshift::ui {
namespace {

using testing::TempDir;

TEST(QtMessageBoxTest, ShowsTheTextAndCaptionExactly) {
    const auto box = QtMessageBox::build(
        {"An error occurred. Possible error: \"opt.ini\" file doesn't exist?\nUsing default "
         "options instead.",
         "Nameshift Pro", platform::Icon::Exclamation},
        nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("An error occurred. Possible error: \"opt.ini\" file "
                                          "doesn't exist?\nUsing default options instead."));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Nameshift Pro"));
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
}

TEST(QtMessageBoxTest, EscapeOnAQuestionAnswersNo) {
    const auto box = QtMessageBox::build({"Are you sure you want to quit?", "Confirm Exit",
                                          platform::Icon::None, platform::Buttons::YesNo},
                                         nullptr);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::No));
}

// A question of few words under a long title, and the preset's name to type, each as the user
// sees it: the title bar has room for the whole title.
TEST(QtMessageBoxTest, AShortQuestionLeavesItsTitleWhole) {
    const auto box = QtMessageBox::build(
        {"Delete the preset \"a\"?", "Restore File Already Exists and a Preset Deleted",
         platform::Icon::Question, platform::Buttons::YesNo},
        nullptr);
    box->show();
    EXPECT_GE(box->width(), wholeTitleWidth(*box));
    QInputDialog name;
    PresetBar::prepareNameDialog(name, QStringLiteral("Holiday"));
    name.show();
    EXPECT_EQ(name.windowTitle(), QStringLiteral("Save as Preset"));
    EXPECT_EQ(name.textValue(), QStringLiteral("Holiday"));
    EXPECT_GE(name.width(), wholeTitleWidth(name));
}

TEST(QtBatchProgressTest, OnlyBatchesOverTheThresholdShowProgressAndCancelStopsThem) {
    QtBatchProgress progress(nullptr, QStringLiteral("Renaming files..."));
    progress.start(engine::kProgressThreshold);
    EXPECT_EQ(progress.dialog(), nullptr);
    EXPECT_TRUE(progress.advance(10));

    progress.start(engine::kProgressThreshold + 1);
    ASSERT_NE(progress.dialog(), nullptr);
    EXPECT_EQ(progress.dialog()->maximum(), static_cast<int>(engine::kProgressThreshold + 1));
    EXPECT_TRUE(progress.advance(1));
    EXPECT_EQ(progress.dialog()->value(), 1);
    progress.dialog()->cancel();
    EXPECT_FALSE(progress.advance(2));
    progress.finish();
    EXPECT_EQ(progress.dialog(), nullptr);
}

TEST(QtRestoreFilePickerTest, AsksInQtsOwnDialogForDatFilesInTheGivenDirectory) {
    TempDir dir;
    QFileDialog dialog;
    QtRestoreFilePicker::configure(dialog, dir.path());
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select the restore file"));
    EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("Dat Files (*.dat)")});
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("dat"));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.directory().absolutePath(), QString::fromStdString(dir.path()));
}

TEST(QtRestoreFilePickerTest, GivesTheChosenFileOrNothingWhenCancelled) {
    TempDir dir;
    dir.write("restore.dat", "x");
    QtRestoreFilePicker choosing(nullptr, [&](QDialog& shown) {
        auto& files = dynamic_cast<QFileDialog&>(shown);
        files.selectFile(QString::fromStdString(dir.file("restore.dat")));
        shown.accept();
    });
    EXPECT_EQ(choosing.chooseRestoreFile(dir.path()), dir.file("restore.dat"));

    QtRestoreFilePicker cancelling(nullptr, [](QDialog& shown) { shown.reject(); });
    EXPECT_EQ(cancelling.chooseRestoreFile(dir.path()), std::nullopt);
}

}  // namespace
}  // namespace nameshift::ui
