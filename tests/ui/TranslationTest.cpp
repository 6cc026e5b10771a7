#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>
#include <QXmlStreamReader>

#include <cerrno>
#include <map>
#include <memory>
#include <set>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TempDir.h"
#include "UiFakes.h"
#include "engine/batch/BatchRunner.h"
#include "engine/commands/ApplyCommand.h"
#include "engine/naming/BatchChecks.h"
#include "settings/ProgramOptionsFile.h"
#include "ui/CaseWarnings.h"
#include "ui/HelpWindow.h"
#include "ui/MainDialog.h"
#include "ui/OptionsDialog.h"
#include "ui/PreviewDialog.h"
#include "ui/QtMessageBox.h"
#include "ui/QtRestoreFilePicker.h"
#include "ui/RulePanel.h"
#include "ui/TagNamingOptionsDialog.h"

namespace nameshift::ui {
namespace {

// The German catalogue as the build made it, installed for one test and taken out after it.
class GermanTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(german.load(QStringLiteral(NAMESHIFT_QM_DIR "/nameshift_de.qm")));
        QCoreApplication::installTranslator(&german);
    }
    void TearDown() override { QCoreApplication::removeTranslator(&german); }

    QTranslator german;
};

TEST_F(GermanTest, MainDialogSpeaksGerman) {
    testing::FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
    testing::NoTags tags;
    testing::FixedVolumes volumes{{"/"}};
    MainDialogServices services(fs, messages, tags, volumes);
    services.splashMilliseconds = 0;
    const MainDialog dialog(std::move(services), DialogHooks{});
    const MainDialogControls& c = dialog.controls();
    const RuleControls& r = dialog.rulePanel().controls();
    EXPECT_EQ(r.changePrefix->text(), QStringLiteral("Präfix ändern"));
    EXPECT_EQ(c.preview->text(), QStringLiteral("&Vorschau"));
    EXPECT_EQ(c.apply->text(), QStringLiteral("Änderungen &anwenden"));
    EXPECT_EQ(c.exit->text(), QStringLiteral("B&eenden"));
    EXPECT_EQ(r.sortList->itemText(3), QStringLiteral("Größe"));
    EXPECT_EQ(r.naturalOrder->text(),
              QStringLiteral("Zahlen in natürlicher Reihenfolge (&2 vor 10)"));
    const MoreRulesControls& m = dialog.rulePanel().moreRules().controls();
    EXPECT_EQ(m.toggle->text(), QStringLiteral("&Weitere Regeln"));
    EXPECT_EQ(m.removeRegex->text(), QStringLiteral("Re&gulärer Ausdruck"));
    EXPECT_EQ(m.replaceMatchCase->text(), QStringLiteral("Groß-/&Kleinschreibung beachten"));
    EXPECT_EQ(m.insertText->text(), QStringLiteral("Ein&fügen"));
    EXPECT_EQ(m.removeFromEnd->text(), QStringLiteral("Vom En&de an zählen"));
    EXPECT_EQ(m.trimEnds->text(),
              QStringLiteral("Leerzeichen, &Punkte, Unter- und Bindestriche an beiden Enden "
                             "entfernen"));
    EXPECT_EQ(m.latinOnly->text(), QStringLiteral("Nur lateinische B&uchstaben"));
    EXPECT_EQ(m.caseScope->button(1)->text(), QStringLiteral("Nur Name"));
    EXPECT_EQ(m.lowerExtension->text(), QStringLiteral("Endung klein s&chreiben"));
    EXPECT_EQ(m.continueCounter->text(),
              QStringLiteral("Zähler vom letzten Vorgang in diesem Ordner fortse&tzen"));
    EXPECT_EQ(dialog.presetBar().controls().save->text(), QStringLiteral("Als Vorlage speichern…"));
    // The program's name is no text to translate.
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" Nameshift Pro"));
}

