#include "ui/RulePanel.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "engine/naming/EditCorrections.h"
#include "settings/MoreRulesFile.h"
#include "settings/RenameSettingsFile.h"
#include "ui/DisplayText.h"
#include "ui/HelpWindow.h"

namespace nameshift::ui {
namespace {

constexpr int kNameTextLimit = 255;

// The rule controls are named as the rules' table names them, which is how their fields find
// them.
template <typename Control>
Control* named(Control* control, const char* name) {
    control->setObjectName(QLatin1String(name));
    return control;
}

QButtonGroup* radioGroup(QWidget* owner, const char* name,
                         std::initializer_list<const char*> labels) {
    auto* group = named(new QButtonGroup(owner), name);
    int id = 0;
    for (const char* label : labels) {
        group->addButton(new QRadioButton(RulePanel::tr(label), owner), id++);
    }
    return group;
}

void enableGroup(QButtonGroup* group, bool enabled) {
    for (QAbstractButton* button : group->buttons()) {
        button->setEnabled(enabled);
    }
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets, bool stretchAtEnd = true) {
    auto* layout = new QHBoxLayout;
    for (QWidget* widget : widgets) {
        layout->addWidget(widget);
    }
    if (stretchAtEnd) {
        layout->addStretch(1);
    }
    return layout;
}

}  // namespace

RulePanel::RulePanel(platform::MessageBox& messages, QWidget* parent)
    : QWidget(parent), messages_(messages) {
    buildControls();
    ruleFields_.emplace(*this, settings::renameSettingsFields());
    moreRuleFields_.emplace(*this, settings::moreRulesFields());
    layOutControls();
    connectControls();
    setHelpPages();
}

void RulePanel::buildControls() {
    RuleControls& c = controls_;

    c.changePrefix = named(new QCheckBox(tr("Change Prefix"), this), "changePrefix");
    c.prefixToLabel = new QLabel(tr("to"), this);
    c.prefixEdit = named(new QLineEdit(this), "prefixEdit");
    c.addPrefixLabel = new QLabel(tr("Add prefix to the"), this);
    c.prefixPosition =
        radioGroup(this, "prefixPosition",
                   {QT_TR_NOOP("Beginning   /"), QT_TR_NOOP("End  or"), QT_TR_NOOP("Replace")});

    c.useCounter = named(new QCheckBox(tr("Use Counter"), this), "useCounter");
    c.counterStartLabel = new QLabel(tr("Start counter at:"), this);
    c.counterStartEdit = named(new QLineEdit(this), "counterStartEdit");
    c.counterIncrementLabel = new QLabel(tr("Increment by:"), this);
    c.counterIncrementEdit = named(new QLineEdit(this), "counterIncrementEdit");
    c.useLabel = new QLabel(tr("Use:"), this);
    c.counterDigits = named(new QComboBox(this), "counterDigits");
    for (int digits = 1; digits <= engine::kMostCounterDigits; ++digits) {
        c.counterDigits->addItem(QString::number(digits));
    }
    c.digitsLabel = new QLabel(tr("digits"), this);
    c.counterPosition =
        radioGroup(this, "counterPosition",
                   {QT_TR_NOOP("Prepend  /"), QT_TR_NOOP("Append   counter to prefix")});

    c.changeExtension = named(new QCheckBox(tr("Change Extension"), this), "changeExtension");
    c.extensionToLabel = new QLabel(tr("to"), this);
    c.extensionEdit = named(new QLineEdit(this), "extensionEdit");
    c.addExtensionLabel = new QLabel(tr("Add extension to "), this);
    c.extensionPosition =
        radioGroup(this, "extensionPosition",
                   {QT_TR_NOOP("Beginning  /"), QT_TR_NOOP("End  or"), QT_TR_NOOP("Replace")});

    c.removeSpaces = named(new QCheckBox(tr("Spaces"), this), "removeSpaces");
    c.removeBrackets = named(new QCheckBox(tr("Brackets"), this), "removeBrackets");
    c.removeTildes = named(new QCheckBox(tr("Tildes"), this), "removeTildes");
    c.removeHyphens = named(new QCheckBox(tr("Hyphens"), this), "removeHyphens");
    c.removeString = named(new QCheckBox(tr("Remove specific string"), this), "removeString");
    c.removeStringEdit = named(new QLineEdit(this), "removeStringEdit");
    c.replaceString = named(new QCheckBox(tr("Replace string"), this), "replaceString");
    c.replaceFromEdit = named(new QLineEdit(this), "replaceFromEdit");
    c.withLabel = new QLabel(tr("with"), this);
    c.replaceWithEdit = named(new QLineEdit(this), "replaceWithEdit");
    c.removeProblem = named(new ProblemLabel(this), "removeProblem");
    c.replaceProblem = named(new ProblemLabel(this), "replaceProblem");

    c.lowerCase = named(new QCheckBox(tr("Make all lower case"), this), "lowerCase");
    c.upperCase = named(new QCheckBox(tr("Make all upper case"), this), "upperCase");
    c.firstLetterUpper = named(
        new QCheckBox(tr("Make 1st character in each word upper case"), this), "firstLetterUpper");
    c.supportId3 = named(new QCheckBox(tr("Support ID3 tags"), this), "supportId3");
    c.id3Options = new IconPushButton(tr("ID3 Options"), this);
    c.id3Options->setIcons(QStringLiteral(":/icons/id3.svg"));
    // Made where it is laid out, after the case rules and the ID3 button beside its toggle, so
    // that Tab reaches it in the order the window is read.
    moreRules_ = new MoreRulesPanel(messages_, this);

    buildDisplayControls();

    for (QLineEdit* edit : {c.prefixEdit, c.extensionEdit, c.removeStringEdit, c.replaceFromEdit,
                            c.replaceWithEdit}) {
        edit->setMaxLength(kNameTextLimit);
    }
    c.counterStartEdit->setMaxLength(static_cast<int>(engine::kLongestCounterStart));
    c.counterIncrementEdit->setMaxLength(static_cast<int>(engine::kLongestCounterIncrement));
    for (QLineEdit* edit : {c.counterStartEdit, c.counterIncrementEdit}) {
        const QString widest(edit->maxLength() + 1, QLatin1Char('0'));
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(widest) + 12);
    }
}

