#include "ui/FileListModel.h"

#include <QApplication>
#include <QStyle>

#include "ui/DisplayText.h"

namespace nameshift::ui {

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fileList_.rowCount());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (index.column() == NewNameColumn) {
        const NewName* newName = newNameOf(index.row());
        if (newName == nullptr) {
            return {};
        }
        switch (role) {
            case Qt::DisplayRole:
                return displayText(newName->name);
            case Qt::ToolTipRole:
                return newName->problem ? displayText(*newName->problem)
                                        : displayText(newName->name);
            case Qt::DecorationRole:
                if (newName->problem) {
                    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
                }
                return {};
            case kNameRole:
                return byteArrayOf(newName->name);
            default:
                return {};
        }
    }
    const std::string_view name = fileList_.row(static_cast<std::size_t>(index.row())).name;
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

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return section == NameColumn ? tr("Name") : tr("New Name");
}

void FileListModel::reload() {
    beginResetModel();
    newNames_.clear();
    endResetModel();
}

void FileListModel::setNewNames(std::vector<NewName> newNames) {
    newNames_ = std::move(newNames);
    const int rows = rowCount();
    if (rows > 0) {
        // Only the rows on screen are drawn again; the others ask when they are scrolled to.
        emit dataChanged(index(0, NewNameColumn), index(rows - 1, NewNameColumn));
    }
}

const FileListModel::NewName* FileListModel::newNameOf(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= newNames_.size() ||
        !fileList_.isTicked(static_cast<std::size_t>(row))) {
        return nullptr;
    }
    return &newNames_[static_cast<std::size_t>(row)];
}

}  // namespace nameshift::ui
