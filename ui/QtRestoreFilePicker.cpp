#include "ui/QtRestoreFilePicker.h"

#include <QCoreApplication>

#include "ui/DisplayText.h"

namespace nameshift::ui {

void QtRestoreFilePicker::configure(QFileDialog& dialog, const std::string& initialDirectory) {
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(
        QCoreApplication::translate(platform::kMessageContext, engine::kRestorePickerTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(
        QCoreApplication::translate(platform::kMessageContext, engine::kRestorePickerFilter));
    dialog.setDefaultSuffix(QString::fromUtf8(engine::kRestorePickerSuffix));
    dialog.setDirectory(displayText(initialDirectory));
}

std::optional<std::string> QtRestoreFilePicker::chooseRestoreFile(
    const std::string& initialDirectory) {
    QFileDialog dialog(parent_.data());
    configure(dialog, initialDirectory);
    runModal(runner_, dialog);
    if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return bytesOf(dialog.selectedFiles().front());
}

}  // namespace nameshift::ui
