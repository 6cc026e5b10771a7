#include "ui/DirectoryChainTree.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/FolderMessages.h"
#include "ui/DisplayText.h"
#include "ui/FocusFrames.h"

namespace nameshift::ui {

DirectoryChainTree::DirectoryChainTree(platform::FileSystem& fileSystem,
                                       platform::MessageBox& messages, QWidget* parent)
    : QTreeView(parent),
      fileSystem_(fileSystem),
      messages_(messages),
      model_(new QStandardItemModel(this)) {
    setModel(model_);
    setHeaderHidden(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Opening and folding belong to the double click alone, so that the tree always shows one
    // chain; the view's own expanding would leave branches the browser does not know about.
    setExpandsOnDoubleClick(false);
    setItemsExpandable(false);
    setIconSize(QSize(16, 16));
    connect(this, &QTreeView::doubleClicked, this, &DirectoryChainTree::openItem);

    // Anywhere in the window, as file managers and browsers have it.
    auto* refreshAction = new QAction(tr("&Refresh"), this);
    refreshAction->setShortcut(QKeySequence(Qt::Key_F5));
    refreshAction->setShortcutContext(Qt::WindowShortcut);
    connect(refreshAction, &QAction::triggered, this, &DirectoryChainTree::refresh);
    addAction(refreshAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void DirectoryChainTree::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (hasFocus()) {
        FocusFrames(*this).paint();
    }
}

void DirectoryChainTree::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    QStandardItem* item = model_->itemFromIndex(current);
    if (item == nullptr || event->modifiers() != Qt::NoModifier) {
        QTreeView::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Taken here: the dialog around would press its default button with it.
            openItem(current);
            break;
        case Qt::Key_Right:
            if (!isOpened(item)) {
                openItem(current);
            } else if (item->hasChildren()) {
                setCurrentIndex(item->child(0)->index());
            }
            break;
        case Qt::Key_Left:
            // The current directory's listed subdirectories fold away as with a double click;
            // anything else only moves up, so that the chain is shortened by Enter alone.
            if (current == currentItem_ && isOpened(item) && item->hasChildren() &&
                kindOf(item->child(0)) == ItemKind::Subdirectory) {
                openItem(current);
            } else if (item->parent() != nullptr) {
                setCurrentIndex(item->parent()->index());
            }
            break;
        default:
            QTreeView::keyPressEvent(event);
            return;
    }
    event->accept();
}

void DirectoryChainTree::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    viewport()->update();
}

void DirectoryChainTree::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

void DirectoryChainTree::setImages(const QIcon& subdirectory, const QIcon& pathChain) {
    subdirectoryIcon_ = subdirectory;
    pathChainIcon_ = pathChain;
}

bool DirectoryChainTree::fillTree() {
    if (!drive_.empty()) {
        const platform::Status entered = fileSystem_.canEnter(drive_);
        if (!entered.ok()) {
            messages_.show(platform::cannotOpenFolder(drive_, entered));
            return false;
        }
        showChain(drive_);
        return true;
    }
    if (!startDirectory_.ok()) {
        messages_.show(platform::cannotReadCurrentFolder(startDirectory_.status()));
        return false;
    }
    showChain(*startDirectory_);
    return true;
}

void DirectoryChainTree::showChain(const std::string& path) {
    model_->clear();
    currentPath_ = path;
    drive_ = volumeContaining(volumes_, currentPath_);

    QStandardItem* deepest = makeItem("/", ItemKind::PathChain);
    model_->appendRow(deepest);
    std::size_t start = 0;
    while (start < currentPath_.size()) {
        const std::size_t slash = std::min(currentPath_.find('/', start), currentPath_.size());
        if (slash > start) {
            QStandardItem* child =
                makeItem(currentPath_.substr(start, slash - start), ItemKind::PathChain);
            deepest->appendRow(child);
            deepest = child;
        }
        start = slash + 1;
    }
    for (QStandardItem* item = deepest; item != nullptr; item = item->parent()) {
        setOpened(item, true);
    }
    currentItem_ = deepest->index();
    setCurrentIndex(deepest->index());
    listSubdirectories(currentPath_, deepest);
    emit currentPathChanged();
}

bool DirectoryChainTree::refresh() {
    if (currentPath_.empty()) {
        return false;  // nothing shown yet
    }
    const platform::Status entered = fileSystem_.canEnter(currentPath_);
    if (isGone(entered)) {
        showNearestExisting(currentPath_);
    } else if (!entered.ok()) {
        messages_.show(platform::cannotOpenFolder(currentPath_, entered));
        return false;
    } else {
        showChain(currentPath_);
    }
    emit directoryOpened();
    return true;
}

bool DirectoryChainTree::leaveIfGone() {
    if (currentPath_.empty() || !isGone(fileSystem_.canEnter(currentPath_))) {
        return false;
    }
    showNearestExisting(currentPath_);
    return true;
}

bool DirectoryChainTree::isGone(const platform::Status& status) {
    // ESTALE: a network share's server lost the directory.
    return status.error() == ENOENT || status.error() == ENOTDIR || status.error() == ESTALE;
}

void DirectoryChainTree::showNearestExisting(const std::string& gone) {
    // A directory above that cannot be entered either is passed over for one that can; the top
    // of the file system is shown whatever it answers.
    std::string shown = gone;
    do {
        const std::size_t slash = shown.find_last_of('/');
        shown = slash == 0 || slash == std::string::npos ? "/" : shown.substr(0, slash);
    } while (shown != "/" && !fileSystem_.canEnter(shown).ok());
    messages_.show(platform::Message{platform::MessageText(
        NS_MESSAGE("Message", "The folder \"%1\" no longer exists; showing \"%2\" instead."),
        {gone, shown})});
    showChain(shown);
}

void DirectoryChainTree::openItem(const QModelIndex& index) {
    QStandardItem* item = model_->itemFromIndex(index);
    if (item == nullptr) {
        return;
    }
    const bool opened = isOpened(item);
    const QStandardItem* firstChild = item->child(0);
    if (opened && firstChild != nullptr && kindOf(firstChild) == ItemKind::Subdirectory) {
        setKind(item, ItemKind::Subdirectory);
        item->removeRows(0, item->rowCount());
        setOpened(item, false);
        emit directoryOpened();
        return;
    }

    // The directory is checked before the tree changes, so a directory that cannot be entered
    // leaves the tree, its selection and its current path where they were.
    const std::string path = pathOf(item);
    const platform::Status entered = fileSystem_.canEnter(path);
    if (isGone(entered)) {
        showNearestExisting(path);
        emit directoryOpened();
        return;
    }
    if (!entered.ok()) {
        messages_.show(platform::cannotOpenFolder(path, entered));
        showCurrentItem();
        return;
    }
    item->removeRows(0, item->rowCount());
    setKind(item, ItemKind::PathChain);
    if (!opened) {
        QStandardItem* parent = item->parent() ? item->parent() : model_->invisibleRootItem();
        const int row = item->row();
        parent->removeRows(row + 1, parent->rowCount() - row - 1);
        parent->removeRows(0, row);
    }
    setOpened(item, true);
    currentPath_ = path;
    currentItem_ = item->index();
    setCurrentIndex(item->index());
    emit currentPathChanged();
    // The listing that follows reads the whole folder anyway and may offer its subdirectories;
    // a folder of many files is read once. Whatever the listing did to the tree, the children
    // go only where the opened item still stands.
    awaitingSubdirectories_ = item->index();
    emit directoryOpened();
    const QPersistentModelIndex awaiting = std::exchange(awaitingSubdirectories_, {});
    if (awaiting.isValid() && currentPath_ == path) {
        listSubdirectories(path, model_->itemFromIndex(awaiting));
    }
}

bool DirectoryChainTree::openPath(const std::string& path) {
    const platform::Status entered = fileSystem_.canEnter(path);
    if (!entered.ok()) {
        messages_.show(platform::cannotOpenFolder(path, entered));
        return false;
    }
    showChain(path);
    emit directoryOpened();
    return true;
}

void DirectoryChainTree::offerSubdirectories(const std::string& path,
                                             const std::vector<std::string>& names) {
    if (!awaitingSubdirectories_.isValid() || currentPath_ != path) {
        return;
    }
    QStandardItem* parent = model_->itemFromIndex(std::exchange(awaitingSubdirectories_, {}));
    showSubdirectories(names, parent);
}

void DirectoryChainTree::showCurrentItem() {
    // The double click moved the selection; it goes back to the directory that stays current.
    if (currentItem_.isValid()) {
        setCurrentIndex(currentItem_);
    }
}

bool DirectoryChainTree::listSubdirectories(const std::string& path, QStandardItem* parent) {
    // Only the folders are kept, and a file is not looked at beyond its kind.
    std::vector<std::string> names;
    const platform::Result<platform::Directory> directory = fileSystem_.openDirectory(path);
    platform::Status listed = directory.status();
    if (directory.ok()) {
        listed = fileSystem_.visitDirectoryKinds(*directory, [&names](const auto& entry) {
            if (entry.isDirectory) {
                names.emplace_back(entry.name);
            }
        });
    }
    if (!listed.ok()) {
        messages_.show(NS_MESSAGE("Message", "Unable to open directory"),
                       NS_MESSAGE("Message", "ERROR"), platform::Icon::Stop);
        return false;
    }
    showSubdirectories(std::move(names), parent);
    return true;
}

void DirectoryChainTree::showSubdirectories(std::vector<std::string> names, QStandardItem* parent) {
    struct Name {
        std::string bytes;
        QString shown;
    };
    std::vector<Name> sorted;
    sorted.reserve(names.size());
    for (std::string& name : names) {
        QString shown = displayText(name);
        sorted.push_back({std::move(name), std::move(shown)});
    }
    std::sort(sorted.begin(), sorted.end(), [](const Name& a, const Name& b) {
        const int order = QString::compare(a.shown, b.shown, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.bytes < b.bytes;
    });
    for (const Name& name : sorted) {
        parent->appendRow(makeItem(name.bytes, ItemKind::Subdirectory));
    }
    setOpened(parent, true);
}

DirectoryChainTree::ItemKind DirectoryChainTree::kindOf(const QStandardItem* item) {
    return static_cast<ItemKind>(item->data(kKindRole).toInt());
}

bool DirectoryChainTree::isOpened(const QStandardItem* item) {
    return item->data(kOpenedRole).toBool();
}

std::string DirectoryChainTree::pathOf(const QStandardItem* item) {
    std::vector<std::string> pieces;
    for (; item != nullptr && item->parent() != nullptr; item = item->parent()) {
        pieces.push_back(item->data(kNameRole).toByteArray().toStdString());
    }
    std::string path;
    // Gathered from the item up to the root; the path runs the other way.
    std::reverse(pieces.begin(), pieces.end());
    for (const std::string& piece : pieces) {
        path += '/';
        path += piece;
    }
    return path.empty() ? "/" : path;
}

std::string DirectoryChainTree::volumeContaining(const std::vector<std::string>& volumes,
                                                 const std::string& path) {
    std::string best;
    for (const std::string& volume : volumes) {
        const bool holds =
            volume == "/" || path == volume ||
            (path.starts_with(volume) && path.size() > volume.size() && path[volume.size()] == '/');
        if (holds && volume.size() > best.size()) {
            best = volume;
        }
    }
    return best.empty() ? "/" : best;
}

QStandardItem* DirectoryChainTree::makeItem(const std::string& name, ItemKind kind) const {
    auto* item = new QStandardItem(displayText(name));
    item->setData(byteArrayOf(name), kNameRole);
    item->setEditable(false);
    setKind(item, kind);
    return item;
}

void DirectoryChainTree::setKind(QStandardItem* item, ItemKind kind) const {
    item->setData(static_cast<int>(kind), kKindRole);
    item->setIcon(kind == ItemKind::Subdirectory ? subdirectoryIcon_ : pathChainIcon_);
}

void DirectoryChainTree::setOpened(QStandardItem* item, bool opened) {
    item->setData(opened, kOpenedRole);
    setExpanded(item->index(), opened);
}

}  // namespace nameshift::ui
