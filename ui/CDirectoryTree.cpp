#include "ui/CDirectoryTree.h"

#include <QHeaderView>

#include <algorithm>

#include "platform/FolderMessages.h"
#include "ui/DisplayText.h"

namespace nameshift::ui {

CDirectoryTree::CDirectoryTree(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                               QWidget* parent)
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
    connect(this, &QTreeView::doubleClicked, this, &CDirectoryTree::openItem);
}

void CDirectoryTree::setImages(const QIcon& subdirectory, const QIcon& pathChain) {
    subdirectoryIcon_ = subdirectory;
    pathChainIcon_ = pathChain;
}

bool CDirectoryTree::fillTree() {
    if (!drive_.empty()) {
        const platform::Status moved = fileSystem_.setCurrentDirectory(drive_);
        if (!moved.ok()) {
            messages_.show(platform::cannotOpenFolder(drive_, moved));
            return false;
        }
    }
    const platform::Result<std::string> cwd = fileSystem_.currentDirectory();
    if (!cwd.ok()) {
        messages_.show(platform::cannotReadCurrentFolder(cwd.status()));
        return false;
    }
    model_->clear();
    currentPath_ = *cwd;
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
    return true;
}

void CDirectoryTree::openItem(const QModelIndex& index) {
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

    // The directory is entered before the tree changes, so a directory that cannot be entered
    // leaves the tree, its selection, its current path and the process where they were.
    const std::string path = pathOf(item);
    const platform::Status entered = fileSystem_.setCurrentDirectory(path);
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
    listSubdirectories(path, item);
    emit directoryOpened();
}

void CDirectoryTree::showCurrentItem() {
    // The double click moved the selection; it goes back to the directory that stays current.
    if (currentItem_.isValid()) {
        setCurrentIndex(currentItem_);
    }
}

bool CDirectoryTree::listSubdirectories(const std::string& path, QStandardItem* parent) {
    const platform::Result<std::vector<platform::DirEntry>> entries =
        fileSystem_.listDirectory(path);
    if (!entries.ok()) {
        messages_.show(NS_MESSAGE("Message", "Unable to open directory"),
                       NS_MESSAGE("Message", "ERROR"), platform::Icon::Stop);
        return false;
    }
    addSubdirectories(*entries, parent);
    return true;
}

void CDirectoryTree::addSubdirectories(const std::vector<platform::DirEntry>& entries,
                                       QStandardItem* parent) {
    struct Name {
        std::string bytes;
        QString shown;
    };
    std::vector<Name> names;
    for (const platform::DirEntry& entry : entries) {
        if (entry.isDirectory && entry.name != "." && entry.name != "..") {
            names.push_back({entry.name, displayText(entry.name)});
        }
    }
    std::sort(names.begin(), names.end(), [](const Name& a, const Name& b) {
        const int order = QString::compare(a.shown, b.shown, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.bytes < b.bytes;
    });
    for (const Name& name : names) {
        parent->appendRow(makeItem(name.bytes, ItemKind::Subdirectory));
    }
    setOpened(parent, true);
}

CDirectoryTree::ItemKind CDirectoryTree::kindOf(const QStandardItem* item) {
    return static_cast<ItemKind>(item->data(kKindRole).toInt());
}

bool CDirectoryTree::isOpened(const QStandardItem* item) {
    return item->data(kOpenedRole).toBool();
}

std::string CDirectoryTree::pathOf(const QStandardItem* item) {
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

std::string CDirectoryTree::volumeContaining(const std::vector<std::string>& volumes,
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

QStandardItem* CDirectoryTree::makeItem(const std::string& name, ItemKind kind) const {
    auto* item = new QStandardItem(displayText(name));
    item->setData(byteArrayOf(name), kNameRole);
    item->setEditable(false);
    setKind(item, kind);
    return item;
}

void CDirectoryTree::setKind(QStandardItem* item, ItemKind kind) const {
    item->setData(static_cast<int>(kind), kKindRole);
    item->setIcon(kind == ItemKind::Subdirectory ? subdirectoryIcon_ : pathChainIcon_);
}

void CDirectoryTree::setOpened(QStandardItem* item, bool opened) {
    item->setData(opened, kOpenedRole);
    setExpanded(item->index(), opened);
}

}  // namespace nameshift::ui
