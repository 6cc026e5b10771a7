#include "ui/MoreRulesPanel.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/RenameSettings.h"
#include "ui/EditCorrections.h"
#include "ui/HelpWindow.h"

namespace nameshift::ui {
namespace {

constexpr int kNameTextLimit = 255;
// A position or a count within a name of at most 255 characters.
constexpr int kCountTextLimit = 3;
// What a line edit takes beside its text: its frame and its margins.
constexpr int kFieldPadding = 16;

// Named as morerules.ini's table names them, which is how their fields find them.
template <typename Control>
Control* named(Control* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* layout = new QHBoxLayout;
    for (QWidget* widget : widgets) {
        layout->addWidget(widget);
    }
    layout->addStretch(1);
    return layout;
}

void enableAll(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* widget : widgets) {
        widget->setEnabled(enabled);
    }
}

}  // namespace

MoreRulesPanel::MoreRulesPanel(platform::MessageBox& messages, QWidget* parent)
    : QWidget(parent), messages_(messages) {
    buildControls();
    layOutControls();
    connectControls();
    for (QWidget* widget : findChildren<QWidget*>()) {
        HelpWindow::setPage(widget, QStringLiteral("rules.html"));
    }
}

void MoreRulesPanel::buildControls() {
    MoreRulesControls& c = controls_;
    c.toggle = named(new QPushButton(tr("&More rules"), this), "moreRulesToggle");
    c.toggle->setCheckable(true);
    c.body = this;
    QWidget* body = this;

    c.continueCounter = named(
        new QCheckBox(tr("Co&ntinue from the last batch in this folder"), body), "continueCounter");
    c.nameTemplate = new NameTemplateField(body);

    // The same three options for both rules, each set under its rule's name.
    c.removeStringLabel = new QLabel(tr("Remove specific string:"), body);
    c.removeRegex = named(new QCheckBox(tr("Re&gular expression"), body), "removeRegex");
    c.removeAllOccurrences =
        named(new QCheckBox(tr("A&ll occurrences"), body), "removeAllOccurrences");
    c.removeMatchCase = named(new QCheckBox(tr("Match &case"), body), "removeMatchCase");
    c.replaceStringLabel = new QLabel(tr("Replace string:"), body);
    c.replaceRegex = named(new QCheckBox(tr("Re&gular expression"), body), "replaceRegex");
    c.replaceAllOccurrences =
        named(new QCheckBox(tr("A&ll occurrences"), body), "replaceAllOccurrences");
    c.replaceMatchCase = named(new QCheckBox(tr("Match &case"), body), "replaceMatchCase");

    c.insertText = named(new QCheckBox(tr("&Insert"), body), "insertText");
    c.insertTextEdit = named(new QLineEdit(body), "insertTextEdit");
    c.insertAtLabel = new QLabel(tr("at position"), body);
    c.insertAtEdit = named(new QLineEdit(body), "insertAtEdit");
    c.insertFromEnd = named(new QCheckBox(tr("Count from the en&d"), body), "insertFromEnd");

    c.removeCharacters = named(new QCheckBox(tr("Remo&ve"), body), "removeCharacters");
    c.removeCountEdit = named(new QLineEdit(body), "removeCountEdit");
    c.removeAtLabel = new QLabel(tr("characters from position"), body);
    c.removeAtEdit = named(new QLineEdit(body), "removeAtEdit");
    c.removeFromEnd = named(new QCheckBox(tr("Count from the en&d"), body), "removeFromEnd");

    c.trimEnds =
        named(new QCheckBox(tr("&Trim spaces, dots, underscores and hyphens at both ends"), body),
              "trimEnds");
    c.collapseSpaces = named(new QCheckBox(tr("Collapse r&uns of spaces"), body), "collapseSpaces");
    c.removeAccents = named(new QCheckBox(tr("Remove acc&ents"), body), "removeAccents");
    c.latinOnly = named(new QCheckBox(tr("Latin letters onl&y"), body), "latinOnly");

    c.caseScopeLabel = new QLabel(tr("Letter case &for:"), body);
    c.caseScope = named(new QButtonGroup(body), "caseScope");
    int id = 0;
    for (const QString& label : {tr("Name and extension"), tr("Name only"), tr("Extension only")}) {
        c.caseScope->addButton(new QRadioButton(label, body), id++);
    }
    c.caseScopeLabel->setBuddy(c.caseScope->button(0));
    c.lowerExtension = named(new QCheckBox(tr("Lo&wer-case extension"), body), "lowerExtension");

    c.numberDuplicates =
        named(new QCheckBox(tr("Number files that would get one name: \" (2)\", \" (3)\""), body),
              "numberDuplicates");
    c.dateFormatLabel = new QLabel(tr("Date format of the tag codes %t, %m and %b:"), body);
    c.dateFormatEdit = named(new QLineEdit(body), "dateFormatEdit");
    c.dateFormatLabel->setBuddy(c.dateFormatEdit);
    c.dateFormatEdit->setMaxLength(kNameTextLimit);
    c.dateFormatEdit->setPlaceholderText(
        QLatin1String(settings::kDefaultDateFormat.data(),
                      static_cast<qsizetype>(settings::kDefaultDateFormat.size())));

    // Wide enough for the default format whole.
    c.dateFormatEdit->setMinimumWidth(
        c.dateFormatEdit->fontMetrics().horizontalAdvance(c.dateFormatEdit->placeholderText()) +
        kFieldPadding);

    c.insertTextEdit->setMaxLength(kNameTextLimit);
    for (QLineEdit* edit : {c.insertAtEdit, c.removeCountEdit, c.removeAtEdit}) {
        edit->setMaxLength(kCountTextLimit);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    }
}

