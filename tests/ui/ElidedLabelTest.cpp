#include "ui/widgets/ElidedLabel.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QTest>
#include <QWidget>

namespace nameshift::ui {
namespace {

const QString kText = QStringLiteral("120 file(s) total - 120 selected");

class ElidedLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        label = new ElidedLabel(&window);
        label->setFullText(kText);
    }

    int fullWidth() const { return label->fontMetrics().horizontalAdvance(kText) + 10; }

    QWidget window;
    ElidedLabel* label = nullptr;
};

TEST_F(ElidedLabelTest, ShowsTheWholeTextBeforeItIsShown) {
    label->resize(20, 20);
    EXPECT_EQ(label->text(), kText);
    EXPECT_TRUE(label->toolTip().isEmpty());
}

TEST_F(ElidedLabelTest, CutsTheTextToItsWidthAndShowsItWholeAsTooltip) {
    label->resize(fullWidth() / 2, 20);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_NE(label->text(), kText);
    EXPECT_TRUE(label->text().endsWith(QChar(0x2026)));
    EXPECT_EQ(label->toolTip(), kText);
    EXPECT_EQ(label->fullText(), kText);
}

TEST_F(ElidedLabelTest, ShowsTheWholeTextAgainWhenWidened) {
    label->resize(fullWidth() / 2, 20);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    label->resize(fullWidth(), 20);
    EXPECT_EQ(label->text(), kText);
    EXPECT_TRUE(label->toolTip().isEmpty());
}

TEST_F(ElidedLabelTest, FitsANewTextToTheWidthItHas) {
    label->resize(fullWidth(), 20);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    label->setFullText(kText + kText);
    EXPECT_NE(label->text(), kText + kText);
    EXPECT_EQ(label->toolTip(), kText + kText);
}

}  // namespace
}  // namespace nameshift::ui
