#include "ui/widgets/HyperlinkLabel.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "ScriptedMessageBox.h"

namespace nameshift::ui {
namespace {

constexpr const char* kUrl = "mailto:someone@example.org";

class HyperlinkLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 200);
        link = new HyperlinkLabel(messages, QStringLiteral("Write to us"), &window);
        link->setUrl(QLatin1String(kUrl));
        link->setUrlOpener([this](const QUrl& url) {
            opened.push_back(url.toString().toStdString());
            return openSucceeds;
        });
        window.show();
    }

    testing::ScriptedMessageBox messages;
    QWidget window;
    HyperlinkLabel* link = nullptr;
    std::vector<std::string> opened;
    bool openSucceeds = true;
};

TEST_F(HyperlinkLabelTest, StartsAsAnUnvisitedUnderlinedLinkShowingItsUrl) {
    EXPECT_EQ(link->shownColor(), QColor(0, 0, 238));
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 238));
    EXPECT_TRUE(link->font().underline());
    EXPECT_FALSE(link->isVisited());
    EXPECT_EQ(link->toolTip(), QLatin1String(kUrl));
    EXPECT_EQ(link->visitedColor(), QColor(85, 26, 139));
}

TEST_F(HyperlinkLabelTest, ClickOpensTheUrlAndMarksTheLinkVisited) {
    QTest::mouseClick(link, Qt::LeftButton);

    EXPECT_EQ(opened, std::vector<std::string>{kUrl});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(link->isVisited());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(85, 26, 139));
}

TEST_F(HyperlinkLabelTest, FailedOpenIsReportedAndTheLinkStaysUnvisited) {
    openSucceeds = false;
    QTest::mouseClick(link, Qt::LeftButton);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "Unable to open hyperlink:\n\nThere is no application associated\n"
              "with the given filename extension.");
    EXPECT_EQ(messages.shown[0].caption, platform::kProgramTitle);
    EXPECT_EQ(messages.shown[0].icon, platform::Icon::Exclamation);
    EXPECT_EQ(messages.shown[0].buttons, platform::Buttons::Ok);
    EXPECT_FALSE(link->isVisited());
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 238));
}

TEST_F(HyperlinkLabelTest, ReleaseAwayFromTheLinkOpensNothing) {
    QTest::mousePress(link, Qt::LeftButton);
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(link->width() + 20, 5));
    EXPECT_TRUE(opened.empty());
}

TEST_F(HyperlinkLabelTest, KeyboardOpensTheLinkToo) {
    link->setFocus();
    QTest::keyClick(link, Qt::Key_Space);
    QTest::keyClick(link, Qt::Key_Return);
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_NE(link->focusPolicy() & Qt::TabFocus, 0);
}

TEST_F(HyperlinkLabelTest, UrlAndTextStandInForEachOther) {
    HyperlinkLabel textOnly(messages, QStringLiteral("https://example.org/"));
    EXPECT_EQ(textOnly.url(), QLatin1String("https://example.org/"));
    EXPECT_EQ(textOnly.toolTip(), QLatin1String("https://example.org/"));

    HyperlinkLabel urlOnly(messages);
    urlOnly.setUrl(QLatin1String(kUrl));
    EXPECT_EQ(urlOnly.text(), QLatin1String(kUrl));
}

struct FitCase {
    const char* name;
    Qt::Alignment alignment;
    int expectedLeftOf;  // 0: the old left edge stays, 1: the centre stays, 2: the right edge
};

class HyperlinkLabelFit : public HyperlinkLabelTest,
                          public ::testing::WithParamInterface<FitCase> {};

TEST_P(HyperlinkLabelFit, SizesToItsTextKeepingTheAlignedEdge) {
    const QRect box(50, 40, 300, 60);
    link->setSizeToText(false);
    link->setGeometry(box);
    link->setAlignment(GetParam().alignment);
    link->setSizeToText(true);

    const QSize text = link->sizeHint();
    EXPECT_EQ(link->size(), text);
    EXPECT_LT(text.width(), box.width());
    switch (GetParam().expectedLeftOf) {
        case 0:
            EXPECT_EQ(link->x(), box.left());
            break;
        case 1:
            EXPECT_NEAR(link->geometry().center().x(), box.center().x(), 1);
            break;
        default:
            EXPECT_EQ(link->geometry().right(), box.right());
    }
    if (GetParam().alignment & Qt::AlignVCenter) {
        EXPECT_NEAR(link->geometry().center().y(), box.center().y(), 1);
    } else {
        EXPECT_EQ(link->y(), box.top());
    }
}

INSTANTIATE_TEST_SUITE_P(HyperlinkLabel, HyperlinkLabelFit,
                         ::testing::Values(FitCase{"LeftTop", Qt::AlignLeft | Qt::AlignTop, 0},
                                           FitCase{"CentreCentre", Qt::AlignCenter, 1},
                                           FitCase{"RightTop", Qt::AlignRight | Qt::AlignTop, 2},
                                           FitCase{"LeftCentre", Qt::AlignLeft | Qt::AlignVCenter,
                                                   0}),
                         [](const ::testing::TestParamInfo<FitCase>& testCase) {
                             return std::string(testCase.param.name);
                         });

struct ResultCase {
    int result;
    const char* text;
};

class LinkOpenResultText : public ::testing::TestWithParam<ResultCase> {};

TEST_P(LinkOpenResultText, NamesTheResult) {
    EXPECT_EQ(linkOpenResultText(GetParam().result), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    HyperlinkLabel, LinkOpenResultText,
    ::testing::Values(
        ResultCase{31, "There is no application associated\nwith the given filename extension."},
        ResultCase{26, "A sharing violation occurred. "},
        ResultCase{1, "Unknown Error (1) occurred."},
        ResultCase{-7, "Unknown Error (-7) occurred."}));

}  // namespace
}  // namespace nameshift::ui
