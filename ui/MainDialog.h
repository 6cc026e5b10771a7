#pragma once

#include <QAction>
#include <QDialog>
#include <QSplitter>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "engine/CommandReport.h"
#include "engine/FolderHistory.h"
#include "engine/RenameSession.h"
#include "engine/RestoreFilePicker.h"
#include "engine/TagReader.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/VolumeSource.h"
#include "settings/SettingsPaths.h"
#include "settings/WindowLayoutFile.h"
#include "ui/DirectoryBrowser.h"
#include "ui/FilePanel.h"
#include "ui/ModalRunner.h"
#include "ui/NewNameColumn.h"
#include "ui/PresetBar.h"
#include "ui/RulePanel.h"
#include "ui/widgets/IconPushButton.h"

namespace nameshift::ui {

// What the main dialog works with, handed in by the program's entry or by a test.
struct MainDialogServices {
    MainDialogServices(platform::FileSystem& fs, platform::MessageBox& box,
                       engine::TagReader& tagReader, platform::VolumeSource& volumeSource)
        : fileSystem(fs), messages(box), tags(tagReader), volumes(volumeSource) {}

    platform::FileSystem& fileSystem;
    platform::MessageBox& messages;
    engine::TagReader& tags;
    platform::VolumeSource& volumes;
    // Null: Qt's file dialog asks.
    engine::RestoreFilePicker* restorePicker = nullptr;
    // How the preview and the file dialog run; null: exec().
    ModalRunner runModal;
    // How long the start-up picture stays; 0 shows none.
    int splashMilliseconds = 1800;
    // The working directory the program was started in, read once by the program's entry, or
    // why it could not be read.
    platform::Result<std::string> startDirectory = platform::Status::fromErrno(ENOENT);
    // Where the settings files lie; empty: the start directory.
    std::string settingsDirectory;
    // The folder the program was asked to open, before any start-up directory; empty: none.
    std::string startFolder;
    // How many names of the "New Name" column one pass of the event loop computes: a few
    // milliseconds' work, so that keystrokes and scrolling never wait. A batch no larger is
    // computed at once.
    std::size_t newNamesPerSlice = 8192;
    // Asks the name of a preset to save; null: Qt's input dialog asks.
    PresetNamePrompt askPresetName;
    // How long a mounted volume may take to answer before the drive list calls it not responding.
    std::chrono::milliseconds volumeTimeLimit = DirectoryBrowser::kVolumeTimeLimit;
};

// What the dialogs opened from the main dialog get to work with.
struct DialogContext {
    QWidget* parent;
    platform::FileSystem& fileSystem;
    platform::MessageBox& messages;
    const settings::SettingsPaths& paths;
};

// The other dialogs of the program, opened from the main dialog's buttons. A hook left empty
// does nothing. After the options and ID3 options dialogs the main dialog reads their files
// again, however they were closed.
struct DialogHooks {
    std::function<void(const DialogContext&)> options;
    std::function<void(const DialogContext&)> id3Options;
    std::function<void(const DialogContext&)> about;
    // Opens the help on `page`.
    std::function<void(const DialogContext&, const QString& page)> help;
};

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
};

// The program's one long-lived window: the file panel with the directory browser and the file
// list on the left, the rule panel with the rename rules and the display options on the right,
// the commands at the bottom. It owns the session every command works on, lists the files and
// runs the commands.
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

    void previewChanges();
    void applyChanges();
    void restoreFilenames();
    // The shown folder's last batch, after a question; the folder's batch undone last; the one
    // picked from the history, after the same question.
    void undoLastBatch();
    void redoBatch();
    void openHistory();
    void saveSettings();

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

    // The listing: refilled for the browser's directory, or filtered by the chosen mask.
    void fillFileList();
    void refilterFileList();
    void showFileList();
    void emptyFileList();
    void afterDirectoryChange();
    // When the directory shown was deleted or moved away, says so, shows the nearest one above it
    // and lists that instead. True when it did. Asked when a listing fails, and before a command,
    // which would only fail to open it.
    bool leaveGoneDirectory();
    // Shows what the command reports, then fills the list again or closes the program as it says.
    void afterCommand(const engine::CommandReport& report);
    // Fills the list again, telling the user when no attribute is chosen; false when the
    // directory could not be listed.
    bool refillFileList(engine::Refill how);
    // The ticked files of the listing, by name and inode, and the rows of those files ticked
    // again after a refill.
    std::set<std::pair<std::string, std::uint64_t>> tickedFiles() const;
    void tickAgain(const std::set<std::pair<std::string, std::uint64_t>>& files);
    // Offers to undo or finish each interrupted batch, with the progress of a batch.
    void offerRecovery();
    // Asks whether to undo `batch`, and on Yes undoes it.
    void undoHistoryBatch(const engine::HistoryBatch& batch);
    // Runs a button's command; one stopped by an exception leaves the list read anew.
    void runCommand(void (MainDialog::*command)());

    // Shows a preset's rules in the controls.
    void showPreset(const settings::RenameSettings& rules);

    void openOptions();
    // Says so when morerules.ini holds a history option that is not a number the history takes.
    void tellRefusedHistoryOptions();
    void openId3Options();
    void openAbout();
    void openHelp(const QString& page);
    void setHelpPages();
    DialogContext context();

    MainDialogServices services_;
    DialogHooks hooks_;
    engine::RenameSession session_;
    settings::SettingsPaths paths_;
    FilePanel* filePanel_ = nullptr;
    RulePanel* rulePanel_ = nullptr;
    PresetBar* presetBar_ = nullptr;
    MainDialogControls controls_;
    // Declared after the session, whose listing its plans point into, so that it goes first.
    std::unique_ptr<NewNameColumn> newNames_;
    QWidget* splash_ = nullptr;
    bool placed_ = false;
    QSplitter* fileSplit_ = nullptr;
    // The layout the window was left with last, and the file side's width as the window
    // opened; -1 until it has.
    settings::WindowLayout keptLayout_;
    int openedFileSide_ = -1;
};

}  // namespace nameshift::ui
