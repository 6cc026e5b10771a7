#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTranslator>
#include <QXmlStreamReader>

#include <cerrno>
#include <map>
#include <memory>
#include <set>

#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "UiFakes.h"
#include "engine/ApplyCommand.h"
#include "engine/BatchChecks.h"
#include "ui/CaseWarnings.h"
#include "ui/HelpWindow.h"
#include "ui/MainDialog.h"
#include "ui/QtMessageBox.h"

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
    EXPECT_EQ(c.changePrefix->text(), QStringLiteral("Name ändern"));
    EXPECT_EQ(c.preview->text(), QStringLiteral("&Vorschau"));
    EXPECT_EQ(c.apply->text(), QStringLiteral("Änderungen &anwenden"));
    EXPECT_EQ(c.exit->text(), QStringLiteral("B&eenden"));
    EXPECT_EQ(c.sortList->itemText(3), QStringLiteral("Größe"));
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
