#include "ui/FileListView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QStyledItemDelegate>

#include <algorithm>
#include <optional>

namespace nameshift::ui {

// Draws the rows as the view's own delegate does, at the height of a row of text whatever they
// show: a style gives a row with an icon more room than one without.
class FileListView::RowHeightDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setRowHeight(int height) { rowHeight_ = height; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(rowHeight_);
        return size;
    }

private:
    int rowHeight_ = 0;
};

FileListView::FileListView(engine::FileList& fileList, QWidget* parent)
    : QTreeView(parent),
      fileList_(fileList),
      model_(new FileListModel(fileList, this)),
      rowHeights_(new RowHeightDelegate(this)) {
    setModel(model_);
    setItemDelegate(rowHeights_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    // Files dropped from a file manager are ticked; the list itself drags nothing.
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    // Cut at the end: a name is told by its start, the date or the number it begins with.
    setTextElideMode(Qt::ElideRight);
    // Both columns share the width the view has; measuring every name would cost a large
    // directory its quick opening.
    header()->setSectionResizeMode(QHeaderView::Stretch);
    header()->setStretchLastSection(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileListView::takeOverSelection);
    fitIconsToRows();
}

void FileListView::changeEvent(QEvent* event) {
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        fitIconsToRows();
    }
}

void FileListView::fitIconsToRows() {
    // The marker of a refused new name keeps its row as tall as a row of text. The rows share one
    // height, which the first row sets: a marker that added to it made every row taller when the
    // first row had one, and was drawn over its neighbours when only a later row had one.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("Xg");
    const int textRow =
        style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
    rowHeights_->setRowHeight(textRow);
    const int side = std::max(1, textRow - 2);
    setIconSize(QSize(side, side));
}

void FileListView::reload() {
    model_->reload();
    showTicks();
}

void FileListView::selectAllRows(bool selected) {
    const int rows = model_->rowCount();
    if (rows == 0) {
        fileList_.selectAll(selected);
        emit ticksChanged();
        return;
    }
    if (!selected) {
        selectionModel()->select(QItemSelection(), QItemSelectionModel::Clear);
        return;
    }
    // Every row but the restore file's, which the list shows and the user may still tick alone.
    QItemSelection all;
    const std::optional<std::size_t> restore = fileList_.restoreFileRow();
    const int skipped = restore ? static_cast<int>(*restore) : rows;
    if (skipped > 0) {
        all.select(model_->index(0, 0), model_->index(skipped - 1, 0));
    }
    if (skipped + 1 < rows) {
        all.select(model_->index(skipped + 1, 0), model_->index(rows - 1, 0));
    }
    selectionModel()->select(all, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void FileListView::selectAll() {
    selectAllRows(true);
}

std::pair<int, int> FileListView::rowsInView() const {
    const QModelIndex top = indexAt(QPoint(0, 0));
    if (!top.isValid()) {
        return {0, 0};
    }
    const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
    return {top.row(), bottom.isValid() ? bottom.row() + 1 : model_->rowCount()};
}

void FileListView::takeOverSelection(const QItemSelection& selected,
                                     const QItemSelection& deselected) {
    const auto apply = [this](const QItemSelection& ranges, bool ticked) {
        const auto rows = static_cast<int>(fileList_.rowCount());
        for (const QItemSelectionRange& range : ranges) {
            for (int row = range.top(); row <= range.bottom() && row < rows; ++row) {
                fileList_.setTicked(static_cast<std::size_t>(row), ticked);
            }
        }
    };
    apply(deselected, false);
    apply(selected, true);
    emit ticksChanged();
}

void FileListView::showTicks() {
    QItemSelection ticked;
    const auto rows = static_cast<int>(fileList_.rowCount());
    int first = -1;
    for (int row = 0; row <= rows; ++row) {
        const bool on = row < rows && fileList_.isTicked(static_cast<std::size_t>(row));
        if (on && first < 0) {
            first = row;
        } else if (!on && first >= 0) {
            ticked.select(model_->index(first, 0), model_->index(row - 1, 0));
            first = -1;
        }
    }
    const QSignalBlocker quiet(selectionModel());
    selectionModel()->select(ticked,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    viewport()->update();
}

void FileListView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void FileListView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void FileListView::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    }
    event->acceptProposedAction();
    emit pathsDropped(paths);
}

}  // namespace nameshift::ui
