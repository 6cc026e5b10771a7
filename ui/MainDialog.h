#pragma once

#include <QAction>
#include <QDialog>
#include <QSplitter>

#include <memory>
#include <optional>

#include "engine/batch/RenameSession.h"
#include "settings/SettingsPaths.h"
#include "settings/WindowLayoutFile.h"
#include "ui/BatchCommands.h"
#include "ui/DialogOpener.h"
#include "ui/FileListing.h"
#include "ui/FilePanel.h"
#include "ui/MainDialogServices.h"
#include "ui/NewNameColumn.h"
#include "ui/PresetBar.h"
#include "ui/RulePanel.h"
#include "ui/widgets/IconPushButton.h"

namespace nameshift::ui {

// The main dialog's own controls, for the code that lays them out and for tests; the browser
// and the file list are the file panel's, the rules and the display options the rule panel's.
struct MainDialogControls {
    IconPushButton* preview = nullptr;
    IconPushButton* restore = nullptr;
    IconPushButton* options = nullptr;
    IconPushButton* help = nullptr;
    IconPushButton* apply = nullptr;
    IconPushButton* exit = nullptr;
    IconPushButton* save = nullptr;
    IconPushButton* about = nullptr;

    QAction* aboutAction = nullptr;
    // The history: Ctrl+Z, Ctrl+Shift+Z and the list of batches, in the window's menu.
    QAction* undoAction = nullptr;
    QAction* redoAction = nullptr;
    QAction* historyAction = nullptr;
    // New names for the ticked files as text: edited, or imported from a list.
    QAction* editNamesAction = nullptr;
    QAction* importNamesAction = nullptr;
};

// The program's one long-lived window: the file panel with the directory browser and the file
// list on the left, the rule panel with the rename rules and the display options on the right,
// the commands at the bottom. It owns the session every command works on: the rule panel keeps the
// session's rules as it shows them, and the commands read them there.
class MainDialog : public QDialog {
    Q_OBJECT

public:
    explicit MainDialog(MainDialogServices services, DialogHooks hooks = {},
                        QWidget* parent = nullptr);
    ~MainDialog() override;

    // Shows the start-up picture, reads the settings files, opens the browser and fills the file
    // list. False when the working directory cannot be read; the dialog then offers Exit alone.
    bool startUp();

    const MainDialogControls& controls() const { return controls_; }
    const FilePanel& filePanel() const { return *filePanel_; }
    const RulePanel& rulePanel() const { return *rulePanel_; }
    const PresetBar& presetBar() const { return *presetBar_; }
    engine::RenameSession& session() { return session_; }
    const settings::SettingsPaths& settingsPaths() const { return paths_; }

    // The "New Name" column, computed a moment after the rules or the ticks change.
    NewNameColumn& newNames() { return *newNames_; }

    // Exit: asks first when the options say so.
    void reject() override;
    // Keeps the width the user gave the file side for the next start.
    void done(int result) override;

protected:
    // The first showing gives the file side the width it was left with and fits the window to
    // its screen.
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void layOutControls();
    // Tab goes through the window as it is read: the file side, the rules, then the commands.
    void setTabOrderAsRead();
    void connectControls();
    void setButtonIcons();
    void showSplash();
    void closeSplash();

    // Shows a preset's rules in the controls.
    void showPreset(const settings::RenameSettings& rules);

    void setHelpPages();

    MainDialogServices services_;
    engine::RenameSession session_;
    settings::SettingsPaths paths_;
    FilePanel* filePanel_ = nullptr;
    RulePanel* rulePanel_ = nullptr;
    PresetBar* presetBar_ = nullptr;
    MainDialogControls controls_;
    // Declared after the session, whose listing its plans point into, so that it goes first.
    std::unique_ptr<NewNameColumn> newNames_;
    std::optional<FileListing> listing_;
    std::optional<BatchCommands> commands_;
    std::optional<DialogOpener> dialogs_;
    QWidget* splash_ = nullptr;
    bool placed_ = false;
    QSplitter* fileSplit_ = nullptr;
    // The layout the window was left with last, and the file side's width as the window
    // opened; -1 until it has.
    settings::WindowLayout keptLayout_;
    int openedFileSide_ = -1;
};

}  // namespace nameshift::ui
