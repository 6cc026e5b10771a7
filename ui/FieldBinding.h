#pragma once

#include <QObject>

#include <optional>
#include <span>
#include <string>
#include <variant>

#include "settings/SettingsField.h"

namespace nameshift::ui {
namespace field_binding {

// The control under `root` that the table names, or none when the field has none.
QObject* controlNamed(const QObject& root, const char* name);

// Each kind of field has the one kind of control that shows it: a check box, a line edit, a
// button group whose ids are the choices, or a combo box whose rows are.
void read(QObject* control, bool& field);
void read(QObject* control, std::string& field);
void read(QObject* control, std::optional<settings::Position>& field);
void read(QObject* control, int& field);
void read(QObject* control, std::optional<settings::SortKey>& field);
void read(QObject* control, settings::RestoreFileUsage& field);

void write(QObject* control, bool field);
void write(QObject* control, const std::string& field);
void write(QObject* control, std::optional<settings::Position> field);
void write(QObject* control, int field);
void write(QObject* control, std::optional<settings::SortKey> field);
void write(QObject* control, settings::RestoreFileUsage field);

}  // namespace field_binding

// The controls under `root` into `record`, and back: each field of a settings table with the
// control the table names for it.
template <typename Record>
void readFields(const QObject& root, std::span<const settings::SettingsField<Record>> fields,
                Record& record) {
    for (const settings::SettingsField<Record>& field : fields) {
        if (QObject* control = field_binding::controlNamed(root, field.control)) {
            std::visit([&](auto member) { field_binding::read(control, record.*member); },
                       field.member);
        }
    }
}

template <typename Record>
void writeFields(const QObject& root, std::span<const settings::SettingsField<Record>> fields,
                 const Record& record) {
    for (const settings::SettingsField<Record>& field : fields) {
        if (QObject* control = field_binding::controlNamed(root, field.control)) {
            std::visit([&](auto member) { field_binding::write(control, record.*member); },
                       field.member);
        }
    }
}

}  // namespace nameshift::ui