TEST_F(GermanTest, HelpWindowSpeaksGerman) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German));
    const HelpWindow help;
    QLocale::setDefault(before);
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Nameshift Pro Hilfe - Inhalt"));
    EXPECT_TRUE(help.browser()->toPlainText().contains(QStringLiteral("Hilfe zu Nameshift Pro")));
}

TEST_F(GermanTest, MessageKeepsTheFileNameItNames) {
    // A placeholder of the name's own passes untouched, and a byte that is no UTF-8 is shown as
    // its value.
    const std::string name = "Tr\xe4ume %1 \"%2.mp3";
    engine::BatchPlan plan;
    plan.changes.push_back({0, "a", name});
    const std::optional<platform::Message> refusal = engine::doubleQuoteRefusal(plan);
    ASSERT_TRUE(refusal);
    const std::unique_ptr<QMessageBox> box = QtMessageBox::build(*refusal, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Fortfahren nicht möglich – der Dateiname „") +
                               QStringLiteral("Tr\\xE4ume %1 \"%2.mp3") +
                               QStringLiteral("“ enthält ein doppeltes Anführungszeichen, das eine "
                                              "Wiederherstellungsdatei nicht festhalten kann."));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Ungültiger Dateiname"));
}

TEST_F(GermanTest, CountsTakeThePluralForm) {
    const platform::MessageText one(
        NS_MESSAGE_N("Message", "Operation cancelled - %1 of %n file(s) were renamed."), {"0"}, 1);
    const platform::MessageText five(one.pattern, {"2"}, 5);
    EXPECT_EQ(QtMessageBox::translated(one),
              QStringLiteral("Vorgang abgebrochen – 0 von 1 Datei wurde umbenannt."));
    EXPECT_EQ(QtMessageBox::translated(five),
              QStringLiteral("Vorgang abgebrochen – 2 von 5 Dateien wurden umbenannt."));
    // Without the catalogue the text is the program's English, as it always was.
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(QtMessageBox::translated(five),
              QStringLiteral("Operation cancelled - 2 of 5 file(s) were renamed."));
}

TEST_F(GermanTest, WholeSentencesAndListLinesTranslate) {
    const std::optional<platform::MessageText> warning =
        caseWarningText(CaseBox::Lower, true, false, true);
    ASSERT_TRUE(warning);
    EXPECT_EQ(QtMessageBox::translated(*warning),
              QStringLiteral("Bitte beachten: Solange dieses Kästchen und „Jedes Wort mit großem "
                             "Anfangsbuchstaben“ angekreuzt sind, wird das Ergebnis NICHT ganz "
                             "klein geschrieben."));
    // Each line of the list is translated around its names, which pass untouched.
    const std::vector<engine::PlannedChange> changes{{0, "a %2.txt", "b.txt"}};
    const std::vector<engine::RenameFailure> failures{{0, platform::Status::fromErrno(EEXIST)}};
    EXPECT_EQ(QtMessageBox::translated(engine::renameErrorsText(changes, failures, 10)),
              QStringLiteral("Die folgenden Dateien konnten nicht umbenannt werden:\n\n„a %2.txt“ "
                             "nach „b.txt“: ") +
                  QString::fromStdString(platform::Status::fromErrno(EEXIST).message()));
    // A share's refusal is the program's own words, and translated with the line.
    const std::vector<engine::RenameFailure> refused{
        {0, platform::Status::fromErrno(EPERM).onShare()}};
    EXPECT_TRUE(QtMessageBox::translated(engine::renameErrorsText(changes, refused, 10))
                    .endsWith(QStringLiteral("„b.txt“: von dieser Freigabe nicht unterstützt")));
}

