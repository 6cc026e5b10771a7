#pragma once

#include <QDialog>

#include <functional>

namespace nameshift::ui {

// How a modal dialog of the program is run: exec() for the user; tests look at the dialog and
// close it instead of waiting for a user.
using ModalRunner = std::function<void(QDialog&)>;

inline void runModal(const ModalRunner& runner, QDialog& dialog) {
    if (runner) {
        runner(dialog);
    } else {
        dialog.exec();
    }
}

}  // namespace nameshift::ui
