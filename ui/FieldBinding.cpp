#include "ui/FieldBinding.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "ui/DisplayText.h"

namespace nameshift::ui::field_binding {
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

}  // namespace

QObject* controlNamed(const QObject& root, const char* name) {
    if (name == nullptr) {
        return nullptr;
    }
    QObject* control = root.findChild<QObject*>(QLatin1String(name));
    // A table that names a control the dialog lacks names a field the dialog forgot; it is left
    // alone.
    Q_ASSERT(control != nullptr);
    return control;
}

void read(QObject* control, bool& field) {
    field = qobject_cast<QCheckBox*>(control)->isChecked();
}
void read(QObject* control, std::string& field) {
    field = bytesOf(qobject_cast<QLineEdit*>(control)->text());
}
void read(QObject* control, std::optional<settings::Position>& field) {
    field =
        settings::choiceAt<settings::Position>(qobject_cast<QButtonGroup*>(control)->checkedId());
}
void read(QObject* control, int& field) {
    field = qobject_cast<QComboBox*>(control)->currentIndex();
}
void read(QObject* control, std::optional<settings::SortKey>& field) {
    field =
        settings::choiceAt<settings::SortKey>(qobject_cast<QComboBox*>(control)->currentIndex());
}
void read(QObject* control, settings::RestoreFileUsage& field) {
    // No button chosen reads as the usage a missing file gives.
    field = settings::choiceAt<settings::RestoreFileUsage>(
                qobject_cast<QButtonGroup*>(control)->checkedId())
                .value_or(settings::RestoreFileUsage::Create);
}
void read(QObject* control, settings::CaseScope& field) {
    // No button chosen reads as both parts, the scope of old.
    field =
        settings::choiceAt<settings::CaseScope>(qobject_cast<QButtonGroup*>(control)->checkedId())
            .value_or(settings::CaseScope::Both);
}

void write(QObject* control, bool field) {
    qobject_cast<QCheckBox*>(control)->setChecked(field);
}
void write(QObject* control, const std::string& field) {
    qobject_cast<QLineEdit*>(control)->setText(displayText(field));
}
void write(QObject* control, std::optional<settings::Position> field) {
    setRadio(qobject_cast<QButtonGroup*>(control), settings::indexOf(field));
}
void write(QObject* control, int field) {
    qobject_cast<QComboBox*>(control)->setCurrentIndex(field);
}
void write(QObject* control, std::optional<settings::SortKey> field) {
    auto* list = qobject_cast<QComboBox*>(control);
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(settings::indexOf(field));
}
void write(QObject* control, settings::RestoreFileUsage field) {
    // A usage outside the choices shows as the first.
    const int usage = settings::indexOf(field);
    setRadio(qobject_cast<QButtonGroup*>(control),
             settings::choiceAt<settings::RestoreFileUsage>(usage) ? usage : 0);
}
void write(QObject* control, settings::CaseScope field) {
    setRadio(qobject_cast<QButtonGroup*>(control), settings::indexOf(field));
}

}  // namespace nameshift::ui::field_binding