// Made where they are read in the window, after the rules, so that Tab reaches them last.
void RulePanel::buildDisplayControls() {
    RuleControls& c = controls_;
    c.archive = named(new QCheckBox(tr("Archive"), this), "archive");
    c.readOnly = named(new QCheckBox(tr("Read Only"), this), "readOnly");
    c.hidden = named(new QCheckBox(tr("Hidden"), this), "hidden");
    c.system = named(new QCheckBox(tr("System"), this), "system");
    c.folders = named(new QCheckBox(tr("Folders"), this), "folders");
    c.sortList = named(new QComboBox(this), "sortList");
    c.sortList->addItems({tr("Date"), tr("Extension"), tr("Name"), tr("Size")});
    c.naturalOrder =
        named(new QCheckBox(tr("Numbers in natural order (&2 before 10)"), this), "naturalOrder");
    c.maskList = new QComboBox(this);
    c.includeSubfolders = named(new QCheckBox(tr("Include subfolders"), this), "includeSubfolders");
    c.subfolderLevelsEdit = named(new QLineEdit(this), "subfolderLevelsEdit");
    c.subfolderLevelsEdit->setPlaceholderText(tr("all"));
    c.subfolderLevelsEdit->setMaxLength(5);
    c.includeFilterEdit = named(new QLineEdit(this), "includeFilterEdit");
    c.excludeFilterEdit = named(new QLineEdit(this), "excludeFilterEdit");
    c.filterProblem = named(new ProblemLabel(this), "filterProblem");
}

