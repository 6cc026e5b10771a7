#include "ui/widgets/IconPushButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QProxyStyle>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace nameshift::ui {
namespace {

using Border = IconPushButton::Border;

// A window with one flat button, shown and active, as the program's dialogs are.
class IconPushButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 80);
        button = new IconPushButton(QStringLiteral("&Apply changes"), &window);
        button->setGeometry(20, 20, 140, 36);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::mouseMove(&window, QPoint(5, 5));
    }

    QRgb pixel(int x, int y) const { return button->grab().toImage().pixel(x, y); }
    QRgb topLeft() const { return pixel(0, 0); }
    QRgb bottomRight() const { return pixel(button->width() - 1, button->height() - 1); }
    QRgb paletteColor(QPalette::ColorRole role) const {
        return button->palette().color(role).rgb();
    }

    QWidget window;
    IconPushButton* button = nullptr;
};

// Counts the focus frames the button asks the style for.
class FocusFrameCounter final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_FrameFocusRect) {
            ++frames;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    mutable int frames = 0;
};

TEST_F(IconPushButtonTest, KeyboardFocusOnAFlatButtonDrawsTheStylesFocusFrame) {
    auto* style = new FocusFrameCounter;
    style->setParent(button);
    button->setStyle(style);
    auto* before = new IconPushButton(QStringLiteral("&Before"), &window);
    before->setGeometry(0, 0, 10, 10);
    before->show();
    before->setFocus(Qt::OtherFocusReason);
    button->grab();
    EXPECT_EQ(style->frames, 0);

    QTest::keyClick(before, Qt::Key_Tab);
    ASSERT_TRUE(button->hasFocus());
    button->grab();
    EXPECT_GT(style->frames, 0);

    // Once Tab has been used in the window, a click still gives no frame, a shortcut does.
    before->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(button->hasFocus());
    style->frames = 0;
    button->grab();
    EXPECT_EQ(style->frames, 0);
    before->setFocus(Qt::MouseFocusReason);
    button->setFocus(Qt::ShortcutFocusReason);
    button->grab();
    EXPECT_GT(style->frames, 0);
}

TEST_F(IconPushButtonTest, FlatButtonIsPlainAtRestRaisedWhenHoveredSunkenWhenPressed) {
    EXPECT_EQ(button->border(), Border::None);
    EXPECT_EQ(topLeft(), paletteColor(QPalette::Button));

    QTest::mouseMove(button, QPoint(10, 10));
    EXPECT_TRUE(button->isHovered());
    EXPECT_EQ(button->border(), Border::Raised);
    EXPECT_EQ(topLeft(), paletteColor(QPalette::Light));
    EXPECT_EQ(bottomRight(), paletteColor(QPalette::Dark));

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(button->border(), Border::Sunken);
    EXPECT_EQ(topLeft(), paletteColor(QPalette::Dark));
    EXPECT_EQ(bottomRight(), paletteColor(QPalette::Light));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));

    QTest::mouseMove(&window, QPoint(5, 5));
    EXPECT_FALSE(button->isHovered());
    EXPECT_EQ(button->border(), Border::None);
}

TEST_F(IconPushButtonTest, DraggingOffAPressedButtonDropsTheHoverLookAndDoesNotClick) {
    QSignalSpy clicks(button, &QPushButton::clicked);
    QTest::mouseMove(button, QPoint(10, 10));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent dragOff(QEvent::MouseMove, QPointF(-30, -15),
                        button->mapToGlobal(QPointF(-30, -15)), Qt::NoButton, Qt::LeftButton,
                        Qt::NoModifier);
    QApplication::sendEvent(button, &dragOff);
    EXPECT_FALSE(button->isHovered());

    // Coming back with the button still held does not light it up again.
    QMouseEvent dragBack(QEvent::MouseMove, QPointF(10, 10), button->mapToGlobal(QPointF(10, 10)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &dragBack);
    EXPECT_FALSE(button->isHovered());

    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-30, -15));
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(IconPushButtonTest, NoHoverLookWhileTheProgramIsInTheBackground) {
    QApplication::setActiveWindow(nullptr);
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    QTest::mouseMove(button, QPoint(12, 12));
    EXPECT_FALSE(button->isHovered());
    EXPECT_EQ(button->border(), Border::None);
}

TEST_F(IconPushButtonTest, LosingFocusClearsTheHoverLook) {
    QTest::mouseMove(button, QPoint(10, 10));
    button->setFocus();
    ASSERT_TRUE(button->isHovered());
    button->clearFocus();
    EXPECT_FALSE(button->isHovered());
}

TEST_F(IconPushButtonTest, OneIconServesEveryStateAndASecondOneIsShownAtRest) {
    button->setIcons(QStringLiteral(":/icons/apply.svg"));
    EXPECT_EQ(button->iconSize(), QSize(20, 20));
    const qint64 only = button->hoverIcon().cacheKey();
    EXPECT_EQ(button->shownIcon().cacheKey(), only);
    QTest::mouseMove(button, QPoint(10, 10));
    EXPECT_EQ(button->shownIcon().cacheKey(), only);

    button->setIcons(QStringLiteral(":/icons/apply-hover.svg"),
                     QStringLiteral(":/icons/apply.svg"));
    EXPECT_EQ(button->shownIcon().cacheKey(), button->hoverIcon().cacheKey());
    QTest::mouseMove(&window, QPoint(5, 5));
    EXPECT_EQ(button->shownIcon().cacheKey(), button->normalIcon().cacheKey());
    EXPECT_NE(button->normalIcon().cacheKey(), button->hoverIcon().cacheKey());
}

bool hasColouredPixel(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::max({c.red(), c.green(), c.blue()}) -
                    std::min({c.red(), c.green(), c.blue()}) >
                40) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(IconPushButtonTest, DisabledButtonDrawsItsIconAndCaptionGreyed) {
    button->setIcons(QStringLiteral(":/icons/apply-hover.svg"));
    const QRect iconArea(3, (button->height() - 20) / 2, 20, 20);
    ASSERT_TRUE(hasColouredPixel(button->grab().toImage(), iconArea));

    button->setEnabled(false);
    const QImage disabled = button->grab().toImage();
    EXPECT_FALSE(hasColouredPixel(disabled, iconArea));
    const QColor greyText = button->palette().color(QPalette::Disabled, QPalette::ButtonText);
    bool captionGreyed = false;
    for (int x = 30; x < button->width() && !captionGreyed; ++x) {
        for (int y = 0; y < button->height() && !captionGreyed; ++y) {
            captionGreyed = disabled.pixelColor(x, y) == greyText;
        }
    }
    EXPECT_TRUE(captionGreyed);
}

TEST_F(IconPushButtonTest, NonFlatButtonAlwaysHasABorderAndHoverDoesNotChangeIt) {
    button->setFlat(false);
    EXPECT_EQ(button->border(), Border::RaisedDouble);
    QTest::mouseMove(button, QPoint(10, 10));
    EXPECT_FALSE(button->isHovered());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(button->border(), Border::Framed);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
}

TEST_F(IconPushButtonTest, CheckedToggleLooksPressed) {
    button->setCheckable(true);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(button->isChecked());
    QTest::mouseMove(&window, QPoint(5, 5));
    EXPECT_EQ(button->border(), Border::Sunken);
}

}  // namespace
}  // namespace nameshift::ui
