#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <chrono>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/VolumeSource.h"
#include "ui/DirectoryChainTree.h"
#include "ui/VolumeChecker.h"
#include "ui/widgets/DriveComboBox.h"

namespace nameshift::ui {

// How the user picks the directory to work in: the list of mounted volumes ("Available
// drives:") above the directory tree.
class DirectoryBrowser : public QWidget {
    Q_OBJECT

public:
    // How long a volume may take to answer before the list calls it not responding.
    static constexpr std::chrono::milliseconds kVolumeTimeLimit{2000};

    DirectoryBrowser(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                     platform::VolumeSource& volumes, QWidget* parent = nullptr,
                     std::chrono::milliseconds volumeTimeLimit = kVolumeTimeLimit);

    // Lists the volumes, picks `startPath` when one is given and can be entered, else
    // `startDirectory` (where the program started, or why it could not be read), as the directory
    // the tree starts in, and shows its volume. A relative start path is taken from
    // `startDirectory`. False, after a message, when the volumes or the start directory cannot
    // be read; without volumes the list offers "/" alone. The volumes are asked in the background
    // whether they answer; until one has, its entry cannot be chosen.
    bool fillDrives(const std::string& startPath,
                    const platform::Result<std::string>& startDirectory);
    bool fillTree() { return tree_->fillTree(); }
    // Opens the folder typed or pasted into the path field: absolute, from the home folder
    // ("~/Music"), a file URL, or relative to the current directory. False, after a message, when
    // it cannot be entered; the field keeps the text to be mended.
    bool openTypedPath();
    // Reads the mounted volumes again and lists them, keeping the volume shown; the list does
    // this each time it opens.
    void refreshDrives();
    // Whether the volume at `index` of the list answered, is still mounted and can be read. A
    // volume that has not answered is not touched.
    bool isDriveReady(int index);
    // What the volume mounted at `volume` answered so far.
    VolumeChecker::State volumeState(const std::string& volume) const {
        return checker_->state(volume);
    }
    // Shows `volume` in the list without acting on the change.
    void reselectDrive(const std::string& volume);

    const std::string& currentPath() const { return tree_->currentPath(); }
    QComboBox* driveList() const { return driveList_; }
    // Shows the current directory; Ctrl+L goes to it, Enter opens what it holds, and it completes
    // folder names as they are typed.
    QLineEdit* pathField() const { return pathField_; }
    DirectoryChainTree* tree() const { return tree_; }
    // The volume shown at `index` of the list.
    std::string volumeAt(int index) const;

signals:
    // Another volume was chosen and the tree shows it; the listing should follow.
    void driveChanged();
    // A double click on the tree was handled; the listing should follow.
    void directoryOpened();

private:
    void changeDrive(int index);
    void listVolumes(std::vector<std::string> volumes);
    // Shows in the list what the volume answered: one not answering yet cannot be chosen, one
    // that never answered says so, and one that is nothing to browse leaves the list.
    void showVolumeState(const QByteArray& volume);
    void showCurrentPath();
    // The folders the path field offers, read only once the user goes to the field.
    void addCompletion();
    bool eventFilter(QObject* watched, QEvent* event) override;

    platform::FileSystem& fileSystem_;
    platform::MessageBox& messages_;
    platform::VolumeSource& volumes_;
    QLabel* driveLabel_;
    DriveComboBox* driveList_;
    QLineEdit* pathField_;
    DirectoryChainTree* tree_;
    VolumeChecker* checker_;
};

}  // namespace nameshift::ui