void RulePanel::layOutControls() {
    const RuleControls& c = controls_;
    const auto radio = [](QButtonGroup* group, int id) { return group->button(id); };

    auto* standard = new QGroupBox(tr("Standard Options"), this);
    auto* standardLayout = new QVBoxLayout(standard);
    standardLayout->addLayout(row({c.changePrefix, c.prefixToLabel, c.prefixEdit}, false));
    standardLayout->addLayout(row({c.addPrefixLabel, radio(c.prefixPosition, 0),
                                   radio(c.prefixPosition, 1), radio(c.prefixPosition, 2)}));
    standardLayout->addLayout(
        row({c.useCounter, c.counterStartLabel, c.counterStartEdit, c.counterIncrementLabel,
             c.counterIncrementEdit, c.useLabel, c.counterDigits, c.digitsLabel}));
    standardLayout->addLayout(row({radio(c.counterPosition, 0), radio(c.counterPosition, 1)}));
    standardLayout->addLayout(row({c.changeExtension, c.extensionToLabel, c.extensionEdit}, false));
    standardLayout->addLayout(row({c.addExtensionLabel, radio(c.extensionPosition, 0),
                                   radio(c.extensionPosition, 1), radio(c.extensionPosition, 2)}));

    auto* advanced = new QGroupBox(tr("Advanced Options"), this);
    auto* advancedLayout = new QVBoxLayout(advanced);
    advancedLayout->addLayout(row({new QLabel(tr("Remove all:"), this), c.removeSpaces,
                                   c.removeBrackets, c.removeTildes, c.removeHyphens}));
    advancedLayout->addLayout(row({c.removeString, c.removeStringEdit}, false));
    advancedLayout->addWidget(c.removeProblem);
    advancedLayout->addLayout(
        row({c.replaceString, c.replaceFromEdit, c.withLabel, c.replaceWithEdit}, false));
    advancedLayout->addWidget(c.replaceProblem);
    advancedLayout->addLayout(row({c.lowerCase, c.upperCase}));
    advancedLayout->addLayout(row({c.firstLetterUpper}));
    // The folded group's button shares the last row, so that the window is no taller for it.
    QHBoxLayout* id3Row = row({c.supportId3, c.id3Options});
    id3Row->addWidget(moreRules_->controls().toggle);
    advancedLayout->addLayout(id3Row);

    auto* display = new QGroupBox(tr("File Display Options"), this);
    auto* displayLayout = new QVBoxLayout(display);
    displayLayout->addLayout(row({new QLabel(tr("Attribute Mask:"), this), c.archive, c.readOnly,
                                  c.hidden, c.system, c.folders}));
    auto* sortLabel = new QLabel(tr("Sort filenames by:"), this);
    sortLabel->setBuddy(c.sortList);
    auto* maskLabel = new QLabel(tr("File Mask:"), this);
    maskLabel->setBuddy(c.maskList);
    c.maskList->setMinimumContentsLength(8);
    displayLayout->addLayout(row({sortLabel, c.sortList, c.naturalOrder, maskLabel, c.maskList}));
    auto* levelsLabel = new QLabel(tr("Levels:"), this);
    levelsLabel->setBuddy(c.subfolderLevelsEdit);
    auto* includeLabel = new QLabel(tr("Include:"), this);
    includeLabel->setBuddy(c.includeFilterEdit);
    auto* excludeLabel = new QLabel(tr("Exclude:"), this);
    excludeLabel->setBuddy(c.excludeFilterEdit);
    displayLayout->addLayout(
        row({c.includeSubfolders, levelsLabel, c.subfolderLevelsEdit, includeLabel,
             c.includeFilterEdit, excludeLabel, c.excludeFilterEdit},
            false));
    displayLayout->addWidget(c.filterProblem);

    // Laid out as a part of the window's own layout would be: no margin of its own.
    auto* panel = new QVBoxLayout(this);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(standard);
    panel->addWidget(advanced);
    panel->addWidget(moreRules_);
    panel->addWidget(display);
    panel->addStretch(1);
}

void RulePanel::connectControls() {
    const RuleControls& c = controls_;
    for (QCheckBox* box :
         {c.changePrefix, c.useCounter, c.changeExtension, c.removeString, c.replaceString}) {
        connect(box, &QCheckBox::clicked, this, &RulePanel::applyEnablingRule);
    }
    connect(c.supportId3, &QCheckBox::clicked, this,
            [this](bool checked) { controls_.id3Options->setEnabled(checked); });
    connect(c.id3Options, &QPushButton::clicked, this, &RulePanel::tagNamingOptionsRequested);

    // Before the rules hear of a text, it is mended.
    inputChecks_.emplace(*this, controls_, moreRules_->controls(), messages_, writingRules_);

    // The listing filled anew reads the display options from the kept rules.
    const auto changeDisplay = [this] {
        keepRules();
        emit displayChanged();
    };
    for (QCheckBox* box : {c.archive, c.readOnly, c.hidden, c.system, c.folders, c.naturalOrder,
                           c.includeSubfolders}) {
        connect(box, &QCheckBox::clicked, this, changeDisplay);
    }
    for (QLineEdit* edit : {c.subfolderLevelsEdit, c.includeFilterEdit, c.excludeFilterEdit}) {
        connect(edit, &QLineEdit::editingFinished, this, changeDisplay);
    }
    connect(c.sortList, &QComboBox::activated, this, changeDisplay);
    connect(c.maskList, &QComboBox::activated, this, changeDisplay);

    // Every control of the rules may change the new names; the kept rules learn first.
    const auto changeRules = [this] {
        keepRules();
        emit rulesChanged();
    };
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        connect(edit, &QLineEdit::textChanged, this, changeRules);
    }
    for (QCheckBox* box : findChildren<QCheckBox*>()) {
        connect(box, &QCheckBox::toggled, this, changeRules);
    }
    for (QRadioButton* radio : findChildren<QRadioButton*>()) {
        connect(radio, &QRadioButton::toggled, this, changeRules);
    }
    connect(c.counterDigits, &QComboBox::currentIndexChanged, this, changeRules);
    connect(c.sortList, &QComboBox::currentIndexChanged, this, &RulePanel::keepRules);
}

