#pragma once

#include <QTreeView>

#include <utility>

#include "engine/batch/FileList.h"
#include "ui/FileListModel.h"

namespace nameshift::ui {

// The list the user ticks files in: what is selected in the view is what the engine's file list
// has ticked, kept equal in both directions. Beside each name stands the name it would get.
class FileListView : public QTreeView {
    Q_OBJECT

public:
    explicit FileListView(engine::FileList& fileList, QWidget* parent = nullptr);

    // The engine's list changed under the view; nothing is selected afterwards unless ticked.
    void reload();
    // Selects every row but the restore file's, or deselects every row.
    void selectAllRows(bool selected);
    // Ctrl+A selects as "Select/Deselect all files" does.
    void selectAll() override;
    // The rows on screen, as a first row and the row after the last.
    std::pair<int, int> rowsInView() const;

    FileListModel* fileListModel() const { return model_; }

signals:
    // The ticks changed, so the status line must follow.
    void ticksChanged();
    // Files or folders were dropped on the list, as local paths.
    void pathsDropped(const QStringList& paths);

protected:
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void fitIconsToRows();
    void takeOverSelection(const QItemSelection& selected, const QItemSelection& deselected);
    void showTicks();

    class RowHeightDelegate;

    engine::FileList& fileList_;
    FileListModel* model_;
    RowHeightDelegate* rowHeights_;
};

}  // namespace nameshift::ui
