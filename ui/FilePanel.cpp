#include "ui/FilePanel.h"

#include <QFrame>
#include <QIcon>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/HelpWindow.h"

namespace nameshift::ui {
namespace {

// The counts the status line is given room for: ten million files less one.
constexpr int kWidestStatusCount = 9'999'999;

QIcon treeIcon(const QString& normal, const QString& selected) {
    QIcon icon;
    icon.addFile(normal, QSize(16, 16), QIcon::Normal);
    icon.addFile(selected, QSize(16, 16), QIcon::Selected);
    return icon;
}

}  // namespace

FilePanel::FilePanel(engine::FileList& files, platform::FileSystem& fs,
                     platform::MessageBox& messages, platform::VolumeSource& volumes,
                     std::chrono::milliseconds volumeTimeLimit, QWidget* parent)
    : QWidget(parent), files_(files) {
    buildControls(fs, messages, volumes, volumeTimeLimit);
    layOutControls();
    connectControls();
    for (QWidget* widget :
         {static_cast<QWidget*>(controls_.browser), static_cast<QWidget*>(controls_.fileList),
          static_cast<QWidget*>(controls_.status), static_cast<QWidget*>(controls_.selectAll)}) {
        HelpWindow::setPage(widget, QStringLiteral("files.html"));
    }
    controls_.browser->tree()->setImages(
        treeIcon(QStringLiteral(":/tree/folder.svg"), QStringLiteral(":/tree/folder-selected.svg")),
        treeIcon(QStringLiteral(":/tree/folder-path.svg"),
                 QStringLiteral(":/tree/folder-path-selected.svg")));
}

void FilePanel::buildControls(platform::FileSystem& fs, platform::MessageBox& messages,
                              platform::VolumeSource& volumes,
                              std::chrono::milliseconds volumeTimeLimit) {
    FilePanelControls& c = controls_;
    c.logo = new QLabel(this);
    c.logo->setFrameStyle(QFrame::Box | QFrame::Sunken);
    c.logo->setPixmap(QIcon(QStringLiteral(":/logo.svg")).pixmap(QSize(200, 48)));
    c.logo->setAlignment(Qt::AlignCenter);
    c.browser = new DirectoryBrowser(fs, messages, volumes, this, volumeTimeLimit);
    c.fileList = new FileListView(files_, this);
    c.selectAll = new IconPushButton(tr("Select/Deselect all files"), this);
    c.selectAll->setCheckable(true);
    c.selectAll->setIcons(QStringLiteral(":/icons/select-all.svg"));
    c.status = new ElidedLabel(this);
    // The status line changes with every tick and must not make the window jump; it is given
    // once the room its text takes for the counts of a very large folder, in the language shown.
    c.status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    int statusWidth = 0;
    for (const int count : {1, kWidestStatusCount}) {
        statusWidth = std::max(statusWidth,
                               c.status->fontMetrics().horizontalAdvance(statusText(count, count)));
    }
    c.status->setMinimumWidth(statusWidth + 2 * c.status->margin());
    c.rulesRefusal = new ProblemLabel(this);
    c.rulesRefusal->setObjectName(QStringLiteral("rulesRefusal"));
}

void FilePanel::layOutControls() {
    const FilePanelControls& c = controls_;
    c.browser->tree()->setMinimumSize(280, 100);
    c.fileList->setMinimumSize(340, 120);
    // Laid out as a part of the window's own layout would be: no margin of its own.
    auto* panel = new QVBoxLayout(this);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(c.logo);
    panel->addWidget(c.browser, 2);
    panel->addWidget(c.fileList, 3);
    // The status line has the list's whole width below it, so that it is read whole.
    panel->addWidget(c.status);
    panel->addWidget(c.rulesRefusal);
    panel->addWidget(c.selectAll, 0, Qt::AlignLeft);
}

void FilePanel::connectControls() {
    connect(controls_.fileList, &FileListView::ticksChanged, this, &FilePanel::showStatus);
    connect(controls_.selectAll, &QPushButton::clicked, this, [this](bool down) {
        controls_.fileList->selectAllRows(down);
        files_.setSelectAllToggle(down);
        showStatus();
    });
}

void FilePanel::showFiles() {
    controls_.fileList->reload();
    controls_.selectAll->setChecked(files_.selectAllToggle());
    showStatus();
}

QString FilePanel::statusText(int files, int ticked) {
    // The counts are put in after the translation.
    return tr("%n file(s) total - %1 selected", nullptr, files).arg(ticked);
}

void FilePanel::showRulesRefusal(const QString& refusal) {
    controls_.rulesRefusal->showProblem(refusal);
}

void FilePanel::showBatchNotice(const QString& notice) {
    batchNotice_ = notice;
    showStatus();
}

void FilePanel::showStatus() {
    QString text =
        statusText(static_cast<int>(files_.rowCount()), static_cast<int>(files_.tickedCount()));
    if (!batchNotice_.isEmpty()) {
        // The counts, then what the last batch tells of its folder.
        text = tr("%1 - %2").arg(text, batchNotice_);
    }
    controls_.status->setFullText(text);
}

}  // namespace nameshift::ui
