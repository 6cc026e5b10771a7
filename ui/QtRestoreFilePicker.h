#pragma once

#include <QFileDialog>
#include <QPointer>
#include <QWidget>

#include "engine/commands/RestoreFilePicker.h"
#include "ui/ModalRunner.h"

namespace nameshift::ui {

// Asks for the restore file in Qt's own file dialog (the same on every desktop, and one that
// honours the filter and the default suffix).
class QtRestoreFilePicker final : public engine::RestoreFilePicker {
public:
    explicit QtRestoreFilePicker(QWidget* parent = nullptr, ModalRunner runner = {})
        : parent_(parent), runner_(std::move(runner)) {}

    std::optional<std::string> chooseRestoreFile(const std::string& initialDirectory) override;

    // Sets up `dialog` as the choice of a restore file starting in `initialDirectory`.
    static void configure(QFileDialog& dialog, const std::string& initialDirectory);

private:
    QPointer<QWidget> parent_;
    ModalRunner runner_;
};

}  // namespace nameshift::ui
