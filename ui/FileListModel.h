#pragma once

#include <QAbstractTableModel>

#include <optional>
#include <string>
#include <vector>

#include "engine/FileList.h"

namespace nameshift::ui {

// The rows of the engine's file list for a view: one row per listed file, shown decoded, with
// the exact bytes of the name under kNameRole, and beside it the name the current rules give a
// ticked file, marked when the batch would refuse or fail on it. It reads the list on demand, so
// a directory of a hundred thousand files costs nothing until rows are drawn.
class FileListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kNameRole = Qt::UserRole + 1;
    enum Column { NameColumn = 0, NewNameColumn = 1 };

    explicit FileListModel(const engine::FileList& fileList, QObject* parent = nullptr)
        : QAbstractTableModel(parent), fileList_(fileList) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The engine's list was filled, filtered or cleared; the new names go with the old rows.
    void reload();

    // Per row, the new name (empty for a row not in the batch) and why it would be refused.
    struct NewName {
        std::string name;
        std::optional<std::string> problem;
    };
    void setNewNames(std::vector<NewName> newNames);
    const NewName* newNameOf(int row) const;

private:
    const engine::FileList& fileList_;
    std::vector<NewName> newNames_;
};

}  // namespace nameshift::ui
