#include "ui/DirectoryBrowser.h"

#include <QAction>
#include <QCompleter>
#include <QDir>
#include <QEvent>
#include <QFileSystemModel>
#include <QKeySequence>
#include <QSignalBlocker>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

#include "platform/AbsolutePath.h"
#include "platform/FolderMessages.h"
#include "ui/DisplayText.h"

namespace nameshift::ui {

DirectoryBrowser::DirectoryBrowser(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                                   platform::VolumeSource& volumes, QWidget* parent,
                                   std::chrono::milliseconds volumeTimeLimit)
    : QWidget(parent),
      fileSystem_(fileSystem),
      messages_(messages),
      volumes_(volumes),
      driveLabel_(new QLabel(tr("Available drives:"), this)),
      driveList_(new DriveComboBox(this)),
      pathField_(new QLineEdit(this)),
      tree_(new DirectoryChainTree(fileSystem, messages, this)),
      checker_(new VolumeChecker(volumes, volumeTimeLimit, this)) {
    driveLabel_->setBuddy(driveList_);
    pathField_->setObjectName(QStringLiteral("pathField"));
    pathField_->setPlaceholderText(tr("Type or paste a folder (Ctrl+L)"));
    pathField_->setClearButtonEnabled(true);
    pathField_->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(driveLabel_);
    layout->addWidget(driveList_);
    layout->addWidget(pathField_);
    layout->addWidget(tree_, 1);
    // Anywhere in the window, as in file managers and browsers.
    auto* goToPath = new QAction(tr("Go to folder"), this);
    goToPath->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    goToPath->setShortcutContext(Qt::WindowShortcut);
    connect(goToPath, &QAction::triggered, this, [this] {
        pathField_->setFocus(Qt::ShortcutFocusReason);
        pathField_->selectAll();
    });
    addAction(goToPath);
    connect(pathField_, &QLineEdit::returnPressed, this, &DirectoryBrowser::openTypedPath);
    connect(tree_, &DirectoryChainTree::currentPathChanged, this,
            &DirectoryBrowser::showCurrentPath);
    connect(driveList_, &QComboBox::currentIndexChanged, this, &DirectoryBrowser::changeDrive);
    connect(driveList_, &DriveComboBox::aboutToShowPopup, this, &DirectoryBrowser::refreshDrives);
    connect(tree_, &DirectoryChainTree::directoryOpened, this, &DirectoryBrowser::directoryOpened);
    connect(checker_, &VolumeChecker::stateChanged, this, &DirectoryBrowser::showVolumeState);
}

namespace {

// The path as the system names the directory once it is entered: absolute, without "." and ".."
// steps, doubled slashes or a slash at its end.
std::string enteredPath(const std::string& path, const std::string& base) {
    std::string normal =
        std::filesystem::path(platform::absolutePath(path, base)).lexically_normal().string();
    if (normal.size() > 1 && normal.back() == '/') {
        normal.pop_back();
    }
    return normal;
}

}  // namespace

bool DirectoryBrowser::openTypedPath() {
    QString typed = pathField_->text().trimmed();
    if (typed.isEmpty()) {
        showCurrentPath();
        return true;
    }
    if (typed.startsWith(QLatin1String("file:"))) {
        typed = QUrl(typed).toLocalFile();
    } else if (typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/"))) {
        typed = QDir::homePath() + typed.mid(1);
    }
    const std::string path = enteredPath(bytesOf(typed), currentPath());
    if (!tree_->openPath(path)) {
        return false;
    }
    // On to the folders inside, as a file manager goes on to the view.
    tree_->setFocus(Qt::OtherFocusReason);
    return true;
}

void DirectoryBrowser::showCurrentPath() {
    pathField_->setText(displayText(currentPath()));
    reselectDrive(tree_->drive());
}

bool DirectoryBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pathField_ && event->type() == QEvent::FocusIn) {
        addCompletion();
    }
    return QWidget::eventFilter(watched, event);
}

void DirectoryBrowser::addCompletion() {
    if (pathField_->completer() != nullptr) {
        return;
    }
    auto* completer = new QCompleter(pathField_);
    auto* folders = new QFileSystemModel(completer);
    folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    // Offered, not watched: the tree and the list are read anew on every opening anyway.
    folders->setOption(QFileSystemModel::DontWatchForChanges);
    folders->setRootPath(QString());
    completer->setModel(folders);
    completer->setCaseSensitivity(Qt::CaseSensitive);
    pathField_->setCompleter(completer);
}

