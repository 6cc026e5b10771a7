#include "ui/HelpWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDirIterator>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextTable>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Palettes.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"
#include "platform/PosixFileSystem.h"
#include "ui/AboutDialog.h"
#include "ui/OptionsDialog.h"
#include "ui/PreviewDialog.h"
#include "ui/QtMessageBox.h"
#include "ui/TagNamingOptionsDialog.h"
#include "ui/widgets/HyperlinkLabel.h"

namespace nameshift::ui {
namespace {

using testing::contrast;
using testing::darkerScheme;
using testing::lightWithPaleLinks;
using testing::PaletteCase;
using testing::styleLight;
using testing::themeDark;

std::string currentDirectory() {
    return std::filesystem::current_path().string();
}

TEST(HelpWindow, OpensBesideItsOwnerAndLeavesTheCurrentDirectory) {
    testing::TempDir dir;
    dir.makeDirectory("browsed");
    std::filesystem::current_path(dir.file("browsed"));
    const std::string before = currentDirectory();
    QDialog owner;
    owner.show();

    HelpWindow* help = HelpWindow::showHelp(&owner);

    EXPECT_EQ(currentDirectory(), before);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    // A child window of the main dialog stays usable while that dialog runs modally, and the
    // help itself blocks nothing.
    EXPECT_EQ(help->parentWidget(), &owner);
    EXPECT_TRUE(help->isWindow());
    EXPECT_EQ(help->windowModality(), Qt::NonModal);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(help->browser()->documentTitle(), QLatin1String("Contents"));
    EXPECT_TRUE(help->browser()->toPlainText().contains(QLatin1String("Nameshift Pro Help")));
}

// The main dialog runs modally for the life of the program; the help must still take clicks.
TEST(HelpWindow, TakesInputWhileItsOwnerRunsModally) {
    QDialog owner;
    owner.setWindowModality(Qt::ApplicationModal);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    HelpWindow* help = HelpWindow::showHelp(&owner);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));

    // Through the window, as the window system delivers it, so that modal blocking applies.
    auto* close = help->findChild<QPushButton*>(QStringLiteral("close"));
    ASSERT_NE(close, nullptr);
    const QPoint inWindow = close->mapTo(help, close->rect().center());
    QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, inWindow);

    EXPECT_FALSE(help->isVisible());
}

TEST(HelpWindow, IsMadeOnceAndShowsTheAskedPage) {
    QDialog owner;
    HelpWindow* first = HelpWindow::showHelp(&owner);
    HelpWindow* second = HelpWindow::showHelp(&owner, QStringLiteral("id3.html"));

    EXPECT_EQ(first, second);
    EXPECT_EQ(second->browser()->source(), QUrl(QStringLiteral("qrc:/help/id3.html")));
    EXPECT_TRUE(
        second->windowTitle().endsWith(QLatin1String("Naming files from their tags and dates")));
    // The page F1 opens from the ID3 Options: its codes name audio files and photos alike.
    const QString text = second->browser()->toPlainText();
    EXPECT_TRUE(text.contains(QLatin1String("tags of audio files")));
    EXPECT_TRUE(text.contains(QLatin1String("the date a photo or video was taken")));
    second->close();
}

// Every page has a title, is listed on the contents page, links only to pages and files that
// the program carries, and has a copy in each language of the program.
class HelpPages : public ::testing::TestWithParam<QLocale::Language> {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(GetParam())); }
    void TearDown() override { QLocale::setDefault(before); }

    const QLocale before;
};