// Each text of the German catalogue, marked as "⟦source⟧": with it installed, a text the user
// reads that no entry of the catalogue gave stands out unmarked.
class MarkingTranslator final : public QTranslator {
public:
    MarkingTranslator() {
        QFile file(QStringLiteral(NAMESHIFT_TS_DIR "/nameshift_de.ts"));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            if (xml.name() == QStringLiteral("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QStringLiteral("source")) {
                known_.insert(context + QLatin1Char('\n') + xml.readElementText());
            }
        }
    }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        const QString text = QString::fromUtf8(source);
        if (!known_.contains(QString::fromUtf8(context) + QLatin1Char('\n') + text)) {
            return {};
        }
        return QStringLiteral("⟦") + text + QStringLiteral("⟧");
    }

private:
    QSet<QString> known_;
};

// The letters of `text` that no entry of the catalogue gave, once `data` (the names and paths of
// the user's files, the program's name) is taken out.
QString unmarkedLetters(QString text, const QStringList& data) {
    for (const QString& item : data) {
        text.remove(item);
    }
    // Innermost first: a message holds the lines of its list, each marked on its own.
    static const QRegularExpression marked(QStringLiteral("⟦[^⟦⟧]*⟧"));
    for (qsizetype before = -1; before != text.size();) {
        before = text.size();
        text.remove(marked);
    }
    text.removeIf([](QChar character) { return !character.isLetter(); });
    return text;
}

QStringList modelTexts(const QAbstractItemModel& model, const QModelIndex& parent = {}) {
    QStringList texts;
    for (int column = 0; !parent.isValid() && column < model.columnCount(); ++column) {
        texts << model.headerData(column, Qt::Horizontal).toString();
    }
    for (int row = 0; row < model.rowCount(parent); ++row) {
        for (int column = 0; column < model.columnCount(parent); ++column) {
            const QModelIndex index = model.index(row, column, parent);
            texts << index.data().toString() << index.data(Qt::ToolTipRole).toString();
        }
        texts << modelTexts(model, model.index(row, 0, parent));
    }
    return texts;
}

// Every text `window` shows: its title, and each control's text, title, items, column headers,
// tooltip and the name a screen reader says.
QStringList shownTexts(const QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        texts << widget->toolTip() << widget->accessibleName();
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            texts << label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            texts << button->text();
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            texts << group->title();
        } else if (const auto* view = qobject_cast<const QAbstractItemView*>(widget)) {
            texts << modelTexts(*view->model());
        }
    }
    return texts;
}

// The main window over a folder of two files, and the windows and messages it leads to.
class MarkedTest : public ::testing::Test {
protected:
    void SetUp() override {
        QCoreApplication::installTranslator(&marking);
        dir.makeDirectory("prog");
        dir.write("work/one.txt");
        dir.write("work/two.txt");
        settings::ProgramOptions options;
        options.confirmationOnExit = false;
        options.useStartupDir = true;
        options.startupDirPath = dir.file("work");
        dir.write("prog/opt.ini", settings::formatProgramOptions(options));
        data = QString::fromStdString(dir.path()).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        data << QStringLiteral("Nameshift Pro") << QStringLiteral("work")
             << QStringLiteral("xone.txt") << QStringLiteral("xtwo.txt")
             << QStringLiteral("one.txt") << QStringLiteral("two.txt") << QStringLiteral("*.*");
    }
    void TearDown() override { QCoreApplication::removeTranslator(&marking); }

    void expectAllMarked(const QStringList& texts) const {
        for (const QString& text : texts) {
            EXPECT_EQ(unmarkedLetters(text, data).toStdString(), "") << text.toStdString();
        }
    }
    void expectMessagesMarked() const {
        for (const platform::Message& message : messages.shown) {
            expectAllMarked({QtMessageBox::translated(message.textSource),
                             QtMessageBox::translated(message.captionSource),
                             QtMessageBox::translated(message.detailsSource)});
        }
    }

    MarkingTranslator marking;
    testing::TempDir dir;
    testing::FaultyFileSystem fs;
    testing::ScriptedMessageBox messages;
    testing::NoTags tags;
    QStringList data;
};

