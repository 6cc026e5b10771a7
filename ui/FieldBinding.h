#pragma once

#include <QObject>

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

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
void read(QObject* control, settings::CaseScope& field);

void write(QObject* control, bool field);
void write(QObject* control, const std::string& field);
void write(QObject* control, std::optional<settings::Position> field);
void write(QObject* control, int field);
void write(QObject* control, std::optional<settings::SortKey> field);
void write(QObject* control, settings::RestoreFileUsage field);
void write(QObject* control, settings::CaseScope field);

}  // namespace field_binding

// The controls under `root` that show the fields of a settings table, found once by the names
// the table gives them: the rule panel reads its rules at every keystroke.
template <typename Record>
class FieldControls {
public:
    FieldControls(const QObject& root, std::span<const settings::SettingsField<Record>> fields) {
        for (const settings::SettingsField<Record>& field : fields) {
            if (QObject* control = field_binding::controlNamed(root, field.control)) {
                bound_.push_back({field.member, control});
            }
        }
    }

    // The controls into `record`, and back.
    void read(Record& record) const {
        for (const Bound& bound : bound_) {
            std::visit([&](auto member) { field_binding::read(bound.control, record.*member); },
                       bound.member);
        }
    }
    void write(const Record& record) const {
        for (const Bound& bound : bound_) {
            std::visit([&](auto member) { field_binding::write(bound.control, record.*member); },
                       bound.member);
        }
    }

private:
    struct Bound {
        settings::FieldMember<Record> member;
        QObject* control;
    };
    std::vector<Bound> bound_;
};

}  // namespace nameshift::ui
