#include "ui/RuleBinding.h"

#include <QAbstractButton>
#include <QSignalBlocker>

#include <algorithm>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "settings/RenameSettingsFile.h"
#include "ui/DisplayText.h"

namespace nameshift::ui {
namespace {

void setRadio(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group never lets its last button go, so it is opened for a moment.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) {
        button->setChecked(false);
    }
    group->setExclusive(true);
}

using RuleMember = settings::FieldMember<settings::RenameSettings>;

// The control that shows one field of the rules.
struct RuleControl {
    RuleMember member;
    QObject* control;
};

std::vector<RuleControl> ruleControls(const RuleControls& c) {
    using R = settings::RenameSettings;
    return {
        {&R::changePrefix, c.changePrefix},
        {&R::prefixText, c.prefixEdit},
        {&R::prefixPosition, c.prefixPosition},
        {&R::useCounter, c.useCounter},
        {&R::counterPosition, c.counterPosition},
        {&R::counterStart, c.counterStartEdit},
        {&R::counterIncrement, c.counterIncrementEdit},
        {&R::counterDigitsIndex, c.counterDigits},
        {&R::changeExtension, c.changeExtension},
        {&R::extensionText, c.extensionEdit},
        {&R::extensionPosition, c.extensionPosition},
        {&R::removeSpaces, c.removeSpaces},
        {&R::removeBrackets, c.removeBrackets},
        {&R::removeTildes, c.removeTildes},
        {&R::removeHyphens, c.removeHyphens},
        {&R::removeString, c.removeString},
        {&R::stringToRemove, c.removeStringEdit},
        {&R::replaceString, c.replaceString},
        {&R::replaceFrom, c.replaceFromEdit},
        {&R::replaceWith, c.replaceWithEdit},
        {&R::lowerCase, c.lowerCase},
        {&R::upperCase, c.upperCase},
        {&R::firstLetterUpper, c.firstLetterUpper},
        {&R::supportId3, c.supportId3},
        {&R::attributeArchive, c.archive},
        {&R::attributeHidden, c.hidden},
        {&R::attributeReadOnly, c.readOnly},
        {&R::attributeSystem, c.system},
        {&R::sortKey, c.sortList},
    };
}

// Every field of the rules' table has its control; one without would be a field the panel
// forgot, and is left alone.
QObject* controlOf(const std::vector<RuleControl>& bound, const RuleMember& member) {
    const auto found = std::find_if(bound.begin(), bound.end(),
                                    [&](const RuleControl& c) { return c.member == member; });
    Q_ASSERT(found != bound.end());
    return found != bound.end() ? found->control : nullptr;
}

// Hands each rule field that has a control in the panel to `use`, with its control.
template <typename Rules, typename Use>
void forEachBoundRule(const RuleControls& controls, Rules& rules, Use use) {
    const std::vector<RuleControl> bound = ruleControls(controls);
    for (const settings::SettingsField<settings::RenameSettings>& field :
         settings::renameSettingsFields()) {
        if (QObject* control = controlOf(bound, field.member)) {
            std::visit([&](auto member) { use(control, rules.*member); }, field.member);
        }
    }
}

// Each kind of field has the one kind of control that shows it.
void readControl(QObject* control, bool& field) {
    field = qobject_cast<QCheckBox*>(control)->isChecked();
}
void readControl(QObject* control, std::string& field) {
    field = bytesOf(qobject_cast<QLineEdit*>(control)->text());
}
void readControl(QObject* control, std::optional<settings::Position>& field) {
    field =
        settings::choiceAt<settings::Position>(qobject_cast<QButtonGroup*>(control)->checkedId());
}
void readControl(QObject* control, int& field) {
    field = qobject_cast<QComboBox*>(control)->currentIndex();
}
void readControl(QObject* control, std::optional<settings::SortKey>& field) {
    field =
        settings::choiceAt<settings::SortKey>(qobject_cast<QComboBox*>(control)->currentIndex());
}
// The rules hold no restore file usage; the field table's type allows one.
void readControl(QObject*, settings::RestoreFileUsage&) {}

void writeControl(QObject* control, bool field) {
    qobject_cast<QCheckBox*>(control)->setChecked(field);
}
void writeControl(QObject* control, const std::string& field) {
    qobject_cast<QLineEdit*>(control)->setText(displayText(field));
}
void writeControl(QObject* control, std::optional<settings::Position> field) {
    setRadio(qobject_cast<QButtonGroup*>(control), settings::indexOf(field));
}
void writeControl(QObject* control, int field) {
    qobject_cast<QComboBox*>(control)->setCurrentIndex(field);
}
void writeControl(QObject* control, std::optional<settings::SortKey> field) {
    auto* list = qobject_cast<QComboBox*>(control);
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(settings::indexOf(field));
}
void writeControl(QObject*, settings::RestoreFileUsage) {}

}  // namespace

void readBoundRules(const RuleControls& controls, settings::RenameSettings& rules) {
    forEachBoundRule(controls, rules,
                     [](QObject* control, auto& value) { readControl(control, value); });
}

void writeBoundRules(const RuleControls& controls, const settings::RenameSettings& rules) {
    forEachBoundRule(controls, rules,
                     [](QObject* control, const auto& value) { writeControl(control, value); });
}

}  // namespace nameshift::ui
