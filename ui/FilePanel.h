#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include <chrono>

#include "engine/batch/FileList.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/VolumeSource.h"
#include "ui/DirectoryBrowser.h"
#include "ui/FileListView.h"
#include "ui/ProblemLabel.h"
#include "ui/widgets/ElidedLabel.h"
#include "ui/widgets/IconPushButton.h"

namespace nameshift::ui {

// Every control of the file panel, for the code that lays them out and for tests.
struct FilePanelControls {
    QLabel* logo = nullptr;
    DirectoryBrowser* browser = nullptr;
    FileListView* fileList = nullptr;
    IconPushButton* selectAll = nullptr;
    ElidedLabel* status = nullptr;
    ProblemLabel* rulesRefusal = nullptr;  // why the rules refuse the batch, when they do
};

// The left-hand side of the main window: the program's logo, the directory browser, the list of
// the files to rename with its ticks, and the status line that counts them.
class FilePanel : public QWidget {
    Q_OBJECT

public:
    FilePanel(engine::FileList& files, platform::FileSystem& fs, platform::MessageBox& messages,
              platform::VolumeSource& volumes, std::chrono::milliseconds volumeTimeLimit,
              QWidget* parent = nullptr);

    const FilePanelControls& controls() const { return controls_; }

    // Shows the rows of the listing anew, with its Select/Deselect all state and its counts.
    void showFiles();
    // Counts the listed and the ticked files in the status line.
    void showStatus();
    // Follows the counts in the status line with what the last batch must tell of its folder, until
    // another batch or another folder; empty: nothing.
    void showBatchNotice(const QString& notice);
    // Shows under the status line why the rules refuse the batch; empty: they do not.
    void showRulesRefusal(const QString& refusal);

private:
    static QString statusText(int files, int ticked);
    void buildControls(platform::FileSystem& fs, platform::MessageBox& messages,
                       platform::VolumeSource& volumes, std::chrono::milliseconds volumeTimeLimit);
    void layOutControls();
    void connectControls();

    engine::FileList& files_;
    FilePanelControls controls_;
    QString batchNotice_;
};

}  // namespace nameshift::ui