bool DirectoryBrowser::fillDrives(const std::string& startPath,
                                  const platform::Result<std::string>& startDirectory) {
    bool listed = true;
    std::vector<std::string> volumes;
    platform::Result<std::vector<std::string>> found = volumes_.mountedVolumes();
    if (found.ok()) {
        volumes = std::move(found.value());
    } else {
        messages_.show(platform::cannotListVolumes(found.status()));
        listed = false;
    }
    listVolumes(volumes);

    platform::Result<std::string> start = startDirectory;
    if (!startPath.empty()) {
        const std::string path = enteredPath(startPath, startDirectory.ok() ? *startDirectory : "");
        if (!fileSystem_.canEnter(path).ok()) {
            messages_.show(NS_MESSAGE("Message", "Dir path in options is invalid"),
                           NS_MESSAGE("Message", "Error"), platform::Icon::None);
        } else if (path.starts_with('/')) {
            start = path;  // a relative one is of no use without the start directory
        }
    }
    tree_->setStartDirectory(start);
    if (!start.ok()) {
        messages_.show(platform::cannotReadCurrentFolder(start.status()));
        return false;
    }
    reselectDrive(DirectoryChainTree::volumeContaining(volumes, *start));
    return listed;
}

void DirectoryBrowser::listVolumes(std::vector<std::string> volumes) {
    // The root is always there to browse from, whatever the mount table says.
    if (std::find(volumes.begin(), volumes.end(), "/") == volumes.end()) {
        volumes.insert(volumes.begin(), "/");
    }
    std::sort(volumes.begin(), volumes.end());
    {
        const QSignalBlocker quiet(driveList_);
        driveList_->clear();
        for (const std::string& volume : volumes) {
            driveList_->addItem(displayText(volume), byteArrayOf(volume));
        }
    }
    checker_->check(volumes);
    tree_->setVolumes(std::move(volumes));
    for (int index = driveList_->count() - 1; index >= 0; --index) {
        showVolumeState(driveList_->itemData(index).toByteArray());
    }
}

void DirectoryBrowser::showVolumeState(const QByteArray& volume) {
    const int index = driveList_->findData(volume);
    auto* entries = qobject_cast<QStandardItemModel*>(driveList_->model());
    if (index < 0 || entries == nullptr) {
        return;
    }
    const VolumeChecker::State state = volumeState(volume.toStdString());
    if (state == VolumeChecker::State::NotBrowsable && index != driveList_->currentIndex()) {
        const QSignalBlocker quiet(driveList_);
        driveList_->removeItem(index);
        return;
    }
    const QString path = displayText(volume.toStdString());
    QStandardItem* entry = entries->item(index);
    entry->setText(
        state == VolumeChecker::State::NotResponding ? tr("%1 (not responding)").arg(path) : path);
    entry->setEnabled(state == VolumeChecker::State::Ready);
}

void DirectoryBrowser::refreshDrives() {
    platform::Result<std::vector<std::string>> found = volumes_.mountedVolumes();
    if (!found.ok()) {
        return;
    }
    const std::string shown = volumeAt(driveList_->currentIndex());
    std::vector<std::string> volumes = std::move(found.value());
    // The volume in use stays listed after it vanished, so that choosing it again says why the
    // list refuses it.
    if (!shown.empty() && std::find(volumes.begin(), volumes.end(), shown) == volumes.end()) {
        volumes.push_back(shown);
    }
    checker_->keepOnly(volumes);
    listVolumes(std::move(volumes));
    reselectDrive(shown);
}

bool DirectoryBrowser::isDriveReady(int index) {
    const std::string volume = volumeAt(index);
    if (volumeState(volume) != VolumeChecker::State::Ready) {
        return false;
    }
    // An unmounted volume leaves its empty mount point behind, which must not pass for the
    // volume.
    const platform::Result<std::vector<std::string>> mounted = volumes_.mountedVolumes();
    if (volume != "/" && mounted.ok() &&
        std::find(mounted->begin(), mounted->end(), volume) == mounted->end()) {
        return false;
    }
    return fileSystem_.listDirectoryKinds(volume).ok();
}

void DirectoryBrowser::reselectDrive(const std::string& volume) {
    const QSignalBlocker quiet(driveList_);
    driveList_->setCurrentIndex(driveList_->findData(byteArrayOf(volume)));
}

std::string DirectoryBrowser::volumeAt(int index) const {
    return driveList_->itemData(index).toByteArray().toStdString();
}

void DirectoryBrowser::changeDrive(int index) {
    if (index < 0) {
        return;
    }
    const std::string previous = tree_->drive();
    if (!isDriveReady(index)) {
        messages_.show(platform::MessageText(NS_MESSAGE("Message", "Drive %1: is not ready."),
                                             {volumeAt(index)}),
                       NS_MESSAGE("Message", "Error"), platform::Icon::Exclamation);
        reselectDrive(previous);
        return;
    }
    tree_->setDrive(volumeAt(index));
    if (!tree_->fillTree()) {
        tree_->setDrive(previous);
        reselectDrive(previous);
        return;
    }
    emit driveChanged();
}

}  // namespace nameshift::ui
