#include "ui/FileListView.h"

#include <QHeaderView>
#include <QItemSelectionModel>

namespace nameshift::ui {

FileListView::FileListView(engine::FileList& fileList, QWidget* parent)
    : QTreeView(parent), fileList_(fileList), model_(new FileListModel(fileList, this)) {
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    setTextElideMode(Qt::ElideMiddle);
    // Both columns share the width the view has; measuring every name would cost a large
    // directory its quick opening.
    header()->setSectionResizeMode(QHeaderView::Stretch);
    header()->setStretchLastSection(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FileListView::takeOverSelection);
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
    const QItemSelection all(model_->index(0, 0), model_->index(rows - 1, 0));
    selectionModel()->select(
        all, selected ? QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows
                      : QItemSelectionModel::Clear);
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

}  // namespace nameshift::ui