TEST_F(MarkedTest, EveryTextOfTheWindowsComesFromTheCatalogue) {
    testing::FixedVolumes volumes{{dir.path()}};
    MainDialogServices services(fs, messages, tags, volumes);
    services.startDirectory = dir.file("prog");
    services.splashMilliseconds = 0;
    QStringList previewTexts;
    services.runModal = [&](QDialog& shown) { previewTexts = shownTexts(shown); };
    MainDialog dialog(std::move(services), DialogHooks{});
    ASSERT_TRUE(dialog.startUp());
    const MainDialogControls& c = dialog.controls();
    const RuleControls& r = dialog.rulePanel().controls();
    // Both files get one name, which the New Name column and the preview mark; a colon typed is
    // taken out with a message.
    dialog.filePanel().controls().selectAll->click();
    r.changePrefix->click();
    QTest::keyClicks(r.prefixEdit, QStringLiteral("x:"));
    QCoreApplication::processEvents();
    c.preview->click();
    ASSERT_FALSE(previewTexts.isEmpty());
    c.apply->click();
    expectAllMarked(shownTexts(dialog) + previewTexts);

    OptionsDialog options(fs, messages, dir.file("prog/opt.ini"));
    TagNamingOptionsDialog id3(fs, messages, dir.file("prog/ID3Opts.ini"));
    QFileDialog picker;
    QtRestoreFilePicker::configure(picker, dir.path());
    expectAllMarked(shownTexts(options) + shownTexts(id3) + picker.nameFilters() +
                    QStringList{picker.windowTitle(), id3.exampleText()});
    // Missing settings files, the colon, the refused batch.
    ASSERT_GE(messages.shown.size(), 4u);
    expectMessagesMarked();
}

// Each context of a catalogue is one dialog: Alt and a letter must reach one control only, in the
// source texts and in each translation. A menu entry ("...") has the menu for its own.
std::vector<std::string> acceleratorClashes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    std::vector<std::string> clashes;
    QString context;
    QString source;
    std::map<QChar, QString> sourceKeys;
    std::map<QChar, QString> translatedKeys;
    static const QRegularExpression accelerator(QStringLiteral("(?<!&)&([^&\\s])"));
    const auto note = [&](std::map<QChar, QString>& keys, const QString& text) {
        if (text.endsWith(QStringLiteral("..."))) {
            return;
        }
        const QRegularExpressionMatch match = accelerator.match(text);
        if (!match.hasMatch()) {
            return;
        }
        const QChar key = match.captured(1).at(0).toLower();
        const auto [at, added] = keys.emplace(key, text);
        if (!added && at->second != text) {
            clashes.push_back(
                (context + QStringLiteral(": ") + at->second + QStringLiteral(" / ") + text)
                    .toStdString());
        }
    };
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QStringLiteral("name")) {
            context = xml.readElementText();
            sourceKeys.clear();
            translatedKeys.clear();
        } else if (xml.name() == QStringLiteral("source")) {
            source = xml.readElementText();
            note(sourceKeys, source);
        } else if (xml.name() == QStringLiteral("translation")) {
            EXPECT_TRUE(xml.attributes().value(QStringLiteral("type")).isEmpty())
                << context.toStdString() << ": " << source.toStdString() << " is not finished";
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            note(translatedKeys, text);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return clashes;
}

TEST(CatalogueTest, EveryAcceleratorIsUniqueInItsDialog) {
    const QDir folder(QStringLiteral(NAMESHIFT_TS_DIR));
    const QStringList catalogues = folder.entryList({QStringLiteral("*.ts")});
    ASSERT_FALSE(catalogues.isEmpty());
    for (const QString& name : catalogues) {
        EXPECT_EQ(acceleratorClashes(folder.filePath(name)), std::vector<std::string>{})
            << name.toStdString();
    }
}

}  // namespace
}  // namespace nameshift::ui
