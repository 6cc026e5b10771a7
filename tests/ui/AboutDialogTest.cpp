#include "ui/AboutDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ScriptedMessageBox.h"
#include "ui/widgets/HyperlinkLabel.h"

namespace nameshift::ui {
namespace {

TEST(AboutDialog, ShowsTheVersionAndAMailLink) {
    testing::ScriptedMessageBox messages;
    AboutDialog dialog(messages);

    EXPECT_EQ(dialog.windowTitle(), QLatin1String("About Nameshift Pro"));
    const auto* version = dialog.findChild<QLabel*>(QStringLiteral("version"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), QLatin1String("Nameshift Pro Version 1.0"));
    EXPECT_EQ(dialog.mailLink()->url(),
              QStringLiteral("mailto:") + QLatin1String(AboutDialog::kSupportAddress));
    EXPECT_EQ(dialog.mailLink()->toolTip(), dialog.mailLink()->url());
    EXPECT_TRUE(dialog.mailLink()->hasUnderline());
    EXPECT_EQ(dialog.mailLink()->cursor().shape(), Qt::PointingHandCursor);
}

TEST(AboutDialog, LinkThatCannotBeOpenedIsReportedAndTheBoxStaysOpen) {
    testing::ScriptedMessageBox messages;
    AboutDialog dialog(messages);
    dialog.mailLink()->setUrlOpener([](const QUrl&) { return false; });
    dialog.show();

    QTest::mouseClick(dialog.mailLink(), Qt::LeftButton);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("Unable to open hyperlink:\n\n", 0), 0u);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.mailLink()->isVisited());

    // Enter now presses OK instead of trying the link again.
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog,
                    Qt::Key_Return);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(AboutDialog, VisitedLinkLastsOnlyAsLongAsItsBox) {
    testing::ScriptedMessageBox messages;
    {
        AboutDialog first(messages);
        first.mailLink()->setUrlOpener([](const QUrl&) { return true; });
        first.mailLink()->activate();
        EXPECT_TRUE(first.mailLink()->isVisited());
    }
    AboutDialog second(messages);
    EXPECT_FALSE(second.mailLink()->isVisited());
}

TEST(AboutDialog, OkIsTheDefaultButtonAndAccepts) {
    testing::ScriptedMessageBox messages;
    AboutDialog dialog(messages);
    dialog.show();
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("ok"));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(ok->toolTip().isEmpty());

    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace nameshift::ui