// F1 opens the page on the control that has the focus.
void RulePanel::setHelpPages() {
    const RuleControls& c = controls_;
    const std::vector<std::pair<const char*, std::vector<QWidget*>>> pages = {
        {"files.html",
         {c.archive, c.readOnly, c.hidden, c.system, c.folders, c.sortList, c.naturalOrder,
          c.maskList, c.includeSubfolders, c.subfolderLevelsEdit, c.includeFilterEdit,
          c.excludeFilterEdit}},
        {"rules.html",
         {c.changePrefix,         c.prefixEdit,       c.useCounter,      c.counterStartEdit,
          c.counterIncrementEdit, c.counterDigits,    c.changeExtension, c.extensionEdit,
          c.removeSpaces,         c.removeBrackets,   c.removeTildes,    c.removeHyphens,
          c.removeString,         c.removeStringEdit, c.replaceString,   c.replaceFromEdit,
          c.replaceWithEdit,      c.lowerCase,        c.upperCase,       c.firstLetterUpper}},
        {"id3.html", {c.supportId3, c.id3Options}},
    };
    for (const auto& [page, widgets] : pages) {
        for (QWidget* widget : widgets) {
            HelpWindow::setPage(widget, QLatin1String(page));
        }
    }
    for (const QButtonGroup* group : {c.prefixPosition, c.counterPosition, c.extensionPosition}) {
        for (QAbstractButton* button : group->buttons()) {
            HelpWindow::setPage(button, QStringLiteral("rules.html"));
        }
    }
}

void RulePanel::readRules(settings::RenameSettings& rules) const {
    ruleFields_->read(rules);
    moreRuleFields_->read(rules);
}

void RulePanel::writeRules(const settings::RenameSettings& rules) {
    // The pattern options first, so that a pattern's text is judged as the rules mean it.
    writingRules_ = true;
    moreRuleFields_->write(rules);
    ruleFields_->write(rules);
    writingRules_ = false;
    keepRules();
}

void RulePanel::keepRulesIn(settings::RenameSettings& rules) {
    keptRules_ = &rules;
    keepRules();
}

void RulePanel::keepRules() {
    // A record half shown is no record: it is kept once it is whole.
    if (keptRules_ != nullptr && !writingRules_) {
        readRules(*keptRules_);
    }
}

void RulePanel::applyEnablingRule() {
    const RuleControls& c = controls_;
    const bool prefix = c.changePrefix->isChecked();
    for (QWidget* widget :
         {static_cast<QWidget*>(c.prefixEdit), static_cast<QWidget*>(c.addPrefixLabel),
          static_cast<QWidget*>(c.prefixToLabel)}) {
        widget->setEnabled(prefix);
    }
    enableGroup(c.prefixPosition, prefix);

    const bool counter = c.useCounter->isChecked();
    for (QWidget* widget :
         {static_cast<QWidget*>(c.counterStartLabel), static_cast<QWidget*>(c.counterStartEdit),
          static_cast<QWidget*>(c.counterIncrementLabel),
          static_cast<QWidget*>(c.counterIncrementEdit), static_cast<QWidget*>(c.useLabel),
          static_cast<QWidget*>(c.digitsLabel), static_cast<QWidget*>(c.counterDigits)}) {
        widget->setEnabled(counter);
    }
    enableGroup(c.counterPosition, counter);

    const bool extension = c.changeExtension->isChecked();
    for (QWidget* widget :
         {static_cast<QWidget*>(c.extensionToLabel), static_cast<QWidget*>(c.extensionEdit),
          static_cast<QWidget*>(c.addExtensionLabel)}) {
        widget->setEnabled(extension);
    }
    enableGroup(c.extensionPosition, extension);

    c.removeStringEdit->setEnabled(c.removeString->isChecked());
    const bool replace = c.replaceString->isChecked();
    c.replaceFromEdit->setEnabled(replace);
    c.withLabel->setEnabled(replace);
    c.replaceWithEdit->setEnabled(replace);
    moreRules_->applyEnablingRule(c.removeString->isChecked(), replace);
    // The "ID3 Options" button follows its box from the start, not only after a click.
    c.id3Options->setEnabled(c.supportId3->isChecked());
}

void RulePanel::showMasks(const std::vector<std::string>& masks, int chosen) {
    QComboBox* list = controls_.maskList;
    const QSignalBlocker quiet(list);
    list->clear();
    for (const std::string& mask : masks) {
        list->addItem(displayText(mask));
    }
    list->setCurrentIndex(chosen);
}

int RulePanel::chosenMask() const {
    return std::max(0, controls_.maskList->currentIndex());
}

}  // namespace nameshift::ui
