#include "ui/FileListModel.h"

#include "ui/DisplayText.h"

namespace nameshift::ui {

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fileList_.rowCount());
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const std::string& name = fileList_.row(static_cast<std::size_t>(index.row())).name;
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return displayText(name);
        case kNameRole:
            return byteArrayOf(name);
        default:
            return {};
    }
}

void FileListModel::reload() {
    beginResetModel();
    endResetModel();
}

}  // namespace nameshift::ui