TEST_P(HelpPages, AreCompleteAndTheirLinksLeadSomewhere) {
    HelpWindow window;  // makes the pages available
    const QString language = QLocale(GetParam()).name().section(QLatin1Char('_'), 0, 0);
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
    const QRegularExpression title(QStringLiteral("<title>[^<]+</title>"));
    std::set<QString> pages;
    std::set<QString> linkedFromContents;
    QDirIterator files(QStringLiteral(":/help"));
    while (files.hasNext()) {
        const QString path = files.next();
        if (!path.endsWith(QLatin1String(".html"))) {
            continue;
        }
        pages.insert(path.section(QLatin1Char('/'), -1));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(title.match(text).hasMatch()) << path.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("<html lang=\"%1\">").arg(language)))
            << path.toStdString();
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1).section(QLatin1Char('#'), 0, 0);
            if (target.contains(QLatin1Char(':')) || target.isEmpty()) {
                continue;
            }
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + target))
                << path.toStdString() << " links to " << target.toStdString();
            if (path.endsWith(QLatin1String("/index.html"))) {
                linkedFromContents.insert(target);
            }
        }
    }
    EXPECT_GE(pages.size(), 12u);
    for (const QString& page : pages) {
        if (page != QLatin1String("index.html")) {
            EXPECT_TRUE(linkedFromContents.count(page)) << page.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpPages, ::testing::Values(QLocale::English, QLocale::German),
                         [](const ::testing::TestParamInfo<QLocale::Language>& language) {
                             return QLocale::languageToString(language.param).toStdString();
                         });

// F1 in a dialog or on a question opens the help on it, in a help window of its own that the
// dialog's modality leaves usable.
TEST(HelpWindow, F1OpensThePageOfTheDialogItIsPressedIn) {
    testing::TempDir dir;
    platform::PosixFileSystem fileSystem;
    testing::ScriptedMessageBox messages;
    OptionsDialog options(fileSystem, messages, dir.file("opt.ini"));
    TagNamingOptionsDialog id3(fileSystem, messages, dir.file("ID3Opts.ini"));
    PreviewDialog preview;
    platform::Message question{"A batch was interrupted.", "Interrupted Batch"};
    question.helpPage = "recovery.html";
    const std::unique_ptr<QMessageBox> questionBox = QtMessageBox::build(question, nullptr);
    const std::vector<std::pair<QDialog*, QString>> rows = {{&options, "options.html"},
                                                            {&id3, "id3.html"},
                                                            {&preview, "preview.html"},
                                                            {questionBox.get(), "recovery.html"}};
    for (const auto& [dialog, page] : rows) {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        QTest::keyClick(dialog, Qt::Key_F1);
        auto* help = dialog->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_NE(help, nullptr) << page.toStdString();
        EXPECT_EQ(help->browser()->source().fileName(), page);
        dialog->hide();
    }
}

// A desktop theme sets the program's palette; the help parses its links' colour from it.
class ReadableOnPalette : public ::testing::TestWithParam<PaletteCase> {
protected:
    void SetUp() override { QApplication::setPalette(palette); }
    void TearDown() override { QApplication::setPalette(before); }

    const QPalette before = QApplication::palette();
    const QPalette palette = GetParam().make();
};

// Every piece of text of every page, in the colours it is drawn in, against what lies behind it.
TEST_P(ReadableOnPalette, HelpPages) {
    QApplication::setPalette(before);
    HelpWindow window;
    // The desktop may change its colours while the help is open; the window hears of it from
    // the event loop.
    QApplication::setPalette(palette);
    QApplication::sendPostedEvents();
    QDirIterator files(QStringLiteral(":/help"));
    while (files.hasNext()) {
        const QString page = files.next().section(QLatin1Char('/'), -1);
        if (!page.endsWith(QLatin1String(".html"))) {
            continue;
        }
        window.showPage(page);
        const QTextDocument* document = window.browser()->document();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            QColor behind = palette.color(QPalette::Base);
            QTextCursor cursor(block);
            if (QTextTable* table = cursor.currentTable()) {
                const QBrush cell = table->cellAt(cursor).format().background();
                if (cell.style() != Qt::NoBrush) {
                    behind = cell.color();
                }
            }
            if (block.blockFormat().background().style() != Qt::NoBrush) {
                behind = block.blockFormat().background().color();
            }
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat format = it.fragment().charFormat();
                const QColor back = format.background().style() != Qt::NoBrush
                                        ? format.background().color()
                                        : behind;
                QColor text = format.foreground().style() != Qt::NoBrush
                                  ? format.foreground().color()
                                  : palette.color(QPalette::Text);
                if (format.isAnchor() && format.foreground().style() == Qt::NoBrush) {
                    text = palette.color(QPalette::Link);
                }
                EXPECT_GE(contrast(text, back), 4.5)
                    << page.toStdString() << ": " << it.fragment().text().toStdString();
            }
        }
    }
}

// The mail link of the About box, before and after a click, as it is painted on the box.
TEST_P(ReadableOnPalette, AboutBoxLink) {
    testing::ScriptedMessageBox messages;
    AboutDialog about(messages);
    HyperlinkLabel* link = about.mailLink();
    link->setUrlOpener([](const QUrl&) { return true; });
    const QColor window = about.palette().color(QPalette::Window);
    for (const bool visited : {false, true}) {
        if (visited) {
            link->activate();
            ASSERT_TRUE(link->isVisited());
        }
        const QColor shown = link->palette().color(QPalette::WindowText);
        EXPECT_EQ(shown, link->shownColor());
        EXPECT_GE(contrast(shown, window), 4.5)
            << (visited ? "visited " : "") << shown.name().toStdString() << " on "
            << window.name().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Palettes, ReadableOnPalette,
                         ::testing::Values(PaletteCase{"ThemeDark", &themeDark},
                                           PaletteCase{"DarkerScheme", &darkerScheme},
                                           PaletteCase{"StyleLight", &styleLight},
                                           PaletteCase{"LightWithPaleLinks", &lightWithPaleLinks}),
                         &testing::paletteName);

}  // namespace
}  // namespace nameshift::ui
