#pragma once

#include <QDialog>
#include <string>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/ProgramOptions.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace nameshift::ui {

class IconPushButton;

// Edits the program options kept in opt.ini. It reads the file when it is made and writes it only
// on "Save && Close"; whichever way it closes, the caller reads the file again, so the options
// in force are always those the file holds.
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                  std::string optionsPath, QWidget* parent = nullptr);

    // The options as the controls show them now.
    settings::ProgramOptions options() const;

private:
    void buildControls();
    void showOptions(const settings::ProgramOptions& options);
    void saveAndClose();

    platform::FileSystem& fileSystem_;
    platform::MessageBox& messages_;
    std::string optionsPath_;

    QCheckBox* confirmationOnExit_ = nullptr;
    QCheckBox* warnOnApply_ = nullptr;
    QCheckBox* exitAfterApply_ = nullptr;
    QCheckBox* exitAfterRestore_ = nullptr;
    QCheckBox* useStartupDir_ = nullptr;
    QLineEdit* startupDirPath_ = nullptr;
    QRadioButton* restoreUsage_[3] = {};
    IconPushButton* saveButton_ = nullptr;
    IconPushButton* cancelButton_ = nullptr;
};

}  // namespace nameshift::ui
