#pragma once

#include <QDialog>
#include <string>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/ProgramOptions.h"
#include "settings/RenameSettings.h"

class QCheckBox;
class QGroupBox;
class QSpinBox;
class QLineEdit;
class QRadioButton;

namespace nameshift::ui {

class IconPushButton;

// Edits the program options kept in opt.ini, and those of the history kept in morerules.ini
// (`moreRulesPath`; none: not saved). It reads the files when it is made and writes them only
// on "Save && Close"; whichever way it closes, the caller reads the files again, so the options
// in force are always those the files hold.
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                  std::string optionsPath, QWidget* parent = nullptr,
                  std::string moreRulesPath = {});

    // The options as the controls show them now.
    settings::ProgramOptions options() const;
    // The rules of morerules.ini as read, with the history options the controls show.
    settings::RenameSettings moreRules() const;

private:
    void buildControls();
    QGroupBox* buildStartupGroup();
    QGroupBox* buildHistoryGroup();
    void showOptions(const settings::ProgramOptions& options);
    void saveAndClose();

    platform::FileSystem& fileSystem_;
    platform::MessageBox& messages_;
    std::string optionsPath_;
    std::string moreRulesPath_;
    settings::RenameSettings moreRules_;

    QCheckBox* confirmationOnExit_ = nullptr;
    QCheckBox* warnOnApply_ = nullptr;
    QCheckBox* exitAfterApply_ = nullptr;
    QCheckBox* exitAfterRestore_ = nullptr;
    QCheckBox* useStartupDir_ = nullptr;
    QLineEdit* startupDirPath_ = nullptr;
    QRadioButton* restoreUsage_[3] = {};
    QCheckBox* historyOnly_ = nullptr;
    QSpinBox* historyBatches_ = nullptr;
    QSpinBox* historyMebibytes_ = nullptr;
    IconPushButton* saveButton_ = nullptr;
    IconPushButton* cancelButton_ = nullptr;
};

}  // namespace nameshift::ui
