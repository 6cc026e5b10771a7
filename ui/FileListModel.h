#pragma once

#include <QAbstractListModel>

#include "engine/FileList.h"

namespace nameshift::ui {

// The rows of the engine's file list for a view: one row per listed file, shown decoded, with
// the exact bytes of the name under kNameRole. It reads the list on demand, so a directory of a
// hundred thousand files costs nothing until rows are drawn.
class FileListModel final : public QAbstractListModel {
    Q_OBJECT

public:
    static constexpr int kNameRole = Qt::UserRole + 1;

    explicit FileListModel(const engine::FileList& fileList, QObject* parent = nullptr)
        : QAbstractListModel(parent), fileList_(fileList) {}

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The engine's list was filled, filtered or cleared.
    void reload();

private:
    const engine::FileList& fileList_;
};

}  // namespace nameshift::ui