void MoreRulesPanel::layOutControls() {
    const MoreRulesControls& c = controls_;
    const auto radio = [&c](int id) { return c.caseScope->button(id); };
    // Framed and titled as the rule panel's other groups; what goes on top (the presets, which
    // hold every rule) stands above the frame.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* group = new QGroupBox(tr("More Options"), this);
    outer->addWidget(group);
    auto* body = new QVBoxLayout(group);
    body->addWidget(c.nameTemplate);
    body->addLayout(row({c.continueCounter}));
    body->addLayout(
        row({c.removeStringLabel, c.removeRegex, c.removeAllOccurrences, c.removeMatchCase}));
    body->addLayout(
        row({c.replaceStringLabel, c.replaceRegex, c.replaceAllOccurrences, c.replaceMatchCase}));
    body->addLayout(
        row({c.insertText, c.insertTextEdit, c.insertAtLabel, c.insertAtEdit, c.insertFromEnd}));
    body->addLayout(row(
        {c.removeCharacters, c.removeCountEdit, c.removeAtLabel, c.removeAtEdit, c.removeFromEnd}));
    body->addLayout(row({c.trimEnds}));
    body->addLayout(row({c.collapseSpaces}));
    body->addLayout(row({c.removeAccents, c.latinOnly}));
    body->addLayout(row({c.caseScopeLabel, radio(0), radio(1), radio(2)}));
    body->addLayout(row({c.lowerExtension}));
    body->addLayout(row({c.numberDuplicates}));
    body->addLayout(row({c.dateFormatLabel, c.dateFormatEdit}));
    // Folded at the start, so that the window first shows only the rules of old.
    hide();
}

void MoreRulesPanel::connectControls() {
    const MoreRulesControls& c = controls_;
    connect(c.toggle, &QPushButton::toggled, this, &QWidget::setVisible);
    connect(c.insertTextEdit, &QLineEdit::textChanged, this,
            [this] { mendTypedText(messages_, controls_.insertTextEdit, &correctNameText); });
    for (QLineEdit* edit : {c.insertAtEdit, c.removeCountEdit, c.removeAtEdit}) {
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit] { mendTypedText(messages_, edit, &correctCharacterCount); });
    }
    // A format shown from the settings or a preset starts where it is read, not at its end where
    // setting the text leaves the cursor; typing keeps the cursor where it is.
    connect(c.dateFormatEdit, &QLineEdit::textChanged, this, [this] {
        if (!controls_.dateFormatEdit->hasFocus()) {
            controls_.dateFormatEdit->setCursorPosition(0);
        }
    });
    for (QCheckBox* box : {c.insertText, c.removeCharacters}) {
        connect(box, &QCheckBox::toggled, this, &MoreRulesPanel::enableOwnRules);
    }
}

void MoreRulesPanel::addAtTop(QWidget* widget) {
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, widget);
}

void MoreRulesPanel::applyEnablingRule(bool removeString, bool replaceString) {
    const MoreRulesControls& c = controls_;
    enableAll({c.removeStringLabel, c.removeRegex, c.removeAllOccurrences, c.removeMatchCase},
              removeString);
    enableAll({c.replaceStringLabel, c.replaceRegex, c.replaceAllOccurrences, c.replaceMatchCase},
              replaceString);
    enableOwnRules();
}

void MoreRulesPanel::enableOwnRules() {
    const MoreRulesControls& c = controls_;
    enableAll({c.insertTextEdit, c.insertAtLabel, c.insertAtEdit, c.insertFromEnd},
              c.insertText->isChecked());
    enableAll({c.removeCountEdit, c.removeAtLabel, c.removeAtEdit, c.removeFromEnd},
              c.removeCharacters->isChecked());
}

}  // namespace nameshift::ui
