#pragma once

#include <QColor>
#include <QIcon>
#include <QPersistentModelIndex>
#include <QStandardItemModel>
#include <QTreeView>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "platform/DirEntry.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "ui/FocusFrames.h"

namespace nameshift::ui {

// The directory tree of the browser. It never shows the whole disk: one chain of directories
// from "/" down to the current directory, and under the deepest opened directory of the chain
// its subdirectories. Double-clicking a subdirectory makes it current (the chain grows), a
// directory higher up the chain shortens the chain to it, and the current directory with its
// subdirectories shown folds them away. The tree keeps the current directory as its own path; a
// directory is entered only after the check that it can be.
class DirectoryChainTree : public QTreeView {
    Q_OBJECT

public:
    // What an item is, shown by its picture: a listed subdirectory or a directory of the chain.
    enum class ItemKind { Subdirectory = 0, PathChain = 1 };
    static constexpr int kNameRole = Qt::UserRole + 1;  // the exact bytes of the name
    static constexpr int kKindRole = Qt::UserRole + 2;
    // Whether the tree counts the item as opened; an opened directory without subdirectories
    // stays opened, which a view does not keep for an item without children.
    static constexpr int kOpenedRole = Qt::UserRole + 3;

    DirectoryChainTree(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                       QWidget* parent = nullptr);

    // The pictures of both kinds; each icon carries its normal and its selected picture.
    void setImages(const QIcon& subdirectory, const QIcon& pathChain);

    // The mounted volumes, so the tree knows which one holds its current path.
    void setVolumes(std::vector<std::string> volumes) { volumes_ = std::move(volumes); }
    // The volume the tree works on; empty until the first filling.
    const std::string& drive() const { return drive_; }
    void setDrive(std::string volume) { drive_ = std::move(volume); }
    const std::string& currentPath() const { return currentPath_; }
    // The directory the first filling shows, as long as no volume was chosen; or why there is
    // none.
    void setStartDirectory(platform::Result<std::string> directory) {
        startDirectory_ = std::move(directory);
    }

    // Builds the chain for the top of the chosen volume, or for the start directory before any
    // volume was chosen, and lists its subdirectories. False, after a message, when the tree
    // could not be built and stays as it was.
    bool fillTree();
    // Reads the current directory's subdirectories again (F5, or Refresh in the tree's menu), and
    // says that the listing should follow. False, after a message, when the directory cannot be
    // entered and the tree stays as it was.
    bool refresh();
    // When the current directory was deleted or moved away, says so and shows the nearest
    // directory above it that is still there. True when it did; the listing should then follow.
    bool leaveIfGone();
    // What a double click on `index` does.
    void openItem(const QModelIndex& index);
    // Shows the chain down to `path` and lists its subdirectories, as the path field asks; the
    // listing should follow. False, after a message, when the directory cannot be entered and the
    // tree stays as it was.
    bool openPath(const std::string& path);
    // Adds the subdirectories of `path` under `parent`, sorted, and opens `parent`.
    bool listSubdirectories(const std::string& path, QStandardItem* parent);
    // While a double click's directoryOpened() is being handled, whoever lists the directory can
    // hand its subdirectories over; the tree then does not read the folder itself. Ignored at
    // any other time, or for another path.
    void offerSubdirectories(const std::string& path, const std::vector<std::string>& names);

    QStandardItemModel* itemModel() const { return model_; }
    // The frames that show where the keyboard is while the tree has the focus: around the tree,
    // and around the current item.
    QColor focusFrameColor() const { return FocusFrames(*this).viewColor(); }
    QColor currentItemFrameColor() const { return FocusFrames(*this).currentRowColor(); }
    static constexpr int kFrameWidth = FocusFrames::kWidth;
    static ItemKind kindOf(const QStandardItem* item);
    static bool isOpened(const QStandardItem* item);
    // The full path an item stands for, from the stored bytes of it and its ancestors.
    static std::string pathOf(const QStandardItem* item);
    // The volume among `volumes` that holds `path`: the longest mount path above it.
    static std::string volumeContaining(const std::vector<std::string>& volumes,
                                        const std::string& path);

signals:
    // A double click or a refresh was handled; the listing should follow currentPath().
    void directoryOpened();
    // The tree shows another directory as current.
    void currentPathChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter opens the current item as a double click does; Right opens it or goes down to its
    // first subdirectory, Left folds the current directory's subdirectories away or goes up.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showChain(const std::string& path);
    void showNearestExisting(const std::string& gone);
    static bool isGone(const platform::Status& status);
    void showCurrentItem();
    QStandardItem* makeItem(const std::string& name, ItemKind kind) const;
    void setKind(QStandardItem* item, ItemKind kind) const;
    void setOpened(QStandardItem* item, bool opened);
    void showSubdirectories(std::vector<std::string> names, QStandardItem* parent);

    platform::FileSystem& fileSystem_;
    platform::MessageBox& messages_;
    QStandardItemModel* model_;
    QIcon subdirectoryIcon_;
    QIcon pathChainIcon_;
    std::vector<std::string> volumes_;
    std::string drive_;
    std::string currentPath_;
    platform::Result<std::string> startDirectory_ = platform::Status::fromErrno(ENOENT);
    // The item of currentPath_, which the selection returns to after a failed opening.
    QPersistentModelIndex currentItem_;
    // The item a double click opened, until its subdirectories are shown.
    QPersistentModelIndex awaitingSubdirectories_;
};

}  // namespace nameshift::ui
