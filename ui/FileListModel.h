#pragma once

#include <QAbstractTableModel>

#include <optional>
#include <string>

#include "engine/batch/FileList.h"
#include "engine/batch/IncrementalPlan.h"

namespace nameshift::ui {

// The rows of the engine's file list for a view: one row per listed file, shown decoded, with
// the exact bytes of the name under kNameRole, and beside it the name the current rules give a
// ticked file, marked when the batch would refuse or fail on it. The folder's restore file is
// marked as such. It reads the list and the plan on demand, so a directory of a hundred thousand
// files costs nothing until rows are drawn.
class FileListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kNameRole = Qt::UserRole + 1;
    // The Folder column is there only while the list holds files of subfolders; the names are
    // then shown without their folders.
    enum Column { NameColumn = 0, NewNameColumn = 1, FolderColumn = 2 };

    explicit FileListModel(const engine::FileList& fileList, QObject* parent = nullptr)
        : QAbstractTableModel(parent), fileList_(fileList) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The engine's list was filled, filtered or cleared; the new names go with the old rows.
    void reload();

    // The plan whose new names the column shows, or null for none; it must stay alive while it
    // is shown. A row the plan has not reached yet shows no new name. Nothing is announced: the
    // caller tells which rows changed, since telling a view of every row costs as much as
    // drawing them.
    void setNewNamePlan(const engine::IncrementalPlan* plan) { plan_ = plan; }
    // Rows [first, last] got their new names or their markers changed.
    void newNamesChanged(int first, int last);

private:
    struct NewName {
        const std::string* name = nullptr;
        const platform::MessageText* problem = nullptr;  // why the batch would refuse or fail on it
    };
    std::optional<NewName> newNameOf(int row) const;

    const engine::FileList& fileList_;
    const engine::IncrementalPlan* plan_ = nullptr;
};

}  // namespace nameshift::ui
