#pragma once

#include <QComboBox>
#include <QInputDialog>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"

namespace nameshift::ui {

// Asks the name to save a preset under; nothing when the user cancels. The window asks with
// QInputDialog, a test from its script.
using PresetNamePrompt = std::function<std::optional<QString>(QWidget* parent)>;

// How the bar reaches the rules the window shows: it saves them and shows a loaded preset.
struct PresetRules {
    std::function<settings::RenameSettings()> read;
    std::function<void(const settings::RenameSettings&)> show;
};

struct PresetBarControls {
    QComboBox* presets = nullptr;
    QPushButton* save = nullptr;
    QPushButton* remove = nullptr;
};

// The user's presets in the window, in the folder nameshift-cli keeps them in: choosing one in
// the list loads its rules into the controls, and the buttons save the rules shown as a preset
// and delete the preset chosen. Every refusal and failure goes through the message box.
class PresetBar : public QWidget {
    Q_OBJECT

public:
    PresetBar(platform::FileSystem& fileSystem, platform::MessageBox& messages,
              PresetNamePrompt askName, PresetRules rules, QWidget* parent = nullptr);

    const PresetBarControls& controls() const { return controls_; }

    // Lists the presets of `directory`; the bar does nothing before it has one.
    void setDirectory(std::string directory);

    void loadPreset(int index);
    void savePreset();
    void deletePreset();

    // The question for a preset's name, with `current` to start from, as the bar asks it.
    static void prepareNameDialog(QInputDialog& dialog, const QString& current);

private:
    // Lists the presets anew, showing `chosen` when it is one of them.
    void showNames(const QString& chosen = {});
    std::optional<QString> askName();

    platform::FileSystem& fileSystem_;
    platform::MessageBox& messages_;
    PresetNamePrompt askName_;
    PresetRules rules_;
    std::string directory_;
    PresetBarControls controls_;
};

}  // namespace nameshift::ui
